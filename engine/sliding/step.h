// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/loads/added_loads.h"
#include "engine/loads/hydrostatic_loads.h"
#include "engine/loads/load_model.h"
#include "engine/run/analysis_step.h"
#include "engine/run/sliding_stop.h"
#include "model/project_record.h"

#include <algorithm>
#include <cmath>
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

    /// One step; with Debug false it writes no debug columns whatever the context said.
    template <bool Debug = true>
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

namespace sliding_detail {

inline double sign(double x) noexcept {
    return x > 0.0 ? 1.0 : (x < 0.0 ? -1.0 : 0.0);
}

inline double safetyFactor(double resistance, double load) noexcept {
    if (load == 0.0)
        return kMaxSlidingSafetyFactor;
    return std::min(std::fabs(resistance / load), kMaxSlidingSafetyFactor);
}

} // namespace sliding_detail

// The step is defined here so that the run's loop, instantiated in another file, calls it
// inline and keeps the block's state in registers.
template <bool Debug>
[[gnu::always_inline]] inline void
SlidingStep::step(const StepInput& input, const BlockMotion& previous, BlockMotion& next,
                  EnergyTerms& energy, SafetyFactors& factors, RunControl& control) noexcept {
    (void)control; // a sliding step neither asks nor fails
    const SlidingSetup& setup = mSetup;
    const GroundMotion& ground = input.ground;
    const double Fh = input.Fh;
    const double Fv = input.Fv;
    const double dt = input.dt;
    DebugLine* debug = Debug ? mDebug : nullptr;
    double& SF = factors.sliding;
    const LoadModel& loads = setup.loads;
    const double sb = loads.sinBeta;
    const double cb = loads.cosBeta;
    const double g = loads.si.g;
    const double U = loads.si.U;
    const double ag = ground.ag;
    const double av = ground.av;
    const double dPrev = previous.u;
    const double vPrev = previous.v;
    const double aPrev = previous.a;

    // Loads. The water's added mass acts horizontally only.
    const double massV = setup.blockMass;
    const double massH = setup.blockMass + setup.waterMass;
    const double Hs = av == 0.0 ? setup.thrustWithoutAv : StaticHydrostaticThrust(loads, av).force;
    const double horizontal = Fh + setup.sumFx + Hs;
    const double vertical = Fv + setup.sumFy;
    const double loadX = horizontal - U * sb;
    const double loadY = vertical + U * cb;

    // Normal force (away from the plane) and load along the plane (downstream).
    const double N = U - massV * (g + av) * cb + massH * ag * sb - horizontal * sb + vertical * cb;
    const double P = -massV * (g + av) * sb - massH * ag * cb + horizontal * cb + vertical * sb;

    double Rs = 0.0;
    double Rd = 0.0;
    if (N < 0.0) {
        Rs = setup.tanPhiS * N;
        Rd = setup.tanPhiD * N;
        if (P < 0.0) {
            Rs = std::fabs(Rs);
            Rd = std::fabs(Rd);
        }
    }

    const bool stuck = mMotion == SlidingMotionState::Stuck;
    if (debug) {
        debug->fixed(massV, 10, 4);
        debug->fixed(P, 10, 3);
        debug->fixed(stuck ? Rs : Rd, 10, 3);
        debug->fixed(N, 10, 3);
        debug->fixed(Hs, 10, 3);
        debug->fixed(-setup.waterMass * (ground.agPrev + aPrev * cb), 10, 3);
        debug->fixed(U, 10, 3);
        debug->fixed(Fh, 10, 3);
        debug->fixed(Fv, 10, 3);
    }

    double d = dPrev;
    double v = 0.0;
    double a = 0.0;
    bool moves = false;
    if (stuck) {
        SF = sliding_detail::safetyFactor(Rs, P);
        if (std::fabs(P) > std::fabs(Rs)) {
            moves = true;
            mMotion = SlidingMotionState::Slipping;
        }
    } else {
        // Dynamic friction against the motion.
        Rd = vPrev != 0.0 ? -std::fabs(Rd) * sliding_detail::sign(vPrev)
                          : -std::fabs(Rd) * sliding_detail::sign(P);
        SF = sliding_detail::safetyFactor(Rd, P);
        moves = true;
    }
    if (moves) {
        a = (P + Rd) / setup.effectiveMass;
        v = vPrev + (aPrev + a) * dt / 2.0;
        if (setup.newmarkBeta == 0)
            d = dPrev + vPrev * dt + dt * dt * aPrev / 3.0 + dt * dt * a / 6.0;
        else
            d = dPrev + vPrev * dt + dt * dt * (aPrev + a) / 4.0;
    }

    // The velocity reached zero within the step while dynamic friction can hold the block:
    // it stops at the root tau of v_prev + a_prev tau + A tau², the velocity for an
    // acceleration linear over the step.
    if (vPrev != 0.0 && std::fabs(P) <= std::fabs(Rd) && v / vPrev <= 0.0) {
        const double tau = VelocityRootTime(vPrev, aPrev, (a - aPrev) / (2.0 * dt), dt);
        a = aPrev + (a - aPrev) * tau / dt;
        v = 0.0;
        if (setup.newmarkBeta == 0)
            d = dPrev + vPrev * tau + tau * tau * aPrev / 2.0 +
                tau * tau * tau * (a - aPrev) / (6.0 * dt);
        else
            d = dPrev + vPrev * tau + tau * tau * (aPrev + a) / 4.0;
        mMotion = SlidingMotionState::Stuck;
    }

    if (debug) {
        debug->scientific(d);
        debug->scientific(v);
        debug->scientific(a);
        debug->endLine();
    }

    next.u = d;
    next.v = v;
    next.a = a;

    // Energy balance with the mass matrix diag(massH, massV) acting on horizontal and vertical
    // components.
    const double meanRel = (a + aPrev) / 2.0;
    const double meanAg = (ag + ground.agPrev) / 2.0;
    const double meanAv = (av + ground.avPrev) / 2.0;
    const double absAccX = meanRel * cb + meanAg;
    const double absAccY = meanRel * sb + meanAv;
    const double dd = d - dPrev;
    const double drX = dd * cb;
    const double drY = dd * sb;
    energy.E0 += (ground.dg - ground.dgPrev) * massH * absAccX +
                 (ground.dv - ground.dvPrev) * massV * absAccY;
    energy.E1 -= meanAg * massH * drX + meanAv * massV * drY;
    const double vaX = v * cb + ground.vg;
    const double vaY = v * sb + ground.vv;
    energy.E2 = 0.5 * (massH * vaX * vaX + massV * vaY * vaY);
    const double vrX = v * cb;
    const double vrY = v * sb;
    energy.E3 = 0.5 * (massH * vrX * vrX + massV * vrY * vrY);
    energy.E4 -= dd * Rd;
    energy.E5 += loadX * drX + loadY * drY;
    energy.E7 = massV * g * d * sb;
}

} // namespace quibel
