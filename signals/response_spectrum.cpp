// SPDX-License-Identifier: GPL-3.0-or-later
#include "signals/response_spectrum.h"

#include "numeric/error.h"
#include "signals/oscillator_step.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>
#include <functional>
#include <string>
#include <system_error>
#include <thread>

namespace quibel {

namespace {

// Several damping ratios of one period share the input and the substep, so they are
// integrated side by side in vectors of W lanes: the lanes are independent, which lets the
// processor overlap their arithmetic instead of waiting on one oscillator's chain of dependent
// steps. Vector arithmetic is IEEE arithmetic lane by lane, and the file is built without
// contraction into fused multiply-adds, so every lane computes exactly what a scalar loop
// would, whatever the vector width.
constexpr int kMaxLanes = 8;

template <int W>
struct Lanes;
template <>
struct Lanes<2> {
    typedef double Vec __attribute__((vector_size(2 * sizeof(double))));
    typedef long long Bits __attribute__((vector_size(2 * sizeof(double))));
};
template <>
struct Lanes<4> {
    typedef double Vec __attribute__((vector_size(4 * sizeof(double))));
    typedef long long Bits __attribute__((vector_size(4 * sizeof(double))));
};

constexpr long long kMagnitudeBits = 0x7fffffffffffffffLL; // all but the sign bit

struct Oscillator {
    OscillatorStep step;
    double twoXiOmega; ///< 2 xi w, 1/s
    double omega2;     ///< w^2, 1/s²
};

// NV vectors of W lanes: oscillators osc[0 .. lanes - 1], lanes <= NV * W.
template <int W, int NV>
[[gnu::always_inline]] inline void
integrateLanes(const double* acc, int n, long substeps, const Oscillator* osc, int lanes,
               std::array<double, kMaxLanes>& xOut, std::array<double, kMaxLanes>& vOut,
               OscillatorPeaks* peaks) {
    using Vec = typename Lanes<W>::Vec;
    using Bits = typename Lanes<W>::Bits;
    Vec a11[NV], a12[NV], a21[NV], a22[NV], b11[NV], b12[NV], b21[NV], b22[NV], c[NV], w2[NV];
    Vec x[NV], v[NV], pd[NV], pv[NV], pa[NV];
    for (int g = 0; g < NV; ++g) {
        for (int k = 0; k < W; ++k) {
            // Unused lanes repeat the last oscillator; their results are dropped.
            const Oscillator& o = osc[std::min(g * W + k, lanes - 1)];
            a11[g][k] = o.step.A11;
            a12[g][k] = o.step.A12;
            a21[g][k] = o.step.A21;
            a22[g][k] = o.step.A22;
            b11[g][k] = o.step.B11;
            b12[g][k] = o.step.B12;
            b21[g][k] = o.step.B21;
            b22[g][k] = o.step.B22;
            c[g][k] = o.twoXiOmega;
            w2[g][k] = o.omega2;
        }
        x[g] = Vec{};
        v[g] = Vec{};
        pd[g] = Vec{};
        pv[g] = Vec{};
        pa[g] = Vec{};
    }
    const double s = static_cast<double>(substeps);
    double aPrev = acc[0];
    for (int k = 1; k <= n; ++k) {
        const double aNext = k < n ? acc[k] : 0.0;
        const double rise = (aNext - aPrev) / s;
        double a0 = aPrev;
        for (long j = 1; j <= substeps; ++j) {
            const double a1 = j == substeps ? aNext : aPrev + static_cast<double>(j) * rise;
            for (int g = 0; g < NV; ++g) {
                // The load terms do not depend on the state: computing them apart keeps the
                // chain from one substep to the next to a product and two sums.
                const Vec ux = b11[g] * a0 + b12[g] * a1;
                const Vec uv = b21[g] * a0 + b22[g] * a1;
                const Vec xn = (a11[g] * x[g] + a12[g] * v[g]) - ux;
                const Vec vn = (a21[g] * x[g] + a22[g] * v[g]) - uv;
                const Vec aa = c[g] * vn + w2[g] * xn; // minus the absolute acceleration
                // |y| by clearing the sign bit; a > b ? a : b is the processor's maximum.
                const Vec ax = reinterpret_cast<Vec>(reinterpret_cast<Bits>(xn) & kMagnitudeBits);
                const Vec av = reinterpret_cast<Vec>(reinterpret_cast<Bits>(vn) & kMagnitudeBits);
                const Vec aq = reinterpret_cast<Vec>(reinterpret_cast<Bits>(aa) & kMagnitudeBits);
                pd[g] = pd[g] > ax ? pd[g] : ax;
                pv[g] = pv[g] > av ? pv[g] : av;
                pa[g] = pa[g] > aq ? pa[g] : aq;
                x[g] = xn;
                v[g] = vn;
            }
            a0 = a1;
        }
        aPrev = aNext;
    }
    for (int l = 0; l < lanes; ++l) {
        const int g = l / W;
        const int k = l % W;
        xOut[static_cast<std::size_t>(l)] = x[g][k];
        vOut[static_cast<std::size_t>(l)] = v[g][k];
        peaks[l] = {pd[g][k], pv[g][k], pa[g][k]};
    }
}

using LaneKernel = void (*)(const double*, int, long, const Oscillator*, int,
                            std::array<double, kMaxLanes>&, std::array<double, kMaxLanes>&,
                            OscillatorPeaks*);

// Pairs of lanes: the vector every 64-bit processor has.
template <int NV>
void integratePairs(const double* acc, int n, long substeps, const Oscillator* osc, int lanes,
                    std::array<double, kMaxLanes>& x, std::array<double, kMaxLanes>& v,
                    OscillatorPeaks* peaks) {
    integrateLanes<2, NV>(acc, n, substeps, osc, lanes, x, v, peaks);
}
constexpr std::array<LaneKernel, 4> kPairKernels = {integratePairs<1>, integratePairs<2>,
                                                    integratePairs<3>, integratePairs<4>};

// Quadruples of lanes on processors with 256-bit vectors, chosen when the program runs
// (building with QUIBEL_QUAD_LANES=0 keeps to pairs, to compare the two).
#if !defined(QUIBEL_QUAD_LANES) && defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#define QUIBEL_QUAD_LANES 1
#endif
#if QUIBEL_QUAD_LANES
template <int NV>
__attribute__((target("avx2"))) void
integrateQuads(const double* acc, int n, long substeps, const Oscillator* osc, int lanes,
               std::array<double, kMaxLanes>& x, std::array<double, kMaxLanes>& v,
               OscillatorPeaks* peaks) {
    integrateLanes<4, NV>(acc, n, substeps, osc, lanes, x, v, peaks);
}
constexpr std::array<LaneKernel, 2> kQuadKernels = {integrateQuads<1>, integrateQuads<2>};
#endif

LaneKernel kernelFor(int lanes) {
#if QUIBEL_QUAD_LANES
    static const bool quads = __builtin_cpu_supports("avx2");
    if (quads)
        return kQuadKernels[static_cast<std::size_t>((lanes + 3) / 4 - 1)];
#endif
    return kPairKernels[static_cast<std::size_t>((lanes + 1) / 2 - 1)];
}

// Free vibration after the record (zero input), from state (x, v).
void freeVibration(const Oscillator& o, long substeps, double x, double v, OscillatorPeaks& p) {
    for (long j = 0; j < substeps; ++j) {
        const double xn = o.step.A11 * x + o.step.A12 * v;
        const double vn = o.step.A21 * x + o.step.A22 * v;
        const double aa = o.twoXiOmega * vn + o.omega2 * xn;
        p.Displacement = std::max(p.Displacement, std::fabs(xn));
        p.Velocity = std::max(p.Velocity, std::fabs(vn));
        p.Acceleration = std::max(p.Acceleration, std::fabs(aa));
        x = xn;
        v = vn;
    }
}

// Peaks of every damping ratio for one period.
void periodPeaks(const double* acc, int n, double dt, double period, const double* xis, int q,
                 OscillatorPeaks* peaks) {
    const double omega = SpectrumOmega(period);
    const long substeps = SubstepCount(dt, period);
    const double h = dt / static_cast<double>(substeps);
    for (int first = 0; first < q; first += kMaxLanes) {
        const int lanes = std::min(kMaxLanes, q - first);
        std::array<Oscillator, kMaxLanes> osc{};
        for (int l = 0; l < lanes; ++l) {
            const double xi = xis[first + l];
            osc[static_cast<std::size_t>(l)] = {NigamJenningsStep(h, omega, xi), 2.0 * xi * omega,
                                                omega * omega};
        }
        std::array<double, kMaxLanes> x{}, v{};
        kernelFor(lanes)(acc, n, substeps, osc.data(), lanes, x, v, peaks + first);
        for (int l = 0; l < lanes; ++l) {
            const long extra = FreeVibrationSteps(period, h, xis[first + l]);
            if (extra > 0)
                freeVibration(osc[static_cast<std::size_t>(l)], extra * substeps,
                              x[static_cast<std::size_t>(l)], v[static_cast<std::size_t>(l)],
                              peaks[first + l]);
        }
    }
}

double inputStep(const SignalSamples& input) {
    if (input.Values.size() < 2 || input.Times.size() < 2)
        throw Error("signals.spectrum_no_time_step");
    const double dt = input.Times.get(2) - input.Times.get(1);
    if (!(dt > 0.0) || !std::isfinite(dt))
        throw Error("signals.spectrum_no_time_step");
    return dt;
}

TVector toVector(const std::vector<double>& values) {
    TVector out(static_cast<int>(values.size()));
    std::copy(values.begin(), values.end(), out.data());
    return out;
}

} // namespace

double SpectrumGravity(UnitSystem units) noexcept {
    // g = 981 cm/s², divided by the centimetres in one length unit.
    constexpr std::array<double, 4> cmPerUnit = {0.1, 100.0, 2.54, 30.48};
    return 981.0 / cmPerUnit[static_cast<std::size_t>(unitIndex(units))];
}

OscillatorPeaks OscillatorResponsePeaks(const double* accelerations, int n, double dt,
                                        double period, double xi) {
    OscillatorPeaks peaks;
    periodPeaks(accelerations, n, dt, period, &xi, 1, &peaks);
    return peaks;
}

ResponseSpectra ComputeResponseSpectra(const SignalSamples& input,
                                       const std::vector<double>& periods,
                                       const std::vector<double>& dampings, UnitSystem units,
                                       unsigned threads, const std::atomic<bool>* cancel) {
    const double dt = inputStep(input);
    if (periods.empty())
        throw Error("signals.spectrum_no_periods");
    if (dampings.empty())
        throw Error("signals.spectrum_no_damping");
    for (double t : periods)
        if (!(t > 0.0) || !std::isfinite(t))
            throw Error("signals.spectrum_period_not_positive");
    for (double xi : dampings)
        if (!(xi >= 0.0 && xi < 1.0))
            throw Error("signals.spectrum_damping_range");

    const int m = static_cast<int>(periods.size());
    const int q = static_cast<int>(dampings.size());
    ResponseSpectra out{toVector(periods), toVector(dampings), TMatrix(m, q), TMatrix(m, q),
                        TMatrix(m, q)};
    const double g = SpectrumGravity(units);
    const double* acc = input.Values.data();
    const int n = input.Values.size();

    // Each period is independent and written to its own row, so the threads share nothing
    // but the counter; the short periods (many substeps) come first and balance the load.
    unsigned count = threads != 0 ? threads : std::max(1u, std::thread::hardware_concurrency());
    count = std::min(count, static_cast<unsigned>(m));
    // Buffers are made before any thread starts, so no allocation can fail inside one.
    std::vector<std::vector<OscillatorPeaks>> buffers(
        count, std::vector<OscillatorPeaks>(static_cast<std::size_t>(q)));

    // Each period is independent and written to its own row, so the threads share nothing
    // but the counter; the short periods (many substeps) come first and balance the load.
    std::atomic<int> next{0};
    auto work = [&](std::vector<OscillatorPeaks>& peaks) noexcept {
        for (int l = next++; l < m; l = next++) {
            if (cancel != nullptr && cancel->load(std::memory_order_relaxed))
                return;
            periodPeaks(acc, n, dt, periods[static_cast<std::size_t>(l)], dampings.data(), q,
                        peaks.data());
            for (int d = 0; d < q; ++d) {
                const OscillatorPeaks& p = peaks[static_cast<std::size_t>(d)];
                out.Sd.set(l + 1, d + 1, p.Displacement * g);
                out.Sv.set(l + 1, d + 1, p.Velocity * g);
                out.Sa.set(l + 1, d + 1, p.Acceleration * g);
            }
        }
    };
    std::vector<std::thread> helpers;
    for (unsigned i = 1; i < count; ++i) {
        try {
            helpers.emplace_back(work, std::ref(buffers[i]));
        } catch (const std::system_error&) {
            break; // fewer threads: the remaining periods are taken by those running
        }
    }
    work(buffers[0]);
    for (std::thread& t : helpers)
        t.join();
    return out;
}

} // namespace quibel
