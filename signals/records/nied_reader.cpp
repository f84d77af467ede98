// SPDX-License-Identifier: GPL-3.0-or-later
#include "signals/records/record_readers.h"

#include "signals/decimal_format.h"

#include <cmath>
#include <numeric>

namespace quibel {

namespace {
constexpr std::size_t kHeaderLines = 17;
constexpr std::size_t kLabelWidth = 18;

std::string_view value(const RecordLines& lines, std::size_t k, std::string_view label) {
    const std::string_view l = lines.require(k);
    if (!StartsWithNoCase(l, label))
        lines.fail("records.missing_field", k, {std::string(label)});
    return Trim(l.size() > kLabelWidth ? l.substr(kLabelWidth) : "");
}

// KiK-net writes the direction as a digit: 1-3 the borehole sensor, 4-6 the surface one.
std::string orientation(std::string_view dir, bool& kiknet) {
    kiknet = dir.size() == 1 && dir[0] >= '1' && dir[0] <= '6';
    if (!kiknet)
        return std::string(dir);
    static constexpr std::string_view kNames[] = {"NS1", "EW1", "UD1", "NS2", "EW2", "UD2"};
    return std::string(kNames[dir[0] - '1']);
}
} // namespace

// K-NET and KiK-net ASCII: 17 labelled header lines, then integer counts, 8 to a line.
bool RecognisesNied(const RecordLines& lines) {
    return StartsWithNoCase(lines.line(1), "Origin Time") &&
           StartsWithNoCase(lines.line(14), "Scale Factor");
}

RecordData ReadNied(const RecordLines& lines, const RecordReadOptions&) {
    RecordData data;
    data.Event =
        std::string(value(lines, 1, "Origin Time")) + " M" + std::string(value(lines, 5, "Mag."));
    data.Station = std::string(value(lines, 6, "Station Code"));
    const double rate = LeadingNumber(lines, 11, value(lines, 11, "Sampling Freq"));
    const double duration = LeadingNumber(lines, 12, value(lines, 12, "Duration Time"));
    bool kiknet = false;
    RecordComponent c;
    c.Orientation = orientation(value(lines, 13, "Dir."), kiknet);
    data.Format = kiknet ? "kiknet" : "knet";
    const std::string_view scale = value(lines, 14, "Scale Factor");
    const std::size_t slash = scale.find('/');
    const double numerator = LeadingNumber(lines, 14, scale);
    const double denominator =
        slash == std::string_view::npos ? 0.0 : LeadingNumber(lines, 14, scale.substr(slash + 1));
    if (!(denominator > 0.0) || FindNoCase(scale, "(gal)") == std::string_view::npos)
        lines.fail("records.missing_field", 14, {"Scale Factor"});
    value(lines, kHeaderLines, "Memo."); // the header must be whole
    c.Dt = 1.0 / rate;
    CheckTimeStep(lines, 11, c.Dt);
    c.Units = "counts";
    ReadFreeValues(lines, kHeaderLines + 1, numerator / denominator * FactorToG("gal"), c.Values);
    const double expected = std::round(rate * duration);
    if (std::abs(static_cast<double>(c.Values.size()) - expected) > rate)
        lines.fail("records.count_contradiction", 12,
                   {FormatDecimals(expected, 0, 0), std::to_string(c.Values.size())});
    if (c.Values.empty())
        lines.fail("records.too_few_values", lines.count(), {"1", "0"});
    // The agency's peak is taken after the record's mean is removed; so are the samples here.
    const double mean = std::accumulate(c.Values.begin(), c.Values.end(), 0.0) /
                        static_cast<double>(c.Values.size());
    for (double& v : c.Values)
        v -= mean;
    data.Warnings.push_back(Message("records.mean_removed", {FormatDecimals(mean, 1, 6)}));
    data.Components.push_back(std::move(c));
    return data;
}

} // namespace quibel
