// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/rocking/equations.h"
#include "engine/run/ground_motion.h"

namespace quibel {

/// Rotation, angular velocity and angular acceleration of the block (rad, rad/s, rad/s²).
struct RockingState final {
    double theta = 0.0;
    double omega = 0.0;
    double alpha = 0.0;
};

/// Fourth-order Runge-Kutta integration of the rotation about one pivot over part of a step.
///
/// The state at the start of the part is (theta, omega) and k1 is its acceleration, taken as
/// given (the previous step's, or the one after an impact) and not evaluated again. The ground
/// accelerations vary linearly over the whole step of length dt, from (agPrev, avPrev) to
/// (ag, av); k2 and k3 use them at the middle of the part, k4 at its end. The result's alpha is
/// k4.
class RockingIntegrator final {
public:
    RockingIntegrator(const RockingEquations& equations, const GroundMotion& ground,
                      double dt) noexcept
        : mEquations(equations), mGround(ground), mDt(dt) {}

    /// Integrates about p from the state start, at time t0 (s) into the step, over h (s).
    RockingState integrate(RockingPivot p, const RockingState& start, double t0,
                           double h) const noexcept;

    /// The time of an impact inside the step, by bisection on the integration about p from the
    /// start of the step: the rotation started with the sign of start.theta (non-zero) and ended
    /// the step with the other sign. 20 halvings, kept when the rotation at the trial time is
    /// <= 0, stopping early only when it is exactly 0. Gives the time tau (s from the start of
    /// the step) and the state of the last integration made.
    struct Impact final {
        double tau = 0.0;
        RockingState state;
    };
    Impact findImpact(RockingPivot p, const RockingState& start) const noexcept;

    /// Horizontal and vertical ground accelerations at time t into the step (m/s²).
    double ahAt(double t) const noexcept;
    double avAt(double t) const noexcept;

    double dt() const noexcept { return mDt; }

private:
    const RockingEquations& mEquations;
    const GroundMotion& mGround;
    double mDt;
};

/// Number of halvings of the impact-time search.
inline constexpr int kImpactBisections = 20;

} // namespace quibel
