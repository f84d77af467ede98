// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/enums.h"
#include "signals/signal_samples.h"
#include "signals/workbook.h"
#include "texts/text_catalogue.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quibel {

// The earthquake database: two workbooks beside the program, one of horizontal and one of
// vertical base accelerations. Every worksheet is a group of records laid out as:
//   row 1: column A the worksheet's title in English, column B in French;
//   row 2, column k + 1: title of record k (k = 1, 2, ...; the first empty title ends the list);
//   row 3, column k + 1: n, the number of samples of record k;
//   row 4, column k + 1: dt, its time step, s;
//   rows 5 .. 4 + n, column k + 1: the n accelerations, g, in time order.

inline constexpr std::string_view kHorizontalDatabaseFile = "Earthquakes - horizontal.xls";
inline constexpr std::string_view kVerticalDatabaseFile = "Earthquakes - vertical.xls";

/// Most worksheets read from a workbook, and most nodes (worksheets and records together) in
/// the tree; what lies beyond is not listed.
inline constexpr int kMaxDatabaseSheets = 100;
inline constexpr int kMaxDatabaseNodes = 5001;
/// Node texts (and so the titles of loaded records) are cut to this many characters.
inline constexpr int kMaxDatabaseTitle = 255;

/// The workbook of a history: horizontal for the horizontal base acceleration, vertical for
/// the vertical one, none for the force histories, which have no database.
std::optional<std::string_view> DatabaseFileName(HistoryKind kind) noexcept;

/// Spreadsheet name of a column: 1 = A ... 26 = Z, 27 = AA ... 52 = AZ, 53 = BA. Empty below 1.
std::string ColumnName(int column);
/// Spreadsheet name of a cell, e.g. "B5" for row 5 of column 2.
std::string CellName(int row, int column);

/// One node of the database tree with its entry in the selection table.
struct DatabaseNode final {
    std::string Text; ///< worksheet or record title, at most kMaxDatabaseTitle characters
    int Sheet = 0;    ///< worksheet of a record node; 0 for a worksheet node
    int Record = 0;   ///< k of a record node (its data in column k + 1); 0 for a worksheet node

    bool isRecord() const noexcept { return Record != 0; }
    bool operator==(const DatabaseNode&) const = default;
};

/// The tree of a workbook: in node order, every worksheet node followed by its record nodes.
struct DatabaseCatalogue final {
    std::vector<DatabaseNode> Nodes;
    /// Set when the workbook holds more than kMaxDatabaseSheets worksheets or more than
    /// kMaxDatabaseNodes nodes: the tree lists only the first ones.
    bool Truncated = false;
};

/// Lists the worksheets and records of book. Worksheet titles come from column A in English and
/// column B in French; an empty title falls back to the other language's, then to the tab
/// name. Cells holding numbers are listed as their shortest decimal text.
DatabaseCatalogue ReadDatabaseCatalogue(const Workbook& book, Language language);

/// The samples of record k of worksheet j: time i = (i - 1) * dt (s) and the i-th
/// acceleration (g), i = 1 .. n. Throws, naming the worksheet's tab and the cell:
/// - Error("signals.database_bad_count", {sheet, cell}) when n is not a whole number >= 1;
/// - Error("signals.database_bad_step", {sheet, cell}) when dt is not a number > 0;
/// - Error("signals.database_bad_sample", {sheet, cell}) when a sample cell is empty or is not
///   a number (the record is shorter than its n says, or was damaged);
/// - Error("signals.database_no_record", {sheet, column}) when the record has no title.
/// A number written as text with "." as the decimal separator is read as that number.
SignalSamples ReadDatabaseRecord(const Workbook& book, int sheet, int record);

} // namespace quibel
