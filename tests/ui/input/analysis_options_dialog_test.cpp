// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialog_test_support.h"

#include "model/model_flags.h"
#include "model/unit_change.h"
#include "ui/input/analysis_options_dialog.h"

#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

#include <string>

using namespace quibel;
using namespace quibel::test;

namespace {
void click(const QWidget& dialog, const char* name) {
    auto* b = child<QAbstractButton>(dialog, name);
    ASSERT_NE(b, nullptr) << name;
    clickButton(b);
}

QTabWidget* pages(const QWidget& dialog) {
    return child<QTabWidget>(dialog, "options_pages");
}

// Shows the page holding widget, as a user would before clicking in it.
void showPageOf(const QWidget& dialog, const char* name) {
    QWidget* w = child<QWidget>(dialog, name);
    QTabWidget* tabs = pages(dialog);
    for (int i = 0; i < tabs->count(); ++i)
        if (tabs->widget(i)->isAncestorOf(w))
            tabs->setCurrentIndex(i);
}
} // namespace

TEST(AnalysisOptionsDialogTest, OpensOnNumericalIntegrationWithTheModelValues) {
    const TBlocStatic model = startupModel();
    AnalysisOptionsDialog dialog(model, Language::English);
    EXPECT_EQ(dialog.windowTitle(), "Analysis options");
    QTabWidget* tabs = pages(dialog);
    ASSERT_EQ(tabs->count(), 5);
    const QString titles[] = {"Numerical integration", "Sliding controls", "Rocking controls",
                              "Hydrostatic", "Hydrodynamic"};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(tabs->tabText(i), titles[i]);
    EXPECT_EQ(tabs->currentIndex(), 0);
    EXPECT_EQ(child<NumericEdit>(dialog, "gravity_edit")->text(), "9.807 m/sec²");
    EXPECT_EQ(child<NumericEdit>(dialog, "time_step_edit")->text(), "0.0001 sec");
    EXPECT_EQ(child<NumericEdit>(dialog, "save_step_edit")->text(), "0.01 sec");
    EXPECT_FALSE(child<QCheckBox>(dialog, "debug_file_check")->isChecked());
    for (const char* name : {"gravity_edit", "time_step_edit", "save_step_edit"}) {
        EXPECT_TRUE(child<NumericEdit>(dialog, name)->calculatorEnabled()) << name;
        EXPECT_FALSE(child<NumericEdit>(dialog, name)->hasRange()) << name;
    }

    AnalysisOptionsDialog french(model, Language::French);
    EXPECT_EQ(pages(french)->tabText(0), "Intégration numérique");
    EXPECT_EQ(pages(french)->tabText(3), "Hydrostatic");
    EXPECT_EQ(pages(french)->tabText(4), "Pressions hydrodynamiques");
    EXPECT_EQ(child<QRadioButton>(french, "vertical_acceleration_radio_0")->text(), "Yes");
    EXPECT_EQ(child<QRadioButton>(french, "translational_radio_0")->text(), "Oui");
}

TEST(AnalysisOptionsDialogTest, InchSystemShowsGravityInInchesPerSecondSquared) {
    TBlocStatic model = startupModel();
    changeUnitSystem(model, UnitSystem::InLbLb);
    AnalysisOptionsDialog dialog(model, Language::English);
    EXPECT_EQ(child<NumericEdit>(dialog, "gravity_edit")->text(), "386.102 in/sec²");
}

TEST(AnalysisOptionsDialogTest, RadioItemsAreTheOptionBytes) {
    // Each case clicks one item and reads the byte it writes; Yes is item 0.
    struct Case {
        const char* radio;
        std::uint8_t AnalysisOptions::*field;
        std::uint8_t value;
    } cases[] = {
        {"newmark_beta_radio_1", &AnalysisOptions::NewmarkBeta, 1},
        {"uplift_up_radio_1", &AnalysisOptions::UpliftUp, 1},
        {"uplift_down_radio_2", &AnalysisOptions::UpliftDown, 2},
        {"uplift_down_radio_0", &AnalysisOptions::UpliftDown, 0},
        {"center_up_radio_0", &AnalysisOptions::CenterUp, 0},
        {"center_down_radio_0", &AnalysisOptions::CenterDown, 0},
        {"vertical_acceleration_radio_1", &AnalysisOptions::VerticalAcceleration, 1},
        {"translational_radio_1", &AnalysisOptions::Translational, 1},
        {"rotational_radio_1", &AnalysisOptions::Rotational, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.radio);
        TBlocStatic model = startupModel();
        AnalysisOptionsDialog dialog(model, Language::English);
        ASSERT_TRUE(showActive(dialog));
        showPageOf(dialog, c.radio);
        click(dialog, c.radio);
        click(dialog, "ok_button");
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        dialog.applyTo(model);
        AnalysisOptions expected = startupModel().Options;
        expected.*c.field = c.value;
        EXPECT_EQ(model.Options, expected);
    }
}

