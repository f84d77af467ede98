// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The limit the runs are measured against: the sliding run of the start-up dam under the
// 40-second synthetic record (400 001 steps of 0.0001 s) written out as one plain loop. The
// record read by index, the ground integrated over the step, the loads, friction and Newmark
// step of a sliding block, its stop within the step, the energy terms and a sample every 100
// steps. The other run benchmarks time it in their own process too, so that each gives its
// per-step cost as a multiple of this loop, a figure that does not depend on the machine.
#include "bench/synthetic_records.h"
#include "engine/loads/hydrostatic_loads.h"
#include "engine/loads/load_model.h"
#include "engine/run/si_model.h"
#include "engine/run/sliding_stop.h"
#include "engine/sliding/step.h"

#include <benchmark/benchmark.h>

#include <time.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <vector>

namespace quibel::bench {

// Processor time of this thread: the machine is shared, and time spent waiting for a core
// is no part of either run.
inline double threadSeconds() {
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

inline LimitCase makeCase(const TBlocStatic& model) {
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

inline double sign(double x) {
    return x > 0.0 ? 1.0 : (x < 0.0 ? -1.0 : 0.0);
}

// The hand-written run: returns the last displacement and fills the stored samples (u, v, a,
// SF and the seven energy terms, 11 values a sample).
inline double limitLoop(const LimitCase& c, std::vector<double>& samples) {
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

/// The start-up dam under the 40-second sliding record.
inline TBlocStatic limitCaseModel() {
    return startupUnderRecord(kSlidingRecord);
}

/// The loop's cost per step on this machine now, ns: the median of a few runs, as the
/// benchmarks it is set against give a mean over many.
inline double limitLoopNsPerStep(int runs = 9) {
    const LimitCase c = makeCase(limitCaseModel());
    std::vector<double> samples(static_cast<std::size_t>(c.steps / c.ratio) * 11);
    std::vector<double> seconds;
    for (int i = 0; i < runs; ++i) {
        const double start = threadSeconds();
        limitLoop(c, samples);
        seconds.push_back(threadSeconds() - start);
    }
    std::nth_element(seconds.begin(), seconds.begin() + runs / 2, seconds.end());
    return seconds[static_cast<std::size_t>(runs / 2)] * 1e9 / static_cast<double>(c.steps);
}

/// Adds the processor time per step of a benchmark's runs ("ns_per_step", from seconds over
/// steps), the loop's cost per step now ("limit_ns_per_step") and their ratio ("x_limit").
inline void setLimitCounters(benchmark::State& state, double seconds, double steps) {
    const double perStep = seconds * 1e9 / steps;
    const double limit = limitLoopNsPerStep();
    state.counters["ns_per_step"] = perStep;
    state.counters["limit_ns_per_step"] = limit;
    state.counters["x_limit"] = perStep / limit;
}

} // namespace quibel::bench
