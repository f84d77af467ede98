// SPDX-License-Identifier: GPL-3.0-or-later
#include "signals/history_value.h"

#include "signal_test_helpers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

using namespace quibel;

namespace {

using test::vectorOf;
TimeHistoryRecord sampled(const std::vector<double>& values, double dt, double start = 0.0) {
    return test::sampledHistory(values, dt, start);
}
GeneratorTerm term(TermShape shape, double a, double period, double phase, double start,
                   double end) {
    return test::activeTerm(shape, a, period, phase, start, end);
}

struct TimeValue {
    double t;
    double expected;
};

void expectValues(const HistoryEvaluator& h, const std::vector<TimeValue>& cases) {
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "t = " << c.t);
        EXPECT_NEAR(h.value(c.t), c.expected, 1e-12);
    }
}

} // namespace

TEST(HistoryValueTest, UndefinedHistoryIsZeroWhateverScaleAndOffset) {
    TimeHistoryRecord r = sampled({1.0, 2.0}, 0.01);
    r.Source = HistorySource::Undefined;
    r.Scale = 3.0;
    r.Offset = 0.5;
    HistoryEvaluator h(r);
    for (double t : {0.0, 0.005, 1.0, 1e9})
        EXPECT_EQ(h.value(t), 0.0);
    EXPECT_EQ(EffectiveOffset(r), 0.0);
}

TEST(HistoryValueTest, TwoSamplesInterpolateAndFallToZeroOverTheNextStep) {
    const TimeHistoryRecord r = sampled({0.1, 0.3}, 0.01);
    HistoryEvaluator h(r);
    expectValues(h, {{0.0, 0.1},
                     {0.005, 0.2},
                     {0.01, 0.3},
                     {0.015, 0.15},
                     {0.02, 0.0},
                     {0.03, 0.0},
                     {1e12, 0.0}});
}

TEST(HistoryValueTest, ScaleAndOffsetApplyOnlyWhereTheRawValueIsNotZero) {
    TimeHistoryRecord r = sampled({0.1, 0.3}, 0.01);
    r.Scale = 2.0;
    r.Offset = 0.05;
    HistoryEvaluator h(r);
    expectValues(h, {{0.005, 0.45}, {0.03, 0.0}});
}

TEST(HistoryValueTest, ZeroSampleGivesZeroButItsNeighbourhoodCarriesTheOffset) {
    TimeHistoryRecord r = sampled({0.0, 0.4}, 0.01);
    r.Offset = 0.05;
    HistoryEvaluator h(r);
    // At the zero sample nothing is added; halfway to 0.4 the raw value is 0.2.
    expectValues(h, {{0.0, 0.0}, {0.005, 0.25}});
}

TEST(HistoryValueTest, AmplitudeCorrections) {
    TimeHistoryRecord r = sampled({1.0, 2.0, 3.0}, 0.01);
    r.Offset = 7.0; // ignored by both corrections
    r.Correction = OffsetCorrection::ZeroMean;
    EXPECT_NEAR(HistoryEvaluator(r).value(0.0), 1.0 - 2.0, 1e-12);
    r.Correction = OffsetCorrection::ZeroFirstValue;
    EXPECT_NEAR(HistoryEvaluator(r).value(0.01), 2.0 - 1.0, 1e-12);
    r.Scale = 2.0;
    EXPECT_NEAR(EffectiveOffset(r), -2.0, 1e-12);
    r.Correction = OffsetCorrection::ZeroMean;
    EXPECT_NEAR(EffectiveOffset(r), -4.0, 1e-12);
}

TEST(HistoryValueTest, CorrectionDoesNotApplyToGeneratedHistories) {
    TimeHistoryRecord r;
    r.Source = HistorySource::Generated;
    r.Offset = 0.25;
    r.Correction = OffsetCorrection::ZeroMean;
    r.Values = vectorOf({5.0, 5.0});
    EXPECT_EQ(EffectiveOffset(r), 0.25);
}

TEST(HistoryValueTest, RecordStartingLaterIsEvaluatedFromTimeZero) {
    const TimeHistoryRecord r = sampled({0.7, 0.9, 1.1}, 0.01, 0.5);
    HistoryEvaluator h(r);
    expectValues(h, {{0.0, 0.7}, {0.02, 1.1}, {0.5, 0.0}});
}

TEST(HistoryValueTest, TableWithoutUsableStepGivesFiniteValues) {
    // One sample, equal first times, decreasing times: the first sample at t = 0, then 0.
    std::vector<TimeHistoryRecord> records = {sampled({0.4}, 0.01), sampled({0.4, 0.6}, 0.0),
                                              sampled({0.4, 0.6}, -0.01)};
    for (const auto& r : records) {
        HistoryEvaluator h(r);
        EXPECT_EQ(h.value(0.0), 0.4);
        for (double t : {1e-9, 0.005, 0.01, 10.0})
            EXPECT_EQ(h.value(t), 0.0) << t;
    }
}

