#include "engine/sliding/analysis.h"

#include <cmath>

namespace quibel {

namespace {

bool anyHistoryDefined(const TBlocStatic& model) noexcept {
    for (const TimeHistoryRecord& h : model.Histories)
        if (h.Source != HistorySource::Undefined)
            return true;
    return false;
}

double balanceError(double input, double preseismic, double spent) noexcept {
    const double supplied = input + preseismic;
    if (input == 0.0 || supplied == 0.0)
        return 0.0;
    return std::fabs((supplied - spent) / supplied) * 100.0;
}

} // namespace

std::vector<RunCheck> SlidingAnalysis::check(const TBlocStatic& model) const {
    std::vector<RunCheck> failed;
    // A negative or undefined mass is refused like a zero one: the motion has no meaning.
    if (!(model.M > 0.0))
        failed.push_back({MessageKind::Error, Message("engine.sliding.massless")});
    if (std::fabs(model.Beta) > std::fabs(model.PhiS))
        failed.push_back({MessageKind::Warning, Message("engine.sliding.friction_below_slope")});
    if (!anyHistoryDefined(model))
        failed.push_back({MessageKind::Error, Message("engine.sliding.no_histories")});
    return failed;
}

std::string_view SlidingAnalysis::debugHeader() const noexcept {
    return "Mass;Load;Resistance;Normal;Hs;Hds;Fv;AddedForce.Hor;AddedForce.vert;s;sp;spp";
}

void SlidingAnalysis::prepare(const RunContext& context) {
    mModel = &context.model;
    mDebug = context.debug;
    mSetup = MakeSlidingSetup(context.model, context.loads, context.added);
}

void SlidingAnalysis::step(const StepInput& input, const BlockMotion& previous, BlockMotion& next,
                           EnergyTerms& energy, SafetyFactors& factors, RunControl& control) {
    (void)control;
    SlidingStep(mSetup, mModel->MotionState, previous, next, energy, factors.sliding, input.ground,
                input.Fh, input.Fv, input.dt, mDebug);
}

SafetyFactors SlidingAnalysis::restFactors(const StepInput& atStart) const {
    // A step from rest on scratch values: its factor is formed before the block moves.
    auto state = static_cast<std::uint8_t>(SlidingMotionState::Stuck);
    BlockMotion next;
    EnergyTerms energy;
    SafetyFactors factors;
    SlidingStep(mSetup, state, BlockMotion{}, next, energy, factors.sliding, atStart.ground,
                atStart.Fh, atStart.Fv, atStart.dt, nullptr);
    return factors;
}

EnergyErrors SlidingAnalysis::energyErrors(const EnergyTerms& e) const noexcept {
    return {balanceError(e.E0, e.E5, e.E2 + e.E4 + e.E7),
            balanceError(e.E1, e.E5, e.E3 + e.E4 + e.E7)};
}

} // namespace quibel
