// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/loads/hydrodynamic_loads.h"
#include "engine/loads/water_loads.h"
#include "engine/sliding_rocking/context.h"
#include "engine/sliding_rocking/state.h"

namespace quibel {

/// The loads of a sliding-and-rocking step in its start position (u0, theta0), kept for the
/// whole step. US: about the heel pivot, DS: about the toe pivot. kN, kN·m.
struct StartLoads final {
    MassProperties heel;             ///< at u0
    MassProperties toe;              ///< at u0
    double SumFh = 0.0, SumFv = 0.0; ///< added forces and force histories
    double MhUS = 0.0, MvUS = 0.0;   ///< their moments about the heel pivot
    double MhDS = 0.0, MvDS = 0.0;   ///< and about the toe pivot
    double Hw = 0.0, Vw = 0.0;       ///< hydrostatic thrust and uplift, horizontal and vertical
    double MwUS = 0.0, MwDS = 0.0;   ///< their moments
    double Fhd = 0.0, MhdUS = 0.0, MhdDS = 0.0;    ///< translational hydrodynamic load
    double Frot = 0.0, MrotUS = 0.0, MrotDS = 0.0; ///< rotational hydrodynamic load

    /// Hw, Vw and their moments from the water loads.
    void setWater(const WaterLoadsResult& w) noexcept {
        Hw = w.Fx;
        Vw = w.Fy;
        MwUS = w.momentHeel;
        MwDS = w.momentToe;
    }
    /// The translational and the rotational hydrodynamic loads and their moments.
    void setHydrodynamic(const FaceLoad& translational, const FaceLoad& rotational) noexcept {
        Fhd = translational.force;
        MhdUS = translational.momentHeel;
        MhdDS = translational.momentToe;
        Frot = rotational.force;
        MrotUS = rotational.momentHeel;
        MrotDS = rotational.momentToe;
    }
};

/// The loads of the state's start position with the end-of-step ground accelerations: the
/// mass properties and force loads at u0, WaterLoads(theta0, u0, av1), the translational
/// hydrodynamic load for ag1 and the rotational one for alpha0. Keeps the mass properties and
/// the hydrostatic force in the state as the last ones formed.
StartLoads ComputeStartLoads(const SlidingRockingContext& c, SlidingRockingState& s) noexcept;

} // namespace quibel
