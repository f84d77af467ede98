// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QCommandLineParser;

namespace quibel {

/// Adds --export-report, -o and --lang to the desktop program's command line, for its help.
void addReportExportOptions(QCommandLineParser& parser);

/// True when the command line (argv) asks for --export-report.
bool asksForReportExport(int argc, const char* const* argv);

/// `quibel --export-report PROJECT.qbl -o REPORT.pdf [--lang en|fr] [--settings FILE]`: runs
/// the project's analysis and writes its report (ExportAnalysisReport) with no window, on the
/// offscreen platform when no display is set. Without --lang the report is in the language of
/// the user's settings. Returns the exit code: 1 for a command line it cannot use, otherwise
/// that of ExportAnalysisReport.
int exportReportHeadless(int argc, char** argv);

} // namespace quibel
