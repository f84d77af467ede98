// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "documents/report_run_log.h"
#include "model/project_record.h"
#include "texts/text_catalogue.h"

#include <optional>
#include <string>

namespace quibel {

/// What the analysis report is made of: the model with its results, the log of the run that
/// made them (none: the report says no analysis was run and shows the model and records only),
/// the language of its texts and the date printed in its title block.
struct ReportContent final {
    const TBlocStatic& model;
    const ReportRunLog* run = nullptr;
    Language language = Language::English;
    std::string date; ///< empty: today's, yyyy-mm-dd
};

/// How writing a report ended.
enum class ReportWrite {
    Written,
    Unavailable, ///< this build has no paint devices (no desktop program)
    Unwritable,  ///< the file could not be written; any earlier file of that name is untouched
};

/// Writes the analysis report of content as a PDF at path: vector pages of the paper the
/// locale uses (Letter where it measures in US units, A4 elsewhere) with a running header and
/// the page count on each; in order the title block, the model (the computed-data report's
/// values, the dam section drawing, the analysis options), the input records (each history
/// plotted with its peak, its figures, intensity measures and 5 % response spectrum), the run
/// (how it ended, its messages and questions with the answers taken, the energy balance), the
/// results (key figures and the plots of the analysis's main series on one time axis) and a
/// note on the method. The file is written whole or not at all. Needs a DocumentSession.
ReportWrite WriteAnalysisReport(const ReportContent& content, const std::string& path);

} // namespace quibel
