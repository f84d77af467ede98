// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/sliding_rocking/kinematics.h"

#include "model/block_properties.h"
#include "model/model_flags.h"
#include "model/unit_change.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

using namespace quibel;

namespace {
// The start-up block (m - kN - ton) on a 4-degree plane, with two added masses on it and one
// below the plane, and two added forces (one of them below the plane).
TBlocStatic loadedBlock() {
    TBlocStatic m = startupModel();
    m.Beta = 4;
    m.Masses.Items.push_back({2, 25, 30, 4});
    m.Masses.Items.push_back({12, 14, 10, 1});
    m.Masses.Items.push_back({5, 9, 500, 9}); // below the heel: ignored
    setFlag(m.ModelFlags, ModelFlag::HasMasses, true);
    m.Forces.Items.push_back({3, 18, 100, -50});
    m.Forces.Items.push_back({3, 5, 1000, 1000}); // below the plane: ignored
    setFlag(m.ModelFlags, ModelFlag::HasForces, true);
    return m;
}
} // namespace

TEST(SlidingRockingKinematicsTest, UnshiftedPivotsGiveTheBlockProperties) {
    // Without a shift the pivots are the heel and the toe, so the combined centre, radius and
    // angle are those of the computed-data report for the same added masses. The inertia is
    // the sum of m r² about the pivot plus the own inertias; the report's Iheel and Itoe also
    // add the transfer terms to the combined centre, so the two agree only without masses.
    TBlocStatic m = loadedBlock();
    const BlockPropertiesResult r = BlockProperties(m);
    const double t = std::tan(4 * std::numbers::pi / 180);
    const double iHeel = 15473.2 + 398 * (5.301 * 5.301 + 6.964 * 6.964) + 30 * (2 * 2 + 15 * 15) +
                         4 + 10 * (12 * 12 + 4 * 4) + 1;
    const double iToe = 15473.2 + 398 * (10.699 * 10.699 + (6.964 - 16 * t) * (6.964 - 16 * t)) +
                        30 * (14 * 14 + (15 - 16 * t) * (15 - 16 * t)) + 4 +
                        10 * (4 * 4 + (4 - 16 * t) * (4 - 16 * t)) + 1;
    struct Case {
        const char* name;
        double u;
        std::uint8_t centerUp, centerDown;
    } cases[] = {
        {"at rest", 0.0, 1, 1},
        {"slid downstream (heel stays)", 0.3, 1, 0},
        {"slid upstream (toe stays)", -0.3, 0, 1},
        {"pivots fixed to the block", 0.3, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m.Options.CenterUp = c.centerUp;
        m.Options.CenterDown = c.centerDown;
        const PivotKinematics k(m);
        const MassProperties heel = k.HeelMassProperties(c.u);
        EXPECT_NEAR(heel.Mass, 398 + 40, 1e-12);
        EXPECT_NEAR(heel.Radius, r.Rup, 1e-12);
        EXPECT_NEAR(heel.Angle, r.ThetaUpM, 1e-12);
        EXPECT_NEAR(heel.Inertia, iHeel, 1e-8);
        EXPECT_NEAR(heel.Xc, r.Xg, 1e-12);
        EXPECT_NEAR(heel.Yc, r.Yg, 1e-12);
        if (c.u < 0 || c.centerDown == 0) {
            const MassProperties toe = k.ToeMassProperties(c.u);
            EXPECT_NEAR(toe.Radius, r.Rdown, 1e-12);
            EXPECT_NEAR(toe.Angle, r.ThetaDownM, 1e-12);
            EXPECT_NEAR(toe.Inertia, iToe, 1e-8);
            EXPECT_NEAR(toe.Yc, r.Yg, 1e-12); // measured above the heel, as for the heel pivot
        }
    }

    TBlocStatic alone = startupModel();
    alone.Beta = 4;
    const BlockPropertiesResult ra = BlockProperties(alone);
    const PivotKinematics k(alone);
    EXPECT_NEAR(k.HeelMassProperties(0).Inertia, ra.Iheel, 1e-8);
    EXPECT_NEAR(k.ToeMassProperties(0).Inertia, ra.Itoe, 1e-8);
    EXPECT_NEAR(k.ToeMassProperties(0).Radius, ra.Rdown, 1e-12);
}

TEST(SlidingRockingKinematicsTest, PivotFollowsTheSlidingByHand) {
    // Dry block alone on a level plane, B = 16, centre at (5.301, 6.964) above the heel.
    // Slid 1.5 m upstream, it pivots about the corner of the lower section, now 1.5 m inside
    // the block: arm (5.301 - 1.5, 6.964). Slid 2 m downstream, the toe pivot is 2 m inside
    // the block from the toe: arm (16 - 5.301 - 2, 6.964).
    TBlocStatic m = startupModel();
    const PivotKinematics k(m);
    const MassProperties heel = k.HeelMassProperties(-1.5);
    EXPECT_NEAR(heel.Radius, std::hypot(3.801, 6.964), 1e-12);
    EXPECT_NEAR(heel.Angle, std::atan2(3.801, 6.964), 1e-12);
    EXPECT_NEAR(heel.Inertia, 15473.2 + 398 * (3.801 * 3.801 + 6.964 * 6.964), 1e-8);
    EXPECT_NEAR(heel.Xc, 3.801, 1e-12);
    const MassProperties toe = k.ToeMassProperties(2.0);
    EXPECT_NEAR(toe.Radius, std::hypot(8.699, 6.964), 1e-12);
    EXPECT_NEAR(toe.Angle, std::atan2(8.699, 6.964), 1e-12);
    EXPECT_NEAR(toe.Inertia, 15473.2 + 398 * (8.699 * 8.699 + 6.964 * 6.964), 1e-8);

    // On a 10-degree plane the corner lies u (cos b, sin b) from the heel: the vertical arm
    // grows by u sin b as well.
    m.Beta = 10;
    const double c = std::cos(10 * std::numbers::pi / 180),
                 s = std::sin(10 * std::numbers::pi / 180);
    const MassProperties inclined = PivotKinematics(m).HeelMassProperties(-1.5);
    EXPECT_NEAR(inclined.Radius, std::hypot(5.301 - 1.5 * c, 6.964 - 1.5 * s), 1e-12);
    EXPECT_NEAR(inclined.Yc, 6.964 - 1.5 * s, 1e-12);
}

TEST(SlidingRockingKinematicsTest, ResultsAreTheSameInEveryUnitSystem) {
    const TBlocStatic si = loadedBlock();
    const PivotKinematics ref(si);
    const MassProperties heelRef = ref.HeelMassProperties(-0.4);
    const MassProperties toeRef = ref.ToeMassProperties(0.7);
    const ForceLoads heelFRef = ref.HeelForceLoads(-0.4, 0, 0);
    const ForceLoads toeFRef = ref.ToeForceLoads(0.7, 0, 0);
    for (UnitSystem u : {UnitSystem::MmNKg, UnitSystem::InLbLb, UnitSystem::FtKipKip}) {
        SCOPED_TRACE(unitIndex(u));
        TBlocStatic m = si;
        changeUnitSystem(m, u);
        const PivotKinematics k(m);
        const MassProperties heel = k.HeelMassProperties(-0.4);
        const MassProperties toe = k.ToeMassProperties(0.7);
        EXPECT_NEAR(heel.Mass, heelRef.Mass, 1e-9 * heelRef.Mass);
        EXPECT_NEAR(heel.Radius, heelRef.Radius, 1e-9);
        EXPECT_NEAR(heel.Angle, heelRef.Angle, 1e-9);
        EXPECT_NEAR(heel.Inertia, heelRef.Inertia, 1e-8 * heelRef.Inertia);
        EXPECT_NEAR(toe.Radius, toeRef.Radius, 1e-9);
        EXPECT_NEAR(toe.Inertia, toeRef.Inertia, 1e-8 * toeRef.Inertia);
        const ForceLoads hf = k.HeelForceLoads(-0.4, 0, 0);
        const ForceLoads tf = k.ToeForceLoads(0.7, 0, 0);
        EXPECT_NEAR(hf.SumFh, heelFRef.SumFh, 1e-6);
        EXPECT_NEAR(hf.MomentH, heelFRef.MomentH, 1e-5);
        EXPECT_NEAR(hf.MomentV, heelFRef.MomentV, 1e-5);
        EXPECT_NEAR(tf.MomentH, toeFRef.MomentH, 1e-5);
        EXPECT_NEAR(tf.MomentV, toeFRef.MomentV, 1e-5);
    }
}

TEST(SlidingRockingKinematicsTest, ForceMomentsByHand) {
    // Level plane, heel at elevation 10, toe at X = 16. Added force (100, -50) kN at (3, 18):
    // about the heel -8 x 100 + 3 x (-50); about the toe -8 x 100 - (16 - 3) x (-50).
    TBlocStatic m = loadedBlock();
    m.Beta = 0;
    // Horizontal force history 20 kN at (0, 25), vertical one -30 kN at (10, 12).
    m.history(HistoryKind::HorizontalForce).PosX = 0;
    m.history(HistoryKind::HorizontalForce).PosY = 25;
    m.history(HistoryKind::VerticalForce).PosX = 10;
    m.history(HistoryKind::VerticalForce).PosY = 12;
    const PivotKinematics k(m);
    const ForceLoads heel = k.HeelForceLoads(0, 20, -30);
    EXPECT_DOUBLE_EQ(heel.SumFh, 120);
    EXPECT_DOUBLE_EQ(heel.SumFv, -80);
    EXPECT_DOUBLE_EQ(heel.MomentH, -800 - 15 * 20);
    EXPECT_DOUBLE_EQ(heel.MomentV, -150 + 10 * -30);
    const ForceLoads toe = k.ToeForceLoads(0, 20, -30);
    EXPECT_DOUBLE_EQ(toe.SumFh, 120);
    EXPECT_DOUBLE_EQ(toe.MomentH, -800 - 15 * 20);
    EXPECT_DOUBLE_EQ(toe.MomentV, 650 - 6 * -30);
    // Slid 1 m upstream with the moving pivot, the heel arms of the vertical forces shrink
    // by 1 m.
    const ForceLoads moved = k.HeelForceLoads(-1, 20, -30);
    EXPECT_DOUBLE_EQ(moved.MomentV, 2 * -50 + 9 * -30);
}

TEST(SlidingRockingKinematicsTest, ForceHistoryBelowThePlaneIsIgnored) {
    TBlocStatic m = startupModel(); // no added forces: only the histories count
    m.history(HistoryKind::HorizontalForce).PosX = 4;
    m.history(HistoryKind::HorizontalForce).PosY = 9.5; // below the heel at 10
    m.history(HistoryKind::VerticalForce).PosX = 4;
    m.history(HistoryKind::VerticalForce).PosY = 12;
    const PivotKinematics k(m);
    const ForceLoads f = k.HeelForceLoads(0, 1e9, 7);
    EXPECT_EQ(f.SumFh, 0.0);
    EXPECT_EQ(f.MomentH, 0.0);
    EXPECT_DOUBLE_EQ(f.SumFv, 7);
    EXPECT_DOUBLE_EQ(f.MomentV, 28);
    EXPECT_EQ(k.sumFh(1e9), 0.0);
    EXPECT_DOUBLE_EQ(k.sumFv(7), 7);
}
