// SPDX-License-Identifier: GPL-3.0-or-later
// Analysis > Study...: a study file run by the command-line tool, in a window of its own.
#include "ui/main_window/main_window.h"
#include "ui/main_window/study_dialog.h"
#include "ui/widgets/application_state.h"
#include "ui/widgets/ui_text.h"
#include "ui/widgets/user_prompts.h"

namespace quibel {

void MainWindow::runStudy() {
    const Language language = mState.language();
    FileDialogSpec spec;
    spec.title = uiText(language, "ui.study.open");
    spec.filters = {uiText(language, "ui.study.filter")};
    const QString path = mPrompts.openFileName(this, spec);
    if (path.isEmpty())
        return;
    const QString cli = StudyDialog::findCli();
    if (cli.isEmpty()) {
        mPrompts.showMessage(this, MessageKind::Error, uiText(language, "ui.study.no_cli"));
        return;
    }
    StudyDialog dialog(path, language, this);
    dialog.start(cli);
    dialog.exec();
}

} // namespace quibel
