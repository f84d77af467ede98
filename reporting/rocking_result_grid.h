// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "reporting/result_grid.h"

namespace quibel {

/// The 15 columns of a rocking analysis: time, the rotation, its velocity and acceleration,
/// the overturning safety factor, the position of the resultant, the seven energy series
/// (absolute and relative seismic input, pre-seismic loads, absolute and relative kinetic,
/// potential, impact) and the two energy errors, every value but the time with "%.10f". The
/// rows are the samples of Rotation; sample k is at (k - 1) x SampleInterval. The energy errors
/// use the grid's own denominators: |AbsInputEnergy + PreseismicWork - AbsKineticEnergy -
/// ImpactEnergy - PotentialEnergy| / |AbsInputEnergy| x 100, the relative one with the relative
/// input and kinetic energies over |RelInputEnergy|; 0 when the denominator is 0.
ResultGrid RockingResultGrid(const TBlocStatic& model, Language language);
/// The grid views the model's series: it cannot be made of a model about to go.
ResultGrid RockingResultGrid(const TBlocStatic&& model, Language language) = delete;

} // namespace quibel
