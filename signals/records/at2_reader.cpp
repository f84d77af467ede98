// SPDX-License-Identifier: GPL-3.0-or-later
#include "signals/records/record_readers.h"

namespace quibel {

// PEER NGA: a title line, "event, date, station, component", the kind and units in words,
// then "NPTS= n, DT= dt SEC" and the values, five to a line, blank-separated.
bool RecognisesAt2(const RecordLines& lines) {
    return StartsWithNoCase(Trim(lines.line(1)), "PEER NGA STRONG MOTION DATABASE RECORD");
}

RecordData ReadAt2(const RecordLines& lines, const RecordReadOptions&) {
    RecordData data;
    data.Format = "at2";
    const std::string_view about = lines.require(2);
    std::vector<std::string_view> parts;
    for (std::size_t start = 0;;) {
        const std::size_t comma = about.find(',', start);
        parts.push_back(Trim(about.substr(start, comma - start)));
        if (comma == std::string_view::npos)
            break;
        start = comma + 1;
    }
    RecordComponent c;
    if (parts.size() >= 4) {
        data.Event = std::string(parts[0]) + " " + std::string(parts[1]);
        data.Station = CollapseBlanks(parts[2]);
        c.Orientation = std::string(parts.back());
    }
    const std::string_view kind = lines.require(3);
    const std::size_t unitsAt = FindNoCase(kind, "UNITS OF");
    c.Units = unitsAt == std::string_view::npos ? "" : CollapseBlanks(kind.substr(unitsAt + 8));
    const double factor = FactorToG(c.Units);
    if (FindNoCase(kind, "ACCELERATION") == std::string_view::npos || factor == 0.0)
        lines.fail("records.not_acceleration", 3, {CollapseBlanks(kind)});
    const std::size_t n = CheckCount(lines, 4, NumberAfter(lines, 4, "NPTS="));
    c.Dt = NumberAfter(lines, 4, "DT=");
    CheckTimeStep(lines, 4, c.Dt);
    ReadFreeValues(lines, 5, factor, c.Values);
    CheckValueCount(lines, 4, n, c.Values.size());
    data.Components.push_back(std::move(c));
    return data;
}

} // namespace quibel
