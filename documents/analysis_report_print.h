// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "documents/analysis_report.h"

class QPrinter;

namespace quibel {

/// Prints the analysis report of content on printer, page by page as WriteAnalysisReport lays
/// it out on the printer's paper. False when the printer cannot be painted on.
bool PrintAnalysisReport(const ReportContent& content, QPrinter& printer);

} // namespace quibel
