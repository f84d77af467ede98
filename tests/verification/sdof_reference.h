// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

namespace quibel::verification {

// Independent solutions of the damped linear oscillator
//     x'' + 2 xi w x' + w^2 x = -a(t)
// driven by a base acceleration a(t) (any consistent unit; the spectra use g), from rest.
// x is the relative displacement, v = x' the relative velocity and
// -(2 xi w v + w^2 x) the absolute acceleration. w in rad/s, 0 <= xi < 1.

struct OscillatorState final {
    double x = 0.0; ///< relative displacement
    double v = 0.0; ///< relative velocity
};

/// Peaks of |x|, |v| and |2 xi w v + w^2 x| over a set of instants.
struct OscillatorPeaks final {
    double displacement = 0.0;
    double velocity = 0.0;
    double acceleration = 0.0;

    void take(const OscillatorState& s, double w, double xi);
};

/// Exact state after a span s under a base acceleration linear from a0 to a1, written as a
/// particular solution of the linear forcing plus the free damped vibration that matches the
/// initial state.
OscillatorState AdvanceUnderLinearInput(const OscillatorState& start, double w, double xi,
                                        double a0, double a1, double s);

/// Exact state at t >= 0 under the ramp a(t) = rate * t, from rest at t = 0.
OscillatorState RampResponse(double w, double xi, double rate, double t);

/// Exact state at t >= 0 under a(t) = amplitude * sin(forcing * t), from rest at t = 0: the
/// steady harmonic response plus the transient that starts it from rest.
OscillatorState HarmonicResponse(double w, double xi, double amplitude, double forcing, double t);

/// The instants at which the spectrum takes its peaks, for an oscillator of period T (s) under
/// a record of n samples dt apart: every k h for k = 1 .. n s, with s the whole number nearest
/// to dt / min(dt, T / 20) and h = dt / s (the n-th step brings the input back to 0 after the
/// last sample).
int SpectrumSubsteps(double dt, double period);

/// Peaks at those instants of a ramp record: samples a_k = rate (k - 1) dt for k = 1 .. n,
/// linear between samples (the ramp itself), then linear from a_n to 0 over one more step dt.
/// The ramp part uses RampResponse at every instant; the last step AdvanceUnderLinearInput.
OscillatorPeaks RampRecordPeaks(double period, double xi, double rate, int n, double dt);

/// Peaks at the spectrum's instants under the continuous sine amplitude * sin(forcing * t) for
/// 0 <= t <= (n - 1) dt, then linear from its value at (n - 1) dt to 0 over one more step.
OscillatorPeaks HarmonicRecordPeaks(double period, double xi, double amplitude, double forcing,
                                    int n, double dt);

/// Peaks of a record (samples dt apart, linear between them, then to 0 over one more step) by
/// fourth-order Runge-Kutta with `refinement` steps per spectrum instant. `atInstants` takes
/// the peaks at the spectrum's instants only; `everywhere` at every Runge-Kutta step, which
/// comes closer to the peaks of the continuous response.
struct FineStepPeaks final {
    OscillatorPeaks atInstants;
    OscillatorPeaks everywhere;
};
FineStepPeaks FineStepRecordPeaks(const std::vector<double>& record, double dt, double period,
                                  double xi, int refinement);

} // namespace quibel::verification
