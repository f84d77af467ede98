// SPDX-License-Identifier: GPL-3.0-or-later
#include "reporting/computed_data_report.h"

#include "model/model_flags.h"
#include "tests/support/text_file.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

using namespace quibel;

namespace {

// A block whose numbers can be checked by hand: centre of mass 3 m from the upstream face and
// 4 m above the heel, so Rup = 5 m; on a flat plane the toe is 7 m across and 4 m below the
// centre, so Rdown = sqrt(65) m, Iheel = 100 + 2 x 25 = 150 and Itoe = 100 + 2 x 65 = 230 t m².
TBlocStatic handModel(AnalysisKind kind) {
    TBlocStatic m;
    m.AnalysisKind = kind;
    m.UnitSystem = UnitSystem::MKnTon;
    m.M = 2;
    m.Hd = 30;
    m.H = 20;
    m.Hr = 28;
    m.B = 10;
    m.Beta = 0;
    m.U = 1330.5;
    m.Xu = 5.33;
    m.T = 1;
    m.PhiS = 45;
    m.PhiD = 40;
    m.Xc = 3;
    m.Yc = 4;
    m.Im = 100;
    m.Eu = 1;
    m.Ed = 0.3;
    SetCriticalAngles(m);
    return m;
}

// tan(beta) = 0.1: the toe lies 1 m above the heel, 3 m below the centre, so
// Rdown = sqrt(49 + 9) m, Itoe = 100 + 2 x 58 = 216 t m² and ThetaDown = atan(7 / 3).
const double kBetaTenth = std::atan(0.1) * 180.0 / std::numbers::pi;

// The report's lines against those of the file name in tests/data/reports/, each line there
// ended by a newline.
void expectReport(const std::vector<std::string>& lines, const std::string& name) {
    std::string text;
    for (const std::string& line : lines)
        text += line + "\n";
    EXPECT_EQ(text, test::readTextFile(QUIBEL_TEST_DATA_DIR "/reports/" + name)) << name;
}

std::string joined(const std::vector<std::string>& lines) {
    std::string s;
    for (std::size_t i = 0; i < lines.size(); ++i)
        s += (i ? "\n" : "") + lines[i];
    return s;
}

} // namespace

TEST(ComputedDataReportTest, SlidingReportsEndWithTheFrictionAngles) {
    const TBlocStatic m = handModel(AnalysisKind::Sliding);
    expectReport(ComputedDataReport(m, Language::English), "sliding_en.txt");
    expectReport(ComputedDataReport(m, Language::French), "sliding_fr.txt");
}

// The English rocking part has no empty lines, prints the inertias in scientific notation and
// the downstream angle with its own sign, and ends with the coefficients of restitution.
TEST(ComputedDataReportTest, EnglishRockingReportsHaveTheRockingQuantities) {
    const TBlocStatic rocking = handModel(AnalysisKind::Rocking);
    expectReport(ComputedDataReport(rocking, Language::English), "rocking_en.txt");

    TBlocStatic slidingRocking = handModel(AnalysisKind::SlidingAndRocking);
    slidingRocking.Beta = kBetaTenth;
    SetCriticalAngles(slidingRocking);
    // The English report never lists the added items.
    setFlag(slidingRocking.ModelFlags, ModelFlag::HasMasses, true);
    slidingRocking.Masses.Items.push_back({8, 14, 2, 10});
    expectReport(ComputedDataReport(slidingRocking, Language::English), "sliding_rocking_en.txt");
}

// One added mass on the block, 8 m from the face and 4 m above the heel (2 t, 10 t m² of its
// own): the combined centre is at Xg = (2 x 3 + 2 x 8) / 4 = 5.5 m, Yg = 4 m, so Rup =
// sqrt(46.25), Rdown = sqrt(4.5² + 4²); Icg = 100 + 10 + 2 x 2.5² + 2 x 2.5² = 135,
// Iheel = 2 x 25 + 2 x 80 + 135 = 345 and Itoe = 2 x 65 + 2 x (16 + 4) + 135 = 305 t m². The
// second mass lies 0.001 m below the plane and counts for nothing.
TEST(ComputedDataReportTest, FrenchRockingReportListsAddedItemsAndCombinedProperties) {
    TBlocStatic m = handModel(AnalysisKind::Rocking);
    setFlag(m.ModelFlags, ModelFlag::HasForces, true);
    setFlag(m.ModelFlags, ModelFlag::HasMasses, true);
    m.Forces.Items.push_back({2, 25, -50, 12.5});
    m.Masses.Items.push_back({8, 14, 2, 10});
    m.Masses.Items.push_back({5, 9.999, 100, 1000});
    expectReport(ComputedDataReport(m, Language::French), "rocking_fr_added_items.txt");
}

// With every added mass below the plane the sections with added masses repeat the block-only
// values.
TEST(ComputedDataReportTest, FrenchSectionsRepeatTheBlockWhenNoMassIsOnIt) {
    TBlocStatic m = handModel(AnalysisKind::SlidingAndRocking);
    m.Beta = kBetaTenth;
    SetCriticalAngles(m);
    setFlag(m.ModelFlags, ModelFlag::HasMasses, true);
    // The plane is at 10 + 0.1 x 5 = 10.5 m at X = 5 m.
    m.Masses.Items.push_back({5, 10.499, 50, 20});
    expectReport(ComputedDataReport(m, Language::French),
                 "sliding_rocking_fr_masses_below_plane.txt");
}

// A centre of mass at the level of the heel: the critical angle about the heel is a quarter
// turn, and the report prints numbers, never "nan".
TEST(ComputedDataReportTest, CentreAtTheHeelLevelPrintsAQuarterTurn) {
    TBlocStatic m = handModel(AnalysisKind::Rocking);
    m.Yc = 0;
    SetCriticalAngles(m);
    EXPECT_DOUBLE_EQ(m.ThetaUp, std::numbers::pi / 2);
    setFlag(m.ModelFlags, ModelFlag::HasMasses, true);
    for (Language language : {Language::English, Language::French}) {
        const std::string report = joined(ComputedDataReport(m, language));
        EXPECT_EQ(report.find("nan"), std::string::npos) << report;
        EXPECT_EQ(report.find("inf"), std::string::npos) << report;
        EXPECT_NE(report.find("      1.570796 rad\n"), std::string::npos) << report;
        EXPECT_NE(report.find("        90.000 deg\n"), std::string::npos) << report;
    }
}

TEST(ComputedDataReportTest, NumbersCarryTheRegionalDecimalSeparator) {
    const TBlocStatic m = handModel(AnalysisKind::Rocking);
    const std::vector<std::string> lines = ComputedDataReport(m, Language::English, ',');
    EXPECT_EQ(lines[4], "  Block mass :                           2,000 ton");
    EXPECT_EQ(lines.at(25), "    At center of mass:          1,0000000E+002 ton·m²");
}

// The report of the program's start-up model: Im = 15473.2 t m² in scientific notation; a
// negative number is one character wider than its field.
TEST(ComputedDataReportTest, InertiaHasAThreeDigitExponentInEverySystem) {
    TBlocStatic m = startupModel();
    m.AnalysisKind = AnalysisKind::Rocking;
    EXPECT_EQ(ComputedDataReport(m, Language::English).at(25),
              "    At center of mass:          1.5473200E+004 ton·m²");
    m.UnitSystem = UnitSystem::InLbLb;
    m.Im = -0.000125;
    EXPECT_EQ(ComputedDataReport(m, Language::English).at(25),
              "    At center of mass:          -1.2500000E-004 lb·in²");
}
