// SPDX-License-Identifier: GPL-3.0-or-later
#include "documents/report_run_log.h"
#include "tests/support/result_samples.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace quibel;
using quibel::test::statusAt;

namespace {

// Answers every question with Stop and counts what reaches it.
struct StoppingHost final : RunHost {
    int messages = 0, statuses = 0;
    void showMessage(MessageKind, const Message&) override { ++messages; }
    QuestionAnswer ask(const RunQuestion&) override { return QuestionAnswer::Stop; }
    void progress(int) override {}
    void status(const RunStatus&) override { ++statuses; }
    bool stopRequested() override { return true; }
};

} // namespace

TEST(RecordingRunHost, KeepsMessagesQuestionsAnswersAndTheirTimesAndPassesThemOn) {
    StoppingHost inner;
    ReportRunLog log;
    RecordingRunHost host(inner, log);
    host.showMessage(MessageKind::Warning, Message("engine.a"));
    host.status(statusAt(2, 1.5, 0.25, 0.01));
    host.status(statusAt(3, 0.5, 0.75, 0.02));
    EXPECT_EQ(host.ask({Message("engine.b"), QuestionButtons::OkCancel}), QuestionAnswer::Stop);
    EXPECT_TRUE(host.stopRequested());

    EXPECT_EQ(inner.messages, 1);
    EXPECT_EQ(inner.statuses, 2);
    ASSERT_EQ(log.events.size(), 2u);
    EXPECT_EQ(log.events[0].message.key, "engine.a");
    EXPECT_FALSE(log.events[0].question);
    EXPECT_EQ(log.events[0].time, 0.0);
    EXPECT_EQ(log.events[1].message.key, "engine.b");
    EXPECT_TRUE(log.events[1].question);
    EXPECT_EQ(log.events[1].answer, QuestionAnswer::Stop);
    EXPECT_EQ(log.events[1].time, 0.02);
    EXPECT_EQ(log.endTime, 0.02);
    const LargestEnergyErrors e = LargestRunEnergyErrors(TBlocStatic{}, log);
    EXPECT_EQ(e.absolute, 1.5);
    EXPECT_EQ(e.relative, 0.75);
}

TEST(LargestRunEnergyErrors, LeavesOutSamplesOfNegligibleInputAndKeepsNaN) {
    TBlocStatic m = startupModel();
    TVector input(4);
    // Sample 2's input is a millionth of a millionth of the largest: its 90 % is noise.
    for (auto [i, v] : {std::pair{1, 0.0}, {2, 2e-12}, {3, 1.0}, {4, 2.0}})
        input.set(i, v);
    m.AbsInputEnergy = input;
    ReportRunLog log;
    for (const RunStatus& s :
         {statusAt(2, 90.0, 90.0), statusAt(3, 2.5, 0.5), statusAt(4, 1.0, 0.25)})
        log.energyErrors.add(s);
    // Without the relative input series every sample counts.
    LargestEnergyErrors e = LargestRunEnergyErrors(m, log);
    EXPECT_EQ(e.absolute, 2.5);
    EXPECT_EQ(e.relative, 90.0);

    // Sample 4 told again, now diverged: the NaN stays over its earlier error.
    log.energyErrors.add(statusAt(4, std::numeric_limits<double>::quiet_NaN(), 0.0));
    e = LargestRunEnergyErrors(m, log);
    EXPECT_TRUE(std::isnan(e.absolute));
    EXPECT_EQ(e.relative, 90.0);
}
