// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/sliding_rocking/modes.h"

#include <gtest/gtest.h>

using namespace quibel;

TEST(SlidingRockingModesTest, LabelsAndPivotMaps) {
    struct Case {
        MotionMode mode;
        const char* label;
        MotionMode swapped, reversed, rocking;
    } cases[] = {
        {MotionMode::Stop, "Stop", MotionMode::Stop, MotionMode::Stop, MotionMode::Stop},
        {MotionMode::Sliding, "Sliding", MotionMode::Sliding, MotionMode::Sliding,
         MotionMode::Sliding},
        {MotionMode::RockingUS, "Rocking U/S", MotionMode::RockingUS, MotionMode::RockingUS,
         MotionMode::RockingUS},
        {MotionMode::RockingDS, "Rocking D/S", MotionMode::RockingDS, MotionMode::RockingDS,
         MotionMode::RockingDS},
        {MotionMode::SlidingUSRockingUS, "Sliding U/S - Rocking U/S",
         MotionMode::SlidingUSRockingDS, MotionMode::SlidingDSRockingUS, MotionMode::RockingUS},
        {MotionMode::SlidingUSRockingDS, "Sliding U/S - Rocking D/S",
         MotionMode::SlidingUSRockingUS, MotionMode::SlidingDSRockingDS, MotionMode::RockingDS},
        {MotionMode::SlidingDSRockingUS, "Sliding D/S - Rocking U/S",
         MotionMode::SlidingDSRockingDS, MotionMode::SlidingUSRockingUS, MotionMode::RockingUS},
        {MotionMode::SlidingDSRockingDS, "Sliding D/S - Rocking D/S",
         MotionMode::SlidingDSRockingUS, MotionMode::SlidingUSRockingDS, MotionMode::RockingDS},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(MotionModeLabel(c.mode), c.label);
        EXPECT_EQ(swapPivot(c.mode), c.swapped);
        EXPECT_EQ(reverseSliding(c.mode), c.reversed);
        EXPECT_EQ(pureRocking(c.mode), c.rocking);
    }
}

TEST(SlidingRockingModesTest, ModeCheckCodes) {
    struct Case {
        MotionMode mode;
        double theta, v;
        int code;
    } cases[] = {
        {MotionMode::Stop, -1, 1, 0},
        {MotionMode::Sliding, 1, -1, 0},
        {MotionMode::RockingUS, 0, 0, 0},
        {MotionMode::RockingUS, -1e-9, 0, 101},
        {MotionMode::SlidingUSRockingUS, 0.1, -0.1, 0},
        {MotionMode::SlidingUSRockingUS, -0.1, -0.1, 102},
        {MotionMode::SlidingUSRockingUS, 0.1, 0.0, 102},
        {MotionMode::SlidingDSRockingUS, 0.1, 0.1, 0},
        {MotionMode::SlidingDSRockingUS, 0.1, 0.0, 103},
        {MotionMode::SlidingDSRockingUS, -0.1, 0.1, 103},
        {MotionMode::RockingDS, 0, 5, 0},
        {MotionMode::RockingDS, 1e-9, 0, 104},
        {MotionMode::SlidingUSRockingDS, -0.1, -0.1, 0},
        {MotionMode::SlidingUSRockingDS, -0.1, 0.1, 105},
        {MotionMode::SlidingUSRockingDS, 0.1, -0.1, 105},
        {MotionMode::SlidingDSRockingDS, -0.1, 0.1, 0},
        {MotionMode::SlidingDSRockingDS, -0.1, -0.1, 106},
        {MotionMode::SlidingDSRockingDS, 0.1, 0.1, 106},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << static_cast<int>(c.mode) << " " << c.theta << " " << c.v);
        EXPECT_EQ(ModeCheck(c.mode, c.theta, c.v), c.code);
    }
}

TEST(SlidingRockingModesTest, TendenciesAndEvents) {
    EXPECT_EQ(SlidingTendency(-5, 4), Tendency::Upstream);
    EXPECT_EQ(SlidingTendency(5, -4), Tendency::Downstream);
    EXPECT_EQ(SlidingTendency(4, -4), Tendency::None); // friction holds when |D| <= |Fr|
    EXPECT_EQ(SlidingTendency(0, 0), Tendency::None);
    EXPECT_EQ(RockingTendency(1, -1), Tendency::Upstream); // the heel moment is tested first
    EXPECT_EQ(RockingTendency(0, -1), Tendency::Downstream);
    EXPECT_EQ(RockingTendency(-1, 0), Tendency::None);

    EXPECT_TRUE(SlidingReversed(0.1, -1e-12));
    EXPECT_FALSE(SlidingReversed(0.0, -1));
    EXPECT_FALSE(SlidingReversed(0.1, 0.0));
    EXPECT_TRUE(RotationReversed(-1e-3, 1e-9));
    EXPECT_FALSE(RotationReversed(0.0, 1e-9));

    EXPECT_TRUE(RotationSettled(1e-8, -1e-5));
    EXPECT_FALSE(RotationSettled(1e-8, 1e-5));  // moving away from the plane
    EXPECT_FALSE(RotationSettled(2e-7, -1e-5)); // not close enough
    EXPECT_FALSE(RotationSettled(1e-8, -2e-4)); // too fast: it bounces
    EXPECT_FALSE(RotationSettled(0.0, 0.0));
}
