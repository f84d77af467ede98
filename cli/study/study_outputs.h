// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "study/fragility_fit.h"
#include "study/study_description.h"
#include "study/study_plan.h"
#include "texts/text_catalogue.h"

#include <optional>
#include <string>
#include <vector>

namespace quibel::cli {

/// What a study's summary gives for its limits: per limit, each case's response (m, rad or
/// a factor; nothing when the case did not run or its analysis has no such response), its
/// counts per level and its fitted curve.
struct StudyFindings final {
    std::vector<std::vector<std::optional<double>>> responses; ///< [limit][case]
    std::vector<std::vector<study::LevelCount>> counts;        ///< [limit][level]
    std::vector<std::optional<study::FragilityFit>> fits;      ///< [limit]
};

/// Reads the responses of the merged summary (every case of plan, in order) and fits them.
StudyFindings AnalyseStudy(const study::StudyDescription& study, const study::StudyPlan& plan,
                           const std::string& summary);

/// fractions.csv: limit;level;intensity_g;cases;past;fraction.
std::string FractionsCsv(const study::StudyDescription& study, const StudyFindings& f);
/// fragility.csv: limit;response;threshold;median_g;dispersion;median_se_g;dispersion_se;
/// log_likelihood (empty numbers for a limit without a curve).
std::string FragilityCsv(const study::StudyDescription& study, const StudyFindings& f);
/// incremental.csv: record;level;intensity_g;set;case, then each limit's response (m, rad,
/// factor).
std::string IncrementalCsv(const study::StudyDescription& study, const study::StudyPlan& plan,
                           const StudyFindings& f);
/// A few lines for a reader: the cases, and per limit its curve or why there is none.
std::string StudySummaryText(const study::StudyDescription& study, const study::StudyPlan& plan,
                             const StudyFindings& f, Language language);

} // namespace quibel::cli
