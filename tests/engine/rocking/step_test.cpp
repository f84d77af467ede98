// SPDX-License-Identifier: GPL-3.0-or-later
// Edge cases of the rocking step: the block at rest, the normal force, the restitution
// question, the rotational hydrodynamic option and the consistency of the rotation.

#include "engine/loads/hydrostatic_loads.h"
#include "engine/loads/water_loads.h"
#include "engine/rocking/analysis.h"
#include "engine/run/run_driver.h"
#include "tests/engine/rocking_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <string>

using namespace quibel;
using namespace quibel::test;

// A dry block at rest under a horizontal ground acceleration a = f g b / h (f < 1): about the
// heel the weight M g Xc resists the inertia M a Yc, so the safety factor is 1 / f; the
// resultant lies at Xc - a Yc / g from the heel.
TEST(RockingStepTest, BlockAtRestHasHandSafetyFactorAndResultant) {
    struct Case {
        double f;
        double factor;
        double position; // % of the base from upstream
    };
    const Case cases[] = {
        {0.5, 2.0, 25.0},   // toward the heel
        {-0.5, 2.0, 75.0},  // toward the toe
        {0.0, 10.0, 50.0},  // no moment drives it: the largest factor, at the centre
        {0.08, 10.0, 46.0}, // 1 / 0.08 = 12.5 is reported as 10
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("f = " + std::to_string(c.f));
        RockingStepper s(dryBlock(4, 8));
        const double a = c.f * kGravity * 4.0 / 8.0;
        s.advance(1e-4, a);
        s.advance(1e-4, a);
        EXPECT_EQ(s.motion(), RockingMotion::AtRest);
        EXPECT_EQ(s.state.theta, 0.0);
        EXPECT_EQ(s.state.omega, 0.0);
        EXPECT_EQ(s.state.alpha, 0.0);
        EXPECT_NEAR(s.factors.overturning, c.factor, 1e-12);
        EXPECT_NEAR(s.factors.resultantPosition, c.position, 1e-10);
        EXPECT_NEAR(s.step->normalForce(), -100.0 * kGravity, 1e-9);
    }
}

// A ground falling at g leaves the block weightless: no normal force, and the resultant is put
// in the middle of the base.
TEST(RockingStepTest, NoNormalForceGivesMidBase) {
    RockingStepper s(dryBlock(4, 8));
    s.advance(1e-4, 0.0, -kGravity);
    EXPECT_EQ(s.step->normalForce(), 0.0);
    EXPECT_EQ(s.factors.resultantPosition, 50.0);
    EXPECT_EQ(s.motion(), RockingMotion::AtRest);
}

