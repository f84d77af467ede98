// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/spectrum_command.h"

#include "model/project_file.h"
#include "signals/oscillator_step.h"
#include "tests/cli/cli_test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <sstream>

using namespace quibel;

namespace {

namespace fs = std::filesystem;

test::CliResult run(const std::vector<std::string>& args, Language lang = Language::English) {
    return test::runCli(cli::runSpectrumCommand, args, lang);
}

// The Sd column of the line of period T in a saved spectrum text, or NaN.
double sdOf(const std::string& text, double period) {
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        double t, sd, sv, sa;
        if (fields >> t >> sd >> sv >> sa && std::fabs(t - period) < 1e-9)
            return sd;
    }
    return std::nan("");
}

int periodLines(const std::string& text) {
    std::istringstream lines(text);
    std::string line;
    int n = 0;
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        double t, sd, sv, sa;
        n += (fields >> t >> sd >> sv >> sa) ? 1 : 0;
    }
    return n;
}

class SpectrumCommandTest : public test::CliFolderTest {
protected:
    // A project whose horizontal base acceleration is a step of `level` g held for 10 s.
    std::string stepProject(const std::string& name, UnitSystem units, double level = 0.1,
                            OffsetCorrection correction = OffsetCorrection::ApplyOffset) {
        TBlocStatic m = startupModel();
        m.UnitSystem = units;
        TimeHistoryRecord& h = m.history(HistoryKind::HorizontalAcceleration);
        h.Source = HistorySource::Sampled;
        h.Times = TVector(1001);
        h.Values = TVector(1001);
        for (int i = 1; i <= 1001; ++i) {
            h.Times->set(i, 0.01 * (i - 1));
            h.Values->set(i, level);
        }
        h.Correction = correction;
        h.Duration = 10.0;
        return save(m, name);
    }
};

// Peak of the step response from rest: static displacement times (1 + overshoot).
double stepPeak(double level, double period, double xi, double gravity) {
    const double w = SpectrumOmega(period);
    return level * gravity / (w * w) *
           (1.0 + std::exp(-xi * std::numbers::pi / std::sqrt(1.0 - xi * xi)));
}

} // namespace

