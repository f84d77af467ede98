// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/batch/case.h"
#include "numeric/error.h"

#include <gtest/gtest.h>

#include <string>

using namespace quibel;
using namespace quibel::cli;

namespace {

const std::filesystem::path kFolder = "/study";

Message tableError(const std::string& text) {
    try {
        ReadBatchTable(text, kFolder);
    } catch (const Error& e) {
        return e.message();
    }
    return Message("no error");
}

} // namespace

TEST(BatchCaseTest, EachBadRowGetsItsOwnProblem) {
    const std::string header = "case;project;h_file;h_format;h_step;h_workbook;h_sheet;h_record;"
                               "v_scale;PhiS;AnalysisKind;Colour\n";
    const struct {
        const char* row;
        Message problem;
    } cases[] = {
        {"ok;p.qbl;;;;;;;;;;", Message()},
        {"x;p.qbl;;;;;;;;;;red", Message("cli.batch.unknown_column", {"Colour"})},
        {"x;;;;;;;;;30;;", Message("cli.batch.no_project")},
        {"x;p.qbl;r.txt;;;b.xls;S;R;;;;",
         Message("cli.batch.two_records", {"h_file", "h_workbook"})},
        {"x;p.qbl;;amplitudes;;;;;;;;", Message("cli.batch.needs_file", {"h_format", "h_file"})},
        {"x;p.qbl;;;0.01;;;;;;;", Message("cli.batch.needs_file", {"h_step", "h_file"})},
        {"x;p.qbl;r.txt;amplitudes;;;;;;;;", Message("cli.batch.needs_step", {"h_step"})},
        {"x;p.qbl;r.txt;amplitudes;-1;;;;;;;", Message("cli.batch.bad_step", {"h_step", "-1"})},
        {"x;p.qbl;r.txt;pairs;0.01;;;;;;;",
         Message("cli.batch.step_without_amplitudes", {"h_step"})},
        {"x;p.qbl;r.txt;columns;;;;;;;;", Message("cli.batch.bad_format", {"h_format", "columns"})},
        {"x;p.qbl;r.at2;nga;;;;;;;;", Message("cli.batch.bad_format", {"h_format", "nga"})},
        {"x;p.qbl;r.csv;auto;0;;;;;;;", Message("cli.batch.bad_step", {"h_step", "0"})},
        {"x;p.qbl;;knet;;;;;;;;", Message("cli.batch.needs_file", {"h_format", "h_file"})},
        {"x;p.qbl;;;;b.xls;;R;;;;",
         Message("cli.batch.incomplete_database", {"h_workbook", "h_sheet", "h_record"})},
        {"x;p.qbl;;;;;;;half;;;", Message("cli.batch.bad_number", {"v_scale", "half"})},
        {"x;p.qbl;;;;;;;;4O;;", Message("cli.batch.bad_number", {"PhiS", "4O"})},
        {"x;p.qbl;;;;;;;;90;;",
         Message("cli.batch.out_of_range", {"PhiS", "90", "0", "89.999999"})},
        {"x;p.qbl;;;;;;;;;3;", Message("cli.batch.bad_analysis_kind", {"3"})},
        {"x y;p.qbl;;;;;;;;;;", Message("cli.batch.bad_case_name", {"x y"})},
        {".hidden;p.qbl;;;;;;;;;;", Message("cli.batch.bad_case_name", {".hidden"})},
        {"x;p.qbl;;;;;;;;;;;extra", Message("cli.batch.too_many_cells", {"13", "12"})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.row);
        // The bad row sits between two good ones, which keep no problem.
        const BatchTable t = ReadBatchTable(
            header + "a;p.qbl;;;;;;;;;;\n" + c.row + "\nb;p.qbl;;;;;;;;;;\n", kFolder);
        ASSERT_EQ(t.cases.size(), 3u);
        EXPECT_FALSE(t.cases[0].problem);
        EXPECT_FALSE(t.cases[2].problem);
        EXPECT_EQ(t.cases[1].problem.value_or(Message()), c.problem);
        EXPECT_EQ(t.cases[1].row, 3);
    }
}

