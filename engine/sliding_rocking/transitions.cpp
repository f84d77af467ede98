// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/sliding_rocking/transitions.h"

#include "engine/sliding_rocking/energy.h"
#include "engine/sliding_rocking/equations.h"
#include "engine/sliding_rocking/event_rules.h"
#include "engine/sliding_rocking/events.h"
#include "engine/sliding_rocking/integrators.h"

#include <algorithm>
#include <cmath>

namespace quibel {

namespace {

using Mode = MotionMode;

double nonNegative(double span) noexcept {
    return std::max(span, 0.0);
}

/// The combined mode of a pivot (heel or toe) and a sliding direction.
Mode coupledMode(bool heel, bool upstream) noexcept {
    if (heel)
        return upstream ? Mode::SlidingUSRockingUS : Mode::SlidingDSRockingUS;
    return upstream ? Mode::SlidingUSRockingDS : Mode::SlidingDSRockingDS;
}

// Mode 0, at rest.

/// Trial of combined mode m from rest; the fallback is the pure rocking of its pivot.
void trialFromRest(const SlidingRockingContext& c, SlidingRockingState& s, Mode m) noexcept {
    const double h = s.h;
    const Mode fallback = pureRocking(m);
    s.mode = m;
    IntegrateRotation(c, s, m, h);
    if (rotationAgainstPivot(m, s.theta)) {
        s.resetRotation();
        s.mode = Mode::Sliding;
        SlidingNewmarkStep(c, s, h);
        const bool contrary = slidesUpstream(m) ? s.v > 0.0 : s.v < 0.0;
        if (contrary) {
            s.resetSliding();
            s.mode = Mode::Stop;
        }
        return;
    }
    NewmarkUpdate(c, s, h);
    if (slidingAgainstMode(m, s.v)) {
        s.resetSliding();
        s.mode = fallback;
        IntegrateRotation(c, s, fallback, h);
        if (rotationAgainstPivot(fallback, s.theta)) {
            s.resetRotation();
            s.mode = Mode::Stop;
        }
        return;
    }
    CoupledEvents(c, s);
}

void fromRest(const SlidingRockingContext& c, SlidingRockingState& s, Tendency sliding,
              Tendency rocking) noexcept {
    const double h = s.h;
    if (sliding == Tendency::None) {
        if (rocking == Tendency::None) {
            s.resetRotation();
            s.resetSliding();
            return;
        }
        const Mode m = rocking == Tendency::Upstream ? Mode::RockingUS : Mode::RockingDS;
        s.mode = m;
        IntegrateRotation(c, s, m, h);
        if (rotationAgainstPivot(m, s.theta)) {
            s.mode = Mode::Stop;
            s.resetRotation();
        }
        s.resetSliding();
        return;
    }
    if (rocking == Tendency::None) {
        s.mode = Mode::Sliding;
        SlidingNewmarkStep(c, s, h);
        if (sliding == Tendency::Upstream) {
            if (s.v > 0.0) {
                s.resetSliding();
                s.mode = Mode::Stop;
            } else {
                NewmarkUpdate(c, s, h);
            }
            s.resetRotation();
            return;
        }
        s.resetRotation();
        if (s.v < 0.0 && s.v0 != 0.0) {
            s.resetSliding();
            s.mode = Mode::Stop;
        } else if (SlidingStops(c, s)) {
            const double tau = SlidingStopTime(c, s, Mode::Sliding, h);
            s.v = 0.0;
            LinearDisplacement(s, tau);
            s.a = 0.0;
            s.resetRotation();
            s.mode = Mode::Stop;
        }
        return;
    }
    trialFromRest(c, s, coupledMode(rocking == Tendency::Upstream, sliding == Tendency::Upstream));
}

// Mode 1, sliding.

void fromSliding(const SlidingRockingContext& c, SlidingRockingState& s,
                 Tendency rocking) noexcept {
    const double h = s.h;
    if (rocking == Tendency::None) {
        SlidingNewmarkStep(c, s, h);
        if (SlidingReversed(s.v0, s.v)) {
            const bool stops = SlidingStops(c, s);
            const double tau = SlidingStopTime(c, s, Mode::Sliding, h);
            s.v = 0.0;
            LinearDisplacement(s, tau);
            if (stops) {
                s.a = 0.0;
                s.mode = Mode::Stop;
            } else {
                // The sliding restarts the other way from rest at the reversal.
                s.u0 = s.u;
                s.v0 = 0.0;
                s.a0 = s.a;
                SlidingNewmarkStep(c, s, nonNegative(h - tau));
            }
        }
        s.resetRotation();
        return;
    }

    const bool heel = rocking == Tendency::Upstream;
    const Mode m = coupledMode(heel, !(s.v0 > 0.0));
    s.mode = m;
    IntegrateRotation(c, s, m, h);
    if (rotationAgainstPivot(m, s.theta)) {
        s.resetRotation();
        s.mode = Mode::Sliding;
        SlidingNewmarkStep(c, s, h);
    } else {
        NewmarkUpdate(c, s, h);
    }
    if (!SlidingReversed(s.v0, s.v))
        return;
    const Mode mode = s.mode;
    if (SlidingStops(c, s)) {
        const double tau = SlidingStopTime(c, s, mode, h);
        s.v = 0.0;
        LinearDisplacement(s, tau);
        s.a = 0.0;
        s.resetRotation();
        if (mode == Mode::Sliding) {
            s.mode = Mode::Stop;
            s.resetSliding();
        } else if (isCoupledMode(mode)) {
            const Mode rock = pureRocking(mode);
            s.mode = rock;
            IntegrateRotation(c, s, rock, nonNegative(h - tau));
            if (rotationAgainstPivot(rock, s.theta)) {
                s.resetRotation();
                s.resetSliding();
                s.mode = Mode::Stop;
            }
        }
        return;
    }
    const double tau = SlidingStopTime(c, s, mode, h);
    s.v = 0.0;
    LinearDisplacement(s, tau);
    s.u0 = s.u;
    s.v0 = 0.0;
    s.a0 = s.a;
    if (mode == Mode::Sliding) {
        SlidingNewmarkStep(c, s, nonNegative(h - tau));
    } else if (isCoupledMode(mode)) {
        s.mode = reverseSliding(mode);
        IntegrateRotation(c, s, s.mode, nonNegative(h - tau));
        NewmarkUpdate(c, s, nonNegative(h - tau));
        SlideOnOrRock(c, s, nonNegative(h - tau));
    }
}

// Modes 2 and 3, pure rocking.

void fromRocking(const SlidingRockingContext& c, SlidingRockingState& s,
                 Tendency sliding) noexcept {
    const double h = s.h;
    const Mode rock = s.mode;
    const Mode other = otherRocking(rock);
    if (sliding == Tendency::None) {
        IntegrateRotation(c, s, rock, h);
        RockingImpact(c, s, rock, other);
        s.resetSliding();
        return;
    }
    const Mode m = coupledMode(rock == Mode::RockingUS, sliding == Tendency::Upstream);
    s.mode = m;
    IntegrateRotation(c, s, m, h);
    NewmarkUpdate(c, s, h);
    if (slidingAgainstMode(m, s.v)) {
        s.mode = rock;
        s.resetSliding();
        IntegrateRotation(c, s, rock, h);
        RockingImpact(c, s, rock, other);
        return;
    }
    CoupledEvents(c, s);
}

} // namespace

void RockingImpact(const SlidingRockingContext& c, SlidingRockingState& s, MotionMode from,
                   MotionMode to) noexcept {
    if (!RotationReversed(s.theta0, s.theta))
        return;
    const double tau = RotationZeroTime(c, s, from, s.h);
    if (RotationSettled(s.theta, s.omega)) {
        s.mode = Mode::Stop;
        s.resetSliding();
        s.resetRotation();
        return;
    }
    s.mode = to;
    s.E = ImpactEnergyLoss(c, s, from, false);
    s.omega0 = s.omega * Restitution(c, from);
    s.v0 = s.v * c.Es;
    s.theta0 = s.theta;
    s.alpha0 = s.alpha;
    const double rest = nonNegative(s.h - tau);
    IntegrateRotation(c, s, to, rest);
    LinearUpdate(s, rest);
    if (rotationAgainstPivot(to, s.theta)) {
        s.E = 0.0;
        s.mode = Mode::Stop;
        s.resetRotation();
        s.resetSliding();
    }
}

void ChooseAndIntegrate(const SlidingRockingContext& c, SlidingRockingState& s, Tendency sliding,
                        Tendency rocking) noexcept {
    switch (s.mode) {
    case Mode::Stop:
        fromRest(c, s, sliding, rocking);
        break;
    case Mode::Sliding:
        fromSliding(c, s, rocking);
        break;
    case Mode::RockingUS:
    case Mode::RockingDS:
        fromRocking(c, s, sliding);
        break;
    default:
        IntegrateRotation(c, s, s.mode, s.h);
        NewmarkUpdate(c, s, s.h);
        CoupledEvents(c, s);
        break;
    }
}

} // namespace quibel
