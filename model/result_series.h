// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/enums.h"
#include "model/project_record.h"
#include "numeric/tvector.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace quibel {

/// The result series of TBlocStatic, one name each, in the order of kResultSeriesTable.
enum class ResultSeries : int {
    SlidingDisp,
    SlidingVel,
    SlidingAcc,
    Rotation,
    RotationVel,
    RotationAcc,
    RelKineticEnergy,
    AbsKineticEnergy,
    FrictionEnergy,
    ImpactEnergy,
    PotentialEnergy,
    PreseismicWork,
    AbsInputEnergy,
    RelInputEnergy,
    OverturningSF,
    SlidingSF,
    ResultantPosition,
};

inline constexpr int kResultSeriesCount = 17;

/// What a series measures: it decides how a change of unit system scales it and which unit
/// its column shows. Rotations are in radians in every unit system.
enum class SeriesDimension {
    Length,                 ///< length unit
    Velocity,               ///< length unit / s
    Acceleration,           ///< length unit / s²
    Energy,                 ///< force unit x length unit
    Rotation,               ///< rad
    RotationalVelocity,     ///< rad / s
    RotationalAcceleration, ///< rad / s²
    Ratio,                  ///< no unit (safety factors)
    Percentage,             ///< % of the failure plane's length
};

/// A set of result series, one bit per ResultSeries.
using ResultSeriesSet = std::uint32_t;

constexpr ResultSeriesSet seriesBit(ResultSeries s) noexcept {
    return ResultSeriesSet{1} << static_cast<int>(s);
}
constexpr bool contains(ResultSeriesSet set, ResultSeries s) noexcept {
    return (set & seriesBit(s)) != 0;
}

/// A set of analysis kinds, one bit per AnalysisKind.
using AnalysisSet = std::uint8_t;

constexpr AnalysisSet analysisBit(AnalysisKind kind) noexcept {
    return static_cast<AnalysisSet>(AnalysisSet{1} << static_cast<int>(kind));
}

inline constexpr AnalysisSet kSlidingRun = analysisBit(AnalysisKind::Sliding);
inline constexpr AnalysisSet kRockingRun = analysisBit(AnalysisKind::Rocking);
inline constexpr AnalysisSet kCoupledRun = analysisBit(AnalysisKind::SlidingAndRocking);
inline constexpr AnalysisSet kEveryRun = kSlidingRun | kRockingRun | kCoupledRun;

/// One result series: its name, where its samples live in the record, what it measures, the
/// catalogue key of its grid title and the analyses whose runs fill it.
struct ResultSeriesRow final {
    ResultSeries series;
    std::optional<TVector> TBlocStatic::*samples;
    SeriesDimension dimension;
    std::string_view titleKey;
    AnalysisSet filledBy;
};

