// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/sliding_rocking/start_loads.h"

#include "engine/loads/hydrodynamic_loads.h"
#include "engine/loads/water_loads.h"
#include "engine/sliding_rocking/equations.h"

namespace quibel {

StartLoads ComputeStartLoads(const SlidingRockingContext& c, SlidingRockingState& s) noexcept {
    StartLoads l;
    l.heel = PivotMassProperties(c, s, true, s.u0);
    l.toe = PivotMassProperties(c, s, false, s.u0);
    const ForceLoads fUS = c.pivots.HeelForceLoads(s.u0, s.Fh, s.Fv);
    const ForceLoads fDS = c.pivots.ToeForceLoads(s.u0, s.Fh, s.Fv);
    l.SumFh = fUS.SumFh;
    l.SumFv = fUS.SumFv;
    l.MhUS = fUS.MomentH;
    l.MvUS = fUS.MomentV;
    l.MhDS = fDS.MomentH;
    l.MvDS = fDS.MomentV;
    const WaterLoadsResult wl = c.water(s.theta0, s.u0, s.av1);
    l.setWater(wl);
    s.hydroThrust = wl.Fx;
    const TranslationalLoad trans = c.translational(s.u0, s.theta0, s.ag1, 0.0);
    s.addedMassW = trans.addedMass;
    l.setHydrodynamic(trans.load, RotationalHydrodynamicLoad(c.rotational, s.theta0, s.alpha0));
    return l;
}

} // namespace quibel
