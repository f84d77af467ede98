// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/series_envelope.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <vector>

using namespace quibel;

namespace {

// Zero everywhere but for a peak every period samples, its height 1..7 in turn and every
// third one pointing down, so that neighbouring columns hold peaks of different heights.
struct ImpulseTrain final {
    std::vector<double> values;
    std::map<std::size_t, double> peaks;
    ImpulseTrain(std::size_t n, std::size_t period, std::size_t phase) : values(n, 0.0) {
        for (std::size_t i = phase, k = 0; i < n; i += period, ++k) {
            const double height = 1.0 + static_cast<double>(k % 7);
            values[i] = k % 3 == 2 ? -height : height;
            peaks[i] = values[i];
        }
    }
};

} // namespace

TEST(SeriesEnvelopeTest, ColumnsHoldTheFirstLastAndExtremeValuesOfTheirSamples) {
    // Samples at 0, 0.5, 1, ... 4.5; columns of width 1 from 0: two samples each.
    const std::vector<double> v = {3, -2, 7, 1, 0, 0, -4, 9, 5, 6};
    const SeriesEnvelope e = buildEnvelope({0.0, 0.5, v}, 0.0, 2.0, 2);
    // Only samples 0..3 (abscissae 0..1.5) are in [0, 2): 4 samples in 2 columns is "few".
    EXPECT_TRUE(e.samplesOnly);
    EXPECT_EQ(e.begin, 0u);
    EXPECT_EQ(e.end, 4u);

    const SeriesEnvelope wide = buildEnvelope({0.0, 0.5, v}, 0.0, 5.0, 2);
    ASSERT_FALSE(wide.samplesOnly);
    ASSERT_EQ(wide.columns.size(), 2u);
    const EnvelopeColumn& a = wide.columns[0]; // abscissae [0, 2.5): samples 0..4
    EXPECT_EQ(a.column, 0);
    EXPECT_EQ(a.first, 3);
    EXPECT_EQ(a.last, 0);
    EXPECT_EQ(a.low, -2);
    EXPECT_EQ(a.high, 7);
    const EnvelopeColumn& b = wide.columns[1]; // [2.5, 5): samples 5..9
    EXPECT_EQ(b.column, 1);
    EXPECT_EQ(b.first, 0);
    EXPECT_EQ(b.last, 6);
    EXPECT_EQ(b.low, -4);
    EXPECT_EQ(b.high, 9);
}

TEST(SeriesEnvelopeTest, EveryPeakOfAnImpulseTrainSurvivesAnyZoom) {
    const ImpulseTrain train(1'000'000, 997, 13);
    const double step = 0.001; // a 1000 s record sampled at 1 kHz
    struct Zoom {
        const char* name;
        double lo, hi;
        long long columns;
    };
    const Zoom zooms[] = {
        {"whole record on 1000 pixels", 0.0, 1000.0, 1000},
        {"whole record on 137 pixels", 0.0, 1000.0, 137},
        {"a range off the samples' grid", 123.4567, 456.789, 611},
        {"range starting before the record", -50.0, 70.0, 300},
        {"range ending after the record", 900.25, 1200.0, 64},
        {"one peak period on 3 pixels", 500.0, 501.0, 3},
    };
    for (const Zoom& z : zooms) {
        SCOPED_TRACE(z.name);
        const SeriesEnvelope e = buildEnvelope({0.0, step, train.values}, z.lo, z.hi, z.columns);
        ASSERT_FALSE(e.samplesOnly);
        std::map<long long, const EnvelopeColumn*> byColumn;
        for (const EnvelopeColumn& c : e.columns)
            byColumn[c.column] = &c;
        int seen = 0;
        for (const auto& [index, value] : train.peaks) {
            const double x = static_cast<double>(index) * step;
            if (x < z.lo || x >= z.hi)
                continue;
            ++seen;
            const auto column = static_cast<long long>(std::floor((x - z.lo) / e.width));
            ASSERT_TRUE(byColumn.count(column)) << "peak at " << x;
            const EnvelopeColumn& c = *byColumn[column];
            // The column reaches the peak; its extremes are samples, never smoothed values.
            if (value > 0)
                EXPECT_GE(c.high, value) << "peak at " << x;
            else
                EXPECT_LE(c.low, value) << "peak at " << x;
            EXPECT_EQ(c.high, std::round(c.high));
            EXPECT_EQ(c.low, std::round(c.low));
        }
        EXPECT_GT(seen, 0);
        // Between peaks the series is 0: a column's extremes never leave [-7, 7], and a column
        // without a peak reads exactly 0.
        for (const EnvelopeColumn& c : e.columns) {
            EXPECT_GE(c.low, -7.0);
            EXPECT_LE(c.high, 7.0);
            EXPECT_LE(c.low, 0.0);
            EXPECT_GE(c.high, 0.0);
        }
    }
}

TEST(SeriesEnvelopeTest, SamplesThatAreNotNumbersBreakTheLineButNotTheExtremes) {
    std::vector<double> v(100, 1.0);
    v[10] = std::nan("");
    v[11] = 8.0;
    for (std::size_t i = 60; i < 70; ++i)
        v[i] = std::nan("");
    // Ten samples per column of width 10.
    const SeriesEnvelope e = buildEnvelope({0.0, 1.0, v}, 0.0, 100.0, 10);
    ASSERT_FALSE(e.samplesOnly);
    // Column 1 breaks before its 8; column 6 has no number at all and is left out.
    ASSERT_EQ(e.columns.size(), 9u);
    EXPECT_FALSE(e.columns[0].gapBefore);
    EXPECT_TRUE(e.columns[1].gapBefore);
    EXPECT_EQ(e.columns[1].first, 8.0);
    EXPECT_EQ(e.columns[1].high, 8.0);
    EXPECT_EQ(e.columns[6].column, 7);
    EXPECT_TRUE(e.columns[6].gapBefore);
    for (const EnvelopeColumn& c : e.columns)
        EXPECT_EQ(c.low, 1.0);
}
