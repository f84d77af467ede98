// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/batch/fields.h"

#include <gtest/gtest.h>

#include <string>

using namespace quibel;
using namespace quibel::cli;

TEST(BatchFieldsTest, FieldsAreFoundByTheirRecordNames) {
    EXPECT_EQ(FindBatchField("PhiS")->name, "PhiS");
    EXPECT_EQ(FindBatchField("hr")->name, "Hr");
    EXPECT_EQ(FindBatchField("Options.TimeStep")->name, "TimeStep");
    EXPECT_EQ(FindBatchField("TimeStep")->name, "TimeStep");
    EXPECT_EQ(FindBatchField("options.upliftdown")->name, "UpliftDown");
    EXPECT_EQ(FindBatchField("Options.PhiS"), nullptr); // not an option
    // Not to be set from a table: the unit system would reinterpret every value, the debug
    // file would be shared by parallel runs, the results are outputs.
    for (const char* name : {"UnitSystem", "DebugFile", "Options.DebugFile", "Ru", "ThetaUp",
                             "SlidingDisp", "FileName", ""})
        EXPECT_EQ(FindBatchField(name), nullptr) << name;
}

TEST(BatchFieldsTest, ValuesAreCheckedAgainstTheDialogsRanges) {
    const struct {
        const char* field;
        const char* cell;
        double value; // when accepted
        const char* problem;
    } cases[] = {
        {"PhiS", "89.999999", 89.999999, ""},
        {"PhiS", "90", 0, "cli.batch.out_of_range"},
        {"Beta", "-12.5", -12.5, ""},
        {"Beta", "-90", 0, "cli.batch.out_of_range"},
        {"Yc", "0", 0, "cli.batch.out_of_range"},
        {"Xc", "-3", -3, ""},
        {"Eu", "1.01", 0, "cli.batch.out_of_range"},
        {"Hr", "1,5", 0, "cli.batch.bad_number"},
        {"Hr", "nan", 0, "cli.batch.bad_number"},
        {"Hr", "1e400", 0, "cli.batch.bad_number"},
        {"TimeStep", "-1", -1, ""}, // the run refuses it, with its own message
        {"UpliftDown", "2", 2, ""},
        {"UpliftDown", "3", 0, "cli.batch.out_of_range"},
        {"NewmarkBeta", "0.5", 0, "cli.batch.not_whole"},
        {"AnalysisKind", "Rocking", 1, ""},
        {"AnalysisKind", "SLIDINGANDROCKING", 2, ""},
        {"AnalysisKind", "1.0", 1, ""},
        {"AnalysisKind", "Tumbling", 0, "cli.batch.bad_analysis_kind"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.field) + " = " + c.cell);
        Message problem;
        const std::optional<double> v = ParseFieldValue(*FindBatchField(c.field), c.cell, problem);
        EXPECT_EQ(problem.key, c.problem);
        if (!*c.problem) {
            ASSERT_TRUE(v);
            EXPECT_EQ(*v, c.value);
        } else {
            EXPECT_FALSE(v);
        }
    }
}

TEST(BatchFieldsTest, EveryFieldSetsItsOwnMember) {
    TBlocStatic m = startupModel();
    ApplyField(m, *FindBatchField("Hr"), 12.5);
    ApplyField(m, *FindBatchField("AnalysisKind"), 2);
    ApplyField(m, *FindBatchField("CenterDown"), 0);
    ApplyField(m, *FindBatchField("Gravity"), 9.81);
    TBlocStatic expected = startupModel();
    expected.Hr = 12.5;
    expected.AnalysisKind = AnalysisKind::SlidingAndRocking;
    expected.Options.CenterDown = 0;
    expected.Options.Gravity = 9.81;
    EXPECT_EQ(m.Hr, expected.Hr);
    EXPECT_EQ(m.AnalysisKind, expected.AnalysisKind);
    EXPECT_EQ(m.Options, expected.Options);
    EXPECT_EQ(m.H, expected.H);
    EXPECT_FALSE(IsOptionField(*FindBatchField("T")));
    EXPECT_TRUE(IsOptionField(*FindBatchField("Gravity")));
}
