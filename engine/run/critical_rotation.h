// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/block_properties.h"
#include "model/project_record.h"

#include <numbers>

namespace quibel {

/// Which critical angle a rotation went beyond.
enum class CriticalSide { None, Heel, Toe };

/// The watch of the two rocking analyses over the rotation of the block: past one of its
/// critical angles by more than pi/8 the block is likely to overturn, and the run asks once
/// whether to go on. The angles are those of the block alone (criticalAngles of the model),
/// and the record keeps them in ThetaUp and ThetaDown after the run.
class CriticalRotationWatch final {
public:
    /// How far beyond its critical angle a rotation may go before the question, rad.
    static constexpr double kMargin = std::numbers::pi / 8.0;

    /// For a new run on model.
    void start(const TBlocStatic& model) noexcept {
        mAngles = criticalAngles(model);
        mPassed = false;
    }

    /// The side that theta (rad, positive about the heel) went beyond, when the block turns
    /// about that side's pivot, the first time in the run; None otherwise.
    CriticalSide passed(double theta, bool aboutHeel, bool aboutToe) noexcept {
        if (mPassed)
            return CriticalSide::None;
        CriticalSide side = CriticalSide::None;
        if (aboutHeel && theta > mAngles.up + kMargin)
            side = CriticalSide::Heel;
        else if (aboutToe && theta < -mAngles.down - kMargin)
            side = CriticalSide::Toe;
        mPassed = side != CriticalSide::None;
        return side;
    }

    /// Writes the critical angles into ThetaUp and ThetaDown of model.
    void store(TBlocStatic& model) const noexcept {
        model.ThetaUp = mAngles.up;
        model.ThetaDown = mAngles.down;
    }

private:
    CriticalAngles mAngles;
    bool mPassed = false;
};

} // namespace quibel
