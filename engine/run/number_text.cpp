// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/run/number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>

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

void appendFormatted(std::string& out, double value, std::chars_format format, int precision,
                     int width) {
    char buffer[kBufferSize];
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
