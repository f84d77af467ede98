// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace quibel {

/// What dragging the mouse over a chart does.
enum class MouseAction {
    None,       ///< the mouse only moves the crosshairs that follow it and reports its position
    Pan,        ///< dragging with the left button shifts the visible ranges with the mouse
    ZoomWindow, ///< a rectangle dragged with the left button becomes the visible ranges
    ZoomDrag,   ///< dragging widens or narrows the ranges continuously
};

/// Where the horizontal scale is drawn.
enum class XAxisPosition { Bottom, Both };

/// Where the vertical scale is drawn.
enum class YAxisPosition { Left, Both };

/// Grid lines at the major ticks.
enum class GridStyle { None, DotLines };

/// Background of texts: transparent, or filled with the chart's background colour.
enum class TextBackground { Clear, Opaque };

/// Which lines of a crosshair are shown.
enum class CrossHairMode { Off, Horizontal, Vertical, Both };

} // namespace quibel
