// SPDX-License-Identifier: GPL-3.0-or-later
#include "reporting/report_numbers.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

using namespace quibel;

// The texts of the report and of the results file, worked out by hand from "%W.De" with the
// report's exponent of at least three digits.
TEST(ReportNumbersTest, ScientificAndFixedTextsAppendedOrWhole) {
    struct Case {
        double value;
        int width, digits;
        char separator;
        const char* text;
    } cases[] = {
        {15473.2, 15, 8, '.', " 1.5473200E+004"},
        {-2.5e-7, 0, 3, '.', "-2.50E-007"},
        {0.0, 14, 7, '.', " 0.000000E+000"},
        {1e300, 0, 4, ',', "1,000E+300"},
        {std::numeric_limits<double>::quiet_NaN(), 5, 7, '.', "  nan"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(reportScientific(c.value, c.width, c.digits, c.separator), c.text) << c.text;
        std::string out = "x;";
        appendReportScientific(out, c.value, c.width, c.digits, c.separator);
        EXPECT_EQ(out, std::string("x;") + c.text);
    }
    std::string out = "t=";
    appendReportFixed(out, 0.12345, 9, 3, ',');
    EXPECT_EQ(out, "t=    0,123");
    EXPECT_EQ(reportFixed(-1.5, 0, 2), "-1.50");
}
