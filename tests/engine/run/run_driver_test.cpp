// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/run/run_driver.h"
#include "engine/run/run_length.h"
#include "engine/sliding/analysis.h"
#include "engine/sliding/step.h"
#include "model/model_flags.h"
#include "model/unit_change.h"
#include "tests/engine/recording_host.h"
#include "tests/engine/rigid_plastic_block.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <limits>
#include <numbers>
#include <optional>
#include <regex>
#include <string>
#include <utility>
#include <vector>

using namespace quibel;
using quibel::test::RecordingHost;

namespace {

constexpr double kG = 9.807;

void generatedSine(TimeHistoryRecord& h, double amplitude, double period, double end) {
    h.Source = HistorySource::Generated;
    h.Terms = {};
    h.Terms[0] = {TermShape::Sine, amplitude, period, 0, 0, end, 1};
    h.Duration = end;
}

// A history that is defined and zero: it only sets the length of the run.
void silentHistory(TimeHistoryRecord& h, double end) {
    h.Source = HistorySource::Generated;
    h.Terms = {};
    h.Terms[0] = {TermShape::Sine, 0, 1, 0, 0, end, 0};
    h.Duration = end;
}

void sampled(TimeHistoryRecord& h, std::vector<double> values, double dt) {
    h.Source = HistorySource::Sampled;
    const int n = static_cast<int>(values.size());
    h.Times.emplace(n);
    h.Values.emplace(n);
    for (int i = 1; i <= n; ++i) {
        h.Times->set(i, (i - 1) * dt);
        h.Values->set(i, values[static_cast<std::size_t>(i - 1)]);
    }
    h.Duration = (n - 1) * dt;
}

// The start-up block without water, uplift or added items, on a horizontal plane with
// friction angle phi, under a horizontal sine base acceleration.
TBlocStatic dryBlockUnderSine(double phi, double amplitudeG, double period, double duration) {
    TBlocStatic m = startupModel();
    m.Hr = 0;
    m.U = 0;
    m.PhiS = phi;
    m.PhiD = phi;
    m.ModelFlags = ModelFlag::GeometryComplete | ModelFlag::HorizontalAccDefined;
    generatedSine(m.history(HistoryKind::HorizontalAcceleration), amplitudeG, period, duration);
    return m;
}

std::vector<double> values(const std::optional<TVector>& v) {
    std::vector<double> out;
    if (v)
        out.assign(v->data(), v->data() + v->size());
    return out;
}

// Records the sliding state around every step, to check when the block starts to slide.
class ObservedSliding final : public AnalysisStep {
public:
    struct Start {
        double t;
        double ag;
    };
    std::vector<Start> starts;
    std::vector<double> stuckAg;
    bool slidDownstream = false;
    bool slidUpstream = false;

    SharedCheckKeys sharedCheckKeys() const noexcept override { return mInner.sharedCheckKeys(); }
    std::vector<RunCheck> check(const TBlocStatic& m) const override { return mInner.check(m); }
    ResultSeriesSet filledSeries() const noexcept override { return mInner.filledSeries(); }
    std::string_view debugHeader() const noexcept override { return mInner.debugHeader(); }
    void prepare(const RunContext& c) override { mStep.emplace(c); }
    void step(const StepInput& in, const BlockMotion& prev, BlockMotion& next, EnergyTerms& e,
              SafetyFactors& f, RunControl& control) override {
        const SlidingMotionState before = mStep->motion();
        mStep->step(in, prev, next, e, f, control);
        const SlidingMotionState after = mStep->motion();
        if (before == SlidingMotionState::Stuck && after == SlidingMotionState::Slipping)
            starts.push_back({in.t, in.ground.ag});
        if (before == SlidingMotionState::Stuck && after == SlidingMotionState::Stuck)
            stuckAg.push_back(in.ground.ag);
        slidDownstream = slidDownstream || next.v > 0;
        slidUpstream = slidUpstream || next.v < 0;
    }
    EnergyErrors energyErrors(const EnergyTerms& e) const noexcept override {
        return mInner.energyErrors(e);
    }

private:
    SlidingAnalysis mInner; // for all but the steps
    std::optional<SlidingStep> mStep;
};

bool shown(const RecordingHost& host, const std::string& key, MessageKind kind) {
    return std::any_of(host.messages.begin(), host.messages.end(),
                       [&](const auto& m) { return m.message.key == key && m.kind == kind; });
}

} // namespace

