// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/results/grid_text_export.h"

#include "reporting/report_numbers.h"

#include <algorithm>
#include <vector>

namespace quibel {

namespace {

std::string quoted(const std::string& cell, char delimiter) {
    if (cell.find_first_of(std::string{delimiter, '"', '\n', '\r'}) == std::string::npos)
        return cell;
    std::string s = "\"";
    for (char c : cell) {
        if (c == '"')
            s += '"';
        s += c;
    }
    return s + '"';
}

// The text of sample row of column, appended to out with decimalSeparator; nothing past the
// column's last value.
void appendNumber(std::string& out, const GridColumn& column, int row, char decimalSeparator) {
    if (row >= static_cast<int>(column.values.size()))
        return;
    const std::size_t from = out.size();
    AppendGridCell(out, column, row, GridPrecision::Grid);
    replaceDecimalSeparator(out, from, decimalSeparator);
}

int columnCount(const ResultGrid& grid) noexcept {
    return static_cast<int>(grid.columns.size());
}

} // namespace

int GridSheetRows(const ResultGrid& grid) noexcept {
    return grid.columns.empty() ? 0 : grid.rows() + 2;
}

std::string GridSheetText(const ResultGrid& grid, int row, int column, char decimalSeparator) {
    if (column < 0 || column >= columnCount(grid) || row < 0 || row >= GridSheetRows(grid))
        return {};
    const GridColumn& c = grid.columns[static_cast<std::size_t>(column)];
    if (row == 0)
        return c.title;
    if (row == 1)
        return c.unit;
    std::string s;
    appendNumber(s, c, row - 2, decimalSeparator);
    return s;
}

std::string GridDelimitedText(const ResultGrid& grid, char delimiter, char decimalSeparator) {
    return joinRows(GridDelimitedRows(grid, delimiter, decimalSeparator));
}

TextRows GridDelimitedRows(const ResultGrid& grid, char delimiter, char decimalSeparator) {
    return {static_cast<std::size_t>(GridSheetRows(grid)),
            [&grid, delimiter, decimalSeparator](std::size_t line, std::string& out) {
                const int r = static_cast<int>(line);
                // A number needs no quotes unless its separator is the delimiter.
                const bool plainNumbers = r >= 2 && decimalSeparator != delimiter;
                for (int c = 0; c < columnCount(grid); ++c) {
                    if (c > 0)
                        out += delimiter;
                    if (plainNumbers)
                        appendNumber(out, grid.columns[static_cast<std::size_t>(c)], r - 2,
                                     decimalSeparator);
                    else
                        out += quoted(GridSheetText(grid, r, c, decimalSeparator), delimiter);
                }
                out += "\r\n";
            }};
}

std::string GridFixedWidthText(const ResultGrid& grid, char decimalSeparator) {
    return joinRows(GridFixedWidthRows(grid, decimalSeparator));
}

TextRows GridFixedWidthRows(const ResultGrid& grid, char decimalSeparator) {
    const int rows = GridSheetRows(grid);
    const int columns = columnCount(grid);
    std::vector<std::size_t> widths(static_cast<std::size_t>(columns), 0);
    for (int c = 0; c < columns; ++c)
        for (int r = 0; r < rows; ++r)
            widths[static_cast<std::size_t>(c)] =
                std::max(widths[static_cast<std::size_t>(c)],
                         utf8Length(GridSheetText(grid, r, c, decimalSeparator)));
    return {static_cast<std::size_t>(rows), [&grid, decimalSeparator, widths = std::move(widths)](
                                                std::size_t row, std::string& out) {
                const int r = static_cast<int>(row);
                std::string line;
                for (std::size_t c = 0; c < widths.size(); ++c) {
                    const std::string cell =
                        GridSheetText(grid, r, static_cast<int>(c), decimalSeparator);
                    const std::size_t blanks = widths[c] - utf8Length(cell);
                    if (c > 0)
                        line += ' ';
                    if (r >= 2)
                        line += std::string(blanks, ' ') + cell;
                    else
                        line += cell + std::string(blanks, ' ');
                }
                line.erase(line.find_last_not_of(' ') + 1);
                out += line + "\r\n";
            }};
}

std::string GridBlockText(const ResultGrid& grid, int firstRow, int lastRow, int firstColumn,
                          int lastColumn, char decimalSeparator) {
    firstRow = std::max(firstRow, 0);
    firstColumn = std::max(firstColumn, 0);
    lastRow = std::min(lastRow, GridSheetRows(grid) - 1);
    lastColumn = std::min(lastColumn, columnCount(grid) - 1);
    std::string out;
    for (int r = firstRow; r <= lastRow; ++r) {
        for (int c = firstColumn; c <= lastColumn; ++c) {
            if (c > firstColumn)
                out += '\t';
            out += GridSheetText(grid, r, c, decimalSeparator);
        }
        out += '\n';
    }
    return out;
}

} // namespace quibel
