// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/batch/summary.h"

#include "cli/batch/csv.h"
#include "cli/batch/number.h"
#include "engine/run/number_text.h"
#include "model/unit_tables.h"

namespace quibel::cli {

namespace {

constexpr std::string_view kResultColumns[] = {
    "analysis",
    "status",
    "error_code",
    "message",
    "remarks",
    "steps",
    "samples",
    "end_time_s",
    "length_unit",
    "peak_sliding",
    "residual_sliding",
    "peak_rotation_rad",
    "min_sliding_sf",
    "min_overturning_sf",
    "max_abs_energy_error_pct",
    "max_rel_energy_error_pct",
};

// The intensity measures of the horizontal record as run, after the run's own values and
// before its time, which stays last (the one column that differs between two runs).
constexpr std::string_view kMeasureColumns[] = {
    "h_pga_g",     "h_t_pga_s", "h_pgv_m_s", "h_t_pgv_s", "h_pgd_m", "h_t_pgd_s",
    "h_arias_m_s", "h_d5_95_s", "h_d5_75_s", "h_cav_m_s", "h_tm_s",  "h_tp_s",
};

void appendMeasures(const std::optional<IntensityMeasures>& m, std::vector<std::string>& row) {
    if (!m) {
        row.resize(row.size() + std::size(kMeasureColumns));
        return;
    }
    for (double v : {m->Pga, m->TPga, m->Pgv, m->TPgv, m->Pgd, m->TPgd, m->Arias, m->D5_95,
                     m->D5_75, m->Cav, m->Tm, m->Tp})
        row.push_back(ShortestText(v));
}

bool isCaseColumn(const std::string& name) {
    return SameColumnName(name, "case");
}

std::string_view analysisName(AnalysisKind kind) {
    switch (kind) {
    case AnalysisKind::Sliding:
        return "sliding";
    case AnalysisKind::Rocking:
        return "rocking";
    case AnalysisKind::SlidingAndRocking:
        return "sliding_and_rocking";
    }
    return "";
}

// A message on one line: the "\r" and "\n" breaks of message boxes become blanks.
std::string oneLine(std::string text) {
    for (char& c : text)
        if (c == '\r' || c == '\n')
            c = ' ';
    return text;
}

// The number of a convergence error: the digits that end the key of its message.
std::string errorCode(const Message& m) {
    const std::size_t underscore = m.key.rfind('_');
    if (underscore == std::string::npos || underscore + 1 == m.key.size())
        return {};
    const std::string digits = m.key.substr(underscore + 1);
    return digits.find_first_not_of("0123456789") == std::string::npos ? digits : std::string();
}

std::string number(const std::optional<double>& v) {
    return v ? ShortestText(*v) : std::string();
}

} // namespace

std::string_view CaseEndName(CaseEnd end) noexcept {
    switch (end) {
    case CaseEnd::Completed:
        return "completed";
    case CaseEnd::Stopped:
        return "stopped";
    case CaseEnd::StepFailure:
        return "step_failure";
    case CaseEnd::ChecksFailed:
        return "checks_failed";
    case CaseEnd::InputError:
        return "input_error";
    case CaseEnd::WriteFailed:
        return "write_failed";
    }
    return "";
}

std::string CaseMessageText(const CaseResult& r, Language language) {
    if (r.message.key.empty())
        return {};
    const std::string text = oneLine(render(language, r.message));
    if (r.file.empty() || text.find(r.file) != std::string::npos)
        return text;
    return r.file + ": " + text;
}

std::vector<std::string> SummaryHeader(const std::vector<std::string>& tableColumns) {
    std::vector<std::string> header{"case", "row", "case_index", "case_count"};
    for (const std::string& c : tableColumns)
        if (!isCaseColumn(c))
            header.push_back(c);
    for (std::string_view c : kResultColumns)
        header.emplace_back(c);
    for (std::string_view c : kMeasureColumns)
        header.emplace_back(c);
    header.emplace_back(kRunTimeColumn);
    return header;
}

std::vector<std::string> SummaryRow(const std::vector<std::string>& tableColumns,
                                    const BatchCase& c, const CaseResult& r, int caseCount,
                                    Language language) {
    std::vector<std::string> row{c.name, std::to_string(c.row), std::to_string(c.index),
                                 std::to_string(caseCount)};
    for (std::size_t i = 0; i < tableColumns.size(); ++i)
        if (!isCaseColumn(tableColumns[i]))
            row.push_back(i < c.cells.size() ? c.cells[i] : std::string());

    const bool built = r.end != CaseEnd::InputError;
    row.emplace_back(built ? analysisName(r.kind) : "");
    row.emplace_back(CaseEndName(r.end));
    row.push_back(r.end == CaseEnd::StepFailure ? errorCode(r.message) : std::string());
    row.push_back(CaseMessageText(r, language));
    std::string remarks;
    for (const Message& m : r.remarks)
        remarks += (remarks.empty() ? "" : " | ") + oneLine(render(language, m));
    row.push_back(remarks);
    if (!r.ran) {
        row.resize(row.size() + std::size(kResultColumns) - 5);
        appendMeasures(r.horizontalMeasures, row);
        row.emplace_back();
        return row;
    }
    row.push_back(std::to_string(r.steps));
    row.push_back(std::to_string(r.samples));
    row.push_back(ShortestText(r.endTime));
    row.emplace_back(units::lengthUnit(r.units));
    row.push_back(number(r.peakSliding));
    row.push_back(number(r.residualSliding));
    row.push_back(number(r.peakRotation));
    row.push_back(number(r.minSlidingSF));
    row.push_back(number(r.minOverturningSF));
    row.push_back(ShortestText(r.maxAbsoluteEnergyError));
    row.push_back(ShortestText(r.maxRelativeEnergyError));
    appendMeasures(r.horizontalMeasures, row);
    row.push_back(fixedText(r.seconds, 3));
    return row;
}

} // namespace quibel::cli
