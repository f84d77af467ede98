// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/rocking/body.h"

#include <cstdint>

namespace quibel {

/// The values of TBlocStatic::MotionState that the rocking analysis uses (1 is not used).
enum class RockingMotion : std::uint8_t {
    AtRest = 0,      ///< full contact with the plane, theta = 0
    RockingUp = 2,   ///< rotating about the heel, theta > 0
    RockingDown = 3, ///< rotating about the toe, theta < 0
};

/// The pivot of a rocking motion.
constexpr RockingPivot pivotOf(RockingMotion m) noexcept {
    return m == RockingMotion::RockingDown ? RockingPivot::Toe : RockingPivot::Heel;
}

/// The rocking motion about pivot p.
constexpr RockingMotion motionAbout(RockingPivot p) noexcept {
    return p == RockingPivot::Toe ? RockingMotion::RockingDown : RockingMotion::RockingUp;
}

/// True when theta lies on the side that rotation about p cannot reach: below the plane
/// (theta < 0 about the heel, theta > 0 about the toe).
constexpr bool wrongSide(RockingPivot p, double theta) noexcept {
    return p == RockingPivot::Heel ? theta < 0.0 : theta > 0.0;
}

} // namespace quibel
