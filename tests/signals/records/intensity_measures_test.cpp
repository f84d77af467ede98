// SPDX-License-Identifier: GPL-3.0-or-later
// Intensity measures against closed forms, and against a second implementation written here
// for two recorded motions of the program's earthquake database.
#include "signals/earthquake_database.h"
#include "signals/records/intensity_measures.h"
#include "signals/records/record_data.h"
#include "signals/xls_workbook.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <numbers>

using namespace quibel;

namespace {
constexpr double g = kStandardGravity;
constexpr double pi = std::numbers::pi;

std::vector<double> sine(double amplitude, double period, int cycles, double dt) {
    const auto n = static_cast<std::size_t>(std::lround(cycles * period / dt)) + 1;
    std::vector<double> a(n);
    for (std::size_t k = 0; k < n; ++k)
        a[k] = amplitude * std::sin(2.0 * pi * static_cast<double>(k) * dt / period);
    return a;
}
} // namespace

TEST(IntensityMeasuresTest, SineOfWholeCyclesHasTheClosedFormAriasCavAndDuration) {
    const double A = 0.3, T = 0.5, dt = 0.001;
    const int n = 20;
    const IntensityMeasures m = ComputeIntensityMeasures(sine(A, T, n, dt), dt);
    const double Ag = A * g;
    EXPECT_NEAR(m.Arias, pi / (2.0 * g) * Ag * Ag * n * T / 2.0, 1e-9);
    EXPECT_NEAR(m.Cav, 2.0 * Ag * n * T / pi, 1e-4 * m.Cav);
    EXPECT_NEAR(m.D5_95, 0.9 * n * T, T);
    EXPECT_NEAR(m.D5_75, 0.7 * n * T, T);
    EXPECT_NEAR(m.Pga, A, 1e-9);
    EXPECT_NEAR(m.Tm, T, 1e-3 * T); // its energy at 1 / T, but for the leakage of one sample
    EXPECT_NEAR(m.Tp, T, 0.03 * T);
}

TEST(IntensityMeasuresTest, ConstantAccelerationIntegratesToExactVelocityAndDisplacement) {
    const double a = 0.2, dt = 0.01;
    const std::vector<double> acc(501, a);
    const IntensityMeasures m = ComputeIntensityMeasures(acc, dt);
    const double t = 5.0;
    EXPECT_NEAR(m.Pgv, a * g * t, 1e-12);
    EXPECT_NEAR(m.Pgd, a * g * t * t / 2.0, 1e-11);
    EXPECT_DOUBLE_EQ(m.TPgv, t);
    EXPECT_DOUBLE_EQ(m.TPgd, t);
    EXPECT_DOUBLE_EQ(m.TPga, 0.0);
}

