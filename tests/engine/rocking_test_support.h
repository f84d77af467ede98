// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/loads/added_loads.h"
#include "engine/loads/load_model.h"
#include "engine/rocking/step.h"
#include "engine/run/run_control.h"
#include "engine/run/si_model.h"
#include "model/model_flags.h"
#include "model/project_record.h"
#include "tests/engine/recording_host.h"

#include <cmath>
#include <memory>

namespace quibel::test {

inline constexpr double kGravity = 9.807; ///< m/s², the default Options.Gravity

/// A dry rectangular block of base b and height h (m) and mass 100 t standing on a horizontal
/// plane (heel 5 m above the foundation, empty reservoir): Xc = b / 2, Yc = h / 2,
/// Im = M (b² + h²) / 12, no uplift, no added items, restitution 1 on both sides.
inline TBlocStatic dryBlock(double b, double h) {
    TBlocStatic m = startupModel();
    m.AnalysisKind = AnalysisKind::Rocking;
    m.ModelFlags = ModelFlag::GeometryComplete;
    m.H = h;
    m.Hd = h + 5.0;
    m.Hr = 0.0;
    m.B = b;
    m.M = 100.0;
    m.Xc = b / 2.0;
    m.Yc = h / 2.0;
    m.Im = m.M * (b * b + h * h) / 12.0;
    m.U = 0.0;
    m.Xu = b / 2.0;
    m.Beta = 0.0;
    m.Eu = 1.0;
    m.Ed = 1.0;
    return m;
}

/// The horizontal base acceleration of model made a constant a (g) from t = 0 to duration (s).
inline void constantHorizontal(TBlocStatic& m, double a, double duration) {
    TimeHistoryRecord& h = m.history(HistoryKind::HorizontalAcceleration);
    h.Source = HistorySource::Sampled;
    TVector times(2);
    TVector values(2);
    times.set(2, duration);
    values.set(1, a);
    values.set(2, a);
    h.Times = times;
    h.Values = values;
    h.Duration = duration;
    setFlag(m.ModelFlags, ModelFlag::HorizontalAccDefined, true);
}

/// RockingStep driven by hand: the ground accelerations of each step are given, the ground
/// velocity and displacement are integrated as the run driver does, and the block may start
/// from any state.
class RockingStepper {
public:
    explicit RockingStepper(TBlocStatic m)
        : model(std::move(m)), si(MakeSiModel(model)), loads(MakeLoadModel(model, si)),
          added(CollectAddedLoads(model)), control(host) {
        step = std::make_unique<RockingStep>(RunContext{model, si, loads, added, nullptr});
    }

    /// Starts a dry block (no water, no added items) from rotation theta (rad) and angular
    /// velocity omega (rad/s) about the pivot of theta's sign, at rest when both are 0. The
    /// acceleration of that state under gravity alone, -M g R sin(alpha - theta) / I about the
    /// heel and M g R sin(alpha + theta) / I about the toe, is the k1 of the first step.
    void startFrom(double theta, double omega) {
        const RockingBody& b = step->body();
        const bool toe = theta < 0.0 || (theta == 0.0 && omega < 0.0);
        state = BlockMotion{};
        state.theta = theta;
        state.omega = omega;
        if (theta == 0.0 && omega == 0.0) {
            step->setMotion(RockingMotion::AtRest);
            return;
        }
        const double weight = b.blockMass * si.g;
        if (toe) {
            step->setMotion(RockingMotion::RockingDown);
            state.alpha = weight * b.rToe * std::sin(b.alphaToe + theta) / b.inertiaToe;
        } else {
            step->setMotion(RockingMotion::RockingUp);
            state.alpha = -weight * b.rHeel * std::sin(b.alphaHeel - theta) / b.inertiaHeel;
        }
    }

    /// One step of dt ending with the ground accelerations ag, av (m/s²) and force histories
    /// Fh, Fv (kN).
    void advance(double dt, double ag, double av = 0.0, double Fh = 0.0, double Fv = 0.0) {
        StepInput in;
        in.dt = dt;
        in.t = time + dt;
        GroundMotion& g = in.ground;
        g = ground;
        g.agPrev = g.ag;
        g.avPrev = g.av;
        g.ag = ag;
        g.av = av;
        g.vgPrev = g.vg;
        g.vg = g.vgPrev + g.agPrev * dt + (g.ag - g.agPrev) * dt / 2.0;
        g.dgPrev = g.dg;
        g.dg =
            g.dgPrev + g.vgPrev * dt + dt * dt * g.agPrev / 2.0 + dt * dt * (g.ag - g.agPrev) / 6.0;
        g.vvPrev = g.vv;
        g.vv = g.vvPrev + g.avPrev * dt + (g.av - g.avPrev) * dt / 2.0;
        g.dvPrev = g.dv;
        g.dv =
            g.dvPrev + g.vvPrev * dt + dt * dt * g.avPrev / 2.0 + dt * dt * (g.av - g.avPrev) / 6.0;
        in.Fh = Fh;
        in.Fv = Fv;
        BlockMotion next;
        step->step(in, state, next, energy, factors, control);
        state = next;
        ground = g;
        time += dt;
    }

    RockingMotion motion() const { return step->motion(); }

    TBlocStatic model;
    SiModel si;
    LoadModel loads;
    AddedLoadsOnBlock added;
    RecordingHost host;
    RunControl control;
    std::unique_ptr<RockingStep> step;
    BlockMotion state;
    GroundMotion ground;
    EnergyTerms energy;
    SafetyFactors factors;
    double time = 0.0; ///< s
};

/// Relative energy balance E1 + E5 - E3 - E6 - E7 (kN·m).
inline double relativeImbalance(const EnergyTerms& e) {
    return e.E1 + e.E5 - e.E3 - e.E6 - e.E7;
}

} // namespace quibel::test
