// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/run/analysis_step.h"
#include "engine/run/critical_rotation.h"
#include "engine/sliding_rocking/step.h"

#include <optional>

namespace quibel {

/// The sliding-and-rocking analysis in the run driver: its checks, its seventeen series, its
/// debug header, SlidingRockingStep, its energy errors and the excessive-rotation question.
///
/// Its wording of the driver's checks: "Block is massless!" and "No time histories defined!".
/// The first step is at time 0. The critical angles of the block (criticalAngles of the model)
/// are kept for the run and written into ThetaUp and ThetaDown when it ends. When the translational
/// hydrodynamic pressures are considered (Options.Translational 0) the energy terms are not formed:
/// they are 0 after every step.
class SlidingRockingAnalysis final : public AnalysisStep {
public:
    SharedCheckKeys sharedCheckKeys() const noexcept override {
        return {"engine.sliding_rocking.massless", "engine.sliding_rocking.no_histories"};
    }
    ResultSeriesSet filledSeries() const noexcept override;
    std::string_view debugHeader() const noexcept override;
    StepTiming timing() const noexcept override { return StepTiming::FirstStepAtZero; }
    void prepare(const RunContext& context) override;
    void step(const StepInput& input, const BlockMotion& previous, BlockMotion& next,
              EnergyTerms& energy, SafetyFactors& factors, RunControl& control) override;
    std::int64_t runSteps(const StepLoopParts& parts) override;
    /// The factors a step from rest forms before the block moves, on scratch values and with
    /// its messages and questions dropped.
    SafetyFactors restFactors(const StepInput& atStart) const override;
    /// Once per run, at most: an excessive rotation about the heel (theta > ThetaUp + pi/8 in
    /// a heel mode) or about the toe (theta < -ThetaDown - pi/8 in a toe mode) asks whether
    /// to stop (No, OK).
    void afterStep(const BlockMotion& current, RunControl& control) override;
    /// |(Ia + W - Ka - D - P - F) / Ia| x 100 and the same with Ir and Kr; 0 while the input
    /// energy is 0.
    EnergyErrors energyErrors(const EnergyTerms& energy) const noexcept override;
    void finish() override;

private:
    TBlocStatic* mModel = nullptr;
    std::optional<SlidingRockingStep> mStep;
    bool mEnergyZeroed = false; ///< Options.Translational 0
    CriticalRotationWatch mWatch;
};

} // namespace quibel
