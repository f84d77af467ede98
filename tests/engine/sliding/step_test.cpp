// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/loads/added_loads.h"
#include "engine/loads/load_model.h"
#include "engine/run/si_model.h"
#include "engine/sliding/step.h"
#include "tests/engine/recording_host.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <numbers>

using namespace quibel;

namespace {

constexpr double kG = 9.807;
constexpr double kDt = 1e-4;
constexpr SlidingMotionState kStuck = SlidingMotionState::Stuck;
constexpr SlidingMotionState kSlipping = SlidingMotionState::Slipping;

// A dry 398 t block on a horizontal plane: no reservoir, no uplift, no added items.
TBlocStatic dryBlock(double phiDegrees) {
    TBlocStatic m = startupModel();
    m.Hr = 0;
    m.U = 0;
    m.PhiS = phiDegrees;
    m.PhiD = phiDegrees;
    return m;
}

// The step of a run on m; it keeps copies of what it reads.
SlidingStep stepOf(TBlocStatic m) {
    const SiModel si = MakeSiModel(m);
    const LoadModel loads = MakeLoadModel(m, si);
    const AddedLoadsOnBlock added = CollectAddedLoads(m);
    return SlidingStep(RunContext{m, si, loads, added, nullptr});
}

GroundMotion steadyGround(double ag, double av = 0) {
    GroundMotion g;
    g.agPrev = g.ag = ag;
    g.avPrev = g.av = av;
    return g;
}

struct StepResult {
    BlockMotion next;
    EnergyTerms energy;
    double SF = 0;
    SlidingMotionState state = kStuck;
};

StepResult step(SlidingStep s, SlidingMotionState state, const BlockMotion& previous,
                const GroundMotion& ground, double Fh = 0, double Fv = 0) {
    StepInput input;
    input.ground = ground;
    input.Fh = Fh;
    input.Fv = Fv;
    input.dt = kDt;
    test::RecordingHost host;
    RunControl control(host);
    SafetyFactors factors;
    StepResult r;
    s.setMotion(state);
    s.step(input, previous, r.next, r.energy, factors, control);
    r.SF = factors.sliding;
    r.state = s.motion();
    return r;
}

} // namespace

TEST(SlidingStepTest, StuckBlockBelowStaticFrictionStaysAtRest) {
    const SlidingStep setup = stepOf(dryBlock(30));
    BlockMotion previous;
    previous.u = 0.012;
    const StepResult r = step(setup, kStuck, previous, steadyGround(0.3 * kG));
    EXPECT_EQ(r.state, kStuck);
    EXPECT_EQ(r.next.u, 0.012);
    EXPECT_EQ(r.next.v, 0.0);
    EXPECT_EQ(r.next.a, 0.0);
    // Friction tan 30° M g against the inertia load 0.3 M g.
    EXPECT_NEAR(r.SF, std::tan(30 * std::numbers::pi / 180) / 0.3, 1e-12);
}

TEST(SlidingStepTest, SafetyFactorIsFiveWithoutLoadAlongThePlane) {
    const SlidingStep setup = stepOf(dryBlock(30));
    EXPECT_EQ(step(setup, kStuck, {}, steadyGround(0)).SF, 5.0);
    // and at most 5 under a small load
    EXPECT_EQ(step(setup, kStuck, {}, steadyGround(0.01 * kG)).SF, 5.0);
}

TEST(SlidingStepTest, BlockStartsToSlideOnceStaticFrictionIsExceeded) {
    const double mu = std::tan(30 * std::numbers::pi / 180);
    for (const std::uint8_t variant : {std::uint8_t{0}, std::uint8_t{1}}) {
        SCOPED_TRACE(variant == 0 ? "linear acceleration" : "constant acceleration");
        TBlocStatic m = dryBlock(30);
        m.Options.NewmarkBeta = variant;
        const StepResult r = step(stepOf(m), kStuck, {}, steadyGround(0.7 * kG));
        EXPECT_EQ(r.state, kSlipping);
        // The ground pulls downstream, the block lags upstream: a = -(0.7 - mu) g.
        const double a = -(0.7 - mu) * kG;
        EXPECT_NEAR(r.next.a, a, 1e-12);
        EXPECT_NEAR(r.next.v, a * kDt / 2, 1e-15);
        // From rest with a_prev = 0: beta 1/6 gives a dt² / 6, beta 1/4 gives a dt² / 4.
        EXPECT_NEAR(r.next.u, a * kDt * kDt / (variant == 0 ? 6 : 4), 1e-18);
        EXPECT_NEAR(r.SF, mu / 0.7, 1e-12);
    }
}

