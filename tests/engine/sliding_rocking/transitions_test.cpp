// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/sliding_rocking/equations.h"
#include "engine/sliding_rocking/event_rules.h"
#include "engine/sliding_rocking/integrators.h"
#include "engine/sliding_rocking/transitions.h"
#include "tests/engine/sliding_rocking_models.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

using namespace quibel;
using quibel::test::dryBlock;
using quibel::test::stateOf;
using namespace quibel::test::startup_pivots;

namespace {

// Relative kinetic energy on a level plane about the heel or the toe at theta = 0: rotation
// about the centre plus the translation of the centre, whose velocity is the sliding v plus
// omega times the arm (-Yc, Xc) about the heel or (-Yc, -(B - Xc)) about the toe.
double kineticAbout(bool heel, double omega, double v) {
    const double qx = -kYc * omega + v;
    const double qy = (heel ? kXc : -(kB - kXc)) * omega;
    return 0.5 * (kIm * omega * omega + kM * (qx * qx + qy * qy));
}

TBlocStatic withFriction(double phi) {
    TBlocStatic m = dryBlock();
    m.PhiS = phi;
    m.PhiD = phi;
    return m;
}

} // namespace

TEST(SlidingRockingTransitionsTest, AtRestWithoutTendencyStaysExactly) {
    const SlidingRockingContext c(dryBlock());
    SlidingRockingState s = stateOf(MotionMode::Stop, 1e-4, 2.0, 0.5, 0.125, 0, 0, 0, 0, 0);
    ChooseAndIntegrate(c, s, Tendency::None, Tendency::None);
    EXPECT_EQ(s.mode, MotionMode::Stop);
    EXPECT_EQ(s.u, 0.125);
    EXPECT_EQ(s.v, 0.0);
    EXPECT_EQ(s.a, 0.0);
    EXPECT_EQ(s.theta, 0.0);
    EXPECT_EQ(s.omega, 0.0);
    EXPECT_EQ(s.alpha, 0.0);
}

TEST(SlidingRockingTransitionsTest, TrialWithRotationOfTheWrongSignSlidesOnly) {
    // Tendencies (upstream, upstream) with a ground acceleration that cannot lift the toe: the
    // trial rotation about the heel comes out negative, so the step is pure sliding upstream.
    const SlidingRockingContext c(withFriction(20));
    const double ag = 0.5 * kG;
    SlidingRockingState s = stateOf(MotionMode::Stop, 1e-4, ag, 0, 0, 0, 0, 0, 0, 0);
    ChooseAndIntegrate(c, s, Tendency::Upstream, Tendency::Upstream);
    EXPECT_EQ(s.mode, MotionMode::Sliding);
    EXPECT_EQ(s.theta, 0.0);
    const double a = -ag + std::tan(20 * std::numbers::pi / 180) * kG;
    EXPECT_NEAR(s.a, a, 1e-10);
    EXPECT_NEAR(s.v, a * 1e-4 / 2, 1e-14);
}

TEST(SlidingRockingTransitionsTest, TrialAgainstItsSlidingFallsBackToRocking) {
    // A slender block (B = 6, centre 10 m above the heel) on a friction angle of 20 degrees
    // under 0.45 g: the loads tend to slide it upstream and to rock it about the heel, but the
    // rocking pushes the pivot downstream faster than the ground drags it upstream, so the
    // coupled sliding acceleration comes out positive. The velocity before the step's update,
    // 0 from rest, cannot tell; after the update it is positive: the block rocks only.
    TBlocStatic m = withFriction(20);
    m.B = 6;
    m.Xc = 3;
    m.Yc = 10;
    m.Im = 398 * (36 + 400) / 12.0;
    const SlidingRockingContext c(m);
    SlidingRockingState s = stateOf(MotionMode::Stop, 1e-4, 0.45 * kG, 0, 0, 0, 0, 0, 0, 0);
    const CoupledResult r =
        CoupledAccelerations(c, s, MotionMode::SlidingUSRockingUS, 0, 0.45 * kG, 0, 0, 0);
    ASSERT_GT(r.a, 0.0);
    ASSERT_GT(r.alpha, 0.0);
    ChooseAndIntegrate(c, s, Tendency::Upstream, Tendency::Upstream);
    EXPECT_EQ(s.mode, MotionMode::RockingUS);
    EXPECT_GT(s.theta, 0.0);
    EXPECT_EQ(s.v, 0.0);
    EXPECT_EQ(s.u, 0.0);
    EXPECT_EQ(ModeCheck(s.mode, s.theta, s.v), 0);
}

