// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "chart/wmf_writer.h"

#include <QBrush>
#include <QFont>
#include <QPaintEngine>
#include <QPen>
#include <QRect>
#include <QSize>
#include <QTransform>

#include <memory>
#include <optional>
#include <vector>

namespace quibel {

/// Turns what a QPainter draws into the records of a Windows metafile: polylines, polygons,
/// rectangles, ellipses and texts with their pens, brushes and fonts, and rectangular
/// clipping. Painter coordinates are pixels of a picture of the given size; the metafile
/// holds them as unitsPerPixel() logical units each (the finest grid that fits 16 bits), at
/// dpi pixels per inch. Pixmaps, images, gradients and transparency are not written: a chart
/// has none.
class WmfPaintEngine final : public QPaintEngine {
public:
    WmfPaintEngine(QSize pixels, double dpi);
    ~WmfPaintEngine() override;

    /// Logical units per pixel: up to 16, fewer for pictures too large for that.
    static int unitsPerPixel(QSize pixels);

    /// The finished file; empty until painting has ended.
    const std::vector<std::uint8_t>& metafile() const noexcept { return mMetafile; }

    bool begin(QPaintDevice* device) override;
    bool end() override;
    void updateState(const QPaintEngineState& state) override;
    void drawPolygon(const QPointF* points, int count, PolygonDrawMode mode) override;
    void drawPolygon(const QPoint* points, int count, PolygonDrawMode mode) override;
    void drawLines(const QLineF* lines, int count) override;
    void drawLines(const QLine* lines, int count) override;
    void drawRects(const QRectF* rects, int count) override;
    void drawRects(const QRect* rects, int count) override;
    void drawEllipse(const QRectF& rect) override;
    void drawEllipse(const QRect& rect) override;
    void drawPath(const QPainterPath& path) override;
    void drawPoints(const QPointF* points, int count) override;
    void drawPoints(const QPoint* points, int count) override;
    void drawTextItem(const QPointF& p, const QTextItem& textItem) override;
    void drawPixmap(const QRectF& r, const QPixmap& pm, const QRectF& sr) override;
    Type type() const override { return QPaintEngine::User; }

private:
    struct PenKey {
        WmfWriter::PenStyle style;
        std::int16_t width;
        std::uint32_t color;
        bool operator==(const PenKey&) const = default;
    };
    struct BrushKey {
        WmfWriter::BrushStyle style;
        std::uint32_t color;
        bool operator==(const BrushKey&) const = default;
    };
    struct FontKey {
        WmfWriter::Font font;
        bool operator==(const FontKey& o) const;
    };
    /// What the metafile's device context holds; SaveDC and RestoreDC keep a copy.
    struct DcState {
        int pen = -1; ///< object slot, -1: the reader's default
        int brush = -1;
        int font = -1;
        PenKey penKey{};
        BrushKey brushKey{};
        FontKey fontKey{};
        std::optional<std::uint32_t> textColor;
        std::optional<bool> winding;
    };

    WmfWriter::Point toDevice(const QPointF& p) const;
    double transformScale() const;
    void syncClip();
    void usePen();
    void useBrush();
    void useFont(const WmfWriter::Font& font);
    void replaceObject(int& slot, int created);
    void emitPolyline(const std::vector<WmfWriter::Point>& points);
    void emitPolygon(const std::vector<WmfWriter::Point>& points, bool winding);

    QSize mPixels;
    double mDpi;
    int mUnitsPerPixel;
    std::unique_ptr<WmfWriter> mWriter;
    std::vector<std::uint8_t> mMetafile;
    QTransform mTransform;
    QPen mPen;
    QBrush mBrush;
    bool mClipEnabled = false; ///< the painter clips now
    bool mClipFlag = false;
    Qt::ClipOperation mClipOperation = Qt::NoClip;
    QRect mClip;                       ///< logical units
    std::optional<QRect> mAppliedClip; ///< what the metafile clips to now
    DcState mDc;
    std::optional<DcState> mSavedDc;
};

} // namespace quibel
