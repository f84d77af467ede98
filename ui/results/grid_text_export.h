// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "reporting/result_grid.h"
#include "ui/results/text_rows.h"

#include <string>

namespace quibel {

// The cells of the result grid as the spreadsheet shows them, and its text exports. Row 0
// holds the column titles, row 1 the units, row k + 1 the output sample k; numbers are written
// in the grid's formats with decimalSeparator.

/// Rows of the sheet: the two fixed rows and one per sample.
int GridSheetRows(const ResultGrid& grid) noexcept;

/// Text of the cell (row, column) of the sheet; empty outside it.
std::string GridSheetText(const ResultGrid& grid, int row, int column, char decimalSeparator);

/// One line per row (CR LF), cells separated by delimiter. A cell that holds the delimiter, a
/// double quote or a line break is enclosed in double quotes, its own quotes doubled.
std::string GridDelimitedText(const ResultGrid& grid, char delimiter, char decimalSeparator);
/// The same, line by line; grid must outlive the rows.
TextRows GridDelimitedRows(const ResultGrid& grid, char delimiter, char decimalSeparator);

/// One line per row (CR LF), every column padded with blanks to the width of its longest cell
/// and one blank more; numbers right-aligned, titles and units left-aligned; no blanks at the
/// end of a line.
std::string GridFixedWidthText(const ResultGrid& grid, char decimalSeparator);
/// The same, line by line (the column widths are measured first); grid must outlive the rows.
TextRows GridFixedWidthRows(const ResultGrid& grid, char decimalSeparator);

/// The block of rows firstRow..lastRow and columns firstColumn..lastColumn (bounds included,
/// clamped to the sheet) for the clipboard: cells separated by tabs, rows by line feeds.
std::string GridBlockText(const ResultGrid& grid, int firstRow, int lastRow, int firstColumn,
                          int lastColumn, char decimalSeparator);

} // namespace quibel
