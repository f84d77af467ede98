// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "chart/chart_enums.h"

#include <QString>
#include <QWidget>

#include <array>

class QButtonGroup;
class QToolButton;

namespace quibel {

class ChartWidget;

/// A row of four exclusive tool buttons that set the mouse action of a chart: read values,
/// pan, zoom to a window, zoom by dragging. The first button is down at first.
class MouseModeButtons final : public QWidget {
    Q_OBJECT
public:
    struct Mode {
        MouseAction action;
        QString objectName; ///< for tests and style sheets
        QString hint;       ///< tool tip
    };

    /// modes in the order of the buttons; chart's mouse action is set to the first one.
    MouseModeButtons(ChartWidget* chart, const std::array<Mode, 4>& modes,
                     QWidget* parent = nullptr);

    QToolButton* button(int index) const { return mButtons.at(static_cast<std::size_t>(index)); }

private:
    ChartWidget* mChart;
    QButtonGroup* mGroup = nullptr;
    std::array<QToolButton*, 4> mButtons{};
};

} // namespace quibel
