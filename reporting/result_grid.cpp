#include "reporting/result_grid.h"

#include "engine/run/number_text.h"
#include "engine/run/run_length.h"
#include "model/unit_labels.h"
#include "model/unit_tables.h"
#include "reporting/rocking_result_grid.h"
#include "reporting/sliding_rocking_result_grid.h"

#include <cmath>
#include <optional>

namespace quibel {

namespace {

std::vector<double> seriesValues(const std::optional<TVector>& series, int rows) {
    std::vector<double> out(static_cast<std::size_t>(rows), 0.0);
    if (series)
        for (int k = 1; k <= rows; ++k)
            out[static_cast<std::size_t>(k - 1)] = series->get(k);
    return out;
}

GridColumn column(Language language, const char* titleKey, std::string unit,
                  std::vector<double> values) {
    return {std::string(text(language, titleKey)), std::move(unit), 8, std::move(values)};
}

double energyError(double input, double preseismic, double kinetic, double friction,
                   double potential) noexcept {
    const double denominator = std::fabs(input + preseismic);
    if (denominator == 0.0)
        return 0.0;
    const double error =
        std::fabs(input + preseismic - kinetic - friction - potential) / denominator * 100.0;
    return std::isfinite(error) ? error : 0.0;
}

} // namespace

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
    const int rows = model.SlidingDisp ? model.SlidingDisp->size() : 0;
    const std::string L(units::lengthUnit(model.UnitSystem));
    // Appended piece by piece: GCC 12 warns wrongly (-Wrestrict) on "(" + std::string&&.
    std::string energy = "(";
    energy += units::energyUnit(model.UnitSystem);
    energy += ")";
    auto series = [&](const std::optional<TVector>& s) { return seriesValues(s, rows); };

    std::vector<double> time(static_cast<std::size_t>(rows));
    const double interval = SampleInterval(model.Options);
    for (int k = 1; k <= rows; ++k)
        time[static_cast<std::size_t>(k - 1)] = (k - 1) * interval;

    ResultGrid grid;
    std::vector<GridColumn>& c = grid.columns;
    c.push_back(column(language, "engine.grid.time", "(sec)", std::move(time)));
    c.back().decimals = TimeColumnDecimals(model.Options.SaveStep);
    c.push_back(column(language, "engine.grid.sliding", "(" + L + ")", series(model.SlidingDisp)));
    c.push_back(column(language, "engine.grid.sliding_velocity", "(" + L + "/sec)",
                       series(model.SlidingVel)));
    c.push_back(column(language, "engine.grid.sliding_acceleration", "(" + L + "/sec²)",
                       series(model.SlidingAcc)));
    c.push_back(column(language, "engine.grid.sliding_safety_factor", "", series(model.SlidingSF)));
    const std::vector<double> absInput = series(model.AbsInputEnergy);
    const std::vector<double> relInput = series(model.RelInputEnergy);
    const std::vector<double> preseismic = series(model.PreseismicWork);
    const std::vector<double> absKinetic = series(model.AbsKineticEnergy);
    const std::vector<double> relKinetic = series(model.RelKineticEnergy);
    const std::vector<double> friction = series(model.FrictionEnergy);
    const std::vector<double> potential = series(model.PotentialEnergy);
    std::vector<double> absError(static_cast<std::size_t>(rows));
    std::vector<double> relError(static_cast<std::size_t>(rows));
    for (std::size_t k = 0; k < absError.size(); ++k) {
        absError[k] =
            energyError(absInput[k], preseismic[k], absKinetic[k], friction[k], potential[k]);
        relError[k] =
            energyError(relInput[k], preseismic[k], relKinetic[k], friction[k], potential[k]);
    }
    c.push_back(column(language, "engine.grid.absolute_input_energy", energy, absInput));
    c.push_back(column(language, "engine.grid.relative_input_energy", energy, relInput));
    c.push_back(column(language, "engine.grid.preseismic_energy", energy, preseismic));
    c.push_back(column(language, "engine.grid.absolute_kinetic_energy", energy, absKinetic));
    c.push_back(column(language, "engine.grid.relative_kinetic_energy", energy, relKinetic));
    c.push_back(column(language, "engine.grid.friction_energy", energy, friction));
    c.push_back(column(language, "engine.grid.potential_energy", energy, potential));
    c.push_back(column(language, "engine.grid.absolute_energy_error", "(%)", std::move(absError)));
    c.push_back(column(language, "engine.grid.relative_energy_error", "(%)", std::move(relError)));
    return grid;
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
