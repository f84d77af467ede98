// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/run/ground_motion.h"

namespace quibel {

namespace ground_motion_detail {

// One direction: acceleration a, velocity v, displacement d, each with its start value.
inline void advance(double& aPrev, double& a, double& vPrev, double& v, double& dPrev, double& d,
                    double aEnd, double dt) noexcept {
    aPrev = a;
    a = aEnd;
    vPrev = v;
    v = vPrev + aPrev * dt + (a - aPrev) * dt / 2.0;
    dPrev = d;
    d = dPrev + vPrev * dt + dt * dt * aPrev / 2.0 + dt * dt * (a - aPrev) / 6.0;
}

} // namespace ground_motion_detail

/// Moves gm on by one step of dt to the ground accelerations ag and av (m/s²) at its end: the
/// end values become the start values, and the velocities and displacements are those exact
/// for an acceleration linear over the step. Once per integration step: inline so that the
/// run's loop keeps the values in registers.
inline void advanceGroundMotion(GroundMotion& gm, double ag, double av, double dt) noexcept {
    using ground_motion_detail::advance;
    advance(gm.agPrev, gm.ag, gm.vgPrev, gm.vg, gm.dgPrev, gm.dg, ag, dt);
    advance(gm.avPrev, gm.av, gm.vvPrev, gm.vv, gm.dvPrev, gm.dv, av, dt);
}

/// advanceGroundMotion for a run without vertical ground motion: the vertical values stay 0.
inline void advanceHorizontalGroundMotion(GroundMotion& gm, double ag, double dt) noexcept {
    ground_motion_detail::advance(gm.agPrev, gm.ag, gm.vgPrev, gm.vg, gm.dgPrev, gm.dg, ag, dt);
}

} // namespace quibel
