// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main_window/model_snapshot_command.h"

#include "model/model_flags.h"
#include "model/result_series.h"

#include <gtest/gtest.h>

#include <vector>

using namespace quibel;

// The snapshot of an edit holds the inputs only; the model keeps its run's series untouched.
TEST(ModelSnapshotCommandTest, InputsLeaveTheSeriesInTheModel) {
    TBlocStatic model = startupModel();
    model.history(HistoryKind::HorizontalAcceleration).Title = "Pulse";
    setFlag(model.ModelFlags, ModelFlag::ResultsValid, true);
    TVector sliding(3);
    for (int i = 1; i <= 3; ++i)
        sliding.set(i, 0.5 * i);
    seriesSlot(model, ResultSeries::SlidingDisp) = sliding;

    const TBlocStatic inputs = modelInputs(model);

    for (int s = 0; s < kResultSeriesCount; ++s)
        EXPECT_FALSE(seriesSlot(inputs, static_cast<ResultSeries>(s)).has_value()) << s;
    EXPECT_FALSE(hasFlag(inputs.ModelFlags, ModelFlag::ResultsValid));
    EXPECT_EQ(inputs.history(HistoryKind::HorizontalAcceleration).Title, "Pulse");

    ASSERT_TRUE(seriesSlot(model, ResultSeries::SlidingDisp).has_value());
    const TVector& kept = *seriesSlot(model, ResultSeries::SlidingDisp);
    ASSERT_EQ(kept.size(), 3);
    EXPECT_EQ(kept.get(1), 0.5);
    EXPECT_EQ(kept.get(3), 1.5);
    EXPECT_TRUE(hasFlag(model.ModelFlags, ModelFlag::ResultsValid));
}

// Two edits in a row: the state between them is held once, by both commands. Undo and redo
// put each state back, keep the model's file name, and hand the window the snapshot they put
// back, which it keeps as the "before" of its next edit without copying the model again.
TEST(ModelSnapshotCommandTest, EditsInARowShareTheStateBetweenThem) {
    TBlocStatic model = startupModel();
    model.FileName = "/projects/dam.qbl";
    const ModelSnapshot start = modelSnapshot(model);
    model.H = 31.0;
    const ModelSnapshot middle = modelSnapshot(model);
    model.H = 32.0;
    const ModelSnapshot end = modelSnapshot(model);

    std::vector<const TBlocStatic*> applied;
    auto record = [&](const ModelSnapshot& s) { applied.push_back(s.get()); };
    ModelSnapshotCommand first(model, start, middle, "H", record);
    ModelSnapshotCommand second(model, middle, end, "H", record);
    first.redo(); // pushed: the edit is made already
    second.redo();
    EXPECT_TRUE(applied.empty());
    EXPECT_EQ(middle.use_count(), 3); // this test, and one per command
    EXPECT_EQ(model.H, 32.0);

    model.FileName = "/projects/renamed.qbl";
    second.undo();
    EXPECT_EQ(model.H, 31.0);
    first.undo();
    EXPECT_EQ(model.H, start->H);
    first.redo();
    second.redo();
    EXPECT_EQ(model.H, 32.0);
    EXPECT_EQ(model.FileName, "/projects/renamed.qbl");
    EXPECT_EQ(applied, (std::vector<const TBlocStatic*>{middle.get(), start.get(), middle.get(),
                                                        end.get()}));
}
