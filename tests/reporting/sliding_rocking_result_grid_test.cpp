// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/run/run_driver.h"
#include "engine/sliding_rocking/analysis.h"
#include "reporting/result_grid.h"
#include "tests/engine/recording_host.h"
#include "tests/engine/sliding_rocking_models.h"

#include <gtest/gtest.h>

#include <string>

using namespace quibel;
using quibel::test::RecordingHost;

namespace {

TBlocStatic ranBlock(double phi, double amplitude, double beta) {
    TBlocStatic m = quibel::test::dryBlock(beta);
    m.AnalysisKind = AnalysisKind::SlidingAndRocking;
    m.PhiS = m.PhiD = phi;
    quibel::test::generatedSine(m.history(HistoryKind::HorizontalAcceleration), amplitude, 0.5, 1);
    RecordingHost host;
    AnalysisRun(m, host).run();
    return m;
}

} // namespace

TEST(SlidingRockingResultGridTest, TwentyOneColumnsWithTitlesAndUnits) {
    const TBlocStatic m = ranBlock(40, 1.0, 0);
    const ResultGrid grid = ResultGridFor(m, Language::English);
    ASSERT_EQ(grid.columns.size(), 21u);
    EXPECT_EQ(grid.rows(), m.Rotation->size());
    struct Expected {
        int column;
        const char* title;
        const char* unit;
    } expected[] = {
        {0, "Time", "(sec)"},
        {1, "Horizontal relative displacement at center of mass", "(m)"},
        {3, "Horizontal relative acceleration at center of mass", "(m/sec²)"},
        {4, "Sliding displacement", "(m)"},
        {7, "Rotation", "(rad)"},
        {9, "Angular acceleration", "(rad/sec²)"},
        {10, "Sliding safety factor", ""},
        {12, "Resultant position (% from U/S)", "(% of failure plane length)"},
        {13, "Absolute input energy", "(kN·m)"},
        {17, "Work done by pre-seismic forces", "(kN·m)"},
        {19, "Energy dissipated by friction", "(kN·m)"},
        {20, "Energy dissipated by impact", "(kN·m)"},
    };
    for (const Expected& e : expected) {
        SCOPED_TRACE(e.column);
        EXPECT_EQ(grid.columns[e.column].title, e.title);
        EXPECT_EQ(grid.columns[e.column].unit, e.unit);
    }
    EXPECT_EQ(grid.columns[0].decimals, 3);
    for (std::size_t c = 1; c < grid.columns.size(); ++c)
        EXPECT_EQ(grid.columns[c].decimals, 10);
    EXPECT_DOUBLE_EQ(grid.columns[0].values[10], 0.1);
    EXPECT_EQ(grid.columns[8].values,
              std::vector<double>(m.RotationVel->data(), m.RotationVel->data() + grid.rows()));

    const ResultGrid french = ResultGridFor(m, Language::French);
    EXPECT_EQ(french.columns[1].title, "Déplacement relatif horizontal au centre de masse");
    EXPECT_EQ(french.columns[19].title, "Énergie dissipée par friction");
    EXPECT_EQ(french.columns[12].unit, "(% du plan de rupture)");
}

TEST(SlidingRockingResultGridTest, WithoutRotationTheCentreMovesWithTheSliding) {
    // Sliding only (0.9 g, friction angle 35 degrees, too little to rock), on a plane inclined
    // by 4 degrees: the grid adds the sliding along the plane as it stands.
    const TBlocStatic m = ranBlock(35, 0.9, 4);
    ASSERT_EQ(m.Rotation->max(1, m.Rotation->size()), 0.0);
    const ResultGrid grid = ResultGridFor(m, Language::English);
    ASSERT_GT(m.SlidingDisp->max(1, grid.rows()) - m.SlidingDisp->min(1, grid.rows()), 0.01);
    EXPECT_EQ(grid.columns[1].values, grid.columns[4].values);
    EXPECT_EQ(grid.columns[2].values, grid.columns[5].values);
    EXPECT_EQ(grid.columns[3].values, grid.columns[6].values);
}

TEST(SlidingRockingResultGridTest, CsvUsesTenDecimals) {
    const TBlocStatic m = ranBlock(40, 1.0, 0);
    const std::string csv = ResultGridCsv(ResultGridFor(m, Language::English), GridPrecision::Grid);
    const std::size_t third = csv.find('\n', csv.find('\n') + 1) + 1;
    EXPECT_EQ(csv.substr(third, 20), "0.000;0.0000000000;0");
}
