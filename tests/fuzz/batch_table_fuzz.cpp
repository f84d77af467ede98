// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary bytes to the batch tool's case table: the table is read and every row checked
// (the files it names are not opened). It must be read or refused with its error, never crash,
// hang or allocate far more than the input's size.
#include "cli/batch/case.h"
#include "numeric/error.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    try {
        (void)quibel::cli::ReadBatchTable(text, "/nonexistent-folder");
    } catch (const quibel::Error&) {
    }
    return 0;
}
