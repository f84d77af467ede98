// SPDX-License-Identifier: GPL-3.0-or-later
#include "documents/report_export.h"

#include "documents/analysis_report.h"
#include "engine/run/analysis_step.h"
#include "model/project_file.h"
#include "numeric/error.h"
#include "reporting/result_grid.h"

#include <algorithm>
#include <ostream>

namespace quibel {

namespace {

// Nobody watches a headless run: it goes on at every question and says what it was asked.
class ExportRunHost final : public RunHost {
public:
    ExportRunHost(std::ostream& err, Language language) : mErr(err), mLanguage(language) {}

    void showMessage(MessageKind kind, const Message& message) override {
        write(kind != MessageKind::Error, message);
    }
    QuestionAnswer ask(const RunQuestion& question) override {
        write(true, question.message);
        return QuestionAnswer::Continue;
    }
    void progress(int) override {}
    void status(const RunStatus&) override {}
    bool stopRequested() override { return false; }

private:
    void write(bool warning, const Message& message) {
        std::string s = render(mLanguage, message);
        std::replace(s.begin(), s.end(), '\r', '\n');
        mErr << (warning ? render(mLanguage, Message("cli.run.warning", {s})) : s) << "\n";
    }

    std::ostream& mErr;
    Language mLanguage;
};

} // namespace

ReportExportExit ExportAnalysisReport(const std::string& project, const std::string& output,
                                      Language language, std::ostream& err) {
    TBlocStatic model = startupModel();
    try {
        ReadFromFile(model, project);
    } catch (const Error& e) {
        err << render(language, e.message()) << "\n";
        return ReportProjectUnreadable;
    }
    model.FileName = project;
    std::unique_ptr<AnalysisStep> step = MakeAnalysisStep(model.AnalysisKind);
    if (!step || ResultGridFor(model, language).columns.empty()) {
        err << render(language, Message("engine.analysis_not_available")) << "\n";
        return ReportNotAvailable;
    }
    ReportRunLog log;
    ExportRunHost quiet(err, language);
    RecordingRunHost host(quiet, log);
    log.outcome = AnalysisRun(model, host, std::move(step)).run();
    if (log.outcome.end == RunEnd::ChecksFailed)
        return ReportRunRefused;
    switch (WriteAnalysisReport({.model = model, .run = &log, .language = language, .date = {}},
                                output)) {
    case ReportWrite::Written:
        return ReportExported;
    case ReportWrite::Unavailable:
        err << render(language, Message("pdf.unavailable")) << "\n";
        return ReportNotAvailable;
    case ReportWrite::Unwritable:
        break;
    }
    err << render(language, Message("pdf.unwritable", {output})) << "\n";
    return ReportOutputUnwritable;
}

} // namespace quibel
