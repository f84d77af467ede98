// SPDX-License-Identifier: GPL-3.0-or-later
#include "documents/report_plots.h"

#include "chart/chart_widget.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace quibel {

namespace {

constexpr int kPlotWidth = 900; // chart pixels; the report scales the picture to its column
constexpr int kPlotHeight = 330;

QString qt(const std::string& s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

struct Extent {
    double low = std::numeric_limits<double>::infinity();
    double high = -std::numeric_limits<double>::infinity();
    void take(double v) {
        if (std::isfinite(v)) {
            low = std::min(low, v);
            high = std::max(high, v);
        }
    }
    bool empty() const { return !(low <= high); }
};

// Decimals that tell the ticks of a range apart.
int decimalsFor(double low, double high) {
    const double spread = high - low;
    if (!(spread > 0.0))
        return 2;
    return std::clamp(2 - static_cast<int>(std::floor(std::log10(spread))), 0, 8);
}

} // namespace

void plotLines(ChartWidget& chart, const std::vector<PlotLine>& lines, const PlotTitles& titles) {
    chart.resize(kPlotWidth, kPlotHeight);
    chart.setMinRangeX(1e-10);
    chart.setMinRangeY(1e-10);
    chart.setGridStyle(GridStyle::DotLines);
    chart.setGridColor(QColor(160, 160, 160));
    chart.setLRim(90);
    chart.setRRim(24);
    chart.setTRim(34);
    chart.setBRim(50);
    chart.setCaption(qt(titles.caption));
    chart.setIdAbscissa(qt(titles.abscissa));
    chart.setIdOrdinate(qt(titles.ordinate));
    Extent x, y;
    for (const PlotLine& line : lines) {
        for (double v : line.x)
            x.take(v);
        for (double v : line.y)
            y.take(v);
    }
    if (x.empty() || x.high == x.low)
        x = {0.0, x.empty() ? 1.0 : x.low + 1.0};
    if (y.empty() || (y.low == 0.0 && y.high == 0.0))
        y = {-1.0, 1.0};
    const double margin = y.high > y.low ? 0.05 * (y.high - y.low) : 0.1 * std::fabs(y.high);
    chart.setRangeX(x.low, x.high);
    chart.setRangeY(y.low - margin, y.high + margin);
    chart.setDecPlaceX(decimalsFor(x.low, x.high));
    chart.setDecPlaceY(decimalsFor(y.low, y.high));
    chart.clearGraph();
    for (const PlotLine& line : lines) {
        chart.setDataColor(QColor::fromRgb(line.colour));
        bool drawing = false;
        for (std::size_t k = 0; k < line.x.size() && k < line.y.size(); ++k) {
            if (!std::isfinite(line.x[k]) || !std::isfinite(line.y[k])) {
                drawing = false;
                continue;
            }
            if (drawing)
                chart.drawTo(line.x[k], line.y[k]);
            else
                chart.moveTo(line.x[k], line.y[k]);
            drawing = true;
        }
    }
    chart.showGraph();
}

void markPoint(ChartWidget& chart, double x, double y, const std::string& label) {
    const QPoint centre = chart.DataToPixel(x, y);
    const QPointF edge = chart.PixelToData(centre.x() + 6.0, centre.y() - 6.0);
    chart.setDataColor(QColor(0xC0, 0x00, 0x00));
    chart.ellipseAt(x, y, std::fabs(edge.x() - x), std::fabs(edge.y() - y));
    // The label stays inside the plot: left of a point in the right half.
    const bool right = centre.x() > chart.width() / 2;
    const QPointF at = chart.PixelToData(centre.x() + (right ? -60.0 : 60.0), centre.y() - 12.0);
    chart.textAt(at.x(), at.y(), qt(label), 9);
    chart.showGraph();
}

} // namespace quibel
