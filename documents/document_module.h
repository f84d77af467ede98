// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "documents/analysis_report.h"
#include "documents/study_plots.h"

#include <string>
#include <vector>

namespace quibel {

/// The documents part as a module that quibel-cli loads when it makes its first document (a
/// report, a study's charts): its commands that make none then start without the paint
/// libraries, whose loading alone takes longer than a run. The module and the tool are built
/// together from the same sources; version guards against a module of another build.
struct DocumentModule final {
    int version;
    /// A painting session for the calls below; nullptr when nothing can be painted.
    void* (*openSession)();
    void (*closeSession)(void* session);
    ReportWrite (*writeAnalysisReport)(const ReportContent& content, const std::string& path);
    StudyPlotsOutcome (*drawStudyCharts)(const std::vector<StudyChart>& charts);
};

inline constexpr int kDocumentModuleVersion = 1;
/// The module's one exported function, which returns its table.
inline constexpr char kDocumentModuleEntry[] = "quibel_document_module";

} // namespace quibel

extern "C" const quibel::DocumentModule* quibel_document_module();
