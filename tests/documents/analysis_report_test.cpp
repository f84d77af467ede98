// SPDX-License-Identifier: GPL-3.0-or-later
#include "documents/analysis_report.h"

#include "engine/run/run_driver.h"
#include "model/model_flags.h"
#include "pdf_tools.h"
#include "reporting/computed_data_report.h"
#include "verification_models.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QLocale>

#include <filesystem>
#include <regex>
#include <sstream>

using namespace quibel;
using namespace quibel::test;
namespace fs = std::filesystem;

namespace {

// A dry concrete block, 10 m wide and 20 m high, friction angle 30°, under 0.2 g for 0.05 s:
// too little to slide (tan 30° = 0.577) or to rock (b / h = 0.5). Its factors at every step
// are the static ones: sliding tan 30° / 0.2 = 2.886751346, overturning about the toe
// (b / 2) / (0.2 h / 2) = 2.5.
TBlocStatic quietBlock(AnalysisKind kind) {
    TBlocStatic m = verification::DryRectangle(kind, 10.0, 20.0, 0.8, 30.0);
    verification::ConstantHistory(m.Histories[0], 0.2, 0.05);
    verification::SetDefinedFlags(m);
    m.FileName = "quiet-block.qbl";
    return m;
}

// Stops the run once the sample at stopAt (s) has been reported.
struct StopAtHost final : RunHost {
    double stopAt = 1e9;
    bool stop = false;
    void showMessage(MessageKind, const Message&) override {}
    QuestionAnswer ask(const RunQuestion&) override { return QuestionAnswer::Continue; }
    void progress(int) override {}
    void status(const RunStatus& s) override { stop = stop || s.time >= stopAt - 1e-9; }
    bool stopRequested() override { return stop; }
};

struct Report {
    std::string text;
    std::string info; // pdfinfo
    std::string fonts;
};

class AnalysisReport : public testing::Test {
protected:
    fs::path folder =
        fs::temp_directory_path() /
        ("quibel-report-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
         ::testing::UnitTest::GetInstance()->current_test_info()->name());
    void SetUp() override { fs::create_directories(folder); }
    void TearDown() override { fs::remove_all(folder); }

    Report write(const ReportContent& content) {
        const std::string path = (folder / "report.pdf").string();
        EXPECT_EQ(WriteAnalysisReport(content, path), ReportWrite::Written);
        const QString file = QString::fromStdString(path);
        return {pdfText(path), runTool(QStringLiteral("pdfinfo"), {file}).out,
                runTool(QStringLiteral("pdffonts"), {file}).out};
    }
    Report runAndWrite(TBlocStatic& m, Language language, double stopAt = 1e9) {
        StopAtHost quiet;
        quiet.stopAt = stopAt;
        ReportRunLog log;
        RecordingRunHost host(quiet, log);
        log.outcome = AnalysisRun(m, host).run();
        return write({.model = m, .run = &log, .language = language, .date = "2026-12-10"});
    }
};

int pageCount(const Report& r) {
    std::smatch match;
    const std::regex pages("Pages:\\s+([0-9]+)");
    return std::regex_search(r.info, match, pages) ? std::stoi(match[1]) : 0;
}

void expectHas(const Report& r, const std::vector<std::string>& needles) {
    for (const std::string& s : needles)
        EXPECT_NE(r.text.find(s), std::string::npos) << "the report lacks \"" << s << "\"";
}

} // namespace

TEST_F(AnalysisReport, EveryKindShowsItsHandWorkedFactorsInBothLanguages) {
    struct Case {
        AnalysisKind kind;
        Language language;
        std::vector<std::string> texts;
    };
    const Case cases[] = {
        {AnalysisKind::Sliding,
         Language::English,
         {"Analysis report", "Sliding", "Smallest sliding safety factor", "2.88675135",
          "Peak sliding displacement", "0.00000000", "The analysis completed at 0.050 s."}},
        {AnalysisKind::Rocking,
         Language::French,
         {"Rapport d'analyse", "Renversement", "Plus petit facteur de sécurité au renversement",
          "2.5000000000", "Rotation maximale", "L'analyse s'est terminée à 0.050 s."}},
        {AnalysisKind::SlidingAndRocking,
         Language::English,
         {"Sliding & rocking", "2.8867513459", "2.5000000000", "Peak rotation"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.kind));
        TBlocStatic m = quietBlock(c.kind);
        const Report r = runAndWrite(m, c.language);
        expectHas(r, c.texts);
        // The model's values, as the computed-data report gives them; the block's 2.4 x 10 x
        // 20 = 480 t among them.
        for (const std::string& line : ComputedDataReport(m, c.language)) {
            if (line.find(':') == std::string::npos || line.back() == ':')
                continue;
            const std::string value = line.substr(line.find_last_of(' ', line.size() - 2) + 1);
            EXPECT_NE(r.text.find(value), std::string::npos) << line;
        }
        expectHas(r, {"480"});
    }
}

TEST_F(AnalysisReport, EveryPageHasTheHeaderAndItsNumberOnA4WithEmbeddedFonts) {
    TBlocStatic m = quietBlock(AnalysisKind::SlidingAndRocking);
    for (Language language : {Language::English, Language::French}) {
        const Report r = runAndWrite(m, language);
        const int pages = pageCount(r);
        ASSERT_GE(pages, 3);
        EXPECT_NE(r.info.find("pts (A4)"), std::string::npos) << r.info;
        EXPECT_EQ(occurrences(r.text, "\f"), pages);
        EXPECT_EQ(occurrences(r.text, "quiet-block.qbl"), pages + 1); // and the title block
        const char* pattern = language == Language::English ? "Page %d of %d" : "Page %d de %d";
        for (int p = 1; p <= pages; ++p) {
            char label[32];
            std::snprintf(label, sizeof label, pattern, p, pages);
            EXPECT_EQ(occurrences(r.text, label), 1) << label;
        }
        // pdffonts: two heading lines, then one line per font whose "emb" column says yes.
        std::istringstream lines(r.fonts);
        std::string line;
        int fonts = 0;
        for (int i = 0; std::getline(lines, line); ++i)
            if (i >= 2) {
                ++fonts;
                EXPECT_NE(line.find(" yes "), std::string::npos) << line;
            }
        EXPECT_GE(fonts, 1);
    }
}

