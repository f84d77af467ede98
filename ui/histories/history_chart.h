// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "chart/chart_enums.h"
#include "texts/text_catalogue.h"

#include <QString>

#include <array>

class QWidget;

namespace quibel {

class ChartWidget;
class MouseModeButtons;

/// The plot of a history window (a time history or its spectra): no smaller range than
/// 1e-10 on either axis, abscissaTitle under the scale, and crosshair 1 following the mouse
/// in crossLine, which reads the values under it.
ChartWidget* makeHistoryChart(QWidget* parent, const QString& abscissaTitle, GridStyle grid,
                              Qt::PenStyle crossLine);

/// The four mouse-mode buttons of a history window's chart, in the order given, each named
/// after its action ("SelectButton", "PanButton", "ZoomWindowButton", "ZoomDragButton").
MouseModeButtons* makeHistoryMouseButtons(ChartWidget* chart,
                                          const std::array<MouseAction, 4>& order,
                                          Language language, QWidget* parent);

} // namespace quibel
