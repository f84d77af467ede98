// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

namespace quibel {

/// Tick positions of one scale: major ticks at whole multiples of a step of 1, 2 or 5 times
/// a power of ten, chosen as the largest such step that still gives at least minTicks
/// intervals over the range; short ticks subdivide it.
struct AxisTicks final {
    std::vector<double> major; ///< data values, ascending
    std::vector<double> minor; ///< data values between the major ticks, ascending
    double step = 0.0;         ///< data units between major ticks
    int decimals = 0;          ///< decimal places of the labels

    /// Ticks over [min(lo, hi), max(lo, hi)]. minTicks is clamped to 1..50; decPlaces < 0
    /// gives as many decimals as the step needs. A range that is empty or not finite has
    /// no ticks.
    static AxisTicks compute(double lo, double hi, int minTicks, int decPlaces);
};

} // namespace quibel
