// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/results/results_plot_range.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

namespace quibel {

ResultsOrdinate ResultsOrdinateRange(std::span<const double> values) noexcept {
    double lo = std::numeric_limits<double>::infinity();
    double hi = -lo;
    for (double v : values) {
        if (std::isfinite(v)) {
            lo = std::min(lo, v);
            hi = std::max(hi, v);
        }
    }
    if (!(lo <= hi))
        lo = hi = 0.0;
    if (lo == hi) {
        if (lo == 0.0) {
            lo = -1.0;
            hi = 1.0;
        } else {
            const double c = 1.1 * lo;
            lo = std::min(0.0, c);
            hi = std::max(0.0, c);
        }
    }
    const double margin = 0.05 * (hi - lo);
    return {lo, hi, lo - margin, hi + margin};
}

std::string exponentLabel(double value, char decimalSeparator, bool lowercase) {
    char buffer[64];
    // printf's "%.4E" has the same shape: at least two exponent digits.
    std::snprintf(buffer, sizeof buffer, lowercase ? "%.4e" : "%.4E", value);
    std::string s(buffer);
    // The C library writes the locale's separator; the program's own is put in its place.
    for (char& c : s)
        if (c == '.' || c == ',')
            c = decimalSeparator;
    return s;
}

} // namespace quibel
