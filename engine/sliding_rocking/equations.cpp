// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/sliding_rocking/equations.h"

#include "engine/loads/hydrodynamic_loads.h"
#include "engine/loads/water_loads.h"

#include <cmath>

namespace quibel {

namespace {
double signOf(double x) noexcept {
    return x > 0.0 ? 1.0 : (x < 0.0 ? -1.0 : 0.0);
}

double finiteOrZero(double x) noexcept {
    return std::isfinite(x) ? x : 0.0;
}
} // namespace

const MassProperties& PivotMassProperties(const SlidingRockingContext& c, SlidingRockingState& s,
                                          bool heel, double u) noexcept {
    if (heel) {
        s.heel = c.pivots.HeelMassProperties(u);
        s.heelU = u;
        return s.heel;
    }
    s.toe = c.pivots.ToeMassProperties(u);
    s.toeU = u;
    return s.toe;
}

void PlaneForces(const SlidingRockingContext& c, SlidingRockingState& s) noexcept {
    const MassProperties& heel = PivotMassProperties(c, s, true, s.u);
    const MassProperties& toe = PivotMassProperties(c, s, false, s.u);
    const double M = heel.Mass;
    const double sumFh = c.pivots.sumFh(s.Fh);
    const double sumFv = c.pivots.sumFv(s.Fv);

    const WaterLoadsResult wl = c.water(s.theta, s.u, s.av1);
    s.hydroThrust = wl.Fx;
    const TranslationalLoad trans = c.translational(s.u, s.theta, s.ag1, s.a);
    s.addedMassW = trans.addedMass;
    const double fhd = trans.load.force;
    const double frot = RotationalHydrodynamicLoad(c.rotational, s.theta, s.alpha).force;

    // Acceleration of the centre of mass from the rotation about a moving pivot.
    double ax = 0.0, ay = 0.0;
    const MotionMode m = s.mode;
    if (m == MotionMode::SlidingUSRockingUS || m == MotionMode::SlidingDSRockingUS) {
        const double phi = heel.Angle - s.theta;
        ax = (-s.alpha * std::cos(phi) - s.omega * s.omega * std::sin(phi)) * heel.Radius;
        ay = (s.alpha * std::sin(phi) - s.omega * s.omega * std::cos(phi)) * heel.Radius;
    } else if (m == MotionMode::SlidingUSRockingDS || m == MotionMode::SlidingDSRockingDS) {
        const double phi = toe.Angle + s.theta;
        ax = (s.omega * s.omega * std::sin(phi) - s.alpha * std::cos(phi)) * toe.Radius;
        ay = (-s.alpha * std::sin(phi) - s.omega * s.omega * std::cos(phi)) * toe.Radius;
    }
    const double H = std::cos(s.theta) * frot + fhd + wl.Fx + sumFh - (s.ag1 + ax) * M;
    const double V = std::sin(s.theta) * frot + sumFv + wl.Fy - (c.g + s.av1 + ay) * M;
    double N = H * c.sinBeta - V * c.cosBeta;
    if (N < 0.0)
        N = 0.0;
    s.D = H * c.cosBeta + V * c.sinBeta;
    const bool sliding = m == MotionMode::Sliding || isCoupledMode(m);
    double fr = std::fabs(N * (sliding ? c.muD : c.muS));
    if (s.D != 0.0)
        fr = -fr * signOf(s.D);
    if (s.v != 0.0)
        fr = -std::fabs(fr) * signOf(s.v);
    s.Fr = fr;
}

double RockingAcceleration(const SlidingRockingContext& c, SlidingRockingState& s, MotionMode mode,
                           double av, double ag, double u, double theta) noexcept {
    const bool heel = mode == MotionMode::RockingUS;
    const MassProperties& mp = PivotMassProperties(c, s, heel, u);
    const WaterLoadsResult wl = c.water(theta, u, av);
    const ForceLoads fl =
        heel ? c.pivots.HeelForceLoads(u, s.Fh, s.Fv) : c.pivots.ToeForceLoads(u, s.Fh, s.Fv);
    const FaceLoad rot = RotationalHydrodynamicLoad(c.rotational, theta, -1.0);
    const TranslationalLoad trans = c.translational(u, theta, ag, heel ? s.a0 : 0.0);
    s.addedMassW = trans.addedMass;

    const double MR = mp.Mass * mp.Radius;
    double num, den;
    if (heel) {
        const double phi = mp.Angle - theta;
        num = MR * ag * std::cos(phi) - MR * (c.g + av) * std::sin(phi) + wl.momentHeel +
              trans.load.momentHeel + fl.MomentH + fl.MomentV;
        den = mp.Inertia + rot.momentHeel;
    } else {
        const double phi = mp.Angle + theta;
        num = MR * ag * std::cos(phi) + MR * (c.g + av) * std::sin(phi) + wl.momentToe +
              trans.load.momentToe + fl.MomentH + fl.MomentV;
        den = mp.Inertia + rot.momentToe;
    }
    return finiteOrZero(num / den);
}

namespace {
// The coupled accelerations with the friction coefficient mu (signed by the sliding direction),
// and the normal force on the plane they imply.
struct CoupledSolution final {
    CoupledResult r;
    double normal = 0.0; ///< kN, positive while the block presses on the plane
};

CoupledSolution coupledWithFriction(const SlidingRockingContext& c, SlidingRockingState& s,
                                    MotionMode mode, double av, double ag, double u, double omega,
                                    double theta, double mu) noexcept {
    const bool heel = isHeelMode(mode);
    const MassProperties& mp = PivotMassProperties(c, s, heel, u);
    const ForceLoads fl =
        heel ? c.pivots.HeelForceLoads(u, s.Fh, s.Fv) : c.pivots.ToeForceLoads(u, s.Fh, s.Fv);
    const WaterLoadsResult wl = c.water(theta, u, av);
    const double Mw = heel ? wl.momentHeel : wl.momentToe;
    const double M = mp.Mass, R = mp.Radius;
    const double cb = c.cosBeta, sb = c.sinBeta;

    // Added mass of the water and its pivot moment for a unit face acceleration.
    const TranslationalLoad unit = c.translational(u, 0.0, -1.0, 0.0);
    s.addedMassW = unit.addedMass;
    const double mh = unit.load.force;
    const double Ph = heel ? unit.load.momentHeel : unit.load.momentToe;

    double meff = M + mh * cb * cb + mu * mh * cb * sb;
    if (meff == 0.0)
        meff = mode == MotionMode::SlidingDSRockingUS ? 0.0001 : 0.01;

    // Rotational added inertia of the water.
    const FaceLoad rot = RotationalHydrodynamicLoad(c.rotational, theta, -1.0);
    const double Fq = rot.force;
    const double Iq = heel ? rot.momentHeel : rot.momentToe;

    const double sumFh = fl.SumFh, sumFv = fl.SumFv;
    const double along = cb + mu * sb;  // friction-weighted direction of horizontal forces
    const double across = sb - mu * cb; // and of vertical forces
    const double aStar =
        ((wl.Fx + sumFh - (M + mh) * ag) * along + (sumFv + wl.Fy - (av + c.g) * M) * across) /
        meff;

    const double phi = heel ? mp.Angle - theta : mp.Angle + theta;
    const double cp = std::cos(phi), sp = std::sin(phi);
    const double ct = std::cos(theta), st = std::sin(theta);
    double U, W1, W2;
    if (heel) {
        U = cp * cb - sp * sb;
        W1 = (cb * sp + sb * cp) + (sb * sp - cb * cp) * mu;
        W2 = (cb * cp - sb * sp) + (sb * cp + cb * sp) * mu;
    } else {
        U = cp * cb + sp * sb;
        W1 = (sb * cp - cb * sp) - (sb * sp + cb * cp) * mu;
        W2 = (cb * cp + sb * sp) + (sb * cp - cb * sp) * mu;
    }
    const double W3 = (cb * ct - sb * st) + (sb * ct + cb * st) * mu;

    const double w2 = omega * omega;
    const double phTerm = Ph * cb * M * R / meff;
    const double rTerm = R * R * M * M / meff;
    const double gravity = (av + c.g + aStar * sb) * M * R * sp;
    const double num = w2 * phTerm * W1 + w2 * rTerm * U * W1 + (aStar * cb + ag) * M * R * cp +
                       (heel ? -gravity : gravity) + (aStar * cb + ag) * Ph + fl.MomentH +
                       fl.MomentV + Mw;
    const double den = (mp.Inertia - std::fabs(Iq)) - rTerm * U * W2 - phTerm * W2 -
                       (M * R * Fq / meff) * U * W3 - (Ph * cb * Fq / meff) * W3;
    CoupledResult r;
    r.alpha = finiteOrZero(num / den);

    double ax, ay;
    if (heel) {
        ax = (-r.alpha * cp - w2 * sp) * R;
        ay = (r.alpha * sp - w2 * cp) * R;
    } else {
        ax = (w2 * sp - r.alpha * cp) * R;
        ay = (-r.alpha * sp - w2 * cp) * R;
    }
    const double Hx = wl.Fx + sumFh - (mh + M) * ag - M * ax + Fq * r.alpha * ct;
    const double Vy = sumFv + wl.Fy - (av + c.g + ay) * M + Fq * r.alpha * st;
    r.a = (Hx * along + Vy * across) / meff;
    // The sliding acceleration's own inertia (the water's added mass acts horizontally only).
    const double normal = (Hx - (M + mh) * r.a * cb) * sb - (Vy - M * r.a * sb) * cb;
    return {r, normal};
}
} // namespace

CoupledResult CoupledAccelerations(const SlidingRockingContext& c, SlidingRockingState& s,
                                   MotionMode mode, double av, double ag, double u, double omega,
                                   double theta) noexcept {
    const double mu = (slidesUpstream(mode) ? 1.0 : -1.0) * c.muD;
    const CoupledSolution withFriction =
        coupledWithFriction(c, s, mode, av, ag, u, omega, theta, mu);
    if (withFriction.normal >= 0.0 || mu == 0.0)
        return withFriction.r;
    // The plane would have to pull the block: it has lost contact and nothing rubs.
    return coupledWithFriction(c, s, mode, av, ag, u, omega, theta, 0.0).r;
}

} // namespace quibel
