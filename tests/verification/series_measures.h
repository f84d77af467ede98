// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

namespace quibel::verification {

// Measurements on sampled result series (times t[k], values y[k]).

/// Largest |a[k] - b[k]| over the common samples.
double LargestDifference(const std::vector<double>& a, const std::vector<double>& b);
/// Largest |y[k]|.
double LargestMagnitude(const std::vector<double>& y);

/// The times at which y changes sign between two samples (a sample exactly 0 followed by a
/// non-zero one counts as a crossing at that sample), by linear interpolation, after `from`.
std::vector<double> SignChanges(const std::vector<double>& t, const std::vector<double>& y,
                                double from);

/// Extremum of |y| between two times: the largest |y[k]| refined by the parabola through it
/// and its two neighbours. Returns |y| there.
double PeakBetween(const std::vector<double>& t, const std::vector<double>& y, double from,
                   double to);

/// Index of the first sample with y != 0, or -1.
int FirstNonZero(const std::vector<double>& y);

/// The excursions of a rocking block after `from` (s): the times at which the rotation
/// theta (rad) changes sign, the impacts, and the largest |theta| before each impact.
struct RockingExcursions final {
    std::vector<double> impacts;    ///< s
    std::vector<double> amplitudes; ///< rad
};
RockingExcursions MeasureExcursions(const std::vector<double>& t, const std::vector<double>& theta,
                                    double from);

} // namespace quibel::verification
