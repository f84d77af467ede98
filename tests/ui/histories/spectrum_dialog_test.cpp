// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/histories/spectrum_dialog.h"

#include "chart/chart_widget.h"
#include "dialog_test_support.h"
#include "scripted_prompts.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

using namespace quibel;
using quibel::test::child;
using quibel::test::ScriptedPrompts;

namespace {

// A 1 Hz sine of 0.1 g sampled every 0.01 s.
SignalSamples sineInput(int n) {
    SignalSamples s{TVector(n), TVector(n)};
    for (int i = 1; i <= n; ++i) {
        const double t = (i - 1) * 0.01;
        s.Times.set(i, t);
        s.Values.set(i, 0.1 * std::sin(2 * std::numbers::pi * t));
    }
    return s;
}

bool analyse(SpectrumDialog& dlg) {
    QSignalSpy done(&dlg, &SpectrumDialog::analysisFinished);
    child<QPushButton>(dlg, "AnalyseButton")->click();
    if (!dlg.analysisRunning())
        return false; // refused before it started
    return done.wait(30000);
}

QStringList comboItems(const QComboBox& combo) {
    QStringList items;
    for (int i = 0; i < combo.count(); ++i)
        items << combo.itemText(i);
    return items;
}

} // namespace

TEST(SpectrumDialogTest, DefaultSetsGive71PeriodsAndFiveDampings) {
    ScriptedPrompts prompts;
    SpectrumDialog dlg(sineInput(4000), UnitSystem::MKnTon, Language::English, prompts);
    for (const char* name :
         {"DampingSelector", "PlotSelector", "DampingLabel", "PlotLabel", "SaveButton"})
        EXPECT_FALSE(child<QWidget>(dlg, name)->isVisibleTo(&dlg)) << name;
    ASSERT_TRUE(analyse(dlg));
    EXPECT_TRUE(prompts.messages.empty());
    ASSERT_TRUE(dlg.results());
    const TVector& periods = dlg.results()->Periods;
    ASSERT_EQ(periods.size(), 19 + 18 + 18 + 16);
    const struct {
        int index;
        double period;
    } marks[] = {{1, 0.001}, {19, 0.01}, {20, 0.015}, {37, 0.1},
                 {38, 0.15}, {55, 1.0},  {56, 1.25},  {71, 5.0}};
    for (const auto& m : marks)
        EXPECT_NEAR(periods.get(m.index), m.period, 1e-12) << m.index;
    EXPECT_EQ(comboItems(*child<QComboBox>(dlg, "DampingSelector")),
              (QStringList{"0.01", "0.02", "0.03", "0.04", "0.05"}));
    EXPECT_EQ(comboItems(*child<QComboBox>(dlg, "PlotSelector")), (QStringList{"Sa", "Sv", "Sd"}));
    for (const char* name :
         {"DampingSelector", "PlotSelector", "DampingLabel", "PlotLabel", "SaveButton"})
        EXPECT_TRUE(child<QWidget>(dlg, name)->isVisibleTo(&dlg)) << name;
    // Full view: abscissa over the period list.
    EXPECT_DOUBLE_EQ(dlg.chart().RangeLoX(), 0.001);
    EXPECT_DOUBLE_EQ(dlg.chart().RangeHiX(), 5.0);
    EXPECT_EQ(dlg.chart().IdOrdinate(), QStringLiteral("Absolute acceleration spectra (m/sec²)"));
    // A very stiff oscillator moves with the ground: Sa at 0.001 s is the peak ground
    // acceleration, 0.1 g = 0.981 m/s² (g taken as 9.81 m/s²).
    EXPECT_NEAR(dlg.results()->Sa.get(1, 1), 0.981, 0.981 * 0.01);
}

TEST(SpectrumDialogTest, PeriodListFollowsTheSets) {
    const struct {
        const char* name;
        const char* edit;
        double value;
        int count;
        double first;
    } cases[] = {
        // A zero increment ends the list of sets: only Set #1 is used.
        {"set 2 increment zero", "PerInc2", 0.0, 19, 0.001},
        // Set #1 ending before it starts gives nothing; the list starts with Set #2.
        {"set 1 ends before it starts", "PerEnd1", 0.0005, 18 + 18 + 16, 0.015},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedPrompts prompts;
        SpectrumDialog dlg(sineInput(200), UnitSystem::MKnTon, Language::English, prompts);
        child<NumericEdit>(dlg, c.edit)->setValue(c.value);
        ASSERT_TRUE(analyse(dlg));
        ASSERT_TRUE(dlg.results());
        EXPECT_EQ(dlg.results()->Periods.size(), c.count);
        EXPECT_NEAR(dlg.results()->Periods.get(1), c.first, 1e-12);
    }
}

