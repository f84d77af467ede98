// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/time_history_record.h"
#include "signals/signal_samples.h"

#include <array>

namespace quibel {

/// Number of samples of a tabulated generated history.
inline constexpr int kGeneratedSamples = 2001;

/// Step of the tabulation, s: max(0, EndTime of the four terms) / 2000. Every term counts,
/// active or not.
double GeneratedStep(const std::array<GeneratorTerm, 4>& terms);

/// 2001 samples of the raw sum of the active terms: time i = (i - 1) * GeneratedStep, value i =
/// sum of TermValue over the active terms at that time (0 when none is active). Scale factor
/// and offset are not applied. Used to plot a generated history and as its spectrum input.
SignalSamples TabulateGenerated(const std::array<GeneratorTerm, 4>& terms);

/// Whether at least one of the terms is active.
bool HasActiveTerm(const std::array<GeneratorTerm, 4>& terms);

} // namespace quibel