TEST(AnalysisOptionsDialogTest, OpeningShowsEachByteAsItsItem) {
    TBlocStatic model = startupModel();
    model.Options.Translational = 1; // "No"
    model.Options.UpliftDown = 2;
    model.Options.DebugFile = 1;
    AnalysisOptionsDialog dialog(model, Language::English);
    EXPECT_TRUE(child<QRadioButton>(dialog, "translational_radio_1")->isChecked());
    EXPECT_TRUE(child<QRadioButton>(dialog, "rotational_radio_0")->isChecked());
    EXPECT_TRUE(child<QRadioButton>(dialog, "uplift_down_radio_2")->isChecked());
    EXPECT_TRUE(child<QCheckBox>(dialog, "debug_file_check")->isChecked());
}

TEST(AnalysisOptionsDialogTest, ByteThatIsNoItemIsKept) {
    TBlocStatic model = startupModel();
    model.Options.UpliftDown = 7;
    model.Options.Rotational = 3;
    AnalysisOptionsDialog dialog(model, Language::English);
    ASSERT_TRUE(showActive(dialog));
    for (int i = 0; i < 3; ++i)
        EXPECT_FALSE(child<QRadioButton>(dialog, ("uplift_down_radio_" + std::to_string(i)).c_str())
                         ->isChecked());
    click(dialog, "ok_button");
    dialog.applyTo(model);
    EXPECT_EQ(model.Options.UpliftDown, 7);
    EXPECT_EQ(model.Options.Rotational, 3);
}

TEST(AnalysisOptionsDialogTest, OkWithoutChangeStillClearsResultsValid) {
    TBlocStatic model = startupModel();
    model.ModelFlags = ModelFlag::ResultsValid | ModelFlag::GeometryComplete;
    AnalysisOptionsDialog dialog(model, Language::English);
    ASSERT_TRUE(showActive(dialog));
    click(dialog, "ok_button");
    dialog.applyTo(model);
    EXPECT_EQ(model.Options, startupModel().Options);
    EXPECT_EQ(model.ModelFlags, ModelFlag::GeometryComplete);
}

TEST(AnalysisOptionsDialogTest, TypedStepsAndDebugSwitchAreWritten) {
    TBlocStatic model = startupModel();
    AnalysisOptionsDialog dialog(model, Language::English);
    ASSERT_TRUE(showActive(dialog));
    typeInto(child<NumericEdit>(dialog, "gravity_edit"), QStringLiteral("9.81"));
    typeInto(child<NumericEdit>(dialog, "time_step_edit"), QStringLiteral("0.0005"));
    typeInto(child<NumericEdit>(dialog, "save_step_edit"), QStringLiteral("0.0002"));
    click(dialog, "debug_file_check");
    click(dialog, "ok_button");
    dialog.applyTo(model);
    EXPECT_EQ(model.Options.Gravity, 9.81);
    EXPECT_EQ(model.Options.TimeStep, 0.0005);
    EXPECT_EQ(model.Options.SaveStep, 0.0002); // smaller than the time step: accepted
    EXPECT_EQ(model.Options.DebugFile, 1);
}

TEST(AnalysisOptionsDialogTest, StepsAndGravityThatAreNotPositiveAreRefused) {
    struct Case {
        const char* name;
        const char* typed;
        Language language;
        QString message;
    } cases[] = {
        {"time_step_edit", "0", Language::English,
         "The integration time step must be greater than zero."},
        {"save_step_edit", "-0.01", Language::English,
         "The time step for saving output values must be greater than zero."},
        {"gravity_edit", "0", Language::French,
         "La constante de gravité doit être supérieure à zéro."},
        {"gravity_edit", "-9.807", Language::English,
         "The gravity constant must be greater than zero."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TBlocStatic model = startupModel();
        AnalysisOptionsDialog dialog(model, c.language);
        NoticeLog notices;
        dialog.setNoticeHandler(notices.handler());
        ASSERT_TRUE(showActive(dialog));
        typeInto(child<NumericEdit>(dialog, c.name), QString::fromLatin1(c.typed));
        pages(dialog)->setCurrentIndex(4);
        click(dialog, "ok_button");
        ASSERT_EQ(notices.shown.size(), 1u);
        EXPECT_EQ(notices.shown[0].first, MessageKind::Error);
        EXPECT_EQ(notices.shown[0].second, c.message);
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_TRUE(child<NumericEdit>(dialog, c.name)->hasFocus()); // back to the field
        // Put right, Ok goes through.
        typeInto(child<NumericEdit>(dialog, c.name), QStringLiteral("0.002"));
        click(dialog, "ok_button");
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
    }
}
