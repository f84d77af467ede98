// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/batch/number.h"

#include "signals/number_stream_reader.h"

#include <charconv>
#include <cmath>

namespace quibel::cli {

std::string ShortestText(double value) {
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::optional<double> ParseFiniteNumber(std::string_view text) noexcept {
    const std::optional<double> v = ParseDecimalToken(text);
    if (!v || !std::isfinite(*v))
        return std::nullopt;
    return v;
}

} // namespace quibel::cli
