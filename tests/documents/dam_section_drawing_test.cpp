// SPDX-License-Identifier: GPL-3.0-or-later
#include "documents/dam_section_drawing.h"

#include "chart/chart_export.h"
#include "chart/chart_widget.h"
#include "model/model_flags.h"
#include "model/project_record.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QSvgRenderer>

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

using namespace quibel;

namespace {

// The standard palette colours of the drawing.
const QColor kRed(0xFF, 0x00, 0x00);
const QColor kBlue(0x00, 0x00, 0xFF);
const QColor kMaroon(0x80, 0x00, 0x00);
const QColor kSilver(0xC0, 0xC0, 0xC0);
const QColor kGreen(0x00, 0x80, 0x00);

TBlocStatic confirmedStartupModel() {
    TBlocStatic m = startupModel();
    setFlag(m.ModelFlags, ModelFlag::GeometryComplete, true);
    return m;
}

// A chart of the main window's set-up, 1000 x 700 pixels: a plotting area of 920 x 636.
struct DamChart {
    ChartWidget chart;
    DamChart() {
        setUpDamSectionChart(chart);
        chart.resize(1000, 700);
    }
    void draw(const TBlocStatic& m, bool fullView = true) {
        drawDamSection(chart, m, fullView, Language::English);
    }
    const std::vector<DisplayElement>& elements() const { return chart.displayList().elements(); }
    // Elements drawn in a colour.
    std::vector<DisplayElement> inColour(const QColor& c) const {
        std::vector<DisplayElement> out;
        for (const DisplayElement& e : elements())
            if (e.Color == c)
                out.push_back(e);
        return out;
    }
};

// Hand figures of the start-up section: g = 10, s = 17.6 / 13.6, Xf = 10 / s + 16 = 23.72727,
// E = Hd = 30; over 920 x 636 pixels the full view spans 36 x 920 / 636 = 52.07547 across,
// from (23.72727 - 52.07547) / 2 = -14.17410, and 36 up from -3: 17.6667 pixels a metre.
constexpr double kXf = 10 * 13.6 / 17.6 + 16;
constexpr double kSpan = 36.0 * 920 / 636;
constexpr double kLeft = (kXf - kSpan) / 2;

bool isColour(const QImage& image, QPoint p, QColor c) {
    return image.pixelColor(p) == c;
}

} // namespace

TEST(DamSectionDrawingTest, NothingIsDrawnUntilTheGeometryIsConfirmed) {
    DamChart d;
    d.chart.setRangeLoX(-5);
    d.chart.setRangeHiX(5);
    d.chart.moveTo(1, 1); // what the chart showed before
    d.draw(startupModel());
    ASSERT_EQ(d.elements().size(), 1u);
    EXPECT_EQ(d.chart.RangeLoX(), -5);
}

TEST(DamSectionDrawingTest, FullViewFitsTheStartupSection) {
    DamChart d;
    d.draw(confirmedStartupModel());
    EXPECT_NEAR(d.chart.RangeLoX(), kLeft, 1e-9);
    EXPECT_NEAR(d.chart.RangeHiX(), (kXf + kSpan) / 2, 1e-9);
    EXPECT_NEAR(d.chart.RangeLoY(), -3, 1e-12);
    EXPECT_NEAR(d.chart.RangeHiY(), 33, 1e-9);
    EXPECT_TRUE(d.chart.Isometric());
    // The lower dam ends where the downstream face meets the foundation.
    const DisplayElement& foot = d.elements()[1];
    EXPECT_EQ(foot.Kind, DisplayElementKind::DrawTo);
    EXPECT_NEAR(foot.X1, kXf, 1e-9);
    EXPECT_EQ(foot.Y1, 0);
    EXPECT_EQ(foot.LineWidth, 2);
}

