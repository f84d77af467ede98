// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/input/sketch_painting.h"

#include <QPainter>
#include <QPolygonF>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace quibel {

void beginSketch(QPainter& p, const QWidget& widget, QSizeF box) {
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(widget.rect(), widget.palette().base());
    const double scale = std::min(widget.width() / box.width(), widget.height() / box.height());
    p.translate((widget.width() - box.width() * scale) / 2,
                (widget.height() - box.height() * scale) / 2);
    p.scale(scale, scale);
    QFont font = p.font();
    font.setPointSizeF(8);
    p.setFont(font);
}

void drawArrowHead(QPainter& p, QPointF tip, QPointF from, double size) {
    const double angle = std::atan2(tip.y() - from.y(), tip.x() - from.x());
    QPolygonF head;
    head << tip << tip - QPointF(size * std::cos(angle - 0.4), size * std::sin(angle - 0.4))
         << tip - QPointF(size * std::cos(angle + 0.4), size * std::sin(angle + 0.4));
    p.drawPolygon(head);
}

void drawDimension(QPainter& p, QPointF a, QPointF b, const QString& label, QPointF labelAt,
                   double arrowSize, double labelWidth) {
    p.drawLine(a, b);
    drawArrowHead(p, a, b, arrowSize);
    drawArrowHead(p, b, a, arrowSize);
    p.drawText(QRectF(labelAt - QPointF(labelWidth / 2, 9), QSizeF(labelWidth, 18)),
               Qt::AlignCenter, label);
}

} // namespace quibel
