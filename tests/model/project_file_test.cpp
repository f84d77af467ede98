// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/model_flags.h"
#include "model/project_file.h"
#include "numeric/error.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>

using namespace quibel;

namespace {

double f64At(const std::vector<std::uint8_t>& b, std::size_t offset) {
    double v;
    std::memcpy(&v, b.data() + offset, 8);
    return v;
}
std::int32_t i32At(const std::vector<std::uint8_t>& b, std::size_t offset) {
    std::int32_t v;
    std::memcpy(&v, b.data() + offset, 4);
    return v;
}

TBlocStatic richModel() {
    TBlocStatic m = startupModel();
    m.AnalysisKind = AnalysisKind::SlidingAndRocking;
    m.ModelFlags = ModelFlag::GeometryComplete | ModelFlag::HorizontalAccDefined |
                   ModelFlag::ResultsValid | ModelFlag::HasMasses;
    m.Ru = 8.75;
    m.Options.VerticalAcceleration = 1;
    m.Options.NewmarkBeta = 1;
    TimeHistoryRecord& h = m.Histories[0];
    h.Source = HistorySource::Sampled;
    h.Title = "El Centro – 1940 é";
    h.Times = TVector(3);
    h.Values = TVector(3);
    for (int i = 1; i <= 3; ++i) {
        h.Times->set(i, 0.02 * (i - 1));
        h.Values->set(i, 0.1 * i - 0.15);
    }
    h.Duration = 0.04;
    h.Scale = 1.5;
    h.Correction = OffsetCorrection::ZeroMean;
    m.Histories[2].Source = HistorySource::Generated;
    m.Histories[2].Terms[1] = {TermShape::Triangle, 12.5, 0.4, -90, 1, 3, 1};
    m.Histories[2].PosX = 3;
    m.Histories[2].PosY = 25;
    m.Masses.Items.push_back({1, 2, 3, 4});
    m.Forces.Items.push_back({5, 26, -7, 8});
    m.Forces.Items.push_back({6, 27, 9, -10});
    return m;
}

void expectSameInputs(const TBlocStatic& a, const TBlocStatic& b) {
    EXPECT_EQ(a.FileVersion, b.FileVersion);
    EXPECT_EQ(a.AnalysisKind, b.AnalysisKind);
    EXPECT_EQ(a.ModelFlags, b.ModelFlags);
    EXPECT_EQ(a.UnitSystem, b.UnitSystem);
    for (auto [x, y] : {std::pair{a.H, b.H},
                        {a.Hd, b.Hd},
                        {a.Hr, b.Hr},
                        {a.Xc, b.Xc},
                        {a.Yc, b.Yc},
                        {a.B, b.B},
                        {a.M, b.M},
                        {a.U, b.U},
                        {a.Xu, b.Xu},
                        {a.PhiS, b.PhiS},
                        {a.PhiD, b.PhiD},
                        {a.Beta, b.Beta},
                        {a.Ru, b.Ru},
                        {a.Rd, b.Rd},
                        {a.Eu, b.Eu},
                        {a.Ed, b.Ed},
                        {a.Es, b.Es},
                        {a.Im, b.Im},
                        {a.T, b.T}})
        EXPECT_EQ(std::memcmp(&x, &y, 8), 0);
    EXPECT_EQ(a.Options, b.Options);
    EXPECT_EQ(a.Histories, b.Histories);
    EXPECT_EQ(a.Masses, b.Masses);
    EXPECT_EQ(a.Forces, b.Forces);
}

std::filesystem::path tempDir() {
    auto dir =
        std::filesystem::temp_directory_path() /
        ("quibel-file-test-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
         "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(dir);
    return dir;
}

} // namespace

TEST(ProjectFileTest, SmallestFileHasTheDocumentedLayout) {
    TBlocStatic m = startupModel();
    m.ModelFlags = 0x0123;
    m.Histories[3].PosY = 42.5;
    const auto b = serializeProject(m);
    ASSERT_EQ(b.size(), kSmallestProjectFile);
    const std::uint8_t header[] = {1, 0, 0, 0, 3, 0, 1, 0, 0, 0, 0, 0, 0x23, 0x01, 1, 0, 0, 0};
    EXPECT_EQ(std::memcmp(b.data(), header, sizeof header), 0);
    EXPECT_EQ(f64At(b, 18), 20.0);     // H
    EXPECT_EQ(f64At(b, 26), 30.0);     // Hd
    EXPECT_EQ(f64At(b, 66), 398.0);    // M
    EXPECT_EQ(f64At(b, 154), 15473.2); // Im
    EXPECT_EQ(f64At(b, 162), 1.0);     // T
    EXPECT_EQ(f64At(b, 170), 9.807);   // Gravity
    EXPECT_EQ(f64At(b, 178), 0.0001);  // TimeStep
    EXPECT_EQ(f64At(b, 186), 0.01);    // SaveStep
    const std::uint8_t options[] = {0, 0, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(std::memcmp(b.data() + 194, options, sizeof options), 0);
    const std::size_t h0 = 210;
    EXPECT_EQ(b[h0], 0);                            // Source
    EXPECT_EQ(b[h0 + 1], 0);                        // empty title
    EXPECT_EQ(b[h0 + 257], 1);                      // term 1 Shape = sine
    EXPECT_EQ(f64At(b, h0 + 257 + 8), 1.0);         // Amplitude
    EXPECT_EQ(f64At(b, h0 + 257 + 40), 10.0);       // EndTime
    EXPECT_EQ(f64At(b, h0 + 481), 1.0);             // Scale
    EXPECT_EQ(f64At(b, 210 + 3 * 522 + 514), 42.5); // PosY of history 3
    EXPECT_EQ(i32At(b, 2298), 0);                   // masses
    EXPECT_EQ(i32At(b, 2302), 0);                   // forces
}

TEST(ProjectFileTest, SampledHistoryWritesCountAndPairs) {
    const TBlocStatic m = richModel();
    const auto b = serializeProject(m);
    ASSERT_EQ(b.size(), kSmallestProjectFile + 4 + 3 * 16 + 32 + 2 * 32);
    EXPECT_EQ(b[210 + 1], std::strlen("El Centro \x96 1940 \xe9")); // Windows-1252 title
    EXPECT_EQ(std::memcmp(b.data() + 212, "El Centro \x96 1940 \xe9", 17), 0);
    EXPECT_EQ(i32At(b, 210 + 522), 3);
    EXPECT_EQ(f64At(b, 210 + 526 + 16), 0.02);        // time 2
    EXPECT_DOUBLE_EQ(f64At(b, 210 + 526 + 24), 0.05); // value 2 (0.2 - 0.15)
}

TEST(ProjectFileTest, RoundTripIsExactFieldByFieldAndByteForByte) {
    const TBlocStatic m = richModel();
    const auto bytes = serializeProject(m);
    TBlocStatic back = startupModel();
    parseProject(bytes, back);
    expectSameInputs(m, back);
    EXPECT_EQ(serializeProject(back), bytes);
}

TEST(ProjectFileTest, OldVersionReadsShortOptionsBlockAndSavesAsCurrent) {
    TBlocStatic m = richModel();
    auto bytes = serializeProject(m);
    bytes[4] = 1; // version 1, 0, 1, 1
    bytes.erase(bytes.begin() + 170 + 32, bytes.begin() + 170 + 40);
    TBlocStatic back = startupModel();
    parseProject(bytes, back);
    EXPECT_EQ(back.Options.VerticalAcceleration, 0);
    EXPECT_EQ(back.Options.NewmarkBeta, 1);
    EXPECT_EQ(back.FileVersion, (std::array<std::int16_t, 4>{1, 0, 3, 1}));
    EXPECT_EQ(back.Histories, m.Histories);
    m.Options.VerticalAcceleration = 0;
    EXPECT_EQ(serializeProject(back), serializeProject(m));
}

TEST(ProjectFileTest, LaterVersionsUseTheCurrentBlockAndBadKindIsIgnored) {
    TBlocStatic m = richModel();
    auto bytes = serializeProject(m);
    bytes[4] = 7; // 1, 0, 7, 1
    bytes[8] = 3; // AnalysisKind 3
    TBlocStatic back = startupModel();
    back.AnalysisKind = AnalysisKind::Rocking;
    parseProject(bytes, back);
    EXPECT_EQ(back.AnalysisKind, AnalysisKind::Rocking);
    EXPECT_EQ(back.Options.VerticalAcceleration, 1);
    EXPECT_EQ(back.Forces, m.Forces);
}

TEST(ProjectFileTest, EmptySampledTableAndSeriesOfOtherSources) {
    TBlocStatic m = startupModel();
    m.Histories[1].Source = HistorySource::Sampled; // never loaded: N = 0, no pairs
    const auto bytes = serializeProject(m);
    EXPECT_EQ(bytes.size(), kSmallestProjectFile + 4);
    TBlocStatic back = richModel(); // history 0 holds samples but the file's history 0 is undefined
    back.Histories[1].Times = TVector(2);
    parseProject(bytes, back);
    EXPECT_FALSE(back.Histories[1].Times.has_value());
    EXPECT_EQ(back.Histories[0].Source, HistorySource::Undefined);
    ASSERT_TRUE(back.Histories[0].Times.has_value()); // kept: the source is not Sampled
    EXPECT_EQ(back.Histories[0].Times->size(), 3);
}

TEST(ProjectFileTest, DamagedFilesLeaveTheModelUntouched) {
    const auto good = serializeProject(richModel());
    struct Case {
        const char* what;
        std::vector<std::uint8_t> bytes;
    };
    std::vector<Case> cases;
    for (std::size_t cut :
         {std::size_t{0}, std::size_t{7}, std::size_t{169}, std::size_t{209},
          std::size_t{210 + 300}, std::size_t{210 + 530}, good.size() - 97, good.size() - 1})
        cases.push_back({"truncated", std::vector<std::uint8_t>(good.begin(), good.begin() + cut)});
    auto patched = [&](std::size_t offset, std::int32_t v) {
        auto b = good;
        std::memcpy(b.data() + offset, &v, 4);
        return b;
    };
    cases.push_back({"negative sample count", patched(210 + 522, -1)});
    cases.push_back({"huge sample count", patched(210 + 522, 0x7fffffff)});
    cases.push_back({"unit system 4", patched(14, 4)});
    cases.push_back({"unit system -1", patched(14, -1)});
    const std::size_t massCount = good.size() - 4 - 64 - 32 - 4;
    cases.push_back({"negative mass count", patched(massCount, -5)});
    cases.push_back({"mass count past the end", patched(massCount, 1000000)});

    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TBlocStatic m = startupModel();
        const auto before = serializeProject(m);
        try {
            parseProject(c.bytes, m);
            FAIL() << "accepted";
        } catch (const Error& e) {
            EXPECT_EQ(e.message().key, "file.unable_to_read");
        }
        EXPECT_EQ(serializeProject(m), before);
    }
}

TEST(ProjectFileTest, TrailingBytesAreIgnored) {
    auto bytes = serializeProject(richModel());
    bytes.insert(bytes.end(), {1, 2, 3});
    TBlocStatic back = startupModel();
    parseProject(bytes, back);
    expectSameInputs(back, richModel());
}

TEST(ProjectFileTest, TitlesOutsideTheCodePageAndTooLongAreCut) {
    TBlocStatic m = startupModel();
    m.Histories[0].Title = "Ж" + std::string(300, 'x');
    TBlocStatic back = startupModel();
    parseProject(serializeProject(m), back);
    EXPECT_EQ(back.Histories[0].Title, "?" + std::string(254, 'x'));
}

TEST(ProjectFileTest, SaveReplacesTheFileOnlyWhenComplete) {
    const auto dir = tempDir();
    const std::string path = (dir / "dam.qbl").string();
    TBlocStatic m = richModel();
    WriteToFile(m, path);
    TBlocStatic back = startupModel();
    ReadFromFile(back, path);
    expectSameInputs(back, m);

    // A folder that does not exist: the error names the file and the system's reason.
    try {
        WriteToFile(m, (dir / "missing" / "x.qbl").string());
        FAIL();
    } catch (const Error& e) {
        EXPECT_EQ(e.message().key, "file.unable_to_write");
        ASSERT_EQ(e.message().args.size(), 2u);
        EXPECT_FALSE(e.message().args[1].empty());
    }
    // A read-only file keeps its content.
    std::filesystem::permissions(path, std::filesystem::perms::owner_read);
    const auto before = std::filesystem::file_size(path);
    EXPECT_THROW(WriteToFile(startupModel(), path), Error);
    EXPECT_EQ(std::filesystem::file_size(path), before);
    std::filesystem::permissions(path, std::filesystem::perms::owner_all);
    std::size_t files = 0;
    for ([[maybe_unused]] auto& e : std::filesystem::directory_iterator(dir))
        ++files;
    EXPECT_EQ(files, 1u) << "a temporary file was left behind";
    EXPECT_THROW(ReadFromFile(back, (dir / "nothing.qbl").string()), Error);
    EXPECT_THROW(ReadFromFile(back, dir.string()), Error);
    std::filesystem::remove_all(dir);
}
