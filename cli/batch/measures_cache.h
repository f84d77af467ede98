// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "signals/records/intensity_measures.h"

#include <cstddef>
#include <deque>
#include <mutex>
#include <vector>

namespace quibel::cli {

/// The intensity measures of the base accelerations the cases of a batch run, formed once per
/// distinct signal: the cases of a study that share a record and a scale and differ only in
/// the dam's parameters get the measures of the first of them. Safe to use from several
/// threads at once.
class MeasuresCache final {
public:
    /// The measures of accelerations (g) sampled every dt (s), as ComputeIntensityMeasures
    /// gives them. A signal equal to an earlier one to the last bit (samples and step) gets
    /// the measures formed for it, as long as the cache still holds it: the cache keeps the
    /// latest signals up to kMaxSamples samples in all.
    IntensityMeasures measures(const std::vector<double>& accelerations, double dt);

    static constexpr std::size_t kMaxSamples = std::size_t{1} << 22;

private:
    struct Entry {
        std::size_t hash;
        double dt;
        std::vector<double> accelerations;
        IntensityMeasures measures;
    };

    std::mutex mMutex;
    std::deque<Entry> mEntries; ///< oldest first
    std::size_t mSamples = 0;   ///< samples held by mEntries
};

} // namespace quibel::cli
