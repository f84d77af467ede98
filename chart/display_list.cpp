// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/display_list.h"

#include <cmath>

namespace quibel {

DisplayElement& DisplayList::add(DisplayElementKind kind) {
    DisplayElement& e = mElements.emplace_back();
    e.Kind = kind;
    e.Color = mDataColor;
    e.FillColor = mFillColor;
    e.PenStyle = mPenStyle;
    e.LineWidth = mLineWidth;
    return e;
}

DisplayElement& DisplayList::add(DisplayElementKind kind, double x1, double y1, double x2,
                                 double y2) {
    DisplayElement& e = add(kind);
    e.X1 = x1;
    e.Y1 = y1;
    e.X2 = x2;
    e.Y2 = y2;
    return e;
}

void DisplayList::addStep(DisplayElementKind kind, int dx, int dy) {
    DisplayElement& e = add(kind);
    e.Dx = dx;
    e.Dy = dy;
}

void DisplayList::moveTo(double x, double y) {
    add(DisplayElementKind::MoveTo, x, y);
}

void DisplayList::drawTo(double x, double y) {
    add(DisplayElementKind::DrawTo, x, y);
}

void DisplayList::line(double x1, double y1, double x2, double y2) {
    add(DisplayElementKind::Line, x1, y1, x2, y2);
}

void DisplayList::moveBy(int dx, int dy) {
    addStep(DisplayElementKind::MoveBy, dx, dy);
}

void DisplayList::drawBy(int dx, int dy) {
    addStep(DisplayElementKind::DrawBy, dx, dy);
}

void DisplayList::textAt(double x, double y, const QString& text, int fontSize) {
    DisplayElement& e = add(DisplayElementKind::Text, x, y);
    // Cutting between the halves of a surrogate pair would leave half a character.
    int n = std::min<int>(kMaxTextLength, static_cast<int>(text.size()));
    if (n > 0 && n < text.size() && text.at(n - 1).isHighSurrogate())
        --n;
    e.Text = text.left(n);
    e.FontSize = fontSize;
}

void DisplayList::ellipseAt(double xc, double yc, double rx, double ry) {
    add(DisplayElementKind::Ellipse, xc, yc, std::fabs(rx), std::fabs(ry));
}

void DisplayList::series(std::shared_ptr<const ChartSeries> samples) {
    if (samples)
        add(DisplayElementKind::Series).Series = std::move(samples);
}

} // namespace quibel
