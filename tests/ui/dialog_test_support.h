// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/widgets/dialog_notice.h"
#include "ui/widgets/numeric_edit.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QLocale>
#include <QRadioButton>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <ostream>
#include <utility>
#include <vector>

/// Readable QStrings in the failure messages.
inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

namespace quibel::test {

/// Makes a shown window the active one and waits for it, so that focus and key events behave
/// as for a user (a dialog opened by another one included).
inline bool activate(QWidget& window) {
    QApplication::setActiveWindow(&window);
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window);
}

/// Shows a window and makes it active.
inline bool showActive(QWidget& window) {
    window.show();
    return activate(window);
}

/// The child of parent named name, of type T (nullptr when there is none).
template <class T>
T* child(const QObject& parent, const char* name) {
    return parent.findChild<T*>(QString::fromLatin1(name));
}

/// Clicks a button where a user would: a radio button or check box on its indicator (its
/// clickable part ends with its text), any other button in its middle.
inline void clickButton(QAbstractButton* button) {
    ASSERT_NE(button, nullptr);
    if (qobject_cast<QRadioButton*>(button) || qobject_cast<QCheckBox*>(button))
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
    else
        QTest::mouseClick(button, Qt::LeftButton);
}

/// Gives edit the focus as Tab would (which selects its text), types text over it and leaves
/// with Tab.
inline void typeInto(NumericEdit* edit, const QString& text) {
    ASSERT_NE(edit, nullptr);
    edit->setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(edit->hasFocus()) << edit->objectName().toStdString();
    edit->selectAll();
    QTest::keyClicks(edit, text);
    QTest::keyClick(edit, Qt::Key_Tab);
}

/// The message boxes a dialog would have shown.
struct NoticeLog {
    std::vector<std::pair<MessageKind, QString>> shown;
    NoticeHandler handler() {
        return [this](QWidget*, MessageKind kind, const QString& text) {
            shown.emplace_back(kind, text);
        };
    }
};

/// Regional settings for the lifetime of the object.
class ScopedLocale {
public:
    explicit ScopedLocale(const QLocale& locale) : mPrevious(QLocale()) {
        QLocale::setDefault(locale);
    }
    ~ScopedLocale() { QLocale::setDefault(mPrevious); }
    ScopedLocale(const ScopedLocale&) = delete;
    ScopedLocale& operator=(const ScopedLocale&) = delete;

private:
    QLocale mPrevious;
};

} // namespace quibel::test
