// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "texts/text_catalogue.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace quibel::cli {

/// quibel-cli spectrum PROJECT.qbl --history 0|1 [--periods S:E:I[,S:E:I...]]
///                    [--damping S:E:I] [--ratio X] [-o FILE.txt]
///
/// Computes the response spectra of a base-acceleration history of the project, from its
/// effective signal exactly as the spectrum dialog receives it, for up to four period sets
/// (default: the dialog's four sets) and a damping range (default 0.01:0.05:0.01), and writes
/// the saved spectrum text of damping ratio X (default: the first of the list) to FILE.txt or
/// to out, in the project's unit system and in lang. `args` are the words after "spectrum",
/// --lang already removed. Messages go to err.
///
/// Exit codes: 0 success; 1 usage error, a history that is undefined, a force history, a
/// generated history without an active term, or parameters that give no analysis; 3 the
/// project cannot be read; 4 the text file cannot be written.
int runSpectrumCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                       quibel::Language lang);

} // namespace quibel::cli
