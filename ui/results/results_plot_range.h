// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <span>
#include <string>

namespace quibel {

/// The ordinate of a plot of the results viewer.
struct ResultsOrdinate final {
    double minimum = -1.0; ///< smallest value, as the "Min. =" label shows it
    double maximum = 1.0;  ///< largest value, as the "Max. =" label shows it
    double low = -1.1;     ///< bottom of the drawn range: minimum less 5 % of the spread
    double high = 1.1;     ///< top of the drawn range: maximum plus 5 % of the spread
};

/// The extremes of values and the drawn range with its 5 % margins. A series that is 0
/// throughout (or empty) takes -1 and 1; one that is c everywhere takes min(0, 1.1 c) and
/// max(0, 1.1 c), so that the line lies inside the plot. Values that are not finite are
/// left out.
ResultsOrdinate ResultsOrdinateRange(std::span<const double> values) noexcept;

/// The number as "0.0000E+00" formats it: one digit, four decimals, the exponent with its sign
/// and at least two digits ("1.0000E+00", "-2.5000E-03"); lowercase "e" when asked.
std::string exponentLabel(double value, char decimalSeparator, bool lowercase = false);

} // namespace quibel
