// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "documents/analysis_report.h"

namespace quibel {

class ReportCanvas;

// The sections of the analysis report, in the order it prints them. Each lays out the same
// blocks every time it is called with the same content.

void addTitleBlock(ReportCanvas& canvas, const ReportContent& content);
void addModelSection(ReportCanvas& canvas, const ReportContent& content);
void addRecordsSection(ReportCanvas& canvas, const ReportContent& content);
void addRunSection(ReportCanvas& canvas, const ReportContent& content);
void addResultsSection(ReportCanvas& canvas, const ReportContent& content);
void addMethodNote(ReportCanvas& canvas, const ReportContent& content);

/// The whole report: every section above.
void composeReport(ReportCanvas& canvas, const ReportContent& content);

/// The catalogue text of key in content's language, as a std::string.
std::string reportText(const ReportContent& content, std::string_view key);
std::string reportText(const ReportContent& content, std::string_view key,
                       std::vector<std::string> args);

/// Whether the report tells of a run's results: there was a run past its checks and the model
/// still holds its series.
bool reportHasResults(const ReportContent& content);

} // namespace quibel
