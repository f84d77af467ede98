// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/chart_renderer.h"

#include "chart/axis_ticks.h"
#include "chart/chart_series.h"
#include "chart/pixel_clipping.h"

#include <QFontMetricsF>
#include <QLocale>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace quibel {

namespace {

// Texts anchored further than this from the chart are off any picture; their pixel positions
// would lose all precision in the paint devices.
constexpr double kFarPixels = 1e6;
// Ellipses whose box reaches further out than this are drawn as clipped polygons.
constexpr double kHugePixels = 16000;
constexpr int kMajorTick = 5; // pixels
constexpr int kMinorTick = 3;
constexpr int kLabelGap = 2;

QFont chartFont(int points, double dpi, bool bold = false) {
    QFont f(QStringLiteral("Arial"));
    f.setStyleHint(QFont::SansSerif);
    f.setPixelSize(std::max(1, static_cast<int>(std::lround(points * dpi / 72.0))));
    f.setBold(bold);
    return f;
}

QString label(double v, int decimals) {
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale.toString(v, 'f', decimals);
}

bool isFinitePoint(double x, double y) {
    return std::isfinite(x) && std::isfinite(y);
}

// Replays the display list: keeps the pen's pixel position and joins connected segments of
// one stroke into polylines, which paint far faster than single lines.
class DisplayListPainter final {
public:
    DisplayListPainter(QPainter& painter, const ChartScale& scale,
                       const ChartAppearance& appearance, double dpi)
        : mPainter(painter), mScale(scale), mAppearance(appearance), mDpi(dpi),
          mClipBox(QRectF(scale.plotArea()).adjusted(-16, -16, 16, 16)) {}

    void paint(const DisplayList& list) {
        for (const DisplayElement& e : list.elements())
            paintElement(e);
        flush();
    }

private:
    struct PenPosition {
        long long x = 0;
        long long y = 0;
        bool valid = false;
    };

    void paintElement(const DisplayElement& e) {
        switch (e.Kind) {
        case DisplayElementKind::MoveTo:
            mPen = toPixel(e.X1, e.Y1);
            break;
        case DisplayElementKind::DrawTo: {
            const PenPosition to = toPixel(e.X1, e.Y1);
            if (mPen.valid && to.valid)
                segment(e, mPen, to);
            mPen = to;
            break;
        }
        case DisplayElementKind::Line: {
            const PenPosition a = toPixel(e.X1, e.Y1);
            const PenPosition b = toPixel(e.X2, e.Y2);
            if (a.valid && b.valid)
                segment(e, a, b);
            break;
        }
        case DisplayElementKind::MoveBy:
            mPen = moved(mPen, e);
            break;
        case DisplayElementKind::DrawBy: {
            const PenPosition to = moved(mPen, e);
            if (mPen.valid)
                segment(e, mPen, to);
            mPen = to;
            break;
        }
        case DisplayElementKind::Text:
            flush();
            text(e);
            break;
        case DisplayElementKind::Ellipse:
            flush();
            ellipse(e);
            break;
        case DisplayElementKind::Series:
            series(e);
            break;
        }
    }

    void lineTo(const DisplayElement& e, PenPosition to) {
        if (mPen.valid && to.valid)
            segment(e, mPen, to);
        mPen = to;
    }

    void sampleTo(const DisplayElement& e, const SeriesSamples& s, std::size_t i) {
        lineTo(e, toPixel(s.abscissa(i), s.values[i]));
    }

    // The series at one column per pixel of the clip box, from the sample before it to the
    // sample after it, so that the line leaves the plot where it should.
    void series(const DisplayElement& e) {
        const ChartSeries& plot = *e.Series;
        const SeriesSamples& s = plot.samples();
        mPen = {};
        if (s.values.empty() || (s.times.empty() && !(s.step > 0.0)))
            return;
        const double left = mClipBox.left() - 0.5;
        const double right = mClipBox.right() + 0.5;
        double lo = mScale.PixelToData(left, 0).x();
        double hi = mScale.PixelToData(right, 0).x();
        if (lo > hi)
            std::swap(lo, hi);
        const auto count = static_cast<long long>(std::lround(right - left));
        const SeriesEnvelope& env = plot.envelope(lo, hi, count);
        if (env.begin > 0)
            sampleTo(e, s, env.begin - 1);
        if (env.samplesOnly) {
            for (std::size_t i = env.begin; i < env.end; ++i)
                sampleTo(e, s, i);
        } else {
            for (const EnvelopeColumn& c : env.columns)
                column(e, env, c);
        }
        if (env.end < s.values.size())
            sampleTo(e, s, env.end);
    }

