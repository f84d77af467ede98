// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/loads/added_loads.h"
#include "engine/loads/hydrodynamic_loads.h"
#include "engine/loads/hydrostatic_loads.h"
#include "engine/loads/load_model.h"
#include "engine/loads/water_loads.h"
#include "engine/run/si_model.h"
#include "model/model_flags.h"
#include "model/unit_change.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>

using namespace quibel;

namespace {

// The start-up dam: heel at 10 m, 28 m reservoir (hw = 18 m over the heel), U = 1330 kN at
// 5.33 m, B = 16 m, T = 1 m, g = 9.807 m/s².
LoadModel loadsOf(const TBlocStatic& model) {
    return MakeLoadModel(model, MakeSiModel(model));
}

constexpr double kG = 9.807;

} // namespace

TEST(HydrostaticLoadsTest, StaticThrustByReservoirLevel) {
    struct Case {
        double Hr;
        double av;
        double force; // worked out by hand
        double arm;
    };
    const Case cases[] = {
        {28, 0, kG * 18 * 18 / 2, 6.0},        // triangle over hw = 18 m
        {28, -2, (kG - 2) * 18 * 18 / 2, 6.0}, // the vertical acceleration changes the weight
        {35, 0, kG * (5 + 25) / 2 * 20, (2.0 / 3 * 5 * 20 + 25 * 20 / 3.0) / 30}, // over the top
        {10, 0, 0, 0},                                                            // at the heel
        {4, 0, 0, 0},                                                             // below the heel
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("Hr = " + std::to_string(c.Hr) + ", av = " + std::to_string(c.av));
        TBlocStatic m = startupModel();
        m.Hr = c.Hr;
        const StaticThrust t = StaticHydrostaticThrust(loadsOf(m), c.av);
        EXPECT_NEAR(t.force, c.force, 1e-9);
        EXPECT_NEAR(t.arm, c.arm, 1e-12);
    }
}

TEST(HydrostaticLoadsTest, StaticThrustIgnoresTheVerticalAccelerationOption) {
    TBlocStatic m = startupModel();
    m.Options.VerticalAcceleration = 1;
    EXPECT_NEAR(StaticHydrostaticThrust(loadsOf(m), -2).force, (kG - 2) * 162, 1e-9);
}

TEST(HydrostaticLoadsTest, StaticAddedMassIsWestergaardTypeOrZero) {
    TBlocStatic m = startupModel();
    EXPECT_NEAR(StaticAddedMass(loadsOf(m)), 0.543 * std::sqrt(28.0) * std::pow(18.0, 1.5), 1e-9);
    m.T = 2;
    EXPECT_NEAR(StaticAddedMass(loadsOf(m)), 2 * 0.543 * std::sqrt(28.0) * std::pow(18.0, 1.5),
                1e-9);
    m.Options.Translational = 1;
    EXPECT_EQ(StaticAddedMass(loadsOf(m)), 0.0);
    m = startupModel();
    m.Hr = 10; // at the heel
    EXPECT_EQ(StaticAddedMass(loadsOf(m)), 0.0);
}

TEST(HydrodynamicLoadsTest, TranslationalLoadPushesBackAgainstTheFace) {
    TBlocStatic m = startupModel();
    const LoadModel loads = loadsOf(m);
    const TranslationalLoad r = TranslationalHydrodynamicLoad(loads, 0, 0, 1.5, 0.5);
    const double mass = 0.543 * std::sqrt(28.0) * std::pow(18.0, 1.5);
    EXPECT_NEAR(r.addedMass, mass, 1e-9);
    EXPECT_NEAR(r.load.force, -2.0 * mass, 1e-9);
    // Upstream force at 0.401 h above the heel: counter-clockwise about both pivots (beta 0).
    EXPECT_NEAR(r.load.momentHeel, 2.0 * mass * 0.401 * 18, 1e-8);
    EXPECT_NEAR(r.load.momentToe, 2.0 * mass * 0.401 * 18, 1e-8);

    m.Options.Translational = 1;
    const TranslationalLoad off = TranslationalHydrodynamicLoad(loadsOf(m), 0, 0, 1.5, 0.5);
    EXPECT_EQ(off.addedMass, 0.0);
    EXPECT_EQ(off.load.force, 0.0);
    EXPECT_EQ(off.load.momentHeel, 0.0);
    EXPECT_EQ(off.load.momentToe, 0.0);
}

