// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/rocking/step.h"

#include "engine/loads/hydrodynamic_loads.h"
#include "engine/loads/hydrostatic_loads.h"
#include "engine/loads/water_loads.h"
#include "model/enums.h"
#include "model/unit_tables.h"

#include <algorithm>
#include <cmath>

namespace quibel {

namespace {

constexpr RockingPivot otherPivot(RockingPivot p) noexcept {
    return p == RockingPivot::Heel ? RockingPivot::Toe : RockingPivot::Heel;
}

// Accumulated energy terms take only finite increments, so that no NaN or infinity of an
// overturned block reaches the result series.
void accumulate(double& term, double increment) noexcept {
    if (std::isfinite(increment))
        term += increment;
}

double finiteOr(double value, double fallback) noexcept {
    return std::isfinite(value) ? value : fallback;
}

double historyPosition(const TBlocStatic& model, HistoryKind kind, bool elevation) {
    const TimeHistoryRecord& h = model.history(kind);
    return (elevation ? h.PosY : h.PosX) * units::lengthToSi(model.UnitSystem);
}

// Overturning safety factor of the block at rest: resisting over driving moments about each
// pivot (negative moments drive it about the toe, positive ones about the heel).
double restFactor(const MomentSums& heel, const MomentSums& toe) noexcept {
    const double toeFactor = toe.negative == 0.0 ? kMaxOverturningFactor
                                                 : std::min(std::fabs(toe.positive / toe.negative),
                                                            kMaxOverturningFactor);
    double factor = toeFactor;
    if (heel.positive != 0.0)
        factor = std::min(toeFactor, std::fabs(heel.negative / heel.positive));
    return std::min(factor, kMaxOverturningFactor);
}

// While rocking: the moments driving the rotation over those resisting it.
double rockingFactor(RockingPivot p, const MomentSums& m) noexcept {
    if (p == RockingPivot::Toe)
        return m.positive == 0.0
                   ? kMaxOverturningFactor
                   : std::min(std::fabs(m.negative / m.positive), kMaxOverturningFactor);
    return m.negative == 0.0 ? kMaxOverturningFactor
                             : std::min(std::fabs(m.positive / m.negative), kMaxOverturningFactor);
}

Message convergenceMessage() {
    return Message("engine.rocking.convergence");
}

} // namespace

/// A part of the step during which the block turned about one pivot: from theta0 to the state
/// end, between t0 and t1 (s into the step).
struct RockingStep::Segment final {
    RockingPivot pivot = RockingPivot::Heel;
    double theta0 = 0.0;
    RockingState end;
    double t0 = 0.0;
    double t1 = 0.0;
};

RockingStep::RockingStep(const RunContext& context)
    : mLoads(context.loads), mDebug(context.debug),
      mBody(MakeRockingBody(context.model, context.loads, context.added)),
      mEquations(context.loads, mBody, context.added,
                 historyPosition(context.model, HistoryKind::HorizontalForce, true),
                 historyPosition(context.model, HistoryKind::VerticalForce, false)) {
    mAddedMassW = StaticAddedMass(mLoads);
    mToPercent = mLoads.cosBeta / mLoads.si.B * 100.0;
    mEu = context.model.Eu;
    mEd = context.model.Ed;
}

RockingStepLoads RockingStep::loadsOf(const StepInput& input) const noexcept {
    RockingStepLoads loads;
    const double av = input.ground.av;
    const StaticThrust& thrust =
        mThrust.get({av}, [&] { return StaticHydrostaticThrust(mLoads, av); });
    loads.hydroThrust = thrust.force;
    loads.hydroArm = thrust.arm;
    loads.addedMassW = mAddedMassW;
    mEquations.historyMoments(input.Fh, input.Fv, loads);
    return loads;
}

SafetyFactors RockingStep::restFactors(const StepInput& input) const {
    const double ag = input.ground.ag;
    const double av = input.ground.av;
    RockingEquations equations = mEquations;
    equations.setStep(loadsOf(input));
    const MomentSums heel = equations.restMomentsHeel(ag, av);
    const MomentSums toe = equations.restMomentsToe(ag, av);
    const double normal = equations.normalForce(ag, av);
    const double resultantArm = normal == 0.0 ? 0.0 : heel.total() / normal;
    const double toPercent = mToPercent;
    SafetyFactors factors;
    factors.overturning = finiteOr(restFactor(heel, toe), kMaxOverturningFactor);
    factors.resultantPosition = normal == 0.0 ? 50.0 : finiteOr(resultantArm * toPercent, 50.0);
    return factors;
}

void RockingStep::writeDebugLoads(const StepInput& input, const BlockMotion& previous) {
    const GroundMotion& g = input.ground;
    const SiModel& si = mLoads.si;
    const RockingStepLoads& st = mEquations.stepLoads();
    const WaterLoadsResult water = WaterLoads(mLoads, previous.theta, 0.0, g.avPrev);
    const FaceLoad rot = RotationalHydrodynamicLoad(mLoads, si.Hd, si.H, si.Hr, si.g,
                                                    previous.theta, previous.alpha);
    const TranslationalLoad tr =
        TranslationalHydrodynamicLoad(mLoads, 0.0, previous.theta, g.agPrev, 0.0);
    DebugLine& d = *mDebug;
    for (double v : {si.M, si.Xc, si.Yc, mBody.rHeel, mBody.alphaHeel, mBody.rToe, mBody.alphaToe})
        d.fixed(v, 10, 4);
    for (double v : {mNormalForce, st.hydroThrust, water.Fx, rot.force, tr.load.force, water.Fy,
                     mEquations.sumFx(), mEquations.sumFy()})
        d.fixed(v, 10, 3);
    for (double v : {mLastMomentUp, water.momentHeel, mEquations.addedHHeel(),
                     mEquations.addedVHeel(), rot.momentHeel, tr.load.momentHeel})
        d.fixed(v, 10, 3);
    for (double v : {mLastMomentDown, water.momentToe, mEquations.addedHToe(),
                     mEquations.addedVToe(), rot.momentToe, tr.load.momentToe})
        d.fixed(v, 10, 3);
}

void RockingStep::addWork(const Segment& seg, const RockingIntegrator& ground, const Trig& start,
                          const Trig& end, EnergyTerms& energy) const noexcept {
    const RockingPivot p = seg.pivot;
    const double ahMean = (ground.ahAt(seg.t0) + ground.ahAt(seg.t1)) / 2.0;
    const double avMean = (ground.avAt(seg.t0) + ground.avAt(seg.t1)) / 2.0;
    double x0, y0, x1, y1;
    mEquations.centres(p, start.s, start.c, x0, y0);
    mEquations.centres(p, end.s, end.c, x1, y1);
    const RockingStepLoads& st = mEquations.stepLoads();
    const double historyMoment = p == RockingPivot::Heel ? st.historyHHeel + st.historyVHeel
                                                         : st.historyHToe + st.historyVToe;
    const double dTheta = seg.end.theta - seg.theta0;
    // Work of the force histories over the rotation (+M dtheta), and of the inertia forces of
    // the ground acceleration on the displacement of every centre.
    const double input = historyMoment * dTheta - (ahMean * (x1 - x0) + avMean * (y1 - y0));
    accumulate(energy.E1, input);
    accumulate(energy.E0, input);
    const double preseismic = mEquations.preseismicMoment(p, seg.end.theta, end.c, seg.end.alpha,
                                                          ground.ahAt(seg.t1), end.water);
    accumulate(energy.E5, preseismic * dTheta);
}

void RockingStep::setStateEnergies(RockingMotion motion, const RockingState& s,
                                   const GroundMotion& g, const Trig& trig,
                                   EnergyTerms& energy) const noexcept {
    double relativeKinetic = 0.0;
    double potential = 0.0;
    if (motion != RockingMotion::AtRest) {
        const RockingPivot p = pivotOf(motion);
        relativeKinetic = 0.5 * mBody.inertia(p) * s.omega * s.omega;
        double x, y;
        mEquations.centres(p, trig.s, trig.c, x, y);
        const double y0 = p == RockingPivot::Heel ? mBody.heelCos : mBody.toeCos;
        potential = mLoads.si.g * (y - y0);
    }
    energy.E3 = finiteOr(relativeKinetic, energy.E3);
    energy.E7 = finiteOr(potential, energy.E7);
    const double groundKinetic = 0.5 * mBody.totalMass() * (g.vg * g.vg + g.vv * g.vv);
    energy.E2 = finiteOr(groundKinetic + relativeKinetic, energy.E2);
}

RockingStep::Trig RockingStep::sinCosOf(double theta) const noexcept {
    return mSinCos.get({theta}, [theta] {
        Trig t;
        t.s = std::sin(theta);
        t.c = std::cos(theta);
        return t;
    });
}

RockingStep::Trig RockingStep::trigAt(double theta, double av) const noexcept {
    Trig t;
    if (theta != 0.0) {
        t = sinCosOf(theta);
        t.water = RockingWaterMoment(mLoads, theta, t.s, t.c, av);
    }
    return t;
}

void RockingStep::step(const StepInput& input, const BlockMotion& previous, BlockMotion& next,
                       EnergyTerms& energy, SafetyFactors& factors, RunControl& control) {
    const GroundMotion& g = input.ground;
    const double ag = g.ag;
    const double av = g.av;
    const double dt = input.dt;

    // 1. Loads of the step.
    const RockingStepLoads loads = loadsOf(input);
    mEquations.setStep(loads);
    if (mDebug != nullptr)
        writeDebugLoads(input, previous);

    // 3. Moments at rest, which decide whether rocking starts.
    RockingMotion motion = mMotion;
    const bool startedAtRest = motion == RockingMotion::AtRest;
    MomentSums heel, toe;
    double momentUp = 0.0;
    double momentDown = 0.0;
    if (startedAtRest) {
        toe = mEquations.restMomentsToe(ag, av);
        heel = mEquations.restMomentsHeel(ag, av);
        momentUp = heel.total();
        momentDown = toe.total();
    }

    // 4. Normal force and the arm of the resultant.
    const double normal = mEquations.normalForce(ag, av);
    mNormalForce = normal;
    double resultantArm;
    if (previous.theta >= 0.0)
        resultantArm = normal == 0.0 ? 0.0 : momentUp / normal;
    else
        resultantArm = mLoads.baseLength - (normal == 0.0 ? 0.0 : momentDown / normal);

    // 5-6. Choice of motion and integration over the step.
    const RockingIntegrator integrator(mEquations, g, dt);
    const RockingState start{previous.theta, previous.omega, previous.alpha};
    RockingState s;
    RockingPivot pivot = RockingPivot::Heel;
    bool rocking = false;
    if (momentDown < 0.0 || motion == RockingMotion::RockingDown) {
        pivot = RockingPivot::Toe;
        rocking = true;
    } else if (momentUp > 0.0 || motion == RockingMotion::RockingUp) {
        pivot = RockingPivot::Heel;
        rocking = true;
    }
    if (rocking) {
        s = integrator.integrate(pivot, start, 0.0, dt);
        if (previous.theta == 0.0) {
            // The pivot's equation asks for a rotation into the plane while the block sits on
            // it; or a threshold crossed late in the step left the rotation on the other side
            // of the pivot, which only the mid-step accelerations of a start from rest can do.
            const bool intoPlane = pivot == RockingPivot::Toe ? s.alpha > 0.0 : s.alpha < 0.0;
            if (intoPlane || (startedAtRest && wrongSide(pivot, s.theta)))
                rocking = false;
        }
    }
    if (rocking) {
        motion = motionAbout(pivot);
    } else {
        s = RockingState{};
        motion = RockingMotion::AtRest;
    }

    // 8. Impact: the rotation changed sign during the step.
    Segment first{pivot, previous.theta, s, 0.0, dt};
    bool impact = false;
    Segment second;
    bool bounced = false;
    if (rocking && previous.theta != 0.0 && s.theta / previous.theta < 0.0) {
        impact = true;
        const RockingIntegrator::Impact hit = integrator.findImpact(pivot, start);
        first.end = hit.state;
        first.t1 = hit.tau;
        const double omega = hit.state.omega;
        const double inertiaBefore = mBody.inertia(pivot);
        if (std::fabs(omega) <= kRestAngularVelocity) {
            // The rocking has died out: the block settles on the plane.
            accumulate(energy.E6, 0.5 * inertiaBefore * omega * omega);
            s = RockingState{};
            motion = RockingMotion::AtRest;
        } else {
            const RockingPivot landing = otherPivot(pivot);
            const double restitution = pivot == RockingPivot::Heel ? mEd : mEu;
            const double inertiaAfter = mBody.inertia(landing);
            const double omegaAfter = restitution * omega;
            const double lost =
                0.5 * (omega * omega * inertiaBefore - omegaAfter * omegaAfter * inertiaAfter);
            if (lost < 0.0 && pivot == RockingPivot::Heel)
                control.ask(
                    RunQuestion{Message("engine.rocking.energy_increase"), QuestionButtons::NoOk});
            accumulate(energy.E6, lost);
            const RockingState after{0.0, omegaAfter,
                                     mEquations.acceleration(landing, 0.0, ag, av)};
            s = integrator.integrate(landing, after, hit.tau, dt - hit.tau);
            if (wrongSide(landing, s.theta)) {
                // The bounce about the new pivot is shorter than the rest of the step.
                accumulate(energy.E6, 0.5 * inertiaAfter * omegaAfter * omegaAfter);
                s = RockingState{};
                motion = RockingMotion::AtRest;
            } else {
                bounced = true;
                second = Segment{landing, 0.0, s, hit.tau, dt};
                pivot = landing;
                motion = motionAbout(landing);
            }
        }
    }

    // Consistency: a rocking block ends the step on its own side of the pivot.
    if (motion != RockingMotion::AtRest && wrongSide(pivotOf(motion), s.theta))
        control.fail(convergenceMessage());

    // The sine and cosine of the start, which the last step formed for its end.
    const Trig startTrig = previous.theta != 0.0 ? sinCosOf(previous.theta) : Trig{};

    // 7, 9. Overturning safety factor and position of the resultant.
    const Trig end = trigAt(s.theta, av);
    const double toPercent = mToPercent;
    double overturning;
    double position;
    if (motion == RockingMotion::AtRest) {
        if (!startedAtRest) {
            // The block came to rest during the step: it now rests under the step's loads.
            toe = mEquations.restMomentsToe(ag, av);
            heel = mEquations.restMomentsHeel(ag, av);
            momentUp = heel.total();
            momentDown = toe.total();
            resultantArm = normal == 0.0 ? 0.0 : momentUp / normal;
        }
        overturning = restFactor(heel, toe);
        position = resultantArm * toPercent;
    } else {
        const MomentSums m = mEquations.rockingMoments(pivot, end.s, end.c, ag, av, end.water);
        overturning = rockingFactor(pivot, m);
        if (pivot == RockingPivot::Heel)
            position = -m.total() / normal * toPercent;
        else
            position = (1.0 - m.total() / normal * toPercent / 100.0) * 100.0;
    }
    if (normal == 0.0)
        position = 50.0;
    mResultantArm = finiteOr(resultantArm, 0.0);
    factors.overturning = finiteOr(overturning, kMaxOverturningFactor);
    factors.resultantPosition = finiteOr(position, 50.0);
    mLastMomentUp = momentUp;
    mLastMomentDown = momentDown;

    // 10. Energy terms.
    const double ahMean = (g.agPrev + g.ag) / 2.0;
    const double avMean = (g.avPrev + g.av) / 2.0;
    const double groundWork =
        mBody.totalMass() * (ahMean * (g.dg - g.dgPrev) + avMean * (g.dv - g.dvPrev));
    accumulate(energy.E0, groundWork);
    if (first.end.theta != first.theta0 && (rocking || impact)) {
        // The motion about the pivot the step began with (up to the impact, if any).
        const Trig firstEnd = impact ? trigAt(first.end.theta, integrator.avAt(first.t1)) : end;
        addWork(first, integrator, startTrig, firstEnd, energy);
    }
    if (bounced) {
        addWork(second, integrator, Trig{}, end, energy);
    }
    setStateEnergies(motion, s, g, end, energy);

    mMotion = motion;
    next.theta = s.theta;
    next.omega = s.omega;
    next.alpha = s.alpha;
    if (mDebug != nullptr) {
        mDebug->scientific(s.theta);
        mDebug->scientific(s.omega);
        mDebug->scientific(s.alpha);
        mDebug->endLine();
    }
}

} // namespace quibel
