// SPDX-License-Identifier: GPL-3.0-or-later
#include "sdof_reference.h"

#include <algorithm>
#include <cmath>

namespace quibel::verification {

namespace {

constexpr double kTwoPi = 6.283185307179586;

// Free damped vibration x = e^(-xi w t) (c1 cos(wd t) + c2 sin(wd t)) started from (x0, v0).
OscillatorState FreeVibration(double w, double xi, double x0, double v0, double t) {
    const double wd = w * std::sqrt(1.0 - xi * xi);
    const double c1 = x0;
    const double c2 = (v0 + xi * w * x0) / wd;
    const double e = std::exp(-xi * w * t);
    const double c = std::cos(wd * t);
    const double s = std::sin(wd * t);
    return {e * (c1 * c + c2 * s),
            e * ((-xi * w * c1 + wd * c2) * c + (-xi * w * c2 - wd * c1) * s)};
}

} // namespace

void OscillatorPeaks::take(const OscillatorState& s, double w, double xi) {
    displacement = std::max(displacement, std::abs(s.x));
    velocity = std::max(velocity, std::abs(s.v));
    acceleration = std::max(acceleration, std::abs(2.0 * xi * w * s.v + w * w * s.x));
}

OscillatorState AdvanceUnderLinearInput(const OscillatorState& start, double w, double xi,
                                        double a0, double a1, double s) {
    // For a(t) = p + q t the particular solution is c0 + c1 t with c1 = -q / w^2 and
    // c0 = -p / w^2 + 2 xi q / w^3.
    const double q = (a1 - a0) / s;
    const double c1 = -q / (w * w);
    const double c0 = -a0 / (w * w) + 2.0 * xi * q / (w * w * w);
    const OscillatorState free = FreeVibration(w, xi, start.x - c0, start.v - c1, s);
    return {free.x + c0 + c1 * s, free.v + c1};
}

OscillatorState RampResponse(double w, double xi, double rate, double t) {
    const double c1 = -rate / (w * w);
    const double c0 = 2.0 * xi * rate / (w * w * w);
    const OscillatorState free = FreeVibration(w, xi, -c0, -c1, t);
    return {free.x + c0 + c1 * t, free.v + c1};
}

OscillatorState HarmonicResponse(double w, double xi, double amplitude, double forcing, double t) {
    // Steady state C sin(W t) + D cos(W t) of x'' + 2 xi w x' + w^2 x = -A sin(W t).
    const double k = w * w - forcing * forcing;
    const double c = 2.0 * xi * w * forcing;
    const double den = k * k + c * c;
    const double C = -amplitude * k / den;
    const double D = amplitude * c / den;
    const double sn = std::sin(forcing * t);
    const double cs = std::cos(forcing * t);
    const OscillatorState free = FreeVibration(w, xi, -D, -C * forcing, t);
    return {free.x + C * sn + D * cs, free.v + forcing * (C * cs - D * sn)};
}

int SpectrumSubsteps(double dt, double period) {
    const double h0 = std::min(dt, period / 20.0);
    return std::max(1, static_cast<int>(std::lround(dt / h0)));
}

namespace {

// The n-th step of a record: from the state at the last sample, the input falls linearly
// from aLast to 0 over dt, in s pieces (the spectrum's instants).
void LastStep(OscillatorState state, double w, double xi, double aLast, double dt, int s,
              OscillatorPeaks& peaks) {
    const double h = dt / s;
    for (int j = 0; j < s; ++j) {
        const double a0 = aLast * (1.0 - static_cast<double>(j) / s);
        const double a1 = aLast * (1.0 - static_cast<double>(j + 1) / s);
        state = AdvanceUnderLinearInput(state, w, xi, a0, a1, h);
        peaks.take(state, w, xi);
    }
}

} // namespace

OscillatorPeaks RampRecordPeaks(double period, double xi, double rate, int n, double dt) {
    const double w = kTwoPi / period;
    const int s = SpectrumSubsteps(dt, period);
    const double h = dt / s;
    OscillatorPeaks peaks;
    const long instants = static_cast<long>(n - 1) * s;
    for (long k = 1; k <= instants; ++k)
        peaks.take(RampResponse(w, xi, rate, k * h), w, xi);
    const double tLast = (n - 1) * dt;
    LastStep(RampResponse(w, xi, rate, tLast), w, xi, rate * tLast, dt, s, peaks);
    return peaks;
}

OscillatorPeaks HarmonicRecordPeaks(double period, double xi, double amplitude, double forcing,
                                    int n, double dt) {
    const double w = kTwoPi / period;
    const int s = SpectrumSubsteps(dt, period);
    const double h = dt / s;
    OscillatorPeaks peaks;
    const long instants = static_cast<long>(n - 1) * s;
    for (long k = 1; k <= instants; ++k)
        peaks.take(HarmonicResponse(w, xi, amplitude, forcing, k * h), w, xi);
    const double tLast = (n - 1) * dt;
    LastStep(HarmonicResponse(w, xi, amplitude, forcing, tLast), w, xi,
             amplitude * std::sin(forcing * tLast), dt, s, peaks);
    return peaks;
}

FineStepPeaks FineStepRecordPeaks(const std::vector<double>& record, double dt, double period,
                                  double xi, int refinement) {
    const double w = kTwoPi / period;
    const int s = SpectrumSubsteps(dt, period);
    const int m = s * refinement; // Runge-Kutta steps per input step
    const double hf = dt / m;
    FineStepPeaks peaks;
    double x = 0.0, v = 0.0;
    const auto accel = [&](double xx, double vv, double a) {
        return -a - 2.0 * xi * w * vv - w * w * xx;
    };
    const std::size_t n = record.size();
    for (std::size_t k = 0; k < n; ++k) {
        const double a0 = record[k];
        const double a1 = k + 1 < n ? record[k + 1] : 0.0;
        for (int j = 0; j < m; ++j) {
            // The input is linear over the input step: its value at a fraction f of the step.
            const auto input = [&](double f) { return a0 + (a1 - a0) * f; };
            const double f0 = static_cast<double>(j) / m;
            const double fm = (j + 0.5) / m;
            const double f1 = static_cast<double>(j + 1) / m;
            const double k1x = v, k1v = accel(x, v, input(f0));
            const double k2x = v + 0.5 * hf * k1v;
            const double k2v = accel(x + 0.5 * hf * k1x, v + 0.5 * hf * k1v, input(fm));
            const double k3x = v + 0.5 * hf * k2v;
            const double k3v = accel(x + 0.5 * hf * k2x, v + 0.5 * hf * k2v, input(fm));
            const double k4x = v + hf * k3v;
            const double k4v = accel(x + hf * k3x, v + hf * k3v, input(f1));
            x += hf / 6.0 * (k1x + 2.0 * k2x + 2.0 * k3x + k4x);
            v += hf / 6.0 * (k1v + 2.0 * k2v + 2.0 * k3v + k4v);
            const OscillatorState state{x, v};
            peaks.everywhere.take(state, w, xi);
            if ((j + 1) % refinement == 0)
                peaks.atInstants.take(state, w, xi);
        }
    }
    return peaks;
}

} // namespace quibel::verification
