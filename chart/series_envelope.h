// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <span>
#include <vector>

namespace quibel {

/// The samples of a series: value i lies at times[i] when times are given (as many, never
/// decreasing), otherwise at start + i * step (step > 0).
struct SeriesSamples final {
    double start = 0.0;
    double step = 1.0;
    std::span<const double> values;
    std::span<const double> times = {};

    double abscissa(std::size_t i) const noexcept {
        return times.empty() ? start + static_cast<double>(i) * step : times[i];
    }
};

/// The samples of one pixel column of a plot.
struct EnvelopeColumn final {
    long long column = 0;   ///< its number: it spans [origin + column w, origin + (column + 1) w)
    double first = 0.0;     ///< value of its first finite sample
    double last = 0.0;      ///< value of its last finite sample
    double low = 0.0;       ///< smallest finite value
    double high = 0.0;      ///< largest finite value
    bool gapBefore = false; ///< a sample that is not finite lies before its first finite one
};

/// What a plot draws of a series over an abscissa range cut into columns of equal width: the
/// smallest and largest value of each column, so that no extreme is lost however many samples
/// share a pixel, or, when there are about as few samples as columns, the samples themselves.
struct SeriesEnvelope final {
    double origin = 0.0; ///< abscissa where column 0 starts
    double width = 1.0;  ///< abscissa span of one column
    /// Samples [begin, end) fall in the range; begin - 1 and end, when they exist, are the
    /// neighbours outside it that the line runs to.
    std::size_t begin = 0;
    std::size_t end = 0;
    /// True when the plot draws samples [begin, end) one by one; columns is then empty.
    bool samplesOnly = true;
    /// The columns holding at least one finite sample, in increasing order.
    std::vector<EnvelopeColumn> columns;
};

/// The envelope of series over [lo, hi) in count columns of width w = (hi - lo) / count
/// (lo < hi, count > 0). Above kSamplesPerColumn samples a column on average the
/// columns are built, below it the samples are drawn one by one. Reads only the samples in
/// the range, once.
SeriesEnvelope buildEnvelope(const SeriesSamples& series, double lo, double hi, long long count);

/// Samples a column must hold on average for the envelope to replace them.
inline constexpr double kSamplesPerColumn = 2.0;

} // namespace quibel
