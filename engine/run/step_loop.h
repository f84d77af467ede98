// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/run/analysis_step.h"
#include "engine/run/force_histories.h"
#include "engine/run/ground_motion_integration.h"
#include "engine/run/run_length.h"
#include "engine/run/series_store.h"
#include "model/unit_tables.h"
#include "signals/history_value.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace quibel {

/// What the steps of a run work with once its checks passed and its series, SI copies and
/// debug file are ready (see AnalysisRun for the order of the work of each step).
struct StepLoopParts final {
    const TBlocStatic& model;
    const SiModel& si;
    RunLength length;
    StepTiming timing;
    RunHost& host;
    SeriesStore& store;
    DebugLine* debug; ///< nullptr without a debug file
    RunControl& control;
};

/// The driver's debug columns of a step: time, the two ground accelerations and the two force
/// histories.
void writeDriverColumns(DebugLine& debug, const StepInput& input);

/// The steps of one run with the step function of Analysis: sample 1, then the steps until the
/// last one or a stop. A template over the analysis so that its step is called directly, and
/// over whether the run has a vertical ground motion, so that no step tests it.
template <class Analysis>
class StepLoop final {
public:
    StepLoop(const StepLoopParts& parts, Analysis& step)
        : mG(parts.si.g), mLength(parts.length), mStep(step), mHost(parts.host),
          mStore(parts.store), mDebug(parts.debug), mControl(parts.control), mForces(parts.model),
          mHorizontalAcc(parts.model.history(HistoryKind::HorizontalAcceleration)),
          mVerticalAcc(parts.model.history(HistoryKind::VerticalAcceleration)),
          mLengthBack(units::lengthFromSi(parts.model.UnitSystem)),
          mTimeShift(parts.timing == StepTiming::FirstStepAtZero ? 1 : 0) {
        mInput.dt = parts.model.Options.TimeStep;
    }

    /// Stores sample 1, then makes the steps; returns the number made.
    std::int64_t run() {
        storeRestSample();
        // Without a vertical history the vertical ground motion is 0 at every step: its
        // integration would only add zeros.
        const bool vertical = mVerticalAcc.source() != HistorySource::Undefined;
        const bool polled = mHost.canRequestStop();
        std::int64_t done = 0;
        if (mDebug != nullptr)
            done = vertical ? steps<true, true, true>() : steps<false, true, true>();
        else if (polled)
            done = vertical ? steps<true, true, false>() : steps<false, true, false>();
        else
            done = vertical ? steps<true, false, false>() : steps<false, false, false>();
        mHost.stepsDone(mExtremes);
        if (mPosition != 0)
            mHost.progress(0);
        return done;
    }

private:
    // The state of the steps lives in locals whose address no call keeps, so that it stays in
    // registers from one step to the next; the calls receive copies. Polled: whether the host
    // is asked for a stop (every kStopPollSteps steps: a call between every two steps would
    // cost more than the sliding step itself, its registers saved and restored around it).
    // Debug: whether the steps write the debug file's columns. Without it the writing is
    // compiled out of the loop: the mere presence of its calls in the loop, even untaken,
    // makes the compiler keep the state of the steps where the calls cannot clobber it, which
    // costs the sliding step about a tenth of its time. A debug run is always polled.
    template <bool Vertical, bool Polled, bool Debug>
    std::int64_t steps() {
        StepState st;
        st.input = mInput;
        if constexpr (!Vertical) {
            // Known zeros: the compiler drops the vertical terms' loads and the thrust's test.
            GroundMotion& g = st.input.ground;
            g.avPrev = g.av = g.vvPrev = g.vv = g.dvPrev = g.dv = 0.0;
        }
        std::int64_t done = 0;
        std::int64_t count = 0;
        GroundAhead ahead;
        bool going = true;
        while (going && done < mLength.steps) {
            const std::int64_t n = std::min(kGroundAhead, mLength.steps - done);
            formGroundAhead<Vertical>(done + 1, n, st.input.dt, ahead);
            for (std::int64_t k = 0; going && k < n; ++k) {
                const std::int64_t s = done + 1;
                makeStep<Vertical, Debug>(s, st, ahead.ag[k], ahead.av[k]);
                done = s;
                if (++count == mLength.ratio) {
                    count = 0;
                    storeSample(s, st.input.t, st.next, st.energy, st.factors);
                }
                reportProgress(s);
                st.previous = st.next;
                afterStep(st.previous);
                going = mControl.running();
                if constexpr (Polled) {
                    if (going && s % RunHost::kStopPollSteps == 0 && done < mLength.steps &&
                        mHost.stopRequested()) {
                        mControl.requestStop(StopCause::Host);
                        going = false;
                    }
                }
            }
        }
        mExtremes = st.extremes;
        return done;
    }

    struct StepState {
        StepInput input;
        BlockMotion previous;
        BlockMotion next;
        EnergyTerms energy;
        SafetyFactors factors;
        StepExtremes extremes;
    };

    void afterStep(BlockMotion current) { mStep.afterStep(current, mControl); }

    // The ground accelerations of the next steps are formed ahead, in a loop of their own:
    // there the record's divisions and look-ups of successive steps overlap, instead of each
    // waiting in the chain of its step. The values are the same.
    static constexpr std::int64_t kGroundAhead = 64;
    struct GroundAhead {
        double ag[kGroundAhead];
        double av[kGroundAhead];
    };

    // Step s (from 1) ends at s dt, or at (s - 1) dt when the first step is at time 0.
    double stepEnd(std::int64_t s, double dt) const noexcept {
        return static_cast<double>(s - mTimeShift) * dt;
    }

