#pragma once

#include "engine/run/run_host.h"

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
    bool stopRequested() override { return false; }

    /// The first error message (a check that refused the run), if any.
    const Message* firstError() const noexcept { return mErrors.empty() ? nullptr : &mErrors[0]; }
    /// Warnings and questions in the order they came, each once.
    const std::vector<Message>& remarks() const noexcept { return mRemarks; }
    /// Largest absolute and relative energy errors of the progress display over the run, %;
    /// NaN once an error was NaN.
    double largestAbsoluteEnergyError() const noexcept { return mAbsolute; }
    double largestRelativeEnergyError() const noexcept { return mRelative; }

private:
    void remark(const Message& message);

    QuestionAnswer mPolicy;
    std::vector<Message> mErrors;
    std::vector<Message> mRemarks;
    double mAbsolute = 0.0;
    double mRelative = 0.0;
};

} // namespace quibel::cli
