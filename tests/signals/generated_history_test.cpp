// SPDX-License-Identifier: GPL-3.0-or-later
#include "signals/generated_table.h"
#include "signals/generator_rules.h"

#include "signal_test_helpers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

using namespace quibel;
using test::activeTerm;

namespace {
std::array<GeneratorTerm, 4> terms(GeneratorTerm a, GeneratorTerm b = {}, GeneratorTerm c = {},
                                   GeneratorTerm d = {}) {
    return {a, b, c, d};
}
} // namespace

TEST(GeneratedTableTest, StepSpansTheLatestEndTimeOfAnyTerm) {
    GeneratorTerm first = activeTerm(TermShape::Sine, 1.0, 1.0, 0.0, 0.0, 2.0);
    GeneratorTerm second = activeTerm(TermShape::Sine, 1.0, 1.0, 0.0, 0.0, 5.0);
    second.Active = 0; // inactive terms still count for the time axis
    const SignalSamples table = TabulateGenerated(terms(first, second));
    ASSERT_EQ(table.size(), 2001);
    EXPECT_DOUBLE_EQ(GeneratedStep(terms(first, second)), 0.0025);
    EXPECT_DOUBLE_EQ(table.Times.get(2), 0.0025);
    EXPECT_DOUBLE_EQ(table.Times.get(2001), 5.0);
    // Only the active term, and only up to its end time.
    EXPECT_NEAR(table.Values.get(101), std::sin(2.0 * std::numbers::pi * 0.25), 1e-12); // t = 0.25
    EXPECT_EQ(table.Values.get(1601), 0.0);                                             // t = 4
}

TEST(GeneratedTableTest, NegativeEndTimesGiveAZeroStep) {
    GeneratorTerm g = activeTerm(TermShape::Impulse, 1.0, 1.0, 0.0, -3.0, -1.0);
    const SignalSamples table = TabulateGenerated(terms(g));
    EXPECT_EQ(GeneratedStep(terms(g)), 0.0);
    EXPECT_EQ(table.Times.get(2001), 0.0);
    EXPECT_EQ(table.Values.max(), 0.0);
}

TEST(GeneratorRulesTest, ShapeButtonActivatesOnlyACompleteRow) {
    struct Case {
        const char* name;
        double amplitude, period, start, end;
        TermShape pressed;
        bool active;
    } cases[] = {
        {"complete sine row", 1.0, 1.0, 0.0, 1.0, TermShape::Sine, true},
        {"start not before end", 1.0, 1.0, 0.0, 0.0, TermShape::Sine, false},
        {"zero amplitude", 0.0, 1.0, 0.0, 1.0, TermShape::Triangle, false},
        {"zero period", 1.0, 0.0, 0.0, 1.0, TermShape::Impulse, false},
        {"button released", 1.0, 1.0, 0.0, 1.0, TermShape::None, false},
        {"negative amplitude", -2.0, 0.5, 1.0, 3.0, TermShape::Impulse, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        GeneratorTerm g = activeTerm(TermShape::Sine, c.amplitude, c.period, 0.0, c.start, c.end);
        g.Active = 1; // whatever it was before, the click decides again
        EXPECT_EQ(ShapeButtonClicked(g, c.pressed), c.active);
        EXPECT_EQ(g.Active != 0, c.active);
        EXPECT_EQ(g.Shape, c.pressed);
    }
}

TEST(GeneratorRulesTest, OpeningShowsTheShapeOfActiveTermsOnly) {
    GeneratorTerm g = activeTerm(TermShape::Triangle, 1.0, 1.0, 0.0, 0.0, 1.0);
    EXPECT_EQ(ShapeShownDown(g), TermShape::Triangle);
    g.Active = 0;
    EXPECT_EQ(ShapeShownDown(g), TermShape::None);
}

TEST(GeneratorRulesTest, PreviewOfTwoEqualSinesSpansTenPercentMore) {
    GeneratorTerm g = activeTerm(TermShape::Sine, 1.0, 1.0, 0.0, 0.0, 1.0);
    const auto preview = GeneratorPreviewData(terms(g, g));
    ASSERT_TRUE(preview.has_value());
    EXPECT_NEAR(preview->ValueMax, 2.2, 1e-9);
    EXPECT_NEAR(preview->ValueMin, -2.2, 1e-9);
    EXPECT_DOUBLE_EQ(preview->TimeMax, 1.0);
}

TEST(GeneratorRulesTest, PreviewSpansInactiveEndTimesAndIsEmptyWithoutActiveTerm) {
    GeneratorTerm inactive = activeTerm(TermShape::Sine, 1.0, 1.0, 0.0, 0.0, 3.0);
    inactive.Active = 0;
    GeneratorTerm active = activeTerm(TermShape::Impulse, 1.0, 1.0, 0.0, 0.0, 2.0);
    const auto preview = GeneratorPreviewData(terms(inactive, active));
    ASSERT_TRUE(preview.has_value());
    EXPECT_DOUBLE_EQ(preview->TimeMax, 3.0);
    // Beyond 2 s the active term is no longer drawn: the last third of the points is 0.
    EXPECT_EQ(preview->Points.Values.get(2001), 0.0);
    EXPECT_EQ(preview->Points.Values.get(1), 1.0);

    EXPECT_FALSE(GeneratorPreviewData(terms(inactive)).has_value());
}

TEST(GeneratorRulesTest, PeriodSetToZeroAfterActivationPreviewsAsZero) {
    GeneratorTerm g = activeTerm(TermShape::Triangle, 1.0, 1.0, 0.0, 0.0, 1.0);
    g.Period = 0.0; // edited after the row was switched on
    const auto preview = GeneratorPreviewData(terms(g));
    ASSERT_TRUE(preview.has_value());
    EXPECT_EQ(preview->ValueMin, 0.0);
    EXPECT_EQ(preview->ValueMax, 0.0);
}
