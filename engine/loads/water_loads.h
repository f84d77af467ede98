// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/loads/load_model.h"

namespace quibel {

/// Hydrostatic thrust on the upstream face plus uplift on the base.
struct WaterLoadsResult final {
    double Fx = 0.0;         ///< horizontal force, kN, positive downstream
    double Fy = 0.0;         ///< vertical force, kN, positive up
    double momentHeel = 0.0; ///< about the heel, kN·m, counter-clockwise positive
    double momentToe = 0.0;  ///< about the toe, kN·m, counter-clockwise positive
};

/// Moment about the current pivot (kN·m) of the hydrostatic pressure on the upstream face and
/// of the uplift, for a block rotated by theta (rad; > 0 about the heel, < 0 about the toe)
/// with the vertical ground acceleration av (m/s², ignored when Options.VerticalAcceleration is
/// 1). The uplift follows Options.UpliftDown about the toe (0 none, 1 unchanged, 2 full
/// reservoir) and Options.UpliftUp about the heel (0 none, 1 unchanged). 0 when the reservoir
/// is below the heel, when Options.Rotational is 1 (the rotational pressures switched off), and
/// at theta = 0, where the rocking equations use the static thrust and the uplift instead.
///
/// About the toe the depth of the lifted heel, hw + B sin(theta), is taken as at least 0 (a heel
/// out of the water has no pressure on its face nor, with full reservoir uplift, under it), and
/// the full reservoir uplift runs linearly from that depth to the pivot depth
/// max(hw - B tan(beta), 0). A face whose top is under water carries the pressure over its
/// whole height H only: about the toe -gamma T (d H² / 2 - cos(theta) H³ / 3) with d the heel
/// depth, about the heel (reservoir above the top of the face, hw > H)
/// -gamma T H³ (hw / (2 H) - cos(theta) / 3); both are finite and tend to the moment of the
/// static thrust as theta -> 0.
double RockingWaterMoment(const LoadModel& loads, double theta, double av) noexcept;

/// The same for a rotation whose sine and cosine are already formed (the rocking equations
/// evaluate it several times per step).
double RockingWaterMoment(const LoadModel& loads, double theta, double sinTheta, double cosTheta,
                          double av) noexcept;

/// Hydrostatic thrust and uplift of a block that has slid by u (m, along the plane) and rotated
/// by theta (rad), with the vertical ground acceleration av (m/s², ignored when
/// Options.VerticalAcceleration is 1). The pivots move with the slide as Options.CenterUp and
/// Options.CenterDown say; the uplift under a rotated block follows Options.UpliftDown (toe)
/// and Options.UpliftUp (heel), including the water that enters the gap opened under the heel
/// of a block slid upstream.
WaterLoadsResult WaterLoads(const LoadModel& loads, double theta, double u, double av) noexcept;

} // namespace quibel
