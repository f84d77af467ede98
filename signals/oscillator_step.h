// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace quibel {

/// One step of h seconds of the linear oscillator x'' + 2 xi w x' + w^2 x = -a(t), with the
/// ground acceleration a varying linearly from a0 to a1 within the step; x is the relative
/// displacement, v = x'. The solution is exact for such an input (piecewise-exact method of
/// Nigam and Jennings):
///   x1 = A11 x0 + A12 v0 - B11 a0 - B12 a1
///   v1 = A21 x0 + A22 v0 - B21 a0 - B22 a1
/// Units: with a in g, x is in g s^2 and v in g s.
struct OscillatorStep final {
    double A11, A12, A21, A22;
    double B11, B12, B21, B22;
};

/// The coefficients for step h (s), circular frequency omega (rad/s, > 0) and damping ratio
/// xi (0 <= xi < 1).
OscillatorStep NigamJenningsStep(double h, double omega, double xi) noexcept;

/// Circular frequency of natural period T (s): 6.283185308 / T, 2 pi rounded to ten digits.
double SpectrumOmega(double period) noexcept;

/// Substeps per input step of dt (s) for natural period T (s): h0 = min(dt, T / 20), the
/// integer nearest to dt / h0 (1 when dt <= T / 20).
long SubstepCount(double dt, double period) noexcept;

/// Input steps of zero input integrated after the record so that a lightly damped
/// oscillator reaches its free-vibration peak: the integer nearest to 2 T / h for xi < 0.001
/// (h the substep, s), 0 otherwise.
long FreeVibrationSteps(double period, double h, double xi) noexcept;

} // namespace quibel
