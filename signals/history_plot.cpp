// SPDX-License-Identifier: GPL-3.0-or-later
#include "signals/history_plot.h"

#include "signals/effective_signal.h"
#include "signals/generated_table.h"
#include "signals/history_value.h"

#include <algorithm>

namespace quibel {

namespace {
void setValueRange(HistoryPlot& plot, double a, double b) {
    plot.ValueMin = std::min(a, b);
    plot.ValueMax = std::max(a, b);
}
} // namespace

HistoryPlot PlotHistoryData(const TimeHistoryRecord& record) {
    HistoryPlot plot;
    std::optional<SignalSamples> points = EffectiveSignal(record);
    if (!points)
        return plot;

    if (record.Source == HistorySource::Sampled) {
        plot.Kind = HistoryPlot::Content::Sampled;
        plot.TimeMin = record.Times->min();
        plot.TimeMax = record.Times->max();
        const double off = EffectiveOffset(record);
        setValueRange(plot, record.Scale * record.Values->min() + off,
                      record.Scale * record.Values->max() + off);
    } else {
        plot.Kind = HistoryPlot::Content::Generated;
        const SignalSamples raw = TabulateGenerated(record.Terms);
        plot.TimeMin = 0.0;
        plot.TimeMax = 2000.0 * GeneratedStep(record.Terms);
        setValueRange(plot, 1.1 * (record.Scale * raw.Values.min() + record.Offset),
                      1.1 * (record.Scale * raw.Values.max() + record.Offset));
    }
    plot.Points = std::move(points);
    return plot;
}

} // namespace quibel
