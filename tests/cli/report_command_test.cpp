// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/report_command.h"

#include "tests/cli/cli_test_support.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace quibel;

namespace {

namespace fs = std::filesystem;

test::CliResult run(const std::vector<std::string>& args, Language lang = Language::English) {
    return test::runCli(cli::runReportCommand, args, lang);
}

class ReportCommandTest : public test::CliFolderTest {};

} // namespace

// A project file holds no critical angles; the report gives those a rocking run would use:
// atan(5.301 / 6.964) about the heel and atan((16 - 5.301) / 6.964) about the toe, and
// Iheel = 15473.2 + 398 x (5.301² + 6.964²) = 45959.163 t m².
TEST_F(ReportCommandTest, RockingProjectGetsTheCriticalAnglesOfARun) {
    TBlocStatic m = startupModel();
    m.AnalysisKind = AnalysisKind::Rocking;
    const std::string path = save(m, "rocking.qbl");

    const test::CliResult en = run({path});
    ASSERT_EQ(en.code, 0) << en.err;
    EXPECT_NE(en.out.find("    Upstream angle :                  0.650631 rad\n"
                          "                                        37.278 deg\n"
                          "    Downstream angle :                0.993787 rad\n"
                          "                                        56.940 deg\n"),
              std::string::npos)
        << en.out;
    EXPECT_NE(en.out.find("    From upstream (at heel):    4.5959163E+004 ton·m²\n"),
              std::string::npos)
        << en.out;

    const test::CliResult fr = run({path}, Language::French);
    ASSERT_EQ(fr.code, 0) << fr.err;
    EXPECT_NE(fr.out.find("    Angle aval :                                -0.993787 rad\n"),
              std::string::npos)
        << fr.out;
    EXPECT_NE(fr.out.find("    Au pied amont du bloc :                     45959.163 ton·m²\n"),
              std::string::npos)
        << fr.out;
}

TEST_F(ReportCommandTest, RefusesBadArgumentsAndUnreadableFiles) {
    struct Case {
        std::vector<std::string> args;
        int code;
        const char* message;
    } cases[] = {
        {{}, 1, "usage: quibel-cli report PROJECT.qbl"},
        {{"a.qbl", "b.qbl"}, 1, "usage: quibel-cli report PROJECT.qbl"},
        {{"--units"}, 1, "usage: quibel-cli report PROJECT.qbl"},
        {{(fs::temp_directory_path() / "quibel-no-such-project.qbl").string()},
         3,
         "Unable to read file."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        const test::CliResult r = run(c.args);
        EXPECT_EQ(r.code, c.code);
        EXPECT_TRUE(r.out.empty());
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
    }
}
