// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/run/run_host.h"
#include "model/project_record.h"

#include <deque>

namespace quibel {

/// Share of the largest input energy of a run below which a sample's energy errors are left
/// out of the run's largest: there the ratio is a difference of rounding errors over almost
/// nothing.
inline constexpr double kNegligibleInputShare = 1e-6;

/// The largest absolute and relative energy errors of a run, %.
struct LargestEnergyErrors final {
    double absolute = 0.0;
    double relative = 0.0;
};

/// The energy errors of the progress display at every stored sample of a run, kept until the
/// run's input energies are known to find the largest that mean something. Only the two errors
/// are kept, 16 bytes a sample: a run of millions of samples must not hold every status.
class SampleEnergyErrors final {
public:
    /// Takes in the errors of status.sample; a sample reported twice keeps the larger of each.
    void add(const RunStatus& status);

    /// The largest errors over the samples whose input energy (the error's denominator:
    /// AbsInputEnergy, RelInputEnergy of model) is at least kNegligibleInputShare of its
    /// largest magnitude; a sample outside the series, or a model without it, always counts.
    /// A NaN error of a sample that counts (a balance that diverged) gives NaN.
    LargestEnergyErrors largest(const TBlocStatic& model) const;

private:
    // Slot k holds sample k + 1; samples never reported read as 0, which no error is below.
    std::deque<LargestEnergyErrors> mBySample;
    LargestEnergyErrors mUnplaced; // samples numbered below 1
};

} // namespace quibel
