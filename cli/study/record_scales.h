// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/batch/inputs.h"
#include "numeric/message.h"
#include "study/study_description.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace quibel::cli {

/// A record of the suite that cannot be used: its line in the study, and why (the reader's
/// message, the file it is about).
struct RecordProblem final {
    int line = 0;
    Message message;
    std::string file;
};

/// The intensity (g) of each record of the suite as the project runs it at scale 1 (its
/// history's scale factor, offset and correction applied): the largest |acceleration|, or
/// the peak absolute acceleration of the elastic oscillator of the study's period and
/// damping. Sets problem and returns nothing for a record that cannot be read or has no
/// motion.
std::optional<std::vector<double>> RecordIntensities(const study::StudyDescription& study,
                                                     BatchInputs& inputs,
                                                     std::optional<RecordProblem>& problem);

} // namespace quibel::cli
