#pragma once

#include "model/project_record.h"
#include "numeric/tvector.h"

#include <cstdint>
#include <optional>

namespace quibel {

/// The result series of TBlocStatic, one name each.
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

/// A set of result series, one bit per ResultSeries.
using ResultSeriesSet = std::uint32_t;

constexpr ResultSeriesSet seriesBit(ResultSeries s) noexcept {
    return ResultSeriesSet{1} << static_cast<int>(s);
}
constexpr bool contains(ResultSeriesSet set, ResultSeries s) noexcept {
    return (set & seriesBit(s)) != 0;
}

/// The energy series every analysis fills.
inline constexpr ResultSeriesSet kEnergySeries =
    seriesBit(ResultSeries::AbsKineticEnergy) | seriesBit(ResultSeries::RelKineticEnergy) |
    seriesBit(ResultSeries::PotentialEnergy) | seriesBit(ResultSeries::PreseismicWork) |
    seriesBit(ResultSeries::AbsInputEnergy) | seriesBit(ResultSeries::RelInputEnergy);

/// The series of a sliding run: displacement, velocity, acceleration, the six energy series,
/// friction energy and the sliding safety factor.
inline constexpr ResultSeriesSet kSlidingSeries =
    seriesBit(ResultSeries::SlidingDisp) | seriesBit(ResultSeries::SlidingVel) |
    seriesBit(ResultSeries::SlidingAcc) | kEnergySeries | seriesBit(ResultSeries::FrictionEnergy) |
    seriesBit(ResultSeries::SlidingSF);

/// The slot of series s in model.
std::optional<TVector>& seriesSlot(TBlocStatic& model, ResultSeries s) noexcept;
const std::optional<TVector>& seriesSlot(const TBlocStatic& model, ResultSeries s) noexcept;

} // namespace quibel
