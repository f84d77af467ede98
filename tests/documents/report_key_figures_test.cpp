// SPDX-License-Identifier: GPL-3.0-or-later
#include "documents/report_key_figures.h"
#include "tests/support/result_samples.h"

#include <gtest/gtest.h>

using namespace quibel;
using quibel::test::series;

namespace {

TBlocStatic resultsOf(AnalysisKind kind) {
    TBlocStatic m = startupModel();
    m.AnalysisKind = kind;
    m.UnitSystem = UnitSystem::MKnTon;
    m.Options.TimeStep = 0.001;
    m.Options.SaveStep = 0.01; // samples at 0, 0.01, 0.02, 0.03 s: three time decimals
    return m;
}

struct Expected {
    std::string quantity, value, unit, time;
};

void expectFigures(const std::vector<KeyFigure>& got, const std::vector<Expected>& expected) {
    ASSERT_EQ(got.size(), expected.size());
    for (std::size_t i = 0; i < got.size(); ++i) {
        SCOPED_TRACE(expected[i].quantity);
        EXPECT_EQ(got[i].quantity, expected[i].quantity);
        EXPECT_EQ(got[i].value, expected[i].value);
        EXPECT_EQ(got[i].unit, expected[i].unit);
        EXPECT_EQ(got[i].time, expected[i].time);
    }
}

} // namespace

TEST(ReportKeyFigures, SlidingPeaksResidualAndSmallestFactorAtTheirSamples) {
    TBlocStatic m = resultsOf(AnalysisKind::Sliding);
    m.SlidingDisp = series({0.0, 0.5, -1.25, 0.75});
    // The block at rest holds no factor: its 0 must not be taken for the smallest.
    m.SlidingSF = series({0.0, 2.5, 1.2, 1.5});
    m.FrictionEnergy = series({0.0, 1.0, 2.0, 3.5});
    const std::vector<KeyFigure> figures = ReportKeyFigures(m, Language::English);
    // The sliding grid writes eight decimals; the energy terms follow the three figures.
    ASSERT_GE(figures.size(), 3u);
    expectFigures({figures.begin(), figures.begin() + 3},
                  {{"Peak sliding displacement", "-1.25000000", "(m)", "0.020"},
                   {"Residual sliding displacement", "0.75000000", "(m)", "0.030"},
                   {"Smallest sliding safety factor", "1.20000000", "", "0.020"}});
    bool friction = false;
    for (const KeyFigure& f : figures)
        if (f.value == "3.50000000" && f.time == "0.030")
            friction = true;
    EXPECT_TRUE(friction) << "the friction energy at the last sample";
}

TEST(ReportKeyFigures, RockingRotationFactorAndResultantRange) {
    TBlocStatic m = resultsOf(AnalysisKind::Rocking);
    m.Rotation = series({0.0, -0.001, 0.002});
    m.OverturningSF = series({0.0, 3.0, 2.0});
    m.ResultantPosition = series({40.0, 60.0, 35.0});
    const std::vector<KeyFigure> figures = ReportKeyFigures(m, Language::French);
    ASSERT_GE(figures.size(), 3u);
    // Ten decimals in the rocking grid; no sliding figure for an analysis that does not slide.
    expectFigures({figures.begin(), figures.begin() + 3},
                  {{"Rotation maximale", "0.0020000000", "(rad)", "0.020"},
                   {"Plus petit facteur de sécurité au renversement", "2.0000000000", "", "0.020"},
                   {"Étendue de la position de la résultante", "35.0000000000 .. 60.0000000000",
                    figures[2].unit, ""}});
}

TEST(ReportKeyFigures, NoneWithoutResults) {
    EXPECT_TRUE(
        ReportKeyFigures(resultsOf(AnalysisKind::SlidingAndRocking), Language::English).empty());
}