TEST(RunDriverTest, DryBlockUnderSineMatchesTheRigidPlasticSolution) {
    // Friction 20° (threshold 0.364 g) under 0.5 g of period 0.5 s: the block slides in both
    // directions twice per cycle.
    TBlocStatic m = dryBlockUnderSine(20, 0.5, 0.5, 2.0);
    RecordingHost host;
    auto observed = std::make_unique<ObservedSliding>();
    ObservedSliding& steps = *observed;
    AnalysisRun run(m, host, std::move(observed));
    const RunOutcome outcome = run.run();
    ASSERT_EQ(outcome.end, RunEnd::Completed);
    EXPECT_EQ(outcome.steps, 20000);
    ASSERT_EQ(m.SlidingDisp->size(), 201);

    const double mu = std::tan(20 * std::numbers::pi / 180);
    std::vector<double> times;
    for (int j = 1; j <= 201; ++j)
        times.push_back((j - 1) * 0.01);
    test::RigidPlasticBlock reference(0.5 * kG, 2 * std::numbers::pi / 0.5, mu, kG);
    const std::vector<double> expected = reference.displacements(times);
    EXPECT_EQ(reference.starts(), 8);
    EXPECT_EQ(reference.startsDownstream(), 4);
    double peak = 0;
    double worst = 0;
    for (int j = 1; j <= 201; ++j) {
        peak = std::max(peak, std::fabs(expected[static_cast<std::size_t>(j - 1)]));
        worst = std::max(
            worst, std::fabs(m.SlidingDisp->get(j) - expected[static_cast<std::size_t>(j - 1)]));
    }
    EXPECT_GT(peak, 0.01); // about a centimetre of sliding
    // Steps of 0.1 ms follow the closed form to within 0.1 micrometre (about 4 nm here): the
    // integration error of a few steps around each start and stop of a slide.
    EXPECT_LT(worst, 1e-7) << "peak " << peak;

    // Sliding starts only where |ag| exceeds tan(phi) g, both ways; a stuck block never feels
    // more.
    ASSERT_EQ(steps.starts.size(), 8u);
    for (const auto& s : steps.starts)
        EXPECT_GT(std::fabs(s.ag), mu * kG) << "t = " << s.t;
    for (const double ag : steps.stuckAg)
        EXPECT_LE(std::fabs(ag), mu * kG);
    EXPECT_TRUE(steps.slidDownstream);
    EXPECT_TRUE(steps.slidUpstream);

    // Energy balance at the default time step.
    ASSERT_EQ(host.statuses.size(), 200u);
    for (const RunStatus& s : host.statuses) {
        EXPECT_LT(s.absoluteEnergyError, 1.0) << "t = " << s.time;
        EXPECT_LT(s.relativeEnergyError, 1.0) << "t = " << s.time;
        EXPECT_FALSE(s.energyErrorHigh);
    }
    EXPECT_GT(m.FrictionEnergy->get(201), 0.0);
}

TEST(RunDriverTest, NoSlidingBelowTheFrictionThreshold) {
    TBlocStatic m = dryBlockUnderSine(20, 0.35, 0.5, 1.0); // 0.35 g < tan 20° g
    RecordingHost host;
    AnalysisRun(m, host).run();
    for (const double d : values(m.SlidingDisp))
        EXPECT_EQ(d, 0.0);
    // Sample 1 is the block at rest before the first step; after it, friction against the
    // inertia load: tan 20° / 0.35 at the peaks.
    for (int j = 2; j <= m.SlidingSF->size(); ++j)
        EXPECT_GE(m.SlidingSF->get(j), std::tan(20 * std::numbers::pi / 180) / 0.35 - 1e-9);
    // The ground still puts energy into the block: it moves with it.
    EXPECT_GT(m.AbsKineticEnergy->max(), 0.0);
    EXPECT_EQ(m.RelKineticEnergy->max(), 0.0);
}

