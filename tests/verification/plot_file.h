// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "verification_report.h"

#include <string>

namespace quibel::verification {

// A plot as a text file, between the report and the plotting tool:
//   xlabel<TAB>text
//   ylabel<TAB>text
//   series<TAB>label<TAB>#rrggbb<TAB>line|dashed|markers
//   x<TAB>y            (one line per point, "%.17g")
// repeated for every series. The file's name is the plot's.

std::string PlotToText(const Plot& plot);
/// Throws std::runtime_error for a line it cannot read.
Plot PlotFromText(const std::string& text, const std::string& file);

} // namespace quibel::verification
