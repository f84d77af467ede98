// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/time_history_record.h"
#include "signals/signal_samples.h"

#include <array>
#include <optional>

namespace quibel {

/// Whether a term with these values may be switched on: Amplitude != 0, Period != 0 and
/// StartTime < EndTime. The shape is not considered.
bool TermCanBeActive(const GeneratorTerm& term) noexcept;

/// A shape button of a generator row was clicked; `down` is the shape whose button is now
/// down in that row, or TermShape::None when the row has no button down. The term is first
/// switched off and takes the shape; it is switched on again only when a button is down and
/// TermCanBeActive holds. Returns true when the term became active (the preview is redrawn).
bool ShapeButtonClicked(GeneratorTerm& term, TermShape down) noexcept;

/// The shape button a row shows down when the generator opens: the term's shape while it is
/// active, none otherwise.
TermShape ShapeShownDown(const GeneratorTerm& term) noexcept;

/// The generator's preview: the raw sum of the active terms (scale 1, no offset).
struct GeneratorPreview final {
    SignalSamples Points; ///< the 2001 tabulated points
    double TimeMax;       ///< abscissa from 0 to 2000 * step, s
    double ValueMin;      ///< ordinate from 1.1 * min to 1.1 * max of the values
    double ValueMax;
};

/// The preview of the four terms, none when no term is active (the chart is cleared).
std::optional<GeneratorPreview> GeneratorPreviewData(const std::array<GeneratorTerm, 4>& terms);

} // namespace quibel
