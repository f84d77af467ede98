// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "texts/text_catalogue.h"

#include <QObject>

class QWidget;

namespace quibel {

/// F1 in a dialog presses the dialog's Help button (named "help_button" or "HelpBtn"), so that
/// every dialog opens its own help page from the keyboard, as the main window does. Installed
/// once on the application; windows that give F1 a shortcut of their own keep it.
class HelpKeyFilter final : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

/// F1 in window opens the help page of context in language: for the windows that have no Help
/// button to press.
void addHelpShortcut(QWidget& window, Language language, int context);

} // namespace quibel
