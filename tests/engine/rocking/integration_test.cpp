// SPDX-License-Identifier: GPL-3.0-or-later
// The Runge-Kutta integration of the rotation and the impact-time search.

#include "engine/rocking/integration.h"
#include "tests/engine/rocking_test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

using namespace quibel;
using namespace quibel::test;

namespace {

struct DryEquations {
    TBlocStatic model = dryBlock(0.4, 1.6);
    SiModel si = MakeSiModel(model);
    LoadModel loads = MakeLoadModel(model, si);
    AddedLoadsOnBlock added = CollectAddedLoads(model);
    RockingBody body = MakeRockingBody(model, loads, added);
    RockingEquations equations{loads, body, added, 0.0, 0.0};
};

} // namespace

// The ground accelerations vary linearly over the step: the middle and the end of the step
// give the mean and the end value, any other time its linear interpolation.
TEST(RockingIntegrationTest, GroundAccelerationIsLinearOverTheStep) {
    DryEquations s;
    GroundMotion g;
    g.agPrev = 1.0;
    g.ag = 3.0;
    g.avPrev = -2.0;
    g.av = 2.0;
    const RockingIntegrator integrator(s.equations, g, 0.01);
    EXPECT_EQ(integrator.ahAt(0.0), 1.0);
    EXPECT_EQ(integrator.ahAt(0.005), 2.0);
    EXPECT_EQ(integrator.ahAt(0.01), 3.0);
    EXPECT_DOUBLE_EQ(integrator.ahAt(0.0025), 1.5);
    EXPECT_DOUBLE_EQ(integrator.avAt(0.0075), 1.0);
}

// A block falling back onto the plane within one step, from either pivot: the bisection puts
// the impact within dt / 2^20 of the time the integrated rotation crosses 0.
TEST(RockingIntegrationTest, ImpactTimeWithinTheBisectionResolution) {
    struct Case {
        RockingPivot pivot;
        double theta0, omega0;
    };
    const Case cases[] = {{RockingPivot::Heel, 2e-5, -0.3}, {RockingPivot::Toe, -7e-5, 0.9}};
    const double dt = 1e-4;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pivot == RockingPivot::Heel ? "heel" : "toe");
        DryEquations s;
        const GroundMotion still;
        const RockingIntegrator integrator(s.equations, still, dt);
        RockingState start{c.theta0, c.omega0, s.equations.acceleration(c.pivot, c.theta0, 0, 0)};
        ASSERT_LT(integrator.integrate(c.pivot, start, 0.0, dt).theta * c.theta0, 0.0);
        const RockingIntegrator::Impact hit = integrator.findImpact(c.pivot, start);
        const double resolution = dt / (1 << 20);
        // About theta0 / |omega0| into the step; the rotation changes sign within the
        // resolution around the found time.
        EXPECT_NEAR(hit.tau, -c.theta0 / c.omega0, 0.01 * dt);
        const double before = integrator.integrate(c.pivot, start, 0.0, hit.tau - resolution).theta;
        const double after = integrator.integrate(c.pivot, start, 0.0, hit.tau + resolution).theta;
        EXPECT_LE(before * after, 0.0);
        EXPECT_LT(std::fabs(hit.state.theta), 2.0 * std::fabs(c.omega0) * resolution);
        EXPECT_NEAR(hit.state.omega, c.omega0, 1e-3 * std::fabs(c.omega0));
    }
}
