// SPDX-License-Identifier: GPL-3.0-or-later
// Every agency file of tests/data/records read with its header's count and step, in g; the
// peaks are checked against the values the headers state (converted by hand), and malformed
// files are refused naming the file and line.
#include "numeric/error.h"
#include "signals/records/record_file.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>

using namespace quibel;

namespace {
const std::string kRecords = std::string(QUIBEL_TEST_DATA_DIR) + "/records/";

std::string readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

double peak(const std::vector<double>& v) {
    double p = 0.0;
    for (double x : v)
        p = std::max(p, std::abs(x));
    return p;
}

// The message key and arguments an Error carries.
Message refusal(const std::string& text, const std::string& name = "f") {
    try {
        ReadRecordText(text, name);
    } catch (const Error& e) {
        return e.message();
    }
    ADD_FAILURE() << "the text was read";
    return {};
}

// The first `lines` lines of text (each with its line end).
std::string firstLines(const std::string& text, std::size_t lines) {
    std::size_t at = 0;
    for (std::size_t k = 0; k < lines && at != std::string::npos; ++k)
        at = text.find('\n', at + 1);
    return text.substr(0, at == std::string::npos ? text.size() : at + 1);
}

std::string replaceLine(const std::string& text, std::size_t line, const std::string& with) {
    std::size_t start = 0;
    for (std::size_t k = 1; k < line; ++k)
        start = text.find('\n', start) + 1;
    const std::size_t end = text.find('\n', start);
    return text.substr(0, start) + with + text.substr(end);
}
} // namespace

