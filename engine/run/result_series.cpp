#include "engine/run/result_series.h"

namespace quibel {

std::optional<TVector>& seriesSlot(TBlocStatic& model, ResultSeries s) noexcept {
    switch (s) {
    case ResultSeries::SlidingDisp:
        return model.SlidingDisp;
    case ResultSeries::SlidingVel:
        return model.SlidingVel;
    case ResultSeries::SlidingAcc:
        return model.SlidingAcc;
    case ResultSeries::Rotation:
        return model.Rotation;
    case ResultSeries::RotationVel:
        return model.RotationVel;
    case ResultSeries::RotationAcc:
        return model.RotationAcc;
    case ResultSeries::RelKineticEnergy:
        return model.RelKineticEnergy;
    case ResultSeries::AbsKineticEnergy:
        return model.AbsKineticEnergy;
    case ResultSeries::FrictionEnergy:
        return model.FrictionEnergy;
    case ResultSeries::ImpactEnergy:
        return model.ImpactEnergy;
    case ResultSeries::PotentialEnergy:
        return model.PotentialEnergy;
    case ResultSeries::PreseismicWork:
        return model.PreseismicWork;
    case ResultSeries::AbsInputEnergy:
        return model.AbsInputEnergy;
    case ResultSeries::RelInputEnergy:
        return model.RelInputEnergy;
    case ResultSeries::OverturningSF:
        return model.OverturningSF;
    case ResultSeries::SlidingSF:
        return model.SlidingSF;
    case ResultSeries::ResultantPosition:
        break;
    }
    return model.ResultantPosition;
}

const std::optional<TVector>& seriesSlot(const TBlocStatic& model, ResultSeries s) noexcept {
    return seriesSlot(const_cast<TBlocStatic&>(model), s);
}

} // namespace quibel
