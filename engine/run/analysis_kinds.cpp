// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/rocking/analysis.h"
#include "engine/run/analysis_step.h"
#include "engine/sliding/analysis.h"
#include "engine/sliding_rocking/analysis.h"

namespace quibel {

std::unique_ptr<AnalysisStep> MakeAnalysisStep(AnalysisKind kind) {
    switch (kind) {
    case AnalysisKind::Sliding:
        return std::make_unique<SlidingAnalysis>();
    case AnalysisKind::Rocking:
        return std::make_unique<RockingAnalysis>();
    case AnalysisKind::SlidingAndRocking:
        return std::make_unique<SlidingRockingAnalysis>();
    }
    return nullptr;
}

} // namespace quibel
