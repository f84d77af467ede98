// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QString>

#include <memory>

namespace quibel {

class ChartSeries;

/// Kinds of drawing elements a chart keeps.
enum class DisplayElementKind {
    MoveTo,  ///< moves the pen to (X1, Y1), data
    DrawTo,  ///< line from the pen to (X1, Y1), data; the pen moves there
    Line,    ///< line from (X1, Y1) to (X2, Y2), data; the pen stays
    MoveBy,  ///< moves the pen by (Dx, Dy) whole pixels, y growing downward
    DrawBy,  ///< line from the pen by (Dx, Dy) whole pixels; the pen moves there
    Text,    ///< Text at (X1, Y1), data, FontSize points
    Ellipse, ///< ellipse centred at (X1, Y1) with radii (X2, Y2), data
    Series,  ///< the samples of Series as a line; the pen ends at its last sample
};

/// One element of a chart's display list with the attributes current when it was added.
/// Data coordinates are kept so that a zoom, pan, resize or copy redraws it at the new scale;
/// pixel offsets are replayed from the pen's pixel position at paint time.
struct DisplayElement final {
    DisplayElementKind Kind = DisplayElementKind::MoveTo;
    double X1 = 0.0; ///< data: the point, the first point or the centre
    double Y1 = 0.0;
    double X2 = 0.0; ///< data: the second point of a line, or the radii of an ellipse
    double Y2 = 0.0;
    int Dx = 0; ///< pixels, MoveBy and DrawBy
    int Dy = 0; ///< pixels, y growing downward
    QString Text;
    int FontSize = 0; ///< points
    QColor Color;     ///< outline and text colour
    QColor FillColor; ///< fill of an ellipse
    Qt::PenStyle PenStyle = Qt::SolidLine;
    int LineWidth = 1;                         ///< pixels
    std::shared_ptr<const ChartSeries> Series; ///< DisplayElementKind::Series

    bool operator==(const DisplayElement&) const = default;
};

} // namespace quibel
