// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "signals/records/record_data.h"

#include <optional>
#include <string>
#include <vector>

namespace quibel {

/// The band of a zero-phase Butterworth band-pass: order of each of its low- and high-pass
/// halves, corners in Hz.
struct BandPass final {
    int Order = 4;
    double LowHz = 0.1;
    double HighHz = 25.0;
};

/// A target spectral acceleration: Sa (g) of the oscillator of Period (s) and Damping.
struct SpectralTarget final {
    double Period = 1.0;
    double Damping = 0.05;
    double Sa = 0.1;
};

/// What is done to a record's samples before it is stored, in this order: the trend removed,
/// the ends tapered, the band-pass, the trim, the resampling, the scaling.
struct RecordProcessing final {
    std::optional<int> DetrendDegree;  ///< 0 (the mean) to 3
    std::optional<double> TaperLength; ///< s at each end, cosine
    std::optional<BandPass> Filter;
    std::optional<std::pair<double, double>> Trim; ///< from, to (s); kept samples restart at 0
    std::optional<double> ResampleStep;            ///< s, linear interpolation
    std::optional<double> TargetPga;               ///< g
    std::optional<SpectralTarget> TargetSa;
};

/// One second-order section b0 + b1 z^-1 + b2 z^-2 over 1 + a1 z^-1 + a2 z^-2.
struct Biquad final {
    double b0 = 1.0, b1 = 0.0, b2 = 0.0, a1 = 0.0, a2 = 0.0;
};

/// The sections of a Butterworth band-pass of the sampling step dt: a low-pass of the given
/// order at HighHz after a high-pass at LowHz, both by the bilinear transform with the corners
/// pre-warped. Throws Error("records.bad_band") unless 1 <= Order <= 8 and
/// 0 < LowHz < HighHz < 1 / (2 dt).
std::vector<Biquad> DesignBandPass(const BandPass& band, double dt);

/// Runs the sections forward then backward over values (zero phase; the gain is |H|²).
void FilterZeroPhase(const std::vector<Biquad>& sections, std::vector<double>& values);

/// Removes the least-squares polynomial of degree 0-3 in time from values.
void RemoveTrend(std::vector<double>& values, int degree);

/// Applies processing to component c (its Values and Dt). Throws Error for parameters that do
/// not fit the record ("records.bad_processing" with the option's name).
void ApplyProcessing(RecordComponent& c, const RecordProcessing& processing);

/// What processing did, for the history's title: "detrend 1; taper 1 s; ..." (empty when
/// nothing).
std::string ProcessingSummary(const RecordProcessing& processing);

} // namespace quibel
