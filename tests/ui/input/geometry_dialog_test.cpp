// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialog_test_support.h"

#include "model/model_flags.h"
#include "model/unit_change.h"
#include "ui/input/geometry_dialog.h"
#include "ui/input/mass_inertia_dialog.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

#include <cmath>

using namespace quibel;
using namespace quibel::test;

namespace {
constexpr const char* kFieldNames[] = {"m_edit",     "hd_edit", "h_edit",  "hr_edit", "b_edit",
                                       "beta_edit",  "u_edit",  "xu_edit", "t_edit",  "phi_s_edit",
                                       "phi_d_edit", "im_edit", "xc_edit", "yc_edit", "eu_edit",
                                       "ed_edit",    "es_edit"};

NumericEdit* field(const QWidget& dialog, const char* name) {
    return child<NumericEdit>(dialog, name);
}

void click(const QWidget& dialog, const char* name) {
    auto* button = child<QAbstractButton>(dialog, name);
    ASSERT_NE(button, nullptr) << name;
    clickButton(button);
}

// The scalar inputs the dialog edits, to compare a model with its copy.
bool sameInputs(const TBlocStatic& a, const TBlocStatic& b) {
    return a.AnalysisKind == b.AnalysisKind && a.ModelFlags == b.ModelFlags && a.M == b.M &&
           a.Hd == b.Hd && a.H == b.H && a.Hr == b.Hr && a.B == b.B && a.Beta == b.Beta &&
           a.U == b.U && a.Xu == b.Xu && a.T == b.T && a.PhiS == b.PhiS && a.PhiD == b.PhiD &&
           a.Im == b.Im && a.Xc == b.Xc && a.Yc == b.Yc && a.Eu == b.Eu && a.Ed == b.Ed &&
           a.Es == b.Es;
}
} // namespace

TEST(GeometryDialogTest, OpensWithTheModelInItsUnits) {
    const TBlocStatic model = startupModel();
    GeometryDialog dialog(model, Language::English);
    EXPECT_EQ(dialog.windowTitle(), "Geometry");
    EXPECT_TRUE(child<QRadioButton>(dialog, "sliding_radio")->isChecked());
    EXPECT_EQ(field(dialog, "m_edit")->text(), "398 ton");
    EXPECT_EQ(field(dialog, "h_edit")->text(), "20 m");
    EXPECT_EQ(field(dialog, "u_edit")->text(), "1330 kN");
    EXPECT_EQ(field(dialog, "im_edit")->text(), "15473.2 ton·m²");
    EXPECT_EQ(field(dialog, "phi_s_edit")->text(), "45 deg");
    EXPECT_EQ(field(dialog, "eu_edit")->text(), "1");
    EXPECT_EQ(field(dialog, "ed_edit")->text(), "0.3");
}

TEST(GeometryDialogTest, MillimetreSystemShowsKilogramMasks) {
    TBlocStatic model = startupModel();
    changeUnitSystem(model, UnitSystem::MmNKg);
    GeometryDialog dialog(model, Language::English);
    EXPECT_EQ(field(dialog, "m_edit")->text(), "398000 kg");
    EXPECT_EQ(field(dialog, "h_edit")->text(), "20000 mm");
    EXPECT_EQ(field(dialog, "u_edit")->text(), "1330000 N");
    EXPECT_EQ(field(dialog, "im_edit")->text(), "15473200000000 kg·mm²");
}

