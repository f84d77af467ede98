// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quibel::cli {

/// One line of a delimited table with its cells.
struct CsvRow final {
    int line = 0; ///< line number in the file, from 1 (where the row starts)
    std::vector<std::string> cells;
};

/// A delimited table as read from a text file: a header row, then data rows.
struct CsvTable final {
    char separator = ';';
    CsvRow header;
    std::vector<CsvRow> rows;
};

/// Reads a table in the form spreadsheets save it. The separator is found on the header line:
/// ";" when it holds one (outside quotes), otherwise a tab, otherwise ",". A cell may be
/// quoted with '"' (a doubled '"' stands for one), and may then hold separators and line
/// breaks; blanks around an unquoted cell are dropped. Blank lines and lines whose first
/// non-blank character is '#' are skipped. A UTF-8 byte-order mark and "\r\n" line ends are
/// accepted. The first remaining line is the header; a table without one has no header cells.
/// Throws Error("cli.batch.unclosed_quote", {line}) for a quote that is never closed.
CsvTable ParseCsv(std::string_view text);

/// Whether two column names are the same, ignoring the case of ASCII letters.
bool SameColumnName(std::string_view a, std::string_view b) noexcept;

/// cells as one line of a table separated by separator, ending with "\n". A cell holding the
/// separator, a '"', a line break or surrounding blanks is quoted, so ParseCsv reads it back.
std::string CsvLine(const std::vector<std::string>& cells, char separator);

} // namespace quibel::cli
