// SPDX-License-Identifier: GPL-3.0-or-later
// quibel-cli batch on 200 and 1 000 sliding cases of the start-up dam (confirmed complete: 398 t
// block, 28 m reservoir, uplift 1330 kN) under a 20-second synthetic horizontal record sampled at
// 0.01 s, at the default time step of 0.0001 s (200 000 steps per case), with one thread and
// with two (the 1 000 cases with two). The cases scale the record by 0.25 + 0.01 k (up to 2.24
// times for 200 cases, 10.24 for 1 000) and vary the friction angles, as an incremental dynamic
// analysis does. The wall time is what counts: run with --benchmark_filter and compare the
// rows. Each row also gives its processor time per step against the limit loop, and against
// that loop run over the same cases.
#include "bench/limit_loop.h"
#include "cli/batch/command.h"
#include "model/model_flags.h"
#include "model/project_file.h"

#include <benchmark/benchmark.h>

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <sstream>
#include <string>
#include <vector>

using namespace quibel;

namespace {

namespace fs = std::filesystem;

// Three sines of 1.3, 2.9 and 6.1 Hz under a build-up and decay envelope, peak about 0.55 g:
// the record's 2 001 samples, 0.01 s apart, g.
std::vector<double> recordSamples() {
    std::vector<double> values;
    const double pi = std::numbers::pi;
    for (int i = 0; i <= 2000; ++i) {
        const double t = i * 0.01;
        const double envelope = std::min(1.0, t / 4.0) * std::exp(-std::max(0.0, t - 10.0) / 5.0);
        const double a = 0.35 * std::sin(2 * pi * 1.3 * t) + 0.25 * std::sin(2 * pi * 2.9 * t + 1) +
                         0.15 * std::sin(2 * pi * 6.1 * t + 2);
        values.push_back(envelope * a);
    }
    return values;
}

struct Case {
    double scale, phiS, phiD;
};

Case caseNumber(int k) {
    return {0.25 + 0.01 * k, 40.0 + k % 5, 38.0 + k % 5};
}

// Writes the study into a folder of its own: the base project, the record as a text file of
// time and amplitude pairs, and the case table. Returns the table's path.
std::string writeStudy(const fs::path& folder, int caseCount) {
    fs::create_directories(folder);
    TBlocStatic m = startupModel();
    m.ModelFlags =
        ModelFlag::GeometryComplete | ModelFlag::ReservoirPresent | ModelFlag::HorizontalAccDefined;
    WriteToFile(m, (folder / "dam.qbl").string());

    std::ofstream record(folder / "record-20s.txt");
    const std::vector<double> values = recordSamples();
    for (std::size_t i = 0; i < values.size(); ++i)
        record << static_cast<double>(i) * 0.01 << ' ' << values[i] << '\n';

    const std::string table = (folder / "cases.csv").string();
    std::ofstream cases(table);
    cases << "case;project;h_file;h_scale;PhiS;PhiD\n";
    for (int k = 0; k < caseCount; ++k) {
        const Case c = caseNumber(k);
        cases << "c" << k << ";dam.qbl;record-20s.txt;" << c.scale << ';' << c.phiS << ';' << c.phiD
              << '\n';
    }
    return table;
}

// The processor time the limit loop takes for the same cases, s: the hand-written sliding
// step under each case's scaled record and friction angles. The stronger cases slide far more
// often than the 40-second limit case, and a sliding step costs more than a stuck one, so this
// is the batch's own limit.
double limitLoopSeconds(int caseCount) {
    TBlocStatic m = quibel::bench::limitCaseModel();
    TimeHistoryRecord& h = m.history(HistoryKind::HorizontalAcceleration);
    const std::vector<double> values = recordSamples();
    const int n = static_cast<int>(values.size());
    h.Times.emplace(n);
    h.Values.emplace(n);
    h.Duration = 20.0;
    double seconds = 0.0;
    for (int k = 0; k < caseCount; ++k) {
        const Case c = caseNumber(k);
        m.PhiS = c.phiS;
        m.PhiD = c.phiD;
        for (int i = 1; i <= n; ++i) {
            h.Times->set(i, (i - 1) * 0.01);
            h.Values->set(i, values[static_cast<std::size_t>(i - 1)] * c.scale);
        }
        const quibel::bench::LimitCase limit = quibel::bench::makeCase(m);
        std::vector<double> samples(static_cast<std::size_t>(limit.steps / limit.ratio) * 11);
        const double start = quibel::bench::threadSeconds();
        benchmark::DoNotOptimize(quibel::bench::limitLoop(limit, samples));
        seconds += quibel::bench::threadSeconds() - start;
    }
    return seconds;
}

// Processor time of the whole process, every thread, user and system, s.
double processSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           1e-6 * static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec);
}

void BM_BatchSlidingCases(benchmark::State& state) {
    const fs::path folder =
        fs::temp_directory_path() / ("quibel_batch_bench_" + std::to_string(::getpid()));
    const int caseCount = static_cast<int>(state.range(0));
    const std::string table = writeStudy(folder, caseCount);
    const std::string summary = (folder / "summary.csv").string();
    const std::string jobs = std::to_string(state.range(1));
    int code = 0;
    const double processorStart = processSeconds();
    for (auto _ : state) {
        std::ostringstream out, err;
        code = cli::runBatchCommand({table, "--jobs", jobs, "-o", summary}, out, err,
                                    Language::English);
        if (code != 0)
            state.SkipWithError(err.str().c_str());
    }
    // On a shared machine the wall time depends on what else runs; the processor time of a
    // batch divided by its jobs is the wall time it would take alone.
    const double cpu =
        (processSeconds() - processorStart) / static_cast<double>(state.iterations());
    state.counters["cpu_s"] = cpu;
    // The processor time per integration step of the whole batch, reading, summary and
    // threads included, against the limit loop: 200 000 steps a case.
    quibel::bench::setLimitCounters(state, cpu, 200'000.0 * caseCount);
    const double limit = limitLoopSeconds(caseCount);
    state.counters["cases_limit_cpu_s"] = limit;
    state.counters["x_cases_limit"] = cpu / limit;
    state.counters["cases"] = caseCount;
    state.counters["cases_per_s"] = benchmark::Counter(
        caseCount * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    fs::remove_all(folder);
}
// Wall time, not the main thread's processor time: the work is on the pool's threads.
BENCHMARK(BM_BatchSlidingCases)
    ->Args({200, 1})
    ->Args({200, 2})
    ->Args({1000, 2})
    ->ArgNames({"cases", "jobs"})
    ->UseRealTime()
    ->Unit(benchmark::kSecond)
    ->Iterations(3);

} // namespace
