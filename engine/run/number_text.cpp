// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/run/number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>

namespace quibel {

namespace {

// Large enough for any double in fixed notation with up to 40 decimals (1.8e308 has 309
// digits before the point).
constexpr std::size_t kBufferSize = 400;

void appendPadded(std::string& out, const char* first, const char* last, int width) {
    const int length = static_cast<int>(last - first);
    if (width > length)
        out.append(static_cast<std::size_t>(width - length), ' ');
    out.append(first, last);
}

// The decimals up to which value x 10^decimals is formed exactly enough in a double.
constexpr int kIntegerDecimals = 17;
constexpr double kPowersOfTen[kIntegerDecimals + 1] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,
                                                       1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                                       1e12, 1e13, 1e14, 1e15, 1e16, 1e17};

// Fixed notation through one integer, the value scaled by 10^decimals and rounded: a few times
// faster than std::to_chars and the same text. The integer is the rounding of the exact
// product, whose error the fused multiply-add gives; a product too large for an exact fraction,
// or one within that error of a half (where to_chars's rounding of ties decides), is left to
// to_chars: returns nullptr then.
char* fixedByInteger(char* buffer, double value, int decimals) {
    if (decimals > kIntegerDecimals)
        return nullptr;
    const double scale = kPowersOfTen[decimals];
    const double magnitude = std::fabs(value);
    const double product = magnitude * scale;
    if (!(product < 0x1p52))
        return nullptr; // also NaN and infinities
    const double error = std::fma(magnitude, scale, -product);
    const double whole = std::floor(product);
    const double fraction = product - whole;
    if (std::fabs(fraction - 0.5) <= std::fabs(error))
        return nullptr;
    auto digits = static_cast<std::uint64_t>(whole) + (fraction > 0.5 ? 1U : 0U);
    // The digits from the last one backwards, then the sign.
    char reversed[40];
    int n = 0;
    for (int i = 0; i < decimals; ++i, digits /= 10)
        reversed[n++] = static_cast<char>('0' + digits % 10);
    if (decimals > 0)
        reversed[n++] = '.';
    do {
        reversed[n++] = static_cast<char>('0' + digits % 10);
        digits /= 10;
    } while (digits != 0);
    char* p = buffer;
    if (std::signbit(value))
        *p++ = '-';
    while (n > 0)
        *p++ = reversed[--n];
    return p;
}

void appendFormatted(std::string& out, double value, std::chars_format format, int precision,
                     int width) {
    char buffer[kBufferSize];
    if (format == std::chars_format::fixed) {
        if (char* end = fixedByInteger(buffer, value, precision)) {
            appendPadded(out, buffer, end, width);
            return;
        }
    }
    const auto result = std::to_chars(buffer, buffer + kBufferSize, value, format, precision);
    if (result.ec != std::errc()) {
        static constexpr char kUnprintable[] = "?";
        appendPadded(out, kUnprintable, kUnprintable + 1, width);
        return;
    }
    appendPadded(out, buffer, result.ptr, width);
}

} // namespace

void appendFixed(std::string& out, double value, int decimals, int width) {
    appendFormatted(out, value, std::chars_format::fixed, std::clamp(decimals, 0, 40), width);
}

void appendScientific(std::string& out, double value) {
    appendFormatted(out, value, std::chars_format::scientific, 6, 0);
}

void appendGeneral17(std::string& out, double value) {
    appendFormatted(out, value, std::chars_format::general, 17, 0);
}

std::string fixedText(double value, int decimals, int width) {
    std::string s;
    appendFixed(s, value, decimals, width);
    return s;
}

std::string scientificText(double value) {
    std::string s;
    appendScientific(s, value);
    return s;
}

std::string general17Text(double value) {
    std::string s;
    appendGeneral17(s, value);
    return s;
}

} // namespace quibel
