// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/sliding_rocking/context.h"
#include "engine/sliding_rocking/state.h"
#include "model/project_record.h"

#include <cmath>
#include <numbers>

namespace quibel::test {

/// The start-up block (398 t, B = 16 m, centre at (5.301, 6.964) above the heel) without water,
/// uplift or added items, on a plane inclined by betaDegrees, with the energy terms formed
/// (translational hydrodynamic pressures not considered).
inline TBlocStatic dryBlock(double betaDegrees = 0.0) {
    TBlocStatic m = startupModel();
    m.Hr = 0;
    m.U = 0;
    m.Beta = betaDegrees;
    m.Options.Translational = 1;
    return m;
}

/// history := amplitude x sin(2 pi t / period) from 0 to end.
inline void generatedSine(TimeHistoryRecord& h, double amplitude, double period, double end) {
    h.Source = HistorySource::Generated;
    h.Terms = {};
    h.Terms[0] = {TermShape::Sine, amplitude, period, 0, 0, end, 1};
    h.Duration = end;
}

/// history := a record sampled every 5 ms up to end: sines of periods p1, 0.8 s and 1.7 s
/// (weights 0.5, 0.3, 0.2) under the envelope (t / 2) e^(1 - t / 2), which peaks at 2 s;
/// peakG scales it (g).
inline void multiSineRecord(TimeHistoryRecord& h, double peakG, double p1, double end) {
    const double dt = 0.005, twoPi = 2 * std::numbers::pi;
    const int n = static_cast<int>(end / dt + 0.5) + 1;
    h.Source = HistorySource::Sampled;
    h.Times.emplace(n);
    h.Values.emplace(n);
    for (int i = 1; i <= n; ++i) {
        const double t = (i - 1) * dt;
        const double envelope = (t / 2.0) * std::exp(1.0 - t / 2.0);
        const double wave = 0.5 * std::sin(twoPi * t / p1) + 0.3 * std::sin(twoPi * t / 0.8 + 1.0) +
                            0.2 * std::sin(twoPi * t / 1.7 + 2.0);
        h.Times->set(i, t);
        h.Values->set(i, peakG * envelope * wave);
    }
    h.Duration = (n - 1) * dt;
}

/// A state in mode with the start values (u0, v0, a0, theta0, omega0, alpha0) also taken as
/// the current values, constant ground accelerations ag, av over a step h.
inline SlidingRockingState stateOf(MotionMode mode, double h, double ag, double av, double u0,
                                   double v0, double a0, double theta0, double omega0,
                                   double alpha0) {
    SlidingRockingState s;
    s.mode = mode;
    s.h = h;
    s.ag0 = s.ag1 = ag;
    s.av0 = s.av1 = av;
    s.u0 = s.u = u0;
    s.v0 = s.v = v0;
    s.a0 = s.a = a0;
    s.theta0 = s.theta = theta0;
    s.omega0 = s.omega = omega0;
    s.alpha0 = s.alpha = alpha0;
    return s;
}

/// The start-up block about its heel and toe, worked out by hand (t, m, t·m², rad).
namespace startup_pivots {
inline constexpr double kG = 9.807;
inline constexpr double kM = 398, kXc = 5.301, kYc = 6.964, kIm = 15473.2, kB = 16;
inline const double kRh = std::hypot(kXc, kYc), kTh = std::atan2(kXc, kYc);
inline const double kIh = kIm + kM * kRh * kRh;
inline const double kRt = std::hypot(kB - kXc, kYc), kTt = std::atan2(kB - kXc, kYc);
inline const double kIt = kIm + kM * kRt * kRt;
} // namespace startup_pivots

} // namespace quibel::test
