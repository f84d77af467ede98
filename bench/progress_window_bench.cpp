// SPDX-License-Identifier: GPL-3.0-or-later
// What the progress window costs a run: the sliding analysis of the start-up dam under a
// 40-second synthetic horizontal record at the default time step (400 001 steps), once with a
// host that shows nothing and once inside the progress window, shown and yielding to the event
// loop as it does for the user. The window is opened and closed in every iteration.
#include "bench/synthetic_records.h"
#include "engine/run/run_driver.h"
#include "engine/run/run_host.h"
#include "model/model_flags.h"
#include "model/project_file.h"
#include "ui/main_window/progress_dialog.h"
#include "ui/widgets/application_state.h"
#include "ui/widgets/user_prompts.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <ctime>
#include <string>
#include <vector>

using namespace quibel;
using quibel::SilentRunHost;

namespace {

// A user who is never asked anything during these runs.
class SilentPrompts final : public UserPrompts {
public:
    void showMessage(QWidget*, MessageKind, const QString&) override {}
    YesNoCancel askYesNoCancel(QWidget*, const QString&) override { return YesNoCancel::No; }
    QuestionAnswer askRunQuestion(QWidget*, const QString&, QuestionButtons) override {
        return QuestionAnswer::Continue;
    }
    QString openFileName(QWidget*, const FileDialogSpec&) override { return {}; }
    QString saveFileName(QWidget*, const FileDialogSpec&, int*) override { return {}; }
    bool printDialog(QWidget*, QPrinter&) override { return false; }
    bool pageSetupDialog(QWidget*, QPrinter&) override { return false; }
};

void BM_SlidingRun40sSilentHost(benchmark::State& state) {
    TBlocStatic model = quibel::bench::startupUnderRecord(quibel::bench::kSlidingRecord);
    // A host that shows nothing: the cost measured is the run's own.
    SilentRunHost host;
    for (auto _ : state) {
        AnalysisRun run(model, host);
        benchmark::DoNotOptimize(run.run().steps);
    }
}
BENCHMARK(BM_SlidingRun40sSilentHost)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_SlidingRun40sInProgressWindow(benchmark::State& state) {
    ApplicationState app;
    app.Model = quibel::bench::startupUnderRecord(quibel::bench::kSlidingRecord);
    SilentPrompts prompts;
    for (auto _ : state) {
        ProgressDialog dialog(app, prompts);
        dialog.show();
        while (!dialog.analysisFinished())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
        benchmark::DoNotOptimize(dialog.outcome().steps);
        dialog.close();
    }
}
BENCHMARK(BM_SlidingRun40sInProgressWindow)->Unit(benchmark::kMillisecond)->UseRealTime();

// The window alone: opened, its run refused by the checks at once (no history defined), closed.
void BM_ProgressWindowOpenAndClose(benchmark::State& state) {
    ApplicationState app;
    app.Model = quibel::bench::startupUnderRecord(quibel::bench::kSlidingRecord);
    app.Model.history(HistoryKind::HorizontalAcceleration).Source = HistorySource::Undefined;
    SilentPrompts prompts;
    for (auto _ : state) {
        ProgressDialog dialog(app, prompts);
        dialog.show();
        while (!dialog.analysisRefused())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
        dialog.close();
    }
}
// Both runs in turn, so that both meet the same load of the machine; counters give the
// medians of each, in thread CPU time and in wall time.
double threadCpuMs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}
double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0.0 : v[v.size() / 2];
}
void BM_SlidingRun40sSilentThenWindow(benchmark::State& state) {
    TBlocStatic model = quibel::bench::startupUnderRecord(quibel::bench::kSlidingRecord);
    SilentRunHost host;
    ApplicationState app;
    app.Model = model;
    SilentPrompts prompts;
    std::vector<double> silentCpu, windowCpu, silentWall, windowWall;
    for (auto _ : state) {
        QElapsedTimer wall;
        double cpu = threadCpuMs();
        wall.start();
        {
            AnalysisRun run(model, host);
            benchmark::DoNotOptimize(run.run().steps);
        }
        silentWall.push_back(wall.nsecsElapsed() / 1e6);
        silentCpu.push_back(threadCpuMs() - cpu);
        cpu = threadCpuMs();
        wall.restart();
        {
            ProgressDialog dialog(app, prompts);
            dialog.show();
            while (!dialog.analysisFinished())
                QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            dialog.close();
        }
        windowWall.push_back(wall.nsecsElapsed() / 1e6);
        windowCpu.push_back(threadCpuMs() - cpu);
    }
    state.counters["silent_cpu_ms"] = median(silentCpu);
    state.counters["window_cpu_ms"] = median(windowCpu);
    state.counters["silent_wall_ms"] = median(silentWall);
    state.counters["window_wall_ms"] = median(windowWall);
    state.counters["window_over_silent_cpu_pct"] =
        100.0 * (median(windowCpu) / median(silentCpu) - 1.0);
}
BENCHMARK(BM_SlidingRun40sSilentThenWindow)->Unit(benchmark::kMillisecond)->Iterations(40);

BENCHMARK(BM_ProgressWindowOpenAndClose)->Unit(benchmark::kMillisecond)->UseRealTime();

// A run of 10^7 steps (1000 s at 0.1 ms) stopped with the window's button 100 ms after it
// started (the whole run takes about 0.3 s): the time from the click to the end of the run.
void BM_ProgressWindowStopLatency(benchmark::State& state) {
    bench::EnvelopedSines record = bench::kSlidingRecord;
    record.durationS = 1000.0;
    ApplicationState app;
    app.Model = bench::startupUnderRecord(record);
    app.Model.Options.TimeStep = 0.0001;
    app.Model.Options.SaveStep = 0.01;
    SilentPrompts prompts;
    std::vector<double> latencies;
    for (auto _ : state) {
        ProgressDialog dialog(app, prompts);
        QElapsedTimer sinceClick;
        QTimer::singleShot(100, &dialog, [&] {
            sinceClick.start();
            dialog.findChild<QPushButton*>(QStringLiteral("StopButton"))->click();
        });
        dialog.show();
        while (!dialog.analysisFinished())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        latencies.push_back(sinceClick.nsecsElapsed() / 1e6);
        benchmark::DoNotOptimize(dialog.outcome().steps);
        dialog.close();
    }
    state.counters["stop_latency_ms_median"] = median(latencies);
    state.counters["stop_latency_ms_max"] = *std::max_element(latencies.begin(), latencies.end());
}
BENCHMARK(BM_ProgressWindowStopLatency)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // --write-project=FILE saves the benchmark's model, to time "quibel-cli run FILE" on it.
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg.rfind("--write-project=", 0) == 0) {
            WriteToFile(quibel::bench::startupUnderRecord(quibel::bench::kSlidingRecord),
                        arg.substr(16));
            return 0;
        }
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
