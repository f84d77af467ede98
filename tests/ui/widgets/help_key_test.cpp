// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/help_key.h"

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

using namespace quibel;

// F1 anywhere in a dialog presses its Help button, whichever of the two names it has; a
// dialog without one, or F1 with a modifier, is left alone.
TEST(HelpKeyFilterTest, F1PressesTheDialogsHelpButton) {
    HelpKeyFilter filter;
    qApp->installEventFilter(&filter);
    for (const char* name : {"help_button", "HelpBtn", "other_button"}) {
        SCOPED_TRACE(name);
        QDialog dialog;
        auto* edit = new QLineEdit(&dialog);
        auto* help = new QPushButton(QStringLiteral("Help"), &dialog);
        help->setObjectName(QLatin1String(name));
        auto* layout = new QVBoxLayout(&dialog);
        layout->addWidget(edit);
        layout->addWidget(help);
        int clicks = 0;
        QObject::connect(help, &QPushButton::clicked, [&clicks] { ++clicks; });
        dialog.show();
        edit->setFocus();
        QTest::keyClick(edit, Qt::Key_F1);
        QTest::keyClick(edit, Qt::Key_F1, Qt::ShiftModifier);
        EXPECT_EQ(clicks, QLatin1String(name) == QLatin1String("other_button") ? 0 : 1);
    }
    qApp->removeEventFilter(&filter);
}
