// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/series_envelope.h"

#include <algorithm>
#include <cmath>

namespace quibel {

namespace {

// Index of the first sample at or after abscissa x, clamped to [0, n].
std::size_t firstIndexAtOrAfter(const SeriesSamples& s, double x) {
    if (!s.times.empty())
        return static_cast<std::size_t>(std::lower_bound(s.times.begin(), s.times.end(), x) -
                                        s.times.begin());
    const double i = std::ceil((x - s.start) / s.step);
    const double n = static_cast<double>(s.values.size());
    return static_cast<std::size_t>(std::clamp(i, 0.0, n));
}

class ColumnBuilder final {
public:
    explicit ColumnBuilder(std::vector<EnvelopeColumn>& out) : mOut(out) {}

    void add(long long column, double v) {
        if (!std::isfinite(v)) {
            mGap = true;
            return;
        }
        if (!mOpen || column != mCurrent.column) {
            close();
            mCurrent = {column, v, v, v, v, mGap};
            mOpen = true;
            mGap = false;
            return;
        }
        if (mGap) {
            // A break inside a column: the part after it starts a column of its own.
            close();
            mCurrent = {column, v, v, v, v, true};
            mOpen = true;
            mGap = false;
            return;
        }
        mCurrent.last = v;
        mCurrent.low = std::min(mCurrent.low, v);
        mCurrent.high = std::max(mCurrent.high, v);
    }

    void close() {
        if (mOpen)
            mOut.push_back(mCurrent);
        mOpen = false;
    }

private:
    std::vector<EnvelopeColumn>& mOut;
    EnvelopeColumn mCurrent;
    bool mOpen = false;
    bool mGap = false;
};

} // namespace

SeriesEnvelope buildEnvelope(const SeriesSamples& series, double lo, double hi, long long count) {
    SeriesEnvelope e;
    e.origin = lo;
    e.width = (hi - lo) / static_cast<double>(std::max(count, 1LL));
    e.begin = firstIndexAtOrAfter(series, lo);
    e.end = std::max(e.begin, firstIndexAtOrAfter(series, hi));
    const double inRange = static_cast<double>(e.end - e.begin);
    e.samplesOnly = inRange <= kSamplesPerColumn * static_cast<double>(count);
    if (e.samplesOnly)
        return e;
    // The column of each sample follows from its abscissa, not from a running sum, so that
    // long series do not drift from the pixels.
    ColumnBuilder builder(e.columns);
    for (std::size_t i = e.begin; i < e.end; ++i) {
        const double at = (series.abscissa(i) - lo) / e.width;
        const auto column = std::clamp(static_cast<long long>(std::floor(at)), 0LL, count - 1);
        builder.add(column, series.values[i]);
    }
    builder.close();
    return e;
}

} // namespace quibel
