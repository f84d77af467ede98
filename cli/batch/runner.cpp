// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/batch/runner.h"

#include "cli/atomic_text_file.h"
#include "cli/batch/case_model.h"
#include "cli/batch/reports.h"
#include "cli/batch/run_figures.h"
#include "cli/batch/run_host.h"
#include "engine/run/run_driver.h"
#include "engine/run/run_length.h"
#include "model/project_file.h"
#include "model/result_series.h"
#include "numeric/error.h"
#include "signals/effective_signal.h"
#include "signals/records/record_samples.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <mutex>
#include <thread>

namespace quibel::cli {

namespace {

std::optional<IntensityMeasures> horizontalMeasures(const TBlocStatic& model,
                                                    MeasuresCache& cache) {
    const std::optional<SignalSamples> s =
        EffectiveSignal(model.history(HistoryKind::HorizontalAcceleration));
    const std::optional<double> dt = s ? EqualStep(*s) : std::nullopt;
    if (!dt)
        return std::nullopt;
    const double* values = s->Values.data();
    return cache.measures(std::vector<double>(values, values + s->size()), *dt);
}

CaseResult runCase(const BatchCase& c, BatchInputs& inputs, const BatchSettings& settings) {
    CaseResult r;
    if (c.problem) {
        r.message = *c.problem;
        return r;
    }
    TBlocStatic model;
    try {
        model = BuildCaseModel(c, inputs);
    } catch (const BatchFileError& e) {
        r.message = e.message();
        r.file = e.path();
        return r;
    }
    r.kind = model.AnalysisKind;
    r.units = model.UnitSystem;
    r.horizontalMeasures = horizontalMeasures(model, inputs.measures());

    std::optional<std::string> writeFailure;
    const auto output = [&](const std::string& extension) {
        return (*settings.resultsDir / (c.name + extension)).string();
    };
    if (settings.resultsDir) {
        try {
            WriteToFile(model, output(".qbl"));
        } catch (const Error& e) {
            writeFailure.emplace();
            r.message = e.message();
        }
    }

    BatchRunHost host(settings.policy);
    ReportRunLog log;
    std::optional<RecordingRunHost> recorder;
    if (settings.reports)
        recorder.emplace(host, log);
    AnalysisRun run(model, recorder ? static_cast<RunHost&>(*recorder) : host);
    const auto start = std::chrono::steady_clock::now();
    const RunOutcome outcome = run.run();
    const auto report = [&] {
        if (!settings.reports)
            return;
        log.outcome = outcome;
        settings.reports->submit(c.name, std::move(model), std::move(log));
    };
    r.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    r.remarks = host.remarks();

    if (outcome.end == RunEnd::ChecksFailed) {
        r.end = CaseEnd::ChecksFailed;
        // The checks' own error, or the one the driver gives when it has no such analysis.
        r.message =
            host.firstError() ? *host.firstError() : Message("engine.analysis_not_available");
        if (writeFailure)
            r.end = CaseEnd::WriteFailed;
        report();
        return r;
    }
    r.ran = true;
    r.steps = outcome.steps;
    r.samples = outcome.samples;
    r.endTime = (outcome.samples - 1) * SampleInterval(model.Options);
    CollectRunFigures(model, host, r);
    if (outcome.end == RunEnd::Stopped) {
        r.end = outcome.cause == StopCause::StepFailure ? CaseEnd::StepFailure : CaseEnd::Stopped;
        r.message = outcome.stopMessage;
        // The message that ended the run is told once, in its own column.
        std::erase(r.remarks, r.message);
    } else {
        r.end = CaseEnd::Completed;
    }

    if (settings.resultsDir && !writeFailure) {
        const std::string path = output(".csv");
        const ResultGrid grid = ResultGridFor(model, settings.language);
        if (grid.columns.empty()) {
            writeFailure.emplace();
            r.message = Message("engine.analysis_not_available");
        } else if (std::optional<std::string> failure =
                       WriteTextAtomically(path, [&](const TextSink& sink) {
                           return WriteResultGridCsv(grid, settings.precision, sink);
                       })) {
            writeFailure = failure;
            r.message = Message("file.unable_to_write", {path, *failure});
        }
    }
    if (writeFailure)
        r.end = CaseEnd::WriteFailed;
    report();
    return r;
}

} // namespace

CaseResult RunBatchCase(const BatchCase& c, BatchInputs& inputs, const BatchSettings& settings) {
    try {
        return runCase(c, inputs, settings);
    } catch (const Error& e) {
        CaseResult r;
        r.message = e.message();
        return r;
    } catch (const std::exception& e) {
        // Out of memory or another failure of the system: the case fails, the batch goes on.
        CaseResult r;
        r.message = Message("cli.batch.unexpected", {e.what()});
        return r;
    }
}

std::vector<CaseResult>
RunBatchCases(const std::vector<const BatchCase*>& cases, BatchInputs& inputs,
              const BatchSettings& settings,
              const std::function<void(std::size_t, const CaseResult&)>& finished) {
    std::vector<CaseResult> results(cases.size());
    std::mutex reportMutex;
    std::atomic<std::size_t> next{0};
    // Each thread takes the next case not yet taken, so that long and short cases balance.
    auto work = [&] {
        for (std::size_t i = next++; i < cases.size(); i = next++) {
            CaseResult r = RunBatchCase(*cases[i], inputs, settings);
            const std::lock_guard lock(reportMutex);
            results[i] = std::move(r);
            if (finished)
                finished(i, results[i]);
        }
    };
    const std::size_t threads =
        std::min<std::size_t>(static_cast<std::size_t>(std::max(settings.jobs, 1)), cases.size());
    if (threads <= 1) {
        work();
        return results;
    }
    std::vector<std::thread> pool;
    pool.reserve(threads);
    for (std::size_t t = 0; t < threads; ++t)
        pool.emplace_back(work);
    for (std::thread& t : pool)
        t.join();
    return results;
}

} // namespace quibel::cli
