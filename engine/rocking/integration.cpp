// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/rocking/integration.h"

namespace quibel {

namespace {

// Linear interpolation between the start and end values of the step; the middle and the end of
// the whole step give the plain mean and the end value.
double interpolate(double start, double end, double t, double dt) noexcept {
    if (t == dt)
        return end;
    if (2.0 * t == dt)
        return (start + end) / 2.0;
    return start + (end - start) * (t / dt);
}

} // namespace

double RockingIntegrator::ahAt(double t) const noexcept {
    return interpolate(mGround.agPrev, mGround.ag, t, mDt);
}

double RockingIntegrator::avAt(double t) const noexcept {
    return interpolate(mGround.avPrev, mGround.av, t, mDt);
}

RockingState RockingIntegrator::integrate(RockingPivot p, const RockingState& start, double t0,
                                          double h) const noexcept {
    const double ahMid = ahAt(t0 + h / 2.0);
    const double avMid = avAt(t0 + h / 2.0);
    const double ahEnd = ahAt(t0 + h);
    const double avEnd = avAt(t0 + h);
    const double theta0 = start.theta;
    const double omega0 = start.omega;
    const double k1 = start.alpha;

    const double theta2 = theta0 + h / 2.0 * omega0;
    const double omega2 = omega0 + h / 2.0 * k1;
    const double k2 = mEquations.acceleration(p, theta2, ahMid, avMid);
    const double theta3 = theta0 + h / 2.0 * omega2;
    const double omega3 = omega0 + h / 2.0 * k2;
    const double k3 = mEquations.acceleration(p, theta3, ahMid, avMid);
    const double theta4 = theta0 + h * omega3;
    const double omega4 = omega0 + h * k3;
    const double k4 = mEquations.acceleration(p, theta4, ahEnd, avEnd);

    RockingState end;
    end.theta = theta0 + h / 6.0 * (omega0 + 2.0 * omega2 + 2.0 * omega3 + omega4);
    end.omega = omega0 + h / 6.0 * (k1 + 2.0 * k2 + 2.0 * k3 + k4);
    end.alpha = k4;
    return end;
}

RockingIntegrator::Impact RockingIntegrator::findImpact(RockingPivot p,
                                                        const RockingState& start) const noexcept {
    // From the toe side (theta < 0) the search walks forward from the start of the step to the
    // last time theta <= 0; from the heel side backward from its end to the first such time.
    double x = start.theta < 0.0 ? 0.0 : mDt;
    double step = start.theta < 0.0 ? mDt : -mDt;
    Impact impact;
    impact.state = start;
    for (int i = 0; i < kImpactBisections; ++i) {
        step /= 2.0;
        const double tryTime = x + step;
        impact.state = integrate(p, start, 0.0, tryTime);
        if (impact.state.theta <= 0.0)
            x = tryTime;
        if (impact.state.theta == 0.0)
            break;
    }
    impact.tau = x;
    return impact;
}

} // namespace quibel
