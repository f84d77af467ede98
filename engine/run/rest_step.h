// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/run/analysis_step.h"
#include "engine/run/run_host.h"

namespace quibel {

/// The safety factors of one step of probe from rest under the loads of atStart, with a host
/// that shows and asks nothing. probe is a copy of a run's step, set at rest and without a debug
/// file by its class, so the run itself is left exactly as it was.
template <class Step>
SafetyFactors restStepFactors(Step probe, const StepInput& atStart) {
    SilentRunHost host;
    RunControl control(host);
    BlockMotion next;
    EnergyTerms energy;
    SafetyFactors factors;
    probe.step(atStart, BlockMotion{}, next, energy, factors, control);
    return factors;
}

} // namespace quibel
