// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/loads/added_loads.h"
#include "engine/loads/load_model.h"
#include "engine/run/run_driver.h"
#include "engine/run/si_model.h"
#include "engine/sliding_rocking/analysis.h"
#include "engine/sliding_rocking/centre_of_mass.h"
#include "engine/sliding_rocking/step.h"
#include "model/model_flags.h"
#include "model/unit_change.h"
#include "model/unit_tables.h"
#include "tests/engine/recording_host.h"
#include "tests/engine/sliding_rocking_models.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <string>

using namespace quibel;
using quibel::test::dryBlock;
using quibel::test::generatedSine;
using quibel::test::RecordingHost;

namespace {

constexpr double kG = 9.807;

TBlocStatic slidingRockingBlock(double phi, double amplitudeG, double period, double duration,
                                double betaDegrees = 0.0) {
    TBlocStatic m = dryBlock(betaDegrees);
    m.AnalysisKind = AnalysisKind::SlidingAndRocking;
    m.PhiS = phi;
    m.PhiD = phi;
    generatedSine(m.history(HistoryKind::HorizontalAcceleration), amplitudeG, period, duration);
    return m;
}

// The last sample of m shows the block at rest: neither sliding nor turning.
void expectAtRestAtTheEnd(const TBlocStatic& m) {
    EXPECT_EQ(m.SlidingVel->get(m.SlidingVel->size()), 0.0);
    EXPECT_EQ(m.RotationVel->get(m.RotationVel->size()), 0.0);
}

// The step of a run on a model, with the copies its run context refers to.
struct StepOnModel {
    explicit StepOnModel(const TBlocStatic& m)
        : model(m), si(MakeSiModel(model)), loads(MakeLoadModel(model, si)),
          added(CollectAddedLoads(model)), step(RunContext{model, si, loads, added, nullptr}) {}
    TBlocStatic model;
    SiModel si;
    LoadModel loads;
    AddedLoadsOnBlock added;
    SlidingRockingStep step;
};

// A slender block: 6 m wide, centre of mass 10 m above the heel, midway across.
void makeSlender(TBlocStatic& m) {
    m.B = 6;
    m.Xc = 3;
    m.Yc = 10;
    m.Im = m.M * (36 + 400) / 12.0;
}

// A defined history of zeros that makes the run last until end.
void silentVertical(TBlocStatic& m, double end) {
    TimeHistoryRecord& h = m.history(HistoryKind::VerticalAcceleration);
    h.Source = HistorySource::Generated;
    h.Terms = {};
    h.Terms[0] = {TermShape::Sine, 0, 1, 0, 0, end, 0};
    h.Duration = end;
}

RunOutcome run(TBlocStatic& m, RecordingHost& host, RunSettings settings = {}) {
    return AnalysisRun(m, host, std::make_unique<SlidingRockingAnalysis>(), settings).run();
}

} // namespace

TEST(SlidingRockingAnalysisTest, ChecksRefuseAMasslessBlockWithoutHistories) {
    TBlocStatic m = slidingRockingBlock(30, 0.5, 1, 1);
    m.M = 0;
    m.history(HistoryKind::HorizontalAcceleration).Source = HistorySource::Undefined;
    RecordingHost host;
    EXPECT_EQ(run(m, host).end, RunEnd::ChecksFailed);
    ASSERT_EQ(host.messages.size(), 2u);
    EXPECT_EQ(host.messages[0].message.key, "engine.sliding_rocking.massless");
    EXPECT_EQ(host.messages[1].message.key, "engine.sliding_rocking.no_histories");
    EXPECT_FALSE(m.Rotation.has_value());
}

