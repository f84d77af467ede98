// SPDX-License-Identifier: GPL-3.0-or-later
#include "signals/records/intensity_measures.h"

#include "signals/oscillator_step.h"
#include "signals/records/record_data.h"

#include <fftw3.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <complex>
#include <memory>
#include <mutex>
#include <numbers>

namespace quibel {

namespace {
// The transform library's planner keeps state of its own that one thread at a time may touch.
std::mutex& plannerMutex() {
    static std::mutex m;
    return m;
}

struct Peak {
    double value = 0.0;
    double time = 0.0;
};

Peak peakOf(const std::vector<double>& v, double dt) {
    Peak p;
    for (std::size_t k = 0; k < v.size(); ++k)
        if (std::abs(v[k]) > p.value)
            p = {std::abs(v[k]), static_cast<double>(k) * dt};
    return p;
}

// The time at which the rising curve first reaches level, linear between samples.
double crossing(const std::vector<double>& curve, double level, double dt) {
    for (std::size_t k = 1; k < curve.size(); ++k)
        if (curve[k] >= level) {
            const double rise = curve[k] - curve[k - 1];
            const double part = rise > 0.0 ? (level - curve[k - 1]) / rise : 0.0;
            return (static_cast<double>(k - 1) + part) * dt;
        }
    return static_cast<double>(curve.size() - 1) * dt;
}

double meanPeriod(const std::vector<double>& amplitudes, double n, double dt) {
    double weighted = 0.0, total = 0.0;
    for (std::size_t k = 1; k < amplitudes.size(); ++k) {
        const double f = static_cast<double>(k) / (n * dt);
        if (f < 0.25 || f > 20.0)
            continue;
        const double c2 = amplitudes[k] * amplitudes[k];
        weighted += c2 / f;
        total += c2;
    }
    return total > 0.0 ? weighted / total : 0.0;
}

// Peak relative displacement of oscillators of several periods at once (5 % damping), one
// exact step per sample: the spectrum is read for its peak's period, not its values between
// samples, so no substeps. Forty periods a block give the processor forty independent chains
// of steps to overlap.
// Built for 256-bit vectors too, chosen when the program runs; without fused multiply-adds
// both give the same numbers.
constexpr std::size_t kBlock = 40;

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
__attribute__((target_clones("avx2", "default")))
#endif
void blockPeaks(const std::vector<double>& a, double dt, const double* periods,
                std::array<double, kBlock>& peak) {
    // One array per coefficient, so that the loop over the block runs in vector lanes.
    std::array<double, kBlock> a11, a12, a21, a22, b11, b12, b21, b22, x{}, v{};
    for (std::size_t p = 0; p < kBlock; ++p) {
        const OscillatorStep s = NigamJenningsStep(dt, SpectrumOmega(periods[p]), 0.05);
        a11[p] = s.A11, a12[p] = s.A12, a21[p] = s.A21, a22[p] = s.A22;
        b11[p] = s.B11, b12[p] = s.B12, b21[p] = s.B21, b22[p] = s.B22;
    }
    peak.fill(0.0);
    for (std::size_t k = 1; k < a.size(); ++k) {
        const double a0 = a[k - 1], a1 = a[k];
        for (std::size_t p = 0; p < kBlock; ++p) {
            const double xn = a11[p] * x[p] + a12[p] * v[p] - b11[p] * a0 - b12[p] * a1;
            const double vn = a21[p] * x[p] + a22[p] * v[p] - b21[p] * a0 - b22[p] * a1;
            x[p] = xn;
            v[p] = vn;
            const double ax = xn < 0.0 ? -xn : xn;
            peak[p] = peak[p] > ax ? peak[p] : ax;
        }
    }
}

double predominantPeriod(const std::vector<double>& a, double dt) {
    const std::vector<double> periods = PredominantPeriodGrid();
    double best = 0.0, period = 0.0;
    for (std::size_t first = 0; first < periods.size(); first += kBlock) {
        std::array<double, kBlock> block{}, peak{};
        for (std::size_t p = 0; p < kBlock; ++p)
            block[p] = periods[std::min(first + p, periods.size() - 1)];
        blockPeaks(a, dt, block.data(), peak);
        for (std::size_t p = 0; p < kBlock && first + p < periods.size(); ++p) {
            const double omega = SpectrumOmega(block[p]);
            if (omega * omega * peak[p] > best) {
                best = omega * omega * peak[p];
                period = block[p];
            }
        }
    }
    return period;
}
} // namespace

void IntegrateFromRest(const std::vector<double>& a, double dt, std::vector<double>& v,
                       std::vector<double>& d) {
    v.assign(a.size(), 0.0);
    d.assign(a.size(), 0.0);
    const double half = 0.5 * dt * kStandardGravity;
    for (std::size_t k = 1; k < a.size(); ++k) {
        v[k] = v[k - 1] + half * (a[k - 1] + a[k]);
        d[k] = d[k - 1] + 0.5 * dt * (v[k - 1] + v[k]);
    }
}

std::vector<double> HusidCurve(const std::vector<double>& a, double dt) {
    std::vector<double> h(a.size(), 0.0);
    const double g2 = kStandardGravity * kStandardGravity;
    for (std::size_t k = 1; k < a.size(); ++k)
        h[k] = h[k - 1] + 0.5 * dt * g2 * (a[k - 1] * a[k - 1] + a[k] * a[k]);
    return h;
}

std::vector<double> FourierAmplitudes(const std::vector<double>& a, double dt) {
    const int n = static_cast<int>(a.size());
    std::vector<double> in(a);
    std::vector<std::complex<double>> out(static_cast<std::size_t>(n / 2 + 1));
    fftw_plan plan;
    {
        const std::lock_guard lock(plannerMutex());
        plan = fftw_plan_dft_r2c_1d(n, in.data(), reinterpret_cast<fftw_complex*>(out.data()),
                                    FFTW_ESTIMATE);
    }
    fftw_execute(plan);
    {
        const std::lock_guard lock(plannerMutex());
        fftw_destroy_plan(plan);
    }
    std::vector<double> amplitudes(out.size());
    for (std::size_t k = 0; k < out.size(); ++k)
        amplitudes[k] = std::abs(out[k]) * dt;
    return amplitudes;
}

std::vector<double> PredominantPeriodGrid() {
    constexpr int kCount = 200;
    std::vector<double> periods(kCount);
    for (int i = 0; i < kCount; ++i)
        periods[static_cast<std::size_t>(i)] = 0.01 * std::pow(500.0, i / (kCount - 1.0));
    return periods;
}

IntensityMeasures ComputeIntensityMeasures(const std::vector<double>& a, double dt) {
    IntensityMeasures m;
    const Peak pga = peakOf(a, dt);
    m.Pga = pga.value;
    m.TPga = pga.time;
    std::vector<double> v, d;
    IntegrateFromRest(a, dt, v, d);
    const Peak pgv = peakOf(v, dt), pgd = peakOf(d, dt);
    m.Pgv = pgv.value;
    m.TPgv = pgv.time;
    m.Pgd = pgd.value;
    m.TPgd = pgd.time;
    const std::vector<double> husid = HusidCurve(a, dt);
    const double total = husid.back();
    m.Arias = std::numbers::pi / (2.0 * kStandardGravity) * total;
    if (total > 0.0) {
        const double t5 = crossing(husid, 0.05 * total, dt);
        m.D5_95 = crossing(husid, 0.95 * total, dt) - t5;
        m.D5_75 = crossing(husid, 0.75 * total, dt) - t5;
    }
    for (std::size_t k = 1; k < a.size(); ++k)
        m.Cav += 0.5 * dt * kStandardGravity * (std::abs(a[k - 1]) + std::abs(a[k]));
    m.Tm = meanPeriod(FourierAmplitudes(a, dt), static_cast<double>(a.size()), dt);
    m.Tp = predominantPeriod(a, dt);
    return m;
}

} // namespace quibel
