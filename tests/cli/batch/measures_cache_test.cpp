// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/batch/measures_cache.h"

#include <gtest/gtest.h>

#include <vector>

using namespace quibel;
using namespace quibel::cli;

// A signal met again gets its own measures, never those of a signal that differs in a sample
// or in its step: the peak of a triangle pulse is its apex, at the apex's sample time.
TEST(MeasuresCacheTest, EachSignalGetsItsOwnPeakWhetherFormedOrRemembered) {
    struct Case {
        std::vector<double> accelerations; // g
        double dt;                         // s
        double pga;                        // g
        double tPga;                       // s
    };
    const std::vector<Case> cases{
        {{0.0, 1.0, 0.0}, 0.1, 1.0, 0.1}, {{0.0, -2.0, 0.0}, 0.1, 2.0, 0.1},
        {{0.0, 1.0, 0.0}, 0.2, 1.0, 0.2}, {{0.0, 0.0, 0.5}, 0.1, 0.5, 0.2},
        {{0.0, 1.0, 0.0}, 0.1, 1.0, 0.1}, {{0.0, -2.0, 0.0}, 0.1, 2.0, 0.1},
    };
    MeasuresCache cache;
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const IntensityMeasures m = cache.measures(cases[i].accelerations, cases[i].dt);
        EXPECT_DOUBLE_EQ(m.Pga, cases[i].pga) << "case " << i;
        EXPECT_DOUBLE_EQ(m.TPga, cases[i].tPga) << "case " << i;
    }
}
