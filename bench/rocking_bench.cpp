// SPDX-License-Identifier: GPL-3.0-or-later
// The rocking analysis of the start-up dam (398 t block, 28 m reservoir, uplift 1330 kN,
// restitution 1.0 upstream and 0.3 downstream) under a 20-second synthetic horizontal record
// sampled at 0.01 s, at the default time step of 0.0001 s: 200 001 integration steps per run,
// with its cost per step as a multiple of the limit loop measured in the same process.
#include "bench/limit_loop.h"
#include "bench/synthetic_records.h"
#include "engine/run/run_driver.h"
#include "engine/run/run_host.h"
#include "model/model_flags.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>

using namespace quibel;
using quibel::SilentRunHost;

namespace {

void BM_RockingRun20s(benchmark::State& state) {
    TBlocStatic model =
        quibel::bench::startupUnderRecord(quibel::bench::kRockingRecord, AnalysisKind::Rocking);
    // A host that shows nothing: the cost measured is the run's own.
    SilentRunHost host;
    std::int64_t steps = 0;
    double seconds = 0.0;
    for (auto _ : state) {
        const double start = quibel::bench::threadSeconds();
        AnalysisRun run(model, host);
        const RunOutcome outcome = run.run();
        seconds += quibel::bench::threadSeconds() - start;
        steps = outcome.steps;
        benchmark::DoNotOptimize(model.Rotation->data());
    }
    int rocking = 0;
    for (int i = 1; i <= model.Rotation->size(); ++i)
        rocking += model.Rotation->get(i) != 0.0 ? 1 : 0;
    state.counters["steps"] = static_cast<double>(steps);
    quibel::bench::setLimitCounters(
        state, seconds, static_cast<double>(steps) * static_cast<double>(state.iterations()));
    state.counters["rocking_samples_pct"] = 100.0 * rocking / model.Rotation->size();
    state.counters["max_rotation_rad"] = std::max(model.Rotation->max(), -model.Rotation->min());
    state.counters["impact_energy_kNm"] = model.ImpactEnergy->get(model.ImpactEnergy->size());
}
BENCHMARK(BM_RockingRun20s)->Unit(benchmark::kMillisecond);

} // namespace
