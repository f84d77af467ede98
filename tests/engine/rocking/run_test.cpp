// SPDX-License-Identifier: GPL-3.0-or-later
// Whole rocking runs through the run driver: the onset of rocking, a block that comes to rest,
// the energy balance with a reservoir and with force histories, a block at rest on an inclined
// plane and a reservoir over the crest.

#include "engine/rocking/analysis.h"
#include "engine/run/run_driver.h"
#include "model/block_properties.h"
#include "model/unit_change.h"
#include "tests/engine/rocking_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>

using namespace quibel;
using namespace quibel::test;

namespace {

RunOutcome runModel(TBlocStatic& m, RecordingHost& host) {
    AnalysisRun run(m, host, std::make_unique<RockingAnalysis>());
    return run.run();
}

// History kind of model generated from one term.
void generated(TBlocStatic& m, HistoryKind kind, GeneratorTerm term, double duration) {
    TimeHistoryRecord& h = m.history(kind);
    h.Source = HistorySource::Generated;
    h.Terms = {};
    term.Active = 1;
    h.Terms[0] = term;
    h.Duration = duration;
}

// A single rectangular pulse of a (g) from start over length (s): the first half period of a
// square wave.
GeneratorTerm pulse(double a, double start, double length) {
    return GeneratorTerm{TermShape::Impulse,     a, 2.0 * length, 0.0, start,
                         start + 0.999 * length, 1};
}

GeneratorTerm sine(double a, double period, double end) {
    return GeneratorTerm{TermShape::Sine, a, period, 0.0, 0.0, end, 1};
}

// The largest of the two energy errors the progress display showed, %.
double worstEnergyError(const RecordingHost& host) {
    double worst = 0.0;
    for (const RunStatus& s : host.statuses)
        worst = std::max({worst, s.absoluteEnergyError, s.relativeEnergyError});
    return worst;
}

TBlocStatic reservoirBlock() {
    TBlocStatic m = startupModel();
    m.AnalysisKind = AnalysisKind::Rocking;
    m.ModelFlags = ModelFlag::GeometryComplete;
    return m;
}

} // namespace

// The first step of a constant ground acceleration just above the threshold sees only half of
// it at mid-step, so the Runge-Kutta rotation of that step ends on the wrong side of the heel.
// That step leaves the block at rest; the next one starts rocking about the heel, and the
// block, left alone, overturns (asking once about the excessive rotation) instead of stopping
// on a spurious impact.
TEST(RockingRunTest, OnsetJustAboveTheThresholdRocksAndOverturns) {
    TBlocStatic m = dryBlock(0.4, 1.6);
    constantHorizontal(m, 1.001 * 0.25, 4.0);

    RockingStepper s(m);
    const double a = 1.001 * 0.25 * kGravity;
    s.advance(1e-4, a);
    EXPECT_EQ(s.motion(), RockingMotion::AtRest);
    EXPECT_EQ(s.state.theta, 0.0);
    s.advance(1e-4, a);
    EXPECT_EQ(s.motion(), RockingMotion::RockingUp);
    EXPECT_GT(s.state.theta, 0.0);

    RecordingHost host;
    const RunOutcome out = runModel(m, host);
    EXPECT_EQ(out.end, RunEnd::Completed);
    EXPECT_TRUE(host.messages.empty());
    ASSERT_EQ(host.questions.size(), 1u);
    EXPECT_EQ(host.questions[0].message.key, "engine.rocking.excessive_rotation");
    EXPECT_GT(m.Rotation->get(m.Rotation->size()), std::atan(0.25) + std::numbers::pi / 8.0);
    EXPECT_EQ(m.Rotation->min(), 0.0); // never on the toe side
}

// Pulses between the threshold and twice it, starting anywhere within a time step: every one
// rocks the block, which then rocks freely and comes to rest, without a convergence message.
TEST(RockingRunTest, PulsesAboveTheThresholdRunToTheEnd) {
    const double factors[] = {1.05, 1.15, 1.3, 1.45, 1.6, 1.75, 1.9, 1.99};
    const double offsets[] = {0.13, 0.71, 0.37, 0.93, 0.05, 0.58, 0.81, 0.29}; // of a step
    for (int i = 0; i < 8; ++i) {
        for (const double sign : {1.0, -1.0}) {
            SCOPED_TRACE("factor " + std::to_string(sign * factors[i]));
            TBlocStatic m = dryBlock(0.4, 1.6);
            m.Eu = m.Ed = 0.8;
            const double start = 0.2 + offsets[i] * 1e-4;
            generated(m, HistoryKind::HorizontalAcceleration,
                      pulse(sign * factors[i] * 0.25, start, 0.15), 6.0);
            RecordingHost host;
            const RunOutcome out = runModel(m, host);
            EXPECT_EQ(out.end, RunEnd::Completed);
            EXPECT_TRUE(host.messages.empty());
            EXPECT_GT(sign * (sign > 0 ? m.Rotation->max() : m.Rotation->min()), 1e-4);
            // At rest at the end: neither rotated nor turning.
            const int n = m.Rotation->size();
            EXPECT_EQ(m.Rotation->get(n), 0.0);
            EXPECT_EQ(m.RotationVel->get(n), 0.0);
        }
    }
}

