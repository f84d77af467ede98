// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/run/analysis_step.h"
#include "model/model_flags.h"
#include "model/project_record.h"
#include "model/result_series.h"

#include <chrono>
#include <functional>
#include <thread>
#include <vector>

namespace quibel::test {

/// A step function whose motion is known in advance: the block slides at 1 m/s from rest
/// (u = t, in metres) and turns at 0.001 rad/s, with the energy errors it is told to report.
/// Its checks, a per-step hook and a per-step pause are set by the test.
class ScriptedAnalysisStep final : public AnalysisStep {
public:
    std::vector<RunCheck> checks;
    EnergyErrors errors;
    /// Called after every step with its number (from 1) and the run's control.
    std::function<void(std::int64_t, RunControl&)> onStep;
    /// Wall time each step takes, so that a run lasts long enough for the user to act.
    std::chrono::microseconds pause{0};

    /// None of the shared checks: the script runs on any model.
    SharedCheckKeys sharedCheckKeys() const noexcept override { return {}; }
    std::vector<RunCheck> check(const TBlocStatic&) const override { return checks; }
    ResultSeriesSet filledSeries() const noexcept override {
        return kSlidingSeries | seriesBit(ResultSeries::Rotation);
    }
    std::string_view debugHeader() const noexcept override { return "u;"; }
    void prepare(const RunContext&) override {}
    void step(const StepInput& input, const BlockMotion&, BlockMotion& next, EnergyTerms&,
              SafetyFactors&, RunControl& control) override {
        next.u = input.t;
        next.v = 1.0;
        next.theta = 0.001 * input.t;
        ++mSteps;
        if (pause.count() > 0)
            std::this_thread::sleep_for(pause);
        if (onStep)
            onStep(mSteps, control);
    }
    EnergyErrors energyErrors(const EnergyTerms&) const noexcept override { return errors; }

private:
    std::int64_t mSteps = 0;
};

/// A model the scripted step runs on for seconds of motion: geometry confirmed, a generated
/// horizontal acceleration of that duration, a time step of 1 ms and a sample every 10 ms.
inline TBlocStatic scriptedRunModel(double seconds = 1.0) {
    TBlocStatic m = startupModel();
    setFlag(m.ModelFlags, ModelFlag::GeometryComplete, true);
    setFlag(m.ModelFlags, ModelFlag::HorizontalAccDefined, true);
    TimeHistoryRecord& h = m.history(HistoryKind::HorizontalAcceleration);
    h.Source = HistorySource::Generated;
    h.Duration = seconds;
    m.Options.TimeStep = 0.001;
    m.Options.SaveStep = 0.01;
    return m;
}

} // namespace quibel::test
