#include "ui/results/results_series_list.h"

#include "engine/sliding_rocking_centre_of_mass.h"
#include "model/unit_labels.h"
#include "model/unit_tables.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <span>
#include <string_view>

namespace quibel {

namespace {

/// How a list text that ends with "(" is completed.
enum class Completion { None, Length, Velocity, Acceleration, Energy };

struct ItemSpec {
    Completion completion;
    ResultsItemSource source;
    ResultSeries slot;
};

using S = ResultSeries;
using Src = ResultsItemSource;
using C = Completion;

constexpr ItemSpec kSliding[] = {
    {C::Length, Src::Slot, S::SlidingDisp},
    {C::Velocity, Src::Slot, S::SlidingVel},
    {C::Acceleration, Src::Slot, S::SlidingAcc},
    {C::None, Src::Slot, S::SlidingSF},
    {C::Energy, Src::Slot, S::AbsInputEnergy},
    {C::Energy, Src::Slot, S::RelInputEnergy},
    {C::Energy, Src::Slot, S::PreseismicWork},
    {C::Energy, Src::Slot, S::AbsKineticEnergy},
    {C::Energy, Src::Slot, S::RelKineticEnergy},
    {C::Energy, Src::Slot, S::FrictionEnergy},
    {C::Energy, Src::Slot, S::PotentialEnergy},
    {C::None, Src::AbsoluteEnergyError, S::SlidingDisp},
    {C::None, Src::RelativeEnergyError, S::SlidingDisp},
};

constexpr ItemSpec kRocking[] = {
    {C::None, Src::Slot, S::Rotation},
    {C::None, Src::Slot, S::RotationVel},
    {C::None, Src::Slot, S::RotationAcc},
    {C::None, Src::Slot, S::OverturningSF},
    {C::None, Src::Slot, S::ResultantPosition},
    {C::Energy, Src::Slot, S::AbsInputEnergy},
    {C::Energy, Src::Slot, S::RelInputEnergy},
    {C::Energy, Src::Slot, S::AbsKineticEnergy},
    {C::Energy, Src::Slot, S::RelKineticEnergy},
    {C::Energy, Src::Slot, S::PreseismicWork},
    {C::Energy, Src::Slot, S::ImpactEnergy},
    {C::Energy, Src::Slot, S::PotentialEnergy},
    {C::None, Src::AbsoluteEnergyError, S::Rotation},
    {C::None, Src::RelativeEnergyError, S::Rotation},
};

constexpr ItemSpec kSlidingRocking[] = {
    {C::Length, Src::CentreDisplacement, S::SlidingDisp},
    {C::Velocity, Src::CentreVelocity, S::SlidingVel},
    {C::Acceleration, Src::CentreAcceleration, S::SlidingAcc},
    {C::Length, Src::Slot, S::SlidingDisp},
    {C::Velocity, Src::Slot, S::SlidingVel},
    {C::Acceleration, Src::Slot, S::SlidingAcc},
    {C::None, Src::Slot, S::Rotation},
    {C::None, Src::Slot, S::RotationVel},
    {C::None, Src::Slot, S::RotationAcc},
    {C::None, Src::Slot, S::SlidingSF},
    {C::None, Src::Slot, S::OverturningSF},
    {C::None, Src::Slot, S::ResultantPosition},
    {C::Energy, Src::Slot, S::AbsInputEnergy},
    {C::Energy, Src::Slot, S::AbsKineticEnergy},
    {C::Energy, Src::Slot, S::RelInputEnergy},
    {C::Energy, Src::Slot, S::RelKineticEnergy},
    {C::Energy, Src::Slot, S::PreseismicWork},
    {C::Energy, Src::Slot, S::PotentialEnergy},
    {C::Energy, Src::Slot, S::FrictionEnergy},
    {C::Energy, Src::Slot, S::ImpactEnergy},
    {C::None, Src::AbsoluteEnergyError, S::SlidingDisp},
    {C::None, Src::RelativeEnergyError, S::SlidingDisp},
};

std::string completion(Completion c, UnitSystem units) {
    const std::string L(units::lengthUnit(units));
    switch (c) {
    case Completion::Length:
        return L + ")";
    case Completion::Velocity:
        return L + "/s)";
    case Completion::Acceleration:
        return L + "/s²)";
    case Completion::Energy:
        return units::energyUnit(units) + ")";
    case Completion::None:
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
    std::string_view prefix = "ui.results.sliding.";
    std::span<const ItemSpec> specs = kSliding;
    if (kind == AnalysisKind::Rocking) {
        prefix = "ui.results.rocking.";
        specs = kRocking;
    } else if (kind == AnalysisKind::SlidingAndRocking) {
        prefix = "ui.results.sliding_rocking.";
        specs = kSlidingRocking;
    }
    std::vector<ResultsListItem> items;
    for (std::size_t i = 0; i < specs.size(); ++i) {
        const std::string key = std::string(prefix) + std::to_string(i);
        items.push_back({std::string(text(language, key)) + completion(specs[i].completion, units),
                         specs[i].source, specs[i].slot});
    }
    return items;
}

bool isResultantPosition(const ResultsListItem& item) noexcept {
    return item.source == ResultsItemSource::Slot && item.slot == ResultSeries::ResultantPosition;
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
