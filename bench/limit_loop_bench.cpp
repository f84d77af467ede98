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
#include "bench/synthetic_records.h"
#include "engine/loads/hydrostatic_loads.h"
#include "engine/loads/load_model.h"
#include "engine/run/run_driver.h"
#include "engine/run/run_host.h"
#include "engine/run/sliding_stop.h"
#include "engine/sliding/step.h"
#include "model/project_file.h"

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

// Processor time of this thread: the machine is shared, and time spent waiting for a core
// is no part of either run.
double threadSeconds() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + 1e-9 * static_cast<double>(ts.tv_nsec);
}

// What the loop reads: the run's constants in SI, as the program forms them before its first
// step, and the record's samples.
struct LimitCase {
    SlidingSetup setup;
    double hs = 0.0;   // static thrust with no vertical ground acceleration, kN
    double step = 0.0; // the record's sample step, s
    double dt = 0.0;   // integration step, s
    std::int64_t steps = 0;
    std::int64_t ratio = 0;     // steps per stored sample
    std::vector<double> record; // g
};

LimitCase makeCase(const TBlocStatic& model) {
    const SiModel si = MakeSiModel(model);
    const LoadModel loads = MakeLoadModel(model, si);
    LimitCase c;
    c.setup = MakeSlidingSetup(model, loads, CollectAddedLoads(model));
    c.hs = StaticHydrostaticThrust(loads, 0.0).force;
    const TimeHistoryRecord& h = model.history(HistoryKind::HorizontalAcceleration);
    c.step = h.Times->get(2) - h.Times->get(1);
    c.dt = model.Options.TimeStep;
    c.steps = std::llround(h.Duration / c.dt);
    c.ratio = std::llround(model.Options.SaveStep / c.dt);
    c.record.assign(h.Values->data(), h.Values->data() + h.Values->size());
    return c;
}

double sign(double x) {
    return x > 0.0 ? 1.0 : (x < 0.0 ? -1.0 : 0.0);
}

