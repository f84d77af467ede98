// SPDX-License-Identifier: GPL-3.0-or-later
#include "signals/records/record_processing.h"

#include "numeric/error.h"
#include "signals/decimal_format.h"
#include "signals/response_spectrum.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace quibel {

namespace {
[[noreturn]] void badOption(const char* option) {
    throw Error(Message("records.bad_processing", {option}));
}

// The poles of a normalised Butterworth filter of the order: the quadratic factors
// s² + q s + 1 (q = 2 sin θ), and a factor s + 1 when the order is odd (q = 0 marks it).
std::vector<double> poleFactors(int order) {
    std::vector<double> q;
    for (int k = 1; k <= order / 2; ++k)
        q.push_back(2.0 * std::sin((2 * k - 1) * std::numbers::pi / (2.0 * order)));
    if (order % 2 == 1)
        q.push_back(0.0);
    return q;
}

// The factor by the bilinear transform s = (1 - 1/z) / (K (1 + 1/z)), K = tan(pi fc dt).
Biquad section(double q, double k, bool highPass) {
    if (q == 0.0) {
        const double d = 1.0 + k;
        return highPass ? Biquad{1.0 / d, -1.0 / d, 0.0, (k - 1.0) / d, 0.0}
                        : Biquad{k / d, k / d, 0.0, (k - 1.0) / d, 0.0};
    }
    const double d = 1.0 + q * k + k * k;
    const double a1 = 2.0 * (k * k - 1.0) / d, a2 = (1.0 - q * k + k * k) / d;
    return highPass ? Biquad{1.0 / d, -2.0 / d, 1.0 / d, a1, a2}
                    : Biquad{k * k / d, 2.0 * k * k / d, k * k / d, a1, a2};
}

void runSection(const Biquad& s, std::vector<double>& x) {
    double z1 = 0.0, z2 = 0.0; // transposed direct form II
    for (double& v : x) {
        const double y = s.b0 * v + z1;
        z1 = s.b1 * v - s.a1 * y + z2;
        z2 = s.b2 * v - s.a2 * y;
        v = y;
    }
}

// Solves the small system m x = r in place (partial pivoting).
template <std::size_t N>
void solve(std::array<std::array<double, N>, N>& m, std::array<double, N>& r, std::size_t n) {
    for (std::size_t c = 0; c < n; ++c) {
        std::size_t p = c;
        for (std::size_t i = c + 1; i < n; ++i)
            if (std::abs(m[i][c]) > std::abs(m[p][c]))
                p = i;
        std::swap(m[c], m[p]);
        std::swap(r[c], r[p]);
        for (std::size_t i = c + 1; i < n; ++i) {
            const double f = m[i][c] / m[c][c];
            for (std::size_t j = c; j < n; ++j)
                m[i][j] -= f * m[c][j];
            r[i] -= f * r[c];
        }
    }
    for (std::size_t c = n; c-- > 0;) {
        for (std::size_t j = c + 1; j < n; ++j)
            r[c] -= m[c][j] * r[j];
        r[c] /= m[c][c];
    }
}

void taper(std::vector<double>& x, double length, double dt) {
    const auto m = static_cast<std::size_t>(std::lround(length / dt));
    if (!(length > 0.0) || 2 * m > x.size())
        badOption("--taper");
    for (std::size_t k = 0; k < m; ++k) {
        const double w =
            0.5 *
            (1.0 - std::cos(std::numbers::pi * static_cast<double>(k) / static_cast<double>(m)));
        x[k] *= w;
        x[x.size() - 1 - k] *= w;
    }
}

void trim(RecordComponent& c, double from, double to) {
    const double eps = 1e-9 * c.Dt;
    if (!(from >= 0.0 && to > from))
        badOption("--trim");
    const auto first = static_cast<std::size_t>(std::ceil(from / c.Dt - eps));
    const auto last =
        std::min(c.Values.size() - 1, static_cast<std::size_t>(std::floor(to / c.Dt + eps)));
    if (first >= last)
        badOption("--trim");
    c.Values = std::vector<double>(c.Values.begin() + static_cast<std::ptrdiff_t>(first),
                                   c.Values.begin() + static_cast<std::ptrdiff_t>(last) + 1);
}

void resample(RecordComponent& c, double step) {
    if (!(step >= 1e-6 && step <= 1.0))
        badOption("--resample");
    const double duration = static_cast<double>(c.Values.size() - 1) * c.Dt;
    const auto n = static_cast<std::size_t>(std::floor(duration / step + 1e-9)) + 1;
    if (n < 2 || n > 100 * c.Values.size())
        badOption("--resample");
    std::vector<double> out(n);
    for (std::size_t k = 0; k < n; ++k) {
        const double at = static_cast<double>(k) * step / c.Dt;
        const auto i = std::min(static_cast<std::size_t>(at), c.Values.size() - 2);
        const double f = at - static_cast<double>(i);
        out[k] = c.Values[i] + f * (c.Values[i + 1] - c.Values[i]);
    }
    c.Values = std::move(out);
    c.Dt = step;
}

void scale(std::vector<double>& x, double reached, double target, const char* option) {
    if (!(reached > 0.0) || !(target > 0.0) || !std::isfinite(target))
        badOption(option);
    for (double& v : x)
        v *= target / reached;
}
} // namespace

