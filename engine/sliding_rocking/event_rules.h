// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/sliding_rocking/context.h"
#include "engine/sliding_rocking/modes.h"
#include "engine/sliding_rocking/state.h"

namespace quibel {

// The rules that the events inside a combined mode and the transitions between modes both
// apply: the restitution of a landing, the stop of a sliding block and the energy an impact
// takes. They call neither the events nor the transitions.

/// Restitution of the impact that ends rocking about the pivot of mode: rocking about the heel
/// lands on the downstream side (Ed), about the toe on the upstream side (Eu).
double Restitution(const SlidingRockingContext& c, MotionMode mode) noexcept;

/// Recomputes D and Fr in the current state (PlaneForces) and tells whether a block whose
/// sliding velocity has reached zero (v0 != 0, v / v0 <= 0) is held by friction (|D| < |Fr|).
bool SlidingStops(const SlidingRockingContext& c, SlidingRockingState& s) noexcept;

/// Energy lost (kN·m) in an impact of a block rocking in `mode` (plastic: it stops rocking)
/// at the state's rotation, angular velocity and sliding velocity: the relative kinetic energy
/// just before, about the pivot of mode with omega and v, less the one just after, about the
/// other pivot with omega times the restitution of the impacted side (or without rotation when
/// plastic) and v times Es; plus the kinetic energy lost by the water's added mass,
/// mh (1 - Es²) (v cos beta)² / 2. 0 in modes 0 and 1.
double ImpactEnergyLoss(const SlidingRockingContext& c, SlidingRockingState& s, MotionMode mode,
                        bool plastic) noexcept;

} // namespace quibel
