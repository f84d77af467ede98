// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/sliding/step.h"

#include "engine/loads/hydrostatic_loads.h"
#include "engine/run/rest_step.h"

#include <algorithm>
#include <cmath>

namespace quibel {

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

SafetyFactors SlidingStep::restFactors(const StepInput& atStart) const {
    SlidingStep probe = *this;
    probe.mDebug = nullptr;
    probe.mMotion = SlidingMotionState::Stuck;
    return restStepFactors(probe, atStart);
}

} // namespace quibel