std::vector<Biquad> DesignBandPass(const BandPass& band, double dt) {
    const double nyquist = 0.5 / dt;
    if (band.Order < 1 || band.Order > 8 || !(band.LowHz > 0.0) || !(band.HighHz > band.LowHz) ||
        !(band.HighHz < nyquist))
        throw Error("records.bad_band");
    std::vector<Biquad> sections;
    const double kHigh = std::tan(std::numbers::pi * band.LowHz * dt);
    const double kLow = std::tan(std::numbers::pi * band.HighHz * dt);
    for (double q : poleFactors(band.Order))
        sections.push_back(section(q, kHigh, true));
    for (double q : poleFactors(band.Order))
        sections.push_back(section(q, kLow, false));
    return sections;
}

void FilterZeroPhase(const std::vector<Biquad>& sections, std::vector<double>& values) {
    for (const Biquad& s : sections)
        runSection(s, values);
    std::reverse(values.begin(), values.end());
    for (const Biquad& s : sections)
        runSection(s, values);
    std::reverse(values.begin(), values.end());
}

void RemoveTrend(std::vector<double>& values, int degree) {
    if (degree < 0 || degree > 3)
        badOption("--detrend");
    const std::size_t n = values.size();
    const std::size_t terms = std::min<std::size_t>(static_cast<std::size_t>(degree) + 1, n);
    // Powers of x in [-1, 1] keep the normal equations well conditioned.
    auto xOf = [n](std::size_t k) {
        return n > 1 ? 2.0 * static_cast<double>(k) / static_cast<double>(n - 1) - 1.0 : 0.0;
    };
    std::array<std::array<double, 4>, 4> m{};
    std::array<double, 4> r{};
    for (std::size_t k = 0; k < n; ++k) {
        std::array<double, 7> p{1.0};
        for (std::size_t j = 1; j < 7; ++j)
            p[j] = p[j - 1] * xOf(k);
        for (std::size_t i = 0; i < terms; ++i) {
            r[i] += p[i] * values[k];
            for (std::size_t j = 0; j < terms; ++j)
                m[i][j] += p[i + j];
        }
    }
    solve(m, r, terms);
    for (std::size_t k = 0; k < n; ++k) {
        double fit = 0.0;
        for (std::size_t i = terms; i-- > 0;)
            fit = fit * xOf(k) + r[i];
        values[k] -= fit;
    }
}

void ApplyProcessing(RecordComponent& c, const RecordProcessing& p) {
    if (p.DetrendDegree)
        RemoveTrend(c.Values, *p.DetrendDegree);
    if (p.TaperLength)
        taper(c.Values, *p.TaperLength, c.Dt);
    if (p.Filter) {
        try {
            FilterZeroPhase(DesignBandPass(*p.Filter, c.Dt), c.Values);
        } catch (const Error&) {
            badOption("--bandpass");
        }
    }
    if (p.Trim)
        trim(c, p.Trim->first, p.Trim->second);
    if (p.ResampleStep)
        resample(c, *p.ResampleStep);
    if (p.TargetPga) {
        double peak = 0.0;
        for (double v : c.Values)
            peak = std::max(peak, std::abs(v));
        scale(c.Values, peak, *p.TargetPga, "--scale-pga");
    }
    if (p.TargetSa) {
        const SpectralTarget& t = *p.TargetSa;
        if (!(t.Period > 0.0) || !(t.Damping >= 0.0 && t.Damping < 1.0))
            badOption("--scale-sa");
        const double sa =
            OscillatorResponsePeaks(c.Values.data(), static_cast<int>(c.Values.size()), c.Dt,
                                    t.Period, t.Damping)
                .Acceleration;
        scale(c.Values, sa, t.Sa, "--scale-sa");
    }
}

std::string ProcessingSummary(const RecordProcessing& p) {
    std::string s;
    auto add = [&s](const std::string& part) { s += (s.empty() ? "" : "; ") + part; };
    auto num = [](double v) { return FormatDecimals(v, 0, 6); };
    if (p.DetrendDegree)
        add("detrend " + std::to_string(*p.DetrendDegree));
    if (p.TaperLength)
        add("taper " + num(*p.TaperLength) + " s");
    if (p.Filter)
        add("band-pass " + std::to_string(p.Filter->Order) + " " + num(p.Filter->LowHz) + "-" +
            num(p.Filter->HighHz) + " Hz");
    if (p.Trim)
        add("trim " + num(p.Trim->first) + "-" + num(p.Trim->second) + " s");
    if (p.ResampleStep)
        add("dt " + num(*p.ResampleStep) + " s");
    if (p.TargetPga)
        add("PGA " + num(*p.TargetPga) + " g");
    if (p.TargetSa)
        add("Sa(" + num(p.TargetSa->Period) + " s, " + num(p.TargetSa->Damping) + ") " +
            num(p.TargetSa->Sa) + " g");
    return s;
}

} // namespace quibel
