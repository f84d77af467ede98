// SPDX-License-Identifier: GPL-3.0-or-later
#include "numeric/last_call.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace quibel;

// The result is formed again whenever an argument differs in any bit, so that what is read
// back is always what the function gives for exactly those arguments: 1 / x tells 0 from -0.
TEST(LastCallTest, ReadsBackOnlyForTheSameBits) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    LastCall<double, 2> memo;
    int calls = 0;
    auto inverse = [&](double x, double y) {
        return memo.get({x, y}, [&] {
            ++calls;
            return 1.0 / x + y;
        });
    };
    struct Case {
        double x, y;
        double expected;
        int callsAfter;
    } cases[] = {
        {0.0, 1.0, std::numeric_limits<double>::infinity(), 1},
        {0.0, 1.0, std::numeric_limits<double>::infinity(), 1}, // read back
        {-0.0, 1.0, -std::numeric_limits<double>::infinity(), 2},
        {2.0, 1.0, 1.5, 3},
        {2.0, 1.0 + 0x1p-52, 1.5 + 0x1p-52, 4}, // the last bit of the second argument
        {2.0, nan, nan, 5},
        {2.0, nan, nan, 5},                                     // a NaN matches itself
        {0.0, 1.0, std::numeric_limits<double>::infinity(), 6}, // one entry only
    };
    for (const Case& c : cases) {
        const double got = inverse(c.x, c.y);
        if (std::isnan(c.expected))
            EXPECT_TRUE(std::isnan(got));
        else
            EXPECT_EQ(got, c.expected) << c.x << ' ' << c.y;
        EXPECT_EQ(calls, c.callsAfter) << c.x << ' ' << c.y;
    }
}