/// Every result series, in the order of ResultSeries. A new series is one row here, one member
/// of TBlocStatic and, where it is shown, one entry in the column lists below.
inline constexpr std::array<ResultSeriesRow, kResultSeriesCount> kResultSeriesTable{{
    {ResultSeries::SlidingDisp, &TBlocStatic::SlidingDisp, SeriesDimension::Length,
     "engine.grid.sliding_displacement", kSlidingRun | kCoupledRun},
    {ResultSeries::SlidingVel, &TBlocStatic::SlidingVel, SeriesDimension::Velocity,
     "engine.grid.sliding_velocity", kSlidingRun | kCoupledRun},
    {ResultSeries::SlidingAcc, &TBlocStatic::SlidingAcc, SeriesDimension::Acceleration,
     "engine.grid.sliding_acceleration", kSlidingRun | kCoupledRun},
    {ResultSeries::Rotation, &TBlocStatic::Rotation, SeriesDimension::Rotation,
     "engine.grid.rotation", kRockingRun | kCoupledRun},
    {ResultSeries::RotationVel, &TBlocStatic::RotationVel, SeriesDimension::RotationalVelocity,
     "engine.grid.rotational_velocity", kRockingRun | kCoupledRun},
    {ResultSeries::RotationAcc, &TBlocStatic::RotationAcc, SeriesDimension::RotationalAcceleration,
     "engine.grid.rotational_acceleration", kRockingRun | kCoupledRun},
    {ResultSeries::RelKineticEnergy, &TBlocStatic::RelKineticEnergy, SeriesDimension::Energy,
     "engine.grid.relative_kinetic_energy", kEveryRun},
    {ResultSeries::AbsKineticEnergy, &TBlocStatic::AbsKineticEnergy, SeriesDimension::Energy,
     "engine.grid.absolute_kinetic_energy", kEveryRun},
    {ResultSeries::FrictionEnergy, &TBlocStatic::FrictionEnergy, SeriesDimension::Energy,
     "engine.grid.friction_energy", kSlidingRun | kCoupledRun},
    {ResultSeries::ImpactEnergy, &TBlocStatic::ImpactEnergy, SeriesDimension::Energy,
     "engine.grid.impact_energy", kRockingRun | kCoupledRun},
    {ResultSeries::PotentialEnergy, &TBlocStatic::PotentialEnergy, SeriesDimension::Energy,
     "engine.grid.potential_energy", kEveryRun},
    {ResultSeries::PreseismicWork, &TBlocStatic::PreseismicWork, SeriesDimension::Energy,
     "engine.grid.preseismic_energy", kEveryRun},
    {ResultSeries::AbsInputEnergy, &TBlocStatic::AbsInputEnergy, SeriesDimension::Energy,
     "engine.grid.absolute_input_energy", kEveryRun},
    {ResultSeries::RelInputEnergy, &TBlocStatic::RelInputEnergy, SeriesDimension::Energy,
     "engine.grid.relative_input_energy", kEveryRun},
    {ResultSeries::OverturningSF, &TBlocStatic::OverturningSF, SeriesDimension::Ratio,
     "engine.grid.overturning_safety_factor", kRockingRun | kCoupledRun},
    {ResultSeries::SlidingSF, &TBlocStatic::SlidingSF, SeriesDimension::Ratio,
     "engine.grid.sliding_safety_factor", kSlidingRun | kCoupledRun},
    {ResultSeries::ResultantPosition, &TBlocStatic::ResultantPosition, SeriesDimension::Percentage,
     "engine.grid.resultant_position", kRockingRun | kCoupledRun},
}};

constexpr const ResultSeriesRow& seriesRow(ResultSeries s) noexcept {
    return kResultSeriesTable[static_cast<std::size_t>(s)];
}

/// The series a run of kind fills.
constexpr ResultSeriesSet seriesFilledBy(AnalysisKind kind) noexcept {
    ResultSeriesSet set = 0;
    for (const ResultSeriesRow& row : kResultSeriesTable)
        if ((row.filledBy & analysisBit(kind)) != 0)
            set |= seriesBit(row.series);
    return set;
}

/// The energy series every analysis fills.
inline constexpr ResultSeriesSet kEnergySeries =
    seriesBit(ResultSeries::AbsKineticEnergy) | seriesBit(ResultSeries::RelKineticEnergy) |
    seriesBit(ResultSeries::PotentialEnergy) | seriesBit(ResultSeries::PreseismicWork) |
    seriesBit(ResultSeries::AbsInputEnergy) | seriesBit(ResultSeries::RelInputEnergy);

/// The series of a sliding run.
inline constexpr ResultSeriesSet kSlidingSeries = seriesFilledBy(AnalysisKind::Sliding);

/// One series column of an analysis kind's results: the series and, when that kind titles it
/// otherwise, the catalogue key of its title.
struct SeriesColumn final {
    ResultSeries series;
    std::string_view titleKey = {}; ///< empty: the series' own titleKey
};

/// The series columns of one analysis kind's results, in the order its grid shows them, and
/// the series whose length gives the number of samples.
struct AnalysisColumns final {
    ResultSeries rowSeries;
    std::span<const SeriesColumn> columns;
    int decimals; ///< the grid shows the values with "%.<decimals>f"
};

/// The columns of kind's results.
AnalysisColumns analysisColumns(AnalysisKind kind) noexcept;

/// The catalogue key of column's title.
constexpr std::string_view columnTitleKey(const SeriesColumn& column) noexcept {
    return column.titleKey.empty() ? seriesRow(column.series).titleKey : column.titleKey;
}

/// The slot of series s in model.
inline std::optional<TVector>& seriesSlot(TBlocStatic& model, ResultSeries s) noexcept {
    return model.*(seriesRow(s).samples);
}
inline const std::optional<TVector>& seriesSlot(const TBlocStatic& model, ResultSeries s) noexcept {
    return model.*(seriesRow(s).samples);
}

} // namespace quibel
