// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/results/stream_text_file.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>

using namespace quibel;

namespace {

constexpr std::size_t kLines = 20000;

// "line 0\n" to "line 19999\n".
TextRows numberedLines() {
    return {kLines, [](std::size_t i, std::string& out) {
                out += "line ";
                out += std::to_string(i);
                out += '\n';
            }};
}

QByteArray contents(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<absent>");
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

} // namespace

// Cancelled midway, with or without an earlier file of that name: the folder holds afterwards
// exactly what it held before, and while the export ran the name never showed a part of it.
TEST(StreamTextFileTest, CancelledExportLeavesNoFileAndTheEarlierOneWhole) {
    for (const bool earlier : {false, true}) {
        SCOPED_TRACE(earlier ? "over an earlier file" : "new file");
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("results.csv"));
        if (earlier)
            writeFile(path, "old results\n");
        const QByteArray before = contents(path);
        int calls = 0;
        const ExportOutcome outcome = streamTextFile(
            path, numberedLines(),
            [&](std::size_t done, std::size_t total) {
                EXPECT_EQ(total, kLines);
                EXPECT_EQ(contents(path), before) << "at line " << done;
                ++calls;
                return done < kLines / 2;
            },
            nullptr);
        EXPECT_EQ(outcome, ExportOutcome::Cancelled);
        EXPECT_GT(calls, 1);
        EXPECT_EQ(contents(path), before);
        const QStringList left = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);
        EXPECT_EQ(left, earlier ? QStringList{QStringLiteral("results.csv")} : QStringList{});
    }
}

TEST(StreamTextFileTest, CompleteExportReplacesTheFileOnlyAtTheEnd) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("results.txt"));
    writeFile(path, "old results\n");
    std::size_t last = 0;
    const ExportOutcome outcome = streamTextFile(
        path, numberedLines(),
        [&](std::size_t done, std::size_t) {
            if (done < kLines) {
                EXPECT_EQ(contents(path), QByteArray("old results\n")) << "at line " << done;
            }
            last = done;
            return true;
        },
        nullptr);
    ASSERT_EQ(outcome, ExportOutcome::Written);
    EXPECT_EQ(last, kLines);
    const QByteArray written = contents(path);
    // 10 lines of 7 characters, 90 of 8, 900 of 9, 9000 of 10 and 10000 of 11.
    EXPECT_EQ(written.size(), 10 * 7 + 90 * 8 + 900 * 9 + 9000 * 10 + 10000 * 11);
    EXPECT_TRUE(written.startsWith("line 0\nline 1\n"));
    EXPECT_TRUE(written.endsWith("line 19998\nline 19999\n"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

TEST(StreamTextFileTest, FolderThatCannotBeWrittenIsAFailureWithItsReason) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("no-such-folder/results.csv"));
    QString reason;
    EXPECT_EQ(streamTextFile(path, numberedLines(), {}, &reason), ExportOutcome::Failed);
    EXPECT_FALSE(reason.isEmpty());
    EXPECT_FALSE(QFile::exists(path));
}
