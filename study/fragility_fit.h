// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <vector>

namespace quibel::study {

/// The cases run at one intensity level and how many of them passed a limit.
struct LevelCount final {
    double intensity = 0.0; ///< g
    int cases = 0;
    int past = 0;
};

/// A lognormal fragility curve P(past | IM) = Phi(ln(IM / median) / dispersion).
struct FragilityFit final {
    double median = 0.0;          ///< g
    double dispersion = 0.0;      ///< standard deviation of ln IM
    double medianError = 0.0;     ///< standard errors, from the inverse Fisher information
    double dispersionError = 0.0; ///< at the estimate (the delta method for the median)
    double logLikelihood = 0.0;
};

/// Probability of the curve at intensity im (g).
double FragilityProbability(double im, double median, double dispersion);

/// Whether counts determine a curve: some levels with cases, and the levels not overlapping
/// into a step (then the likelihood grows without bound as the dispersion goes to 0, or
/// every case or none passed).
bool FragilityDefined(const std::vector<LevelCount>& counts);

/// The maximum-likelihood lognormal curve of the binomial counts (each level's cases passing
/// independently with the curve's probability), found with a simplex minimiser on the
/// logarithms of median and dispersion; nothing when !FragilityDefined(counts), or when the
/// fractions do not grow with the intensity (the dispersion then grows without bound).
std::optional<FragilityFit> FitFragility(const std::vector<LevelCount>& counts);

} // namespace quibel::study
