// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/run/energy_terms.h"
#include "engine/run/ground_motion.h"
#include "engine/sliding_rocking/context.h"
#include "engine/sliding_rocking/start_loads.h"
#include "engine/sliding_rocking/state.h"

namespace quibel {

/// Kinetic energy (kN·m) of the block relative to the ground in mode: the rotation about the
/// centre of mass, omega² Icm / 2 with Icm = I - R² M of the mode's pivot, plus the
/// translation of the centre, M q² / 2, whose velocity q combines the sliding v along the plane
/// and the rotation omega about the pivot at rotation theta. Modes 0 and 1 do not rotate.
double RelativeKineticEnergy(const SlidingRockingContext& c, const MassProperties& heel,
                             const MassProperties& toe, MotionMode mode, double theta, double omega,
                             double v) noexcept;

/// Updates the energy balance with the step just integrated in s (its results, its start
/// values as the transition rules left them, the mass properties last evaluated and the impact
/// energy E): seismic input relative to the ground and absolute, kinetic energies at the end
/// of the step, friction work, impact losses, work of the pre-seismic loads and potential
/// energy. Replaces the water, hydrodynamic and added-force terms of start by those of the
/// end state.
///
/// The potential energy is that of the whole rise of the centre of mass since the start of
/// the run, the total sliding displacement u included; the friction energy only grows,
/// |du| mu N for each step whatever the mode it ends in.
void UpdateEnergyTerms(const SlidingRockingContext& c, const SlidingRockingState& s,
                       const GroundMotion& ground, StartLoads& start, EnergyTerms& energy) noexcept;

} // namespace quibel
