// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string_view>

namespace quibel {

/// The eight ways a sliding-and-rocking block moves, kept in TBlocStatic::MotionState. Rocking
/// about the heel is a rotation theta >= 0 (toward upstream), about the toe theta <= 0.
enum class MotionMode : std::uint8_t {
    Stop = 0,               ///< at rest
    Sliding = 1,            ///< sliding only
    RockingUS = 2,          ///< rocking about the heel
    RockingDS = 3,          ///< rocking about the toe
    SlidingUSRockingUS = 4, ///< sliding upstream (v < 0), rocking about the heel
    SlidingUSRockingDS = 5, ///< sliding upstream, rocking about the toe
    SlidingDSRockingUS = 6, ///< sliding downstream (v > 0), rocking about the heel
    SlidingDSRockingDS = 7, ///< sliding downstream, rocking about the toe
};

/// The label of a mode in the debug file ("Stop", "Sliding", "Rocking U/S", ...).
std::string_view MotionModeLabel(MotionMode mode) noexcept;

/// Heel modes (2, 4, 6) rotate about the upstream pivot, toe modes (3, 5, 7) about the
/// downstream one; modes 0 and 1 do not rotate.
constexpr bool isHeelMode(MotionMode m) noexcept {
    return m == MotionMode::RockingUS || m == MotionMode::SlidingUSRockingUS ||
           m == MotionMode::SlidingDSRockingUS;
}
constexpr bool isToeMode(MotionMode m) noexcept {
    return m == MotionMode::RockingDS || m == MotionMode::SlidingUSRockingDS ||
           m == MotionMode::SlidingDSRockingDS;
}
/// Modes 4 to 7: sliding and rocking at once.
constexpr bool isCoupledMode(MotionMode m) noexcept {
    return static_cast<int>(m) >= 4 && static_cast<int>(m) <= 7;
}
/// Modes 4 and 5 slide upstream, 6 and 7 downstream.
constexpr bool slidesUpstream(MotionMode m) noexcept {
    return m == MotionMode::SlidingUSRockingUS || m == MotionMode::SlidingUSRockingDS;
}

/// The same sliding about the other pivot: 4 <-> 5, 6 <-> 7 (an impact in a combined mode).
constexpr MotionMode swapPivot(MotionMode m) noexcept {
    switch (m) {
    case MotionMode::SlidingUSRockingUS:
        return MotionMode::SlidingUSRockingDS;
    case MotionMode::SlidingUSRockingDS:
        return MotionMode::SlidingUSRockingUS;
    case MotionMode::SlidingDSRockingUS:
        return MotionMode::SlidingDSRockingDS;
    case MotionMode::SlidingDSRockingDS:
        return MotionMode::SlidingDSRockingUS;
    default:
        return m;
    }
}
/// The same pivot sliding the other way: 4 <-> 6, 5 <-> 7 (a sliding reversal).
constexpr MotionMode reverseSliding(MotionMode m) noexcept {
    switch (m) {
    case MotionMode::SlidingUSRockingUS:
        return MotionMode::SlidingDSRockingUS;
    case MotionMode::SlidingDSRockingUS:
        return MotionMode::SlidingUSRockingUS;
    case MotionMode::SlidingUSRockingDS:
        return MotionMode::SlidingDSRockingDS;
    case MotionMode::SlidingDSRockingDS:
        return MotionMode::SlidingUSRockingDS;
    default:
        return m;
    }
}
/// Pure rocking about the same pivot: 4, 6 -> 2 and 5, 7 -> 3 (the sliding stops).
constexpr MotionMode pureRocking(MotionMode m) noexcept {
    if (isHeelMode(m))
        return MotionMode::RockingUS;
    if (isToeMode(m))
        return MotionMode::RockingDS;
    return m;
}

/// The other pure rocking mode: 2 <-> 3.
constexpr MotionMode otherRocking(MotionMode m) noexcept {
    return m == MotionMode::RockingUS ? MotionMode::RockingDS : MotionMode::RockingUS;
}

/// The rotation theta (rad) has the wrong sign for the pivot of the mode: theta < 0 about the
/// heel, theta > 0 about the toe. Never for modes 0 and 1.
constexpr bool rotationAgainstPivot(MotionMode m, double theta) noexcept {
    return isHeelMode(m) ? theta < 0.0 : (isToeMode(m) ? theta > 0.0 : false);
}

/// The sliding velocity v (m/s) does not go the way of the combined mode m (upstream: v < 0,
/// downstream: v > 0); a velocity of exactly 0 does not either, the mode could not be kept.
constexpr bool slidingAgainstMode(MotionMode m, double v) noexcept {
    return slidesUpstream(m) ? v >= 0.0 : v <= 0.0;
}

/// Direction in which the loads at the start of a step push the block.
enum class Tendency : std::uint8_t { Upstream = 0, None = 1, Downstream = 2 };

/// Sliding tendency from the driving force D and the friction force Fr along the plane (kN):
/// the block tends to slide when |D| > |Fr|, in the direction of D.
Tendency SlidingTendency(double D, double Fr) noexcept;
/// Rocking tendency from the moments of all forces about the heel (MUS) and the toe (MDS),
/// kN·m: upstream when MUS > 0 lifts the toe, downstream when MDS < 0 lifts the heel.
Tendency RockingTendency(double MUS, double MDS) noexcept;

/// True when the sliding velocity changed sign over the step (v0 != 0 and v / v0 < 0).
bool SlidingReversed(double v0, double v) noexcept;
/// True when the rotation changed sign over the step (theta0 != 0 and theta / theta0 < 0).
bool RotationReversed(double theta0, double theta) noexcept;
/// True when a rotation about to cross zero is too small to bounce: theta != 0,
/// |theta| <= 1e-7 rad, |omega| <= 1e-4 rad/s and omega moving it toward zero.
bool RotationSettled(double theta, double omega) noexcept;

/// 0 when the mode agrees with the signs of the rotation theta and the sliding velocity v, else
/// the code of the contradiction: 101 (mode 2, theta < 0), 102 (mode 4, theta < 0 or v >= 0),
/// 103 (mode 6, theta < 0 or v <= 0), 104 (mode 3, theta > 0), 105 (mode 5, theta > 0 or
/// v >= 0), 106 (mode 7, theta > 0 or v <= 0).
int ModeCheck(MotionMode mode, double theta, double v) noexcept;

} // namespace quibel
