// SPDX-License-Identifier: GPL-3.0-or-later
#include "documents/study_plots.h"

#include "chart/chart_export.h"
#include "chart/chart_widget.h"

#include <QColor>
#include <QString>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace quibel {

namespace {

constexpr int kWidth = 720;
constexpr int kHeight = 480;
constexpr int kMarkerPixels = 4;

// Distinct colours that stay apart when printed in grey.
constexpr std::array<QRgb, 6> kColours{0xff1f4e9c, 0xffc0392b, 0xff27864a,
                                       0xff8e44ad, 0xffd68910, 0xff17a5a5};

struct Range {
    double lo = std::numeric_limits<double>::infinity();
    double hi = -std::numeric_limits<double>::infinity();
    void add(double v) {
        if (std::isfinite(v)) {
            lo = std::min(lo, v);
            hi = std::max(hi, v);
        }
    }
    // A range with room around its points, never empty.
    std::pair<double, double> padded() const {
        if (!(lo <= hi))
            return {0.0, 1.0};
        const double span = hi > lo ? hi - lo : std::max(std::abs(hi), 1.0);
        return {lo - 0.05 * span, hi + 0.05 * span};
    }
};

void drawCurve(ChartWidget& chart, const StudyCurve& c, double rx, double ry) {
    bool pen = false;
    for (std::size_t i = 0; i < c.x.size() && i < c.y.size(); ++i) {
        if (!std::isfinite(c.x[i]) || !std::isfinite(c.y[i])) {
            pen = false;
            continue;
        }
        if (c.markers) {
            chart.ellipseAt(c.x[i], c.y[i], rx, ry);
        } else if (pen) {
            chart.drawTo(c.x[i], c.y[i]);
        } else {
            chart.moveTo(c.x[i], c.y[i]);
            pen = true;
        }
    }
}

bool drawChart(const StudyChart& spec) {
    ChartWidget chart;
    chart.resize(kWidth, kHeight);
    chart.setAutoRedraw(false);
    Range x, y;
    for (const StudyCurve& c : spec.curves) {
        std::for_each(c.x.begin(), c.x.end(), [&](double v) { x.add(v); });
        std::for_each(c.y.begin(), c.y.end(), [&](double v) { y.add(v); });
    }
    const auto [xlo, xhi] = x.padded();
    const auto [ylo, yhi] = y.padded();
    chart.setRangeX(xlo, xhi);
    chart.setRangeY(ylo, yhi);
    chart.setCaption(QString::fromStdString(spec.caption));
    chart.setIdAbscissa(QString::fromStdString(spec.abscissa));
    chart.setIdOrdinate(QString::fromStdString(spec.ordinate));
    chart.setLineWidth(2);
    const double plotWidth = std::max(kWidth - chart.LRim() - chart.RRim(), 1);
    const double plotHeight = std::max(kHeight - chart.TRim() - chart.BRim(), 1);
    const double rx = kMarkerPixels * (xhi - xlo) / plotWidth;
    const double ry = kMarkerPixels * (yhi - ylo) / plotHeight;
    chart.clearGraph();
    for (std::size_t i = 0; i < spec.curves.size(); ++i) {
        chart.setDataColor(QColor::fromRgba(kColours[i % kColours.size()]));
        drawCurve(chart, spec.curves[i], rx, ry);
    }
    chart.showGraph();
    const QString base = QString::fromStdString(spec.file);
    const bool svg = saveChartAsSvg(chart, base + ".svg");
    const bool png = saveChartAsPng(chart, base + ".png");
    return svg && png;
}

} // namespace

StudyPlotsOutcome DrawStudyCharts(const std::vector<StudyChart>& charts) {
    bool written = true;
    for (const StudyChart& c : charts)
        written = drawChart(c) && written;
    return written ? StudyPlotsOutcome::Drawn : StudyPlotsOutcome::WriteFailed;
}

} // namespace quibel
