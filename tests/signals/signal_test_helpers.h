// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/time_history_record.h"
#include "numeric/tvector.h"

#include <vector>

namespace quibel::test {

inline TVector vectorOf(const std::vector<double>& v) {
    TVector out(static_cast<int>(v.size()));
    for (std::size_t i = 0; i < v.size(); ++i)
        out.set(static_cast<int>(i) + 1, v[i]);
    return out;
}

inline std::vector<double> valuesOf(const TVector& v) {
    return std::vector<double>(v.data(), v.data() + v.size());
}

/// A sampled history with samples at start, start + dt, ...
inline TimeHistoryRecord sampledHistory(const std::vector<double>& values, double dt,
                                        double start = 0.0) {
    TimeHistoryRecord r;
    r.Source = HistorySource::Sampled;
    std::vector<double> times;
    for (std::size_t i = 0; i < values.size(); ++i)
        times.push_back(start + static_cast<double>(i) * dt);
    r.Times = vectorOf(times);
    r.Values = vectorOf(values);
    r.Duration = times.back();
    return r;
}

inline GeneratorTerm activeTerm(TermShape shape, double amplitude, double period, double phase,
                                double start, double end) {
    GeneratorTerm g;
    g.Shape = shape;
    g.Amplitude = amplitude;
    g.Period = period;
    g.Phase = phase;
    g.StartTime = start;
    g.EndTime = end;
    g.Active = 1;
    return g;
}

} // namespace quibel::test
