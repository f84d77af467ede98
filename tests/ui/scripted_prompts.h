// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/widgets/user_prompts.h"

#include <QFile>
#include <QPrinter>
#include <QString>

#include <deque>
#include <functional>
#include <utility>
#include <vector>

namespace quibel::test {

/// A user who answers every box and file dialog from a script and remembers what was asked.
/// A question with no scripted answer gets Cancel (or Continue, or an empty file name).
class ScriptedPrompts final : public UserPrompts {
public:
    struct Shown {
        MessageKind kind;
        QString text;
    };
    std::vector<Shown> messages;
    std::vector<QString> questions;
    std::vector<FileDialogSpec> fileDialogs;

    std::deque<YesNoCancel> yesNoCancelAnswers;
    std::deque<QuestionAnswer> runAnswers;
    std::deque<QString> openNames;
    std::deque<QString> saveNames;
    bool acceptPrint = true;
    /// Called with the printer before a print dialog is accepted (to print to a file).
    std::function<void(QPrinter&)> preparePrinter;
    /// Prints to the PDF file pdf from now on.
    void printToPdf(const QString& pdf) {
        preparePrinter = [pdf](QPrinter& printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdf);
        };
    }
    /// Called after every message box, with its text (to act as the user at that moment).
    std::function<void(const QString&)> onMessage;

    void showMessage(QWidget*, MessageKind kind, const QString& text) override {
        messages.push_back({kind, text});
        if (onMessage)
            onMessage(text);
    }
    YesNoCancel askYesNoCancel(QWidget*, const QString& text) override {
        questions.push_back(text);
        return take(yesNoCancelAnswers, YesNoCancel::Cancel);
    }
    QuestionAnswer askRunQuestion(QWidget*, const QString& text, QuestionButtons) override {
        questions.push_back(text);
        return take(runAnswers, QuestionAnswer::Continue);
    }
    QString openFileName(QWidget*, const FileDialogSpec& spec) override {
        fileDialogs.push_back(spec);
        return take(openNames, QString());
    }
    QString saveFileName(QWidget*, const FileDialogSpec& spec, int*) override {
        fileDialogs.push_back(spec);
        return take(saveNames, QString());
    }
    bool printDialog(QWidget*, QPrinter& printer) override {
        if (preparePrinter)
            preparePrinter(printer);
        return acceptPrint;
    }
    bool pageSetupDialog(QWidget*, QPrinter&) override { return true; }

    /// Texts of the message boxes shown so far.
    std::vector<QString> messageTexts() const {
        std::vector<QString> out;
        for (const Shown& s : messages)
            out.push_back(s.text);
        return out;
    }

private:
    template <class T>
    static T take(std::deque<T>& queue, T fallback) {
        if (queue.empty())
            return fallback;
        T v = std::move(queue.front());
        queue.pop_front();
        return v;
    }
};

/// The pages of the PDF file at path, as its page objects count them; -1 when it is no PDF.
inline int pdfPages(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray bytes = file.readAll();
    if (!bytes.startsWith("%PDF"))
        return -1;
    return static_cast<int>(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r"));
}

} // namespace quibel::test
