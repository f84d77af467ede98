// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointF>
#include <QSizeF>
#include <QString>

class QPainter;
class QWidget;

namespace quibel {

/// Prepares painter for a notation sketch drawn in a box of size sketch units: antialiased,
/// the widget's base colour as background, the box scaled to fit the widget and centred, the
/// texts in 8 points.
void beginSketch(QPainter& painter, const QWidget& widget, QSizeF box);

/// A filled arrow head at tip, pointing away from from, its sides size long.
void drawArrowHead(QPainter& painter, QPointF tip, QPointF from, double size);

/// A dimension line from a to b with arrow heads at both ends and label centred at labelAt
/// in a box labelWidth wide.
void drawDimension(QPainter& painter, QPointF a, QPointF b, const QString& label, QPointF labelAt,
                   double arrowSize, double labelWidth);

} // namespace quibel
