// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/run/run_host.h"
#include "numeric/tvector.h"

#include <initializer_list>

namespace quibel::test {

/// A result series of the given samples, sample 1 first.
inline TVector series(std::initializer_list<double> values) {
    TVector v(static_cast<int>(values.size()));
    int i = 1;
    for (double x : values)
        v.set(i++, x);
    return v;
}

/// The progress display's values at an output sample: its energy errors (%) and time (s).
inline RunStatus statusAt(int sample, double absolute, double relative, double time = 0.0) {
    RunStatus s;
    s.sample = sample;
    s.time = time;
    s.absoluteEnergyError = absolute;
    s.relativeEnergyError = relative;
    return s;
}

} // namespace quibel::test