TEST(SlidingRockingAnalysisTest, ReducesToTheSlidingAnalysisWhenItCannotRock) {
    // A wide low block (40 m by 4 m, centre 2 m high) would rock only beyond 10 g. The
    // sliding-and-rocking run makes its first step at time 0, so its sample j + 1 is the
    // state of the sliding run's sample j; with a sample every step the two are compared at
    // the same instants. While every reversal of the sliding is a stop, both integrate the same
    // Newmark steps with the same friction and stops.
    for (std::uint8_t variant : {0, 1}) {
        SCOPED_TRACE(static_cast<int>(variant));
        TBlocStatic m = slidingRockingBlock(25, 0.8, 0.5, 2);
        m.Hd = 14;
        m.H = 4;
        m.B = 40;
        m.Xc = 20;
        m.Yc = 2;
        m.Im = 398 * (1600 + 16) / 12.0;
        m.Options.TimeStep = m.Options.SaveStep = 1e-4;
        m.Options.NewmarkBeta = variant;
        TBlocStatic sliding = m;
        sliding.AnalysisKind = AnalysisKind::Sliding;
        RecordingHost h1, h2;
        ASSERT_EQ(run(m, h1).end, RunEnd::Completed);
        ASSERT_EQ(AnalysisRun(sliding, h2).run().end, RunEnd::Completed);
        const int n = sliding.SlidingDisp->size();
        ASSERT_EQ(m.SlidingDisp->size(), n + 1);
        ASSERT_GT(sliding.SlidingDisp->max(1, n) - sliding.SlidingDisp->min(1, n), 0.02);
        EXPECT_EQ(m.Rotation->max(1, n + 1), 0.0);
        EXPECT_EQ(m.Rotation->min(1, n + 1), 0.0);
        for (int j = 1; j <= n; ++j) {
            ASSERT_NEAR(m.SlidingDisp->get(j + 1), sliding.SlidingDisp->get(j), 1e-12) << j;
            ASSERT_NEAR(m.SlidingVel->get(j + 1), sliding.SlidingVel->get(j), 1e-10) << j;
        }
        // The friction energy, the only dissipation, agrees; the safety factors do not have
        // to: the sliding analysis caps its factor at 5, this one at 10.
        EXPECT_NEAR(m.FrictionEnergy->get(n + 1), sliding.FrictionEnergy->get(n), 1e-6);
        EXPECT_DOUBLE_EQ(m.SlidingSF->get(3), 10.0);
        EXPECT_DOUBLE_EQ(sliding.SlidingSF->get(2), 5.0);
    }
}

TEST(SlidingRockingAnalysisTest, ReducesToTheRockingAnalysisWhenItCannotSlide) {
    // Friction angles of 89.9 degrees keep the start-up block from sliding. Its rocking under
    // a 1 g sine, with impacts on both sides, follows the rocking analysis to the integration
    // error. On purpose the two differ in the first evaluation of each Runge-Kutta step (this
    // analysis evaluates it, the rocking analysis reuses the last acceleration), in the lever
    // of the translational hydrodynamic force (0.401 h here, 0.4 h there; this block is dry)
    // and in the time of their first step (sample j + 1 here is sample j there).
    TBlocStatic m = slidingRockingBlock(89.9, 1.0, 0.7, 3);
    m.Options.TimeStep = m.Options.SaveStep = 1e-4;
    TBlocStatic rocking = m;
    rocking.AnalysisKind = AnalysisKind::Rocking;
    RecordingHost h1, h2;
    ASSERT_EQ(run(m, h1).end, RunEnd::Completed);
    ASSERT_EQ(AnalysisRun(rocking, h2).run().end, RunEnd::Completed);
    const int n = rocking.Rotation->size();
    ASSERT_GT(rocking.Rotation->max(1, n), 1e-3);
    ASSERT_LT(rocking.Rotation->min(1, n), -1e-4);
    for (int j = 1; j <= n; ++j)
        ASSERT_NEAR(m.Rotation->get(j + 1), rocking.Rotation->get(j), 1e-8) << j;
    EXPECT_EQ(m.SlidingDisp->max(1, n + 1), 0.0);
    EXPECT_EQ(m.SlidingDisp->min(1, n + 1), 0.0);
    const double impact = rocking.ImpactEnergy->get(n);
    ASSERT_GT(impact, 100.0);
    EXPECT_NEAR(m.ImpactEnergy->get(n + 1), impact, 1e-5 * impact);
}

TEST(SlidingRockingAnalysisTest, BlockWithoutTendencyStaysExactlyAtRest) {
    // 0.3 g neither slides (friction angle 45 degrees) nor rocks (0.76 g needed) the block.
    TBlocStatic m = slidingRockingBlock(45, 0.3, 0.5, 2);
    RecordingHost host;
    ASSERT_EQ(run(m, host).end, RunEnd::Completed);
    for (const std::optional<TVector>* s : {&m.SlidingDisp, &m.SlidingVel, &m.SlidingAcc,
                                            &m.Rotation, &m.RotationVel, &m.RotationAcc}) {
        EXPECT_EQ((*s)->min(1, (*s)->size()), 0.0);
        EXPECT_EQ((*s)->max(1, (*s)->size()), 0.0);
    }
    expectAtRestAtTheEnd(m);
    // Only the ground moves: the absolute energies of the block carried along.
    EXPECT_GT(m.AbsKineticEnergy->max(), 0.0);
    EXPECT_EQ(m.RelKineticEnergy->max(), 0.0);
    EXPECT_EQ(m.RelInputEnergy->max(), 0.0);
}