TEST(SpectrumDialogTest, DampingListFollowsItsRange) {
    ScriptedPrompts prompts;
    SpectrumDialog dlg(sineInput(200), UnitSystem::MKnTon, Language::English, prompts);
    child<NumericEdit>(dlg, "AmorStart")->setValue(0.05);
    child<NumericEdit>(dlg, "AmorEnd")->setValue(0.2);
    child<NumericEdit>(dlg, "AmorInc")->setValue(0.05);
    ASSERT_TRUE(analyse(dlg));
    EXPECT_EQ(comboItems(*child<QComboBox>(dlg, "DampingSelector")),
              (QStringList{"0.05", "0.1", "0.15", "0.2"}));
}

TEST(SpectrumDialogTest, EmptyListsAreExplainedNotAnalysed) {
    ScriptedPrompts prompts;
    SpectrumDialog dlg(sineInput(200), UnitSystem::MKnTon, Language::English, prompts);
    child<NumericEdit>(dlg, "PerInc1")->setValue(0.0);
    EXPECT_FALSE(analyse(dlg));
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].kind, MessageKind::Warning);
    EXPECT_FALSE(dlg.results());

    child<NumericEdit>(dlg, "PerInc1")->setValue(0.001);
    child<NumericEdit>(dlg, "AmorStart")->setValue(0.5);
    child<NumericEdit>(dlg, "AmorEnd")->setValue(0.1);
    EXPECT_FALSE(analyse(dlg));
    EXPECT_EQ(prompts.messages.size(), 2u);
}

TEST(SpectrumDialogTest, SelectorsChangeThePlotAndTheReadout) {
    ScriptedPrompts prompts;
    SpectrumDialog dlg(sineInput(400), UnitSystem::MmNKg, Language::French, prompts);
    EXPECT_EQ(dlg.windowTitle(), QString::fromUtf8("Réponse spectrale"));
    ASSERT_TRUE(analyse(dlg));
    auto* plot = child<QComboBox>(dlg, "PlotSelector");
    plot->setCurrentIndex(2);
    emit plot->activated(2);
    EXPECT_EQ(dlg.chart().IdOrdinate(), QString::fromUtf8("Spectre de déplacement relatif (mm)"));
    const TMatrix& sd = dlg.results()->Sd;
    EXPECT_DOUBLE_EQ(dlg.chart().RangeHiY(), sd.max(1, 1, sd.rows(), 1));
    emit dlg.chart().mouseMovedInChart(&dlg.chart(), true, Qt::NoModifier, 0.5, 12.25);
    EXPECT_EQ(child<QLabel>(dlg, "StatusPanel1")->text(), QStringLiteral("T =   0.500000"));
    EXPECT_EQ(child<QLabel>(dlg, "StatusPanel2")->text(), QStringLiteral("Sd =  12.250000"));
}

TEST(SpectrumDialogTest, SaveWritesTheChosenDampingRatio) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("spectra.txt"));
    ScriptedPrompts prompts;
    SpectrumDialog dlg(sineInput(400), UnitSystem::InLbLb, Language::French, prompts);
    ASSERT_TRUE(analyse(dlg));
    auto* damping = child<QComboBox>(dlg, "DampingSelector");
    damping->setCurrentIndex(2);
    emit damping->activated(2);
    prompts.saveNames.push_back(path);
    child<QPushButton>(dlg, "SaveButton")->click();
    EXPECT_TRUE(prompts.messages.empty());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(file.readAll());
    EXPECT_TRUE(text.contains(QString::fromUtf8(" Fraction d'amortissement = 0.03 du critique")));
    EXPECT_TRUE(
        text.contains(QStringLiteral("(sec.)         (pouce)       (pouce/s)    (pouce/s^2)")));
    // One line per period, between the two rules.
    EXPECT_EQ(text.count(QStringLiteral("-------------  ------------- ------------ ------------")),
              2);
}

// While the spectra are computed the Analyse button cancels them: the run ends without
// spectra or message box, the status bar says so and the button starts a new run again.
TEST(SpectrumDialogTest, RunningAnalysisIsCancelledFromItsButton) {
    ScriptedPrompts prompts;
    SpectrumDialog dlg(sineInput(40000), UnitSystem::MKnTon, Language::French, prompts);
    auto* button = child<QPushButton>(dlg, "AnalyseButton");
    QSignalSpy done(&dlg, &SpectrumDialog::analysisFinished);
    button->click();
    ASSERT_TRUE(dlg.analysisRunning());
    EXPECT_EQ(button->text(), QStringLiteral("Annuler l'analyse"));
    button->click();
    ASSERT_TRUE(done.wait(60000));
    EXPECT_FALSE(dlg.analysisRunning());
    EXPECT_FALSE(dlg.results().has_value());
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_EQ(child<QLabel>(dlg, "StatusPanel3")->text(),
              QStringLiteral("L'analyse des spectres a été annulée."));
    EXPECT_EQ(button->text(), QStringLiteral("Analyse"));
    EXPECT_TRUE(button->isEnabled());
    EXPECT_FALSE(child<QWidget>(dlg, "SaveButton")->isVisibleTo(&dlg));
}
