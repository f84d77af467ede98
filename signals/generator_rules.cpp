// SPDX-License-Identifier: GPL-3.0-or-later
#include "signals/generator_rules.h"

#include "signals/generated_table.h"

#include <algorithm>

namespace quibel {

bool TermCanBeActive(const GeneratorTerm& term) noexcept {
    return term.Amplitude != 0.0 && term.Period != 0.0 && term.StartTime < term.EndTime;
}

bool ShapeButtonClicked(GeneratorTerm& term, TermShape down) noexcept {
    term.Active = 0;
    term.Shape = down;
    if (down == TermShape::None || !TermCanBeActive(term))
        return false;
    term.Active = 1;
    return true;
}

TermShape ShapeShownDown(const GeneratorTerm& term) noexcept {
    return term.Active != 0 ? term.Shape : TermShape::None;
}

std::optional<GeneratorPreview> GeneratorPreviewData(const std::array<GeneratorTerm, 4>& terms) {
    if (!HasActiveTerm(terms))
        return std::nullopt;
    SignalSamples points = TabulateGenerated(terms);
    const double lo = 1.1 * points.Values.min();
    const double hi = 1.1 * points.Values.max();
    return GeneratorPreview{std::move(points), 2000.0 * GeneratedStep(terms), lo, hi};
}

} // namespace quibel
