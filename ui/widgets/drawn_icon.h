// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QIcon>
#include <QSize>

#include <functional>

class QPainter;

namespace quibel {

/// An icon of size pixels that paint draws with an antialiased pen of colour, 1.5 pixels
/// wide, on a transparent background, so that tool buttons need no image files.
QIcon drawnIcon(QSize size, const QColor& colour, const std::function<void(QPainter&)>& paint);

} // namespace quibel
