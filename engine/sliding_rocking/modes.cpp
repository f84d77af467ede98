// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/sliding_rocking/modes.h"

#include <cmath>

namespace quibel {

std::string_view MotionModeLabel(MotionMode mode) noexcept {
    switch (mode) {
    case MotionMode::Stop:
        return "Stop";
    case MotionMode::Sliding:
        return "Sliding";
    case MotionMode::RockingUS:
        return "Rocking U/S";
    case MotionMode::RockingDS:
        return "Rocking D/S";
    case MotionMode::SlidingUSRockingUS:
        return "Sliding U/S - Rocking U/S";
    case MotionMode::SlidingUSRockingDS:
        return "Sliding U/S - Rocking D/S";
    case MotionMode::SlidingDSRockingUS:
        return "Sliding D/S - Rocking U/S";
    case MotionMode::SlidingDSRockingDS:
        return "Sliding D/S - Rocking D/S";
    }
    return "";
}

Tendency SlidingTendency(double D, double Fr) noexcept {
    if (std::fabs(D) > std::fabs(Fr)) {
        if (D < 0.0)
            return Tendency::Upstream;
        if (D > 0.0)
            return Tendency::Downstream;
    }
    return Tendency::None;
}

Tendency RockingTendency(double MUS, double MDS) noexcept {
    if (MUS > 0.0)
        return Tendency::Upstream;
    if (MDS < 0.0)
        return Tendency::Downstream;
    return Tendency::None;
}

bool SlidingReversed(double v0, double v) noexcept {
    return v0 != 0.0 && v / v0 < 0.0;
}

bool RotationReversed(double theta0, double theta) noexcept {
    return theta0 != 0.0 && theta / theta0 < 0.0;
}

bool RotationSettled(double theta, double omega) noexcept {
    return theta != 0.0 && std::fabs(theta) <= 1e-7 && std::fabs(omega) <= 1e-4 &&
           omega / theta < 0.0;
}

int ModeCheck(MotionMode mode, double theta, double v) noexcept {
    switch (mode) {
    case MotionMode::RockingUS:
        return theta < 0.0 ? 101 : 0;
    case MotionMode::SlidingUSRockingUS:
        return theta < 0.0 || v >= 0.0 ? 102 : 0;
    case MotionMode::SlidingDSRockingUS:
        return theta < 0.0 || v <= 0.0 ? 103 : 0;
    case MotionMode::RockingDS:
        return theta > 0.0 ? 104 : 0;
    case MotionMode::SlidingUSRockingDS:
        return theta > 0.0 || v >= 0.0 ? 105 : 0;
    case MotionMode::SlidingDSRockingDS:
        return theta > 0.0 || v <= 0.0 ? 106 : 0;
    default:
        return 0;
    }
}

} // namespace quibel
