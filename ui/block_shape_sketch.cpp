#include "ui/block_shape_sketch.h"

#include <QPainter>

#include <cmath>

namespace quibel {

namespace {
void arrowHead(QPainter& p, QPointF tip, QPointF from) {
    const double angle = std::atan2(tip.y() - from.y(), tip.x() - from.x());
    const double s = 5;
    QPolygonF head;
    head << tip << tip - QPointF(s * std::cos(angle - 0.4), s * std::sin(angle - 0.4))
         << tip - QPointF(s * std::cos(angle + 0.4), s * std::sin(angle + 0.4));
    p.drawPolygon(head);
}

void dimension(QPainter& p, QPointF a, QPointF b, const QString& label, QPointF labelAt) {
    p.drawLine(a, b);
    arrowHead(p, a, b);
    arrowHead(p, b, a);
    p.drawText(QRectF(labelAt - QPointF(10, 9), QSizeF(20, 18)), Qt::AlignCenter, label);
}
} // namespace

BlockShapeSketch::BlockShapeSketch(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("block_shape_sketch"));
    setMinimumSize(180, 200);
}

void BlockShapeSketch::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(rect(), palette().base());
    const double scale = std::min(width() / 220.0, height() / 240.0);
    p.translate((width() - 220 * scale) / 2, (height() - 240 * scale) / 2);
    p.scale(scale, scale);
    QFont font = p.font();
    font.setPointSizeF(8);
    p.setFont(font);

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
