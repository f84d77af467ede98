// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/project_record.h"
#include "reporting/column_values.h"
#include "texts/text_catalogue.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace quibel {

/// One column of the result grid: its title, its unit (empty when it has none) and one value
/// per output sample, most often a view of the run's series (see ColumnValues).
struct GridColumn final {
    std::string title;
    std::string unit;
    int decimals = 8; ///< the grid shows the values with "%.<decimals>f"
    ColumnValues values;
};

/// The result series of the last analysis side by side, as the spreadsheet window and the
/// command-line tool show them: a title row, a unit row, then one row per output sample.
struct ResultGrid final {
    std::vector<GridColumn> columns;

    /// Data rows (the title and unit rows not counted).
    int rows() const noexcept {
        return columns.empty() ? 0 : static_cast<int>(columns.front().values.size());
    }
};

/// How the numbers of the grid are written.
enum class GridPrecision {
    Grid, ///< the grid's own formats: the time column's decimals, "%.8f" or "%.10f"
    Full, ///< "%.17g", which reads back to the same double
};

/// The text of a value of column (row 0-based), with "." as the decimal separator.
std::string GridCellText(const GridColumn& column, int row, GridPrecision precision);
/// GridCellText appended to out, without a text of its own: for exports of millions of cells.
void AppendGridCell(std::string& out, const GridColumn& column, int row, GridPrecision precision);

/// Decimals of the time column: 1 + |round(log10(SaveStep))| (0.01 s: 3, 0.001 s: 4,
/// 0.5 s: 1). A save step that is not positive gives 3.
int TimeColumnDecimals(double saveStep) noexcept;

/// The 14 columns of a sliding analysis: time, the sliding displacement, velocity and
/// acceleration, the sliding safety factor, the seven energy series and the two energy errors.
/// The rows are the samples of SlidingDisp; sample k is at (k - 1) x SampleInterval. The energy
/// errors use the grid's own denominators: |AbsInputEnergy + PreseismicWork - AbsKineticEnergy -
/// FrictionEnergy - PotentialEnergy| / |AbsInputEnergy + PreseismicWork| x 100 (relative: with
/// the relative input and kinetic energies), 0 when the denominator is 0.
ResultGrid SlidingResultGrid(const TBlocStatic& model, Language language);
/// The grid views the model's series: it cannot be made of a model about to go.
ResultGrid SlidingResultGrid(const TBlocStatic&& model, Language language) = delete;

/// The grid of model.AnalysisKind; no columns when this version has no grid for that kind.
ResultGrid ResultGridFor(const TBlocStatic& model, Language language);
/// The grid views the model's series: it cannot be made of a model about to go.
ResultGrid ResultGridFor(const TBlocStatic&& model, Language language) = delete;

/// The grid as text: one line per row (titles, units, data), cells separated by ";".
std::string ResultGridCsv(const ResultGrid& grid, GridPrecision precision);
/// ResultGridCsv's text handed to write in pieces of whole lines, about 64 KiB each, as it is
/// formed: a grid of millions of rows is written without its whole text in memory. Stops at
/// the first piece write refuses (returns false); returns whether every piece was taken.
bool WriteResultGridCsv(const ResultGrid& grid, GridPrecision precision,
                        const std::function<bool(std::string_view)>& write);

} // namespace quibel
