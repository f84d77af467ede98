// SPDX-License-Identifier: GPL-3.0-or-later
#include "study/fragility_fit.h"
#include "study/level_counts.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace quibel::study {
namespace {

// Two levels fit exactly: half the cases past at 0.3 g puts the median there, and 9 of 10 at
// 0.6 g gives ln 2 = dispersion * z(0.9). The standard errors follow by the delta method from
// the binomial variances p q / n of the two fractions through z = Phi^-1(p): var z = p q /
// (n phi(z)^2); ln median = x1 - dispersion * z1 with z1 = 0, and dispersion = (x2 - x1) /
// (z2 - z1).
TEST(FragilityFitTest, TwoLevelsWorkedByHand) {
    const std::optional<FragilityFit> fit = FitFragility({{0.3, 10, 5}, {0.6, 10, 9}});
    ASSERT_TRUE(fit);
    const double z2 = 1.2815515655446004; // Phi^-1(0.9)
    const double beta = std::log(2.0) / z2;
    EXPECT_NEAR(fit->median, 0.3, 1e-7);
    EXPECT_NEAR(fit->dispersion, beta, 1e-7);

    const double pi = 3.14159265358979323846;
    const double varZ1 = 0.25 / 10 * 2 * pi; // phi(0)^2 = 1 / (2 pi)
    const double phi2 = std::exp(-z2 * z2 / 2) / std::sqrt(2 * pi);
    const double varZ2 = 0.09 / 10 / (phi2 * phi2);
    EXPECT_NEAR(fit->medianError, 0.3 * beta * std::sqrt(varZ1), 1e-6);
    EXPECT_NEAR(fit->dispersionError, beta / z2 * std::sqrt(varZ1 + varZ2), 1e-6);
    // The likelihood of the exact fit is that of the observed fractions.
    EXPECT_NEAR(fit->logLikelihood, 10 * std::log(0.5) + 9 * std::log(0.9) + std::log(0.1), 1e-9);
}

// Counts drawn from a known curve give back its median and dispersion within a few standard
// errors, for several draws.
TEST(FragilityFitTest, RecoversTheCurveBinomialCountsWereDrawnFrom) {
    const double median = 0.5, dispersion = 0.4;
    for (std::uint64_t seed : {1u, 2u, 3u, 4u, 5u}) {
        std::mt19937_64 engine(seed);
        std::vector<LevelCount> counts;
        for (int level = 1; level <= 10; ++level) {
            LevelCount c{0.1 * level, 50, 0};
            const double p = FragilityProbability(c.intensity, median, dispersion);
            for (int i = 0; i < c.cases; ++i)
                c.past += static_cast<double>(engine() >> 11) * 0x1.0p-53 < p ? 1 : 0;
            counts.push_back(c);
        }
        const std::optional<FragilityFit> fit = FitFragility(counts);
        ASSERT_TRUE(fit);
        EXPECT_LT(std::abs(fit->median - median), 3 * fit->medianError) << seed;
        EXPECT_LT(std::abs(fit->dispersion - dispersion), 3 * fit->dispersionError) << seed;
        EXPECT_LT(fit->medianError, 0.05);
    }
}

TEST(FragilityFitTest, NoCurveWhenTheCountsDetermineNone) {
    const std::vector<std::vector<LevelCount>> undetermined = {
        {},
        {{0.1, 10, 0}, {0.2, 10, 0}},   // none past
        {{0.1, 10, 10}, {0.2, 10, 10}}, // all past
        {{0.1, 10, 0}, {0.2, 10, 10}},  // a step: the dispersion would go to zero
        {{0.1, 0, 0}, {0.2, 0, 0}},     // no case ran
    };
    for (const auto& counts : undetermined)
        EXPECT_FALSE(FitFragility(counts));
    // The same fraction at every level: the curve flattens without end.
    EXPECT_FALSE(FitFragility({{0.1, 10, 5}, {0.2, 10, 5}}));
    EXPECT_FALSE(FitFragility({{0.1, 10, 7}, {0.2, 10, 5}, {0.4, 10, 3}}));
    // Overlap without any level inside, rising on the whole: all past at 0.2 g, none at 0.3 g.
    EXPECT_TRUE(FitFragility(
        {{0.1, 10, 0}, {0.2, 10, 10}, {0.3, 10, 0}, {0.4, 10, 10}, {0.5, 10, 10}, {0.6, 10, 10}}));
}

TEST(LevelCountsTest, CountsCasesPastEachSideOfALimit) {
    DamageLimit sliding;
    sliding.threshold = 0.05;
    DamageLimit factor;
    factor.above = false;
    factor.threshold = 1.0;
    const std::vector<int> levels = {0, 0, 1, 1, 1};
    const std::vector<std::optional<double>> slides = {0.01, 0.06, 0.05, std::nullopt, 0.2};
    const auto c = CountPastLimit(sliding, {0.1, 0.2}, levels, slides);
    EXPECT_EQ(c[0].cases, 2);
    EXPECT_EQ(c[0].past, 1);
    EXPECT_EQ(c[1].cases, 2); // the case without a response is left out
    EXPECT_EQ(c[1].past, 1);  // 0.05 is not past 0.05
    const auto f = CountPastLimit(factor, {0.1, 0.2}, levels, {0.9, 1.0, 1.5, 0.2, 0.99});
    EXPECT_EQ(f[0].past, 1);
    EXPECT_EQ(f[1].past, 2);
}

} // namespace
} // namespace quibel::study
