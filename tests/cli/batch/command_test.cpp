// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/batch/command.h"
#include "cli/batch/csv.h"
#include "cli/command_line.h"
#include "cli/run_command.h"
#include "model/model_flags.h"
#include "model/project_file.h"
#include "signals/earthquake_database.h"
#include "signals/history_editing.h"
#include "signals/history_text_import.h"
#include "signals/xls_workbook.h"
#include "tests/cli/cli_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <numbers>
#include <sstream>
#include <string>
#include <vector>

using namespace quibel;

namespace {

namespace fs = std::filesystem;

const std::string kData = QUIBEL_TEST_DATA_DIR;
const std::string kBatch = kData + "/batch";
const std::string kStartup = std::string(QUIBEL_SOURCE_DIR) + "/examples/startup.qbl";
constexpr double kG = 9.807;

using test::CliResult;
using test::readFile;
using test::withoutRunTimes;

CliResult batch(const std::vector<std::string>& args, Language lang = Language::English) {
    return test::runCli(cli::runBatchCommand, args, lang);
}

CliResult merge(const std::vector<std::string>& args) {
    return test::runCli(cli::runBatchMergeCommand, args);
}

// The summary by case name (the first row of a name), each row as column name -> cell.
using Row = std::map<std::string, std::string>;
std::map<std::string, Row> summaryByCase(const std::string& text) {
    const cli::CsvTable t = cli::ParseCsv(text);
    std::map<std::string, Row> rows;
    for (const cli::CsvRow& r : t.rows) {
        Row row;
        for (std::size_t i = 0; i < t.header.cells.size() && i < r.cells.size(); ++i)
            row[t.header.cells[i]] = r.cells[i];
        rows.emplace(r.cells[0], row);
    }
    return rows;
}

// The result grid of `quibel-cli run` on the project at path.
std::string singleRun(const std::string& path, const char* precision = "grid") {
    std::ostringstream out, err;
    EXPECT_EQ(cli::runRunCommand({path, "--precision", precision}, out, err, Language::English),
              cli::Success)
        << err.str();
    return out.str();
}

// One column of a grid, by its title.
std::vector<double> column(const std::string& csv, const std::string& title) {
    const cli::CsvTable t = cli::ParseCsv(csv);
    const auto at = std::find(t.header.cells.begin(), t.header.cells.end(), title);
    EXPECT_NE(at, t.header.cells.end()) << title;
    std::vector<double> values;
    if (at == t.header.cells.end())
        return values;
    const auto c = static_cast<std::size_t>(at - t.header.cells.begin());
    for (std::size_t r = 1; r < t.rows.size(); ++r) // row 0 holds the units
        values.push_back(std::stod(t.rows[r].cells[c]));
    return values;
}

double peak(const std::vector<double>& v) {
    double p = 0;
    for (double x : v)
        p = std::max(p, std::fabs(x));
    return p;
}

double smallestAfterStart(const std::vector<double>& v) {
    return *std::min_element(v.begin() + 1, v.end());
}

SignalSamples textRecord(const char* file, HistoryFileFormat format, double dt = 0) {
    return ImportHistoryFile(kBatch + "/" + file, format, dt);
}

SignalSamples rampRecord() {
    // "Thousand samples" of "Short records": sample i = i / 1000 g at 0.01 s.
    const auto book = XlsWorkbook::open(kData + "/earthquakes-test.xls");
    return ReadDatabaseRecord(*book, 1, 2);
}

class BatchCommandTest : public test::CliFolderTest {};

} // namespace

