// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/run/series_store.h"

#include "model/unit_tables.h"

#include <array>
#include <utility>

namespace quibel {

namespace {

using Values = std::array<double, kResultSeriesCount>;

// Where each series' sample comes from, in SI units.
Values stepValues(const BlockMotion& next, const EnergyTerms& energy,
                  const SafetyFactors& factors) noexcept {
    Values v{};
    auto at = [&v](ResultSeries s) -> double& { return v[static_cast<std::size_t>(s)]; };
    at(ResultSeries::SlidingDisp) = next.u;
    at(ResultSeries::SlidingVel) = next.v;
    at(ResultSeries::SlidingAcc) = next.a;
    at(ResultSeries::Rotation) = next.theta;
    at(ResultSeries::RotationVel) = next.omega;
    at(ResultSeries::RotationAcc) = next.alpha;
    at(ResultSeries::AbsInputEnergy) = energy.E0;
    at(ResultSeries::RelInputEnergy) = energy.E1;
    at(ResultSeries::AbsKineticEnergy) = energy.E2;
    at(ResultSeries::RelKineticEnergy) = energy.E3;
    at(ResultSeries::FrictionEnergy) = energy.E4;
    at(ResultSeries::PreseismicWork) = energy.E5;
    at(ResultSeries::ImpactEnergy) = energy.E6;
    at(ResultSeries::PotentialEnergy) = energy.E7;
    at(ResultSeries::SlidingSF) = factors.sliding;
    at(ResultSeries::OverturningSF) = factors.overturning;
    at(ResultSeries::ResultantPosition) = factors.resultantPosition;
    return v;
}

// The factor from SI to the record's units for a series of dimension d.
double toModelUnits(SeriesDimension d, UnitSystem system) noexcept {
    const double lengthBack = units::lengthFromSi(system);
    switch (d) {
    case SeriesDimension::Length:
    case SeriesDimension::Velocity:
    case SeriesDimension::Acceleration:
        return lengthBack;
    case SeriesDimension::Energy:
        return lengthBack * units::forceFromSi(system);
    case SeriesDimension::Rotation:
    case SeriesDimension::RotationalVelocity:
    case SeriesDimension::RotationalAcceleration:
    case SeriesDimension::Ratio:
    case SeriesDimension::Percentage:
        break;
    }
    return 1.0;
}

} // namespace

SeriesStore::SeriesStore(TBlocStatic& model, ResultSeriesSet filled, int samples) : mModel(model) {
    std::vector<std::pair<ResultSeries, TVector>> fresh;
    for (const ResultSeriesRow& row : kResultSeriesTable)
        if (contains(filled, row.series))
            fresh.emplace_back(row.series, TVector(samples));
    for (auto& [series, vector] : fresh) {
        std::optional<TVector>& slot = seriesSlot(model, series);
        slot.emplace(std::move(vector));
        mTargets.push_back(
            {series, slot->data(), toModelUnits(seriesRow(series).dimension, model.UnitSystem)});
    }
}

void SeriesStore::store(std::int64_t j, const BlockMotion& next, const EnergyTerms& energy,
                        const SafetyFactors& factors) noexcept {
    const Values v = stepValues(next, energy, factors);
    for (const Target& t : mTargets)
        t.data[j] = v[static_cast<std::size_t>(t.series)] * t.toModelUnits;
}

void SeriesStore::truncate(int samples) {
    for (const Target& t : mTargets)
        seriesSlot(mModel, t.series)->resize(samples);
}

} // namespace quibel
