// SPDX-License-Identifier: GPL-3.0-or-later
// The result grid of a rocking analysis: its 15 columns in both languages, the "%.10f" numbers
// and the energy errors with the grid's own denominators.

#include "model/project_record.h"
#include "reporting/result_grid.h"
#include "reporting/rocking_result_grid.h"

#include <gtest/gtest.h>

#include <string>

using namespace quibel;

namespace {

// Three samples of hand-made rocking results, in "ft - kip - kip".
TBlocStatic rockingResults() {
    TBlocStatic m = startupModel();
    m.AnalysisKind = AnalysisKind::Rocking;
    m.UnitSystem = UnitSystem::FtKipKip;
    m.Options.SaveStep = 0.01;
    auto series = [](double a, double b, double c) {
        TVector v(3);
        v.set(1, a);
        v.set(2, b);
        v.set(3, c);
        return v;
    };
    m.Rotation = series(0, 0.001, -0.0025);
    m.RotationVel = series(0, 0.2, -0.5);
    m.RotationAcc = series(0, 3, -4);
    m.OverturningSF = series(10, 1.5, 0.8);
    m.ResultantPosition = series(50, 12.5, 100.25);
    m.AbsInputEnergy = series(0, 200, 400);
    m.RelInputEnergy = series(0, 100, 0);
    m.PreseismicWork = series(0, 10, 20);
    m.AbsKineticEnergy = series(0, 150, 300);
    m.RelKineticEnergy = series(0, 60, 50);
    m.PotentialEnergy = series(0, 40, 30);
    m.ImpactEnergy = series(0, 5, 50);
    return m;
}

} // namespace

TEST(RockingResultGridTest, ColumnsTitlesAndUnitsInBothLanguages) {
    const TBlocStatic m = rockingResults();
    const ResultGrid en = ResultGridFor(m, Language::English);
    const ResultGrid fr = ResultGridFor(m, Language::French);
    ASSERT_EQ(en.columns.size(), 15u);
    ASSERT_EQ(fr.columns.size(), 15u);
    const char* english[] = {"Time",
                             "Rotation",
                             "Angular velocity",
                             "Angular acceleration",
                             "Overturning safety factor",
                             "Resultant position (% from U/S)",
                             "Absolute input energy",
                             "Relative input energy",
                             "Work done by pre-seismic forces",
                             "Absolute kinetic energy",
                             "Relative kinetic energy",
                             "Potential energy",
                             "Energy dissipated by impact",
                             "Absolute energy error",
                             "Relative energy error"};
    const char* french[] = {"Temps",
                            "Rotation",
                            "Vitesse angulaire",
                            "Accélération angulaire",
                            "Facteur de sécurité au renversement",
                            "Position de la résultante (% de l'amont)",
                            "Énergie sismique absolue",
                            "Énergie sismique relative",
                            "Énergie des forces pré-sismiques",
                            "Énergie cinétique absolue",
                            "Énergie cinétique relative",
                            "Énergie potentielle",
                            "Énergie dissipée par impact",
                            "Erreur énergétique absolue",
                            "Erreur énergétique relative"};
    const char* units[] = {"(sec)",    "(rad)",    "(rad/sec)", "(rad/sec²)", "",
                           "",         "(kip·ft)", "(kip·ft)",  "(kip·ft)",   "(kip·ft)",
                           "(kip·ft)", "(kip·ft)", "(kip·ft)",  "(%)",        "(%)"};
    for (std::size_t c = 0; c < 15; ++c) {
        SCOPED_TRACE("column " + std::to_string(c));
        EXPECT_EQ(en.columns[c].title, english[c]);
        EXPECT_EQ(fr.columns[c].title, french[c]);
        if (c != 5) {
            EXPECT_EQ(en.columns[c].unit, units[c]);
            EXPECT_EQ(fr.columns[c].unit, units[c]);
        }
    }
    EXPECT_EQ(en.columns[5].unit, "(% of failure plane length)");
    EXPECT_EQ(fr.columns[5].unit, "(% du plan de rupture)");
}

TEST(RockingResultGridTest, NumbersWithTenDecimalsAndGridEnergyErrors) {
    const TBlocStatic m = rockingResults();
    const ResultGrid g = RockingResultGrid(m, Language::English);
    ASSERT_EQ(g.rows(), 3);
    EXPECT_EQ(GridCellText(g.columns[0], 2, GridPrecision::Grid), "0.020");
    EXPECT_EQ(GridCellText(g.columns[1], 2, GridPrecision::Grid), "-0.0025000000");
    EXPECT_EQ(GridCellText(g.columns[5], 2, GridPrecision::Grid), "100.2500000000");
    EXPECT_EQ(GridCellText(g.columns[12], 1, GridPrecision::Grid), "5.0000000000");
    // Sample 2: |200 + 10 - 150 - 5 - 40| / 200 and |100 + 10 - 60 - 5 - 40| / 100.
    EXPECT_DOUBLE_EQ(g.columns[13].values[1], 15.0 / 200.0 * 100.0);
    EXPECT_DOUBLE_EQ(g.columns[14].values[1], 5.0);
    // Sample 3: the relative input is 0, which gives 0; sample 1 has no input at all.
    EXPECT_DOUBLE_EQ(g.columns[13].values[2], 40.0 / 400.0 * 100.0);
    EXPECT_EQ(g.columns[14].values[2], 0.0);
    EXPECT_EQ(g.columns[13].values[0], 0.0);
    EXPECT_EQ(g.columns[14].values[0], 0.0);
    const std::string csv = ResultGridCsv(g, GridPrecision::Grid);
    EXPECT_EQ(csv.substr(0, csv.find('\n')),
              "Time;Rotation;Angular velocity;Angular acceleration;Overturning safety "
              "factor;Resultant position (% from U/S);Absolute input energy;Relative input "
              "energy;Work done by pre-seismic forces;Absolute kinetic energy;Relative kinetic "
              "energy;Potential energy;Energy dissipated by impact;Absolute energy error;Relative "
              "energy error");
}
