// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/project_record.h"

#include <string_view>
#include <vector>

namespace quibel {

/// Whether "Analyse" may open the progress window: the geometry was confirmed and at least
/// one of the four time histories was defined.
bool modelComplete(const TBlocStatic& model) noexcept;

/// What keeps "Analyse" closed, as the catalogue keys of one line each, in the order the user
/// would set them; empty when modelComplete.
std::vector<std::string_view> missingForAnalysis(const TBlocStatic& model);

/// Whether the result views may open: ResultsValid is set and the last analysis left at
/// least one result series. Result series are not saved in project files, so the flag alone
/// never lets a view read series that are not there.
bool resultsAvailable(const TBlocStatic& model) noexcept;

} // namespace quibel