TEST_F(SpectrumCommandTest, DefaultAnalysisOfAStepMatchesTheOvershootOfTheHandSolution) {
    const test::CliResult r = run({stepProject("step.qbl", UnitSystem::MKnTon), "--history", "0"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_TRUE(r.err.empty());
    EXPECT_EQ(r.out.rfind("\nSd = Relative displacement spectra\n", 0), 0u);
    EXPECT_NE(r.out.find(" Damping Ratio = 0.01 of critical\n"), std::string::npos);
    EXPECT_NE(r.out.find("(sec.)         (m)           (m/s)        (m/s^2)\n"), std::string::npos);
    EXPECT_EQ(periodLines(r.out), 71);
    EXPECT_NEAR(sdOf(r.out, 0.5), stepPeak(0.1, 0.5, 0.01, 9.81), 2e-6);
    EXPECT_NEAR(sdOf(r.out, 2.0), stepPeak(0.1, 2.0, 0.01, 9.81), 2e-5);
}

TEST_F(SpectrumCommandTest, ChosenRatioPeriodsAndUnitSystem) {
    const std::string project = stepProject("step-ft.qbl", UnitSystem::FtKipKip);
    const test::CliResult r = run({project, "--history", "0", "--periods", "0.5:1:0.5,1.5:2:0.5",
                                   "--damping", "0.02:0.06:0.02", "--ratio", "0.04"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_NE(r.out.find(" Damping Ratio = 0.04 of critical\n"), std::string::npos);
    EXPECT_NE(r.out.find("(sec.)         (ft)          (ft/s)       (ft/s^2)\n"),
              std::string::npos);
    EXPECT_EQ(periodLines(r.out), 4);
    EXPECT_NEAR(sdOf(r.out, 1.0), stepPeak(0.1, 1.0, 0.04, 981.0 / 30.48), 1e-5);
}

TEST_F(SpectrumCommandTest, FrenchTextInInches) {
    const test::CliResult r = run(
        {stepProject("step-in.qbl", UnitSystem::InLbLb), "--history", "0", "--periods", "1:1:1"},
        Language::French);
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_NE(r.out.find(" Fraction d'amortissement = 0.01 du critique\n"), std::string::npos);
    EXPECT_NE(r.out.find("(sec.)         (pouce)       (pouce/s)    (pouce/s^2)\n"),
              std::string::npos);
    EXPECT_NE(r.out.find("Période        Sd            Sv           Sa\n"), std::string::npos);
}

TEST_F(SpectrumCommandTest, CorrectionAppliesToTheAnalysedSignal) {
    // A constant record with its mean removed is zero everywhere: no response at all.
    const test::CliResult r =
        run({stepProject("zero-mean.qbl", UnitSystem::MKnTon, 0.1, OffsetCorrection::ZeroMean),
             "--history", "0", "--periods", "0.5:1:0.5"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_NE(r.out.find("MAXIMUMS:          0.000000     0.000000     0.000000\n"),
              std::string::npos);
}

TEST_F(SpectrumCommandTest, GeneratedHistoryUsesTheScaledTable) {
    // 0.5 x a 0.2 g sine of 1 s over 60 s, at resonance: amplitude 0.1 / (2 xi w^2) g s^2.
    TBlocStatic m = startupModel();
    TimeHistoryRecord& h = m.history(HistoryKind::VerticalAcceleration);
    h.Source = HistorySource::Generated;
    h.Terms[0] = {TermShape::Sine, 0.2, 1.0, 0.0, 0.0, 60.0, 1};
    h.Scale = 0.5;
    const std::string project = save(m, "sine.qbl");
    const test::CliResult r =
        run({project, "--history", "1", "--periods", "1:1:1", "--damping", "0.05:0.05:0.01"});
    ASSERT_EQ(r.code, 0) << r.err;
    const double w = 2.0 * std::numbers::pi;
    const double expected = 0.1 / (2.0 * 0.05 * w * w) * 9.81;
    EXPECT_NEAR(sdOf(r.out, 1.0), expected, 0.01 * expected);
}

TEST_F(SpectrumCommandTest, SavedFileHoldsWhatStdoutShows) {
    const std::string project = stepProject("step.qbl", UnitSystem::MmNKg);
    const std::string file = (mDir / "out.txt").string();
    const test::CliResult shown = run({project, "--history", "0", "--periods", "0.2:0.4:0.1"});
    const test::CliResult saved =
        run({project, "--history", "0", "--periods", "0.2:0.4:0.1", "-o", file});
    ASSERT_EQ(saved.code, 0) << saved.err;
    EXPECT_TRUE(saved.out.empty());
    EXPECT_EQ(test::readFile(file), shown.out);
}

TEST_F(SpectrumCommandTest, RefusalsAndTheirExitCodes) {
    TBlocStatic m = startupModel();
    m.history(HistoryKind::VerticalAcceleration).Source = HistorySource::Generated; // no term on
    const std::string none = save(m, "startup.qbl");
    const std::string step = stepProject("step.qbl", UnitSystem::MKnTon);
    struct Case {
        std::vector<std::string> args;
        int code;
        const char* message;
    } cases[] = {
        {{none, "--history", "0"}, 1, "History 0 is not defined in this project."},
        {{none, "--history", "1"}, 1, "History 1 is generated but has no active term"},
        {{step, "--history", "2"}, 1, "History 2 is a force history"},
        {{step, "--history", "x"}, 1, "\"x\" is not a history"},
        {{step}, 1, "Choose the history with --history 0"},
        {{"--history", "0"}, 1, "No project file given."},
        {{step, "--history", "0", "--frobnicate"}, 1, "Unknown option \"--frobnicate\"."},
        {{step, "--history", "0", "--ratio"}, 1, "The option --ratio needs a value."},
        {{step, step, "--history", "0"}, 1, "Unexpected argument"},
        {{step, "--history", "0", "--ratio", "0.07"},
         1,
         "The damping ratio 0.07 is not in the damping list (0.01, 0.02, 0.03, 0.04, 0.05)."},
        {{step, "--history", "0", "--periods", "1:2"}, 1, "\"1:2\" is not a range"},
        {{step, "--history", "0", "--periods", "1:2:0,1:2:1,1:2:1,1:2:1,1:2:1"},
         1,
         "At most four period sets"},
        {{step, "--history", "0", "--periods", "2:1:0.1"}, 1, "No period to analyse"},
        {{step, "--history", "0", "--periods", "1:2:-0.1"},
         1,
         "The increment of Set #1 must be positive."},
        {{step, "--history", "0", "--damping", "0.01:0.05:0"},
         1,
         "The damping increment must be positive."},
        {{step, "--history", "0", "--damping", "0.05:0.01:0.01"}, 1, "No damping ratio"},
        {{(mDir / "missing.qbl").string(), "--history", "0"}, 3, ""},
        {{step, "--history", "0", "-o", (mDir / "no-dir" / "x.txt").string()},
         4,
         "Cannot write the file"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        const test::CliResult r = run(c.args);
        EXPECT_EQ(r.code, c.code);
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
        EXPECT_TRUE(r.out.empty());
    }
    EXPECT_FALSE(fs::exists(mDir / "no-dir"));
}

TEST(SpectrumFixtureTest, StepProjectHoldsWhatItsCasesAssume) {
    TBlocStatic m = startupModel();
    ReadFromFile(m, QUIBEL_TEST_DATA_DIR "/spectrum-step.qbl");
    const TimeHistoryRecord& h = m.history(HistoryKind::HorizontalAcceleration);
    ASSERT_EQ(h.Source, HistorySource::Sampled);
    ASSERT_EQ(h.Values->size(), 1001);
    EXPECT_EQ(h.Values->min(), 0.1);
    EXPECT_EQ(h.Values->max(), 0.1);
    EXPECT_DOUBLE_EQ(h.Times->get(2) - h.Times->get(1), 0.01);
    EXPECT_EQ(h.Scale, 1.0);
    EXPECT_EQ(h.Correction, OffsetCorrection::ApplyOffset);
    EXPECT_EQ(m.UnitSystem, UnitSystem::MKnTon);
    const TimeHistoryRecord& g = m.history(HistoryKind::VerticalAcceleration);
    EXPECT_EQ(g.Source, HistorySource::Generated);
    for (const GeneratorTerm& t : g.Terms)
        EXPECT_EQ(t.Active, 0);
    EXPECT_NEAR(stepPeak(0.1, 0.5, 0.05, 9.81), 0.011520, 5e-7);
}

TEST_F(SpectrumCommandTest, RefusalsInFrench) {
    const test::CliResult r =
        run({stepProject("step.qbl", UnitSystem::MKnTon), "--history", "1"}, Language::French);
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, "L'historique 1 n'est pas défini dans ce projet.\n");
}