    void column(const DisplayElement& e, const SeriesEnvelope& env, const EnvelopeColumn& c) {
        if (c.gapBefore)
            mPen = {};
        const double x = env.origin + (static_cast<double>(c.column) + 0.5) * env.width;
        for (double v : {c.first, c.low, c.high, c.last})
            lineTo(e, toPixel(x, v));
    }

    PenPosition toPixel(double x, double y) const {
        // A point that is not a number breaks the line, as a gap in a series should.
        if (!isFinitePoint(x, y))
            return {};
        const QPoint p = mScale.DataToPixel(x, y);
        return {p.x(), p.y(), true};
    }

    static PenPosition moved(PenPosition p, const DisplayElement& e) {
        constexpr long long limit = 1LL << 40;
        p.x = std::clamp(p.x + e.Dx, -limit, limit);
        p.y = std::clamp(p.y + e.Dy, -limit, limit);
        return p;
    }

    void useStroke(const DisplayElement& e) {
        if (mStrokeSet && e.Color == mStrokeColor && e.PenStyle == mStrokeStyle &&
            e.LineWidth == mStrokeWidth)
            return;
        flush();
        mStrokeSet = true;
        mStrokeColor = e.Color;
        mStrokeStyle = e.PenStyle;
        mStrokeWidth = e.LineWidth;
        mPainter.setPen(QPen(e.Color, e.LineWidth, e.PenStyle, Qt::RoundCap, Qt::RoundJoin));
    }

    void segment(const DisplayElement& e, PenPosition from, PenPosition to) {
        useStroke(e);
        const QPointF a0(static_cast<double>(from.x), static_cast<double>(from.y));
        const QPointF b0(static_cast<double>(to.x), static_cast<double>(to.y));
        QPointF a = a0;
        QPointF b = b0;
        if (!clipSegment(mClipBox, a, b)) {
            flush();
            return;
        }
        if (!mRun.isEmpty() && mRun.back() == a) {
            mRun << b;
        } else {
            flush();
            mRun << a << b;
        }
        if (b != b0)
            flush();
    }

    void flush() {
        if (mRun.size() >= 2) {
            mPainter.setBrush(Qt::NoBrush);
            mPainter.drawPolyline(mRun);
        }
        mRun.clear();
    }

    void text(const DisplayElement& e) {
        if (!isFinitePoint(e.X1, e.Y1) || e.Text.isEmpty())
            return;
        const QPoint p = mScale.DataToPixel(e.X1, e.Y1);
        if (std::abs(double(p.x())) > kFarPixels || std::abs(double(p.y())) > kFarPixels)
            return;
        const QFont font = chartFont(e.FontSize, mDpi);
        const QFontMetricsF fm(font);
        const double w = fm.horizontalAdvance(e.Text);
        double x = p.x();
        if (mAppearance.TextAlignment & Qt::AlignHCenter)
            x -= w / 2;
        else if (mAppearance.TextAlignment & Qt::AlignRight)
            x -= w;
        if (mAppearance.TextBkStyle == TextBackground::Opaque)
            mPainter.fillRect(QRectF(x, p.y() - fm.height() / 2, w, fm.height()),
                              mAppearance.BackgroundColor);
        mPainter.setFont(font);
        mPainter.setPen(QPen(e.Color));
        mStrokeSet = false;
        mPainter.drawText(QPointF(x, p.y() + (fm.ascent() - fm.descent()) / 2), e.Text);
    }

    void ellipse(const DisplayElement& e) {
        if (!isFinitePoint(e.X1, e.Y1) || !isFinitePoint(e.X2, e.Y2))
            return;
        const QPoint a = mScale.DataToPixel(e.X1 - e.X2, e.Y1 - e.Y2);
        const QPoint b = mScale.DataToPixel(e.X1 + e.X2, e.Y1 + e.Y2);
        const QRectF box = QRectF(QPointF(a), QPointF(b)).normalized();
        if (box.width() < 1 && box.height() < 1) {
            const QPoint c = mScale.DataToPixel(e.X1, e.Y1);
            if (mClipBox.contains(c))
                mPainter.fillRect(QRect(c, QSize(1, 1)), e.Color);
            return;
        }
        if (!box.intersects(mClipBox))
            return;
        useStroke(e);
        mPainter.setBrush(QBrush(e.FillColor));
        const QRectF reach =
            mClipBox.adjusted(-kHugePixels, -kHugePixels, kHugePixels, kHugePixels);
        if (reach.contains(box)) {
            mPainter.drawEllipse(box);
        } else {
            // Zoomed far into a circle: only a piece of its outline is on the picture.
            QPolygonF outline;
            constexpr int n = 720;
            for (int i = 0; i < n; ++i) {
                const double t = 2 * std::numbers::pi * i / n;
                outline << QPointF(box.center().x() + box.width() / 2 * std::cos(t),
                                   box.center().y() + box.height() / 2 * std::sin(t));
            }
            const QPolygonF visible = clipPolygon(outline, mClipBox);
            if (!visible.isEmpty())
                mPainter.drawPolygon(visible);
        }
        mPainter.setBrush(Qt::NoBrush);
    }

