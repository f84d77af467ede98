#include "engine/run/run_driver.h"

#include "engine/loads/added_loads.h"
#include "engine/loads/load_model.h"
#include "engine/run/debug_line.h"
#include "engine/run/run_length.h"
#include "engine/run/si_model.h"
#include "model/unit_tables.h"
#include "numeric/error.h"
#include "signals/history_value.h"

#include <array>
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

// One filled series and where its samples come from.
struct SeriesTarget {
    ResultSeries series;
    double* data = nullptr;
};

// Ends the step function's run even when a host or step throws.
struct FinishGuard {
    AnalysisStep& step;
    ~FinishGuard() { step.finish(); }
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
    model.MotionState = 0;
    if (!mStep) {
        mHost.showMessage(MessageKind::Error, Message("engine.analysis_not_available"));
        return outcome;
    }
    AnalysisStep& step = *mStep;

    std::vector<RunCheck> checks = step.check(model);
    addDriverChecks(model.Options, checks);
    bool refused = false;
    for (const RunCheck& c : checks) {
        mHost.showMessage(c.kind, c.message);
        refused = refused || c.kind == MessageKind::Error;
    }
    if (refused)
        return outcome;

    const StepTiming timing = step.timing();
    const RunLength length = ComputeRunLength(model, timing);
    if (!RunLengthFits(length)) {
        mHost.showMessage(MessageKind::Error,
                          Message("engine.run_too_long",
                                  {std::to_string(length.steps), std::to_string(length.samples)}));
        return outcome;
    }

    // New series are made before the old ones go, so that a failed allocation leaves the
    // results of the previous run as they were.
    const ResultSeriesSet filled = step.filledSeries();
    const int sampleCount = static_cast<int>(length.samples);
    std::vector<std::pair<ResultSeries, TVector>> fresh;
    try {
        for (int s = 0; s < kResultSeriesCount; ++s) {
            const auto series = static_cast<ResultSeries>(s);
            if (contains(filled, series))
                fresh.emplace_back(series, TVector(sampleCount));
        }
    } catch (const Error& e) {
        mHost.showMessage(MessageKind::Error, e.message());
        return outcome;
    }
    std::array<double*, kResultSeriesCount> target{};
    for (auto& [series, vector] : fresh) {
        std::optional<TVector>& slot = seriesSlot(model, series);
        slot.emplace(std::move(vector));
        target[static_cast<std::size_t>(series)] = slot->data();
    }

    const SiModel si = MakeSiModel(model);
    const LoadModel loads = MakeLoadModel(model, si);
    const AddedLoadsOnBlock added = CollectAddedLoads(model);
    const bool horizontalForceOn = ForceHistoryOnBlock(model, HistoryKind::HorizontalForce);
    const bool verticalForceOn = ForceHistoryOnBlock(model, HistoryKind::VerticalForce);
    const HistoryEvaluator horizontalAcc(model.history(HistoryKind::HorizontalAcceleration));
    const HistoryEvaluator verticalAcc(model.history(HistoryKind::VerticalAcceleration));
    const HistoryEvaluator horizontalForce(model.history(HistoryKind::HorizontalForce));
    const HistoryEvaluator verticalForce(model.history(HistoryKind::VerticalForce));

    std::optional<DebugLine> debugFile;
    if (model.Options.DebugFile != 0) {
        debugFile.emplace(mSettings.debugFilePath);
        if (!debugFile->isOpen()) {
            debugFile.reset();
            model.Options.DebugFile = 0;
            mHost.showMessage(MessageKind::Warning, Message("engine.debug_file_failed"));
        } else {
            std::string header(kDriverDebugHeader);
            header += step.debugHeader();
            debugFile->writeLine(header);
        }
    }
    DebugLine* debug = debugFile ? &*debugFile : nullptr;

    const RunContext context{model, si, loads, added, debug};
    step.prepare(context);
    FinishGuard guard{step};
    RunControl control(mHost);

    const double dt = model.Options.TimeStep;
    const double g = si.g;
    const double forceToKn = units::forceToSi(model.UnitSystem);
    const double lengthBack = units::lengthFromSi(model.UnitSystem);
    const double energyBack = lengthBack * units::forceFromSi(model.UnitSystem);
    const std::int64_t steps = length.steps;
    const std::int64_t ratio = length.ratio;
    // Step s (from 1) ends at s dt, or at (s - 1) dt when the first step is at time 0; the
    // progress counts it as step s + 1 of N or step s of N.
    const std::int64_t timeShift = timing == StepTiming::FirstStepAtZero ? 1 : 0;
    const std::int64_t progressShift = 1 - timeShift;
    const double progressTotal = static_cast<double>(length.N);

