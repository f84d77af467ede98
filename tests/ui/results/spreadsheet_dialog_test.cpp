// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/results/spreadsheet_dialog.h"

#include "dialog_test_support.h"
#include "result_models.h"
#include "scripted_prompts.h"
#include "ui/results/frozen_column_table.h"
#include "ui/results/grid_text_export.h"
#include "ui/results/workbook_export.h"
#include "workbook_reader.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QPrinter>
#include <QProgressDialog>
#include <QScrollBar>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using namespace quibel;
using namespace quibel::test;

namespace {

using S = ResultSeries;

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

/// A sliding run of three samples with hand values: a slide of 1 mm then 2.5 mm.
TBlocStatic threeSamples() {
    return resultModel(AnalysisKind::Sliding, 3, [](S s, int k) {
        if (s == S::SlidingDisp)
            return k == 1 ? 0.0 : k == 2 ? 0.001 : 0.0025;
        if (s == S::SlidingSF)
            return 1.5;
        return 0.0;
    });
}

} // namespace

TEST(SpreadsheetDialogTest, TimeColumnHasTheDecimalsOfTheSaveStep) {
    struct Case {
        double saveStep;
        const char* first;
        const char* second;
    } cases[] = {{0.01, "0.000", "0.010"}, {0.001, "0.0000", "0.0010"}, {0.5, "0.0", "0.5"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.saveStep);
        TBlocStatic m = resultModel(AnalysisKind::Sliding, 3);
        m.Options.SaveStep = c.saveStep;
        ScriptedPrompts prompts;
        SpreadsheetDialog dlg(m, Language::English, prompts);
        EXPECT_EQ(dlg.cellText(2, 0), QLatin1String(c.first));
        EXPECT_EQ(dlg.cellText(3, 0), QLatin1String(c.second));
    }
}

TEST(SpreadsheetDialogTest, SlidingSheetHasTitlesUnitsAndEnergyErrors) {
    ScriptedPrompts prompts;
    const TBlocStatic model = threeSamples();
    SpreadsheetDialog dlg(model, Language::English, prompts);
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Spreadsheet"));
    ASSERT_EQ(dlg.sheetColumns(), 14);
    EXPECT_EQ(dlg.sheetRows(), 5);
    EXPECT_EQ(dlg.cellText(0, 0), QStringLiteral("Time"));
    EXPECT_EQ(dlg.cellText(1, 0), QStringLiteral("(sec)"));
    EXPECT_EQ(dlg.cellText(1, 3), QStringLiteral("(m/sec²)"));
    EXPECT_EQ(dlg.cellText(3, 1), QStringLiteral("0.00100000"));
    // The first sample, with every energy 0, has no energy error.
    EXPECT_EQ(dlg.cellText(2, 12), QStringLiteral("0.00000000"));
    EXPECT_EQ(dlg.cellText(2, 13), QStringLiteral("0.00000000"));
    // Titles and units head the view's columns and stay in view.
    EXPECT_EQ(dlg.table().model()->headerData(4, Qt::Horizontal).toString(),
              QStringLiteral("Sliding safety factor\n"));
    EXPECT_TRUE(dlg.table().alternatingRowColors());
    EXPECT_TRUE(dlg.table().horizontalHeader()->sectionsMovable());

    TBlocStatic inch = threeSamples();
    inch.UnitSystem = UnitSystem::InLbLb;
    SpreadsheetDialog french(inch, Language::French, prompts);
    EXPECT_EQ(french.windowTitle(), QStringLiteral("Feuille de données"));
    EXPECT_EQ(french.cellText(1, 5), QStringLiteral("(lb·in)"));
}

TEST(SpreadsheetDialogTest, NumbersFollowTheRegionalDecimalSeparator) {
    ScopedLocale french(QLocale(QLocale::French, QLocale::France));
    ScriptedPrompts prompts;
    const TBlocStatic model = threeSamples();
    SpreadsheetDialog dlg(model, Language::French, prompts);
    EXPECT_EQ(dlg.cellText(3, 0), QStringLiteral("0,010"));
    EXPECT_EQ(dlg.table().model()->index(1, 1).data().toString(), QStringLiteral("0,00100000"));
}

