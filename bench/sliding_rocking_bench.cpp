// SPDX-License-Identifier: GPL-3.0-or-later
// Speed of the sliding-and-rocking analysis: whole runs of the start-up model on a 20-second
// record at the default time step (200 001 integration steps), reported per step and as a
// multiple of the limit loop measured in the same process.
#include "bench/limit_loop.h"
#include "engine/run/run_driver.h"
#include "engine/run/run_host.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <numbers>

namespace {

using namespace quibel;

// A 20-second record sampled every 5 ms: three sines under a rising and decaying envelope,
// peak about peakG (in g).
void earthquakeLikeRecord(TimeHistoryRecord& h, double peakG) {
    const double dt = 0.005;
    const int n = 4001;
    h.Source = HistorySource::Sampled;
    h.Times.emplace(n);
    h.Values.emplace(n);
    for (int i = 1; i <= n; ++i) {
        const double t = (i - 1) * dt;
        const double envelope = (t / 2.0) * std::exp(1.0 - t / 2.0);
        const double wave = 0.5 * std::sin(2 * std::numbers::pi * t / 0.35) +
                            0.3 * std::sin(2 * std::numbers::pi * t / 0.8 + 1.0) +
                            0.2 * std::sin(2 * std::numbers::pi * t / 1.7 + 2.0);
        h.Times->set(i, t);
        h.Values->set(i, peakG * envelope * wave);
    }
    h.Duration = (n - 1) * dt;
}

void runStartupModel(benchmark::State& state, double peakG, bool dry) {
    TBlocStatic model = startupModel();
    model.AnalysisKind = AnalysisKind::SlidingAndRocking;
    if (dry) {
        // Empty reservoir, no uplift, energy balance formed.
        model.Hr = 0;
        model.U = 0;
        model.Options.Translational = 1;
    }
    earthquakeLikeRecord(model.history(HistoryKind::HorizontalAcceleration), peakG);
    // A host that shows nothing: the cost measured is the run's own.
    SilentRunHost host;
    std::int64_t steps = 0;
    double seconds = 0.0;
    for (auto _ : state) {
        TBlocStatic m = model;
        const double start = quibel::bench::threadSeconds();
        const RunOutcome outcome = AnalysisRun(m, host).run();
        seconds += quibel::bench::threadSeconds() - start;
        steps += outcome.steps;
        benchmark::DoNotOptimize(m.SlidingDisp);
    }
    state.counters["steps"] = static_cast<double>(steps) / static_cast<double>(state.iterations());
    quibel::bench::setLimitCounters(state, seconds, static_cast<double>(steps));
}

// The start-up model as it stands, with its reservoir, under a record of 0.26 g peak: the
// thrust of the water and the ground slide it by a few millimetres.
void BM_StartupModel(benchmark::State& state) {
    runStartupModel(state, 0.3, false);
}
// The same under a record of 1 g peak: it slides more than a metre.
void BM_StartupModelStrongRecord(benchmark::State& state) {
    runStartupModel(state, 1.2, false);
}
// The block without water under the strong record: it slides and rocks, with impacts, and
// the energy balance is formed.
void BM_DryBlockSlidingAndRocking(benchmark::State& state) {
    runStartupModel(state, 1.2, true);
}

BENCHMARK(BM_StartupModel)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StartupModelStrongRecord)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DryBlockSlidingAndRocking)->Unit(benchmark::kMillisecond);

} // namespace