// Peak in g from the header: its stated peak (unit as stored) over g in that unit.
TEST(RecordReadersTest, EveryAgencyFileReadsWithItsHeadersCountStepAndPeak) {
    constexpr double gal = 980.665, mmps2 = 9806.65;
    const struct {
        const char* file;
        const char* format;
        std::size_t components, component, n;
        double dt, peakG, tolerance;
        const char* orientation;
    } cases[] = {
        // AT2 in g: the largest |value| of the file, found by hand with grep and sort.
        {"at2/RSN763_LOMAP_GIL067.AT2", "at2", 1, 0, 7999, 0.005, 0.3585328, 1e-7, "67"},
        {"at2/RSN10590_ComalTX11-10-20_IU.CCM.BHZ.00.AT2", "at2", 1, 0, 15306, 0.05, 1.8523426e-6,
         1e-13, "BHZ00"},
        // Line 11: "Max = -6.852 cm/sec2 at 76.215 sec".
        {"cosmos-v2/us1000hyfh_akbmrp_AKBMR--n.1000hyfh.BNZ.--.acc.V2c", "cosmos", 1, 0, 42000,
         0.005, 6.852 / gal, 1e-6, "BNZ"},
        // Line 18 of each channel; real nos. 65-66.
        {"dmg-v2/CE89146.V2", "dmg", 3, 0, 12000, 0.005, 77.28034 / gal, 1e-6, "360 Deg"},
        {"dmg-v2/ce36456p_CE36456.V2", "dmg", 3, 0, 3251, 0.02, 267.957 / gal, 1e-6, "90 DEG"},
        {"dmg-v2/ce36456p_CE36456.V2", "dmg", 3, 1, 3250, 0.02, 0.0, 0.0, "UP"},
        // Line 14 of each component: "peak -9733.1 mm/s/s".
        {"geonet-v2a/20161113_110259_WTMC_20.V2A", "geonet", 3, 0, 8192, 0.02, 9733.1 / mmps2, 1e-6,
         "N28W"},
        {"geonet-v2a/20161113_110259_WTMC_20.V2A", "geonet", 3, 2, 8192, 0.02, 0.0, 0.0, "Up"},
        // "Max. Acc. (gal)" of line 15, taken after the mean is removed.
        {"knet/AOM0081801241951.NS", "knet", 1, 0, 13800, 0.01, 36.185 / gal, 1e-5, "N-S"},
        {"knet/AOM0081801241951.UD", "knet", 1, 0, 13800, 0.01, 0.0, 0.0, "U-D"},
        {"knet/AOM0041801241951.NS", "knet", 1, 0, 9700, 0.01, 0.0, 0.0, "N-S"},
        {"kiknet/AICH040010061330.NS2", "kiknet", 1, 0, 28600, 0.005, 5.605 / gal, 1e-5, "NS2"},
        {"kiknet/AICH040010061330.UD2", "kiknet", 1, 0, 28600, 0.005, 0.0, 0.0, "UD2"},
        {"kiknet/NGNH351106302345.EW1", "kiknet", 1, 0, 12000, 0.01, 0.0, 0.0, "EW1"},
        // PGA_CM/S^2 of line 40.
        {"esm/HL.DLFA..HNE.D.20190728.160908.C.ACC.ASC", "esm", 1, 0, 13876, 0.005, 0.227973 / gal,
         1e-9, "HNE"},
        {"esm/HL.DLFA..HNZ.D.20190728.160908.C.ACC.ASC", "esm", 1, 0, 13876, 0.005, 0.0, 0.0,
         "HNZ"},
        // The largest |value|, 1.0441E+2 cm/s² (real no. 30 has it unrounded, 104.4078).
        {"smc/0111a.smc", "smc", 1, 0, 6001, 0.005, 104.41 / gal, 1e-12, "360"},
        {"smc/0111b.smc", "smc", 1, 0, 6002, 0.005, 0.0, 0.0, "up"},
        {"smc/np01002p_4225a_a.smc", "smc", 1, 0, 7183, 0.005, 0.0, 0.0, "133"},
        // "#AmplitudeMAX. U: 6.999~ -7.118" (gal).
        {"cwb/2-EGF.dat", "cwb", 3, 0, 6000, 0.02, 7.118 / gal, 1e-9, "U"},
        {"cwb/1-KAU.dat", "cwb", 3, 2, 11000, 0.01, 0.0, 0.0, "E"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        const RecordData data = ReadRecordFile(kRecords + c.file);
        EXPECT_EQ(data.Format, c.format);
        ASSERT_EQ(data.Components.size(), c.components);
        const RecordComponent& r = data.Components[c.component];
        EXPECT_EQ(r.Values.size(), c.n);
        EXPECT_NEAR(r.Dt, c.dt, 1e-12);
        EXPECT_EQ(r.Orientation, c.orientation);
        if (c.peakG > 0.0) {
            EXPECT_NEAR(peak(r.Values), c.peakG, c.tolerance);
        }
        EXPECT_NE(RecordTitle(data, c.component).find(c.orientation), std::string::npos);
    }
}

// Plain-text copies of three channels, converted to g with 7 significant digits by others.
TEST(RecordReadersTest, ChannelsMatchTheirIndependentConversionsSampleBySample) {
    const struct {
        const char* file;
        std::size_t component;
        const char* reference;
    } cases[] = {
        {"geonet-v2a/20161113_110259_WTMC_20.V2A", 0, "reference/Kaikoura_2016_WTMC-N28W.txt"},
        {"dmg-v2/ce36456p_CE36456.V2", 1, "reference/Coalinga_1983_PFZ14-UP.txt"},
        {"smc/0111b.smc", 0, "reference/Loma_Prieta_1989_SAF-UP.txt"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        const RecordComponent r = ReadRecordFile(kRecords + c.file).Components[c.component];
        std::istringstream ref(readBytes(kRecords + c.reference));
        std::string line;
        std::vector<double> expected;
        while (std::getline(ref, line))
            if (!line.empty() && line[0] != '#')
                expected.push_back(std::stod(line));
        ASSERT_EQ(r.Values.size(), expected.size());
        for (std::size_t k = 0; k < expected.size(); ++k)
            ASSERT_NEAR(r.Values[k], expected[k], 1e-6 * std::abs(expected[k]) + 1e-12) << k;
    }
}

TEST(RecordReadersTest, CosmosStepContradictedByItsLengthIsReplacedWithAWarning) {
    const RecordData data =
        ReadRecordFile(kRecords + "cosmos-v2/us1000hyfh_akbmrp_AKBMR--n.1000hyfh.BNZ.--.acc.V2c");
    ASSERT_EQ(data.Warnings.size(), 1u);
    EXPECT_EQ(data.Warnings[0].key, "records.cosmos_step_contradicted");
    EXPECT_EQ(data.Warnings[0].args[1], "32"); // real no. 34 stands on line 32
    EXPECT_EQ(data.Warnings[0].args[2], "0.02");
    EXPECT_DOUBLE_EQ(data.Components[0].Dt, 0.005);
}

TEST(RecordReadersTest, DamagedHeaderIsRefusedNamingFileAndLine) {
    const std::string path = kRecords + "dmg-v2/bad/BadHeader.V2";
    const std::string text = readBytes(path);
    Message m = refusal(text, path);
    EXPECT_EQ(m.key, "records.hemisphere_contradiction");
    EXPECT_EQ(m.args[0], path);
    EXPECT_EQ(m.args[1], "6");
    // With the latitude repaired, the impossible orientation of line 27 is found.
    const std::string twin = readBytes(kRecords + "dmg-v2/CE89146.V2");
    const std::string line6 = twin.substr(twin.find("Station No."), 80);
    m = refusal(replaceLine(text, 6, line6 + "\r"), "bad");
    EXPECT_EQ(m.key, "records.orientation_contradiction");
    EXPECT_EQ(m.args[1], "27");
    EXPECT_EQ(m.args[2], "900");
}

TEST(RecordReadersTest, MalformedFilesAreRefusedWithTheLineOfTheFault) {
    const std::string at2 = readBytes(kRecords + "at2/RSN763_LOMAP_GIL067.AT2");
    const std::string knet = readBytes(kRecords + "knet/AOM0041801241951.NS");
    const std::string esm = readBytes(kRecords + "esm/HL.DLFA..HNE.D.20190728.160908.C.ACC.ASC");
    const std::string smc = readBytes(kRecords + "smc/0111a.smc");
    const struct {
        const char* what;
        std::string text;
        const char* key;
        const char* line;
    } cases[] = {
        {"AT2 cut after its title", firstLines(at2, 2), "records.truncated", "2"},
        {"AT2 missing its last line", at2.substr(0, at2.rfind('\n', at2.size() - 2) + 1),
         "records.count_contradiction", "4"},
        {"AT2 with a word among the values", replaceLine(at2, 7, "  -.7973354E-03 x"),
         "records.bad_number", "7"},
        {"AT2 with a step of a day", replaceLine(at2, 4, "NPTS=   7999, DT= 86400 SEC,"),
         "records.bad_time_step", "4"},
        {"AT2 with a negative count", replaceLine(at2, 4, "NPTS=  -7999, DT=   .0050 SEC,"),
         "records.bad_count", "4"},
        {"AT2 with more samples than the file can hold",
         replaceLine(at2, 4, "NPTS= 99999999999, DT=   .0050 SEC,"), "records.bad_count", "4"},
        {"AT2 with a long run of number characters for its count",
         replaceLine(at2, 4, "NPTS= " + std::string(1 << 20, 'e') + ", DT= .005"),
         "records.bad_number", "4"},
        {"K-NET cut in its header", firstLines(knet, 15), "records.truncated", "15"},
        {"K-NET shorter than its duration", firstLines(knet, 500), "records.count_contradiction",
         "12"},
        {"ESM with a count above its data", replaceLine(esm, 30, "NDATA: 13877"),
         "records.count_contradiction", "30"},
        {"ESM that is not an acceleration", replaceLine(esm, 50, "DATA_TYPE: VELOCITY"),
         "records.not_acceleration", "50"},
        {"SMC cut in its values", firstLines(smc, 400), "records.too_few_values", "400"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const Message m = refusal(c.text);
        EXPECT_EQ(m.key, c.key);
        ASSERT_GE(m.args.size(), 2u);
        EXPECT_EQ(m.args[0], "f");
        EXPECT_EQ(m.args[1], c.line);
    }
}

TEST(RecordReadersTest, TextsNoReaderRecognisesAreReadAsThePlainFormats) {
    RecordData data = ReadRecordText("0 0.1\n0.01 0.2\n0.02 -0.3\n", "f");
    EXPECT_EQ(data.Format, "pairs");
    EXPECT_EQ(data.Components[0].Values, (std::vector<double>{0.1, 0.2, -0.3}));
    EXPECT_DOUBLE_EQ(data.Components[0].Dt, 0.01);
    data = ReadRecordText("0.1 0.2 -0.3", "f", {0.02});
    EXPECT_EQ(data.Format, "amplitudes");
    EXPECT_EQ(data.Components[0].Values.size(), 3u);
    // One step is needed: one sample, uneven times or an absurd step are refused.
    for (const char* text : {"0 0.1\n", "0 0.1\n0.01 0.2\n0.03 0.3\n", "0 0.1\n100 0.2\n"})
        EXPECT_EQ(refusal(text), Message("records.plain_step", {"f"})) << text;
    // A run of digits with no separator is no number: refused without gathering it.
    EXPECT_EQ(refusal(std::string(std::size_t{50} << 20, '7')).key, "signals.invalid_data_file");
}

TEST(RecordReadersTest, FilesBeyondTheLimitAreRefusedBeforeTheyAreRead) {
    const auto path = std::filesystem::temp_directory_path() / "quibel-huge-record.txt";
    {
        std::ofstream out(path, std::ios::binary);
        out << "1";
    }
    std::filesystem::resize_file(path, std::uintmax_t{1} << 30); // a gigabyte, sparse
    try {
        ReadRecordFile(path.string());
        ADD_FAILURE() << "read";
    } catch (const Error& e) {
        EXPECT_EQ(e.message().key, "records.file_too_large");
    }
    std::filesystem::remove(path);
}

TEST(RecordReadersTest, CsvWithAHeaderRowGivesOneComponentPerAccelerationColumn) {
    RecordData data = ReadRecordText("time (s),north (cm/s2),up\n0,98.0665,0.5\n0.01,0,-0.5\n"
                                     "0.02,-196.133,0.25\n",
                                     "f");
    EXPECT_EQ(data.Format, "csv");
    ASSERT_EQ(data.Components.size(), 2u);
    EXPECT_DOUBLE_EQ(data.Components[0].Dt, 0.01);
    EXPECT_NEAR(data.Components[0].Values[2], -0.2, 1e-15);
    EXPECT_EQ(data.Components[1].Values, (std::vector<double>{0.5, -0.5, 0.25}));
    data = ReadRecordText("acc\n0.1\n0.2\n", "f", {0.005});
    EXPECT_DOUBLE_EQ(data.Components[0].Dt, 0.005);
    EXPECT_EQ(refusal("acc\n0.1\n0.2\n").key, "records.bad_time_step");
    EXPECT_EQ(refusal("time,acc\n0,0.1\n0.01,0.2\n0.05,0.3\n").key, "records.uneven_time");
}

TEST(RecordReadersTest, NamedFormatsReadOnlyTheirOwnFiles) {
    const std::string smc = readBytes(kRecords + "smc/0111a.smc");
    EXPECT_EQ(ReadRecordText(smc, "f", {}, "smc").Components[0].Values.size(), 6001u);
    EXPECT_THROW(ReadRecordText(smc, "f", {}, "esm"), Error);
    try {
        ReadRecordText(smc, "f", {}, "sac");
        ADD_FAILURE();
    } catch (const Error& e) {
        EXPECT_EQ(e.message().key, "records.unknown_format");
    }
    EXPECT_EQ(RecordFormatNames().front(), "auto");
    // A reader named for a text that is not of its format refuses it like a damaged one.
    for (std::string_view name : RecordFormatNames())
        if (name != "auto" && name != "pairs" && name != "amplitudes") {
            EXPECT_THROW(ReadRecordText("", "f", {}, name), Error) << name;
        }
}
