// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/block_section.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>

using namespace quibel;

namespace {
// Area, centroid and polar moment of a simple polygon by Green's theorem, an independent way to
// the three-part decomposition of the outline.
struct PolygonMoments {
    double area = 0, xc = 0, yc = 0, polarAtCentroid = 0;
};

PolygonMoments polygonMoments(const std::array<std::array<double, 2>, 5>& p) {
    double a2 = 0, sx = 0, sy = 0, ixx = 0, iyy = 0;
    for (std::size_t i = 0; i < p.size(); ++i) {
        const auto& [x0, y0] = p[i];
        const auto& [x1, y1] = p[(i + 1) % p.size()];
        const double cross = x0 * y1 - x1 * y0;
        a2 += cross;
        sx += (x0 + x1) * cross;
        sy += (y0 + y1) * cross;
        ixx += (y0 * y0 + y0 * y1 + y1 * y1) * cross;
        iyy += (x0 * x0 + x0 * x1 + x1 * x1) * cross;
    }
    PolygonMoments m;
    m.area = a2 / 2;
    m.xc = sx / (3 * a2);
    m.yc = sy / (3 * a2);
    m.polarAtCentroid = (ixx + iyy) / 12 - m.area * (m.xc * m.xc + m.yc * m.yc);
    if (m.area < 0) { // clockwise outline
        m.area = -m.area;
        m.polarAtCentroid = -m.polarAtCentroid;
    }
    return m;
}
} // namespace

TEST(BlockSectionTest, RectangularBlockMatchesClosedForm) {
    // d = b, c = a, e = 0: M = gamma T a b, centre in the middle, Im = M (a² + b²) / 12.
    const BlockSectionInput in{2.4, 20, 16, 20, 16, 0, 1.5};
    const BlockSectionResult r = ComputeBlockSection(in);
    ASSERT_EQ(r.problem, BlockSectionProblem::None);
    const double mass = 2.4 * 1.5 * 20 * 16;
    EXPECT_DOUBLE_EQ(r.properties.M, mass);
    EXPECT_DOUBLE_EQ(r.properties.Xc, 8);
    EXPECT_DOUBLE_EQ(r.properties.Yc, 10);
    EXPECT_NEAR(r.properties.Im, mass * (400 + 256) / 12, 1e-9 * mass * 656);
    EXPECT_EQ(r.properties.Beta, 0.0);
}

TEST(BlockSectionTest, ToeBelowHeelByHand) {
    // a = 10, d = b = 4, c = a + e = 12, e = 2: the trapezoid (0,0) (0,10) (4,10) (4,-2), a
    // 4 x 12 rectangle less the triangle (0,-2) (0,0) (4,-2): area 44, centre
    // ((96 - 16/3) / 44, (192 + 16/3) / 44), base sloping down at atan(-1/2).
    const BlockSectionResult r = ComputeBlockSection({1, 10, 4, 12, 4, 2, 1});
    ASSERT_EQ(r.problem, BlockSectionProblem::None);
    EXPECT_DOUBLE_EQ(r.properties.M, 44);
    EXPECT_DOUBLE_EQ(r.properties.Xc, (96 - 16.0 / 3) / 44);
    EXPECT_DOUBLE_EQ(r.properties.Yc, (192 + 16.0 / 3) / 44);
    EXPECT_DOUBLE_EQ(r.properties.Beta, std::atan(-0.5));
    EXPECT_LT(r.properties.Beta, 0.0);
}

TEST(BlockSectionTest, DecompositionAgreesWithThePolygonIntegrals) {
    struct Case {
        double a, b, c, d, e;
    } cases[] = {
        {20, 16, 4, 5, 0},      // usual section, horizontal base
        {20, 16, 4, 5, 1.5},    // toe below the heel
        {20, 16, 4, 5, -1.5},   // toe above the heel
        {10, 8, 0, 0, 0},       // pure triangle
        {10, 8, 9, 3, -1},      // vertical face down to the level of a raised toe
        {30, 25, 30.1, 6, 0.5}, // vertical face ending just above the base line
    };
    const double gamma = 2.4, thickness = 2;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.a << " " << c.b << " " << c.c << " " << c.d << " " << c.e);
        const BlockSectionResult r =
            ComputeBlockSection({gamma, c.a, c.b, c.c, c.d, c.e, thickness});
        ASSERT_EQ(r.problem, BlockSectionProblem::None);
        const PolygonMoments p =
            polygonMoments({{{0, 0}, {0, c.a}, {c.d, c.a}, {c.d, c.a - c.c}, {c.b, -c.e}}});
        EXPECT_NEAR(r.properties.M, gamma * thickness * p.area, 1e-9 * r.properties.M);
        EXPECT_NEAR(r.properties.Xc, p.xc, 1e-9 * c.b);
        EXPECT_NEAR(r.properties.Yc, p.yc, 1e-9 * c.a);
        EXPECT_NEAR(r.properties.Im, gamma * thickness * p.polarAtCentroid, 1e-9 * r.properties.Im);
        EXPECT_DOUBLE_EQ(r.properties.Beta, std::atan(-c.e / c.b));
    }
}

TEST(BlockSectionTest, RefusesZeroValuesAndOutlinesWithoutMeaning) {
    struct Case {
        BlockSectionInput in;
        BlockSectionProblem problem;
    } cases[] = {
        {{2.4, 0, 16, 0, 5, 0, 1}, BlockSectionProblem::ZeroValue},
        {{2.4, 20, 0, 0, 0, 0, 1}, BlockSectionProblem::ZeroValue},
        {{0, 20, 16, 4, 5, 0, 1}, BlockSectionProblem::ZeroValue},
        {{2.4, 20, 16, 4, 17, 0, 1}, BlockSectionProblem::CrestWiderThanBase},
        {{2.4, 20, 16, 21, 5, 0.5, 1}, BlockSectionProblem::FaceBelowToe},
        // Toe 4 below the heel, the vertical face ends at -3, under the base line (-1.25 there).
        {{2.4, 20, 16, 23, 5, 4, 1}, BlockSectionProblem::FaceCrossesBase},
        // No crest and a vertical face down to the heel: the outline is a line.
        {{2.4, 20, 16, 20, 0, 3, 1}, BlockSectionProblem::NoArea},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "a=" << c.in.A << " d=" << c.in.D << " c=" << c.in.C);
        EXPECT_EQ(ComputeBlockSection(c.in).problem, c.problem);
    }
}
