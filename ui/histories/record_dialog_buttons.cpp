// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/histories/record_dialog_buttons.h"

#include "ui/widgets/help_topics.h"
#include "ui/widgets/help_window.h"
#include "ui/widgets/ui_text.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>

namespace quibel {

QDialogButtonBox* makeRecordButtons(QDialog* dialog, Language language, QPushButton*& ok) {
    auto* buttons = new QDialogButtonBox(dialog);
    ok = buttons->addButton(uiText(language, "records.ui.ok"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("ButtonOk"));
    ok->setDefault(true);
    auto* cancel =
        buttons->addButton(uiText(language, "records.ui.cancel"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("ButtonCancel"));
    buttons->setCenterButtons(true);
    QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    addRecordHelpButton(buttons, dialog, language);
    return buttons;
}

void addRecordHelpButton(QDialogButtonBox* buttons, QDialog* dialog, Language language) {
    auto* help =
        buttons->addButton(uiText(language, "desktop.records.help"), QDialogButtonBox::HelpRole);
    help->setObjectName(QStringLiteral("HelpBtn"));
    help->setAutoDefault(false);
    QObject::connect(help, &QPushButton::clicked, dialog,
                     [dialog, language] { showHelp(dialog, language, HelpContext::FileFormat); });
}

} // namespace quibel