TEST(RunDriverTest, MirroredGroundMotionMirrorsTheSlide) {
    TBlocStatic a = dryBlockUnderSine(20, 0.5, 0.5, 1.0);
    TBlocStatic b = dryBlockUnderSine(20, -0.5, 0.5, 1.0);
    RecordingHost host;
    AnalysisRun(a, host).run();
    AnalysisRun(b, host).run();
    const std::vector<double> da = values(a.SlidingDisp);
    const std::vector<double> db = values(b.SlidingDisp);
    ASSERT_EQ(da.size(), db.size());
    for (std::size_t i = 0; i < da.size(); ++i)
        EXPECT_DOUBLE_EQ(da[i], -db[i]);
}

TEST(RunDriverTest, NewmarkVariantsGiveTheSameVelocities) {
    TBlocStatic a = dryBlockUnderSine(20, 0.5, 0.5, 1.0);
    TBlocStatic b = a;
    b.Options.NewmarkBeta = 1;
    RecordingHost host;
    AnalysisRun(a, host).run();
    AnalysisRun(b, host).run();
    // The stops within a step place the stop by each variant's displacement rule only, so the
    // velocities agree to rounding.
    for (int j = 1; j <= a.SlidingVel->size(); ++j)
        EXPECT_NEAR(a.SlidingVel->get(j), b.SlidingVel->get(j), 1e-12);
    EXPECT_NE(values(a.SlidingDisp), values(b.SlidingDisp));
}

TEST(RunDriverTest, SteepPlaneSlidesFromTheFirstStepAfterTheWarning) {
    TBlocStatic m = dryBlockUnderSine(20, 0, 1, 1.0);
    silentHistory(m.history(HistoryKind::HorizontalAcceleration), 1.0);
    m.Beta = 30;
    RecordingHost host;
    const RunOutcome outcome = AnalysisRun(m, host).run();
    EXPECT_EQ(outcome.end, RunEnd::Completed);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].kind, MessageKind::Warning);
    EXPECT_EQ(host.messages[0].message.key, "engine.sliding.friction_below_slope");
    // Constant acceleration along the plane (upstream) from t = 0. The acceleration jumps from
    // 0 at the start; the first step, linear in acceleration, spreads the jump over dt, so the
    // block follows d = a (t - dt/2)² / 2 to within a dt² / 24.
    const double b = 30 * std::numbers::pi / 180;
    const double a = -kG * (std::sin(b) - std::tan(20 * std::numbers::pi / 180) * std::cos(b));
    for (int j : {2, 51, 101}) {
        const double t = (j - 1) * 0.01;
        EXPECT_NEAR(m.SlidingDisp->get(j), a * (t - 0.00005) * (t - 0.00005) / 2, 1e-8);
    }
    EXPECT_NEAR(m.SlidingAcc->get(101), a, 1e-12);
    // The weight does the work: potential energy falls as friction takes its share.
    EXPECT_LT(m.PotentialEnergy->get(101), 0.0);
    EXPECT_LT(host.statuses.back().relativeEnergyError, 1.0);
}

