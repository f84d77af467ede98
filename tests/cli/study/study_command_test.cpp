// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/batch/command.h"
#include "cli/batch/csv.h"
#include "cli/command_line.h"
#include "cli/run_command.h"
#include "cli/study/command.h"
#include "tests/cli/cli_test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

using namespace quibel;

namespace {

namespace fs = std::filesystem;
using test::CliResult;
// A build without the desktop program draws no chart.
constexpr bool kChartsDrawn = QUIBEL_CHARTS_DRAWN;
using test::readFile;
using test::withoutRunTimes;

using Row = std::map<std::string, std::string>;
std::vector<Row> rowsOf(const std::string& text) {
    const cli::CsvTable t = cli::ParseCsv(text);
    std::vector<Row> rows;
    for (const cli::CsvRow& r : t.rows) {
        Row row;
        for (std::size_t i = 0; i < t.header.cells.size() && i < r.cells.size(); ++i)
            row[t.header.cells[i]] = r.cells[i];
        rows.push_back(row);
    }
    return rows;
}

// A block on a level plane: it slides once the ground acceleration passes tan(PhiS) g, so
// the share of cases that slide grows with the level as the sampled friction spreads.
class StudyCommandTest : public test::CliFolderTest {
protected:
    void SetUp() override {
        CliFolderTest::SetUp();
        TBlocStatic m = test::steepPlane();
        m.Beta = 0;
        m.PhiS = m.PhiD = 30;
        save(m);
        mScale = m.history(HistoryKind::HorizontalAcceleration).Scale;
        // Two sines sampled on their crests: peaks of exactly 1 g and 0.8 g.
        writeSine("a.txt", 1.0, 2.0);
        writeSine("b.txt", 0.8, 2.5);
    }

    void writeSine(const std::string& name, double amplitude, double hz) const {
        std::ofstream out(path(name));
        const double pi = 3.14159265358979323846;
        for (int i = 0; i <= 400; ++i) {
            const double t = i * 0.005;
            char line[64];
            std::snprintf(line, sizeof line, "%.17g %.17g\n", t,
                          amplitude * std::sin(2 * pi * hz * t));
            out << line;
        }
    }

    std::string writeStudy(const std::string& body) const {
        std::ofstream(path("s.toml")) << body;
        return path("s.toml");
    }

    CliResult study(const std::vector<std::string>& extra = {}) const {
        std::vector<std::string> args{path("s.toml"), "-o", path("out"), "--jobs", "2"};
        args.insert(args.end(), extra.begin(), extra.end());
        return test::runCli(cli::runStudyCommand, args);
    }

    double mScale = 1.0;
};

const char* kStudy = R"(project = "project.qbl"
[intensity]
measure = "pga"
levels = [0.2, 0.4, 0.6, 0.8, 1.0]
[[records]]
name = "a"
file = "a.txt"
format = "pairs"
[[records]]
name = "b"
file = "b.txt"
format = "pairs"
[parameters]
PhiS = { distribution = "normal", mean = 30, sd = 8, lower = 5, upper = 60 }
[sampling]
count = 20
seed = 11
[[limits]]
name = "onset"
response = "peak_sliding"
above = "0 m"
[[limits]]
response = "peak_sliding"
above = "1 mm"
)";

