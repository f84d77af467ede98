// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "study/study_description.h"

#include <cstdint>
#include <vector>

namespace quibel::study {

/// The value of one parameter at the cumulative probability u (0 < u < 1) of its
/// distribution, truncated to [lower, upper] when they are given: the quantile of
/// F(lower) + u (F(upper) - F(lower)).
double SampledValue(const StudyParameter& p, double u);

/// Latin-hypercube probabilities: count rows of `dimensions` numbers in (0, 1); in every
/// column each of the count equal strata holds exactly one of them. The same seed gives the
/// same numbers on every machine (a 64-bit Mersenne twister turned into doubles by hand).
std::vector<std::vector<double>> LatinHypercube(int count, int dimensions, std::uint64_t seed);

/// The parameter sets of a study, one value per parameter in the order of
/// study.parameters: every combination of the grid values (the first parameter varying
/// slowest), each with study.samples Latin-hypercube samples of the sampled parameters (one
/// set per combination when none is sampled); fixed parameters keep their value.
std::vector<std::vector<double>> ParameterSets(const StudyDescription& study);

} // namespace quibel::study
