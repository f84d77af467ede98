// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "chart/chart_appearance.h"
#include "chart/chart_scale.h"
#include "chart/cross_hair.h"
#include "chart/display_list.h"

#include <array>

class QPainter;

namespace quibel {

/// The one routine that paints a chart, used alike for the screen, the clipboard, printing and
/// every file export, so that they all show the same picture.
///
/// It paints in the chart's pixels, (0, 0) to (scale.width(), scale.height()); a caller with
/// another device maps those onto it with the painter's transformation. Pixel offsets of the
/// display list are chart pixels, so they scale with the picture. Points convert to pixels at
/// screenDpi, the pixel density of the screen the chart is shown on.
///
/// Order: background, grid, display list and crosshairs (both clipped to the plotting
/// area), then frame, scales, axis titles, caption and legend.
void paintChart(QPainter& painter, const ChartScale& scale, const ChartAppearance& appearance,
                const DisplayList& list, const std::array<CrossHair, 4>& crossHairs,
                double screenDpi);

} // namespace quibel
