#pragma once

// The host of the benchmarks' runs: it shows nothing and never stops a run.
#include "engine/run/run_host.h"

namespace quibel::bench {

class SilentHost final : public RunHost {
public:
    void showMessage(MessageKind, const Message&) override {}
    QuestionAnswer ask(const RunQuestion&) override { return QuestionAnswer::Continue; }
    void progress(int) override {}
    void status(const RunStatus&) override {}
    bool stopRequested() override { return false; }
};

} // namespace quibel::bench
