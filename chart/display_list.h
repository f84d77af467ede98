// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "chart/display_element.h"

#include <vector>

namespace quibel {

/// The ordered drawing elements of a chart and the attributes that elements added next will
/// record (data colour, fill colour, pen style, line width). Clearing the list keeps the
/// attributes.
class DisplayList final {
public:
    /// Texts are cut to this many characters.
    static constexpr int kMaxTextLength = 15;

    void clear() noexcept { mElements.clear(); }
    const std::vector<DisplayElement>& elements() const noexcept { return mElements; }
    bool empty() const noexcept { return mElements.empty(); }

    QColor dataColor() const { return mDataColor; }
    void setDataColor(const QColor& c) { mDataColor = c; }
    QColor fillColor() const { return mFillColor; }
    void setFillColor(const QColor& c) { mFillColor = c; }
    Qt::PenStyle penStyle() const noexcept { return mPenStyle; }
    void setPenStyle(Qt::PenStyle s) noexcept { mPenStyle = s; }
    int lineWidth() const noexcept { return mLineWidth; }
    /// Pixels; values below 1 give 1.
    void setLineWidth(int w) noexcept { mLineWidth = w < 1 ? 1 : w; }

    void moveTo(double x, double y);
    void drawTo(double x, double y);
    void line(double x1, double y1, double x2, double y2);
    void moveBy(int dx, int dy);
    void drawBy(int dx, int dy);
    /// text is cut to kMaxTextLength characters; fontSize in points.
    void textAt(double x, double y, const QString& text, int fontSize);
    /// Radii in data units; their sign does not matter.
    void ellipseAt(double xc, double yc, double rx, double ry);
    /// A whole series as one element; a null series adds nothing.
    void series(std::shared_ptr<const ChartSeries> samples);

    /// Reserves room for n more elements (long series).
    void reserve(std::size_t n) { mElements.reserve(mElements.size() + n); }

private:
    DisplayElement& add(DisplayElementKind kind);
    /// An element at data points.
    DisplayElement& add(DisplayElementKind kind, double x1, double y1, double x2 = 0.0,
                        double y2 = 0.0);
    /// An element of whole pixels from the pen.
    void addStep(DisplayElementKind kind, int dx, int dy);

    std::vector<DisplayElement> mElements;
    QColor mDataColor = Qt::black;
    QColor mFillColor = Qt::white;
    Qt::PenStyle mPenStyle = Qt::SolidLine;
    int mLineWidth = 1;
};

} // namespace quibel
