// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "chart/chart_enums.h"

#include <QColor>

namespace quibel {

/// One of the four crosshairs of a chart: a horizontal line at PosY and/or a vertical line at
/// PosX across the plotting area, drawn over the display list.
struct CrossHair final {
    CrossHairMode Mode = CrossHairMode::Off;
    QColor Color = Qt::black;
    Qt::PenStyle LineType = Qt::SolidLine;
    int LineWid = 1;   ///< pixels
    double PosX = 0.0; ///< data abscissa of the vertical line
    double PosY = 0.0; ///< data ordinate of the horizontal line
    /// When set, the mouse carries the crosshair in MouseAction::None (the readout cursor of a
    /// plot); otherwise only the program places it.
    bool FollowsMouse = false;

    bool operator==(const CrossHair&) const = default;
};

} // namespace quibel
