// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/run/run_driver.h"
#include "engine/run/run_host.h"
#include "engine/run/sample_energy_errors.h"

#include <vector>

namespace quibel {

/// A message or a question of a run as the report tells it.
struct ReportRunEvent final {
    Message message;
    MessageKind kind = MessageKind::Warning;
    bool question = false;
    QuestionAnswer answer = QuestionAnswer::Continue; ///< what the host answered a question
    double time = 0.0; ///< s, the last output sample reported before it (0 before any)
};

/// What a run said and how it ended, for the report of its results.
struct ReportRunLog final {
    RunOutcome outcome;
    double endTime = 0.0; ///< s, the last output sample reported
    std::vector<ReportRunEvent> events;
    SampleEnergyErrors energyErrors; ///< the progress display's errors at every output sample
};

/// A host that passes everything on to host and keeps in log what the run says, the answers
/// host gives and the energy errors of every sample. The caller sets log.outcome when the run ends.
class RecordingRunHost final : public RunHost {
public:
    RecordingRunHost(RunHost& host, ReportRunLog& log) noexcept : mHost(host), mLog(log) {}

    void showMessage(MessageKind kind, const Message& message) override;
    QuestionAnswer ask(const RunQuestion& question) override;
    void progress(int position) override { mHost.progress(position); }
    void status(const RunStatus& status) override;
    void stepsDone(const StepExtremes& extremes) override { mHost.stepsDone(extremes); }
    bool stopRequested() override { return mHost.stopRequested(); }

private:
    RunHost& mHost;
    ReportRunLog& mLog;
};

/// The largest absolute and relative energy errors (%) of the progress display over the run,
/// leaving out the samples whose input energy is negligible (SampleEnergyErrors::largest).
inline LargestEnergyErrors LargestRunEnergyErrors(const TBlocStatic& model,
                                                  const ReportRunLog& log) {
    return log.energyErrors.largest(model);
}

} // namespace quibel
