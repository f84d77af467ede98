// SPDX-License-Identifier: GPL-3.0-or-later
#include "signals/records/record_readers.h"

namespace quibel {

namespace {
// Lines of one component before its samples: 16 text, 4 integer (10I8), 6 real (10F8).
constexpr std::size_t kTextLines = 16;
constexpr std::size_t kHeaderLines = 26;
constexpr std::size_t kPerLine = 10;
constexpr std::size_t kWidth = 8;

// Integers 34, 35, 36: the counts of the acceleration, velocity and displacement series.
std::size_t seriesCount(const RecordLines& lines, std::size_t start, std::size_t integer) {
    const std::size_t k = start + kTextLines + (integer - 1) / kPerLine;
    const std::size_t column = (integer - 1) % kPerLine * kWidth;
    const std::string_view l = lines.require(k);
    return CheckCount(lines, k,
                      FieldNumber(lines, k, column < l.size() ? l.substr(column, kWidth) : ""));
}

std::string wordAfter(std::string_view line, std::string_view key) {
    const std::size_t at = FindNoCase(line, key);
    if (at == std::string_view::npos)
        return "";
    const std::string_view rest = Trim(line.substr(at + key.size()));
    return std::string(rest.substr(0, rest.find(' ')));
}
} // namespace

// GeoNet Volume 2: components one after another, each a 26-line header and its acceleration,
// velocity and displacement series, ten 8-character fields to a line.
bool RecognisesGeoNet(const RecordLines& lines) {
    return StartsWithNoCase(lines.line(1), "Corrected accelerogram") &&
           StartsWithNoCase(lines.line(10), "Number of points");
}

RecordData ReadGeoNet(const RecordLines& lines, const RecordReadOptions&) {
    RecordData data;
    data.Format = "geonet";
    data.Station = wordAfter(lines.require(2), "Site") + " " + CollapseBlanks(lines.require(3));
    data.Event = CollapseBlanks(lines.require(7)) + " " + CollapseBlanks(lines.require(8));
    for (std::size_t start = 1; start <= lines.count() && !Trim(lines.line(start)).empty();) {
        RecordComponent c;
        const std::size_t n = CheckCount(lines, start + 9, NumberAfter(lines, start + 9, "points"));
        if (seriesCount(lines, start, 34) != n)
            lines.fail("records.count_contradiction", start + kTextLines + 3,
                       {std::to_string(seriesCount(lines, start, 34)), std::to_string(n)});
        c.Dt = NumberAfter(lines, start + 10, "data at");
        CheckTimeStep(lines, start + 10, c.Dt);
        c.Orientation = wordAfter(lines.require(start + 12), "Component");
        const std::string_view acc = lines.require(start + 13);
        if (FindNoCase(acc, "mm/s/s") == std::string_view::npos)
            lines.fail("records.not_acceleration", start + 13, {CollapseBlanks(acc)});
        c.Units = "mm/s/s";
        std::size_t next = ReadFixedValues(lines, start + kHeaderLines, n, kPerLine, kWidth,
                                           FactorToG(c.Units), c.Values);
        next += (seriesCount(lines, start, 35) + kPerLine - 1) / kPerLine;
        next += (seriesCount(lines, start, 36) + kPerLine - 1) / kPerLine;
        data.Components.push_back(std::move(c));
        start = next;
    }
    return data;
}

} // namespace quibel