TEST(SlidingRockingTransitionsTest, HeelRockingCrossingZeroGoesOnAboutTheToe) {
    // Falling back about the heel at 0.05 rad/s from 2e-6 rad: the block hits the plane after
    // about 40 microseconds and goes on about the toe with Ed times its angular velocity.
    const SlidingRockingContext c(dryBlock());
    const double h = 1e-4, theta0 = 2e-6, omega0 = -0.05, Ed = 0.3;
    SlidingRockingState s = stateOf(MotionMode::RockingUS, h, 0, 0, 0, 0, 0, theta0, omega0, 0);
    ChooseAndIntegrate(c, s, Tendency::None, Tendency::None);
    EXPECT_EQ(s.mode, MotionMode::RockingDS);
    EXPECT_LT(s.theta, 0.0);

    // About the heel the weight decelerates it by alphaH; about the toe it pushes it back by
    // alphaT.
    const double alphaH = -kM * kG * kRh * std::sin(kTh) / kIh;
    const double alphaT = kM * kG * kRt * std::sin(kTt) / kIt;
    const double tau = (-omega0 - std::sqrt(omega0 * omega0 - 2 * alphaH * theta0)) / alphaH;
    const double omegaC = omega0 + alphaH * tau;
    EXPECT_NEAR(s.omega, Ed * omegaC + alphaT * (h - tau), 1e-8);
    EXPECT_NEAR(s.E, 0.5 * omegaC * omegaC * (kIh - Ed * Ed * kIt), 1e-4);
    EXPECT_EQ(s.v, 0.0);
}

TEST(SlidingRockingTransitionsTest, SettledRotationComesToRest) {
    // 2e-5 rad/s at 1e-9 rad: too slow to bounce; whether it settles at the crossing or falls
    // back at once onto the plane from the toe side, the step ends at rest.
    const SlidingRockingContext c(dryBlock());
    SlidingRockingState s = stateOf(MotionMode::RockingUS, 1e-4, 0, 0, 0.25, 0, 0, 1e-9, -2e-5, 0);
    ChooseAndIntegrate(c, s, Tendency::None, Tendency::None);
    EXPECT_EQ(s.mode, MotionMode::Stop);
    EXPECT_EQ(s.theta, 0.0);
    EXPECT_EQ(s.omega, 0.0);
    EXPECT_EQ(s.alpha, 0.0);
    EXPECT_EQ(s.u, 0.25);
    EXPECT_EQ(s.E, 0.0);
}

TEST(SlidingRockingTransitionsTest, SlidingReversalWithoutStopRestartsFromRest) {
    // Sliding downstream at 1 mm/s while the ground accelerates downstream at 0.8 g: friction
    // (angle 20 degrees) and the ground reverse the sliding within the step, and friction
    // cannot hold the block: it slides on upstream from zero velocity at the reversal.
    const SlidingRockingContext c(withFriction(20));
    const double h = 1e-3, ag = 0.8 * kG, v0 = 1e-3, mu = std::tan(20 * std::numbers::pi / 180);
    const double aDown = -ag - mu * kG; // friction against the downstream sliding
    const double aUp = -ag + mu * kG;   // and against the upstream one
    SlidingRockingState s = stateOf(MotionMode::Sliding, h, ag, 0, 0, v0, aDown, 0, 0, 0);
    PlaneForces(c, s);
    ChooseAndIntegrate(c, s, SlidingTendency(s.D, s.Fr), Tendency::None);
    EXPECT_EQ(s.mode, MotionMode::Sliding);
    const double tau = -2 * v0 / (aDown + aDown);
    const double rest = h - tau;
    const double uAtReversal = v0 * tau + aDown * tau * tau / 3 + aDown * tau * tau / 6;
    EXPECT_NEAR(s.u0, uAtReversal, 1e-15);
    EXPECT_EQ(s.v0, 0.0);
    EXPECT_NEAR(s.a, aUp, 1e-10);
    EXPECT_NEAR(s.v, (aDown + aUp) * rest / 2, 1e-10);
    EXPECT_NEAR(s.u, uAtReversal + aDown * rest * rest / 3 + aUp * rest * rest / 6, 1e-13);
}

