// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop program never crashes on a bad file: damaged project files opened in the main
// window, damaged text records imported and damaged workbooks opened in the time-history
// dialog are each refused with a message, and the model stays exactly as it was.
#include "dialog_test_support.h"
#include "model/project_file.h"
#include "scripted_prompts.h"
#include "ui/histories/file_format_dialog.h"
#include "ui/histories/time_history_dialog.h"
#include "ui/main_window/main_window.h"
#include "ui/main_window/user_settings.h"
#include "ui/widgets/application_state.h"

#include <QByteArray>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using namespace quibel;
using quibel::test::child;
using quibel::test::ScriptedPrompts;

namespace {

const QString kExample = QStringLiteral(QUIBEL_SOURCE_DIR "/examples/startup.qbl");
const QString kTestBook = QStringLiteral(QUIBEL_TEST_DATA_DIR "/earthquakes-test.xls");

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString write(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
    const QString path = dir.filePath(name);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return path;
}

// Damaged copies of good: cut at several places, with bytes overwritten in the middle, and
// plain garbage.
std::vector<std::pair<std::string, QByteArray>> damagedCopies(const QByteArray& good) {
    std::vector<std::pair<std::string, QByteArray>> corpus{
        {"empty", QByteArray()},
        {"garbage", QByteArray(3000, '\xA7')},
        {"zeros", QByteArray(good.size(), '\0')},
    };
    for (int percent : {1, 10, 50, 90, 99})
        corpus.emplace_back("cut at " + std::to_string(percent) + " %",
                            good.left(static_cast<int>(good.size() * percent / 100)));
    for (int percent : {5, 40, 75}) {
        QByteArray spoilt = good;
        const int at = static_cast<int>(spoilt.size() * percent / 100);
        for (int i = at; i < std::min<int>(at + 64, static_cast<int>(spoilt.size())); ++i)
            spoilt[i] = static_cast<char>(0xFF);
        corpus.emplace_back("overwritten at " + std::to_string(percent) + " %", spoilt);
    }
    return corpus;
}

} // namespace

TEST(DamagedInputsTest, DamagedProjectFilesAreRefusedAndTheModelStays) {
    QTemporaryDir dir;
    UserSettings settings(dir.filePath(QStringLiteral("settings.ini")));
    ApplicationState state;
    ScriptedPrompts prompts;
    MainWindow window(state, prompts, settings);
    window.show();
    window.openDroppedFiles({kExample});
    ASSERT_TRUE(prompts.messages.empty());
    const std::vector<unsigned char> before = serializeProject(state.Model);

    auto corpus = damagedCopies(contents(kExample));
    // A project holds fixed fields before its series: zeros, or bytes overwritten inside those
    // fields, still make a well-formed record (of odd values, which the checks of a run then
    // refuse), so only the cut and foreign files are damaged for the reader.
    std::erase_if(corpus, [](const auto& entry) {
        return entry.first == "zeros" || entry.first.starts_with("overwritten");
    });
    for (const char* name : {"truncated-in-history.qbl", "huge-sample-count.qbl"})
        corpus.emplace_back(
            name, contents(QStringLiteral(QUIBEL_TEST_DATA_DIR "/") + QLatin1String(name)));
    for (const auto& [name, bytes] : corpus) {
        SCOPED_TRACE(name);
        prompts.messages.clear();
        window.openDroppedFiles({write(dir, QStringLiteral("damaged.qbl"), bytes)});
        ASSERT_EQ(prompts.messages.size(), 1u);
        EXPECT_EQ(prompts.messages[0].kind, MessageKind::Error);
        EXPECT_FALSE(prompts.messages[0].text.isEmpty());
        EXPECT_EQ(serializeProject(state.Model), before);
        EXPECT_EQ(QString::fromStdString(state.Model.FileName), kExample);
    }
}

TEST(DamagedInputsTest, DamagedTextRecordsAreRefusedAndTheHistoryStays) {
    QTemporaryDir dir;
    const QByteArray good = contents(QStringLiteral(QUIBEL_TEST_DATA_DIR "/batch/pulse-pairs.txt"));
    auto corpus = damagedCopies(good);
    corpus.emplace_back("a word among the numbers", QByteArray("0 0.1\n0.01 zero\n"));
    corpus.emplace_back("binary", QByteArray::fromHex("7f454c460201010000000000"));
    for (const auto& [name, bytes] : corpus) {
        SCOPED_TRACE(name);
        TBlocStatic model = startupModel();
        const std::vector<unsigned char> before = serializeProject(model);
        ScriptedPrompts prompts;
        prompts.openNames.push_back(write(dir, QStringLiteral("record.txt"), bytes));
        TimeHistoryDialog dialog(model, HistoryKind::HorizontalAcceleration, Language::English,
                                 prompts);
        const TimeHistoryRecord history = dialog.workingCopy();
        dialog.setDialogRunner([](QDialog& d) {
            if (qobject_cast<FileFormatDialog*>(&d) != nullptr)
                child<QPushButton>(d, "ButtonOk")->click();
            return d.result();
        });
        dialog.loadFromFile();
        // Cut copies of a good file may still be good files, only shorter.
        if (prompts.messages.empty())
            continue;
        ASSERT_EQ(prompts.messages.size(), 1u);
        EXPECT_EQ(prompts.messages[0].kind, MessageKind::Warning);
        EXPECT_EQ(dialog.workingCopy(), history);
        EXPECT_EQ(serializeProject(model), before);
    }
}

TEST(DamagedInputsTest, DamagedWorkbooksAreRefusedAndTheHistoryStays) {
    for (const auto& [name, bytes] : damagedCopies(contents(kTestBook))) {
        SCOPED_TRACE(name);
        QTemporaryDir folder;
        write(folder, QStringLiteral("Earthquakes - horizontal.xls"), bytes);
        write(folder, QStringLiteral("Earthquakes - vertical.xls"), bytes);
        TBlocStatic model = startupModel();
        const std::vector<unsigned char> before = serializeProject(model);
        ScriptedPrompts prompts;
        TimeHistoryDialog dialog(model, HistoryKind::HorizontalAcceleration, Language::English,
                                 prompts);
        const TimeHistoryRecord history = dialog.workingCopy();
        int treesShown = 0;
        dialog.setDialogRunner([&](QDialog&) {
            ++treesShown; // a workbook that still reads: the user picks nothing
            return int(QDialog::Rejected);
        });
        dialog.setDatabaseFolder(folder.path());
        dialog.openDatabase();
        if (treesShown == 0) {
            ASSERT_EQ(prompts.messages.size(), 1u);
            EXPECT_EQ(prompts.messages[0].kind, MessageKind::Error);
        }
        EXPECT_EQ(dialog.workingCopy(), history);
        EXPECT_EQ(serializeProject(model), before);
    }
}
