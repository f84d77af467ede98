// SPDX-License-Identifier: GPL-3.0-or-later
#include "signals/spectrum_parameters.h"

#include "numeric/error.h"

#include <cmath>
#include <string>

namespace quibel {

namespace {
// Lists end at End plus this margin, so that a value reached by Start + j * Inc with
// round-off just above End still counts.
constexpr double kEndMargin = 0.00001;

bool inRange(double v, double lo, double hi) {
    return v >= lo && v <= hi;
}

// Number of values Start + j * Inc <= End + margin, capped at limit + 1 so that a tiny
// increment is refused instead of filling memory.
long countValues(double start, double end, double inc, long limit) {
    long count = 0;
    while (count <= limit && start + static_cast<double>(count) * inc <= end + kEndMargin)
        ++count;
    return count;
}
} // namespace

std::vector<double> PeriodList(std::span<const PeriodSet> sets) {
    std::vector<double> periods;
    for (std::size_t k = 0; k < sets.size(); ++k) {
        const PeriodSet& set = sets[k];
        if (set.Start == 0.0 || set.End == 0.0 || set.Increment == 0.0)
            break;
        const std::string number = std::to_string(k + 1);
        if (set.Increment < 0.0 || !std::isfinite(set.Increment))
            throw Error(Message("signals.spectrum_negative_increment", {number}));
        if (!inRange(set.Start, kShortestPeriod, kLongestPeriod) ||
            !inRange(set.End, kShortestPeriod, kLongestPeriod))
            throw Error(Message("signals.spectrum_period_range", {number}));
        const long room = kMaxPeriods - static_cast<long>(periods.size());
        const long count = countValues(set.Start, set.End, set.Increment, room);
        if (count > room)
            throw Error("signals.spectrum_too_many_periods");
        for (long j = 0; j < count; ++j)
            periods.push_back(set.Start + static_cast<double>(j) * set.Increment);
    }
    return periods;
}

std::vector<double> DampingList(const DampingRange& range) {
    if (!(range.Increment > 0.0) || !std::isfinite(range.Increment))
        throw Error("signals.spectrum_damping_increment");
    if (!inRange(range.Start, kSmallestDamping, kLargestDamping) ||
        !inRange(range.End, kSmallestDamping, kLargestDamping))
        throw Error("signals.spectrum_damping_range");
    const long count = countValues(range.Start, range.End, range.Increment, kMaxDampings);
    if (count > kMaxDampings)
        throw Error("signals.spectrum_too_many_dampings");
    std::vector<double> dampings;
    for (long i = 0; i < count; ++i)
        dampings.push_back(range.Start + static_cast<double>(i) * range.Increment);
    return dampings;
}

} // namespace quibel