TEST(SpreadsheetDialogTest, CsvAndTextExportsWriteEveryRow) {
    QTemporaryDir dir;
    ScriptedPrompts prompts;
    const TBlocStatic model = threeSamples();
    SpreadsheetDialog dlg(model, Language::English, prompts);
    const QString csv = dir.filePath(QStringLiteral("grid.csv"));
    const QString txt = dir.filePath(QStringLiteral("grid.txt"));
    prompts.saveNames = {csv, txt};
    dlg.exportCsv();
    dlg.exportText();
    ASSERT_EQ(prompts.fileDialogs.size(), 2u);
    EXPECT_EQ(prompts.fileDialogs[0].title,
              QStringLiteral("Save grid in a semicolon-separated values file:"));
    EXPECT_EQ(prompts.fileDialogs[1].title, QStringLiteral("Save grid in a text file:"));
    const QList<QByteArray> lines = fileBytes(csv).split('\n');
    ASSERT_EQ(lines.size(), 6); // five rows and the empty rest after the last line end
    EXPECT_TRUE(lines[0].startsWith("Time;Sliding;Sliding velocity;")) << lines[0].toStdString();
    EXPECT_TRUE(lines[1].startsWith("(sec);(m);(m/sec);(m/sec²);;(kN·m);"))
        << lines[1].toStdString();
    EXPECT_TRUE(lines[4].startsWith("0.020;0.00250000;0.00000000;0.00000000;1.50000000;"))
        << lines[4].toStdString();
    EXPECT_TRUE(lines[4].endsWith("\r"));

    const QList<QByteArray> text = fileBytes(txt).split('\n');
    ASSERT_EQ(text.size(), 6);
    // Every column as wide as its longest cell: "Time" and "0.020" give 5 characters.
    EXPECT_TRUE(text[0].startsWith("Time  Sliding    Sliding velocity")) << text[0].toStdString();
    EXPECT_TRUE(text[4].startsWith("0.020 0.00250000       0.00000000")) << text[4].toStdString();
    EXPECT_TRUE(prompts.messages.empty());
}

TEST(SpreadsheetDialogTest, CopiesTheWholeSheetOrTheSelection) {
    ScriptedPrompts prompts;
    const TBlocStatic model = threeSamples();
    SpreadsheetDialog dlg(model, Language::English, prompts);
    dlg.copySheet();
    const QStringList rows = QApplication::clipboard()->text().split(QLatin1Char('\n'));
    ASSERT_EQ(rows.size(), 6);
    EXPECT_TRUE(rows[0].startsWith(QStringLiteral("Time\tSliding\tSliding velocity\t")));
    EXPECT_EQ(rows[2].split(QLatin1Char('\t')).size(), 14);

    QTableView& table = dlg.table();
    const QModelIndex from = table.model()->index(1, 0);
    const QModelIndex to = table.model()->index(2, 1);
    table.selectionModel()->select(QItemSelection(from, to), QItemSelectionModel::ClearAndSelect);
    dlg.copySelection();
    EXPECT_EQ(QApplication::clipboard()->text(),
              QStringLiteral("0.010\t0.00100000\n0.020\t0.00250000\n"));
}

TEST(SpreadsheetDialogTest, FindSelectsTheNextCellThatHoldsTheText) {
    ScriptedPrompts prompts;
    const TBlocStatic model = threeSamples();
    SpreadsheetDialog dlg(model, Language::English, prompts);
    ASSERT_TRUE(dlg.findNext(QStringLiteral("1.5")));
    EXPECT_EQ(dlg.table().currentIndex().row(), 0);
    EXPECT_EQ(dlg.table().currentIndex().column(), 4);
    ASSERT_TRUE(dlg.findNext(QStringLiteral("1.5")));
    EXPECT_EQ(dlg.table().currentIndex().row(), 1);
    ASSERT_TRUE(dlg.findNext(QStringLiteral("0.0025")));
    EXPECT_EQ(dlg.table().currentIndex().row(), 2);
    EXPECT_EQ(dlg.table().currentIndex().column(), 1);
    // From the last sample the search starts again at the top.
    ASSERT_TRUE(dlg.findNext(QStringLiteral("1.5")));
    EXPECT_EQ(dlg.table().currentIndex().row(), 2);
    ASSERT_TRUE(dlg.findNext(QStringLiteral("1.5")));
    EXPECT_EQ(dlg.table().currentIndex().row(), 0);
    EXPECT_FALSE(dlg.findNext(QStringLiteral("no such text")));
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].text, QStringLiteral("\"no such text\" was not found."));
}

