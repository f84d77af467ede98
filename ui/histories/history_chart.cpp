// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/histories/history_chart.h"

#include "chart/chart_widget.h"
#include "ui/widgets/mouse_mode_buttons.h"
#include "ui/widgets/ui_text.h"

namespace quibel {

ChartWidget* makeHistoryChart(QWidget* parent, const QString& abscissaTitle, GridStyle grid,
                              Qt::PenStyle crossLine) {
    auto* chart = new ChartWidget(parent);
    chart->setObjectName(QStringLiteral("Chart"));
    chart->setMinRangeX(1e-10);
    chart->setMinRangeY(1e-10);
    chart->setIdAbscissa(abscissaTitle);
    chart->setGridStyle(grid);
    chart->setGridColor(Qt::gray);
    CrossHair cross;
    cross.Mode = CrossHairMode::Both;
    cross.LineType = crossLine;
    cross.FollowsMouse = true;
    chart->setCrossHair(1, cross);
    return chart;
}

MouseModeButtons* makeHistoryMouseButtons(ChartWidget* chart,
                                          const std::array<MouseAction, 4>& order,
                                          Language language, QWidget* parent) {
    auto mode = [language](MouseAction action) -> MouseModeButtons::Mode {
        switch (action) {
        case MouseAction::None:
            return {action, QStringLiteral("SelectButton"),
                    uiText(language, "ui.history.mouse.none")};
        case MouseAction::Pan:
            return {action, QStringLiteral("PanButton"), uiText(language, "ui.history.mouse.pan")};
        case MouseAction::ZoomWindow:
            return {action, QStringLiteral("ZoomWindowButton"),
                    uiText(language, "ui.history.mouse.zoom_window")};
        case MouseAction::ZoomDrag:
            break;
        }
        return {action, QStringLiteral("ZoomDragButton"),
                uiText(language, "ui.history.mouse.zoom_drag")};
    };
    return new MouseModeButtons(
        chart, {mode(order[0]), mode(order[1]), mode(order[2]), mode(order[3])}, parent);
}

} // namespace quibel
