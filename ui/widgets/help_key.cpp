// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/help_key.h"

#include "ui/widgets/help_window.h"

#include <QAbstractButton>
#include <QDialog>
#include <QKeyEvent>
#include <QShortcut>

namespace quibel {

namespace {
QAbstractButton* helpButton(const QWidget& dialog) {
    for (const char* name : {"help_button", "HelpBtn"})
        if (auto* b = dialog.findChild<QAbstractButton*>(QLatin1String(name)))
            return b;
    return nullptr;
}
} // namespace

bool HelpKeyFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_F1 || key->modifiers() != Qt::NoModifier)
        return false;
    auto* dialog = qobject_cast<QDialog*>(static_cast<QWidget*>(watched)->window());
    QAbstractButton* help = dialog ? helpButton(*dialog) : nullptr;
    if (!help || !help->isEnabled())
        return false;
    help->click();
    return true;
}

void addHelpShortcut(QWidget& window, Language language, int context) {
    auto* key = new QShortcut(QKeySequence(Qt::Key_F1), &window);
    key->setObjectName(QStringLiteral("HelpShortcut"));
    QObject::connect(key, &QShortcut::activated, &window,
                     [&window, language, context] { showHelp(&window, language, context); });
}

} // namespace quibel