TEST(SlidingRockingAnalysisTest, RockingBlockSettlesAtRest) {
    // One second of 1 g sets the block rocking; then it rocks freely, losing 91 % of its
    // kinetic energy at every downstream impact, until it comes to rest on the plane for good.
    TBlocStatic m = slidingRockingBlock(89.9, 1.0, 0.7, 1.05);
    silentVertical(m, 4);
    RecordingHost host;
    ASSERT_EQ(run(m, host).end, RunEnd::Completed);
    const int n = m.Rotation->size();
    EXPECT_GT(m.Rotation->max(1, n), 1e-3);
    expectAtRestAtTheEnd(m);
    // The last second is at rest.
    for (int j = n - 100; j <= n; ++j) {
        ASSERT_EQ(m.Rotation->get(j), 0.0) << j;
        ASSERT_EQ(m.RotationVel->get(j), 0.0) << j;
        ASSERT_EQ(m.RotationAcc->get(j), 0.0) << j;
    }
    EXPECT_GT(m.ImpactEnergy->get(n), 0.0);
}

TEST(SlidingRockingAnalysisTest, EnergyBalanceOfADryBlockUnderAModerateRecord) {
    // A 0.95 g sine of 0.5 s period both slides (friction angle 40 degrees) and rocks the block.
    TBlocStatic m = slidingRockingBlock(40, 0.95, 0.5, 5);
    RecordingHost host;
    ASSERT_EQ(run(m, host).end, RunEnd::Completed);
    const int n = m.Rotation->size();
    ASSERT_GT(m.SlidingDisp->max(1, n), 0.1);
    ASSERT_GT(m.Rotation->max(1, n), 1e-4);
    ASSERT_GT(m.ImpactEnergy->get(n), 0.0);
    ASSERT_GT(m.FrictionEnergy->get(n), 0.0);
    const double peakInput = m.AbsInputEnergy->max(1, n);
    for (const RunStatus& s : host.statuses) {
        EXPECT_LT(s.relativeEnergyError, 1.0) << "t = " << s.time;
        // The absolute input passes through 0 with the ground velocity; where it is small the
        // ratio means nothing.
        if (std::fabs(m.AbsInputEnergy->get(s.sample)) > 0.1 * peakInput) {
            EXPECT_LT(s.absoluteEnergyError, 1.0) << "t = " << s.time;
        }
    }
    EXPECT_FALSE(host.statuses.back().energyErrorHigh);
}

TEST(SlidingRockingAnalysisTest, BlockLiftedOffThePlaneFeelsNoFriction) {
    // A 1.3 g vertical sine lifts the sliding and rocking block off the plane for part of each
    // cycle; friction acting in the air would do work the friction energy never counts.
    TBlocStatic m = slidingRockingBlock(40, 0.95, 0.5, 5);
    generatedSine(m.history(HistoryKind::VerticalAcceleration), 1.3, 0.5, 5);
    RecordingHost host;
    ASSERT_EQ(run(m, host).end, RunEnd::Completed);
    ASSERT_FALSE(host.questions.empty()); // the block did lose contact
    const int n = m.Rotation->size();
    ASSERT_GT(m.Rotation->max(1, n), 1e-4);
    ASSERT_GT(m.FrictionEnergy->get(n), 0.0);
    double worst = 0.0;
    for (const RunStatus& s : host.statuses)
        worst = std::max(worst, s.relativeEnergyError);
    EXPECT_LT(worst, 1.0);
}

