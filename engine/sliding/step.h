// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/loads/added_loads.h"
#include "engine/loads/load_model.h"
#include "engine/run/analysis_step.h"
#include "model/project_record.h"

#include <cstdint>

namespace quibel {

/// The state of a sliding block between steps.
enum class SlidingMotionState : std::uint8_t {
    Stuck = 0,    ///< at rest on the plane
    Slipping = 1, ///< sliding along the plane
};

/// The constants of a sliding run: everything the step reads that does not change between
/// steps, in SI.
struct SlidingSetup final {
    LoadModel loads;
    double blockMass = 0.0; ///< M + Madd, block and added masses on it, t
    double waterMass = 0.0; ///< Mw, static translational added mass of the reservoir, t
    /// Hs, the static thrust of the reservoir with the unit weight of water g: the thrust of
    /// every step without vertical ground acceleration, kN.
    double thrustWithoutAv = 0.0;
    /// M + Madd + Mw cos²(beta), the inertia of the motion along the plane: the water pushes on
    /// the face with -Mw x its horizontal absolute acceleration, t.
    double effectiveMass = 0.0;
    double sumFx = 0.0;           ///< horizontal added forces on the block, kN
    double sumFy = 0.0;           ///< vertical added forces on the block, kN
    double tanPhiS = 0.0;         ///< static friction coefficient
    double tanPhiD = 0.0;         ///< dynamic friction coefficient
    std::uint8_t newmarkBeta = 0; ///< 0 linear acceleration, 1 constant average acceleration
};

SlidingSetup MakeSlidingSetup(const TBlocStatic& model, const LoadModel& loads,
                              const AddedLoadsOnBlock& added) noexcept;

/// Upper bound of the sliding safety factor.
inline constexpr double kMaxSlidingSafetyFactor = 5.0;

/// The integration steps of a block that can only slide along the plane.
///
/// The loads of the step (weight with the vertical ground acceleration, static thrust, uplift,
/// added forces, force histories Fh and Fv in kN, the water's added mass) give the normal force
/// N (positive away from the plane) and the load P along the plane (positive downstream). A
/// stuck block starts to slide when |P| exceeds static friction tan(PhiS) |N|; a sliding block
/// feels dynamic friction against its velocity; without contact pressure (N >= 0) there is no
/// friction. The motion is integrated with Newmark-Beta (gamma 1/2; beta 1/6 or 1/4 by
/// Options.NewmarkBeta); a sliding block whose velocity reaches zero within the step while
/// dynamic friction can hold it stops there, at the root of its velocity for an acceleration
/// linear over the step. The energy terms are updated from the step's results, and SF is the
/// ratio of the friction to the load (at most 5; 5 when P = 0).
///
/// previous holds d, v, a of the last step in u, v, a (m, m/s, m/s², along the plane); next
/// receives those of this step (its rotation fields are left alone); factors.sliding receives
/// SF. With a debug file the step appends its columns (M + Madd, P, the resistance, N, Hs, the
/// hydrodynamic force, U, Fh, Fv, then d, v, a) and ends the line.
class SlidingStep final {
public:
    /// A block stuck on the plane, with the constants of the run's context.
    explicit SlidingStep(const RunContext& context);

    void step(const StepInput& input, const BlockMotion& previous, BlockMotion& next,
              EnergyTerms& energy, SafetyFactors& factors, RunControl& control) noexcept;

    /// The safety factor of the block at rest under the loads of atStart, from a step on a
    /// copy that writes no debug line: the factor is formed before the block moves.
    SafetyFactors restFactors(const StepInput& atStart) const;

    SlidingMotionState motion() const noexcept { return mMotion; }
    /// Goes on from a block in motion m, as a step that left it there would.
    void setMotion(SlidingMotionState m) noexcept { mMotion = m; }
    const SlidingSetup& setup() const noexcept { return mSetup; }

private:
    SlidingSetup mSetup;
    DebugLine* mDebug;
    SlidingMotionState mMotion = SlidingMotionState::Stuck;
};

} // namespace quibel
