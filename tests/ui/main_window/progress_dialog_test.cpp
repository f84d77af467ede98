// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main_window/progress_dialog.h"

#include "model/result_series.h"
#include "scripted_analysis_step.h"
#include "scripted_prompts.h"
#include "ui/widgets/application_state.h"

#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

using namespace quibel;
using namespace quibel::test;

namespace {

AnalysisStepFactory scripted(std::function<void(ScriptedAnalysisStep&)> setUp = {}) {
    return [setUp](AnalysisKind) {
        auto step = std::make_unique<ScriptedAnalysisStep>();
        if (setUp)
            setUp(*step);
        return step;
    };
}

QString labelText(const ProgressDialog& dlg, const char* name) {
    auto* label = dlg.findChild<QLabel*>(QLatin1String(name));
    return label ? label->text() : QStringLiteral("<no %1>").arg(QLatin1String(name));
}

bool labelEnabled(const ProgressDialog& dlg, const char* name) {
    return dlg.findChild<QLabel*>(QLatin1String(name))->isEnabled();
}

QPushButton* button(const ProgressDialog& dlg) {
    return dlg.findChild<QPushButton*>(QStringLiteral("StopButton"));
}

struct Fixture {
    ApplicationState state;
    ScriptedPrompts prompts;

    explicit Fixture(double seconds = 1.0) { state.Model = scriptedRunModel(seconds); }
};

} // namespace

TEST(ProgressDialogTest, TextsAndGreyedLabelsFollowTheAnalysisKindAndLanguage) {
    struct Case {
        AnalysisKind kind;
        bool english;
        const char* caption;
        const char* stop;
        const char* status;
        bool slidingOn;
        bool rockingOn;
    } cases[] = {
        {AnalysisKind::Sliding, true, "Analysis in progress", "Stop analysis", "Status:", true,
         false},
        {AnalysisKind::Rocking, true, "Analysis in progress", "Stop analysis", "Status:", false,
         true},
        {AnalysisKind::SlidingAndRocking, false, "Analyse en cours", "arrêter l'analyse",
         "État de l'analyse:", true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.kind));
        Fixture f;
        f.state.EnglishLanguage = c.english;
        f.state.Model.AnalysisKind = c.kind;
        ProgressDialog dlg(f.state, f.prompts, nullptr, scripted());
        dlg.show(); // the run would start at the next turn of the event loop
        EXPECT_EQ(dlg.windowTitle(), QString::fromUtf8(c.caption));
        EXPECT_EQ(button(dlg)->text(), QString::fromUtf8(c.stop));
        EXPECT_EQ(dlg.findChild<QGroupBox*>(QStringLiteral("RunStatus"))->title(),
                  QString::fromUtf8(c.status));
        EXPECT_EQ(labelEnabled(dlg, "SlidingTitle"), c.slidingOn);
        EXPECT_EQ(labelEnabled(dlg, "SlidingLabel"), c.slidingOn);
        EXPECT_EQ(labelEnabled(dlg, "RotationTitle"), c.rockingOn);
        EXPECT_EQ(labelEnabled(dlg, "RotationLabel"), c.rockingOn);
        EXPECT_EQ(labelText(dlg, "AbsoluteErrorTitle"),
                  QString::fromUtf8(c.english ? "Absolute energy  error ="
                                              : "Erreur énergétique absolue ="));
        EXPECT_EQ(dlg.findChild<QProgressBar*>(QStringLiteral("ProgressBar"))->maximum(), 234);
        EXPECT_GE(dlg.width(), 262);
        EXPECT_GE(dlg.height(), 310);
    }
}