TEST(DamSectionDrawingTest, AnalysisPlaneRunsFromHeelToToeInRed) {
    DamChart d;
    TBlocStatic m = confirmedStartupModel();
    d.draw(m);
    const std::vector<DisplayElement> red = d.inColour(kRed);
    ASSERT_EQ(red.size(), 2u);
    EXPECT_EQ(red[0].Kind, DisplayElementKind::MoveTo);
    EXPECT_EQ(red[1].Kind, DisplayElementKind::DrawTo);
    // Heel (0, 10) and toe (16, 10): pixels 40 + 14.1741 x 17.6667 = 290.4 and 573.1, at
    // height 668 - 13 x 17.6667 = 438.3.
    EXPECT_EQ(d.chart.DataToPixel(red[0].X1, red[0].Y1), QPoint(290, 438));
    EXPECT_EQ(d.chart.DataToPixel(red[1].X1, red[1].Y1), QPoint(573, 438));
    const QImage image = d.chart.toImage();
    for (int x : {295, 431, 568})
        EXPECT_TRUE(isColour(image, QPoint(x, 438), kRed)) << x;
}

TEST(DamSectionDrawingTest, InclinedPlaneEndsAtTheToeElevation) {
    DamChart d;
    TBlocStatic m = confirmedStartupModel();
    m.Beta = 10;
    d.draw(m);
    const std::vector<DisplayElement> red = d.inColour(kRed);
    ASSERT_EQ(red.size(), 2u);
    const double t = std::tan(10 * std::numbers::pi / 180);
    EXPECT_NEAR(red[1].X1, 16, 1e-12);
    EXPECT_NEAR(red[1].Y1, 10 + 16 * t, 1e-12);
    // s = (20 - 2.4 - 16 t) / 13.6 and Xf = (10 + 16 t) / s + 16 = 27.7986.
    const double s = (20 - 2.4 - 16 * t) / 13.6;
    const double xf = (10 + 16 * t) / s + 16;
    EXPECT_NEAR(xf, 27.7986, 1e-4);
    EXPECT_NEAR(d.chart.RangeLoX(), (xf - kSpan) / 2, 1e-9);
}

TEST(DamSectionDrawingTest, WaterLevelTriangleStandsOnTheReservoirLine) {
    DamChart d;
    d.draw(confirmedStartupModel());
    const std::vector<DisplayElement> blue = d.inColour(kBlue);
    ASSERT_GE(blue.size(), 3u);
    EXPECT_EQ(blue[1].Kind, DisplayElementKind::DrawTo);
    EXPECT_NEAR(blue[1].X1, kLeft, 1e-9); // the line reaches the left edge
    EXPECT_EQ(blue[1].Y1, 28);
    // The symbol stands at half the left edge abscissa: pixel 40 + 7.0870 x 17.6667 = 165.2,
    // on the water line at 668 - 31 x 17.6667 = 120.3.
    EXPECT_NEAR(blue[2].X1, kLeft / 2, 1e-9);
    const QPoint apex = d.chart.DataToPixel(blue[2].X1, blue[2].Y1);
    ASSERT_EQ(apex, QPoint(165, 120));
    const QImage image = d.chart.toImage();
    // Point down on the line, base 12 pixels higher and 20 wide, hollow.
    for (QPoint p : {QPoint(165, 120), QPoint(156, 108), QPoint(174, 108), QPoint(160, 114)})
        EXPECT_TRUE(isColour(image, p, kBlue)) << p.x() << "," << p.y();
    EXPECT_TRUE(isColour(image, QPoint(165, 112), Qt::white));
    EXPECT_TRUE(isColour(image, QPoint(165, 104), Qt::white));
    // Three dashes under the line: 16, 10 and 4 pixels long, 6 pixels apart.
    for (QPoint p : {QPoint(158, 126), QPoint(172, 126), QPoint(161, 132), QPoint(169, 132),
                     QPoint(164, 138), QPoint(166, 138)})
        EXPECT_TRUE(isColour(image, p, kBlue)) << p.x() << "," << p.y();
    for (QPoint p : {QPoint(165, 129), QPoint(175, 132), QPoint(161, 138), QPoint(165, 142)})
        EXPECT_TRUE(isColour(image, p, Qt::white)) << p.x() << "," << p.y();
}

