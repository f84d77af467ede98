// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/chart_series.h"

namespace quibel {

ChartSeries::ChartSeries(SeriesSamples samples, std::shared_ptr<const void> owner)
    : mSamples(samples), mOwner(std::move(owner)) {}

std::shared_ptr<const ChartSeries> ChartSeries::owning(std::vector<double> values, double start,
                                                       double step) {
    auto owned = std::make_shared<const std::vector<double>>(std::move(values));
    return std::make_shared<const ChartSeries>(SeriesSamples{start, step, *owned}, owned);
}

std::shared_ptr<const ChartSeries> ChartSeries::owning(std::vector<double> times,
                                                       std::vector<double> values) {
    struct Owned final {
        std::vector<double> times;
        std::vector<double> values;
    };
    auto owned = std::make_shared<const Owned>(Owned{std::move(times), std::move(values)});
    return std::make_shared<const ChartSeries>(SeriesSamples{0.0, 1.0, owned->values, owned->times},
                                               owned);
}

const SeriesEnvelope& ChartSeries::envelope(double lo, double hi, long long count) const {
    const Key key{lo, hi, count};
    if (!mCached || !(key == mKey)) {
        mEnvelope = buildEnvelope(mSamples, lo, hi, count);
        mKey = key;
        mCached = true;
    }
    return mEnvelope;
}

} // namespace quibel
