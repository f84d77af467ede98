// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Synthetic base accelerations for the run benchmarks: three sines under a build-up and decay
// envelope, sampled at 0.01 s, given to the start-up dam as its horizontal record.
#include "model/model_flags.h"
#include "model/project_record.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <string>

namespace quibel::bench {

struct EnvelopedSines {
    double durationS;        ///< s
    double riseS;            ///< envelope rises linearly to 1 over this time, s
    double decayStartS;      ///< s
    double decayS;           ///< exponential decay constant after decayStartS, s
    double amplitudesG[3];   ///< g
    double frequenciesHz[3]; ///< Hz
};

/// Three sines of 1.3, 2.9 and 6.1 Hz, peak about 0.55 g over 40 s: the block slides, both
/// ways, many times.
inline constexpr EnvelopedSines kSlidingRecord{40.0,           5.0, 15.0, 10.0, {0.35, 0.25, 0.15},
                                               {1.3, 2.9, 6.1}};
/// Three sines of 0.9, 2.1 and 4.7 Hz, peak about 0.75 g over 20 s: well above the 0.42 g
/// that tips the block about the toe, so it rocks with impacts on both sides.
inline constexpr EnvelopedSines kRockingRecord{20.0,           3.0, 12.0, 6.0, {0.45, 0.25, 0.15},
                                               {0.9, 2.1, 4.7}};

inline TBlocStatic startupUnderRecord(const EnvelopedSines& r,
                                      AnalysisKind kind = AnalysisKind::Sliding) {
    TBlocStatic m = startupModel();
    m.AnalysisKind = kind;
    m.ModelFlags =
        ModelFlag::GeometryComplete | ModelFlag::ReservoirPresent | ModelFlag::HorizontalAccDefined;
    TimeHistoryRecord& h = m.history(HistoryKind::HorizontalAcceleration);
    h.Source = HistorySource::Sampled;
    h.Title = "Synthetic record, " + std::to_string(static_cast<int>(r.durationS)) + " s";
    const int n = static_cast<int>(std::lround(r.durationS / 0.01)) + 1;
    h.Times.emplace(n);
    h.Values.emplace(n);
    const double pi = std::numbers::pi;
    for (int i = 1; i <= n; ++i) {
        const double t = (i - 1) * 0.01;
        const double envelope =
            std::min(1.0, t / r.riseS) * std::exp(-std::max(0.0, t - r.decayStartS) / r.decayS);
        const double a = r.amplitudesG[0] * std::sin(2 * pi * r.frequenciesHz[0] * t) +
                         r.amplitudesG[1] * std::sin(2 * pi * r.frequenciesHz[1] * t + 1) +
                         r.amplitudesG[2] * std::sin(2 * pi * r.frequenciesHz[2] * t + 2);
        h.Times->set(i, t);
        h.Values->set(i, envelope * a);
    }
    h.Duration = r.durationS;
    return m;
}

/// 3 million "time amplitude" lines, 0.005 s apart, of amplitudes within +-0.3 g.
inline std::string threeMillionSampleText() {
    std::string text;
    text.reserve(3'000'000 * 24);
    char line[64];
    for (int i = 0; i < 3'000'000; ++i) {
        const int n = std::snprintf(line, sizeof line, "%.3f %.6f\n", i * 0.005,
                                    0.3 * ((i * 7919LL) % 2001 - 1000) / 1000.0);
        text.append(line, static_cast<std::size_t>(n));
    }
    return text;
}

} // namespace quibel::bench
