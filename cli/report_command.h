// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "texts/text_catalogue.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace quibel::cli {

/// quibel-cli report PROJECT.qbl
///
/// Prints the computed-data report of the project in lang, one line per line, with "." as
/// decimal separator. A project file does not hold the critical angles, so they are set as a
/// rocking run sets them before its first step. `args` are the words after "report", --lang
/// already removed; messages go to err.
///
/// Exit codes: 0 success; 1 usage error; 3 the project cannot be read.
int runReportCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                     quibel::Language lang);

} // namespace quibel::cli