TEST(HydrodynamicLoadsTest, TranslationalLoadFollowsTheSlideAndTheMovingPivots) {
    TBlocStatic m = startupModel();
    m.Beta = 10;
    const double sb = std::sin(10 * std::numbers::pi / 180);
    const double tb = std::tan(10 * std::numbers::pi / 180);
    const double u = 0.5;
    // A slide downstream raises the heel by u sin(beta): less water on the face.
    const double h = 18 - u * sb;
    const double mass = 0.543 * std::sqrt(28.0) * std::pow(h, 1.5);
    const double f = -mass;
    {
        const TranslationalLoad r = TranslationalHydrodynamicLoad(loadsOf(m), u, 0, 1, 0);
        EXPECT_NEAR(r.addedMass, mass, 1e-9);
        EXPECT_NEAR(r.load.momentHeel, -f * 0.401 * h, 1e-8);
        EXPECT_NEAR(r.load.momentToe, -f * (0.401 * h - 16 * tb), 1e-8); // the pivot moved
    }
    m.Options.CenterDown = 0;
    {
        const TranslationalLoad r = TranslationalHydrodynamicLoad(loadsOf(m), u, 0, 1, 0);
        EXPECT_NEAR(r.load.momentToe, -f * (0.401 * h - 16 * tb + u * sb), 1e-8);
    }
    // Upstream slide: the heel pivot moves with the block when CenterUp is 1.
    const double hu = 18 + u * sb;
    const double fu = -0.543 * std::sqrt(28.0) * std::pow(hu, 1.5);
    const TranslationalLoad r = TranslationalHydrodynamicLoad(loadsOf(m), -u, 0, 1, 0);
    EXPECT_NEAR(r.load.momentHeel, -fu * (0.401 * hu - u * sb), 1e-8);
}

TEST(HydrodynamicLoadsTest, RotationalLoadScalesWithMultiplierAndRotation) {
    TBlocStatic m = startupModel();
    const LoadModel loads = loadsOf(m);
    const FaceLoad unit = RotationalHydrodynamicLoad(loads, 30, 20, 28, kG, 0, -1);
    // d = 18 m wetted over 28 m: r = 9/14. The fit C(r) is positive over 0..1, so k = -1 gives
    // an upstream force.
    EXPECT_LT(unit.force, 0.0);
    const FaceLoad doubled = RotationalHydrodynamicLoad(loads, 30, 20, 28, kG, 0, 2);
    EXPECT_NEAR(doubled.force, -2 * unit.force, 1e-9);
    EXPECT_NEAR(doubled.momentHeel, -2 * unit.momentHeel, 1e-9);
    const FaceLoad tilted = RotationalHydrodynamicLoad(loads, 30, 20, 28, kG, 0.1, -1);
    EXPECT_NEAR(tilted.force * std::cos(0.1), unit.force, 1e-9);
    // Arm of the resultant along the face: between the heel and the water surface.
    const double arm = -unit.momentHeel / unit.force;
    EXPECT_GT(arm, 0.0);
    EXPECT_LT(arm, 18.0);
    EXPECT_NEAR(unit.momentToe, unit.momentHeel, 1e-12); // beta 0: both pivots at one height

    struct Off {
        const char* what;
        double z3;
        std::uint8_t rotational;
    };
    for (const Off c : {Off{"switched off", 28, 1}, Off{"water at the heel", 10, 0},
                        Off{"below the heel", 5, 0}, Off{"no reservoir", 0, 0}}) {
        SCOPED_TRACE(c.what);
        TBlocStatic mm = startupModel();
        mm.Options.Rotational = c.rotational;
        const FaceLoad r = RotationalHydrodynamicLoad(loadsOf(mm), 30, 20, c.z3, kG, 0.1, 3);
        EXPECT_EQ(r.force, 0.0);
        EXPECT_EQ(r.momentHeel, 0.0);
        EXPECT_EQ(r.momentToe, 0.0);
    }
}

