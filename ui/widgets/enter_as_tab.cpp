// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/enter_as_tab.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QWidget>

namespace quibel {

EnterAsTab::EnterAsTab(QWidget* window) : QObject(window) {}

void EnterAsTab::install(QWidget* window) {
    auto* filter = new EnterAsTab(window);
    window->installEventFilter(filter);
    for (QWidget* child : window->findChildren<QWidget*>())
        child->installEventFilter(filter);
}

bool EnterAsTab::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
        return false;
    if (key->modifiers() & ~Qt::KeypadModifier)
        return false;
    // A Tab sent to the control takes the path of a real Tab key through the focus chain.
    QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
    QCoreApplication::sendEvent(watched, &tab);
    return true;
}

} // namespace quibel