// Every case of tests/data/batch/mixed.csv, made again by hand from the start-up project the
// way the dialogs would, and run alone with `quibel-cli run`: the batch gives the same grid,
// byte for byte, and its summary the same numbers.
TEST_F(BatchCommandTest, MixedKindsGiveTheNumbersOfSingleRuns) {
    const std::map<std::string, std::function<void(TBlocStatic&)>> byHand = {
        {"sliding-startup", [](TBlocStatic& m) { m.AnalysisKind = AnalysisKind::Sliding; }},
        {"rocking-startup", [](TBlocStatic& m) { m.AnalysisKind = AnalysisKind::Rocking; }},
        {"both-startup", [](TBlocStatic& m) { m.AnalysisKind = AnalysisKind::SlidingAndRocking; }},
        {"sliding-pairs",
         [](TBlocStatic& m) {
             m.AnalysisKind = AnalysisKind::Sliding;
             TimeHistoryRecord& h = m.history(HistoryKind::HorizontalAcceleration);
             StoreSamples(h, textRecord("pulse-pairs.txt", HistoryFileFormat::TimeAndAmplitude));
             h.Scale *= 1.5;
             m.PhiS = 35;
             m.PhiD = 33;
         }},
        {"rocking-amplitudes",
         [](TBlocStatic& m) {
             m.AnalysisKind = AnalysisKind::Rocking;
             StoreSamples(
                 m.history(HistoryKind::HorizontalAcceleration),
                 textRecord("pulse-amplitudes.txt", HistoryFileFormat::AmplitudesOnly, 0.01));
             m.Hr = 20;
         }},
        {"both-database",
         [](TBlocStatic& m) {
             m.AnalysisKind = AnalysisKind::SlidingAndRocking;
             TimeHistoryRecord& h = m.history(HistoryKind::HorizontalAcceleration);
             StoreSamples(h, rampRecord());
             h.Scale *= 0.5;
             TimeHistoryRecord& v = m.history(HistoryKind::VerticalAcceleration);
             StoreSamples(v, textRecord("pulse-pairs.txt", HistoryFileFormat::TimeAndAmplitude));
             v.Scale *= 0.5;
             m.Options.TimeStep = 0.0005;
         }},
        {"sliding-french-sheet",
         [](TBlocStatic& m) {
             m.AnalysisKind = AnalysisKind::Sliding;
             StoreSamples(m.history(HistoryKind::HorizontalAcceleration), rampRecord());
             m.PhiS = m.PhiD = 30;
         }},
    };

    const fs::path results = mDir / "results";
    const CliResult r = batch({kBatch + "/mixed.csv", "--jobs", "4", "--results-dir",
                               results.string(), "-o", path("summary.csv")});
    ASSERT_EQ(r.code, cli::Success) << r.err;
    EXPECT_EQ(r.err, "");
    const auto summary = summaryByCase(readFile(path("summary.csv")));
    ASSERT_EQ(summary.size(), byHand.size());

    for (const auto& [name, edit] : byHand) {
        SCOPED_TRACE(name);
        TBlocStatic m = startupModel();
        ReadFromFile(m, kStartup);
        edit(m);
        const std::string project = path("alone-" + name + ".qbl");
        WriteToFile(m, project);
        EXPECT_EQ(singleRun(project), readFile(results / (name + ".csv")));
        // The project the batch leaves runs to the same grid.
        EXPECT_EQ(singleRun((results / (name + ".qbl")).string()),
                  readFile(results / (name + ".csv")));

        const std::string full = singleRun(project, "full");
        const Row& row = summary.at(name);
        EXPECT_EQ(row.at("status"), "completed");
        EXPECT_EQ(row.at("length_unit"), "m");
        const std::vector<double> time = column(full, "Time");
        EXPECT_EQ(std::stoi(row.at("samples")), static_cast<int>(time.size()));
        EXPECT_EQ(std::stod(row.at("end_time_s")), time.back());
        const bool slides = m.AnalysisKind != AnalysisKind::Rocking;
        const bool rocks = m.AnalysisKind != AnalysisKind::Sliding;
        // Peaks and smallest factors are taken at every step: never short of what the samples
        // show, and the peaks within a step's reach of them.
        if (slides) {
            const std::vector<double> u = column(full, rocks ? "Sliding displacement" : "Sliding");
            EXPECT_GE(std::stod(row.at("peak_sliding")), peak(u));
            EXPECT_LE(std::stod(row.at("peak_sliding")), 1.01 * peak(u));
            EXPECT_EQ(std::stod(row.at("residual_sliding")), u.back());
            EXPECT_LE(std::stod(row.at("min_sliding_sf")),
                      smallestAfterStart(column(full, "Sliding safety factor")));
        } else {
            EXPECT_EQ(row.at("peak_sliding"), "");
            EXPECT_EQ(row.at("min_sliding_sf"), "");
        }
        if (rocks) {
            const double rotation = peak(column(full, "Rotation"));
            EXPECT_GE(std::stod(row.at("peak_rotation_rad")), rotation);
            EXPECT_LE(std::stod(row.at("peak_rotation_rad")), 1.01 * rotation);
            EXPECT_LE(std::stod(row.at("min_overturning_sf")),
                      smallestAfterStart(column(full, "Overturning safety factor")));
        } else {
            EXPECT_EQ(row.at("peak_rotation_rad"), "");
        }
    }
    // The records of the table: 9.99 s of the ramp at 0.0001 s make 99 900 steps and 1000
    // samples; the 1-s pulse 10 000 steps.
    EXPECT_EQ(summary.at("sliding-french-sheet").at("steps"), "99900");
    EXPECT_EQ(summary.at("sliding-french-sheet").at("end_time_s"), "9.99");
    EXPECT_EQ(summary.at("sliding-pairs").at("steps"), "10000");

    // One thread or four, the summary is the same.
    const CliResult one = batch({kBatch + "/mixed.csv", "--jobs", "1"});
    EXPECT_EQ(withoutRunTimes(one.out), withoutRunTimes(readFile(path("summary.csv"))));
}

