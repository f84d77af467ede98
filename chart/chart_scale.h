// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPoint>
#include <QPointF>
#include <QRect>

namespace quibel {

/// The visible data ranges of a chart and their mapping to the pixels of its plotting area.
///
/// The plotting area is the chart less its rims: RangeLoX maps to its left edge, RangeHiX to
/// its right edge, RangeLoY to its bottom and RangeHiY to its top, so a range may run
/// backwards. A bound set closer than the minimum range to the other bound moves the other one
/// to this bound plus or minus the minimum range, keeping the range's direction (up when both
/// are equal). In isometric mode RangeHiY follows from RangeLoY, the horizontal range and the
/// shape of the plotting area, so that one data unit spans as many pixels up as across.
/// Non-finite bounds are ignored.
class ChartScale final {
public:
    static constexpr double kDefaultMinRange = 1e-10;

    double RangeLoX() const noexcept { return mLoX; }
    double RangeHiX() const noexcept { return mHiX; }
    double RangeLoY() const noexcept { return mLoY; }
    double RangeHiY() const noexcept { return mHiY; }
    void setRangeLoX(double v);
    void setRangeHiX(double v);
    void setRangeLoY(double v);
    void setRangeHiY(double v);
    /// Both bounds at once; when they are closer than the minimum range, hi moves away from lo.
    void setRangeX(double lo, double hi);
    void setRangeY(double lo, double hi);

    double MinRangeX() const noexcept { return mMinX; }
    double MinRangeY() const noexcept { return mMinY; }
    /// Data units; non-positive or non-finite values are ignored.
    void setMinRangeX(double v);
    void setMinRangeY(double v);

    bool Isometric() const noexcept { return mIsometric; }
    void setIsometric(bool on);

    /// Size of the whole chart, pixels.
    void setSize(int width, int height);
    int width() const noexcept { return mWidth; }
    int height() const noexcept { return mHeight; }
    /// Margins between the chart's edge and the plotting area, pixels (negative gives 0).
    void setRims(int left, int right, int top, int bottom);
    int LRim() const noexcept { return mLRim; }
    int RRim() const noexcept { return mRRim; }
    int TRim() const noexcept { return mTRim; }
    int BRim() const noexcept { return mBRim; }

    /// Width and height of the plotting area, pixels; at least 1 even for a chart smaller
    /// than its rims, so that the mapping stays defined.
    int plotWidth() const noexcept;
    int plotHeight() const noexcept;
    /// Left, top, plotWidth() and plotHeight(): (left + plotWidth(), top + plotHeight()) is
    /// the pixel of (RangeHiX, RangeLoY).
    QRect plotArea() const noexcept;

    /// Pixel position of a data point, rounded to the nearest pixel and clamped to the 32-bit
    /// range; a NaN coordinate gives the pixel of the lower bound.
    QPoint DataToPixel(double x, double y) const noexcept;
    /// Data position of a pixel (fractional pixels allowed).
    QPointF PixelToData(double px, double py) const noexcept;

    /// Shifts the ranges so that the data under the mouse follows it by (dx, dy) pixels.
    void panByPixels(double dx, double dy);
    /// Sets the ranges to the rectangle between two pixel corners given in any order; each
    /// range keeps its direction. A rectangle narrower or lower than kMinZoomPixels is
    /// refused (a click is not a zoom) and false is returned.
    bool zoomToPixelRect(QPoint a, QPoint b);
    static constexpr int kMinZoomPixels = 3;
    /// Scales both ranges by factor about the data point under the pixel centre (< 1 zooms in).
    void zoomAboutPixel(QPointF centre, double factor);

private:
    static void setBound(double& bound, double& other, double v, double minRange, bool isLo);
    void applyIsometric();

    double mLoX = 0.0, mHiX = 1.0, mLoY = 0.0, mHiY = 1.0;
    double mMinX = kDefaultMinRange, mMinY = kDefaultMinRange;
    bool mIsometric = false;
    int mWidth = 400, mHeight = 300;
    int mLRim = 50, mRRim = 20, mTRim = 30, mBRim = 40;
};

} // namespace quibel
