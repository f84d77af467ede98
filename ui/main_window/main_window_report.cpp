// SPDX-License-Identifier: GPL-3.0-or-later
// The analysis report of the model and its last run, as a PDF file and on paper.
#include "ui/main_window/main_window.h"

#include "documents/analysis_report.h"
#include "documents/analysis_report_print.h"
#include "ui/main_window/analysis_gate.h"
#include "ui/main_window/user_settings.h"
#include "ui/widgets/application_state.h"
#include "ui/widgets/ui_text.h"
#include "ui/widgets/user_prompts.h"

#include <QPrinter>

namespace quibel {

namespace {

// Before a run, or once the model changed under its results, the report says no analysis was
// run and shows the model and records only.
ReportContent reportContent(const ApplicationState& state,
                            const std::optional<ReportRunLog>& lastRun) {
    const bool ran = lastRun && resultsAvailable(state.Model);
    return {.model = state.Model,
            .run = ran ? &*lastRun : nullptr,
            .language = state.language(),
            .date = {}};
}

} // namespace

void MainWindow::exportReport() {
    FileDialogSpec spec;
    spec.title = text("ui.main.export_report").remove(QLatin1Char('&'));
    spec.filters = {text("ui.main.filter.pdf")};
    spec.defaultSuffix = QStringLiteral("pdf");
    const QString folder = QStringLiteral("Reports");
    spec.directory = mSettings.readLastFolder(folder);
    const QString path = mPrompts.saveFileName(this, spec);
    rememberFolder(folder, path);
    if (path.isEmpty())
        return;
    if (WriteAnalysisReport(reportContent(mState, mLastRun), path.toStdString()) !=
        ReportWrite::Written)
        mPrompts.showMessage(this, MessageKind::Error,
                             uiText(mState.language(), "pdf.unwritable", {path}));
}

void MainWindow::printReport() {
    if (!mPrinter)
        mPrinter = std::make_unique<QPrinter>(QPrinter::HighResolution);
    if (!mPrompts.printDialog(this, *mPrinter))
        return;
    PrintAnalysisReport(reportContent(mState, mLastRun), *mPrinter);
}

} // namespace quibel
