// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main_window/model_snapshot_command.h"

#include "model/model_flags.h"
#include "model/result_series.h"

#include <gtest/gtest.h>

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
