// SPDX-License-Identifier: GPL-3.0-or-later
// A build without the desktop program has no paint devices: the report cannot be made.
#include "documents/analysis_report.h"

namespace quibel {

ReportWrite WriteAnalysisReport(const ReportContent&, const std::string&) {
    return ReportWrite::Unavailable;
}

} // namespace quibel
