#include "reporting/computed_data_report.h"

#include "model/model_flags.h"

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

std::string joined(const std::vector<std::string>& lines) {
    std::string s;
    for (std::size_t i = 0; i < lines.size(); ++i)
        s += (i ? "\n" : "") + lines[i];
    return s;
}

} // namespace

TEST(ComputedDataReportTest, SlidingReportsEndWithTheFrictionAngles) {
    const TBlocStatic m = handModel(AnalysisKind::Sliding);
    EXPECT_EQ(joined(ComputedDataReport(m, Language::English)), R"(ANALYSIS TYPE:
  Sliding

BLOCK INPUT PARAMETERS
  Block mass :                           2.000 ton
  Total dam height :                    30.000 m
  U/S block height :                    20.000 m
  Reservoir height :                    28.000 m
  Block horizontal base width :         10.000 m
  Block base inclination :               0.000 deg
  Block normal uplift force :         1330.500 kN
  block uplift force position :          5.330 m
  block section thickness :              1.000 m
  Static friction angle :               45.000 deg
  Dynamic friction angle :              40.000 deg)");
    EXPECT_EQ(joined(ComputedDataReport(m, Language::French)), R"(TYPE D'ANALYSE:
  Glissement

PARAMÈTRES DU BLOC
  Masse du bloc :                                   2.000 ton
  Hauteur totale du barrage :                      30.000 m
  Hauteur du bloc à l'amont :                      20.000 m
  Profondeur du réservoir :                        28.000 m
  Largeur horizontale de la base du bloc:          10.000 m
  Inclinaison de la base du bloc :                  0.000 deg
  Force normale de sous-pression du bloc :       1330.500 kN
  Position de la force de sous-pression :           5.330 m
  Épaisseur de la section du bloc :                 1.000 m
  Angle de friction statique :                     45.000 deg
  Angle de friction dynamique :                    40.000 deg)");
}

