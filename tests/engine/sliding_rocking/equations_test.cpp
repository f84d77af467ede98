// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/sliding_rocking/equations.h"
#include "engine/sliding_rocking/integrators.h"
#include "tests/engine/sliding_rocking_models.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

using namespace quibel;
using quibel::test::dryBlock;
using quibel::test::stateOf;
using namespace quibel::test::startup_pivots;

namespace {

TBlocStatic frictionBlock(double phiS, double phiD) {
    TBlocStatic m = dryBlock();
    m.PhiS = phiS;
    m.PhiD = phiD;
    return m;
}

} // namespace

TEST(SlidingRockingEquationsTest, PureRockingOfADryBlockByHand) {
    const SlidingRockingContext c(dryBlock());
    struct Case {
        MotionMode mode;
        double theta, ag, av;
    } cases[] = {
        {MotionMode::RockingUS, 0.01, 0, 0},
        {MotionMode::RockingUS, 0.2, 3.0, -1.0},
        {MotionMode::RockingDS, -0.01, 0, 0},
        {MotionMode::RockingDS, -0.15, -4.0, 2.0},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(static_cast<int>(k.mode));
        SlidingRockingState s = stateOf(k.mode, 1e-4, k.ag, k.av, 0, 0, 0, k.theta, 0, 0);
        const double alpha = RockingAcceleration(c, s, k.mode, k.av, k.ag, 0.0, k.theta);
        double expected;
        if (k.mode == MotionMode::RockingUS) {
            // Inertia force -M ag at height R cos(phi), weight at arm R sin(phi) downstream.
            const double phi = kTh - k.theta;
            expected = kM * kRh * (k.ag * std::cos(phi) - (kG + k.av) * std::sin(phi)) / kIh;
        } else {
            const double phi = kTt + k.theta;
            expected = kM * kRt * (k.ag * std::cos(phi) + (kG + k.av) * std::sin(phi)) / kIt;
        }
        EXPECT_NEAR(alpha, expected, 1e-12 * std::fabs(expected) + 1e-14);
    }
    // At rest a block rocking back about its heel falls back: alpha < 0.
    SlidingRockingState s = stateOf(MotionMode::RockingUS, 1e-4, 0, 0, 0, 0, 0, 1e-3, 0, 0);
    EXPECT_LT(RockingAcceleration(c, s, MotionMode::RockingUS, 0, 0, 0, 1e-3), 0.0);
}

TEST(SlidingRockingEquationsTest, CoupledMotionOnAFrictionlessLevelPlane) {
    // Without friction the ground's horizontal motion cannot reach the block: the centre of
    // mass has no horizontal acceleration (a + ax = -ag), and the rotation about the sliding
    // pivot obeys alpha (I - M R² cos² phi) = M R² omega² cos(phi) sin(phi) -/+ M R (g + av)
    // sin(phi) (heel / toe, with the sign of the centripetal term reversed at the toe),
    // whatever ag.
    const SlidingRockingContext c(frictionBlock(30, 0));
    struct Case {
        MotionMode mode;
        double theta, omega, ag, av;
    } cases[] = {
        {MotionMode::SlidingUSRockingUS, 0.05, -0.3, 2.5, 0.0},
        {MotionMode::SlidingDSRockingUS, 0.05, -0.3, -4.0, 1.0},
        {MotionMode::SlidingUSRockingDS, -0.08, 0.4, 3.0, -0.5},
        {MotionMode::SlidingDSRockingDS, -0.08, 0.4, 0.0, 0.0},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(static_cast<int>(k.mode));
        SlidingRockingState s = stateOf(k.mode, 1e-4, k.ag, k.av, 0, 0, 0, k.theta, k.omega, 0);
        const CoupledResult r =
            CoupledAccelerations(c, s, k.mode, k.av, k.ag, 0.0, k.omega, k.theta);
        const bool heel = isHeelMode(k.mode);
        const double R = heel ? kRh : kRt, I = heel ? kIh : kIt;
        const double phi = heel ? kTh - k.theta : kTt + k.theta;
        const double cp = std::cos(phi), sp = std::sin(phi), w2 = k.omega * k.omega;
        const double rhs = heel ? kM * R * R * w2 * cp * sp - kM * R * (kG + k.av) * sp
                                : -kM * R * R * w2 * cp * sp + kM * R * (kG + k.av) * sp;
        EXPECT_NEAR(r.alpha, rhs / (I - kM * R * R * cp * cp), 1e-10);
        const double ax = heel ? (-r.alpha * cp - w2 * sp) * R : (w2 * sp - r.alpha * cp) * R;
        EXPECT_NEAR(r.a + ax, -k.ag, 1e-10);
    }
}