namespace {
// The second implementation: Simpson's rule for the integrals, a rectangle-rule Husid curve,
// a direct Fourier sum and a Newmark (average acceleration) oscillator.
struct Independent {
    double arias, cav, d595, d575, pgv, tm, tp;
};

double simpson(const std::vector<double>& y, double dt) {
    double s = 0.0;
    const std::size_t n = y.size() - (y.size() % 2 == 0 ? 1 : 0); // an odd count of points
    for (std::size_t k = 1; k + 1 < n; k += 2)
        s += y[k - 1] + 4.0 * y[k] + y[k + 1];
    s *= dt / 3.0;
    if (n < y.size())
        s += 0.5 * dt * (y[n - 1] + y[n]);
    return s;
}

double newmarkPsa(const std::vector<double>& a, double dt, double period) {
    const double w = 2.0 * pi / period, c = 2.0 * 0.05 * w, k = w * w;
    double u = 0.0, v = 0.0, acc = -a[0], peak = 0.0;
    const double kHat = k + 2.0 * c / dt + 4.0 / (dt * dt);
    for (std::size_t i = 1; i < a.size() + 400; ++i) {
        const double p = i < a.size() ? -a[i] : 0.0;
        const double rhs =
            p + (4.0 / (dt * dt)) * u + (4.0 / dt) * v + acc + c * (2.0 / dt * u + v);
        const double un = rhs / kHat;
        const double vn = 2.0 / dt * (un - u) - v;
        acc = 4.0 / (dt * dt) * (un - u) - 4.0 / dt * v - acc;
        u = un;
        v = vn;
        peak = std::max(peak, std::abs(u));
    }
    return w * w * peak;
}

Independent independent(const std::vector<double>& a, double dt) {
    Independent r{};
    std::vector<double> a2(a.size()), abs(a.size());
    for (std::size_t k = 0; k < a.size(); ++k) {
        a2[k] = a[k] * a[k] * g * g;
        abs[k] = std::abs(a[k]) * g;
    }
    r.arias = pi / (2.0 * g) * simpson(a2, dt);
    r.cav = simpson(abs, dt);
    std::vector<double> husid(a.size() + 1, 0.0);
    for (std::size_t k = 0; k < a.size(); ++k)
        husid[k + 1] = husid[k] + a2[k] * dt;
    auto at = [&](double level) {
        std::size_t k = 0;
        while (husid[k] < level * husid.back())
            ++k;
        return static_cast<double>(k) * dt;
    };
    r.d595 = at(0.95) - at(0.05);
    r.d575 = at(0.75) - at(0.05);
    double v = 0.0;
    for (std::size_t k = 1; k < a.size(); ++k) {
        v += 0.5 * dt * g * (a[k] + a[k - 1]);
        r.pgv = std::max(r.pgv, std::abs(v));
    }
    const std::size_t n = a.size();
    double num = 0.0, den = 0.0;
    for (std::size_t j = 1; j <= n / 2; ++j) {
        const double f = static_cast<double>(j) / (static_cast<double>(n) * dt);
        if (f < 0.25 || f > 20.0)
            continue;
        std::complex<double> x = 0.0;
        const std::complex<double> step = std::polar(1.0, -2.0 * pi * static_cast<double>(j) / n);
        std::complex<double> w = 1.0;
        for (std::size_t k = 0; k < n; ++k, w *= step)
            x += a[k] * w;
        num += std::norm(x) / f;
        den += std::norm(x);
    }
    r.tm = num / den;
    double best = 0.0;
    for (double t : PredominantPeriodGrid()) {
        const double psa = newmarkPsa(a, dt, t);
        if (psa > best) {
            best = psa;
            r.tp = t;
        }
    }
    return r;
}

std::vector<double> databaseRecord(const std::string& titlePart) {
    const auto book =
        XlsWorkbook::open(std::string(QUIBEL_SOURCE_DIR) + "/data/" +
                          std::string(*DatabaseFileName(HistoryKind::HorizontalAcceleration)));
    for (const DatabaseNode& node : ReadDatabaseCatalogue(*book, Language::English).Nodes)
        if (node.isRecord() && node.Text.find(titlePart) != std::string::npos) {
            const SignalSamples s = ReadDatabaseRecord(*book, node.Sheet, node.Record);
            return {s.Values.data(), s.Values.data() + s.size()};
        }
    ADD_FAILURE() << titlePart;
    return {0.0, 0.0};
}
} // namespace

TEST(IntensityMeasuresTest, RecordedMotionsAgreeWithASecondImplementation) {
    for (const char* title : {"(ELC), 180", "abutment, 164"}) {
        SCOPED_TRACE(title);
        const std::vector<double> a = databaseRecord(title);
        const double dt = 0.01; // both records of the database
        const IntensityMeasures m = ComputeIntensityMeasures(a, dt);
        const Independent r = independent(a, dt);
        EXPECT_NEAR(m.Arias, r.arias, 0.02 * r.arias);
        EXPECT_NEAR(m.Cav, r.cav, 0.02 * r.cav);
        EXPECT_NEAR(m.D5_95, r.d595, 0.02 * r.d595);
        EXPECT_NEAR(m.D5_75, r.d575, 0.02 * r.d575);
        EXPECT_NEAR(m.Pgv, r.pgv, 0.02 * r.pgv);
        EXPECT_NEAR(m.Tm, r.tm, 0.02 * r.tm);
        EXPECT_NEAR(m.Tp, r.tp, 0.02 * r.tp);
    }
}
