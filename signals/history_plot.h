// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/time_history_record.h"
#include "signals/signal_samples.h"

#include <optional>

namespace quibel {

/// What the time-history dialog draws for its working copy of a history.
struct HistoryPlot final {
    enum class Content {
        Empty,     ///< undefined history, or generated without an active term: cleared chart
        Sampled,   ///< the samples at their stored times
        Generated, ///< the 2001 tabulated points, captioned with text "signals.generated_function"
    };

    Content Kind = Content::Empty;
    /// The polyline, in order (the effective signal); none when Kind is Empty.
    std::optional<SignalSamples> Points;
    double TimeMin = 0.0;  ///< abscissa range, s
    double TimeMax = 0.0;  ///< s
    double ValueMin = 0.0; ///< ordinate range, g or force unit; ValueMin <= ValueMax
    double ValueMax = 0.0;

    /// The spectrum command is available exactly while a history is drawn.
    bool enablesSpectrum() const noexcept { return Kind != Content::Empty; }
};

/// The plot of a history:
/// - Sampled: abscissa from the smallest to the largest stored time; ordinate from
///   Scale * min(Values) + off to Scale * max(Values) + off, off = EffectiveOffset.
/// - Generated with an active term: abscissa 0 to 2000 * step; ordinate from
///   1.1 * (Scale * min + Offset) to 1.1 * (Scale * max + Offset), min and max over the 2001
///   raw values.
/// The two ends of the ordinate range are put in order, so that a negative scale factor still
/// gives a range from bottom to top.
HistoryPlot PlotHistoryData(const TimeHistoryRecord& record);

} // namespace quibel