// The block slides at 1 m/s, so the last sample (t = 1 s) shows 1 m in the project's unit.
TEST(ProgressDialogTest, CompletedRunShowsTheLastSampleAndAnalysisDone) {
    struct Case {
        UnitSystem units;
        const char* sliding;
    } cases[] = {
        {UnitSystem::MKnTon, "   1.0000000 m"},
        {UnitSystem::MmNKg, "1000.0000000 mm"},
        {UnitSystem::FtKipKip, "   3.2808399 ft"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.units));
        Fixture f;
        f.state.Model.UnitSystem = c.units;
        ProgressDialog dlg(f.state, f.prompts, nullptr, scripted([](ScriptedAnalysisStep& s) {
                               s.errors = {1.5, 2.25};
                           }));
        dlg.show();
        ASSERT_TRUE(QTest::qWaitFor([&dlg] { return dlg.analysisFinished(); }, 30000));
        EXPECT_EQ(dlg.outcome().end, RunEnd::Completed);
        EXPECT_EQ(dlg.outcome().steps, 1000);
        EXPECT_TRUE(dlg.analysisStarted());
        EXPECT_FALSE(f.state.AnalysisRunning);
        EXPECT_EQ(button(dlg)->text(), QStringLiteral("Analysis Done"));
        // A whole run ends on a full bar and no time left.
        EXPECT_EQ(dlg.findChild<QProgressBar*>(QStringLiteral("ProgressBar"))->value(),
                  RunHost::kProgressMaximum);
        EXPECT_EQ(labelText(dlg, "TimeLeftLabel"), QStringLiteral("0 sec"));
        EXPECT_TRUE(labelText(dlg, "StoppedLabel").isEmpty());
        EXPECT_EQ(labelText(dlg, "TimeLabel"), QStringLiteral("     1.000 sec"));
        EXPECT_EQ(labelText(dlg, "SlidingLabel"), QString::fromLatin1(c.sliding));
        EXPECT_EQ(labelText(dlg, "AbsoluteErrorLabel"), QStringLiteral("     1.500 %"));
        EXPECT_EQ(labelText(dlg, "RelativeErrorLabel"), QStringLiteral("     2.250 %"));
        EXPECT_TRUE(labelText(dlg, "EnergyWarningLabel").isEmpty());
        ASSERT_TRUE(f.state.Model.SlidingDisp.has_value());
        EXPECT_EQ(f.state.Model.SlidingDisp->size(), 101);

        QTest::mouseClick(button(dlg), Qt::LeftButton);
        EXPECT_FALSE(dlg.isVisible());
        EXPECT_EQ(dlg.result(), QDialog::Accepted);
    }
}

TEST(ProgressDialogTest, RockingShowsTheRotationInRadians) {
    Fixture f;
    f.state.Model.AnalysisKind = AnalysisKind::Rocking;
    ProgressDialog dlg(f.state, f.prompts, nullptr, scripted());
    dlg.show();
    ASSERT_TRUE(QTest::qWaitFor([&dlg] { return dlg.analysisFinished(); }, 30000));
    // 0.001 rad/s for 1 s.
    EXPECT_EQ(labelText(dlg, "RotationLabel"), QStringLiteral("0.0010000000 rad"));
}

TEST(ProgressDialogTest, HighEnergyErrorShowsTheWarningInTheUsersLanguage) {
    struct Case {
        bool english;
        const char* line1;
        const char* line2;
    } cases[] = {
        {true, "Energy error is high.", "Reduce analysis time step."},
        {false, "Erreur énergétique élevée.", "Réduisez le pas de temps d'analyse"},
    };
    for (const Case& c : cases) {
        Fixture f;
        f.state.EnglishLanguage = c.english;
        ProgressDialog dlg(f.state, f.prompts, nullptr, scripted([](ScriptedAnalysisStep& s) {
                               s.errors = {0.5, 6.0};
                           }));
        dlg.show();
        ASSERT_TRUE(QTest::qWaitFor([&dlg] { return dlg.analysisFinished(); }, 30000));
        EXPECT_EQ(labelText(dlg, "EnergyWarningLabel"), QString::fromUtf8(c.line1));
        EXPECT_EQ(labelText(dlg, "TimeStepAdviceLabel"), QString::fromUtf8(c.line2));
        EXPECT_EQ(button(dlg)->text(),
                  QString::fromUtf8(c.english ? "Analysis Done" : "Analyse terminée"));
    }
}

