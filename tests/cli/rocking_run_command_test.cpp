// SPDX-License-Identifier: GPL-3.0-or-later
// quibel-cli run on rocking projects: the rocking grid, the questions of the run and its
// checks, as users call the tool.

#include "cli/command_line.h"
#include "cli/run_command.h"
#include "model/model_flags.h"
#include "tests/cli/cli_test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace quibel;

namespace {

test::CliResult run(const std::vector<std::string>& args, Language lang = Language::English) {
    return test::runCli(cli::runRunCommand, args, lang);
}

// A dry block 0.4 m wide and 1.6 m high under a horizontal acceleration of a (g) held from
// t = 0 to `length` (s), in a run of `duration` (s).
TBlocStatic dryBlock(double a, double length, double duration) {
    TBlocStatic m = startupModel();
    m.AnalysisKind = AnalysisKind::Rocking;
    m.ModelFlags = ModelFlag::GeometryComplete | ModelFlag::HorizontalAccDefined;
    m.H = 1.6;
    m.Hd = 6.6;
    m.Hr = 0;
    m.B = 0.4;
    m.M = 1.0;
    m.Xc = 0.2;
    m.Yc = 0.8;
    m.Im = (0.16 + 2.56) / 12.0;
    m.U = 0;
    m.Eu = m.Ed = 0.7;
    TimeHistoryRecord& h = m.history(HistoryKind::HorizontalAcceleration);
    h.Source = HistorySource::Generated;
    h.Terms[0] = {TermShape::Impulse, a, 2.0 * length, 0, 0, 0.999 * length, 1};
    h.Duration = duration;
    return m;
}

class RockingRunCommandTest : public test::CliFolderTest {};

} // namespace

// A pulse of 1.5 times the threshold g b / h rocks the block, which then comes to rest.
TEST_F(RockingRunCommandTest, WritesTheRockingGrid) {
    const test::CliResult r = run({save(dryBlock(0.375, 0.2, 3.0))});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.err, "");
    const auto rows = test::semicolonCells(r.out);
    ASSERT_EQ(rows.size(), 2u + 301u);
    ASSERT_EQ(rows[0].size(), 15u);
    EXPECT_EQ(rows[0][1], "Rotation");
    EXPECT_EQ(rows[0][12], "Energy dissipated by impact");
    EXPECT_EQ(rows[1][1], "(rad)");
    EXPECT_EQ(rows[1][5], "(% of failure plane length)");
    EXPECT_EQ(rows[1][6], "(kN·m)");
    EXPECT_EQ(rows[302][0], "3.000");
    EXPECT_EQ(rows[302][1], "0.0000000000"); // at rest again
    EXPECT_EQ(rows[302][4], "10.0000000000");
    EXPECT_EQ(rows[302][5], "50.0000000000");
    double largest = 0.0;
    for (std::size_t i = 2; i < rows.size(); ++i)
        largest = std::max(largest, std::stod(rows[i][1]));
    EXPECT_GT(largest, 1e-3);
    EXPECT_GT(std::stod(rows[302][12]), 0.0);
}

// Held above the threshold the block overturns: the excessive-rotation question is asked once
// and answered by the policy; "stop" ends the run with the samples computed so far.
TEST_F(RockingRunCommandTest, ExcessiveRotationQuestionFollowsThePolicy) {
    const std::string project = save(dryBlock(0.3, 4.0, 4.0));
    const test::CliResult goOn = run({project});
    EXPECT_EQ(goOn.code, 0);
    EXPECT_EQ(goOn.err, "Question: Excessive rotation: block migth be unstable\nEnd analysis "
                        "now?\nAnswer: continue\n");
    EXPECT_EQ(test::semicolonCells(goOn.out).size(), 2u + 401u);

    const test::CliResult stop = run({project, "--on-question", "stop"}, Language::French);
    EXPECT_EQ(stop.code, 0);
    EXPECT_EQ(stop.err.rfind("Question : Rotation excessive: le bloc est probablement "
                             "instable\nVoulez-vous terminer l'analyse maintenant?\nRéponse : "
                             "arrêter\n",
                             0),
              0u);
    const auto rows = test::semicolonCells(stop.out);
    EXPECT_LT(rows.size(), 2u + 401u);
    EXPECT_EQ(rows[0][1], "Rotation");
    EXPECT_EQ(rows[0][2], "Vitesse angulaire");
}

TEST_F(RockingRunCommandTest, ChecksOfARockingRunExitWithTwo) {
    TBlocStatic m = dryBlock(0.375, 0.2, 1.0);
    m.M = 0;
    m.history(HistoryKind::HorizontalAcceleration).Source = HistorySource::Undefined;
    const test::CliResult en = run({save(m)});
    EXPECT_EQ(en.code, cli::PreconditionFailed);
    EXPECT_NE(en.err.find("Block is massless!\n"), std::string::npos);
    EXPECT_NE(en.err.find("No time histories defined!\n"), std::string::npos);
    EXPECT_TRUE(en.out.empty());
    const test::CliResult fr = run({save(m)}, Language::French);
    EXPECT_NE(fr.err.find("La masse du bloc est nulle!\n"), std::string::npos);
    EXPECT_NE(fr.err.find("Aucun historique défini!\n"), std::string::npos);
}
