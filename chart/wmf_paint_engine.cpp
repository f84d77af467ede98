// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/wmf_paint_engine.h"

#include <QFontMetricsF>
#include <QPainterPath>
#include <QTextItem>

#include <algorithm>
#include <array>
#include <cmath>

namespace quibel {

namespace {

std::int16_t toInt16(double v) {
    if (std::isnan(v))
        return 0;
    return static_cast<std::int16_t>(std::lround(std::clamp(v, -32768.0, 32767.0)));
}

std::uint32_t colorRef(const QColor& c) {
    const QColor rgb = c.toRgb();
    return WmfWriter::rgb(static_cast<std::uint8_t>(rgb.red()),
                          static_cast<std::uint8_t>(rgb.green()),
                          static_cast<std::uint8_t>(rgb.blue()));
}

// Windows-1252 bytes of the characters between 0x80 and 0x9F that the code page holds.
constexpr std::array<char16_t, 32> kCp1252High = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char toCp1252(QChar c) {
    const char16_t u = c.unicode();
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return static_cast<char>(u);
    for (std::size_t i = 0; i < kCp1252High.size(); ++i)
        if (kCp1252High[i] != 0 && kCp1252High[i] == u)
            return static_cast<char>(0x80 + i);
    return '?';
}

WmfWriter::PenStyle penStyle(Qt::PenStyle s) {
    switch (s) {
    case Qt::NoPen:
        return WmfWriter::PenStyle::Null;
    case Qt::DashLine:
        return WmfWriter::PenStyle::Dash;
    case Qt::DotLine:
        return WmfWriter::PenStyle::Dot;
    case Qt::DashDotLine:
        return WmfWriter::PenStyle::DashDot;
    case Qt::DashDotDotLine:
        return WmfWriter::PenStyle::DashDotDot;
    default:
        return WmfWriter::PenStyle::Solid;
    }
}

} // namespace

bool WmfPaintEngine::FontKey::operator==(const FontKey& o) const {
    return font.height == o.font.height && font.weight == o.font.weight &&
           font.italic == o.font.italic && font.underline == o.font.underline &&
           font.strikeOut == o.font.strikeOut && font.charSet == o.font.charSet &&
           font.faceName == o.font.faceName;
}

WmfPaintEngine::WmfPaintEngine(QSize pixels, double dpi)
    : QPaintEngine(QPaintEngine::AllFeatures), mPixels(pixels), mDpi(dpi),
      mUnitsPerPixel(unitsPerPixel(pixels)) {}

WmfPaintEngine::~WmfPaintEngine() = default;

int WmfPaintEngine::unitsPerPixel(QSize pixels) {
    const int largest = std::max({pixels.width(), pixels.height(), 1});
    return std::clamp(32000 / largest, 1, 16);
}

bool WmfPaintEngine::begin(QPaintDevice*) {
    mMetafile.clear();
    mWriter = std::make_unique<WmfWriter>(
        toInt16(double(mPixels.width()) * mUnitsPerPixel),
        toInt16(double(mPixels.height()) * mUnitsPerPixel),
        static_cast<std::uint16_t>(std::clamp(std::lround(mDpi * mUnitsPerPixel), 1L, 65535L)));
    mWriter->setTextAlign(WmfWriter::kTextAlignBaselineLeft);
    mDc = {};
    mSavedDc.reset();
    mAppliedClip.reset();
    mClipEnabled = false;
    mClipFlag = false;
    mClipOperation = Qt::NoClip;
    mTransform = QTransform();
    setActive(true);
    return true;
}

bool WmfPaintEngine::end() {
    mClipEnabled = false;
    syncClip();
    // The objects still selected stay: a selected object cannot be deleted, and the reader
    // frees its object table when the picture ends.
    mMetafile = mWriter->finish();
    mWriter.reset();
    setActive(false);
    return true;
}

void WmfPaintEngine::updateState(const QPaintEngineState& state) {
    const DirtyFlags flags = state.state();
    if (flags & DirtyTransform)
        mTransform = state.transform();
    if (flags & DirtyPen)
        mPen = state.pen();
    if (flags & DirtyBrush)
        mBrush = state.brush();
    // Clips arrive in the painter's coordinates of the moment they are set, so they are taken
    // to metafile units at once. Only their bounding rectangle is kept: a chart clips to its
    // plotting area.
    if (flags & DirtyClipRegion) {
        mClip = mTransform.mapRect(QRectF(state.clipRegion().boundingRect())).toAlignedRect();
        mClipOperation = state.clipOperation();
    }
    if (flags & DirtyClipPath) {
        mClip = mTransform.mapRect(state.clipPath().boundingRect()).toAlignedRect();
        mClipOperation = state.clipOperation();
    }
    if (flags & DirtyClipEnabled)
        mClipFlag = state.isClipEnabled();
    // A painter restored to a state without clipping reports the clip as enabled with no
    // clip operation.
    mClipEnabled = mClipFlag && mClipOperation != Qt::NoClip;
}

WmfWriter::Point WmfPaintEngine::toDevice(const QPointF& p) const {
    const QPointF q = mTransform.map(p);
    return {toInt16(q.x() * mUnitsPerPixel), toInt16(q.y() * mUnitsPerPixel)};
}

double WmfPaintEngine::transformScale() const {
    return std::sqrt(std::fabs(mTransform.determinant()));
}

void WmfPaintEngine::syncClip() {
    const std::optional<QRect> wanted =
        mClipEnabled ? std::optional<QRect>(mClip) : std::optional<QRect>();
    if (wanted == mAppliedClip)
        return;
    if (mSavedDc) {
        // Restoring selects the saved objects again; those made since are free to go.
        mWriter->restoreDC();
        for (auto [now, saved] :
             {std::pair{mDc.pen, mSavedDc->pen}, std::pair{mDc.brush, mSavedDc->brush},
              std::pair{mDc.font, mSavedDc->font}})
            if (now >= 0 && now != saved)
                mWriter->deleteObject(now);
        mDc = *mSavedDc;
        mSavedDc.reset();
    }
    if (wanted) {
        mWriter->saveDC();
        mSavedDc = mDc;
        const double k = mUnitsPerPixel;
        mWriter->intersectClipRect(toInt16(wanted->left() * k), toInt16(wanted->top() * k),
                                   toInt16((wanted->right() + 1) * k),
                                   toInt16((wanted->bottom() + 1) * k));
    }
    mAppliedClip = wanted;
}

void WmfPaintEngine::replaceObject(int& slot, int created) {
    mWriter->selectObject(created);
    const int old = slot;
    slot = created;
    // An object the saved state still holds must live until that state is restored.
    const bool heldBySaved =
        mSavedDc && (old == mSavedDc->pen || old == mSavedDc->brush || old == mSavedDc->font);
    if (old >= 0 && !heldBySaved)
        mWriter->deleteObject(old);
}

void WmfPaintEngine::usePen() {
    PenKey key{penStyle(mPen.style()), 0, colorRef(mPen.color())};
    // Styled lines keep their dots only one device pixel wide, and cosmetic pens are that wide.
    if (key.style == WmfWriter::PenStyle::Solid && !mPen.isCosmetic() && mPen.widthF() > 0)
        key.width =
            std::max<std::int16_t>(1, toInt16(mPen.widthF() * transformScale() * mUnitsPerPixel));
    if (mDc.pen >= 0 && mDc.penKey == key)
        return;
    mDc.penKey = key;
    replaceObject(mDc.pen, mWriter->createPen(key.style, key.width, key.color));
}

void WmfPaintEngine::useBrush() {
    const BrushKey key{mBrush.style() == Qt::NoBrush ? WmfWriter::BrushStyle::Null
                                                     : WmfWriter::BrushStyle::Solid,
                       colorRef(mBrush.color())};
    if (mDc.brush >= 0 && mDc.brushKey == key)
        return;
    mDc.brushKey = key;
    replaceObject(mDc.brush, mWriter->createBrush(key.style, key.color));
}

void WmfPaintEngine::useFont(const WmfWriter::Font& font) {
    const FontKey key{font};
    if (mDc.font >= 0 && mDc.fontKey == key)
        return;
    mDc.fontKey = key;
    replaceObject(mDc.font, mWriter->createFont(font));
}

void WmfPaintEngine::emitPolyline(const std::vector<WmfWriter::Point>& points) {
    if (points.size() < 2 || mPen.style() == Qt::NoPen)
        return;
    syncClip();
    usePen();
    mWriter->polyline(points);
}

void WmfPaintEngine::emitPolygon(const std::vector<WmfWriter::Point>& points, bool winding) {
    if (points.size() < 3)
        return;
    syncClip();
    usePen();
    useBrush();
    if (mDc.winding != winding) {
        mWriter->setPolyFillMode(winding);
        mDc.winding = winding;
    }
    mWriter->polygon(points);
}

void WmfPaintEngine::drawPolygon(const QPointF* points, int count, PolygonDrawMode mode) {
    std::vector<WmfWriter::Point> pts;
    pts.reserve(static_cast<std::size_t>(std::max(count, 0)));
    for (int i = 0; i < count; ++i)
        pts.push_back(toDevice(points[i]));
    if (mode == PolylineMode)
        emitPolyline(pts);
    else
        emitPolygon(pts, mode == WindingMode);
}

void WmfPaintEngine::drawPolygon(const QPoint* points, int count, PolygonDrawMode mode) {
    std::vector<QPointF> pts(points, points + std::max(count, 0));
    drawPolygon(pts.data(), count, mode);
}

void WmfPaintEngine::drawLines(const QLineF* lines, int count) {
    // Lines that continue one another become one polyline.
    std::vector<WmfWriter::Point> run;
    for (int i = 0; i < count; ++i) {
        const WmfWriter::Point a = toDevice(lines[i].p1());
        const WmfWriter::Point b = toDevice(lines[i].p2());
        if (run.empty() || run.back().x != a.x || run.back().y != a.y) {
            emitPolyline(run);
            run.clear();
            run.push_back(a);
        }
        run.push_back(b);
    }
    emitPolyline(run);
}

void WmfPaintEngine::drawLines(const QLine* lines, int count) {
    std::vector<QLineF> l(lines, lines + std::max(count, 0));
    drawLines(l.data(), count);
}

void WmfPaintEngine::drawRects(const QRectF* rects, int count) {
    for (int i = 0; i < count; ++i) {
        const QRectF& r = rects[i];
        if (mTransform.type() <= QTransform::TxScale) {
            syncClip();
            usePen();
            useBrush();
            const WmfWriter::Point a = toDevice(r.topLeft());
            const WmfWriter::Point b = toDevice(r.bottomRight());
            mWriter->rectangle(std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x),
                               std::max(a.y, b.y));
        } else {
            emitPolygon({toDevice(r.topLeft()), toDevice(r.topRight()), toDevice(r.bottomRight()),
                         toDevice(r.bottomLeft())},
                        false);
        }
    }
}

