// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/study/study_outputs.h"
#include "documents/study_plots.h"

#include <filesystem>
#include <vector>

namespace quibel::cli {

/// The charts of a study's findings, in folder: per limit its fragility curve with the
/// observed fractions (fragility-<limit>) and a histogram of the responses at each level
/// (histogram-<limit>-L<level>), and per record and limit the responses of every parameter
/// set against intensity (incremental-<record>-<limit>).
std::vector<StudyChart> StudyCharts(const study::StudyDescription& study,
                                    const study::StudyPlan& plan, const StudyFindings& findings,
                                    const std::filesystem::path& folder, Language language);

} // namespace quibel::cli
