// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/result_series.h"
#include "reporting/result_grid.h"

namespace quibel {

/// The pieces the grids of the three analysis kinds are built from.
class GridColumns final {
public:
    /// The grid of model's results as an analysis of kind lays them out.
    GridColumns(const TBlocStatic& model, Language language, AnalysisKind kind);
    GridColumns(const TBlocStatic&& model, Language language, AnalysisKind kind) = delete;

    int rows() const noexcept { return mRows; }

    /// The time column: sample k is at (k - 1) x SampleInterval.
    GridColumn time() const;
    /// The series columns of the kind, in its order.
    std::vector<GridColumn> series() const;
    /// A column of values the grid computes itself.
    GridColumn computed(const char* titleKey, std::string unit, std::vector<double> values) const;

    /// The balance of energy in % of the input: |input + PreseismicWork - kinetic - dissipated
    /// - PotentialEnergy| / |denominator| x 100, the denominator being input, plus
    /// PreseismicWork when withPreseismic; 0 when it is 0 or the result is not finite.
    std::vector<double> energyError(ResultSeries input, ResultSeries kinetic,
                                    ResultSeries dissipated, bool withPreseismic) const;

    /// The time, the series columns and the absolute and relative energy errors (energyError
    /// with the kind's dissipated energy).
    ResultGrid withEnergyErrors(ResultSeries dissipated, bool withPreseismic) const;

private:
    ColumnValues values(ResultSeries s) const;
    std::string unit(SeriesDimension dimension) const;

    const TBlocStatic& mModel;
    Language mLanguage;
    AnalysisColumns mColumns;
    int mRows;
};

} // namespace quibel
