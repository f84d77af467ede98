// SPDX-License-Identifier: GPL-3.0-or-later
// The analysis report of the start-up dam under a 40-second synthetic record sampled at
// 0.01 s, at the default time step (400 001 steps): the run, then the whole PDF, offscreen.
// The run alone is in quibel_bench_sliding; the difference is what the report costs.
#include "bench/synthetic_records.h"
#include "documents/analysis_report.h"
#include "documents/document_session.h"
#include "engine/run/run_driver.h"

#include <benchmark/benchmark.h>

#include <filesystem>

using namespace quibel;

namespace {

void BM_RunAndReport40s(benchmark::State& state) {
    TBlocStatic model = bench::startupUnderRecord(bench::kSlidingRecord);
    const std::string path =
        (std::filesystem::temp_directory_path() / "quibel-bench-report.pdf").string();
    std::uintmax_t bytes = 0;
    for (auto _ : state) {
        SilentRunHost quiet;
        ReportRunLog log;
        RecordingRunHost host(quiet, log);
        log.outcome = AnalysisRun(model, host).run();
        const ReportWrite written = WriteAnalysisReport(
            {.model = model, .run = &log, .language = Language::English, .date = {}}, path);
        if (written != ReportWrite::Written)
            state.SkipWithError("the report could not be written");
        bytes = std::filesystem::file_size(path);
    }
    state.counters["pdf_bytes"] = static_cast<double>(bytes);
    std::filesystem::remove(path);
}
BENCHMARK(BM_RunAndReport40s)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    const DocumentSession session; // offscreen when no display is set
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