// The hand-written run: returns the last displacement and fills the stored samples (u, v, a,
// SF and the seven energy terms, 11 values a sample).
double limitLoop(const LimitCase& c, std::vector<double>& samples) {
    const SlidingSetup& k = c.setup;
    const LoadModel& loads = k.loads;
    const double sb = loads.sinBeta, cb = loads.cosBeta, g = loads.si.g, U = loads.si.U;
    const double massV = k.blockMass, massH = k.blockMass + k.waterMass;
    const double horizontal = 0.0 + k.sumFx + c.hs, vertical = 0.0 + k.sumFy;
    const double loadX = horizontal - U * sb, loadY = vertical + U * cb;
    const double dt = c.dt;
    const double* rec = c.record.data();
    const long n = static_cast<long>(c.record.size());
    double ag = 0, agPrev = 0, vg = 0, vgPrev = 0, dg = 0, dgPrev = 0;
    double d = 0, v = 0, a = 0, E0 = 0, E1 = 0, E2 = 0, E3 = 0, E4 = 0, E5 = 0, E7 = 0, SF = 0;
    bool stuck = true;
    std::size_t out = 0;
    for (std::int64_t s = 1; s <= c.steps; ++s) {
        const double t = static_cast<double>(s) * dt;
        const double x = t / c.step;
        const long i = static_cast<long>(x);
        const double f = x - static_cast<double>(i);
        const double lo = i + 1 <= n ? rec[i] : 0.0;
        const double hi = i + 2 <= n ? rec[i + 1] : 0.0;
        const double raw = lo + (hi - lo) * f;
        agPrev = ag;
        ag = (raw == 0.0 ? 0.0 : raw * 1.0 + 0.0) * g;
        vgPrev = vg;
        vg = vgPrev + agPrev * dt + (ag - agPrev) * dt / 2.0;
        dgPrev = dg;
        dg = dgPrev + vgPrev * dt + dt * dt * agPrev / 2.0 + dt * dt * (ag - agPrev) / 6.0;

        const double N =
            U - massV * (g + 0.0) * cb + massH * ag * sb - horizontal * sb + vertical * cb;
        const double P =
            -massV * (g + 0.0) * sb - massH * ag * cb + horizontal * cb + vertical * sb;
        double Rs = 0.0, Rd = 0.0;
        if (N < 0.0) {
            Rs = k.tanPhiS * N;
            Rd = k.tanPhiD * N;
            if (P < 0.0) {
                Rs = std::fabs(Rs);
                Rd = std::fabs(Rd);
            }
        }
        const double dPrev = d, vPrev = v, aPrev = a;
        bool moves = true;
        if (stuck) {
            SF = P == 0.0 ? 5.0 : std::min(std::fabs(Rs / P), 5.0);
            moves = std::fabs(P) > std::fabs(Rs);
            stuck = !moves;
        } else {
            Rd = vPrev != 0.0 ? -std::fabs(Rd) * sign(vPrev) : -std::fabs(Rd) * sign(P);
            SF = P == 0.0 ? 5.0 : std::min(std::fabs(Rd / P), 5.0);
        }
        a = 0.0;
        v = 0.0;
        if (moves) {
            a = (P + Rd) / k.effectiveMass;
            v = vPrev + (aPrev + a) * dt / 2.0;
            d = dPrev + vPrev * dt + dt * dt * aPrev / 3.0 + dt * dt * a / 6.0;
        }
        if (vPrev != 0.0 && std::fabs(P) <= std::fabs(Rd) && v / vPrev <= 0.0) {
            const double tau = VelocityRootTime(vPrev, aPrev, (a - aPrev) / (2.0 * dt), dt);
            a = aPrev + (a - aPrev) * tau / dt;
            v = 0.0;
            d = dPrev + vPrev * tau + tau * tau * aPrev / 2.0 +
                tau * tau * tau * (a - aPrev) / (6.0 * dt);
            stuck = true;
        }
        const double meanAg = (ag + agPrev) / 2.0;
        const double absAccX = (a + aPrev) / 2.0 * cb + meanAg;
        const double dd = d - dPrev;
        E0 += (dg - dgPrev) * massH * absAccX + 0.0;
        E1 -= meanAg * massH * (dd * cb) + 0.0;
        const double vaX = v * cb + vg, vaY = v * sb;
        E2 = 0.5 * (massH * vaX * vaX + massV * vaY * vaY);
        E3 = 0.5 * (massH * (v * cb) * (v * cb) + massV * vaY * vaY);
        E4 -= dd * Rd;
        E5 += loadX * (dd * cb) + loadY * (dd * sb);
        E7 = massV * g * d * sb;
        if (s % c.ratio == 0) {
            const std::array<double, 11> row{d, v, a, SF, E0, E1, E2, E3, E4, E5, E7};
            std::copy(row.begin(), row.end(), samples.begin() + static_cast<std::ptrdiff_t>(out));
            out += row.size();
        }
    }
    return d;
}

TBlocStatic startupCase() {
    return quibel::bench::startupUnderRecord(quibel::bench::kSlidingRecord);
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

void BM_SlidingRunAgainstLimitLoop(benchmark::State& state) {
    TBlocStatic model = startupCase();
    const LimitCase c = makeCase(model);
    std::vector<double> samples(static_cast<std::size_t>(c.steps / c.ratio) * 11);
    SilentRunHost host;
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

void BM_CliRunAgainstLimitLoop(benchmark::State& state) {
    namespace fs = std::filesystem;
    const fs::path folder =
        fs::temp_directory_path() / ("quibel_limit_bench_" + std::to_string(::getpid()));
    fs::create_directories(folder);
    const std::string project = (folder / "startup-40s.qbl").string();
    const std::string csv = (folder / "startup-40s.csv").string();
    const TBlocStatic model = startupCase();
    WriteToFile(model, project);
    const LimitCase c = makeCase(model);
    std::vector<double> samples(static_cast<std::size_t>(c.steps / c.ratio) * 11);
    double program = 0, loop = 0;
    for (auto _ : state) {
        const double before = program + loop;
        if (!runTool({"run", project, "-o", csv}, program))
            state.SkipWithError("quibel-cli run failed");
        timeLoop(c, samples, loop);
        state.SetIterationTime(program + loop - before);
    }
    setRatioCounters(state, program, loop, c.steps);
    fs::remove_all(folder);
}
BENCHMARK(BM_CliRunAgainstLimitLoop)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->ComputeStatistics("min", [](const std::vector<double>& v) {
        return *std::min_element(v.begin(), v.end());
    });

} // namespace
