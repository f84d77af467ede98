// SPDX-License-Identifier: GPL-3.0-or-later
#include "signals/oscillator_step.h"
#include "signals/spectrum_parameters.h"

#include "numeric/error.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

using namespace quibel;

namespace {
std::string errorKey(const std::function<void()>& f) {
    try {
        f();
    } catch (const Error& e) {
        return e.message().key;
    }
    return "";
}

int countBetween(const std::vector<double>& v, double lo, double hi) {
    int n = 0;
    for (double x : v)
        n += (x >= lo - 1e-12 && x <= hi + 1e-12) ? 1 : 0;
    return n;
}
} // namespace

TEST(SpectrumParametersTest, DefaultSetsGiveSeventyOnePeriodsAndFiveRatios) {
    const auto periods = PeriodList(kDefaultPeriodSets);
    ASSERT_EQ(periods.size(), 71u);
    EXPECT_EQ(countBetween(periods, 0.001, 0.01), 19);
    EXPECT_EQ(countBetween(periods, 0.015, 0.1), 18);
    EXPECT_EQ(countBetween(periods, 0.15, 1.0), 18);
    EXPECT_EQ(countBetween(periods, 1.25, 5.0), 16);
    EXPECT_DOUBLE_EQ(periods.front(), 0.001);
    EXPECT_DOUBLE_EQ(periods.back(), 5.0);

    const auto dampings = DampingList(kDefaultDamping);
    ASSERT_EQ(dampings.size(), 5u);
    EXPECT_DOUBLE_EQ(dampings[0], 0.01);
    EXPECT_DOUBLE_EQ(dampings[4], 0.05);
}

TEST(SpectrumParametersTest, ZeroValueEndsTheListOfSets) {
    auto sets = kDefaultPeriodSets;
    sets[1].Increment = 0.0; // Set #2 unused, and so are #3 and #4
    EXPECT_EQ(PeriodList(sets).size(), 19u);
    sets = kDefaultPeriodSets;
    sets[0].End = 0.0; // Set #1 incomplete: no period at all
    EXPECT_TRUE(PeriodList(sets).empty());
}

TEST(SpectrumParametersTest, SetEndingBeforeItsStartContributesNothing) {
    auto sets = kDefaultPeriodSets;
    sets[0] = {0.01, 0.001, 0.0005};
    const auto periods = PeriodList(sets);
    ASSERT_EQ(periods.size(), 52u);
    EXPECT_DOUBLE_EQ(periods.front(), 0.015);
}

TEST(SpectrumParametersTest, EndIsReachedDespiteRoundOff) {
    // The margin keeps a last value that round-off puts just above the end.
    const std::array<PeriodSet, 1> sets = {{{0.1, 1.0, 0.1}}};
    EXPECT_EQ(PeriodList(sets).size(), 10u);
}

TEST(SpectrumParametersTest, RefusesWhatWouldNeverEndOrCannotBeIntegrated) {
    struct Case {
        const char* name;
        PeriodSet set;
        const char* key;
    } cases[] = {
        {"negative increment", {1.0, 2.0, -0.1}, "signals.spectrum_negative_increment"},
        {"negative start", {-1.0, 2.0, 0.1}, "signals.spectrum_period_range"},
        {"end beyond 100 s", {1.0, 200.0, 10.0}, "signals.spectrum_period_range"},
        {"tiny increment", {0.01, 100.0, 1e-6}, "signals.spectrum_too_many_periods"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::array<PeriodSet, 1> sets = {c.set};
        EXPECT_EQ(errorKey([&] { PeriodList(sets); }), c.key);
    }
    EXPECT_EQ(errorKey([] {
                  DampingList({0.01, 0.05, 0.0});
              }),
              "signals.spectrum_damping_increment");
    EXPECT_EQ(errorKey([] {
                  DampingList({0.05, 0.01, -0.01});
              }),
              "signals.spectrum_damping_increment");
    EXPECT_EQ(errorKey([] { DampingList({0.5, 1.5, 0.1}); }), "signals.spectrum_damping_range");
    EXPECT_EQ(errorKey([] {
                  DampingList({0.0001, 0.9, 1e-7});
              }),
              "signals.spectrum_too_many_dampings");
    EXPECT_TRUE(DampingList({0.05, 0.01, 0.01}).empty());
}

TEST(SpectrumParametersTest, IncrementOfLaterSetIsCheckedOnlyWhenUsed) {
    auto sets = kDefaultPeriodSets;
    sets[1].Start = 0.0;
    sets[2].Increment = -1.0; // beyond the end of the list
    EXPECT_EQ(PeriodList(sets).size(), 19u);
}

TEST(OscillatorStepTest, SubstepsKeepTwentyPerPeriod) {
    EXPECT_EQ(SubstepCount(0.01, 0.5), 1); // T / 20 = 0.025 >= dt
    EXPECT_EQ(SubstepCount(0.01, 0.2), 1); // T / 20 = dt
    EXPECT_EQ(SubstepCount(0.01, 0.1), 2); // h0 = 0.005
    EXPECT_EQ(SubstepCount(0.01, 0.001), 200);
    EXPECT_EQ(SubstepCount(0.01, 0.15), 1); // 0.01 / 0.0075 = 1.33
    EXPECT_EQ(SubstepCount(0.01, 0.11), 2); // 0.01 / 0.0055 = 1.82
}

TEST(OscillatorStepTest, FreeVibrationOnlyBelowOneTenthPercent) {
    EXPECT_EQ(FreeVibrationSteps(2.0, 0.01, 0.0005), 400);
    EXPECT_EQ(FreeVibrationSteps(2.0, 0.01, 0.001), 0);
    EXPECT_EQ(FreeVibrationSteps(0.001, 0.01 / 200, 0.0), 40);
}

TEST(OscillatorStepTest, UndampedStepIsARotationOfTheState) {
    // Without damping and load, x = cos(w h) x0 + sin(w h) / w v0, v = -w sin(w h) x0 + cos v0.
    const double w = 2.0, h = 0.1;
    const OscillatorStep k = NigamJenningsStep(h, w, 0.0);
    EXPECT_NEAR(k.A11, std::cos(w * h), 1e-15);
    EXPECT_NEAR(k.A12, std::sin(w * h) / w, 1e-15);
    EXPECT_NEAR(k.A21, -w * std::sin(w * h), 1e-15);
    EXPECT_NEAR(k.A22, std::cos(w * h), 1e-15);
    EXPECT_NEAR(k.A11 * k.A22 - k.A12 * k.A21, 1.0, 1e-15); // energy is conserved
}

TEST(OscillatorStepTest, ConstantLoadSettlesAtTheStaticDisplacement) {
    // Under a constant a the static solution x = -a / w^2, v = 0 is a fixed point.
    for (double xi : {0.0, 0.05, 0.5, 0.9}) {
        SCOPED_TRACE(xi);
        const double w = 7.0, h = 0.013, a = 0.4;
        const OscillatorStep k = NigamJenningsStep(h, w, xi);
        const double x0 = -a / (w * w);
        EXPECT_NEAR(k.A11 * x0 - k.B11 * a - k.B12 * a, x0, 1e-15);
        EXPECT_NEAR(k.A21 * x0 - k.B21 * a - k.B22 * a, 0.0, 1e-15);
    }
}
