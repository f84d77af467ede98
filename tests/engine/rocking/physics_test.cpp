// SPDX-License-Identifier: GPL-3.0-or-later
// The rocking block against the physics of a dry rectangular block of base b and height h:
// the static threshold tan(alpha) = b / h, conservation of energy between impacts, the
// restitution of an impact, and Housner's closed-form solution of free rocking.

#include "engine/rocking/analysis.h"
#include "engine/run/run_driver.h"
#include "tests/engine/rocking_test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

using namespace quibel;
using namespace quibel::test;

namespace {

RunOutcome runModel(TBlocStatic& m, RecordingHost& host) {
    AnalysisRun run(m, host, std::make_unique<RockingAnalysis>());
    return run.run();
}

// Potential energy of the block rotated by theta about the heel: M g R (cos(alpha - theta) -
// cos(alpha)), kN·m.
double heelPotential(const TBlocStatic& m, double theta) {
    const double r = std::hypot(m.Xc, m.Yc);
    const double a = std::atan(m.Xc / m.Yc);
    return m.M * kGravity * r * (std::cos(a - theta) - std::cos(a));
}

} // namespace

// Under a constant horizontal ground acceleration the block tips when the inertia moment
// M a Yc overcomes the weight's M g Xc about the pivot: a = g b / h, for both directions.
TEST(RockingPhysicsTest, RocksOnlyAboveTheStaticThreshold) {
    struct Case {
        double b, h;
        double factor; // of the threshold g b / h
        bool rocks;
    };
    const Case cases[] = {
        {4, 16, 0.999, false}, {4, 16, 1.001, true},  {8, 10, 0.999, false},
        {8, 10, 1.001, true},  {2, 20, 0.999, false}, {2, 20, 1.001, true},
    };
    for (const Case& c : cases) {
        for (const double sign : {1.0, -1.0}) {
            SCOPED_TRACE("b/h = " + std::to_string(c.b / c.h) + ", factor " +
                         std::to_string(sign * c.factor));
            TBlocStatic m = dryBlock(c.b, c.h);
            constantHorizontal(m, sign * c.factor * c.b / c.h, 0.5);
            RecordingHost host;
            const RunOutcome out = runModel(m, host);
            ASSERT_EQ(out.end, RunEnd::Completed);
            EXPECT_TRUE(host.messages.empty());
            const double last = m.Rotation->get(m.Rotation->size());
            if (c.rocks) {
                // Ground acceleration downstream tips the block upstream about the heel.
                EXPECT_GT(sign * last, 1e-6);
            } else {
                EXPECT_EQ(m.Rotation->max(), 0.0);
                EXPECT_EQ(m.Rotation->min(), 0.0);
            }
        }
    }
}

// A symmetric block under a mirrored record rocks the mirrored way: about the toe instead of
// the heel, with the opposite rotation at every sample.
TEST(RockingPhysicsTest, MirroredRecordGivesMirroredRotation) {
    TBlocStatic up = dryBlock(4, 16);
    TBlocStatic down = dryBlock(4, 16);
    constantHorizontal(up, 0.3, 1.0);
    constantHorizontal(down, -0.3, 1.0);
    RecordingHost hostUp, hostDown;
    runModel(up, hostUp);
    runModel(down, hostDown);
    ASSERT_EQ(up.Rotation->size(), down.Rotation->size());
    EXPECT_GT(up.Rotation->max(), 0.01);
    for (int i = 1; i <= up.Rotation->size(); ++i) {
        EXPECT_EQ(up.Rotation->get(i), -down.Rotation->get(i));
        EXPECT_EQ(up.PotentialEnergy->get(i), down.PotentialEnergy->get(i));
    }
}

