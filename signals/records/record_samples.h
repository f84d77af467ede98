// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "signals/records/record_data.h"
#include "signals/signal_samples.h"

#include <optional>

namespace quibel {

/// The samples a history stores from a record's component: value k at (k - 1) * Dt.
SignalSamples RecordSamples(const RecordComponent& c);

/// The step of samples that are equally spaced from their first time (to 1 % of the step),
/// nullopt for fewer than two samples or uneven times. The measures of a record need one step.
std::optional<double> EqualStep(const SignalSamples& s);

} // namespace quibel
