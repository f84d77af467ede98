// SPDX-License-Identifier: GPL-3.0-or-later
// The commands of the main window other than the file commands: pictures of the drawing,
// the model dialogs' follow-up, the analysis and results gates, units, language and help.
#include "ui/main_window/main_window.h"

#include "chart/chart_export.h"
#include "chart/chart_widget.h"
#include "documents/dam_section_drawing.h"
#include "model/model_flags.h"
#include "model/unit_change.h"
#include "ui/main_window/about_dialog.h"
#include "ui/main_window/analysis_gate.h"
#include "ui/main_window/model_snapshot_command.h"
#include "ui/main_window/user_settings.h"
#include "ui/widgets/application_state.h"
#include "ui/widgets/help_topics.h"
#include "ui/widgets/help_window.h"
#include "ui/widgets/ui_text.h"
#include "ui/widgets/user_prompts.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QToolButton>
#include <QUndoStack>

#include <cmath>

namespace quibel {

void MainWindow::redrawSection(bool fullView) {
    drawDamSection(*mChart, mState.Model, fullView, mState.language());
}

void MainWindow::modelEdited(std::string_view labelKey) {
    setModelSaved(false);
    ModelSnapshot after = modelSnapshot(mState.Model);
    // A dialog closed with OK and nothing changed leaves the inputs as they were: the edit
    // shares them instead of holding a second copy of a record of millions of samples.
    if (mCommitted && *after == *mCommitted)
        after = mCommitted;
    mUndoStack->push(new ModelSnapshotCommand(
        mState.Model, std::move(mCommitted), after, text(labelKey).remove(QLatin1Char('&')),
        [this](const ModelSnapshot& restored) { editUndoneOrRedone(restored); }));
    mCommitted = std::move(after);
    updateResultCommands();
}

void MainWindow::restartUndo() {
    mUndoStack->clear();
    mCommitted = modelSnapshot(mState.Model);
    updateUndoCommands();
}

void MainWindow::editUndoneOrRedone(const ModelSnapshot& restored) {
    mCommitted = restored;
    setModelSaved(false);
    showUnitSystem();
    updateResultCommands();
    redrawSection(true);
}

void MainWindow::updateUndoCommands() {
    const auto set = [this](const char* name, bool can, std::string_view plain,
                            std::string_view named, const QString& label) {
        QAction* a = findChild<QAction*>(QLatin1String(name));
        a->setEnabled(can);
        a->setText(can ? uiText(mState.language(), named, {label}) : text(plain));
    };
    set("ActionUndo", mUndoStack->canUndo(), "ui.main.undo", "ui.main.undo_named",
        mUndoStack->undoText());
    set("ActionRedo", mUndoStack->canRedo(), "ui.main.redo", "ui.main.redo_named",
        mUndoStack->redoText());
}

void MainWindow::exportImage() {
    FileDialogSpec spec;
    spec.title = text("ui.main.export_image");
    spec.filters = {text("ui.main.filter.wmf"), text("ui.main.filter.svg"),
                    text("ui.main.filter.png"), text("ui.main.filter.pdf")};
    spec.defaultSuffix = QStringLiteral("wmf");
    const QString folder = QStringLiteral("Images");
    spec.directory = mSettings.readLastFolder(folder);
    const QString path = mPrompts.saveFileName(this, spec);
    rememberFolder(folder, path);
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
        target = ChartWidget::metafileName(path);
        written = mChart->ExportMetafile(path);
    }
    if (!written)
        mPrompts.showMessage(this, MessageKind::Error,
                             uiText(mState.language(), "ui.main.unable_to_export", {target}));
}

void MainWindow::printDrawing() {
    if (!mPrinter)
        mPrinter = std::make_unique<QPrinter>(QPrinter::HighResolution);
    if (!mPrompts.printDialog(this, *mPrinter))
        return;
    mPrinter->setDocName(QStringLiteral("QUIBEL"));
    printChart(*mChart, *mPrinter);
}

void MainWindow::setUpPrinter() {
    if (!mPrinter)
        mPrinter = std::make_unique<QPrinter>(QPrinter::HighResolution);
    mPrompts.pageSetupDialog(this, *mPrinter);
}

void MainWindow::undoInFocus() {
    // The undo request goes to the control with the keyboard focus, when it has an undo.
    auto* edit = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    if (edit && edit->isUndoAvailable()) {
        edit->undo();
        return;
    }
    mUndoStack->undo();
}

void MainWindow::redoEdit() {
    mUndoStack->redo();
}

void MainWindow::copyDrawing() {
    mChart->copyToClipboard();
}

void MainWindow::editGeometry() {
    if (!openGeometryDialog())
        return;
    modelEdited("ui.main.geometry");
    redrawSection(true);
}

void MainWindow::editForces() {
    if (!openForcesDialog())
        return;
    modelEdited("ui.main.forces");
    redrawSection(false);
}