// A click on "Stop analysis" during step 400 ends the run after that step: samples every
// 10 steps, so 41 samples (t = 0 .. 0.4 s) remain, the last one at u = 0.4 m. The window
// then says so, keeps the bar where the run got to and offers to close.
TEST(ProgressDialogTest, StopButtonEndsTheRunAndKeepsTheSamplesSoFar) {
    struct Case {
        bool english;
        const char* comment;
        const char* button;
    } cases[] = {
        {true, "Analysis stopped at t = 0.640 s: the results end there.", "Close"},
        {false, "Analyse arrêtée à t = 0.640 s : les résultats s'arrêtent là.", "Fermer"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.button);
        Fixture f;
        f.state.EnglishLanguage = c.english;
        ProgressDialog* dialog = nullptr;
        ProgressDialog dlg(f.state, f.prompts, nullptr,
                           scripted([&dialog](ScriptedAnalysisStep& s) {
                               // The run asks for a stop every 64 steps: 640 is one of them.
                               s.onStep = [&dialog](std::int64_t i, RunControl&) {
                                   if (i == 640)
                                       QTest::mouseClick(button(*dialog), Qt::LeftButton);
                               };
                           }));
        dialog = &dlg;
        dlg.show();
        ASSERT_TRUE(QTest::qWaitFor([&dlg] { return dlg.analysisFinished(); }, 30000));
        EXPECT_EQ(dlg.outcome().end, RunEnd::Stopped);
        EXPECT_EQ(dlg.outcome().steps, 640);
        EXPECT_TRUE(dlg.isVisible()); // the click stopped the run; it closed nothing
        EXPECT_TRUE(dlg.analysisStarted());
        ASSERT_TRUE(f.state.Model.SlidingDisp.has_value());
        EXPECT_EQ(f.state.Model.SlidingDisp->size(), 65);
        EXPECT_DOUBLE_EQ(f.state.Model.SlidingDisp->get(65), 0.64);
        EXPECT_EQ(labelText(dlg, "StoppedLabel"), QString::fromUtf8(c.comment));
        EXPECT_EQ(button(dlg)->text(), QString::fromUtf8(c.button));
        // 640 of the 1000 steps: the bar stays at 64 %.
        const QProgressBar* bar = dlg.findChild<QProgressBar*>(QStringLiteral("ProgressBar"));
        EXPECT_NEAR(bar->value(), 0.64 * RunHost::kProgressMaximum, 1);
    }
}

// The run yields to the event loop while it goes on: a click queued by a timer reaches the
// button long before the 5000 steps of at least 1 ms each are done.
TEST(ProgressDialogTest, WindowStaysResponsiveWhileTheRunGoesOn) {
    Fixture f(5.0);
    ProgressDialog dlg(f.state, f.prompts, nullptr, scripted([](ScriptedAnalysisStep& s) {
                           s.pause = std::chrono::microseconds(1000);
                       }));
    QTimer::singleShot(300, &dlg, [&dlg] { QTest::mouseClick(button(dlg), Qt::LeftButton); });
    dlg.show();
    ASSERT_TRUE(QTest::qWaitFor([&dlg] { return dlg.analysisFinished(); }, 60000));
    EXPECT_EQ(dlg.outcome().end, RunEnd::Stopped);
    EXPECT_LT(dlg.outcome().steps, 5000);
}

// After a second of run time the timer shows the estimate of the time left.
TEST(ProgressDialogTest, RemainingTimeIsShownInSeconds) {
    Fixture f(3.0);
    QString seen;
    ProgressDialog* dialog = nullptr;
    ProgressDialog dlg(f.state, f.prompts, nullptr,
                       scripted([&dialog, &seen](ScriptedAnalysisStep& s) {
                           s.pause = std::chrono::microseconds(1000);
                           s.onStep = [&dialog, &seen](std::int64_t, RunControl&) {
                               if (seen.isEmpty())
                                   seen = labelText(*dialog, "TimeLeftLabel");
                           };
                       }));
    dialog = &dlg;
    dlg.show();
    ASSERT_TRUE(QTest::qWaitFor([&dlg] { return dlg.analysisFinished(); }, 60000));
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d+ sec$")).match(seen).hasMatch())
        << seen.toStdString();
}

