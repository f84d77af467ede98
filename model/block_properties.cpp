// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/block_properties.h"

#include <cmath>
#include <numbers>

namespace quibel {

namespace {
double planeSlope(const TBlocStatic& m) noexcept {
    return std::tan(m.Beta * std::numbers::pi / 180.0);
}
} // namespace

bool OnBlock(const TBlocStatic& model, double x, double y) noexcept {
    const double g = model.Hd - model.H;
    const double t = planeSlope(model);
    if (model.B == 0.0)
        return false;
    const double s = ((g + model.B * t) - g) / model.B;
    const double lineY = s * x + g;
    if (!std::isfinite(lineY) || std::isnan(y))
        return false;
    return lineY <= y;
}

double criticalAngle(double num, double den) noexcept {
    if (den == 0.0) {
        if (num == 0.0)
            return 0.0;
        return num > 0.0 ? std::numbers::pi / 2.0 : -std::numbers::pi / 2.0;
    }
    return std::atan(num / den);
}

CriticalAngles criticalAngles(double xc, double yc, double b, double tanBeta) noexcept {
    return {criticalAngle(xc, yc), criticalAngle(b - xc, yc - b * tanBeta)};
}

CriticalAngles criticalAngles(const TBlocStatic& model) noexcept {
    return criticalAngles(model.Xc, model.Yc, model.B, planeSlope(model));
}

BlockPropertiesResult BlockProperties(const TBlocStatic& model) noexcept {
    BlockPropertiesResult r;
    const double g = model.Hd - model.H;
    const double t = planeSlope(model);
    const double M = model.M, Xc = model.Xc, Yc = model.Yc, B = model.B;

    double Mt = M;
    r.Icg = model.Im;
    double Sx = M * Xc;
    double Sy = M * Yc;
    for (const AddedMass& a : model.Masses.Items) {
        if (!OnBlock(model, a.X, a.Y))
            continue;
        Mt += a.Mass;
        r.Icg += a.Inertia;
        Sx += a.Mass * a.X;
        Sy += a.Mass * (a.Y - g);
    }
    if (Mt > 0.0) {
        r.Xg = Sx / Mt;
        r.Yg = Sy / Mt;
    }
    r.Icg += M * (Xc - r.Xg) * (Xc - r.Xg) + M * (Yc - r.Yg) * (Yc - r.Yg);
    r.Iheel += M * Xc * Xc + M * Yc * Yc;
    r.Itoe += M * (B - Xc) * (B - Xc) + M * (Yc - B * t) * (Yc - B * t);
    r.Rup = std::sqrt(r.Xg * r.Xg + r.Yg * r.Yg);
    r.Rdown = std::sqrt((r.Yg - B * t) * (r.Yg - B * t) + (B - r.Xg) * (B - r.Xg));
    const CriticalAngles angles = criticalAngles(r.Xg, r.Yg, B, t);
    r.ThetaUpM = angles.up;
    r.ThetaDownM = angles.down;
    for (const AddedMass& a : model.Masses.Items) {
        if (!OnBlock(model, a.X, a.Y))
            continue;
        const double m = a.Mass, X = a.X, h = a.Y - g;
        r.Icg += m * (r.Xg - X) * (r.Xg - X) + m * (r.Yg - h) * (r.Yg - h);
        r.Iheel += m * X * X + m * h * h;
        r.Itoe += m * (h - B * t) * (h - B * t) + m * (B - X) * (B - X);
    }
    r.Itoe += r.Icg;
    r.Iheel += r.Icg;
    return r;
}

} // namespace quibel
