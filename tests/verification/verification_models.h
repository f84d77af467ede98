// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/project_record.h"

#include <string>
#include <vector>

namespace quibel::verification {

// The projects of the verification problems, built as a user would enter them (m - kN - ton
// unless said otherwise, gravity 9.807 m/s², integration step 0.0001 s).

inline constexpr double kGravity = 9.807;       ///< m/s², Options.Gravity of every project
inline constexpr double kConcreteDensity = 2.4; ///< t/m³

/// The start-up dam block (398 t, B = 16 m, H = 20 m, centre at (5.301, 6.964) m) without
/// reservoir or uplift: the block whose rocking thresholds and energy balance are checked.
TBlocStatic DryStartupBlock(AnalysisKind kind);

/// A dry rectangular block of base b and height h (m), 1 m thick, of concrete: M = 2.4 b h,
/// centre at (b/2, h/2), Im = M (b² + h²) / 12, on a horizontal plane 10 m above the
/// foundation, with restitution e on both sides and friction angle phi (degrees).
TBlocStatic DryRectangle(AnalysisKind kind, double b, double h, double e, double phi);

/// history 0 := amplitude sin(2 pi t / period) (g) from 0 to end (a generated sine term).
void SineHistory(TimeHistoryRecord& h, double amplitudeG, double period, double end);
/// history := +amplitude (g) from 0 to end and 0 after: a generated impulse term whose period
/// is four times end, so that its first half-period covers 0..end, both ends included.
void ConstantHistory(TimeHistoryRecord& h, double amplitudeG, double end);
/// A defined history that is 0 at every time and lasts `duration` (s): it only sets the
/// length of a run.
void SilentHistory(TimeHistoryRecord& h, double duration);
/// A sampled history: values (g) dt apart from t = 0.
void SampledHistory(TimeHistoryRecord& h, const std::string& title,
                    const std::vector<double>& values, double dt);

/// The flags of a model whose histories 0 and 1 are as set: geometry complete, and the
/// defined-history bits of the histories that are defined.
void SetDefinedFlags(TBlocStatic& m);

/// A project in "mm - N - kg" for the spectra of a sampled record (history 0).
TBlocStatic SpectrumProject(const std::string& title, const std::vector<double>& values, double dt);

/// A record of the earthquake database shipped in data/: worksheet sheet, record k of
/// "Earthquakes - horizontal.xls" (accelerations in g, constant step).
struct ShippedRecord final {
    std::string title;
    double dt = 0.0; ///< s
    std::vector<double> values;
};
ShippedRecord ReadShippedRecord(int sheet, int record);

} // namespace quibel::verification
