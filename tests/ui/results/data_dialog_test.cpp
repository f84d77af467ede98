// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/results/data_dialog.h"

#include "dialog_test_support.h"
#include "scripted_prompts.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QFileInfo>
#include <QFontInfo>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace quibel;
using namespace quibel::test;

namespace {

TBlocStatic rockingModel() {
    TBlocStatic m = startupModel();
    m.AnalysisKind = AnalysisKind::Rocking;
    return m;
}

} // namespace

TEST(DataDialogTest, ShowsTheReportInAnEditableFixedPitchBox) {
    ScriptedPrompts prompts;
    DataDialog dlg(rockingModel(), Language::English, prompts);
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Computed data"));
    QPlainTextEdit& memo = dlg.memo();
    EXPECT_FALSE(memo.isReadOnly());
    EXPECT_EQ(memo.lineWrapMode(), QPlainTextEdit::NoWrap);
    EXPECT_TRUE(QFontInfo(memo.font()).fixedPitch());
    const QStringList lines = memo.toPlainText().split(QLatin1Char('\n'));
    ASSERT_GT(lines.size(), 25);
    EXPECT_EQ(lines[0], QStringLiteral("ANALYSIS TYPE:"));
    EXPECT_EQ(lines[1], QStringLiteral("  Rocking"));
    EXPECT_EQ(lines.last(), QStringLiteral("    Downstream coefficient :             0.300"));

    DataDialog french(rockingModel(), Language::French, prompts);
    EXPECT_EQ(french.windowTitle(), QStringLiteral("Computed data"));
    EXPECT_TRUE(french.memo().toPlainText().startsWith(QStringLiteral("TYPE D'ANALYSE:\n")));
}

TEST(DataDialogTest, NumbersFollowTheRegionalDecimalSeparator) {
    ScopedLocale french(QLocale(QLocale::French, QLocale::France));
    ScriptedPrompts prompts;
    DataDialog dlg(rockingModel(), Language::French, prompts);
    EXPECT_TRUE(dlg.memo().toPlainText().contains(
        QStringLiteral("  Masse du bloc :                                 398,000 ton\n")));
}

// Save As writes the text as the user edited it, in UTF-8, one line per line.
TEST(DataDialogTest, SaveAsWritesTheEditedLines) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("report.txt"));
    ScriptedPrompts prompts;
    prompts.saveNames.push_back(path);
    DataDialog dlg(rockingModel(), Language::French, prompts);
    dlg.memo().setPlainText(QStringLiteral("Épaisseur\nligne 2"));
    dlg.saveAs();
    ASSERT_EQ(prompts.fileDialogs.size(), 1u);
    EXPECT_EQ(prompts.fileDialogs[0].title, QStringLiteral("Sauvegarder sous..."));
    EXPECT_EQ(prompts.fileDialogs[0].filters,
              QStringList{QStringLiteral("Fichiers textes (*.txt)")});
    EXPECT_EQ(prompts.fileDialogs[0].defaultSuffix, QStringLiteral("txt"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("\xC3\x89paisseur\nligne 2\n"));
    EXPECT_TRUE(prompts.messages.empty());
}

TEST(DataDialogTest, SaveToAnUnwritablePlaceIsReportedAndWritesNothing) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("no-such-folder/report.txt"));
    ScriptedPrompts prompts;
    prompts.saveNames.push_back(path);
    DataDialog dlg(rockingModel(), Language::English, prompts);
    dlg.saveAs();
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].kind, MessageKind::Error);
    EXPECT_TRUE(prompts.messages[0].text.startsWith(QStringLiteral("Unable to write the file ") +
                                                    path + QStringLiteral(".")));
    EXPECT_FALSE(QFileInfo::exists(path));
}

TEST(DataDialogTest, PrintingErrorIsShownAndTheWindowStays) {
    QTemporaryDir dir;
    for (Language language : {Language::English, Language::French}) {
        ScriptedPrompts prompts;
        DataDialog dlg(rockingModel(), language, prompts);
        dlg.printer().setOutputFormat(QPrinter::PdfFormat);
        dlg.printer().setOutputFileName(dir.filePath(QStringLiteral("no-such-folder/out.pdf")));
        EXPECT_FALSE(dlg.printReport());
        ASSERT_EQ(prompts.messages.size(), 1u);
        EXPECT_EQ(prompts.messages[0].kind, MessageKind::Error);
        EXPECT_EQ(prompts.messages[0].text, language == Language::English
                                                ? QStringLiteral("Printing error!")
                                                : QStringLiteral("Erreur d'impression!"));
    }
    ScriptedPrompts prompts;
    DataDialog dlg(rockingModel(), Language::English, prompts);
    const QString pdf = dir.filePath(QStringLiteral("report.pdf"));
    dlg.printer().setOutputFormat(QPrinter::PdfFormat);
    dlg.printer().setOutputFileName(pdf);
    EXPECT_TRUE(dlg.printReport());
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_GT(QFileInfo(pdf).size(), 0);
}

TEST(DataDialogTest, CopyTakesOnlyTheSelection) {
    ScriptedPrompts prompts;
    DataDialog dlg(rockingModel(), Language::English, prompts);
    QApplication::clipboard()->setText(QStringLiteral("before"));
    dlg.copyToClipboard();
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("before"));
    QTextCursor cursor = dlg.memo().textCursor();
    cursor.setPosition(0);
    cursor.setPosition(8, QTextCursor::KeepAnchor);
    dlg.memo().setTextCursor(cursor);
    dlg.copyToClipboard();
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("ANALYSIS"));
}
