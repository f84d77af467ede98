// SPDX-License-Identifier: GPL-3.0-or-later
#include "rocking_reference.h"

#include <cmath>

namespace quibel::verification {

namespace {

template <typename F>
double Simpson(F, double a, double b, double fa, double fm, double fb) {
    return (b - a) / 6.0 * (fa + 4.0 * fm + fb);
}

template <typename F>
double AdaptiveSimpson(F f, double a, double b, double fa, double fm, double fb, double whole,
                       double tolerance, int depth) {
    const double m = 0.5 * (a + b);
    const double lm = 0.5 * (a + m), rm = 0.5 * (m + b);
    const double flm = f(lm), frm = f(rm);
    const double left = Simpson(f, a, m, fa, flm, fm);
    const double right = Simpson(f, m, b, fm, frm, fb);
    if (depth <= 0 || std::abs(left + right - whole) <= 15.0 * tolerance)
        return left + right + (left + right - whole) / 15.0;
    return AdaptiveSimpson(f, a, m, fa, flm, fm, left, tolerance / 2.0, depth - 1) +
           AdaptiveSimpson(f, m, b, fm, frm, fb, right, tolerance / 2.0, depth - 1);
}

} // namespace

double FreeRockingReference::quarterPeriod(double theta0) const {
    const double a = mAlpha - theta0;
    // dtheta = -2 w dw; the integrand is 2 w / sqrt(2 p² (cos a - cos(a + w²))), with
    // cos a - cos(a + w²) = 2 sin(a + w²/2) sin(w²/2) written without cancellation; it tends
    // to 2 / sqrt(2 p² sin a) as w -> 0.
    const auto f = [&](double w) {
        if (w == 0.0)
            return 2.0 / std::sqrt(2.0 * mP * mP * std::sin(a));
        const double w2 = w * w;
        const double drop = 2.0 * std::sin(a + w2 / 2.0) * std::sin(w2 / 2.0);
        return 2.0 * w / std::sqrt(2.0 * mP * mP * drop);
    };
    const double b = std::sqrt(theta0);
    const double fa = f(0.0), fm = f(0.5 * b), fb = f(b);
    return AdaptiveSimpson(f, 0.0, b, fa, fm, fb, Simpson(f, 0.0, b, fa, fm, fb), 1e-13, 50);
}

double FreeRockingReference::housnerQuarterPeriod(double theta0) const {
    return std::acosh(1.0 / (1.0 - theta0 / mAlpha)) / mP;
}

double FreeRockingReference::amplitudeAfterImpact(double theta0, double e) const {
    const double c = std::cos(mAlpha);
    return mAlpha - std::acos(c + e * e * (std::cos(mAlpha - theta0) - c));
}

double HousnerRestitution(double alpha) {
    const double s = std::sin(alpha);
    return 1.0 - 1.5 * s * s;
}

} // namespace quibel::verification
