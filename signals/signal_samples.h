// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "numeric/tvector.h"

namespace quibel {

/// A signal given at sample points: Times[k] (s) and Values[k] for k = 1..n, same length.
/// Values are in the history's unit (g for base accelerations, the force unit for forces).
struct SignalSamples final {
    TVector Times;
    TVector Values;

    int size() const noexcept { return Values.size(); }
};

} // namespace quibel
