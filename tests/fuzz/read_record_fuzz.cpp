// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary bytes to the auto-detecting record reader: it must either read them or
// refuse them with its one error, never crash, hang or allocate far more than the input's size.
#include "numeric/error.h"
#include "signals/records/intensity_measures.h"
#include "signals/records/record_file.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    try {
        const quibel::RecordData record = quibel::ReadRecordText(text, "fuzz");
        for (std::size_t i = 0; i < record.Components.size(); ++i) {
            (void)quibel::RecordTitle(record, i);
            const auto& c = record.Components[i];
            (void)quibel::HusidCurve(c.Values, c.Dt);
        }
    } catch (const quibel::Error&) {
    }
    return 0;
}
