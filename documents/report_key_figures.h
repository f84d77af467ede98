// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/project_record.h"
#include "model/result_series.h"
#include "reporting/result_grid.h"
#include "texts/text_catalogue.h"

#include <string>
#include <vector>

namespace quibel {

/// One line of the report's table of key figures, its texts as the report prints them.
struct KeyFigure final {
    std::string quantity;
    std::string value; ///< as the result grid writes the sample ("." as decimal separator)
    std::string unit;  ///< the grid's unit of that column, empty for a factor
    std::string time;  ///< as the grid's time column writes the sample; empty for a range
};

/// The key figures of model's results, taken on the output samples of its result grid
/// (ResultGridFor), so each value is written with the same digits as that grid: the peak and
/// the residual (last) sliding displacement, the peak rotation, the smallest sliding and
/// overturning safety factors (the block at rest at time 0 holds no factor and is left out)
/// with the time of each, the range of the resultant position, and every energy term of the
/// grid at the last sample. Only the figures of the series the analysis fills; none without
/// results.
std::vector<KeyFigure> ReportKeyFigures(const TBlocStatic& model, Language language);

/// The column of grid (laid out as analysisColumns(kind) says) that shows series s; none when
/// that analysis does not show it.
const GridColumn* GridColumnOf(const ResultGrid& grid, AnalysisKind kind, ResultSeries s);

} // namespace quibel
