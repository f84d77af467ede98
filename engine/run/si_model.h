// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/project_record.h"

namespace quibel {

/// The engine's working copies of the model in metres, tonnes, kilonewtons and seconds, made at
/// the start of every run: each is the model value times the factor from the project's unit to
/// metre, tonne or kilonewton. The load and step functions compute with these only.
struct SiModel final {
    double M = 0.0;  ///< block mass, t
    double Hd = 0.0; ///< dam height, m
    double H = 0.0;  ///< block height at the upstream face, m
    double Hr = 0.0; ///< reservoir height from the foundation, m
    double B = 0.0;  ///< horizontal width of the base, m
    double Xu = 0.0; ///< uplift position from the upstream face, m
    double T = 0.0;  ///< section thickness, m
    double U = 0.0;  ///< uplift force, kN
    double g = 0.0;  ///< gravity (Options.Gravity), m/s²
    double Xc = 0.0; ///< upstream face to the block's centre of mass, m
    double Yc = 0.0; ///< heel to the block's centre of mass, vertical, m
    double Im = 0.0; ///< mass moment of inertia about the centre of mass, t·m²
};

/// The SI copies of model. Every field is converted, whatever the analysis kind.
SiModel MakeSiModel(const TBlocStatic& model) noexcept;

} // namespace quibel