void WmfPaintEngine::drawRects(const QRect* rects, int count) {
    for (int i = 0; i < count; ++i) {
        const QRectF r(rects[i]);
        drawRects(&r, 1);
    }
}

void WmfPaintEngine::drawEllipse(const QRectF& rect) {
    syncClip();
    usePen();
    useBrush();
    const WmfWriter::Point a = toDevice(rect.topLeft());
    const WmfWriter::Point b = toDevice(rect.bottomRight());
    mWriter->ellipse(std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x),
                     std::max(a.y, b.y));
}

void WmfPaintEngine::drawEllipse(const QRect& rect) {
    drawEllipse(QRectF(rect));
}

void WmfPaintEngine::drawPath(const QPainterPath& path) {
    const bool filled = mBrush.style() != Qt::NoBrush;
    for (const QPolygonF& polygon : path.toSubpathPolygons()) {
        std::vector<WmfWriter::Point> pts;
        pts.reserve(static_cast<std::size_t>(polygon.size()));
        for (const QPointF& p : polygon)
            pts.push_back(toDevice(p));
        if (filled)
            emitPolygon(pts, path.fillRule() == Qt::WindingFill);
        else
            emitPolyline(pts);
    }
}

void WmfPaintEngine::drawPoints(const QPointF* points, int count) {
    // A reader draws nothing for a line of no length, so a point is one pixel long.
    for (int i = 0; i < count; ++i) {
        const WmfWriter::Point a = toDevice(points[i]);
        const int x = a.x <= 32767 - mUnitsPerPixel ? a.x + mUnitsPerPixel : a.x - mUnitsPerPixel;
        emitPolyline({a, {static_cast<std::int16_t>(x), a.y}});
    }
}

