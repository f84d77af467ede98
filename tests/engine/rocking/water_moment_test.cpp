// SPDX-License-Identifier: GPL-3.0-or-later
// The moment of the reservoir on a rotated block (RockingWaterMoment) where the water leaves the
// lifted heel or stands over the crest: integrals of the hydrostatic pressure worked out by
// hand, and WaterLoads, which forms the same pressures from the rotated geometry.

#include "engine/loads/load_model.h"
#include "engine/loads/water_loads.h"
#include "engine/run/si_model.h"
#include "model/project_record.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>

using namespace quibel;

namespace {

constexpr double kG = 9.807;

// The start-up dam: heel at 10 m, H = 20 m, B = 16 m, T = 1 m, U = 1330 kN at 5.33 m.
TBlocStatic dam(double hr, std::uint8_t upliftDown = 1, double beta = 0.0) {
    TBlocStatic m = startupModel();
    m.Hr = hr;
    m.Beta = beta;
    m.Options.UpliftDown = upliftDown;
    return m;
}

double waterMoment(const TBlocStatic& m, double theta) {
    const SiModel si = MakeSiModel(m);
    return RockingWaterMoment(MakeLoadModel(m, si), theta, 0.0);
}

WaterLoadsResult waterLoads(const TBlocStatic& m, double theta) {
    const SiModel si = MakeSiModel(m);
    return WaterLoads(MakeLoadModel(m, si), theta, 0.0, 0.0);
}

} // namespace

// Rocking about the toe lifts the heel by B |sin(theta)|. Once the heel is out of the water the
// face carries no pressure (a negative depth must not enter the cube of the face moment), and
// the full reservoir uplift is the triangle from 0 at the heel to hw at the toe, whose moment
// about the toe is gamma T Lb² hw / 6.
TEST(RockingWaterMomentTest, HeelOutOfTheWaterHasNoPressure) {
    struct Case {
        double hr; // reservoir level: hw = Hr - 10 m
        double theta;
        std::uint8_t upliftDown;
        double expected;
    };
    const Case cases[] = {
        {12.0, -0.2, 0, 0.0},                       // hw = 2 m, heel 3.2 m up: dry face
        {10.0, -0.1, 0, 0.0},                       // hw = 0 exactly: no water at all
        {10.0, -0.1, 2, 0.0},                       // nor under the base
        {12.0, -0.2, 1, -1330.0 * (16.0 - 5.33)},   // only the uplift kept from rest
        {12.0, -0.2, 2, -kG * 16.0 * 16.0 * 2 / 6}, // triangle of the base pressure
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("Hr = " + std::to_string(c.hr) +
                     ", UpliftDown = " + std::to_string(c.upliftDown));
        const TBlocStatic m = dam(c.hr, c.upliftDown);
        EXPECT_NEAR(waterMoment(m, c.theta), c.expected, 1e-9 * (1.0 + std::fabs(c.expected)));
        // On a horizontal plane WaterLoads lifts the heel by the same amount.
        EXPECT_NEAR(waterLoads(m, c.theta).momentToe, c.expected,
                    1e-9 * (1.0 + std::fabs(c.expected)));
    }
}

// Full reservoir pressure under the base of a block on a plane inclined by 4 degrees, just
// after it left the plane: linear from gamma hw at the heel to gamma (hw - B tan(beta)) at the
// toe, its moment about the toe is -gamma T Lb² ((hw - B tan(beta)) / 6 + hw / 3), that is
// -gamma T (hw B² / (2 cb²) - B³ tan(beta) / (6 cb²)), as WaterLoads gives it.
TEST(RockingWaterMomentTest, FullReservoirUpliftOnAnInclinedPlaneIsTheIntegralOfThePressure) {
    const double beta = 4.0 * std::numbers::pi / 180.0;
    const double cb = std::cos(beta), tb = std::tan(beta);
    const double theta = -1e-9;
    const double Lb = 16.0 / cb, hw = 18.0;
    const double uplift = -kG * Lb * Lb * ((hw - 16.0 * tb) / 6.0 + hw / 3.0);
    EXPECT_NEAR(uplift, -kG * (hw * 256.0 / (2 * cb * cb) - 4096.0 * tb / (6 * cb * cb)), 1e-9);
    // The uplift alone: the moment with full reservoir pressure less the one without uplift.
    const double rocking =
        waterMoment(dam(28.0, 2, 4.0), theta) - waterMoment(dam(28.0, 0, 4.0), theta);
    EXPECT_NEAR(rocking, uplift, 1e-6 * std::fabs(uplift));
    const double loads = waterLoads(dam(28.0, 2, 4.0), theta).momentToe -
                         waterLoads(dam(28.0, 0, 4.0), theta).momentToe;
    EXPECT_NEAR(loads, uplift, 1e-6 * std::fabs(uplift));
}

// A reservoir above the crest (hw = 25 m > H = 20 m) covers the whole rotated face. The moment
// of the pressure gamma (d - z cos(theta)) over the face length H, -gamma T (d H² / 2 - cos(theta)
// H³ / 3) with d the depth at the heel, is finite at every rotation and tends to the moment of
// the static trapezoidal thrust as theta -> 0, on both sides.
TEST(RockingWaterMomentTest, SubmergedFaceTendsToTheStaticMoment) {
    const double hw = 25.0, H = 20.0;
    const double rest = -kG * (hw * H * H / 2.0 - H * H * H / 3.0);
    const TBlocStatic m = dam(35.0, 0);
    for (const double theta : {1e-12, 1e-8, 1e-4, 0.01, 0.1, -1e-12, -1e-8, -1e-4, -0.01, -0.1}) {
        SCOPED_TRACE("theta = " + std::to_string(theta));
        const double d = theta > 0.0 ? hw : hw + 16.0 * std::sin(theta);
        const double expected = -kG * (d * H * H / 2.0 - std::cos(theta) * H * H * H / 3.0);
        const double moment = waterMoment(m, theta);
        ASSERT_TRUE(std::isfinite(moment));
        EXPECT_NEAR(moment, expected, 1e-9 * std::fabs(expected));
        if (std::fabs(theta) <= 1e-8) {
            EXPECT_NEAR(moment, rest, 1e-6 * std::fabs(rest));
            const WaterLoadsResult w = waterLoads(m, theta);
            EXPECT_NEAR(theta > 0 ? w.momentHeel : w.momentToe, rest, 1e-6 * std::fabs(rest));
        }
    }
}

// Below the crest the water moment about the heel stays as it was: the wetted length hw / cos
// theta until the top of the face reaches the surface at arccos(hw / H), then the whole face and
// the water over the crest, continuous across that angle.
TEST(RockingWaterMomentTest, FaceBelowTheSurfaceIsContinuousWhereItsTopGoesUnder) {
    const TBlocStatic m = dam(28.0, 0); // hw = 18 m, H = 20 m
    const double critical = std::acos(18.0 / 20.0);
    const double below = waterMoment(m, critical * (1 - 1e-9));
    const double above = waterMoment(m, critical * (1 + 1e-9));
    EXPECT_NEAR(below, above, 1e-5 * std::fabs(below));
    const double c = std::cos(0.1);
    EXPECT_NEAR(waterMoment(m, 0.1), -kG * 18 * 18 * 18 / (6 * c * c), 1e-9);
}
