// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/enums.h"
#include "model/project_record.h"
#include "model/time_history_record.h"

#include <array>

namespace quibel {

/// Value of one generator term at time t (s), in the unit of its amplitude. Every shape is 0
/// before StartTime and after EndTime (both ends belong to the term).
/// - Sine: Amplitude * sin(2 pi t / Period + Phase), the phase referred to t = 0, not to
///   StartTime.
/// - Triangle: rises from 0 at StartTime to +Amplitude a quarter period later, down to
///   -Amplitude at three quarters, back to 0 (Phase shifts it by Phase / 360 periods).
/// - Impulse: +Amplitude over the first half of each period counted from StartTime, -Amplitude
///   over the second half.
/// A term with Period 0, or whose wave argument overflows, has no wave and gives 0 (never NaN
/// or infinity). The Active flag is not consulted here.
double TermValue(const GeneratorTerm& term, double t);

/// The constant added to the scaled amplitudes of a history:
/// - Generated: Offset (the amplitude correction does not apply to generated histories);
/// - Sampled: Offset for ApplyOffset, -mean(Values) * Scale for ZeroMean (mean over all
///   samples), -Values[1] * Scale for ZeroFirstValue;
/// - Undefined: 0 (nothing is added to a history that is zero).
/// Same unit as the amplitudes (g or force unit).
double EffectiveOffset(const TimeHistoryRecord& record);

/// Prepared evaluator of one history. The per-record constants (the sample step, the ZeroMean
/// mean, the effective offset, the active terms) are computed once in the constructor;
/// value() does constant work: index arithmetic, no search, no allocation.
///
/// The evaluator keeps a pointer to the record's Values, so the record must outlive it and its
/// samples must not change meanwhile (an analysis run only reads the record).
class HistoryEvaluator final {
public:
    explicit HistoryEvaluator(const TimeHistoryRecord& record);
    HistoryEvaluator(TimeHistoryRecord&&) = delete; // would point into a temporary

    /// Value at t (s, t >= 0) with scale factor and offset applied: raw * Scale + offset,
    /// except that a raw value of exactly 0 gives 0 (no offset outside the record or the
    /// active terms). Undefined histories give 0 at every t.
    ///
    /// Sampled: sample k lies at (k - 1) * dt with dt = Times[2] - Times[1] (the other stored
    /// times are not consulted); linear between samples, falling linearly to 0 over the step
    /// after the last sample and 0 afterwards. A table without a usable step (a single
    /// sample, first two times equal or decreasing) gives its first sample at t = 0 and 0 for
    /// any later t: the limit of a vanishing step.
    /// Generated: sum of the active terms.
    double value(double t) const noexcept;

    /// The raw value at t (s), before scale factor and offset.
    double rawValue(double t) const noexcept;

    HistorySource source() const noexcept { return mSource; }
    /// The constant added to the scaled raw values (EffectiveOffset of the record).
    double offset() const noexcept { return mOffset; }

private:
    double sampledRaw(double t) const noexcept;
    double generatedRaw(double t) const noexcept;

    HistorySource mSource = HistorySource::Undefined;
    const double* mValues = nullptr; ///< Values[1..n] of the record, g or force unit
    int mCount = 0;                  ///< n, the number of samples
    double mStep = 0.0;              ///< dt, s; 0 when the table has no usable step
    double mScale = 1.0;
    double mOffset = 0.0; ///< same unit as the amplitudes
    std::array<GeneratorTerm, 4> mActiveTerms{};
    int mActiveCount = 0;
};

// value() is called once or twice per integration step: defined here so that a run's loop
// can inline the interpolation.
inline double HistoryEvaluator::sampledRaw(double t) const noexcept {
    if (mCount == 0)
        return 0.0;
    if (mStep == 0.0)
        return t == 0.0 ? mValues[0] : 0.0;
    const double x = t / mStep;
    // Beyond sample n + 1 both interpolation ends lie outside the table; comparing before the
    // truncation also keeps a huge t from overflowing the index.
    if (!(x < static_cast<double>(mCount)) || !(x > -2.0))
        return 0.0;
    const long i = static_cast<long>(x); // toward zero
    const double f = x - static_cast<double>(i);
    // A[k] = Values[k] for 1 <= k <= n, else 0; sample k is mValues[k - 1].
    auto a = [this](long k) { return (k >= 1 && k <= mCount) ? mValues[k - 1] : 0.0; };
    const double lo = a(i + 1);
    const double hi = a(i + 2);
    return lo + (hi - lo) * f;
}

inline double HistoryEvaluator::rawValue(double t) const noexcept {
    switch (mSource) {
    case HistorySource::Sampled:
        return sampledRaw(t);
    case HistorySource::Generated:
        return generatedRaw(t);
    case HistorySource::Undefined:
        break;
    }
    return 0.0;
}

inline double HistoryEvaluator::value(double t) const noexcept {
    const double raw = rawValue(t);
    if (raw == 0.0)
        return 0.0;
    return raw * mScale + mOffset;
}

/// Value of history `kind` of the model at t (s), as HistoryEvaluator::value. Builds an
/// evaluator per call (which takes a pass over the samples for ZeroMean): for single
/// evaluations; loops over time keep one HistoryEvaluator per history.
double HistoryValue(const TBlocStatic& model, HistoryKind kind, double t);

} // namespace quibel
