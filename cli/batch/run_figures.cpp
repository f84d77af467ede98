// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/batch/run_figures.h"

#include <algorithm>
#include <cmath>

namespace quibel::cli {

namespace {

double largestMagnitude(const TVector& series) {
    double p = 0.0;
    for (int i = 1; i <= series.size(); ++i)
        p = std::max(p, std::fabs(series.get(i)));
    return p;
}

// The larger of two errors; a NaN (a balance that diverged) stays for the rest of the run.
double larger(double sofar, double error) {
    return std::isnan(sofar) || std::isnan(error) ? std::nan("") : std::max(sofar, error);
}

// Whether the input energy at sample is too small for its error to mean anything; without the
// series every sample counts.
bool negligible(const std::optional<TVector>& input, double largest, int sample) {
    if (!input || sample < 1 || sample > input->size())
        return false;
    return std::fabs(input->get(sample)) < kNegligibleInputShare * largest;
}

void collectEnergyErrors(const TBlocStatic& model, const BatchRunHost& host, CaseResult& r) {
    const double largestAbsolute =
        model.AbsInputEnergy ? largestMagnitude(*model.AbsInputEnergy) : 0.0;
    const double largestRelative =
        model.RelInputEnergy ? largestMagnitude(*model.RelInputEnergy) : 0.0;
    for (const RunStatus& s : host.statuses()) {
        if (!negligible(model.AbsInputEnergy, largestAbsolute, s.sample))
            r.maxAbsoluteEnergyError = larger(r.maxAbsoluteEnergyError, s.absoluteEnergyError);
        if (!negligible(model.RelInputEnergy, largestRelative, s.sample))
            r.maxRelativeEnergyError = larger(r.maxRelativeEnergyError, s.relativeEnergyError);
    }
}

} // namespace

void CollectRunFigures(const TBlocStatic& model, const BatchRunHost& host, CaseResult& r) {
    collectEnergyErrors(model, host, r);
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
