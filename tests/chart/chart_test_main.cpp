// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>
#include <QLocale>

#include <gtest/gtest.h>

// The chart tests paint widgets, so they need an application. They run on the offscreen
// platform unless another is asked for, in English with "." as the decimal separator.
int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
