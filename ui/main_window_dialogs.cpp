// The windows the main window's commands open. Each input dialog edits a copy of what it
// shows and writes it back into the model only on OK, returning true; the command then marks
// the model unsaved and redraws. A result view only reads the result series.
//
// The dialogs come with their own parts of the program; until then a command opens nothing.
#include "ui/main_window.h"

#include "ui/animation_dialog.h"
#include "ui/application_state.h"
#include "ui/data_dialog.h"
#include "ui/results_dialog.h"
#include "ui/time_history_dialog.h"

namespace quibel {

bool TMainForm::openGeometryDialog() {
    return false;
}

bool TMainForm::openForcesDialog() {
    return false;
}

bool TMainForm::openMassesDialog() {
    return false;
}

bool TMainForm::openTimeHistoryDialog(HistoryKind kind) {
    TTimeHistoryDlg dialog(mState.Model, kind, mState.language(), mPrompts, this);
    return dialog.exec() == QDialog::Accepted;
}

bool TMainForm::openOptionsDialog() {
    return false;
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
