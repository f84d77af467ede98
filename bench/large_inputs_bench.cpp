// SPDX-License-Identifier: GPL-3.0-or-later
// Large inputs: a 3-million-sample record read from its text, a run of 10^7 steps with the
// memory it holds at its peak (counted by the allocator: it follows the stored samples, not
// the steps), and how soon Ctrl+C ends such a run in the command-line tool.
#include "bench/synthetic_records.h"
#include "cli/command_line.h"
#include "engine/run/run_driver.h"
#include "model/project_file.h"
#include "signals/history_text_import.h"

#include <benchmark/benchmark.h>

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <new>
#include <sstream>
#include <string>
#include <thread>

#include <unistd.h>

namespace {

// Bytes held by operator new now and at most since the last reset.
std::atomic<std::size_t> gHeld{0};
std::atomic<std::size_t> gPeak{0};

void noteAllocation(std::size_t size) {
    const std::size_t now = gHeld += size;
    std::size_t peak = gPeak.load();
    while (now > peak && !gPeak.compare_exchange_weak(peak, now)) {
    }
}

} // namespace

// The size is kept in front of each block so that delete can count it back.
void* operator new(std::size_t size) {
    void* p = std::malloc(size + sizeof(std::max_align_t));
    if (p == nullptr)
        throw std::bad_alloc();
    *static_cast<std::size_t*>(p) = size;
    noteAllocation(size);
    return static_cast<char*>(p) + sizeof(std::max_align_t);
}
void operator delete(void* p) noexcept {
    if (p == nullptr)
        return;
    void* block = static_cast<char*>(p) - sizeof(std::max_align_t);
    gHeld -= *static_cast<std::size_t*>(block);
    std::free(block);
}
void operator delete(void* p, std::size_t) noexcept {
    operator delete(p);
}

using namespace quibel;

namespace {

void BM_Import3MillionSamples(benchmark::State& state) {
    const std::string text = bench::threeMillionSampleText();
    for (auto _ : state) {
        const SignalSamples s = ImportHistoryText(text, HistoryFileFormat::TimeAndAmplitude);
        benchmark::DoNotOptimize(s.Values.data());
    }
    state.counters["MB"] = static_cast<double>(text.size()) / 1e6;
}
BENCHMARK(BM_Import3MillionSamples)->Unit(benchmark::kMillisecond)->UseRealTime();

// 10^7 steps of 0.1 ms under a 1000 s record; the argument is the save step in ms.
TBlocStatic tenMillionSteps(double saveStepS) {
    bench::EnvelopedSines record = bench::kSlidingRecord;
    record.durationS = 1000.0;
    TBlocStatic m = bench::startupUnderRecord(record);
    m.Options.TimeStep = 0.0001;
    m.Options.SaveStep = saveStepS;
    return m;
}

void BM_RunTenMillionStepsPeakMemory(benchmark::State& state) {
    const double saveStep = static_cast<double>(state.range(0)) / 1000.0;
    RunOutcome outcome;
    std::size_t peakDuringRun = 0;
    for (auto _ : state) {
        TBlocStatic m = tenMillionSteps(saveStep);
        SilentRunHost host;
        const std::size_t before = gHeld.load();
        gPeak = before;
        outcome = AnalysisRun(m, host).run();
        peakDuringRun = gPeak.load() - before;
    }
    state.counters["steps"] = static_cast<double>(outcome.steps);
    state.counters["samples"] = outcome.samples;
    state.counters["peak_MB"] = static_cast<double>(peakDuringRun) / 1e6;
    state.counters["bytes_per_sample"] =
        static_cast<double>(peakDuringRun) / std::max(outcome.samples, 1);
}
BENCHMARK(BM_RunTenMillionStepsPeakMemory)
    ->Arg(10)
    ->Arg(100)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// quibel-cli run on a 10^7-step project, Ctrl+C 200 ms after it started: the time from the
// signal to the end of the command, results written.
void BM_CliRunCtrlCLatency(benchmark::State& state) {
    const auto project =
        std::filesystem::temp_directory_path() / ("quibel-ctrlc-" + std::to_string(getpid()));
    WriteToFile(tenMillionSteps(0.01), project.string());
    double latencyMs = 0.0;
    int code = 0;
    for (auto _ : state) {
        std::ostringstream out, err;
        std::atomic<bool> done{false};
        std::chrono::steady_clock::time_point end;
        std::thread run([&] {
            code = cli::runCommandLine({"run", project.string()}, out, err);
            end = std::chrono::steady_clock::now();
            done = true;
        });
        // Wait for the run to take Ctrl+C over before sending it.
        for (struct sigaction a{}; sigaction(SIGINT, nullptr, &a) == 0 && a.sa_handler == SIG_DFL;)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        const auto sent = std::chrono::steady_clock::now();
        std::raise(SIGINT);
        run.join();
        latencyMs = std::chrono::duration<double, std::milli>(end - sent).count();
        benchmark::DoNotOptimize(out.str().size());
    }
    std::filesystem::remove(project);
    state.counters["latency_ms"] = latencyMs;
    state.counters["exit_code"] = code;
}
BENCHMARK(BM_CliRunCtrlCLatency)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
