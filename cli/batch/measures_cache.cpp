// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/batch/measures_cache.h"

#include <cstring>
#include <functional>
#include <string_view>

namespace quibel::cli {

namespace {

// Bits, not values: a -0 or a NaN sample is a different signal from a 0 or another NaN.
bool sameBits(const std::vector<double>& a, const std::vector<double>& b) {
    return a.size() == b.size() &&
           (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(double)) == 0);
}

std::size_t hashOf(const std::vector<double>& accelerations, double dt) {
    const std::string_view bits(reinterpret_cast<const char*>(accelerations.data()),
                                accelerations.size() * sizeof(double));
    return std::hash<std::string_view>{}(bits) ^ std::hash<double>{}(dt);
}

} // namespace

IntensityMeasures MeasuresCache::measures(const std::vector<double>& accelerations, double dt) {
    const std::size_t key = hashOf(accelerations, dt);
    {
        const std::lock_guard lock(mMutex);
        for (const Entry& e : mEntries)
            if (e.hash == key && std::memcmp(&e.dt, &dt, sizeof dt) == 0 &&
                sameBits(e.accelerations, accelerations))
                return e.measures;
    }
    // Formed outside the lock, so that the other threads go on; two threads that meet the same
    // new signal at once both form its measures, the same ones.
    IntensityMeasures m = ComputeIntensityMeasures(accelerations, dt);
    const std::lock_guard lock(mMutex);
    if (accelerations.size() > kMaxSamples)
        return m;
    mEntries.push_back(Entry{key, dt, accelerations, m});
    mSamples += accelerations.size();
    while (mSamples > kMaxSamples) {
        mSamples -= mEntries.front().accelerations.size();
        mEntries.pop_front();
    }
    return m;
}

} // namespace quibel::cli
