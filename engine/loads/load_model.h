// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/run/si_model.h"
#include "model/analysis_options.h"
#include "model/project_record.h"

#include <numbers>

namespace quibel {

/// Everything the load operations read, fixed for the whole run: the SI copies of the model,
/// the angle functions of the analysis plane, the reservoir depth over the heel and the
/// options. A value type: it refers to nothing, so a run can hand copies to its steps.
struct LoadModel final {
    SiModel si;
    AnalysisOptions options;
    double beta = 0.0;    ///< inclination of the plane, rad (Beta x pi / 180)
    double sinBeta = 0.0; ///< sin(beta)
    double cosBeta = 1.0; ///< cos(beta)
    double tanBeta = 0.0; ///< tan(beta)
    /// Water depth over the heel, Hr - (Hd - H), m; negative when the reservoir is below the
    /// plane.
    double hw = 0.0;
    double hwPositive = 0.0; ///< max(hw, 0), m
    double baseLength = 0.0; ///< length of the base along the plane, B / cos(beta), m
};

/// The load model of a run: si are the SI copies of model (MakeSiModel).
LoadModel MakeLoadModel(const TBlocStatic& model, const SiModel& si) noexcept;

/// An angle entered in degrees, in radians.
constexpr double radians(double degrees) noexcept {
    return degrees * std::numbers::pi / 180.0;
}

} // namespace quibel
