// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/project_record.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace quibel {

/// Whether "Analyse" may open the progress window: the geometry was confirmed and at least
/// one of the four time histories was defined.
bool modelComplete(const TBlocStatic& model) noexcept;

/// What keeps "Analyse" closed, as the catalogue keys of one line each, in the order the user
/// would set them; empty when modelComplete.
std::vector<std::string_view> missingForAnalysis(const TBlocStatic& model);

/// The memory the result series of a run of model will hold.
struct ResultMemory final {
    std::int64_t samples = 0; ///< stored samples of each series
    int series = 0;           ///< series the analysis kind fills
    std::int64_t bytes = 0;   ///< samples x series x 8
    /// The smallest save step (a whole number of time steps, s) that keeps bytes under
    /// kLargeResultBytes.
    double sufficientSaveStep = 0.0;
};

/// Above this the program warns before a run: the results would crowd the memory of an
/// ordinary computer and every view of them would be slow.
inline constexpr std::int64_t kLargeResultBytes = 300'000'000;

ResultMemory resultMemory(const TBlocStatic& model) noexcept;

/// Whether the result views may open: ResultsValid is set and the last analysis left at
/// least one result series. Result series are not saved in project files, so the flag alone
/// never lets a view read series that are not there.
bool resultsAvailable(const TBlocStatic& model) noexcept;

} // namespace quibel
