// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/sliding_rocking/events.h"

#include "engine/sliding_rocking/event_rules.h"
#include "engine/sliding_rocking/integrators.h"

#include <algorithm>
#include <cmath>

namespace quibel {

namespace {

using Mode = MotionMode;

double nonNegative(double span) noexcept {
    return std::max(span, 0.0);
}

/// The sliding velocity reversed after the rotation event of case A2 or B, in mode (a combined
/// mode): it stops (pure rocking for the rest) or goes on the other way.
void reversalAfterImpact(const SlidingRockingContext& c, SlidingRockingState& s, double span,
                         bool stops) noexcept {
    const Mode mode = s.mode;
    const double tau = SlidingStopTime(c, s, mode, span);
    s.v = 0.0;
    LinearDisplacement(s, tau);
    const double rest = nonNegative(span - tau);
    if (stops) {
        s.mode = pureRocking(mode);
        IntegrateRotation(c, s, s.mode, rest);
        return;
    }
    s.mode = reverseSliding(mode);
    s.startFromCurrent();
    IntegrateRotation(c, s, s.mode, rest);
    LinearUpdate(s, rest);
    SlideOnOrRock(c, s, rest);
}

/// The rotation of combined mode m settled at the crossing found over the step: the rocking
/// ends (plastically) and the block slides on for the rest of the step.
void settleIntoSliding(const SlidingRockingContext& c, SlidingRockingState& s, Mode m,
                       double tauTheta) noexcept {
    const double h = s.h;
    LinearUpdate(s, tauTheta);
    s.E = ImpactEnergyLoss(c, s, m, true);
    s.mode = Mode::Sliding;
    s.theta = 0.0;
    s.omega = 0.0;
    s.startFromCurrent();
    s.v0 = s.v * c.Es;
    SlidingNewmarkStep(c, s, nonNegative(h - tauTheta));
}

/// The block of combined mode m lands on its other corner at tauTheta and goes on in X(m)
/// with the restitutions of the impact, for the rest of the step.
void landOnOtherCorner(const SlidingRockingContext& c, SlidingRockingState& s, Mode m,
                       double tauTheta) noexcept {
    const double h = s.h;
    LinearUpdate(s, tauTheta);
    s.E = ImpactEnergyLoss(c, s, m, false);
    const double omegaAfter = s.omega * Restitution(c, m);
    s.mode = swapPivot(m);
    s.startFromCurrent();
    s.theta0 = 0.0;
    s.omega0 = omegaAfter;
    s.v0 = s.v * c.Es;
    const double rest = nonNegative(h - tauTheta);
    IntegrateRotation(c, s, s.mode, rest);
    LinearUpdate(s, rest);
}

/// A: the rotation and the sliding velocity both changed sign over the step.
void bothReversed(const SlidingRockingContext& c, SlidingRockingState& s, Mode m) noexcept {
    const double h = s.h;
    const double tauTheta = RotationZeroTime(c, s, m, h);
    SlidingRockingState copy = s;
    const double tauS = SlidingStopTime(c, copy, m, h);

    if (tauS < tauTheta) {
        // A1: the sliding event comes first.
        s.theta = copy.theta;
        s.omega = copy.omega;
        s.alpha = copy.alpha;
        s.a = copy.a;
        s.heel = copy.heel;
        s.toe = copy.toe;
        s.heelU = copy.heelU;
        s.toeU = copy.toeU;
        s.v = s.v0 + (s.a + s.a0) * tauS / 2.0;
        LinearDisplacement(s, tauS);
        const double rest = nonNegative(h - tauS);
        if (SlidingStops(c, s)) {
            s.mode = pureRocking(m);
            s.v = 0.0;
            s.u0 = s.u;
            IntegrateRotation(c, s, s.mode, rest);
            if (RotationSettled(s.theta, s.omega)) {
                RotationZeroTime(c, s, s.mode, rest);
                s.E = ImpactEnergyLoss(c, s, s.mode, true);
                s.theta = 0.0;
                s.omega = 0.0;
                s.mode = Mode::Stop;
            } else if (RotationReversed(s.theta0, s.theta)) {
                const double tau = RotationZeroTime(c, s, s.mode, rest);
                s.E = ImpactEnergyLoss(c, s, s.mode, false);
                s.mode = otherRocking(s.mode);
                s.theta0 = 0.0;
                s.alpha0 = s.alpha;
                s.omega0 = s.omega * Restitution(c, m);
                IntegrateRotation(c, s, s.mode, nonNegative(rest - tau));
            }
            return;
        }
        const Mode reversed = reverseSliding(m);
        s.mode = reversed;
        s.startFromCurrent();
        s.v0 = 0.0;
        IntegrateRotation(c, s, s.mode, rest);
        LinearUpdate(s, rest);
        SlideOnOrRock(c, s, rest);
        if (RotationSettled(s.theta, s.omega)) {
            const double tau = RotationZeroTime(c, s, s.mode, rest);
            LinearUpdate(s, tau);
            s.E = ImpactEnergyLoss(c, s, s.mode, true);
            s.mode = Mode::Sliding;
            s.theta = 0.0;
            s.omega = 0.0;
            s.startFromCurrent();
            s.v0 = s.v * c.Es;
            SlidingNewmarkStep(c, s, nonNegative(rest - tau));
        } else if (RotationReversed(s.theta0, s.theta)) {
            // As after a reversal alone: the block lands sliding the new way on its other
            // corner, also when friction had held it meanwhile.
            const double tau = RotationZeroTime(c, s, s.mode, rest);
            LinearUpdate(s, tau);
            s.E = ImpactEnergyLoss(c, s, s.mode, false);
            const double omegaAfter = s.omega * Restitution(c, reversed);
            s.mode = swapPivot(reversed);
            s.startFromCurrent();
            s.theta0 = 0.0;
            s.omega0 = omegaAfter;
            s.v0 = s.v * c.Es;
            IntegrateRotation(c, s, s.mode, nonNegative(rest - tau));
            LinearUpdate(s, nonNegative(rest - tau));
            SlideOnOrRock(c, s, nonNegative(rest - tau));
        }
        return;
    }

    // A2: the rotation event comes first.
    if (RotationSettled(s.theta, s.omega)) {
        settleIntoSliding(c, s, m, tauTheta);
        if (SlidingReversed(s.v0, s.v)) {
            const bool stops = SlidingStops(c, s);
            const double rest = nonNegative(h - tauTheta);
            const double tau = SlidingStopTime(c, s, Mode::Sliding, rest);
            s.v = 0.0;
            LinearDisplacement(s, tau);
            if (stops) {
                s.mode = Mode::Stop;
            } else {
                s.startFromCurrent();
                SlidingNewmarkStep(c, s, nonNegative(rest - tau));
            }
        }
        return;
    }
    landOnOtherCorner(c, s, m, tauTheta);
    if (SlidingReversed(s.v0, s.v)) {
        const bool stops = SlidingStops(c, s);
        reversalAfterImpact(c, s, nonNegative(h - tauTheta), stops);
    } else {
        SlideOnOrRock(c, s, nonNegative(h - tauTheta));
    }
}

/// B: only the rotation changed sign over the step.
void rotationReversed(const SlidingRockingContext& c, SlidingRockingState& s, Mode m) noexcept {
    const double h = s.h;
    const double tauTheta = RotationZeroTime(c, s, m, h);
    const double rest = nonNegative(h - tauTheta);
    if (RotationSettled(s.theta, s.omega)) {
        settleIntoSliding(c, s, m, tauTheta);
        if (SlidingReversed(s.v0, s.v)) {
            const double tau = SlidingStopTime(c, s, Mode::Sliding, rest);
            s.v = 0.0;
            LinearDisplacement(s, tau);
            if (SlidingStops(c, s)) {
                s.mode = Mode::Stop;
            } else {
                s.startFromCurrent();
                SlidingNewmarkStep(c, s, nonNegative(rest - tau));
            }
        }
        return;
    }
    landOnOtherCorner(c, s, m, tauTheta);
    if (rotationAgainstPivot(s.mode, s.theta)) {
        s.mode = Mode::Sliding;
        SlidingNewmarkStep(c, s, rest);
        s.resetRotation();
        return;
    }
    if (!SlidingReversed(s.v0, s.v)) {
        SlideOnOrRock(c, s, rest);
    } else {
        const Mode mode = s.mode;
        const double tau = SlidingStopTime(c, s, mode, rest);
        s.v = 0.0;
        LinearDisplacement(s, tau);
        const bool stops = SlidingStops(c, s);
        if (stops) {
            s.mode = pureRocking(mode);
            IntegrateRotation(c, s, s.mode, nonNegative(rest - tau));
        } else {
            s.mode = reverseSliding(mode);
            s.startFromCurrent();
            IntegrateRotation(c, s, s.mode, nonNegative(rest - tau));
            LinearUpdate(s, nonNegative(rest - tau));
            SlideOnOrRock(c, s, nonNegative(rest - tau));
        }
    }
}

/// C: only the sliding velocity changed sign over the step.
void slidingReversed(const SlidingRockingContext& c, SlidingRockingState& s, Mode m) noexcept {
    const double h = s.h;
    const double tauS = SlidingStopTime(c, s, m, h);
    s.v = -s.v0 * 1e-10; // a vanishing velocity of the new sign
    LinearDisplacement(s, tauS);
    const double rest = nonNegative(h - tauS);
    if (SlidingStops(c, s)) {
        s.mode = pureRocking(m);
        s.v = 0.0;
        s.a = 0.0;
        s.theta0 = s.theta;
        s.omega0 = s.omega;
        s.alpha0 = s.alpha;
        IntegrateRotation(c, s, s.mode, rest);
        return;
    }
    const Mode reversed = reverseSliding(m);
    s.mode = reversed;
    s.startFromCurrent();
    IntegrateRotation(c, s, reversed, rest);
    LinearUpdate(s, rest);
    SlideOnOrRock(c, s, rest);
    if (RotationSettled(s.theta, s.omega)) {
        const double tau = RotationZeroTime(c, s, s.mode, rest);
        LinearUpdate(s, tau);
        s.E = ImpactEnergyLoss(c, s, s.mode, true);
        s.v *= c.Es;
        s.mode = Mode::Sliding;
        s.theta = 0.0;
        s.omega = 0.0;
        s.startFromCurrent();
        SlidingNewmarkStep(c, s, nonNegative(rest - tau));
    } else if (RotationReversed(s.theta0, s.theta)) {
        const double tau = RotationZeroTime(c, s, s.mode, rest);
        LinearUpdate(s, tau);
        s.E = ImpactEnergyLoss(c, s, s.mode, false);
        const double omegaAfter = s.omega * Restitution(c, reversed);
        const double alphaAfter = s.alpha;
        const double thetaAfter = s.theta;
        s.v *= c.Es;
        s.mode = swapPivot(reversed);
        s.startFromCurrent();
        s.theta0 = thetaAfter;
        s.omega0 = omegaAfter;
        s.alpha0 = alphaAfter;
        IntegrateRotation(c, s, s.mode, nonNegative(rest - tau));
        SlideOnOrRock(c, s, nonNegative(rest - tau));
    }
}

} // namespace

void SlideOnOrRock(const SlidingRockingContext& c, SlidingRockingState& s, double span) noexcept {
    if (!slidingAgainstMode(s.mode, s.v))
        return;
    s.mode = pureRocking(s.mode);
    IntegrateRotation(c, s, s.mode, span);
    s.v = 0.0;
    s.u = s.u0;
}

void CoupledEvents(const SlidingRockingContext& c, SlidingRockingState& s) noexcept {
    const Mode m = s.mode;
    const bool rotation = RotationReversed(s.theta0, s.theta);
    const bool sliding = SlidingReversed(s.v0, s.v);
    if (rotation && sliding)
        bothReversed(c, s, m);
    else if (rotation)
        rotationReversed(c, s, m);
    else if (sliding)
        slidingReversed(c, s, m);
}

} // namespace quibel
