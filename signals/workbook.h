// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace quibel {

/// The content of one spreadsheet cell, as the earthquake database reads it.
struct WorkbookCell final {
    enum class Type {
        Empty,  ///< nothing in the cell, or a cell outside the used area of the sheet
        Number, ///< a number (integer or real)
        Text,   ///< a text, UTF-8 (dates and times come as their text too)
    };

    Type Kind = Type::Empty;
    double Number = 0.0; ///< when Kind is Number
    std::string Text;    ///< when Kind is Text

    bool operator==(const WorkbookCell&) const = default;
};

/// Read access to the cells of a spreadsheet workbook. Worksheets, rows and columns are counted
/// from 1 (column 1 = A). The earthquake database reads its workbooks through this interface,
/// so it can be given a file reader or, in tests, cells held in memory.
class Workbook {
public:
    virtual ~Workbook() = default;

    /// Number of worksheets.
    virtual int sheetCount() const = 0;
    /// Name of worksheet `sheet` as shown on its tab; empty outside 1..sheetCount().
    virtual std::string sheetName(int sheet) const = 0;
    /// The cell at row, column of worksheet `sheet`; Empty outside the sheet.
    virtual WorkbookCell cell(int sheet, int row, int column) const = 0;
};

} // namespace quibel