// Values that contradict each other keep the dialog open on the first one to correct, with
// a message that names every contradiction; the model keeps its geometry.
TEST(GeometryDialogTest, ContradictoryValuesKeepTheDialogOpenOnTheFirstOne) {
    struct Case {
        std::vector<std::pair<const char*, const char*>> typed;
        const char* focused;
        std::vector<const char*> lines;
    } cases[] = {
        {{{"hd_edit", "15"}}, // H is 20
         "h_edit",
         {"- h is greater than hd: the block would be taller than the dam."}},
        {{{"xu_edit", "17"}},
         "xu_edit",
         {"- xu is greater than b: the uplift would act beyond the base."}},
        {{{"hr_edit", "1300"}},
         "hr_edit",
         {"- hr is more than twice hd: the reservoir would stand higher above the crest than the "
          "dam is tall."}},
        {{{"hd_edit", "100000000000000000000"}}, "hd_edit", {"- hd is larger than 10000 m."}},
        {{{"beta_edit", "-95"}},
         "beta_edit",
         {"- with this β the toe of the plane lies below the foundation or above the crest."}},
        {{{"hd_edit", "15"}, {"xu_edit", "17"}},
         "h_edit",
         {"- h is greater than hd: the block would be taller than the dam.",
          "- xu is greater than b: the uplift would act beyond the base."}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.focused);
        TBlocStatic model = startupModel();
        const TBlocStatic before = model;
        NoticeLog notices;
        GeometryDialog dialog(model, Language::English);
        dialog.setNoticeHandler(notices.handler());
        ASSERT_TRUE(showActive(dialog));
        for (const auto& [name, text] : c.typed)
            typeInto(field(dialog, name), QString::fromUtf8(text));
        click(dialog, "ok_button");
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
        EXPECT_EQ(QApplication::focusWidget(), field(dialog, c.focused));
        ASSERT_EQ(notices.shown.size(), 1u);
        QStringList expected{QStringLiteral("These values contradict each other:")};
        for (const char* line : c.lines)
            expected.append(QString::fromUtf8(line));
        EXPECT_EQ(notices.shown[0].second, expected.join(QLatin1Char('\n')));
        EXPECT_TRUE(sameInputs(model, before));
    }
}

TEST(GeometryDialogTest, FrenchContradictionIsWrittenInFrench) {
    NoticeLog notices;
    GeometryDialog dialog(startupModel(), Language::French);
    dialog.setNoticeHandler(notices.handler());
    ASSERT_TRUE(showActive(dialog));
    typeInto(field(dialog, "hd_edit"), QStringLiteral("15"));
    click(dialog, "ok_button");
    ASSERT_EQ(notices.shown.size(), 1u);
    EXPECT_EQ(
        notices.shown[0].second,
        QString::fromUtf8("Ces valeurs se contredisent :\n- h dépasse hd : le bloc serait plus "
                          "haut que le barrage."));
}

// A zero value is no contradiction: the geometry is kept, incomplete.
TEST(GeometryDialogTest, ZeroHeightIsAcceptedButNotComplete) {
    TBlocStatic model = startupModel();
    setFlag(model.ModelFlags, ModelFlag::ResultsValid, true);
    GeometryDialog dialog(model, Language::English);
    ASSERT_TRUE(showActive(dialog));
    typeInto(field(dialog, "hd_edit"), QStringLiteral("0"));
    click(dialog, "ok_button");
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    dialog.applyTo(model);
    EXPECT_EQ(model.Hd, 0);
    EXPECT_FALSE(hasFlag(model.ModelFlags, ModelFlag::GeometryComplete));
    EXPECT_TRUE(hasFlag(model.ModelFlags, ModelFlag::ReservoirPresent));
    EXPECT_FALSE(hasFlag(model.ModelFlags, ModelFlag::ResultsValid));
}

TEST(GeometryDialogTest, OkWithoutChangeSetsTheFlagsFromTheValues) {
    struct Case {
        double hr, m;
        bool complete, reservoir;
    } cases[] = {{28, 398, true, true}, {0, 398, true, false}, {28, 0, false, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "Hr " << c.hr << " M " << c.m);
        TBlocStatic model = startupModel();
        model.Hr = c.hr;
        model.M = c.m;
        model.ModelFlags = ModelFlag::ResultsValid | ModelFlag::HasForces;
        GeometryDialog dialog(model, Language::English);
        ASSERT_TRUE(showActive(dialog));
        click(dialog, "ok_button");
        const TBlocStatic before = model;
        dialog.applyTo(model);
        EXPECT_EQ(hasFlag(model.ModelFlags, ModelFlag::GeometryComplete), c.complete);
        EXPECT_EQ(hasFlag(model.ModelFlags, ModelFlag::ReservoirPresent), c.reservoir);
        EXPECT_FALSE(hasFlag(model.ModelFlags, ModelFlag::ResultsValid));
        EXPECT_TRUE(hasFlag(model.ModelFlags, ModelFlag::HasForces));
        TBlocStatic expected = before;
        expected.ModelFlags = model.ModelFlags;
        EXPECT_TRUE(sameInputs(model, expected));
    }
}

