// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/unit_change.h"
#include "reporting/result_grid.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

using namespace quibel;

namespace {

// A sliding result of three samples whose energies are chosen so that the errors are easy to
// work out: absolute input + pre-seismic work = 8, of which 6 are spent; relative 9, spent 7.
TVector series(const std::vector<double>& v) {
    TVector t(static_cast<int>(v.size()));
    for (int i = 1; i <= t.size(); ++i)
        t.set(i, v[static_cast<std::size_t>(i - 1)]);
    return t;
}

TBlocStatic slidingResult() {
    TBlocStatic m = startupModel();
    m.SlidingDisp = series({0, 0.001, -0.25});
    m.SlidingVel = series({0, 0.5, 0});
    m.SlidingAcc = series({0, -1, 2});
    m.SlidingSF = series({0, 5, 0.75});
    m.AbsInputEnergy = series({0, 6, 0});
    m.RelInputEnergy = series({0, 7, 0});
    m.PreseismicWork = series({0, 2, 0});
    m.AbsKineticEnergy = series({0, 3, 1});
    m.RelKineticEnergy = series({0, 4, 0});
    m.FrictionEnergy = series({0, 2, 0});
    m.PotentialEnergy = series({0, 1, 0});
    return m;
}

std::vector<std::string> row(const ResultGrid& g, int r, GridPrecision p = GridPrecision::Grid) {
    std::vector<std::string> out;
    for (const GridColumn& c : g.columns)
        out.push_back(GridCellText(c, r, p));
    return out;
}

} // namespace

TEST(ResultGridTest, SlidingGridTitlesAndUnitsInBothLanguages) {
    const TBlocStatic m = slidingResult();
    const ResultGrid en = SlidingResultGrid(m, Language::English);
    ASSERT_EQ(en.columns.size(), 14u);
    EXPECT_EQ(en.rows(), 3);
    const std::vector<std::string> titles = {"Time",
                                             "Sliding",
                                             "Sliding velocity",
                                             "Sliding acceleration",
                                             "Sliding safety factor",
                                             "Absolute input energy",
                                             "Relative input energy",
                                             "Work done by pre-seismic forces",
                                             "Absolute kinetic energy",
                                             "Relative kinetic energy",
                                             "Energy dissipated by friction",
                                             "Potential energy",
                                             "Absolute energy error",
                                             "Relative energy error"};
    const std::vector<std::string> unitRow = {"(sec)",  "(m)",    "(m/sec)", "(m/sec²)", "",
                                              "(kN·m)", "(kN·m)", "(kN·m)",  "(kN·m)",   "(kN·m)",
                                              "(kN·m)", "(kN·m)", "(%)",     "(%)"};
    for (std::size_t c = 0; c < 14; ++c) {
        EXPECT_EQ(en.columns[c].title, titles[c]);
        EXPECT_EQ(en.columns[c].unit, unitRow[c]);
    }
    const ResultGrid fr = SlidingResultGrid(m, Language::French);
    EXPECT_EQ(fr.columns[0].title, "Temps");
    EXPECT_EQ(fr.columns[3].title, "Accélération du glissement");
    EXPECT_EQ(fr.columns[4].title, "Facteur de sécurité au glissement");
    EXPECT_EQ(fr.columns[7].title, "Énergie des forces pré-sismiques");
    EXPECT_EQ(fr.columns[13].title, "Erreur énergétique relative");
}

TEST(ResultGridTest, EnergyUnitsFollowTheUnitSystem) {
    TBlocStatic m = slidingResult();
    changeUnitSystem(m, UnitSystem::InLbLb);
    const ResultGrid g = SlidingResultGrid(m, Language::English);
    EXPECT_EQ(g.columns[1].unit, "(in)");
    EXPECT_EQ(g.columns[3].unit, "(in/sec²)");
    EXPECT_EQ(g.columns[5].unit, "(lb·in)");
}

TEST(ResultGridTest, ValuesAndEnergyErrorsWithTheGridsFormats) {
    const TBlocStatic m = slidingResult();
    const ResultGrid g = SlidingResultGrid(m, Language::English);
    // The first sample (all energies 0) shows 0 in both error columns.
    EXPECT_EQ(row(g, 0)[12], "0.00000000");
    EXPECT_EQ(row(g, 0)[13], "0.00000000");
    const std::vector<std::string> second = row(g, 1);
    EXPECT_EQ(second[0], "0.010");
    EXPECT_EQ(second[1], "0.00100000");
    EXPECT_EQ(second[3], "-1.00000000");
    EXPECT_EQ(second[12], "25.00000000"); // |6 + 2 - 3 - 2 - 1| / 8
    EXPECT_EQ(second[13], "22.22222222"); // |7 + 2 - 4 - 2 - 1| / 9
    // Third sample: nothing went in, yet kinetic energy is there: the denominator is 0.
    EXPECT_EQ(row(g, 2)[12], "0.00000000");
    EXPECT_EQ(row(g, 2, GridPrecision::Full)[1], "-0.25");
    EXPECT_EQ(row(g, 2, GridPrecision::Full)[0], "0.02");
}

