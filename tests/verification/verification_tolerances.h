// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace quibel::verification {

// The tolerances the verification manual states, one per comparison. Each says what the
// difference may come from.

/// Spectra of a ramp: the recurrence is exact for an input linear between samples, so only
/// rounding remains (and the program's 2 pi rounded to ten digits, 1e-10): relative.
inline constexpr double kRampSpectrumRelative = 1e-8;
/// Half a unit of the last digit of the saved spectrum file ("%12.6f"), in the file's unit,
/// added to every spectrum tolerance (the in-process tests see the unrounded values).
inline constexpr double kSpectrumFilePrint = 5e-7;
/// Spectra of a sine against the closed form: the program sees the sine through its samples,
/// linear between them (100 per cycle), an input error of order (2 pi / 100)² / 12 = 3.3e-4:
/// relative.
inline constexpr double kHarmonicSpectrumRelative = 1e-3;
/// Spectra of a record against a fourth-order Runge-Kutta integration with ten steps per
/// instant of the program, peaks at the same instants: relative.
inline constexpr double kRecordSpectrumRelative = 1e-5;
/// The same against the peaks found between those instants. The program's instants are dt / s
/// apart, s the whole number nearest to dt / (T / 20), so up to T / 13.4 apart (s = 1 for
/// dt = 1.49 T / 20); a peak sampled 13.4 times a cycle can be low by up to
/// 1 - cos(pi / 13.4) = 2.7 %: relative.
inline constexpr double kRecordSpectrumBetweenInstants = 0.03;

/// Rigid-plastic block, integration step 0.0001 s: the largest difference of the sliding
/// displacement over the record, and that of the permanent displacement, relative to the
/// largest displacement of the closed form. Where the block reverses without stopping, the
/// step in which its velocity changes sign keeps the friction of the old direction, a
/// velocity error of up to 2 mu g dt (0.4 mm/s for mu = 0.2) carried through the next
/// excursion: about 0.1 mm per reversal here, 0.3 % of the largest displacement.
inline constexpr double kSlidingRelative = 5e-3;

/// Rocking threshold reached by a ramp: the acceleration at the first rotated sample against
/// tan(alpha), in g: the ramp rises by 0.0002 g per sample; two samples.
inline constexpr double kRockingThreshold = 4e-4;
/// Free rocking: time between impacts against twice the exact quarter period: relative.
inline constexpr double kRockingHalfPeriodRelative = 1e-4;
/// Amplitude after an impact against the energy of the restitution rule: relative.
inline constexpr double kRockingAmplitudeRelative = 1e-4;

/// Sliding and rocking reduced to sliding: largest difference of the sliding displacement
/// against the sliding analysis, relative to its largest displacement. Both stand within
/// kSlidingRelative of the same closed form, by different handlings of a reversal.
inline constexpr double kReductionSlidingRelative = kSlidingRelative;
/// Reduced to rocking: largest difference of the rotation against the rocking analysis,
/// relative to its largest rotation. The two steps integrate the first rocking step and the
/// step where the pulse ends slightly differently (one evaluates the angular acceleration at
/// the start of every step, the other reuses that of the end of the previous step, 0 at
/// rest): a few 1e-5 rad/s of angular velocity, a few 1e-4 of amplitude, and a period that
/// differs accordingly, a phase shift that grows with every impact.
inline constexpr double kReductionRockingRelative = 0.01;
/// Energy balance under a record: largest |Ia + W - Ka - D - F - P| over the run, relative
/// to the largest absolute input energy.
inline constexpr double kEnergyBalanceRelative = 0.01;

/// Loads checked through the program's safety factors, resultant position and acceleration
/// at rest: the hand calculation and the program evaluate the same closed formulas, so only
/// rounding remains: relative.
inline constexpr double kLoadRelative = 1e-9;

/// The tolerances as the manual's table lists them.
struct StatedTolerance final {
    const char* comparison;
    double value;
    const char* unit;
};
inline constexpr StatedTolerance kStatedTolerances[] = {
    {"spectra of a ramp against the closed form", kRampSpectrumRelative,
     "relative, plus half the last printed digit"},
    {"last printed digit of a spectrum file (added to every spectrum tolerance)",
     kSpectrumFilePrint, "file unit (mm, mm/s, mm/s²)"},
    {"spectra of a sine against the closed form", kHarmonicSpectrumRelative,
     "relative, plus half the last printed digit"},
    {"spectra of a record against the fine-step integration, same instants",
     kRecordSpectrumRelative, "relative, plus half the last printed digit"},
    {"spectra of a record against the fine-step peaks between instants",
     kRecordSpectrumBetweenInstants, "relative"},
    {"rigid-plastic sliding block, largest and permanent displacement", kSlidingRelative,
     "relative to the largest displacement"},
    {"rocking threshold reached by a ramp", kRockingThreshold, "g"},
    {"free rocking, time between impacts", kRockingHalfPeriodRelative, "relative"},
    {"free rocking, amplitude after an impact", kRockingAmplitudeRelative, "relative"},
    {"sliding and rocking reduced to sliding, against the sliding analysis",
     kReductionSlidingRelative, "relative to the largest displacement"},
    {"sliding and rocking reduced to rocking, against the rocking analysis",
     kReductionRockingRelative, "relative to the largest rotation"},
    {"energy balance under a record", kEnergyBalanceRelative,
     "relative to the largest input energy"},
    {"loads at rest against the hand calculation", kLoadRelative, "relative"},
};

} // namespace quibel::verification
