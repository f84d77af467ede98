// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/mouse_mode_buttons.h"

#include "chart/chart_widget.h"
#include "dialog_test_support.h"

#include <QHBoxLayout>
#include <QToolButton>

#include <gtest/gtest.h>

using namespace quibel;

// The mouse-mode buttons are reached with Tab (the one down, as in any exclusive group) and
// the arrow keys choose the next mode, setting the chart's mouse action as a click does.
TEST(MouseModeButtonsTest, ModesAreChosenFromTheKeyboard) {
    QWidget window;
    auto* chart = new ChartWidget(&window);
    auto* buttons = new MouseModeButtons(chart,
                                         {{{MouseAction::None, "Read", "read"},
                                           {MouseAction::Pan, "Pan", "pan"},
                                           {MouseAction::ZoomDrag, "Drag", "drag"},
                                           {MouseAction::ZoomWindow, "Window", "window"}}},
                                         &window);
    auto* layout = new QHBoxLayout(&window);
    layout->addWidget(buttons);
    layout->addWidget(chart);
    ASSERT_TRUE(test::showActive(window));
    EXPECT_TRUE(buttons->button(0)->focusPolicy() & Qt::TabFocus);
    buttons->button(0)->setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(buttons->button(0)->hasFocus());
    for (const auto& [index, action] :
         {std::pair{1, MouseAction::Pan}, std::pair{2, MouseAction::ZoomDrag},
          std::pair{3, MouseAction::ZoomWindow}}) {
        SCOPED_TRACE(index);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
        EXPECT_EQ(QApplication::focusWidget(), buttons->button(index));
        EXPECT_TRUE(buttons->button(index)->isChecked());
        EXPECT_EQ(chart->mouseAction(), action);
    }
    // Left goes back a mode.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Left);
    EXPECT_TRUE(buttons->button(2)->isChecked());
    EXPECT_EQ(chart->mouseAction(), MouseAction::ZoomDrag);
}
