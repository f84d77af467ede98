// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quibel::cli {

/// The shortest text that reads back to the same double ("0.1", "1e-05", "-3"), with "." as
/// the decimal separator whatever the locale. Not-a-number and infinities give "nan", "inf"
/// and "-inf".
std::string ShortestText(double value);

/// A finite decimal number written with "." (an optional sign and exponent, as in "-1.5e-3"),
/// or nothing for any other text (blanks included, decimal commas, "nan").
std::optional<double> ParseFiniteNumber(std::string_view text) noexcept;

} // namespace quibel::cli