// A block sliding down a plane steeper than its friction angle accelerates at
// g (sin β - tan φ cos β) from the first step on, so that after the 10 000 steps of 1 s it
// has slid a t² / 2 with t = 1 - dt / 2 (the first step starts from rest), and its sliding
// safety factor, friction over driving force along the plane, is tan φ / tan β.
TEST_F(BatchCommandTest, SummaryHoldsTheHandSolutionOfASlidingBlock) {
    WriteToFile(test::steepPlane(), path("steep.qbl"));
    std::ofstream(path("cases.csv")) << "case,project,PhiS,PhiD\n"
                                        "slides,steep.qbl,,\n"
                                        "holds,steep.qbl,40,40\n";
    const CliResult r = batch({path("cases.csv")});
    ASSERT_EQ(r.code, cli::Success) << r.err;
    const auto summary = summaryByCase(r.out);

    const double beta = 30 * std::numbers::pi / 180;
    const double phi = 20 * std::numbers::pi / 180;
    const double a = kG * (std::sin(beta) - std::tan(phi) * std::cos(beta));
    const double t = 1 - 0.0001 / 2;
    const Row& slides = summary.at("slides");
    EXPECT_NEAR(std::stod(slides.at("peak_sliding")), a * t * t / 2, 2e-8);
    EXPECT_NEAR(std::fabs(std::stod(slides.at("residual_sliding"))), a * t * t / 2, 2e-8);
    EXPECT_NEAR(std::stod(slides.at("min_sliding_sf")), std::tan(phi) / std::tan(beta), 1e-9);
    EXPECT_EQ(slides.at("remarks"), "Friction angle is less than the inclined surface!");

    const Row& holds = summary.at("holds");
    EXPECT_EQ(holds.at("peak_sliding"), "0");
    EXPECT_NEAR(std::stod(holds.at("min_sliding_sf")),
                std::tan(40 * std::numbers::pi / 180) / std::tan(beta), 1e-9);
    EXPECT_EQ(holds.at("remarks"), "");
}

TEST_F(BatchCommandTest, BadRowsAreReportedAndTheOthersRun) {
    const CliResult r = batch({kBatch + "/bad-rows.csv"});
    EXPECT_EQ(r.code, cli::PreconditionFailed);
    const std::string dir = kBatch + "/";
    const std::vector<std::string> lines = {
        "Row 5 (typo-column): the column Colour is neither a column of a case table nor a field "
        "of the model.",
        "Row 6 (bad-number): PhiS = \"4O\" is not a number (write it with \".\").",
        "Row 7 (out-of-range): PhiS = 95 lies outside 0 to 89.999999.",
        "Row 8 (missing-project): " + dir + "no-such-project.qbl: Unable to read file.",
        "Row 9 (missing-record): Cannot open the file \"" + dir +
            "no-such-record.txt\": No such file or directory",
        "Row 10 (amplitudes-without-step): amplitudes need h_step, their time step (s).",
        "Row 11 (bad-kind): AnalysisKind = \"Tumbling\" must be 0, 1, 2, Sliding, Rocking or "
        "SlidingAndRocking.",
        "Row 12 (zero-time-step): The analysis time step must be greater than 0.",
        "Row 13 (case-10): the row has 10 cells but the header only 9.",
        "Row 14 (good-1): the case name good-1 is already used in row 2.",
    };
    // The lines come in the order the cases end, which the threads decide.
    std::vector<std::string> got;
    std::istringstream err(r.err);
    for (std::string l; std::getline(err, l);)
        got.push_back(l);
    std::sort(got.begin(), got.end());
    std::vector<std::string> want = lines;
    std::sort(want.begin(), want.end());
    EXPECT_EQ(got, want);

    const cli::CsvTable t = cli::ParseCsv(r.out);
    ASSERT_EQ(t.rows.size(), 12u);
    const char* statuses[] = {"completed",     "input_error", "input_error", "input_error",
                              "input_error",   "input_error", "input_error", "input_error",
                              "checks_failed", "input_error", "input_error", "completed"};
    const auto status = static_cast<std::size_t>(
        std::find(t.header.cells.begin(), t.header.cells.end(), "status") - t.header.cells.begin());
    for (std::size_t i = 0; i < 12; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(t.rows[i].cells[status], statuses[i]);
        EXPECT_EQ(t.rows[i].cells[2], std::to_string(i + 1)); // case_index
        EXPECT_EQ(t.rows[i].cells[3], "12");                  // case_count
    }
    // The good rows give what the start-up project gives alone.
    const auto summary = summaryByCase(r.out);
    const std::string alone = singleRun(kStartup, "full");
    EXPECT_EQ(std::stod(summary.at("good-1").at("peak_sliding")), peak(column(alone, "Sliding")));
    EXPECT_EQ(summary.at("case-12").at("analysis"), "rocking");
}

