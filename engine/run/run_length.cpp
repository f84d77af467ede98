// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/run/run_length.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace quibel {

namespace {
// Beyond 2^53 consecutive integers are no longer all doubles: the step count and the step
// times could not be formed exactly.
constexpr double kMaxSteps = 9007199254740992.0;
} // namespace

std::int64_t nearestInteger(double x) noexcept {
    if (!(std::fabs(x) < 9.0e18))
        return x > 0 ? INT64_MAX : (x < 0 ? INT64_MIN : 0);
    return std::llround(x);
}

RunLength ComputeRunLength(const TBlocStatic& model, StepTiming timing) noexcept {
    const double dt = model.Options.TimeStep;
    // Counted in doubles so that an absurd duration cannot overflow before it is refused.
    double n = 1.0;
    for (const TimeHistoryRecord& h : model.Histories) {
        if (h.Source == HistorySource::Undefined)
            continue;
        const double candidate = std::round(h.Duration / dt) + 1.0;
        if (candidate > n) // also false for NaN
            n = candidate;
    }
    n = std::min(n, kMaxSteps + 2.0);
    RunLength length;
    length.N = static_cast<std::int64_t>(n);
    length.steps = timing == StepTiming::FirstStepAtZero ? length.N : length.N - 1;
    const double ratio = std::round(model.Options.SaveStep / dt);
    length.ratio = ratio >= 1.0 ? static_cast<std::int64_t>(std::min(ratio, kMaxSteps)) : 1;
    length.samples = length.steps / length.ratio + 1;
    return length;
}

bool RunLengthFits(const RunLength& length) noexcept {
    return length.steps <= static_cast<std::int64_t>(kMaxSteps) && length.samples <= INT_MAX;
}

double SampleInterval(const AnalysisOptions& options) noexcept {
    const double dt = options.TimeStep;
    const double save = options.SaveStep;
    if (!(dt > 0.0) || !std::isfinite(dt))
        return save;
    const double ratio = std::max(1.0, std::round(save / dt));
    const double interval = ratio * dt;
    // A save step that is a whole number of time steps keeps its own value, so that the time
    // axis reads 0.01, 0.02... and not the product's last-digit noise.
    if (std::fabs(interval - save) <= 1e-9 * std::fabs(save))
        return save;
    return interval;
}

} // namespace quibel
