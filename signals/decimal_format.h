// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace quibel {

// Number formatting for files and command-line output: always "." as the decimal separator,
// whatever the locale of the process, so that files read the same everywhere.

/// As printf "%<width>.<decimals>f": rounded to `decimals` places, padded on the left with
/// blanks to `width` characters.
std::string FormatFixed(double value, int width, int decimals);

/// As the mask "0." followed by minDecimals "0" and (maxDecimals - minDecimals) "#": at least
/// one integer digit, rounded to maxDecimals places, trailing zeros dropped down to
/// minDecimals places, no "." when no decimal remains ("0.######": 0.05 -> "0.05", 1 -> "1";
/// "0.0######": 1 -> "1.0").
std::string FormatDecimals(double value, int minDecimals, int maxDecimals);

} // namespace quibel