TEST(SlidingRockingEquationsTest, PlaneForcesOnADryBlockAtRest) {
    // Level plane, ground accelerating downstream at 3 m/s²: the block is pushed upstream by
    // D = -M ag and held by Fr = mu N with N = M g, static at rest, dynamic while sliding.
    const SlidingRockingContext c(frictionBlock(40, 30));
    const double muS = std::tan(40 * std::numbers::pi / 180);
    const double muD = std::tan(30 * std::numbers::pi / 180);
    SlidingRockingState s = stateOf(MotionMode::Stop, 1e-4, 3.0, 0, 0, 0, 0, 0, 0, 0);
    PlaneForces(c, s);
    EXPECT_NEAR(s.D, -kM * 3.0, 1e-9);
    EXPECT_NEAR(s.Fr, muS * kM * kG, 1e-9);
    s.mode = MotionMode::Sliding;
    s.v = 0.2; // sliding downstream: friction acts upstream whatever D
    PlaneForces(c, s);
    EXPECT_NEAR(s.Fr, -muD * kM * kG, 1e-9);

    // On a plane inclined by 10 degrees the weight has a component down the plane (upstream
    // for a positive angle) and presses less on it.
    TBlocStatic inclined = frictionBlock(40, 30);
    inclined.Beta = 10;
    const SlidingRockingContext ci(inclined);
    const double b = 10 * std::numbers::pi / 180;
    SlidingRockingState r = stateOf(MotionMode::Stop, 1e-4, 0, 0, 0, 0, 0, 0, 0, 0);
    PlaneForces(ci, r);
    EXPECT_NEAR(r.D, -kM * kG * std::sin(b), 1e-9);
    EXPECT_NEAR(r.Fr, muS * kM * kG * std::cos(b), 1e-9);
}

TEST(SlidingRockingEquationsTest, NewmarkSlidingFromRestByHand) {
    // Ground at 0.8 g downstream: the block slides upstream at a = -ag + muD g.
    for (std::uint8_t variant : {0, 1}) {
        SCOPED_TRACE(static_cast<int>(variant));
        TBlocStatic m = frictionBlock(30, 30);
        m.Options.NewmarkBeta = variant;
        const SlidingRockingContext c(m);
        const double mu = std::tan(30 * std::numbers::pi / 180), ag = 0.8 * kG, h = 1e-3;
        const double a = -ag + mu * kG;
        SlidingRockingState s = stateOf(MotionMode::Sliding, h, ag, 0, 0, 0, 0, 0, 0, 0);
        SlidingNewmarkStep(c, s, h);
        EXPECT_NEAR(s.a, a, 1e-12);
        EXPECT_NEAR(s.v, a * h / 2, 1e-15);
        EXPECT_NEAR(s.u, variant == 0 ? a * h * h / 6 : a * h * h / 4, 1e-18);
        EXPECT_EQ(s.mode, MotionMode::Sliding);
        // The next step keeps the friction of the start of the step, turned against v.
        SlidingRockingState n = stateOf(MotionMode::Sliding, h, ag, 0, s.u, s.v, s.a, 0, 0, 0);
        n.D = s.D;
        n.Fr = -s.Fr;
        SlidingNewmarkStep(c, n, h);
        EXPECT_NEAR(n.a, a, 1e-12);
        EXPECT_NEAR(n.v, s.v + a * h, 1e-15);
    }
}