TEST_F(BatchCommandTest, FrenchMessagesKeepTheSummaryWords) {
    const CliResult r = batch({kBatch + "/bad-rows.csv"}, Language::French);
    EXPECT_EQ(r.code, cli::PreconditionFailed);
    EXPECT_NE(r.err.find("Ligne 7 (out-of-range) : PhiS = 95 est hors de l'intervalle 0 à "
                         "89.999999.\n"),
              std::string::npos);
    const auto summary = summaryByCase(r.out);
    EXPECT_EQ(summary.at("zero-time-step").at("status"), "checks_failed");
    EXPECT_EQ(summary.at("zero-time-step").at("message"),
              "Le pas de temps d'analyse doit être supérieur à 0.");
}

TEST_F(BatchCommandTest, ShardsMergeToTheWholeSummary) {
    const std::string table = kBatch + "/mixed.csv";
    const CliResult whole = batch({table, "--jobs", "2"});
    ASSERT_EQ(whole.code, cli::Success) << whole.err;
    std::vector<std::string> parts;
    for (int i = 1; i <= 3; ++i) {
        parts.push_back(path("part-" + std::to_string(i) + ".csv"));
        const CliResult p = batch({table, "--shard", std::to_string(i) + "/3", "-o", parts.back()});
        ASSERT_EQ(p.code, cli::Success) << p.err;
    }
    // Shard 1 of 3 holds cases 1, 4 and 7.
    const cli::CsvTable first = cli::ParseCsv(readFile(parts[0]));
    ASSERT_EQ(first.rows.size(), 3u);
    EXPECT_EQ(first.rows[2].cells[2], "7");

    const CliResult merged = merge({parts[2], parts[0], parts[1], "-o", path("merged.csv")});
    ASSERT_EQ(merged.code, cli::Success) << merged.err;
    EXPECT_EQ(withoutRunTimes(readFile(path("merged.csv"))), withoutRunTimes(whole.out));

    // A missing shard is told, and nothing is written unless a partial merge is asked for.
    CliResult r = merge({parts[0], parts[2], "-o", path("partial.csv")});
    EXPECT_EQ(r.code, cli::ReadFailed);
    EXPECT_EQ(r.err, "2 cases are in no summary: 2, 5\n");
    EXPECT_FALSE(fs::exists(path("partial.csv")));
    r = merge({parts[0], parts[2], "--partial"});
    EXPECT_EQ(r.code, cli::Success);
    EXPECT_EQ(cli::ParseCsv(r.out).rows.size(), 5u);
    EXPECT_EQ(r.err, "Warning: 2 cases are in no summary: 2, 5\n");

    r = merge({parts[0], parts[1], parts[0]});
    EXPECT_EQ(r.code, cli::ReadFailed);
    EXPECT_EQ(r.err, "case 1 is in " + parts[0] + " and in " + parts[0] + ".\n");

    const CliResult other = batch({kBatch + "/bad-rows.csv", "-o", path("other.csv")});
    r = merge({parts[0], path("other.csv")});
    EXPECT_EQ(r.code, cli::ReadFailed);
    EXPECT_EQ(r.err, path("other.csv") + " does not have the columns of " + parts[0] + ".\n");

    r = merge({kBatch + "/mixed.csv"});
    EXPECT_EQ(r.code, cli::ReadFailed);
    EXPECT_EQ(r.err, kBatch + "/mixed.csv is not a summary of quibel-cli batch.\n");
    r = merge({path("no-such-summary.csv")});
    EXPECT_EQ(r.code, cli::ReadFailed);
}

