// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/drawn_icon.h"

#include <QPainter>
#include <QPixmap>

namespace quibel {

QIcon drawnIcon(QSize size, const QColor& colour, const std::function<void(QPainter&)>& paint) {
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(colour, 1.5));
    paint(p);
    p.end();
    return QIcon(pixmap);
}

} // namespace quibel
