// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/sliding_rocking/analysis.h"

#include "engine/run/step_loop.h"

#include <cmath>

namespace quibel {

namespace {

double balanceError(double input, double balance) noexcept {
    if (input == 0.0)
        return 0.0;
    return std::fabs(balance / input) * 100.0;
}

} // namespace

ResultSeriesSet SlidingRockingAnalysis::filledSeries() const noexcept {
    return seriesFilledBy(AnalysisKind::SlidingAndRocking);
}

std::string_view SlidingRockingAnalysis::debugHeader() const noexcept {
    return "Mass;Xc;Yc;Iup;Rup;TetaUp;Idown;Rdown;TetaDown;"
           "Load;Resistance;Normal;Hs;Hdr;Hds;Fv;AddedForce.Hor;AddedForce.vert;"
           "MomentUp;MwUp;AddedForce.Moment.Up.Hor;AddedForce.Moment.Up.Vert;MhdrUp;MhdsUp;"
           "MomentDown;MwDown;AddedForce.Moment.Down.Hor;AddedForce.Moment.Down.Vert;MhdrDown;"
           "MhdsDown;"
           "Ia;Ir;W;Ka;Kr;D;F;P;EBEa;EBEr;s;sp;spp;r;rp;rpp;state";
}

void SlidingRockingAnalysis::prepare(const RunContext& context) {
    mModel = &context.model;
    mStep.emplace(context);
    mEnergyZeroed = context.model.Options.Translational == 0;
    mWatch.start(context.model);
}

void SlidingRockingAnalysis::step(const StepInput& input, const BlockMotion& previous,
                                  BlockMotion& next, EnergyTerms& energy, SafetyFactors& factors,
                                  RunControl& control) {
    mStep->step(input, previous, next, energy, factors, control);
    if (mEnergyZeroed)
        energy = EnergyTerms{};
}

std::int64_t SlidingRockingAnalysis::runSteps(const StepLoopParts& parts) {
    return RunStepLoop(parts, *this);
}

SafetyFactors SlidingRockingAnalysis::restFactors(const StepInput& atStart) const {
    return mStep->restFactors(atStart);
}

void SlidingRockingAnalysis::afterStep(const BlockMotion& current, RunControl& control) {
    const MotionMode mode = mStep->mode();
    switch (mWatch.passed(current.theta, isHeelMode(mode), isToeMode(mode))) {
    case CriticalSide::Heel:
        control.ask({Message("engine.sliding_rocking.excessive_upstream"), QuestionButtons::NoOk});
        break;
    case CriticalSide::Toe:
        control.ask(
            {Message("engine.sliding_rocking.excessive_downstream"), QuestionButtons::NoOk});
        break;
    case CriticalSide::None:
        break;
    }
}

EnergyErrors SlidingRockingAnalysis::energyErrors(const EnergyTerms& e) const noexcept {
    const double spent = e.E6 + e.E7 + e.E4;
    return {balanceError(e.E0, e.E0 + e.E5 - e.E2 - spent),
            balanceError(e.E1, e.E1 + e.E5 - e.E3 - spent)};
}

void SlidingRockingAnalysis::finish() {
    if (mModel)
        mWatch.store(*mModel);
    mStep.reset();
}

} // namespace quibel
