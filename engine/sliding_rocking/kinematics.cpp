// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/sliding_rocking/kinematics.h"

#include "model/block_properties.h"
#include "model/model_flags.h"
#include "model/unit_tables.h"

#include <cmath>
#include <numbers>

namespace quibel {

PivotKinematics::PivotKinematics(const TBlocStatic& model) {
    const double beta = model.Beta * std::numbers::pi / 180.0;
    const double toUnit = units::lengthFromSi(model.UnitSystem);
    mH0 = model.Hd - model.H;
    mZt = mH0 + model.B * std::tan(beta);
    mB = model.B;
    mM = model.M;
    mXc = model.Xc;
    mYc = model.Yc;
    mIm = model.Im;
    mCosK = std::cos(beta) * toUnit;
    mSinK = std::sin(beta) * toUnit;
    mShiftUp = model.Options.CenterUp == 1;
    mShiftDown = model.Options.CenterDown == 1;
    mLength = units::lengthToSi(model.UnitSystem);
    mForce = units::forceToSi(model.UnitSystem);
    mMass = units::massToSi(model.UnitSystem);

    if (hasFlag(model.ModelFlags, ModelFlag::HasMasses)) {
        for (const AddedMass& m : model.Masses.Items)
            if (OnBlock(model, m.X, m.Y))
                mMasses.push_back({m.X, m.Y, m.Mass, m.Inertia});
    }
    mHasForces = hasFlag(model.ModelFlags, ModelFlag::HasForces);
    if (mHasForces) {
        double fh = 0.0, fv = 0.0;
        for (const AddedForce& f : model.Forces.Items) {
            if (!OnBlock(model, f.X, f.Y))
                continue;
            mForces.push_back({f.X, f.Y, f.Fh, f.Fv});
            fh += f.Fh;
            fv += f.Fv;
        }
        mAddedFh = fh * mForce;
        mAddedFv = fv * mForce;
    }
    const TimeHistoryRecord& hh = model.history(HistoryKind::HorizontalForce);
    const TimeHistoryRecord& hv = model.history(HistoryKind::VerticalForce);
    mHistoryH = OnBlock(model, hh.PosX, hh.PosY);
    mHistoryV = OnBlock(model, hv.PosX, hv.PosY);
    mHistoryHx = hh.PosX;
    mHistoryHy = hh.PosY;
    mHistoryVx = hv.PosX;
    mHistoryVy = hv.PosY;

    mHeelAtRest = heelProperties(0.0, 0.0);
    mToeAtRest = toeProperties(0.0, 0.0);
}

void PivotKinematics::heelShift(double u, double& dX, double& dY) const noexcept {
    if (u < 0.0 && mShiftUp) {
        dX = u * mCosK;
        dY = u * mSinK;
    } else {
        dX = 0.0;
        dY = 0.0;
    }
}

void PivotKinematics::toeShift(double u, double& dX, double& dY) const noexcept {
    if (u > 0.0 && mShiftDown) {
        dX = u * mCosK;
        dY = u * mSinK;
    } else {
        dX = 0.0;
        dY = 0.0;
    }
}

MassProperties PivotKinematics::heelProperties(double dX, double dY) const noexcept {
    // The pivot lies at (-dX, h0 - dY): in pivot coordinates the block's centre is at
    // (Xc + dX, Yc + dY) and a mass at (Xi + dX, Yi - h0 + dY).
    const double bx = mXc + dX;
    const double by = mYc + dY;
    const double rb2 = bx * bx + by * by;
    double sumM = 0.0, sumI = 0.0, sumMx = 0.0, sumMy = 0.0;
    for (const PointMass& m : mMasses) {
        const double ry = m.y - mH0 + dY;
        const double rx = m.x + dX;
        const double r = std::sqrt(ry * ry + rx * rx);
        sumM += m.mass;
        sumI += r * r * m.mass + m.inertia;
        sumMx += rx * m.mass;
        sumMy += (m.y + dY) * m.mass;
    }
    MassProperties p;
    const double mass = mM + sumM;
    const double xc = (bx * mM + sumMx) / mass;
    const double ycElevation = ((mYc + dY + mH0) * mM + sumMy) / mass;
    const double yc = ycElevation - mH0;
    p.Mass = mass * mMass;
    p.Xc = xc * mLength;
    p.Yc = yc * mLength;
    p.Radius = std::sqrt(xc * xc + yc * yc) * mLength;
    p.Angle = std::atan2(xc, yc);
    p.Inertia = (rb2 * mM + mIm + sumI) * mLength * mLength * mMass;
    return p;
}

MassProperties PivotKinematics::toeProperties(double dX, double dY) const noexcept {
    // The pivot lies at (B - dX, zT - dY).
    const double bx = mB - (mXc + dX);
    const double by = mYc + mH0 - mZt + dY;
    const double rb2 = bx * bx + by * by;
    double sumM = 0.0, sumI = 0.0, sumMx = 0.0, sumMy = 0.0;
    for (const PointMass& m : mMasses) {
        const double ry = m.y - mZt + dY;
        const double rx = mB - (m.x + dX);
        const double r = std::sqrt(ry * ry + rx * rx);
        sumM += m.mass;
        sumI += r * r * m.mass + m.inertia;
        sumMx += (m.x + dX) * m.mass;
        sumMy += (m.y + dY) * m.mass;
    }
    MassProperties p;
    const double mass = mM + sumM;
    const double xc = ((mXc + dX) * mM + sumMx) / mass;
    const double ycElevation = ((mYc + dY + mH0) * mM + sumMy) / mass;
    const double ax = mB - xc;
    const double ay = ycElevation - mZt;
    p.Mass = mass * mMass;
    p.Xc = xc * mLength;
    p.Yc = (ycElevation - mH0) * mLength;
    p.Radius = std::sqrt(ax * ax + ay * ay) * mLength;
    p.Angle = std::atan2(ax, ay);
    p.Inertia = (rb2 * mM + mIm + sumI) * mLength * mLength * mMass;
    return p;
}

MassProperties PivotKinematics::HeelMassProperties(double u) const noexcept {
    double dX, dY;
    heelShift(u, dX, dY);
    if (dX == 0.0 && dY == 0.0)
        return mHeelAtRest;
    return mHeelShifted.get({dX, dY}, [&] { return heelProperties(dX, dY); });
}

MassProperties PivotKinematics::ToeMassProperties(double u) const noexcept {
    double dX, dY;
    toeShift(u, dX, dY);
    if (dX == 0.0 && dY == 0.0)
        return mToeAtRest;
    return mToeShifted.get({dX, dY}, [&] { return toeProperties(dX, dY); });
}

template <class Arm>
ForceLoads PivotKinematics::forceLoadsAbout(double base, double dY, Arm arm, double fh,
                                            double fv) const noexcept {
    ForceLoads f;
    if (mHasForces) {
        double momentH = 0.0, momentV = 0.0;
        for (const PointForce& p : mForces) {
            momentH -= (p.y - base + dY) * p.fh;
            momentV += arm(p.x) * p.fv;
        }
        f.SumFh = mAddedFh;
        f.SumFv = mAddedFv;
        f.MomentH = momentH * mForce * mLength;
        f.MomentV = momentV * mForce * mLength;
    }
    if (mHistoryH) {
        f.SumFh += fh;
        f.MomentH -= (mHistoryHy - base + dY) * fh * mLength;
    }
    if (mHistoryV) {
        f.SumFv += fv;
        f.MomentV += arm(mHistoryVx) * fv * mLength;
    }
    return f;
}

ForceLoads PivotKinematics::HeelForceLoads(double u, double fh, double fv) const noexcept {
    double dX, dY;
    heelShift(u, dX, dY);
    return forceLoadsAbout(
        mH0, dY, [dX](double x) { return x + dX; }, fh, fv);
}

ForceLoads PivotKinematics::ToeForceLoads(double u, double fh, double fv) const noexcept {
    double dX, dY;
    toeShift(u, dX, dY);
    // A vertical force upstream of the toe turns the block the other way.
    return forceLoadsAbout(
        mZt, dY, [this, dX](double x) { return -(mB - x - dX); }, fh, fv);
}

MassProperties HeelMassProperties(const TBlocStatic& model, double u) {
    return PivotKinematics(model).HeelMassProperties(u);
}

MassProperties ToeMassProperties(const TBlocStatic& model, double u) {
    return PivotKinematics(model).ToeMassProperties(u);
}

} // namespace quibel
