// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/loads/added_loads.h"
#include "engine/loads/load_model.h"
#include "engine/rocking/body.h"

namespace quibel {

/// The loads of one integration step that the rocking equations hold fixed over the step.
struct RockingStepLoads final {
    double hydroThrust = 0.0; ///< static thrust with the step's vertical acceleration, kN
    double hydroArm = 0.0;    ///< its height above the heel, m
    double addedMassW = 0.0;  ///< static translational added mass of the reservoir, t
    double Fh = 0.0;          ///< horizontal force history, kN (0 off the block)
    double Fv = 0.0;          ///< vertical force history, kN (0 off the block)
    /// Moments of the force histories about heel and toe (Mth, Mtv), kN·m.
    double historyHHeel = 0.0, historyVHeel = 0.0, historyHToe = 0.0, historyVToe = 0.0;
};

/// Negative (O) and positive (R) parts of a sum of moments about a pivot, kN·m.
struct MomentSums final {
    double negative = 0.0; ///< O
    double positive = 0.0; ///< R
    double total() const noexcept { return negative + positive; }
    void add(double term) noexcept {
        if (term < 0.0)
            negative += term;
        else
            positive += term;
    }
};

/// The equations of the rocking block: its angular accelerations about heel and toe, the
/// moments of its loads, its normal force. Counter-clockwise moments are positive, so a
/// positive moment about the heel lifts the toe (theta > 0) and a negative one about the toe
/// lifts the heel (theta < 0).
///
/// At theta = 0 exactly the static thrust and the uplift of the model act; once the block has
/// rotated, RockingWaterMoment (face pressure and uplift of the rotated block) replaces them.
/// The translational hydrodynamic force -cos²(theta) AddedMassW ah acts at 0.4 hw+ above the
/// heel; the rotational one is an added inertia k(theta) about each pivot (the moments of
/// RotationalHydrodynamicLoad with k = -1).
class RockingEquations final {
public:
    RockingEquations(const LoadModel& loads, const RockingBody& body,
                     const AddedLoadsOnBlock& added, double historyHY, double historyVX);

    /// The loads of the step about to be integrated.
    void setStep(const RockingStepLoads& step) noexcept { mStep = step; }
    const RockingStepLoads& stepLoads() const noexcept { return mStep; }

    /// Angular acceleration about the heel (rad/s²) at rotation theta (rad) under the ground
    /// accelerations ah, av (m/s²). omega is accepted and not used. 0 when the arithmetic fails.
    double HeelAcceleration(double theta, double omega, double ah, double av) const noexcept {
        (void)omega;
        return acceleration(RockingPivot::Heel, theta, ah, av);
    }
    /// Angular acceleration about the toe, as HeelAcceleration.
    double ToeAcceleration(double theta, double omega, double ah, double av) const noexcept {
        (void)omega;
        return acceleration(RockingPivot::Toe, theta, ah, av);
    }
    /// Angular acceleration about pivot p, as HeelAcceleration.
    double acceleration(RockingPivot p, double theta, double ah, double av) const noexcept;

    /// Moments about each pivot of the block at rest (theta = 0) under ag, av, split into
    /// negative and positive terms; MomentUp is the heel total, MomentDown the toe total.
    MomentSums restMomentsHeel(double ag, double av) const noexcept;
    MomentSums restMomentsToe(double ag, double av) const noexcept;

    /// Moments about pivot p of the block rotated by theta (sin, cos given) under ag, av, split
    /// into negative and positive terms: gravity and inertia of block and masses, the water
    /// moment waterMoment (RockingWaterMoment at theta), the translational hydrodynamic force,
    /// the added forces and the force histories.
    MomentSums rockingMoments(RockingPivot p, double sinTheta, double cosTheta, double ag,
                              double av, double waterMoment) const noexcept;

    /// Moment about pivot p of the pre-seismic loads at the state (theta, alpha): water and
    /// uplift (the static ones at theta = 0), the translational hydrodynamic force under ag,
    /// the added forces and the rotational hydrodynamic moment of the angular acceleration
    /// alpha (rad/s²), kN·m. waterMoment is RockingWaterMoment at theta.
    double preseismicMoment(RockingPivot p, double theta, double cosTheta, double alpha, double ag,
                            double waterMoment) const noexcept;

    /// Rotational hydrodynamic moment about p when the block turns with angular acceleration
    /// alpha at rotation theta (cos given): -k(theta) alpha, kN·m.
    double rotationalMoment(RockingPivot p, double cosTheta, double alpha) const noexcept;

    /// Normal force on the plane, kN, positive away from it (a block pressing on the plane
    /// gives a negative value): the components normal to the plane of weight, inertia (block,
    /// added masses and, horizontally, the water's added mass), uplift, added forces, force
    /// histories and static thrust, with the signs of the sliding analysis.
    double normalForce(double ag, double av) const noexcept;

    /// The first moments of block and masses about pivot p after a rotation theta: the sums
    /// of m x and m y of their centres, x horizontal and y vertical from the pivot (t·m).
    void centres(RockingPivot p, double sinTheta, double cosTheta, double& sumX,
                 double& sumY) const noexcept;

    const RockingBody& body() const noexcept { return mBody; }
    const LoadModel& loads() const noexcept { return mLoads; }
    /// Moments of the added forces about heel and toe: horizontal (Mfh) and vertical (Mfv)
    /// components, kN·m.
    double addedHHeel() const noexcept { return mAddedHHeel; }
    double addedVHeel() const noexcept { return mAddedVHeel; }
    double addedHToe() const noexcept { return mAddedHToe; }
    double addedVToe() const noexcept { return mAddedVToe; }
    /// Sums of the components of the added forces on the block, kN.
    double sumFx() const noexcept { return mSumFx; }
    double sumFy() const noexcept { return mSumFy; }
    /// Moments of the force histories for the values Fh, Fv (kN) at their points.
    void historyMoments(double Fh, double Fv, RockingStepLoads& step) const noexcept;

private:
    double numerator(RockingPivot p, double theta, double sinTheta, double cosTheta, double ah,
                     double av) const noexcept;
    double addedInertia(RockingPivot p, double cosTheta) const noexcept;

    const LoadModel& mLoads;
    const RockingBody& mBody;
    RockingStepLoads mStep;
    double mG = 0.0;          ///< m/s²
    double mToeRise = 0.0;    ///< B tan(beta), m
    double mLever = 0.0;      ///< 0.4 hw+, m
    double mUplift = 0.0;     ///< U, kN
    double mUpliftArm = 0.0;  ///< Xu, m
    double mBaseLength = 0.0; ///< Lb, m
    double mSumFx = 0.0;      ///< kN
    double mSumFy = 0.0;      ///< kN
    double mAddedHHeel = 0.0, mAddedVHeel = 0.0, mAddedHToe = 0.0, mAddedVToe = 0.0;
    double mHistoryHHeight = 0.0; ///< height of the horizontal force history above the heel, m
    double mHistoryVX = 0.0;      ///< X of the vertical force history, m
    /// Rotational hydrodynamic load at theta = 0 with k = -1: force (kN·s²) and heel moment
    /// (kN·m·s²); at theta both scale as 1 / cos(theta) and the arm as well.
    double mRotForce0 = 0.0;
    double mRotHeel0 = 0.0;
};

/// Height above the heel of the translational hydrodynamic force in the rocking equations, as a
/// fraction of the depth hw+ (0.401 in TranslationalHydrodynamicLoad).
inline constexpr double kRockingTranslationalLever = 0.4;

} // namespace quibel