TEST(RunDriverTest, ForceHistoryWithoutContactPressureInProjectUnits) {
    // In mm - N - kg, an uplift of twice the weight lifts the block off the plane, and a
    // constant horizontal force history of 39 800 N (F / M = 0.1 m/s²) pushes it.
    TBlocStatic m = startupModel();
    m.Hr = 0;
    changeUnitSystem(m, UnitSystem::MmNKg);
    m.U = 2 * 398000 * kG;
    TimeHistoryRecord& f = m.history(HistoryKind::HorizontalForce);
    sampled(f, std::vector<double>(101, 39800.0), 0.01);
    f.PosX = 5000;
    f.PosY = 20000;
    RecordingHost host;
    AnalysisRun(m, host).run();
    ASSERT_EQ(m.SlidingDisp->size(), 101);
    // d = F (t - dt/2)² / (2 M) in mm: the force history is 0 before the first step and F at
    // its end, a jump the first step spreads over dt.
    const double t = 1.0 - 0.00005;
    EXPECT_NEAR(m.SlidingDisp->get(101), 0.1 * t * t / 2 * 1000, 1e-5);
    EXPECT_NEAR(m.SlidingVel->get(101), 0.1 * t * 1000, 1e-9);
    // The work of the force, F d in N·mm, all turned into kinetic energy.
    EXPECT_NEAR(m.PreseismicWork->get(101), 39800.0 * m.SlidingDisp->get(101), 1e-6);
    EXPECT_NEAR(m.RelKineticEnergy->get(101), 0.5 * 398000 * 0.1 * t * 0.1 * t * 1000, 1e-3);
    EXPECT_EQ(m.FrictionEnergy->get(101), 0.0);

    // The same force applied below the plane is ignored.
    f.PosY = 9000;
    AnalysisRun(m, host).run();
    EXPECT_EQ(m.SlidingDisp->get(101), 0.0);
}

TEST(RunDriverTest, SeriesHoldEveryComputedStateAndNoTrailingZero) {
    struct Case {
        const char* what;
        double saveStep;
        double timeStep;
        double duration;
        int rows;
    };
    const Case cases[] = {
        // k = 1: one row per computed state; the last is the state at the end of the run.
        {"save step below the time step", 0.00005, 0.0001, 0.05, 501},
        {"save step equal to the time step", 0.001, 0.001, 0.5, 501},
        // N - 1 = 100 steps, a multiple of k = 10: the rows are those the series always had.
        {"N - 1 a multiple of k", 0.01, 0.001, 0.1, 11},
        // N - 1 = 105 steps, k = 10: ten samples after the first.
        {"N - 1 not a multiple of k", 0.01, 0.001, 0.105, 11},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TBlocStatic m = dryBlockUnderSine(20, 0.6, 0.2, c.duration);
        m.Options.SaveStep = c.saveStep;
        m.Options.TimeStep = c.timeStep;
        RecordingHost host;
        const RunOutcome outcome = AnalysisRun(m, host).run();
        EXPECT_EQ(outcome.end, RunEnd::Completed);
        ASSERT_EQ(m.SlidingDisp->size(), c.rows);
        EXPECT_EQ(outcome.samples, c.rows);
        EXPECT_EQ(m.AbsInputEnergy->size(), c.rows);
        // The block keeps sliding until the end: the last row holds a moved block.
        EXPECT_NE(m.SlidingDisp->get(c.rows), 0.0);
        EXPECT_NE(m.AbsKineticEnergy->get(c.rows), 0.0);
        EXPECT_EQ(static_cast<int>(host.statuses.size()), c.rows - 1);
    }
}

TEST(RunDriverTest, SamplesLieAtTheirTimes) {
    TBlocStatic m = dryBlockUnderSine(20, 0.6, 0.2, 0.5);
    RecordingHost host;
    AnalysisRun(m, host).run();
    ASSERT_EQ(host.statuses.size(), 50u);
    for (std::size_t i = 0; i < host.statuses.size(); ++i) {
        EXPECT_NEAR(host.statuses[i].time, (i + 1) * 0.01, 1e-12);
        EXPECT_EQ(host.statuses[i].sample, static_cast<int>(i) + 2);
        EXPECT_EQ(host.statuses[i].slidingDisplacement,
                  m.SlidingDisp->get(static_cast<int>(i) + 2));
    }
    EXPECT_EQ(SampleInterval(m.Options), 0.01);
    m.Options.SaveStep = 0.00005;
    EXPECT_EQ(SampleInterval(m.Options), 0.0001);
    m.Options.SaveStep = 0.015;
    m.Options.TimeStep = 0.01;
    EXPECT_NEAR(SampleInterval(m.Options), 0.02, 1e-15);
}

