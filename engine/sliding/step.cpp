// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/sliding/step.h"

#include "engine/run/rest_step.h"

#include "engine/loads/hydrostatic_loads.h"
#include "engine/run/sliding_stop.h"

#include <algorithm>
#include <cmath>

namespace quibel {

namespace {

double sign(double x) noexcept {
    return x > 0.0 ? 1.0 : (x < 0.0 ? -1.0 : 0.0);
}

double safetyFactor(double resistance, double load) noexcept {
    if (load == 0.0)
        return kMaxSlidingSafetyFactor;
    return std::min(std::fabs(resistance / load), kMaxSlidingSafetyFactor);
}

} // namespace

SlidingSetup MakeSlidingSetup(const TBlocStatic& model, const LoadModel& loads,
                              const AddedLoadsOnBlock& added) noexcept {
    SlidingSetup setup;
    setup.loads = loads;
    setup.blockMass = loads.si.M + added.mass;
    setup.waterMass = StaticAddedMass(loads);
    setup.thrustWithoutAv = StaticHydrostaticThrust(loads, 0.0).force;
    setup.effectiveMass = setup.blockMass + setup.waterMass * loads.cosBeta * loads.cosBeta;
    setup.sumFx = added.sumFx;
    setup.sumFy = added.sumFy;
    setup.tanPhiS = std::tan(radians(model.PhiS));
    setup.tanPhiD = std::tan(radians(model.PhiD));
    setup.newmarkBeta = model.Options.NewmarkBeta;
    return setup;
}

SlidingStep::SlidingStep(const RunContext& context)
    : mSetup(MakeSlidingSetup(context.model, context.loads, context.added)), mDebug(context.debug) {
}

void SlidingStep::step(const StepInput& input, const BlockMotion& previous, BlockMotion& next,
                       EnergyTerms& energy, SafetyFactors& factors, RunControl& control) noexcept {
    (void)control; // a sliding step neither asks nor fails
    const SlidingSetup& setup = mSetup;
    const GroundMotion& ground = input.ground;
    const double Fh = input.Fh;
    const double Fv = input.Fv;
    const double dt = input.dt;
    DebugLine* debug = mDebug;
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
        SF = safetyFactor(Rs, P);
        if (std::fabs(P) > std::fabs(Rs)) {
            moves = true;
            mMotion = SlidingMotionState::Slipping;
        }
    } else {
        // Dynamic friction against the motion.
        Rd = vPrev != 0.0 ? -std::fabs(Rd) * sign(vPrev) : -std::fabs(Rd) * sign(P);
        SF = safetyFactor(Rd, P);
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

SafetyFactors SlidingStep::restFactors(const StepInput& atStart) const {
    SlidingStep probe = *this;
    probe.mDebug = nullptr;
    probe.mMotion = SlidingMotionState::Stuck;
    return restStepFactors(probe, atStart);
}

} // namespace quibel
