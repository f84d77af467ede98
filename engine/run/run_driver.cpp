// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/run/run_driver.h"

#include "engine/loads/added_loads.h"
#include "engine/loads/load_model.h"
#include "engine/run/debug_line.h"
#include "engine/run/run_length.h"
#include "engine/run/series_store.h"
#include "engine/run/si_model.h"
#include "engine/run/step_loop.h"
#include "numeric/error.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace quibel {

namespace {

constexpr std::string_view kDriverDebugHeader = "time;acc.hor;acc.vert;force.hor;force.vert;";

// The checks every analysis shares after its own: values the run divides by or steps with.
void addDriverChecks(const AnalysisOptions& options, std::vector<RunCheck>& checks) {
    // Written as !(x > 0) so that NaN is refused as well.
    if (!(options.TimeStep > 0.0))
        checks.push_back({MessageKind::Error, Message("engine.time_step_not_positive")});
    if (!(options.SaveStep > 0.0))
        checks.push_back({MessageKind::Error, Message("engine.save_step_not_positive")});
    if (!(options.Gravity > 0.0))
        checks.push_back({MessageKind::Error, Message("engine.gravity_not_positive")});
}

// Ends the step function's run even when a host or step throws.
struct FinishGuard {
    AnalysisStep& step;
    ~FinishGuard() { step.finish(); }
};

bool anyHistoryDefined(const TBlocStatic& model) noexcept {
    for (const TimeHistoryRecord& h : model.Histories)
        if (h.Source != HistorySource::Undefined)
            return true;
    return false;
}

void addError(std::string_view key, std::vector<RunCheck>& checks) {
    if (!key.empty())
        checks.push_back({MessageKind::Error, Message(std::string(key))});
}

// The checks in the order they are shown: no mass, those of the analysis, no history, then
// the driver's own.
std::vector<RunCheck> runChecks(const AnalysisStep& step, const TBlocStatic& model) {
    const SharedCheckKeys keys = step.sharedCheckKeys();
    std::vector<RunCheck> checks;
    // A negative or undefined mass is refused like a zero one: the motion has no meaning.
    if (!(model.M > 0.0))
        addError(keys.massless, checks);
    for (RunCheck& c : step.check(model))
        checks.push_back(std::move(c));
    if (!anyHistoryDefined(model))
        addError(keys.noHistories, checks);
    addDriverChecks(model.Options, checks);
    return checks;
}

// Shows the checks of step and of the driver; true when one of them refuses the run.
bool refusedByChecks(AnalysisStep& step, const TBlocStatic& model, RunHost& host) {
    const std::vector<RunCheck> checks = runChecks(step, model);
    bool refused = false;
    for (const RunCheck& c : checks) {
        host.showMessage(c.kind, c.message);
        refused = refused || c.kind == MessageKind::Error;
    }
    return refused;
}

// Opens debugFile with its header when the option is on; when it cannot be created the
// option is cleared and the run goes on without it.
void openDebugFile(std::optional<DebugLine>& debugFile, TBlocStatic& model,
                   const AnalysisStep& step, const std::string& path, RunHost& host) {
    if (model.Options.DebugFile == 0)
        return;
    debugFile.emplace(path);
    if (!debugFile->isOpen()) {
        debugFile.reset();
        model.Options.DebugFile = 0;
        host.showMessage(MessageKind::Warning, Message("engine.debug_file_failed"));
        return;
    }
    std::string header(kDriverDebugHeader);
    header += step.debugHeader();
    debugFile->writeLine(header);
}

} // namespace

void writeDriverColumns(DebugLine& debug, const StepInput& input) {
    debug.fixed(input.t, 10, 6);
    debug.fixed(input.ground.ag, 6, 4);
    debug.fixed(input.ground.av, 6, 4);
    debug.fixed(input.Fh, 10, 4);
    debug.fixed(input.Fv, 10, 4);
}

std::int64_t AnalysisStep::runSteps(const StepLoopParts& parts) {
    return RunStepLoop(parts, *this);
}

AnalysisRun::AnalysisRun(TBlocStatic& model, RunHost& host, RunSettings settings)
    : AnalysisRun(model, host, MakeAnalysisStep(model.AnalysisKind), std::move(settings)) {}

AnalysisRun::AnalysisRun(TBlocStatic& model, RunHost& host, std::unique_ptr<AnalysisStep> step,
                         RunSettings settings)
    : mModel(model), mHost(host), mStep(std::move(step)), mSettings(std::move(settings)) {}

AnalysisRun::~AnalysisRun() = default;

RunOutcome AnalysisRun::run() {
    RunOutcome outcome;
    TBlocStatic& model = mModel;
    if (!mStep) {
        mHost.showMessage(MessageKind::Error, Message("engine.analysis_not_available"));
        return outcome;
    }
    AnalysisStep& step = *mStep;
    if (refusedByChecks(step, model, mHost))
        return outcome;

    const StepTiming timing = step.timing();
    const RunLength length = ComputeRunLength(model, timing);
    if (!RunLengthFits(length)) {
        mHost.showMessage(MessageKind::Error,
                          Message("engine.run_too_long",
                                  {std::to_string(length.steps), std::to_string(length.samples)}));
        return outcome;
    }
    std::optional<SeriesStore> store;
    try {
        store.emplace(model, step.filledSeries(), static_cast<int>(length.samples));
    } catch (const Error& e) {
        mHost.showMessage(MessageKind::Error, e.message());
        return outcome;
    }

    const SiModel si = MakeSiModel(model);
    const LoadModel loads = MakeLoadModel(model, si);
    const AddedLoadsOnBlock added = CollectAddedLoads(model);
    std::optional<DebugLine> debugFile;
    openDebugFile(debugFile, model, step, mSettings.debugFilePath, mHost);
    DebugLine* debug = debugFile ? &*debugFile : nullptr;

    step.prepare(RunContext{model, si, loads, added, debug});
    FinishGuard guard{step};
    RunControl control(mHost);
    const std::int64_t done =
        step.runSteps(StepLoopParts{model, si, length, timing, mHost, *store, debug, control});

    outcome.steps = done;
    outcome.cause = control.stopCause();
    outcome.stopMessage = control.stopMessage();
    outcome.end = done < length.steps ? RunEnd::Stopped : RunEnd::Completed;
    outcome.samples = static_cast<int>(done / length.ratio + 1);
    if (done < length.steps)
        store->truncate(outcome.samples);
    return outcome;
}

} // namespace quibel
