// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/run/sliding_stop.h"

#include <algorithm>
#include <cmath>

namespace quibel {

double VelocityRootTime(double v0, double a0, double A, double span) noexcept {
    const double disc = a0 * a0 - 4.0 * A * v0;
    if (disc < 0.0 || A == 0.0 || std::isnan(disc))
        return span;
    const double root = std::sqrt(disc);
    const double r1 = (root - a0) / (2.0 * A);
    const double r2 = (-a0 - root) / (2.0 * A);
    double tau = span;
    if (r1 > 0.0 && r2 > 0.0)
        tau = std::min(r1, r2);
    else if (r1 >= 0.0 && r2 < 0.0)
        tau = r1;
    else if (r1 < 0.0 && r2 >= 0.0)
        tau = r2;
    return std::min(tau, span);
}

} // namespace quibel