TEST_F(BatchCommandTest, QuestionsAreAnsweredByThePolicy) {
    // A dry start-up block under four times its pulse lifts off its base: the run asks whether
    // to stop.
    std::ofstream(path("cases.csv")) << "case;project;AnalysisKind;h_scale;Hr;U\n"
                                     << "lifts;" << kStartup << ";SlidingAndRocking;4;0;0\n";
    const char* question = "Block is no longer in contatc with lower section of the dam. It is "
                           "recommended to stop the analysis.";
    Row row = summaryByCase(batch({path("cases.csv")}).out).at("lifts");
    EXPECT_EQ(row.at("status"), "completed");
    EXPECT_EQ(row.at("remarks"), question);
    EXPECT_EQ(row.at("samples"), "201");

    row = summaryByCase(batch({path("cases.csv"), "--on-question", "stop"}).out).at("lifts");
    EXPECT_EQ(row.at("status"), "stopped");
    EXPECT_EQ(row.at("message"), question);
    EXPECT_EQ(row.at("remarks"), "");
    EXPECT_LT(std::stoi(row.at("samples")), 201);
}

TEST_F(BatchCommandTest, UsageAndOutputProblemsStopBeforeAnyRun) {
    const std::string table = kBatch + "/mixed.csv";
    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{},
                                               {table, "--jobs", "0"},
                                               {table, "--jobs", "two"},
                                               {table, "--shard", "4/3"},
                                               {table, "--shard", "0/3"},
                                               {table, "--shard", "1"},
                                               {table, "--on-question", "maybe"},
                                               {table, "--precision", "high"},
                                               {table, "extra.csv"}}) {
        const CliResult r = batch(args);
        EXPECT_EQ(r.code, cli::UsageError);
        EXPECT_EQ(r.err.rfind("usage: quibel-cli batch CASES.csv", 0), 0u) << r.err;
    }
    CliResult r = batch({path("no-such-table.csv")});
    EXPECT_EQ(r.code, cli::ReadFailed);
    EXPECT_EQ(r.err,
              "Unable to read " + path("no-such-table.csv") + ": No such file or directory\n");
    std::ofstream(path("not-a-table.csv")) << "name;value\n";
    r = batch({path("not-a-table.csv")});
    EXPECT_EQ(r.code, cli::ReadFailed);
    EXPECT_EQ(r.err, path("not-a-table.csv") + " is not a case table: it has no project column.\n");

    r = batch({table, "-o", path("no-such-folder/summary.csv"), "--results-dir", path("res")});
    EXPECT_EQ(r.code, cli::WriteFailed);
    EXPECT_NE(r.err.find("No such file or directory"), std::string::npos);
    EXPECT_FALSE(fs::exists(path("res")));
    std::ofstream(path("plain-file")) << "x";
    r = batch({table, "--results-dir", path("plain-file")});
    EXPECT_EQ(r.code, cli::WriteFailed);
    EXPECT_EQ(r.err, "Unable to write file " + path("plain-file") + ": Not a directory\n");
}

TEST_F(BatchCommandTest, CommandsAreListedAndWired) {
    std::ostringstream out, err;
    EXPECT_EQ(cli::runCommandLine({"--help"}, out, err), cli::Success);
    EXPECT_NE(out.str().find("  batch CASES.csv [-o SUMMARY.csv] [--jobs N]"), std::string::npos);
    EXPECT_NE(out.str().find("  batch-merge SUMMARY-1.csv"), std::string::npos);
    std::ostringstream out2, err2;
    EXPECT_EQ(cli::runCommandLine({"batch-merge"}, out2, err2), cli::UsageError);
    EXPECT_EQ(err2.str().rfind("usage: quibel-cli batch-merge", 0), 0u);
}
