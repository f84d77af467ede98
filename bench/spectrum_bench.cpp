// SPDX-License-Identifier: GPL-3.0-or-later
// Response-spectrum speed: the default period sets and damping list on a 4000-sample record
// at dt 0.01 s (about 23 million oscillator substeps), and the text import of a long record.
#include "signals/history_text_import.h"
#include "signals/response_spectrum.h"
#include "signals/spectrum_parameters.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <string>

namespace {
// A 40 s record: a few harmonics under a rise-and-decay envelope, like a recorded motion.
quibel::SignalSamples earthquakeLikeRecord(int n, double dt) {
    quibel::SignalSamples s{quibel::TVector(n), quibel::TVector(n)};
    for (int i = 1; i <= n; ++i) {
        const double t = (i - 1) * dt;
        const double envelope = t * std::exp(-t / 6.0) / 6.0;
        s.Times.set(i, t);
        s.Values.set(i, 0.3 * envelope *
                            (std::sin(2.1 * t) + 0.6 * std::sin(7.3 * t + 1.0) +
                             0.3 * std::sin(23.0 * t + 2.0) + 0.1 * std::sin(61.0 * t)));
    }
    return s;
}

long substepsOfDefaultAnalysis(int n, double dt) {
    long total = 0;
    for (double t : quibel::PeriodList(quibel::kDefaultPeriodSets)) {
        const double h0 = std::min(dt, t / 20.0);
        total += n * std::lround(dt / h0);
    }
    return total * static_cast<long>(quibel::DampingList(quibel::kDefaultDamping).size());
}
} // namespace

static void BM_DefaultSpectra(benchmark::State& state) {
    const int n = 4000;
    const double dt = 0.01;
    const auto record = earthquakeLikeRecord(n, dt);
    const auto periods = quibel::PeriodList(quibel::kDefaultPeriodSets);
    const auto dampings = quibel::DampingList(quibel::kDefaultDamping);
    const auto threads = static_cast<unsigned>(state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(quibel::ComputeResponseSpectra(
            record, periods, dampings, quibel::UnitSystem::MKnTon, threads));
    state.counters["substeps"] = static_cast<double>(substepsOfDefaultAnalysis(n, dt));
    state.counters["substeps/s"] = benchmark::Counter(
        static_cast<double>(substepsOfDefaultAnalysis(n, dt)) * state.iterations(),
        benchmark::Counter::kIsRate);
}
BENCHMARK(BM_DefaultSpectra)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

static void BM_ImportPairs(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    std::string text;
    text.reserve(static_cast<std::size_t>(n) * 24);
    for (int i = 0; i < n; ++i)
        text += std::to_string(0.005 * i) + "\t" + std::to_string(0.3 * std::sin(0.01 * i)) + "\n";
    for (auto _ : state)
        benchmark::DoNotOptimize(
            quibel::ImportHistoryText(text, quibel::HistoryFileFormat::TimeAndAmplitude));
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_ImportPairs)->Arg(1000000)->Unit(benchmark::kMillisecond);
