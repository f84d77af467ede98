// SPDX-License-Identifier: GPL-3.0-or-later
#include "reporting/rocking_result_grid.h"

#include "reporting/grid_columns.h"

namespace quibel {

ResultGrid RockingResultGrid(const TBlocStatic& model, Language language) {
    // The balance over the seismic input alone.
    return GridColumns(model, language, AnalysisKind::Rocking)
        .withEnergyErrors(ResultSeries::ImpactEnergy, false);
}

} // namespace quibel
