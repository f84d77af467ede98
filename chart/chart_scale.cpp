// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/chart_scale.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace quibel {

namespace {

int clampToInt32(double v) noexcept {
    if (std::isnan(v))
        return 0;
    constexpr double lo = std::numeric_limits<std::int32_t>::min();
    constexpr double hi = std::numeric_limits<std::int32_t>::max();
    // nearbyint rounds halves to even, as the drawing routines' own rounding does.
    return static_cast<int>(std::clamp(std::nearbyint(v), lo, hi));
}

double directionOf(double lo, double hi) noexcept {
    return hi < lo ? -1.0 : 1.0;
}

} // namespace

void ChartScale::setBound(double& bound, double& other, double v, double minRange, bool isLo) {
    if (!std::isfinite(v))
        return;
    bound = v;
    const double span = isLo ? other - v : v - other;
    if (std::fabs(span) < minRange) {
        const double dir = span < 0 ? -1.0 : 1.0;
        other = isLo ? v + dir * minRange : v - dir * minRange;
    }
}

void ChartScale::setRangeLoX(double v) {
    setBound(mLoX, mHiX, v, mMinX, true);
    applyIsometric();
}
void ChartScale::setRangeHiX(double v) {
    setBound(mHiX, mLoX, v, mMinX, false);
    applyIsometric();
}
void ChartScale::setRangeLoY(double v) {
    setBound(mLoY, mHiY, v, mMinY, true);
    applyIsometric();
}
void ChartScale::setRangeHiY(double v) {
    setBound(mHiY, mLoY, v, mMinY, false);
    applyIsometric();
}

void ChartScale::setRangeX(double lo, double hi) {
    if (!std::isfinite(lo) || !std::isfinite(hi))
        return;
    mLoX = lo;
    mHiX = std::fabs(hi - lo) < mMinX ? lo + directionOf(lo, hi) * mMinX : hi;
    applyIsometric();
}

void ChartScale::setRangeY(double lo, double hi) {
    if (!std::isfinite(lo) || !std::isfinite(hi))
        return;
    mLoY = lo;
    mHiY = std::fabs(hi - lo) < mMinY ? lo + directionOf(lo, hi) * mMinY : hi;
    applyIsometric();
}

void ChartScale::setMinRangeX(double v) {
    if (std::isfinite(v) && v > 0)
        mMinX = v;
}
void ChartScale::setMinRangeY(double v) {
    if (std::isfinite(v) && v > 0)
        mMinY = v;
}

void ChartScale::setIsometric(bool on) {
    mIsometric = on;
    applyIsometric();
}

void ChartScale::setSize(int width, int height) {
    mWidth = std::max(0, width);
    mHeight = std::max(0, height);
    applyIsometric();
}

void ChartScale::setRims(int left, int right, int top, int bottom) {
    mLRim = std::max(0, left);
    mRRim = std::max(0, right);
    mTRim = std::max(0, top);
    mBRim = std::max(0, bottom);
    applyIsometric();
}

int ChartScale::plotWidth() const noexcept {
    return std::max(1, mWidth - mLRim - mRRim);
}
int ChartScale::plotHeight() const noexcept {
    return std::max(1, mHeight - mTRim - mBRim);
}

QRect ChartScale::plotArea() const noexcept {
    return {mLRim, mTRim, plotWidth(), plotHeight()};
}

void ChartScale::applyIsometric() {
    if (!mIsometric)
        return;
    const double span = std::fabs(mHiX - mLoX) * plotHeight() / plotWidth();
    mHiY = mLoY + directionOf(mLoY, mHiY) * std::max(span, mMinY);
}

QPoint ChartScale::DataToPixel(double x, double y) const noexcept {
    const double px = mLRim + (x - mLoX) * plotWidth() / (mHiX - mLoX);
    const double py = mTRim + plotHeight() - (y - mLoY) * plotHeight() / (mHiY - mLoY);
    return {std::isnan(x) ? mLRim : clampToInt32(px),
            std::isnan(y) ? mTRim + plotHeight() : clampToInt32(py)};
}

QPointF ChartScale::PixelToData(double px, double py) const noexcept {
    const double x = mLoX + (px - mLRim) * (mHiX - mLoX) / plotWidth();
    const double y = mLoY + (mTRim + plotHeight() - py) * (mHiY - mLoY) / plotHeight();
    return {x, y};
}

void ChartScale::panByPixels(double dx, double dy) {
    const double shiftX = -dx * (mHiX - mLoX) / plotWidth();
    const double shiftY = dy * (mHiY - mLoY) / plotHeight();
    if (!std::isfinite(shiftX) || !std::isfinite(shiftY))
        return;
    mLoX += shiftX;
    mHiX += shiftX;
    mLoY += shiftY;
    mHiY += shiftY;
    applyIsometric();
}

bool ChartScale::zoomToPixelRect(QPoint a, QPoint b) {
    const int left = std::min(a.x(), b.x());
    const int right = std::max(a.x(), b.x());
    const int top = std::min(a.y(), b.y());
    const int bottom = std::max(a.y(), b.y());
    if (right - left < kMinZoomPixels || bottom - top < kMinZoomPixels)
        return false;
    // The left pixel always holds the low bound and the bottom pixel the low ordinate, so
    // taking the corners by position keeps every range's direction.
    const QPointF lo = PixelToData(left, bottom);
    const QPointF hi = PixelToData(right, top);
    setRangeX(lo.x(), hi.x());
    setRangeY(lo.y(), hi.y());
    return true;
}

void ChartScale::zoomAboutPixel(QPointF centre, double factor) {
    if (!std::isfinite(factor) || factor <= 0)
        return;
    const QPointF c = PixelToData(centre.x(), centre.y());
    setRangeX(c.x() + (mLoX - c.x()) * factor, c.x() + (mHiX - c.x()) * factor);
    setRangeY(c.y() + (mLoY - c.y()) * factor, c.y() + (mHiY - c.y()) * factor);
}

} // namespace quibel
