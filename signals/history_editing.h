// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/enums.h"
#include "model/time_history_record.h"
#include "signals/signal_samples.h"

#include <array>

namespace quibel {

/// "Delete time history": the history becomes Undefined; samples, terms, title, scale factor,
/// offset and correction stay in the record.
void ClearHistory(TimeHistoryRecord& record) noexcept;

/// The function generator closed with OK: the four terms replace the record's, Duration =
/// max(0, EndTime of the four terms), Source = Generated (even with no active term).
void StoreGeneratorTerms(TimeHistoryRecord& record, const std::array<GeneratorTerm, 4>& terms);

/// A table of samples was loaded (text import or database): the samples replace the record's,
/// Source = Sampled, Duration = the last sample time.
void StoreSamples(TimeHistoryRecord& record, SignalSamples samples);

/// The values the Advanced dialog edits.
struct AmplitudeSettings final {
    double Scale = 1.0;  ///< amplitude factor
    double Offset = 0.0; ///< same unit as the amplitudes
    OffsetCorrection Correction = OffsetCorrection::ApplyOffset;

    bool operator==(const AmplitudeSettings&) const = default;
};

/// What the Advanced dialog shows when it opens on record: its scale factor and offset, and
/// its correction, except for a generated history, whose (disabled) correction group shows
/// the first item.
AmplitudeSettings AdvancedDialogSettings(const TimeHistoryRecord& record) noexcept;

/// Whether the Advanced dialog lets the user choose the correction (not for generated
/// histories, whose correction does not apply).
bool CorrectionEditable(const TimeHistoryRecord& record) noexcept;

/// The Advanced dialog closed with OK: the scale factor and offset are copied back; the
/// correction too, except for a generated history, whose correction is left as it was.
void ApplyAdvancedSettings(TimeHistoryRecord& record, const AmplitudeSettings& edited) noexcept;

} // namespace quibel