TEST(WaterLoadsTest, DryBlockCarriesOnlyTheUplift) {
    TBlocStatic m = startupModel();
    m.Hr = 0;
    m.Beta = 5;
    const double b = 5 * std::numbers::pi / 180;
    const double Lb = 16 / std::cos(b);
    const WaterLoadsResult r = WaterLoads(loadsOf(m), 0, 0, 0);
    EXPECT_NEAR(r.Fx, -1330 * std::sin(b), 1e-9);
    EXPECT_NEAR(r.Fy, 1330 * std::cos(b), 1e-9);
    EXPECT_NEAR(r.momentHeel, 1330 * 5.33, 1e-9);
    EXPECT_NEAR(r.momentToe, -1330 * (Lb - 5.33), 1e-9);
    // Slid downstream by 0.2 m with the toe pivot following: the lever to the toe shortens.
    const WaterLoadsResult slid = WaterLoads(loadsOf(m), 0, 0.2, 0);
    EXPECT_NEAR(slid.momentToe, -1330 * (Lb - 5.33 - 0.2), 1e-9);
    EXPECT_NEAR(slid.momentHeel, 1330 * 5.33, 1e-9);
}

TEST(WaterLoadsTest, BlockAtRestMatchesTheStaticThrust) {
    for (const double Hr : {28.0, 35.0}) {
        for (const double av : {0.0, -2.0}) {
            SCOPED_TRACE("Hr = " + std::to_string(Hr) + ", av = " + std::to_string(av));
            TBlocStatic m = startupModel();
            m.Hr = Hr;
            const LoadModel loads = loadsOf(m);
            const StaticThrust s = StaticHydrostaticThrust(loads, av);
            const WaterLoadsResult r = WaterLoads(loads, 0, 0, av);
            EXPECT_NEAR(r.Fx, s.force, 1e-9);
            EXPECT_NEAR(r.Fy, 1330, 1e-9);
            EXPECT_NEAR(r.momentHeel, -s.force * s.arm + 1330 * 5.33, 1e-8);
            EXPECT_NEAR(r.momentToe, -s.force * s.arm - 1330 * (16 - 5.33), 1e-8);
        }
    }
}

TEST(WaterLoadsTest, VerticalAccelerationOptionRemovesItFromTheWater) {
    TBlocStatic m = startupModel();
    m.Options.VerticalAcceleration = 1;
    const LoadModel loads = loadsOf(m);
    EXPECT_NEAR(WaterLoads(loads, 0, 0, -2).Fx, kG * 162, 1e-9);
    EXPECT_NEAR(RockingWaterMoment(loads, 1e-3, -2), RockingWaterMoment(loads, 1e-3, 0), 1e-12);
}