TEST_F(AnalysisReport, LetterPagesWhereTheLocaleMeasuresInUsUnits) {
    TBlocStatic m = quietBlock(AnalysisKind::Sliding);
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    const Report r = write({.model = m, .run = nullptr, .language = Language::English, .date = {}});
    QLocale::setDefault(before);
    EXPECT_NE(r.info.find("612 x 792 pts (letter)"), std::string::npos) << r.info;
}

// The section drawing is painted into the first page, in the colours of the main window's:
// the red analysis plane and the blue reservoir line of the start-up dam.
TEST_F(AnalysisReport, TheFirstPageRendersWithTheSectionDrawing) {
    TBlocStatic m = startupModel();
    setFlag(m.ModelFlags, ModelFlag::GeometryComplete, true);
    setFlag(m.ModelFlags, ModelFlag::ReservoirPresent, true);
    write({.model = m, .run = nullptr, .language = Language::English, .date = {}});
    const QString prefix = QString::fromStdString((folder / "page").string());
    ASSERT_EQ(runTool(QStringLiteral("pdftoppm"),
                      {QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-l"),
                       QStringLiteral("1"), QStringLiteral("-r"), QStringLiteral("100"),
                       QStringLiteral("-png"), QStringLiteral("-singlefile"),
                       QString::fromStdString((folder / "report.pdf").string()), prefix})
                  .code,
              0);
    const QImage page(prefix + QStringLiteral(".png"));
    ASSERT_FALSE(page.isNull());
    int red = 0, blue = 0;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x) {
            const QColor c = page.pixelColor(x, y);
            red += c.red() > 200 && c.green() < 80 && c.blue() < 80;
            blue += c.blue() > 200 && c.red() < 80 && c.green() < 80;
        }
    EXPECT_GT(red, 50);
    EXPECT_GT(blue, 50);
}

TEST_F(AnalysisReport, AStoppedRunSaysWhenItStopped) {
    TBlocStatic m = quietBlock(AnalysisKind::Sliding);
    const Report r = runAndWrite(m, Language::English, 0.02);
    expectHas(r, {"The analysis was stopped at 0.020 s.", "Key figures",
                  "Residual sliding displacement"});
}

// Every message and question of the run, at the time of the sample before it, with the answer
// the user gave.
TEST_F(AnalysisReport, TheRunsMessagesAndQuestionsWithTheAnswersTaken) {
    TBlocStatic m = quietBlock(AnalysisKind::SlidingAndRocking);
    SilentRunHost quiet;
    ReportRunLog log;
    RecordingRunHost host(quiet, log);
    log.outcome = AnalysisRun(m, host).run();
    log.events = {
        {.message = Message("engine.energy_error_high"),
         .kind = MessageKind::Warning,
         .question = false,
         .answer = QuestionAnswer::Continue,
         .time = 0.01},
        {.message = Message("engine.sliding_rocking.excessive_upstream"),
         .kind = MessageKind::Warning,
         .question = true,
         .answer = QuestionAnswer::Stop,
         .time = 0.04},
    };
    for (Language language : {Language::English, Language::French}) {
        const Report r = write({.model = m, .run = &log, .language = language, .date = {}});
        if (language == Language::English)
            expectHas(r, {"Messages and questions", "0.010", "Warning", "Energy error is high.",
                          "0.040", "Question", "OK: stop the analysis"});
        else
            expectHas(r, {"Erreur énergétique élevée.", "Rotation amont excessive",
                          "OK : arrêter l'analyse"});
    }
}

TEST_F(AnalysisReport, WithoutARunItShowsTheModelAndTheProcessedRecord) {
    TBlocStatic m = quietBlock(AnalysisKind::Sliding);
    // A record whose processing left its trace in the title; peak |-0.3| g at 0.02 s.
    verification::SampledHistory(m.Histories[0], "Test record (detrend 1; taper 0.01 s)",
                                 {0.0, 0.1, -0.3, 0.2, 0.0}, 0.01);
    for (Language language : {Language::English, Language::French}) {
        const Report r = write({.model = m, .run = nullptr, .language = language, .date = {}});
        if (language == Language::English)
            expectHas(r, {"No analysis was run", "There are no results",
                          "Test record (detrend 1; taper 0.01 s)", "Number of values n",
                          "Peak: -0.3 g at 0.020 s.", "Peak ground acceleration PGA", "0.3 g",
                          "5 % response spectrum", "Dam section"});
        else
            expectHas(r, {"Aucune analyse n'a été faite", "Valeur de pointe : -0.3 g à 0.020 s.",
                          "Intensité d'Arias"});
        EXPECT_EQ(r.text.find(language == Language::English ? "Key figures" : "Valeurs clés"),
                  std::string::npos);
    }
}

TEST_F(AnalysisReport, AFolderThatCannotBeWrittenLeavesNothing) {
    TBlocStatic m = quietBlock(AnalysisKind::Sliding);
    const fs::path target = folder / "missing" / "report.pdf";
    EXPECT_EQ(
        WriteAnalysisReport({.model = m, .run = nullptr, .language = Language::English, .date = {}},
                            target.string()),
        ReportWrite::Unwritable);
    EXPECT_FALSE(fs::exists(target.parent_path()));
}
