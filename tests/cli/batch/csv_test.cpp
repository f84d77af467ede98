// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/batch/csv.h"
#include "numeric/error.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace quibel;
using namespace quibel::cli;

namespace {

using Cells = std::vector<std::string>;

} // namespace

TEST(BatchCsvTest, SeparatorIsFoundOnTheHeaderLine) {
    const struct {
        const char* text;
        char separator;
        Cells row;
    } cases[] = {
        {"a;b,c\n1;2,5\n", ';', {"1", "2,5"}},    // a decimal comma stays in its cell
        {"a\tb c\n1 x\t2\n", '\t', {"1 x", "2"}}, // blanks inside a cell stay
        {"a,b\n1,2\n", ',', {"1", "2"}},
        {"\"a;b\",c\n1,2\n", ',', {"1", "2"}}, // a quoted ";" does not count
        {"only\nx\n", ',', {"x"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const CsvTable t = ParseCsv(c.text);
        EXPECT_EQ(t.separator, c.separator);
        ASSERT_EQ(t.rows.size(), 1u);
        EXPECT_EQ(t.rows[0].cells, c.row);
    }
}

TEST(BatchCsvTest, RowsKeepTheirLineNumbersPastCommentsBlanksAndQuotedBreaks) {
    const std::string text = "\xEF\xBB\xBF"
                             "case;note\r\n"
                             "# a comment\r\n"
                             "\r\n"
                             "  a ; \"two\r\nlines\" \r\n"
                             ";;\n" // a spreadsheet's empty row
                             "\"#b\";\"say \"\"hi\"\"\"\n"
                             "c;";
    const CsvTable t = ParseCsv(text);
    EXPECT_EQ(t.header.cells, (Cells{"case", "note"}));
    EXPECT_EQ(t.header.line, 1);
    ASSERT_EQ(t.rows.size(), 3u);
    EXPECT_EQ(t.rows[0].line, 4);
    EXPECT_EQ(t.rows[0].cells, (Cells{"a", "two\r\nlines"}));
    EXPECT_EQ(t.rows[1].line, 7);
    EXPECT_EQ(t.rows[1].cells, (Cells{"#b", "say \"hi\""}));
    EXPECT_EQ(t.rows[2].line, 8);
    EXPECT_EQ(t.rows[2].cells, (Cells{"c", ""}));
}

TEST(BatchCsvTest, UnclosedQuoteNamesItsRow) {
    try {
        ParseCsv("a;b\n1;2\n3;\"open\n4;5\n");
        FAIL() << "no error";
    } catch (const Error& e) {
        EXPECT_EQ(e.message(), Message("cli.batch.unclosed_quote", {"3"}));
    }
}

TEST(BatchCsvTest, LinesReadBackToTheSameCells) {
    const Cells cells{"plain", "", "a;b", "say \"hi\"", " padded ", "two\nlines", "1.5e-3"};
    const std::string line = CsvLine(cells, ';');
    EXPECT_EQ(line, "plain;;\"a;b\";\"say \"\"hi\"\"\";\" padded \";\"two\nlines\";1.5e-3\n");
    const CsvTable t = ParseCsv("a;b;c;d;e;f;g\n" + line);
    ASSERT_EQ(t.rows.size(), 1u);
    EXPECT_EQ(t.rows[0].cells, cells);
    // A first cell that would read as a comment is quoted.
    EXPECT_EQ(CsvLine({"#1", "x"}, ';'), "\"#1\";x\n");
}

TEST(BatchCsvTest, ColumnNamesIgnoreLetterCase) {
    EXPECT_TRUE(SameColumnName("H_Scale", "h_scale"));
    EXPECT_FALSE(SameColumnName("h_scale", "h_scal"));
    EXPECT_FALSE(SameColumnName("é", "É")); // only ASCII letters fold
}
