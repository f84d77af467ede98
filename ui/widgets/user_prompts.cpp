// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/user_prompts.h"

#include "ui/widgets/application_state.h"
#include "ui/widgets/ui_text.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>

namespace quibel {

namespace {
QMessageBox::Icon iconOf(MessageKind kind) {
    switch (kind) {
    case MessageKind::Error:
        return QMessageBox::Critical;
    case MessageKind::Warning:
        return QMessageBox::Warning;
    case MessageKind::Information:
        break;
    }
    return QMessageBox::Information;
}

const char* titleKey(MessageKind kind) {
    switch (kind) {
    case MessageKind::Error:
        return "ui.box.error";
    case MessageKind::Warning:
        return "ui.box.warning";
    case MessageKind::Information:
        break;
    }
    return "ui.box.information";
}
} // namespace

void QtUserPrompts::showMessage(QWidget* parent, MessageKind kind, const QString& text) {
    const Language l = mState.language();
    QMessageBox box(iconOf(kind), uiText(l, titleKey(kind)), text, QMessageBox::NoButton, parent);
    box.setObjectName(QStringLiteral("MessageBox"));
    box.addButton(uiText(l, "ui.box.ok"), QMessageBox::AcceptRole);
    box.exec();
}

YesNoCancel QtUserPrompts::askYesNoCancel(QWidget* parent, const QString& text) {
    const Language l = mState.language();
    QMessageBox box(QMessageBox::Question, uiText(l, "ui.box.confirm"), text, QMessageBox::NoButton,
                    parent);
    box.setObjectName(QStringLiteral("MessageBox"));
    QPushButton* yes = box.addButton(uiText(l, "ui.box.yes"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(uiText(l, "ui.box.no"), QMessageBox::NoRole);
    QPushButton* cancel = box.addButton(uiText(l, "ui.box.cancel"), QMessageBox::RejectRole);
    box.setDefaultButton(yes);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == yes)
        return YesNoCancel::Yes;
    if (box.clickedButton() == no)
        return YesNoCancel::No;
    return YesNoCancel::Cancel;
}

QuestionAnswer QtUserPrompts::askRunQuestion(QWidget* parent, const QString& text,
                                             QuestionButtons buttons) {
    const Language l = mState.language();
    QMessageBox box(QMessageBox::Question, uiText(l, "ui.box.confirm"), text, QMessageBox::NoButton,
                    parent);
    box.setObjectName(QStringLiteral("MessageBox"));
    QPushButton* other = nullptr;
    QPushButton* ok = nullptr;
    if (buttons == QuestionButtons::NoOk) {
        other = box.addButton(uiText(l, "ui.box.no"), QMessageBox::NoRole);
        ok = box.addButton(uiText(l, "ui.box.ok"), QMessageBox::AcceptRole);
    } else {
        ok = box.addButton(uiText(l, "ui.box.ok"), QMessageBox::AcceptRole);
        other = box.addButton(uiText(l, "ui.box.cancel"), QMessageBox::RejectRole);
    }
    box.setEscapeButton(other);
    box.exec();
    return box.clickedButton() == ok ? QuestionAnswer::Stop : QuestionAnswer::Continue;
}

QString QtUserPrompts::openFileName(QWidget* parent, const FileDialogSpec& spec) {
    QFileDialog dialog(parent, spec.title);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(spec.filters);
    if (!spec.directory.isEmpty())
        dialog.setDirectory(spec.directory);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

QString QtUserPrompts::saveFileName(QWidget* parent, const FileDialogSpec& spec,
                                    int* selectedFilter) {
    QFileDialog dialog(parent, spec.title);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(spec.filters);
    dialog.setDefaultSuffix(spec.defaultSuffix);
    if (!spec.directory.isEmpty())
        dialog.setDirectory(spec.directory);
    // A name typed without extension gets the extension of the filter in use.
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& f) {
        const qsizetype star = f.indexOf(QLatin1String("*."));
        const qsizetype end = f.indexOf(QLatin1Char(')'), star);
        if (star >= 0 && end > star)
            dialog.setDefaultSuffix(f.mid(star + 2, end - star - 2));
    });
    // QFileDialog asks before overwriting unless told otherwise.
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    if (selectedFilter)
        *selectedFilter = static_cast<int>(spec.filters.indexOf(dialog.selectedNameFilter()));
    return dialog.selectedFiles().constFirst();
}

bool QtUserPrompts::printDialog(QWidget* parent, QPrinter& printer) {
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

bool QtUserPrompts::pageSetupDialog(QWidget* parent, QPrinter& printer) {
    QPageSetupDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace quibel
