// SPDX-License-Identifier: GPL-3.0-or-later
#include "signals/oscillator_step.h"
#include "signals/response_spectrum.h"

#include "numeric/error.h"
#include "signal_test_helpers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <functional>
#include <numbers>
#include <vector>

using namespace quibel;

namespace {

// Closed-form response of x'' + 2 xi w x' + w^2 x = -a(t) from rest, for a piecewise linear
// a(t) written as a step a(0) at t = 0 plus ramps whose slopes change at the breakpoints.
struct ClosedForm {
    double w, xi, wd;
    double a0;                                    ///< the step at t = 0, g
    std::vector<std::pair<double, double>> kinks; ///< (time, change of slope)

    ClosedForm(double omega, double damping, double step)
        : w(omega), xi(damping), wd(omega * std::sqrt(1.0 - damping * damping)), a0(step) {}

    // State (x, v) at t of the response to a(t) = A for t >= 0.
    std::pair<double, double> stepResponse(double A, double t) const {
        const double e = std::exp(-xi * w * t);
        const double x =
            -(A / (w * w)) * (1.0 - e * (std::cos(wd * t) + xi * w / wd * std::sin(wd * t)));
        const double v = -(A / wd) * e * std::sin(wd * t);
        return {x, v};
    }
    // State at t of the response to a(t) = r t for t >= 0.
    std::pair<double, double> rampResponse(double r, double t) const {
        const double c1 = -2.0 * xi * r / (w * w * w);
        const double c2 = (r / (w * w) + xi * w * c1) / wd;
        const double e = std::exp(-xi * w * t);
        const double c = std::cos(wd * t), s = std::sin(wd * t);
        const double x = -(r / (w * w)) * (t - 2.0 * xi / w) + e * (c1 * c + c2 * s);
        const double v =
            -r / (w * w) + e * ((-xi * w * c1 + wd * c2) * c + (-xi * w * c2 - wd * c1) * s);
        return {x, v};
    }
    std::pair<double, double> state(double t) const {
        auto [x, v] = stepResponse(a0, t);
        for (const auto& [tk, dr] : kinks) {
            if (t > tk) {
                const auto [xr, vr] = rampResponse(dr, t - tk);
                x += xr;
                v += vr;
            }
        }
        return {x, v};
    }
};

// The peaks the closed form gives at the substep ends of the integration (g s², g s, g).
OscillatorPeaks closedFormPeaks(const ClosedForm& cf, double h, long points) {
    OscillatorPeaks p;
    for (long j = 1; j <= points; ++j) {
        const auto [x, v] = cf.state(static_cast<double>(j) * h);
        p.Displacement = std::max(p.Displacement, std::fabs(x));
        p.Velocity = std::max(p.Velocity, std::fabs(v));
        p.Acceleration =
            std::max(p.Acceleration, std::fabs(2.0 * cf.xi * cf.w * v + cf.w * cf.w * x));
    }
    return p;
}

// Closed form of a record of samples at (k - 1) dt: linear in between, then to 0 over the
// step after the last sample.
ClosedForm recordClosedForm(const std::vector<double>& a, double dt, double w, double xi) {
    ClosedForm cf(w, xi, a[0]);
    double slope = 0.0;
    for (std::size_t k = 0; k < a.size(); ++k) {
        const double next = k + 1 < a.size() ? a[k + 1] : 0.0;
        const double s = (next - a[k]) / dt;
        cf.kinks.emplace_back(static_cast<double>(k) * dt, s - slope);
        slope = s;
    }
    cf.kinks.emplace_back(static_cast<double>(a.size()) * dt, -slope);
    return cf;
}

void expectRelative(double actual, double expected, double tolerance) {
    EXPECT_NEAR(actual, expected, tolerance * std::fabs(expected));
}

std::string errorKey(const std::function<void()>& f) {
    try {
        f();
    } catch (const Error& e) {
        return e.message().key;
    }
    return "";
}

SignalSamples samplesOf(const std::vector<double>& a, double dt) {
    std::vector<double> t;
    for (std::size_t k = 0; k < a.size(); ++k)
        t.push_back(static_cast<double>(k) * dt);
    return {test::vectorOf(t), test::vectorOf(a)};
}

} // namespace

TEST(ResponseSpectrumTest, PiecewiseLinearInputIsIntegratedExactly) {
    // A ramp record, then the fall to zero over the step after it, then free vibration:
    // the recurrence is exact for linear input, so it matches the closed form to round-off.
    const double dt = 0.01;
    std::vector<double> ramp;
    for (int k = 0; k < 200; ++k)
        ramp.push_back(0.002 * k);
    struct Case {
        double period, xi;
    } cases[] = {{0.5, 0.02}, {0.1, 0.05}, {0.003, 0.05}, {2.0, 0.0005}, {0.02, 0.0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "T = " << c.period << ", xi = " << c.xi);
        const double w = SpectrumOmega(c.period);
        const long s = SubstepCount(dt, c.period);
        const double h = dt / static_cast<double>(s);
        const long steps = static_cast<long>(ramp.size()) + FreeVibrationSteps(c.period, h, c.xi);
        const OscillatorPeaks expected =
            closedFormPeaks(recordClosedForm(ramp, dt, w, c.xi), h, steps * s);
        const OscillatorPeaks actual =
            OscillatorResponsePeaks(ramp.data(), static_cast<int>(ramp.size()), dt, c.period, c.xi);
        expectRelative(actual.Displacement, expected.Displacement, 1e-9);
        expectRelative(actual.Velocity, expected.Velocity, 1e-9);
        expectRelative(actual.Acceleration, expected.Acceleration, 1e-9);
    }
}

