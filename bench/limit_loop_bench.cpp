// SPDX-License-Identifier: GPL-3.0-or-later
// The sliding run of the start-up dam under the 40-second synthetic record (400 001 steps of
// 0.0001 s) against the same arithmetic written out as one plain loop: the record read by
// index, the ground integrated over the step, the loads, friction and Newmark step of a
// sliding block, its stop within the step, the energy terms and a sample every 100 steps.
// That loop is the limit the program's run is measured against; both run in the same
// iteration, so the ratio comes from one run of the benchmark. The second benchmark times the
// whole `quibel-cli run PROJECT.qbl -o OUT.csv` process on that project against the loop.
// Times are processor times (the machine is shared), so the reported time of an iteration is
// that of the program and the loop together.
#include "bench/limit_loop.h"
#include "engine/run/run_driver.h"
#include "engine/run/run_host.h"
#include "model/project_file.h"
#include "reporting/result_grid.h"

#include <benchmark/benchmark.h>

#include <spawn.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

extern char** environ;

using namespace quibel;

namespace {

using quibel::bench::LimitCase;
using quibel::bench::limitLoop;
using quibel::bench::makeCase;
using quibel::bench::threadSeconds;

TBlocStatic startupCase() {
    return quibel::bench::limitCaseModel();
}

// Times the loop once and returns its last displacement.
double timeLoop(const LimitCase& c, std::vector<double>& samples, double& elapsed) {
    const double start = threadSeconds();
    const double d = limitLoop(c, samples);
    elapsed += threadSeconds() - start;
    benchmark::DoNotOptimize(samples.data());
    return d;
}

void setRatioCounters(benchmark::State& state, double program, double loop, std::int64_t steps) {
    const double perStep =
        1e9 / (static_cast<double>(steps) * static_cast<double>(state.iterations()));
    state.counters["program_ns_per_step"] = program * perStep;
    state.counters["loop_ns_per_step"] = loop * perStep;
    state.counters["ratio"] = program / loop;
}

// A host that is asked for a stop every few steps, as the command-line tool's and the
// progress window's are, and never stops.
class PolledRunHost final : public RunHost {
public:
    void showMessage(MessageKind, const Message&) override {}
    QuestionAnswer ask(const RunQuestion&) override { return QuestionAnswer::Continue; }
    void progress(int) override {}
    void status(const RunStatus&) override {}
    bool stopRequested() override { return false; }
};

// polled 0: a host that cannot stop the run (the loop never asks it); polled 1: one that is
// asked every few steps, as in the command-line tool and the desktop program.
void BM_SlidingRunAgainstLimitLoop(benchmark::State& state) {
    TBlocStatic model = startupCase();
    const LimitCase c = makeCase(model);
    std::vector<double> samples(static_cast<std::size_t>(c.steps / c.ratio) * 11);
    SilentRunHost silent;
    PolledRunHost polled;
    RunHost& host = state.range(0) != 0 ? static_cast<RunHost&>(polled) : silent;
    double program = 0, loop = 0, programSlide = 0, loopSlide = 0;
    for (auto _ : state) {
        const double start = threadSeconds();
        AnalysisRun run(model, host);
        run.run();
        programSlide = model.SlidingDisp->get(model.SlidingDisp->size());
        program += threadSeconds() - start;
        loopSlide = timeLoop(c, samples, loop);
        state.SetIterationTime(threadSeconds() - start);
    }
    setRatioCounters(state, program, loop, c.steps);
    // 1 when the loop ends on the program's last displacement to the last bit.
    state.counters["same_residual"] = programSlide == loopSlide ? 1.0 : 0.0;
    state.counters["residual_slide_m"] = programSlide;
}
BENCHMARK(BM_SlidingRunAgainstLimitLoop)
    ->Arg(0)
    ->Arg(1)
    ->ArgName("polled")
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->ComputeStatistics("min", [](const std::vector<double>& v) {
        return *std::min_element(v.begin(), v.end());
    });

// Runs quibel-cli with args and waits for it; true when it ended with 0. Adds the time from
// its start to its end, as the user waits for it, to seconds: the processor time the kernel
// accounts to a child is counted in scheduler ticks, too coarse for a run of milliseconds.
bool runTool(const std::vector<std::string>& args, double& seconds) {
    std::vector<char*> argv;
    std::string tool = QUIBEL_CLI_PATH;
    argv.push_back(tool.data());
    std::vector<std::string> copies = args;
    for (std::string& a : copies)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    if (posix_spawn(&pid, tool.c_str(), nullptr, nullptr, argv.data(), environ) != 0)
        return false;
    int status = 0;
    if (waitpid(pid, &status, 0) != pid)
        return false;
    seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// The text of the run's grid (4 001 rows of 14 cells), as the command-line run writes it: its
// pieces are taken and dropped, so that only the forming of the text is timed, against the
// loop's time for the whole run. The reported time is that of the text alone.
void BM_GridTextOfTheRun(benchmark::State& state) {
    TBlocStatic model = startupCase();
    SilentRunHost host;
    AnalysisRun(model, host).run();
    const ResultGrid grid = ResultGridFor(model, Language::English);
    const LimitCase c = makeCase(model);
    std::vector<double> samples(static_cast<std::size_t>(c.steps / c.ratio) * 11);
    double text = 0, loop = 0;
    std::size_t bytes = 0;
    for (auto _ : state) {
        const double start = threadSeconds();
        bytes = 0;
        WriteResultGridCsv(grid, GridPrecision::Grid, [&](std::string_view piece) {
            benchmark::DoNotOptimize(piece.data());
            bytes += piece.size();
            return true;
        });
        const double formed = threadSeconds() - start;
        text += formed;
        timeLoop(c, samples, loop);
        state.SetIterationTime(formed);
    }
    const double cells =
        static_cast<double>(grid.rows()) * static_cast<double>(grid.columns.size());
    state.counters["ns_per_cell"] = text * 1e9 / (cells * static_cast<double>(state.iterations()));
    state.counters["text_x_loop"] = text / loop;
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_GridTextOfTheRun)->UseManualTime()->Unit(benchmark::kMillisecond);

// With replace 0 every run writes a file of its own, and the last one is removed outside the
// timed part; with replace 1 every run replaces the file of the one before, as a user running
// the same command again does. On ext4, replacing a file by renaming over it makes the kernel
// start writing the new file out, and drops the old one, whose write-back the run before
// started: when the runs follow each other within milliseconds, the rename waits for that.
void BM_CliRunAgainstLimitLoop(benchmark::State& state) {
    namespace fs = std::filesystem;
    const fs::path folder =
        fs::temp_directory_path() / ("quibel_limit_bench_" + std::to_string(::getpid()));
    fs::create_directories(folder);
    const std::string project = (folder / "startup-40s.qbl").string();
    const bool replace = state.range(0) != 0;
    int run = 0;
    const TBlocStatic model = startupCase();
    WriteToFile(model, project);
    const LimitCase c = makeCase(model);
    std::vector<double> samples(static_cast<std::size_t>(c.steps / c.ratio) * 11);
    double program = 0, loop = 0;
    for (auto _ : state) {
        const double before = program + loop;
        const fs::path csv = folder / ("startup-40s-" + std::to_string(replace ? 0 : run) + ".csv");
        if (!runTool({"run", project, "-o", csv.string()}, program))
            state.SkipWithError("quibel-cli run failed");
        if (!replace)
            fs::remove(csv);
        ++run;
        timeLoop(c, samples, loop);
        state.SetIterationTime(program + loop - before);
    }
    setRatioCounters(state, program, loop, c.steps);
    fs::remove_all(folder);
}
BENCHMARK(BM_CliRunAgainstLimitLoop)
    ->Arg(0)
    ->Arg(1)
    ->ArgName("replace")
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->ComputeStatistics("min", [](const std::vector<double>& v) {
        return *std::min_element(v.begin(), v.end());
    });

} // namespace
