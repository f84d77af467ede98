// SPDX-License-Identifier: GPL-3.0-or-later
// The sliding analysis of the start-up dam (confirmed complete: 398 t block, 28 m reservoir,
// uplift 1330 kN, friction 45°) under a 40-second synthetic horizontal record sampled at
// 0.01 s, at the default time step of 0.0001 s: 400 001 integration steps per run.
#include "bench/synthetic_records.h"
#include "engine/run/run_driver.h"
#include "engine/run/run_host.h"
#include "model/model_flags.h"

#include <benchmark/benchmark.h>

#include <cmath>

using namespace quibel;
using quibel::SilentRunHost;

namespace {

void BM_SlidingRun40s(benchmark::State& state) {
    TBlocStatic model = quibel::bench::startupUnderRecord(quibel::bench::kSlidingRecord);
    // A host that shows nothing: the cost measured is the run's own.
    SilentRunHost host;
    std::int64_t steps = 0;
    double slide = 0;
    for (auto _ : state) {
        AnalysisRun run(model, host);
        const RunOutcome outcome = run.run();
        steps = outcome.steps;
        slide = model.SlidingDisp->get(model.SlidingDisp->size());
        benchmark::DoNotOptimize(slide);
    }
    state.counters["steps"] = static_cast<double>(steps);
    state.counters["ns_per_step"] =
        benchmark::Counter(static_cast<double>(steps) * static_cast<double>(state.iterations()),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.counters["residual_slide_m"] = slide;
}
BENCHMARK(BM_SlidingRun40s)->Unit(benchmark::kMillisecond);

} // namespace
