// SPDX-License-Identifier: GPL-3.0-or-later
#include "signals/records/record_readers.h"

#include "signals/decimal_format.h"

#include <cmath>

namespace quibel {

namespace {
constexpr std::size_t kWidth = 10; // "#Data: 4F10.3"

// The value of "#key: value" among the header lines, and its line.
std::pair<std::string_view, std::size_t> field(const RecordLines& lines, std::size_t end,
                                               std::string_view key) {
    for (std::size_t k = 1; k < end; ++k) {
        const std::string_view l = lines.line(k);
        if (l.size() > key.size() + 1 && l.substr(1).starts_with(key) && l[key.size() + 1] == ':')
            return {Trim(l.substr(key.size() + 2)), k};
    }
    lines.fail("records.missing_field", end, {std::string(key)});
}
} // namespace

// CWB ASCII: "#key: value" lines (one blank line among them), then time and the U, N, E
// columns in 10-character fields.
bool RecognisesCwb(const RecordLines& lines) {
    return lines.line(1).starts_with("#Earthquake Information");
}

RecordData ReadCwb(const RecordLines& lines, const RecordReadOptions&) {
    std::size_t first = 1;
    while (first <= lines.count() &&
           (lines.line(first).starts_with("#") || Trim(lines.line(first)).empty()))
        ++first;
    RecordData data;
    data.Format = "cwb";
    data.Event = std::string(field(lines, first, "Origin Time(GMT+08)").first) + " ML" +
                 std::string(field(lines, first, "Magnitude(Ml)").first);
    data.Station = std::string(field(lines, first, "StationCode").first) + " " +
                   std::string(field(lines, first, "StationName").first);
    const auto [rateText, rateLine] = field(lines, first, "SampleRate(Hz)");
    const double dt = 1.0 / FieldNumber(lines, rateLine, rateText);
    CheckTimeStep(lines, rateLine, dt);
    const auto [unitText, unitLine] = field(lines, first, "AmplitudeUnit");
    const std::string units(Trim(unitText.substr(0, unitText.find('.'))));
    if (FactorToG(units) == 0.0)
        lines.fail("records.not_acceleration", unitLine, {units});
    std::vector<RecordComponent> columns(3);
    const char* names[] = {"U", "N", "E"};
    for (std::size_t i = 0; i < 3; ++i)
        columns[i] = RecordComponent{names[i], units, dt, {}};
    std::size_t k = first;
    for (; k <= lines.count() && !Trim(lines.line(k)).empty(); ++k) {
        const std::string_view l = lines.line(k);
        const double t = FieldNumber(lines, k, l.substr(0, kWidth));
        const double expected = static_cast<double>(k - first) * dt;
        if (std::abs(t - expected) > 0.5 * dt)
            lines.fail("records.time_contradiction", k,
                       {FormatDecimals(t, 0, 6), FormatDecimals(expected, 0, 6)});
        for (std::size_t i = 0; i < 3; ++i) {
            const std::size_t at = (i + 1) * kWidth;
            columns[i].Values.push_back(
                FieldNumber(lines, k, at < l.size() ? l.substr(at, kWidth) : "") *
                FactorToG(units));
        }
    }
    if (k == first)
        lines.fail("records.too_few_values", k, {"1", "0"});
    data.Components = std::move(columns);
    return data;
}

} // namespace quibel
