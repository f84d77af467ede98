// The commands of the main window other than the file commands: pictures of the drawing,
// the model dialogs' follow-up, the analysis and results gates, units, language and help.
#include "ui/main_window.h"

#include "chart/chart_export.h"
#include "chart/trchart.h"
#include "model/model_flags.h"
#include "model/unit_change.h"
#include "ui/about_dialog.h"
#include "ui/analysis_gate.h"
#include "ui/application_state.h"
#include "ui/dam_section_drawing.h"
#include "ui/help_topics.h"
#include "ui/help_window.h"
#include "ui/ui_text.h"
#include "ui/user_prompts.h"

#include <QApplication>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QPrinter>
#include <QToolButton>

namespace quibel {

void TMainForm::redrawSection(bool fullView) {
    DessinerBarrage(*mChart, mState.Model, fullView, mState.language());
}

void TMainForm::modelEdited() {
    mState.ModelSaved = false;
    updateResultCommands();
}

void TMainForm::FileExportImageClick() {
    FileDialogSpec spec;
    spec.title = text("ui.main.export_image");
    spec.filters = {text("ui.main.filter.wmf"), text("ui.main.filter.svg"),
                    text("ui.main.filter.png"), text("ui.main.filter.pdf")};
    spec.defaultSuffix = QStringLiteral("wmf");
    const QString path = mPrompts.saveFileName(this, spec);
    if (path.isEmpty())
        return;
    const QString suffix = QFileInfo(path).suffix().toLower();
    bool written = false;
    QString target = path;
    if (suffix == QLatin1String("svg")) {
        written = saveChartAsSvg(*mChart, path);
    } else if (suffix == QLatin1String("png")) {
        written = saveChartAsPng(*mChart, path);
    } else if (suffix == QLatin1String("pdf")) {
        written = saveChartAsPdf(*mChart, path);
    } else {
        // Any other name is a metafile, with its extension made ".wmf".
        target = TRChart::metafileName(path);
        written = mChart->ExportMetafile(path);
    }
    if (!written)
        mPrompts.showMessage(this, MessageKind::Error,
                             uiText(mState.language(), "ui.main.unable_to_export", {target}));
}

void TMainForm::FilePrintClick() {
    if (!mPrinter)
        mPrinter = std::make_unique<QPrinter>(QPrinter::HighResolution);
    if (!mPrompts.printDialog(this, *mPrinter))
        return;
    mPrinter->setDocName(QStringLiteral("QUIBEL"));
    printChart(*mChart, *mPrinter);
}

void TMainForm::FilePrintSetupClick() {
    if (!mPrinter)
        mPrinter = std::make_unique<QPrinter>(QPrinter::HighResolution);
    mPrompts.pageSetupDialog(this, *mPrinter);
}

void TMainForm::EditUndoClick() {
    // The undo request goes to the control with the keyboard focus, when it has an undo.
    QWidget* focus = QApplication::focusWidget();
    if (focus && focus->metaObject()->indexOfMethod("undo()") >= 0)
        QMetaObject::invokeMethod(focus, "undo");
}

void TMainForm::EditCopyClick() {
    mChart->CopyToClipboard();
}

void TMainForm::GeometryClick() {
    if (!openGeometryDialog())
        return;
    modelEdited();
    redrawSection(true);
}

void TMainForm::ForcesClick() {
    if (!openForcesDialog())
        return;
    modelEdited();
    redrawSection(false);
}

void TMainForm::MassesClick() {
    if (!openMassesDialog())
        return;
    modelEdited();
    redrawSection(false);
}

void TMainForm::TimeHistoryClick(HistoryKind kind) {
    // The history opened last becomes what the tool button opens.
    mDefaultHistory = kind;
    mHistoryButton->setToolTip(mHistoryDrop[historyIndex(kind)]->text());
    if (!openTimeHistoryDialog(kind))
        return;
    modelEdited();
    redrawSection(false);
}

void TMainForm::TimeHistoryButtonClick() {
    TimeHistoryClick(mDefaultHistory);
}

void TMainForm::OptionsClick() {
    if (!openOptionsDialog())
        return;
    modelEdited();
}

void TMainForm::AnalyseClick() {
    if (!modelComplete(mState.Model)) {
        mPrompts.showMessage(this, MessageKind::Warning, text("ui.main.model_incomplete"));
        return;
    }
    // The run uses the system the selector shows.
    mState.Model.UnitSystem = static_cast<UnitSystem>(mComboBoxUnits->currentIndex());
    bool started = false;
    {
        TAnalysisDlg dialog(mState, mPrompts, this, mStepFactory);
        dialog.exec();
        started = dialog.analysisStarted();
    }
    if (started)
        setFlag(mState.Model.ModelFlags, ModelFlag::ResultsValid, true);
    updateResultCommands();
    if (mRedrawAfterRun) {
        mRedrawAfterRun = false;
        redrawSection(false);
    }
}

void TMainForm::resultsGate(bool (TMainForm::*openView)()) {
    if (!resultsAvailable(mState.Model)) {
        mPrompts.showMessage(this, MessageKind::Information, text("ui.main.no_results"));
        return;
    }
    (this->*openView)();
}

void TMainForm::ComputedDataClick() {
    resultsGate(&TMainForm::openComputedDataView);
}
void TMainForm::ResultHistoriesClick() {
    resultsGate(&TMainForm::openResultsView);
}
void TMainForm::AnimationClick() {
    resultsGate(&TMainForm::openAnimationView);
}

void TMainForm::ComboBoxUnitsChange(int index) {
    if (index < 0 || index > 3 || mState.AnalysisRunning)
        return;
    const auto system = static_cast<UnitSystem>(index);
    if (system == mState.Model.UnitSystem)
        return;
    changeUnitSystem(mState.Model, system);
    redrawSection(true);
}

void TMainForm::setMouseAction(int mode) {
    static constexpr TMouseAction kActions[3] = {TMouseAction::maNone, TMouseAction::maPan,
                                                 TMouseAction::maZoomWindPos};
    mChart->setMouseAction(kActions[mode]);
}

void TMainForm::chartZoomPan() {
    mChart->setIsometric(true);
    if (mChart->MouseAction() == TMouseAction::maZoomWindPos)
        mChart->ShowGraph();
}

void TMainForm::chartMouseMove(bool inChart, double x, double y) {
    (void)inChart;
    mLabelX->setText(QStringLiteral("X = ") + fixedNumber(x, 9, 3));
    mLabelElev->setText(QStringLiteral("Elev. = ") + fixedNumber(y, 9, 3));
}

void TMainForm::FullViewClick() {
    redrawSection(true);
}

void TMainForm::HelpContentsClick() {
    HelpWindow::forWindow(this, mState.language())->showContents();
}

void TMainForm::HelpSearchClick() {
    HelpWindow::forWindow(this, mState.language())->showSearch();
}

void TMainForm::HelpHowToClick() {
    HelpWindow::forWindow(this, mState.language())->showHowToUse();
}

void TMainForm::AboutClick() {
    AboutDialog about(mState.language(), this);
    about.exec();
}

} // namespace quibel
