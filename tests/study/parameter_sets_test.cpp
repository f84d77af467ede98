// SPDX-License-Identifier: GPL-3.0-or-later
#include "study/parameter_sets.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace quibel::study {
namespace {

StudyParameter sampled(Distribution d, double first, double second) {
    StudyParameter p;
    p.kind = StudyParameter::Kind::Sampled;
    p.distribution = d;
    p.first = first;
    p.second = second;
    return p;
}

TEST(ParameterSetsTest, LatinHypercubePutsOneSampleInEachStratum) {
    const int n = 50;
    const auto rows = LatinHypercube(n, 3, 42);
    ASSERT_EQ(rows.size(), 50u);
    for (std::size_t d = 0; d < 3; ++d) {
        std::vector<int> hits(n, 0);
        for (const auto& row : rows) {
            ASSERT_GT(row[d], 0.0);
            ASSERT_LT(row[d], 1.0);
            ++hits[static_cast<std::size_t>(row[d] * n)];
        }
        EXPECT_TRUE(std::all_of(hits.begin(), hits.end(), [](int h) { return h == 1; }));
    }
    EXPECT_EQ(LatinHypercube(n, 3, 42), rows);
    EXPECT_NE(LatinHypercube(n, 3, 43), rows);
}

// Quantiles worked from the distributions' definitions: the normal's 84.13 % point is one
// standard deviation above the mean, the lognormal's is median * exp(dispersion).
TEST(ParameterSetsTest, QuantilesOfEachDistribution) {
    const double plusOneSigma = 0.841344746068542948; // Phi(1)
    struct Case {
        StudyParameter p;
        double u, value;
    };
    StudyParameter truncated = sampled(Distribution::Normal, 0.0, 1.0);
    truncated.lower = 0.0; // the upper half: its median is the 75 % point, 0.6744897501960817
    StudyParameter clipped = sampled(Distribution::Uniform, 0.0, 10.0);
    clipped.lower = 2.0;
    clipped.upper = 4.0;
    const Case cases[] = {
        {sampled(Distribution::Uniform, 20.0, 28.0), 0.25, 22.0},
        {sampled(Distribution::Normal, 35.0, 2.0), 0.5, 35.0},
        {sampled(Distribution::Normal, 35.0, 2.0), plusOneSigma, 37.0},
        {sampled(Distribution::Lognormal, 0.5, 0.3), plusOneSigma, 0.5 * std::exp(0.3)},
        {truncated, 0.5, 0.6744897501960817},
        {clipped, 0.5, 3.0},
    };
    for (const Case& c : cases)
        EXPECT_NEAR(SampledValue(c.p, c.u), c.value, 1e-9);
}

TEST(ParameterSetsTest, GridCombinationsEachTakeEverySample) {
    StudyDescription s;
    StudyParameter grid;
    grid.kind = StudyParameter::Kind::Grid;
    grid.values = {1.0, 2.0, 3.0};
    StudyParameter fixed;
    fixed.values = {9.0};
    s.parameters = {grid, fixed, sampled(Distribution::Uniform, 0.0, 1.0)};
    s.samples = 4;
    const auto sets = ParameterSets(s);
    ASSERT_EQ(sets.size(), 12u);
    for (std::size_t i = 0; i < sets.size(); ++i) {
        EXPECT_EQ(sets[i][0], static_cast<double>(i / 4 + 1));
        EXPECT_EQ(sets[i][1], 9.0);
        // The same four samples under each grid value.
        EXPECT_EQ(sets[i][2], sets[i % 4][2]);
    }
}

} // namespace
} // namespace quibel::study
