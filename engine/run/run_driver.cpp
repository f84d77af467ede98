// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/run/run_driver.h"

#include "engine/loads/added_loads.h"
#include "engine/loads/load_model.h"
#include "engine/run/debug_line.h"
#include "engine/run/force_histories.h"
#include "engine/run/ground_motion_integration.h"
#include "engine/run/run_length.h"
#include "engine/run/series_store.h"
#include "engine/run/si_model.h"
#include "model/unit_tables.h"
#include "numeric/error.h"
#include "signals/history_value.h"

#include <algorithm>
#include <cmath>
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

void writeDriverColumns(DebugLine& debug, const StepInput& input) {
    debug.fixed(input.t, 10, 6);
    debug.fixed(input.ground.ag, 6, 4);
    debug.fixed(input.ground.av, 6, 4);
    debug.fixed(input.Fh, 10, 4);
    debug.fixed(input.Fv, 10, 4);
}

// The steps of one run once its series, SI copies and debug file are ready.
class StepLoop final {
public:
    StepLoop(const TBlocStatic& model, const SiModel& si, const RunLength& length,
             StepTiming timing, AnalysisStep& step, RunHost& host, SeriesStore& store,
             DebugLine* debug)
        : mG(si.g), mLength(length), mStep(step), mHost(host), mStore(store), mDebug(debug),
          mControl(host), mForces(model),
          mHorizontalAcc(model.history(HistoryKind::HorizontalAcceleration)),
          mVerticalAcc(model.history(HistoryKind::VerticalAcceleration)),
          mLengthBack(units::lengthFromSi(model.UnitSystem)),
          mTimeShift(timing == StepTiming::FirstStepAtZero ? 1 : 0) {
        mInput.dt = model.Options.TimeStep;
    }

    /// Stores sample 1, then makes the steps until the last one or a stop; returns the number
    /// made.
    std::int64_t run() {
        storeRestSample();
        std::int64_t done = 0;
        while (done < mLength.steps) {
            const std::int64_t s = done + 1;
            makeStep(s);
            done = s;
            if (++mCount == mLength.ratio) {
                mCount = 0;
                storeSample(s);
            }
            reportProgress(s);
            mPrevious = mNext;
            mStep.afterStep(mPrevious, mControl);
            if (!mControl.running())
                break;
            if (done < mLength.steps && mHost.stopRequested()) {
                mControl.requestStop(StopCause::Host);
                break;
            }
        }
        if (mPosition != 0)
            mHost.progress(0);
        return done;
    }

    const RunControl& control() const noexcept { return mControl; }

private:
    // Step s (from 1) ends at s dt, or at (s - 1) dt when the first step is at time 0.
    void makeStep(std::int64_t s) {
        const double dt = mInput.dt;
        const double t = static_cast<double>(s - mTimeShift) * dt;
        mInput.t = t;
        advanceGroundMotion(mInput.ground, mHorizontalAcc.value(t) * mG, mVerticalAcc.value(t) * mG,
                            dt);
        mInput.Fh = mForces.horizontal(t);
        mInput.Fv = mForces.vertical(t);
        if (mDebug)
            writeDriverColumns(*mDebug, mInput);
        mStep.step(mInput, mPrevious, mNext, mEnergy, mFactors, mControl);
        mHost.stepDone(
            {mNext.u * mLengthBack, mNext.theta, mFactors.sliding, mFactors.overturning});
    }

    // The block at rest at time 0: motion and energy 0, the safety values under the loads of
    // that instant, so that no view reads a factor of 0 that the block never had.
    void storeRestSample() {
        StepInput atStart = mInput;
        atStart.t = 0.0;
        atStart.ground = GroundMotion{};
        atStart.ground.agPrev = atStart.ground.ag = mHorizontalAcc.value(0.0) * mG;
        atStart.ground.avPrev = atStart.ground.av = mVerticalAcc.value(0.0) * mG;
        atStart.Fh = mForces.horizontal(0.0);
        atStart.Fv = mForces.vertical(0.0);
        mStore.store(0, BlockMotion{}, EnergyTerms{}, mStep.restFactors(atStart));
    }

    void storeSample(std::int64_t s) {
        const std::int64_t j = s / mLength.ratio; // 0-based index of sample s div k + 1
        mStore.store(j, mNext, mEnergy, mFactors);
        const EnergyErrors errors = mStep.energyErrors(mEnergy);
        mStatus.time = mInput.t;
        mStatus.slidingDisplacement = mNext.u * mLengthBack;
        mStatus.rotation = mNext.theta;
        mStatus.absoluteEnergyError = errors.absolute;
        mStatus.relativeEnergyError = errors.relative;
        if (std::fmax(errors.absolute, errors.relative) > 5.0)
            mStatus.energyErrorHigh = true;
        mStatus.sample = static_cast<int>(j + 1);
        mHost.status(mStatus);
    }

    // The progress position after step s; it counts step s as step s + 1 of N when the first
    // step is at time 0.
    int progressAt(std::int64_t s) const noexcept {
        const std::int64_t progressShift = 1 - mTimeShift;
        return static_cast<int>(
            std::lround(RunHost::kProgressMaximum * static_cast<double>(s + progressShift) /
                        static_cast<double>(mLength.N)));
    }

    // The position only grows with s, so it is formed again only at the first step where it
    // can have changed: a few hundred times per run instead of at every step.
    void reportProgress(std::int64_t s) {
        if (s < mNextProgressStep)
            return;
        const int now = progressAt(s);
        if (now != mPosition) {
            mPosition = now;
            mHost.progress(mPosition);
        }
        mNextProgressStep = firstStepPast(s, now);
    }

    // The first step after s whose position differs from now: the estimate from the formula
    // of progressAt solved for the next half position, moved to the exact step.
    std::int64_t firstStepPast(std::int64_t s, int now) const noexcept {
        const double half = (now + 0.5) * static_cast<double>(mLength.N) /
                            static_cast<double>(RunHost::kProgressMaximum);
        std::int64_t e =
            std::max(s + 1, static_cast<std::int64_t>(std::ceil(std::fmin(half, 9.0e15))) -
                                (1 - mTimeShift));
        while (e - 1 > s && progressAt(e - 1) != now)
            --e;
        while (e <= mLength.steps && progressAt(e) == now)
            ++e;
        return e;
    }

    const double mG;
    const RunLength mLength;
    AnalysisStep& mStep;
    RunHost& mHost;
    SeriesStore& mStore;
    DebugLine* mDebug;
    RunControl mControl;
    const ForceHistories mForces;
    const HistoryEvaluator mHorizontalAcc;
    const HistoryEvaluator mVerticalAcc;
    const double mLengthBack;
    const std::int64_t mTimeShift;
    StepInput mInput;
    BlockMotion mPrevious;
    BlockMotion mNext;
    EnergyTerms mEnergy;
    SafetyFactors mFactors;
    RunStatus mStatus;
    int mPosition = 0;
    std::int64_t mNextProgressStep = 1;
    std::int64_t mCount = 0;
};

} // namespace

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
    StepLoop loop(model, si, length, timing, step, mHost, *store, debug);
    const std::int64_t done = loop.run();

    outcome.steps = done;
    outcome.cause = loop.control().stopCause();
    outcome.stopMessage = loop.control().stopMessage();
    outcome.end = done < length.steps ? RunEnd::Stopped : RunEnd::Completed;
    outcome.samples = static_cast<int>(done / length.ratio + 1);
    if (done < length.steps)
        store->truncate(outcome.samples);
    return outcome;
}

} // namespace quibel