TEST(BatchCaseTest, ReadsRecordsScalesAndFieldsOfARow) {
    const BatchTable t = ReadBatchTable(
        "Case,Project,H_File,H_Format,H_Step,V_Workbook,V_Sheet,V_Record,H_Scale,phis,"
        "Options.TimeStep,AnalysisKind\n"
        "r1,base/p.qbl,rec/a.txt,amplitudes,0.005,/db/v.xls,Dam sites,ELC UP,-2,33.5,2e-4,"
        "slidingandrocking\n"
        ",/abs/p.qbl,,,,,,,,,,1\n",
        kFolder);
    ASSERT_EQ(t.cases.size(), 2u);
    const BatchCase& a = t.cases[0];
    ASSERT_FALSE(a.problem) << a.problem->key;
    EXPECT_EQ(a.name, "r1");
    EXPECT_EQ(a.index, 1);
    EXPECT_EQ(a.project, "/study/base/p.qbl");
    EXPECT_EQ(a.records[0].kind, RecordSource::Kind::TextFile);
    EXPECT_EQ(a.records[0].path, "/study/rec/a.txt");
    EXPECT_EQ(a.records[0].format, HistoryFileFormat::AmplitudesOnly);
    EXPECT_EQ(a.records[0].timeStep, 0.005);
    EXPECT_EQ(a.records[1].kind, RecordSource::Kind::Database);
    EXPECT_EQ(a.records[1].path, "/db/v.xls");
    EXPECT_EQ(a.records[1].sheet, "Dam sites");
    EXPECT_EQ(a.records[1].record, "ELC UP");
    EXPECT_EQ(a.scales[0], -2.0);
    EXPECT_FALSE(a.scales[1]);
    ASSERT_EQ(a.fields.size(), 3u);
    EXPECT_EQ(a.fields[0].field->name, "PhiS");
    EXPECT_EQ(a.fields[0].value, 33.5);
    EXPECT_EQ(a.fields[1].field->name, "TimeStep");
    EXPECT_EQ(a.fields[1].value, 2e-4);
    EXPECT_EQ(a.fields[2].value, 2.0);

    const BatchCase& b = t.cases[1];
    ASSERT_FALSE(b.problem);
    EXPECT_EQ(b.name, "case-2"); // one digit: the table has 2 cases
    EXPECT_EQ(b.project, "/abs/p.qbl");
    EXPECT_EQ(b.records[0].kind, RecordSource::Kind::Project);
    EXPECT_EQ(b.cells.size(), 12u);
}

TEST(BatchCaseTest, RecordFormatsAreNamedInAnyLetterCase) {
    const BatchTable t = ReadBatchTable("project;h_file;h_format;h_step;v_file;v_format\n"
                                        "p.qbl;a.AT2;Auto;;b.csv;CSV\n"
                                        "p.qbl;c.csv;auto;0.02;d.txt;pairs\n",
                                        kFolder);
    ASSERT_EQ(t.cases.size(), 2u);
    const BatchCase& a = t.cases[0];
    ASSERT_FALSE(a.problem) << a.problem->key;
    EXPECT_EQ(a.records[0].kind, RecordSource::Kind::RecordFile);
    EXPECT_EQ(a.records[0].reader, "auto");
    EXPECT_EQ(a.records[0].timeStep, 0.0);
    EXPECT_EQ(a.records[1].kind, RecordSource::Kind::RecordFile);
    EXPECT_EQ(a.records[1].reader, "csv");
    const BatchCase& b = t.cases[1];
    ASSERT_FALSE(b.problem) << b.problem->key;
    EXPECT_EQ(b.records[0].timeStep, 0.02); // for a file that states no step
    // The two formats of the text import keep their own reading.
    EXPECT_EQ(b.records[1].kind, RecordSource::Kind::TextFile);
    EXPECT_EQ(b.records[1].format, HistoryFileFormat::TimeAndAmplitude);
}

TEST(BatchCaseTest, CaseNamesAreUniqueWhateverTheirLetterCase) {
    std::string text = "case;project\n";
    for (int i = 0; i < 10; ++i)
        text += ";p.qbl\n";
    text += "Case-03;p.qbl\n";
    const BatchTable t = ReadBatchTable(text, kFolder);
    ASSERT_EQ(t.cases.size(), 11u);
    EXPECT_EQ(t.cases[2].name, "case-03"); // two digits for 11 cases
    EXPECT_EQ(t.cases[10].problem.value_or(Message()),
              Message("cli.batch.duplicate_case", {"Case-03", "4"}));
}

TEST(BatchCaseTest, TablesWithoutMeaningAreRefusedWhole) {
    EXPECT_EQ(tableError(""), Message("cli.batch.no_project_column"));
    EXPECT_EQ(tableError("case;PhiS\nx;30\n"), Message("cli.batch.no_project_column"));
    EXPECT_EQ(tableError("project;PhiS;phis\np;1;2\n"),
              Message("cli.batch.duplicate_column", {"phis"}));
    EXPECT_EQ(tableError("project\n\"p\n"), Message("cli.batch.unclosed_quote", {"2"}));
}

TEST(BatchCaseTest, AnEmptyUnknownColumnIsOnlyRemarked) {
    const BatchTable t = ReadBatchTable("project;Comment;;PhiD\np.qbl;;;12\n", kFolder);
    ASSERT_EQ(t.cases.size(), 1u);
    EXPECT_FALSE(t.cases[0].problem);
    EXPECT_EQ(t.remarks, (std::vector<Message>{Message("cli.batch.unused_column", {"Comment"}),
                                               Message("cli.batch.unused_column", {"#3"})}));
    // A header without rows is a table of no case.
    EXPECT_TRUE(ReadBatchTable("project;PhiS\n", kFolder).cases.empty());
}
