// SPDX-License-Identifier: GPL-3.0-or-later
#include "signals/history_editing.h"

#include <algorithm>

namespace quibel {

void ClearHistory(TimeHistoryRecord& record) noexcept {
    record.Source = HistorySource::Undefined;
}

void StoreGeneratorTerms(TimeHistoryRecord& record, const std::array<GeneratorTerm, 4>& terms) {
    record.Terms = terms;
    double end = 0.0;
    for (const GeneratorTerm& term : terms)
        end = std::max(end, term.EndTime);
    record.Duration = end;
    record.Source = HistorySource::Generated;
}

void StoreSamples(TimeHistoryRecord& record, SignalSamples samples) {
    record.Duration = samples.Times.get(samples.Times.size());
    record.Times = std::move(samples.Times);
    record.Values = std::move(samples.Values);
    record.Source = HistorySource::Sampled;
}

bool CorrectionEditable(const TimeHistoryRecord& record) noexcept {
    return record.Source != HistorySource::Generated;
}

AmplitudeSettings AdvancedDialogSettings(const TimeHistoryRecord& record) noexcept {
    return {record.Scale, record.Offset,
            CorrectionEditable(record) ? record.Correction : OffsetCorrection::ApplyOffset};
}

void ApplyAdvancedSettings(TimeHistoryRecord& record, const AmplitudeSettings& edited) noexcept {
    record.Scale = edited.Scale;
    record.Offset = edited.Offset;
    if (CorrectionEditable(record))
        record.Correction = edited.Correction;
}

} // namespace quibel