    auto at = [&target](ResultSeries s) { return target[static_cast<std::size_t>(s)]; };
    double* const slidingDisp = at(ResultSeries::SlidingDisp);
    double* const slidingVel = at(ResultSeries::SlidingVel);
    double* const slidingAcc = at(ResultSeries::SlidingAcc);
    double* const rotation = at(ResultSeries::Rotation);
    double* const rotationVel = at(ResultSeries::RotationVel);
    double* const rotationAcc = at(ResultSeries::RotationAcc);
    double* const absInput = at(ResultSeries::AbsInputEnergy);
    double* const relInput = at(ResultSeries::RelInputEnergy);
    double* const absKinetic = at(ResultSeries::AbsKineticEnergy);
    double* const relKinetic = at(ResultSeries::RelKineticEnergy);
    double* const friction = at(ResultSeries::FrictionEnergy);
    double* const preseismic = at(ResultSeries::PreseismicWork);
    double* const impact = at(ResultSeries::ImpactEnergy);
    double* const potential = at(ResultSeries::PotentialEnergy);
    double* const slidingSF = at(ResultSeries::SlidingSF);
    double* const overturningSF = at(ResultSeries::OverturningSF);
    double* const resultant = at(ResultSeries::ResultantPosition);
    auto put = [](double* series, std::int64_t index, double value) {
        if (series)
            series[index] = value;
    };

    StepInput input;
    input.dt = dt;
    GroundMotion& gm = input.ground;
    BlockMotion previous;
    BlockMotion next;
    EnergyTerms energy;
    SafetyFactors factors;
    RunStatus status;
    int position = 0;
    std::int64_t count = 0;
    std::int64_t done = 0;

    while (done < steps) {
        const std::int64_t s = done + 1;
        const double t = static_cast<double>(s - timeShift) * dt;
        input.t = t;

        gm.agPrev = gm.ag;
        gm.avPrev = gm.av;
        gm.ag = horizontalAcc.value(t) * g;
        gm.av = verticalAcc.value(t) * g;
        // Velocity and displacement exact for an acceleration linear over the step.
        gm.vgPrev = gm.vg;
        gm.vg = gm.vgPrev + gm.agPrev * dt + (gm.ag - gm.agPrev) * dt / 2.0;
        gm.dgPrev = gm.dg;
        gm.dg = gm.dgPrev + gm.vgPrev * dt + dt * dt * gm.agPrev / 2.0 +
                dt * dt * (gm.ag - gm.agPrev) / 6.0;
        gm.vvPrev = gm.vv;
        gm.vv = gm.vvPrev + gm.avPrev * dt + (gm.av - gm.avPrev) * dt / 2.0;
        gm.dvPrev = gm.dv;
        gm.dv = gm.dvPrev + gm.vvPrev * dt + dt * dt * gm.avPrev / 2.0 +
                dt * dt * (gm.av - gm.avPrev) / 6.0;

        input.Fh = horizontalForceOn ? horizontalForce.value(t) * forceToKn : 0.0;
        input.Fv = verticalForceOn ? verticalForce.value(t) * forceToKn : 0.0;

        if (debug) {
            debug->fixed(t, 10, 6);
            debug->fixed(gm.ag, 6, 4);
            debug->fixed(gm.av, 6, 4);
            debug->fixed(input.Fh, 10, 4);
            debug->fixed(input.Fv, 10, 4);
        }

        step.step(input, previous, next, energy, factors, control);
        done = s;

        if (++count == ratio) {
            count = 0;
            const std::int64_t j = s / ratio; // 0-based index of sample s div k + 1
            put(slidingDisp, j, next.u * lengthBack);
            put(slidingVel, j, next.v * lengthBack);
            put(slidingAcc, j, next.a * lengthBack);
            put(rotation, j, next.theta);
            put(rotationVel, j, next.omega);
            put(rotationAcc, j, next.alpha);
            put(absInput, j, energy.E0 * energyBack);
            put(relInput, j, energy.E1 * energyBack);
            put(absKinetic, j, energy.E2 * energyBack);
            put(relKinetic, j, energy.E3 * energyBack);
            put(friction, j, energy.E4 * energyBack);
            put(preseismic, j, energy.E5 * energyBack);
            put(impact, j, energy.E6 * energyBack);
            put(potential, j, energy.E7 * energyBack);
            put(slidingSF, j, factors.sliding);
            put(overturningSF, j, factors.overturning);
            put(resultant, j, factors.resultantPosition);

            const EnergyErrors errors = step.energyErrors(energy);
            status.time = t;
            status.slidingDisplacement = next.u * lengthBack;
            status.rotation = next.theta;
            status.absoluteEnergyError = errors.absolute;
            status.relativeEnergyError = errors.relative;
            if (std::fmax(errors.absolute, errors.relative) > 5.0)
                status.energyErrorHigh = true;
            status.sample = static_cast<int>(j + 1);
            mHost.status(status);
        }

        const int now = static_cast<int>(std::lround(
            RunHost::kProgressMaximum * static_cast<double>(s + progressShift) / progressTotal));
        if (now != position) {
            position = now;
            mHost.progress(position);
        }

        previous = next;
        step.afterStep(previous, control);
        if (!control.running())
            break;
        if (done < steps && mHost.stopRequested()) {
            control.requestStop(StopCause::Host);
            break;
        }
    }

    outcome.steps = done;
    outcome.cause = control.stopCause();
    outcome.stopMessage = control.stopMessage();
    outcome.end = done < steps ? RunEnd::Stopped : RunEnd::Completed;
    outcome.samples = static_cast<int>(done / ratio + 1);
    if (done < steps) {
        for (auto& [series, vector] : fresh) {
            (void)vector;
            seriesSlot(model, series)->resize(outcome.samples);
        }
    }
    if (position != 0)
        mHost.progress(0);
    return outcome;
}

} // namespace quibel
