// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/batch/run_figures.h"
#include "tests/support/result_samples.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace quibel;
using namespace quibel::cli;
using quibel::test::series;
using quibel::test::statusAt;

TEST(BatchRunFiguresTest, PeaksAndFactorsComeFromEveryStepNotOnlyTheSamples) {
    // Two samples after the start; between them the block slid back further and rocked more
    // than either sample shows, and a factor dipped.
    TBlocStatic model;
    model.SlidingDisp = series({0.0, 0.30, 0.25});
    model.Rotation = series({0.0, 0.01, -0.02});
    model.SlidingSF = series({10.0, 1.2, 1.1});
    model.OverturningSF = series({10.0, 2.0, 1.9});
    BatchRunHost host(QuestionAnswer::Continue);
    StepExtremes steps;
    steps.add({0.30, 0.01, 1.2, 2.0});
    steps.add({-0.31, -0.025, 0.9, 1.8});
    steps.add({0.25, -0.02, 1.1, 1.9});
    host.stepsDone(steps);
    CaseResult r;
    CollectRunFigures(model, host, r);
    EXPECT_EQ(r.peakSliding, 0.31);
    EXPECT_EQ(r.residualSliding, 0.25);
    EXPECT_EQ(r.peakRotation, 0.025);
    EXPECT_EQ(r.minSlidingSF, 0.9);
    EXPECT_EQ(r.minOverturningSF, 1.8);
}

TEST(BatchRunFiguresTest, SeriesTheAnalysisDoesNotStoreGiveNoFigure) {
    TBlocStatic model;
    model.Rotation = series({0.0, 0.01});
    BatchRunHost host(QuestionAnswer::Continue);
    StepExtremes steps;
    steps.add({0.0, 0.01, 10.0, 3.0});
    host.stepsDone(steps);
    CaseResult r;
    CollectRunFigures(model, host, r);
    EXPECT_FALSE(r.peakSliding);
    EXPECT_FALSE(r.minSlidingSF);
    EXPECT_EQ(r.peakRotation, 0.01);
}

TEST(BatchRunFiguresTest, EnergyErrorsLeaveOutSamplesOfNegligibleInput) {
    // The absolute input passes through -4e-12 at sample 3 (below 1e-6 of its peak 2.0), where
    // its error reads 363 %; the relative input stays large, so its sample 3 counts. A NaN
    // error at a sample that counts stays NaN.
    TBlocStatic model;
    model.AbsInputEnergy = series({0.0, 2.0, -4e-12, 1.0});
    model.RelInputEnergy = series({0.0, 1.0, 1.5, 1.0});
    BatchRunHost host(QuestionAnswer::Continue);
    host.status(statusAt(2, 0.5, 0.2));
    host.status(statusAt(3, 363.0, 0.7));
    host.status(statusAt(4, 0.8, 0.1));
    CaseResult r;
    CollectRunFigures(model, host, r);
    EXPECT_EQ(r.maxAbsoluteEnergyError, 0.8);
    EXPECT_EQ(r.maxRelativeEnergyError, 0.7);

    // Exactly at the threshold a sample counts.
    model.AbsInputEnergy = series({0.0, 2.0, 2e-6, 1.0});
    CaseResult atThreshold;
    CollectRunFigures(model, host, atThreshold);
    EXPECT_EQ(atThreshold.maxAbsoluteEnergyError, 363.0);

    host.status(statusAt(4, std::nan(""), 0.1));
    CaseResult diverged;
    CollectRunFigures(model, host, diverged);
    EXPECT_TRUE(std::isnan(diverged.maxAbsoluteEnergyError));
    EXPECT_EQ(diverged.maxRelativeEnergyError, 0.7);
}
