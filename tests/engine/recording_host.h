// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/run/run_host.h"

#include <functional>
#include <vector>

namespace quibel::test {

/// A run host that records everything the run tells it and answers every question with a
/// fixed answer. stopAfterPolls > 0 asks the run to stop at that poll.
class RecordingHost final : public RunHost {
public:
    struct Shown {
        MessageKind kind;
        Message message;
    };

    std::vector<Shown> messages;
    std::vector<RunQuestion> questions;
    std::vector<int> positions;
    std::vector<RunStatus> statuses;
    long polls = 0;
    long stopAfterPolls = 0;
    QuestionAnswer answer = QuestionAnswer::Continue;

    void showMessage(MessageKind kind, const Message& message) override {
        messages.push_back({kind, message});
    }
    QuestionAnswer ask(const RunQuestion& question) override {
        questions.push_back(question);
        return answer;
    }
    void progress(int position) override { positions.push_back(position); }
    void status(const RunStatus& s) override { statuses.push_back(s); }
    bool stopRequested() override { return ++polls == stopAfterPolls; }
};

} // namespace quibel::test
