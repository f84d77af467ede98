// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/batch/summary.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

using namespace quibel;
using namespace quibel::cli;

namespace {

const std::vector<std::string> kTable = {"project", "Case", "PhiS"};

std::map<std::string, std::string> rowOf(const BatchCase& c, const CaseResult& r,
                                         Language lang = Language::English) {
    const std::vector<std::string> header = SummaryHeader(kTable);
    const std::vector<std::string> row = SummaryRow(kTable, c, r, 9, lang);
    EXPECT_EQ(row.size(), header.size());
    std::map<std::string, std::string> cells;
    for (std::size_t i = 0; i < header.size() && i < row.size(); ++i)
        cells[header[i]] = row[i];
    return cells;
}

BatchCase aCase() {
    BatchCase c;
    c.index = 4;
    c.row = 6;
    c.name = "c4";
    c.cells = {"p.qbl", "c4", "30"};
    return c;
}

} // namespace

TEST(BatchSummaryTest, HeaderPutsTheTableBetweenTheFixedColumns) {
    const std::vector<std::string> h = SummaryHeader(kTable);
    EXPECT_EQ(
        std::vector<std::string>(h.begin(), h.begin() + 6),
        (std::vector<std::string>{"case", "row", "case_index", "case_count", "project", "PhiS"}));
    EXPECT_EQ(h[kCaseIndexColumn], "case_index");
    EXPECT_EQ(h.back(), kRunTimeColumn);
    // The intensity measures of the horizontal record come just before the run's time.
    EXPECT_EQ(h[h.size() - 13], "h_pga_g");
    EXPECT_EQ(h[h.size() - 2], "h_tp_s");
}

TEST(BatchSummaryTest, ACompletedRunGivesEveryValueThatApplies) {
    CaseResult r;
    r.end = CaseEnd::Completed;
    r.kind = AnalysisKind::Sliding;
    r.units = UnitSystem::FtKipKip;
    r.ran = true;
    r.steps = 20000;
    r.samples = 201;
    r.endTime = 2.0;
    r.peakSliding = 0.1;
    r.residualSliding = -0.05;
    r.minSlidingSF = 0.5581376659824587;
    r.maxAbsoluteEnergyError = 1e-5;
    r.seconds = 0.01234;
    r.remarks = {Message("engine.sliding.friction_below_slope"), Message("cli.run.answer_stop")};
    r.horizontalMeasures = IntensityMeasures{.Pga = 0.35, .TPga = 2.5, .Arias = 1.25, .Tp = 0.4};
    const auto row = rowOf(aCase(), r);
    EXPECT_EQ(row.at("case"), "c4");
    EXPECT_EQ(row.at("row"), "6");
    EXPECT_EQ(row.at("case_index"), "4");
    EXPECT_EQ(row.at("case_count"), "9");
    EXPECT_EQ(row.at("PhiS"), "30");
    EXPECT_EQ(row.at("analysis"), "sliding");
    EXPECT_EQ(row.at("status"), "completed");
    EXPECT_EQ(row.at("steps"), "20000");
    EXPECT_EQ(row.at("end_time_s"), "2");
    EXPECT_EQ(row.at("length_unit"), "ft");
    EXPECT_EQ(row.at("peak_sliding"), "0.1");
    EXPECT_EQ(row.at("residual_sliding"), "-0.05");
    EXPECT_EQ(row.at("peak_rotation_rad"), "");
    EXPECT_EQ(row.at("min_sliding_sf"), "0.5581376659824587"); // reads back to the same double
    EXPECT_EQ(row.at("max_abs_energy_error_pct"), "1e-05");
    EXPECT_EQ(row.at("max_rel_energy_error_pct"), "0");
    EXPECT_EQ(row.at("run_time_s"), "0.012");
    EXPECT_NE(row.at("remarks").find(" | stop"), std::string::npos);
    EXPECT_EQ(row.at("h_pga_g"), "0.35");
    EXPECT_EQ(row.at("h_t_pga_s"), "2.5");
    EXPECT_EQ(row.at("h_arias_m_s"), "1.25");
    EXPECT_EQ(row.at("h_pgv_m_s"), "0");
    EXPECT_EQ(row.at("h_tp_s"), "0.4");
}

TEST(BatchSummaryTest, EndsAreNamedWithTheirMessages) {
    CaseResult failure;
    failure.end = CaseEnd::StepFailure;
    failure.kind = AnalysisKind::SlidingAndRocking;
    failure.ran = true;
    failure.message = Message("engine.sliding_rocking.convergence_103");
    auto row = rowOf(aCase(), failure);
    EXPECT_EQ(row.at("status"), "step_failure");
    EXPECT_EQ(row.at("error_code"), "103");
    EXPECT_EQ(row.at("message"),
              "Convergence problem.  Please use a smaller analysis time step [error code = 103].");

    CaseResult unread;
    unread.end = CaseEnd::InputError;
    unread.message = Message("file.unable_to_read");
    unread.file = "/study/p.qbl";
    row = rowOf(aCase(), unread, Language::French);
    EXPECT_EQ(row.at("analysis"), "");
    EXPECT_EQ(row.at("status"), "input_error");
    EXPECT_EQ(row.at("error_code"), "");
    EXPECT_EQ(row.at("message"), "/study/p.qbl: Impossible de lire correctement le fichier.");
    EXPECT_EQ(row.at("steps"), "");
    EXPECT_EQ(row.at("run_time_s"), "");
    EXPECT_EQ(row.at("h_pga_g"), "");

    // A message that names its file already is not given the file again.
    unread.message = Message("signals.cannot_read_file", {"/study/p.qbl"});
    EXPECT_EQ(CaseMessageText(unread, Language::English), "Cannot read the file \"/study/p.qbl\".");

    for (CaseEnd e : {CaseEnd::Completed, CaseEnd::Stopped, CaseEnd::StepFailure,
                      CaseEnd::ChecksFailed, CaseEnd::InputError, CaseEnd::WriteFailed})
        EXPECT_FALSE(CaseEndName(e).empty());
}
