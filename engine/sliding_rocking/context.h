// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/loads/hydrodynamic_loads.h"
#include "engine/loads/load_model.h"
#include "engine/loads/water_loads.h"
#include "engine/sliding_rocking/kinematics.h"
#include "model/project_record.h"
#include "numeric/last_call.h"

namespace quibel {

/// What every operation of the sliding-and-rocking analysis reads, fixed for a run: the load
/// model (SI copies, plane angles, options), the pivot kinematics, the friction and
/// restitution coefficients. Built from the model at the start of a run; neither the model nor
/// the members here may change while it is used (water() and translational() keep their last
/// results), and one context serves one run at a time.
struct SlidingRockingContext final {
    /// loads: the load model of the run (MakeLoadModel of the model's SI copies).
    SlidingRockingContext(const TBlocStatic& model, const LoadModel& loads);
    explicit SlidingRockingContext(const TBlocStatic& model);

    LoadModel loads;
    PivotKinematics pivots;
    /// The rotational hydrodynamic load's shape for Hd, H, Hr and g.
    RotationalLoadShape rotational;
    double g = 0.0;       ///< gravity, m/s²
    double muD = 0.0;     ///< dynamic friction coefficient tan(PhiD)
    double muS = 0.0;     ///< static friction coefficient tan(PhiS)
    double Eu = 0.0;      ///< restitution of an impact on the upstream side (toe rocking ends)
    double Ed = 0.0;      ///< restitution of an impact on the downstream side (heel rocking ends)
    double Es = 0.0;      ///< restitution of the sliding velocity at an impact
    double cosBeta = 1.0; ///< of the analysis plane
    double sinBeta = 0.0;
    /// Options.NewmarkBeta = 1: constant average acceleration; otherwise linear acceleration.
    bool constantAverage = false;

    /// WaterLoads(loads, theta, u, av). The step asks for it several times with the same
    /// arguments (and, for a block at rest, at every step), so the last result is kept.
    WaterLoadsResult water(double theta, double u, double av) const noexcept {
        return mWater.get({theta, u, av}, [&] { return WaterLoads(loads, theta, u, av); });
    }

    /// TranslationalHydrodynamicLoad(loads, u, theta, a1, a2), kept for the last arguments as
    /// water() is: the start and the end of a step at rest ask for the same.
    TranslationalLoad translational(double u, double theta, double a1, double a2) const noexcept {
        return mTranslational.get({u, theta, a1, a2}, [&] {
            return TranslationalHydrodynamicLoad(loads, u, theta, a1, a2);
        });
    }

private:
    mutable LastCall<WaterLoadsResult, 3> mWater;
    mutable LastCall<TranslationalLoad, 4> mTranslational;
};

} // namespace quibel
