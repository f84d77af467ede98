// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/pixel_clipping.h"

#include <gtest/gtest.h>

#include <cmath>

using quibel::clipPolygon;
using quibel::clipSegment;

namespace {
double area(const QPolygonF& p) {
    double twice = 0;
    for (qsizetype i = 0; i < p.size(); ++i) {
        const QPointF& a = p[i];
        const QPointF& b = p[(i + 1) % p.size()];
        twice += a.x() * b.y() - b.x() * a.y();
    }
    return std::fabs(twice) / 2;
}
} // namespace

TEST(PixelClippingTest, SegmentsKeepTheirPartInsideTheRectangle) {
    const QRectF box(0, 0, 100, 100);
    struct Case {
        const char* name;
        QPointF a, b;
        bool visible;
        QPointF wantA, wantB;
    };
    const Case cases[] = {
        {"inside", {10, 10}, {90, 20}, true, {10, 10}, {90, 20}},
        {"enters from the left", {-50, 50}, {50, 50}, true, {0, 50}, {50, 50}},
        {"leaves at the bottom", {50, 50}, {50, 300}, true, {50, 50}, {50, 100}},
        {"crosses corner to corner", {-50, -50}, {150, 150}, true, {0, 0}, {100, 100}},
        {"passes by", {-10, -10}, {-5, 200}, false, {}, {}},
        {"outside beyond the right", {200, 0}, {300, 50}, false, {}, {}},
        {"far pixels of a clamped point", {50, 50}, {2147483647.0, 50}, true, {50, 50}, {100, 50}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QPointF a = c.a;
        QPointF b = c.b;
        ASSERT_EQ(clipSegment(box, a, b), c.visible);
        if (!c.visible)
            continue;
        EXPECT_NEAR(a.x(), c.wantA.x(), 1e-9);
        EXPECT_NEAR(a.y(), c.wantA.y(), 1e-9);
        EXPECT_NEAR(b.x(), c.wantB.x(), 1e-9);
        EXPECT_NEAR(b.y(), c.wantB.y(), 1e-9);
    }
}

TEST(PixelClippingTest, PolygonKeepsItsPartInsideTheRectangle) {
    const QPolygonF square({{-50, -50}, {50, -50}, {50, 50}, {-50, 50}});
    EXPECT_NEAR(area(clipPolygon(square, QRectF(0, 0, 100, 100))), 2500, 1e-9);
    EXPECT_NEAR(area(clipPolygon(square, QRectF(-100, -100, 300, 300))), 10000, 1e-9);
    EXPECT_TRUE(clipPolygon(square, QRectF(60, 60, 10, 10)).isEmpty());
}
