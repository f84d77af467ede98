// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

namespace quibel {

/// Intensity measures of an acceleration record (values in g, sample k at k * dt from t = 0),
/// computed on the samples as given. Velocity and displacement are integrated by the
/// trapezoidal rule from rest; times are those of the samples.
struct IntensityMeasures final {
    double Pga = 0.0; ///< g
    double TPga = 0.0;
    double Pgv = 0.0; ///< m/s
    double TPgv = 0.0;
    double Pgd = 0.0; ///< m
    double TPgd = 0.0;
    double Arias = 0.0; ///< pi / (2 g) * integral of a², m/s
    double D5_95 = 0.0; ///< s, between the 5 % and 95 % crossings of the Husid curve
    double D5_75 = 0.0; ///< s
    double Cav = 0.0;   ///< integral of |a|, m/s
    double Tm = 0.0;    ///< mean period (Rathje et al. 1998), s; 0 without a 0.25-20 Hz content
    double Tp = 0.0;    ///< period of the peak of the 5 % pseudo-acceleration spectrum, s
};

/// Velocity (m/s) and displacement (m) of the accelerations (g) from rest, trapezoidal rule.
void IntegrateFromRest(const std::vector<double>& accelerations, double dt,
                       std::vector<double>& velocity, std::vector<double>& displacement);

/// The Husid curve: the running integral of a² (trapezoidal, (m/s²)² s), first value 0.
std::vector<double> HusidCurve(const std::vector<double>& accelerations, double dt);

/// Fourier amplitudes |X(f_k)| * dt (g s) at f_k = k / (n dt), k = 0..n/2, of the whole
/// record with no padding.
std::vector<double> FourierAmplitudes(const std::vector<double>& accelerations, double dt);

/// Periods of the spectrum the predominant period is read on: 0.01 to 5 s, 200 log-spaced.
std::vector<double> PredominantPeriodGrid();

/// Every measure above. Needs at least two samples and dt > 0.
IntensityMeasures ComputeIntensityMeasures(const std::vector<double>& accelerations, double dt);

} // namespace quibel
