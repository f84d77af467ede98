// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <span>
#include <vector>

namespace quibel {

/// One set of natural periods: Start, Start + Increment, ... up to End (s).
struct PeriodSet final {
    double Start = 0.0;     ///< s
    double End = 0.0;       ///< s
    double Increment = 0.0; ///< s

    bool operator==(const PeriodSet&) const = default;
};

/// The damping ratios: Start, Start + Increment, ... up to End (fractions of critical).
struct DampingRange final {
    double Start = 0.0;
    double End = 0.0;
    double Increment = 0.0;

    bool operator==(const DampingRange&) const = default;
};

/// The four period sets the spectrum dialog starts with (19 + 18 + 18 + 16 = 71 periods).
inline constexpr std::array<PeriodSet, 4> kDefaultPeriodSets = {{
    {0.001, 0.01, 0.0005},
    {0.015, 0.1, 0.005},
    {0.15, 1.0, 0.05},
    {1.25, 5.0, 0.25},
}};
/// 0.01, 0.02, 0.03, 0.04 and 0.05 of critical.
inline constexpr DampingRange kDefaultDamping = {0.01, 0.05, 0.01};

/// Limits of the values of a set (s) and of a damping ratio, as the spectrum dialog keeps them.
inline constexpr double kShortestPeriod = 0.00001;
inline constexpr double kLongestPeriod = 100.0;
inline constexpr double kSmallestDamping = 0.0001;
inline constexpr double kLargestDamping = 0.9999;
/// Longest lists accepted: beyond, an increment is certainly a typing error, and the analysis
/// would not end in reasonable time.
inline constexpr int kMaxPeriods = 10000;
inline constexpr int kMaxDampings = 1000;

/// The period list, s, in the order generated. For each set, from the first: Start + j * Inc
/// for j = 0, 1, ... while the value is <= End + 0.00001. The list is empty when the first set
/// has a zero Start, End or Increment; the next set is used only while its three values are
/// all non-zero. A set whose End is below its Start contributes nothing.
/// Throws, for a set that is used: Error("signals.spectrum_negative_increment", {set number}),
/// Error("signals.spectrum_period_range", {set number}) for a Start or End outside
/// kShortestPeriod..kLongestPeriod, Error("signals.spectrum_too_many_periods") beyond
/// kMaxPeriods.
std::vector<double> PeriodList(std::span<const PeriodSet> sets);

/// The damping list: Start + i * Increment for i = 0, 1, ... while the value is
/// <= End + 0.00001. Throws Error("signals.spectrum_damping_increment") for an increment that
/// is not positive (the list would never end), Error("signals.spectrum_damping_range") for a
/// Start or End outside kSmallestDamping..kLargestDamping,
/// Error("signals.spectrum_too_many_dampings") beyond kMaxDampings. Empty when End < Start.
std::vector<double> DampingList(const DampingRange& range);

} // namespace quibel
