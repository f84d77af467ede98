// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/results/results_series_list.h"

#include "engine/sliding_rocking/centre_of_mass.h"
#include "model/unit_labels.h"
#include "model/unit_tables.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string_view>

namespace quibel {

namespace {

struct ItemSpec {
    ResultsItemSource source;
    ResultSeries slot;
};

using S = ResultSeries;
using Src = ResultsItemSource;

// The viewer's rocking list orders its series otherwise than the grid: the kinetic energies
// before the pre-seismic work, the impact energy before the potential energy.
constexpr ResultSeries kRockingSeries[] = {
    S::Rotation,          S::RotationVel,    S::RotationAcc,    S::OverturningSF,
    S::ResultantPosition, S::AbsInputEnergy, S::RelInputEnergy, S::AbsKineticEnergy,
    S::RelKineticEnergy,  S::PreseismicWork, S::ImpactEnergy,   S::PotentialEnergy,
};

// The list of kind: for sliding and rocking first the centre of mass's motion, then the series
// in the order of the kind's grid (of kRockingSeries for rocking), then the energy errors.
std::vector<ItemSpec> itemsOf(AnalysisKind kind) {
    std::vector<ItemSpec> items;
    if (kind == AnalysisKind::SlidingAndRocking)
        items = {{Src::CentreDisplacement, S::SlidingDisp},
                 {Src::CentreVelocity, S::SlidingVel},
                 {Src::CentreAcceleration, S::SlidingAcc}};
    if (kind == AnalysisKind::Rocking) {
        for (ResultSeries series : kRockingSeries)
            items.push_back({Src::Slot, series});
    } else {
        for (const SeriesColumn& column : analysisColumns(kind).columns)
            items.push_back({Src::Slot, column.series});
    }
    items.push_back({Src::AbsoluteEnergyError, S::SlidingDisp});
    items.push_back({Src::RelativeEnergyError, S::SlidingDisp});
    return items;
}

// The catalogue keys of kind's list texts are this prefix and the item's position.
std::string_view listKeyPrefix(AnalysisKind kind) noexcept {
    switch (kind) {
    case AnalysisKind::Rocking:
        return "ui.results.rocking.";
    case AnalysisKind::SlidingAndRocking:
        return "ui.results.sliding_rocking.";
    case AnalysisKind::Sliding:
        break;
    }
    return "ui.results.sliding.";
}

// A list text that ends with "(" is completed with the unit of the series' dimension; the
// energy errors have none.
std::string completion(const ItemSpec& spec, UnitSystem units) {
    if (spec.source == Src::AbsoluteEnergyError || spec.source == Src::RelativeEnergyError)
        return {};
    const std::string L(units::lengthUnit(units));
    switch (seriesRow(spec.slot).dimension) {
    case SeriesDimension::Length:
        return L + ")";
    case SeriesDimension::Velocity:
        return L + "/sec)";
    case SeriesDimension::Acceleration:
        return L + "/sec²)";
    case SeriesDimension::Energy:
        return units::energyUnit(units) + ")";
    default:
        break;
    }
    return {};
}

std::vector<double> slotValues(const TBlocStatic& model, ResultSeries s) {
    const std::optional<TVector>& v = seriesSlot(model, s);
    if (!v)
        return {};
    std::vector<double> out(static_cast<std::size_t>(v->size()));
    for (int k = 1; k <= v->size(); ++k)
        out[static_cast<std::size_t>(k - 1)] = v->get(k);
    return out;
}

std::vector<double> energyError(const TBlocStatic& model, bool absolute) {
    const ResultSeries input = absolute ? S::AbsInputEnergy : S::RelInputEnergy;
    const ResultSeries kinetic = absolute ? S::AbsKineticEnergy : S::RelKineticEnergy;
    std::vector<ResultSeries> dissipated;
    switch (model.AnalysisKind) {
    case AnalysisKind::Sliding:
        dissipated = {S::FrictionEnergy, S::PotentialEnergy};
        break;
    case AnalysisKind::Rocking:
        dissipated = {S::ImpactEnergy, S::PotentialEnergy};
        break;
    case AnalysisKind::SlidingAndRocking:
        dissipated = {S::ImpactEnergy, S::PotentialEnergy, S::FrictionEnergy};
        break;
    }
    std::vector<ResultSeries> needed = {input, S::PreseismicWork, kinetic};
    needed.insert(needed.end(), dissipated.begin(), dissipated.end());
    int n = -1;
    for (ResultSeries s : needed) {
        const std::optional<TVector>& v = seriesSlot(model, s);
        n = v ? (n < 0 ? v->size() : std::min(n, v->size())) : 0;
    }
    std::vector<double> out(static_cast<std::size_t>(std::max(n, 0)));
    for (int k = 1; k <= n; ++k) {
        const double in = seriesSlot(model, input)->get(k);
        double e =
            in + seriesSlot(model, S::PreseismicWork)->get(k) - seriesSlot(model, kinetic)->get(k);
        for (ResultSeries d : dissipated)
            e -= seriesSlot(model, d)->get(k);
        const double value = in == 0.0 ? 0.0 : std::fabs(e / in) * 100.0;
        out[static_cast<std::size_t>(k - 1)] = std::isfinite(value) ? value : 0.0;
    }
    return out;
}

} // namespace

std::vector<ResultsListItem> ResultsSeriesList(AnalysisKind kind, UnitSystem units,
                                               Language language) {
    const std::string_view prefix = listKeyPrefix(kind);
    const std::vector<ItemSpec> specs = itemsOf(kind);
    std::vector<ResultsListItem> items;
    for (std::size_t i = 0; i < specs.size(); ++i) {
        const std::string key = std::string(prefix) + std::to_string(i);
        items.push_back({std::string(text(language, key)) + completion(specs[i], units),
                         specs[i].source, specs[i].slot});
    }
    return items;
}

bool isResultantPosition(const ResultsListItem& item) noexcept {
    return item.source == ResultsItemSource::Slot && item.slot == ResultSeries::ResultantPosition;
}

std::span<const double> ResultsItemStored(const TBlocStatic& model, const ResultsListItem& item) {
    if (item.source != ResultsItemSource::Slot)
        return {};
    const std::optional<TVector>& v = seriesSlot(model, item.slot);
    if (!v)
        return {};
    return {v->data(), static_cast<std::size_t>(v->size())};
}

std::vector<double> ResultsItemValues(const TBlocStatic& model, const ResultsListItem& item) {
    switch (item.source) {
    case ResultsItemSource::Slot:
        return slotValues(model, item.slot);
    case ResultsItemSource::AbsoluteEnergyError:
        return energyError(model, true);
    case ResultsItemSource::RelativeEnergyError:
        return energyError(model, false);
    case ResultsItemSource::CentreDisplacement:
    case ResultsItemSource::CentreVelocity:
    case ResultsItemSource::CentreAcceleration:
        break;
    }
    const CentreOfMassSeries centre(model, CentreOfMassSeries::Sliding::Horizontal);
    std::vector<double> out(static_cast<std::size_t>(centre.size()));
    for (int k = 1; k <= centre.size(); ++k) {
        const CentreOfMassMotion m = centre.at(k);
        out[static_cast<std::size_t>(k - 1)] =
            item.source == ResultsItemSource::CentreDisplacement ? m.displacement
            : item.source == ResultsItemSource::CentreVelocity   ? m.velocity
                                                                 : m.acceleration;
    }
    return out;
}

} // namespace quibel
