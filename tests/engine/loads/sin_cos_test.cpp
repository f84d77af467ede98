// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/loads/sin_cos.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

using namespace quibel;

namespace {

// A rotation of ±0 keeps its sign in the sine, as the library's sin does; other angles give
// the known values.
TEST(SinCosTest, GivesTheAngleFunctionsAndTheSignOfAZeroRotation) {
    const double pi = std::numbers::pi;
    struct Case {
        double angle, sine, cosine;
    };
    for (const Case& c :
         {Case{0.0, 0.0, 1.0}, Case{-0.0, -0.0, 1.0}, Case{pi / 6, 0.5, 0.8660254037844386},
          Case{-pi / 2, -1.0, 0.0}, Case{pi, 0.0, -1.0}}) {
        const SinCos sc = sinCos(c.angle);
        EXPECT_NEAR(sc.sin, c.sine, 1e-15) << c.angle;
        EXPECT_NEAR(sc.cos, c.cosine, 1e-15) << c.angle;
        EXPECT_EQ(std::signbit(sc.sin), std::signbit(c.sine)) << c.angle;
        EXPECT_NEAR(cosOf(c.angle), c.cosine, 1e-15) << c.angle;
    }
}

// The remembered functions are the library's own, following every change of the angle down to
// the sign of a zero.
TEST(SinCosTest, RememberedFunctionsFollowEveryChangeOfTheAngle) {
    RememberedSinCos remembered;
    const double angles[] = {0.3, 0.3, -0.0, 0.0, 0.3, 1.2};
    for (const double a : angles) {
        const SinCos sc = remembered.of(a);
        EXPECT_EQ(sc.sin, std::sin(a)) << a;
        EXPECT_EQ(sc.cos, std::cos(a)) << a;
        EXPECT_EQ(std::signbit(sc.sin), std::signbit(a)) << a;
    }
}

} // namespace
