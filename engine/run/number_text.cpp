// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/run/number_text.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace quibel {

namespace {

inline void appendPadded(std::string& out, const char* first, const char* last, int width) {
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

// 10^0 to 10^19, the powers of ten an unsigned 64-bit integer holds.
constexpr auto kIntegerPowersOfTen = [] {
    std::array<std::uint64_t, 20> powers{};
    powers[0] = 1;
    for (std::size_t i = 1; i < powers.size(); ++i)
        powers[i] = powers[i - 1] * 10;
    return powers;
}();

// The count of digits of v (none for 0): its bits times log10(2) (1233 / 4096) is the count or
// one less, which one comparison tells.
int digitCount(std::uint64_t v) {
    const int bits = 64 - std::countl_zero(v);
    const int guess = (bits * 1233) >> 12;
    return guess + (v >= kIntegerPowersOfTen[static_cast<std::size_t>(guess)] ? 1 : 0);
}

constexpr char kDigitPairs[] = "00010203040506070809101112131415161718192021222324"
                               "25262728293031323334353637383940414243444546474849"
                               "50515253545556575859606162636465666768697071727374"
                               "75767778798081828384858687888990919293949596979899";

// The two digits of r < 100, written so that they end at end; returns their first.
char* writeTwoDigits(char* end, std::uint64_t r) {
    end -= 2;
    std::memcpy(end, kDigitPairs + 2 * r, 2);
    return end;
}

// The four digits of r < 10000, written so that they end at end; returns their first.
char* writeFourDigits(char* end, std::uint32_t r) {
    return writeTwoDigits(writeTwoDigits(end, r % 100), r / 100);
}

// Splits off the last four digits of v: v becomes v / 10000, the digits are returned. Four
// digits a step, so that the chain of divisions from one step to the next (each a
// multiplication by the constant's inverse) is half as long as two at a time.
std::uint32_t takeFour(std::uint64_t& v) {
    const std::uint64_t q = v / 10000;
    const auto r = static_cast<std::uint32_t>(v - q * 10000);
    v = q;
    return r;
}

// The count last digits of v, zeros in front, written backwards so that they end at end and
// taken off v; returns their first. Dividing by constants is a multiplication, where splitting
// v at a power of ten chosen at run time would be a division.
char* takeDigitsBackwards(char* end, std::uint64_t& v, int count) {
    for (; count >= 4; count -= 4)
        end = writeFourDigits(end, takeFour(v));
    if (count >= 2) {
        end = writeTwoDigits(end, v % 100);
        v /= 100;
        count -= 2;
    }
    if (count == 1) {
        *--end = static_cast<char>('0' + v % 10);
        v /= 10;
    }
    return end;
}

// All the digits of v, at least one, written backwards so that they end at end; returns their
// first.
char* writeDigitsBackwards(char* end, std::uint64_t v) {
    while (v >= 10000)
        end = writeFourDigits(end, takeFour(v));
    if (v >= 100) {
        end = writeTwoDigits(end, v % 100);
        v /= 100;
    }
    if (v >= 10)
        return writeTwoDigits(end, v);
    *--end = static_cast<char>('0' + v);
    return end;
}

// Fixed notation through one integer, the value scaled by 10^decimals and rounded: a few times
// faster than std::to_chars and the same text. The integer is the rounding of the exact
// product, whose error the fused multiply-add gives; a product too large for an exact fraction,
// or one within that error of a half (where to_chars's rounding of ties decides), is left to
// to_chars: returns nullptr then. The length of the text is known from the integer's digits, so
// its digits are written backwards from its end straight where they belong: a text written
// elsewhere and copied would be read back before its small stores have landed, which stalls.
// Built for processors with and without the fused multiply-add instruction: without it,
// std::fma is a call into the mathematics library.
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
__attribute__((target_clones("fma", "default")))
#endif
char* fixedByInteger(char* out, double value, int decimals) {
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
    // At least one digit before the point, a zero when the value is below one.
    const int before = std::max(digitCount(digits) - decimals, 1);
    char* const end =
        out + (std::signbit(value) ? 1 : 0) + before + (decimals > 0 ? 1 : 0) + decimals;
    char* first = takeDigitsBackwards(end, digits, decimals);
    if (decimals > 0)
        *--first = '.';
    first = writeDigitsBackwards(first, digits);
    if (std::signbit(value))
        *--first = '-';
    return end;
}

char* writeFormatted(char* out, double value, std::chars_format format, int precision) {
    if (format == std::chars_format::fixed) {
        if (char* const end = fixedByInteger(out, value, precision))
            return end;
    }
    const auto result = std::to_chars(out, out + kNumberTextRoom, value, format, precision);
    if (result.ec != std::errc()) {
        *out = '?';
        return out + 1;
    }
    return result.ptr;
}

void appendFormatted(std::string& out, double value, std::chars_format format, int precision) {
    char buffer[kNumberTextRoom];
    out.append(buffer, writeFormatted(buffer, value, format, precision));
}

} // namespace

char* writeFixed(char* out, double value, int decimals) {
    return writeFormatted(out, value, std::chars_format::fixed, std::clamp(decimals, 0, 40));
}

char* writeGeneral17(char* out, double value) {
    return writeFormatted(out, value, std::chars_format::general, 17);
}

void appendFixed(std::string& out, double value, int decimals, int width) {
    char buffer[kNumberTextRoom];
    appendPadded(out, buffer, writeFixed(buffer, value, decimals), width);
}

void appendScientific(std::string& out, double value) {
    appendFormatted(out, value, std::chars_format::scientific, 6);
}

void appendGeneral17(std::string& out, double value) {
    char buffer[kNumberTextRoom];
    out.append(buffer, writeGeneral17(buffer, value));
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
