// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/rocking/analysis.h"

#include "engine/run/step_loop.h"

#include <cmath>

namespace quibel {

namespace {

double balanceError(double input, double remainder) noexcept {
    if (input == 0.0)
        return 0.0;
    const double error = std::fabs(remainder / input) * 100.0;
    return std::isfinite(error) ? error : 0.0;
}

} // namespace

std::string_view RockingAnalysis::debugHeader() const noexcept {
    // Nine names head the seven values of the first group (there are no "Iup" and "Idown"
    // values), so the columns after them are shifted against the header, as they always were.
    return "Mass;Xc;Yc;Iup;Rup;TetaUp;Idown;Rdown;TetaDown;"
           "Normal;Hs;Hdr;Hds;Fv;AddedForce.Hor;AddedForce.vert;"
           "MomentUp;MwUp;AddedForce.Moment.Up.Hor;AddedForce.Moment.Up.Vert;MhdrUp;MhdsUp;"
           "MomentDown;MwDown;AddedForce.Moment.Down.Hor;AddedForce.Moment.Down.Vert;MhdrDown;"
           "MhdsDown;r;rp;rpp";
}

void RockingAnalysis::prepare(const RunContext& context) {
    mModel = &context.model;
    mWatch.start(context.model);
    mStep = std::make_unique<RockingStep>(context);
}

SafetyFactors RockingAnalysis::restFactors(const StepInput& atStart) const {
    return mStep->restFactors(atStart);
}

void RockingAnalysis::step(const StepInput& input, const BlockMotion& previous, BlockMotion& next,
                           EnergyTerms& energy, SafetyFactors& factors, RunControl& control) {
    mStep->step(input, previous, next, energy, factors, control);
}

std::int64_t RockingAnalysis::runSteps(const StepLoopParts& parts) {
    return RunStepLoop(parts, *this);
}

void RockingAnalysis::afterStep(const BlockMotion& current, RunControl& control) {
    const RockingMotion motion = mStep->motion();
    if (mWatch.passed(current.theta, motion == RockingMotion::RockingUp,
                      motion == RockingMotion::RockingDown) != CriticalSide::None)
        control.ask(
            RunQuestion{Message("engine.rocking.excessive_rotation"), QuestionButtons::NoOk});
}

EnergyErrors RockingAnalysis::energyErrors(const EnergyTerms& e) const noexcept {
    return {balanceError(e.E0, e.E0 + e.E5 - e.E2 - e.E6 - e.E7),
            balanceError(e.E1, e.E1 + e.E5 - e.E3 - e.E6 - e.E7)};
}

void RockingAnalysis::finish() {
    if (mModel)
        mWatch.store(*mModel);
    if (mModel && mStep) {
        mModel->Ru = mStep->body().Ru;
        mModel->Rd = mStep->body().Rd;
    }
    mStep.reset();
}

} // namespace quibel
