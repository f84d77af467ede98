// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/histories/generator_dialog.h"

#include "chart/chart_widget.h"
#include "dialog_test_support.h"

#include <QPushButton>
#include <QToolButton>

#include <gtest/gtest.h>

#include <algorithm>

using namespace quibel;
using quibel::test::child;

namespace {

std::array<GeneratorTerm, 4> noTerms() {
    return {};
}

// Fills row r (1..4) as a user would leave it: values in the five fields.
void fillRow(GeneratorDialog& dlg, int r, double amplitude, double period, double phase,
             double start, double end) {
    const double values[] = {amplitude, period, phase, start, end};
    const char* names[] = {"amplitude", "Period", "Phase", "Start", "End"};
    for (int c = 0; c < 5; ++c)
        child<NumericEdit>(dlg, (names[c] + std::to_string(r)).c_str())->setValue(values[c]);
}

QToolButton* shapeButton(GeneratorDialog& dlg, const char* shape, int r) {
    return child<QToolButton>(dlg, (std::string(shape) + std::to_string(r)).c_str());
}

bool previewEmpty(const GeneratorDialog& dlg) {
    return dlg.chart().displayList().empty();
}

} // namespace

TEST(GeneratorDialogTest, RowBecomesActiveOnlyWithAmplitudePeriodAndAnInterval) {
    const struct {
        const char* name;
        double amplitude, period, start, end;
        bool active;
    } cases[] = {
        {"start equals end", 1, 1, 0, 0, false}, {"zero amplitude", 0, 1, 0, 1, false},
        {"zero period", 1, 0, 0, 1, false},      {"end before start", 1, 1, 2, 1, false},
        {"complete row", 1, 1, 0, 1, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        for (const char* shape : {"SpeedSinus", "SpeedTriangular", "SpeedImpulse"}) {
            SCOPED_TRACE(shape);
            GeneratorDialog dlg(noTerms(), Language::English);
            fillRow(dlg, 2, c.amplitude, c.period, 0, c.start, c.end);
            shapeButton(dlg, shape, 2)->click();
            EXPECT_EQ(dlg.terms()[1].Active != 0, c.active);
            EXPECT_EQ(previewEmpty(dlg), !c.active);
        }
    }
}

TEST(GeneratorDialogTest, ButtonsOfARowAreExclusiveOrNone) {
    GeneratorDialog dlg(noTerms(), Language::English);
    fillRow(dlg, 1, 1, 1, 0, 0, 1);
    shapeButton(dlg, "SpeedSinus", 1)->click();
    EXPECT_EQ(dlg.terms()[0].Shape, TermShape::Sine);
    shapeButton(dlg, "SpeedImpulse", 1)->click();
    EXPECT_FALSE(shapeButton(dlg, "SpeedSinus", 1)->isChecked());
    EXPECT_TRUE(shapeButton(dlg, "SpeedImpulse", 1)->isChecked());
    EXPECT_EQ(dlg.terms()[0].Shape, TermShape::Impulse);
    EXPECT_TRUE(dlg.terms()[0].Active);
    // Releasing the only pressed button switches the row off, and the preview with it.
    shapeButton(dlg, "SpeedImpulse", 1)->click();
    EXPECT_FALSE(dlg.terms()[0].Active);
    EXPECT_EQ(dlg.terms()[0].Shape, TermShape::None);
    EXPECT_TRUE(previewEmpty(dlg));
}

TEST(GeneratorDialogTest, TwoSinesAddToTwoWithATenPercentMargin) {
    GeneratorDialog dlg(noTerms(), Language::English);
    for (int r : {1, 3}) {
        fillRow(dlg, r, 1, 1, 0, 0, 1);
        shapeButton(dlg, "SpeedSinus", r)->click();
    }
    EXPECT_EQ(dlg.chart().Caption(), QStringLiteral("Generated Function"));
    EXPECT_NEAR(dlg.chart().RangeLoY(), -2.2, 1e-12);
    EXPECT_NEAR(dlg.chart().RangeHiY(), 2.2, 1e-12);
    EXPECT_DOUBLE_EQ(dlg.chart().RangeLoX(), 0.0);
    EXPECT_DOUBLE_EQ(dlg.chart().RangeHiX(), 1.0);
    EXPECT_EQ(dlg.chart().displayList().elements().size(), 2001u);
    child<QPushButton>(dlg, "ButtonOk")->click();
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_TRUE(dlg.terms()[0].Active && dlg.terms()[2].Active);
}

TEST(GeneratorDialogTest, PreviewSpansTheLatestEndTimeOfEveryTerm) {
    std::array<GeneratorTerm, 4> terms{};
    terms[0] = {TermShape::Sine, 1, 1, 0, 0, 3, 0}; // inactive, ends at 3 s
    terms[1] = {TermShape::Triangle, 2, 1, 0, 0, 2, 1};
    GeneratorDialog dlg(terms, Language::English);
    EXPECT_FALSE(shapeButton(dlg, "SpeedSinus", 1)->isChecked());
    EXPECT_TRUE(shapeButton(dlg, "SpeedTriangular", 2)->isChecked());
    EXPECT_DOUBLE_EQ(dlg.chart().RangeHiX(), 3.0);
    // The active triangle is drawn up to its end at 2 s, and the sum is 0 afterwards.
    int beyond = 0;
    double peak = 0.0;
    for (const DisplayElement& e : dlg.chart().displayList().elements()) {
        peak = std::max(peak, e.Y1);
        if (e.X1 > 2.0 + 1e-9) {
            ++beyond;
            EXPECT_EQ(e.Y1, 0.0) << "t = " << e.X1;
        }
    }
    EXPECT_EQ(beyond, 667); // the 2001 points are 1.5 ms apart
    EXPECT_GT(peak, 1.99);  // amplitude 2, its peak between two points
    EXPECT_LE(peak, 2.0);
}

TEST(GeneratorDialogTest, OpeningOnInactiveTermsShowsNoButtonDownAndAnEmptyChart) {
    std::array<GeneratorTerm, 4> terms{};
    terms[2] = {TermShape::Impulse, 1, 1, 0, 0, 1, 0};
    GeneratorDialog dlg(terms, Language::French);
    EXPECT_EQ(dlg.windowTitle(), QString::fromUtf8("Générateur de fonctions"));
    for (int r = 1; r <= 4; ++r)
        for (const char* shape : {"SpeedSinus", "SpeedTriangular", "SpeedImpulse"})
            EXPECT_FALSE(shapeButton(dlg, shape, r)->isChecked());
    EXPECT_TRUE(previewEmpty(dlg));
    EXPECT_TRUE(dlg.chart().Caption().isEmpty());
}

TEST(GeneratorDialogTest, LeavingAFieldTakesTheRowAndRedraws) {
    GeneratorDialog dlg(noTerms(), Language::English);
    ASSERT_TRUE(test::showActive(dlg));
    fillRow(dlg, 4, 1, 1, 0, 0, 1);
    shapeButton(dlg, "SpeedSinus", 4)->click();
    ASSERT_NEAR(dlg.chart().RangeHiY(), 1.1, 1e-12);
    // Editing an active row keeps it on; the preview follows the new amplitude.
    test::typeInto(child<NumericEdit>(dlg, "amplitude4"), QStringLiteral("3"));
    EXPECT_EQ(dlg.terms()[3].Amplitude, 3.0);
    EXPECT_TRUE(dlg.terms()[3].Active);
    EXPECT_NEAR(dlg.chart().RangeHiY(), 3.3, 1e-12);
    // Fields keep their ranges: a phase beyond 180 degrees comes back to 180.
    test::typeInto(child<NumericEdit>(dlg, "Phase4"), QStringLiteral("270"));
    EXPECT_EQ(dlg.terms()[3].Phase, 180.0);
}

// The shape buttons are reached with Tab from the row's last field and pressed with Space, so
// a row can be filled and switched on without the mouse.
TEST(GeneratorDialogTest, ShapeButtonsAreReachedAndPressedFromTheKeyboard) {
    GeneratorDialog dlg(noTerms(), Language::English);
    ASSERT_TRUE(quibel::test::showActive(dlg));
    fillRow(dlg, 1, 1, 1, 0, 0, 1);
    child<NumericEdit>(dlg, "End1")->setFocus(Qt::TabFocusReason);
    const struct {
        const char* button;
        TermShape shape;
    } steps[] = {{"SpeedSinus", TermShape::Sine}, {"SpeedTriangular", TermShape::Triangle}};
    for (const auto& s : steps) {
        SCOPED_TRACE(s.button);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), shapeButton(dlg, s.button, 1));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        EXPECT_EQ(dlg.terms()[0].Shape, s.shape);
        EXPECT_TRUE(dlg.terms()[0].Active);
    }
}
