#pragma once

#include "engine/run/run_host.h"

#include <vector>

namespace quibel::test {

/// A run host for runs whose cost or results are measured rather than watched: it shows
/// nothing, answers every question with Continue and never asks the run to stop. The messages
/// of the checks and of the run are kept for a test that wants to read them.
class SilentRunHost final : public RunHost {
public:
    std::vector<Message> messages;

    void showMessage(MessageKind, const Message& message) override { messages.push_back(message); }
    QuestionAnswer ask(const RunQuestion&) override { return QuestionAnswer::Continue; }
    void progress(int) override {}
    void status(const RunStatus&) override {}
    bool stopRequested() override { return false; }
};

} // namespace quibel::test
