// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/project_record.h"

namespace quibel {

/// Converts every dimensional input of model in place from its current unit system to
/// newSystem, so that it describes the same dam, then sets UnitSystem. Angles, restitution
/// coefficients, times, the base-acceleration histories (in g), Scale, Ru, Rd and the masses'
/// working values are not converted; ModelFlags is left alone.
///
/// The result series of the last analysis are converted too (lengths, velocities,
/// accelerations and energies; rotations, safety factors and percentages keep their values),
/// so the result views keep showing the last analysis correctly under the new unit labels.
void changeUnitSystem(TBlocStatic& model, UnitSystem newSystem);

} // namespace quibel
