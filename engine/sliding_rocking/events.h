// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/sliding_rocking/context.h"
#include "engine/sliding_rocking/state.h"

namespace quibel {

/// The events of a combined mode (4..7) after its integration over the whole step, each
/// located inside the step and handled from its instant, the earlier first when both happen:
/// - the rotation reaching zero: a rotation that has settled ends the rocking (the block
///   slides on), otherwise the block lands on its other corner with the restitutions of the
///   impacted side and of the sliding (Es);
/// - the sliding velocity changing sign: the block stops sliding when friction holds it (it
///   rocks only), otherwise it slides on the other way from rest at the reversal.
/// All sliding updates here are linear updates. No further event is searched in the last span
/// of the step.
void CoupledEvents(const SlidingRockingContext& c, SlidingRockingState& s) noexcept;

/// After a reversal or a landing, the block slides on in the combined mode of the state,
/// integrated over span (s). When that sliding does not go the mode's way, friction holds the
/// block: it rocks only about the same pivot over span, with the sliding of the span undone.
void SlideOnOrRock(const SlidingRockingContext& c, SlidingRockingState& s, double span) noexcept;

} // namespace quibel
