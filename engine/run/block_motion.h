// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace quibel {

/// Kinematic results of one integration step, relative to the moving base. A sliding analysis
/// uses the first three values, a rocking analysis the last three, the sliding-and-rocking
/// analysis all six. The driver passes the results of the previous step back as start values
/// (all 0 before the first step).
struct BlockMotion final {
    double u = 0.0;     ///< sliding displacement along the plane, m, positive downstream
    double v = 0.0;     ///< sliding velocity, m/s
    double a = 0.0;     ///< sliding acceleration, m/s²
    double theta = 0.0; ///< rotation, rad: >= 0 about the heel, < 0 about the toe
    double omega = 0.0; ///< angular velocity, rad/s
    double alpha = 0.0; ///< angular acceleration, rad/s²
};

} // namespace quibel
