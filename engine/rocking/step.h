// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/loads/hydrostatic_loads.h"
#include "engine/rocking/body.h"
#include "engine/rocking/equations.h"
#include "engine/rocking/integration.h"
#include "engine/rocking/motion_state.h"
#include "engine/run/analysis_step.h"
#include "numeric/last_call.h"

namespace quibel {

/// One integration step of the rocking analysis: the block cannot slide; it rests on the whole
/// plane, or rocks as a rigid body about the heel (theta > 0) or the toe (theta < 0).
///
/// Per step, in this order: the loads of the step (static thrust with the step's vertical
/// acceleration, translational added mass, force-history moments); while at rest, the moments
/// about both pivots, which decide whether rocking starts, and the overturning safety factor;
/// the normal force; the choice of motion and the Runge-Kutta integration about the pivot;
/// an impact (theta changes sign within the step) located by bisection, with the restitution
/// coefficient of the side that lands; the overturning safety factor, the position of the
/// resultant and the energy terms (E6 impacts, E4 unused).
///
/// The block returns to rest:
/// - when the step's pivot asks for a rotation toward the plane while the block sits on it
///   (theta_prev = 0 and the new acceleration points to the other side), or when a step that
///   starts at rest ends with theta on the other side of its pivot (the rocking threshold was
///   crossed late in the step);
/// - at an impact whose angular velocity is at most kRestAngularVelocity (the rocking has died
///   out; its kinetic energy counts as dissipated), or whose bounce about the new pivot is
///   shorter than what is left of the step (the rotation would end on the wrong side of that
///   pivot; the kinetic energy after restitution counts as dissipated).
/// A rotation that ends on the wrong side of its pivot in any other way stops the run with
/// "engine.rocking.convergence". A downstream impact that increases the kinetic energy (Ed too
/// high for the inertias) asks "engine.rocking.energy_increase"; OK ends the run after the step.
///
/// The step keeps its motion and the working values of the last step: the loads of the step
/// (equations().stepLoads(): static thrust, its arm, the water's added mass), the normal force
/// and the arm of the resultant.
class RockingStep final {
public:
    explicit RockingStep(const RunContext& context);
    RockingStep(const RockingStep&) = delete;
    RockingStep& operator=(const RockingStep&) = delete;

    void step(const StepInput& input, const BlockMotion& previous, BlockMotion& next,
              EnergyTerms& energy, SafetyFactors& factors, RunControl& control);

    /// Steps 1, 3, 4, 7 and 9 for the block at rest under the loads of input, on a copy of the
    /// equations: the overturning factor and the resultant position, nothing else changed.
    SafetyFactors restFactors(const StepInput& input) const;

    const RockingBody& body() const noexcept { return mBody; }
    const RockingEquations& equations() const noexcept { return mEquations; }
    RockingMotion motion() const noexcept { return mMotion; }
    /// Goes on from a block in motion m, as a step that left it there would.
    void setMotion(RockingMotion m) noexcept { mMotion = m; }
    /// The normal force of the last step (negative when the block presses on the plane), kN.
    double normalForce() const noexcept { return mNormalForce; }
    /// The arm of the resultant about the heel at rest in the last step, m.
    double resultantArm() const noexcept { return mResultantArm; }

private:
    struct Segment;
    /// sin and cos of a rotation and the water moment RockingWaterMoment there.
    struct Trig final {
        double s = 0.0;
        double c = 1.0;
        double water = 0.0; ///< kN·m
    };
    Trig trigAt(double theta, double av) const noexcept;
    /// sin and cos of theta; a step begins where the last one ended, so each rotation's are
    /// formed once.
    Trig sinCosOf(double theta) const noexcept;
    /// Step 1: the static thrust and the moments of the force histories of input.
    RockingStepLoads loadsOf(const StepInput& input) const noexcept;
    void writeDebugLoads(const StepInput& input, const BlockMotion& previous);
    /// E0, E1 and E5 of the rotation of one segment: the sine and cosine of its start, the
    /// sine, cosine and water moment of its end.
    void addWork(const Segment& segment, const RockingIntegrator& ground, const Trig& start,
                 const Trig& end, EnergyTerms& energy) const noexcept;
    /// E2, E3 and E7 of the state at the end of the step.
    void setStateEnergies(RockingMotion motion, const RockingState& s, const GroundMotion& ground,
                          const Trig& trig, EnergyTerms& energy) const noexcept;

    const LoadModel& mLoads;
    DebugLine* mDebug;
    RockingBody mBody;
    RockingEquations mEquations;
    double mAddedMassW = 0.0; ///< t, fixed for the run
    double mToPercent = 0.0;  ///< cos(beta) / B x 100: arm to position along the base, %/m
    /// The static thrust for the last vertical acceleration: for every step of a run without
    /// vertical ground motion.
    mutable LastCall<StaticThrust, 1> mThrust;
    mutable LastCall<Trig, 1> mSinCos;
    double mEu = 0.0;             ///< restitution of an upstream impact (toe rocking ends)
    double mEd = 0.0;             ///< restitution of a downstream impact (heel rocking ends)
    double mLastMomentUp = 0.0;   ///< kN·m, for the debug columns
    double mLastMomentDown = 0.0; ///< kN·m, for the debug columns
    RockingMotion mMotion = RockingMotion::AtRest;
    double mNormalForce = 0.0;  ///< kN
    double mResultantArm = 0.0; ///< m
};

/// Angular velocity (rad/s) at or below which an impact ends the rocking: the block comes to
/// rest instead of bouncing.
inline constexpr double kRestAngularVelocity = 1e-4;

/// Largest overturning safety factor reported.
inline constexpr double kMaxOverturningFactor = 10.0;

} // namespace quibel
