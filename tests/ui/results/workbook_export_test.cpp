// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/results/workbook_export.h"

#include "dialog_test_support.h"
#include "workbook_reader.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <vector>

#include <limits>

using namespace quibel;
using namespace quibel::test;

namespace {

/// Three columns, two of them with the same decimals: a title that XML must escape, units with
/// a "²" and none, and values whose texts are worked out by hand.
ResultGrid smallGrid() {
    ResultGrid grid;
    grid.columns.push_back({"Time", "(sec)", 3, {0.0, 0.1, 1234.5}});
    grid.columns.push_back({"Load \"A\" & <B>",
                            "(m/sec²)",
                            8,
                            {-2.5e-7, 1.0 / 3.0, std::numeric_limits<double>::quiet_NaN()}});
    grid.columns.push_back({"Accélération 'x'", "", 3, {-0.0, 1e21, 100.0}});
    return grid;
}

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

} // namespace

// Read back by two readers that share nothing: the titles and units as text, every number as
// the very double of the grid (1/3 keeps all its digits) shown with its column's decimals, -0
// as 0 and a value that is no number as the error #NUM!.
TEST(WorkbookExportTest, HoldsEscapedTextsAndTheNumbersOfTheGrid) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("grid.xlsx"));
    std::string error = "unchanged";
    ASSERT_TRUE(WriteGridWorkbook(smallGrid(), path.toStdString(), &error)) << error;
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("grid.xlsx")});
    const QStringList expected = {
        QStringLiteral("sheet:Results"),
        QStringLiteral("s:Time\ts:Load \"A\" & <B>\ts:Accélération 'x'"),
        QStringLiteral("s:(sec)\ts:(m/sec²)"),
        QStringLiteral("n:0.0|0.000\tn:-2.5e-07|0.00000000\tn:0.0|0.000"),
        QStringLiteral("n:0.1|0.000\tn:0.3333333333333333|0.00000000\tn:1e+21|0.000"),
        QStringLiteral("n:1234.5|0.000\te:#NUM!\tn:100.0|0.000"),
    };
    for (const QString& reader : {QString(), QStringLiteral("--openpyxl")}) {
        SCOPED_TRACE(reader.toStdString());
        QStringList options = {QStringLiteral("--sheet"), QStringLiteral("--formats")};
        if (!reader.isEmpty())
            options << reader;
        EXPECT_EQ(workbookLines(path, options), expected);
    }
}

TEST(WorkbookExportTest, CancelAtTheFirstProgressLeavesNoFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("grid.xlsx"));
    int calls = 0;
    std::string error = "unchanged";
    EXPECT_FALSE(WriteGridWorkbook(smallGrid(), path.toStdString(), &error,
                                   [&calls](std::size_t done, std::size_t total) {
                                       ++calls;
                                       EXPECT_EQ(done, 0u);
                                       EXPECT_EQ(total, 3u);
                                       return false;
                                   }));
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(error, "");
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).isEmpty());
}

// A workbook that cannot be written, for want of a file to write in, of room on the disk or of
// rows in a worksheet: the reason is told and the earlier file of that name is as it was.
TEST(WorkbookExportTest, FailureLeavesTheEarlierFileUntouched) {
    const ResultGrid small = smallGrid();
    ResultGrid tooLong;
    tooLong.columns.push_back({"Time", "(sec)", 3, std::vector<double>(kWorkbookMaxRows - 1)});
    struct Case {
        const char* name;
        bool partIsFolder;
        bool diskFull;
        const ResultGrid& grid;
    } cases[] = {{"the file beside cannot be made", true, false, small},
                 {"the disk is full", false, true, small},
                 {"more rows than a worksheet", false, false, tooLong}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("grid.xlsx"));
        const QString part = path + QStringLiteral(".part");
        {
            QFile earlier(path);
            ASSERT_TRUE(earlier.open(QIODevice::WriteOnly));
            earlier.write("earlier");
        }
        if (c.partIsFolder) {
            ASSERT_TRUE(QDir().mkdir(part));
        }
        if (c.diskFull) {
            ASSERT_TRUE(QFile::link(QStringLiteral("/dev/full"), part));
        }
        std::string error;
        EXPECT_FALSE(WriteGridWorkbook(c.grid, path.toStdString(), &error));
        EXPECT_NE(error, "");
        EXPECT_EQ(fileBytes(path), QByteArray("earlier"));
        // What was there before stays; what the export made is gone.
        EXPECT_EQ(QFileInfo(part).isDir(), c.partIsFolder);
        EXPECT_FALSE(QFileInfo(part).isSymLink());
    }
}

// Rows enough for the worksheet to be compressed in several pieces that must join into one
// stream: every row is read back, the last one too (value k / 8 in row k, exact in binary).
TEST(WorkbookExportTest, LongGridIsReadBackWhole) {
    constexpr int kRows = 100'000;
    std::vector<double> k(kRows), eighths(kRows);
    for (int r = 0; r < kRows; ++r) {
        k[static_cast<std::size_t>(r)] = r;
        eighths[static_cast<std::size_t>(r)] = r / 8.0;
    }
    ResultGrid grid;
    grid.columns.push_back({"k", "", 0, k});
    grid.columns.push_back({"k / 8", "(m)", 3, eighths});
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("long.xlsx"));
    std::string error;
    ASSERT_TRUE(WriteGridWorkbook(grid, path.toStdString(), &error)) << error;
    ASSERT_GT(QFileInfo(path).size(), 0);
    const QStringList lines = workbookLines(path);
    ASSERT_EQ(lines.size(), kRows + 2);
    EXPECT_EQ(lines[2], QStringLiteral("n:0.0\tn:0.0"));
    EXPECT_EQ(lines[3], QStringLiteral("n:1.0\tn:0.125"));
    EXPECT_EQ(lines.back(), QStringLiteral("n:99999.0\tn:12499.875"));
}
