// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/axis_ticks.h"

#include <gtest/gtest.h>

#include <cmath>

using quibel::AxisTicks;

TEST(AxisTicksTest, StepIsTheLargestNiceOneGivingEnoughIntervals) {
    struct Case {
        double lo, hi;
        int minTicks, decPlaces;
        double step;
        std::vector<double> major;
        int decimals;
    };
    const Case cases[] = {
        // 10 / 4 = 2.5: 5 gives only two intervals, 2 gives five.
        {0, 10, 4, -1, 2, {0, 2, 4, 6, 8, 10}, 0},
        {10, 0, 4, -1, 2, {0, 2, 4, 6, 8, 10}, 0},
        {0, 1, 4, -1, 0.2, {0, 0.2, 0.4, 0.6, 0.8, 1}, 1},
        {-3, 33, 4, -1, 5, {0, 5, 10, 15, 20, 25, 30}, 0},
        {0, 10, 1, -1, 10, {0, 10}, 0},
        {0, 0.05, 4, 3, 0.01, {0, 0.01, 0.02, 0.03, 0.04, 0.05}, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.lo << ".." << c.hi << " min " << c.minTicks);
        const AxisTicks t = AxisTicks::compute(c.lo, c.hi, c.minTicks, c.decPlaces);
        EXPECT_DOUBLE_EQ(t.step, c.step);
        EXPECT_EQ(t.decimals, c.decimals);
        ASSERT_EQ(t.major.size(), c.major.size());
        for (std::size_t i = 0; i < c.major.size(); ++i)
            EXPECT_NEAR(t.major[i], c.major[i], 1e-12);
    }
}

TEST(AxisTicksTest, ShortTicksSubdivideTheStep) {
    // Step 2 is cut in four, so 0..10 has 21 ticks in all.
    const AxisTicks two = AxisTicks::compute(0, 10, 4, -1);
    EXPECT_EQ(two.major.size() + two.minor.size(), 21u);
    EXPECT_NEAR(two.minor.front(), 0.5, 1e-12);
    // Step 5 is cut in five.
    const AxisTicks five = AxisTicks::compute(-3, 33, 4, -1);
    EXPECT_NEAR(five.minor.front(), -3, 1e-12);
    EXPECT_NEAR(five.minor.back(), 33, 1e-12);
}

TEST(AxisTicksTest, EmptyOrUndefinedRangeHasNoTicks) {
    for (auto [lo, hi] : {std::pair{5.0, 5.0}, std::pair{0.0, std::nan("")},
                          std::pair{-HUGE_VAL, 1.0}, std::pair{1e16, 1e16 + 4}}) {
        SCOPED_TRACE(testing::Message() << lo << ".." << hi);
        const AxisTicks t = AxisTicks::compute(lo, hi, 4, -1);
        EXPECT_TRUE(t.major.empty());
        EXPECT_TRUE(t.minor.empty());
    }
}
