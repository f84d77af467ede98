// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "chart/series_envelope.h"

#include <memory>
#include <vector>

namespace quibel {

/// A series a chart draws as one element: its samples are read where they live (the results
/// of a run, a loaded record), never copied into the chart, and the chart paints the min/max
/// envelope of the visible range at one column per pixel. The envelope of the last range is
/// kept, so that repaints at the same zoom and size do not read the samples again.
///
/// The samples must outlive the series, or be owned through owner.
class ChartSeries final {
public:
    explicit ChartSeries(SeriesSamples samples, std::shared_ptr<const void> owner = {});

    /// A series owning its values, evenly spaced.
    static std::shared_ptr<const ChartSeries> owning(std::vector<double> values, double start,
                                                     double step);
    /// A series owning its values and their abscissae (as many, never decreasing).
    static std::shared_ptr<const ChartSeries> owning(std::vector<double> times,
                                                     std::vector<double> values);

    const SeriesSamples& samples() const noexcept { return mSamples; }
    std::size_t size() const noexcept { return mSamples.values.size(); }

    /// buildEnvelope(samples(), lo, hi, count), reused while the arguments stay the same.
    const SeriesEnvelope& envelope(double lo, double hi, long long count) const;

private:
    struct Key final {
        double lo = 0.0;
        double hi = 0.0;
        long long count = 0;
        bool operator==(const Key&) const = default;
    };

    SeriesSamples mSamples;
    std::shared_ptr<const void> mOwner;
    mutable bool mCached = false;
    mutable Key mKey;
    mutable SeriesEnvelope mEnvelope;
};

} // namespace quibel