TEST(DamSectionDrawingTest, FullReservoirMeetsTheCrestCorner) {
    DamChart d;
    TBlocStatic m = confirmedStartupModel();
    m.Hr = m.Hd;
    d.draw(m);
    const std::vector<DisplayElement> blue = d.inColour(kBlue);
    EXPECT_EQ(blue[0].X1, 0);
    EXPECT_EQ(blue[0].Y1, m.Hd); // the block's upstream crest corner (0, Hd)
    // Halfway between the upstream face and the left edge, in pixels too.
    const int face = d.chart.DataToPixel(0, m.Hr).x();
    const int symbol = d.chart.DataToPixel(blue[2].X1, blue[2].Y1).x();
    EXPECT_NEAR(symbol, (face + 40) / 2.0, 1);
}

TEST(DamSectionDrawingTest, FoundationIsHatchedAcrossTheView) {
    DamChart d;
    d.draw(confirmedStartupModel());
    const std::vector<DisplayElement> maroon = d.inColour(kMaroon);
    ASSERT_FALSE(maroon.empty());
    EXPECT_EQ(maroon[0].Kind, DisplayElementKind::Line);
    EXPECT_EQ(maroon[0].LineWidth, 1);
    // The right edge is pixel 960: 96 hatches of 8 by 8 pixels, 10 pixels apart.
    const auto hatches = std::count_if(maroon.begin(), maroon.end(), [](const DisplayElement& e) {
        return e.Kind == DisplayElementKind::DrawBy && e.Dx == 8 && e.Dy == 8;
    });
    EXPECT_EQ(hatches, 96);
    const QImage image = d.chart.toImage();
    // Foundation at 668 - 3 x 17.6667 = 615; the first hatch from (42, 615) to (50, 623).
    EXPECT_TRUE(isColour(image, QPoint(100, 615), kMaroon));
    EXPECT_TRUE(isColour(image, QPoint(46, 619), kMaroon));
    EXPECT_TRUE(isColour(image, QPoint(56, 619), kMaroon));
    EXPECT_TRUE(isColour(image, QPoint(51, 619), Qt::white));
}

