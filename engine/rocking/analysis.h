// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/rocking/step.h"
#include "engine/run/analysis_step.h"
#include "engine/run/critical_rotation.h"

#include <memory>

namespace quibel {

/// The rocking analysis in the run driver: its checks, series, energy errors, RockingStep and
/// the excessive-rotation question.
///
/// Its wording of the driver's checks: "engine.rocking.massless" and
/// "engine.rocking.no_histories". The critical angles of the block (criticalAngles of the
/// model) are kept for the run and written into ThetaUp and ThetaDown when it ends, for the
/// computed-data report. After each step, at most once per run, the run asks
/// "engine.rocking.excessive_rotation" when the block rocks about the heel beyond ThetaUp + pi/8 or
/// about the toe beyond ThetaDown + pi/8.
class RockingAnalysis final : public AnalysisStep {
public:
    SharedCheckKeys sharedCheckKeys() const noexcept override {
        return {"engine.rocking.massless", "engine.rocking.no_histories"};
    }
    ResultSeriesSet filledSeries() const noexcept override {
        return seriesFilledBy(AnalysisKind::Rocking);
    }
    std::string_view debugHeader() const noexcept override;
    void prepare(const RunContext& context) override;
    void step(const StepInput& input, const BlockMotion& previous, BlockMotion& next,
              EnergyTerms& energy, SafetyFactors& factors, RunControl& control) override;
    std::int64_t runSteps(const StepLoopParts& parts) override;
    /// The overturning factor and resultant position of the block at rest (RockingStep).
    SafetyFactors restFactors(const StepInput& atStart) const override;
    void afterStep(const BlockMotion& current, RunControl& control) override;
    /// Absolute: |(E0 + E5 - E2 - E6 - E7) / E0| x 100, relative: |(E1 + E5 - E3 - E6 - E7) /
    /// E1| x 100; each 0 while its denominator is 0.
    EnergyErrors energyErrors(const EnergyTerms& energy) const noexcept override;
    void finish() override;

private:
    std::unique_ptr<RockingStep> mStep;
    TBlocStatic* mModel = nullptr;
    CriticalRotationWatch mWatch;
};

} // namespace quibel
