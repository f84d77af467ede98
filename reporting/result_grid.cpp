// SPDX-License-Identifier: GPL-3.0-or-later
#include "reporting/result_grid.h"

#include "engine/run/number_text.h"
#include "reporting/grid_columns.h"
#include "reporting/rocking_result_grid.h"
#include "reporting/sliding_rocking_result_grid.h"

#include <cmath>

namespace quibel {

std::string GridCellText(const GridColumn& column, int row, GridPrecision precision) {
    const double value = column.values[static_cast<std::size_t>(row)];
    return precision == GridPrecision::Full ? general17Text(value)
                                            : fixedText(value, column.decimals);
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
    auto line = [&](auto cell) {
        for (std::size_t c = 0; c < grid.columns.size(); ++c) {
            if (c > 0)
                out += ';';
            out += cell(grid.columns[c]);
        }
        out += '\n';
    };
    line([](const GridColumn& c) { return c.title; });
    line([](const GridColumn& c) { return c.unit; });
    for (int r = 0; r < grid.rows(); ++r)
        line([&](const GridColumn& c) { return GridCellText(c, r, precision); });
    return out;
}

} // namespace quibel
