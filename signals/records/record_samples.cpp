// SPDX-License-Identifier: GPL-3.0-or-later
#include "signals/records/record_samples.h"

#include <cmath>

namespace quibel {

SignalSamples RecordSamples(const RecordComponent& c) {
    const int n = static_cast<int>(c.Values.size());
    SignalSamples s{TVector(n), TVector(n)};
    for (int k = 1; k <= n; ++k) {
        s.Times.set(k, (k - 1) * c.Dt);
        s.Values.set(k, c.Values[static_cast<std::size_t>(k - 1)]);
    }
    return s;
}

std::optional<double> EqualStep(const SignalSamples& s) {
    const int n = s.size();
    if (n < 2)
        return std::nullopt;
    const double dt = (s.Times.get(n) - s.Times.get(1)) / (n - 1);
    if (!(dt > 0.0))
        return std::nullopt;
    for (int k = 2; k < n; ++k)
        if (std::abs(s.Times.get(k) - s.Times.get(1) - (k - 1) * dt) > 0.01 * dt)
            return std::nullopt;
    return dt;
}

} // namespace quibel