TEST(SlidingRockingEquationsTest, NewmarkSlidingStopsInsideTheStep) {
    // Sliding downstream at 1 mm/s with friction only: deceleration mu g.
    const SlidingRockingContext c(frictionBlock(30, 30));
    const double mu = std::tan(30 * std::numbers::pi / 180), h = 1e-3, v0 = 1e-3;
    // Acceleration already -mu g at the start (A = 0): the stop is put at the end of the step.
    SlidingRockingState s = stateOf(MotionMode::Sliding, h, 0, 0, 0.5, v0, -mu * kG, 0, 0, 0);
    PlaneForces(c, s);
    SlidingNewmarkStep(c, s, h);
    EXPECT_EQ(s.mode, MotionMode::Stop);
    EXPECT_EQ(s.v, 0.0);
    EXPECT_NEAR(s.a, -mu * kG, 1e-12);
    EXPECT_NEAR(s.u, 0.5 + v0 * h - mu * kG * h * h / 2, 1e-15);

    // Acceleration rising from 0 to -mu g over the step: v0 + A t² = 0 with A = -mu g / 2h.
    SlidingRockingState r = stateOf(MotionMode::Sliding, h, 0, 0, 0, v0, 0, 0, 0, 0);
    PlaneForces(c, r);
    SlidingNewmarkStep(c, r, h);
    const double A = -mu * kG / (2 * h);
    const double tau = std::sqrt(-v0 / A);
    ASSERT_LT(tau, h);
    EXPECT_EQ(r.mode, MotionMode::Stop);
    EXPECT_NEAR(r.a, -mu * kG * tau / h, 1e-12);
}

TEST(SlidingRockingEquationsTest, RungeKuttaKeepsTheEnergyOfFreeRocking) {
    // Dry block rocking about its heel without ground motion: I omega² / 2 + M g R cos(Theta -
    // theta) stays constant.
    const SlidingRockingContext c(dryBlock());
    SlidingRockingState s = stateOf(MotionMode::RockingUS, 1e-3, 0, 0, 0, 0, 0, 0.05, 0.0, 0.0);
    auto energy = [&](double theta, double omega) {
        return kIh * omega * omega / 2 + kM * kG * kRh * std::cos(kTh - theta);
    };
    const double e0 = energy(s.theta0, s.omega0);
    for (int i = 0; i < 200; ++i) {
        IntegrateRotation(c, s, MotionMode::RockingUS, 1e-3);
        EXPECT_EQ(s.a, 0.0);
        s.theta0 = s.theta;
        s.omega0 = s.omega;
        s.alpha0 = s.alpha;
    }
    EXPECT_LT(s.theta, 0.05); // it has fallen back toward the plane
    EXPECT_NEAR(energy(s.theta, s.omega), e0, 1e-9 * e0);
}

TEST(SlidingRockingEquationsTest, RotationZeroTimeFindsTheCrossing) {
    const SlidingRockingContext c(dryBlock());
    const double h = 1e-4;
    // Heel rocking falling back at 0.5 rad/s from 1e-5 rad: theta0 + omega0 t + alpha t² / 2 = 0.
    SlidingRockingState s = stateOf(MotionMode::RockingUS, h, 0, 0, 0, 0, 0, 1e-5, -0.5, 0);
    const double alpha = -kM * kG * kRh * std::sin(kTh) / kIh;
    const double expected = (0.5 - std::sqrt(0.25 - 2 * alpha * 1e-5)) / alpha;
    const double tau = RotationZeroTime(c, s, MotionMode::RockingUS, h);
    EXPECT_NEAR(tau, expected, 2e-6 * h);
    EXPECT_LT(std::fabs(s.theta), 1e-9); // the results hold the state near the crossing

    // A rotation that does not come back to zero within the span: the search, which starts
    // from the end of the span for a positive rotation, returns the span.
    SlidingRockingState t = stateOf(MotionMode::RockingUS, h, 0, 0, 0, 0, 0, 0.1, 0.0, 0);
    EXPECT_EQ(RotationZeroTime(c, t, MotionMode::RockingUS, h), h);
}

TEST(SlidingRockingEquationsTest, SlidingStopTimeOfPureSliding) {
    // In pure sliding the velocity v0 + (a0 + a) t / 2 is linear: zero at -2 v0 / (a0 + a).
    const SlidingRockingContext c(dryBlock());
    const double h = 1e-3;
    SlidingRockingState s = stateOf(MotionMode::Sliding, h, 0, 0, 0, 2e-3, -3.0, 0, 0, 0);
    s.a = -5.0;
    const double tau = SlidingStopTime(c, s, MotionMode::Sliding, h);
    EXPECT_NEAR(tau, 2 * 2e-3 / 8.0, 1e-8 * h);
    EXPECT_EQ(s.a, -5.0); // pure sliding leaves the sliding acceleration alone
}