TEST(SlidingRockingAnalysisTest, SafetyFactorsOfABlockAtRestByHand) {
    // The dry start-up block at rest on a level plane (friction angle 30 degrees).
    TBlocStatic m = dryBlock();
    m.PhiS = m.PhiD = 30;
    StepOnModel onModel(m);
    const double mu = std::tan(30 * std::numbers::pi / 180);
    struct Case {
        const char* name;
        double ag, av;
        double sliding, overturning, resultant;
    } cases[] = {
        // Its weight alone: nothing drives it, the resultant lies under the centre of mass.
        {"weight only", 0, 0, 10, 10, 5.301 / 16 * 100},
        // 0.3 g downstream: D = -0.3 M g against mu M g; about the heel the weight resists
        // with M g Xc the inertia's M ag Yc, about the toe both resist; the resultant moves
        // downstream by 0.3 Yc.
        {"0.3 g", 0.3 * kG, 0, mu / 0.3, 5.301 / (0.3 * 6.964),
         100 - (0.3 * 6.964 + 16 - 5.301) / 16 * 100},
        // The ground falling at g takes the weight off the plane: the weight and the inertia of
        // the fall turn the block about its heel equally, one each way.
        {"free fall", 0, -kG, 10, 1, 50},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        RecordingHost host;
        RunControl control(host);
        SlidingRockingStep step = onModel.step;
        StepInput input;
        input.dt = 1e-4;
        input.ground.ag = input.ground.agPrev = k.ag;
        input.ground.av = input.ground.avPrev = k.av;
        BlockMotion previous, next;
        EnergyTerms energy;
        SafetyFactors factors;
        step.step(input, previous, next, energy, factors, control);
        EXPECT_NEAR(factors.sliding, k.sliding, 1e-9);
        EXPECT_NEAR(factors.overturning, k.overturning, 1e-9);
        EXPECT_NEAR(factors.resultantPosition, k.resultant, 1e-9);
        EXPECT_EQ(step.mode(), MotionMode::Stop);
    }
}

TEST(SlidingRockingAnalysisTest, InconsistentModeStopsTheRunWithItsCode) {
    // A step that begins in a mode its own motion contradicts: a combined mode without any
    // sliding velocity that the rocking drives the wrong way, or pure rocking about a pivot
    // from theta = 0 with the block turning the other way.
    TBlocStatic m = dryBlock();
    m.PhiS = m.PhiD = 30;
    StepOnModel onModel(m);
    struct Case {
        MotionMode mode;
        double theta, omega;
        int code;
    } cases[] = {
        {MotionMode::RockingUS, 0.0, -0.1, 101},
        {MotionMode::SlidingUSRockingUS, 1e-3, 0.0, 102},
        {MotionMode::SlidingDSRockingUS, 1e-3, 0.0, 103},
        {MotionMode::RockingDS, 0.0, 0.1, 104},
        {MotionMode::SlidingUSRockingDS, -1e-3, 0.0, 105},
        {MotionMode::SlidingDSRockingDS, -1e-3, 2.0, 106},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.code);
        RecordingHost host;
        RunControl control(host);
        SlidingRockingStep step = onModel.step;
        step.setMode(k.mode);
        StepInput input;
        input.dt = 1e-4;
        BlockMotion previous, next;
        previous.theta = k.theta;
        previous.omega = k.omega;
        EnergyTerms energy;
        SafetyFactors factors;
        step.step(input, previous, next, energy, factors, control);
        EXPECT_FALSE(control.running());
        EXPECT_EQ(control.stopCause(), StopCause::StepFailure);
        ASSERT_EQ(host.messages.size(), 1u);
        EXPECT_EQ(host.messages[0].kind, MessageKind::Warning);
        EXPECT_EQ(host.messages[0].message.key, ConvergenceMessageKey(k.code));
    }
}

TEST(SlidingRockingAnalysisTest, CoupledAccelerationAgainstTheSlidingRunsToTheEnd) {
    // The slender block under 0.6 g tends to slide upstream and to rock about its heel at
    // once, but the rocking drives its pivot downstream: the coupled sliding acceleration
    // comes out against the upstream sliding. Tested on the velocity before the step's own
    // update (0 from rest) the trial kept the combined mode, and the mode check stopped this
    // run at 0.2 s with code 102; tested after the update, the block rocks without sliding.
    TBlocStatic m = slidingRockingBlock(20, 0.6, 1, 5);
    makeSlender(m);
    RecordingHost host;
    const RunOutcome outcome = run(m, host);
    EXPECT_EQ(outcome.end, RunEnd::Completed);
    EXPECT_TRUE(host.messages.empty());
    const int n = m.Rotation->size();
    EXPECT_GT(m.Rotation->max(1, n), 0.01);
    EXPECT_LT(m.Rotation->min(1, n), -0.005);
}

