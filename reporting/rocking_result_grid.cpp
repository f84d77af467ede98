#include "reporting/rocking_result_grid.h"

#include "engine/run/run_length.h"
#include "model/unit_labels.h"

#include <cmath>
#include <optional>

namespace quibel {

namespace {

constexpr int kRockingDecimals = 10;

std::vector<double> seriesValues(const std::optional<TVector>& series, int rows) {
    std::vector<double> out(static_cast<std::size_t>(rows), 0.0);
    if (series)
        for (int k = 1; k <= rows; ++k)
            out[static_cast<std::size_t>(k - 1)] = series->get(k);
    return out;
}

// The balance over the seismic input alone; a division by 0 or any other arithmetic failure
// gives 0.
double energyError(double input, double preseismic, double kinetic, double impact,
                   double potential) noexcept {
    const double denominator = std::fabs(input);
    if (denominator == 0.0)
        return 0.0;
    const double error =
        std::fabs(input + preseismic - kinetic - impact - potential) / denominator * 100.0;
    return std::isfinite(error) ? error : 0.0;
}

} // namespace

ResultGrid RockingResultGrid(const TBlocStatic& model, Language language) {
    const int rows = model.Rotation ? model.Rotation->size() : 0;
    std::string energy = "(";
    energy += units::energyUnit(model.UnitSystem);
    energy += ")";
    auto series = [&](const std::optional<TVector>& s) { return seriesValues(s, rows); };
    auto column = [&](const char* titleKey, std::string unit, std::vector<double> values) {
        return GridColumn{std::string(text(language, titleKey)), std::move(unit), kRockingDecimals,
                          std::move(values)};
    };

    std::vector<double> time(static_cast<std::size_t>(rows));
    const double interval = SampleInterval(model.Options);
    for (int k = 1; k <= rows; ++k)
        time[static_cast<std::size_t>(k - 1)] = (k - 1) * interval;

    ResultGrid grid;
    std::vector<GridColumn>& c = grid.columns;
    c.push_back(column("engine.grid.time", "(sec)", std::move(time)));
    c.back().decimals = TimeColumnDecimals(model.Options.SaveStep);
    c.push_back(column("engine.grid.rotation", "(rad)", series(model.Rotation)));
    c.push_back(column("engine.grid.rotational_velocity", "(rad/sec)", series(model.RotationVel)));
    c.push_back(
        column("engine.grid.rotational_acceleration", "(rad/sec²)", series(model.RotationAcc)));
    c.push_back(column("engine.grid.overturning_safety_factor", "", series(model.OverturningSF)));
    c.push_back(column("engine.grid.resultant_position",
                       std::string(text(language, "engine.grid.resultant_position_unit")),
                       series(model.ResultantPosition)));
    const std::vector<double> absInput = series(model.AbsInputEnergy);
    const std::vector<double> relInput = series(model.RelInputEnergy);
    const std::vector<double> preseismic = series(model.PreseismicWork);
    const std::vector<double> absKinetic = series(model.AbsKineticEnergy);
    const std::vector<double> relKinetic = series(model.RelKineticEnergy);
    const std::vector<double> potential = series(model.PotentialEnergy);
    const std::vector<double> impact = series(model.ImpactEnergy);
    std::vector<double> absError(static_cast<std::size_t>(rows));
    std::vector<double> relError(static_cast<std::size_t>(rows));
    for (std::size_t k = 0; k < absError.size(); ++k) {
        absError[k] =
            energyError(absInput[k], preseismic[k], absKinetic[k], impact[k], potential[k]);
        relError[k] =
            energyError(relInput[k], preseismic[k], relKinetic[k], impact[k], potential[k]);
    }
    c.push_back(column("engine.grid.absolute_seismic_energy", energy, absInput));
    c.push_back(column("engine.grid.relative_seismic_energy", energy, relInput));
    c.push_back(column("engine.grid.preseismic_energy", energy, preseismic));
    c.push_back(column("engine.grid.absolute_kinetic_energy", energy, absKinetic));
    c.push_back(column("engine.grid.relative_kinetic_energy", energy, relKinetic));
    c.push_back(column("engine.grid.potential_energy", energy, potential));
    c.push_back(column("engine.grid.impact_energy", energy, impact));
    c.push_back(column("engine.grid.absolute_energy_error", "(%)", std::move(absError)));
    c.push_back(column("engine.grid.relative_energy_error", "(%)", std::move(relError)));
    return grid;
}

} // namespace quibel
