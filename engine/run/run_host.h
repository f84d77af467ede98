// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "numeric/message.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

namespace quibel {

/// How a message of a run is shown: the icon of its message box. Every one has one OK button.
enum class MessageKind { Error, Warning, Information };

/// The two buttons a question of a run offers. In both pairs OK ends the analysis; the other
/// button (No, Cancel) lets it go on.
enum class QuestionButtons { NoOk, OkCancel };

/// The host's answer to a question of a run.
enum class QuestionAnswer {
    Continue, ///< No or Cancel: the run goes on
    Stop,     ///< OK: the run ends after the current step, keeping its samples
};

/// A question asked during a run (kinetic energy gained at an impact, excessive rotation, loss
/// of contact...). The text is a catalogue message; the buttons say how to present it.
struct RunQuestion final {
    Message message;
    QuestionButtons buttons = QuestionButtons::NoOk;
};

/// What the progress window shows at an output sample. Values are those just stored in the
/// result series, so they are in the project's units.
struct RunStatus final {
    double time = 0.0;                ///< analysis time of the sample, s
    double slidingDisplacement = 0.0; ///< length unit of the project
    double rotation = 0.0;            ///< rad
    double absoluteEnergyError = 0.0; ///< %
    double relativeEnergyError = 0.0; ///< %
    /// Set once either error has exceeded 5 % during the run and never cleared before its end:
    /// the host then shows the two lines "engine.energy_error_high" and
    /// "engine.reduce_time_step".
    bool energyErrorHigh = false;
    int sample = 1; ///< index of the sample in the result series (1 = time 0)
};

/// The figures of one integration step, in the units of the result series (the project's).
struct StepFigures final {
    double slidingDisplacement = 0.0; ///< length unit of the project
    double rotation = 0.0;            ///< rad
    double slidingSafetyFactor = 0.0;
    double overturningSafetyFactor = 0.0;
};

/// The extremes of a run over every integration step, stored or not: the values that fall
/// between two samples. 0 and +infinity before the first step.
struct StepExtremes final {
    double peakSliding = 0.0;  ///< largest |sliding displacement|, length unit of the project
    double peakRotation = 0.0; ///< largest |rotation|, rad
    double smallestSlidingFactor = std::numeric_limits<double>::infinity();
    double smallestOverturningFactor = std::numeric_limits<double>::infinity();
    bool anyStep = false;

    /// Takes in the figures of one more step.
    void add(const StepFigures& f) noexcept {
        anyStep = true;
        peakSliding = std::max(peakSliding, std::fabs(f.slidingDisplacement));
        peakRotation = std::max(peakRotation, std::fabs(f.rotation));
        smallestSlidingFactor = std::min(smallestSlidingFactor, f.slidingSafetyFactor);
        smallestOverturningFactor = std::min(smallestOverturningFactor, f.overturningSafetyFactor);
    }
};

/// The side of a run that talks to the user: a progress window, the command-line tool, a batch
/// of runs. The run calls it on the thread that runs the analysis and never keeps any of the
/// references it passes.
class RunHost {
public:
    virtual ~RunHost() = default;

    /// Maximum of the progress position.
    static constexpr int kProgressMaximum = 234;
    /// Steps between two polls of stopRequested(): a few microseconds even for the slowest step.
    static constexpr std::int64_t kStopPollSteps = 64;

    /// A message of the checks before the run or of the run itself (the debug file that cannot
    /// be created, a convergence problem). The run waits until the host returns.
    virtual void showMessage(MessageKind kind, const Message& message) = 0;

    /// A question during the run; the run waits for the answer.
    virtual QuestionAnswer ask(const RunQuestion& question) = 0;

    /// The progress position, 0..kProgressMaximum: round(kProgressMaximum x i / N) after step
    /// i of N. Called only when the position changes, and with 0 when the run has ended.
    virtual void progress(int position) = 0;

    /// The status values after every output sample stored by a step (once per
    /// Options.SaveStep of analysis time; the sample at time 0 is not reported).
    virtual void status(const RunStatus& status) = 0;

    /// Once the steps have ended (after the last one, a stop or a failure), with the extremes
    /// over all of them: for the hosts that sum up a run. The run forms them itself, so that
    /// no step calls the host for them. Does nothing unless overridden.
    virtual void stepsDone(const StepExtremes& /*extremes*/) {}

    /// Polled after every kStopPollSteps integration steps; true ends the run after the step
    /// just completed, keeping the samples stored so far (the stop button). A desktop host may
    /// process its pending window events here, as often as it sees fit.
    virtual bool stopRequested() = 0;

    /// False for a host whose stopRequested() is always false: the run then does not poll it
    /// between steps.
    virtual bool canRequestStop() const noexcept { return true; }
};

/// A host that shows nothing, answers every question with Continue and never stops the run:
/// for runs no one watches (benchmarks, tests, a step made only for its safety values). It keeps
/// the messages of the checks and of the run for a caller that wants to read them.
class SilentRunHost final : public RunHost {
public:
    std::vector<Message> messages;

    void showMessage(MessageKind, const Message& message) override { messages.push_back(message); }
    QuestionAnswer ask(const RunQuestion&) override { return QuestionAnswer::Continue; }
    void progress(int) override {}
    void status(const RunStatus&) override {}
    bool stopRequested() override { return false; }
    bool canRequestStop() const noexcept override { return false; }
};

} // namespace quibel
