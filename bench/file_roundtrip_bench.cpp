// SPDX-License-Identifier: GPL-3.0-or-later
// Project file speed: serialising and parsing a model with a long sampled record.
#include "model/project_file.h"

#include <benchmark/benchmark.h>

#include <cmath>

namespace {
quibel::TBlocStatic modelWithRecord(int samples) {
    quibel::TBlocStatic m = quibel::startupModel();
    auto& h = m.Histories[0];
    h.Source = quibel::HistorySource::Sampled;
    h.Times = quibel::TVector(samples);
    h.Values = quibel::TVector(samples);
    for (int i = 1; i <= samples; ++i) {
        h.Times->set(i, 0.005 * (i - 1));
        h.Values->set(i, 0.3 * std::sin(0.01 * i));
    }
    return m;
}
} // namespace

static void BM_SerializeProject(benchmark::State& state) {
    const auto m = modelWithRecord(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(quibel::serializeProject(m));
    state.SetBytesProcessed(state.iterations() *
                            static_cast<int64_t>(quibel::serializeProject(m).size()));
}
BENCHMARK(BM_SerializeProject)->Arg(0)->Arg(8000)->Arg(1000000);

static void BM_ParseProject(benchmark::State& state) {
    const auto bytes = quibel::serializeProject(modelWithRecord(static_cast<int>(state.range(0))));
    for (auto _ : state) {
        quibel::TBlocStatic m = quibel::startupModel();
        quibel::parseProject(bytes, m);
        benchmark::DoNotOptimize(m);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bytes.size()));
}
BENCHMARK(BM_ParseProject)->Arg(0)->Arg(8000)->Arg(1000000);
