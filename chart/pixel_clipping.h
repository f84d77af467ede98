// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointF>
#include <QPolygonF>
#include <QRectF>

namespace quibel {

/// Clips the segment a-b to rect (Liang-Barsky). Returns false when nothing of it lies inside;
/// otherwise a and b become the ends of the visible part. Keeping the coordinates handed to a
/// paint device near its area avoids the overflow of 16-bit metafile coordinates and of
/// fixed-point rasterisers far outside the picture.
bool clipSegment(const QRectF& rect, QPointF& a, QPointF& b);

/// The part of a closed polygon inside rect (Sutherland-Hodgman); empty when none is.
QPolygonF clipPolygon(const QPolygonF& polygon, const QRectF& rect);

} // namespace quibel
