// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/batch/merge.h"

#include "cli/batch/csv.h"
#include "cli/batch/summary.h"
#include "numeric/error.h"

#include <charconv>
#include <map>
#include <optional>

namespace quibel::cli {

namespace {

std::optional<int> wholeNumber(const std::string& text) {
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

bool isSummaryHeader(const std::vector<std::string>& header) {
    const std::vector<std::string> start = SummaryHeader({});
    // The fixed columns open and close every summary; the case table's own lie between.
    if (header.size() < start.size())
        return false;
    for (std::size_t i = 0; i < kCaseIndexColumn + 2; ++i)
        if (header[i] != start[i])
            return false;
    return header.back() == kRunTimeColumn;
}

struct Row {
    std::vector<std::string> cells;
    std::size_t file = 0;
};

} // namespace

MergedSummary MergeSummaries(const std::vector<SummaryFile>& files) {
    std::vector<std::string> header;
    std::optional<int> count;
    std::map<int, Row> rows;
    for (std::size_t f = 0; f < files.size(); ++f) {
        const SummaryFile& file = files[f];
        const CsvTable table = ParseCsv(file.text);
        if (table.separator != kSummarySeparator || !isSummaryHeader(table.header.cells))
            throw Error(Message("cli.merge.not_summary", {file.name}));
        if (f == 0)
            header = table.header.cells;
        else if (table.header.cells != header)
            throw Error(Message("cli.merge.other_header", {file.name, files[0].name}));
        for (const CsvRow& r : table.rows) {
            const std::optional<int> index = r.cells.size() == header.size()
                                                 ? wholeNumber(r.cells[kCaseIndexColumn])
                                                 : std::nullopt;
            const std::optional<int> total =
                index ? wholeNumber(r.cells[kCaseIndexColumn + 1]) : std::nullopt;
            if (!index || !total || *index < 1 || *index > *total)
                throw Error(Message("cli.merge.not_summary", {file.name}));
            if (!count)
                count = *total;
            else if (*count != *total)
                throw Error(Message("cli.merge.other_count", {file.name, files[0].name}));
            const auto [it, fresh] = rows.try_emplace(*index, Row{r.cells, f});
            if (!fresh)
                throw Error(Message("cli.merge.twice", {std::to_string(*index),
                                                        files[it->second.file].name, file.name}));
        }
    }
    MergedSummary merged;
    if (header.empty())
        return merged;
    merged.text = CsvLine(header, kSummarySeparator);
    int expected = 1;
    for (const auto& [index, row] : rows) {
        for (; expected < index; ++expected)
            merged.missing.push_back(expected);
        expected = index + 1;
        merged.text += CsvLine(row.cells, kSummarySeparator);
    }
    for (; count && expected <= *count; ++expected)
        merged.missing.push_back(expected);
    return merged;
}

} // namespace quibel::cli