TEST(SlidingRockingAnalysisTest, CombinedModeHeldByFrictionRocksOnly) {
    // Under these records the block, rocking and sliding at once, reaches instants where it
    // can slide neither way: after a reversal of its sliding, or after landing on its other
    // corner, the coupled sliding acceleration drives it against the direction of the mode it
    // entered. Friction then holds it and it rocks only. Kept in the combined mode, these runs
    // stopped with a convergence error (codes 102 and 105, at 1.93 s and 3.75 s).
    struct Case {
        double phi, peak, period, end;
    } cases[] = {{45, 1.2, 0.35, 2.5}, {40, 1.6, 0.5, 4.0}};
    for (const Case& k : cases) {
        SCOPED_TRACE(k.phi);
        TBlocStatic m = slidingRockingBlock(k.phi, 0, 1, 1);
        quibel::test::multiSineRecord(m.history(HistoryKind::HorizontalAcceleration), k.peak,
                                      k.period, k.end);
        RecordingHost host;
        const RunOutcome outcome = run(m, host);
        EXPECT_EQ(outcome.end, RunEnd::Completed);
        EXPECT_TRUE(host.messages.empty());
        EXPECT_TRUE(host.questions.empty());
        const int n = m.Rotation->size();
        EXPECT_GT(m.Rotation->max(1, n), 1e-4);
        for (const RunStatus& s : host.statuses)
            ASSERT_LT(s.relativeEnergyError, 2.0) << "t = " << s.time;
    }
}

TEST(SlidingRockingAnalysisTest, BlockSlidDownAnInclinedPlaneKeepsItsPotentialEnergy) {
    // On a plane rising 3 degrees downstream the block slides down (upstream) under 0.5 g and
    // stops there: its centre of mass stays u sin(3 degrees) lower at rest, and the balance
    // closes.
    TBlocStatic m = slidingRockingBlock(20, 0.5, 1, 5, 3);
    RecordingHost host;
    ASSERT_EQ(run(m, host).end, RunEnd::Completed);
    const int n = m.SlidingDisp->size();
    const double u = m.SlidingDisp->get(n);
    ASSERT_LT(u, -0.1);
    expectAtRestAtTheEnd(m);
    EXPECT_EQ(m.Rotation->max(1, n), 0.0);
    EXPECT_NEAR(m.PotentialEnergy->get(n), 398 * kG * u * std::sin(3 * std::numbers::pi / 180),
                1e-9);
    EXPECT_LT(host.statuses.back().absoluteEnergyError, 0.01);
    EXPECT_LT(host.statuses.back().relativeEnergyError, 0.01);
}

