// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/loads/load_model.h"

namespace quibel {

/// A force of the reservoir and its moments about the two pivots of the block.
struct FaceLoad final {
    double force = 0.0;      ///< horizontal force, kN, positive downstream
    double momentHeel = 0.0; ///< about the heel, kN·m, counter-clockwise positive
    double momentToe = 0.0;  ///< about the toe, kN·m, counter-clockwise positive
};

/// The translational hydrodynamic load and the added mass it was formed with.
struct TranslationalLoad final {
    FaceLoad load;
    /// Added mass of the water, t; the caller keeps it as the AddedMassW working value.
    double addedMass = 0.0;
};

/// Hydrodynamic force of the reservoir on a block that has slid by u (m, along the plane) when
/// its face accelerates horizontally by a1 + a2 (m/s²): the added mass 0.543 sqrt(Hr) h^1.5 T
/// over the depth h = max(hw - u sin(beta), 0) (a slide downstream raises the heel), pushing
/// back against the acceleration, F = -(a1 + a2) x mass, at 0.401 h above the heel.
/// The heel moment includes the shift u sin(beta) of the heel when Options.CenterUp is 1 and
/// u < 0; the toe moment includes it unless Options.CenterDown is 1 and u > 0. With
/// Options.Translational 1 (not considered) everything, the added mass included, is 0. theta
/// (rad) is accepted and not used.
TranslationalLoad TranslationalHydrodynamicLoad(const LoadModel& loads, double u, double theta,
                                                double a1, double a2) noexcept;

/// What the rotational hydrodynamic load (below) keeps of its arguments z1, z2, z3 and a,
/// fixed for a run: only the rotation and k change from step to step.
struct RotationalLoadShape final {
    bool present = false;     ///< false: Options.Rotational is 1, d <= 0 or z3 <= 0; no load
    double forceFactor = 0.0; ///< d³ C(r) a: the force is forceFactor k / cos(theta)
    double armHeight = 0.0;   ///< L(r) z3 - (z1 - z2), m: the height is armHeight / cos(theta)
    double toeOffset = 0.0;   ///< B tan(beta), m: the toe's arm is the heel's less this
};

RotationalLoadShape MakeRotationalLoadShape(const LoadModel& loads, double z1, double z2, double z3,
                                            double a) noexcept;

/// The load below from its run-constant shape: the same values, without forming the
/// polynomials again at every step.
FaceLoad RotationalHydrodynamicLoad(const RotationalLoadShape& shape, double theta,
                                    double k) noexcept;

/// Hydrodynamic force caused by the rotation of the upstream face, from a polynomial fit in the
/// ratio r = d / z3 of the wetted height d = z3 - (z1 - z2) to the reservoir depth:
/// F = d³ C(r) a k / cos(theta) at the height (L(r) z3 - (z1 - z2)) / cos(theta) above the heel,
/// measured along the face. Callers pass z1 = Hd, z2 = H, z3 = Hr (m) and a = g (m/s²); with
/// k = -1 the results are the coefficients of the rotational added inertia, with k the angular
/// acceleration (rad/s²) the actual load. Zero when Options.Rotational is 1 (not considered),
/// d <= 0 or z3 <= 0. The section thickness does not enter.
FaceLoad RotationalHydrodynamicLoad(const LoadModel& loads, double z1, double z2, double z3,
                                    double a, double theta, double k) noexcept;

/// Height of the translational hydrodynamic force above the heel, as a fraction of the depth.
inline constexpr double kTranslationalLever = 0.401;

} // namespace quibel
