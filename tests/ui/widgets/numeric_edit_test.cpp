// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialog_test_support.h"

#include "ui/widgets/calculator_popup.h"
#include "ui/widgets/display_mask.h"
#include "ui/widgets/numeric_edit.h"
#include "ui/widgets/pocket_calculator.h"

#include <QAction>
#include <QSignalSpy>

#include <string>

using namespace quibel;
using namespace quibel::test;

namespace {
const QLocale kEnglish(QLocale::English, QLocale::UnitedStates);
const QLocale kFrench(QLocale::French, QLocale::France);
} // namespace

TEST(NumericEditTest, DisplayMasksFormatAsThePatternsSay) {
    const QString frGroup = kFrench.groupSeparator();
    struct Case {
        double value;
        const char* mask;
        const QLocale* locale;
        QString expected;
    } cases[] = {
        {20, "0.### m", &kEnglish, "20 m"},
        {398000, "0.### kg", &kEnglish, "398000 kg"},
        {398.12345, "0.#### ton", &kEnglish, "398.1235 ton"},
        {15473.2, "0.### ton·m²", &kEnglish, "15473.2 ton·m²"},
        {1234567.891, ",0.###", &kEnglish, "1,234,567.891"},
        {1234.5, ",0.###", &kFrench, "1" + frGroup + "234,5"},
        {-1234.5, ",0.###", &kEnglish, "-1,234.5"},
        {45, ",0.## deg", &kEnglish, "45 deg"},
        {-12.345, ",0.## deg", &kEnglish, "-12.35 deg"}, // halves away from zero
        {2.675, "0.##", &kEnglish, "2.68"},              // on the decimal value, not the binary
        {9.9996, "0.###", &kEnglish, "10"},
        {-0.0004, "0.###", &kEnglish, "0"}, // no "-0"
        {0.0001, ",0.###### sec", &kEnglish, "0.0001 sec"},
        {1.5, "0.000", &kEnglish, "1.500"},
        {0.5, "#.### m", &kEnglish, ".5 m"}, // "#" asks for no leading zero
        {0, "#.###", &kEnglish, "0"},
        {0.25, "'x = '0.#", &kEnglish, "x = 0.3"},
        {1e100, "0.### m", &kEnglish, "1E+100 m"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.mask) + " " + std::to_string(c.value));
        EXPECT_EQ(formatDisplayMask(c.value, QString::fromUtf8(c.mask), *c.locale), c.expected);
    }
}

TEST(NumericEditTest, TypedValueKeepsItsPrecisionBehindTheMask) {
    QWidget window;
    auto* edit = new NumericEdit(&window);
    auto* other = new NumericEdit(&window);
    edit->setDisplayMask(QStringLiteral("0.### m"));
    edit->setValue(20);
    EXPECT_EQ(edit->text(), "20 m");
    ASSERT_TRUE(showActive(window));
    QSignalSpy changed(edit, &NumericEdit::valueChanged);

    typeInto(edit, QStringLiteral("12.3456789"));
    EXPECT_TRUE(other->hasFocus());
    EXPECT_DOUBLE_EQ(edit->value(), 12.3456789);
    EXPECT_EQ(edit->text(), "12.346 m");
    EXPECT_EQ(changed.count(), 1);

    // Back in the field, the whole number is there to edit; leaving without typing keeps it.
    edit->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(edit->text(), "12.3456789");
    QTest::keyClick(edit, Qt::Key_Tab);
    EXPECT_DOUBLE_EQ(edit->value(), 12.3456789);
    EXPECT_EQ(changed.count(), 1);
}

TEST(NumericEditTest, TypingStopsAtTheAcceptedDecimalsAndRefusesLetters) {
    QWidget window;
    auto* edit = new NumericEdit(&window);
    new NumericEdit(&window);
    edit->setDecimals(10);
    ASSERT_TRUE(showActive(window));
    typeInto(edit, QStringLiteral("1.123456789012"));
    EXPECT_DOUBLE_EQ(edit->value(), 1.123456789);
    typeInto(edit, QStringLiteral("7x.5e3"));
    EXPECT_DOUBLE_EQ(edit->value(), 7.53);
    edit->setFocus(Qt::TabFocusReason);
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClick(edit, Qt::Key_Tab);
    EXPECT_EQ(edit->value(), 0.0); // an emptied field reads as zero
}

