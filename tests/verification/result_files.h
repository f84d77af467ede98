// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "verification_runs.h"

#include <string>

namespace quibel::verification {

// Reading what quibel-cli wrote: the result grid of `run --precision full` and the spectrum
// text of `spectrum -o`. Numbers use "." whatever the locale. Both throw std::runtime_error,
// naming the file and the line, for text they cannot read.

/// The grid: a title row, a unit row, then one row of numbers per sample, ";" between cells.
GridColumns ReadGridCsv(const std::string& text, const std::string& file);

/// The spectrum text: the rows of numbers between the two dashed lines.
SpectrumCurve ReadSpectrumText(const std::string& text, const std::string& file);

/// The whole file; throws std::runtime_error when it cannot be read.
std::string ReadTextFile(const std::string& path);

/// The file names of the runs of a request in a folder: NAME.qbl, NAME.csv and
/// NAME@RATIO.txt.
std::string ProjectFile(const std::string& name);
std::string GridFile(const std::string& name);
std::string SpectrumFile(const std::string& name, double ratio);
/// A decimal text of x that reads back to x where that takes at most ten digits.
std::string DecimalText(double x);

} // namespace quibel::verification