// Just off theta = 0 the water moment about the pivot is the moment of the static pressures:
// the triangle gamma hw³ / 6 and the uplift as the option keeps it. WaterLoads, with its own
// formulas for a rotated block, must agree.
TEST(WaterLoadsTest, RockingWaterMomentStartsFromTheStaticMoments) {
    const double gamma = kG;
    const double face = gamma * 18 * 18 * 18 / 6;
    struct Case {
        const char* what;
        double theta;
        std::uint8_t upliftUp;
        std::uint8_t upliftDown;
        double expected;
    };
    const double eps = 1e-7;
    const Case cases[] = {
        {"heel, no uplift", eps, 0, 1, -face},
        {"heel, uplift unchanged", eps, 1, 1, -face + 1330 * 5.33},
        {"toe, no uplift", -eps, 0, 0, -face},
        {"toe, uplift unchanged", -eps, 0, 1, -face - 1330 * (16 - 5.33)},
        // Full reservoir pressure gamma hw under the whole base, B / 2 from the toe.
        {"toe, full reservoir", -eps, 0, 2, -face - gamma * 18 * 16 * 16 / 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TBlocStatic m = startupModel();
        m.Options.UpliftUp = c.upliftUp;
        m.Options.UpliftDown = c.upliftDown;
        const LoadModel loads = loadsOf(m);
        const double moment = RockingWaterMoment(loads, c.theta, 0);
        EXPECT_NEAR(moment, c.expected, 1e-6 * std::fabs(c.expected));
        const WaterLoadsResult w = WaterLoads(loads, c.theta, 0, 0);
        EXPECT_NEAR(c.theta > 0 ? w.momentHeel : w.momentToe, c.expected,
                    1e-5 * std::fabs(c.expected));
    }
}

TEST(WaterLoadsTest, RockingWaterMomentIsZeroWithoutWaterOrRotation) {
    TBlocStatic m = startupModel();
    EXPECT_EQ(RockingWaterMoment(loadsOf(m), 0, 0), 0.0);
    m.Options.Rotational = 1;
    EXPECT_EQ(RockingWaterMoment(loadsOf(m), 0.01, 0), 0.0);
    m = startupModel();
    m.Hr = 5; // below the heel
    m.Options.UpliftUp = 1;
    EXPECT_EQ(RockingWaterMoment(loadsOf(m), 0.01, 0), 0.0);
    m.Hr = 40; // face always submerged: no value at theta = 0, which gives 0
    EXPECT_EQ(RockingWaterMoment(loadsOf(m), 0, 0), 0.0);
}

TEST(WaterLoadsTest, GapUnderTheHeelOfABlockSlidUpstream) {
    // Slid upstream by 0.3 m, rotating about the heel that moved with it, without uplift: only
    // the water in the gap lifts the block, acting within the gap.
    TBlocStatic m = startupModel();
    m.Options.UpliftUp = 0;
    m.Options.CenterUp = 1;
    const double u = -0.3;
    const double theta = 0.01;
    const WaterLoadsResult w = WaterLoads(loadsOf(m), theta, u, 0);
    const double pBottom = kG * (18 - std::sin(theta) * u);
    const double pGap = kG * 18;
    const double uplift = -(pBottom + pGap) / 2 * u;
    const double x = (-u / 3) * (2 * pGap + pBottom) / (pBottom + pGap);
    EXPECT_GT(x, 0.0);
    EXPECT_LT(x, 0.3);
    // Vertical component: face thrust sin(theta) plus the gap uplift along the rotated base.
    const double hs = (0 + pBottom) / 2 * (18 / std::cos(theta));
    EXPECT_NEAR(w.Fy, hs * std::sin(theta) + uplift * std::cos(-theta), 1e-9);
}

TEST(AddedLoadsTest, OnlyItemsOnTheBlockCountAndAreConvertedToSi) {
    TBlocStatic m = startupModel();
    changeUnitSystem(m, UnitSystem::MmNKg);
    m.Forces.Items.push_back({3000, 18000, 1000, -500});
    m.Forces.Items.push_back({3000, 9999, 1e9, 1e9}); // below the plane (heel at 10 000 mm)
    m.Forces.Items.push_back({-500, 10000, 200, 0});  // on the extended plane, upstream
    m.Masses.Items.push_back({2000, 25000, 3000, 4e6});
    m.Masses.Items.push_back({2000, 9000, 1e9, 0}); // below
    {
        const AddedLoadsOnBlock a = CollectAddedLoads(m); // flags clear: nothing counts
        EXPECT_EQ(a.sumFx, 0.0);
        EXPECT_EQ(a.mass, 0.0);
        EXPECT_TRUE(a.forces.empty());
    }
    setFlag(m.ModelFlags, ModelFlag::HasForces, true);
    setFlag(m.ModelFlags, ModelFlag::HasMasses, true);
    const AddedLoadsOnBlock a = CollectAddedLoads(m);
    EXPECT_NEAR(a.sumFx, 1.2, 1e-12); // kN
    EXPECT_NEAR(a.sumFy, -0.5, 1e-12);
    ASSERT_EQ(a.forces.size(), 2u);
    EXPECT_NEAR(a.forces[0].x, 3.0, 1e-12);
    EXPECT_NEAR(a.forces[0].y, 18.0, 1e-12);
    EXPECT_NEAR(a.mass, 3.0, 1e-12);        // t
    EXPECT_NEAR(a.ownInertia, 4e-3, 1e-15); // kg·mm² to t·m²: 1e-3 x 1e-6
    ASSERT_EQ(a.masses.size(), 1u);
    EXPECT_EQ(a.masses[0].index, 0);
}

TEST(AddedLoadsTest, ForceHistoryBelowThePlaneIsOffTheBlock) {
    TBlocStatic m = startupModel();
    m.Beta = 10; // the plane rises 16 tan 10° = 2.82 m from heel to toe
    TimeHistoryRecord& h = m.history(HistoryKind::HorizontalForce);
    h.PosX = 16;
    h.PosY = 12;
    EXPECT_FALSE(ForceHistoryOnBlock(m, HistoryKind::HorizontalForce));
    h.PosY = 13;
    EXPECT_TRUE(ForceHistoryOnBlock(m, HistoryKind::HorizontalForce));
}
