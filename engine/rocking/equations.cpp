// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/rocking/equations.h"

#include "engine/loads/hydrodynamic_loads.h"
#include "engine/loads/water_loads.h"

#include <cmath>

namespace quibel {

RockingEquations::RockingEquations(const LoadModel& loads, const RockingBody& body,
                                   const AddedLoadsOnBlock& added, double historyHY,
                                   double historyVX)
    : mLoads(loads), mBody(body) {
    const SiModel& si = loads.si;
    mG = si.g;
    mToeRise = si.B * loads.tanBeta;
    mLever = kRockingTranslationalLever * loads.hwPositive;
    mUplift = si.U;
    mUpliftArm = si.Xu;
    mBaseLength = loads.baseLength;
    mSumFx = added.sumFx;
    mSumFy = added.sumFy;
    const double heelElevation = si.Hd - si.H;
    for (const AddedForceOnBlock& f : added.forces) {
        const double height = f.y - heelElevation;
        mAddedHHeel += -f.fh * height;
        mAddedVHeel += f.fv * f.x;
        mAddedHToe += -f.fh * (height - mToeRise);
        mAddedVToe += -f.fv * (si.B - f.x);
    }
    mHistoryHHeight = historyHY - heelElevation;
    mHistoryVX = historyVX;
    // The rotational added inertia depends on theta only through 1 / cos(theta) (force and arm
    // along the face), so its value at theta = 0 gives it at every rotation.
    const FaceLoad rot0 = RotationalHydrodynamicLoad(loads, si.Hd, si.H, si.Hr, si.g, 0.0, -1.0);
    mRotForce0 = rot0.force;
    mRotHeel0 = rot0.momentHeel;
}

void RockingEquations::historyMoments(double Fh, double Fv, RockingStepLoads& step) const noexcept {
    step.Fh = Fh;
    step.Fv = Fv;
    step.historyHHeel = -Fh * mHistoryHHeight;
    step.historyHToe = -Fh * (mHistoryHHeight - mToeRise);
    step.historyVHeel = Fv * mHistoryVX;
    step.historyVToe = -Fv * (mLoads.si.B - mHistoryVX);
}

double RockingEquations::addedInertia(RockingPivot p, double cosTheta) const noexcept {
    // k(theta) = moment of RotationalHydrodynamicLoad(Hd, H, Hr, g, theta, -1): the force
    // F0 / cos(theta) at the arm arm0 / cos(theta) along the face (minus B tan(beta) for the toe).
    const double heel = mRotHeel0 / (cosTheta * cosTheta);
    if (p == RockingPivot::Heel)
        return heel;
    return heel + mRotForce0 * mToeRise / cosTheta;
}

double RockingEquations::rotationalMoment(RockingPivot p, double cosTheta,
                                          double alpha) const noexcept {
    return -addedInertia(p, cosTheta) * alpha;
}

double RockingEquations::numerator(RockingPivot p, double theta, double s, double c, double ah,
                                   double av) const noexcept {
    const RockingBody& b = mBody;
    const RockingStepLoads& st = mStep;
    const bool atRest = theta == 0.0;
    const double water = atRest ? 0.0 : RockingWaterMoment(mLoads, theta, s, c, av);
    const double hydro = c * c * st.addedMassW * ah;
    if (p == RockingPivot::Heel) {
        // Sum of m r (cos(alpha - theta) ah - sin(alpha - theta)(g + av)).
        double n = water + ah * (c * b.heelCos + s * b.heelSin) -
                   (mG + av) * (c * b.heelSin - s * b.heelCos);
        if (atRest)
            n += mUplift * mUpliftArm - st.hydroThrust * st.hydroArm;
        return n + hydro * mLever + mAddedHHeel + mAddedVHeel + st.historyHHeel + st.historyVHeel;
    }
    // Sum of m r (cos(alpha + theta) ah + sin(alpha + theta)(g + av)).
    double n =
        water + ah * (c * b.toeCos - s * b.toeSin) + (mG + av) * (c * b.toeSin + s * b.toeCos);
    if (atRest)
        n += -(mBaseLength - mUpliftArm) * mUplift - (st.hydroArm - mToeRise) * st.hydroThrust;
    return n + hydro * (mLever - mToeRise) + mAddedHToe + mAddedVToe + st.historyHToe +
           st.historyVToe;
}

namespace {

// An arithmetic fault in an angular acceleration gives 0.
double guarded(double value) noexcept {
    return std::isfinite(value) ? value : 0.0;
}

} // namespace

double RockingEquations::acceleration(RockingPivot p, double theta, double ah,
                                      double av) const noexcept {
    const double s = theta == 0.0 ? 0.0 : std::sin(theta);
    const double c = theta == 0.0 ? 1.0 : std::cos(theta);
    const double d = mBody.inertia(p) + addedInertia(p, c);
    return guarded(numerator(p, theta, s, c, ah, av) / d);
}

MomentSums RockingEquations::restMomentsToe(double ag, double av) const noexcept {
    const SiModel& si = mLoads.si;
    const RockingStepLoads& st = mStep;
    MomentSums m;
    m.add(-st.hydroThrust * (st.hydroArm - mToeRise));
    m.add(st.addedMassW * ag * (mLever - mToeRise));
    m.add(si.M * ag * (si.Yc - mToeRise));
    m.add((mG + av) * si.M * (si.B - si.Xc));
    m.add(mAddedVToe);
    m.add(st.historyVToe);
    m.add(mAddedHToe);
    m.add(st.historyHToe);
    m.add(-mUplift * (mBaseLength - mUpliftArm));
    for (const RockingMass& a : mBody.masses) {
        m.add(a.toeCos * ag);
        m.add(a.toeSin * (mG + av));
    }
    return m;
}

MomentSums RockingEquations::restMomentsHeel(double ag, double av) const noexcept {
    const SiModel& si = mLoads.si;
    const RockingStepLoads& st = mStep;
    MomentSums m;
    m.add(-st.hydroThrust * st.hydroArm);
    m.add(st.addedMassW * ag * mLever);
    m.add(si.M * ag * si.Yc);
    m.add(-(mG + av) * si.M * si.Xc);
    m.add(mAddedVHeel);
    m.add(st.historyVHeel);
    m.add(mAddedHHeel);
    m.add(st.historyHHeel);
    m.add(mUplift * mUpliftArm);
    for (const RockingMass& a : mBody.masses) {
        m.add(a.heelCos * ag);
        m.add(-a.heelSin * (mG + av));
    }
    return m;
}

MomentSums RockingEquations::rockingMoments(RockingPivot p, double s, double c, double ag,
                                            double av, double waterMoment) const noexcept {
    const RockingStepLoads& st = mStep;
    const double g = mG + av;
    MomentSums m;
    if (p == RockingPivot::Toe) {
        const RockingMass& b = mBody.block;
        m.add((c * b.toeCos - s * b.toeSin) * ag);
        m.add((c * b.toeSin + s * b.toeCos) * g);
        for (const RockingMass& a : mBody.masses) {
            m.add((c * a.toeCos - s * a.toeSin) * ag);
            m.add((c * a.toeSin + s * a.toeCos) * g);
        }
        m.add(waterMoment);
        m.add(c * c * st.addedMassW * ag * (mLever - mToeRise));
        m.add(mAddedHToe);
        m.add(mAddedVToe);
        m.add(st.historyHToe);
        m.add(st.historyVToe);
        return m;
    }
    const RockingMass& b = mBody.block;
    m.add((c * b.heelCos + s * b.heelSin) * ag);
    m.add(-(c * b.heelSin - s * b.heelCos) * g);
    for (const RockingMass& a : mBody.masses) {
        m.add((c * a.heelCos + s * a.heelSin) * ag);
        m.add(-(c * a.heelSin - s * a.heelCos) * g);
    }
    m.add(waterMoment);
    m.add(c * c * st.addedMassW * ag * mLever);
    m.add(mAddedHHeel);
    m.add(mAddedVHeel);
    m.add(st.historyHHeel);
    m.add(st.historyVHeel);
    return m;
}

double RockingEquations::preseismicMoment(RockingPivot p, double theta, double c, double alpha,
                                          double ag, double waterMoment) const noexcept {
    const RockingStepLoads& st = mStep;
    const bool atRest = theta == 0.0;
    // The rotational hydrodynamic moment enters with its own sign: it is the moment the water
    // exerts, as the equations of motion count it.
    const double rotation = rotationalMoment(p, c, alpha);
    if (p == RockingPivot::Toe) {
        double m = atRest ? 0.0 : waterMoment;
        if (atRest)
            m += -(mBaseLength - mUpliftArm) * mUplift - (st.hydroArm - mToeRise) * st.hydroThrust;
        return m + c * c * st.addedMassW * ag * (mLever - mToeRise) + mAddedHToe + mAddedVToe +
               rotation;
    }
    double m = atRest ? 0.0 : waterMoment;
    if (atRest)
        m += mUplift * mUpliftArm + st.hydroThrust * st.hydroArm;
    return m + c * c * st.addedMassW * ag * mLever + mAddedHHeel + mAddedVHeel + rotation;
}

double RockingEquations::normalForce(double ag, double av) const noexcept {
    const SiModel& si = mLoads.si;
    const RockingStepLoads& st = mStep;
    const double mass = mBody.blockMass + mBody.addedMass;
    const double sb = mLoads.sinBeta;
    const double cb = mLoads.cosBeta;
    // Normal to the plane n = (-sin(beta), cos(beta)): a horizontal force F contributes -F sb,
    // the inertia -(m) ag of the masses +(m) ag sb.
    return -mass * (mG + av) * cb + (mass + st.addedMassW) * ag * sb + si.U +
           (mSumFy + st.Fv) * cb - (mSumFx + st.Fh + st.hydroThrust) * sb;
}

void RockingEquations::centres(RockingPivot p, double s, double c, double& sumX,
                               double& sumY) const noexcept {
    const RockingBody& b = mBody;
    if (p == RockingPivot::Heel) {
        // (r sin(alpha - theta), r cos(alpha - theta)) from the heel.
        sumX = c * b.heelSin - s * b.heelCos;
        sumY = c * b.heelCos + s * b.heelSin;
    } else {
        // (-r sin(alpha + theta), r cos(alpha + theta)) from the toe.
        sumX = -(c * b.toeSin + s * b.toeCos);
        sumY = c * b.toeCos - s * b.toeSin;
    }
}

} // namespace quibel
