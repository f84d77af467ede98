// SPDX-License-Identifier: GPL-3.0-or-later
// The windows the main window's commands open. Each input dialog edits a copy of what it
// shows and writes it back into the model only on OK, returning true; the command then marks
// the model unsaved and redraws. A result view only reads the result series.
#include "ui/main_window/main_window.h"

#include "ui/histories/time_history_dialog.h"
#include "ui/input/analysis_options_dialog.h"
#include "ui/input/forces_dialog.h"
#include "ui/input/geometry_dialog.h"
#include "ui/results/animation_dialog.h"
#include "ui/results/data_dialog.h"
#include "ui/results/results_dialog.h"
#include "ui/widgets/application_state.h"
#include "ui/widgets/user_prompts.h"

namespace quibel {

namespace {
// The input dialogs show their messages through the main window's prompts.
NoticeHandler promptsNotices(UserPrompts& prompts) {
    return [&prompts](QWidget* parent, MessageKind kind, const QString& text) {
        prompts.showMessage(parent, kind, text);
    };
}

bool editAddedItems(ApplicationState& state, UserPrompts& prompts, AddedItemKind kind,
                    QWidget* parent) {
    ForcesDialog dialog(state.Model, kind, state.language(), parent);
    dialog.setNoticeHandler(promptsNotices(prompts));
    if (dialog.exec() != QDialog::Accepted)
        return false;
    dialog.applyTo(state.Model);
    return true;
}
} // namespace

bool MainWindow::openGeometryDialog() {
    GeometryDialog dialog(mState.Model, mState.language(), this);
    dialog.setNoticeHandler(promptsNotices(mPrompts));
    if (dialog.exec() != QDialog::Accepted)
        return false;
    dialog.applyTo(mState.Model);
    return true;
}

bool MainWindow::openForcesDialog() {
    return editAddedItems(mState, mPrompts, AddedItemKind::Forces, this);
}

bool MainWindow::openMassesDialog() {
    return editAddedItems(mState, mPrompts, AddedItemKind::Masses, this);
}

bool MainWindow::openTimeHistoryDialog(HistoryKind kind) {
    TimeHistoryDialog dialog(mState.Model, kind, mState.language(), mPrompts, this);
    return dialog.exec() == QDialog::Accepted;
}

bool MainWindow::openOptionsDialog() {
    AnalysisOptionsDialog dialog(mState.Model, mState.language(), this);
    dialog.setNoticeHandler(promptsNotices(mPrompts));
    if (dialog.exec() != QDialog::Accepted)
        return false;
    dialog.applyTo(mState.Model);
    return true;
}

bool MainWindow::openComputedDataView() {
    DataDialog dialog(mState.Model, mState.language(), mPrompts, this);
    dialog.exec();
    return false;
}

bool MainWindow::openResultsView() {
    ResultsDialog dialog(mState.Model, mState.language(), mPrompts, this);
    dialog.exec();
    return false;
}

bool MainWindow::openAnimationView() {
    AnimationDialog dialog(mState.Model, mState.language(), this);
    dialog.exec();
    return false;
}

} // namespace quibel
