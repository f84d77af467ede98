// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/chart_series.h"
#include "chart/chart_widget.h"

#include "chart_test_support.h"

#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

using namespace quibel;

TEST(ChartWidgetTest, ZoomRectangleDraggedRightToLeftGivesAscendingRanges) {
    ChartWidget chart;
    setUpTenPixelsPerUnit(chart);
    chart.setMouseAction(MouseAction::ZoomWindow);
    QSignalSpy zoomed(&chart, &ChartWidget::zoomedOrPanned);
    // Pixels 700 and 300 are abscissae 66 and 26; pixels 500 and 100 ordinates 16.8 and 56.8.
    dragWithLeftButton(chart, QPoint(700, 500), QPoint(300, 100));
    EXPECT_NEAR(chart.RangeLoX(), 26, 1e-9);
    EXPECT_NEAR(chart.RangeHiX(), 66, 1e-9);
    EXPECT_NEAR(chart.RangeLoY(), 16.8, 1e-9);
    EXPECT_NEAR(chart.RangeHiY(), 56.8, 1e-9);
    EXPECT_EQ(zoomed.count(), 1);
}

TEST(ChartWidgetTest, RightButtonCancelsTheZoomRectangle) {
    ChartWidget chart;
    setUpTenPixelsPerUnit(chart);
    chart.setMouseAction(MouseAction::ZoomWindow);
    QSignalSpy zoomed(&chart, &ChartWidget::zoomedOrPanned);
    QTest::mousePress(&chart, Qt::LeftButton, {}, QPoint(300, 100));
    sendMouse(chart, QEvent::MouseMove, QPoint(700, 500), Qt::NoButton, Qt::LeftButton);
    QTest::mousePress(&chart, Qt::RightButton, {}, QPoint(700, 500));
    QTest::mouseRelease(&chart, Qt::LeftButton, {}, QPoint(700, 500));
    EXPECT_EQ(chart.RangeLoX(), 0);
    EXPECT_EQ(chart.RangeHiX(), 92);
    EXPECT_EQ(zoomed.count(), 0);
}

TEST(ChartWidgetTest, PanDragsTheRangesWithTheMouse) {
    ChartWidget chart;
    setUpTenPixelsPerUnit(chart);
    chart.setMouseAction(MouseAction::Pan);
    QSignalSpy panned(&chart, &ChartWidget::zoomedOrPanned);
    dragWithLeftButton(chart, QPoint(500, 350), QPoint(600, 400));
    EXPECT_NEAR(chart.RangeLoX(), -10, 1e-9);
    EXPECT_NEAR(chart.RangeHiX(), 82, 1e-9);
    EXPECT_NEAR(chart.RangeLoY(), 5, 1e-9);
    EXPECT_GE(panned.count(), 1);
}

TEST(ChartWidgetTest, ZoomDragNarrowsTheRangesWhenTheMouseGoesUp) {
    ChartWidget chart;
    setUpTenPixelsPerUnit(chart);
    chart.setMouseAction(MouseAction::ZoomDrag);
    QSignalSpy zoomed(&chart, &ChartWidget::zoomedOrPanned);
    dragWithLeftButton(chart, QPoint(500, 350), QPoint(500, 250));
    // One hundred pixels up halve the spans about the pressed point (46, 31.8).
    EXPECT_NEAR(chart.RangeHiX() - chart.RangeLoX(), 46, 1e-9);
    EXPECT_NEAR(chart.RangeLoX(), 23, 1e-9);
    EXPECT_NEAR(chart.RangeHiY() - chart.RangeLoY(), 31.8, 1e-9);
    EXPECT_GE(zoomed.count(), 1);
}

