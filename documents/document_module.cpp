// SPDX-License-Identifier: GPL-3.0-or-later
// The entry of the documents module (see document_module.h); only this function is exported.
#include "documents/document_module.h"

#include "documents/document_session.h"

#include <memory>

namespace quibel {

namespace {

void* openSession() {
    auto session = std::make_unique<DocumentSession>();
    return session->available() ? session.release() : nullptr;
}

void closeSession(void* session) {
    delete static_cast<DocumentSession*>(session);
}

// Nothing thrown may cross into the tool, which was built with its own copy of the types.
ReportWrite writeAnalysisReport(const ReportContent& content, const std::string& path) {
    try {
        return WriteAnalysisReport(content, path);
    } catch (...) {
        return ReportWrite::Unwritable;
    }
}

StudyPlotsOutcome drawStudyCharts(const std::vector<StudyChart>& charts) {
    try {
        return DrawStudyCharts(charts);
    } catch (...) {
        return StudyPlotsOutcome::WriteFailed;
    }
}

constexpr DocumentModule kModule{kDocumentModuleVersion, openSession, closeSession,
                                 writeAnalysisReport, drawStudyCharts};

} // namespace

} // namespace quibel

extern "C" const quibel::DocumentModule* quibel_document_module() {
    return &quibel::kModule;
}