TEST(RunDriverTest, ProgressRunsToTheMaximumAndBackToZero) {
    TBlocStatic m = dryBlockUnderSine(20, 0.6, 0.2, 0.5);
    RecordingHost host;
    AnalysisRun(m, host).run();
    ASSERT_FALSE(host.positions.empty());
    EXPECT_TRUE(std::is_sorted(host.positions.begin(), host.positions.end() - 1));
    EXPECT_EQ(host.positions[host.positions.size() - 2], RunHost::kProgressMaximum);
    EXPECT_EQ(host.positions.back(), 0);
    EXPECT_EQ(std::count(host.positions.begin(), host.positions.end(), RunHost::kProgressMaximum),
              1);
}

// The position is told at every step where round(kProgressMaximum i / N) changes, i being the
// step's number among the N (the first step is number 1 at time 0, number 2 otherwise): runs
// whose positions move by many at a step, by one at every step, and by one every few steps.
TEST(RunDriverTest, ProgressIsToldAtEveryStepWhereItsPositionChanges) {
    for (const AnalysisKind kind : {AnalysisKind::Sliding, AnalysisKind::SlidingAndRocking}) {
        for (const double duration : {0.006, 0.234, 0.5, 3.001}) {
            SCOPED_TRACE(std::to_string(duration));
            TBlocStatic m = dryBlockUnderSine(20, 0.6, 0.2, duration);
            m.AnalysisKind = kind;
            m.Options.TimeStep = 0.001;
            RecordingHost host;
            const RunOutcome outcome = AnalysisRun(m, host).run();
            const std::int64_t n = std::llround(duration / 0.001) + 1;
            const std::int64_t first = kind == AnalysisKind::Sliding ? 2 : 1;
            std::vector<int> expected;
            int position = 0;
            for (std::int64_t i = first; i < first + outcome.steps; ++i) {
                const int now = static_cast<int>(std::lround(
                    RunHost::kProgressMaximum * static_cast<double>(i) / static_cast<double>(n)));
                if (now != position)
                    expected.push_back(position = now);
            }
            expected.push_back(0);
            EXPECT_EQ(outcome.steps, n - first + 1);
            EXPECT_EQ(host.positions, expected);
        }
    }
}