TEST(HistoryValueTest, SampledRecordWithoutSeriesIsZero) {
    TimeHistoryRecord r;
    r.Source = HistorySource::Sampled;
    r.Offset = 1.0;
    r.Correction = OffsetCorrection::ZeroMean;
    HistoryEvaluator h(r);
    EXPECT_EQ(h.value(0.0), 0.0);
    EXPECT_EQ(EffectiveOffset(r), 0.0);
}

TEST(TermValueTest, SineIsReferredToAbsoluteTime) {
    GeneratorTerm s = term(TermShape::Sine, 1.0, 1.0, 0.0, 0.25, 0.75);
    struct Case {
        double t, expected;
    } cases[] = {{0.2, 0.0}, {0.25, 1.0}, {0.5, 0.0}, {0.75, -1.0}, {0.8, 0.0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.t);
        EXPECT_NEAR(TermValue(s, c.t), c.expected, 1e-12);
    }
    // Starting at 0.5 s: sin(pi) = 0, the phase refers to t = 0.
    GeneratorTerm late = term(TermShape::Sine, 1.0, 1.0, 0.0, 0.5, 2.0);
    EXPECT_NEAR(TermValue(late, 0.5), 0.0, 1e-12);
    // A phase of 90 degrees turns the sine into a cosine.
    GeneratorTerm cosine = term(TermShape::Sine, 2.0, 1.0, 90.0, 0.0, 2.0);
    EXPECT_NEAR(TermValue(cosine, 0.0), 2.0, 1e-12);
}

TEST(TermValueTest, TriangleRisesToItsPeakAQuarterPeriodAfterStart) {
    GeneratorTerm tri = term(TermShape::Triangle, 2.0, 1.0, 0.0, 0.0, 5.0);
    struct Case {
        double t, expected;
    } cases[] = {{0.125, 1.0}, {0.25, 2.0}, {0.5, 0.0}, {0.75, -2.0}, {1.0, 0.0}, {1.25, 2.0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.t);
        EXPECT_NEAR(TermValue(tri, c.t), c.expected, 1e-12);
    }
    GeneratorTerm shifted = term(TermShape::Triangle, 2.0, 1.0, -180.0, 3.0, 5.0);
    EXPECT_NEAR(TermValue(shifted, 3.0), 0.0, 1e-12); // f = 0.5
    EXPECT_NEAR(TermValue(shifted, 3.25), -2.0, 1e-12);
}

TEST(TermValueTest, ImpulseIsASquareWaveCountedFromStart) {
    GeneratorTerm sq = term(TermShape::Impulse, 1.0, 1.0, 0.0, 0.0, 5.0);
    EXPECT_EQ(TermValue(sq, 0.5), 1.0);
    EXPECT_EQ(TermValue(sq, 0.51), -1.0);
    EXPECT_EQ(TermValue(sq, 1.0), 1.0);
    EXPECT_EQ(TermValue(sq, 5.01), 0.0);
}

TEST(TermValueTest, ZeroPeriodOrNoShapeGivesZeroNotNaN) {
    for (TermShape shape : {TermShape::Sine, TermShape::Triangle, TermShape::Impulse}) {
        GeneratorTerm g = term(shape, 1.0, 0.0, 30.0, 0.0, 10.0);
        EXPECT_EQ(TermValue(g, 0.0), 0.0);
        EXPECT_EQ(TermValue(g, 1.5), 0.0);
        g.Period = std::numeric_limits<double>::denorm_min();
        EXPECT_TRUE(std::isfinite(TermValue(g, 5.0)));
    }
    EXPECT_EQ(TermValue(term(TermShape::None, 1.0, 1.0, 0.0, 0.0, 10.0), 0.25), 0.0);
}

TEST(HistoryValueTest, ActiveTermsAddAndInactiveTermsContributeNothing) {
    TimeHistoryRecord r;
    r.Source = HistorySource::Generated;
    r.Terms[0] = term(TermShape::Sine, 1.0, 1.0, 0.0, 0.0, 1.0);
    r.Terms[1] = term(TermShape::Sine, 1.0, 1.0, 0.0, 0.0, 1.0);
    r.Terms[2] = term(TermShape::Impulse, 5.0, 1.0, 0.0, 0.0, 1.0);
    r.Terms[2].Active = 0;
    r.Scale = 0.5;
    r.Offset = 0.1;
    HistoryEvaluator h(r);
    EXPECT_NEAR(h.value(0.25), 2.0 * 0.5 + 0.1, 1e-12);
    EXPECT_EQ(h.value(2.0), 0.0); // outside every active term: no offset

    for (auto& g : r.Terms)
        g.Active = 0;
    HistoryEvaluator none(r);
    for (double t : {0.0, 0.25, 0.5})
        EXPECT_EQ(none.value(t), 0.0);
}

TEST(HistoryValueTest, ModelLookupUsesTheHistoryOfTheKind) {
    TBlocStatic model;
    model.history(HistoryKind::VerticalAcceleration) = sampled({0.1, 0.3}, 0.01);
    EXPECT_NEAR(HistoryValue(model, HistoryKind::VerticalAcceleration, 0.005), 0.2, 1e-12);
    EXPECT_EQ(HistoryValue(model, HistoryKind::HorizontalAcceleration, 0.005), 0.0);
}
