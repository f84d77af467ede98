// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/loads/sin_cos.h"
#include "engine/run/analysis_step.h"
#include "engine/sliding_rocking/context.h"
#include "engine/sliding_rocking/state.h"

namespace quibel {

/// The steps of the sliding-and-rocking analysis, each from the results `previous` of the last
/// step:
/// - the loads in the start position (water, hydrodynamic, added forces and masses about both
///   pivots), the moments MUS and MDS of all forces, inertia included, about the heel and the
///   toe pivots, the normal and driving forces along the plane and the friction;
/// - the sliding and overturning safety factors and the position of the resultant (percent of
///   the base from upstream);
/// - the tendencies, the transition rules and the integration (ChooseAndIntegrate);
/// - the consistency of the new mode with the signs of the rotation and of the sliding
///   velocity: a contradiction stops the run with "Convergence problem" and its code;
/// - the energy balance.
/// A normal force that would pull the block off the plane is reported once per run with a
/// question (OK stops the run). With a debug file the step writes its columns and the mode
/// label, ending the line the driver started.
///
/// Between steps it keeps the mode, whether the loss of contact was reported, and the working
/// values of the last step: the water's translational added mass and the hydrostatic thrust.
class SlidingRockingStep final {
public:
    /// A block at rest (mode Stop), with the constants of the run's context.
    explicit SlidingRockingStep(const RunContext& context);

    void step(const StepInput& input, const BlockMotion& previous, BlockMotion& next,
              EnergyTerms& energy, SafetyFactors& factors, RunControl& control) noexcept;

    /// The safety factors and resultant of the block at rest under the loads of atStart, from a
    /// step on a copy that writes no debug line and shows or asks nothing: the real first step
    /// asks its questions itself.
    SafetyFactors restFactors(const StepInput& atStart) const;

    MotionMode mode() const noexcept { return mMode; }
    /// Goes on from a block in mode m, as a step that left it there would.
    void setMode(MotionMode m) noexcept { mMode = m; }
    const SlidingRockingContext& context() const noexcept { return mContext; }
    double addedMassW() const noexcept { return mAddedMassW; }   ///< t
    double hydroThrust() const noexcept { return mHydroThrust; } ///< kN

private:
    SlidingRockingContext mContext;
    DebugLine* mDebug;
    MotionMode mMode = MotionMode::Stop;
    bool mContactWarningShown = false;
    double mAddedMassW = 0.0;
    double mHydroThrust = 0.0;
    RememberedSinCos mHeelAngle; ///< of the heel's pivot angle TUS
    RememberedSinCos mToeAngle;  ///< of the toe's pivot angle TDS
};

/// The catalogue key of the convergence message for code (101 to 106).
const char* ConvergenceMessageKey(int code) noexcept;

} // namespace quibel
