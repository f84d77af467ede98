#include "model/project_record.h"

#include <benchmark/benchmark.h>

static void BM_StartupModel(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(quibel::startupModel());
}
BENCHMARK(BM_StartupModel);
