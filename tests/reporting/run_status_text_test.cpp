// SPDX-License-Identifier: GPL-3.0-or-later
#include "reporting/run_status_text.h"

#include <gtest/gtest.h>

using namespace quibel;

TEST(RunStatusTextTest, LabelsOfTheProgressWindow) {
    RunStatus s;
    s.time = 12.3456;
    s.slidingDisplacement = -0.0123456789;
    s.rotation = 0.001;
    s.absoluteEnergyError = 5.4321;
    s.relativeEnergyError = 0;
    const RunStatusText t = FormatRunStatus(s, UnitSystem::FtKipKip);
    EXPECT_EQ(t.time, "    12.346 sec");
    EXPECT_EQ(t.slidingDisplacement, "  -0.0123457 ft");
    EXPECT_EQ(t.rotation, "0.0010000000 rad");
    EXPECT_EQ(t.absoluteEnergyError, "     5.432 %");
    EXPECT_EQ(t.relativeEnergyError, "     0.000 %");
}