TEST(ResultGridTest, ColumnsViewTheStoredSeriesAndReadMissingOrShortOnesAsZeros) {
    TBlocStatic m = slidingResult();
    m.FrictionEnergy.reset();
    m.PotentialEnergy = series({0, 1});
    const ResultGrid g = SlidingResultGrid(m, Language::English);
    // A run of millions of samples is shown without a copy of its series.
    EXPECT_EQ(g.columns[1].values.begin(), m.SlidingDisp->data());
    EXPECT_EQ(g.columns[10].values, (std::vector<double>{0, 0, 0}));
    EXPECT_EQ(g.columns[11].values, (std::vector<double>{0, 1, 0}));
    // The time column is the grid's own: a copy keeps it when the grid it came from is gone.
    ResultGrid copy;
    {
        const ResultGrid original = SlidingResultGrid(m, Language::English);
        copy = original;
    }
    EXPECT_EQ(copy.columns[0].values, (std::vector<double>{0, 0.01, 0.02}));
}

TEST(ResultGridTest, TimeDecimalsFollowTheSaveStep) {
    struct Case {
        double saveStep;
        int decimals;
        const char* second;
    };
    for (const Case c : {Case{0.01, 3, "0.010"}, Case{0.001, 4, "0.0010"}, Case{0.5, 1, "0.5"},
                         Case{0.02, 3, "0.020"}, Case{2.0, 1, "2.0"}}) {
        SCOPED_TRACE(c.saveStep);
        EXPECT_EQ(TimeColumnDecimals(c.saveStep), c.decimals);
        TBlocStatic m = slidingResult();
        m.Options.SaveStep = c.saveStep;
        m.Options.TimeStep = 0.0001;
        EXPECT_EQ(row(SlidingResultGrid(m, Language::English), 1)[0], c.second);
    }
    EXPECT_EQ(TimeColumnDecimals(0), 3);
}

TEST(ResultGridTest, SamplesTakenEveryTimeStepAreTimedByTheTimeStep) {
    // A save step below the time step stores a sample at every step: the rows are one time
    // step apart.
    TBlocStatic m = slidingResult();
    m.Options.SaveStep = 0.00005;
    m.Options.TimeStep = 0.0001;
    EXPECT_EQ(row(SlidingResultGrid(m, Language::English), 2)[0], "0.00020");
}

TEST(ResultGridTest, CsvHasTitleUnitAndDataRows) {
    const TBlocStatic m = slidingResult();
    const std::string csv =
        ResultGridCsv(SlidingResultGrid(m, Language::English), GridPrecision::Grid);
    EXPECT_EQ(csv.substr(0, csv.find('\n')),
              "Time;Sliding;Sliding velocity;Sliding acceleration;Sliding safety factor;Absolute "
              "input energy;Relative input energy;Work done by pre-seismic forces;Absolute kinetic "
              "energy;Relative kinetic energy;Energy dissipated by friction;Potential "
              "energy;Absolute energy "
              "error;Relative energy error");
    EXPECT_NE(csv.find("\n(sec);(m);(m/sec);(m/sec²);;(kN·m);"), std::string::npos);
    EXPECT_NE(csv.find("\n0.000;0.00000000;0.00000000;"), std::string::npos);
    int lines = 0;
    for (const char ch : csv)
        lines += ch == '\n';
    EXPECT_EQ(lines, 5);
}

TEST(ResultGridTest, NoResultsGiveTitleAndUnitRowsOnly) {
    const TBlocStatic m = startupModel();
    const ResultGrid g = SlidingResultGrid(m, Language::English);
    EXPECT_EQ(g.columns.size(), 14u);
    EXPECT_EQ(g.rows(), 0);
}

// A long grid comes in pieces of whole lines that together are the grid's text; a piece that
// cannot be written ends the writing.
TEST(ResultGridTest, LongGridsAreWrittenInPiecesOfWholeLines) {
    const int rows = 20000;
    std::vector<double> quarters, negatives;
    for (int r = 0; r < rows; ++r) {
        quarters.push_back(r / 4.0);
        negatives.push_back(-r);
    }
    ResultGrid g;
    g.columns.push_back({"A", "(m)", 2, quarters});
    g.columns.push_back({"B", "", 0, negatives});
    std::vector<std::string> pieces;
    EXPECT_TRUE(WriteResultGridCsv(g, GridPrecision::Grid, [&](std::string_view piece) {
        pieces.emplace_back(piece);
        return true;
    }));
    ASSERT_GT(pieces.size(), 3u);
    std::string text;
    for (const std::string& piece : pieces) {
        EXPECT_EQ(piece.back(), '\n');
        EXPECT_LE(piece.size(), 70000u);
        text += piece;
    }
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), rows + 2);
    EXPECT_EQ(text.substr(0, 16), "A;B\n(m);\n0.00;0\n");
    EXPECT_NE(text.find("\n3086.25;-12345\n"), std::string::npos);
    EXPECT_TRUE(text.ends_with("\n4999.75;-19999\n"));
    EXPECT_EQ(text, ResultGridCsv(g, GridPrecision::Grid));

    int calls = 0;
    EXPECT_FALSE(WriteResultGridCsv(g, GridPrecision::Grid, [&](std::string_view) {
        ++calls;
        return calls < 3;
    }));
    EXPECT_EQ(calls, 3);
}