// Restitution 1 on a block whose centre of mass is nearer the heel (I_toe > I_heel): landing on
// the toe would give the block more kinetic energy than it had, so the step asks whether to
// stop; it goes on either way. Landing on the heel of the mirrored block (Eu = 1, I_heel >
// I_toe) asks nothing.
TEST(RockingStepTest, DownstreamImpactThatGainsEnergyAsks) {
    struct Case {
        double xc;
        double theta0;
        bool asks;
    };
    const Case cases[] = {{1.0, 0.05, true}, {3.0, -0.05, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE("Xc = " + std::to_string(c.xc));
        TBlocStatic m = dryBlock(4, 8);
        m.Xc = c.xc;
        RockingStepper s(m);
        s.startFrom(c.theta0, 0.0);
        double lost = 0.0;
        while (s.state.theta * c.theta0 > 0.0 && s.time < 5.0) {
            const double before = s.energy.E6;
            s.advance(1e-4, 0.0);
            lost = s.energy.E6 - before;
        }
        ASSERT_LT(s.state.theta * c.theta0, 0.0);
        EXPECT_LT(lost, 0.0); // the inertia about the new pivot is the larger
        ASSERT_EQ(s.host.questions.size(), c.asks ? 1u : 0u);
        if (c.asks) {
            EXPECT_EQ(s.host.questions[0].message.key, "engine.rocking.energy_increase");
            EXPECT_EQ(s.host.questions[0].buttons, QuestionButtons::NoOk);
        }
        EXPECT_TRUE(s.control.running());
    }
}

// OK to the question ends the run after the step.
TEST(RockingStepTest, AnswerOkToTheEnergyQuestionStopsTheRun) {
    TBlocStatic m = dryBlock(4, 8);
    m.Xc = 1.0;
    RockingStepper s(m);
    s.host.answer = QuestionAnswer::Stop;
    s.startFrom(0.05, 0.0);
    while (s.state.theta > 0.0 && s.time < 5.0)
        s.advance(1e-4, 0.0);
    EXPECT_FALSE(s.control.running());
    EXPECT_EQ(s.control.stopCause(), StopCause::Question);
}

// With the rotational hydrodynamic pressures switched off, the rotated block feels neither the
// rotational added inertia nor any water moment: what remains of the reservoir is the
// translational force -cos²(theta) AddedMassW ah at 0.4 hw above the heel.
TEST(RockingStepTest, RotationalOptionRemovesTheWaterOfTheRotatedBlock) {
    TBlocStatic m = startupModel();
    m.AnalysisKind = AnalysisKind::Rocking;
    const double theta = 0.01, ah = 2.0;
    for (const std::uint8_t rotational : {0, 1}) {
        SCOPED_TRACE("Rotational = " + std::to_string(rotational));
        m.Options.Rotational = rotational;
        TBlocStatic model = m;
        const SiModel si = MakeSiModel(model);
        const LoadModel loads = MakeLoadModel(model, si);
        const AddedLoadsOnBlock added = CollectAddedLoads(model);
        const RockingBody b = MakeRockingBody(model, loads, added);
        RockingEquations equations(loads, b, added, 0.0, 0.0);
        RockingStepLoads step;
        step.addedMassW = StaticAddedMass(loads);
        equations.setStep(step);
        const double r = b.rHeel, a = b.alphaHeel, M = m.M;
        const double dry = M * r * (std::cos(a - theta) * ah - std::sin(a - theta) * kGravity) +
                           std::cos(theta) * std::cos(theta) * step.addedMassW * ah * 0.4 * 18.0;
        const double expected = dry / b.inertiaHeel;
        const double got = equations.HeelAcceleration(theta, 0.0, ah, 0.0);
        if (rotational == 1) {
            EXPECT_NEAR(got, expected, 1e-12 * std::fabs(expected));
        } else {
            // The water moment and the added inertia change it.
            const double water = RockingWaterMoment(loads, theta, 0.0);
            EXPECT_NE(water, 0.0);
            EXPECT_GT(std::fabs(got - expected), 1e-3 * std::fabs(expected));
        }
    }
}

// A rocking block whose rotation ends on the other side of its pivot without an impact (it
// left theta = 0 the wrong way while the ground pushes it about the heel) cannot be integrated
// further: the run stops with the convergence message.
TEST(RockingStepTest, RotationPastItsPivotStopsTheRun) {
    RockingStepper s(dryBlock(4, 8));
    s.step->setMotion(RockingMotion::RockingUp);
    s.state = BlockMotion{};
    s.state.omega = -0.5; // about the heel, but turning toward the toe
    s.advance(1e-4, 2.0 * kGravity * 4.0 / 8.0);
    EXPECT_LT(s.state.theta, 0.0);
    EXPECT_FALSE(s.control.running());
    EXPECT_EQ(s.control.stopCause(), StopCause::StepFailure);
    ASSERT_EQ(s.host.messages.size(), 1u);
    EXPECT_EQ(s.host.messages[0].kind, MessageKind::Warning);
    EXPECT_EQ(s.host.messages[0].message.key, "engine.rocking.convergence");
}

// The working values of the rocking analysis: the body of the run and the loads of the step.
TEST(RockingStepTest, KeepsTheWorkingValuesOfTheRun) {
    TBlocStatic m = startupModel();
    m.AnalysisKind = AnalysisKind::Rocking;
    m.ModelFlags = ModelFlag::GeometryComplete | ModelFlag::HasMasses;
    m.Masses.Items.push_back(AddedMass{4.0, 25.0, 10.0, 2.0});
    m.Masses.Items.push_back(AddedMass{4.0, 5.0, 10.0, 2.0}); // below the plane: ignored
    RockingStepper s(m);
    s.advance(1e-4, 0.0);
    const RockingBody& body = s.step->body();
    EXPECT_NEAR(body.Ru, std::hypot(5.301, 6.964), 1e-12);
    EXPECT_NEAR(body.Rd, std::hypot(16 - 5.301, 6.964), 1e-12);
    ASSERT_EQ(body.masses.size(), 1u); // the mass below the plane is left out
    const RockingMass& on = body.masses[0];
    EXPECT_NEAR(on.distHeel, std::hypot(4.0, 15.0), 1e-12);
    EXPECT_NEAR(on.distToe, std::hypot(12.0, 15.0), 1e-12);
    EXPECT_NEAR(on.angleHeel, std::atan2(4.0, 15.0), 1e-15);
    EXPECT_NEAR(on.angleToe, std::atan2(12.0, 15.0), 1e-15);
    const RockingStepLoads& loads = s.step->equations().stepLoads();
    EXPECT_NEAR(loads.hydroThrust, kGravity * 18 * 18 / 2, 1e-9);
    EXPECT_NEAR(loads.hydroArm, 6.0, 1e-12);
    EXPECT_NEAR(loads.addedMassW, 0.543 * std::sqrt(28.0) * std::pow(18.0, 1.5), 1e-9);
    // Weight of block and mass pressing on the plane, the uplift pushing it off.
    EXPECT_NEAR(s.step->normalForce(), -(398 + 10) * kGravity + 1330, 1e-9);
}

// With the debug file on, every step ends the driver's line with the rocking columns: seven
// block values, eight forces, six moments about each pivot and the three rates.
TEST(RockingStepTest, DebugFileHasTheRockingColumns) {
    const std::string path = ::testing::TempDir() + "rocking_debug.csv";
    TBlocStatic m = dryBlock(0.4, 1.6);
    m.Options.DebugFile = 1;
    m.Options.TimeStep = 0.001;
    constantHorizontal(m, 0.3, 0.05);
    RecordingHost host;
    RunSettings settings;
    settings.debugFilePath = path;
    AnalysisRun run(m, host, std::make_unique<RockingAnalysis>(), settings);
    const RunOutcome out = run.run();
    ASSERT_EQ(out.end, RunEnd::Completed);
    std::ifstream in(path);
    std::string line;
    ASSERT_TRUE(std::getline(in, line));
    EXPECT_EQ(line, "time;acc.hor;acc.vert;force.hor;force.vert;Mass;Xc;Yc;Iup;Rup;TetaUp;Idown;"
                    "Rdown;TetaDown;Normal;Hs;Hdr;Hds;Fv;AddedForce.Hor;AddedForce.vert;MomentUp;"
                    "MwUp;AddedForce.Moment.Up.Hor;AddedForce.Moment.Up.Vert;MhdrUp;MhdsUp;"
                    "MomentDown;MwDown;AddedForce.Moment.Down.Hor;AddedForce.Moment.Down.Vert;"
                    "MhdrDown;MhdsDown;r;rp;rpp");
    int lines = 0;
    std::string last;
    while (std::getline(in, line)) {
        ++lines;
        EXPECT_EQ(std::count(line.begin(), line.end(), ';'), 5 + 7 + 8 + 6 + 6 + 3) << line;
        last = line;
    }
    EXPECT_EQ(lines, 50);
    // The block's own columns: M, Xc, Yc, R_heel, alpha_heel... in "%10.4f".
    EXPECT_NE(last.find("  100.0000;    0.2000;    0.8000;    0.8246;    0.2450;"),
              std::string::npos)
        << last;
    std::remove(path.c_str());
}