// Free rocking with restitution below 1 dies out in ever shorter, ever smaller bounces: the
// block comes to rest at the end of the last one, at every time step from 0.001 s down, and
// the impacts have dissipated the energy the pulse put in.
TEST(RockingRunTest, DecayingRockingComesToRest) {
    for (const double dt : {1e-3, 5e-4, 2e-4, 1e-4}) {
        SCOPED_TRACE("dt = " + std::to_string(dt));
        TBlocStatic m = dryBlock(0.4, 1.6);
        m.Eu = m.Ed = 0.7;
        m.Options.TimeStep = dt;
        generated(m, HistoryKind::HorizontalAcceleration, pulse(1.5 * 0.25, 0.1, 0.2), 8.0);
        RecordingHost host;
        const RunOutcome out = runModel(m, host);
        EXPECT_EQ(out.end, RunEnd::Completed);
        EXPECT_TRUE(host.messages.empty());
        const int n = m.Rotation->size();
        EXPECT_EQ(m.RotationVel->get(n), 0.0);
        EXPECT_EQ(m.Rotation->get(n), 0.0);
        EXPECT_EQ(m.RelKineticEnergy->get(n), 0.0);
        EXPECT_EQ(m.PotentialEnergy->get(n), 0.0);
        const double input = m.RelInputEnergy->get(n) + m.PreseismicWork->get(n);
        EXPECT_GT(m.ImpactEnergy->get(n), 0.0);
        EXPECT_NEAR(m.ImpactEnergy->get(n), input, 0.01 * input);
    }
}

// The start-up dam in its reservoir rocks both ways under a strong sine: with the work of the
// rotational hydrodynamic moment counted with its own sign, both energy errors stay below 1 %
// at the default time step.
TEST(RockingRunTest, ReservoirBlockKeepsItsEnergyBalance) {
    TBlocStatic m = reservoirBlock();
    generated(m, HistoryKind::HorizontalAcceleration, sine(0.6, 1.0, 5.0), 8.0);
    RecordingHost host;
    const RunOutcome out = runModel(m, host);
    ASSERT_EQ(out.end, RunEnd::Completed);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_GT(m.Rotation->max(), 1e-3);
    EXPECT_LT(m.Rotation->min(), -1e-3);
    EXPECT_GT(m.ImpactEnergy->max(), 0.0);
    EXPECT_LT(worstEnergyError(host), 1.0);
}

// A horizontal force history at the top of a dry block rocks it together with the ground
// motion. Its work on the rotation enters the relative input energy with the sign of a moment's
// work, +M dtheta, and nothing else of it enters the absolute input energy: both balances close.
TEST(RockingRunTest, ForceHistoryWorkClosesBothBalances) {
    TBlocStatic m = dryBlock(4, 8);
    m.Eu = m.Ed = 0.8;
    generated(m, HistoryKind::HorizontalAcceleration, sine(0.2, 0.7, 6.0), 6.0);
    generated(m, HistoryKind::HorizontalForce,
              GeneratorTerm{TermShape::Sine, 400.0, 1.0, 0.0, 0.0, 6.0, 1}, 6.0);
    m.history(HistoryKind::HorizontalForce).PosX = 2.0;
    m.history(HistoryKind::HorizontalForce).PosY = m.Hd; // the top of the block
    RecordingHost host;
    const RunOutcome out = runModel(m, host);
    ASSERT_EQ(out.end, RunEnd::Completed);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_GT(m.Rotation->max(), 1e-3);
    EXPECT_LT(m.Rotation->min(), -1e-3);
    double worst = 0.0;
    for (const RunStatus& s : host.statuses)
        if (s.time > 1.0)
            worst = std::max({worst, s.absoluteEnergyError, s.relativeEnergyError});
    EXPECT_LT(worst, 1.0);
}

