// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/display_list.h"

#include <gtest/gtest.h>

using quibel::DisplayElement;
using quibel::DisplayElementKind;
using quibel::DisplayList;

TEST(DisplayListTest, EachElementKeepsTheAttributesCurrentWhenAdded) {
    DisplayList list;
    list.setDataColor(Qt::red);
    list.setFillColor(Qt::yellow);
    list.setPenStyle(Qt::DashLine);
    list.setLineWidth(3);
    list.moveTo(1, 2);
    list.drawTo(3, 4);
    list.setDataColor(Qt::blue);
    list.setLineWidth(0);
    list.ellipseAt(5, 6, -1, 2);

    ASSERT_EQ(list.elements().size(), 3u);
    const DisplayElement& draw = list.elements()[1];
    EXPECT_EQ(draw.Kind, DisplayElementKind::DrawTo);
    EXPECT_EQ(draw.Color, QColor(Qt::red));
    EXPECT_EQ(draw.FillColor, QColor(Qt::yellow));
    EXPECT_EQ(draw.PenStyle, Qt::DashLine);
    EXPECT_EQ(draw.LineWidth, 3);
    const DisplayElement& ellipse = list.elements()[2];
    EXPECT_EQ(ellipse.Color, QColor(Qt::blue));
    EXPECT_EQ(ellipse.LineWidth, 1);
    EXPECT_EQ(ellipse.X2, 1); // radii are lengths
    EXPECT_EQ(ellipse.Y2, 2);
}

TEST(DisplayListTest, ClearingKeepsTheAttributes) {
    DisplayList list;
    list.setDataColor(Qt::green);
    list.line(0, 0, 1, 1);
    list.clear();
    EXPECT_TRUE(list.empty());
    list.moveBy(2, -3);
    EXPECT_EQ(list.elements()[0].Color, QColor(Qt::green));
    EXPECT_EQ(list.elements()[0].Dx, 2);
    EXPECT_EQ(list.elements()[0].Dy, -3);
}

TEST(DisplayListTest, TextIsCutToFifteenCharacters) {
    const struct {
        QString text;
        QString kept;
    } cases[] = {
        {"", ""},
        {"F(t)", "F(t)"},
        {"123456789012345", "123456789012345"},
        {"1234567890123456", "123456789012345"},
        {"   1500.000 kN and more", "   1500.000 kN "},
        {QString(20, QChar(0x00E9)), QString(15, QChar(0x00E9))},
        // A character outside the basic plane is never cut in half.
        {QString(14, 'a') + QString::fromUcs4(U"\U0001D453"), QString(14, 'a')},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        DisplayList list;
        list.textAt(1, 2, c.text, 12);
        EXPECT_EQ(list.elements()[0].Text, c.kept);
        EXPECT_EQ(list.elements()[0].FontSize, 12);
    }
}
