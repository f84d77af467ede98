// SPDX-License-Identifier: GPL-3.0-or-later
#include "reporting/sliding_rocking_result_grid.h"

#include "engine/sliding_rocking/centre_of_mass.h"
#include "model/unit_tables.h"
#include "reporting/grid_columns.h"

#include <algorithm>

namespace quibel {

ResultGrid SlidingRockingResultGrid(const TBlocStatic& model, Language language) {
    const GridColumns parts(model, language, AnalysisKind::SlidingAndRocking);
    const int rows = parts.rows();
    const std::string L(units::lengthUnit(model.UnitSystem));
    ResultGrid grid;
    grid.columns.push_back(parts.time());

    // The centre of mass, from the six motion series (0 where one of them is missing).
    std::vector<double> cmU(static_cast<std::size_t>(rows), 0.0), cmV = cmU, cmA = cmU;
    const CentreOfMassSeries centre(model, CentreOfMassSeries::Sliding::AlongPlane);
    for (int k = 1; k <= std::min(rows, centre.size()); ++k) {
        const CentreOfMassMotion m = centre.at(k);
        cmU[static_cast<std::size_t>(k - 1)] = m.displacement;
        cmV[static_cast<std::size_t>(k - 1)] = m.velocity;
        cmA[static_cast<std::size_t>(k - 1)] = m.acceleration;
    }
    grid.columns.push_back(parts.computed("engine.grid.cm_displacement", "(" + L + ")", cmU));
    grid.columns.push_back(parts.computed("engine.grid.cm_velocity", "(" + L + "/sec)", cmV));
    grid.columns.push_back(parts.computed("engine.grid.cm_acceleration", "(" + L + "/sec²)", cmA));
    for (GridColumn& c : parts.series())
        grid.columns.push_back(std::move(c));
    return grid;
}

} // namespace quibel
