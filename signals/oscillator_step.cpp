// SPDX-License-Identifier: GPL-3.0-or-later
#include "signals/oscillator_step.h"

#include <algorithm>
#include <cmath>

namespace quibel {

OscillatorStep NigamJenningsStep(double h, double omega, double xi) noexcept {
    const double wd = omega * std::sqrt(1.0 - xi * xi);
    const double xw = xi * omega;
    const double E = std::exp(-xw * h);
    const double S = std::sin(wd * h);
    const double C = std::cos(wd * h);

    OscillatorStep k{};
    k.A11 = E * (xw / wd * S + C);
    k.A12 = E * S / wd;
    k.A22 = E * (C - xw / wd * S);
    k.A21 = xw * k.A22 - E * (wd * S + xw * C); // = -E w^2 / wd S

    // The load terms follow from integrating the linear part of the input against the
    // impulse response; the signs are folded into the recurrence (x1 = ... - B a).
    const double R = E * S / wd;
    const double U = E * C;
    const double P = k.A22;
    const double Q = -E * (wd * S + xw * C);
    const double w2 = omega * omega;
    const double k1 = (2.0 * xi * xi - 1.0) / w2;
    const double k2 = xi / omega;
    const double k3 = 2.0 * xi / (w2 * omega);
    const double k4 = 1.0 / w2;
    k.B11 = (-R * k1 - k3 * U + k3) / h - R * k2 - U * k4;
    k.B12 = (R * k1 + k3 * U - k3) / h + k4;
    k.B21 = (-P * k1 - Q * k3 - k4) / h - P * k2 - Q * k4;
    k.B22 = (P * k1 + Q * k3 + k4) / h;
    return k;
}

double SpectrumOmega(double period) noexcept {
    return 6.283185308 / period;
}

long SubstepCount(double dt, double period) noexcept {
    const double h0 = std::min(dt, period / 20.0);
    return std::max(1L, std::lround(dt / h0));
}

long FreeVibrationSteps(double period, double h, double xi) noexcept {
    return xi < 0.001 ? std::lround(2.0 * period / h) : 0L;
}

} // namespace quibel
