// SPDX-License-Identifier: GPL-3.0-or-later
// quibel-cli's side of the documents: the session, the report and the charts, made by the
// documents module, loaded on the first of them (see document_module.h).
#include "documents/analysis_report.h"
#include "documents/document_module.h"
#include "documents/document_session.h"
#include "documents/study_plots.h"

#include <dlfcn.h>

#include <cstring>
#include <filesystem>
#include <system_error>

namespace quibel {

namespace {

namespace fs = std::filesystem;

// Where the module is: beside the installed tool (QUIBEL_DOCUMENTS_MODULE_FROM_PROGRAM, relative
// to the tool's folder), else where the build made it (tests and benchmarks run from there).
const DocumentModule* loadModule() {
    std::error_code ec;
    const fs::path program = fs::read_symlink("/proc/self/exe", ec);
    const fs::path places[] = {program.parent_path() / QUIBEL_DOCUMENTS_MODULE_FROM_PROGRAM,
                               fs::path(QUIBEL_DOCUMENTS_MODULE_BUILT)};
    for (const fs::path& file : places) {
        void* handle = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (handle == nullptr)
            continue;
        const DocumentModule* (*entry)() = nullptr;
        void* symbol = dlsym(handle, kDocumentModuleEntry);
        if (symbol != nullptr)
            std::memcpy(&entry, &symbol, sizeof entry);
        const DocumentModule* module = entry != nullptr ? entry() : nullptr;
        if (module != nullptr && module->version == kDocumentModuleVersion)
            return module; // kept for the life of the process: Qt is never unloaded
        dlclose(handle);
    }
    return nullptr;
}

const DocumentModule* documentModule() {
    static const DocumentModule* const module = loadModule();
    return module;
}

} // namespace

struct DocumentSession::Application {
    void* session;
};

DocumentSession::DocumentSession() {
    if (const DocumentModule* module = documentModule())
        if (void* session = module->openSession())
            owned_ = new Application{session};
}

DocumentSession::~DocumentSession() {
    if (owned_ != nullptr)
        documentModule()->closeSession(owned_->session);
    delete owned_;
}

bool DocumentSession::available() const {
    return owned_ != nullptr;
}

ReportWrite WriteAnalysisReport(const ReportContent& content, const std::string& path) {
    const DocumentModule* module = documentModule();
    return module != nullptr ? module->writeAnalysisReport(content, path)
                             : ReportWrite::Unavailable;
}

StudyPlotsOutcome DrawStudyCharts(const std::vector<StudyChart>& charts) {
    const DocumentModule* module = documentModule();
    return module != nullptr ? module->drawStudyCharts(charts) : StudyPlotsOutcome::Unavailable;
}

} // namespace quibel
