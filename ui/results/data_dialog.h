// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/project_record.h"
#include "texts/text_catalogue.h"

#include <QDialog>

#include <memory>

class QPlainTextEdit;
class QPrinter;

namespace quibel {

class UserPrompts;

/// The "Computed data" window: the computed-data report of the model in a fixed-pitch text
/// box that the user may edit, with Save As (text file), Print, Copy, Close and Help. The
/// report is made once, when the window opens, from the model as it is then.
class DataDialog final : public QDialog {
    Q_OBJECT
public:
    /// prompts must outlive the window.
    DataDialog(const TBlocStatic& model, Language language, UserPrompts& prompts,
               QWidget* parent = nullptr);
    ~DataDialog() override;

    /// Writes the lines of the text box to a text file the user names (UTF-8, one line per
    /// line); a file that cannot be written is reported and any earlier one is kept.
    void saveAs();
    /// Prints the lines of the text box on printer() as plain fixed-pitch text; a failure shows
    /// "Printing error!" and keeps the window open. Returns whether it printed.
    bool printReport();
    /// Copies the selected text to the clipboard (nothing when nothing is selected).
    void copyToClipboard();
    void showHelpPage();

    /// The default printer, which tests may point at a file.
    QPrinter& printer() noexcept { return *mPrinter; }
    QPlainTextEdit& memo() const noexcept { return *mMemo; }

private:
    Language mLanguage;
    UserPrompts& mPrompts;
    std::unique_ptr<QPrinter> mPrinter;
    QPlainTextEdit* mMemo = nullptr;
};

} // namespace quibel