    // The ground accelerations of the n steps from first, m/s².
    template <bool Vertical>
    void formGroundAhead(std::int64_t first, std::int64_t n, double dt, GroundAhead& out) const {
        for (std::int64_t k = 0; k < n; ++k) {
            const double t = stepEnd(first + k, dt);
            out.ag[k] = mHorizontalAcc.value(t) * mG;
            out.av[k] = Vertical ? mVerticalAcc.value(t) * mG : 0.0;
        }
    }

    // Step s under the ground accelerations ag and av of its end.
    template <bool Vertical, bool Debug>
    [[gnu::always_inline]] void makeStep(std::int64_t s, StepState& st, double ag, double av) {
        StepInput& input = st.input;
        const double dt = input.dt;
        const double t = stepEnd(s, dt);
        input.t = t;
        if constexpr (Vertical)
            advanceGroundMotion(input.ground, ag, av, dt);
        else
            advanceHorizontalGroundMotion(input.ground, ag, dt);
        input.Fh = mForces.horizontal(t);
        input.Fv = mForces.vertical(t);
        if constexpr (Debug) {
            writeDriverColumns(*mDebug, StepInput(input));
            mStep.step(input, st.previous, st.next, st.energy, st.factors, mControl);
        } else if constexpr (requires {
                                 mStep.stepWithoutDebug(input, st.previous, st.next, st.energy,
                                                        st.factors, mControl);
                             }) {
            mStep.stepWithoutDebug(input, st.previous, st.next, st.energy, st.factors, mControl);
        } else {
            mStep.step(input, st.previous, st.next, st.energy, st.factors, mControl);
        }
        st.extremes.add(
            {st.next.u * mLengthBack, st.next.theta, st.factors.sliding, st.factors.overturning});
    }

    // The block at rest at time 0: motion and energy 0, the safety values under the loads of
    // that instant, so that no view reads a factor of 0 that the block never had.
    void storeRestSample() {
        StepInput atStart = mInput;
        atStart.t = 0.0;
        atStart.ground = GroundMotion{};
        atStart.ground.agPrev = atStart.ground.ag = mHorizontalAcc.value(0.0) * mG;
        atStart.ground.avPrev = atStart.ground.av = mVerticalAcc.value(0.0) * mG;
        atStart.Fh = mForces.horizontal(0.0);
        atStart.Fv = mForces.vertical(0.0);
        mStore.store(0, BlockMotion{}, EnergyTerms{}, mStep.restFactors(atStart));
    }

    void storeSample(std::int64_t s, double t, BlockMotion next, EnergyTerms energy,
                     SafetyFactors factors) {
        const std::int64_t j = s / mLength.ratio; // 0-based index of sample s div k + 1
        mStore.store(j, next, energy, factors);
        const EnergyErrors errors = mStep.energyErrors(energy);
        mStatus.time = t;
        mStatus.slidingDisplacement = next.u * mLengthBack;
        mStatus.rotation = next.theta;
        mStatus.absoluteEnergyError = errors.absolute;
        mStatus.relativeEnergyError = errors.relative;
        if (std::fmax(errors.absolute, errors.relative) > 5.0)
            mStatus.energyErrorHigh = true;
        mStatus.sample = static_cast<int>(j + 1);
        mHost.status(mStatus);
    }

    // The progress position after step s; it counts step s as step s + 1 of N when the first
    // step is at time 0.
    int progressAt(std::int64_t s) const noexcept {
        const std::int64_t progressShift = 1 - mTimeShift;
        return static_cast<int>(
            std::lround(RunHost::kProgressMaximum * static_cast<double>(s + progressShift) /
                        static_cast<double>(mLength.N)));
    }

    // The position only grows with s, so it is formed again only at the first step where it
    // can have changed: a few hundred times per run instead of at every step.
    void reportProgress(std::int64_t s) {
        if (s < mNextProgressStep)
            return;
        const int now = progressAt(s);
        if (now != mPosition) {
            mPosition = now;
            mHost.progress(mPosition);
        }
        mNextProgressStep = firstStepPast(s, now);
    }

    // The first step after s whose position differs from now: the estimate from the formula
    // of progressAt solved for the next half position, moved to the exact step.
    std::int64_t firstStepPast(std::int64_t s, int now) const noexcept {
        const double half = (now + 0.5) * static_cast<double>(mLength.N) /
                            static_cast<double>(RunHost::kProgressMaximum);
        std::int64_t e =
            std::max(s + 1, static_cast<std::int64_t>(std::ceil(std::fmin(half, 9.0e15))) -
                                (1 - mTimeShift));
        while (e - 1 > s && progressAt(e - 1) != now)
            --e;
        while (e <= mLength.steps && progressAt(e) == now)
            ++e;
        return e;
    }

    const double mG;
    const RunLength mLength;
    Analysis& mStep;
    RunHost& mHost;
    SeriesStore& mStore;
    DebugLine* mDebug;
    RunControl& mControl;
    const ForceHistories mForces;
    const HistoryEvaluator mHorizontalAcc;
    const HistoryEvaluator mVerticalAcc;
    const double mLengthBack;
    const std::int64_t mTimeShift;
    StepInput mInput;
    RunStatus mStatus;
    StepExtremes mExtremes;
    int mPosition = 0;
    std::int64_t mNextProgressStep = 1;
};

/// The steps of a run made by the step function of analysis, called directly: what the
/// analyses' AnalysisStep::runSteps return.
template <class Analysis>
std::int64_t RunStepLoop(const StepLoopParts& parts, Analysis& analysis) {
    return StepLoop<Analysis>(parts, analysis).run();
}

} // namespace quibel
