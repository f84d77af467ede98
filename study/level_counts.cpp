// SPDX-License-Identifier: GPL-3.0-or-later
#include "study/level_counts.h"

namespace quibel::study {

bool PastLimit(const DamageLimit& limit, double response) noexcept {
    return limit.above ? response > limit.threshold : response < limit.threshold;
}

std::vector<LevelCount> CountPastLimit(const DamageLimit& limit,
                                       const std::vector<double>& intensities,
                                       const std::vector<int>& levels,
                                       const std::vector<std::optional<double>>& responses) {
    std::vector<LevelCount> counts;
    for (double im : intensities)
        counts.push_back({im, 0, 0});
    for (std::size_t i = 0; i < responses.size() && i < levels.size(); ++i) {
        if (!responses[i])
            continue;
        LevelCount& c = counts.at(static_cast<std::size_t>(levels[i]));
        ++c.cases;
        if (PastLimit(limit, *responses[i]))
            ++c.past;
    }
    return counts;
}

} // namespace quibel::study
