// The windows the main window's commands open. Each input dialog edits a copy of what it
// shows and writes it back into the model only on OK, returning true; the command then marks
// the model unsaved and redraws. A result view only reads the result series.
#include "ui/main_window.h"

#include "ui/analysis_options_dialog.h"
#include "ui/animation_dialog.h"
#include "ui/application_state.h"
#include "ui/data_dialog.h"
#include "ui/forces_dialog.h"
#include "ui/geometry_dialog.h"
#include "ui/results_dialog.h"
#include "ui/time_history_dialog.h"
#include "ui/user_prompts.h"

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
    TForcesDlg dialog(state.Model, kind, state.language(), parent);
    dialog.setNoticeHandler(promptsNotices(prompts));
    if (dialog.exec() != QDialog::Accepted)
        return false;
    dialog.applyTo(state.Model);
    return true;
}
} // namespace

bool TMainForm::openGeometryDialog() {
    TGeometryDlg dialog(mState.Model, mState.language(), this);
    dialog.setNoticeHandler(promptsNotices(mPrompts));
    if (dialog.exec() != QDialog::Accepted)
        return false;
    dialog.applyTo(mState.Model);
    return true;
}

bool TMainForm::openForcesDialog() {
    return editAddedItems(mState, mPrompts, AddedItemKind::Forces, this);
}

bool TMainForm::openMassesDialog() {
    return editAddedItems(mState, mPrompts, AddedItemKind::Masses, this);
}

bool TMainForm::openTimeHistoryDialog(HistoryKind kind) {
    TTimeHistoryDlg dialog(mState.Model, kind, mState.language(), mPrompts, this);
    return dialog.exec() == QDialog::Accepted;
}

bool TMainForm::openOptionsDialog() {
    TAnalysisOptionsDlg dialog(mState.Model, mState.language(), this);
    dialog.setNoticeHandler(promptsNotices(mPrompts));
    if (dialog.exec() != QDialog::Accepted)
        return false;
    dialog.applyTo(mState.Model);
    return true;
}

bool TMainForm::openComputedDataView() {
    TDataDlg dialog(mState.Model, mState.language(), mPrompts, this);
    dialog.exec();
    return false;
}

bool TMainForm::openResultsView() {
    TResultsDlg dialog(mState.Model, mState.language(), mPrompts, this);
    dialog.exec();
    return false;
}

bool TMainForm::openAnimationView() {
    TAnimationDlg dialog(mState.Model, mState.language(), this);
    dialog.exec();
    return false;
}

} // namespace quibel