TEST(SlidingStepTest, SlidingBlockFeelsDynamicFrictionAgainstItsVelocity) {
    TBlocStatic m = dryBlock(30);
    m.PhiD = 20;
    const double muD = std::tan(20 * std::numbers::pi / 180);
    BlockMotion previous;
    previous.v = -0.2; // sliding upstream
    previous.a = -1.0;
    const StepResult r = step(stepOf(m), kSlipping, previous, steadyGround(0.4 * kG));
    EXPECT_EQ(r.state, kSlipping);
    EXPECT_NEAR(r.next.a, -0.4 * kG + muD * kG, 1e-12);
    EXPECT_NEAR(r.SF, muD / 0.4, 1e-12);
    EXPECT_NEAR(r.next.v, -0.2 + (-1.0 + r.next.a) * kDt / 2, 1e-15);
}

TEST(SlidingStepTest, NewmarkVariantsShareVelocitiesNotDisplacements) {
    TBlocStatic m = dryBlock(30);
    BlockMotion previous;
    previous.u = 0.1;
    previous.v = 0.3;
    previous.a = -2.0;
    const StepResult linear = step(stepOf(m), kSlipping, previous, steadyGround(0.8 * kG));
    m.Options.NewmarkBeta = 1;
    const StepResult constant = step(stepOf(m), kSlipping, previous, steadyGround(0.8 * kG));
    EXPECT_EQ(linear.next.v, constant.next.v);
    EXPECT_EQ(linear.next.a, constant.next.a);
    EXPECT_NE(linear.next.u, constant.next.u);
    const double a = linear.next.a;
    EXPECT_NEAR(linear.next.u - constant.next.u, kDt * kDt * (-2.0 / 3 + a / 6 + 2.0 / 4 - a / 4),
                1e-15);
}

TEST(SlidingStepTest, StopsAtTheVelocityRootWithinTheStep) {
    // Sliding downstream at 0.3 mm/s with a = -2 m/s² at the start of the step, on a dry plane
    // without ground motion: friction gives -mu g at the end, and the velocity, quadratic in
    // time for an acceleration linear over the step, reaches 0 inside it.
    const SlidingStep setup = stepOf(dryBlock(30));
    const double mu = std::tan(30 * std::numbers::pi / 180);
    BlockMotion previous;
    previous.u = 0.05;
    previous.v = 3e-4;
    previous.a = -2.0;
    const StepResult r = step(setup, kSlipping, previous, steadyGround(0));
    const double aEnd = -mu * kG;
    auto velocity = [&](double tau) {
        return previous.v + previous.a * tau + (aEnd - previous.a) * tau * tau / (2 * kDt);
    };
    double lo = 0;
    double hi = kDt;
    for (int i = 0; i < 200; ++i) {
        const double mid = (lo + hi) / 2;
        (velocity(mid) > 0 ? lo : hi) = mid;
    }
    const double tau = lo;
    ASSERT_LT(tau, kDt);
    EXPECT_EQ(r.state, kStuck);
    EXPECT_EQ(r.next.v, 0.0);
    const double aStop = previous.a + (aEnd - previous.a) * tau / kDt;
    EXPECT_NEAR(r.next.a, aStop, 1e-9);
    EXPECT_NEAR(r.next.u,
                0.05 + previous.v * tau + tau * tau * previous.a / 2 +
                    tau * tau * tau * (aStop - previous.a) / (6 * kDt),
                1e-15);
    // Stuck at the next step: no load along the plane, no motion.
    const StepResult after = step(setup, r.state, r.next, steadyGround(0));
    EXPECT_EQ(after.next.u, r.next.u);
    EXPECT_EQ(after.next.v, 0.0);
}

TEST(SlidingStepTest, StopWithoutUsableRootIsPlacedAtTheEndOfTheStep) {
    // The acceleration does not change over the step (A = 0): the stop polynomial is linear and
    // the stop is put at the end of the step.
    const SlidingStep setup = stepOf(dryBlock(30));
    BlockMotion fast;
    fast.v = 1.0;
    const double friction = step(setup, kSlipping, fast, steadyGround(0)).next.a; // -mu g
    EXPECT_NEAR(friction, -std::tan(30 * std::numbers::pi / 180) * kG, 1e-12);
    BlockMotion previous;
    previous.u = 0.02;
    previous.v = 1e-4;
    previous.a = friction;
    const StepResult r = step(setup, kSlipping, previous, steadyGround(0));
    EXPECT_EQ(r.state, kStuck);
    EXPECT_EQ(r.next.v, 0.0);
    EXPECT_EQ(r.next.a, friction);
    EXPECT_NEAR(r.next.u, 0.02 + 1e-4 * kDt + kDt * kDt * previous.a / 2, 1e-18);
}

