// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/batch/progress.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace quibel;
using namespace quibel::cli;

TEST(BatchProgressTest, TerminalLineIsRewrittenAndEndedBeforeOtherLines) {
    std::ostringstream err;
    BatchProgress progress(err, Language::English, 4, true);
    progress.caseDone(false);
    EXPECT_EQ(err.str().rfind("\rCases: 1/4 done, 0 failed, about ", 0), 0u) << err.str();
    EXPECT_NE(err.str().find(" s left\x1b[K"), std::string::npos);
    progress.line("Row 3 (b): bad");
    progress.caseDone(true);
    const std::string text = err.str();
    EXPECT_NE(text.find("\nRow 3 (b): bad\n\rCases: 2/4 done, 1 failed, about "), std::string::npos)
        << text;
    progress.finish();
    EXPECT_EQ(err.str().back(), '\n');
}

TEST(BatchProgressTest, WithoutTerminalOnlyTheLinesAreWritten) {
    std::ostringstream err;
    BatchProgress progress(err, Language::French, 2, false);
    progress.caseDone(true);
    progress.line("Ligne 2 (a) : x");
    progress.caseDone(false);
    progress.finish();
    EXPECT_EQ(err.str(), "Ligne 2 (a) : x\n");
}
