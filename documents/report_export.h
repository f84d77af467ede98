// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "texts/text_catalogue.h"

#include <iosfwd>
#include <string>

namespace quibel {

/// The exit codes of a headless report export, those of the command-line tool.
enum ReportExportExit : int {
    ReportExported = 0,
    ReportNotAvailable = 1, ///< an analysis this version cannot run, or a build without reports
    ReportRunRefused = 2,   ///< a check refused to start the run
    ReportProjectUnreadable = 3,
    ReportOutputUnwritable = 4,
};

/// Reads the project file, runs its analysis as `quibel-cli run` does (every question answered
/// by going on, each message and question written to err) and writes the analysis report of
/// the model and its run at output (WriteAnalysisReport), texts in language. Nothing is written
/// at output unless the whole report is; a run the checks refuse writes no report. Needs a
/// DocumentSession.
ReportExportExit ExportAnalysisReport(const std::string& project, const std::string& output,
                                      Language language, std::ostream& err);

} // namespace quibel