void MainWindow::editMasses() {
    if (!openMassesDialog())
        return;
    modelEdited("ui.main.masses");
    redrawSection(false);
}

void MainWindow::editTimeHistory(HistoryKind kind) {
    // The history opened last becomes what the tool button opens.
    mDefaultHistory = kind;
    const auto drop =
        findChild<QAction*>(QStringLiteral("ActionHistoryDrop%1").arg(historyIndex(kind)));
    mHistoryButton->setToolTip(drop->text());
    if (!openTimeHistoryDialog(kind))
        return;
    modelEdited("ui.main.histories");
    redrawSection(false);
}

void MainWindow::editLastTimeHistory() {
    editTimeHistory(mDefaultHistory);
}

void MainWindow::editOptions() {
    if (!openOptionsDialog())
        return;
    modelEdited("ui.main.options");
}

void MainWindow::runAnalysis() {
    if (!modelComplete(mState.Model)) {
        // The Part's text first, then one line for each thing still to do.
        QStringList lines{text("ui.main.model_incomplete")};
        for (std::string_view key : missingForAnalysis(mState.Model))
            lines.append(text(key));
        mPrompts.showMessage(this, MessageKind::Warning, lines.join(QLatin1Char('\n')));
        return;
    }
    if (!largeRunAccepted())
        return;
    // The run uses the system the selector shows.
    mState.Model.UnitSystem = static_cast<UnitSystem>(mUnitSelector->currentIndex());
    bool started = false;
    {
        ProgressDialog dialog(mState, mPrompts, this, mStepFactory);
        dialog.exec();
        started = dialog.analysisStarted();
        if (started)
            mLastRun = dialog.runLog();
    }
    if (started)
        setFlag(mState.Model.ModelFlags, ModelFlag::ResultsValid, true);
    updateResultCommands();
    if (mRedrawAfterRun) {
        mRedrawAfterRun = false;
        redrawSection(false);
    }
}

bool MainWindow::largeRunAccepted() {
    if (!(mState.Model.Options.TimeStep > 0.0) || !(mState.Model.Options.SaveStep > 0.0))
        return true; // the run's own checks refuse it
    const ResultMemory m = resultMemory(mState.Model);
    if (m.bytes <= kLargeResultBytes)
        return true;
    constexpr double kMegabyte = 1e6;
    const QString question =
        uiText(mState.language(), "large.memory_warning",
               {QString::number(std::llround(static_cast<double>(m.bytes) / kMegabyte)),
                QString::number(m.samples), QString::number(m.series),
                QString::number(m.sufficientSaveStep, 'g', 6),
                QString::number(std::llround(static_cast<double>(kLargeResultBytes) / kMegabyte))});
    return mPrompts.askYesNoCancel(this, question) == YesNoCancel::Yes;
}

void MainWindow::resultsGate(bool (MainWindow::*openView)()) {
    if (!resultsAvailable(mState.Model)) {
        mPrompts.showMessage(this, MessageKind::Information, text("ui.main.no_results"));
        return;
    }
    (this->*openView)();
}

void MainWindow::showComputedData() {
    resultsGate(&MainWindow::openComputedDataView);
}
void MainWindow::showResultHistories() {
    resultsGate(&MainWindow::openResultsView);
}
void MainWindow::showAnimation() {
    resultsGate(&MainWindow::openAnimationView);
}

void MainWindow::selectUnitSystem(int index) {
    if (index < 0 || index > 3 || mState.AnalysisRunning)
        return;
    const auto system = static_cast<UnitSystem>(index);
    if (system == mState.Model.UnitSystem)
        return;
    changeUnitSystem(mState.Model, system);
    modelEdited("ui.main.undo_units");
    redrawSection(true);
}

void MainWindow::setChartMouseMode(ChartMouseMode mode) {
    static constexpr MouseAction kActions[3] = {MouseAction::None, MouseAction::Pan,
                                                MouseAction::ZoomWindow};
    mChart->setMouseAction(kActions[static_cast<int>(mode)]);
}

void MainWindow::chartZoomPan() {
    mChart->setIsometric(true);
    if (mChart->mouseAction() == MouseAction::ZoomWindow)
        mChart->showGraph();
}

void MainWindow::chartMouseMove(bool inChart, double x, double y) {
    (void)inChart;
    mXLabel->setText(QStringLiteral("X = ") + fixedNumber(x, 9, 3));
    mElevationLabel->setText(QStringLiteral("Elev. = ") + fixedNumber(y, 9, 3));
}

void MainWindow::showFullView() {
    redrawSection(true);
}

void MainWindow::showHelpContents() {
    HelpWindow::forWindow(this, mState.language())->showContents();
}

void MainWindow::showHelpSearch() {
    HelpWindow::forWindow(this, mState.language())->showSearch();
}

void MainWindow::showHelpHowTo() {
    HelpWindow::forWindow(this, mState.language())->showHowToUse();
}

void MainWindow::showAbout() {
    AboutDialog about(mState.language(), this);
    about.exec();
}

} // namespace quibel
