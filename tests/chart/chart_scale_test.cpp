// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/chart_scale.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using quibel::ChartScale;

namespace {

// 1000 x 700 pixels with rims 40, 40, 32, 32: a plotting area of 920 x 636 pixels from (40, 32),
// so the ranges 0..92 and 0..63.6 make ten pixels per data unit on both axes.
ChartScale tenPixelsPerUnit() {
    ChartScale s;
    s.setSize(1000, 700);
    s.setRims(40, 40, 32, 32);
    s.setRangeX(0, 92);
    s.setRangeY(0, 63.6);
    return s;
}

} // namespace

TEST(ChartScaleTest, DataAndPixelsMapBothWays) {
    const ChartScale s = tenPixelsPerUnit();
    EXPECT_EQ(s.plotWidth(), 920);
    EXPECT_EQ(s.plotHeight(), 636);
    EXPECT_EQ(s.DataToPixel(0, 0), QPoint(40, 668));
    EXPECT_EQ(s.DataToPixel(92, 63.6), QPoint(960, 32));
    EXPECT_EQ(s.DataToPixel(46, 31.8), QPoint(500, 350));
    const QPointF d = s.PixelToData(500, 350);
    EXPECT_NEAR(d.x(), 46, 1e-12);
    EXPECT_NEAR(d.y(), 31.8, 1e-12);
}

TEST(ChartScaleTest, BackwardRangeRunsRightToLeft) {
    ChartScale s = tenPixelsPerUnit();
    s.setRangeX(92, 0);
    EXPECT_EQ(s.DataToPixel(92, 0).x(), 40);
    EXPECT_EQ(s.DataToPixel(0, 0).x(), 960);
    EXPECT_EQ(s.DataToPixel(90, 0).x(), 60);
}

TEST(ChartScaleTest, PixelsAreClampedToThirtyTwoBits) {
    const ChartScale s = tenPixelsPerUnit();
    constexpr int lo = std::numeric_limits<int>::min();
    constexpr int hi = std::numeric_limits<int>::max();
    EXPECT_EQ(s.DataToPixel(1e300, -1e300), QPoint(hi, hi));
    EXPECT_EQ(s.DataToPixel(-1e300, 1e300), QPoint(lo, lo));
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(s.DataToPixel(inf, -inf), QPoint(hi, hi));
    EXPECT_EQ(s.DataToPixel(std::nan(""), std::nan("")), QPoint(40, 668));
}

TEST(ChartScaleTest, BoundCloserThanMinimumRangeMovesTheOther) {
    struct Case {
        const char* name;
        double lo, hi; // before
        bool setLo;    // which bound is set
        double value;  // to what
        double wantLo, wantHi;
    };
    // Minimum range 0.5.
    const Case cases[] = {
        {"low set onto high leaves the span above", 0, 10, true, 10, 10, 10.5},
        {"high set onto low leaves the span below", 0, 10, false, 0, -0.5, 0},
        {"low near high of an ascending range", 0, 10, true, 9.8, 9.8, 10.3},
        {"low near high of a backward range", 10, 0, true, 0.2, 0.2, -0.3},
        {"high near low of a backward range", 10, 0, false, 9.8, 10.3, 9.8},
        {"far enough: nothing else moves", 0, 10, true, 3, 3, 10},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ChartScale s;
        s.setMinRangeY(0.5);
        s.setRangeY(c.lo, c.hi);
        if (c.setLo)
            s.setRangeLoY(c.value);
        else
            s.setRangeHiY(c.value);
        EXPECT_DOUBLE_EQ(s.RangeLoY(), c.wantLo);
        EXPECT_DOUBLE_EQ(s.RangeHiY(), c.wantHi);
    }
}

TEST(ChartScaleTest, EqualBoundsLeaveTheDefaultMinimumSpanAbove) {
    ChartScale s;
    s.setRangeY(0, 5);
    s.setRangeLoY(5);
    EXPECT_EQ(s.RangeLoY(), 5);
    EXPECT_EQ(s.RangeHiY(), 5 + 1e-10);
    s.setRangeX(7, 7);
    EXPECT_EQ(s.RangeHiX(), 7 + 1e-10);
}

TEST(ChartScaleTest, NonFiniteBoundsAreIgnored) {
    ChartScale s = tenPixelsPerUnit();
    s.setRangeLoX(std::nan(""));
    s.setRangeHiY(std::numeric_limits<double>::infinity());
    s.setRangeX(0, std::nan(""));
    EXPECT_EQ(s.RangeLoX(), 0);
    EXPECT_EQ(s.RangeHiX(), 92);
    EXPECT_EQ(s.RangeHiY(), 63.6);
}

