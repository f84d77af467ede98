// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/loads/hydrodynamic_loads.h"

#include "engine/loads/sin_cos.h"

#include "engine/loads/hydrostatic_loads.h"

#include <algorithm>
#include <cmath>

namespace quibel {

TranslationalLoad TranslationalHydrodynamicLoad(const LoadModel& loads, double u, double theta,
                                                double a1, double a2) noexcept {
    (void)theta;
    TranslationalLoad result;
    if (loads.options.Translational == 1)
        return result;
    const SiModel& si = loads.si;
    const double sb = loads.sinBeta;
    const double h = std::max(loads.hw - u * sb, 0.0);
    // h = 0 leaves no water on the face; testing it keeps a negative Hr from producing NaN.
    result.addedMass =
        h > 0.0 ? kAddedMassCoefficient * std::sqrt(si.Hr) * h * std::sqrt(h) * si.T : 0.0;
    const double f = -(a1 + a2) * result.addedMass;
    const double lever = kTranslationalLever * h;
    result.load.force = f;
    if (loads.options.CenterUp == 1 && u < 0.0)
        result.load.momentHeel = -f * (lever + u * sb);
    else
        result.load.momentHeel = -f * lever;
    const double toeRise = si.B * loads.tanBeta;
    if (loads.options.CenterDown == 1 && u > 0.0)
        result.load.momentToe = -f * (lever - toeRise);
    else
        result.load.momentToe = -f * (lever - toeRise + u * sb);
    return result;
}

RotationalLoadShape MakeRotationalLoadShape(const LoadModel& loads, double z1, double z2, double z3,
                                            double a) noexcept {
    RotationalLoadShape shape;
    const double d = z3 - (z1 - z2);
    if (loads.options.Rotational == 1 || d <= 0.0 || z3 <= 0.0)
        return shape;
    const double r = d / z3;
    const double r2 = r * r;
    const double r3 = r2 * r;
    const double r4 = r3 * r;
    const double r5 = r4 * r;
    const double r6 = r5 * r;
    const double c = -0.01498581 * r6 + 0.05620519 * r5 - 0.08027691 * r4 + 0.0577449 * r3 -
                     0.01934132 * r2 + 0.00397938 * r + 0.01889152;
    const double l = 1.0 - 0.5047589 * r + 0.0227369 * r2 - 0.0447583 * r3;
    shape.present = true;
    shape.forceFactor = d * d * d * c * a;
    shape.armHeight = l * z3 - (z1 - z2);
    shape.toeOffset = loads.si.B * loads.tanBeta;
    return shape;
}

FaceLoad RotationalHydrodynamicLoad(const RotationalLoadShape& shape, double theta,
                                    double k) noexcept {
    FaceLoad result;
    if (!shape.present)
        return result;
    const double cosTheta = cosOf(theta);
    const double f = shape.forceFactor * k / cosTheta;
    const double arm = shape.armHeight / cosTheta;
    result.force = f;
    result.momentHeel = -f * arm;
    result.momentToe = -f * (arm - shape.toeOffset);
    return result;
}

FaceLoad RotationalHydrodynamicLoad(const LoadModel& loads, double z1, double z2, double z3,
                                    double a, double theta, double k) noexcept {
    return RotationalHydrodynamicLoad(MakeRotationalLoadShape(loads, z1, z2, z3, a), theta, k);
}

} // namespace quibel
