// SPDX-License-Identifier: GPL-3.0-or-later
// quibel --export-report as a script on a machine with no display calls it.
#include "model/project_file.h"
#include "pdf_tools.h"

#include <gtest/gtest.h>

#include <QDir>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

using namespace quibel;
using namespace quibel::test;
namespace fs = std::filesystem;

namespace {

const std::string kStartup = std::string(QUIBEL_SOURCE_DIR) + "/examples/startup.qbl";

class ExportReport : public testing::Test {
protected:
    fs::path folder = fs::temp_directory_path() /
                      ("quibel-export-" +
                       std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
    void SetUp() override {
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    void TearDown() override { fs::remove_all(folder); }

    int exportReport(const std::string& project, const fs::path& output,
                     const QString& language = QStringLiteral("en")) {
        return runTool(QStringLiteral(QUIBEL_APP),
                       {QStringLiteral("--export-report"), QString::fromStdString(project),
                        QStringLiteral("-o"), QString::fromStdString(output.string()),
                        QStringLiteral("--lang"), language},
                       true)
            .code;
    }
    // Every file left in the folder, but the ones named.
    std::vector<std::string> filesBut(std::initializer_list<std::string> kept) const {
        std::vector<std::string> out;
        for (const auto& e : fs::recursive_directory_iterator(folder))
            if (e.is_regular_file() &&
                std::find(kept.begin(), kept.end(), e.path().filename().string()) == kept.end())
                out.push_back(e.path().filename().string());
        return out;
    }
};

std::vector<std::vector<std::string>> csvCells(const std::string& text) {
    std::vector<std::vector<std::string>> rows;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        std::vector<std::string> cells;
        std::istringstream parts(line);
        for (std::string cell; std::getline(parts, cell, ';');)
            cells.push_back(cell);
        rows.push_back(cells);
    }
    return rows;
}

// The cell of column (by title) at the data row where pick chooses, with that row's time.
template <class Better>
std::pair<std::string, std::string> pickCell(const std::vector<std::vector<std::string>>& rows,
                                             const std::string& title, int firstRow,
                                             Better better) {
    const auto& titles = rows.at(0);
    const auto column =
        static_cast<std::size_t>(std::find(titles.begin(), titles.end(), title) - titles.begin());
    std::size_t best = 0;
    for (std::size_t r = 2 + static_cast<std::size_t>(firstRow); r < rows.size(); ++r)
        if (best == 0 || better(std::stod(rows[r].at(column)), std::stod(rows[best].at(column))))
            best = r;
    return {rows.at(best).at(column), rows.at(best).at(0)};
}

} // namespace

TEST_F(ExportReport, WithoutADisplayTheReportHoldsTheFiguresOfTheCommandLineRun) {
    const fs::path pdf = folder / "startup.pdf";
    ASSERT_EQ(exportReport(kStartup, pdf), 0);
    EXPECT_EQ(filesBut({"startup.pdf"}), std::vector<std::string>{});
    const std::string text = pdfText(pdf.string());
    EXPECT_NE(text.find("startup.qbl"), std::string::npos);

    const ToolOutput run = runTool(QStringLiteral(QUIBEL_CLI),
                                   {QStringLiteral("run"), QString::fromStdString(kStartup)});
    ASSERT_EQ(run.code, 0);
    const auto rows = csvCells(run.out);
    ASSERT_GT(rows.size(), 3u);
    const auto larger = [](double a, double b) { return std::fabs(a) > std::fabs(b); };
    const auto smaller = [](double a, double b) { return a < b; };
    // The start-up project is a sliding analysis: the peak and residual sliding and the
    // smallest factor after the start, each on one line with the time of its sample.
    const auto peak = pickCell(rows, rows[0][1], 0, larger);
    const auto factor = pickCell(rows, rows[0][4], 1, smaller);
    for (const auto& [value, time] : {peak, factor}) {
        const std::regex line(value + "\\s+\\S*\\s*" + time);
        EXPECT_TRUE(std::regex_search(text, line)) << value << " at " << time;
    }
    EXPECT_NE(text.find(rows.back()[1]), std::string::npos) << "the residual sliding";
}

TEST_F(ExportReport, FrenchReportInFrench) {
    const fs::path pdf = folder / "rapport.pdf";
    ASSERT_EQ(exportReport(kStartup, pdf, QStringLiteral("fr")), 0);
    const std::string text = pdfText(pdf.string());
    EXPECT_NE(text.find("Rapport d'analyse"), std::string::npos);
    EXPECT_NE(text.find("Page 1 de"), std::string::npos);
}

TEST_F(ExportReport, ExitCodesLeaveNoFileBehind) {
    // A block of no mass: the checks refuse the run.
    TBlocStatic massless = startupModel();
    ReadFromFile(massless, kStartup);
    massless.M = 0.0;
    const std::string refused = (folder / "massless.qbl").string();
    WriteToFile(massless, refused);
    const std::string missing = (folder / "missing.qbl").string();
    struct Case {
        std::string project;
        fs::path output;
        int code;
    };
    const Case cases[] = {
        {refused, folder / "refused.pdf", 2},
        {missing, folder / "unreadable.pdf", 3},
        {kStartup, folder / "no-such-folder" / "report.pdf", 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.output.string());
        EXPECT_EQ(exportReport(c.project, c.output), c.code);
        EXPECT_EQ(filesBut({"massless.qbl"}), std::vector<std::string>{});
    }
}
