// SPDX-License-Identifier: GPL-3.0-or-later
#include "signals/history_value.h"

#include <cmath>
#include <numbers>

namespace quibel {

namespace {
bool hasSamples(const TimeHistoryRecord& record) {
    return record.Values.has_value() && record.Values->size() >= 1;
}

// Position within the current period, in [0, 1), counted from StartTime.
double periodFraction(const GeneratorTerm& term, double t) {
    const double x = (t - term.StartTime + (term.Phase / 360.0) * term.Period) / term.Period;
    return x - std::floor(x);
}
} // namespace

double TermValue(const GeneratorTerm& term, double t) {
    if (!(t >= term.StartTime && t <= term.EndTime))
        return 0.0;
    // A zero period has no wave; a tiny one can overflow the argument. Both give 0 rather
    // than NaN so that a history edited after activation still integrates.
    if (term.Period == 0.0 || !std::isfinite(t / term.Period))
        return 0.0;
    const double a = term.Amplitude;
    switch (term.Shape) {
    case TermShape::Sine:
        return a * std::sin(2.0 * std::numbers::pi * t / term.Period +
                            term.Phase * std::numbers::pi / 180.0);
    case TermShape::Triangle: {
        const double f = periodFraction(term, t);
        if (!std::isfinite(f))
            return 0.0;
        if (f < 0.25)
            return 4.0 * a * f;
        if (f < 0.75)
            return 4.0 * a * (0.5 - f);
        return 4.0 * a * (f - 1.0);
    }
    case TermShape::Impulse: {
        const double f = periodFraction(term, t);
        if (!std::isfinite(f))
            return 0.0;
        return f > 0.5 ? -a : a;
    }
    case TermShape::None:
        break;
    }
    return 0.0;
}

double EffectiveOffset(const TimeHistoryRecord& record) {
    switch (record.Source) {
    case HistorySource::Generated:
        return record.Offset;
    case HistorySource::Sampled:
        switch (record.Correction) {
        case OffsetCorrection::ZeroMean:
            return hasSamples(record) ? -record.Values->mean() * record.Scale : 0.0;
        case OffsetCorrection::ZeroFirstValue:
            return hasSamples(record) ? -record.Values->get(1) * record.Scale : 0.0;
        case OffsetCorrection::ApplyOffset:
            break;
        }
        return record.Offset;
    case HistorySource::Undefined:
        break;
    }
    return 0.0;
}

HistoryEvaluator::HistoryEvaluator(const TimeHistoryRecord& record)
    : mSource(record.Source), mScale(record.Scale), mOffset(EffectiveOffset(record)) {
    if (mSource == HistorySource::Sampled) {
        if (hasSamples(record)) {
            mValues = record.Values->data();
            mCount = record.Values->size();
        }
        if (record.Times.has_value() && record.Times->size() >= 2) {
            const double dt = record.Times->get(2) - record.Times->get(1);
            if (dt > 0.0 && std::isfinite(dt))
                mStep = dt;
        }
    } else if (mSource == HistorySource::Generated) {
        for (const GeneratorTerm& term : record.Terms)
            if (term.Active != 0)
                mActiveTerms[static_cast<std::size_t>(mActiveCount++)] = term;
    }
}

double HistoryEvaluator::generatedRaw(double t) const noexcept {
    double sum = 0.0;
    for (int k = 0; k < mActiveCount; ++k)
        sum += TermValue(mActiveTerms[static_cast<std::size_t>(k)], t);
    return sum;
}

double HistoryValue(const TBlocStatic& model, HistoryKind kind, double t) {
    return HistoryEvaluator(model.history(kind)).value(t);
}

} // namespace quibel
