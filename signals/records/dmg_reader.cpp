// SPDX-License-Identifier: GPL-3.0-or-later
#include "signals/records/record_readers.h"

#include <cmath>

namespace quibel {

namespace {
// Lines of one channel before its acceleration data line: 25 text, 7 integer, 13 real.
constexpr std::size_t kTextLines = 25;
constexpr std::size_t kIntegerLines = 7;
constexpr std::size_t kHeaderLines = 45;
constexpr std::size_t kOrientationInteger = 27; // azimuth in degrees, 500 for up
constexpr std::size_t kLatitudeReal = 29;

// "Chan  1: 360 Deg     from" gives "360 Deg".
std::string headingOrientation(std::string_view line) {
    const std::size_t chan = FindNoCase(line, "chan");
    const std::size_t colon = chan == std::string_view::npos ? chan : line.find(':', chan);
    if (colon == std::string_view::npos)
        return "";
    std::string_view rest = line.substr(colon + 1);
    const std::size_t from = FindNoCase(rest, "from");
    return CollapseBlanks(rest.substr(0, from));
}

// The integer header's azimuth must be one and agree with the heading line's.
void checkOrientation(const RecordLines& lines, std::size_t start, const std::string& heading) {
    const std::size_t k = start + kTextLines + (kOrientationInteger - 1) / 16;
    const std::size_t column = (kOrientationInteger - 1) % 16 * 5;
    const std::string_view l = lines.require(k);
    const double code = FieldNumber(lines, k, column < l.size() ? l.substr(column, 5) : "");
    const bool up = FindNoCase(heading, "up") != std::string_view::npos;
    bool agrees = up ? code == 500.0 : false;
    if (!up && code >= 0.0 && code <= 360.0) {
        const auto stated = std::strtod(heading.c_str(), nullptr);
        agrees = std::fmod(std::abs(stated - code), 360.0) == 0.0;
    }
    if (!agrees)
        lines.fail("records.orientation_contradiction", k,
                   {std::to_string(static_cast<long long>(code)), heading});
}

// "35.908N, 120.458W" against the real header's signed latitude.
void checkHemisphere(const RecordLines& lines, std::size_t start) {
    const std::size_t k = start + 5;
    const std::string_view l = lines.require(k);
    const std::size_t at = FindNoCase(l, "No.");
    if (at == std::string_view::npos)
        return;
    std::string_view rest = Trim(l.substr(at + 3));
    rest = Trim(rest.substr(std::min(rest.find(' '), rest.size())));
    const std::size_t hemi = rest.find_first_of("NSns");
    if (hemi == std::string_view::npos || hemi == 0)
        return;
    const std::size_t realLine = start + kTextLines + kIntegerLines + (kLatitudeReal - 1) / 8;
    const std::size_t column = (kLatitudeReal - 1) % 8 * 10;
    const std::string_view r = lines.require(realLine);
    const double latitude =
        FieldNumber(lines, realLine, column < r.size() ? r.substr(column, 10) : "");
    const bool south = rest[hemi] == 'S' || rest[hemi] == 's';
    if (latitude != -999.0 && latitude != 0.0 && (latitude < 0.0) != south)
        lines.fail("records.hemisphere_contradiction", k, {std::string(rest.substr(0, hemi + 1))});
}

// "3251 POINTS OF ACCEL DATA EQUALLY SPACED AT  .020 SEC.  (UNITS: CM/SEC/SEC)": count, step.
std::size_t seriesCount(const RecordLines& lines, std::size_t k, std::string_view kind) {
    const std::string_view l = lines.require(k);
    if (FindNoCase(l, kind) == std::string_view::npos)
        lines.fail("records.missing_field", k, {std::string(kind)});
    return CheckCount(lines, k, LeadingNumber(lines, k, l));
}

std::size_t skipSeries(const RecordLines& lines, std::size_t k, std::string_view kind) {
    const std::size_t n = seriesCount(lines, k, kind);
    return k + 1 + (n + 7) / 8;
}
} // namespace

// CSMIP/DMG Volume 2: channels one after another, each 45 header lines, its acceleration,
// velocity and displacement series in 8F10 fields, and a closing "/&" line.
bool RecognisesDmg(const RecordLines& lines) {
    return StartsWithNoCase(lines.line(1), "Corrected accelerogram") &&
           FindNoCase(lines.line(kHeaderLines + 1), "points of accel") != std::string_view::npos;
}

RecordData ReadDmg(const RecordLines& lines, const RecordReadOptions&) {
    RecordData data;
    data.Format = "dmg";
    data.Event = CollapseBlanks(lines.require(3));
    data.Station = CollapseBlanks(lines.require(7));
    for (std::size_t start = 1; start <= lines.count() && !Trim(lines.line(start)).empty();) {
        RecordComponent c;
        c.Orientation = headingOrientation(lines.require(start));
        checkHemisphere(lines, start);
        checkOrientation(lines, start, c.Orientation);
        const std::size_t k = start + kHeaderLines;
        const std::size_t n = seriesCount(lines, k, "points of accel");
        const std::string_view head = lines.line(k);
        c.Dt = NumberAfter(lines, k, "spaced at");
        CheckTimeStep(lines, k, c.Dt);
        const bool gal = FindNoCase(head, "cm/sec") != std::string_view::npos;
        if (!gal && FindNoCase(head, "units") != std::string_view::npos)
            lines.fail("records.not_acceleration", k, {CollapseBlanks(head)});
        c.Units = "cm/s^2";
        std::size_t next = ReadFixedValues(lines, k + 1, n, 8, 10, FactorToG("cm/s^2"), c.Values);
        next = skipSeries(lines, next, "points of veloc");
        next = skipSeries(lines, next, "points of displ");
        if (!lines.require(next).starts_with("/&"))
            lines.fail("records.missing_field", next, {"/&"});
        data.Components.push_back(std::move(c));
        start = next + 1;
    }
    return data;
}

} // namespace quibel
