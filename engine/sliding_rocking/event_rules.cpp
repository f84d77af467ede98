// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/sliding_rocking/event_rules.h"

#include "engine/sliding_rocking/energy.h"
#include "engine/sliding_rocking/equations.h"

#include <cmath>

namespace quibel {

double Restitution(const SlidingRockingContext& c, MotionMode mode) noexcept {
    return isHeelMode(mode) ? c.Ed : c.Eu;
}

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
        after = RelativeKineticEnergy(c, heel, toe, MotionMode::Sliding, 0.0, 0.0, vAfter);
    } else {
        const MotionMode landed = isHeelMode(mode) ? MotionMode::RockingDS : MotionMode::RockingUS;
        after = RelativeKineticEnergy(c, heel, toe, landed, s.theta, s.omega * Restitution(c, mode),
                                      vAfter);
    }
    const double vh = c.cosBeta * s.v;
    return before - after + 0.5 * s.addedMassW * (1.0 - c.Es * c.Es) * vh * vh;
}

} // namespace quibel
