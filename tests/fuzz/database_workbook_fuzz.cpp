// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary bytes, as an .xls file, to the workbook reader and the earthquake database:
// the catalogue is listed and every record it lists is read. Each must be read or refused with
// its error, never crash, hang or allocate far more than the input's size. The reader opens
// files only, so each input is written to a file of this process first.
#include "numeric/error.h"
#include "signals/earthquake_database.h"
#include "signals/xls_workbook.h"

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <string>

namespace {

const std::string& inputPath() {
    static const std::string path =
        "/tmp/quibel-workbook-fuzz-" + std::to_string(::getpid()) + ".xls";
    return path;
}

void readAll(const quibel::Workbook& book) {
    const auto catalogue = quibel::ReadDatabaseCatalogue(book, quibel::Language::English);
    for (const auto& node : catalogue.Nodes) {
        if (!node.isRecord())
            continue;
        try {
            (void)quibel::ReadDatabaseRecord(book, node.Sheet, node.Record);
        } catch (const quibel::Error&) {
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    {
        std::ofstream file(inputPath(), std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    try {
        const auto book = quibel::XlsWorkbook::open(inputPath());
        readAll(*book);
    } catch (const quibel::Error&) {
    }
    return 0;
}
