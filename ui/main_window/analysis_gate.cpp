// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main_window/analysis_gate.h"

#include "engine/run/run_length.h"
#include "model/model_flags.h"
#include "model/result_series.h"

#include <bit>

namespace quibel {

namespace {
bool anyHistoryDefined(std::uint16_t f) noexcept {
    return hasFlag(f, ModelFlag::VerticalAccDefined) ||
           hasFlag(f, ModelFlag::HorizontalAccDefined) ||
           hasFlag(f, ModelFlag::VerticalForceDefined) ||
           hasFlag(f, ModelFlag::HorizontalForceDefined);
}
} // namespace

bool modelComplete(const TBlocStatic& model) noexcept {
    const std::uint16_t f = model.ModelFlags;
    return hasFlag(f, ModelFlag::GeometryComplete) && anyHistoryDefined(f);
}

std::vector<std::string_view> missingForAnalysis(const TBlocStatic& model) {
    std::vector<std::string_view> missing;
    if (!hasFlag(model.ModelFlags, ModelFlag::GeometryComplete))
        missing.push_back("ui.main.missing_geometry");
    if (!anyHistoryDefined(model.ModelFlags))
        missing.push_back("ui.main.missing_history");
    return missing;
}

ResultMemory resultMemory(const TBlocStatic& model) noexcept {
    const RunLength length = ComputeRunLength(model, StepTiming::FirstStepAtTimeStep);
    ResultMemory m;
    m.samples = length.samples;
    m.series = std::popcount(seriesFilledBy(model.AnalysisKind));
    m.bytes = m.samples * m.series * static_cast<std::int64_t>(sizeof(double));
    // Samples every q-th of the present ones: bytes / q must stay below the limit.
    const std::int64_t q = m.bytes / kLargeResultBytes + 1;
    m.sufficientSaveStep = static_cast<double>(q * length.ratio) * model.Options.TimeStep;
    return m;
}

bool resultsAvailable(const TBlocStatic& model) noexcept {
    if (!hasFlag(model.ModelFlags, ModelFlag::ResultsValid))
        return false;
    for (int s = 0; s < kResultSeriesCount; ++s)
        if (seriesSlot(model, static_cast<ResultSeries>(s)).has_value())
            return true;
    return false;
}

} // namespace quibel
