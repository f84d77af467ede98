// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace quibel {

/// The energy balance of a run, kN·m. Owned by the driver, zero at the start of a run and
/// updated by every step. The terms that accumulate (E0, E1, E4, E5, E6) are sums over the
/// steps; the others (E2, E3, E7) are set from the state at the end of each step.
struct EnergyTerms final {
    double E0 = 0.0; ///< absolute seismic input energy (Ia)
    double E1 = 0.0; ///< relative seismic input energy (Ir)
    double E2 = 0.0; ///< absolute kinetic energy (Ka)
    double E3 = 0.0; ///< relative kinetic energy (Kr)
    double E4 = 0.0; ///< energy dissipated by friction (F)
    double E5 = 0.0; ///< work of the pre-seismic loads (W)
    double E6 = 0.0; ///< energy dissipated by impacts (D)
    double E7 = 0.0; ///< potential energy (P)
};

} // namespace quibel
