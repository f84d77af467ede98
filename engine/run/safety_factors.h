// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace quibel {

/// Safety values of one step. Each analysis writes the ones it computes and leaves the others.
struct SafetyFactors final {
    double sliding = 0.0;           ///< sliding safety factor, dimensionless
    double overturning = 0.0;       ///< overturning safety factor, dimensionless
    double resultantPosition = 0.0; ///< resultant on the plane, % of its length from upstream
};

} // namespace quibel
