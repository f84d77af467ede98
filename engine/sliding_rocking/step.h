#pragma once

#include "engine/run/analysis_step.h"
#include "engine/sliding_rocking/context.h"
#include "engine/sliding_rocking/state.h"

namespace quibel {

/// What a sliding-and-rocking step keeps from one step to the next besides the motion: the
/// mode and the one-time warning of the run.
struct SlidingRockingRunFlags final {
    MotionMode mode = MotionMode::Stop;
    /// The loss of contact has been reported in this run.
    bool contactWarningShown = false;
    // Working values left by the last step, for the model.
    double addedMassW = 0.0;  ///< translational added mass of the water, t
    double hydroThrust = 0.0; ///< horizontal hydrostatic force, kN
    double heelU = 0.0;       ///< sliding displacement of the last heel mass properties, m
    double toeU = 0.0;        ///< and of the last toe ones, m
};

/// One step of the sliding-and-rocking analysis from the results `previous` of the last step:
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
void SlidingRockingStep(const SlidingRockingContext& c, SlidingRockingRunFlags& flags,
                        const StepInput& input, const BlockMotion& previous, BlockMotion& next,
                        EnergyTerms& energy, SafetyFactors& factors, RunControl& control,
                        DebugLine* debug) noexcept;

/// The catalogue key of the convergence message for code (101 to 106).
const char* ConvergenceMessageKey(int code) noexcept;

} // namespace quibel
