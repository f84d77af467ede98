// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/run/ground_motion_integration.h"

namespace quibel {

namespace {

// One direction: acceleration a, velocity v, displacement d, each with its start value.
void advance(double& aPrev, double& a, double& vPrev, double& v, double& dPrev, double& d,
             double aEnd, double dt) noexcept {
    aPrev = a;
    a = aEnd;
    vPrev = v;
    v = vPrev + aPrev * dt + (a - aPrev) * dt / 2.0;
    dPrev = d;
    d = dPrev + vPrev * dt + dt * dt * aPrev / 2.0 + dt * dt * (a - aPrev) / 6.0;
}

} // namespace

void advanceGroundMotion(GroundMotion& gm, double ag, double av, double dt) noexcept {
    advance(gm.agPrev, gm.ag, gm.vgPrev, gm.vg, gm.dgPrev, gm.dg, ag, dt);
    advance(gm.avPrev, gm.av, gm.vvPrev, gm.vv, gm.dvPrev, gm.dv, av, dt);
}

} // namespace quibel