TEST(RunDriverTest, HistoriesShorterThanHalfAStepEndTheRunAtOnce) {
    struct Case {
        const char* what;
        void (*define)(TimeHistoryRecord&);
    };
    const Case cases[] = {
        {"a record of a single sample", [](TimeHistoryRecord& h) { sampled(h, {0.3}, 0.01); }},
        {"a generated history whose terms all end at 0",
         [](TimeHistoryRecord& h) { generatedSine(h, 0.5, 1.0, 0.0); }},
        {"a history shorter than half a time step",
         [](TimeHistoryRecord& h) { generatedSine(h, 0.5, 1.0, 0.00004); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TBlocStatic m = dryBlockUnderSine(20, 0.5, 0.5, 1.0);
        c.define(m.history(HistoryKind::HorizontalAcceleration));
        RecordingHost host;
        const RunOutcome outcome = AnalysisRun(m, host).run();
        EXPECT_EQ(outcome.end, RunEnd::Completed);
        EXPECT_EQ(outcome.steps, 0);
        ASSERT_TRUE(m.SlidingDisp);
        EXPECT_EQ(m.SlidingDisp->size(), 1); // the block at rest at time 0
        EXPECT_EQ(m.SlidingDisp->get(1), 0.0);
        EXPECT_EQ(host.polls, 0);
    }
}

TEST(RunDriverTest, StoppedRunKeepsTheSamplesComputedSoFar) {
    TBlocStatic full = dryBlockUnderSine(20, 0.5, 0.5, 1.0);
    TBlocStatic stopped = full;
    RecordingHost host;
    AnalysisRun(full, host).run();

    RecordingHost stopper;
    stopper.stopAfterPolls = 50; // polled every 64 steps: 3 200 of the 10 000 steps
    const RunOutcome outcome = AnalysisRun(stopped, stopper).run();
    EXPECT_EQ(outcome.end, RunEnd::Stopped);
    EXPECT_EQ(outcome.cause, StopCause::Host);
    EXPECT_EQ(outcome.steps, 3200);
    ASSERT_EQ(stopped.SlidingDisp->size(), 33); // rest sample + one every 100 steps
    EXPECT_EQ(stopped.SlidingSF->size(), 33);
    for (int j = 1; j <= 33; ++j)
        EXPECT_EQ(stopped.SlidingDisp->get(j), full.SlidingDisp->get(j));
    EXPECT_EQ(stopper.positions.back(), 0);
}

TEST(RunDriverTest, SeriesOfOtherAnalysesAreLeftAlone) {
    TBlocStatic m = dryBlockUnderSine(20, 0.5, 0.5, 0.1);
    m.Rotation.emplace(3);
    m.Rotation->set(2, 0.25);
    m.ImpactEnergy.emplace(7);
    RecordingHost host;
    AnalysisRun(m, host).run();
    ASSERT_TRUE(m.Rotation);
    EXPECT_EQ(m.Rotation->get(2), 0.25);
    EXPECT_EQ(m.ImpactEnergy->size(), 7);
    EXPECT_FALSE(m.OverturningSF);
}

// The driver makes the checks every analysis shares in the words of the analysis, around the
// analysis's own: sliding warns of a plane steeper than its friction between the two.
TEST(RunDriverTest, SharedChecksAreWordedByEachAnalysisAroundItsOwn) {
    struct Case {
        AnalysisKind kind;
        std::vector<std::pair<MessageKind, std::string>> shown;
    };
    const auto error = MessageKind::Error;
    const Case cases[] = {
        {AnalysisKind::Sliding,
         {{error, "engine.sliding.massless"},
          {MessageKind::Warning, "engine.sliding.friction_below_slope"},
          {error, "engine.sliding.no_histories"}}},
        {AnalysisKind::Rocking,
         {{error, "engine.rocking.massless"}, {error, "engine.rocking.no_histories"}}},
        {AnalysisKind::SlidingAndRocking,
         {{error, "engine.sliding_rocking.massless"},
          {error, "engine.sliding_rocking.no_histories"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.kind));
        TBlocStatic m = dryBlockUnderSine(20, 0.5, 0.5, 1.0);
        m.AnalysisKind = c.kind;
        m.M = 0;
        m.Beta = 25; // steeper than the friction angle of 20 degrees
        m.history(HistoryKind::HorizontalAcceleration).Source = HistorySource::Undefined;
        RecordingHost host;
        EXPECT_EQ(AnalysisRun(m, host).run().end, RunEnd::ChecksFailed);
        std::vector<std::pair<MessageKind, std::string>> shown;
        for (const auto& s : host.messages)
            shown.emplace_back(s.kind, s.message.key);
        EXPECT_EQ(shown, c.shown);
    }
}

TEST(RunDriverTest, FailedChecksRefuseTheRunAndTouchNoSeries) {
    struct Case {
        const char* what;
        void (*spoil)(TBlocStatic&);
        std::vector<std::string> errors; // in the order shown
    };
    const Case cases[] = {
        {"massless block", [](TBlocStatic& m) { m.M = 0; }, {"engine.sliding.massless"}},
        {"negative mass", [](TBlocStatic& m) { m.M = -3; }, {"engine.sliding.massless"}},
        {"no history",
         [](TBlocStatic& m) {
             m.history(HistoryKind::HorizontalAcceleration).Source = HistorySource::Undefined;
         },
         {"engine.sliding.no_histories"}},
        {"massless and no history",
         [](TBlocStatic& m) {
             m.M = 0;
             m.history(HistoryKind::HorizontalAcceleration).Source = HistorySource::Undefined;
         },
         {"engine.sliding.massless", "engine.sliding.no_histories"}},
        {"zero time step",
         [](TBlocStatic& m) { m.Options.TimeStep = 0; },
         {"engine.time_step_not_positive"}},
        {"negative time step",
         [](TBlocStatic& m) { m.Options.TimeStep = -0.001; },
         {"engine.time_step_not_positive"}},
        {"undefined time step",
         [](TBlocStatic& m) { m.Options.TimeStep = std::numeric_limits<double>::quiet_NaN(); },
         {"engine.time_step_not_positive"}},
        {"zero save step",
         [](TBlocStatic& m) { m.Options.SaveStep = 0; },
         {"engine.save_step_not_positive"}},
        {"zero gravity",
         [](TBlocStatic& m) { m.Options.Gravity = 0; },
         {"engine.gravity_not_positive"}},
        {"negative gravity",
         [](TBlocStatic& m) { m.Options.Gravity = -9.807; },
         {"engine.gravity_not_positive"}},
        {"a run too long to count",
         [](TBlocStatic& m) { m.Options.TimeStep = 1e-17; },
         {"engine.run_too_long"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TBlocStatic m = dryBlockUnderSine(20, 0.5, 0.5, 1.0);
        m.SlidingDisp.emplace(5);
        m.SlidingDisp->set(3, 1.5);
        c.spoil(m);
        RecordingHost host;
        const RunOutcome outcome = AnalysisRun(m, host).run();
        EXPECT_EQ(outcome.end, RunEnd::ChecksFailed);
        std::vector<std::string> errors;
        for (const auto& shownMessage : host.messages)
            if (shownMessage.kind == MessageKind::Error)
                errors.push_back(shownMessage.message.key);
        EXPECT_EQ(errors, c.errors);
        ASSERT_EQ(m.SlidingDisp->size(), 5);
        EXPECT_EQ(m.SlidingDisp->get(3), 1.5);
        EXPECT_FALSE(m.SlidingSF);
        EXPECT_TRUE(host.statuses.empty());
        EXPECT_TRUE(host.positions.empty());
    }
}

TEST(RunDriverTest, DebugFileHasItsHeaderAndOneLinePerStep) {
    const std::filesystem::path dir = std::filesystem::temp_directory_path() / "quibel_debug_test";
    std::filesystem::create_directories(dir);
    const std::string path = (dir / "debug.csv").string();
    TBlocStatic m = dryBlockUnderSine(20, 0.5, 0.5, 0.05); // N = 501
    m.Options.DebugFile = 1;
    TimeHistoryRecord& f = m.history(HistoryKind::HorizontalForce);
    sampled(f, {100, 100, 100}, 0.01);
    f.PosY = 5; // below the plane (heel at 10 m): contributes nothing
    RecordingHost host;
    AnalysisRun(m, host, {path}).run();
    std::ifstream in(path);
    std::string line;
    std::vector<std::string> lines;
    while (std::getline(in, line))
        lines.push_back(line);
    ASSERT_EQ(lines.size(), 501u);
    EXPECT_EQ(lines[0], "time;acc.hor;acc.vert;force.hor;force.vert;Mass;Load;Resistance;Normal;"
                        "Hs;Hds;Fv;AddedForce.Hor;AddedForce.vert;s;sp;spp");
    // First step at t = dt: the driver's five columns, the step's nine and d, v, a.
    const std::string& first = lines[1];
    EXPECT_EQ(first.substr(0, 11), "  0.000100;");
    EXPECT_EQ(std::count(first.begin(), first.end(), ';'), 5 + 9 + 3);
    EXPECT_NE(first.find(";    0.0000;    0.0000;  398.0000;"), std::string::npos) << first;
    EXPECT_EQ(lines.back().substr(0, 11), "  0.050000;");
    const std::regex scientificEnd(R"(.*(;-?\d\.\d{6}e[+-]\d{2}){3};$)");
    EXPECT_TRUE(std::regex_match(lines.back(), scientificEnd)) << lines.back();
    EXPECT_EQ(m.Options.DebugFile, 1);
    std::filesystem::remove_all(dir);
}

TEST(RunDriverTest, DebugFileThatCannotBeCreatedIsSwitchedOff) {
    TBlocStatic m = dryBlockUnderSine(20, 0.5, 0.5, 0.05);
    m.Options.DebugFile = 1;
    RecordingHost host;
    const RunOutcome outcome =
        AnalysisRun(m, host, {"/nonexistent-folder-of-quibel/debug.csv"}).run();
    EXPECT_EQ(outcome.end, RunEnd::Completed);
    EXPECT_TRUE(shown(host, "engine.debug_file_failed", MessageKind::Warning));
    EXPECT_EQ(m.Options.DebugFile, 0);
    EXPECT_EQ(m.SlidingDisp->size(), 6);
}

TEST(RunDriverTest, RunLengthComesFromTheLongestDefinedHistory) {
    TBlocStatic m = startupModel();
    generatedSine(m.history(HistoryKind::HorizontalAcceleration), 0.1, 1, 2.0);
    sampled(m.history(HistoryKind::VerticalForce), {1, 2, 3, 4}, 0.5); // 1.5 s
    m.history(HistoryKind::VerticalAcceleration).Duration = 50;        // undefined: does not count
    RunLength length = ComputeRunLength(m, StepTiming::FirstStepAtTimeStep);
    EXPECT_EQ(length.N, 20001);
    EXPECT_EQ(length.steps, 20000);
    EXPECT_EQ(length.ratio, 100);
    EXPECT_EQ(length.samples, 201);
    length = ComputeRunLength(m, StepTiming::FirstStepAtZero);
    EXPECT_EQ(length.steps, 20001);
    EXPECT_EQ(length.samples, 201);
    m.Options.TimeStep = 0.003; // 2 / 0.003 = 666.67: nearest 667
    m.Options.SaveStep = 0.001; // below the time step: k = 1
    length = ComputeRunLength(m, StepTiming::FirstStepAtTimeStep);
    EXPECT_EQ(length.N, 668);
    EXPECT_EQ(length.ratio, 1);
    EXPECT_EQ(length.samples, 668);
}

// Sample 1 is the block at rest at time 0 under the loads of that instant: no motion and no
// energy, but the safety values it has there, never a factor of 0 it never had.
TEST(RunDriverTest, FirstSampleHoldsTheSafetyValuesOfTheBlockAtRest) {
    const double xcOverB = 5.301 / 16 * 100; // weight over the base, % from the heel
    struct Case {
        const char* what;
        AnalysisKind kind;
        double beta;
        double groundAtZero; // g
        double sliding;      // NaN: not filled
        double overturning;
        double position;
    };
    const double none = std::numeric_limits<double>::quiet_NaN();
    const Case cases[] = {
        // Friction over the weight's pull down a 15° plane: tan 45° / tan 15°.
        {"sliding on a 15 degree plane", AnalysisKind::Sliding, 15, 0,
         1 / std::tan(15 * std::numbers::pi / 180), none, none},
        // A record that starts at 0.3 g: friction over the inertia load, 1 / 0.3.
        {"sliding under 0.3 g at time 0", AnalysisKind::Sliding, 0, 0.3, 1 / 0.3, none, none},
        // Nothing drives a rotation (the factor's cap); the weight acts at Xc.
        {"rocking", AnalysisKind::Rocking, 0, 0, none, 10, xcOverB},
        // No load along the plane (the sliding cap), the weight at Xc.
        {"sliding and rocking", AnalysisKind::SlidingAndRocking, 0, 0, 10, none, xcOverB},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TBlocStatic m = dryBlockUnderSine(45, 0, 0.5, 0.1);
        m.AnalysisKind = c.kind;
        m.Beta = c.beta;
        if (c.groundAtZero != 0)
            sampled(m.history(HistoryKind::HorizontalAcceleration), {c.groundAtZero, 0, 0}, 0.05);
        RecordingHost host;
        ASSERT_EQ(AnalysisRun(m, host).run().end, RunEnd::Completed);
        ASSERT_TRUE(m.AbsInputEnergy);
        EXPECT_EQ(m.AbsInputEnergy->get(1), 0.0);
        if (!std::isnan(c.sliding)) {
            EXPECT_NEAR(m.SlidingSF->get(1), c.sliding, 1e-9);
        }
        if (!std::isnan(c.overturning)) {
            EXPECT_NEAR(m.OverturningSF->get(1), c.overturning, 1e-9);
        }
        if (!std::isnan(c.position)) {
            EXPECT_NEAR(m.ResultantPosition->get(1), c.position, 1e-9);
        }
    }
}
