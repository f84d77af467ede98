// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/loads/added_loads.h"
#include "engine/loads/load_model.h"
#include "engine/run/block_motion.h"
#include "engine/run/debug_line.h"
#include "engine/run/energy_terms.h"
#include "engine/run/ground_motion.h"
#include "engine/run/run_control.h"
#include "engine/run/run_host.h"
#include "engine/run/safety_factors.h"
#include "engine/run/si_model.h"
#include "model/project_record.h"
#include "model/result_series.h"

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

namespace quibel {

struct StepLoopParts;

/// A check of the model that holds before a run: its message and whether it is an error (no
/// run) or a warning (the run goes on).
struct RunCheck final {
    MessageKind kind = MessageKind::Error;
    Message message;
};

/// The catalogue keys of the errors that every analysis shows for a block without mass
/// (M not above 0) and for a model without any time history. An empty key leaves that check
/// out (a test step that runs on any model).
struct SharedCheckKeys final {
    std::string_view massless;
    std::string_view noHistories;
};

/// The two energy-balance errors of the progress display, %.
struct EnergyErrors final {
    double absolute = 0.0;
    double relative = 0.0;
};

/// When the integration steps of a run lie. With N = 1 + the longest defined history in time
/// steps (rounded to the nearest step):
/// - FirstStepAtTimeStep: N - 1 steps at t = dt, 2 dt, ..., (N - 1) dt;
/// - FirstStepAtZero: N steps at t = 0, dt, ..., (N - 1) dt.
/// Either way sample j (from 1) holds the state after step (j - 1) k, k the output ratio;
/// sample 1 is the block at rest before the first step: no motion and no energy, and the
/// safety values of the block under the loads at time 0 (AnalysisStep::restFactors).
enum class StepTiming { FirstStepAtTimeStep, FirstStepAtZero };

/// What the run hands to its step function before the first step. The references stay valid
/// until the run ends; the model is the one the run works on. The steps keep their working
/// values themselves; what the record keeps of a run besides its series (ThetaUp, ThetaDown,
/// Ru, Rd) the analysis writes into the model once, when the run finishes.
struct RunContext final {
    TBlocStatic& model;
    const SiModel& si;
    const LoadModel& loads;
    const AddedLoadsOnBlock& added;
    /// The debug file, or nullptr when Options.DebugFile is off. When it is on, each step
    /// appends its columns to the line the driver started and ends the line.
    DebugLine* debug;
};

/// The inputs of one integration step.
struct StepInput final {
    GroundMotion ground;
    double Fh = 0.0; ///< horizontal force history, kN (0 when its point is off the block)
    double Fv = 0.0; ///< vertical force history, kN (0 when its point is off the block)
    double dt = 0.0; ///< Options.TimeStep, s
    double t = 0.0;  ///< time at the end of the step, s
};

/// What one analysis kind plugs into the shared run driver: its checks, the series it fills,
/// its step function, its energy-error rule and its debug header. The driver does everything
/// else (series sizing, SI copies, ground motion, force histories, sampling and unit
/// conversion, progress, stop, debug file). One object serves one run.
class AnalysisStep {
public:
    virtual ~AnalysisStep() = default;

    /// The catalogue keys of the driver's checks that every analysis shares, worded by each
    /// analysis; see SharedCheckKeys.
    virtual SharedCheckKeys sharedCheckKeys() const noexcept = 0;

    /// The checks of this analysis of its own that hold for model, in their order; the driver
    /// shows them after the massless check and before the no-history one. Any error refuses
    /// the run.
    virtual std::vector<RunCheck> check(const TBlocStatic& model) const {
        (void)model;
        return {};
    }

    /// The series this analysis fills. The driver frees them, creates them anew for the run and
    /// stores every sample into them with the conversions to the model's units:
    /// BlockMotion u, v, a into SlidingDisp, SlidingVel, SlidingAcc (m to length unit);
    /// theta, omega, alpha into Rotation, RotationVel, RotationAcc (rad, unchanged);
    /// E0..E7 into AbsInputEnergy, RelInputEnergy, AbsKineticEnergy, RelKineticEnergy,
    /// FrictionEnergy, PreseismicWork, ImpactEnergy, PotentialEnergy (kN·m to force unit x
    /// length unit); SafetyFactors into SlidingSF, OverturningSF, ResultantPosition.
    /// Series outside the set keep what an earlier run left in them.
    virtual ResultSeriesSet filledSeries() const noexcept = 0;

    /// The debug file's header after the driver's "time;acc.hor;acc.vert;force.hor;force.vert;".
    virtual std::string_view debugHeader() const noexcept = 0;

    /// When the steps lie; see StepTiming.
    virtual StepTiming timing() const noexcept { return StepTiming::FirstStepAtTimeStep; }

    /// Once per run, after the checks passed and the SI copies were made, before the first step:
    /// keep the context, form the constants of the run, allocate scratch space. No allocation
    /// should be left for step().
    virtual void prepare(const RunContext& context) = 0;

    /// One integration step from the results `previous` of the last step (all 0 before the
    /// first) to `next`; energy holds the balance of the run and is updated; factors receives
    /// the step's safety values. May show messages, ask questions and end the run through
    /// control. Called about 10 000 times per second of motion: plain arithmetic, no
    /// allocation.
    virtual void step(const StepInput& input, const BlockMotion& previous, BlockMotion& next,
                      EnergyTerms& energy, SafetyFactors& factors, RunControl& control) = 0;

    /// Makes the steps of the run (StepLoop in step_loop.h) and returns how many were made.
    /// The analyses override it with RunStepLoop on themselves, so that every step calls
    /// their step function directly; this one calls it through this interface.
    virtual std::int64_t runSteps(const StepLoopParts& parts);

    /// The safety values of the block at rest under the loads of atStart (the ground
    /// accelerations and force histories at time 0), for sample 1. Called once, after prepare()
    /// and before the first step; it changes nothing of the run (no message, no question, no
    /// debug column).
    virtual SafetyFactors restFactors(const StepInput& atStart) const {
        (void)atStart;
        return {};
    }

    /// After a step's results were stored (when it was an output step) and became the start
    /// values of the next one: the place for a question about the state reached (excessive
    /// rotation).
    virtual void afterStep(const BlockMotion& current, RunControl& control) {
        (void)current;
        (void)control;
    }

    /// The two energy errors of the progress display, from the SI energy terms.
    virtual EnergyErrors energyErrors(const EnergyTerms& energy) const noexcept = 0;

    /// Once when the run ends (normally, stopped, or after a failure): write what the record
    /// keeps of the run into the model, release what prepare() allocated.
    virtual void finish() {}
};

/// The step function of the analysis kind, or nullptr when this version has none for it.
std::unique_ptr<AnalysisStep> MakeAnalysisStep(AnalysisKind kind);

} // namespace quibel
