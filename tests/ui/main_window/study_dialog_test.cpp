// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main_window/study_dialog.h"

#include "model/model_flags.h"
#include "model/project_file.h"
#include "model/project_record.h"

#include <QDir>
#include <QLabel>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>

using namespace quibel;

namespace {

// A dry block on a level plane with friction angles of 30 degrees under a 1 g sine scaled to
// three levels, 3 friction samples each: 9 short cases.
class StudyDialogTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(mDir.isValid());
        TBlocStatic m = startupModel();
        m.Hr = 0;
        m.U = 0;
        m.Beta = 0;
        m.PhiS = m.PhiD = 30;
        m.ModelFlags = ModelFlag::GeometryComplete | ModelFlag::HorizontalAccDefined;
        WriteToFile(m, mDir.filePath("dam.qbl").toStdString());
        std::ofstream record(mDir.filePath("a.txt").toStdString());
        for (int i = 0; i <= 400; ++i)
            record << i * 0.005 << ' ' << std::sin(2 * 3.14159265358979 * 2 * i * 0.005) << '\n';
        std::ofstream(mDir.filePath("s.toml").toStdString()) << R"(project = "dam.qbl"
[intensity]
measure = "pga"
levels = [0.3, 0.6, 0.9]
[[records]]
name = "a"
file = "a.txt"
format = "pairs"
[parameters]
PhiS = { distribution = "uniform", min = 20, max = 40 }
[sampling]
count = 3
[[limits]]
response = "peak_sliding"
above = "0 m"
)";
    }

    QTemporaryDir mDir;
};

bool waitForEnd(StudyDialog& dialog, QSignalSpy& ended) {
    return !dialog.running() || ended.count() > 0 || ended.wait(120000);
}

TEST_F(StudyDialogTest, RunsTheStudyAndShowsItsCurves) {
    StudyDialog dialog(mDir.filePath("s.toml"), Language::English);
    QSignalSpy ended(&dialog, &StudyDialog::studyEnded);
    dialog.start(QStringLiteral(QUIBEL_CLI_PATH));
    ASSERT_TRUE(waitForEnd(dialog, ended));
    ASSERT_EQ(ended.count(), 1);
    EXPECT_EQ(ended.at(0).at(0).toInt(), 0);
    EXPECT_EQ(dialog.caseCount(), 9);
    EXPECT_EQ(dialog.casesDone(), 9);
    EXPECT_EQ(dialog.chartNames(),
              QStringList({"fragility-peak_sliding", "incremental-a-peak_sliding"}));
    EXPECT_TRUE(dialog.findChild<QLabel*>("StudyStatus")->text().contains("9 cases: 1 records"));
}

TEST_F(StudyDialogTest, StoppedStudyGoesOnWhenRunAgain) {
    {
        StudyDialog dialog(mDir.filePath("s.toml"), Language::French);
        QSignalSpy ended(&dialog, &StudyDialog::studyEnded);
        dialog.start(QStringLiteral(QUIBEL_CLI_PATH));
        dialog.stop();
        ASSERT_TRUE(waitForEnd(dialog, ended));
        EXPECT_EQ(ended.at(0).at(0).toInt(), -1);
        EXPECT_TRUE(dialog.chartNames().isEmpty());
        EXPECT_TRUE(dialog.findChild<QLabel*>("StudyStatus")->text().startsWith("Arrêtée après"));
    }
    StudyDialog again(mDir.filePath("s.toml"), Language::English);
    QSignalSpy ended(&again, &StudyDialog::studyEnded);
    again.start(QStringLiteral(QUIBEL_CLI_PATH));
    ASSERT_TRUE(waitForEnd(again, ended));
    EXPECT_EQ(ended.at(0).at(0).toInt(), 0);
    EXPECT_EQ(again.casesDone(), 9);
    EXPECT_EQ(again.chartNames().size(), 2);
}

} // namespace