TEST(ResponseSpectrumTest, LightlyDampedOscillatorIsFollowedIntoFreeVibration) {
    // A 0.05 s pulse barely moves a 2 s oscillator; its peak comes after the record, which
    // only the free-vibration tail of xi < 0.001 reaches.
    const std::vector<double> pulse = {1.0, 1.0, 1.0, 1.0, 1.0};
    const double dt = 0.01, T = 2.0;
    const OscillatorPeaks withTail = OscillatorResponsePeaks(pulse.data(), 5, dt, T, 0.0005);
    const OscillatorPeaks without = OscillatorResponsePeaks(pulse.data(), 5, dt, T, 0.001);
    const double w = SpectrumOmega(T);
    const OscillatorPeaks expected =
        closedFormPeaks(recordClosedForm(pulse, dt, w, 0.0005), dt, 5 + 400);
    expectRelative(withTail.Displacement, expected.Displacement, 1e-9);
    EXPECT_GT(withTail.Displacement, 10.0 * without.Displacement);
}

TEST(ResponseSpectrumTest, LongHarmonicInputAtResonanceReachesTheSteadyAmplification) {
    // a = a0 sin(w t) at the natural frequency: steady amplitude a0 / (2 xi w^2), velocity
    // w times it, absolute acceleration a0 sqrt(1 + 4 xi^2) / (2 xi).
    const double T = 1.0, xi = 0.05, a0 = 0.2, dt = 0.005;
    const double w = 2.0 * std::numbers::pi / T;
    std::vector<double> a;
    for (int k = 0; k < 12000; ++k) // 60 s: the transient has decayed by exp(-19)
        a.push_back(a0 * std::sin(w * k * dt));
    const ResponseSpectra r =
        ComputeResponseSpectra(samplesOf(a, dt), {T}, {xi}, UnitSystem::MKnTon, 1);
    const double g = 9.81;
    const double x = a0 / (2.0 * xi * w * w);
    expectRelative(r.Sd.get(1, 1), x * g, 2e-3);
    expectRelative(r.Sv.get(1, 1), w * x * g, 2e-3);
    expectRelative(r.Sa.get(1, 1), a0 * std::sqrt(1.0 + 4.0 * xi * xi) / (2.0 * xi) * g, 2e-3);
}

TEST(ResponseSpectrumTest, StiffOscillatorFollowsTheGround) {
    // T << input period: the mass moves with the base, Sa = peak ground acceleration and
    // Sd = PGA / w^2.
    const double dt = 0.01, pga = 0.3;
    std::vector<double> a;
    for (int k = 0; k < 400; ++k)
        a.push_back(pga * std::sin(2.0 * std::numbers::pi * 0.5 * k * dt));
    const double T = 0.01;
    const ResponseSpectra r =
        ComputeResponseSpectra(samplesOf(a, dt), {T}, {0.05}, UnitSystem::MKnTon, 1);
    const double w = SpectrumOmega(T);
    expectRelative(r.Sa.get(1, 1), pga * 9.81, 2e-3);
    expectRelative(r.Sd.get(1, 1), pga / (w * w) * 9.81, 2e-3);
}

TEST(ResponseSpectrumTest, GravityFactorConvertsToTheLengthUnit) {
    EXPECT_DOUBLE_EQ(SpectrumGravity(UnitSystem::MmNKg), 9810.0);
    EXPECT_DOUBLE_EQ(SpectrumGravity(UnitSystem::MKnTon), 9.81);
    EXPECT_DOUBLE_EQ(SpectrumGravity(UnitSystem::InLbLb), 981.0 / 2.54);
    EXPECT_DOUBLE_EQ(SpectrumGravity(UnitSystem::FtKipKip), 981.0 / 30.48);

    const std::vector<double> a = {0.0, 0.1, -0.2, 0.15, 0.05};
    const auto m = ComputeResponseSpectra(samplesOf(a, 0.01), {0.2}, {0.05}, UnitSystem::MKnTon, 1);
    const auto ft =
        ComputeResponseSpectra(samplesOf(a, 0.01), {0.2}, {0.05}, UnitSystem::FtKipKip, 1);
    expectRelative(ft.Sd.get(1, 1), m.Sd.get(1, 1) / 0.3048, 1e-12);
    expectRelative(ft.Sa.get(1, 1), m.Sa.get(1, 1) / 0.3048, 1e-12);
}