TEST(ChartScaleTest, IsometricModeGivesTheVerticalSpanOfTheAreaShape) {
    ChartScale s = tenPixelsPerUnit();
    s.setRangeY(-5, 100);
    s.setIsometric(true);
    // 92 units over 920 pixels: 636 pixels hold 63.6 units, counted from the low bound.
    EXPECT_DOUBLE_EQ(s.RangeLoY(), -5);
    EXPECT_DOUBLE_EQ(s.RangeHiY(), -5 + 63.6);
    const QPoint o = s.DataToPixel(0, 0);
    EXPECT_EQ(s.DataToPixel(10, 0).x() - o.x(), o.y() - s.DataToPixel(0, 10).y());

    s.setRangeHiY(1000); // follows the horizontal range again at once
    EXPECT_DOUBLE_EQ(s.RangeHiY(), -5 + 63.6);

    s.setSize(1000, 400); // 336 pixels high
    EXPECT_DOUBLE_EQ(s.RangeHiY(), -5 + 33.6);

    s.setRangeY(10, 0); // a backward vertical range stays backward
    EXPECT_DOUBLE_EQ(s.RangeHiY(), 10 - 33.6);
}

TEST(ChartScaleTest, ZoomRectangleDraggedEitherWayKeepsRangeDirections) {
    struct Case {
        const char* name;
        QPoint from, to;
        bool backwardX;
        double lo, hi;
    };
    // Pixels 300 and 700 are abscissae 26 and 66; pixels 500 and 100 ordinates 16.8 and 56.8.
    const Case cases[] = {
        {"left to right, top to bottom", {300, 100}, {700, 500}, false, 26, 66},
        {"right to left, bottom to top", {700, 500}, {300, 100}, false, 26, 66},
        {"right to left over a backward range", {700, 100}, {300, 500}, true, 66, 26},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ChartScale s = tenPixelsPerUnit();
        if (c.backwardX)
            s.setRangeX(92, 0);
        ASSERT_TRUE(s.zoomToPixelRect(c.from, c.to));
        EXPECT_NEAR(s.RangeLoX(), c.lo, 1e-9);
        EXPECT_NEAR(s.RangeHiX(), c.hi, 1e-9);
        EXPECT_NEAR(s.RangeLoY(), 16.8, 1e-9);
        EXPECT_NEAR(s.RangeHiY(), 56.8, 1e-9);
    }
}

TEST(ChartScaleTest, ClickIsNoZoom) {
    ChartScale s = tenPixelsPerUnit();
    EXPECT_FALSE(s.zoomToPixelRect({300, 100}, {302, 500}));
    EXPECT_FALSE(s.zoomToPixelRect({300, 100}, {300, 100}));
    EXPECT_EQ(s.RangeLoX(), 0);
    EXPECT_EQ(s.RangeHiX(), 92);
}

TEST(ChartScaleTest, PanMovesTheDataWithTheMouse) {
    ChartScale s = tenPixelsPerUnit();
    const QPointF grabbed = s.PixelToData(500, 350);
    s.panByPixels(100, 50);
    EXPECT_NEAR(s.RangeLoX(), -10, 1e-12);
    EXPECT_NEAR(s.RangeHiX(), 82, 1e-12);
    EXPECT_NEAR(s.RangeLoY(), 5, 1e-12);
    EXPECT_NEAR(s.RangeHiY(), 68.6, 1e-12);
    const QPointF under = s.PixelToData(600, 400);
    EXPECT_NEAR(under.x(), grabbed.x(), 1e-12);
    EXPECT_NEAR(under.y(), grabbed.y(), 1e-12);
}

TEST(ChartScaleTest, ZoomAboutPixelKeepsThePointUnderIt) {
    ChartScale s = tenPixelsPerUnit();
    s.zoomAboutPixel(QPointF(500, 350), 0.5);
    EXPECT_NEAR(s.RangeLoX(), 23, 1e-12);
    EXPECT_NEAR(s.RangeHiX(), 69, 1e-12);
    EXPECT_NEAR(s.RangeLoY(), 15.9, 1e-12);
    EXPECT_NEAR(s.RangeHiY(), 47.7, 1e-12);
    EXPECT_EQ(s.DataToPixel(46, 31.8), QPoint(500, 350));
}

TEST(ChartScaleTest, ChartSmallerThanItsRimsKeepsAMapping) {
    ChartScale s;
    s.setSize(30, 20);
    s.setRims(40, 40, 32, 32);
    EXPECT_EQ(s.plotWidth(), 1);
    EXPECT_EQ(s.plotHeight(), 1);
    const QPointF d = s.PixelToData(41, 32);
    EXPECT_TRUE(std::isfinite(d.x()) && std::isfinite(d.y()));
}
