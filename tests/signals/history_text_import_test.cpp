// SPDX-License-Identifier: GPL-3.0-or-later
#include "signals/history_text_import.h"
#include "signals/number_stream_reader.h"

#include "numeric/error.h"
#include "signal_test_helpers.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include <unistd.h>

using namespace quibel;
using test::valuesOf;

namespace {
std::string errorKey(const std::function<void()>& f) {
    try {
        f();
    } catch (const Error& e) {
        return e.message().key;
    }
    return "";
}

std::filesystem::path tempFile(const std::string& name, const std::string& content) {
    const auto path = std::filesystem::temp_directory_path() /
                      ("quibel_import_" + std::to_string(::getpid()) + "_" + name);
    std::ofstream(path, std::ios::binary) << content;
    return path;
}
} // namespace

TEST(DecimalTokenTest, AcceptsDecimalLiteralsOnly) {
    struct Case {
        const char* token;
        bool valid;
        double value;
    } cases[] = {
        {"0.01", true, 0.01},  {"-3", true, -3.0}, {"+2.5", true, 2.5}, {"1.5E-3", true, 1.5e-3},
        {"2e2", true, 200.0},  {".5", true, 0.5},  {"5.", true, 5.0},   {"-.25", true, -0.25},
        {"1e-400", true, 0.0}, {"0,5", false, 0},  {"1e999", false, 0}, {"inf", false, 0},
        {"nan", false, 0},     {"0x1A", false, 0}, {"Time", false, 0},  {"1e", false, 0},
        {"--1", false, 0},     {"+", false, 0},    {".", false, 0},     {"1.2.3", false, 0},
        {"1,000", false, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.token);
        const auto v = ParseDecimalToken(c.token);
        ASSERT_EQ(v.has_value(), c.valid);
        if (c.valid) {
            EXPECT_DOUBLE_EQ(*v, c.value);
        }
    }
}

TEST(NumberStreamReaderTest, TokensCutByChunkBoundariesReadAsWhole) {
    const std::string text = "0 0.1\r\n0.01\t-0.35E-1\f\v12345.678";
    for (std::size_t cut = 0; cut <= text.size(); ++cut) {
        SCOPED_TRACE(cut);
        NumberStreamReader reader;
        reader.feed(std::string_view(text).substr(0, cut));
        reader.feed(std::string_view(text).substr(cut));
        ASSERT_TRUE(reader.finish());
        EXPECT_EQ(reader.numbers(), (std::vector<double>{0, 0.1, 0.01, -0.035, 12345.678}));
    }
}

TEST(NumberStreamReaderTest, EveryControlCharacterSeparatesButNotHighBytes) {
    std::string text = "1";
    text += '\0';
    text += "2\x1f"
            "3";
    NumberStreamReader reader;
    reader.feed(text);
    ASSERT_TRUE(reader.finish());
    EXPECT_EQ(reader.numbers().size(), 3u);

    NumberStreamReader accented;
    accented.feed("1 2\xc2\xa0"
                  "3");
    EXPECT_FALSE(accented.finish());
}

TEST(NumberStreamReaderTest, OverlongTokenIsRefusedWithoutGatheringIt) {
    NumberStreamReader reader;
    const std::string digits(600, '1');
    reader.feed(digits);
    EXPECT_FALSE(reader.feed(digits));
    EXPECT_FALSE(reader.valid());
}