TEST(GeometryDialogTest, AnalysisTypeEnablesItsFieldsAndOkWritesThemAll) {
    TBlocStatic model = startupModel();
    model.AnalysisKind = AnalysisKind::SlidingAndRocking;
    GeometryDialog dialog(model, Language::English);
    ASSERT_TRUE(showActive(dialog));
    const char* friction[] = {"phi_s_edit", "phi_d_edit"};
    const char* rocking[] = {"xc_edit", "yc_edit", "im_edit", "eu_edit", "ed_edit", "es_edit"};
    struct Case {
        const char* radio;
        bool frictionOn, rockingOn;
    } cases[] = {{"rocking_radio", false, true},
                 {"sliding_rocking_radio", true, true},
                 {"sliding_radio", true, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.radio);
        click(dialog, c.radio);
        for (const char* name : friction)
            EXPECT_EQ(field(dialog, name)->isEnabled(), c.frictionOn) << name;
        for (const char* name : rocking)
            EXPECT_EQ(field(dialog, name)->isEnabled(), c.rockingOn) << name;
        EXPECT_EQ(child<QLabel>(dialog, "xc_label")->isEnabled(), c.rockingOn);
    }
    click(dialog, "ok_button");
    dialog.applyTo(model);
    EXPECT_EQ(model.AnalysisKind, AnalysisKind::Sliding);
    // The disabled rocking fields still write their values.
    EXPECT_EQ(model.Xc, 5.301);
    EXPECT_EQ(model.Yc, 6.964);
    EXPECT_EQ(model.Im, 15473.2);
    EXPECT_EQ(model.Ed, 0.3);
}

