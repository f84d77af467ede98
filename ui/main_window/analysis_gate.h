#pragma once

#include "model/project_record.h"

namespace quibel {

/// Whether "Analyse" may open the progress window: the geometry was confirmed and at least
/// one of the four time histories was defined.
bool modelComplete(const TBlocStatic& model) noexcept;

/// Whether the result views may open: ResultsValid is set and the last analysis left at
/// least one result series. Result series are not saved in project files, so the flag alone
/// never lets a view read series that are not there.
bool resultsAvailable(const TBlocStatic& model) noexcept;

} // namespace quibel
