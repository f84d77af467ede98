// SPDX-License-Identifier: GPL-3.0-or-later
#include "signals/effective_signal.h"
#include "signals/history_editing.h"
#include "signals/history_plot.h"

#include "signal_test_helpers.h"

#include <gtest/gtest.h>

using namespace quibel;
using test::activeTerm;
using test::sampledHistory;
using test::valuesOf;

TEST(EffectiveSignalTest, SampledAppliesScaleAndCorrectionToEverySample) {
    TimeHistoryRecord r = sampledHistory({0.0, 1.0, 2.0, 3.0}, 0.02, 0.5);
    r.Scale = 2.0;
    r.Correction = OffsetCorrection::ZeroMean; // mean 1.5, offset -3
    const auto signal = EffectiveSignal(r);
    ASSERT_TRUE(signal.has_value());
    // The zero sample is shifted too: the signal is the one the plot and the spectrum see.
    EXPECT_EQ(valuesOf(signal->Values), (std::vector<double>{-3.0, -1.0, 1.0, 3.0}));
    EXPECT_EQ(valuesOf(signal->Times), valuesOf(*r.Times));
}

TEST(EffectiveSignalTest, GeneratedUsesTheTableWithScaleAndOffset) {
    TimeHistoryRecord r;
    r.Source = HistorySource::Generated;
    r.Terms[0] = activeTerm(TermShape::Impulse, 1.0, 2.0, 0.0, 0.0, 2.0);
    r.Scale = 3.0;
    r.Offset = 0.5;
    r.Correction = OffsetCorrection::ZeroFirstValue; // does not apply to generated histories
    const auto signal = EffectiveSignal(r);
    ASSERT_TRUE(signal.has_value());
    ASSERT_EQ(signal->size(), 2001);
    EXPECT_DOUBLE_EQ(signal->Values.get(1), 3.5);     // +1 in the first half period
    EXPECT_DOUBLE_EQ(signal->Values.get(1501), -2.5); // t = 1.5: -1
}

TEST(EffectiveSignalTest, NothingToShowForUndefinedOrInactiveHistories) {
    TimeHistoryRecord r = sampledHistory({1.0, 2.0}, 0.01);
    r.Source = HistorySource::Undefined;
    EXPECT_FALSE(EffectiveSignal(r).has_value());
    r.Source = HistorySource::Generated; // all terms inactive
    EXPECT_FALSE(EffectiveSignal(r).has_value());
    const HistoryPlot plot = PlotHistoryData(r);
    EXPECT_EQ(plot.Kind, HistoryPlot::Content::Empty);
    EXPECT_FALSE(plot.enablesSpectrum());
}

TEST(HistoryPlotTest, SampledRangesFollowTheStoredTimesAndScaledValues) {
    TimeHistoryRecord r = sampledHistory({0.2, -0.4, 0.6}, 0.01, 1.0);
    r.Scale = 0.5;
    r.Offset = 0.1;
    const HistoryPlot plot = PlotHistoryData(r);
    EXPECT_EQ(plot.Kind, HistoryPlot::Content::Sampled);
    EXPECT_TRUE(plot.enablesSpectrum());
    EXPECT_DOUBLE_EQ(plot.TimeMin, 1.0);
    EXPECT_DOUBLE_EQ(plot.TimeMax, 1.02);
    EXPECT_DOUBLE_EQ(plot.ValueMin, 0.5 * -0.4 + 0.1);
    EXPECT_DOUBLE_EQ(plot.ValueMax, 0.5 * 0.6 + 0.1);
    ASSERT_TRUE(plot.Points.has_value());
    EXPECT_DOUBLE_EQ(plot.Points->Values.get(1), 0.2);
}

TEST(HistoryPlotTest, NegativeScaleStillGivesAnOrderedRange) {
    TimeHistoryRecord r = sampledHistory({1.0, 3.0}, 0.01);
    r.Scale = -1.0;
    const HistoryPlot plot = PlotHistoryData(r);
    EXPECT_DOUBLE_EQ(plot.ValueMin, -3.0);
    EXPECT_DOUBLE_EQ(plot.ValueMax, -1.0);
}

