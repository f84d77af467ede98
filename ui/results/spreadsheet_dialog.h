// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/project_record.h"
#include "reporting/result_grid.h"
#include "texts/text_catalogue.h"
#include "ui/results/text_rows.h"

#include <QDialog>

class QLineEdit;
class QTableView;

namespace quibel {

class FrozenColumnTable;
class ResultGridTableModel;
class UserPrompts;

/// The spreadsheet of the results: every result series of the last analysis side by side, one
/// row per output sample, under a title row and a unit row (the core's result grid, the same
/// that quibel-cli run writes). It exports the sheet to a workbook (.xlsx), to a CSV file with
/// ";" between the cells and to a fixed-width text file, copies the whole sheet or the
/// selected cells to the clipboard, and finds a text in the cells.
///
/// Sheet rows are numbered as the exports write them: row 0 the titles, row 1 the units, row
/// k + 1 the sample k. Numbers carry the decimal separator of the user's regional settings.
class SpreadsheetDialog final : public QDialog {
    Q_OBJECT
public:
    /// model and prompts must outlive the window: the grid is built when the window opens and
    /// views model's series.
    SpreadsheetDialog(const TBlocStatic& model, Language language, UserPrompts& prompts,
                      QWidget* parent = nullptr);
    SpreadsheetDialog(const TBlocStatic&& model, Language language, UserPrompts& prompts,
                      QWidget* parent = nullptr) = delete;
    ~SpreadsheetDialog() override;

    void exportWorkbook();
    void exportCsv();
    void exportText();
    /// Prints the sheet as the text export lays it out, in a fixed-width font, page by page
    /// (the pages the print dialog names, or all).
    void printSheet();
    /// The whole sheet, titles and units included, to the clipboard (cells separated by tabs).
    void copySheet();
    /// The block of cells the selection spans to the clipboard.
    void copySelection();
    /// Shows the find box.
    void findText();
    /// Selects the next cell after the current one (row by row, starting again at the top)
    /// whose text contains text, ignoring case; false, with a message, when there is none.
    bool findNext(const QString& text);

    const ResultGrid& grid() const noexcept { return mGrid; }
    int sheetRows() const noexcept;
    int sheetColumns() const noexcept { return static_cast<int>(mGrid.columns.size()); }
    /// The text of the sheet's cell, as the window shows and exports it.
    QString cellText(int row, int column) const;
    /// The sheet; its first column (the time) stays in view when it scrolls right.
    FrozenColumnTable& table() const noexcept { return *mTable; }

private:
    /// Each column as wide as its widest text among the first and the last rows.
    void fitColumns();
    QString askFile(const char* titleKey, const char* filterKey, const QString& suffix);
    void writeRows(const QString& path, const TextRows& rows);
    void showSaveError(const QString& path, const QString& reason);

    Language mLanguage;
    UserPrompts& mPrompts;
    ResultGrid mGrid;
    char mDecimalSeparator = '.';
    ResultGridTableModel* mModel = nullptr;
    FrozenColumnTable* mTable = nullptr;
    QDialog* mFindBox = nullptr;
    QLineEdit* mFindEdit = nullptr;
};

} // namespace quibel
