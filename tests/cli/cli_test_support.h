// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the tests of quibel-cli share: calling a command as the tool does, reading what it
// wrote, and a folder of their own for the projects they write.

#include "model/project_record.h"
#include "texts/text_catalogue.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <iosfwd>
#include <string>
#include <vector>

namespace quibel::test {

/// What one call of a command gave: its exit code and what it wrote on each stream.
struct CliResult final {
    int code = 0;
    std::string out, err;
};

/// A command of the tool, called with its words (without the command's name).
using CliCommand = int (*)(const std::vector<std::string>& args, std::ostream& out,
                           std::ostream& err, Language language);

CliResult runCli(CliCommand command, const std::vector<std::string>& args,
                 Language language = Language::English);

/// The cells of a text of ';'-separated lines; a line that ends with ';' ends with an empty
/// cell.
std::vector<std::vector<std::string>> semicolonCells(const std::string& text);

/// A batch summary without its run times (its last column), the one column that differs
/// from run to run.
std::string withoutRunTimes(const std::string& summary);

/// The bytes of a file, empty when it cannot be read.
std::string readFile(const std::filesystem::path& path);

/// A dry block on a 30° plane with friction angles of 20° (so it slides from the start), under
/// a silent history of 1 s that only sets the length of the run.
TBlocStatic steepPlane();

/// A fixture with a folder of its own, removed after each test.
class CliFolderTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    /// name inside the folder.
    std::string path(const std::string& name) const;
    /// Writes model as a project file named name in the folder; returns its path.
    std::string save(const TBlocStatic& model, const std::string& name = "project.qbl") const;

    std::filesystem::path mDir;
};

} // namespace quibel::test