TEST(ChartWidgetTest, MouseMoveReportsTheDataUnderIt) {
    ChartWidget chart;
    setUpTenPixelsPerUnit(chart);
    QSignalSpy moved(&chart, &ChartWidget::mouseMovedInChart);
    sendMouse(chart, QEvent::MouseMove, QPoint(500, 350), Qt::NoButton, Qt::NoButton,
              Qt::ShiftModifier);
    sendMouse(chart, QEvent::MouseMove, QPoint(10, 10), Qt::NoButton, Qt::NoButton);
    ASSERT_EQ(moved.count(), 2);
    const QList<QVariant> inside = moved.at(0);
    EXPECT_EQ(inside.at(0).value<ChartWidget*>(), &chart);
    EXPECT_TRUE(inside.at(1).toBool());
    EXPECT_EQ(inside.at(2).value<Qt::KeyboardModifiers>(), Qt::ShiftModifier);
    EXPECT_NEAR(inside.at(3).toDouble(), 46, 1e-9);
    EXPECT_NEAR(inside.at(4).toDouble(), 31.8, 1e-9);
    const QList<QVariant> outside = moved.at(1);
    EXPECT_FALSE(outside.at(1).toBool());
    EXPECT_NEAR(outside.at(3).toDouble(), -3, 1e-9);
    EXPECT_NEAR(outside.at(4).toDouble(), 65.8, 1e-9);
}

TEST(ChartWidgetTest, OnlyCrossHairsThatFollowTheMouseMoveWithIt) {
    ChartWidget chart;
    setUpTenPixelsPerUnit(chart);
    CrossHair readout;
    readout.Mode = CrossHairMode::Both;
    readout.FollowsMouse = true;
    chart.setCrossHair(1, readout);
    CrossHair fixed;
    fixed.Mode = CrossHairMode::Horizontal;
    fixed.PosY = 10;
    chart.setCrossHair(2, fixed);
    sendMouse(chart, QEvent::MouseMove, QPoint(500, 350), Qt::NoButton, Qt::NoButton);
    EXPECT_NEAR(chart.crossHair(1).PosX, 46, 1e-9);
    EXPECT_NEAR(chart.crossHair(1).PosY, 31.8, 1e-9);
    EXPECT_EQ(chart.crossHair(2).PosY, 10);
    // Outside the plotting area, and while panning, the readout stays.
    sendMouse(chart, QEvent::MouseMove, QPoint(10, 10), Qt::NoButton, Qt::NoButton);
    EXPECT_NEAR(chart.crossHair(1).PosX, 46, 1e-9);
}

TEST(ChartWidgetTest, CrossHairsAreDrawnAtTheirDataPositions) {
    ChartWidget chart;
    setUpTenPixelsPerUnit(chart);
    CrossHair vertical;
    vertical.Mode = CrossHairMode::Vertical;
    vertical.Color = Qt::red;
    vertical.PosX = 46;
    chart.setCrossHair(1, vertical);
    CrossHair horizontal;
    horizontal.Mode = CrossHairMode::Horizontal;
    horizontal.Color = Qt::blue;
    horizontal.PosY = 20;
    chart.setCrossHair(2, horizontal);
    CrossHair off;
    off.Mode = CrossHairMode::Off;
    off.Color = Qt::green;
    off.PosX = 10;
    off.PosY = 10;
    chart.setCrossHair(3, off);
    const QImage image = chart.toImage();
    for (int y : {100, 300, 600})
        EXPECT_TRUE(isColour(image, QPoint(500, y), Qt::red, 0)) << y;
    for (int x : {100, 400, 900})
        EXPECT_TRUE(isColour(image, QPoint(x, 468), Qt::blue, 0)) << x;
    EXPECT_TRUE(isColour(image, QPoint(140, 568), Qt::white, 0));
    EXPECT_TRUE(isColour(image, QPoint(140, 300), Qt::white, 0));
}