TEST(SlidingRockingTransitionsTest, BothEventsInOneStepTakeTheEarlierFirst) {
    // Sliding downstream and rocking back about the heel while the ground accelerates
    // downstream at 8 m/s² (friction angle 20 degrees): within one step the sliding velocity
    // reverses and the block hits the plane, in either order. Each event restarts the motion
    // from its instant, so the last part of the step starts at the later event: at the impact
    // (theta0 = 0, the sliding already upstream) when the reversal came first, at the reversal
    // (v0 = 0, the block already on its toe) when the impact came first. Either way the block
    // ends sliding upstream on its toe, and the impact has cost about the rocking's share
    // I_heel omega² / 2 - I_toe (Ed omega)² / 2.
    const double h = 1e-3, ag = 8.0, omega0 = -0.1, Ed = 0.3;
    const SlidingRockingContext c(withFriction(20));
    struct Case {
        const char* name;
        double v0, theta0;
        bool slidingFirst;
    } cases[] = {
        {"reversal first", 1e-3, 6e-5, true},
        {"impact first", 8e-3, 2e-5, false},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        SlidingRockingState s =
            stateOf(MotionMode::SlidingDSRockingUS, h, ag, 0, 0, k.v0, 0, k.theta0, omega0, 0);
        const CoupledResult start =
            CoupledAccelerations(c, s, MotionMode::SlidingDSRockingUS, 0, ag, 0, omega0, k.theta0);
        s.a0 = s.a = start.a;
        s.alpha0 = s.alpha = start.alpha;
        PlaneForces(c, s);
        SlidingRockingState full = s;
        IntegrateRotation(c, full, full.mode, h);
        NewmarkUpdate(c, full, h);
        ASSERT_TRUE(RotationReversed(full.theta0, full.theta));
        ASSERT_TRUE(SlidingReversed(full.v0, full.v));
        const double tauS = -k.v0 / start.a;
        const double tauTheta =
            (-omega0 - std::sqrt(omega0 * omega0 - 2 * start.alpha * k.theta0)) / start.alpha;
        ASSERT_EQ(tauS < tauTheta, k.slidingFirst);

        ChooseAndIntegrate(c, s, Tendency::None, Tendency::None);
        EXPECT_EQ(s.mode, MotionMode::SlidingUSRockingDS);
        EXPECT_LT(s.v, 0.0);
        EXPECT_LT(s.theta, 0.0);
        if (k.slidingFirst) {
            EXPECT_EQ(s.theta0, 0.0);
            EXPECT_LT(s.v0, 0.0);
        } else {
            EXPECT_EQ(s.v0, 0.0);
            EXPECT_LT(s.theta0, 0.0);
        }
        const double rocking = 0.5 * omega0 * omega0 * (kIh - Ed * Ed * kIt);
        EXPECT_NEAR(s.E, rocking, 0.02 * rocking);
    }
}

TEST(SlidingRockingTransitionsTest, ImpactLossOfAnAsymmetricBlock) {
    // The centre of the start-up block lies 5.3 m from the heel and 10.7 m from the toe. An
    // impact that ends rocking about the heel at omega leaves Ed omega about the toe: the
    // kinetic energy drops from I_heel omega² / 2 to I_toe (Ed omega)² / 2.
    const SlidingRockingContext c(dryBlock());
    const double omega = -0.08;
    SlidingRockingState s = stateOf(MotionMode::RockingUS, 1e-4, 0, 0, 0, 0, 0, 0, omega, 0);
    EXPECT_NEAR(ImpactEnergyLoss(c, s, MotionMode::RockingUS, false),
                0.5 * omega * omega * (kIh - 0.3 * 0.3 * kIt), 1e-9);
    // The other way round with Eu = 1: the loss is (I_toe - I_heel) omega² / 2.
    SlidingRockingState t = stateOf(MotionMode::RockingDS, 1e-4, 0, 0, 0, 0, 0, 0, 0.08, 0);
    EXPECT_NEAR(ImpactEnergyLoss(c, t, MotionMode::RockingDS, false),
                0.5 * 0.08 * 0.08 * (kIt - kIh), 1e-9);
    // Plastic, while sliding at 0.2 m/s with Es = 1: only the rotation's share is lost.
    SlidingRockingState p =
        stateOf(MotionMode::SlidingDSRockingUS, 1e-4, 0, 0, 0, 0.2, 0, 0, omega, 0);
    EXPECT_NEAR(ImpactEnergyLoss(c, p, MotionMode::SlidingDSRockingUS, true),
                kineticAbout(true, omega, 0.2) - 0.5 * kM * 0.2 * 0.2, 1e-9);
}
