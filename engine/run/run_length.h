// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/run/analysis_step.h"
#include "model/analysis_options.h"
#include "model/project_record.h"

#include <cstdint>

namespace quibel {

/// The size of a run: how many integration steps, how often a sample is stored and how many
/// samples the result series hold.
struct RunLength final {
    /// N: 1 + the duration of the longest defined history in time steps (nearest integer),
    /// at least 1.
    std::int64_t N = 1;
    /// Integration steps the run performs: N - 1, or N with StepTiming::FirstStepAtZero.
    std::int64_t steps = 0;
    /// k: round(SaveStep / TimeStep), at least 1: a sample after every k-th step.
    std::int64_t ratio = 1;
    /// Elements of every result series: steps div k + 1, the state at time 0 and one per k
    /// steps, so that every element holds a computed state.
    std::int64_t samples = 1;
};

/// The run length of model. Assumes a positive Options.TimeStep and Options.SaveStep (the
/// driver refuses a run otherwise). A history of a single sample, or one whose end is less than
/// half a time step, makes no step (N = 1).
RunLength ComputeRunLength(const TBlocStatic& model, StepTiming timing) noexcept;

/// Whether a run of this length can be held: at most 2^53 steps (so that step times stay exact
/// multiples of the time step) and result series of at most 2^31 - 1 elements.
bool RunLengthFits(const RunLength& length) noexcept;

/// Time between two stored samples, s: Options.SaveStep when it is a whole number of time
/// steps, otherwise k x Options.TimeStep (for example the time step itself when SaveStep is
/// smaller), which is when the samples really lie. Sample j is at (j - 1) x SampleInterval.
double SampleInterval(const AnalysisOptions& options) noexcept;

/// x rounded to the nearest integer, halves away from zero.
std::int64_t nearestInteger(double x) noexcept;

} // namespace quibel
