// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/cli_run_host.h"
#include "cli/command_line.h"
#include "cli/run_command.h"
#include "model/model_flags.h"
#include "tests/cli/cli_test_support.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

using namespace quibel;

namespace {

namespace fs = std::filesystem;

constexpr double kG = 9.807;

test::CliResult run(const std::vector<std::string>& args, Language lang = Language::English) {
    return test::runCli(cli::runRunCommand, args, lang);
}

class RunCommandTest : public test::CliFolderTest {};

} // namespace

TEST_F(RunCommandTest, WritesTheSlidingGridWithTheClosedFormSlide) {
    const test::CliResult r = run({save(test::steepPlane())});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.err, "Warning: Friction angle is less than the inclined surface!\n");
    const auto rows = test::semicolonCells(r.out);
    ASSERT_EQ(rows.size(), 2u + 101u);
    EXPECT_EQ(rows[0][0], "Time");
    EXPECT_EQ(rows[0][13], "Relative energy error");
    EXPECT_EQ(rows[1][1], "(m)");
    EXPECT_EQ(rows[1][4], "");
    ASSERT_EQ(rows[102].size(), 14u);
    EXPECT_EQ(rows[102][0], "1.000");
    // Constant acceleration up the slope from t = 0: d = a (t - dt/2)² / 2, a = -g (sin 30° -
    // tan 20° cos 30°).
    const double a = -kG * (std::sin(std::numbers::pi / 6) -
                            std::tan(20 * std::numbers::pi / 180) * std::cos(std::numbers::pi / 6));
    EXPECT_NEAR(std::stod(rows[102][1]), a * 0.99995 * 0.99995 / 2, 2e-8);
    EXPECT_EQ(rows[102][1].size(), std::string("-0.90603957").size());
    EXPECT_NEAR(std::stod(rows[102][3]), a, 1e-8);
}

TEST_F(RunCommandTest, FullPrecisionReadsBackToTheSameNumbers) {
    const std::string project = save(test::steepPlane());
    const auto grid = test::semicolonCells(run({project}).out);
    const auto full = test::semicolonCells(run({project, "--precision", "full"}).out);
    ASSERT_EQ(grid.size(), full.size());
    EXPECT_EQ(full[2][1], "0");
    EXPECT_EQ(full[102][0], "1");
    EXPECT_GT(full[102][1].size(), 15u);
    EXPECT_NEAR(std::stod(full[102][1]), std::stod(grid[102][1]), 5e-9);
}

TEST_F(RunCommandTest, FrenchTextsAndResultsFile) {
    const std::string output = (mDir / "results.csv").string();
    const test::CliResult r = run({save(test::steepPlane()), "-o", output}, Language::French);
    EXPECT_EQ(r.code, 0);
    EXPECT_TRUE(r.out.empty());
    EXPECT_EQ(r.err, "Avertissement : L'angle de friction est plus faible que l'angle "
                     "d'inclinaison de la base!\n");
    std::ifstream in(output);
    std::string first;
    std::getline(in, first);
    EXPECT_EQ(first.substr(0, 44), "Temps;Glissement;Vitesse de glissement;Accé");
    EXPECT_FALSE(fs::exists(output + ".part"));
}

TEST_F(RunCommandTest, FailedChecksExitWithTwo) {
    TBlocStatic m = test::steepPlane();
    m.M = 0;
    test::CliResult r = run({save(m)});
    EXPECT_EQ(r.code, cli::PreconditionFailed);
    EXPECT_NE(r.err.find("The bloc is massless!\n"), std::string::npos);
    EXPECT_TRUE(r.out.empty());
    r = run({save(m)}, Language::French);
    EXPECT_EQ(r.code, cli::PreconditionFailed);
    EXPECT_NE(r.err.find("La masse du bloc est nulle!\n"), std::string::npos);

    m = test::steepPlane();
    m.Options.TimeStep = 0;
    r = run({save(m)}, Language::French);
    EXPECT_EQ(r.code, cli::PreconditionFailed);
    EXPECT_NE(r.err.find("Le pas de temps d'analyse doit être supérieur à 0.\n"),
              std::string::npos);

    m = test::steepPlane();
    m.Options.Gravity = -1;
    r = run({save(m)});
    EXPECT_EQ(r.code, cli::PreconditionFailed);
    EXPECT_NE(r.err.find("The gravity constant must be greater than 0.\n"), std::string::npos);

    m = test::steepPlane();
    m.history(HistoryKind::HorizontalAcceleration).Source = HistorySource::Undefined;
    r = run({save(m)}, Language::French);
    EXPECT_EQ(r.code, cli::PreconditionFailed);
    EXPECT_NE(r.err.find("Aucun historique de temps défini!\n"), std::string::npos);
}

TEST_F(RunCommandTest, SingleSampleRecordGivesOneRow) {
    TBlocStatic m = test::steepPlane();
    TimeHistoryRecord& h = m.history(HistoryKind::HorizontalAcceleration);
    h.Source = HistorySource::Sampled;
    h.Times.emplace(1);
    h.Values.emplace(1);
    h.Values->set(1, 0.2);
    h.Duration = 0;
    const test::CliResult r = run({save(m)});
    EXPECT_EQ(r.code, 0);
    const auto rows = test::semicolonCells(r.out);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[2][0], "0.000");
}

TEST_F(RunCommandTest, SaveStepBelowTheTimeStepHasNoTrailingZeroRow) {
    TBlocStatic m = test::steepPlane();
    m.Options.TimeStep = 0.001;
    m.Options.SaveStep = 0.0005;
    const auto rows = test::semicolonCells(run({save(m)}).out);
    ASSERT_EQ(rows.size(), 2u + 1001u);
    EXPECT_EQ(rows.back()[0], "1.0000"); // one time step apart: the last row is at 1 s
    EXPECT_LT(std::stod(rows.back()[1]), -0.9);
}

