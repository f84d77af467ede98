// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace quibel {

/// Analysis options. Translational, Rotational and VerticalAcceleration are the index of a
/// "Yes"/"No" choice: 0 means yes.
struct AnalysisOptions final {
    double Gravity = 9.807;         ///< length unit / s²
    double TimeStep = 0.0001;       ///< integration step, s
    double SaveStep = 0.01;         ///< output step, s
    std::uint8_t NewmarkBeta = 0;   ///< 0 linear acceleration, 1 constant acceleration
    std::uint8_t UpliftUp = 0;      ///< rocking upstream: 0 no pressure, 1 unchanged
    std::uint8_t UpliftDown = 1;    ///< rocking downstream: 0 none, 1 unchanged, 2 full reservoir
    std::uint8_t CenterUp = 1;      ///< upstream centre of rotation: 1 moves with sliding
    std::uint8_t CenterDown = 1;    ///< downstream centre of rotation: 1 moves with sliding
    std::uint8_t Translational = 0; ///< translational hydrodynamic pressures: 0 considered
    std::uint8_t Rotational = 0;    ///< rotational hydrodynamic pressures: 0 considered
    std::uint8_t DebugFile = 0;     ///< 1: write debug.csv during a run
    std::uint8_t VerticalAcceleration = 0; ///< vertical acc. acts on hydrostatics: 0 yes

    bool operator==(const AnalysisOptions&) const = default;
};

} // namespace quibel
