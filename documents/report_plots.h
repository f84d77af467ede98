// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

namespace quibel {

class ChartWidget;

/// One line of a report plot: its points and its colour as 0xRRGGBB.
struct PlotLine final {
    std::vector<double> x;
    std::vector<double> y;
    unsigned colour = 0x000000;
};

/// The titles of a report plot, UTF-8.
struct PlotTitles final {
    std::string caption;
    std::string abscissa;
    std::string ordinate;
};

/// Colours of the lines of a plot with several, in order.
inline constexpr unsigned kPlotColours[] = {0x000000, 0xC00000, 0x0000C0, 0x008000,
                                            0x808000, 0x800080, 0x008080, 0x606060};

/// Sets chart up for a printed page (the size of a plot on the report's text column, dotted
/// grey grid, scales left and bottom) and draws the lines: the abscissa over the lines' whole
/// extent (xLow when given as its start), the ordinate from the smallest to the largest value
/// with 5 % of their spread beyond each (-1 to 1 when every value is 0). Values that are not
/// finite are left out.
void plotLines(ChartWidget& chart, const std::vector<PlotLine>& lines, const PlotTitles& titles);

/// A circle around the point (x, y) of a plotted chart, with label beside it.
void markPoint(ChartWidget& chart, double x, double y, const std::string& label);

} // namespace quibel