    QPainter& mPainter;
    const ChartScale& mScale;
    const ChartAppearance& mAppearance;
    double mDpi;
    QRectF mClipBox;
    PenPosition mPen;
    QPolygonF mRun;
    bool mStrokeSet = false;
    QColor mStrokeColor;
    Qt::PenStyle mStrokeStyle = Qt::SolidLine;
    int mStrokeWidth = 1;
};

void paintGrid(QPainter& p, const ChartScale& scale, const ChartAppearance& look,
               const AxisTicks& xTicks, const AxisTicks& yTicks) {
    if (look.Grid != GridStyle::DotLines)
        return;
    const QRect plot = scale.plotArea();
    p.setPen(QPen(look.GridColor, 1, Qt::DotLine));
    for (double v : xTicks.major) {
        const int x = scale.DataToPixel(v, 0).x();
        if (x > plot.left() && x < plot.left() + plot.width())
            p.drawLine(x, plot.top(), x, plot.top() + plot.height());
    }
    for (double v : yTicks.major) {
        const int y = scale.DataToPixel(0, v).y();
        if (y > plot.top() && y < plot.top() + plot.height())
            p.drawLine(plot.left(), y, plot.left() + plot.width(), y);
    }
}

void paintCrossHairs(QPainter& p, const ChartScale& scale,
                     const std::array<CrossHair, 4>& crossHairs) {
    const QRect plot = scale.plotArea();
    const int left = plot.left();
    const int right = plot.left() + plot.width();
    const int top = plot.top();
    const int bottom = plot.top() + plot.height();
    for (const CrossHair& c : crossHairs) {
        if (c.Mode == CrossHairMode::Off || !isFinitePoint(c.PosX, c.PosY))
            continue;
        p.setPen(QPen(c.Color, std::max(1, c.LineWid), c.LineType, Qt::FlatCap));
        const QPoint at = scale.DataToPixel(c.PosX, c.PosY);
        if ((c.Mode == CrossHairMode::Vertical || c.Mode == CrossHairMode::Both) &&
            at.x() >= left && at.x() <= right)
            p.drawLine(at.x(), top, at.x(), bottom);
        if ((c.Mode == CrossHairMode::Horizontal || c.Mode == CrossHairMode::Both) &&
            at.y() >= top && at.y() <= bottom)
            p.drawLine(left, at.y(), right, at.y());
    }
}

void paintScales(QPainter& p, const ChartScale& scale, const ChartAppearance& look,
                 const AxisTicks& xTicks, const AxisTicks& yTicks, double dpi) {
    const QRect plot = scale.plotArea();
    const int left = plot.left();
    const int right = plot.left() + plot.width();
    const int top = plot.top();
    const int bottom = plot.top() + plot.height();
    const QFont font = chartFont(look.ScaleFontSize, dpi);
    const QFontMetricsF fm(font);
    p.setFont(font);
    p.setPen(QPen(look.ScaleColor, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(plot);

    const bool both = look.XAxisPos == XAxisPosition::Both;
    auto xTick = [&](double v, int length, bool withLabel) {
        const int x = scale.DataToPixel(v, 0).x();
        if (x < left || x > right)
            return;
        p.drawLine(x, bottom, x, bottom + length);
        if (both)
            p.drawLine(x, top, x, top - length);
        if (!withLabel)
            return;
        const QString s = label(v, xTicks.decimals);
        const double w = fm.horizontalAdvance(s);
        p.drawText(QPointF(x - w / 2, bottom + length + kLabelGap + fm.ascent()), s);
        if (both)
            p.drawText(QPointF(x - w / 2, top - length - kLabelGap - fm.descent()), s);
    };
    if (look.ShortTicksX)
        for (double v : xTicks.minor)
            xTick(v, kMinorTick, false);
    for (double v : xTicks.major)
        xTick(v, kMajorTick, true);

    const bool right2 = look.YAxisPos == YAxisPosition::Both;
    auto yTick = [&](double v, int length, bool withLabel) {
        const int y = scale.DataToPixel(0, v).y();
        if (y < top || y > bottom)
            return;
        p.drawLine(left - length, y, left, y);
        if (right2)
            p.drawLine(right, y, right + length, y);
        if (!withLabel)
            return;
        const QString s = label(v, yTicks.decimals);
        const double w = fm.horizontalAdvance(s);
        const double baseline = y + (fm.ascent() - fm.descent()) / 2;
        p.drawText(QPointF(left - length - kLabelGap - w, baseline), s);
        if (right2)
            p.drawText(QPointF(right + length + kLabelGap, baseline), s);
    };
    if (look.ShortTicksY)
        for (double v : yTicks.minor)
            yTick(v, kMinorTick, false);
    for (double v : yTicks.major)
        yTick(v, kMajorTick, true);

    if (!look.IdAbscissa.isEmpty()) {
        const double w = fm.horizontalAdvance(look.IdAbscissa);
        p.drawText(QPointF(right - w, scale.height() - fm.descent() - 1), look.IdAbscissa);
    }
    if (!look.IdOrdinate.isEmpty())
        p.drawText(QPointF(kLabelGap, fm.ascent() + 1), look.IdOrdinate);
    if (!look.Caption.isEmpty()) {
        const QFont captionFont = chartFont(look.CaptionFontSize, dpi, true);
        const QFontMetricsF cm(captionFont);
        p.setFont(captionFont);
        // The caption (a file name, say) keeps clear of the ordinate's title beside it: it
        // moves right of it and loses its start when both do not fit.
        const double ordinateEnd =
            look.IdOrdinate.isEmpty() ? 0.0 : 3 * kLabelGap + fm.horizontalAdvance(look.IdOrdinate);
        const QString caption =
            cm.elidedText(look.Caption, Qt::ElideLeft, scale.width() - ordinateEnd - kLabelGap);
        const double w = cm.horizontalAdvance(caption);
        const double x = std::max(left + (plot.width() - w) / 2, ordinateEnd);
        p.drawText(QPointF(x, cm.ascent() + 1), caption);
    }
}

void paintLegend(QPainter& p, const ChartScale& scale, const ChartAppearance& look, double dpi) {
    if (look.Legend.empty())
        return;
    const QFont font = chartFont(look.ScaleFontSize, dpi);
    const QFontMetricsF fm(font);
    constexpr double kStroke = 18;
    double textWidth = 0;
    for (const LegendEntry& e : look.Legend)
        textWidth = std::max(textWidth, fm.horizontalAdvance(e.Text));
    const double line = fm.height();
    const QRect plot = scale.plotArea();
    const QRectF box(plot.left() + plot.width() - 3 * kLabelGap - kStroke - textWidth - 6,
                     plot.top() + 6, 3 * kLabelGap + kStroke + textWidth,
                     line * static_cast<double>(look.Legend.size()) + 2 * kLabelGap);
    p.setFont(font);
    p.setPen(QPen(look.ScaleColor, 1));
    p.setBrush(look.BackgroundColor);
    p.drawRect(box);
    for (std::size_t i = 0; i < look.Legend.size(); ++i) {
        const LegendEntry& e = look.Legend[i];
        const double middle = box.top() + kLabelGap + (static_cast<double>(i) + 0.5) * line;
        p.setPen(QPen(e.Color, 2));
        p.drawLine(QPointF(box.left() + kLabelGap, middle),
                   QPointF(box.left() + kLabelGap + kStroke, middle));
        p.setPen(QPen(look.ScaleColor, 1));
        p.drawText(QPointF(box.left() + 2 * kLabelGap + kStroke,
                           middle + (fm.ascent() - fm.descent()) / 2),
                   e.Text);
    }
    p.setBrush(Qt::NoBrush);
}

} // namespace

void paintChart(QPainter& painter, const ChartScale& scale, const ChartAppearance& appearance,
                const DisplayList& list, const std::array<CrossHair, 4>& crossHairs,
                double screenDpi) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.fillRect(QRect(0, 0, scale.width(), scale.height()), appearance.BackgroundColor);

    const AxisTicks xTicks = AxisTicks::compute(scale.RangeLoX(), scale.RangeHiX(),
                                                appearance.MinTickX, appearance.DecPlaceX);
    const AxisTicks yTicks = AxisTicks::compute(scale.RangeLoY(), scale.RangeHiY(),
                                                appearance.MinTickY, appearance.DecPlaceY);
    paintGrid(painter, scale, appearance, xTicks, yTicks);

    const QRect plot = scale.plotArea();
    painter.save();
    painter.setClipRect(QRect(plot.left(), plot.top(), plot.width() + 1, plot.height() + 1));
    DisplayListPainter(painter, scale, appearance, screenDpi).paint(list);
    paintCrossHairs(painter, scale, crossHairs);
    painter.restore();

    paintScales(painter, scale, appearance, xTicks, yTicks, screenDpi);
    paintLegend(painter, scale, appearance, screenDpi);
    painter.restore();
}

} // namespace quibel