TEST_F(RunCommandTest, DebugOptionWritesTheDebugFileInTheCurrentDirectory) {
    TBlocStatic m = test::steepPlane();
    m.history(HistoryKind::HorizontalAcceleration).Terms[0].EndTime = 0.01;
    m.history(HistoryKind::HorizontalAcceleration).Duration = 0.01;
    const std::string project = save(m);
    const fs::path before = fs::current_path();
    fs::current_path(mDir);
    const test::CliResult r = run({project, "--debug"});
    fs::current_path(before);
    EXPECT_EQ(r.code, 0);
    std::ifstream in(mDir / "debug.csv");
    std::string line;
    int lines = 0;
    while (std::getline(in, line))
        ++lines;
    EXPECT_EQ(lines, 1 + 100);
}

TEST_F(RunCommandTest, UsageErrorsAndFiles) {
    EXPECT_EQ(run({}).code, cli::UsageError);
    EXPECT_EQ(run({}).err, "usage: quibel-cli run PROJECT.qbl [-o RESULTS.csv] [--precision "
                           "grid|full] [--on-question continue|stop] [--debug]\n");
    const std::string project = save(test::steepPlane());
    EXPECT_EQ(run({project, "--precision", "high"}).code, cli::UsageError);
    EXPECT_EQ(run({project, "--on-question", "maybe"}).code, cli::UsageError);
    EXPECT_EQ(run({project, "-o"}).code, cli::UsageError);
    EXPECT_EQ(run({project, "--frobnicate"}).code, cli::UsageError);
    EXPECT_EQ(run({project, project}).code, cli::UsageError);

    const test::CliResult missing = run({(mDir / "none.qbl").string()});
    EXPECT_EQ(missing.code, cli::ReadFailed);
    EXPECT_EQ(missing.err, "Unable to read file.\n");

    const test::CliResult unwritable = run({project, "-o", (mDir / "no-such" / "r.csv").string()});
    EXPECT_EQ(unwritable.code, cli::WriteFailed);
    EXPECT_NE(unwritable.err.find("No such file or directory"), std::string::npos);
}

TEST(CliRunHostTest, QuestionsAreAnsweredByThePolicyAndShown) {
    const RunQuestion question{Message("cli.run.stopped", {"3"}), QuestionButtons::NoOk};
    for (const QuestionAnswer policy : {QuestionAnswer::Continue, QuestionAnswer::Stop}) {
        std::ostringstream err;
        cli::CliRunHost host(err, Language::English, policy, false);
        EXPECT_EQ(host.ask(question), policy);
        EXPECT_EQ(err.str(), "Question: The analysis was stopped; the results hold the 3 samples "
                             "computed so far.\nAnswer: " +
                                 std::string(policy == QuestionAnswer::Stop ? "stop" : "continue") +
                                 "\n");
    }
}

TEST(CliRunHostTest, EnergyWarningIsShownOnceAndLineBreaksBecomeNewLines) {
    std::ostringstream err;
    cli::CliRunHost host(err, Language::French, QuestionAnswer::Continue, false);
    RunStatus s;
    host.status(s);
    s.energyErrorHigh = true;
    host.status(s);
    host.status(s);
    EXPECT_EQ(err.str(),
              "Avertissement : Erreur énergétique élevée. Réduisez le pas de temps d'analyse\n");
    std::ostringstream err2;
    cli::CliRunHost host2(err2, Language::English, QuestionAnswer::Continue, true);
    host2.progress(117);
    host2.showMessage(MessageKind::Error, Message("engine.sliding.massless"));
    EXPECT_EQ(err2.str(), "\rProgress: 50 %, time      0.000 sec\nThe bloc is massless!\n");
}

TEST_F(RunCommandTest, CtrlCEndsTheRunKeepingItsSamples) {
    // The steep plane for 1000 s at 0.1 ms: 10^7 steps, 100 001 samples when complete.
    TBlocStatic m = test::steepPlane();
    TimeHistoryRecord& h = m.history(HistoryKind::HorizontalAcceleration);
    h.Terms[0].EndTime = h.Duration = 1000.0;
    m.Options.TimeStep = 0.0001;
    m.Options.SaveStep = 0.01;
    const std::string project = save(m);
    const std::string results = path("results.csv");
    test::CliResult r;
    std::thread command([&] { r = run({project, "-o", results}); });
    // Ctrl+C once the run has taken it over (before, it would end the test program).
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    struct sigaction current {};
    while (sigaction(SIGINT, nullptr, &current) == 0 && current.sa_handler == SIG_DFL) {
        ASSERT_LT(std::chrono::steady_clock::now(), deadline);
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    std::raise(SIGINT);
    command.join();

    EXPECT_EQ(r.code, cli::Interrupted);
    const auto rows = test::semicolonCells(test::readFile(results));
    ASSERT_GT(rows.size(), 2u + 1u);
    EXPECT_LT(rows.size(), 2u + 100001u);
    EXPECT_TRUE(r.err.ends_with("The analysis was interrupted (Ctrl+C); the results hold the " +
                                std::to_string(rows.size() - 2) + " samples computed so far.\n"))
        << r.err;
    // Ctrl+C is the shell's again.
    struct sigaction after {};
    sigaction(SIGINT, nullptr, &after);
    EXPECT_EQ(after.sa_handler, SIG_DFL);
}
