// SPDX-License-Identifier: GPL-3.0-or-later
#include "signals/earthquake_database.h"

#include "numeric/error.h"
#include "signals/number_stream_reader.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace quibel {

namespace {

// A cell as the text a user sees in it: the text itself, or a number in its shortest decimal
// form (a record titled 1940 reads "1940").
std::string cellText(const WorkbookCell& cell) {
    if (cell.Kind == WorkbookCell::Type::Text)
        return cell.Text;
    if (cell.Kind == WorkbookCell::Type::Number) {
        char buffer[32];
        const auto result = std::to_chars(buffer, buffer + sizeof buffer, cell.Number);
        return std::string(buffer, result.ptr);
    }
    return {};
}

// Keeps the first maxChars characters of a UTF-8 text, never cutting a character in two.
std::string cutCharacters(std::string text, int maxChars) {
    int chars = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if ((byte & 0xC0) != 0x80) { // not a continuation byte: a character starts here
            if (chars == maxChars) {
                text.resize(i);
                break;
            }
            ++chars;
        }
    }
    return text;
}

std::optional<double> cellNumber(const WorkbookCell& cell) {
    if (cell.Kind == WorkbookCell::Type::Number)
        return std::isfinite(cell.Number) ? std::optional<double>(cell.Number) : std::nullopt;
    if (cell.Kind == WorkbookCell::Type::Text) {
        const std::string_view text = cell.Text;
        const auto first = text.find_first_not_of(" \t");
        if (first == std::string_view::npos)
            return std::nullopt;
        const auto last = text.find_last_not_of(" \t");
        return ParseDecimalToken(text.substr(first, last - first + 1));
    }
    return std::nullopt;
}

constexpr int kTitleRow = 2;
constexpr int kCountRow = 3;
constexpr int kStepRow = 4;
constexpr int kFirstSampleRow = 5;

} // namespace

std::optional<std::string_view> DatabaseFileName(HistoryKind kind) noexcept {
    switch (kind) {
    case HistoryKind::HorizontalAcceleration:
        return kHorizontalDatabaseFile;
    case HistoryKind::VerticalAcceleration:
        return kVerticalDatabaseFile;
    default:
        return std::nullopt;
    }
}

std::string ColumnName(int column) {
    // Bijective base 26: A..Z are 1..26, so there is no digit for zero.
    std::string name;
    while (column > 0) {
        const int digit = (column - 1) % 26;
        name.insert(name.begin(), static_cast<char>('A' + digit));
        column = (column - 1) / 26;
    }
    return name;
}

std::string CellName(int row, int column) {
    return ColumnName(column) + std::to_string(row);
}

DatabaseCatalogue ReadDatabaseCatalogue(const Workbook& book, Language language) {
    DatabaseCatalogue catalogue;
    const int sheets = book.sheetCount();
    if (sheets > kMaxDatabaseSheets)
        catalogue.Truncated = true;
    const int ownColumn = language == Language::English ? 1 : 2;
    const int otherColumn = 3 - ownColumn;
    for (int j = 1; j <= std::min(sheets, kMaxDatabaseSheets); ++j) {
        if (static_cast<int>(catalogue.Nodes.size()) >= kMaxDatabaseNodes) {
            catalogue.Truncated = true;
            break;
        }
        std::string title = cellText(book.cell(j, 1, ownColumn));
        if (title.empty())
            title = cellText(book.cell(j, 1, otherColumn));
        if (title.empty())
            title = book.sheetName(j);
        catalogue.Nodes.push_back({cutCharacters(std::move(title), kMaxDatabaseTitle), 0, 0});
        for (int k = 1; k < std::numeric_limits<int>::max(); ++k) {
            std::string name = cellText(book.cell(j, kTitleRow, k + 1));
            if (name.empty())
                break;
            if (static_cast<int>(catalogue.Nodes.size()) >= kMaxDatabaseNodes) {
                catalogue.Truncated = true;
                break;
            }
            catalogue.Nodes.push_back({cutCharacters(std::move(name), kMaxDatabaseTitle), j, k});
        }
    }
    return catalogue;
}

SignalSamples ReadDatabaseRecord(const Workbook& book, int sheet, int record) {
    const int column = record + 1;
    const std::string sheetName = book.sheetName(sheet);
    if (record < 1 || cellText(book.cell(sheet, kTitleRow, column)).empty())
        throw Error(Message("signals.database_no_record", {sheetName, ColumnName(column)}));

    const std::optional<double> count = cellNumber(book.cell(sheet, kCountRow, column));
    // The count must be whole: a fractional one is a damaged cell, not a truncation to make.
    if (!count || *count < 1.0 || *count != std::floor(*count) ||
        *count > std::numeric_limits<int>::max() - kFirstSampleRow)
        throw Error(
            Message("signals.database_bad_count", {sheetName, CellName(kCountRow, column)}));
    const std::optional<double> step = cellNumber(book.cell(sheet, kStepRow, column));
    // A zero or negative step gives a table that cannot be evaluated in time.
    if (!step || !(*step > 0.0))
        throw Error(Message("signals.database_bad_step", {sheetName, CellName(kStepRow, column)}));

    const int n = static_cast<int>(*count);
    // The samples are read before the series are sized, so that a damaged count (say 10^9)
    // fails at the first empty cell instead of reserving memory it does not need.
    std::vector<double> samples;
    for (int i = 1; i <= n; ++i) {
        const int row = kFirstSampleRow + i - 1;
        const std::optional<double> value = cellNumber(book.cell(sheet, row, column));
        if (!value)
            throw Error(Message("signals.database_bad_sample", {sheetName, CellName(row, column)}));
        samples.push_back(*value);
    }

    SignalSamples result{TVector(n), TVector(n)};
    for (int i = 1; i <= n; ++i) {
        result.Times.set(i, (i - 1) * *step);
        result.Values.set(i, samples[static_cast<std::size_t>(i - 1)]);
    }
    return result;
}

} // namespace quibel
