// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/chart_export.h"
#include "chart/chart_widget.h"

#include "chart_test_support.h"
#include "wmf_test_reader.h"

#include <QFile>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QSvgRenderer>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <regex>

using namespace quibel;

namespace {

// A plot with a series, a filled circle, a text and a grid, as the program's charts have.
void drawSample(ChartWidget& chart) {
    setUpTenPixelsPerUnit(chart);
    chart.setGridStyle(GridStyle::DotLines);
    chart.setIdAbscissa(QStringLiteral("time (sec)"));
    chart.clearGraph();
    chart.setDataColor(Qt::blue);
    chart.moveTo(0, 0);
    for (int i = 1; i <= 92; ++i)
        chart.drawTo(i, 30 + 25 * std::sin(i / 10.0));
    chart.setDataColor(Qt::red);
    chart.setFillColor(Qt::yellow);
    chart.ellipseAt(46, 31.8, 5, 5);
    chart.setTextAlignment(Qt::AlignHCenter);
    chart.textAt(46, 50, QStringLiteral("F(t)"), 12);
    chart.showGraph();
}

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

std::string joined(const std::vector<std::string>& v) {
    std::string s;
    for (const std::string& e : v)
        s += e + "; ";
    return s;
}

} // namespace

TEST(ChartExportTest, MetafileNameReplacesTheExtension) {
    const struct {
        const char* given;
        const char* written;
    } cases[] = {
        {"plot.emf", "plot.wmf"},         {"plot", "plot.wmf"},
        {"plot.wmf", "plot.wmf"},         {"a.b.c", "a.b.wmf"},
        {"dir.x/plot", "dir.x/plot.wmf"}, {"/tmp/dir.x/plot.csv", "/tmp/dir.x/plot.wmf"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ChartWidget::metafileName(QString::fromUtf8(c.given)),
                  QString::fromUtf8(c.written))
            << c.given;
}

TEST(ChartExportTest, ExportMetafileWritesAValidPlaceableMetafile) {
    QTemporaryDir dir;
    ChartWidget chart;
    drawSample(chart);
    ASSERT_TRUE(chart.ExportMetafile(dir.filePath(QStringLiteral("plot.emf"))));
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("plot.emf"))));
    const QByteArray bytes = readAll(dir.filePath(QStringLiteral("plot.wmf")));
    const WmfContents c = readWmf(bytes.toStdString());
    EXPECT_TRUE(c.faults.empty()) << joined(c.faults);
    EXPECT_EQ(c.key, 0x9AC6CDD7u);
    EXPECT_EQ(c.checksum, c.expectedChecksum);
    // The chart's size at the screen's density: 16 units a pixel, 96 pixels an inch offscreen.
    EXPECT_EQ(c.right, 16000);
    EXPECT_EQ(c.bottom, 11200);
    EXPECT_EQ(c.unitsPerInch, 16 * chart.screenDpi());
    EXPECT_EQ(c.count(kWmfEllipse), 1u);
    EXPECT_GE(c.count(kWmfPolyline), 10u); // series, grid, frame ticks
    EXPECT_EQ(c.count(kWmfIntersectClip), 1u);
    const std::vector<std::string> texts = c.texts();
    EXPECT_NE(std::find(texts.begin(), texts.end(), "F(t)"), texts.end());
    EXPECT_NE(std::find(texts.begin(), texts.end(), "time (sec)"), texts.end());
}

TEST(ChartExportTest, UnwritablePlaceLeavesNoFile) {
    QTemporaryDir dir;
    ChartWidget chart;
    drawSample(chart);
    const QString missing = dir.filePath(QStringLiteral("no/such/folder/plot"));
    EXPECT_FALSE(chart.ExportMetafile(missing));
    EXPECT_FALSE(saveChartAsSvg(chart, missing + QStringLiteral(".svg")));
    EXPECT_FALSE(saveChartAsPng(chart, missing + QStringLiteral(".png")));
    EXPECT_FALSE(saveChartAsPdf(chart, missing + QStringLiteral(".pdf")));
    EXPECT_FALSE(QFile::exists(missing + QStringLiteral(".wmf")));
}