void WmfPaintEngine::drawPoints(const QPoint* points, int count) {
    std::vector<QPointF> pts(points, points + std::max(count, 0));
    drawPoints(pts.data(), count);
}

void WmfPaintEngine::drawTextItem(const QPointF& p, const QTextItem& textItem) {
    const QString text = textItem.text();
    if (text.isEmpty())
        return;
    const QFont font = textItem.font();
    const double scale = transformScale() * mUnitsPerPixel;
    const double emPixels = font.pixelSize() > 0 ? font.pixelSize() : font.pointSizeF() * mDpi / 72;
    WmfWriter::Font f;
    f.height = static_cast<std::int16_t>(-std::max<std::int16_t>(1, toInt16(emPixels * scale)));
    f.weight = static_cast<std::int16_t>(std::clamp(static_cast<int>(font.weight()), 1, 1000));
    f.italic = font.italic();
    f.underline = font.underline();
    f.strikeOut = font.strikeOut();
    f.faceName = font.family().toLatin1().toStdString();

    // Character advances from our own metrics place every glyph where the screen shows it,
    // whatever font the reader substitutes.
    const QFontMetricsF fm(font, paintDevice());
    std::string bytes;
    std::vector<std::int16_t> dx;
    double previous = 0.0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        bytes.push_back(toCp1252(text.at(i)));
        const double next = std::round(fm.horizontalAdvance(text.left(i + 1)) * scale);
        dx.push_back(toInt16(next - previous));
        previous = next;
    }

    syncClip();
    useFont(f);
    const std::uint32_t color = colorRef(mPen.color());
    if (mDc.textColor != color) {
        mWriter->setTextColor(color);
        mDc.textColor = color;
    }
    const WmfWriter::Point at = toDevice(p);
    mWriter->extTextOut(at.x, at.y, bytes, dx);
}

void WmfPaintEngine::drawPixmap(const QRectF&, const QPixmap&, const QRectF&) {}

} // namespace quibel
