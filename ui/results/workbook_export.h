// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "reporting/result_grid.h"
#include "ui/results/text_rows.h"

#include <string>

namespace quibel {

/// Rows a worksheet can hold; a grid needs its samples plus the title and unit rows.
inline constexpr int kWorkbookMaxRows = 1048576;

/// Writes grid as a spreadsheet workbook (.xlsx) of one worksheet "Results": row 1 the column
/// titles and row 2 the units, as text (a column without unit has no cell there); then one row
/// per sample, the values as numbers shown with the decimals of their column ("0.000"). Each
/// number is held in full, as the shortest text that reads back as the same double, so that
/// the workbook computes with the very values of the run (-0 is held as 0, and a value that is
/// no number as the error #NUM!). The file is written whole or not at all: a failure leaves
/// any earlier file of that name untouched and returns false with the reason in error (also
/// for a grid with more rows than a worksheet holds). progress, when given, hears of the rows
/// written now and then; returning false cancels: no file is left, false is returned and error
/// is emptied. The workbook is written in bounded memory, row by row, its worksheet deflated on
/// worker threads (the calling thread only writes the text).
[[nodiscard]] bool WriteGridWorkbook(const ResultGrid& grid, const std::string& path,
                                     std::string* error, const ExportProgress& progress = {});

} // namespace quibel
