// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/run/sample_energy_errors.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace quibel {

namespace {

// The larger of two errors; a NaN stays.
double larger(double sofar, double error) noexcept {
    return std::isnan(sofar) || std::isnan(error) ? std::numeric_limits<double>::quiet_NaN()
                                                  : std::max(sofar, error);
}

LargestEnergyErrors larger(LargestEnergyErrors a, const RunStatus& s) noexcept {
    return {larger(a.absolute, s.absoluteEnergyError), larger(a.relative, s.relativeEnergyError)};
}

double largestMagnitude(const TVector& series) noexcept {
    double p = 0.0;
    for (int i = 1; i <= series.size(); ++i)
        p = std::max(p, std::fabs(series.get(i)));
    return p;
}

// Whether sample's input energy is too small for its error to mean anything.
bool negligible(const std::optional<TVector>& input, double largest, int sample) noexcept {
    if (!input || sample > input->size())
        return false;
    return std::fabs(input->get(sample)) < kNegligibleInputShare * largest;
}

} // namespace

void SampleEnergyErrors::add(const RunStatus& status) {
    if (status.sample < 1) {
        mUnplaced = larger(mUnplaced, status);
        return;
    }
    const auto slot = static_cast<std::size_t>(status.sample - 1);
    if (slot >= mBySample.size())
        mBySample.resize(slot + 1);
    mBySample[slot] = larger(mBySample[slot], status);
}

LargestEnergyErrors SampleEnergyErrors::largest(const TBlocStatic& model) const {
    const double absoluteInput =
        model.AbsInputEnergy ? largestMagnitude(*model.AbsInputEnergy) : 0.0;
    const double relativeInput =
        model.RelInputEnergy ? largestMagnitude(*model.RelInputEnergy) : 0.0;
    LargestEnergyErrors out = mUnplaced;
    int sample = 1;
    for (const LargestEnergyErrors& e : mBySample) {
        if (!negligible(model.AbsInputEnergy, absoluteInput, sample))
            out.absolute = larger(out.absolute, e.absolute);
        if (!negligible(model.RelInputEnergy, relativeInput, sample))
            out.relative = larger(out.relative, e.relative);
        ++sample;
    }
    return out;
}

} // namespace quibel