TEST(SlidingStepTest, ReversalUnderALargeLoadKeepsSliding) {
    // The velocity changes sign while the load exceeds dynamic friction: no stop.
    const SlidingStep setup = stepOf(dryBlock(30));
    BlockMotion previous;
    previous.v = 1e-5;
    previous.a = -5.0;
    const StepResult r = step(setup, kSlipping, previous, steadyGround(0.9 * kG));
    EXPECT_EQ(r.state, kSlipping);
    EXPECT_LT(r.next.v, 0.0);
}

TEST(SlidingStepTest, SteepPlaneSlidesWithoutGroundMotion) {
    // Plane at 30° (the toe higher than the heel), friction 20°: the weight pulls the block
    // upstream along the plane with g (sin 30° - tan 20° cos 30°).
    TBlocStatic m = dryBlock(20);
    m.Beta = 30;
    const double b = 30 * std::numbers::pi / 180;
    const StepResult r = step(stepOf(m), kStuck, {}, steadyGround(0));
    EXPECT_EQ(r.state, kSlipping);
    EXPECT_NEAR(r.next.a, -kG * (std::sin(b) - std::tan(20 * std::numbers::pi / 180) * std::cos(b)),
                1e-12);
}

TEST(SlidingStepTest, NoContactPressureMeansNoFriction) {
    // An uplift of twice the weight lifts the block off the plane: even a small load slides it.
    TBlocStatic m = dryBlock(45);
    m.U = 2 * 398 * kG;
    const StepResult r = step(stepOf(m), kStuck, {}, steadyGround(0.01 * kG));
    EXPECT_EQ(r.state, kSlipping);
    EXPECT_NEAR(r.next.a, -0.01 * kG, 1e-12);
    EXPECT_EQ(r.SF, 0.0);
}

TEST(SlidingStepTest, VerticalAccelerationAlwaysEntersTheNormalForce) {
    // Friction 0.5; a downward ground acceleration of g / 2 halves the normal force, so a
    // horizontal 0.3 g slides the block, whatever the option for the water says.
    for (const std::uint8_t option : {std::uint8_t{0}, std::uint8_t{1}}) {
        SCOPED_TRACE(static_cast<int>(option));
        TBlocStatic m = dryBlock(std::atan(0.5) * 180 / std::numbers::pi);
        m.Options.VerticalAcceleration = option;
        EXPECT_EQ(step(stepOf(m), kStuck, {}, steadyGround(0.3 * kG)).state, kStuck);
        const StepResult r = step(stepOf(m), kStuck, {}, steadyGround(0.3 * kG, -0.5 * kG));
        EXPECT_EQ(r.state, kSlipping);
        EXPECT_NEAR(r.next.a, -0.3 * kG + 0.5 * 0.5 * kG, 1e-12);
    }
}

TEST(SlidingStepTest, WaterAddsMassHorizontallyUnlessSwitchedOff) {
    TBlocStatic m = startupModel(); // 18 m of water over the heel
    m.Beta = 6;
    const double cb = std::cos(6 * std::numbers::pi / 180);
    const double mw = 0.543 * std::sqrt(28.0) * std::pow(18.0, 1.5);
    const SlidingSetup wet = stepOf(m).setup();
    EXPECT_NEAR(wet.waterMass, mw, 1e-9);
    EXPECT_NEAR(wet.effectiveMass, 398 + mw * cb * cb, 1e-9);
    m.Options.Translational = 1;
    const SlidingSetup off = stepOf(m).setup();
    EXPECT_EQ(off.waterMass, 0.0);
    EXPECT_EQ(off.effectiveMass, 398.0);
}

TEST(SlidingStepTest, EnergyOfAStuckBlockFollowsTheGround) {
    // A block at rest on the moving ground: its absolute kinetic energy is that of the ground,
    // nothing relative happens.
    const SlidingStep setup = stepOf(dryBlock(45));
    GroundMotion g = steadyGround(0.1 * kG);
    g.vgPrev = 0.5;
    g.vg = 0.5 + 0.1 * kG * kDt;
    g.dgPrev = 0.0;
    g.dg = 0.5 * kDt + 0.1 * kG * kDt * kDt / 2;
    const StepResult r = step(setup, kStuck, {}, g);
    EXPECT_NEAR(r.energy.E2, 0.5 * 398 * g.vg * g.vg, 1e-9);
    EXPECT_NEAR(r.energy.E0, 398 * 0.1 * kG * g.dg, 1e-12);
    EXPECT_EQ(r.energy.E1, 0.0);
    EXPECT_EQ(r.energy.E3, 0.0);
    EXPECT_EQ(r.energy.E4, 0.0);
    EXPECT_EQ(r.energy.E7, 0.0);
}
