// SPDX-License-Identifier: GPL-3.0-or-later
#include "reporting/grid_columns.h"

#include "engine/run/run_length.h"
#include "model/unit_labels.h"
#include "model/unit_tables.h"

#include <algorithm>
#include <cmath>

namespace quibel {

GridColumns::GridColumns(const TBlocStatic& model, Language language, AnalysisKind kind)
    : mModel(model), mLanguage(language), mColumns(analysisColumns(kind)) {
    const std::optional<TVector>& rows = seriesSlot(model, mColumns.rowSeries);
    mRows = rows ? rows->size() : 0;
}

GridColumn GridColumns::time() const {
    std::vector<double> time(static_cast<std::size_t>(mRows));
    const double interval = SampleInterval(mModel.Options);
    for (int k = 1; k <= mRows; ++k)
        time[static_cast<std::size_t>(k - 1)] = (k - 1) * interval;
    GridColumn c = computed("engine.grid.time", "(sec)", std::move(time));
    c.decimals = TimeColumnDecimals(mModel.Options.SaveStep);
    return c;
}

std::vector<GridColumn> GridColumns::series() const {
    std::vector<GridColumn> out;
    for (const SeriesColumn& c : mColumns.columns)
        out.push_back({std::string(text(mLanguage, columnTitleKey(c))),
                       unit(seriesRow(c.series).dimension), mColumns.decimals, values(c.series)});
    return out;
}

GridColumn GridColumns::computed(const char* titleKey, std::string unit,
                                 std::vector<double> values) const {
    return {std::string(text(mLanguage, titleKey)), std::move(unit), mColumns.decimals,
            std::move(values)};
}

std::vector<double> GridColumns::energyError(ResultSeries input, ResultSeries kinetic,
                                             ResultSeries dissipated, bool withPreseismic) const {
    const ColumnValues in = values(input);
    const ColumnValues preseismic = values(ResultSeries::PreseismicWork);
    const ColumnValues kin = values(kinetic);
    const ColumnValues lost = values(dissipated);
    const ColumnValues potential = values(ResultSeries::PotentialEnergy);
    std::vector<double> out(static_cast<std::size_t>(mRows), 0.0);
    for (std::size_t k = 0; k < out.size(); ++k) {
        const double denominator = std::fabs(withPreseismic ? in[k] + preseismic[k] : in[k]);
        if (denominator == 0.0)
            continue;
        const double error = std::fabs(in[k] + preseismic[k] - kin[k] - lost[k] - potential[k]) /
                             denominator * 100.0;
        out[k] = std::isfinite(error) ? error : 0.0;
    }
    return out;
}

ResultGrid GridColumns::withEnergyErrors(ResultSeries dissipated, bool withPreseismic) const {
    ResultGrid grid;
    grid.columns.push_back(time());
    for (GridColumn& c : series())
        grid.columns.push_back(std::move(c));
    grid.columns.push_back(
        computed("engine.grid.absolute_energy_error", "(%)",
                 energyError(ResultSeries::AbsInputEnergy, ResultSeries::AbsKineticEnergy,
                             dissipated, withPreseismic)));
    grid.columns.push_back(
        computed("engine.grid.relative_energy_error", "(%)",
                 energyError(ResultSeries::RelInputEnergy, ResultSeries::RelKineticEnergy,
                             dissipated, withPreseismic)));
    return grid;
}

ColumnValues GridColumns::values(ResultSeries s) const {
    const std::optional<TVector>& series = seriesSlot(mModel, s);
    const auto rows = static_cast<std::size_t>(mRows);
    if (series && static_cast<std::size_t>(series->size()) >= rows)
        return ColumnValues::viewOf({series->data(), rows});
    // A missing series reads as zeros, a short one as zeros past its end.
    std::vector<double> out(rows, 0.0);
    if (series)
        std::copy(series->data(), series->data() + series->size(), out.begin());
    return out;
}

std::string GridColumns::unit(SeriesDimension dimension) const {
    const std::string L(units::lengthUnit(mModel.UnitSystem));
    // Appended piece by piece: GCC 12 warns wrongly (-Wrestrict) on "(" + std::string&&.
    std::string u = "(";
    switch (dimension) {
    case SeriesDimension::Length:
        u += L;
        break;
    case SeriesDimension::Velocity:
        u += L + "/sec";
        break;
    case SeriesDimension::Acceleration:
        u += L + "/sec²";
        break;
    case SeriesDimension::Energy:
        u += units::energyUnit(mModel.UnitSystem);
        break;
    case SeriesDimension::Rotation:
        u += "rad";
        break;
    case SeriesDimension::RotationalVelocity:
        u += "rad/sec";
        break;
    case SeriesDimension::RotationalAcceleration:
        u += "rad/sec²";
        break;
    case SeriesDimension::Ratio:
        return {};
    case SeriesDimension::Percentage:
        return std::string(text(mLanguage, "engine.grid.resultant_position_unit"));
    }
    u += ")";
    return u;
}

} // namespace quibel
