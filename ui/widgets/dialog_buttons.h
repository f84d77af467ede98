// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "texts/text_catalogue.h"

#include <QString>

#include <string_view>

class QDialog;
class QHBoxLayout;
class QPushButton;
class QWidget;

namespace quibel {

/// The OK, Cancel and Help buttons of an input dialog and the row that holds them at its
/// right. Named "ok_button", "cancel_button" and "help_button", with the catalogue texts of
/// the keys textPrefix + ".ok", ".cancel" and ".help"; Cancel and Help never become the
/// default button, how OK does is left to the dialog.
struct DialogButtons {
    QPushButton* ok = nullptr;
    QPushButton* cancel = nullptr;
    QPushButton* help = nullptr;
    QHBoxLayout* row = nullptr;
};

DialogButtons makeDialogButtons(QWidget* dialog, Language language, std::string_view textPrefix);

/// Names dialog, gives it title and a title bar with only a close box (no help or
/// minimise boxes), as the input dialogs have.
void setUpDialogFrame(QDialog& dialog, const char* objectName, const QString& title);

} // namespace quibel
