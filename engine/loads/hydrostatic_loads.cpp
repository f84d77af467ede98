// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/loads/hydrostatic_loads.h"

#include <cmath>

namespace quibel {

StaticThrust StaticHydrostaticThrust(const LoadModel& loads, double av) noexcept {
    const SiModel& si = loads.si;
    StaticThrust thrust;
    if (si.Hd - si.H >= si.Hr)
        return thrust;
    const double gamma = si.g + av;
    const double hw = loads.hw;
    if (si.Hr > si.Hd) {
        const double above = si.Hr - si.Hd; // water over the top of the face
        thrust.force = gamma * (above + hw) / 2.0 * si.H * si.T;
        thrust.arm = ((2.0 / 3.0) * above * si.H + hw * si.H / 3.0) / (hw + above);
    } else {
        thrust.force = gamma * hw * hw / 2.0 * si.T;
        thrust.arm = hw / 3.0;
    }
    return thrust;
}

double StaticAddedMass(const LoadModel& loads) noexcept {
    const SiModel& si = loads.si;
    if (!(si.Hd - si.H < si.Hr) || loads.options.Translational != 0)
        return 0.0;
    const double hw = loads.hw;
    return kAddedMassCoefficient * std::sqrt(si.Hr) * hw * std::sqrt(hw) * si.T;
}

} // namespace quibel
