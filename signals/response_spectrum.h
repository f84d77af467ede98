// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/enums.h"
#include "numeric/tmatrix.h"
#include "numeric/tvector.h"
#include "signals/signal_samples.h"

#include <atomic>
#include <vector>

namespace quibel {

/// Elastic response spectra of one acceleration history.
struct ResponseSpectra final {
    TVector Periods;  ///< P[1..m], s, in the order of the period list
    TVector Dampings; ///< Z[1..q], fractions of critical
    /// Element (l, d) is for period P[l] and damping Z[d], in the project's length unit:
    TMatrix Sa; ///< peak absolute acceleration, length/s²
    TMatrix Sv; ///< peak relative velocity, length/s
    TMatrix Sd; ///< peak relative displacement, length
};

/// Peaks of one oscillator, in g s^2 (displacement), g s (velocity) and g (acceleration).
struct OscillatorPeaks final {
    double Displacement = 0.0;
    double Velocity = 0.0;
    double Acceleration = 0.0;
};

/// g expressed in the length unit: 981 cm/s² / (cm per unit): 9810 for mm, 9.81 for m,
/// 981 / 2.54 for in, 981 / 30.48 for ft. The gravity of the analysis options plays no part.
double SpectrumGravity(UnitSystem units) noexcept;

/// Peaks of the oscillator of period T (s) and damping xi under the input accelerations (g),
/// sample k at (k - 1) * dt (s): from rest, the input ramping linearly between samples and to
/// 0 over the step after the last one, each step split into SubstepCount substeps, followed
/// by FreeVibrationSteps steps of zero input. The peaks are taken at the substep ends.
OscillatorPeaks OscillatorResponsePeaks(const double* accelerations, int n, double dt,
                                        double period, double xi);

/// The spectra of input (accelerations in g; only Times[1], Times[2] and the number of values
/// are used: dt = Times[2] - Times[1]) for every period and damping ratio of the lists, in the
/// length unit of units. The periods are spread over `threads` threads (0: one per core); the
/// results do not depend on it. Once *cancel (when given) turns true, no further period is
/// started: the rows of the periods not reached stay 0 and the caller discards the spectra.
/// Throws Error("signals.spectrum_no_time_step") when the input has fewer than two samples or
/// no positive step, Error("signals.spectrum_no_periods") / ("signals.spectrum_no_damping")
/// for an empty list, Error("signals.spectrum_period_not_positive") for a period that is not
/// positive, Error("signals.spectrum_damping_range") for a ratio outside 0 <= xi < 1.
ResponseSpectra ComputeResponseSpectra(const SignalSamples& input,
                                       const std::vector<double>& periods,
                                       const std::vector<double>& dampings, UnitSystem units,
                                       unsigned threads = 0,
                                       const std::atomic<bool>* cancel = nullptr);

} // namespace quibel
