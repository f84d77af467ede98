// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/run/analysis_step.h"
#include "engine/sliding/step.h"

#include <optional>

namespace quibel {

/// The sliding analysis in the run driver: its checks, series, energy errors and SlidingStep.
///
/// Checks, in order: a block without mass (the driver's, worded "The bloc is massless!"), a
/// plane steeper than the static friction angle (warning; the block will slide from the first
/// step), no time history defined (the driver's).
class SlidingAnalysis final : public AnalysisStep {
public:
    SharedCheckKeys sharedCheckKeys() const noexcept override {
        return {"engine.sliding.massless", "engine.sliding.no_histories"};
    }
    std::vector<RunCheck> check(const TBlocStatic& model) const override;
    ResultSeriesSet filledSeries() const noexcept override {
        return seriesFilledBy(AnalysisKind::Sliding);
    }
    std::string_view debugHeader() const noexcept override;
    void prepare(const RunContext& context) override;
    // Inline in the run's loop (runSteps), so that the block's state stays in registers.
    [[gnu::always_inline]] void step(const StepInput& input, const BlockMotion& previous,
                                     BlockMotion& next, EnergyTerms& energy, SafetyFactors& factors,
                                     RunControl& control) override {
        mStep->step(input, previous, next, energy, factors, control);
    }
    /// step() in a run without a debug file, its columns compiled out (see StepLoop).
    [[gnu::always_inline]] void stepWithoutDebug(const StepInput& input,
                                                 const BlockMotion& previous, BlockMotion& next,
                                                 EnergyTerms& energy, SafetyFactors& factors,
                                                 RunControl& control) {
        mStep->step<false>(input, previous, next, energy, factors, control);
    }
    std::int64_t runSteps(const StepLoopParts& parts) override;
    /// The factor of a step from rest that the block does not leave (resistance over load).
    SafetyFactors restFactors(const StepInput& atStart) const override;
    /// Absolute: |(E0 + E5 - E2 - E4 - E7) / (E0 + E5)| x 100, relative the same with E1 and
    /// E3; 0 while no seismic energy has entered (E0 or E1 is 0) or the denominator is 0.
    EnergyErrors energyErrors(const EnergyTerms& energy) const noexcept override;
    void finish() override { mStep.reset(); }

private:
    std::optional<SlidingStep> mStep;
};

} // namespace quibel
