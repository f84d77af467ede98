#include "engine/sliding_rocking_transitions.h"

#include "engine/sliding_rocking_energy.h"
#include "engine/sliding_rocking_equations.h"
#include "engine/sliding_rocking_integrators.h"

#include <algorithm>
#include <cmath>

namespace quibel {

namespace {

using Mode = MotionMode;

double nonNegative(double span) noexcept {
    return std::max(span, 0.0);
}

/// The rotation has the wrong sign for the pivot of mode: theta < 0 about the heel,
/// theta > 0 about the toe.
bool wrongRotation(Mode mode, double theta) noexcept {
    return isHeelMode(mode) ? theta < 0.0 : (isToeMode(mode) ? theta > 0.0 : false);
}

/// The sliding velocity does not go the way of the combined mode (upstream: v < 0, downstream:
/// v > 0). A velocity of exactly 0 does not either: the mode could not be kept.
bool againstSliding(Mode mode, double v) noexcept {
    return slidesUpstream(mode) ? v >= 0.0 : v <= 0.0;
}

/// Restitution of the impact that ends rocking about the pivot of mode: heel rocking lands on
/// the downstream side (Ed), toe rocking on the upstream side (Eu).
double restitution(const SlidingRockingContext& c, Mode mode) noexcept {
    return isHeelMode(mode) ? c.Ed : c.Eu;
}

/// The other pure rocking mode: 2 <-> 3.
Mode otherRocking(Mode mode) noexcept {
    return mode == Mode::RockingUS ? Mode::RockingDS : Mode::RockingUS;
}

/// The combined mode of a pivot (heel or toe) and a sliding direction.
Mode coupledMode(bool heel, bool upstream) noexcept {
    if (heel)
        return upstream ? Mode::SlidingUSRockingUS : Mode::SlidingDSRockingUS;
    return upstream ? Mode::SlidingUSRockingDS : Mode::SlidingDSRockingDS;
}

/// After a reversal the block slides on the other way in the combined mode of the state,
/// integrated over span from the reversal. When that sliding does not go the mode's way
/// either, friction holds the block: it rocks only, about the same pivot.
void slideOnOrRock(const SlidingRockingContext& c, SlidingRockingState& s, double span) noexcept {
    if (!againstSliding(s.mode, s.v))
        return;
    s.mode = pureRocking(s.mode);
    IntegrateRotation(c, s, s.mode, span);
    s.v = 0.0;
    s.u = s.u0;
}

// Mode 0, at rest.

/// Trial of combined mode m from rest; the fallback is the pure rocking of its pivot.
void trialFromRest(const SlidingRockingContext& c, SlidingRockingState& s, Mode m) noexcept {
    const double h = s.h;
    const Mode fallback = pureRocking(m);
    s.mode = m;
    IntegrateRotation(c, s, m, h);
    if (wrongRotation(m, s.theta)) {
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
    if (againstSliding(m, s.v)) {
        s.resetSliding();
        s.mode = fallback;
        IntegrateRotation(c, s, fallback, h);
        if (wrongRotation(fallback, s.theta)) {
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
        if (wrongRotation(m, s.theta)) {
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
    if (wrongRotation(m, s.theta)) {
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
            if (wrongRotation(rock, s.theta)) {
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
        slideOnOrRock(c, s, nonNegative(h - tau));
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
    if (againstSliding(m, s.v)) {
        s.mode = rock;
        s.resetSliding();
        IntegrateRotation(c, s, rock, h);
        RockingImpact(c, s, rock, other);
        return;
    }
    CoupledEvents(c, s);
}

// Events of the combined modes. All sliding updates there are linear updates.

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
    slideOnOrRock(c, s, rest);
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
    const double omegaAfter = s.omega * restitution(c, m);
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
                s.omega0 = s.omega * restitution(c, m);
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
        slideOnOrRock(c, s, rest);
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
            const double omegaAfter = s.omega * restitution(c, reversed);
            s.mode = swapPivot(reversed);
            s.startFromCurrent();
            s.theta0 = 0.0;
            s.omega0 = omegaAfter;
            s.v0 = s.v * c.Es;
            IntegrateRotation(c, s, s.mode, nonNegative(rest - tau));
            LinearUpdate(s, nonNegative(rest - tau));
            slideOnOrRock(c, s, nonNegative(rest - tau));
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
        slideOnOrRock(c, s, nonNegative(h - tauTheta));
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
    if (wrongRotation(s.mode, s.theta)) {
        s.mode = Mode::Sliding;
        SlidingNewmarkStep(c, s, rest);
        s.resetRotation();
        return;
    }
    if (!SlidingReversed(s.v0, s.v)) {
        slideOnOrRock(c, s, rest);
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
            slideOnOrRock(c, s, nonNegative(rest - tau));
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
    slideOnOrRock(c, s, rest);
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
        const double omegaAfter = s.omega * restitution(c, reversed);
        const double alphaAfter = s.alpha;
        const double thetaAfter = s.theta;
        s.v *= c.Es;
        s.mode = swapPivot(reversed);
        s.startFromCurrent();
        s.theta0 = thetaAfter;
        s.omega0 = omegaAfter;
        s.alpha0 = alphaAfter;
        IntegrateRotation(c, s, s.mode, nonNegative(rest - tau));
        slideOnOrRock(c, s, nonNegative(rest - tau));
    }
}

} // namespace

bool SlidingStops(const SlidingRockingContext& c, SlidingRockingState& s) noexcept {
    PlaneForces(c, s);
    return s.v0 != 0.0 && s.v / s.v0 <= 0.0 && std::fabs(s.D) < std::fabs(s.Fr);
}

double ImpactEnergyLoss(const SlidingRockingContext& c, SlidingRockingState& s, MotionMode mode,
                        bool plastic) noexcept {
    if (!isHeelMode(mode) && !isToeMode(mode))
        return 0.0;
    const MassProperties& heel = PivotMassProperties(c, s, true, s.u);
    const MassProperties& toe = PivotMassProperties(c, s, false, s.u);
    const double before = RelativeKineticEnergy(c, heel, toe, mode, s.theta, s.omega, s.v);
    const double vAfter = s.v * c.Es;
    double after;
    if (plastic) {
        after = RelativeKineticEnergy(c, heel, toe, Mode::Sliding, 0.0, 0.0, vAfter);
    } else {
        const Mode landed = isHeelMode(mode) ? Mode::RockingDS : Mode::RockingUS;
        after = RelativeKineticEnergy(c, heel, toe, landed, s.theta, s.omega * restitution(c, mode),
                                      vAfter);
    }
    const double vh = c.cosBeta * s.v;
    return before - after + 0.5 * s.addedMassW * (1.0 - c.Es * c.Es) * vh * vh;
}

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
    s.omega0 = s.omega * restitution(c, from);
    s.v0 = s.v * c.Es;
    s.theta0 = s.theta;
    s.alpha0 = s.alpha;
    const double rest = nonNegative(s.h - tau);
    IntegrateRotation(c, s, to, rest);
    LinearUpdate(s, rest);
    if (wrongRotation(to, s.theta)) {
        s.E = 0.0;
        s.mode = Mode::Stop;
        s.resetRotation();
        s.resetSliding();
    }
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
