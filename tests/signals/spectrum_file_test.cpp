// SPDX-License-Identifier: GPL-3.0-or-later
#include "signals/decimal_format.h"
#include "signals/spectrum_file.h"

#include "numeric/error.h"
#include "signal_test_helpers.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include <unistd.h>

using namespace quibel;

namespace {
// Two periods and two damping ratios with values chosen to show the rounding and padding.
ResponseSpectra handMadeSpectra() {
    ResponseSpectra r{test::vectorOf({0.05, 1.25}), test::vectorOf({0.02, 0.0525}), TMatrix(2, 2),
                      TMatrix(2, 2), TMatrix(2, 2)};
    r.Sd.set(1, 2, 0.0001234567);
    r.Sv.set(1, 2, 0.98765449);
    r.Sa.set(1, 2, 12.5);
    r.Sd.set(2, 2, 0.25);
    r.Sv.set(2, 2, 1234.5);
    r.Sa.set(2, 2, 3.0000005);
    r.Sd.set(1, 1, 99.0); // other column: must not show
    return r;
}

const char* const kRule = "-------------  ------------- ------------ ------------\n";
const char* const kRows = "    0.050000       0.000123     0.987654    12.500000\n"
                          "    1.250000       0.250000  1234.500000     3.000001\n";
const char* const kMaximums = "MAXIMUMS:          0.250000  1234.500000    12.500000\n";

std::string english(const char* unitLine) {
    return std::string("\n"
                       "Sd = Relative displacement spectra\n"
                       "Sv = Relative velocity spectra\n"
                       "Sa = Absolute acceleration spectra\n"
                       "\n"
                       " Damping Ratio = 0.0525 of critical\n"
                       "Period         Sd            Sv           Sa\n") +
           unitLine + "\n" + kRule + kRows + kRule + kMaximums;
}

std::string french(const char* unitLine) {
    return std::string("\n"
                       "Sd = Spectre de déplacement relatif\n"
                       "Sv = Spectre de vitesse relative\n"
                       "Sa = Spectre d'accélération absolue\n"
                       "\n"
                       " Fraction d'amortissement = 0.0525 du critique\n"
                       "Période        Sd            Sv           Sa\n") +
           unitLine + "\n" + kRule + kRows + kRule + kMaximums;
}
} // namespace

TEST(SpectrumFileTest, LayoutInBothLanguagesAndEveryUnitSystem) {
    struct Case {
        UnitSystem units;
        const char* englishUnits;
        const char* frenchUnits;
    } cases[] = {
        {UnitSystem::MmNKg, "(sec.)         (mm)          (mm/s)       (mm/s^2)",
         "(sec.)         (mm)          (mm/s)       (mm/s^2)"},
        {UnitSystem::MKnTon, "(sec.)         (m)           (m/s)        (m/s^2)",
         "(sec.)         (m)           (m/s)        (m/s^2)"},
        {UnitSystem::InLbLb, "(sec.)         (in)          (in/s)       (in/s^2)",
         "(sec.)         (pouce)       (pouce/s)    (pouce/s^2)"},
        {UnitSystem::FtKipKip, "(sec.)         (ft)          (ft/s)       (ft/s^2)",
         "(sec.)         (pied)        (pied/s)     (pied/s^2)"},
    };
    const ResponseSpectra r = handMadeSpectra();
    for (const auto& c : cases) {
        SCOPED_TRACE(unitIndex(c.units));
        EXPECT_EQ(SpectrumText(r, 2, c.units, Language::English), english(c.englishUnits));
        EXPECT_EQ(SpectrumText(r, 2, c.units, Language::French), french(c.frenchUnits));
    }
}

TEST(SpectrumFileTest, DampingColumnIsFoundWithinTheKeptPrecision) {
    const ResponseSpectra r = handMadeSpectra();
    EXPECT_EQ(DampingColumn(r, 0.02), 1);
    EXPECT_EQ(DampingColumn(r, 0.0525 + 1e-12), 2);
    EXPECT_EQ(DampingColumn(r, 0.03), 0);
    EXPECT_THROW(SpectrumText(r, 3, UnitSystem::MKnTon, Language::English), Error);
}

TEST(SpectrumFileTest, SavedFileHoldsTheTextAndAFailedSaveLeavesNothing) {
    const ResponseSpectra r = handMadeSpectra();
    const auto dir =
        std::filesystem::temp_directory_path() / ("quibel_spectrum_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const auto path = dir / "spectrum.txt";
    SaveSpectrumFile(path.string(), r, 2, UnitSystem::MKnTon, Language::French);
    std::ifstream in(path, std::ios::binary);
    std::stringstream content;
    content << in.rdbuf();
    EXPECT_EQ(content.str(), SpectrumText(r, 2, UnitSystem::MKnTon, Language::French));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 1);

    const auto unwritable = dir / "missing" / "spectrum.txt";
    try {
        SaveSpectrumFile(unwritable.string(), r, 2, UnitSystem::MKnTon, Language::English);
        FAIL() << "no error";
    } catch (const Error& e) {
        EXPECT_EQ(e.message().key, "signals.cannot_write_file");
    }
    EXPECT_FALSE(std::filesystem::exists(unwritable));
    std::filesystem::remove_all(dir);
}

TEST(DecimalFormatTest, FixedAndOptionalDecimals) {
    EXPECT_EQ(FormatFixed(0.05, 12, 6), "    0.050000");
    EXPECT_EQ(FormatFixed(-1.5, 12, 6), "   -1.500000");
    EXPECT_EQ(FormatFixed(123456789.0, 12, 6), "123456789.000000"); // wider, never cut
    EXPECT_EQ(FormatFixed(2.0000005, 0, 6), "2.000001");
    struct Case {
        double v;
        int minDecimals, maxDecimals;
        const char* text;
    } cases[] = {
        {0.05, 0, 6, "0.05"},
        {1.0, 0, 6, "1"},
        {0.0123456789, 0, 6, "0.012346"},
        {1.0, 1, 7, "1.0"},
        {0.03, 1, 7, "0.03"},
        {0.0000001, 0, 6, "0"},
        {-0.0000001, 0, 6, "0"},
        {0.3000000000004, 0, 6, "0.3"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(FormatDecimals(c.v, c.minDecimals, c.maxDecimals), c.text);
    }
}
