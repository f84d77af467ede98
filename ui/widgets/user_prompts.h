// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/run/run_host.h"

#include <QString>
#include <QStringList>

class QPrinter;
class QWidget;

namespace quibel {

struct ApplicationState;

/// What a file dialog shows: title, filters ("Name (*.ext)"), the extension added to a name
/// typed without one, and for a save dialog whether to ask before overwriting.
struct FileDialogSpec final {
    QString title;
    QStringList filters;
    QString defaultSuffix;
    QString directory{}; ///< the folder the dialog opens in; empty: the dialog's own choice
};

/// The answer to the three-button question of the close prompt.
enum class YesNoCancel { Yes, No, Cancel };

/// Every modal question the windows put to the user: message boxes, file choosers and the
/// print dialogs. The windows never open them directly, so tests substitute a scripted user
/// and never see a native dialog.
class UserPrompts {
public:
    virtual ~UserPrompts() = default;

    /// A message box with one OK button and the icon of kind.
    virtual void showMessage(QWidget* parent, MessageKind kind, const QString& text) = 0;
    /// A question with Yes, No and Cancel.
    virtual YesNoCancel askYesNoCancel(QWidget* parent, const QString& text) = 0;
    /// A question of a run, with the buttons it names (OK stops the run).
    virtual QuestionAnswer askRunQuestion(QWidget* parent, const QString& text,
                                          QuestionButtons buttons) = 0;
    /// The chosen file, or an empty string when the user cancels.
    virtual QString openFileName(QWidget* parent, const FileDialogSpec& spec) = 0;
    /// The chosen file (with the default suffix added, overwriting confirmed), or empty.
    /// selectedFilter receives the index of the filter in use when it is not null.
    virtual QString saveFileName(QWidget* parent, const FileDialogSpec& spec,
                                 int* selectedFilter = nullptr) = 0;
    /// The system print dialog; true when the user asks to print.
    virtual bool printDialog(QWidget* parent, QPrinter& printer) = 0;
    /// The printer set-up dialog; true when the user accepts it.
    virtual bool pageSetupDialog(QWidget* parent, QPrinter& printer) = 0;
};

/// The real dialogs: QMessageBox with buttons in the user's language, QFileDialog,
/// QPrintDialog and QPageSetupDialog.
class QtUserPrompts final : public UserPrompts {
public:
    explicit QtUserPrompts(const ApplicationState& state) : mState(state) {}

    void showMessage(QWidget* parent, MessageKind kind, const QString& text) override;
    YesNoCancel askYesNoCancel(QWidget* parent, const QString& text) override;
    QuestionAnswer askRunQuestion(QWidget* parent, const QString& text,
                                  QuestionButtons buttons) override;
    QString openFileName(QWidget* parent, const FileDialogSpec& spec) override;
    QString saveFileName(QWidget* parent, const FileDialogSpec& spec,
                         int* selectedFilter = nullptr) override;
    bool printDialog(QWidget* parent, QPrinter& printer) override;
    bool pageSetupDialog(QWidget* parent, QPrinter& printer) override;

private:
    const ApplicationState& mState;
};

} // namespace quibel
