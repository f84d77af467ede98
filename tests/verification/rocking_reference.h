// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace quibel::verification {

/// Free rocking of a rigid block on a rigid base (no ground motion), rotating about a corner
/// at distance R (m) from its centre of mass, the radius inclined by alpha (rad) from the
/// vertical, with moment of inertia I0 (t·m²) about the corner and mass M (t):
///     I0 theta'' = -M g R sin(alpha - |theta|) sign(theta).
/// p² = M g R / I0 is the frequency parameter (for a rectangle I0 = 4/3 M R², p² = 3 g / 4R).
class FreeRockingReference final {
public:
    FreeRockingReference(double alpha, double p) : mAlpha(alpha), mP(p) {}

    /// Time from an amplitude theta0 (0 < theta0 < alpha, released from rest) down to
    /// theta = 0: the quarter period, from the energy integral
    ///     t = integral over 0..theta0 of dtheta / sqrt(2 p² (cos(alpha - theta0) -
    ///         cos(alpha - theta))),
    /// evaluated after the substitution theta = theta0 - w², which removes the square-root
    /// singularity at theta0, by adaptive Simpson quadrature to 1e-13.
    double quarterPeriod(double theta0) const;

    /// Housner's closed form for slender blocks (sin x ~ x): acosh(1 / (1 - theta0 / alpha))
    /// / p.
    double housnerQuarterPeriod(double theta0) const;

    /// Amplitude after an impact at which the angular velocity is multiplied by e: the kinetic
    /// energy at theta = 0 is M g R (cos(alpha - theta0) - cos alpha), the same before the
    /// impact and times e² after it, so cos(alpha - theta1) - cos alpha = e² (cos(alpha -
    /// theta0) - cos alpha).
    double amplitudeAfterImpact(double theta0, double e) const;

    double alpha() const noexcept { return mAlpha; }
    double p() const noexcept { return mP; }

private:
    double mAlpha;
    double mP;
};

/// Housner's coefficient of restitution of a rectangular block whose angular momentum about
/// the new corner is kept at the impact: 1 - 3/2 sin² alpha.
double HousnerRestitution(double alpha);

} // namespace quibel::verification
