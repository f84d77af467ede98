#include "reporting/sliding_rocking_result_grid.h"

#include "engine/run/run_length.h"
#include "engine/sliding_rocking/centre_of_mass.h"
#include "model/unit_tables.h"

#include <optional>

namespace quibel {

ResultGrid SlidingRockingResultGrid(const TBlocStatic& model, Language language) {
    const int rows = model.Rotation ? model.Rotation->size() : 0;
    const std::string L(units::lengthUnit(model.UnitSystem));
    // Built piece by piece: GCC 12 at -O3 warns falsely (-Wrestrict) on a chained operator+.
    std::string energy = "(";
    energy += units::forceUnit(model.UnitSystem);
    energy += "·";
    energy += L;
    energy += ")";

    ResultGrid grid;
    std::vector<GridColumn>& c = grid.columns;
    auto add = [&](const char* titleKey, std::string unit, std::vector<double> values) {
        c.push_back(
            {std::string(text(language, titleKey)), std::move(unit), 10, std::move(values)});
    };
    auto series = [&](const std::optional<TVector>& s) {
        std::vector<double> out(static_cast<std::size_t>(rows), 0.0);
        if (s)
            for (int k = 1; k <= rows; ++k)
                out[static_cast<std::size_t>(k - 1)] = s->get(k);
        return out;
    };

    std::vector<double> time(static_cast<std::size_t>(rows));
    const double interval = SampleInterval(model.Options);
    for (int k = 1; k <= rows; ++k)
        time[static_cast<std::size_t>(k - 1)] = (k - 1) * interval;
    add("engine.grid.time", "(sec)", std::move(time));
    c.back().decimals = TimeColumnDecimals(model.Options.SaveStep);

    // The centre of mass, from the six motion series (0 where one of them is missing).
    std::vector<double> cmU(static_cast<std::size_t>(rows), 0.0), cmV = cmU, cmA = cmU;
    const CentreOfMassSeries centre(model, CentreOfMassSeries::Sliding::AlongPlane);
    for (int k = 1; k <= std::min(rows, centre.size()); ++k) {
        const CentreOfMassMotion m = centre.at(k);
        cmU[static_cast<std::size_t>(k - 1)] = m.displacement;
        cmV[static_cast<std::size_t>(k - 1)] = m.velocity;
        cmA[static_cast<std::size_t>(k - 1)] = m.acceleration;
    }
    add("engine.grid.cm_displacement", "(" + L + ")", std::move(cmU));
    add("engine.grid.cm_velocity", "(" + L + "/sec)", std::move(cmV));
    add("engine.grid.cm_acceleration", "(" + L + "/sec²)", std::move(cmA));

    add("engine.grid.sliding_displacement", "(" + L + ")", series(model.SlidingDisp));
    add("engine.grid.sliding_velocity", "(" + L + "/sec)", series(model.SlidingVel));
    add("engine.grid.sliding_acceleration", "(" + L + "/sec²)", series(model.SlidingAcc));
    add("engine.grid.rotation", "(rad)", series(model.Rotation));
    add("engine.grid.rotational_velocity", "(rad/sec)", series(model.RotationVel));
    add("engine.grid.rotational_acceleration", "(rad/sec²)", series(model.RotationAcc));
    add("engine.grid.sliding_safety_factor", "", series(model.SlidingSF));
    add("engine.grid.overturning_safety_factor", "", series(model.OverturningSF));
    add("engine.grid.resultant_position",
        std::string(text(language, "engine.grid.resultant_position_unit")),
        series(model.ResultantPosition));
    add("engine.grid.absolute_seismic_energy", energy, series(model.AbsInputEnergy));
    add("engine.grid.absolute_kinetic_energy", energy, series(model.AbsKineticEnergy));
    add("engine.grid.relative_seismic_energy", energy, series(model.RelInputEnergy));
    add("engine.grid.relative_kinetic_energy", energy, series(model.RelKineticEnergy));
    add("engine.grid.preseismic_work", energy, series(model.PreseismicWork));
    add("engine.grid.potential_energy", energy, series(model.PotentialEnergy));
    add("engine.grid.friction_dissipated", energy, series(model.FrictionEnergy));
    add("engine.grid.impact_dissipated", energy, series(model.ImpactEnergy));
    return grid;
}

} // namespace quibel
