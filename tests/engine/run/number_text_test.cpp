// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/run/number_text.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <limits>
#include <random>

namespace quibel {
namespace {

// What the C++ library writes for "%.<decimals>f": the text every fixed number must equal.
std::string libraryFixed(double value, int decimals) {
    char buffer[400];
    const auto r =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    return std::string(buffer, r.ptr);
}

// The text writeFixed forms in a buffer of its own.
std::string writtenFixed(double value, int decimals) {
    char buffer[kNumberTextRoom];
    return std::string(buffer, writeFixed(buffer, value, decimals));
}

TEST(NumberTextTest, FixedTextsAreTheLibrarysAtTiesSignsAndLimits) {
    const double inf = std::numeric_limits<double>::infinity();
    const struct {
        double value;
        int decimals;
    } cases[] = {
        {0.125, 2},
        {0.375, 2},
        {2.5, 0},
        {3.5, 0},
        {-0.5, 0}, // exact ties
        {1.005, 2},
        {0.015, 2},
        {2.675, 2},
        {1e-300, 8}, // ties only in decimal
        {-0.0, 8},
        {0.0, 0},
        {-1e-9, 3},
        {-0.0049, 2}, // rounded to a zero
        {0.999999999, 8},
        {9.9999999995, 9},
        {99.5, 0}, // carries
        {9999.99999, 4},
        {-999999999999999.0, 0}, // the integer's digits at and past a power of ten
        {1e15, 0},
        {0.05, 1},
        {4503599627370495.5, 0},
        {4503599627370496.0, 1},
        {1e22, 3}, // past the integer
        {123.456, 17},
        {0.1, 18},
        {600.0001, 5},
        {-28.58, 4},
        {inf, 3},
        {-inf, 3},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(fixedText(c.value, c.decimals), libraryFixed(c.value, c.decimals))
            << c.value << " with " << c.decimals << " decimals";
        EXPECT_EQ(writtenFixed(c.value, c.decimals), libraryFixed(c.value, c.decimals));
    }
}

// Values of every magnitude the grids hold, with every count of decimals they use.
TEST(NumberTextTest, FixedTextsAreTheLibrarysForRandomValues) {
    std::mt19937_64 random(20261210);
    std::uniform_real_distribution<double> mantissa(-10.0, 10.0);
    std::uniform_int_distribution<int> exponent(-12, 14);
    for (int i = 0; i < 200000; ++i) {
        const double value = mantissa(random) * std::pow(10.0, exponent(random));
        const int decimals = i % 19;
        const std::string expected = libraryFixed(value, decimals);
        ASSERT_EQ(fixedText(value, decimals), expected) << value << " with " << decimals;
        ASSERT_EQ(writtenFixed(value, decimals), expected) << value << " with " << decimals;
    }
    EXPECT_EQ(fixedText(std::nan(""), 2), libraryFixed(std::nan(""), 2));
    EXPECT_EQ(fixedText(1.5, 3, 8), "   1.500");
}

} // namespace
} // namespace quibel
