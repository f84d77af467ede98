// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main_window/file_forwarding.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace quibel;

// A second start hands its files, made absolute, to the copy that listens; with no copy
// listening it learns so at once and can tell the user.
TEST(FileForwardingTest, FilesReachTheRunningCopyAsAbsolutePaths) {
    QTemporaryDir dir;
    const QString name = dir.filePath(QStringLiteral("quibel.socket"));
    EXPECT_FALSE(forwardFiles(name, {QStringLiteral("a.qbl")}, 200));

    FileReceiver receiver(name);
    ASSERT_TRUE(receiver.listen());
    QSignalSpy received(&receiver, &FileReceiver::filesReceived);
    const QString relative = QStringLiteral("dam project.qbl");
    const QString absolute = dir.filePath(QStringLiteral("é.qbl"));
    ASSERT_TRUE(forwardFiles(name, {relative, absolute}));
    ASSERT_TRUE(received.wait(5000));
    const QStringList files = received.at(0).at(0).toStringList();
    EXPECT_EQ(files, (QStringList{QDir::current().absoluteFilePath(relative), absolute}));
}

// A socket left behind by a copy that crashed does not keep the next copy from listening.
TEST(FileForwardingTest, StaleSocketIsTakenOver) {
    QTemporaryDir dir;
    const QString name = dir.filePath(QStringLiteral("quibel.socket"));
    QFile leftOver(name);
    ASSERT_TRUE(leftOver.open(QIODevice::WriteOnly));
    leftOver.close();
    FileReceiver second(name);
    EXPECT_TRUE(second.listen());
}
