// SPDX-License-Identifier: GPL-3.0-or-later
#include "signals/records/record_readers.h"

#include "signals/decimal_format.h"

namespace quibel {

namespace {
constexpr std::size_t kIntegersLine = 12; // 48 integers, 8 to a line, 10 wide
constexpr std::size_t kRealsLine = 18;    // 50 reals, 5 to a line, 15 wide
constexpr std::size_t kFirstComment = 28;

double integerNo(const RecordLines& lines, std::size_t no) {
    const std::size_t k = kIntegersLine + (no - 1) / 8;
    const std::string_view l = lines.require(k);
    const std::size_t column = (no - 1) % 8 * 10;
    return FieldNumber(lines, k, column < l.size() ? l.substr(column, 10) : "");
}

std::string textAfter(std::string_view line, std::string_view key, std::string_view until) {
    const std::size_t at = line.find(key);
    if (at == std::string_view::npos)
        return "";
    std::string_view rest = line.substr(at + key.size());
    return CollapseBlanks(rest.substr(0, rest.find(until)));
}
} // namespace

// USGS SMC: a type code and 10 text lines, 48 integers, 50 reals, the comment lines, then the
// values in 8 fields 10 wide that often touch.
bool RecognisesSmc(const RecordLines& lines) {
    const std::string_view l = lines.line(1);
    return l.size() > 2 && l[0] >= '0' && l[0] <= '9' && l[1] == ' ' &&
           FindNoCase(l, "ACCELEROGRAM") != std::string_view::npos;
}

RecordData ReadSmc(const RecordLines& lines, const RecordReadOptions&) {
    RecordData data;
    data.Format = "smc";
    if (!lines.line(1).starts_with("2 "))
        lines.fail("records.not_acceleration", 1, {CollapseBlanks(lines.line(1))});
    data.Event = CollapseBlanks(lines.require(4));
    const std::string_view site = lines.require(6);
    data.Station = textAfter(site, "station =", "component=");
    RecordComponent c;
    c.Orientation = textAfter(site, "component=", "\n");
    c.Units = "cm/s^2";
    const std::size_t comments = CheckCount(lines, 13, integerNo(lines, 16) + 1) - 1;
    const std::size_t n = CheckCount(lines, 14, integerNo(lines, 17));
    const std::string_view reals = lines.require(kRealsLine);
    const double rate =
        FieldNumber(lines, kRealsLine, reals.substr(std::min<std::size_t>(15, reals.size()), 15));
    c.Dt = 1.0 / rate;
    CheckTimeStep(lines, kRealsLine, c.Dt);
    for (std::size_t k = kFirstComment; k < kFirstComment + comments; ++k)
        if (!lines.require(k).starts_with("|"))
            lines.fail("records.missing_field", k, {"|"});
    ReadFixedValues(lines, kFirstComment + comments, n, 8, 10, FactorToG(c.Units), c.Values);
    data.Components.push_back(std::move(c));
    return data;
}

} // namespace quibel