// The English rocking part has no empty lines, prints the inertias in scientific notation and
// the downstream angle with its own sign, and ends with the coefficients of restitution.
TEST(ComputedDataReportTest, EnglishRockingReportsHaveTheRockingQuantities) {
    const TBlocStatic rocking = handModel(AnalysisKind::Rocking);
    EXPECT_EQ(joined(ComputedDataReport(rocking, Language::English)), R"(ANALYSIS TYPE:
  Rocking

BLOCK INPUT PARAMETERS
  Block mass :                           2.000 ton
  Total dam height :                    30.000 m
  U/S block height :                    20.000 m
  Reservoir height :                    28.000 m
  Block horizontal base width :         10.000 m
  Block base inclination :               0.000 deg
  Block normal uplift force :         1330.500 kN
  block uplift force position :          5.330 m
  block section thickness :              1.000 m
  Block center of mass from U/S:
    Position X :                         3.000 m
    Position Y :                         4.000 m
  Block distance from center of mass to rotation point:
    Upstream radius :                    5.000 m
    Downstream radius :                  8.062 m
  Block critical angle of rotation:
    Upstream angle :                  0.643501 rad
                                        36.870 deg
    Downstream angle :                1.051650 rad
                                        60.255 deg
  Block mass moment of Inertia
    At center of mass:          1.0000000E+002 ton·m²
    From upstream (at heel):    1.5000000E+002 ton·m²
    From downstream (at toe):   2.3000000E+002 ton·m²
  Block coefficient of restitution of impact:
    Upstream  coefficient :              1.000
    Downstream coefficient :             0.300)");

    TBlocStatic slidingRocking = handModel(AnalysisKind::SlidingAndRocking);
    slidingRocking.Beta = kBetaTenth;
    SetCriticalAngles(slidingRocking);
    // The English report never lists the added items.
    setFlag(slidingRocking.ModelFlags, ModelFlag::HasMasses, true);
    slidingRocking.Masses.Items.push_back({8, 14, 2, 10});
    EXPECT_EQ(joined(ComputedDataReport(slidingRocking, Language::English)), R"(ANALYSIS TYPE:
  Sliding & rocking

BLOCK INPUT PARAMETERS
  Block mass :                           2.000 ton
  Total dam height :                    30.000 m
  U/S block height :                    20.000 m
  Reservoir height :                    28.000 m
  Block horizontal base width :         10.000 m
  Block base inclination :               5.711 deg
  Block normal uplift force :         1330.500 kN
  block uplift force position :          5.330 m
  block section thickness :              1.000 m
  Static friction angle :               45.000 deg
  Dynamic friction angle :              40.000 deg
  Block center of mass from U/S:
    Position X :                         3.000 m
    Position Y :                         4.000 m
  Block distance from center of mass to rotation point:
    Upstream radius :                    5.000 m
    Downstream radius :                  7.616 m
  Block critical angle of rotation:
    Upstream angle :                  0.643501 rad
                                        36.870 deg
    Downstream angle :                1.165905 rad
                                        66.801 deg
  Block mass moment of Inertia
    At center of mass:          1.0000000E+002 ton·m²
    From upstream (at heel):    1.5000000E+002 ton·m²
    From downstream (at toe):   2.1600000E+002 ton·m²
  Block coefficient of restitution of impact:
    Upstream  coefficient :              1.000
    Downstream coefficient :             0.300)");
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
    EXPECT_EQ(joined(ComputedDataReport(m, Language::French)), R"(TYPE D'ANALYSE:
  Renversement

PARAMÈTRES DU BLOC
  Masse du bloc :                                   2.000 ton
  Hauteur totale du barrage :                      30.000 m
  Hauteur du bloc à l'amont :                      20.000 m
  Profondeur du réservoir :                        28.000 m
  Largeur horizontale de la base du bloc:          10.000 m
  Inclinaison de la base du bloc :                  0.000 deg
  Force normale de sous-pression du bloc :       1330.500 kN
  Position de la force de sous-pression :           5.330 m
  Épaisseur de la section du bloc :                 1.000 m

  Coefficients de restitution d'impacte du bloc :
    Coefficient amont :                             1.000
    Coefficient aval :                              0.300

  Centre de masse du bloc à partir de l'amont (sans les masses ajoutées) :
    Position X :                                    3.000 m
    Position Y :                                    4.000 m

  Distance entre le centre de masse du bloc et les points de rotation (sans les masses ajoutées) :
    Rayon amont :                                   5.000 m
    Rayon aval :                                    8.062 m

  Angle critique de rotation du bloc (sans les masses ajoutées) :
    Angle amont:                                 0.643501 rad
                                                   36.870 deg
    Angle aval :                                -1.051650 rad
                                                  -60.255 deg

  Inertie massique du bloc (sans les masses ajoutées) :
    Au centre de masse :                          100.000 ton·m²
    Au pied amont du bloc :                       150.000 ton·m²
    au pied aval du bloc :                        230.000 ton·m²

LISTE DES FORCES AJOUTÉES :
    Position   Élevation     Force-X     Force-y
         (m)         (m)        (kN)        (kN)
       2.000      25.000     -50.000      12.500

LISTE DES MASSES AJOUTÉES :
    Position   Élevation       Masse     Inertie
         (m)         (m)       (ton)    (ton·m²)
       8.000      14.000       2.000        10.0
       5.000       9.999     100.000      1000.0

  Centre de masse à partir de l'amont (avec les masses ajoutées) :
    Position X :                                    5.500 m
    Position Y :                                    4.000 m

  Distance entre le centre de masse et les points de rotation (avec les masses ajoutées) :
    Rayon amont :                                   6.801 m
    Rayon aval :                                    6.021 m

  Angle critique de rotation (avec les masses ajoutées) :
    Angle amont:                                 0.942000 rad
                                                   53.973 deg
    Angle aval :                                -0.844154 rad
                                                  -48.366 deg

  Inertie massique (avec les masses ajoutées) :
    Au centre de masse :                          135.000 ton·m²
    Au pied amont du bloc :                       345.000 ton·m²
    au pied aval du bloc :                        305.000 ton·m²)");
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
    EXPECT_EQ(joined(ComputedDataReport(m, Language::French)), R"(TYPE D'ANALYSE:
  Glissement & renversement

PARAMÈTRES DU BLOC
  Masse du bloc :                                   2.000 ton
  Hauteur totale du barrage :                      30.000 m
  Hauteur du bloc à l'amont :                      20.000 m
  Profondeur du réservoir :                        28.000 m
  Largeur horizontale de la base du bloc:          10.000 m
  Inclinaison de la base du bloc :                  5.711 deg
  Force normale de sous-pression du bloc :       1330.500 kN
  Position de la force de sous-pression :           5.330 m
  Épaisseur de la section du bloc :                 1.000 m
  Angle de friction statique :                     45.000 deg
  Angle de friction dynamique :                    40.000 deg

  Coefficients de restitution d'impacte du bloc :
    Coefficient amont :                             1.000
    Coefficient aval :                              0.300

  Centre de masse du bloc à partir de l'amont (sans les masses ajoutées) :
    Position X :                                    3.000 m
    Position Y :                                    4.000 m

  Distance entre le centre de masse du bloc et les points de rotation (sans les masses ajoutées) :
    Rayon amont :                                   5.000 m
    Rayon aval :                                    7.616 m

  Angle critique de rotation du bloc (sans les masses ajoutées) :
    Angle amont:                                 0.643501 rad
                                                   36.870 deg
    Angle aval :                                -1.165905 rad
                                                  -66.801 deg

  Inertie massique du bloc (sans les masses ajoutées) :
    Au centre de masse :                          100.000 ton·m²
    Au pied amont du bloc :                       150.000 ton·m²
    au pied aval du bloc :                        216.000 ton·m²

LISTE DES MASSES AJOUTÉES :
    Position   Élevation       Masse     Inertie
         (m)         (m)       (ton)    (ton·m²)
       5.000      10.499      50.000        20.0

  Centre de masse à partir de l'amont (avec les masses ajoutées) :
    Position X :                                    3.000 m
    Position Y :                                    4.000 m

  Distance entre le centre de masse et les points de rotation (avec les masses ajoutées) :
    Rayon amont :                                   5.000 m
    Rayon aval :                                    7.616 m

  Angle critique de rotation (avec les masses ajoutées) :
    Angle amont:                                 0.643501 rad
                                                   36.870 deg
    Angle aval :                                -1.165905 rad
                                                  -66.801 deg

  Inertie massique (avec les masses ajoutées) :
    Au centre de masse :                          100.000 ton·m²
    Au pied amont du bloc :                       150.000 ton·m²
    au pied aval du bloc :                        216.000 ton·m²)");
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
