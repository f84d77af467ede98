// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "texts/text_catalogue.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace quibel::cli {

/// quibel-cli run PROJECT.qbl [-o RESULTS.csv] [--precision grid|full]
///                [--on-question continue|stop] [--debug]
///
/// Runs the project's analysis exactly as the progress window does and writes the result grid
/// of that analysis (title row, unit row, one row per output sample, ";" between cells, texts
/// in lang) to RESULTS.csv or to out. `grid` (default) uses the grid's number formats, `full`
/// writes every number with "%.17g". Every question of the run is written to err with the
/// answer taken: `continue` (default) goes on, `stop` ends the run as the OK button does.
/// Messages and warnings go to err; with --debug the run writes debug.csv in the current
/// directory. When err is a terminal a progress line is shown there. `args` are the words
/// after "run", --lang already removed.
///
/// Ctrl+C during the run ends it after the current step: the samples computed so far are
/// written as for a stopped run and err says the run was interrupted.
///
/// Exit codes: 0 the run was made (completed or stopped); 1 usage error, or an analysis this
/// version cannot run; 2 a check refused to start the run; 3 the project cannot be read; 4 the
/// results cannot be written; 130 Ctrl+C interrupted the run (its results were written).
int runRunCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                  quibel::Language lang);

} // namespace quibel::cli