// The start-up dam at rest on a plane inclined by 5 degrees, with the ground accelerating
// upstream: the normal force carries the signs of the sliding analysis (the inertia of the
// masses pushes along -ag sin(beta), the thrust along -Hs sin(beta)), and the resultant, where
// the moment about the heel puts it, stays on the base while the safety factor is above 1.
TEST(RockingRunTest, ResultantOfABlockAtRestOnAnInclinedPlaneStaysOnTheBase) {
    for (const double a : {0.0, -0.1, -0.2, -0.3, -0.325, 0.1}) {
        SCOPED_TRACE("ag = " + std::to_string(a) + " g");
        TBlocStatic m = reservoirBlock();
        m.Beta = 5.0;
        RockingStepper s(m);
        const double ag = a * kGravity;
        s.advance(1e-4, ag);
        s.advance(1e-4, ag);
        ASSERT_EQ(s.motion(), RockingMotion::AtRest);

        const double sb = std::sin(5.0 * std::numbers::pi / 180.0);
        const double cb = std::cos(5.0 * std::numbers::pi / 180.0);
        const double thrust = kGravity * 18 * 18 / 2, arm = 6.0,
                     mw = s.step->equations().stepLoads().addedMassW;
        const double normal = -398 * kGravity * cb + (398 + mw) * ag * sb + 1330 - thrust * sb;
        const double heelMoment = -thrust * arm + mw * ag * 0.4 * 18 + 398 * ag * 6.964 -
                                  kGravity * 398 * 5.301 + 1330 * 5.33;
        EXPECT_NEAR(s.step->normalForce(), normal, 1e-9 * std::fabs(normal));
        const double position = heelMoment / normal * cb / 16 * 100;
        EXPECT_NEAR(s.factors.resultantPosition, position, 1e-9 * std::fabs(position));
        ASSERT_GT(s.factors.overturning, 1.0);
        EXPECT_GE(s.factors.resultantPosition, 0.0);
        EXPECT_LE(s.factors.resultantPosition, 100.0);
    }
}

// A reservoir above the crest presses on the whole face of the rotated block: every series of
// the run stays finite, and the water moment tends to that of the static thrust.
TEST(RockingRunTest, ReservoirOverTheCrestKeepsEverySeriesFinite) {
    for (const double hr : {30.0, 35.0, 45.0}) {
        SCOPED_TRACE("Hr = " + std::to_string(hr));
        TBlocStatic m = reservoirBlock();
        m.Hr = hr;
        generated(m, HistoryKind::HorizontalAcceleration, sine(0.6, 1.0, 4.0), 5.0);
        RecordingHost host;
        const RunOutcome out = runModel(m, host);
        EXPECT_EQ(out.end, RunEnd::Completed);
        EXPECT_GT(std::max(m.Rotation->max(), -m.Rotation->min()), 1e-3);
        for (const auto* series :
             {&m.Rotation, &m.RotationVel, &m.RotationAcc, &m.AbsKineticEnergy, &m.RelKineticEnergy,
              &m.ImpactEnergy, &m.PotentialEnergy, &m.PreseismicWork, &m.AbsInputEnergy,
              &m.RelInputEnergy, &m.OverturningSF, &m.ResultantPosition}) {
            ASSERT_TRUE(series->has_value());
            for (int i = 1; i <= (*series)->size(); ++i)
                ASSERT_TRUE(std::isfinite((*series)->get(i))) << "sample " << i;
        }
    }
}

// The checks of a rocking run, in their order; both are errors and refuse the run.
TEST(RockingRunTest, ChecksRefuseAMasslessBlockAndMissingHistories) {
    TBlocStatic m = dryBlock(4, 8);
    m.M = 0.0;
    RecordingHost host;
    const RunOutcome out = runModel(m, host);
    EXPECT_EQ(out.end, RunEnd::ChecksFailed);
    ASSERT_EQ(host.messages.size(), 2u);
    EXPECT_EQ(host.messages[0].kind, MessageKind::Error);
    EXPECT_EQ(host.messages[0].message.key, "engine.rocking.massless");
    EXPECT_EQ(host.messages[1].kind, MessageKind::Error);
    EXPECT_EQ(host.messages[1].message.key, "engine.rocking.no_histories");
    EXPECT_FALSE(m.Rotation.has_value());
}

// A run sets the critical rotations from the model and fills exactly the rocking series.
TEST(RockingRunTest, SetsCriticalRotationsAndFillsTheRockingSeries) {
    TBlocStatic m = reservoirBlock();
    m.Beta = 3.0;
    generated(m, HistoryKind::HorizontalAcceleration, sine(0.1, 1.0, 0.5), 0.5);
    RecordingHost host;
    runModel(m, host);
    EXPECT_NEAR(m.ThetaUp, std::atan(5.301 / 6.964), 1e-15);
    EXPECT_NEAR(m.ThetaDown,
                std::atan((16 - 5.301) / (6.964 - 16 * std::tan(3 * std::numbers::pi / 180))),
                1e-15);
    EXPECT_TRUE(m.Rotation && m.RotationVel && m.RotationAcc && m.ImpactEnergy && m.OverturningSF &&
                m.ResultantPosition && m.AbsKineticEnergy && m.RelKineticEnergy &&
                m.PotentialEnergy && m.PreseismicWork && m.AbsInputEnergy && m.RelInputEnergy);
    EXPECT_FALSE(m.SlidingDisp || m.SlidingSF || m.FrictionEnergy);
    EXPECT_EQ(m.Rotation->size(), 51);
}

