// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "reporting/result_grid.h"

namespace quibel {

/// The 21 columns of a sliding-and-rocking analysis, shown with "%.10f": time; the horizontal
/// displacement, velocity and acceleration of the centre of mass relative to the ground (the
/// sliding along the plane as it stands plus the swing about the pivot, CentreOfMassSeries);
/// the sliding displacement, velocity and acceleration; the rotation, its velocity and
/// acceleration; the sliding and overturning safety factors and the position of the resultant;
/// the absolute input, absolute kinetic, relative input and relative kinetic energies, the
/// work of the pre-seismic forces, the potential energy, the energy dissipated by friction and
/// by impact. No energy errors. The rows are the samples of Rotation; sample k is at (k - 1) x
/// SampleInterval.
ResultGrid SlidingRockingResultGrid(const TBlocStatic& model, Language language);
/// The grid views the model's series: it cannot be made of a model about to go.
ResultGrid SlidingRockingResultGrid(const TBlocStatic&& model, Language language) = delete;

} // namespace quibel
