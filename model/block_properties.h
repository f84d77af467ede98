// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/project_record.h"

namespace quibel {

/// True when the point (x from the upstream face, y elevation from the foundation, model length
/// units) lies on or above the straight line through heel and toe, extended both ways. False
/// when the line cannot be formed (B = 0) or the arithmetic fails.
bool OnBlock(const TBlocStatic& model, double x, double y) noexcept;

/// Mass properties of the block together with the added masses that lie on it, in the model's
/// units. Meaningful when HasMasses is set.
struct BlockPropertiesResult final {
    double Icg = 0.0;   ///< about the combined centre, mass x length²
    double Xg = 0.0;    ///< combined centre from the upstream face, length
    double Yg = 0.0;    ///< combined centre above the heel, length
    double Rup = 0.0;   ///< heel to combined centre, length
    double Rdown = 0.0; ///< toe to combined centre, length
    double Iheel = 0.0; ///< about the heel, mass x length²
    double Itoe = 0.0;  ///< about the toe, mass x length²
    /// Critical rotation about the heel, atan(Xg / Yg), rad. With Yg = 0 the arc tangent of
    /// ±infinity, ±pi/2, or 0 when Xg is 0 as well: always finite.
    double ThetaUpM = 0.0;
    /// Critical rotation about the toe, atan((B - Xg) / (Yg - B tan Beta)), rad; finite by the
    /// same rule when the denominator is 0.
    double ThetaDownM = 0.0;
};

BlockPropertiesResult BlockProperties(const TBlocStatic& model) noexcept;

/// atan(num / den) that never gives NaN: ±pi/2 for den = 0, 0 for 0/0.
double criticalAngle(double num, double den) noexcept;

/// The rotations at which a block standing on its plane tips over its heel or its toe: the
/// directions of its centre of mass seen from each pivot, measured from the vertical, rad.
struct CriticalAngles final {
    double up = 0.0;   ///< about the heel, atan(xc / yc)
    double down = 0.0; ///< about the toe, atan((b - xc) / (yc - b tanBeta))
};

/// For a centre of mass xc from the upstream face and yc above the heel on a base of width b
/// whose plane rises tanBeta downstream, in any one length unit (criticalAngle each).
CriticalAngles criticalAngles(double xc, double yc, double b, double tanBeta) noexcept;

/// Of the block of model alone (Xc, Yc, B, Beta), without the added masses.
CriticalAngles criticalAngles(const TBlocStatic& model) noexcept;

} // namespace quibel
