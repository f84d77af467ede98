// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/project_record.h"
#include "numeric/last_call.h"

#include <vector>

namespace quibel {

/// Mass properties of the block with the added masses on it, about a pivot (heel or toe) that
/// may have moved under the block with the sliding. SI.
struct MassProperties final {
    double Mass = 0.0;    ///< block plus the added masses on it, t
    double Xc = 0.0;      ///< X of the combined centre, in the block (shifted with the pivot), m
    double Yc = 0.0;      ///< combined centre above the heel elevation (shifted), m
    double Inertia = 0.0; ///< about the pivot, t·m²
    double Radius = 0.0;  ///< pivot to the combined centre, m
    /// Direction of that radius from the vertical, rad: toward downstream about the heel,
    /// toward upstream about the toe.
    double Angle = 0.0;
};

/// Sums and pivot moments of the added forces and of the two force histories acting on the
/// block. The heel and toe variants share the sums; only the moments differ. SI.
struct ForceLoads final {
    double SumFh = 0.0;   ///< horizontal components, kN (positive downstream)
    double SumFv = 0.0;   ///< vertical components, kN (positive up)
    double MomentH = 0.0; ///< moment of the horizontal components about the pivot, kN·m
    double MomentV = 0.0; ///< moment of the vertical components about the pivot, kN·m
};

/// The geometry of a block that slides and rocks: where its two pivots are for a sliding
/// displacement u, and the mass properties and force moments about them.
///
/// When the block has slid upstream (u < 0) and the upstream centre of rotation follows the
/// sliding, it pivots about the upstream corner of the lower section, which now lies under
/// the block at (dX, dY) = (u cos beta, u sin beta) from the heel; likewise downstream (u > 0)
/// about the downstream corner of the lower section. Otherwise the pivots are the heel and the
/// toe of the block. Positions are taken in the project's units and the results converted to
/// SI, so that they match the block properties of the computed-data report.
///
/// Built once per run from the model: the added masses and forces that act on the block
/// (OnBlock, and only when HasMasses / HasForces are set) and the points of the two force
/// histories are picked then. The model must not change while the object is used, and one
/// object serves one run at a time (it keeps the last shifted properties it formed).
class PivotKinematics final {
public:
    explicit PivotKinematics(const TBlocStatic& model);

    /// About the heel pivot at sliding displacement u (m).
    MassProperties HeelMassProperties(double u) const noexcept;
    /// About the toe pivot at sliding displacement u (m).
    MassProperties ToeMassProperties(double u) const noexcept;
    /// Added forces and force histories about the heel pivot; fh, fv are the current values of
    /// the horizontal and vertical force histories, kN (counted only when their point lies on
    /// the block).
    ForceLoads HeelForceLoads(double u, double fh, double fv) const noexcept;
    /// The same about the toe pivot.
    ForceLoads ToeForceLoads(double u, double fh, double fv) const noexcept;

    /// Sums of the horizontal and vertical forces on the block, kN: what the two ForceLoads
    /// share, without the moments.
    double sumFh(double fh) const noexcept { return mAddedFh + (mHistoryH ? fh : 0.0); }
    double sumFv(double fv) const noexcept { return mAddedFv + (mHistoryV ? fv : 0.0); }

private:
    struct PointMass {
        double x, y, mass, inertia;
    };
    struct PointForce {
        double x, y, fh, fv;
    };
    /// Shift (dX, dY) of a pivot in the project's length unit for sliding displacement u (m).
    void heelShift(double u, double& dX, double& dY) const noexcept;
    void toeShift(double u, double& dX, double& dY) const noexcept;
    /// ForceLoads about a pivot at elevation base shifted up by dY (project units); arm(x) is
    /// the arm, signed as its moment, of a vertical force at x from the upstream face.
    template <class Arm>
    ForceLoads forceLoadsAbout(double base, double dY, Arm arm, double fh,
                               double fv) const noexcept;
    MassProperties heelProperties(double dX, double dY) const noexcept;
    MassProperties toeProperties(double dX, double dY) const noexcept;

    // Block, in the project's units.
    double mH0;      ///< heel elevation Hd - H, length
    double mZt;      ///< toe elevation h0 + B tan beta, length
    double mB;       ///< length
    double mM;       ///< mass unit
    double mXc, mYc; ///< length
    double mIm;      ///< mass unit x length²
    double mCosK;    ///< cos beta x (metre to length unit)
    double mSinK;    ///< sin beta x (metre to length unit)
    bool mShiftUp;   ///< the upstream centre of rotation changes with sliding
    bool mShiftDown; ///< the downstream one does
    // Factors to SI.
    double mLength; ///< length unit to m
    double mForce;  ///< force unit to kN
    double mMass;   ///< mass unit to t

    std::vector<PointMass> mMasses;
    std::vector<PointForce> mForces;
    bool mHasForces; ///< added forces are taken into account (their sums are converted)
    double mAddedFh = 0.0, mAddedFv = 0.0; ///< kN
    bool mHistoryH, mHistoryV;             ///< the force histories' points lie on the block
    double mHistoryHx, mHistoryHy;         ///< point of the horizontal force history, length
    double mHistoryVx, mHistoryVy;         ///< point of the vertical force history, length

    // About the heel and toe themselves (no shift): the common case, worked out once.
    MassProperties mHeelAtRest;
    MassProperties mToeAtRest;
    // About shifted pivots: a block that slid and stopped asks for the same ones at every step.
    mutable LastCall<MassProperties, 2> mHeelShifted;
    mutable LastCall<MassProperties, 2> mToeShifted;
};

/// The heel and toe mass properties of a model at sliding displacement u (m), for the result
/// views (which call them with u = 0). Builds a PivotKinematics per call.
MassProperties HeelMassProperties(const TBlocStatic& model, double u);
MassProperties ToeMassProperties(const TBlocStatic& model, double u);

} // namespace quibel
