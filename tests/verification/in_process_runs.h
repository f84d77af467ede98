// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "verification_runs.h"

namespace quibel::verification {

/// The runs of a problem made in this process, by the same engine and spectrum code that
/// quibel-cli calls: every analysis through AnalysisRun (questions answered "go on", as
/// `quibel-cli run --on-question continue` does) and its English result grid, every spectrum
/// through ComputeResponseSpectra of the history's effective signal.
RunResults RunInProcess(const CaseRuns& runs);

} // namespace quibel::verification
