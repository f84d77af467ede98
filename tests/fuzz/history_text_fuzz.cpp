// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary bytes to the time-history text import, in both layouts: it must read them or
// refuse them with its one error, never crash, hang or allocate far more than the input's size.
#include "numeric/error.h"
#include "signals/history_text_import.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    for (const auto format :
         {quibel::HistoryFileFormat::TimeAndAmplitude, quibel::HistoryFileFormat::AmplitudesOnly}) {
        try {
            (void)quibel::ImportHistoryText(text, format, 0.01);
        } catch (const quibel::Error&) {
        }
    }
    return 0;
}
