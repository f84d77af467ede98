// SPDX-License-Identifier: GPL-3.0-or-later
#include "signals/records/record_readers.h"

namespace quibel {

std::span<const RecordReader> RecordReaders() {
    static constexpr RecordReader kReaders[] = {
        {"at2", RecognisesAt2, ReadAt2},    {"cosmos", RecognisesCosmos, ReadCosmos},
        {"dmg", RecognisesDmg, ReadDmg},    {"geonet", RecognisesGeoNet, ReadGeoNet},
        {"knet", RecognisesNied, ReadNied}, {"kiknet", RecognisesNied, ReadNied},
        {"esm", RecognisesEsm, ReadEsm},    {"smc", RecognisesSmc, ReadSmc},
        {"cwb", RecognisesCwb, ReadCwb},    {"csv", RecognisesCsv, ReadCsv},
    };
    return kReaders;
}

void CheckValueCount(const RecordLines& lines, std::size_t countLine, std::size_t expected,
                     std::size_t got) {
    if (got != expected)
        lines.fail("records.count_contradiction", countLine,
                   {std::to_string(expected), std::to_string(got)});
}

std::string RecordTitle(const RecordData& data, std::size_t index) {
    std::string title = data.Format;
    const std::string orientation =
        index < data.Components.size() ? data.Components[index].Orientation : "";
    for (const std::string* part : {&data.Station, &orientation, &data.Event})
        if (!part->empty())
            title += (title.empty() ? "" : " ") + *part;
    return title;
}

} // namespace quibel