TEST(HistoryPlotTest, GeneratedRangeIsTenPercentWiderThanTheScaledTable) {
    TimeHistoryRecord r;
    r.Source = HistorySource::Generated;
    r.Terms[1] = activeTerm(TermShape::Triangle, 2.0, 1.0, 0.0, 0.0, 4.0);
    r.Scale = 0.5;
    r.Offset = 0.25;
    const HistoryPlot plot = PlotHistoryData(r);
    EXPECT_EQ(plot.Kind, HistoryPlot::Content::Generated);
    EXPECT_DOUBLE_EQ(plot.TimeMin, 0.0);
    EXPECT_DOUBLE_EQ(plot.TimeMax, 4.0);
    EXPECT_NEAR(plot.ValueMax, 1.1 * (0.5 * 2.0 + 0.25), 1e-12);
    EXPECT_NEAR(plot.ValueMin, 1.1 * (0.5 * -2.0 + 0.25), 1e-12);
}

TEST(HistoryEditingTest, DeleteKeepsEverythingButTheSource) {
    TimeHistoryRecord r = sampledHistory({1.0, 2.0}, 0.01);
    r.Title = "El Centro";
    r.Scale = 2.0;
    TimeHistoryRecord cleared = r;
    ClearHistory(cleared);
    EXPECT_EQ(cleared.Source, HistorySource::Undefined);
    cleared.Source = r.Source;
    EXPECT_EQ(cleared, r);
}

TEST(HistoryEditingTest, GeneratorOkMakesTheHistoryGeneratedEvenWithoutActiveTerm) {
    TimeHistoryRecord r = sampledHistory({1.0, 2.0}, 0.01);
    std::array<GeneratorTerm, 4> terms{};
    terms[2].EndTime = 7.5;
    terms[3].EndTime = -2.0;
    StoreGeneratorTerms(r, terms);
    EXPECT_EQ(r.Source, HistorySource::Generated);
    EXPECT_EQ(r.Duration, 7.5);
    EXPECT_TRUE(r.Values.has_value()); // the samples stay for a later switch back

    std::array<GeneratorTerm, 4> negative{};
    negative[0].EndTime = -1.0;
    StoreGeneratorTerms(r, negative);
    EXPECT_EQ(r.Duration, 0.0);
}

TEST(HistoryEditingTest, StoredSamplesSetTheDurationToTheLastTime) {
    TimeHistoryRecord r;
    StoreSamples(r, SignalSamples{test::vectorOf({0.5, 0.7, 0.9}), test::vectorOf({1, 2, 3})});
    EXPECT_EQ(r.Source, HistorySource::Sampled);
    EXPECT_DOUBLE_EQ(r.Duration, 0.9);
    EXPECT_EQ(r.Values->size(), 3);
}

TEST(HistoryEditingTest, AdvancedSettingsLeaveTheCorrectionOfGeneratedHistories) {
    TimeHistoryRecord r;
    r.Source = HistorySource::Generated;
    r.Correction = OffsetCorrection::ZeroMean;
    EXPECT_FALSE(CorrectionEditable(r));
    EXPECT_EQ(AdvancedDialogSettings(r).Correction, OffsetCorrection::ApplyOffset);
    ApplyAdvancedSettings(r, {2.0, 0.3, OffsetCorrection::ZeroFirstValue});
    EXPECT_EQ(r.Scale, 2.0);
    EXPECT_EQ(r.Offset, 0.3);
    EXPECT_EQ(r.Correction, OffsetCorrection::ZeroMean);

    r.Source = HistorySource::Sampled;
    EXPECT_EQ(AdvancedDialogSettings(r).Correction, OffsetCorrection::ZeroMean);
    ApplyAdvancedSettings(r, {1.0, 0.0, OffsetCorrection::ZeroFirstValue});
    EXPECT_EQ(r.Correction, OffsetCorrection::ZeroFirstValue);
}