TEST(NumericEditTest, ValueOutsideTheRangeIsBroughtBackAndTheRangeTold) {
    QWidget window;
    auto* angle = new NumericEdit(&window);
    auto* coefficient = new NumericEdit(&window);
    angle->setRange(-89.999999, 89.999999);
    coefficient->setRange(0, 1);
    ASSERT_TRUE(showActive(window));
    QSignalSpy angleReports(angle, &NumericEdit::rangeReported);
    QSignalSpy coefficientReports(coefficient, &NumericEdit::rangeReported);

    typeInto(angle, QStringLiteral("95"));
    EXPECT_EQ(angle->value(), 89.999999);
    ASSERT_EQ(angleReports.count(), 1);
    EXPECT_EQ(angleReports.at(0).at(0).toString(),
              "Value must be between -89.999999 and 89.999999.");
    typeInto(angle, QStringLiteral("-30.5"));
    EXPECT_EQ(angle->value(), -30.5);
    EXPECT_EQ(angleReports.count(), 1);

    typeInto(coefficient, QStringLiteral("1.5"));
    EXPECT_EQ(coefficient->value(), 1.0);
    ASSERT_EQ(coefficientReports.count(), 1);
    EXPECT_EQ(coefficientReports.at(0).at(0).toString(), "Value must be between 0 and 1.");
    // A field that takes no negative value does not take the sign either.
    typeInto(coefficient, QStringLiteral("-0.25"));
    EXPECT_EQ(coefficient->value(), 0.25);

    coefficient->setLanguage(Language::French);
    typeInto(coefficient, QStringLiteral("3"));
    EXPECT_EQ(coefficientReports.last().at(0).toString(),
              "La valeur doit être comprise entre 0 et 1.");
}

TEST(NumericEditTest, FrenchSettingsUseTheCommaAndStillAcceptThePoint) {
    ScopedLocale french(kFrench);
    QWidget window;
    auto* edit = new NumericEdit(&window);
    new NumericEdit(&window);
    edit->setDisplayMask(QStringLiteral("0.### m"));
    ASSERT_TRUE(showActive(window));
    typeInto(edit, QStringLiteral("2,5"));
    EXPECT_EQ(edit->value(), 2.5);
    EXPECT_EQ(edit->text(), "2,5 m");
    typeInto(edit, QStringLiteral("3.25"));
    EXPECT_EQ(edit->value(), 3.25);
    edit->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(edit->text(), "3,25");
}

TEST(NumericEditTest, CalculatorGivesItsResultToTheField) {
    QWidget window;
    auto* edit = new NumericEdit(&window);
    new NumericEdit(&window);
    edit->setCalculatorEnabled(true);
    edit->setDecimals(10);
    edit->setValue(3);
    ASSERT_TRUE(showActive(window));

    edit->setFocus(Qt::TabFocusReason);
    QTest::keyClick(edit, Qt::Key_F2);
    CalculatorPopup* popup = edit->calculator();
    ASSERT_NE(popup, nullptr);
    ASSERT_TRUE(popup->isVisible());
    EXPECT_EQ(popup->displayText(), "3");
    QTest::keyClicks(popup, QStringLiteral("*4+1.5"));
    EXPECT_EQ(popup->displayText(), "1.5");
    QTest::keyClick(popup, Qt::Key_Return);
    EXPECT_FALSE(popup->isVisible());
    EXPECT_EQ(edit->value(), 13.5);

    // The button opens it too; Escape closes it without touching the field.
    QAction* button = child<QAction>(*edit, "calculator_action");
    ASSERT_NE(button, nullptr);
    button->trigger();
    ASSERT_TRUE(popup->isVisible());
    EXPECT_EQ(popup->displayText(), "13.5");
    QTest::keyClicks(popup, QStringLiteral("/4"));
    QTest::keyClick(popup, Qt::Key_Escape);
    EXPECT_FALSE(popup->isVisible());
    EXPECT_EQ(edit->value(), 13.5);

    // Its buttons work as its keys; the field keeps only its own decimals.
    button->trigger();
    QTest::mouseClick(child<QWidget>(*popup, "digit_1_button"), Qt::LeftButton);
    QTest::mouseClick(child<QWidget>(*popup, "divide_button"), Qt::LeftButton);
    QTest::mouseClick(child<QWidget>(*popup, "digit_3_button"), Qt::LeftButton);
    QTest::mouseClick(child<QWidget>(*popup, "ok_button"), Qt::LeftButton);
    EXPECT_EQ(edit->value(), 0.3333333333);
}

TEST(NumericEditTest, PocketCalculatorWorksLikeADeskCalculator) {
    struct Case {
        double start;
        const char* keys; // digits . + - * / = and ~ (sign), < (back), C (clear)
        std::string display;
    } cases[] = {
        {0, "2+3*4=", "20"},                     // each operation completes the one before
        {0, "7-10=", "-3"},   {5, "*2=", "10"},  // starts from the field's value
        {0, "1.5<<2=", "12"},                    // backspace
        {0, "12~", "-12"},    {0, "3+*2=", "6"}, // a second operator replaces the first
        {0, "8/0=", ""},                         // error: nothing to give back
        {0, "8/0=C4", "4"},   {0, "0.1+0.2=", "0.3"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.keys);
        PocketCalculator calc(c.start);
        for (const char* k = c.keys; *k; ++k) {
            if (*k >= '0' && *k <= '9')
                calc.digit(*k - '0');
            else if (*k == '.')
                calc.point();
            else if (*k == '=')
                calc.equals();
            else if (*k == '~')
                calc.negate();
            else if (*k == '<')
                calc.backspace();
            else if (*k == 'C')
                calc.clear();
            else
                calc.operation(*k);
        }
        EXPECT_EQ(calc.display(), c.display);
        EXPECT_EQ(calc.hasError(), c.display.empty());
    }
}
