// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/run/run_host.h"
#include "numeric/message.h"

namespace quibel {

/// Why a run ended before its last step.
enum class StopCause {
    None,        ///< it did not stop early
    Host,        ///< the host asked it to stop (stop button)
    Question,    ///< a question was answered with OK
    StepFailure, ///< a step could not go on (convergence problem, inconsistent motion mode)
};

/// What a step function may do to its run: show a message, ask a question, end the run. It
/// replaces the program-wide "analysis running" flag: the run ends after the step during
/// which the stop was asked for, and keeps the samples stored so far.
class RunControl final {
public:
    explicit RunControl(RunHost& host) noexcept : mHost(host) {}

    /// True until something asked the run to stop.
    bool running() const noexcept { return mCause == StopCause::None; }

    /// Shows a message (the run goes on).
    void showMessage(MessageKind kind, const Message& message) { mHost.showMessage(kind, message); }

    /// Asks the host. A Stop answer (OK) ends the run after the current step.
    QuestionAnswer ask(const RunQuestion& question) {
        const QuestionAnswer answer = mHost.ask(question);
        if (answer == QuestionAnswer::Stop)
            requestStop(StopCause::Question, question.message);
        return answer;
    }

    /// Shows message as a warning and ends the run after the current step: the step cannot go
    /// on (for example "Convergence problem.  Please use a smaller analysis time step.").
    void fail(const Message& message) {
        mHost.showMessage(MessageKind::Warning, message);
        requestStop(StopCause::StepFailure, message);
    }

    /// Ends the run after the current step. The first cause is kept.
    void requestStop(StopCause cause, const Message& why = {}) {
        if (mCause != StopCause::None)
            return;
        mCause = cause;
        mWhy = why;
    }

    StopCause stopCause() const noexcept { return mCause; }
    /// The question or failure message that stopped the run (empty key otherwise).
    const Message& stopMessage() const noexcept { return mWhy; }

private:
    RunHost& mHost;
    StopCause mCause = StopCause::None;
    Message mWhy;
};

} // namespace quibel
