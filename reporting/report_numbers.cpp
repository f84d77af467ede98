// SPDX-License-Identifier: GPL-3.0-or-later
#include "reporting/report_numbers.h"

#include "engine/run/number_text.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>

namespace quibel {

void replaceDecimalSeparator(std::string& out, std::size_t from, char decimalSeparator) {
    if (decimalSeparator != '.')
        std::replace(out.begin() + static_cast<std::ptrdiff_t>(from), out.end(), '.',
                     decimalSeparator);
}

void appendReportFixed(std::string& out, double value, int width, int decimals,
                       char decimalSeparator) {
    const std::size_t from = out.size();
    appendFixed(out, value, decimals, width);
    replaceDecimalSeparator(out, from, decimalSeparator);
}

std::string reportFixed(double value, int width, int decimals, char decimalSeparator) {
    std::string s;
    appendReportFixed(s, value, width, decimals, decimalSeparator);
    return s;
}

void appendReportScientific(std::string& out, double value, int width, int digits,
                            char decimalSeparator) {
    char formed[64];
    const int precision = std::clamp(digits, 1, 30) - 1;
    const auto r = std::to_chars(formed, formed + sizeof formed, value,
                                 std::chars_format::scientific, precision);
    char text[72];
    char* end = text;
    if (r.ec != std::errc()) {
        *end++ = '?';
    } else {
        // to_chars writes "1.5473200e+04"; the report's exponent has at least three digits.
        const char* e = std::find(formed, r.ptr, 'e');
        if (e != r.ptr && e + 2 <= r.ptr) {
            end = std::copy(static_cast<const char*>(formed), e, end);
            *end++ = 'E';
            *end++ = e[1];
            const char* exponent = e + 2;
            for (auto n = r.ptr - exponent; n < 3; ++n)
                *end++ = '0';
            end = std::copy(exponent, static_cast<const char*>(r.ptr), end);
        } else {
            end = std::copy(static_cast<const char*>(formed), static_cast<const char*>(r.ptr), end);
        }
    }
    if (decimalSeparator != '.')
        std::replace(text, end, '.', decimalSeparator);
    const auto length = end - text;
    if (width > length)
        out.append(static_cast<std::size_t>(width - length), ' ');
    out.append(text, end);
}

std::string reportScientific(double value, int width, int digits, char decimalSeparator) {
    std::string s;
    appendReportScientific(s, value, width, digits, decimalSeparator);
    return s;
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
