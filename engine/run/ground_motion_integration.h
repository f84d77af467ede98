// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/run/ground_motion.h"

namespace quibel {

/// Moves gm on by one step of dt to the ground accelerations ag and av (m/s²) at its end: the
/// end values become the start values, and the velocities and displacements are those exact
/// for an acceleration linear over the step.
void advanceGroundMotion(GroundMotion& gm, double ag, double av, double dt) noexcept;

} // namespace quibel
