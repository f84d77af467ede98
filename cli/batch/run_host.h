// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/run/run_host.h"
#include "engine/run/sample_energy_errors.h"

#include <vector>

namespace quibel::cli {

/// The host of one case of a batch: it shows nothing and keeps what the run says, for the
/// summary. Every question is answered by the policy, as `quibel-cli run --on-question` does.
class BatchRunHost final : public RunHost {
public:
    explicit BatchRunHost(QuestionAnswer policy) noexcept : mPolicy(policy) {}

    void showMessage(MessageKind kind, const Message& message) override;
    QuestionAnswer ask(const RunQuestion& question) override;
    void progress(int) override {}
    void status(const RunStatus& status) override;
    void stepsDone(const StepExtremes& extremes) override { mExtremes = extremes; }
    bool stopRequested() override { return false; }
    bool canRequestStop() const noexcept override { return false; }

    /// The first error message (a check that refused the run), if any.
    const Message* firstError() const noexcept { return mErrors.empty() ? nullptr : &mErrors[0]; }
    /// Warnings and questions in the order they came, each once.
    const std::vector<Message>& remarks() const noexcept { return mRemarks; }
    /// The energy errors of the progress display at each output sample.
    const SampleEnergyErrors& energyErrors() const noexcept { return mEnergyErrors; }

    /// Extremes over every step of the run: largest |sliding displacement| (project length
    /// unit) and |rotation| (rad), smallest sliding and overturning safety factors. 0 and
    /// +infinity before the first step.
    double peakSliding() const noexcept { return mExtremes.peakSliding; }
    double peakRotation() const noexcept { return mExtremes.peakRotation; }
    double smallestSlidingFactor() const noexcept { return mExtremes.smallestSlidingFactor; }
    double smallestOverturningFactor() const noexcept {
        return mExtremes.smallestOverturningFactor;
    }
    bool anyStep() const noexcept { return mExtremes.anyStep; }

private:
    void remark(const Message& message);

    QuestionAnswer mPolicy;
    std::vector<Message> mErrors;
    std::vector<Message> mRemarks;
    SampleEnergyErrors mEnergyErrors;
    StepExtremes mExtremes;
};

} // namespace quibel::cli
