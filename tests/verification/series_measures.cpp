// SPDX-License-Identifier: GPL-3.0-or-later
#include "series_measures.h"

#include <algorithm>
#include <cmath>

namespace quibel::verification {

double LargestDifference(const std::vector<double>& a, const std::vector<double>& b) {
    double out = 0.0;
    for (std::size_t k = 0; k < std::min(a.size(), b.size()); ++k)
        out = std::max(out, std::abs(a[k] - b[k]));
    return out;
}

double LargestMagnitude(const std::vector<double>& y) {
    double out = 0.0;
    for (double v : y)
        out = std::max(out, std::abs(v));
    return out;
}

std::vector<double> SignChanges(const std::vector<double>& t, const std::vector<double>& y,
                                double from) {
    std::vector<double> out;
    for (std::size_t k = 1; k < y.size(); ++k) {
        if (t[k] <= from)
            continue;
        const double a = y[k - 1], b = y[k];
        if ((a < 0.0 && b > 0.0) || (a > 0.0 && b < 0.0))
            out.push_back(t[k - 1] + (t[k] - t[k - 1]) * a / (a - b));
        else if (a == 0.0 && b != 0.0 && k >= 2 && y[k - 2] != 0.0)
            out.push_back(t[k - 1]);
    }
    return out;
}

double PeakBetween(const std::vector<double>& t, const std::vector<double>& y, double from,
                   double to) {
    std::size_t best = 0;
    double top = -1.0;
    for (std::size_t k = 0; k < y.size(); ++k)
        if (t[k] > from && t[k] < to && std::abs(y[k]) > top) {
            top = std::abs(y[k]);
            best = k;
        }
    if (top < 0.0 || best == 0 || best + 1 >= y.size())
        return std::max(top, 0.0);
    // Vertex of the parabola through three equally spaced samples.
    const double ym = std::abs(y[best - 1]), y0 = top, yp = std::abs(y[best + 1]);
    const double den = ym - 2.0 * y0 + yp;
    if (den >= 0.0)
        return y0;
    return y0 - (yp - ym) * (yp - ym) / (8.0 * den);
}

int FirstNonZero(const std::vector<double>& y) {
    for (std::size_t k = 0; k < y.size(); ++k)
        if (y[k] != 0.0)
            return static_cast<int>(k);
    return -1;
}

RockingExcursions MeasureExcursions(const std::vector<double>& t, const std::vector<double>& theta,
                                    double from) {
    RockingExcursions e;
    e.impacts = SignChanges(t, theta, from);
    double start = from;
    for (double impact : e.impacts) {
        e.amplitudes.push_back(PeakBetween(t, theta, start, impact));
        start = impact;
    }
    return e;
}

} // namespace quibel::verification
