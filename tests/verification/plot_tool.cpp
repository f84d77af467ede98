// SPDX-License-Identifier: GPL-3.0-or-later
// quibel-verify-plot OUTDIR FILE.plot...: draws each plot of the verification manual with
// the program's own chart and writes it as OUTDIR/<name>.png (800 x 480 pixels). Runs on the
// offscreen platform unless another is chosen.
#include "chart/chart_export.h"
#include "chart/chart_widget.h"
#include "plot_file.h"
#include "result_files.h"

#include <QApplication>
#include <QColor>
#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <exception>
#include <iostream>
#include <limits>

using namespace quibel;
using namespace quibel::verification;

namespace {

struct Range {
    double lo = std::numeric_limits<double>::infinity();
    double hi = -std::numeric_limits<double>::infinity();

    void take(double v) {
        if (std::isfinite(v)) {
            lo = std::min(lo, v);
            hi = std::max(hi, v);
        }
    }
    void pad(double fraction) {
        if (!(hi > lo)) {
            const double c = std::isfinite(lo) ? lo : 0.0;
            lo = c - 1.0;
            hi = c + 1.0;
        }
        const double d = (hi - lo) * fraction;
        lo -= d;
        hi += d;
    }
};

void Draw(ChartWidget& chart, const Plot& plot) {
    Range x, y;
    for (const PlotSeries& s : plot.series) {
        for (double v : s.x)
            x.take(v);
        for (double v : s.y)
            y.take(v);
    }
    x.pad(0.02);
    y.pad(0.04);
    // Room above the curves for the legend: its lines take the top kLegendTop + n kLegendStep
    // of the plotting area, the curves the rest.
    constexpr double kLegendTop = 0.05, kLegendStep = 0.065;
    const auto labelled = std::count_if(plot.series.begin(), plot.series.end(),
                                        [](const PlotSeries& s) { return !s.label.empty(); });
    const double legendShare = kLegendTop + kLegendStep * static_cast<double>(labelled);
    y.hi = y.lo + (y.hi - y.lo) / (1.0 - legendShare);
    chart.setRangeLoX(x.lo);
    chart.setRangeHiX(x.hi);
    chart.setRangeLoY(y.lo);
    chart.setRangeHiY(y.hi);
    chart.setIdAbscissa(QString::fromStdString(plot.xLabel));
    chart.setIdOrdinate(QString::fromStdString(plot.yLabel));
    chart.setGridStyle(GridStyle::DotLines);
    chart.setGridColor(QColor(192, 192, 192));
    chart.setLRim(70);
    chart.setRRim(20);
    chart.setTRim(30);
    chart.setBRim(45);
    chart.clearGraph();

    // Marker radii of 2.5 pixels, in data units.
    const QPointF origin = chart.PixelToData(0, 0);
    const QPointF three = chart.PixelToData(2.5, 2.5);
    const double rx = std::abs(three.x() - origin.x());
    const double ry = std::abs(three.y() - origin.y());

    const double legendX = x.lo + (x.hi - x.lo) * 0.62;
    const double legendStep = (y.hi - y.lo) * kLegendStep;
    double legendY = y.hi - (y.hi - y.lo) * kLegendTop - legendStep / 2;
    const double sample = (x.hi - x.lo) * 0.06;
    for (const PlotSeries& s : plot.series) {
        const QColor color(QString::fromStdString(s.color));
        chart.setDataColor(color);
        chart.setFillColor(color);
        chart.setLineWidth(2);
        chart.setPenStyle(s.style == PlotSeries::Style::Dashed ? Qt::DashLine : Qt::SolidLine);
        if (s.style == PlotSeries::Style::Markers) {
            chart.setLineWidth(1);
            for (std::size_t i = 0; i < s.x.size(); ++i)
                chart.ellipseAt(s.x[i], s.y[i], rx, ry);
        } else if (!s.x.empty()) {
            chart.moveTo(s.x[0], s.y[0]);
            for (std::size_t i = 1; i < s.x.size(); ++i)
                chart.drawTo(s.x[i], s.y[i]);
        }
        if (s.label.empty())
            continue;
        if (s.style == PlotSeries::Style::Markers)
            chart.ellipseAt(legendX + sample / 2, legendY, rx, ry);
        else
            chart.line(legendX, legendY, legendX + sample, legendY);
        chart.setDataColor(Qt::black);
        chart.textAt(legendX + sample * 1.3, legendY, QString::fromStdString(s.label), 9);
        legendY -= legendStep;
    }
    chart.showGraph();
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc < 3) {
        std::cerr << "usage: quibel-verify-plot OUTDIR FILE.plot...\n";
        return 1;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    int status = 0;
    for (int i = 2; i < argc; ++i) {
        const std::string path = argv[i];
        try {
            const std::string name =
                QFileInfo(QString::fromStdString(path)).completeBaseName().toStdString();
            const Plot plot = PlotFromText(ReadTextFile(path), name);
            ChartWidget chart;
            chart.resize(800, 480);
            Draw(chart, plot);
            const QString png = out.filePath(QString::fromStdString(name) + ".png");
            if (!saveChartAsPng(chart, png)) {
                std::cerr << "cannot write " << png.toStdString() << "\n";
                status = 4;
            }
        } catch (const std::exception& e) {
            std::cerr << "error: " << e.what() << "\n";
            status = 3;
        }
    }
    return status;
}
