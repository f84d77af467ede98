// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/sliding/analysis.h"

#include "engine/run/step_loop.h"

#include <cmath>

namespace quibel {

namespace {

double balanceError(double input, double preseismic, double spent) noexcept {
    const double supplied = input + preseismic;
    if (input == 0.0 || supplied == 0.0)
        return 0.0;
    return std::fabs((supplied - spent) / supplied) * 100.0;
}

} // namespace

std::vector<RunCheck> SlidingAnalysis::check(const TBlocStatic& model) const {
    std::vector<RunCheck> failed;
    if (std::fabs(model.Beta) > std::fabs(model.PhiS))
        failed.push_back({MessageKind::Warning, Message("engine.sliding.friction_below_slope")});
    return failed;
}

std::string_view SlidingAnalysis::debugHeader() const noexcept {
    return "Mass;Load;Resistance;Normal;Hs;Hds;Fv;AddedForce.Hor;AddedForce.vert;s;sp;spp";
}

void SlidingAnalysis::prepare(const RunContext& context) {
    mStep.emplace(context);
}

std::int64_t SlidingAnalysis::runSteps(const StepLoopParts& parts) {
    return RunStepLoop(parts, *this);
}

SafetyFactors SlidingAnalysis::restFactors(const StepInput& atStart) const {
    return mStep->restFactors(atStart);
}

EnergyErrors SlidingAnalysis::energyErrors(const EnergyTerms& e) const noexcept {
    return {balanceError(e.E0, e.E5, e.E2 + e.E4 + e.E7),
            balanceError(e.E1, e.E5, e.E3 + e.E4 + e.E7)};
}

} // namespace quibel