TEST(ChartWidgetTest, PixelStepsAreReplayedFromThePenAfterAZoom) {
    ChartWidget chart;
    setUpTenPixelsPerUnit(chart);
    chart.clearGraph();
    chart.setDataColor(Qt::blue);
    chart.moveTo(20, 20);
    chart.drawBy(30, 0);
    chart.drawBy(0, -20);
    chart.showGraph();
    auto checkStroke = [&](QPoint start) {
        const QImage image = chart.toImage();
        for (int dx : {0, 15, 30})
            EXPECT_TRUE(isColour(image, start + QPoint(dx, 0), Qt::blue, 0)) << dx;
        for (int dy : {-5, -20})
            EXPECT_TRUE(isColour(image, start + QPoint(30, dy), Qt::blue, 0)) << dy;
        EXPECT_TRUE(isColour(image, start + QPoint(35, 0), Qt::white, 0));
        EXPECT_TRUE(isColour(image, start + QPoint(-5, 0), Qt::white, 0));
    };
    checkStroke(QPoint(240, 468));
    // Twenty pixels per unit: the point moves, the steps keep their length in pixels.
    chart.setRangeHiX(46);
    chart.setRangeHiY(31.8);
    ASSERT_EQ(chart.DataToPixel(20, 20), QPoint(440, 268));
    checkStroke(QPoint(440, 268));
}

TEST(ChartWidgetTest, CopyToClipboardAfterAZoomShowsTheZoomedView) {
    ChartWidget chart;
    setUpTenPixelsPerUnit(chart);
    chart.clearGraph();
    chart.setDataColor(Qt::black);
    chart.setFillColor(Qt::red);
    chart.ellipseAt(20, 20, 1, 1);
    chart.showGraph();
    const QImage before = chart.toImage();
    ASSERT_TRUE(isColour(before, QPoint(240, 468), Qt::red, 0));

    chart.setMouseAction(MouseAction::ZoomWindow);
    dragWithLeftButton(chart, QPoint(40, 350), QPoint(500, 668)); // 0..46 by 0..31.8
    chart.copyToClipboard();
    const QImage copy = QGuiApplication::clipboard()->image();
    ASSERT_EQ(copy.size(), chart.size());
    const QPoint centre = chart.DataToPixel(20, 20);
    EXPECT_EQ(centre, QPoint(440, 268));
    EXPECT_TRUE(isColour(copy, centre, Qt::red, 0));
    // The circle has grown with the zoom from 10 to 20 pixels of radius: 15 pixels from its
    // centre it is red now and was blank before.
    EXPECT_TRUE(isColour(copy, centre + QPoint(15, 0), Qt::red, 0));
    EXPECT_TRUE(isColour(before, QPoint(240 + 15, 468), Qt::white, 0));
    EXPECT_EQ(copy.convertToFormat(QImage::Format_RGB32), chart.toImage());
}

