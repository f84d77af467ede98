// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/batch/run_figures.h"

#include <algorithm>
#include <cmath>

namespace quibel::cli {

void CollectRunFigures(const TBlocStatic& model, const BatchRunHost& host, CaseResult& r) {
    const LargestEnergyErrors errors = host.energyErrors().largest(model);
    r.maxAbsoluteEnergyError = errors.absolute;
    r.maxRelativeEnergyError = errors.relative;
    if (model.SlidingDisp) {
        // Sample 1 is the start, before any step.
        r.peakSliding = std::max(std::fabs(model.SlidingDisp->get(1)), host.peakSliding());
        r.residualSliding = model.SlidingDisp->get(model.SlidingDisp->size());
    }
    if (model.Rotation)
        r.peakRotation = std::max(std::fabs(model.Rotation->get(1)), host.peakRotation());
    // Sample 1, the block at rest before the first step, holds no factor.
    if (!host.anyStep())
        return;
    if (model.SlidingSF)
        r.minSlidingSF = host.smallestSlidingFactor();
    if (model.OverturningSF)
        r.minOverturningSF = host.smallestOverturningFactor();
}

} // namespace quibel::cli
