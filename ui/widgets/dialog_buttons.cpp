// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/dialog_buttons.h"

#include "ui/widgets/ui_text.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>

#include <string>

namespace quibel {

DialogButtons makeDialogButtons(QWidget* dialog, Language language, std::string_view textPrefix) {
    auto button = [&](const char* name, std::string_view suffix) {
        const std::string key = std::string(textPrefix) + std::string(suffix);
        auto* b = new QPushButton(uiText(language, key), dialog);
        b->setObjectName(QLatin1String(name));
        return b;
    };
    DialogButtons buttons;
    buttons.ok = button("ok_button", ".ok");
    buttons.cancel = button("cancel_button", ".cancel");
    buttons.help = button("help_button", ".help");
    buttons.cancel->setAutoDefault(false);
    buttons.help->setAutoDefault(false);
    buttons.row = new QHBoxLayout;
    buttons.row->addStretch(1);
    buttons.row->addWidget(buttons.ok);
    buttons.row->addWidget(buttons.cancel);
    buttons.row->addWidget(buttons.help);
    return buttons;
}

void setUpDialogFrame(QDialog& dialog, const char* objectName, const QString& title) {
    dialog.setObjectName(QLatin1String(objectName));
    dialog.setWindowTitle(title);
    dialog.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint);
}

} // namespace quibel
