// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/project_record.h"
#include "texts/text_catalogue.h"
#include "ui/results/text_rows.h"

#include <string>

namespace quibel {

/// The results of the last analysis as the CSV file of the results viewer, UTF-8 text with
/// lines ending in CR LF:
/// - line 1, the unit system: "Units : Length=m / Mass=ton / Force=kN" in double quotes in
///   English, "Unités : Longueur=m / Masse=ton / Force=kN" without quotes in French;
/// - line 2, the column titles, each in double quotes, separated by ";";
/// - one line per output sample: the time "%12.5f", then the values "%15.7e" (seven
///   significant digits: one before the separator and six after it, then "E", the
///   sign and at least three exponent digits, as every scientific number of the program),
///   separated by ";".
/// The columns are those of the analysis kind: after a sliding run, time, the sliding
/// displacement, velocity and acceleration, the sliding safety factor and the six energies
/// (absolute and relative input, pre-seismic loads, absolute and relative kinetic, friction);
/// after a rocking run, time, the rotation and its two rates, the overturning safety factor,
/// the resultant position and the five energies with the impact energy in place of friction;
/// after a sliding-and-rocking run, both sets of motion series, the three stability values
/// and the seven energies. A series the run did not fill gives 0. Numbers carry
/// decimalSeparator.
std::string ResultsCsv(const TBlocStatic& model, Language language, char decimalSeparator = '.');

/// The same file line by line; model must outlive the rows.
TextRows ResultsCsvRows(const TBlocStatic& model, Language language, char decimalSeparator = '.');

} // namespace quibel
