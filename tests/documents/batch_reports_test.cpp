// SPDX-License-Identifier: GPL-3.0-or-later
// quibel-cli batch --reports: one analysis report per case, painted with no display.
#include "pdf_tools.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace quibel::test;
namespace fs = std::filesystem;

TEST(BatchReports, EveryCaseLeavesItsReportInItsLanguage) {
    const fs::path folder = fs::temp_directory_path() / "quibel-batch-reports";
    fs::remove_all(folder);
    fs::create_directories(folder);
    const std::string startup = std::string(QUIBEL_SOURCE_DIR) + "/examples/startup.qbl";
    std::ofstream(folder / "cases.csv") << "case;project;AnalysisKind\n"
                                        << "slides;" << startup << ";Sliding\n"
                                        << "rocks;" << startup << ";Rocking\n"
                                        << "both;" << startup << ";SlidingAndRocking\n";
    const fs::path reports = folder / "reports";
    const ToolOutput r = runTool(
        QStringLiteral(QUIBEL_CLI),
        {QStringLiteral("--lang"), QStringLiteral("fr"), QStringLiteral("batch"),
         QString::fromStdString((folder / "cases.csv").string()), QStringLiteral("--jobs"),
         QStringLiteral("2"), QStringLiteral("--reports"), QString::fromStdString(reports.string()),
         QStringLiteral("-o"), QString::fromStdString((folder / "summary.csv").string())},
        true);
    ASSERT_EQ(r.code, 0);
    const std::pair<const char*, const char*> cases[] = {
        {"slides", "Analyse Glissement\n"},
        {"rocks", "Analyse Renversement\n"},
        {"both", "Analyse Glissement & renversement\n"}};
    for (const auto& [name, kind] : cases) {
        SCOPED_TRACE(name);
        const std::string text = pdfText((reports / (std::string(name) + ".pdf")).string());
        EXPECT_NE(text.find("Rapport d'analyse"), std::string::npos);
        EXPECT_NE(text.find("Page 1 de"), std::string::npos);
        // The title block's line, its columns closed up.
        std::string squeezed;
        for (char c : text)
            if (c != ' ' || (squeezed.size() > 0 && squeezed.back() != ' '))
                squeezed += c;
        EXPECT_NE(squeezed.find(kind), std::string::npos);
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(reports), fs::directory_iterator()), 3);

    // A reports folder that is a file: nothing runs, as for a results folder.
    std::ofstream(folder / "plain-file") << "x";
    const ToolOutput refused = runTool(
        QStringLiteral(QUIBEL_CLI),
        {QStringLiteral("batch"), QString::fromStdString((folder / "cases.csv").string()),
         QStringLiteral("--reports"), QString::fromStdString((folder / "plain-file").string()),
         QStringLiteral("-o"), QString::fromStdString((folder / "summary-2.csv").string())},
        true);
    EXPECT_EQ(refused.code, 4);
    EXPECT_FALSE(fs::exists(folder / "summary-2.csv"));
    fs::remove_all(folder);
}