// The workbook read back by an independent reader: the titles and units as text, the values
// as the very numbers of the grid.
TEST(SpreadsheetDialogTest, WorkbookHoldsTextRowsAndNumbers) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("grid.xlsx"));
    ScriptedPrompts prompts;
    prompts.saveNames.push_back(path);
    const TBlocStatic model = threeSamples();
    SpreadsheetDialog dlg(model, Language::French, prompts);
    dlg.exportWorkbook();
    ASSERT_TRUE(prompts.messages.empty());
    EXPECT_EQ(prompts.fileDialogs.at(0).title,
              QStringLiteral("Sauvegarder la feuille dans un fichier Microsoft Excel"));
    EXPECT_FALSE(QFileInfo::exists(path + QStringLiteral(".part")));

    const QStringList rows = workbookLines(path);
    ASSERT_EQ(rows.size(), 5);
    const QStringList titles = rows[0].split(QLatin1Char('\t'));
    ASSERT_EQ(titles.size(), 14);
    EXPECT_EQ(titles[0], QStringLiteral("s:Temps"));
    EXPECT_EQ(titles[3], QStringLiteral("s:Accélération du glissement"));
    const QStringList units = rows[1].split(QLatin1Char('\t'));
    EXPECT_EQ(units[1], QStringLiteral("s:(m)"));
    EXPECT_EQ(units[4], QString()); // the safety factor has no unit
    const QStringList last = rows[4].split(QLatin1Char('\t'));
    ASSERT_EQ(last.size(), 14);
    EXPECT_EQ(last[0], QStringLiteral("n:0.02"));
    EXPECT_EQ(last[1], QStringLiteral("n:0.0025"));
    EXPECT_EQ(last[4], QStringLiteral("n:1.5"));
}

TEST(SpreadsheetDialogTest, WorkbookThatCannotBeWrittenIsReported) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("no-such-folder/grid.xlsx"));
    ScriptedPrompts prompts;
    prompts.saveNames.push_back(path);
    const TBlocStatic model = threeSamples();
    SpreadsheetDialog dlg(model, Language::English, prompts);
    dlg.exportWorkbook();
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].kind, MessageKind::Error);
    EXPECT_TRUE(prompts.messages[0].text.startsWith(QStringLiteral("Unable to write the file ")));
    EXPECT_FALSE(QFileInfo::exists(path));
}

TEST(SpreadsheetDialogTest, CentreOfMassColumnsEqualTheSlidingWithoutRotation) {
    TBlocStatic m = resultModel(AnalysisKind::SlidingAndRocking, 5, [](S s, int k) {
        return s == S::SlidingDisp ? 0.001 * k : s == S::SlidingVel ? 0.002 * k : 0.0;
    });
    m.Beta = 7; // the centre of mass moves with the block along the plane when theta = 0
    ScriptedPrompts prompts;
    SpreadsheetDialog dlg(m, Language::English, prompts);
    ASSERT_EQ(dlg.sheetColumns(), 21);
    for (int row = 2; row < dlg.sheetRows(); ++row) {
        EXPECT_EQ(dlg.cellText(row, 1), dlg.cellText(row, 4)) << row;
        EXPECT_EQ(dlg.cellText(row, 2), dlg.cellText(row, 5)) << row;
    }
}

