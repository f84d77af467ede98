// SPDX-License-Identifier: GPL-3.0-or-later
// quibel-cli study on 1 000 sliding cases of the start-up dam (confirmed complete: 398 t block,
// 28 m reservoir, uplift 1330 kN) under a 20-second synthetic horizontal record sampled at
// 0.01 s, at the default time step of 0.0001 s (200 000 steps per case), on two threads: one
// record scaled to 10 peak accelerations from 0.1 to 1 g, each with 100 Latin-hypercube samples
// of the friction angles. Each iteration starts from an empty folder, so it runs every case,
// then counts, fits and draws the charts.
#include "bench/synthetic_records.h"
#include "cli/study/command.h"
#include "model/project_file.h"

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

using namespace quibel;

namespace {

namespace fs = std::filesystem;

constexpr int kCases = 1000;

// Three sines of 1.3, 2.9 and 6.1 Hz under a build-up and decay envelope over 20 s.
constexpr bench::EnvelopedSines kRecord{20.0, 4.0, 10.0, 5.0, {0.35, 0.25, 0.15}, {1.3, 2.9, 6.1}};

std::string writeStudy(const fs::path& folder) {
    fs::create_directories(folder);
    const TBlocStatic m = bench::startupUnderRecord(kRecord);
    WriteToFile(m, (folder / "dam.qbl").string());
    // The suite's record is the project's own, as time and amplitude pairs.
    const TimeHistoryRecord& h = m.history(HistoryKind::HorizontalAcceleration);
    std::ofstream record(folder / "record-20s.txt");
    record.precision(17);
    for (int i = 1; i <= h.Times->size(); ++i)
        record << h.Times->get(i) << ' ' << h.Values->get(i) << '\n';
    const fs::path study = folder / "study.toml";
    std::ofstream(study) << R"(project = "dam.qbl"
[intensity]
measure = "pga"
levels = [0.1, 0.2, 0.3, 0.4, 0.5, 0.6, 0.7, 0.8, 0.9, 1.0]
[[records]]
file = "record-20s.txt"
format = "pairs"
[parameters]
PhiS = { distribution = "normal", mean = 42, sd = 3 }
PhiD = { distribution = "normal", mean = 38, sd = 3 }
[sampling]
count = 100
[[limits]]
response = "residual_sliding"
above = "0.05 m"
)";
    return study.string();
}

void BM_Study1000SlidingCases(benchmark::State& state) {
    const fs::path folder =
        fs::temp_directory_path() / ("quibel_study_bench_" + std::to_string(::getpid()));
    const std::string study = writeStudy(folder);
    const std::string jobs = std::to_string(state.range(0));
    for (auto _ : state) {
        fs::remove_all(folder / "out");
        std::ostringstream out, err;
        const int code = cli::runStudyCommand(
            {study, "-o", (folder / "out").string(), "--jobs", jobs}, out, err, Language::English);
        if (code != 0)
            state.SkipWithError(err.str().c_str());
    }
    state.counters["cases"] = kCases;
    state.counters["cases_per_s"] = benchmark::Counter(
        kCases * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    fs::remove_all(folder);
}
// Wall time, not the main thread's processor time: the work is on the pool's threads.
BENCHMARK(BM_Study1000SlidingCases)
    ->Arg(2)
    ->ArgName("jobs")
    ->UseRealTime()
    ->Unit(benchmark::kSecond)
    ->Iterations(1);

} // namespace