TEST(HistoryTextImportTest, FileLayouts) {
    struct Case {
        const char* name;
        const char* text;
        HistoryFileFormat format;
        double dt;
        std::vector<double> times, values;
    } cases[] = {
        {"pairs on two lines",
         "0 0.1\n0.01 0.3\n",
         HistoryFileFormat::TimeAndAmplitude,
         0,
         {0, 0.01},
         {0.1, 0.3}},
        {"no line break after the last number",
         "0 0.1\n0.01 0.3",
         HistoryFileFormat::TimeAndAmplitude,
         0,
         {0, 0.01},
         {0.1, 0.3}},
        {"amplitudes only",
         "0.1 0.2 0.3",
         HistoryFileFormat::AmplitudesOnly,
         0.02,
         {0, 0.02, 0.04},
         {0.1, 0.2, 0.3}},
        {"fifth number ignored",
         "0 1 0.5 2 9",
         HistoryFileFormat::TimeAndAmplitude,
         0,
         {0, 0.5},
         {1, 2}},
        {"single number as amplitude",
         "  0.7\n\n",
         HistoryFileFormat::AmplitudesOnly,
         0.01,
         {0},
         {0.7}},
        {"line structure does not matter",
         "0\n1\n\n0.5 2 1.0\t\t3\n",
         HistoryFileFormat::TimeAndAmplitude,
         0,
         {0, 0.5, 1.0},
         {1, 2, 3}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const SignalSamples s = ImportHistoryText(c.text, c.format, c.dt);
        EXPECT_EQ(valuesOf(s.Times), c.times);
        EXPECT_EQ(valuesOf(s.Values), c.values);
    }
}

TEST(HistoryTextImportTest, InvalidFiles) {
    struct Case {
        const char* name;
        const char* text;
        HistoryFileFormat format;
    } cases[] = {
        {"header of words", "Time Acc\n0 0.1\n0.01 0.2\n", HistoryFileFormat::TimeAndAmplitude},
        {"decimal commas", "0 0,1\n0,01 0,3\n", HistoryFileFormat::TimeAndAmplitude},
        {"word at the end", "0 0.1\n0.01 0.3\nend", HistoryFileFormat::AmplitudesOnly},
        {"single number as pairs", "0.7", HistoryFileFormat::TimeAndAmplitude},
        {"empty file", "", HistoryFileFormat::AmplitudesOnly},
        {"blank file", " \n\t\n", HistoryFileFormat::TimeAndAmplitude},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(errorKey([&] { ImportHistoryText(c.text, c.format, 0.01); }),
                  "signals.invalid_data_file");
    }
}

TEST(HistoryTextImportTest, AmplitudesOnlyNeedAPositiveTimeStep) {
    for (double dt : {0.0, -0.01, std::nan("")}) {
        SCOPED_TRACE(dt);
        EXPECT_EQ(
            errorKey([&] { ImportHistoryText("0.1 0.2", HistoryFileFormat::AmplitudesOnly, dt); }),
            "signals.time_step_not_positive");
    }
    // Pairs carry their own times: the time step is not used.
    EXPECT_NO_THROW(ImportHistoryText("0 0.1", HistoryFileFormat::TimeAndAmplitude, 0.0));
}

TEST(HistoryTextImportTest, PointIsTheDecimalSeparatorWhateverTheLocale) {
    const char* previous = std::setlocale(LC_ALL, nullptr);
    const std::string saved = previous ? previous : "C";
    // A comma locale, when the system has one; the reading must not depend on it.
    std::setlocale(LC_ALL, "fr_FR.UTF-8");
    const SignalSamples s =
        ImportHistoryText("0 0.25\n0.5 1.5E-1", HistoryFileFormat::TimeAndAmplitude);
    std::setlocale(LC_ALL, saved.c_str());
    EXPECT_EQ(valuesOf(s.Values), (std::vector<double>{0.25, 0.15}));
}

TEST(HistoryTextImportTest, FileIsReadInPiecesAcrossItsLength) {
    // 300000 pairs (several read buffers): every number must come through unchanged.
    std::string text;
    const int n = 300000;
    for (int i = 0; i < n; ++i)
        text += std::to_string(i) + "e-3 " + std::to_string(i % 1000) + "\n";
    const auto path = tempFile("long.txt", text);
    const SignalSamples s = ImportHistoryFile(path.string(), HistoryFileFormat::TimeAndAmplitude);
    std::filesystem::remove(path);
    ASSERT_EQ(s.size(), n);
    EXPECT_DOUBLE_EQ(s.Times.get(n), (n - 1) * 1e-3);
    EXPECT_EQ(s.Values.get(n), (n - 1) % 1000);
    EXPECT_EQ(s.Values.get(1001), 0.0);
}

TEST(HistoryTextImportTest, MissingFileNamesThePath) {
    try {
        ImportHistoryFile("/nonexistent/quake.txt", HistoryFileFormat::TimeAndAmplitude);
        FAIL() << "no error";
    } catch (const Error& e) {
        EXPECT_EQ(e.message().key, "signals.cannot_open_file");
        ASSERT_EQ(e.message().args.size(), 2u);
        EXPECT_EQ(e.message().args[0], "/nonexistent/quake.txt");
        EXPECT_FALSE(e.message().args[1].empty());
    }
}

TEST(HistoryTextImportTest, InvalidFileOnDiskIsRefused) {
    const auto path = tempFile("header.txt", "time value\n0 1\n");
    EXPECT_EQ(
        errorKey([&] { ImportHistoryFile(path.string(), HistoryFileFormat::TimeAndAmplitude); }),
        "signals.invalid_data_file");
    std::filesystem::remove(path);
}
