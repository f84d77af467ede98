// SPDX-License-Identifier: GPL-3.0-or-later
#include "signals/database_folder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

using namespace quibel;
namespace fs = std::filesystem;

namespace {

// A prefix laid out as an installation: prefix/bin and prefix/share/quibel, each of which may
// hold a workbook.
struct Prefix {
    fs::path root;
    explicit Prefix(const std::string& name)
        : root(fs::temp_directory_path() / ("quibel-database-folder-" + name)) {
        fs::remove_all(root);
        fs::create_directories(bin());
        fs::create_directories(share());
    }
    ~Prefix() { fs::remove_all(root); }
    fs::path bin() const { return root / "bin"; }
    fs::path share() const { return root / "share" / "quibel"; }
    static void put(const fs::path& folder, const char* name) {
        std::ofstream(folder / name) << "x";
    }
};

} // namespace

TEST(DatabaseFolderTest, BesideTheProgramFirstThenTheInstalledDataFolder) {
    struct Case {
        const char* name;
        const char* besideProgram; // workbook put beside the program, or nullptr
        const char* inShare;       // workbook put in share/quibel, or nullptr
        bool expectShare;
    };
    const Case cases[] = {
        {"both", "Earthquakes - horizontal.xls", "Earthquakes - horizontal.xls", false},
        {"beside-vertical-only", "Earthquakes - vertical.xls", nullptr, false},
        {"installed", nullptr, "Earthquakes - vertical.xls", true},
        {"neither", nullptr, nullptr, false},
        {"other-file-beside", "earthquakes.xls", "Earthquakes - horizontal.xls", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Prefix prefix(c.name);
        if (c.besideProgram)
            Prefix::put(prefix.bin(), c.besideProgram);
        if (c.inShare)
            Prefix::put(prefix.share(), c.inShare);
        const fs::path expected = c.expectShare ? prefix.share() : prefix.bin();
        EXPECT_EQ(FindDatabaseFolder(prefix.bin()), expected);
    }
}
