// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "chart/chart_enums.h"

#include <QColor>
#include <QString>

#include <vector>

namespace quibel {

/// One line of a chart's legend: a stroke of the series' colour and its name.
struct LegendEntry final {
    QString Text;
    QColor Color;
    bool operator==(const LegendEntry&) const = default;
};

/// The look of a chart outside its display list: titles, scales, grid, text placement and
/// colours. Sizes of texts are in points of the screen the chart was made for.
struct ChartAppearance final {
    QString IdAbscissa; ///< title of the horizontal axis, under its scale at the right
    QString IdOrdinate; ///< title of the vertical axis, above its scale at the left
    QString Caption;    ///< centred above the plotting area
    XAxisPosition XAxisPos = XAxisPosition::Bottom;
    YAxisPosition YAxisPos = YAxisPosition::Left;
    GridStyle Grid = GridStyle::None;
    QColor GridColor = Qt::gray;
    int DecPlaceX = -1; ///< decimals of the horizontal scale labels; negative: from the tick step
    int DecPlaceY = -1;
    int MinTickX = 4; ///< least number of intervals between major ticks
    int MinTickY = 4;
    bool ShortTicksX = true; ///< short ticks between the major ones
    bool ShortTicksY = true;
    /// Horizontal placement of texts of the display list about their point: Qt::AlignLeft,
    /// Qt::AlignHCenter or Qt::AlignRight. Texts are always centred vertically.
    Qt::Alignment TextAlignment = Qt::AlignLeft;
    TextBackground TextBkStyle = TextBackground::Clear;
    QColor BackgroundColor = Qt::white; ///< the whole chart, rims included
    QColor ScaleColor = Qt::black;      ///< frame, ticks, labels and titles
    int ScaleFontSize = 8;              ///< points
    int CaptionFontSize = 10;           ///< points, bold
    /// Drawn in a box at the top right of the plotting area, one line per entry; none when
    /// empty.
    std::vector<LegendEntry> Legend;

    bool operator==(const ChartAppearance&) const = default;
};

} // namespace quibel