// 30 s saved every 0.01 s: the view measures only the first rows (times below 10 s), yet the
// Time column holds "30.000"; once at the last cell (Ctrl+End) the times are still in view.
TEST(SpreadsheetDialogTest, TimeColumnFitsTheLastTimeAndStaysInViewAtTheEnd) {
    TBlocStatic m = resultModel(AnalysisKind::Sliding, 3001);
    m.Options.SaveStep = 0.01;
    ScriptedPrompts prompts;
    SpreadsheetDialog dlg(m, Language::English, prompts);
    ASSERT_EQ(dlg.cellText(dlg.sheetRows() - 1, 0), QStringLiteral("30.000"));
    FrozenColumnTable& table = dlg.table();
    const QFontMetrics metrics(table.font());
    EXPECT_GT(table.columnWidth(0), metrics.horizontalAdvance(QStringLiteral("30.000")));

    dlg.resize(420, 300);
    dlg.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
    table.setFocus();
    QTest::keyClick(&table, Qt::Key_End, Qt::ControlModifier);
    const QModelIndex current = table.currentIndex();
    EXPECT_EQ(current.row(), 3000);
    EXPECT_EQ(current.column(), 13);
    EXPECT_GT(table.horizontalScrollBar()->value(), 0);
    QTableView& frozen = table.frozenView();
    ASSERT_TRUE(frozen.isVisible());
    EXPECT_EQ(frozen.columnWidth(0), table.columnWidth(0));
    // The frozen column lies over the left of the sheet and shows the time of the current row.
    const QRect cell = table.visualRect(current);
    const QModelIndex shown = frozen.indexAt(QPoint(4, cell.center().y()));
    EXPECT_EQ(shown.row(), 3000);
    EXPECT_EQ(shown.column(), 0);
    EXPECT_EQ(frozen.mapTo(&table, QPoint(0, 0)).x(),
              table.viewport()->mapTo(&table, QPoint(0, 0)).x());
}

// Cancel pressed as soon as the export starts: neither the text files nor the workbook exist.
TEST(SpreadsheetDialogTest, CancelledExportsLeaveNoFile) {
    struct Case {
        const char* name;
        void (SpreadsheetDialog::*run)();
    } cases[] = {{"grid.csv", &SpreadsheetDialog::exportCsv},
                 {"grid.txt", &SpreadsheetDialog::exportText},
                 {"grid.xlsx", &SpreadsheetDialog::exportWorkbook}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        const QString path = dir.filePath(QLatin1String(c.name));
        ScriptedPrompts prompts;
        prompts.saveNames.push_back(path);
        const TBlocStatic model = threeSamples();
        SpreadsheetDialog dlg(model, Language::French, prompts);
        bool pressed = false;
        QTimer::singleShot(0, &dlg, [&] {
            auto* window = dlg.findChild<QProgressDialog*>(QStringLiteral("ExportProgress"));
            ASSERT_NE(window, nullptr);
            EXPECT_EQ(window->labelText(), QStringLiteral("Écriture de %1...").arg(c.name));
            window->cancel();
            pressed = true;
        });
        (dlg.*c.run)();
        EXPECT_TRUE(pressed);
        EXPECT_TRUE(prompts.messages.empty());
        EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).isEmpty());
    }
}

// One row more than a worksheet holds: the user hears of it before choosing a name.
TEST(SpreadsheetDialogTest, WorkbookTooLongForAWorksheetIsToldBeforeTheFileDialog) {
    ScriptedPrompts prompts;
    const TBlocStatic model = resultModel(AnalysisKind::Sliding, kWorkbookMaxRows - 1);
    SpreadsheetDialog dlg(model, Language::English, prompts);
    ASSERT_EQ(dlg.sheetRows(), kWorkbookMaxRows + 1);
    dlg.exportWorkbook();
    EXPECT_TRUE(prompts.fileDialogs.empty());
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].kind, MessageKind::Warning);
    EXPECT_EQ(prompts.messages[0].text,
              QStringLiteral("The results have 1048577 rows; a worksheet holds at most 1048576.\n"
                             "Export them as a CSV file instead (File, Export to file, CSV)."));
}

TEST(SpreadsheetDialogTest, PrintPutsTheSheetOnPages) {
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("sheet.pdf"));
    ScriptedPrompts prompts;
    prompts.printToPdf(pdf);
    const TBlocStatic model = threeSamples();
    SpreadsheetDialog dlg(model, Language::English, prompts);
    dlg.printSheet();
    // Five lines fit on one page.
    EXPECT_EQ(pdfPages(pdf), 1);
    EXPECT_TRUE(prompts.messages.empty());
}
