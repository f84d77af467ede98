// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/loads/water_loads.h"

#include <algorithm>
#include <cmath>

namespace quibel {

double RockingWaterMoment(const LoadModel& loads, double theta, double av) noexcept {
    if (theta == 0.0)
        return 0.0;
    return RockingWaterMoment(loads, theta, std::sin(theta), std::cos(theta), av);
}

double RockingWaterMoment(const LoadModel& loads, double theta, double sinTheta, double cosTheta,
                          double av) noexcept {
    const AnalysisOptions& options = loads.options;
    const SiModel& si = loads.si;
    if (options.VerticalAcceleration == 1)
        av = 0.0;
    const double gamma = si.g + av;
    const double hw = loads.hw;
    if (hw < 0.0 || options.Rotational == 1 || theta == 0.0)
        return 0.0;
    const double s = sinTheta;
    const double c = cosTheta;
    const double T = si.T;
    const double B = si.B;
    if (theta < 0.0) {
        // Pivot at the toe: the heel has risen by B |sin(theta)|. Once it is out of the water
        // there is no pressure on the face, and none under the heel.
        const double heelDepth = std::max(hw + B * s, 0.0);
        const double H = si.H;
        // Pressure gamma (depth - z cos(theta)) at the distance z along the face, over the
        // wetted length depth / cos(theta), or over the whole face when the water stands above
        // its top (then integral over 0..H: depth H² / 2 - cos(theta) H³ / 3, the moment of the
        // trapezoidal thrust at rest when theta = 0).
        const double face = heelDepth > H * c ? heelDepth * H * H / 2.0 - c * H * H * H / 3.0
                                              : heelDepth * heelDepth * heelDepth / (6.0 * c * c);
        switch (options.UpliftDown) {
        case 0:
            return -gamma * T * face;
        case 1:
            return -gamma * T * face - si.U * (loads.baseLength - si.Xu);
        default: {
            // Full reservoir pressure under the base, linear from the heel depth to the pivot
            // depth hw - B tan(beta), each at least 0 (as WaterLoads takes them): its moment
            // about the toe is Lb² (pivot depth / 6 + heel depth / 3), which for a wet heel and
            // pivot is hw B²/(2 cb²) + B³ sin(theta)/(3 cb²) - B³ tan(beta)/(6 cb²).
            const double pivotDepth = std::max(hw - B * loads.tanBeta, 0.0);
            const double Lb = loads.baseLength;
            const double base = Lb * Lb * (pivotDepth / 6.0 + heelDepth / 3.0);
            return -gamma * T * (face + base);
        }
        }
    }
    // Pivot at the heel. Pressure gamma (hw - z cos(theta)) at the distance z along the face
    // gives the moment -gamma T integral of (hw - z cos(theta)) z dz over the wetted length.
    const double H = si.H;
    double face;
    if (hw > H) {
        // Reservoir above the top of the face: the whole face is submerged at every rotation,
        // integral over 0..H: gamma T H³ (hw / (2 H) - cos(theta) / 3), which is the moment of
        // the trapezoidal thrust at rest when theta = 0.
        face = gamma * T * H * H * H * (hw / (2.0 * H) - c / 3.0);
    } else if (c > hw / H) {
        // The top of the face is above the water until cos(theta) = hw / H: wetted length
        // hw / cos(theta).
        face = gamma * T * hw * hw * hw / (6.0 * c * c);
    } else {
        // The top of the face has gone under: the face plus the water over the crest.
        const double t = s / c;
        const double rest = hw - H * c;
        const double crest = rest > 0.0 ? rest * rest * rest / (6.0 * t * t) : 0.0;
        face = gamma * T * (H * H * H * (hw / (2.0 * H) - c / 3.0) + crest);
    }
    if (options.UpliftUp == 0)
        return -face;
    return -face + si.U * si.Xu;
}

namespace {

// Height above the heel of the resultant of a trapezoidal pressure from pTop to pBottom over h.
double trapezoidArm(double h, double pTop, double pBottom) noexcept {
    return (h / 3.0) * (2.0 * pTop + pBottom) / (pTop + pBottom);
}

// The water on a rotated block: the thrust hs on its face, over the wetted height h between
// the pressures pTop and pBottom, and the uplift at x from the heel along the length base of
// the base on the pivot's side.
struct RotatedWater {
    double hs, h, pTop, pBottom, uplift, x, base;
};

// Their components with the face turned by theta (st, ct) and the base at (s2, c2), and their
// moments about the heel and about the toe toeRise above it.
WaterLoadsResult rotatedLoads(const RotatedWater& w, double st, double ct, double s2, double c2,
                              double toeRise) noexcept {
    WaterLoadsResult r;
    r.Fx = w.hs * ct - w.uplift * s2;
    r.Fy = w.hs * st + w.uplift * c2;
    if (w.pTop + w.pBottom != 0.0) {
        const double y = trapezoidArm(w.h, w.pTop, w.pBottom);
        r.momentHeel = -w.hs * y + w.uplift * w.x;
        r.momentToe = -w.hs * (y - toeRise) - w.uplift * (w.base - w.x);
    } else {
        r.momentHeel = w.uplift * w.x;
        r.momentToe = (w.x - w.base) * w.uplift;
    }
    return r;
}

} // namespace

WaterLoadsResult WaterLoads(const LoadModel& loads, double theta, double u, double av) noexcept {
    const AnalysisOptions& options = loads.options;
    const SiModel& si = loads.si;
    if (options.VerticalAcceleration == 1)
        av = 0.0;
    const double gamma = si.g + av;
    const double uUp = options.CenterUp == 1 ? std::min(u, 0.0) : 0.0;
    const double uDown = options.CenterDown == 1 ? std::max(u, 0.0) : 0.0;
    const double sb = loads.sinBeta;
    const double cb = loads.cosBeta;
    const double tb = loads.tanBeta;
    // Direction of the rotated base, for the components of the uplift.
    const double baseAngle = theta > 0.0 ? loads.beta - theta : loads.beta + theta;
    const double s2 = std::sin(baseAngle);
    const double c2 = std::cos(baseAngle);
    const double hw = loads.hwPositive;
    const double H = si.H;
    const double T = si.T;
    const double B = si.B;
    const double Lb = loads.baseLength;
    const double U = si.U;
    const double toeRise = B * tb;

    if (theta == 0.0) {
        WaterLoadsResult r;
        const double pTop = gamma * std::max(hw - H, 0.0);
        const double pBottom = gamma * std::max(hw - u * sb, 0.0);
        const double h = std::min(H, hw - u * sb);
        const double hs = (pTop + pBottom) / 2.0 * h * T;
        r.Fx = hs - U * sb;
        r.Fy = U * cb;
        if (pTop + pBottom != 0.0) {
            const double y = trapezoidArm(h, pTop, pBottom);
            r.momentHeel = -hs * y + U * (si.Xu + uUp);
            r.momentToe = -hs * (y - toeRise + uDown * sb) - U * (Lb - si.Xu - uDown);
        } else {
            r.momentHeel = U * (si.Xu + uUp);
            r.momentToe = -U * (Lb - si.Xu - uDown);
        }
        return r;
    }

    const double st = std::sin(theta);
    const double ct = std::cos(theta);

    if (theta < 0.0) {
        // Rocking about the toe.
        const double L = Lb - uDown; // from the heel to the pivot, along the base
        double z;                    // rise of the heel
        double pPivot;
        if (u > 0.0 && uDown != 0.0) {
            z = (sb - s2) * L + u * s2;
            pPivot = gamma * std::max(hw - toeRise, 0.0);
        } else {
            z = (sb - s2) * L + u * sb;
            pPivot = gamma * std::max(hw - toeRise - u * sb, 0.0);
        }
        const double h = ct == 0.0 ? H : std::min((hw - z) / ct, H);
        const double pTop = gamma * std::max(hw - z - H * ct, 0.0);
        const double pBottom = gamma * std::max(hw - z, 0.0);
        const double hs = (pTop + pBottom) / 2.0 * h * T;
        double uplift = 0.0;
        double x = 0.0; // from the heel, along the base
        if (options.UpliftDown == 1) {
            uplift = U;
            x = si.Xu;
        } else if (options.UpliftDown == 2) {
            uplift = (pBottom + pPivot) / 2.0 * L * T;
            x = pBottom + pPivot == 0.0 ? 0.0
                                        : (L / 3.0) * (2.0 * pPivot + pBottom) / (pBottom + pPivot);
        }
        return rotatedLoads({hs, h, pTop, pBottom, uplift, x, L}, st, ct, s2, c2, toeRise);
    }

    // Rocking about the heel.
    double pTop;
    double h;
    if (H * ct + u * sb >= hw) {
        pTop = 0.0; // top of the face out of the water
        h = hw / ct - u * tb;
    } else {
        pTop = gamma * (hw - H * ct - u * sb);
        h = H;
    }
    double pBottom;
    double pGap = 0.0;
    double uplift = 0.0;
    if (u > 0.0) {
        pBottom = gamma * std::max(hw - u * sb, 0.0);
    } else if (options.CenterUp == 1) {
        // The block has slid upstream past the pivot: water fills the gap of width |u| under
        // the heel.
        pBottom = gamma * std::max(hw - std::sin(loads.beta + theta) * u, 0.0);
        pGap = gamma * hw;
        uplift = -(pBottom + pGap) / 2.0 * u * T;
    } else {
        pBottom = gamma * std::max(hw - u * sb, 0.0);
    }
    const double hs = (pTop + pBottom) / 2.0 * h * T;
    double x;
    if (options.UpliftUp == 0) {
        x = pBottom + pGap == 0.0
                ? 0.0
                : std::max(0.0, (-u / 3.0) * (2.0 * pGap + pBottom) / (pBottom + pGap));
    } else {
        uplift = U;
        x = options.CenterUp == 1 ? si.Xu + std::min(u, 0.0) : si.Xu;
    }
    return rotatedLoads({hs, h, pTop, pBottom, uplift, x, Lb}, st, ct, s2, c2, toeRise);
}

} // namespace quibel
