// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/sliding_rocking/context.h"
#include "engine/sliding_rocking/modes.h"
#include "engine/sliding_rocking/state.h"

namespace quibel {

// How a sliding-and-rocking step is integrated: the mode it starts in and the tendencies of
// its loads choose the equations; events inside the step (the rotation reaching zero, the
// sliding velocity changing sign) are located and handled in the order they happen, with the
// coefficients of restitution at an impact. No further event is searched in the last span of
// a step; the next step finds it.

/// Integrates the step held by the state (its start values, mode and ground accelerations)
/// for the tendencies of its loads, and leaves the results and the new mode in the state.
///
/// A trial of a combined mode falls back to pure rocking (or to rest) when the sliding
/// velocity after the Newmark update over the step does not go the mode's way; the velocity
/// before the update would be 0 in every such trial (from rest, and in pure rocking where the
/// sliding is reset every step) and could never tell.
void ChooseAndIntegrate(const SlidingRockingContext& c, SlidingRockingState& s, Tendency sliding,
                        Tendency rocking) noexcept;

/// Pure rocking about the pivot of `from` (2 or 3) that crossed theta = 0 during the step:
/// locates the crossing; a rotation that has settled comes to rest; otherwise the block lands
/// on the other corner and rocks on in `to` with its angular velocity times the restitution
/// of the impacted side (Ed after heel rocking, Eu after toe rocking) for the rest of the step.
void RockingImpact(const SlidingRockingContext& c, SlidingRockingState& s, MotionMode from,
                   MotionMode to) noexcept;

} // namespace quibel