TEST(ResponseSpectrumTest, RatiosComputedTogetherMatchEachAloneAndThreadsChangeNothing) {
    std::vector<double> a;
    for (int k = 0; k < 500; ++k)
        a.push_back(0.3 * std::sin(0.37 * k) * std::exp(-0.004 * k) + 0.05 * std::cos(1.9 * k));
    const double dt = 0.01;
    const std::vector<double> periods = {0.001, 0.004, 0.05, 0.1, 0.5, 2.0};
    const std::vector<double> dampings = {0.0, 0.0005, 0.01, 0.02, 0.05, 0.1, 0.3, 0.5, 0.9};
    const ResponseSpectra one =
        ComputeResponseSpectra(samplesOf(a, dt), periods, dampings, UnitSystem::MKnTon, 1);
    const ResponseSpectra three =
        ComputeResponseSpectra(samplesOf(a, dt), periods, dampings, UnitSystem::MKnTon, 3);
    EXPECT_TRUE(one.Sd == three.Sd && one.Sv == three.Sv && one.Sa == three.Sa);
    for (std::size_t l = 0; l < periods.size(); ++l)
        for (std::size_t d = 0; d < dampings.size(); ++d) {
            SCOPED_TRACE(testing::Message() << periods[l] << " s, " << dampings[d]);
            const OscillatorPeaks p = OscillatorResponsePeaks(a.data(), static_cast<int>(a.size()),
                                                              dt, periods[l], dampings[d]);
            const int r = static_cast<int>(l) + 1, c = static_cast<int>(d) + 1;
            EXPECT_EQ(one.Sd.get(r, c), p.Displacement * 9.81);
            EXPECT_EQ(one.Sv.get(r, c), p.Velocity * 9.81);
            EXPECT_EQ(one.Sa.get(r, c), p.Acceleration * 9.81);
        }
    EXPECT_DOUBLE_EQ(one.Periods.get(6), 2.0);
    EXPECT_DOUBLE_EQ(one.Dampings.get(9), 0.9);
}

TEST(ResponseSpectrumTest, InputsThatCannotBeAnalysedAreRefused) {
    const auto ok = samplesOf({0.1, 0.2}, 0.01);
    EXPECT_EQ(errorKey([] {
                  ComputeResponseSpectra(samplesOf({0.1}, 0.01), {1.0}, {0.05}, UnitSystem::MKnTon);
              }),
              "signals.spectrum_no_time_step");
    EXPECT_EQ(
        errorKey([] {
            ComputeResponseSpectra(samplesOf({0.1, 0.2}, 0.0), {1.0}, {0.05}, UnitSystem::MKnTon);
        }),
        "signals.spectrum_no_time_step");
    EXPECT_EQ(errorKey([&] { ComputeResponseSpectra(ok, {}, {0.05}, UnitSystem::MKnTon); }),
              "signals.spectrum_no_periods");
    EXPECT_EQ(errorKey([&] { ComputeResponseSpectra(ok, {1.0}, {}, UnitSystem::MKnTon); }),
              "signals.spectrum_no_damping");
    EXPECT_EQ(errorKey([&] { ComputeResponseSpectra(ok, {0.0}, {0.05}, UnitSystem::MKnTon); }),
              "signals.spectrum_period_not_positive");
    EXPECT_EQ(errorKey([&] { ComputeResponseSpectra(ok, {1.0}, {1.0}, UnitSystem::MKnTon); }),
              "signals.spectrum_damping_range");
}

// A cancel flag already raised starts no period: every row stays 0 whatever the thread count;
// a flag that stays down changes nothing.
TEST(ResponseSpectrumTest, RaisedCancelFlagStartsNoPeriod) {
    const std::vector<double> a = {0.0, 0.1, -0.2, 0.15, 0.05};
    const std::vector<double> periods = {0.1, 0.2, 0.5, 1.0};
    const auto plain =
        ComputeResponseSpectra(samplesOf(a, 0.01), periods, {0.05}, UnitSystem::MKnTon, 1);
    for (unsigned threads : {1u, 3u}) {
        SCOPED_TRACE(threads);
        const std::atomic<bool> raised{true}, lowered{false};
        const auto cancelled = ComputeResponseSpectra(samplesOf(a, 0.01), periods, {0.05},
                                                      UnitSystem::MKnTon, threads, &raised);
        const auto kept = ComputeResponseSpectra(samplesOf(a, 0.01), periods, {0.05},
                                                 UnitSystem::MKnTon, threads, &lowered);
        for (int l = 1; l <= 4; ++l) {
            EXPECT_EQ(cancelled.Sa.get(l, 1), 0.0);
            EXPECT_EQ(cancelled.Sd.get(l, 1), 0.0);
            EXPECT_GT(plain.Sa.get(l, 1), 0.0);
            EXPECT_EQ(kept.Sa.get(l, 1), plain.Sa.get(l, 1));
        }
    }
}
