#pragma once

namespace quibel {

/// What dragging the mouse over a chart does.
enum class TMouseAction {
    maNone,        ///< the mouse only moves the crosshairs that follow it and reports its position
    maPan,         ///< dragging with the left button shifts the visible ranges with the mouse
    maZoomWindPos, ///< a rectangle dragged with the left button becomes the visible ranges
    maZoomDrag,    ///< dragging widens or narrows the ranges continuously
};

/// Where the horizontal scale is drawn.
enum class TXAxisPos { xapBottom, xapBoth };

/// Where the vertical scale is drawn.
enum class TYAxisPos { yapLeft, yapBoth };

/// Grid lines at the major ticks.
enum class TGridStyle { gsNone, gsDotLines };

/// Background of texts: transparent, or filled with the chart's background colour.
enum class TTextBkStyle { tbClear, tbOpaque };

/// Which lines of a crosshair are shown.
enum class TCrossHairMode { chOff, chHoriz, chVert, chBoth };

} // namespace quibel