TEST_F(StudyCommandTest, EveryCaseOfTheStudyIsASingleRunOfItsProject) {
    writeStudy(kStudy);
    const CliResult r = study();
    ASSERT_EQ(r.code, cli::Success) << r.err;
    const std::vector<Row> cases = rowsOf(readFile(path("out/cases.csv")));
    ASSERT_EQ(cases.size(), 200u); // 2 records x 5 levels x 20 sets
    const std::vector<Row> summary = rowsOf(readFile(path("out/summary.csv")));
    ASSERT_EQ(summary.size(), 200u);
    std::map<std::string, int> perLevel;
    for (const Row& c : cases) {
        // Each record is scaled to its level from its own peak (1 g or 0.8 g).
        const std::string& name = c.at("case");
        const double level = 0.2 * (name[3] - '0');
        const double peak = (name[0] == 'a' ? 1.0 : 0.8) * mScale;
        EXPECT_NEAR(std::stod(c.at("h_scale")), level / peak, 1e-12) << name;
        ++perLevel[name.substr(0, 4)];
    }
    for (const auto& [level, n] : perLevel)
        EXPECT_EQ(n, 20) << level;

    // The study's summary is the batch's of its case table, and a case's project run alone
    // gives the same sliding.
    const CliResult batch =
        test::runCli(cli::runBatchCommand, {path("out/cases.csv"), "--jobs", "2"});
    EXPECT_EQ(withoutRunTimes(batch.out), withoutRunTimes(readFile(path("out/summary.csv"))));
    for (std::size_t i : {0u, 57u, 199u}) {
        const std::string one = path("one.csv");
        std::ofstream(one) << cli::CsvLine(
                                  {"case", "project", "h_file", "h_format", "h_scale", "PhiS"}, ';')
                           << cli::CsvLine({cases[i].at("case"), cases[i].at("project"),
                                            cases[i].at("h_file"), "pairs", cases[i].at("h_scale"),
                                            cases[i].at("PhiS")},
                                           ';');
        ASSERT_EQ(test::runCli(cli::runBatchCommand, {one, "--results-dir", path("runs")}).code,
                  cli::Success);
        const CliResult alone =
            test::runCli(cli::runRunCommand,
                         {path("runs/" + cases[i].at("case") + ".qbl"), "--precision", "full"});
        const std::vector<Row> grid = rowsOf(alone.out);
        ASSERT_FALSE(grid.empty());
        const std::string residual = summary[i].at("residual_sliding");
        EXPECT_EQ(std::stod(residual), std::stod(grid.back().at("Sliding"))) << cases[i].at("case");
    }

    // A dry block on a level plane stays at rest while the ground acceleration is below
    // tan(PhiS) g, and slides when it is above.
    const double pi = 3.14159265358979323846;
    std::vector<int> onsets(5, 0);
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const double level = 0.2 * (cases[i].at("case")[3] - '0') * mScale;
        const double onset = std::tan(std::stod(cases[i].at("PhiS")) * pi / 180);
        const double peak = std::stod(summary[i].at("peak_sliding"));
        if (level < onset * 0.999) {
            EXPECT_EQ(peak, 0.0) << cases[i].at("case");
        } else if (level > onset * 1.001) {
            EXPECT_GT(peak, 0.0) << cases[i].at("case");
        }
        onsets[static_cast<std::size_t>(cases[i].at("case")[3] - '1')] += level > onset ? 1 : 0;
    }
    // So the cases past the onset of sliding at each level are those whose tan(PhiS) is below
    // it, and the curve's median lies where tan(PhiS) has its median, tan 30 degrees.
    const std::vector<Row> fractions = rowsOf(readFile(path("out/fractions.csv")));
    ASSERT_EQ(fractions.size(), 10u);
    for (std::size_t k = 0; k < 5; ++k) {
        EXPECT_EQ(fractions[k].at("limit"), "onset");
        EXPECT_EQ(fractions[k].at("cases"), "40");
        EXPECT_EQ(std::stoi(fractions[k].at("past")), onsets[k]) << k;
        EXPECT_LE(std::stoi(fractions[k + 5].at("past")), onsets[k]) << k;
    }
    const std::vector<Row> fit = rowsOf(readFile(path("out/fragility.csv")));
    ASSERT_EQ(fit.size(), 2u);
    EXPECT_LT(std::abs(std::stod(fit[0].at("median_g")) - std::tan(pi / 6)),
              3 * std::stod(fit[0].at("median_se_g")));
    EXPECT_NE(r.out.find("200 cases: 2 records, 5 levels, 20 parameter sets."), std::string::npos);
    for (const char* chart : {"fragility-onset", "incremental-b-onset", "histogram-onset-L5"}) {
        const std::string svg = readFile(path("out/charts/" + std::string(chart) + ".svg"));
        const std::string png = readFile(path("out/charts/" + std::string(chart) + ".png"));
        if (kChartsDrawn) {
            EXPECT_NE(svg.find("<svg"), std::string::npos) << chart;
            EXPECT_EQ(png.substr(0, 4), "\x89PNG") << chart;
        } else {
            EXPECT_TRUE(svg.empty() && png.empty()) << chart;
        }
    }
    EXPECT_EQ(r.err.find("The charts were not drawn") == std::string::npos, kChartsDrawn);
}

