// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/study/case_table.h"

#include "cli/batch/csv.h"
#include "cli/batch/number.h"
#include "cli/batch/summary.h"

#include <algorithm>
#include <array>
#include <filesystem>

namespace quibel::cli {

namespace {

using study::RecordComponent;
using study::StudyDescription;
using study::StudyRecord;

constexpr std::array<std::string_view, 7> kRecordColumns{"file",  "format", "step", "workbook",
                                                         "sheet", "record", "scale"};

std::string absolute(const std::string& path) {
    return path.empty() ? path : std::filesystem::absolute(path).lexically_normal().string();
}

// The cells of a record under kRecordColumns.
std::array<std::string, 7> recordCells(const StudyRecord& r, double scale) {
    return {absolute(r.file),
            r.file.empty() ? "" : r.format,
            r.step ? ShortestText(*r.step) : "",
            absolute(r.workbook),
            r.sheet,
            r.record,
            ShortestText(scale)};
}

std::string prefix(RecordComponent c) {
    return c == RecordComponent::Vertical ? "v_" : "h_";
}

// The table: a header, then one line per entry of rows (record index, scale, parameter set).
struct Row {
    std::string name;
    const StudyRecord* record;
    double scale;
    const std::vector<double>* set;
};

std::string table(const StudyDescription& study, const std::vector<Row>& rows) {
    const bool vertical =
        std::any_of(study.records.begin(), study.records.end(),
                    [](const StudyRecord& r) { return r.component == RecordComponent::Vertical; });
    const bool horizontal =
        std::any_of(study.records.begin(), study.records.end(), [](const StudyRecord& r) {
            return r.component == RecordComponent::Horizontal;
        });
    std::vector<std::string> header{"case", "project"};
    for (const RecordComponent c : {RecordComponent::Horizontal, RecordComponent::Vertical})
        if (c == RecordComponent::Horizontal ? horizontal : vertical)
            for (std::string_view col : kRecordColumns)
                header.push_back(prefix(c) + std::string(col));
    for (const study::StudyParameter& p : study.parameters)
        header.push_back(p.field);
    std::vector<std::vector<std::string>> lines;
    const std::string project = absolute(study.project);
    for (const Row& row : rows) {
        std::vector<std::string> cells{row.name, project};
        for (const RecordComponent c : {RecordComponent::Horizontal, RecordComponent::Vertical}) {
            if (!(c == RecordComponent::Horizontal ? horizontal : vertical))
                continue;
            std::array<std::string, 7> record{};
            if (row.record->component == c)
                record = recordCells(*row.record, row.scale);
            cells.insert(cells.end(), record.begin(), record.end());
        }
        if (row.set)
            for (double v : *row.set)
                cells.push_back(ShortestText(v));
        else
            cells.resize(header.size());
        lines.push_back(std::move(cells));
    }
    // A column no row fills would only be remarked by the batch.
    std::vector<bool> filled(header.size(), false);
    for (const auto& cells : lines)
        for (std::size_t i = 0; i < cells.size(); ++i)
            filled[i] = filled[i] || !cells[i].empty();
    const auto kept = [&](const std::vector<std::string>& cells) {
        std::vector<std::string> out;
        for (std::size_t i = 0; i < cells.size(); ++i)
            if (filled[i] || i < 2)
                out.push_back(cells[i]);
        return CsvLine(out, kSummarySeparator);
    };
    std::string text = kept(header);
    for (const auto& cells : lines)
        text += kept(cells);
    return text;
}

} // namespace

std::string StudyCaseTable(const StudyDescription& study, const study::StudyPlan& plan,
                           const std::vector<std::vector<double>>& scales) {
    std::vector<Row> rows;
    for (const study::StudyCase& c : plan.cases)
        rows.push_back(
            {c.name, &study.records[static_cast<std::size_t>(c.record)],
             scales[static_cast<std::size_t>(c.record)][static_cast<std::size_t>(c.level)],
             &plan.sets[static_cast<std::size_t>(c.set)]});
    return table(study, rows);
}

std::string StudyRecordTable(const StudyDescription& study) {
    std::vector<Row> rows;
    for (const StudyRecord& r : study.records)
        rows.push_back({r.name, &r, 1.0, nullptr});
    return table(study, rows);
}

} // namespace quibel::cli
