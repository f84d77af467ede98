// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/input/geometry_sketch.h"

#include "ui/input/sketch_painting.h"

#include <QPainter>
#include <QPainterPath>

namespace quibel {

namespace {
// Sketch coordinates: x to the right, y down, in a 260 x 300 box scaled to the widget.
constexpr double kFoundation = 280, kCrest = 30, kUpstream = 60, kCrestEnd = 110;
constexpr double kKnee = 90, kToe = 240, kReservoir = 50;
// The cracked plane rises downstream from the heel with slope kRise until it meets the
// sloping downstream face.
constexpr double kHeelY = 150, kRise = 0.1;
constexpr double kFaceSlope = (kFoundation - kKnee) / (kToe - kCrestEnd);
constexpr double kPlaneToeX =
    (kHeelY + kRise * kUpstream - kKnee + kFaceSlope * kCrestEnd) / (kFaceSlope + kRise);
constexpr double kPlaneToeY = kHeelY - kRise * (kPlaneToeX - kUpstream);

void arrowHead(QPainter& p, QPointF tip, QPointF from) {
    drawArrowHead(p, tip, from, 6);
}

void dimension(QPainter& p, QPointF a, QPointF b, const QString& label, QPointF labelAt) {
    drawDimension(p, a, b, label, labelAt, 6, 30);
}
} // namespace

GeometrySketch::GeometrySketch(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("section_sketch"));
    setMinimumSize(200, 230);
}

void GeometrySketch::paintEvent(QPaintEvent*) {
    QPainter p(this);
    beginSketch(p, *this, QSizeF(260, 300));

    // Reservoir against the upstream face.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(190, 215, 245));
    p.drawRect(QRectF(5, kReservoir, kUpstream - 5, kFoundation - kReservoir));

    // Lower part of the dam, then the block above the plane.
    QPolygonF dam;
    dam << QPointF(kUpstream, kFoundation) << QPointF(kUpstream, kHeelY)
        << QPointF(kPlaneToeX, kPlaneToeY) << QPointF(kToe, kFoundation);
    QPolygonF block;
    block << QPointF(kUpstream, kHeelY) << QPointF(kUpstream, kCrest) << QPointF(kCrestEnd, kCrest)
          << QPointF(kCrestEnd, kKnee) << QPointF(kPlaneToeX, kPlaneToeY);
    p.setPen(QPen(Qt::black, 1.2));
    p.setBrush(QColor(215, 215, 215));
    p.drawPolygon(dam);
    p.setBrush(QColor(240, 225, 190));
    p.drawPolygon(block);
    p.drawLine(QPointF(0, kFoundation), QPointF(260, kFoundation));

    // Plane of analysis, extended, and its inclination.
    p.setPen(QPen(Qt::red, 1.2, Qt::DashLine));
    p.drawLine(QPointF(kUpstream, kHeelY), QPointF(kPlaneToeX + 40, kPlaneToeY - 40 * kRise));
    p.setPen(QPen(Qt::black, 0.8, Qt::DotLine));
    p.drawLine(QPointF(kPlaneToeX - 40, kPlaneToeY), QPointF(kPlaneToeX + 30, kPlaneToeY));
    p.setPen(QPen(Qt::black, 0.8));
    p.drawText(QPointF(kPlaneToeX + 14, kPlaneToeY - 6), QStringLiteral("β"));
    p.drawText(QPointF(kUpstream + 40, kHeelY + 14), QStringLiteral("φs, φd"));

    p.setBrush(Qt::black);
    // hd, h, hr and b.
    dimension(p, QPointF(kToe + 10, kFoundation), QPointF(kToe + 10, kCrest), QStringLiteral("hd"),
              QPointF(kToe + 10, 100));
    p.drawLine(QPointF(kCrestEnd, kCrest), QPointF(kToe + 14, kCrest));
    dimension(p, QPointF(kUpstream + 12, kHeelY), QPointF(kUpstream + 12, kCrest),
              QStringLiteral("h"), QPointF(kUpstream + 22, 75));
    dimension(p, QPointF(18, kFoundation), QPointF(18, kReservoir), QStringLiteral("hr"),
              QPointF(30, 210));
    dimension(p, QPointF(kUpstream, kHeelY + 28), QPointF(kPlaneToeX, kHeelY + 28),
              QStringLiteral("b"), QPointF((kUpstream + kPlaneToeX) / 2, kHeelY + 38));

    // Uplift normal to the plane at xu.
    const QPointF upliftTip(100, 146), upliftTail(100, 172);
    p.drawLine(upliftTail, upliftTip);
    arrowHead(p, upliftTip, upliftTail);
    p.drawText(QPointF(104, 172), QStringLiteral("U"));
    dimension(p, QPointF(kUpstream, 188), QPointF(100, 188), QStringLiteral("xu"),
              QPointF(80, 198));

    // Centre of mass with xc and yc, mass and inertia.
    const QPointF cg(88, 95);
    p.setBrush(Qt::white);
    p.drawEllipse(cg, 4, 4);
    p.setBrush(Qt::black);
    p.drawPie(QRectF(cg - QPointF(4, 4), QSizeF(8, 8)), 0, 90 * 16);
    p.drawPie(QRectF(cg - QPointF(4, 4), QSizeF(8, 8)), 180 * 16, 90 * 16);
    p.drawText(QPointF(cg.x() + 7, cg.y() - 4), QStringLiteral("M, Im"));
    p.setPen(QPen(Qt::black, 0.8, Qt::DotLine));
    p.drawLine(cg, QPointF(cg.x(), kHeelY));
    p.drawLine(cg, QPointF(kUpstream, cg.y()));
    p.setPen(QPen(Qt::black, 0.8));
    p.drawText(QPointF(kUpstream + 6, cg.y() - 3), QStringLiteral("xc"));
    p.drawText(QPointF(cg.x() + 3, 128), QStringLiteral("yc"));
}

} // namespace quibel
