// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/atomic_text_file.h"
#include "tests/cli/cli_test_support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

using namespace quibel;

namespace {

namespace fs = std::filesystem;

class AtomicTextFileTest : public test::CliFolderTest {
protected:
    std::string read(const std::string& file) const {
        std::ifstream in(file, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }
};

} // namespace

TEST_F(AtomicTextFileTest, PiecesFollowEachOtherAndReplaceTheFileWhenAllAreWritten) {
    const std::string file = path("grid.csv");
    ASSERT_FALSE(cli::WriteTextAtomically(file, std::string("old\n")));
    const auto written = cli::WriteTextAtomically(
        file, [](const cli::TextSink& sink) { return sink("a;b\n") && sink("") && sink("1;2\n"); });
    EXPECT_FALSE(written);
    EXPECT_EQ(read(file), "a;b\n1;2\n");
    EXPECT_FALSE(fs::exists(file + ".part"));
}

// A text that stops half way (its own failure, or a piece the disk refused) must leave the
// last complete file, and nothing half-written beside it.
TEST_F(AtomicTextFileTest, AWriterThatStopsLeavesTheEarlierFileAsItWas) {
    const std::string file = path("grid.csv");
    ASSERT_FALSE(cli::WriteTextAtomically(file, std::string("old\n")));
    const auto failure = cli::WriteTextAtomically(
        file, [](const cli::TextSink& sink) { return sink("half a grid") && false; });
    ASSERT_TRUE(failure);
    EXPECT_FALSE(failure->empty());
    EXPECT_EQ(read(file), "old\n");
    EXPECT_FALSE(fs::exists(file + ".part"));
}
