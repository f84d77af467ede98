// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "chart/chart_widget.h"

#include <QApplication>
#include <QMouseEvent>

// A chart of 1000 x 700 pixels with rims 40, 40, 32, 32 and the ranges 0..92 by 0..63.6: ten
// pixels per data unit, the data origin at pixel (40, 668).
inline void setUpTenPixelsPerUnit(quibel::ChartWidget& chart) {
    chart.resize(1000, 700);
    chart.setLRim(40);
    chart.setRRim(40);
    chart.setTRim(32);
    chart.setBRim(32);
    chart.setRangeLoX(0);
    chart.setRangeHiX(92);
    chart.setRangeLoY(0);
    chart.setRangeHiY(63.6);
}

// Sends a mouse event straight to the widget, as the window system would.
inline void sendMouse(QWidget& w, QEvent::Type type, QPoint at, Qt::MouseButton button,
                      Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers = {}) {
    QMouseEvent e(type, QPointF(at), QPointF(w.mapToGlobal(at)), button, buttons, modifiers);
    QApplication::sendEvent(&w, &e);
}

inline void dragWithLeftButton(QWidget& w, QPoint from, QPoint to) {
    sendMouse(w, QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
    sendMouse(w, QEvent::MouseMove, (from + to) / 2, Qt::NoButton, Qt::LeftButton);
    sendMouse(w, QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
    sendMouse(w, QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
}

// Whether the pixel is close to the colour (antialiased text and line ends blend a little).
inline bool isColour(const QImage& image, QPoint p, QColor c, int tolerance = 40) {
    const QColor got = image.pixelColor(p);
    return std::abs(got.red() - c.red()) <= tolerance &&
           std::abs(got.green() - c.green()) <= tolerance &&
           std::abs(got.blue() - c.blue()) <= tolerance;
}

// Whether some pixel within radius of p has mostly the colour's hue (thin antialiased lines).
inline bool colourNear(const QImage& image, QPoint p, QColor c, int radius = 1) {
    for (int dy = -radius; dy <= radius; ++dy)
        for (int dx = -radius; dx <= radius; ++dx)
            if (isColour(image, p + QPoint(dx, dy), c, 100))
                return true;
    return false;
}
