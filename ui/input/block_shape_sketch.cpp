// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/input/block_shape_sketch.h"

#include "ui/input/sketch_painting.h"

#include <QPainter>

namespace quibel {

namespace {
void dimension(QPainter& p, QPointF a, QPointF b, const QString& label, QPointF labelAt) {
    drawDimension(p, a, b, label, labelAt, 5, 20);
}
} // namespace

BlockShapeSketch::BlockShapeSketch(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("block_shape_sketch"));
    setMinimumSize(180, 200);
}

void BlockShapeSketch::paintEvent(QPaintEvent*) {
    QPainter p(this);
    beginSketch(p, *this, QSizeF(220, 240));

    // Heel (40, 180), crest at 30, crest end x = 90, knee at 80, toe (180, 205): e > 0.
    const QPointF heel(40, 180), crestUp(40, 30), crestDown(90, 30), knee(90, 80), toe(180, 205);
    QPolygonF outline;
    outline << heel << crestUp << crestDown << knee << toe;
    p.setPen(QPen(Qt::black, 1.2));
    p.setBrush(QColor(240, 225, 190));
    p.drawPolygon(outline);
    p.drawText(QPointF(60, 130), QStringLiteral("γ"));

    p.setPen(QPen(Qt::black, 0.8, Qt::DotLine));
    p.drawLine(heel, QPointF(200, heel.y()));
    p.drawLine(toe, QPointF(20, toe.y()));
    p.drawLine(crestDown, QPointF(crestDown.x() + 40, crestDown.y()));
    p.setPen(QPen(Qt::black, 0.8));
    p.setBrush(Qt::black);
    dimension(p, QPointF(25, heel.y()), QPointF(25, crestUp.y()), QStringLiteral("a"),
              QPointF(15, 105));
    dimension(p, QPointF(heel.x(), 225), QPointF(toe.x(), 225), QStringLiteral("b"),
              QPointF(110, 235));
    dimension(p, QPointF(125, crestDown.y()), QPointF(125, knee.y()), QStringLiteral("c"),
              QPointF(135, 55));
    dimension(p, QPointF(crestUp.x(), 18), QPointF(crestDown.x(), 18), QStringLiteral("d"),
              QPointF(65, 8));
    dimension(p, QPointF(195, heel.y()), QPointF(195, toe.y()), QStringLiteral("e"),
              QPointF(207, 192));
}

} // namespace quibel