TEST(SlidingRockingAnalysisTest, FrictionEnergyNeverDecreases) {
    // Runs whose steps end after sliding in every way: stopped, still sliding, rocking.
    struct Case {
        const char* name;
        double phi, amplitude, period, beta;
    } cases[] = {
        {"level, sliding with stops", 35, 0.9, 1, 0},
        {"sliding and rocking", 38, 0.9, 0.5, 0},
        {"inclined plane", 20, 0.6, 0.5, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TBlocStatic m = slidingRockingBlock(c.phi, c.amplitude, c.period, 3, c.beta);
        RecordingHost host;
        ASSERT_EQ(run(m, host).end, RunEnd::Completed);
        const int n = m.FrictionEnergy->size();
        ASSERT_GT(m.FrictionEnergy->get(n), 0.0);
        for (int j = 2; j <= n; ++j)
            ASSERT_GE(m.FrictionEnergy->get(j), m.FrictionEnergy->get(j - 1)) << j;
    }
}

TEST(SlidingRockingAnalysisTest, AsymmetricRockingBlockBalancesItsEnergyAcrossImpacts) {
    // The start-up block's centre lies 5.3 m from the heel and 10.7 m from the toe, so its
    // inertias about the two pivots differ by half. Rocking without sliding through many
    // impacts on both sides, on a level and on an inclined plane, its energy balance closes to
    // the integration error.
    for (double beta : {0.0, 5.0}) {
        SCOPED_TRACE(beta);
        TBlocStatic m = slidingRockingBlock(89.9, 1.0, 0.7, 3, beta);
        m.Ed = 0.9;
        RecordingHost host;
        ASSERT_EQ(run(m, host).end, RunEnd::Completed);
        const int n = m.Rotation->size();
        ASSERT_GT(m.Rotation->max(1, n), 0.01);
        ASSERT_LT(m.Rotation->min(1, n), -0.01);
        for (const RunStatus& s : host.statuses)
            ASSERT_LT(s.relativeEnergyError, 0.2) << "t = " << s.time;
    }
}

TEST(SlidingRockingAnalysisTest, CentreOfMassSeriesAgreeAcrossUnitSystems) {
    // The same block sliding and rocking, entered in each unit system: the derived motion of
    // its centre of mass, converted to metres, is the same.
    TBlocStatic si = slidingRockingBlock(40, 1.0, 0.5, 2, 2);
    RecordingHost host;
    ASSERT_EQ(run(si, host).end, RunEnd::Completed);
    const CentreOfMassSeries reference(si, CentreOfMassSeries::Sliding::AlongPlane);
    const int n = reference.size();
    ASSERT_EQ(n, 201);
    double peak = 0.0;
    for (int k = 1; k <= n; ++k)
        peak = std::max(peak, std::fabs(reference.at(k).displacement));
    ASSERT_GT(peak, 0.05);
    ASSERT_GT(si.Rotation->max(1, n), 1e-4);

    for (UnitSystem u : {UnitSystem::MmNKg, UnitSystem::InLbLb, UnitSystem::FtKipKip}) {
        SCOPED_TRACE(unitIndex(u));
        TBlocStatic m = si;
        changeUnitSystem(m, u);
        RecordingHost h;
        ASSERT_EQ(run(m, h).end, RunEnd::Completed);
        const CentreOfMassSeries series(m, CentreOfMassSeries::Sliding::AlongPlane);
        const double toMetre = units::lengthToSi(u);
        for (int k = 1; k <= n; ++k) {
            const CentreOfMassMotion a = series.at(k), b = reference.at(k);
            ASSERT_NEAR(a.displacement * toMetre, b.displacement, 1e-6 * peak) << k;
            ASSERT_NEAR(a.velocity * toMetre, b.velocity, 1e-5) << k;
        }
    }
}

TEST(SlidingRockingAnalysisTest, CentreOfMassSeriesByHand) {
    // Hand-set samples of a run in millimetres: at rest on the plane the centre moves with the
    // sliding; rotated about the heel by 0.01 rad it has swung R (sin a - sin(a - 0.01))
    // upstream, R and a being the heel radius and angle of the centre (in mm).
    TBlocStatic m = dryBlock(10);
    changeUnitSystem(m, UnitSystem::MmNKg);
    for (std::optional<TVector>* s : {&m.SlidingDisp, &m.SlidingVel, &m.SlidingAcc, &m.Rotation,
                                      &m.RotationVel, &m.RotationAcc})
        s->emplace(3);
    m.SlidingDisp->set(1, 12.0);
    m.SlidingVel->set(1, 3.0);
    m.SlidingDisp->set(2, 5.0);
    m.Rotation->set(2, 0.01);
    m.RotationVel->set(2, 0.2);
    m.Rotation->set(3, -0.02);
    m.RotationVel->set(3, -0.1);
    const double R = std::hypot(5301.0, 6964.0), a = std::atan2(5301.0, 6964.0);
    const double Rt =
        std::hypot(16000 - 5301.0, 6964 - 16000 * std::tan(10 * std::numbers::pi / 180));
    const double at =
        std::atan2(16000 - 5301.0, 6964 - 16000 * std::tan(10 * std::numbers::pi / 180));

    const CentreOfMassSeries along(m, CentreOfMassSeries::Sliding::AlongPlane);
    EXPECT_DOUBLE_EQ(along.at(1).displacement, 12.0);
    EXPECT_DOUBLE_EQ(along.at(1).velocity, 3.0);
    EXPECT_NEAR(along.at(2).displacement, 5.0 - R * (std::sin(a) - std::sin(a - 0.01)), 1e-9);
    EXPECT_NEAR(along.at(2).velocity, -R * 0.2 * std::cos(a - 0.01), 1e-9);
    EXPECT_NEAR(along.at(2).acceleration, -R * 0.04 * std::sin(a - 0.01), 1e-9);
    EXPECT_NEAR(along.at(3).displacement, Rt * (std::sin(at) - std::sin(at - 0.02)), 1e-9);
    EXPECT_NEAR(along.at(3).velocity, Rt * 0.1 * std::cos(at - 0.02), 1e-9);

    const CentreOfMassSeries horizontal(m, CentreOfMassSeries::Sliding::Horizontal);
    EXPECT_DOUBLE_EQ(horizontal.at(1).displacement, 12.0 * std::cos(10 * std::numbers::pi / 180));
}

TEST(SlidingRockingAnalysisTest, ExcessiveRotationIsAskedOncePerRun) {
    // A long push of 1 g topples the slender block past its critical angle about the heel,
    // atan(3 / 10), by more than pi / 8; the user answers No and the question is not asked
    // again.
    TBlocStatic m = slidingRockingBlock(30, 1.0, 5, 2.5);
    makeSlender(m);
    RecordingHost host;
    run(m, host);
    const int n = m.Rotation->size();
    ASSERT_GT(m.Rotation->max(1, n), std::atan(0.3) + std::numbers::pi / 8);
    const auto asked = std::count_if(host.questions.begin(), host.questions.end(), [](auto& q) {
        return q.message.key == "engine.sliding_rocking.excessive_upstream";
    });
    EXPECT_EQ(asked, 1);

    // Answered with OK the run stops after that step and keeps its samples.
    TBlocStatic stopped = slidingRockingBlock(30, 1.0, 5, 2.5);
    makeSlender(stopped);
    RecordingHost ok;
    ok.answer = QuestionAnswer::Stop;
    const RunOutcome outcome = run(stopped, ok);
    EXPECT_EQ(outcome.end, RunEnd::Stopped);
    EXPECT_EQ(outcome.cause, StopCause::Question);
    EXPECT_EQ(stopped.Rotation->size(), outcome.samples);
}

TEST(SlidingRockingAnalysisTest, LossOfContactIsReportedOnce) {
    // An upward ground acceleration of 1.5 g takes the weight off the plane.
    TBlocStatic m = slidingRockingBlock(40, 0.0, 1, 1);
    generatedSine(m.history(HistoryKind::VerticalAcceleration), -1.5, 1, 1);
    RecordingHost host;
    run(m, host);
    ASSERT_EQ(host.questions.size(), 1u);
    EXPECT_EQ(host.questions[0].message.key, "engine.sliding_rocking.contact_lost");
    EXPECT_EQ(host.questions[0].buttons, QuestionButtons::OkCancel);
}

TEST(SlidingRockingAnalysisTest, EnergyTermsAreZeroWithTranslationalPressures) {
    TBlocStatic m = slidingRockingBlock(35, 0.9, 1, 2);
    m.Options.Translational = 0;
    RecordingHost host;
    ASSERT_EQ(run(m, host).end, RunEnd::Completed);
    const int n = m.SlidingDisp->size();
    ASSERT_GT(m.SlidingDisp->max(1, n) - m.SlidingDisp->min(1, n), 0.01);
    for (const std::optional<TVector>* s :
         {&m.AbsInputEnergy, &m.RelInputEnergy, &m.AbsKineticEnergy, &m.RelKineticEnergy,
          &m.FrictionEnergy, &m.PreseismicWork, &m.ImpactEnergy, &m.PotentialEnergy}) {
        EXPECT_EQ((*s)->min(1, n), 0.0);
        EXPECT_EQ((*s)->max(1, n), 0.0);
    }
}

TEST(SlidingRockingAnalysisTest, DebugFileHasOneLinePerStepEndingWithTheMode) {
    const auto dir = std::filesystem::temp_directory_path() / "quibel_sliding_rocking_debug";
    std::filesystem::create_directories(dir);
    const std::string path = (dir / "debug.csv").string();
    TBlocStatic m = slidingRockingBlock(40, 1.0, 0.5, 0.05);
    m.Options.DebugFile = 1;
    RecordingHost host;
    RunSettings settings;
    settings.debugFilePath = path;
    const RunOutcome outcome = run(m, host, settings);
    std::ifstream in(path);
    std::string header, line, last;
    std::getline(in, header);
    EXPECT_EQ(header.rfind("time;acc.hor;acc.vert;force.hor;force.vert;Mass;Xc;Yc;Iup;", 0), 0u);
    EXPECT_TRUE(header.ends_with(";s;sp;spp;r;rp;rpp;state"));
    long lines = 0;
    while (std::getline(in, line)) {
        ++lines;
        EXPECT_EQ(std::count(line.begin(), line.end(), ';'),
                  std::count(header.begin(), header.end(), ';'));
        last = line;
    }
    EXPECT_EQ(lines, outcome.steps);
    EXPECT_TRUE(last.ends_with(";Stop") || last.ends_with(";Rocking U/S")) << last;
    in.close();
    std::filesystem::remove_all(dir);
}
