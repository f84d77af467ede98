// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/mouse_mode_buttons.h"

#include "chart/chart_widget.h"
#include "ui/widgets/drawn_icon.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QPainter>
#include <QPainterPath>
#include <QToolButton>

namespace quibel {

namespace {

// The glyph of a mouse action, drawn so that the buttons need no image files.
QIcon glyph(MouseAction action) {
    return drawnIcon(QSize(20, 20), Qt::black, [action](QPainter& p) {
        switch (action) {
        case MouseAction::None: { // arrow pointer
            QPainterPath arrow;
            arrow.moveTo(5, 2);
            arrow.lineTo(5, 16);
            arrow.lineTo(8.5, 12.5);
            arrow.lineTo(11, 18);
            arrow.lineTo(13, 17);
            arrow.lineTo(10.5, 11.5);
            arrow.lineTo(15, 11.5);
            arrow.closeSubpath();
            p.setBrush(Qt::white);
            p.drawPath(arrow);
            break;
        }
        case MouseAction::Pan: // four-way arrows
            p.drawLine(QPointF(10, 2), QPointF(10, 18));
            p.drawLine(QPointF(2, 10), QPointF(18, 10));
            for (const auto& [tip, a, b] :
                 {std::tuple{QPointF(10, 2), QPointF(7, 5), QPointF(13, 5)},
                  std::tuple{QPointF(10, 18), QPointF(7, 15), QPointF(13, 15)},
                  std::tuple{QPointF(2, 10), QPointF(5, 7), QPointF(5, 13)},
                  std::tuple{QPointF(18, 10), QPointF(15, 7), QPointF(15, 13)}}) {
                p.drawLine(tip, a);
                p.drawLine(tip, b);
            }
            break;
        case MouseAction::ZoomWindow: // magnifier over a dashed window
            p.setPen(QPen(Qt::black, 1, Qt::DashLine));
            p.drawRect(QRectF(1.5, 1.5, 12, 10));
            p.setPen(QPen(Qt::black, 1.5));
            p.drawEllipse(QPointF(11, 10), 4.5, 4.5);
            p.drawLine(QPointF(14.5, 13.5), QPointF(18.5, 17.5));
            break;
        case MouseAction::ZoomDrag: // magnifier with plus and minus
            p.drawEllipse(QPointF(8, 8), 6, 6);
            p.drawLine(QPointF(12.5, 12.5), QPointF(18, 18));
            p.drawLine(QPointF(5, 8), QPointF(11, 8));
            p.drawLine(QPointF(8, 5), QPointF(8, 11));
            break;
        }
    });
}

} // namespace

MouseModeButtons::MouseModeButtons(ChartWidget* chart, const std::array<Mode, 4>& modes,
                                   QWidget* parent)
    : QWidget(parent), mChart(chart), mGroup(new QButtonGroup(this)) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    mGroup->setExclusive(true);
    for (std::size_t i = 0; i < modes.size(); ++i) {
        auto* b = new QToolButton(this);
        b->setObjectName(modes[i].objectName);
        b->setToolTip(modes[i].hint);
        b->setIcon(glyph(modes[i].action));
        b->setCheckable(true);
        b->setAutoRaise(true);
        // Reachable with Tab and chosen with Space, like the window's other buttons.
        b->setFocusPolicy(Qt::StrongFocus);
        layout->addWidget(b);
        mGroup->addButton(b, static_cast<int>(i));
        mButtons[i] = b;
        const MouseAction action = modes[i].action;
        connect(b, &QToolButton::toggled, this, [this, action](bool down) {
            if (down)
                mChart->setMouseAction(action);
        });
    }
    mButtons[0]->setChecked(true);
    mChart->setMouseAction(modes[0].action);
}

} // namespace quibel
