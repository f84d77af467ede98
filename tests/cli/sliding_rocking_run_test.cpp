// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/command_line.h"
#include "cli/run_command.h"
#include "engine/run/number_text.h"
#include "engine/run/run_driver.h"
#include "engine/run/run_host.h"
#include "model/model_flags.h"
#include "tests/cli/cli_test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace quibel;

namespace {

// The start-up block without water as a sliding-and-rocking analysis, under one second of a
// 1 g sine of 0.5 s period: it slides (friction angle 40 degrees) and rocks.
TBlocStatic slidingRockingProject() {
    TBlocStatic m = startupModel();
    m.AnalysisKind = AnalysisKind::SlidingAndRocking;
    m.Hr = 0;
    m.U = 0;
    m.PhiS = m.PhiD = 40;
    m.Options.Translational = 1;
    m.ModelFlags = ModelFlag::GeometryComplete | ModelFlag::HorizontalAccDefined;
    TimeHistoryRecord& h = m.history(HistoryKind::HorizontalAcceleration);
    h.Source = HistorySource::Generated;
    h.Terms = {};
    h.Terms[0] = {TermShape::Sine, 1.0, 0.5, 0, 0, 1.0, 1};
    h.Duration = 1.0;
    return m;
}

class SlidingRockingRunCommandTest : public test::CliFolderTest {
protected:
    int run(const std::vector<std::string>& args, Language lang = Language::English) {
        const test::CliResult r = test::runCli(cli::runRunCommand, args, lang);
        mOut = r.out;
        mErr = r.err;
        return r.code;
    }

    std::string mOut, mErr;
};

} // namespace

TEST_F(SlidingRockingRunCommandTest, WritesTheTwentyOneColumnGrid) {
    const TBlocStatic project = slidingRockingProject();
    ASSERT_EQ(run({save(project)}), cli::Success);
    EXPECT_EQ(mErr, "");
    const auto rows = test::semicolonCells(mOut);
    ASSERT_EQ(rows.size(), 2u + 101u);
    ASSERT_EQ(rows[0].size(), 21u);
    EXPECT_EQ(rows[0][1], "Horizontal relative displacement at center of mass");
    EXPECT_EQ(rows[0][20], "Energy dissipated by impact");
    EXPECT_EQ(rows[1][4], "(m)");
    EXPECT_EQ(rows[1][13], "(kN·m)");

    // The same run made here: every cell is its value with ten decimals.
    TBlocStatic m = project;
    SilentRunHost host;
    AnalysisRun(m, host).run();
    ASSERT_GT(m.Rotation->max(), 1e-4);
    ASSERT_GT(m.SlidingDisp->max(), 0.01);
    for (int k = 1; k <= 101; ++k) {
        const auto& row = rows[static_cast<std::size_t>(k + 1)];
        ASSERT_EQ(row.size(), 21u);
        EXPECT_EQ(row[0], fixedText((k - 1) * 0.01, 3));
        EXPECT_EQ(row[4], fixedText(m.SlidingDisp->get(k), 10));
        EXPECT_EQ(row[7], fixedText(m.Rotation->get(k), 10));
        EXPECT_EQ(row[19], fixedText(m.FrictionEnergy->get(k), 10));
    }
}

TEST_F(SlidingRockingRunCommandTest, FrenchTitles) {
    ASSERT_EQ(run({save(slidingRockingProject())}, Language::French), cli::Success);
    const auto rows = test::semicolonCells(mOut);
    EXPECT_EQ(rows[0][0], "Temps");
    EXPECT_EQ(rows[0][4], "Glissement");
    EXPECT_EQ(rows[0][17], "Énergie des forces pré-sismiques");
    EXPECT_EQ(rows[1][12], "(% du plan de rupture)");
}

TEST_F(SlidingRockingRunCommandTest, MasslessBlockIsRefused) {
    TBlocStatic m = slidingRockingProject();
    m.M = 0;
    EXPECT_EQ(run({save(m)}), cli::PreconditionFailed);
    EXPECT_EQ(mErr, "Block is massless!\n");
    EXPECT_EQ(mOut, "");
}

TEST_F(SlidingRockingRunCommandTest, LossOfContactAnsweredStopEndsTheRun) {
    // An upward ground acceleration of 1.5 g lifts the block off the plane at about 0.1 s.
    TBlocStatic m = slidingRockingProject();
    TimeHistoryRecord& v = m.history(HistoryKind::VerticalAcceleration);
    v.Source = HistorySource::Generated;
    v.Terms = {};
    v.Terms[0] = {TermShape::Sine, -1.5, 1.0, 0, 0, 1.0, 1};
    v.Duration = 1.0;
    ASSERT_EQ(run({save(m), "--on-question", "stop"}), cli::Success);
    EXPECT_EQ(mErr.rfind("Question: Block is no longer in contatc with lower section of the "
                         "dam.\nIt is recommended to stop the analysis.\nAnswer: stop\n",
                         0),
              0u)
        << mErr;
    const auto rows = test::semicolonCells(mOut);
    EXPECT_LT(rows.size(), 2u + 101u);
    EXPECT_GT(rows.size(), 2u);
}
