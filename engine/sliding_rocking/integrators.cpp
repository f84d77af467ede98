// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/sliding_rocking/integrators.h"

#include "engine/loads/hydrodynamic_loads.h"
#include "engine/run/sliding_stop.h"
#include "engine/sliding_rocking/equations.h"

#include <algorithm>
#include <cmath>

namespace quibel {

namespace {
double nonNegative(double span) noexcept {
    return std::max(span, 0.0);
}

/// Angular acceleration of mode at (theta, omega) with the ground accelerations (ag, av); keeps
/// the coupled sliding acceleration in s.a.
double angularAcceleration(const SlidingRockingContext& c, SlidingRockingState& s, MotionMode mode,
                           double theta, double omega, double ag, double av) noexcept {
    if (mode == MotionMode::RockingUS || mode == MotionMode::RockingDS)
        return RockingAcceleration(c, s, mode, av, ag, s.u0, theta);
    if (isCoupledMode(mode)) {
        const CoupledResult r = CoupledAccelerations(c, s, mode, av, ag, s.u0, omega, theta);
        s.a = r.a;
        return r.alpha;
    }
    return 0.0;
}

/// Bisection on g over [0, span]: from the end of the span backwards when g(0) >= 0, forwards
/// otherwise, keeping as root the last point where g <= 0.
template <typename G>
double bisect(double g0, double span, double tolerance, int halvings, G g) noexcept {
    double root, dx;
    if (g0 < 0.0) {
        root = 0.0;
        dx = span;
    } else {
        root = span;
        dx = -span;
    }
    for (int k = 0; k < halvings; ++k) {
        dx /= 2.0;
        const double mid = root + dx;
        const double gm = g(mid);
        if (gm <= 0.0)
            root = mid;
        if (std::fabs(dx) < tolerance || gm == 0.0)
            break;
    }
    return root;
}
} // namespace

void NewmarkUpdate(const SlidingRockingContext& c, SlidingRockingState& s, double span) noexcept {
    span = nonNegative(span);
    s.v = s.v0 + (s.a0 + s.a) * span / 2.0;
    if (c.constantAverage)
        s.u = s.u0 + s.v0 * span + (s.a0 + s.a) * span * span / 4.0;
    else
        s.u = s.u0 + s.v0 * span + s.a0 * span * span / 3.0 + s.a * span * span / 6.0;
}

void LinearUpdate(SlidingRockingState& s, double span) noexcept {
    span = nonNegative(span);
    s.v = s.v0 + (s.a0 + s.a) * span / 2.0;
    LinearDisplacement(s, span);
}

void LinearDisplacement(SlidingRockingState& s, double span) noexcept {
    span = nonNegative(span);
    s.u = s.u0 + s.v0 * span + s.a0 * span * span / 3.0 + s.a * span * span / 6.0;
}

void SlidingNewmarkStep(const SlidingRockingContext& c, SlidingRockingState& s,
                        double span) noexcept {
    span = nonNegative(span);
    const TranslationalLoad water = c.translational(s.u0, 0.0, 0.0, -1.0);
    s.addedMassW = water.addedMass;
    const double mh = water.addedMass;
    const double M = PivotMassProperties(c, s, true, s.u0).Mass;
    if (s.v0 == 0.0)
        PlaneForces(c, s);
    else
        s.Fr = std::fabs(s.Fr) * (-s.v0 / std::fabs(s.v0));
    const double cosTheta0 = std::cos(s.theta0);
    s.a = (s.D + s.Fr) / (M + mh * cosTheta0 * cosTheta0);
    NewmarkUpdate(c, s, span);

    if (s.v0 != 0.0 && std::fabs(s.D) <= std::fabs(s.Fr) && s.v / s.v0 <= 0.0) {
        // The velocity v0 + a0 t + A t² of an acceleration linear over the span reaches zero.
        const double A = span > 0.0 ? (s.a - s.a0) / (2.0 * span) : 0.0;
        const double tau = VelocityRootTime(s.v0, s.a0, A, span);
        if (span > 0.0)
            s.a = s.a0 + (s.a - s.a0) * tau / span;
        s.v = 0.0;
        if (c.constantAverage)
            s.u = s.u0 + s.v0 * tau + tau * tau * (s.a0 + s.a) / 4.0;
        else
            s.u = s.u0 + s.v0 * tau + s.a0 * tau * tau / 2.0 +
                  tau * tau * tau * ((s.a - s.a0) / (span > 0.0 ? span : 1.0)) / 6.0;
        s.mode = MotionMode::Stop;
    }
}

void IntegrateRotation(const SlidingRockingContext& c, SlidingRockingState& s, MotionMode mode,
                       double span) noexcept {
    span = nonNegative(span);
    const double half = span / 2.0;
    const double agm = (s.ag0 + s.ag1) / 2.0;
    const double avm = (s.av0 + s.av1) / 2.0;
    const double th0 = s.theta0, w0 = s.omega0;
    const bool coupled = isCoupledMode(mode);
    const double aKept = s.a;

    const double k1 = angularAcceleration(c, s, mode, th0, w0, s.ag0, s.av0);
    const double tha = th0 + half * w0, wa = w0 + half * k1;
    const double k2 = angularAcceleration(c, s, mode, tha, wa, agm, avm);
    const double thb = th0 + half * wa, wb = w0 + half * k2;
    const double k3 = angularAcceleration(c, s, mode, thb, wb, agm, avm);
    const double thc = th0 + span * wb, wc = w0 + span * k3;
    const double k4 = angularAcceleration(c, s, mode, thc, wc, s.ag1, s.av1);

    s.theta = th0 + span / 6.0 * (w0 + 2.0 * wa + 2.0 * wb + wc);
    s.omega = w0 + span / 6.0 * (k1 + 2.0 * k2 + 2.0 * k3 + k4);
    s.alpha = (k1 + 2.0 * k2 + 2.0 * k3 + k4) / 6.0;
    if (mode == MotionMode::RockingUS || mode == MotionMode::RockingDS)
        s.a = 0.0;
    else if (!coupled)
        s.a = aKept;
}

double RotationZeroTime(const SlidingRockingContext& c, SlidingRockingState& s, MotionMode mode,
                        double span) noexcept {
    span = nonNegative(span);
    // Over a span of 0 the integration gives theta0 itself.
    return bisect(s.theta0, span, 1e-6 * span, 20, [&](double t) {
        IntegrateRotation(c, s, mode, t);
        return s.theta;
    });
}

double SlidingStopTime(const SlidingRockingContext& c, SlidingRockingState& s, MotionMode mode,
                       double span) noexcept {
    span = nonNegative(span);
    return bisect(s.v0, span, 1e-8 * span, 30, [&](double t) {
        IntegrateRotation(c, s, mode, t);
        return s.v0 + (s.a + s.a0) * t / 2.0;
    });
}

} // namespace quibel
