// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/unit_change.h"
#include "model/unit_tables.h"

#include <gtest/gtest.h>

using namespace quibel;

TEST(UnitChangeTest, MetresToMillimetresByHand) {
    TBlocStatic m = startupModel();
    changeUnitSystem(m, UnitSystem::MmNKg);
    EXPECT_EQ(m.UnitSystem, UnitSystem::MmNKg);
    EXPECT_EQ(m.H, 20000);
    EXPECT_EQ(m.M, 398000);
    EXPECT_EQ(m.U, 1330000);
    EXPECT_DOUBLE_EQ(m.Im, 15473.2 * 1000 * 1000 * 1000);
    EXPECT_EQ(m.Options.Gravity, 9807);
    EXPECT_EQ(m.PhiS, 45); // angles stay
    changeUnitSystem(m, UnitSystem::MKnTon);
    EXPECT_DOUBLE_EQ(m.H, 20);
    EXPECT_DOUBLE_EQ(m.M, 398);
    EXPECT_DOUBLE_EQ(m.Im, 15473.2);
    EXPECT_DOUBLE_EQ(m.Options.Gravity, 9.807);
}

TEST(UnitChangeTest, ImperialUsesTheTableEntries) {
    TBlocStatic m = startupModel();
    m.Masses.Items.push_back({1, 2, 10, 5});
    m.Forces.Items.push_back({1, 2, 100, -50});
    changeUnitSystem(m, UnitSystem::InLbLb);
    EXPECT_EQ(m.M, 398 * 2204.622621848776);
    EXPECT_EQ(m.U, 1330 * 224.80892365533916);
    EXPECT_EQ(m.Masses.Items[0].Mass, 10 * 2204.622621848776);
    EXPECT_EQ(m.Masses.Items[0].X, 39.37007874015748);
    EXPECT_EQ(m.Forces.Items[0].Fv, -50 * 224.80892365533916);
    EXPECT_EQ(m.Masses.Items[0].Inertia,
              5 * (2204.622621848776 * 39.37007874015748 * 39.37007874015748));
}

TEST(UnitChangeTest, HistoriesConvertByKindAndSource) {
    TBlocStatic m = startupModel();
    m.Histories[0].Source = HistorySource::Sampled; // acceleration in g: never converted
    m.Histories[0].Values = TVector(1);
    m.Histories[0].Values->set(1, 0.3);
    m.Histories[0].Offset = 0.1;
    TimeHistoryRecord& gen = m.Histories[2];
    gen.Source = HistorySource::Generated;
    gen.Terms[0].Amplitude = 10;
    gen.Terms[0].Period = 0.4;
    gen.Terms[3].Amplitude = -2;
    gen.Offset = 1;
    gen.Scale = 3;
    gen.PosX = 2;
    TimeHistoryRecord& sampled = m.Histories[3]; // never loaded: no value series
    sampled.Source = HistorySource::Sampled;
    sampled.Offset = 4;
    sampled.PosY = 5;
    changeUnitSystem(m, UnitSystem::MmNKg);
    EXPECT_EQ(m.Histories[0].Values->get(1), 0.3);
    EXPECT_EQ(m.Histories[0].Offset, 0.1);
    EXPECT_EQ(gen.Terms[0].Amplitude, 10000);
    EXPECT_EQ(gen.Terms[3].Amplitude, -2000);
    EXPECT_EQ(gen.Offset, 1000);
    EXPECT_EQ(gen.Scale, 3);
    EXPECT_EQ(gen.PosX, 2000);
    EXPECT_EQ(gen.Terms[0].Period, 0.4); // times are not converted
    EXPECT_FALSE(sampled.Values.has_value());
    EXPECT_EQ(sampled.Offset, 4000);
    EXPECT_EQ(sampled.PosY, 5000);
}

TEST(UnitChangeTest, ResultSeriesFollowTheirDimensions) {
    TBlocStatic m = startupModel();
    m.ModelFlags = 0x0100;
    m.SlidingDisp = TVector(2);
    m.SlidingDisp->set(2, 0.5);
    m.FrictionEnergy = TVector(1);
    m.FrictionEnergy->set(1, 2.0);
    m.Rotation = TVector(1);
    m.Rotation->set(1, 0.01);
    changeUnitSystem(m, UnitSystem::MmNKg);
    EXPECT_EQ(m.SlidingDisp->get(2), 500);
    EXPECT_EQ(m.FrictionEnergy->get(1), 2.0 * 1000 * 1000); // kN·m -> N·mm
    EXPECT_EQ(m.Rotation->get(1), 0.01);
    EXPECT_EQ(m.ModelFlags, 0x0100);
}