// Degenerate blocks: no inertia about the heel (centre of mass at the heel, no own inertia),
// driven about it by a force history, and a ground that falls faster than gravity. The
// accelerations that cannot be formed give 0, and no series holds NaN or infinity.
TEST(RockingRunTest, DegenerateBlocksKeepEverySeriesFinite) {
    TBlocStatic noInertia = dryBlock(4, 8);
    noInertia.Xc = 0.0;
    noInertia.Yc = 0.0;
    noInertia.Im = 0.0;
    generated(noInertia, HistoryKind::HorizontalForce,
              GeneratorTerm{TermShape::Sine, -500.0, 1.0, 0.0, 0.0, 1.0, 1}, 1.0);
    noInertia.history(HistoryKind::HorizontalForce).PosX = 2.0;
    noInertia.history(HistoryKind::HorizontalForce).PosY = noInertia.Hd;

    TBlocStatic falling = dryBlock(4, 8);
    generated(falling, HistoryKind::VerticalAcceleration, sine(-2.0, 0.5, 1.0), 1.0);
    generated(falling, HistoryKind::HorizontalAcceleration, sine(0.8, 0.3, 1.0), 1.0);

    for (TBlocStatic* m : {&noInertia, &falling}) {
        RecordingHost host;
        runModel(*m, host);
        for (const auto* series :
             {&m->Rotation, &m->RotationVel, &m->RotationAcc, &m->AbsKineticEnergy,
              &m->RelKineticEnergy, &m->ImpactEnergy, &m->PotentialEnergy, &m->PreseismicWork,
              &m->AbsInputEnergy, &m->RelInputEnergy, &m->OverturningSF, &m->ResultantPosition}) {
            ASSERT_TRUE(series->has_value());
            for (int i = 1; i <= (*series)->size(); ++i)
                ASSERT_TRUE(std::isfinite((*series)->get(i))) << "sample " << i;
        }
    }
}

// The same dam described in inches and pounds rocks the same way: the run works in SI whatever
// the project's units, with an added mass, an added force and a force history on the block.
// Rotations agree, and the energies agree once converted back.
TEST(RockingRunTest, SameDamInAnotherUnitSystemRocksTheSame) {
    TBlocStatic si = reservoirBlock();
    si.ModelFlags |= ModelFlag::HasMasses | ModelFlag::HasForces;
    si.Masses.Items.push_back(AddedMass{3.0, 28.0, 20.0, 5.0});
    si.Forces.Items.push_back(AddedForce{8.0, 25.0, 30.0, -50.0});
    generated(si, HistoryKind::HorizontalAcceleration, sine(0.6, 1.0, 3.0), 3.0);
    generated(si, HistoryKind::VerticalForce,
              GeneratorTerm{TermShape::Sine, 300.0, 0.7, 0.0, 0.0, 3.0, 1}, 3.0);
    si.history(HistoryKind::VerticalForce).PosX = 12.0;
    si.history(HistoryKind::VerticalForce).PosY = 30.0;
    TBlocStatic imperial = si;
    changeUnitSystem(imperial, UnitSystem::InLbLb);

    RecordingHost hostSi, hostImperial;
    runModel(si, hostSi);
    runModel(imperial, hostImperial);
    ASSERT_EQ(si.Rotation->size(), imperial.Rotation->size());
    EXPECT_GT(std::max(si.Rotation->max(), -si.Rotation->min()), 1e-3);
    // kN·m to lb·in.
    const double energy = 224.80892365533916 * 39.37007874015748;
    for (int i = 1; i <= si.Rotation->size(); ++i) {
        const double theta = si.Rotation->get(i);
        EXPECT_NEAR(imperial.Rotation->get(i), theta, 1e-6 * std::fabs(theta) + 1e-12);
        const double e = si.ImpactEnergy->get(i);
        EXPECT_NEAR(imperial.ImpactEnergy->get(i) / energy, e, 1e-6 * std::fabs(e) + 1e-9);
        const double input = si.RelInputEnergy->get(i);
        EXPECT_NEAR(imperial.RelInputEnergy->get(i) / energy, input,
                    1e-6 * std::fabs(input) + 1e-9);
    }
    EXPECT_NEAR(imperial.Ru * 0.0254, si.Ru, 1e-9);
    EXPECT_NEAR(RockingStepper(imperial).step->body().masses[0].distToe,
                RockingStepper(si).step->body().masses[0].distToe, 1e-9);
}
