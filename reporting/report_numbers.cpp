// SPDX-License-Identifier: GPL-3.0-or-later
#include "reporting/report_numbers.h"

#include "engine/run/number_text.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>

namespace quibel {

namespace {

std::string alignRight(std::string s, int width) {
    const auto w = static_cast<std::size_t>(std::max(width, 0));
    if (s.size() < w)
        s.insert(0, w - s.size(), ' ');
    return s;
}

void replaceSeparator(std::string& s, char decimalSeparator) {
    if (decimalSeparator != '.')
        std::replace(s.begin(), s.end(), '.', decimalSeparator);
}

} // namespace

std::string reportFixed(double value, int width, int decimals, char decimalSeparator) {
    std::string s = fixedText(value, decimals, width);
    replaceSeparator(s, decimalSeparator);
    return s;
}

std::string reportScientific(double value, int width, int digits, char decimalSeparator) {
    char buffer[64];
    const int precision = std::clamp(digits, 1, 30) - 1;
    const auto r = std::to_chars(buffer, buffer + sizeof buffer, value,
                                 std::chars_format::scientific, precision);
    std::string s = r.ec == std::errc() ? std::string(buffer, r.ptr) : std::string("?");
    // to_chars writes "1.5473200e+04"; the report's exponent has at least three digits.
    const auto e = s.find('e');
    if (e != std::string::npos && e + 2 <= s.size()) {
        const std::string mantissa = s.substr(0, e);
        const char sign = s[e + 1];
        std::string exponent = s.substr(e + 2);
        if (exponent.size() < 3)
            exponent.insert(0, 3 - exponent.size(), '0');
        s = mantissa + 'E' + sign + exponent;
    }
    replaceSeparator(s, decimalSeparator);
    return alignRight(std::move(s), width);
}

std::size_t utf8Length(const std::string& s) noexcept {
    return static_cast<std::size_t>(std::count_if(
        s.begin(), s.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

std::string padRight(const std::string& s, std::size_t width) {
    const std::size_t n = utf8Length(s);
    return n >= width ? s : s + std::string(width - n, ' ');
}

} // namespace quibel