TEST(ChartExportTest, PngAndSvgShowThePictureOnScreen) {
    QTemporaryDir dir;
    ChartWidget chart;
    drawSample(chart);
    const QImage screen = chart.toImage();

    const QString png = dir.filePath(QStringLiteral("plot.png"));
    ASSERT_TRUE(saveChartAsPng(chart, png));
    EXPECT_EQ(QImage(png).convertToFormat(QImage::Format_RGB32), screen);

    const QString svg = dir.filePath(QStringLiteral("plot.svg"));
    ASSERT_TRUE(saveChartAsSvg(chart, svg));
    QSvgRenderer renderer(svg);
    ASSERT_TRUE(renderer.isValid());
    QImage drawn(chart.size(), QImage::Format_RGB32);
    drawn.fill(Qt::white);
    {
        QPainter p(&drawn);
        renderer.render(&p);
    }
    const QPoint centre = chart.DataToPixel(46, 31.8);
    EXPECT_TRUE(isColour(drawn, centre, Qt::yellow));
    EXPECT_TRUE(isColour(screen, centre, Qt::yellow, 0));
    const QPoint onSeries = chart.DataToPixel(10, 30 + 25 * std::sin(1.0));
    EXPECT_TRUE(colourNear(drawn, onSeries, Qt::blue));
}

TEST(ChartExportTest, PdfAndPrintOutAreWritten) {
    QTemporaryDir dir;
    ChartWidget chart;
    drawSample(chart);
    const QString pdf = dir.filePath(QStringLiteral("plot.pdf"));
    ASSERT_TRUE(saveChartAsPdf(chart, pdf));
    EXPECT_TRUE(readAll(pdf).startsWith("%PDF"));

    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    const QString printed = dir.filePath(QStringLiteral("printed.pdf"));
    printer.setOutputFileName(printed);
    printChart(chart, printer);
    EXPECT_TRUE(readAll(printed).startsWith("%PDF"));
}

// An independent reader (libwmf's converter) must read our metafile and find what we drew
// where we drew it. The test needs the converter and says so when it is missing.
TEST(ChartExportTest, IndependentReaderConvertsTheMetafile) {
    const QString converter = QStandardPaths::findExecutable(QStringLiteral("wmf2svg"));
    if (converter.isEmpty())
        GTEST_SKIP() << "wmf2svg (Debian package libwmf-bin) is not installed";
    QTemporaryDir dir;
    ChartWidget chart;
    drawSample(chart);
    const QString wmf = dir.filePath(QStringLiteral("plot.wmf"));
    ASSERT_TRUE(chart.ExportMetafile(wmf));
    const QString svg = dir.filePath(QStringLiteral("plot.svg"));
    QProcess process;
    process.start(converter, {QStringLiteral("-o"), svg, wmf});
    ASSERT_TRUE(process.waitForFinished(30000));
    ASSERT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    const std::string out = readAll(svg).toStdString();
    ASSERT_FALSE(out.empty());

    const std::regex size(R"re(<svg width="([0-9.]+)" height="([0-9.]+)")re");
    std::smatch m;
    ASSERT_TRUE(std::regex_search(out, m, size));
    const double width = std::stod(m[1]);
    const double height = std::stod(m[2]);
    EXPECT_NEAR(width / height, 1000.0 / 700.0, 0.01);

    // The yellow circle: centred at pixel (500, 350) of 1000 x 700, 50 pixels of radius.
    const std::regex ellipse(R"re(<ellipse cx="([0-9.]+)" cy="([0-9.]+)" rx="([0-9.]+)")re");
    ASSERT_TRUE(std::regex_search(out, m, ellipse));
    EXPECT_NEAR(std::stod(m[1]) / width, 0.5, 0.02);
    EXPECT_NEAR(std::stod(m[2]) / height, 0.5, 0.02);
    EXPECT_NEAR(std::stod(m[3]) / width, 0.05, 0.005);
    EXPECT_NE(out.find("fill:yellow"), std::string::npos);
    EXPECT_NE(out.find("stroke:blue"), std::string::npos);
    // Texts are placed character by character from our advances.
    for (const char* c : {">F<", ">(<", ">t<", ">)<"})
        EXPECT_NE(out.find(c), std::string::npos) << c;
}
