// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/axis_ticks.h"

#include <algorithm>
#include <cmath>

namespace quibel {

AxisTicks AxisTicks::compute(double lo, double hi, int minTicks, int decPlaces) {
    AxisTicks t;
    const double a = std::min(lo, hi);
    const double b = std::max(lo, hi);
    const double span = b - a;
    if (!std::isfinite(span) || span <= 0)
        return t;
    minTicks = std::clamp(minTicks, 1, 50);
    const double raw = span / minTicks;
    const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
    int mantissa = 1;
    for (int m : {5, 2, 1}) {
        if (m * magnitude <= raw * (1 + 1e-9)) {
            mantissa = m;
            break;
        }
    }
    t.step = mantissa * magnitude;
    t.decimals =
        decPlaces >= 0 ? decPlaces : std::max(0, static_cast<int>(-std::floor(std::log10(t.step))));
    const int subdivisions = mantissa == 2 ? 4 : 5;
    const double minorStep = t.step / subdivisions;
    // Counting in whole steps from a multiple of the step keeps the labels free of the
    // rounding drift that repeated addition would bring.
    const double first = std::ceil(a / minorStep - 1e-9);
    const double last = std::floor(b / minorStep + 1e-9);
    // Far from zero a tiny range has no representable ticks; the scale then stays bare.
    const double count = last - first;
    if (!(count >= 0) || count > 2000 || std::fabs(first) > 1e15)
        return t;
    for (int i = 0; i <= static_cast<int>(count); ++i) {
        const long long k = std::llround(first) + i;
        double v = static_cast<double>(k) * minorStep;
        if (std::fabs(v) < minorStep * 1e-9)
            v = 0.0;
        if (k % subdivisions == 0)
            t.major.push_back(v);
        else
            t.minor.push_back(v);
    }
    return t;
}

} // namespace quibel
