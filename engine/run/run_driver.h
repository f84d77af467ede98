// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/run/analysis_step.h"
#include "engine/run/run_control.h"
#include "engine/run/run_host.h"
#include "model/project_record.h"

#include <cstdint>
#include <memory>
#include <string>

namespace quibel {

/// Settings of a run that are not part of the model.
struct RunSettings final {
    /// Where the debug file goes when Options.DebugFile is set: "debug.csv" in the current
    /// directory, as the program always did; a batch of runs gives each its own.
    std::string debugFilePath = "debug.csv";
};

/// How a run ended.
enum class RunEnd {
    ChecksFailed, ///< a check refused to start it; no result series was touched
    Completed,    ///< every step was made
    Stopped,      ///< it ended early; the series hold the samples stored so far
};

struct RunOutcome final {
    RunEnd end = RunEnd::ChecksFailed;
    StopCause cause = StopCause::None; ///< why a Stopped run stopped
    Message stopMessage;               ///< the question or failure that stopped it, if any
    std::int64_t steps = 0;            ///< integration steps made
    int samples = 0;                   ///< elements of the filled series (0 when refused)
};

/// One analysis run on model: the driver shared by the three analysis kinds.
///
/// In order: the checks (a block with mass, the analysis's own, a time history defined, the
/// first and third in the analysis's words; then a time step, a save step and a gravity that
/// must be positive, and a run short enough to hold); the result series of the analysis are
/// created anew with RunLength::samples elements; the SI copies; the debug file with its header
/// (when it cannot be created the option is cleared in model, a warning is shown and the run
/// goes on); element 1, the block at rest at time 0 (motion and energy 0,
/// AnalysisStep::restFactors under the ground accelerations and force histories at time 0); then
/// per step: the ground accelerations of histories 0 and 1 (in g, times g), the ground velocity
/// and displacement exact for an acceleration linear over the step, the force histories 2 and 3
/// in kN when their point is on the block, the driver's debug columns, the step function, every
/// k-th step a sample stored in the model's units and the status reported, the progress
/// position, and the stop test; when the steps end, their extremes (RunHost::stepsDone). A run
/// that stops early keeps the samples stored so far.
///
/// The run keeps its working state in this object and its step; into model it writes only the
/// result series and, when it ends, what the analysis keeps of the run. Runs on different
/// models may proceed on different threads at the same time.
class AnalysisRun final {
public:
    /// A run of the analysis named by model.AnalysisKind (MakeAnalysisStep).
    AnalysisRun(TBlocStatic& model, RunHost& host, RunSettings settings = {});
    /// A run with the given step function.
    AnalysisRun(TBlocStatic& model, RunHost& host, std::unique_ptr<AnalysisStep> step,
                RunSettings settings = {});
    ~AnalysisRun();
    AnalysisRun(const AnalysisRun&) = delete;
    AnalysisRun& operator=(const AnalysisRun&) = delete;

    /// Makes the whole run; call once.
    RunOutcome run();

private:
    TBlocStatic& mModel;
    RunHost& mHost;
    std::unique_ptr<AnalysisStep> mStep;
    RunSettings mSettings;
};

} // namespace quibel