TEST(DamSectionDrawingTest, ForceArrowsComeFromTheSideOppositeToTheForce) {
    struct Case {
        const char* name;
        double fh, fv;
        QPoint tail;  // pixel offset from the point of application
        QPoint label; // pixel offset of the label's centre
        const char* text;
    };
    // L = 920 div 15 = 61 pixels.
    const Case cases[] = {
        {"downstream push", 500, 0, {-61, 0}, {-69, -8}, " 500.000 kN"},
        {"downward load", 0, -300, {0, -61}, {0, -69}, " 300.000 kN"},
        {"up and upstream, 3-4-5", -400, 300, {49, 37}, {57, 45}, " 500.000 kN"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DamChart d;
        TBlocStatic m = confirmedStartupModel();
        m.Forces.Items = {{8, 25, c.fh, c.fv}};
        setFlag(m.ModelFlags, ModelFlag::HasForces, true);
        d.draw(m);
        // Point (8, 25): pixel 40 + 22.1741 x 17.6667 = 431.7, 668 - 28 x 17.6667 = 173.3.
        const QPoint at = d.chart.DataToPixel(8, 25);
        ASSERT_EQ(at, QPoint(432, 173));
        const auto arrow =
            std::find_if(d.elements().begin(), d.elements().end(), [](const DisplayElement& e) {
                return e.Kind == DisplayElementKind::MoveTo && e.X1 == 8 && e.Y1 == 25;
            });
        ASSERT_NE(arrow, d.elements().end());
        const DisplayElement& tail = *(arrow + 1);
        EXPECT_EQ(tail.Kind, DisplayElementKind::DrawTo);
        EXPECT_EQ(tail.Color, QColor(Qt::black));
        EXPECT_EQ(tail.LineWidth, 2);
        EXPECT_EQ(d.chart.DataToPixel(tail.X1, tail.Y1), at + c.tail);
        const DisplayElement& label = *(arrow + 2);
        ASSERT_EQ(label.Kind, DisplayElementKind::Text);
        EXPECT_EQ(label.Text, QString::fromUtf8(c.text));
        EXPECT_EQ(label.FontSize, 12);
        EXPECT_EQ(d.chart.DataToPixel(label.X1, label.Y1), at + c.label);
        // Two barbs a tenth of the arrow long, back from the point along the force.
        const DisplayElement& barb = *(arrow + 4);
        ASSERT_EQ(barb.Kind, DisplayElementKind::DrawBy);
        const double theta = std::atan2(c.fv, c.fh);
        EXPECT_EQ(barb.Dx, std::lround(std::cos(theta + 0.8 * std::numbers::pi) * 6.1));
    }
}

TEST(DamSectionDrawingTest, ForceLabelsFollowTheUnitSystemAndTheLocale) {
    DamChart d;
    TBlocStatic m = confirmedStartupModel();
    m.UnitSystem = UnitSystem::MmNKg;
    m.Forces.Items = {{8, 25, 1500, 0}};
    setFlag(m.ModelFlags, ModelFlag::HasForces, true);
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    d.draw(m);
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    const auto label =
        std::find_if(d.elements().begin(), d.elements().end(),
                     [](const DisplayElement& e) { return e.Kind == DisplayElementKind::Text; });
    ASSERT_NE(label, d.elements().end());
    EXPECT_EQ(label->Text, QStringLiteral("  1500,0 N"));
}

TEST(DamSectionDrawingTest, EachAddedMassIsASilverCircleOnTheBlock) {
    DamChart d;
    TBlocStatic m = confirmedStartupModel();
    // A tenth and a twentieth of the block's 398 t: radii 0.1 x 20 / 2 = 1 m and 0.5 m.
    m.Masses.Items = {{6, 20, 39.8, 0}, {3, 27, 19.9, 0}};
    setFlag(m.ModelFlags, ModelFlag::HasMasses, true);
    d.draw(m);
    std::vector<DisplayElement> circles;
    for (const DisplayElement& e : d.elements())
        if (e.Kind == DisplayElementKind::Ellipse)
            circles.push_back(e);
    ASSERT_EQ(circles.size(), 2u);
    EXPECT_NEAR(circles[0].X2, 1, 1e-12);
    EXPECT_NEAR(circles[0].Y2, 1, 1e-12);
    EXPECT_NEAR(circles[1].X2, 0.5, 1e-12);
    const QImage image = d.chart.toImage();
    for (const AddedMass& a : m.Masses.Items) {
        const QPoint c = d.chart.DataToPixel(a.X, a.Y);
        EXPECT_TRUE(isColour(image, c, kSilver));
        EXPECT_TRUE(isColour(image, c + QPoint(0, -5), kSilver));
    }
    // Radius 1 m is 17.7 pixels.
    const QPoint first = d.chart.DataToPixel(6, 20);
    EXPECT_TRUE(isColour(image, first + QPoint(16, 0), kSilver));
    EXPECT_TRUE(isColour(image, first + QPoint(20, 0), Qt::white));

    // With the flag clear the list is ignored.
    setFlag(m.ModelFlags, ModelFlag::HasMasses, false);
    d.draw(m);
    for (const DisplayElement& e : d.elements())
        EXPECT_NE(e.Kind, DisplayElementKind::Ellipse);
}

TEST(DamSectionDrawingTest, TallAddedItemsEnlargeTheFullView) {
    for (bool mass : {true, false}) {
        SCOPED_TRACE(mass ? "mass" : "force");
        DamChart d;
        TBlocStatic m = confirmedStartupModel();
        if (mass) {
            m.Masses.Items = {{5, 50, 10, 0}};
            setFlag(m.ModelFlags, ModelFlag::HasMasses, true);
        } else {
            m.Forces.Items = {{5, 50, 10, 0}};
            setFlag(m.ModelFlags, ModelFlag::HasForces, true);
        }
        d.draw(m);
        // E = 50: from -5 up 60, across 60 x 920 / 636.
        EXPECT_NEAR(d.chart.RangeLoY(), -5, 1e-12);
        EXPECT_NEAR(d.chart.RangeHiY(), 55, 1e-9);
        EXPECT_NEAR(d.chart.RangeHiX() - d.chart.RangeLoX(), 60.0 * 920 / 636, 1e-9);
    }
}

TEST(DamSectionDrawingTest, HistorySymbolsAreGreenAtTheirPoints) {
    DamChart d;
    TBlocStatic m = confirmedStartupModel();
    for (std::uint16_t flag : {ModelFlag::HorizontalAccDefined, ModelFlag::VerticalAccDefined,
                               ModelFlag::HorizontalForceDefined, ModelFlag::VerticalForceDefined})
        setFlag(m.ModelFlags, flag, true);
    m.history(HistoryKind::HorizontalForce).PosX = 0;
    m.history(HistoryKind::HorizontalForce).PosY = 25;
    m.history(HistoryKind::VerticalForce).PosX = 8;
    m.history(HistoryKind::VerticalForce).PosY = 15;
    d.draw(m);
    const QImage image = d.chart.toImage();
    // Base accelerations start at A = (B / 2, g) = (8, 10): pixel (432, 438).
    ASSERT_EQ(d.chart.DataToPixel(8, 10), QPoint(432, 438));
    EXPECT_TRUE(isColour(image, QPoint(490, 438), kGreen)); // 70 pixels downstream
    EXPECT_TRUE(isColour(image, QPoint(499, 435), kGreen)); // its arrowhead
    EXPECT_TRUE(isColour(image, QPoint(432, 375), kGreen)); // 70 pixels up
    // The horizontal force arrow ends at (0, 25), pixel (290, 173), coming 50 pixels from
    // upstream; the vertical one ends at (8, 15), pixel (432, 350), coming from below.
    EXPECT_TRUE(isColour(image, QPoint(260, 173), kGreen));
    EXPECT_TRUE(isColour(image, QPoint(432, 390), kGreen));
    std::vector<QPoint> labels;
    for (const DisplayElement& e : d.elements())
        if (e.Kind == DisplayElementKind::Text && e.Text == QStringLiteral("F(t)"))
            labels.push_back(d.chart.DataToPixel(e.X1, e.Y1));
    ASSERT_EQ(labels.size(), 2u);
    EXPECT_EQ(labels[0], QPoint(290 - 20, 173 - 8));
    EXPECT_EQ(labels[1], d.chart.DataToPixel(8, 15) + QPoint(0, 58));
}

TEST(DamSectionDrawingTest, CurrentViewKeepsTheZoomAndFullViewRefits) {
    DamChart d;
    const TBlocStatic m = confirmedStartupModel();
    d.draw(m);
    d.chart.setRangeLoX(0);
    d.chart.setRangeHiX(20);
    d.draw(m, false);
    EXPECT_EQ(d.chart.RangeLoX(), 0);
    EXPECT_EQ(d.chart.RangeHiX(), 20);
    d.chart.resize(800, 500); // 720 x 436 pixels of plotting area
    d.draw(m, false);
    EXPECT_EQ(d.chart.RangeHiX(), 20);
    EXPECT_NEAR(d.chart.RangeHiY() - d.chart.RangeLoY(), 20.0 * 436 / 720, 1e-9);
    d.draw(m, true);
    EXPECT_NEAR(d.chart.RangeLoX(), (kXf - 36.0 * 720 / 436) / 2, 1e-9);
    EXPECT_NEAR(d.chart.RangeHiY(), 33, 1e-9);
}

TEST(DamSectionDrawingTest, SectionWithoutADownstreamSlopeStaysFinite) {
    DamChart d;
    TBlocStatic m = confirmedStartupModel();
    m.H = 2; // the toe stands higher than the crest corner: the face climbs downstream
    m.Masses.Items = {{6, 20, 10, 0}};
    setFlag(m.ModelFlags, ModelFlag::HasMasses, true);
    m.M = 0; // a file may hold the flags over a zero mass
    d.draw(m);
    EXPECT_TRUE(std::isfinite(d.chart.RangeLoX()));
    EXPECT_EQ(d.elements()[1].X1, m.B); // the lower dam ends under the toe
    for (const DisplayElement& e : d.elements())
        EXPECT_NE(e.Kind, DisplayElementKind::Ellipse);

    DamChart broken;
    m.Hd = std::nan("");
    broken.draw(m);
    EXPECT_TRUE(broken.elements().empty());
}

// The demonstration: the start-up section with its geometry confirmed, a horizontal record,
// one added force and one added mass, as PNG, SVG and Windows metafile.
TEST(DamSectionDrawingTest, DemonstrationRendersToPngSvgAndMetafile) {
    TBlocStatic m = confirmedStartupModel();
    TimeHistoryRecord& record = m.history(HistoryKind::HorizontalAcceleration);
    record.Source = HistorySource::Sampled;
    record.Times.emplace(3);
    record.Values.emplace(3);
    for (int i = 1; i <= 3; ++i) {
        record.Times->set(i, 0.01 * (i - 1));
        record.Values->set(i, 0.1 * (i % 2));
    }
    record.Duration = 0.02;
    setFlag(m.ModelFlags, ModelFlag::HorizontalAccDefined, true);
    m.Forces.Items = {{8, 20, 800, -300}};
    setFlag(m.ModelFlags, ModelFlag::HasForces, true);
    m.Masses.Items = {{4, 14, 39.8, 50}};
    setFlag(m.ModelFlags, ModelFlag::HasMasses, true);

    DamChart d;
    d.draw(m);
    const QDir out(QStringLiteral(QUIBEL_DEMO_OUTPUT_DIR));
    ASSERT_TRUE(out.mkpath(QStringLiteral(".")));
    const QString png = out.filePath(QStringLiteral("dam_section.png"));
    const QString svg = out.filePath(QStringLiteral("dam_section.svg"));
    const QString wmf = out.filePath(QStringLiteral("dam_section.wmf"));
    ASSERT_TRUE(saveChartAsPng(d.chart, png));
    ASSERT_TRUE(saveChartAsSvg(d.chart, svg));
    ASSERT_TRUE(d.chart.ExportMetafile(out.filePath(QStringLiteral("dam_section.emf"))));

    EXPECT_EQ(QImage(png).size(), QSize(1000, 700));
    EXPECT_TRUE(QSvgRenderer(svg).isValid());
    QFile metafile(wmf);
    ASSERT_TRUE(metafile.open(QIODevice::ReadOnly));
    EXPECT_TRUE(metafile.read(4) == QByteArray("\xD7\xCD\xC6\x9A", 4));
    metafile.close();

    const QString converter = QStandardPaths::findExecutable(QStringLiteral("wmf2svg"));
    if (converter.isEmpty())
        GTEST_SKIP() << "wmf2svg (Debian package libwmf-bin) is not installed";
    QProcess process;
    process.start(converter,
                  {QStringLiteral("-o"), out.filePath(QStringLiteral("from_wmf.svg")), wmf});
    ASSERT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    EXPECT_TRUE(QSvgRenderer(out.filePath(QStringLiteral("from_wmf.svg"))).isValid());
}

TEST(DamSectionDrawingTest, FullViewRecoversAfterAThousandMetreModel) {
    DamChart d;
    TBlocStatic tall = confirmedStartupModel();
    for (double* v : {&tall.H, &tall.Hd, &tall.Hr, &tall.B})
        *v *= 1000.0 / 30;
    d.draw(tall);
    d.draw(confirmedStartupModel());
    // The same view as drawn on a fresh chart: -3 to 33 up, the section inside the plot.
    EXPECT_NEAR(d.chart.RangeLoX(), kLeft, 1e-9);
    EXPECT_NEAR(d.chart.RangeLoY(), -3, 1e-12);
    EXPECT_NEAR(d.chart.RangeHiY(), 33, 1e-9);
    const QRect plot = d.chart.scale().plotArea();
    for (QPointF corner : {QPointF(0, 0), QPointF(kXf, 0), QPointF(0, 30), QPointF(16, 10)})
        EXPECT_TRUE(plot.contains(d.chart.DataToPixel(corner.x(), corner.y())))
            << corner.x() << "," << corner.y();
}
