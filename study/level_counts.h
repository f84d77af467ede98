// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "study/fragility_fit.h"
#include "study/study_description.h"

#include <optional>
#include <vector>

namespace quibel::study {

/// Whether a response (m, rad or a factor, as DamageLimit::threshold) is past the limit.
bool PastLimit(const DamageLimit& limit, double response) noexcept;

/// The counts per level of one limit: responses[i] is case i's response (nothing when the
/// case did not run or its analysis has no such response: it is not counted) and levels[i]
/// its level's index.
std::vector<LevelCount> CountPastLimit(const DamageLimit& limit,
                                       const std::vector<double>& intensities,
                                       const std::vector<int>& levels,
                                       const std::vector<std::optional<double>>& responses);

} // namespace quibel::study