TEST(ChartWidgetTest, LongTextIsDrawnCutToFifteenCharacters) {
    ChartWidget full;
    setUpTenPixelsPerUnit(full);
    full.textAt(46, 31.8, QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ"), 12);
    ChartWidget cut;
    setUpTenPixelsPerUnit(cut);
    cut.textAt(46, 31.8, QStringLiteral("ABCDEFGHIJKLMNO"), 12);
    EXPECT_EQ(full.toImage(), cut.toImage());
    EXPECT_EQ(full.displayList().elements()[0].Text.size(), 15);
}

TEST(ChartWidgetTest, CentredTextSitsAroundItsPoint) {
    ChartWidget chart;
    setUpTenPixelsPerUnit(chart);
    chart.setTextAlignment(Qt::AlignHCenter);
    chart.setDataColor(Qt::black);
    chart.textAt(46, 31.8, QStringLiteral("MMMMMMMMMM"), 12);
    const QImage image = chart.toImage();
    int left = 1000, right = -1, top = 700, bottom = -1;
    for (int y = 300; y < 400; ++y)
        for (int x = 400; x < 600; ++x)
            if (image.pixelColor(x, y).lightness() < 128) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    ASSERT_GE(right, left);
    EXPECT_NEAR((left + right) / 2.0, 500, 3);
    EXPECT_NEAR((top + bottom) / 2.0, 350, 3);
}

TEST(ChartWidgetTest, EllipseSmallerThanAPixelIsOnePixel) {
    ChartWidget chart;
    setUpTenPixelsPerUnit(chart);
    chart.setDataColor(Qt::red);
    chart.ellipseAt(46, 31.8, 0.01, 0.01);
    const QImage image = chart.toImage();
    EXPECT_TRUE(isColour(image, QPoint(500, 350), Qt::red, 0));
    for (QPoint n : {QPoint(501, 350), QPoint(499, 350), QPoint(500, 349), QPoint(500, 351)})
        EXPECT_TRUE(isColour(image, n, Qt::white, 0));
}

TEST(ChartWidgetTest, PointThatIsNotANumberBreaksTheLine) {
    ChartWidget chart;
    setUpTenPixelsPerUnit(chart);
    chart.setDataColor(Qt::blue);
    chart.moveTo(10, 10);
    chart.drawTo(20, 10);
    chart.drawTo(std::nan(""), 10);
    chart.drawTo(40, 10);
    chart.drawTo(50, 10);
    const QImage image = chart.toImage();
    EXPECT_TRUE(isColour(image, QPoint(190, 568), Qt::blue, 0));
    EXPECT_TRUE(isColour(image, QPoint(340, 568), Qt::white, 0)); // the gap 20..40
    EXPECT_TRUE(isColour(image, QPoint(490, 568), Qt::blue, 0));
}

TEST(ChartWidgetTest, FarPointsAreClippedToThePlottingArea) {
    ChartWidget chart;
    setUpTenPixelsPerUnit(chart);
    chart.setFillColor(Qt::yellow);
    chart.ellipseAt(46, 31.8, 1e9, 1e9); // zoomed far into a circle
    chart.setDataColor(Qt::blue);
    chart.moveTo(46, 31.8);
    chart.drawTo(1e300, 31.8);
    chart.moveTo(46, 20);
    chart.drawBy(2000000000, 0);
    chart.drawBy(2000000000, 0);
    const QImage image = chart.toImage();
    EXPECT_TRUE(isColour(image, QPoint(100, 100), Qt::yellow, 0));
    EXPECT_TRUE(isColour(image, QPoint(900, 350), Qt::blue, 0));
    EXPECT_TRUE(isColour(image, QPoint(900, 468), Qt::blue, 0));
    EXPECT_TRUE(isColour(image, QPoint(980, 350), Qt::white, 0)); // right rim
    EXPECT_TRUE(isColour(image, QPoint(500, 10), Qt::white, 0));  // top rim
}

// A long caption (the project's path) never paints over the ordinate's title at the top left.
TEST(ChartWidgetTest, CaptionKeepsClearOfTheOrdinateTitle) {
    auto render = [](const QString& caption) {
        ChartWidget chart;
        chart.resize(400, 300);
        chart.setIdOrdinate(QStringLiteral("Sliding safety factor"));
        chart.setCaption(caption);
        return chart.toImage();
    };
    const QImage titleOnly = render(QString());
    const QImage both = render(QStringLiteral("/home/engineer/projects/dams/a long folder name/"
                                              "another folder/startup-imperial.qbl"));
    // The title's last inked column in the top text band.
    const int band = 14;
    int titleEnd = 0;
    for (int x = 0; x < titleOnly.width(); ++x)
        for (int y = 0; y < band; ++y)
            if (titleOnly.pixelColor(x, y) != titleOnly.pixelColor(0, 0))
                titleEnd = std::max(titleEnd, x);
    ASSERT_GT(titleEnd, 20);
    for (int x = 0; x <= titleEnd; ++x)
        for (int y = 0; y < band; ++y)
            ASSERT_EQ(both.pixelColor(x, y), titleOnly.pixelColor(x, y)) << x << "," << y;
    // The caption is drawn, right of the title.
    bool inked = false;
    for (int x = titleEnd + 1; x < both.width() && !inked; ++x)
        for (int y = 0; y < band; ++y)
            inked = inked || both.pixelColor(x, y) != titleOnly.pixelColor(x, y);
    EXPECT_TRUE(inked);
}

// A wheel notch toward the user zooms in by 0.8 about the point under the mouse; the - key
// zooms out by 1 / 0.8 about the plot's centre, + zooms in. Pixel (500, 350) is (46, 31.8).
TEST(ChartWidgetTest, WheelAndKeysZoomAboutTheirPoint) {
    ChartWidget chart;
    setUpTenPixelsPerUnit(chart);
    QSignalSpy zoomed(&chart, &ChartWidget::zoomedOrPanned);
    QWheelEvent wheel(QPointF(500, 350), QPointF(500, 350), QPoint(), QPoint(0, 120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&chart, &wheel);
    EXPECT_NEAR(chart.RangeLoX(), 46 - 46 * 0.8, 1e-9);
    EXPECT_NEAR(chart.RangeHiX(), 46 + 46 * 0.8, 1e-9);
    EXPECT_NEAR(chart.RangeLoY(), 31.8 - 31.8 * 0.8, 1e-9);
    EXPECT_EQ(zoomed.count(), 1);

    setUpTenPixelsPerUnit(chart);
    QTest::keyClick(&chart, Qt::Key_Minus);
    EXPECT_NEAR(chart.RangeLoX(), 46 - 46 / 0.8, 1e-9);
    EXPECT_NEAR(chart.RangeHiY(), 31.8 + 31.8 / 0.8, 1e-9);
    QTest::keyClick(&chart, Qt::Key_Plus);
    EXPECT_NEAR(chart.RangeLoX(), 0, 1e-9);
    EXPECT_EQ(zoomed.count(), 3);
}

// A record far denser than the pixels: every peak is still drawn to its full height, at every
// zoom, while the chart keeps one element for the whole series.
TEST(ChartWidgetTest, SeriesKeepsEveryPeakWhateverTheZoom) {
    ChartWidget chart;
    setUpTenPixelsPerUnit(chart);
    std::vector<double> v(92'001, 10.0); // 0 to 92 every 0.001: 100 samples a pixel
    v[20'000] = 50.0;                    // x = 20: pixel (240, 168)
    v[60'000] = 2.0;                     // x = 60: pixel (640, 648)
    chart.setDataColor(Qt::blue);
    chart.drawSeries(ChartSeries::owning(v, 0.0, 0.001));
    ASSERT_EQ(chart.displayList().elements().size(), 1u);
    QImage image = chart.toImage();
    EXPECT_TRUE(isColour(image, QPoint(240, 168), Qt::blue, 0));
    EXPECT_TRUE(isColour(image, QPoint(240, 160), Qt::white, 0));
    EXPECT_TRUE(isColour(image, QPoint(640, 648), Qt::blue, 0));
    EXPECT_TRUE(isColour(image, QPoint(440, 568), Qt::blue, 0)); // the level 10 between
    EXPECT_TRUE(isColour(image, QPoint(440, 470), Qt::white, 0));

    // 19.6 to 20.52 on 920 pixels: one pixel a sample; the peak at 20 is at pixel 440.
    chart.setRangeX(19.6, 20.52);
    image = chart.toImage();
    EXPECT_TRUE(isColour(image, QPoint(440, 168), Qt::blue, 0));
    EXPECT_TRUE(isColour(image, QPoint(600, 568), Qt::blue, 0));
}

// The legend sits in a box at the top right of the plotting area, a stroke of each entry's
// colour before its name; a chart without entries has none.
TEST(ChartWidgetTest, LegendIsDrawnAtTheTopRightOfThePlot) {
    ChartWidget chart;
    setUpTenPixelsPerUnit(chart); // plotting area from (40, 32) to (960, 668)
    auto strokePixels = [&chart](QColor colour) {
        const QImage image = chart.toImage();
        int n = 0;
        for (int y = 32; y < 120; ++y)
            for (int x = 700; x < 960; ++x)
                n += isColour(image, QPoint(x, y), colour, 0) ? 1 : 0;
        return n;
    };
    EXPECT_EQ(strokePixels(Qt::red), 0);
    chart.setLegend({{QStringLiteral("Sliding"), Qt::red}, {QStringLiteral("Velocity"), Qt::blue}});
    // Two pixels thick and about 18 long.
    EXPECT_GE(strokePixels(Qt::red), 30);
    EXPECT_GE(strokePixels(Qt::blue), 30);
    EXPECT_EQ(chart.legend().size(), 2u);
}
