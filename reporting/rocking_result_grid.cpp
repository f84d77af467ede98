#include "reporting/rocking_result_grid.h"

#include "reporting/grid_columns.h"

namespace quibel {

ResultGrid RockingResultGrid(const TBlocStatic& model, Language language) {
    const GridColumns parts(model, language, AnalysisKind::Rocking);
    ResultGrid grid;
    grid.columns.push_back(parts.time());
    for (GridColumn& c : parts.series())
        grid.columns.push_back(std::move(c));
    // The balance over the seismic input alone.
    grid.columns.push_back(parts.computed("engine.grid.absolute_energy_error", "(%)",
                                          parts.energyError(ResultSeries::AbsInputEnergy,
                                                            ResultSeries::AbsKineticEnergy,
                                                            ResultSeries::ImpactEnergy, false)));
    grid.columns.push_back(parts.computed("engine.grid.relative_energy_error", "(%)",
                                          parts.energyError(ResultSeries::RelInputEnergy,
                                                            ResultSeries::RelKineticEnergy,
                                                            ResultSeries::ImpactEnergy, false)));
    return grid;
}

} // namespace quibel
