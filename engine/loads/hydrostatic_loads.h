// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/loads/load_model.h"

namespace quibel {

/// Horizontal thrust of the reservoir on the vertical upstream face of the block at rest.
struct StaticThrust final {
    double force = 0.0; ///< kN, positive downstream
    double arm = 0.0;   ///< height of its line of action above the heel, m
};

/// The static thrust with the unit weight of water g + av (kN/m³; water of 1 t/m³). It always
/// includes the vertical ground acceleration av (m/s²), whatever Options.VerticalAcceleration
/// says:
/// - reservoir not above the heel (Hd - H >= Hr): no thrust;
/// - water above the top of the face (Hr > Hd): the trapezoid from (g + av)(Hr - Hd) at the top
///   to (g + av) hw at the heel over the height H;
/// - otherwise the triangle (g + av) hw² / 2 at hw / 3 above the heel.
StaticThrust StaticHydrostaticThrust(const LoadModel& loads, double av) noexcept;

/// Translational added mass of the reservoir, t: 0.543 sqrt(Hr) hw^1.5 T (a parabolic
/// pressure distribution of the Westergaard type over the wetted height) when the reservoir is
/// above the heel (Hd - H < Hr) and Options.Translational is 0 (considered); 0 otherwise.
double StaticAddedMass(const LoadModel& loads) noexcept;

/// The constant of the translational added mass, t/m^2.5 per m of thickness.
inline constexpr double kAddedMassCoefficient = 0.543;

} // namespace quibel
