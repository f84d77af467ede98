// SPDX-License-Identifier: GPL-3.0-or-later
#include "signals/effective_signal.h"

#include "signals/generated_table.h"
#include "signals/history_value.h"

namespace quibel {

namespace {
void scaleAndShift(TVector& values, double scale, double offset) {
    double* v = values.data();
    for (int k = 0; k < values.size(); ++k)
        v[k] = v[k] * scale + offset;
}
} // namespace

std::optional<SignalSamples> EffectiveSignal(const TimeHistoryRecord& record) {
    switch (record.Source) {
    case HistorySource::Sampled: {
        if (!record.Times || !record.Values || record.Times->size() != record.Values->size())
            return std::nullopt;
        SignalSamples out{*record.Times, *record.Values};
        scaleAndShift(out.Values, record.Scale, EffectiveOffset(record));
        return out;
    }
    case HistorySource::Generated: {
        if (!HasActiveTerm(record.Terms))
            return std::nullopt;
        SignalSamples out = TabulateGenerated(record.Terms);
        scaleAndShift(out.Values, record.Scale, record.Offset);
        return out;
    }
    case HistorySource::Undefined:
        break;
    }
    return std::nullopt;
}

} // namespace quibel
