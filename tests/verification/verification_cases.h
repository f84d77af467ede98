// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "verification_report.h"
#include "verification_runs.h"

#include <string>
#include <vector>

namespace quibel::verification {

/// One verification problem of the manual: the runs it asks the program for and the
/// comparison of their results with the independent solution.
struct VerificationCase final {
    std::string id; ///< also the prefix of its tables and plots
    CaseRuns (*runs)(Scope scope);
    CaseReport (*evaluate)(const RunResults& results, Scope scope);
};

/// Every problem, in the order of the manual.
const std::vector<VerificationCase>& AllCases();

// The problems, one function pair per problem (files *_cases.cpp).
CaseRuns SpectrumRampRuns(Scope scope);
CaseReport SpectrumRampReport(const RunResults& results, Scope scope);
CaseRuns SpectrumHarmonicRuns(Scope scope);
CaseReport SpectrumHarmonicReport(const RunResults& results, Scope scope);
CaseRuns SpectrumRecordRuns(Scope scope);
CaseReport SpectrumRecordReport(const RunResults& results, Scope scope);
CaseRuns SlidingBlockRuns(Scope scope);
CaseReport SlidingBlockReport(const RunResults& results, Scope scope);
CaseRuns SlidingConvergenceRuns(Scope scope);
CaseReport SlidingConvergenceReport(const RunResults& results, Scope scope);
CaseRuns RockingThresholdRuns(Scope scope);
CaseReport RockingThresholdReport(const RunResults& results, Scope scope);
CaseRuns RockingPeriodRuns(Scope scope);
CaseReport RockingPeriodReport(const RunResults& results, Scope scope);
CaseRuns RockingDecayRuns(Scope scope);
CaseReport RockingDecayReport(const RunResults& results, Scope scope);
CaseRuns ReductionRuns(Scope scope);
CaseReport ReductionReport(const RunResults& results, Scope scope);
CaseRuns EnergyBalanceRuns(Scope scope);
CaseReport EnergyBalanceReport(const RunResults& results, Scope scope);
CaseRuns LoadRuns(Scope scope);
CaseReport LoadReport(const RunResults& results, Scope scope);

} // namespace quibel::verification