// Free rocking from a tilt with restitution 1 on both sides: between impacts the relative
// kinetic plus potential energy stays the initial potential energy, and the impacts of a
// symmetric block (equal inertia about heel and toe) dissipate nothing.
TEST(RockingPhysicsTest, FreeRockingConservesEnergyBetweenImpacts) {
    for (const double dt : {1e-3, 1e-4}) {
        SCOPED_TRACE("dt = " + std::to_string(dt));
        TBlocStatic m = dryBlock(0.4, 1.6);
        const double alpha = std::atan(0.25);
        RockingStepper s(m);
        s.startFrom(0.6 * alpha, 0.0);
        const double initial = heelPotential(m, 0.6 * alpha);
        int impacts = 0;
        double previousTheta = s.state.theta;
        double worst = 0.0;
        for (int i = 0; i < static_cast<int>(6.0 / dt); ++i) {
            s.advance(dt, 0.0);
            if (s.state.theta * previousTheta < 0.0)
                ++impacts;
            previousTheta = s.state.theta;
            worst = std::max(worst, std::fabs(s.energy.E3 + s.energy.E7 - initial) / initial);
        }
        EXPECT_GE(impacts, 4);
        EXPECT_LT(worst, dt == 1e-3 ? 1e-5 : 1e-8);
        EXPECT_NEAR(s.energy.E6, 0.0, 1e-9 * initial);
        EXPECT_TRUE(s.host.messages.empty());
    }
}

// Free rocking of a slender block (b / h = 0.1) released from a tilt, with restitution e on both
// sides. Housner's solution of the linearised equation theta'' = p² (theta - alpha) about the
// heel (p² = M g R / I, I = 4/3 M R² for a rectangle) gives the time from the release to the
// first impact, acosh(alpha / (alpha - theta0)) / p, and the duration of an excursion that
// leaves the plane with angular velocity w, (2 / p) atanh(w / (p alpha)): the half-cycles shorten
// as the amplitude decays. Every impact scales the angular velocity by e.
TEST(RockingPhysicsTest, FreeRockingFollowsHousnerSolution) {
    const double b = 0.4, h = 4.0, e = 0.9;
    TBlocStatic m = dryBlock(b, h);
    m.Eu = e;
    m.Ed = e;
    const double alpha = std::atan(b / h);
    const double r = std::hypot(b, h) / 2.0;
    const double inertia = 4.0 / 3.0 * m.M * r * r;
    const double p = std::sqrt(m.M * kGravity * r / inertia);
    const double theta0 = 0.8 * alpha;
    const double dt = 1e-4;

    RockingStepper s(m);
    s.startFrom(theta0, 0.0);
    std::vector<double> impactTimes;
    std::vector<double> speeds; // angular velocity leaving the plane after each impact
    double previousTheta = s.state.theta;
    while (s.time < 8.0 && impactTimes.size() < 8) {
        s.advance(dt, 0.0);
        if (s.state.theta * previousTheta < 0.0) {
            // The rest of the step after the impact turned the block by about w (dt - tau).
            impactTimes.push_back(s.time - s.state.theta / s.state.omega);
            speeds.push_back(std::sqrt(2.0 * (s.energy.E3 + s.energy.E7) / inertia));
        }
        previousTheta = s.state.theta;
    }
    ASSERT_EQ(impactTimes.size(), 8u);

    const double firstImpact = std::acosh(alpha / (alpha - theta0)) / p;
    EXPECT_NEAR(impactTimes[0], firstImpact, 0.005 * firstImpact);
    const double speedAtFirstImpact = std::sqrt(2.0 * heelPotential(m, theta0) / inertia);
    EXPECT_NEAR(speeds[0], e * speedAtFirstImpact, 1e-6 * speedAtFirstImpact);
    for (std::size_t i = 1; i < impactTimes.size(); ++i) {
        SCOPED_TRACE("excursion " + std::to_string(i));
        const double duration = impactTimes[i] - impactTimes[i - 1];
        const double housner = 2.0 / p * std::atanh(speeds[i - 1] / (p * alpha));
        EXPECT_NEAR(duration, housner, 0.005 * housner);
        EXPECT_NEAR(speeds[i], e * speeds[i - 1], 1e-6 * speeds[i - 1]);
        if (i >= 2) {
            EXPECT_LT(duration, impactTimes[i - 1] - impactTimes[i - 2]);
        }
    }
    EXPECT_TRUE(s.host.messages.empty());
}
