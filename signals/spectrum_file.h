// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/enums.h"
#include "signals/response_spectrum.h"
#include "texts/text_catalogue.h"

#include <iosfwd>
#include <string>

namespace quibel {

/// The saved spectrum text of damping column `damping` (1..q) of spectra, in the length unit
/// of units and in language: a legend of Sd, Sv and Sa, the damping ratio ("0.######"), the
/// column headers and their unit line, one line "%12.6f   %12.6f %12.6f %12.6f" of T, Sd, Sv,
/// Sa per period in list order, and the largest Sd, Sv and Sa. Lines end with "\n"; numbers use
/// "." as the decimal separator. Throws Error("signals.spectrum_no_such_damping") for a column
/// outside 1..q.
std::string SpectrumText(const ResponseSpectra& spectra, int damping, UnitSystem units,
                         Language language);

/// Writes SpectrumText to path. The text goes to a temporary file in the same folder that
/// replaces path only when complete, so a failed save leaves no half-written file. Throws
/// Error("signals.cannot_write_file", {path, system message}).
void SaveSpectrumFile(const std::string& path, const ResponseSpectra& spectra, int damping,
                      UnitSystem units, Language language);

/// The column (1..q) of spectra whose damping ratio is `ratio` (within 1e-9, the precision the
/// spectrum dialog keeps), 0 when none is.
int DampingColumn(const ResponseSpectra& spectra, double ratio) noexcept;

} // namespace quibel
