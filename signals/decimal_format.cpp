// SPDX-License-Identifier: GPL-3.0-or-later
#include "signals/decimal_format.h"

#include <array>
#include <charconv>

namespace quibel {

namespace {
std::string fixed(double value, int decimals) {
    // Enough for the 309 integer digits of the largest double and the decimals.
    std::array<char, 360> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::fixed, decimals);
    return std::string(buffer.data(), result.ptr);
}
} // namespace

std::string FormatFixed(double value, int width, int decimals) {
    std::string text = fixed(value, decimals);
    if (static_cast<int>(text.size()) < width)
        text.insert(0, static_cast<std::size_t>(width) - text.size(), ' ');
    return text;
}

std::string FormatDecimals(double value, int minDecimals, int maxDecimals) {
    std::string text = fixed(value, maxDecimals);
    const auto point = text.find('.');
    if (point == std::string::npos)
        return text; // inf, nan, or no decimals asked
    std::size_t keep = text.size();
    const std::size_t minimum = point + 1 + static_cast<std::size_t>(minDecimals);
    while (keep > minimum && text[keep - 1] == '0')
        --keep;
    if (keep == point + 1)
        keep = point;
    text.resize(keep);
    if (text == "-0")
        text = "0"; // a value rounded to zero carries no sign
    return text;
}

} // namespace quibel
