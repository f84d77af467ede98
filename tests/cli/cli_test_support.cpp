// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/cli/cli_test_support.h"

#include "model/model_flags.h"
#include "model/project_file.h"

#include <fstream>
#include <sstream>

#include <unistd.h>

namespace quibel::test {

CliResult runCli(CliCommand command, const std::vector<std::string>& args, Language language) {
    std::ostringstream out, err;
    const int code = command(args, out, err, language);
    return {code, out.str(), err.str()};
}

std::vector<std::vector<std::string>> semicolonCells(const std::string& text) {
    std::vector<std::vector<std::string>> rows;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        std::vector<std::string> row;
        std::istringstream fields(line);
        std::string cell;
        while (std::getline(fields, cell, ';'))
            row.push_back(cell);
        if (!line.empty() && line.back() == ';')
            row.emplace_back();
        rows.push_back(row);
    }
    return rows;
}

std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::string withoutRunTimes(const std::string& summary) {
    std::istringstream in(summary);
    std::string line, kept;
    while (std::getline(in, line))
        kept += line.substr(0, line.rfind(';')) + "\n";
    return kept;
}

TBlocStatic steepPlane() {
    TBlocStatic m = startupModel();
    m.Hr = 0;
    m.U = 0;
    m.PhiS = m.PhiD = 20;
    m.Beta = 30;
    m.ModelFlags = ModelFlag::GeometryComplete | ModelFlag::HorizontalAccDefined;
    TimeHistoryRecord& h = m.history(HistoryKind::HorizontalAcceleration);
    h.Source = HistorySource::Generated;
    h.Terms[0] = {TermShape::Sine, 0, 1, 0, 0, 1.0, 0};
    h.Duration = 1.0;
    return m;
}

void CliFolderTest::SetUp() {
    // One folder per test program and suite, so that tests running side by side never share.
    const std::string suite =
        testing::UnitTest::GetInstance()->current_test_info()->test_suite_name();
    mDir = std::filesystem::temp_directory_path() /
           ("quibel_cli_" + suite + "_" + std::to_string(::getpid()));
    std::filesystem::create_directories(mDir);
}

void CliFolderTest::TearDown() {
    std::filesystem::remove_all(mDir);
}

std::string CliFolderTest::path(const std::string& name) const {
    return (mDir / name).string();
}

std::string CliFolderTest::save(const TBlocStatic& model, const std::string& name) const {
    const std::string file = path(name);
    WriteToFile(model, file);
    return file;
}

} // namespace quibel::test
