// SPDX-License-Identifier: GPL-3.0-or-later
#include "reporting/result_grid.h"

#include "engine/run/number_text.h"
#include "reporting/grid_columns.h"
#include "reporting/rocking_result_grid.h"
#include "reporting/sliding_rocking_result_grid.h"

#include <cmath>

namespace quibel {

void AppendGridCell(std::string& out, const GridColumn& column, int row, GridPrecision precision) {
    const double value = column.values[static_cast<std::size_t>(row)];
    if (precision == GridPrecision::Full)
        appendGeneral17(out, value);
    else
        appendFixed(out, value, column.decimals);
}

std::string GridCellText(const GridColumn& column, int row, GridPrecision precision) {
    std::string s;
    AppendGridCell(s, column, row, precision);
    return s;
}

int TimeColumnDecimals(double saveStep) noexcept {
    if (!(saveStep > 0.0) || !std::isfinite(saveStep))
        return 3;
    const double digits = std::fabs(std::round(std::log10(saveStep)));
    return 1 + static_cast<int>(std::fmin(digits, 30.0));
}

ResultGrid SlidingResultGrid(const TBlocStatic& model, Language language) {
    return GridColumns(model, language, AnalysisKind::Sliding)
        .withEnergyErrors(ResultSeries::FrictionEnergy, true);
}

ResultGrid ResultGridFor(const TBlocStatic& model, Language language) {
    switch (model.AnalysisKind) {
    case AnalysisKind::Sliding:
        return SlidingResultGrid(model, language);
    case AnalysisKind::Rocking:
        return RockingResultGrid(model, language);
    case AnalysisKind::SlidingAndRocking:
        return SlidingRockingResultGrid(model, language);
    }
    return {};
}

std::string ResultGridCsv(const ResultGrid& grid, GridPrecision precision) {
    std::string out;
    // Room for the data rows at a typical cell width, so that the text is seldom moved while
    // it grows: the grid of a long run has hundreds of thousands of cells.
    const std::size_t typicalCell = precision == GridPrecision::Full ? 24 : 12;
    out.reserve(static_cast<std::size_t>(grid.rows() + 2) * grid.columns.size() * typicalCell);
    auto line = [&](auto cell) {
        for (std::size_t c = 0; c < grid.columns.size(); ++c) {
            if (c > 0)
                out += ';';
            cell(grid.columns[c]);
        }
        out += '\n';
    };
    line([&](const GridColumn& c) { out += c.title; });
    line([&](const GridColumn& c) { out += c.unit; });
    for (int r = 0; r < grid.rows(); ++r)
        line([&](const GridColumn& c) { AppendGridCell(out, c, r, precision); });
    return out;
}

} // namespace quibel
