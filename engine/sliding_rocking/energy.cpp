// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/sliding_rocking/energy.h"

#include "engine/loads/sin_cos.h"

#include "engine/loads/hydrodynamic_loads.h"
#include "engine/loads/water_loads.h"

#include <cmath>

namespace quibel {

namespace {

/// Velocity (qx, qy) of the centre of mass relative to the ground, m/s, and the inertia about
/// the centre of mass (0 when the block does not rotate).
struct CentreMotion {
    double qx = 0.0, qy = 0.0;
    double Icm = 0.0;
};

CentreMotion centreMotion(const SlidingRockingContext& c, const MassProperties& heel,
                          const MassProperties& toe, MotionMode mode, double theta, double omega,
                          double v) noexcept {
    CentreMotion q;
    q.qx = v * c.cosBeta;
    q.qy = v * c.sinBeta;
    if (isHeelMode(mode)) {
        const double phi = heel.Angle - theta;
        q.qx += -std::cos(phi) * omega * heel.Radius;
        q.qy += std::sin(phi) * omega * heel.Radius;
        q.Icm = heel.Inertia - heel.Radius * heel.Radius * heel.Mass;
    } else if (isToeMode(mode)) {
        const double phi = toe.Angle + theta;
        q.qx += -std::cos(phi) * omega * toe.Radius;
        q.qy += -std::sin(phi) * omega * toe.Radius;
        q.Icm = toe.Inertia - toe.Radius * toe.Radius * toe.Mass;
    }
    return q;
}

} // namespace

double RelativeKineticEnergy(const SlidingRockingContext& c, const MassProperties& heel,
                             const MassProperties& toe, MotionMode mode, double theta, double omega,
                             double v) noexcept {
    const CentreMotion q = centreMotion(c, heel, toe, mode, theta, omega, v);
    const double M = heel.Mass;
    return 0.5 * (omega * omega * q.Icm + M * (q.qx * q.qx + q.qy * q.qy));
}

void UpdateEnergyTerms(const SlidingRockingContext& c, const SlidingRockingState& s,
                       const GroundMotion& ground, StartLoads& start,
                       EnergyTerms& energy) noexcept {
    const MotionMode mode = s.mode;
    const bool heelMode = isHeelMode(mode);
    const bool toeMode = isToeMode(mode);
    const MassProperties& heel = s.heel;
    const MassProperties& toe = s.toe;
    const double M = heel.Mass;
    const double cb = c.cosBeta, sb = c.sinBeta;
    const double du = s.u - s.u0;
    const double dtheta = s.theta - s.theta0;
    const double agm = (ground.agPrev + ground.ag) / 2.0;
    const double avm = (ground.avPrev + ground.av) / 2.0;

    // Displacement of the centre of mass relative to the ground over the step.
    double rx = du * cb, ry = du * sb;
    if (heelMode) {
        const double T = heel.Angle, R = heel.Radius;
        rx += R * (std::sin(T - s.theta) - std::sin(T - s.theta0));
        ry += R * (std::cos(T - s.theta) - std::cos(T - s.theta0));
    } else if (toeMode) {
        const double T = toe.Angle, R = toe.Radius;
        rx += -R * (std::sin(T + s.theta) - std::sin(T + s.theta0));
        ry += R * (std::cos(T + s.theta) - std::cos(T + s.theta0));
    }
    // The rotational input moment Wr is taken as 0: the ground acceleration acts on the block
    // only through the centre of mass.
    const double relativeInput = -(agm * M * rx + avm * M * ry);
    energy.E1 += relativeInput;
    energy.E0 += (ground.dg - ground.dgPrev) * M * agm + (ground.dv - ground.dvPrev) * M * avm +
                 relativeInput;

    const double kr = RelativeKineticEnergy(c, heel, toe, mode, s.theta, s.omega, s.v);
    energy.E3 = kr;
    energy.E2 = 0.5 * M * (ground.vg * ground.vg + ground.vv * ground.vv) + kr;

    // Friction: the normal force at the end state with the inertia of the sliding acceleration.
    const double frot = RotationalHydrodynamicLoad(c.rotational, s.theta, s.alpha).force;
    double ax = 0.0, ay = 0.0;
    if (heelMode) {
        const double phi = heel.Angle - s.theta;
        ax = (-s.alpha * std::cos(phi) - s.omega * s.omega * std::sin(phi)) * heel.Radius;
        ay = (s.alpha * std::sin(phi) - s.omega * s.omega * std::cos(phi)) * heel.Radius;
    } else if (toeMode) {
        const double phi = toe.Angle + s.theta;
        ax = (s.omega * s.omega * std::sin(phi) - s.alpha * std::cos(phi)) * toe.Radius;
        ay = (-s.alpha * std::sin(phi) - s.omega * s.omega * std::cos(phi)) * toe.Radius;
    }
    const SinCos theta = sinCos(s.theta);
    double normal =
        (theta.cos * frot + start.Fhd + start.Hw + start.SumFh - (ground.ag + ax + s.a * cb) * M) *
            sb -
        (theta.sin * frot + start.SumFv + start.Vw - (c.g + ground.av + ay + s.a * sb) * M) * cb;
    if (normal < 0.0)
        normal = 0.0;
    // Friction only ever dissipates: whatever the mode the step ends in, it did the work
    // mu N |du| over the sliding of the step.
    energy.E4 += std::fabs(du) * c.muD * normal;

    energy.E6 += s.E;

    // Loads at the end state.
    const TranslationalLoad trans = c.translational(s.u, s.theta, ground.ag, s.a);
    const FaceLoad rot = RotationalHydrodynamicLoad(c.rotational, s.theta, s.alpha);
    const WaterLoadsResult wl = c.water(s.theta, s.u, ground.av);
    start.setHydrodynamic(trans.load, rot);
    start.setWater(wl);

    const double alongPlane =
        ((start.Frot + start.Fhd + start.Hw + start.SumFh) * cb + (start.SumFv + start.Vw) * sb) *
        du;
    if (heelMode)
        energy.E5 += (start.MwUS + start.MhUS + start.MvUS + start.MrotUS + start.MhdUS) * dtheta +
                     alongPlane;
    else if (toeMode)
        energy.E5 += (start.MwDS + start.MhDS + start.MvDS + start.MrotDS + start.MhdDS) * dtheta +
                     alongPlane;
    else if (mode == MotionMode::Sliding)
        energy.E5 += alongPlane;

    // Rise of the centre of mass since the start of the run: the rotation about the pivot and
    // the whole sliding displacement along the inclined plane.
    double y = s.u * sb;
    if (heelMode)
        y += heel.Radius * (std::cos(heel.Angle - s.theta) - std::cos(heel.Angle));
    else if (toeMode)
        y += toe.Radius * (std::cos(toe.Angle + s.theta) - std::cos(toe.Angle));
    energy.E7 = M * c.g * y;
}

} // namespace quibel