TEST_F(StudyCommandTest, ResumingAnInterruptedStudyGivesTheSameSummary) {
    writeStudy(kStudy);
    ASSERT_EQ(study().code, cli::Success);
    const std::string whole = readFile(path("out/summary.csv"));
    // As a run killed after 60 cases leaves it: 60 whole rows and one half written.
    const std::string journal = readFile(path("out/journal/all.csv"));
    std::size_t cut = 0;
    for (int line = 0; line < 61; ++line)
        cut = journal.find('\n', cut) + 1;
    fs::remove_all(path("out/journal"));
    fs::remove(path("out/summary.csv"));
    fs::create_directories(path("out/journal"));
    std::ofstream(path("out/journal/all.csv"), std::ios::binary)
        << journal.substr(0, cut) << journal.substr(cut, 40);

    const CliResult dry = study({"--dry-run"});
    EXPECT_NE(dry.out.find("200 cases, 60 done, 140 to run"), std::string::npos) << dry.out;
    ASSERT_EQ(study().code, cli::Success);
    EXPECT_EQ(withoutRunTimes(readFile(path("out/summary.csv"))), withoutRunTimes(whole));
    EXPECT_EQ(rowsOf(readFile(path("out/journal/all.csv"))).size(), 200u);
}

// As a job array and its merge run it: three shards into one folder, then the study without
// a shard, which runs nothing more and merges.
TEST_F(StudyCommandTest, ShardsAndTheirMergeGiveTheUnshardedSummary) {
    writeStudy(kStudy);
    ASSERT_EQ(test::runCli(cli::runStudyCommand, {path("s.toml"), "-o", path("whole")}).code,
              cli::Success);
    for (const char* shard : {"1/3", "2/3", "3/3"})
        ASSERT_EQ(study({"--shard", shard}).code, cli::Success) << shard;
    EXPECT_FALSE(fs::exists(path("out/summary.csv")));
    const CliResult dry = study({"--dry-run"});
    EXPECT_NE(dry.out.find("200 cases, 200 done, 0 to run"), std::string::npos) << dry.out;
    ASSERT_EQ(study().code, cli::Success);
    const std::string whole = withoutRunTimes(readFile(path("whole/summary.csv")));
    EXPECT_EQ(withoutRunTimes(readFile(path("out/summary.csv"))), whole);
    EXPECT_EQ(readFile(path("out/fragility.csv")), readFile(path("whole/fragility.csv")));
    const CliResult merged = test::runCli(
        cli::runBatchMergeCommand, {path("out/summary-1-of-3.csv"), path("out/summary-2-of-3.csv"),
                                    path("out/summary-3-of-3.csv")});
    EXPECT_EQ(withoutRunTimes(merged.out), whole);
}

TEST_F(StudyCommandTest, BadStudiesNameTheirLineAndRunNothing) {
    const std::string head = "project = \"project.qbl\"\n[intensity]\nmeasure = \"pga\"\n";
    const std::string levels = "levels = [0.2, 0.4]\n";
    const std::string record = "[[records]]\nfile = \"a.txt\"\nformat = \"pairs\"\n";
    const std::string limit = "[[limits]]\nresponse = \"residual_sliding\"\nabove = \"1 cm\"\n";
    struct Case {
        std::string text, message;
    };
    const Case cases[] = {
        {head + levels + record + limit + "[parameters]\nPhiQ = 3\n",
         "line 12: \"PhiQ\" is not a field a study can set."},
        {head + "speed = 3\n" + levels + record + limit,
         "line 4: \"speed\" is not a key of a study."},
        {head + levels + limit, "line 1: the study has no record."},
        {head + "levels = [0.2, -0.4]\n" + record + limit,
         "line 4: the level -0.4 g is not positive."},
        {head + levels + record + "[[limits]]\nresponse = \"residual_sliding\"\nabove = 0.01\n",
         "line 10: the threshold of residual_sliding needs its unit"},
        {head + levels + "[[records]]\nfile = \"missing.txt\"\n" + limit,
         "line 5: the record cannot be used:"},
    };
    for (const Case& c : cases) {
        writeStudy(c.text);
        const CliResult r = study();
        EXPECT_EQ(r.code, cli::ReadFailed) << c.text;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
        EXPECT_FALSE(fs::exists(path("out"))) << c.text;
    }
}

} // namespace
