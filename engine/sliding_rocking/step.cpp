// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/sliding_rocking/step.h"

#include "engine/run/rest_step.h"

#include "engine/sliding_rocking/energy.h"
#include "engine/sliding_rocking/start_loads.h"
#include "engine/sliding_rocking/transitions.h"

#include <algorithm>
#include <cmath>

namespace quibel {

namespace {

double signOf(double x) noexcept {
    return x > 0.0 ? 1.0 : (x < 0.0 ? -1.0 : 0.0);
}

/// Sums of the moments that turn the block one way (pos, >= 0) and the other (neg, < 0).
struct MomentSums {
    double pos = 0.0, neg = 0.0;
    void add(double m) noexcept { (m >= 0.0 ? pos : neg) += m; }
};

} // namespace

const char* ConvergenceMessageKey(int code) noexcept {
    switch (code) {
    case 101:
        return "engine.sliding_rocking.convergence_101";
    case 102:
        return "engine.sliding_rocking.convergence_102";
    case 103:
        return "engine.sliding_rocking.convergence_103";
    case 104:
        return "engine.sliding_rocking.convergence_104";
    case 105:
        return "engine.sliding_rocking.convergence_105";
    default:
        return "engine.sliding_rocking.convergence_106";
    }
}

SlidingRockingStep::SlidingRockingStep(const RunContext& context)
    : mContext(context.model, context.loads), mDebug(context.debug) {}

void SlidingRockingStep::step(const StepInput& input, const BlockMotion& previous,
                              BlockMotion& next, EnergyTerms& energy, SafetyFactors& factors,
                              RunControl& control) noexcept {
    const SlidingRockingContext& c = mContext;
    DebugLine* debug = mDebug;
    const GroundMotion& gm = input.ground;
    SlidingRockingState s;
    s.u0 = s.u = previous.u;
    s.v0 = s.v = previous.v;
    s.a0 = s.a = previous.a;
    s.theta0 = s.theta = previous.theta;
    s.omega0 = s.omega = previous.omega;
    s.alpha0 = s.alpha = previous.alpha;
    s.mode = mMode;
    s.h = input.dt;
    s.ag0 = gm.agPrev;
    s.ag1 = gm.ag;
    s.av0 = gm.avPrev;
    s.av1 = gm.av;
    s.Fh = input.Fh;
    s.Fv = input.Fv;

    const double cb = c.cosBeta, sb = c.sinBeta, g = c.g;
    StartLoads l = ComputeStartLoads(c, s);
    const double M = l.heel.Mass;
    const double RUS = l.heel.Radius, TUS = l.heel.Angle;
    const double RDS = l.toe.Radius, TDS = l.toe.Angle;

    // Acceleration of the centre of mass from the rotation in the start state.
    const MotionMode mode = s.mode;
    const bool heelMode = isHeelMode(mode), toeMode = isToeMode(mode);
    // The angle functions of the pivots' angles TUS and TDS, and of phiUS = TUS - theta0 and
    // phiDS = TDS + theta0, the angles of the pivots rotated with the block in its mode.
    const SinCos atUS = mHeelAngle.of(TUS), atDS = mToeAngle.of(TDS);
    SinCos phiUS = atUS, phiDS = atDS;
    double ax = 0.0, ay = 0.0;
    const double w2 = s.omega0 * s.omega0;
    if (heelMode) {
        phiUS = sinCos(TUS - s.theta0);
        ax = (-s.alpha0 * phiUS.cos - w2 * phiUS.sin) * RUS;
        ay = (s.alpha0 * phiUS.sin - w2 * phiUS.cos) * RUS;
    } else if (toeMode) {
        phiDS = sinCos(TDS + s.theta0);
        ax = (w2 * phiDS.sin - s.alpha0 * phiDS.cos) * RDS;
        ay = (-s.alpha0 * phiDS.sin - w2 * phiDS.cos) * RDS;
    }

    // Moments of all forces, inertia included, about the pivots.
    const double horizontalInertia = s.ag1 + ax + s.a0 * cb;
    const double verticalInertia = g + s.av1 + ay + s.a0 * sb;
    double MUS = 0.0, MDS = 0.0;
    if (!toeMode)
        MUS = horizontalInertia * M * RUS * phiUS.cos - verticalInertia * M * RUS * phiUS.sin +
              l.MwUS + l.MhUS + l.MvUS + l.MrotUS + l.MhdUS;
    if (!heelMode)
        MDS = horizontalInertia * M * RDS * phiDS.cos + verticalInertia * M * RDS * phiDS.sin +
              l.MwDS + l.MhDS + l.MvDS + l.MrotDS + l.MhdDS;

    // Forces across and along the plane.
    const SinCos theta0 = sinCos(s.theta0);
    const double H = theta0.cos * l.Frot + l.Fhd + l.Hw + l.SumFh;
    const double V = theta0.sin * l.Frot + l.SumFv + l.Vw;
    const double N2 =
        std::max((H - horizontalInertia * M) * sb - (V - verticalInertia * M) * cb, 0.0);
    const double hNet = H - (s.ag1 + ax) * M;
    const double vNet = V - (g + s.av1 + ay) * M;
    double N = hNet * sb - vNet * cb;
    if (N < 0.0) {
        N = 0.0;
        if (!mContactWarningShown) {
            mContactWarningShown = true;
            control.ask(
                {Message("engine.sliding_rocking.contact_lost"), QuestionButtons::OkCancel});
        }
    }
    const double D = hNet * cb + vNet * sb;
    const bool slidingFriction = mode == MotionMode::Sliding || isCoupledMode(mode);
    double Fr = std::fabs(N * (slidingFriction ? c.muD : c.muS));
    if (D != 0.0)
        Fr = -Fr * signOf(D);
    if (s.v0 != 0.0)
        Fr = -std::fabs(Fr) * signOf(s.v0);
    s.D = D;
    s.Fr = Fr;

    // Safety factors.
    factors.sliding = D == 0.0 ? 10.0 : std::min(std::fabs(Fr / D), 10.0);
    const double base = c.loads.si.B / cb;
    if (N2 == 0.0)
        factors.resultantPosition = 50.0;
    else if (heelMode)
        factors.resultantPosition = (-MUS / N2) / base * 100.0;
    else
        factors.resultantPosition = 100.0 - (MDS / N2) / base * 100.0;
    {
        // Overturning with the block at rest on the plane: resisting over driving moments.
        const double cu = M * RUS * atUS.cos, su = M * RUS * atUS.sin;
        MomentSums heel;
        for (double m : {cu * s.ag1, cu * s.a0 * cb, -su * s.a0 * sb, -su * g, -su * s.av1, l.MwUS,
                         l.MhUS, l.MvUS, l.MhdUS})
            heel.add(m);
        double sf = std::min(heel.pos == 0.0 ? 10.0 : std::fabs(heel.neg / heel.pos), 10.0);
        const double cd = M * RDS * atDS.cos, sd = M * RDS * atDS.sin;
        MomentSums toe;
        for (double m : {cd * s.ag1, cd * s.a0 * cb, sd * s.a0 * sb, sd * g, sd * s.av1, l.MwDS,
                         l.MhDS, l.MvDS, l.MhdDS})
            toe.add(m);
        if (toe.neg != 0.0)
            sf = std::min(sf, std::fabs(toe.pos / toe.neg));
        factors.overturning = std::min(sf, 10.0);
    }

    const Tendency sliding = SlidingTendency(D, Fr);
    const Tendency rocking = RockingTendency(MUS, MDS);

    if (debug) {
        for (double x :
             {M, l.heel.Xc, l.heel.Yc, l.heel.Inertia, RUS, TUS, l.toe.Inertia, RDS, TDS})
            debug->fixed(x, 10, 4);
        for (double x : {D, Fr, N, l.Hw, l.Frot, l.Fhd, l.Vw, l.SumFh, l.SumFv})
            debug->fixed(x, 10, 3);
        for (double x : {MUS, l.MwUS, l.MhUS, l.MvUS, l.MrotUS, l.MhdUS})
            debug->fixed(x, 10, 3);
        for (double x : {MDS, l.MwDS, l.MhDS, l.MvDS, l.MrotDS, l.MhdDS})
            debug->fixed(x, 10, 3);
    }

    s.E = 0.0;
    ChooseAndIntegrate(c, s, sliding, rocking);

    if (const int code = ModeCheck(s.mode, s.theta, s.v); code != 0)
        control.fail(Message(ConvergenceMessageKey(code)));

    UpdateEnergyTerms(c, s, gm, l, energy);

    if (debug) {
        const double Ia = energy.E0, Ir = energy.E1, W = energy.E5, Ka = energy.E2, Kr = energy.E3,
                     Di = energy.E6, F = energy.E4, P = energy.E7;
        for (double x : {Ia, Ir, W, Ka, Kr, Di, F, P, Ia + W - Ka - Di - F - P,
                         Ir + W - Kr - Di - F - P, s.u, s.v, s.a, s.theta, s.omega, s.alpha})
            debug->scientific(x);
        debug->text(MotionModeLabel(s.mode));
        debug->endLine();
    }

    mMode = s.mode;
    mAddedMassW = s.addedMassW;
    mHydroThrust = s.hydroThrust;
    next.u = s.u;
    next.v = s.v;
    next.a = s.a;
    next.theta = s.theta;
    next.omega = s.omega;
    next.alpha = s.alpha;
}

SafetyFactors SlidingRockingStep::restFactors(const StepInput& atStart) const {
    SlidingRockingStep probe = *this;
    probe.mDebug = nullptr;
    probe.mMode = MotionMode::Stop;
    return restStepFactors(probe, atStart);
}

} // namespace quibel
