// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "study/study_description.h"

#include <string>
#include <vector>

namespace quibel::study {

/// One analysis of a study: a record of the suite, scaled to a level, with a parameter set.
struct StudyCase final {
    int record = 0;   ///< index in the suite
    int level = 0;    ///< index in the intensity levels
    int set = 0;      ///< index in the parameter sets
    std::string name; ///< "<record>-L<level>-S<set>", numbered from 1 with leading zeros
};

/// The cases of a study and the parameter sets they use.
struct StudyPlan final {
    std::vector<std::vector<double>> sets; ///< ParameterSets(study)
    std::vector<StudyCase> cases; ///< records, then levels, then sets: the set varies fastest
};

StudyPlan PlanStudy(const StudyDescription& study);

} // namespace quibel::study
