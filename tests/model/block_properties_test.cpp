// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/block_properties.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

using namespace quibel;

TEST(BlockPropertiesTest, OnBlockFollowsTheExtendedPlane) {
    TBlocStatic m = startupModel(); // heel elevation 10, B = 16
    struct Case {
        double beta, x, y;
        bool on;
    } cases[] = {
        {0, 5, 10, true},
        {0, 5, 9.999, false},
        {0, -30, 10.5, true}, // far upstream, above the extended line
        {10, 16, 10 + 16 * std::tan(10 * std::numbers::pi / 180), true},
        {10, 16, 10 + 16 * std::tan(10 * std::numbers::pi / 180) - 0.001, false},
        {-5, 40, 10 - 40 * std::tan(5 * std::numbers::pi / 180) + 0.001, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.beta << " " << c.x << " " << c.y);
        m.Beta = c.beta;
        EXPECT_EQ(OnBlock(m, c.x, c.y), c.on);
    }
    m.B = 0;
    EXPECT_FALSE(OnBlock(m, 0, 100));
}

TEST(BlockPropertiesTest, WithoutMassesOnTheBlockGivesBlockValues) {
    TBlocStatic m = startupModel();
    m.Beta = 5;
    m.Masses.Items.push_back({3, 5, 1000, 7}); // below the plane
    const auto r = BlockProperties(m);
    const double t = std::tan(5 * std::numbers::pi / 180);
    EXPECT_DOUBLE_EQ(r.Xg, 5.301);
    EXPECT_DOUBLE_EQ(r.Yg, 6.964);
    EXPECT_DOUBLE_EQ(r.Icg, 15473.2);
    EXPECT_DOUBLE_EQ(r.Iheel, 15473.2 + 398 * (5.301 * 5.301 + 6.964 * 6.964));
    EXPECT_DOUBLE_EQ(r.Itoe, 15473.2 + 398 * ((16 - 5.301) * (16 - 5.301) +
                                              (6.964 - 16 * t) * (6.964 - 16 * t)));
    EXPECT_DOUBLE_EQ(r.ThetaUpM, std::atan(5.301 / 6.964));
    EXPECT_DOUBLE_EQ(r.ThetaDownM, std::atan((16 - 5.301) / (6.964 - 16 * t)));
    EXPECT_DOUBLE_EQ(r.Rup, std::hypot(5.301, 6.964));
}

TEST(BlockPropertiesTest, TwoPointMassesByHand) {
    // Block of 2 t at (1, 1) above the heel, plus 2 t at (3, 1): combined centre (2, 1).
    TBlocStatic m = startupModel();
    m.M = 2;
    m.Im = 0;
    m.Xc = 1;
    m.Yc = 1;
    m.B = 4;
    m.Masses.Items.push_back({3, 11, 2, 0.5});  // elevation 11 = 1 above the heel
    m.Masses.Items.push_back({0, 10, 0, 0.25}); // zero mass still adds its inertia
    const auto r = BlockProperties(m);
    EXPECT_DOUBLE_EQ(r.Xg, 2);
    EXPECT_DOUBLE_EQ(r.Yg, 1);
    EXPECT_DOUBLE_EQ(r.Icg, 0.5 + 0.25 + 2 * 1 + 2 * 1); // own + transfers
    EXPECT_DOUBLE_EQ(r.Iheel, 2 * 2 + 2 * 10 + r.Icg);   // M r² about heel + m r² + Icg
    EXPECT_DOUBLE_EQ(r.Itoe, 2 * (9 + 1) + 2 * (1 + 1) + r.Icg);
}

TEST(BlockPropertiesTest, DegenerateCentresGiveFiniteAngles) {
    TBlocStatic m = startupModel();
    m.Yc = 0; // centre on the plane at the heel
    auto r = BlockProperties(m);
    EXPECT_TRUE(std::isfinite(r.ThetaUpM));
    EXPECT_DOUBLE_EQ(r.ThetaUpM, std::numbers::pi / 2);
    m.Xc = 0;
    r = BlockProperties(m);
    EXPECT_EQ(r.ThetaUpM, 0.0);
    EXPECT_TRUE(std::isfinite(r.ThetaDownM));
}
