// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "study/study_description.h"
#include "study/study_plan.h"

#include <string>
#include <vector>

namespace quibel::cli {

/// The batch case table of a study's cases ("case", "project", the record columns its suite
/// needs with their h_ or v_ prefix, the scale of each record to its level, a column per
/// parameter), separated by ";", with absolute paths. scales[r][l] is the factor that takes
/// record r to level l.
std::string StudyCaseTable(const study::StudyDescription& study, const study::StudyPlan& plan,
                           const std::vector<std::vector<double>>& scales);

/// The table of one case per record at scale 1 with no parameter set, whose models give the
/// records' own intensities.
std::string StudyRecordTable(const study::StudyDescription& study);

} // namespace quibel::cli
