// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/result_series.h"

namespace quibel {

namespace {

using S = ResultSeries;

constexpr bool tableFollowsTheEnum() noexcept {
    for (std::size_t i = 0; i < kResultSeriesTable.size(); ++i)
        if (static_cast<std::size_t>(kResultSeriesTable[i].series) != i)
            return false;
    return true;
}
static_assert(tableFollowsTheEnum(), "kResultSeriesTable must list the series in enum order");

constexpr SeriesColumn kSlidingColumns[] = {
    {S::SlidingDisp, "engine.grid.sliding"},
    {S::SlidingVel},
    {S::SlidingAcc},
    {S::SlidingSF},
    {S::AbsInputEnergy},
    {S::RelInputEnergy},
    {S::PreseismicWork},
    {S::AbsKineticEnergy},
    {S::RelKineticEnergy},
    {S::FrictionEnergy},
    {S::PotentialEnergy},
};

constexpr SeriesColumn kRockingColumns[] = {
    {S::Rotation},          {S::RotationVel},      {S::RotationAcc},     {S::OverturningSF},
    {S::ResultantPosition}, {S::AbsInputEnergy},   {S::RelInputEnergy},  {S::PreseismicWork},
    {S::AbsKineticEnergy},  {S::RelKineticEnergy}, {S::PotentialEnergy}, {S::ImpactEnergy},
};

constexpr SeriesColumn kCoupledColumns[] = {
    {S::SlidingDisp},       {S::SlidingVel},     {S::SlidingAcc},       {S::Rotation},
    {S::RotationVel},       {S::RotationAcc},    {S::SlidingSF},        {S::OverturningSF},
    {S::ResultantPosition}, {S::AbsInputEnergy}, {S::AbsKineticEnergy}, {S::RelInputEnergy},
    {S::RelKineticEnergy},  {S::PreseismicWork}, {S::PotentialEnergy},  {S::FrictionEnergy},
    {S::ImpactEnergy},
};

} // namespace

AnalysisColumns analysisColumns(AnalysisKind kind) noexcept {
    switch (kind) {
    case AnalysisKind::Rocking:
        return {S::Rotation, kRockingColumns, 10};
    case AnalysisKind::SlidingAndRocking:
        return {S::Rotation, kCoupledColumns, 10};
    case AnalysisKind::Sliding:
        break;
    }
    return {S::SlidingDisp, kSlidingColumns, 8};
}

} // namespace quibel
