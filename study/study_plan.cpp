// SPDX-License-Identifier: GPL-3.0-or-later
#include "study/study_plan.h"

#include "study/parameter_sets.h"

namespace quibel::study {

namespace {

// n written with as many digits as the largest number of its kind, so names sort in order.
std::string padded(std::size_t n, std::size_t largest) {
    std::string s = std::to_string(n);
    const std::size_t width = std::to_string(largest).size();
    return std::string(width - s.size(), '0') + s;
}

} // namespace

StudyPlan PlanStudy(const StudyDescription& study) {
    StudyPlan plan;
    plan.sets = ParameterSets(study);
    const std::size_t levels = study.intensity.levels.size();
    for (std::size_t r = 0; r < study.records.size(); ++r)
        for (std::size_t l = 0; l < levels; ++l)
            for (std::size_t s = 0; s < plan.sets.size(); ++s)
                plan.cases.push_back({static_cast<int>(r), static_cast<int>(l), static_cast<int>(s),
                                      study.records[r].name + "-L" + padded(l + 1, levels) + "-S" +
                                          padded(s + 1, plan.sets.size())});
    return plan;
}

} // namespace quibel::study