TEST(ProgressDialogTest, FailedCheckSaysWhatToCorrectAndTheButtonCloses) {
    Fixture f;
    ProgressDialog dlg(f.state, f.prompts, nullptr, scripted([](ScriptedAnalysisStep& s) {
                           s.checks = {{MessageKind::Error, Message("ui.main.model_incomplete")}};
                       }));
    dlg.show();
    ASSERT_TRUE(QTest::qWaitFor([&f] { return !f.prompts.messages.empty(); }, 30000));
    QTest::qWait(20);
    ASSERT_EQ(f.prompts.messages.size(), 1u);
    EXPECT_EQ(f.prompts.messages[0].kind, MessageKind::Error);
    EXPECT_EQ(f.prompts.messages[0].text, QStringLiteral("Model incomplete"));
    EXPECT_FALSE(dlg.analysisStarted());
    EXPECT_FALSE(f.state.Model.SlidingDisp.has_value());
    EXPECT_TRUE(dlg.analysisRefused());
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_EQ(labelText(dlg, "StoppedLabel"),
              QStringLiteral("The analysis was not started. Correct first:\nModel incomplete"));
    EXPECT_EQ(button(dlg)->text(), QStringLiteral("Close"));
    QTest::mouseClick(button(dlg), Qt::LeftButton);
    EXPECT_FALSE(dlg.isVisible());
}

TEST(ProgressDialogTest, WarningCheckIsShownAndTheRunGoesOn) {
    Fixture f;
    ProgressDialog dlg(f.state, f.prompts, nullptr, scripted([](ScriptedAnalysisStep& s) {
                           s.checks = {{MessageKind::Warning, Message("ui.main.model_incomplete")}};
                       }));
    dlg.show();
    ASSERT_TRUE(QTest::qWaitFor([&dlg] { return dlg.analysisFinished(); }, 30000));
    ASSERT_EQ(f.prompts.messages.size(), 1u);
    EXPECT_EQ(f.prompts.messages[0].kind, MessageKind::Warning);
    EXPECT_EQ(dlg.outcome().end, RunEnd::Completed);
}

// A question of the step: OK ends the run after the step, the other button lets it go on.
TEST(ProgressDialogTest, QuestionDuringTheRunIsAskedAndItsAnswerTaken) {
    struct Case {
        QuestionAnswer answer;
        RunEnd end;
        std::int64_t steps;
    } cases[] = {
        {QuestionAnswer::Stop, RunEnd::Stopped, 100},
        {QuestionAnswer::Continue, RunEnd::Completed, 1000},
    };
    for (const Case& c : cases) {
        Fixture f;
        f.prompts.runAnswers = {c.answer};
        ProgressDialog dlg(
            f.state, f.prompts, nullptr, scripted([](ScriptedAnalysisStep& s) {
                s.onStep = [](std::int64_t i, RunControl& control) {
                    if (i == 100)
                        control.ask({Message("ui.main.no_results"), QuestionButtons::NoOk});
                };
            }));
        dlg.show();
        ASSERT_TRUE(QTest::qWaitFor([&dlg] { return dlg.analysisFinished(); }, 30000));
        ASSERT_EQ(f.prompts.questions.size(), 1u);
        EXPECT_EQ(f.prompts.questions[0], QStringLiteral("Please start an analysis first."));
        EXPECT_EQ(dlg.outcome().end, c.end);
        EXPECT_EQ(dlg.outcome().steps, c.steps);
    }
}

// Closing the window during a run stops the run; the window closes once the run has ended.
TEST(ProgressDialogTest, CloseBoxDuringTheRunStopsItAndThenCloses) {
    Fixture f;
    ProgressDialog* dialog = nullptr;
    ProgressDialog dlg(f.state, f.prompts, nullptr, scripted([&dialog](ScriptedAnalysisStep& s) {
                           s.onStep = [&dialog](std::int64_t i, RunControl&) {
                               if (i == 200) { // the next poll is after step 256
                                   dialog->close();
                                   EXPECT_TRUE(dialog->isVisible());
                               }
                           };
                       }));
    dialog = &dlg;
    dlg.show();
    ASSERT_TRUE(QTest::qWaitFor([&dlg] { return dlg.analysisFinished(); }, 30000));
    EXPECT_EQ(dlg.outcome().end, RunEnd::Stopped);
    EXPECT_EQ(dlg.outcome().steps, 256);
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_TRUE(dlg.analysisStarted());
}
