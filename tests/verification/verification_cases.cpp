// SPDX-License-Identifier: GPL-3.0-or-later
#include "verification_cases.h"

namespace quibel::verification {

const std::vector<VerificationCase>& AllCases() {
    static const std::vector<VerificationCase> cases = {
        {"spectra-ramp", SpectrumRampRuns, SpectrumRampReport},
        {"spectra-harmonic", SpectrumHarmonicRuns, SpectrumHarmonicReport},
        {"spectra-record", SpectrumRecordRuns, SpectrumRecordReport},
        {"sliding-block", SlidingBlockRuns, SlidingBlockReport},
        {"sliding-convergence", SlidingConvergenceRuns, SlidingConvergenceReport},
        {"rocking-threshold", RockingThresholdRuns, RockingThresholdReport},
        {"rocking-period", RockingPeriodRuns, RockingPeriodReport},
        {"rocking-decay", RockingDecayRuns, RockingDecayReport},
        {"sliding-rocking-reductions", ReductionRuns, ReductionReport},
        {"sliding-rocking-energy", EnergyBalanceRuns, EnergyBalanceReport},
        {"loads", LoadRuns, LoadReport},
    };
    return cases;
}

} // namespace quibel::verification
