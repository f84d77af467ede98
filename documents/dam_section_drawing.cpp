// SPDX-License-Identifier: GPL-3.0-or-later
#include "documents/dam_section_drawing.h"

#include "chart/chart_widget.h"
#include "model/model_flags.h"
#include "model/project_record.h"
#include "model/unit_tables.h"

#include <QLocale>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <string>

namespace quibel {

namespace {

constexpr int kTextPoints = 12;

// The named colours of the standard 16-colour palette.
const QColor kBlack(0x00, 0x00, 0x00);
const QColor kRed(0xFF, 0x00, 0x00);
const QColor kBlue(0x00, 0x00, 0xFF);
const QColor kMaroon(0x80, 0x00, 0x00);
const QColor kSilver(0xC0, 0xC0, 0xC0);
const QColor kGreen(0x00, 0x80, 0x00);
const QColor kWindow(0xFF, 0xFF, 0xFF);

// Nearest integer, halves to even.
int rnd(double v) {
    return static_cast<int>(std::nearbyint(v));
}

int sign(int v) {
    return (v > 0) - (v < 0);
}

QString forceLabel(UnitSystem units, double magnitude) {
    char buffer[64];
    const std::string format(units::kForceLabelFormat[unitIndex(units)]);
    std::snprintf(buffer, sizeof buffer, format.c_str(), magnitude);
    QString s = QString::fromUtf8(buffer);
    return s.replace(QLatin1Char('.'), QLocale().decimalPoint());
}

QString catalogueText(Language language, std::string_view key) {
    const std::string_view t = text(language, key);
    return QString::fromUtf8(t.data(), static_cast<qsizetype>(t.size()));
}

// The data point at a pixel offset from the pixel of (x, y).
QPointF offsetPoint(const ChartWidget& chart, double x, double y, int dx, int dy) {
    const QPoint p = chart.DataToPixel(x, y);
    return chart.PixelToData(double(p.x()) + dx, double(p.y()) + dy);
}

void drawForce(ChartWidget& chart, const AddedForce& f, int arrowPixels, UnitSystem units) {
    const double theta = std::atan2(f.Fv, f.Fh);
    const double magnitude = std::sqrt(f.Fh * f.Fh + f.Fv * f.Fv);
    // The arrow comes from the side opposite to the force and ends at the point of application.
    const int dx = rnd(std::cos(theta + std::numbers::pi) * arrowPixels);
    const int dy = -rnd(std::sin(theta + std::numbers::pi) * arrowPixels);
    const QPointF tail = offsetPoint(chart, f.X, f.Y, dx, dy);
    chart.moveTo(f.X, f.Y);
    chart.drawTo(tail.x(), tail.y());
    const int ox = 8 * sign(dx);
    const int oy = dy == 0 ? -8 : 8 * sign(dy);
    const QPointF label = offsetPoint(chart, f.X, f.Y, dx + ox, dy + oy);
    chart.textAt(label.x(), label.y(), forceLabel(units, magnitude), kTextPoints);
    for (double barb : {0.8 * std::numbers::pi, -0.8 * std::numbers::pi}) {
        chart.moveTo(f.X, f.Y);
        chart.drawBy(rnd(std::cos(theta + barb) * arrowPixels / 10.0),
                     -rnd(std::sin(theta + barb) * arrowPixels / 10.0));
    }
}

void drawBy(ChartWidget& chart, std::initializer_list<std::pair<int, int>> steps) {
    for (const auto& [dx, dy] : steps)
        chart.drawBy(dx, dy);
}

} // namespace

void setUpDamSectionChart(ChartWidget& chart) {
    chart.setCursor(Qt::CrossCursor);
    chart.setXAxisPos(XAxisPosition::Both);
    chart.setYAxisPos(YAxisPosition::Both);
    chart.setLRim(40);
    chart.setRRim(40);
    chart.setTRim(32);
    chart.setBRim(32);
    chart.setGridStyle(GridStyle::DotLines);
    chart.setGridColor(kWindow);
    chart.setBackgroundColor(kWindow);
    chart.setIsometric(true);
    chart.setTextBkStyle(TextBackground::Clear);
    chart.setTextAlignment(Qt::AlignHCenter);
}

void drawDamSection(ChartWidget& chart, const TBlocStatic& m, bool fullView, Language language) {
    if (!hasFlag(m.ModelFlags, ModelFlag::GeometryComplete))
        return;
    // A file can restore the flag over values that are no numbers; such a section has no shape.
    for (double v : {m.H, m.Hd, m.Hr, m.B, m.Beta})
        if (!std::isfinite(v))
            return;
    const double g = m.Hd - m.H; // elevation of the heel
    const double t = std::tan(m.Beta * std::numbers::pi / 180);
    const double sBeta = std::sin(m.Beta * std::numbers::pi / 180);
    const double s = (m.H - 0.15 * m.B - m.B * t) / (0.85 * m.B); // slope of the downstream face
    // Where the downstream face, continued below the toe, meets the foundation. A face that
    // does not come down toward the foundation (the toe as high as the crest corner or
    // higher) cannot be continued: the lower dam then ends in a vertical face under the toe.
    double Xf = (g + m.B * t) / s + m.B;
    if (!(s > 0) || !std::isfinite(Xf))
        Xf = m.B;

    double E = std::max({m.Hd, m.H - std::min(m.B * t, 0.0), m.Hr, Xf});
    const bool hasMasses = hasFlag(m.ModelFlags, ModelFlag::HasMasses);
    const bool hasForces = hasFlag(m.ModelFlags, ModelFlag::HasForces);
    if (hasMasses)
        for (const AddedMass& a : m.Masses.Items)
            E = std::max(E, a.Y);
    if (hasForces)
        for (const AddedForce& f : m.Forces.Items)
            E = std::max(E, f.Y);
    if (!std::isfinite(E) || !std::isfinite(t) || !(E > 0))
        return;

    const int Wpx = chart.scale().plotWidth();
    const int Hpx = chart.scale().plotHeight();

    chart.clearGraph();
    if (fullView) {
        const double span = 1.2 * E * Wpx / Hpx;
        // Each range is set whole: a bound set alone would be matched against the previous
        // model's other bound, and the isometric rule could turn the vertical range over.
        chart.setRangeX((Xf - span) / 2, (Xf + span) / 2);
        chart.setRangeY(-0.1 * E, 1.1 * E);
    }
    chart.setIsometric(true);

    // Lower dam.
    chart.setDataColor(kBlack);
    chart.setLineWidth(2);
    chart.setPenStyle(Qt::SolidLine);
    chart.moveTo(0, 0);
    chart.drawTo(Xf, 0);
    chart.drawTo(m.B, g + m.B * t);
    chart.drawTo(0, g);
    chart.drawTo(0, 0);

    // Block: crest 0.15 B wide, the downstream face vertical over its top 0.15 B.
    chart.moveTo(0, g);
    chart.drawTo(m.B, g + m.B * t);
    chart.drawTo(0.15 * m.B, m.Hd - 0.15 * m.B);
    chart.drawTo(0.15 * m.B, m.Hd);
    chart.drawTo(0, m.Hd);
    chart.drawTo(0, g);

    // Analysis plane.
    chart.setDataColor(kRed);
    chart.moveTo(0, g);
    chart.drawTo(m.B, g + m.B * t);

    // Reservoir with the water-level symbol: a triangle standing on the line, point down,
    // over three shortening dashes.
    const double left = chart.RangeLoX();
    const double right = chart.RangeHiX();
    chart.setDataColor(kBlue);
    chart.setLineWidth(2);
    chart.setPenStyle(Qt::SolidLine);
    chart.moveTo(0, m.Hr);
    chart.drawTo(left, m.Hr);
    chart.moveTo(left / 2, m.Hr);
    drawBy(chart, {{10, -12}, {-20, 0}, {10, 12}});
    chart.moveBy(-8, 6);
    chart.drawBy(16, 0);
    chart.moveBy(-13, 6);
    chart.drawBy(10, 0);
    chart.moveBy(-7, 6);
    chart.drawBy(4, 0);

    // Foundation with its hatching.
    chart.setDataColor(kMaroon);
    chart.setLineWidth(1);
    chart.line(left, 0, right, 0);
    const int P = chart.DataToPixel(right, 0).x();
    chart.moveTo(left, 0);
    for (int i = 0; i < P / 10; ++i) {
        chart.moveBy(2, 0);
        chart.drawBy(8, 8);
        chart.moveBy(0, -8);
    }

    if (hasForces) {
        chart.setDataColor(kBlack);
        chart.setLineWidth(2);
        const int L = Wpx / 15;
        for (const AddedForce& f : m.Forces.Items)
            drawForce(chart, f, L, m.UnitSystem);
    }

    if (hasMasses && m.M > 0) {
        chart.setLineWidth(1);
        chart.setFillColor(kSilver);
        for (const AddedMass& a : m.Masses.Items) {
            const double r = (a.Mass / m.M) * m.H / 2;
            chart.ellipseAt(a.X, a.Y, r, r);
        }
    }

    const double ax = m.B / 2;
    const double ay = g + (m.B / 2) * sBeta;
    if (hasFlag(m.ModelFlags, ModelFlag::HorizontalAccDefined)) {
        chart.setDataColor(kGreen);
        chart.setLineWidth(1);
        chart.moveTo(ax, ay);
        drawBy(chart, {{70, 0}, {-6, -6}});
        chart.moveBy(0, 12);
        chart.drawBy(6, -6);
        chart.moveTo(ax, ay);
        drawBy(chart, {{10, 0},
                       {3, 5},
                       {3, -15},
                       {3, 22},
                       {3, -20},
                       {3, 25},
                       {3, -12},
                       {3, -25},
                       {3, 25},
                       {3, -10},
                       {3, 25},
                       {3, -30},
                       {3, -10},
                       {3, 30},
                       {3, -12},
                       {3, -5},
                       {3, 7}});
    }
    if (hasFlag(m.ModelFlags, ModelFlag::VerticalAccDefined)) {
        chart.setDataColor(kGreen);
        chart.setLineWidth(1);
        chart.moveTo(ax, ay);
        drawBy(chart, {{0, -70}, {-6, 6}});
        chart.moveBy(12, 0);
        chart.drawBy(-6, -6);
        chart.moveTo(ax, ay);
        drawBy(chart, {{0, -10},
                       {5, -3},
                       {-15, -3},
                       {22, -3},
                       {-20, -3},
                       {25, -3},
                       {-12, -3},
                       {-25, -3},
                       {25, -3},
                       {-10, -3},
                       {25, -3},
                       {-30, -3},
                       {-10, -3},
                       {30, -3},
                       {-12, -3},
                       {-5, -3},
                       {7, -3}});
    }

    const QString forceHistory = catalogueText(language, "ui.dam_section.force_history");
    if (hasFlag(m.ModelFlags, ModelFlag::HorizontalForceDefined)) {
        const TimeHistoryRecord& h = m.history(HistoryKind::HorizontalForce);
        chart.setDataColor(kGreen);
        chart.setLineWidth(2);
        chart.moveTo(h.PosX, h.PosY);
        chart.drawBy(-50, 0);
        chart.moveTo(h.PosX, h.PosY);
        chart.drawBy(-6, -6);
        chart.moveBy(0, 12);
        chart.drawBy(6, -6);
        const QPointF at = offsetPoint(chart, h.PosX, h.PosY, -20, -8);
        chart.textAt(at.x(), at.y(), forceHistory, kTextPoints);
    }
    if (hasFlag(m.ModelFlags, ModelFlag::VerticalForceDefined)) {
        const TimeHistoryRecord& h = m.history(HistoryKind::VerticalForce);
        chart.setDataColor(kGreen);
        chart.setLineWidth(2);
        chart.moveTo(h.PosX, h.PosY);
        chart.drawBy(0, 50);
        chart.moveTo(h.PosX, h.PosY);
        chart.drawBy(-6, 6);
        chart.moveBy(12, 0);
        chart.drawBy(-6, -6);
        const QPointF at = offsetPoint(chart, h.PosX, h.PosY, 0, 58);
        chart.textAt(at.x(), at.y(), forceHistory, kTextPoints);
    }

    chart.showGraph();
}

} // namespace quibel