TEST(GeometryDialogTest, EnterMovesThroughTheFieldsInTabOrder) {
    TBlocStatic model = startupModel();
    model.AnalysisKind = AnalysisKind::SlidingAndRocking; // every field enabled
    GeometryDialog dialog(model, Language::English);
    ASSERT_TRUE(showActive(dialog));
    NumericEdit* first = field(dialog, kFieldNames[0]);
    first->setFocus(Qt::TabFocusReason);
    first->selectAll();
    QTest::keyClicks(first, QStringLiteral("400"));
    for (const char* name : kFieldNames) {
        SCOPED_TRACE(name);
        EXPECT_TRUE(field(dialog, name)->hasFocus());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    }
    EXPECT_TRUE(dialog.isVisible()); // Enter never closes the dialog
    EXPECT_EQ(first->value(), 400);
    EXPECT_EQ(QApplication::focusWidget(), child<QWidget>(dialog, "ok_button"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); // not a click either
    EXPECT_TRUE(dialog.isVisible());
}

TEST(GeometryDialogTest, InformationBoxExplainsTheFocusedFieldInItsUnits) {
    struct Case {
        Language language;
        UnitSystem units;
        const char* name;
        QString text;
    } cases[] = {
        {Language::English, UnitSystem::MKnTon, "m_edit",
         "Mass (ton) of block over analysis plane."},
        {Language::English, UnitSystem::InLbLb, "u_edit",
         "Uplift force (lb) below block.\nWARNING: Uplift force is normal to analysis plane"},
        {Language::French, UnitSystem::FtKipKip, "im_edit",
         "Inertie de masse (kip*ft²) au centre de masse du bloc."},
        {Language::English, UnitSystem::MKnTon, "es_edit",
         "Sliding coefficient of restitution (0 <= es <= 1)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TBlocStatic model = startupModel();
        changeUnitSystem(model, c.units);
        model.AnalysisKind = AnalysisKind::SlidingAndRocking;
        GeometryDialog dialog(model, c.language);
        ASSERT_TRUE(showActive(dialog));
        field(dialog, c.name)->setFocus(Qt::TabFocusReason);
        EXPECT_EQ(child<QPlainTextEdit>(dialog, "information_box")->toPlainText(), c.text);
    }
}

TEST(GeometryDialogTest, FrenchTextsAreChosenAtCreation) {
    GeometryDialog dialog(startupModel(), Language::French);
    EXPECT_EQ(dialog.windowTitle(), "Géométrie");
    EXPECT_EQ(child<QGroupBox>(dialog, "analysis_type_group")->title(), "Type d'analyse:");
    EXPECT_EQ(child<QRadioButton>(dialog, "sliding_rocking_radio")->text(),
              "Rotation && Glissement");
    EXPECT_EQ(child<QPushButton>(dialog, "cancel_button")->text(), "Annuler");
}

TEST(GeometryDialogTest, CalculatorFillsTheFieldsAndCancelLeavesTheModelUntouched) {
    TBlocStatic model = startupModel();
    model.T = 1.5;
    const TBlocStatic original = model;
    GeometryDialog dialog(model, Language::English);
    NoticeLog notices;
    dialog.setNoticeHandler(notices.handler());
    ASSERT_TRUE(showActive(dialog));
    click(dialog, "rotational_properties_button");
    auto* calculator = dialog.findChild<MassInertiaDialog*>();
    ASSERT_NE(calculator, nullptr);
    ASSERT_TRUE(activate(*calculator));
    EXPECT_EQ(child<QLabel>(*calculator, "thickness_label")->text(),
              "(Block thickness =      1.500 m)");
    // A rectangular block 20 m high and 16 m wide: M = gamma t a b, centre in the middle,
    // Im = M (a² + b²) / 12.
    typeInto(field(*calculator, "a_edit"), QStringLiteral("20"));
    typeInto(field(*calculator, "b_edit"), QStringLiteral("16"));
    typeInto(field(*calculator, "c_edit"), QStringLiteral("20"));
    typeInto(field(*calculator, "d_edit"), QStringLiteral("16"));
    click(*calculator, "compute_button");
    EXPECT_TRUE(notices.shown.empty());
    click(*calculator, "ok_button");
    const double mass = 2.4 * 1.5 * 20 * 16;
    EXPECT_DOUBLE_EQ(field(dialog, "m_edit")->value(), mass);
    EXPECT_DOUBLE_EQ(field(dialog, "h_edit")->value(), 20);
    EXPECT_DOUBLE_EQ(field(dialog, "b_edit")->value(), 16);
    EXPECT_DOUBLE_EQ(field(dialog, "xc_edit")->value(), 8);
    EXPECT_DOUBLE_EQ(field(dialog, "yc_edit")->value(), 10);
    EXPECT_NEAR(field(dialog, "im_edit")->value(), mass * (400 + 256) / 12, 1e-9);
    EXPECT_EQ(field(dialog, "beta_edit")->value(), 0.0);
    EXPECT_EQ(field(dialog, "m_edit")->text(), "1152 ton");

    click(dialog, "cancel_button");
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_TRUE(sameInputs(model, original));
}

TEST(GeometryDialogTest, CalculatorInclinationArrivesInDegrees) {
    TBlocStatic model = startupModel();
    GeometryDialog dialog(model, Language::English);
    NoticeLog notices;
    dialog.setNoticeHandler(notices.handler());
    ASSERT_TRUE(showActive(dialog));
    click(dialog, "rotational_properties_button");
    auto* calculator = dialog.findChild<MassInertiaDialog*>();
    ASSERT_NE(calculator, nullptr);
    ASSERT_TRUE(activate(*calculator));
    // Toe 2 m below the heel at 4 m: the base slopes down at atan(-1/2) = -26.565°.
    typeInto(field(*calculator, "density_edit"), QStringLiteral("1"));
    typeInto(field(*calculator, "a_edit"), QStringLiteral("10"));
    typeInto(field(*calculator, "b_edit"), QStringLiteral("4"));
    typeInto(field(*calculator, "c_edit"), QStringLiteral("12"));
    typeInto(field(*calculator, "d_edit"), QStringLiteral("4"));
    typeInto(field(*calculator, "e_edit"), QStringLiteral("2"));
    click(*calculator, "compute_button");
    click(*calculator, "ok_button");
    EXPECT_NEAR(field(dialog, "beta_edit")->value(), -26.56505117707799, 1e-12);
    EXPECT_EQ(field(dialog, "beta_edit")->text(), "-26.57 deg");
    EXPECT_DOUBLE_EQ(field(dialog, "yc_edit")->value(), (192 + 16.0 / 3) / 44);
    click(dialog, "ok_button");
    dialog.applyTo(model);
    EXPECT_NEAR(model.Beta, -26.56505117707799, 1e-12);
    EXPECT_EQ(model.H, 10);
    EXPECT_EQ(model.B, 4);
    EXPECT_DOUBLE_EQ(model.M, 44); // gamma 1 x t 1 x area 44
}
