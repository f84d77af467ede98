// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/time_history_record.h"
#include "signals/signal_samples.h"

#include <optional>

namespace quibel {

/// The history as its plot and its response spectrum see it, at the sample points, scale
/// factor and offset applied to every sample (including samples that are exactly 0):
/// - Sampled: the stored Times, and Values[k] * Scale + EffectiveOffset;
/// - Generated with at least one active term: the 2001 points of TabulateGenerated, each
///   value * Scale + Offset.
/// None for an undefined history, a generated one without an active term, or a sampled one
/// whose series are missing or of different lengths.
std::optional<SignalSamples> EffectiveSignal(const TimeHistoryRecord& record);

} // namespace quibel
