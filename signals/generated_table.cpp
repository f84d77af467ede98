// SPDX-License-Identifier: GPL-3.0-or-later
#include "signals/generated_table.h"

#include "signals/history_value.h"

#include <algorithm>

namespace quibel {

double GeneratedStep(const std::array<GeneratorTerm, 4>& terms) {
    double end = 0.0;
    for (const GeneratorTerm& term : terms)
        end = std::max(end, term.EndTime);
    return end / static_cast<double>(kGeneratedSamples - 1);
}

SignalSamples TabulateGenerated(const std::array<GeneratorTerm, 4>& terms) {
    const double step = GeneratedStep(terms);
    SignalSamples out{TVector(kGeneratedSamples), TVector(kGeneratedSamples)};
    for (int i = 1; i <= kGeneratedSamples; ++i) {
        const double t = static_cast<double>(i - 1) * step;
        double sum = 0.0;
        for (const GeneratorTerm& term : terms)
            if (term.Active != 0)
                sum += TermValue(term, t);
        out.Times.set(i, t);
        out.Values.set(i, sum);
    }
    return out;
}

bool HasActiveTerm(const std::array<GeneratorTerm, 4>& terms) {
    return std::any_of(terms.begin(), terms.end(),
                       [](const GeneratorTerm& term) { return term.Active != 0; });
}

} // namespace quibel
