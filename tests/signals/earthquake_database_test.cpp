// SPDX-License-Identifier: GPL-3.0-or-later
#include "signals/earthquake_database.h"

#include "numeric/error.h"
#include "signals/xls_workbook.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <tuple>
#include <vector>

using namespace quibel;

namespace {

const std::string kTestBook = std::string(QUIBEL_TEST_DATA_DIR) + "/earthquakes-test.xls";
const std::string kDamagedBook = std::string(QUIBEL_TEST_DATA_DIR) + "/earthquakes-damaged.xls";
const std::string kDataDir = std::string(QUIBEL_SOURCE_DIR) + "/data/";

// Cells held in memory, for the limits that no test file should have to reach.
class MemoryWorkbook final : public Workbook {
public:
    explicit MemoryWorkbook(int sheets) : mSheets(sheets) {}
    void set(int sheet, int row, int column, std::string text) {
        mCells[{sheet, row, column}] = {WorkbookCell::Type::Text, 0.0, std::move(text)};
    }
    int sheetCount() const override { return mSheets; }
    std::string sheetName(int sheet) const override { return "Sheet" + std::to_string(sheet); }
    WorkbookCell cell(int sheet, int row, int column) const override {
        const auto it = mCells.find({sheet, row, column});
        return it == mCells.end() ? WorkbookCell{} : it->second;
    }

private:
    int mSheets;
    std::map<std::tuple<int, int, int>, WorkbookCell> mCells;
};

// The message key and arguments of the error that call throws.
template <typename F>
Message errorOf(F call) {
    try {
        call();
    } catch (const Error& e) {
        return e.message();
    }
    ADD_FAILURE() << "no error thrown";
    return {};
}

} // namespace

TEST(EarthquakeDatabaseTest, ColumnNamesFollowTheSpreadsheetLetters) {
    const struct {
        int column;
        const char* name;
    } cases[] = {{0, ""},    {1, "A"},   {2, "B"},    {26, "Z"},   {27, "AA"},
                 {52, "AZ"}, {53, "BA"}, {256, "IV"}, {702, "ZZ"}, {703, "AAA"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.column);
        EXPECT_EQ(ColumnName(c.column), c.name);
    }
    EXPECT_EQ(CellName(1004, 2), "B1004");
}

TEST(EarthquakeDatabaseTest, OnlyTheAccelerationsHaveAWorkbook) {
    EXPECT_EQ(DatabaseFileName(HistoryKind::HorizontalAcceleration),
              "Earthquakes - horizontal.xls");
    EXPECT_EQ(DatabaseFileName(HistoryKind::VerticalAcceleration), "Earthquakes - vertical.xls");
    EXPECT_FALSE(DatabaseFileName(HistoryKind::HorizontalForce));
    EXPECT_FALSE(DatabaseFileName(HistoryKind::VerticalForce));
}

TEST(EarthquakeDatabaseTest, TreeListsWorksheetsThenTheirRecordsInNodeOrder) {
    const auto book = XlsWorkbook::open(kTestBook);
    const DatabaseCatalogue tree = ReadDatabaseCatalogue(*book, Language::English);
    EXPECT_FALSE(tree.Truncated);
    ASSERT_EQ(tree.Nodes.size(), 3u + 2u + 52u);
    EXPECT_EQ(tree.Nodes[0], (DatabaseNode{"Short records", 0, 0}));
    EXPECT_EQ(tree.Nodes[1], (DatabaseNode{"Three samples", 1, 1}));
    EXPECT_EQ(tree.Nodes[2], (DatabaseNode{"Thousand samples", 1, 2}));
    // A worksheet whose row 2 is empty from column B on has no record node.
    EXPECT_EQ(tree.Nodes[3], (DatabaseNode{"Empty sheet", 0, 0}));
    EXPECT_EQ(tree.Nodes[4], (DatabaseNode{"Many records", 0, 0}));
    for (int k = 1; k <= 52; ++k)
        EXPECT_EQ(tree.Nodes[4 + static_cast<std::size_t>(k)],
                  (DatabaseNode{"Record " + std::to_string(k), 3, k}));
}

TEST(EarthquakeDatabaseTest, FrenchTreeShowsTheTitlesOfColumnB) {
    const auto book = XlsWorkbook::open(kTestBook);
    const DatabaseCatalogue tree = ReadDatabaseCatalogue(*book, Language::French);
    ASSERT_EQ(tree.Nodes.size(), 57u);
    EXPECT_EQ(tree.Nodes[0].Text, "Enregistrements courts");
    EXPECT_EQ(tree.Nodes[3].Text, "Feuille vide");
    EXPECT_EQ(tree.Nodes[4].Text, "Nombreux enregistrements");
    EXPECT_EQ(tree.Nodes[1].Text, "Three samples"); // record titles have one language
}

TEST(EarthquakeDatabaseTest, RecordKIsReadFromColumnKPlusOne) {
    // Record k of the third sheet holds the single value k / 1000.
    const auto book = XlsWorkbook::open(kTestBook);
    for (int k : {1, 25, 26, 51, 52}) {
        SCOPED_TRACE(k);
        const SignalSamples s = ReadDatabaseRecord(*book, 3, k);
        ASSERT_EQ(s.size(), 1);
        EXPECT_DOUBLE_EQ(s.Values.get(1), k / 1000.0);
        EXPECT_EQ(s.Times.get(1), 0.0);
    }
    EXPECT_EQ(errorOf([&] { ReadDatabaseRecord(*book, 3, 53); }).key, "signals.database_no_record");
    EXPECT_EQ(errorOf([&] { ReadDatabaseRecord(*book, 2, 1); }).key, "signals.database_no_record");
}

TEST(EarthquakeDatabaseTest, SamplesLieAtMultiplesOfTheTimeStep) {
    const auto book = XlsWorkbook::open(kTestBook);
    const SignalSamples three = ReadDatabaseRecord(*book, 1, 1);
    ASSERT_EQ(three.size(), 3);
    const double values[] = {0.1, -0.2, 0.3};
    for (int i = 1; i <= 3; ++i) {
        EXPECT_EQ(three.Values.get(i), values[i - 1]);
        EXPECT_DOUBLE_EQ(three.Times.get(i), (i - 1) * 0.01);
    }
    // n = 1000 and dt = 0.01: the last sample at 999 x 0.01 = 9.99 s.
    const SignalSamples thousand = ReadDatabaseRecord(*book, 1, 2);
    ASSERT_EQ(thousand.size(), 1000);
    EXPECT_DOUBLE_EQ(thousand.Times.get(1000), 9.99);
    EXPECT_DOUBLE_EQ(thousand.Values.get(1000), 1.0);
    EXPECT_DOUBLE_EQ(thousand.Values.get(500), 0.5);
}

TEST(EarthquakeDatabaseTest, DamagedRecordsNameTheirCell) {
    const auto book = XlsWorkbook::open(kDamagedBook);
    const struct {
        int record;
        const char* key;
        const char* cell;
    } cases[] = {
        {1, "signals.database_bad_count", "B3"},  // "many"
        {2, "signals.database_bad_count", "C3"},  // 0
        {3, "signals.database_bad_count", "D3"},  // 2.5
        {4, "signals.database_bad_step", "E4"},   // 0
        {5, "signals.database_bad_sample", "F6"}, // "x"
        {6, "signals.database_bad_sample", "G8"}, // n = 5, three samples
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.record);
        EXPECT_EQ(errorOf([&] { ReadDatabaseRecord(*book, 1, c.record); }),
                  (Message(c.key, {"Damaged", c.cell})));
    }
}

TEST(EarthquakeDatabaseTest, NumbersWrittenAsTextAreRead) {
    const auto book = XlsWorkbook::open(kDamagedBook);
    const SignalSamples s = ReadDatabaseRecord(*book, 1, 7);
    ASSERT_EQ(s.size(), 2);
    EXPECT_EQ(s.Values.get(1), 0.5);
    EXPECT_EQ(s.Values.get(2), -0.5);
    EXPECT_DOUBLE_EQ(s.Times.get(2), 0.01);
}

TEST(EarthquakeDatabaseTest, TitlesThatAreNumbersOrMissingStillNameTheirNode) {
    const auto book = XlsWorkbook::open(kDamagedBook);
    const DatabaseCatalogue tree = ReadDatabaseCatalogue(*book, Language::English);
    ASSERT_EQ(tree.Nodes.size(), 1u + 8u + 1u + 1u);
    EXPECT_EQ(tree.Nodes[8], (DatabaseNode{"1940", 1, 8}));
    // No title in A1 or B1: the worksheet's tab name.
    EXPECT_EQ(tree.Nodes[9], (DatabaseNode{"No titles", 0, 0}));
    EXPECT_EQ(tree.Nodes[10], (DatabaseNode{"Untitled sheet record", 2, 1}));
}

TEST(EarthquakeDatabaseTest, MissingOrForeignFilesAreReported) {
    const std::string missing = std::string(QUIBEL_TEST_DATA_DIR) + "/no-such-workbook.xls";
    EXPECT_EQ(errorOf([&] { XlsWorkbook::open(missing); }),
              (Message("signals.workbook_not_found", {missing})));

    const auto foreign = std::filesystem::temp_directory_path() / "quibel-not-a-workbook.xls";
    {
        std::ofstream out(foreign, std::ios::binary);
        out << "Time history\n0 0.1\n0.01 0.3\n";
    }
    EXPECT_EQ(errorOf([&] { XlsWorkbook::open(foreign.string()); }).key,
              "signals.workbook_unreadable");
    std::filesystem::remove(foreign);
}

TEST(EarthquakeDatabaseTest, TreeStopsAtItsLimits) {
    MemoryWorkbook manySheets(kMaxDatabaseSheets + 1);
    const DatabaseCatalogue a = ReadDatabaseCatalogue(manySheets, Language::English);
    EXPECT_EQ(a.Nodes.size(), static_cast<std::size_t>(kMaxDatabaseSheets));
    EXPECT_EQ(a.Nodes.back().Text, "Sheet100");
    EXPECT_TRUE(a.Truncated);

    MemoryWorkbook manyRecords(2);
    for (int k = 1; k <= 6000; ++k)
        manyRecords.set(1, 2, k + 1, "r" + std::to_string(k));
    const DatabaseCatalogue b = ReadDatabaseCatalogue(manyRecords, Language::English);
    ASSERT_EQ(b.Nodes.size(), static_cast<std::size_t>(kMaxDatabaseNodes));
    EXPECT_EQ(b.Nodes.back(), (DatabaseNode{"r5000", 1, 5000}));
    EXPECT_TRUE(b.Truncated);

    MemoryWorkbook none(0);
    EXPECT_TRUE(ReadDatabaseCatalogue(none, Language::English).Nodes.empty());
}

TEST(EarthquakeDatabaseTest, LongTitlesAreCutTo255CharactersNotBytes) {
    MemoryWorkbook book(1);
    std::string title;
    for (int i = 0; i < 300; ++i)
        title += "é"; // two bytes in UTF-8
    book.set(1, 1, 1, title);
    const DatabaseCatalogue tree = ReadDatabaseCatalogue(book, Language::English);
    ASSERT_EQ(tree.Nodes.size(), 1u);
    EXPECT_EQ(tree.Nodes[0].Text.size(), 2u * 255u);
}

// The shipped workbooks against the catalogue of the record collection: the sample count, the
// time step and the peak ground acceleration it states for every record (PGA to 0.001 g).
TEST(EarthquakeDatabaseTest, ShippedWorkbooksHoldEveryRecordOfTheCollection) {
    struct Expected {
        int sheet;
        int record;
        int n;
        double dt;  // s
        double pga; // g
    };
    const Expected horizontal[] = {
        {1, 1, 4172, 0.01, 1.219},   {1, 2, 5723, 0.005, 1.298}, {1, 3, 1000, 0.02, 0.415},
        {2, 1, 5372, 0.01, 0.281},   {2, 2, 5070, 0.005, 0.211}, {2, 3, 7348, 0.005, 0.775},
        {2, 4, 5861, 0.005, 0.416},  {2, 5, 5049, 0.005, 0.266}, {2, 6, 7690, 0.005, 0.380},
        {2, 7, 3948, 0.005, 0.492},  {3, 1, 7997, 0.005, 0.645}, {3, 2, 11177, 0.005, 0.371},
        {3, 3, 1800, 0.02, 0.662},   {3, 4, 9495, 0.005, 0.789}, {3, 5, 9327, 0.005, 0.934},
        {4, 1, 4113, 0.005, 1.096},  {4, 2, 10744, 0.01, 0.274}, {5, 1, 4015, 0.01, 0.616},
        {5, 2, 13102, 0.005, 0.566}, {5, 3, 3077, 0.01, 0.514},  {5, 4, 26780, 0.005, 0.185},
        {6, 1, 8192, 0.02, 0.993},
    };
    const Expected vertical[] = {
        {1, 1, 4172, 0.01, 0.687},  {2, 1, 5378, 0.01, 0.178},  {2, 2, 3250, 0.02, 0.097},
        {2, 3, 7999, 0.005, 0.458}, {2, 4, 6002, 0.005, 0.049}, {2, 5, 15050, 0.02, 0.071},
        {3, 1, 5401, 0.005, 2.182}, {3, 2, 8192, 0.02, 0.160},  {3, 3, 8192, 0.02, 1.838},
    };
    const struct {
        std::string_view file;
        std::span<const Expected> records;
        int sheets;
    } books[] = {{kHorizontalDatabaseFile, horizontal, 6}, {kVerticalDatabaseFile, vertical, 3}};
    for (const auto& b : books) {
        SCOPED_TRACE(b.file);
        const auto book = XlsWorkbook::open(kDataDir + std::string(b.file));
        const DatabaseCatalogue tree = ReadDatabaseCatalogue(*book, Language::English);
        EXPECT_EQ(tree.Nodes.size(), static_cast<std::size_t>(b.sheets) + b.records.size());
        EXPECT_EQ(tree.Nodes[0].Text, "Dam sites");
        EXPECT_EQ(ReadDatabaseCatalogue(*book, Language::French).Nodes[0].Text,
                  "Sites de barrages");
        for (const Expected& e : b.records) {
            SCOPED_TRACE(testing::Message() << "sheet " << e.sheet << " record " << e.record);
            const SignalSamples s = ReadDatabaseRecord(*book, e.sheet, e.record);
            ASSERT_EQ(s.size(), e.n);
            EXPECT_DOUBLE_EQ(s.Times.get(2), e.dt);
            EXPECT_NEAR(s.Times.get(e.n), (e.n - 1) * e.dt, 1e-9);
            double peak = 0.0;
            for (int i = 1; i <= e.n; ++i)
                peak = std::max(peak, std::abs(s.Values.get(i)));
            EXPECT_NEAR(peak, e.pga, 0.0005 + 1e-9);
        }
    }
    // The first sample of the Pacoima Dam record, as written in its source file.
    const auto book = XlsWorkbook::open(kDataDir + std::string(kHorizontalDatabaseFile));
    EXPECT_EQ(ReadDatabaseRecord(*book, 1, 1).Values.get(1), -0.0004486975);
}

TEST(EarthquakeDatabaseTest, WorkbooksTheFuzzerDamagedAreReadOrRefused) {
    // Inputs the workbook fuzzer found: each is refused with its error or gives a tree whose
    // records read or are refused one by one. Two of them crash the system's .xls library (a
    // segfault while opening, an overrun while converting a text): the reading tried first in a
    // child process catches both, so they are refused instead of ending the program.
    const std::vector<std::string> files = {"workbook-reader-leaks-on-close.xls",
                                            "workbook-reader-overruns-in-iconv.xls",
                                            "workbook-reader-segfaults-on-open.xls"};
    for (const std::string& name : files) {
        SCOPED_TRACE(name);
        const std::string path = std::string(QUIBEL_TEST_DATA_DIR) + "/fuzz/" + name;
        std::unique_ptr<XlsWorkbook> book;
        try {
            book = XlsWorkbook::open(path);
        } catch (const Error& e) {
            EXPECT_EQ(e.message().key, "signals.workbook_unreadable");
            continue;
        }
        const DatabaseCatalogue tree = ReadDatabaseCatalogue(*book, Language::English);
        for (const DatabaseNode& node : tree.Nodes) {
            if (!node.isRecord())
                continue;
            try {
                const SignalSamples s = ReadDatabaseRecord(*book, node.Sheet, node.Record);
                EXPECT_GT(s.size(), 0);
            } catch (const Error& e) {
                EXPECT_TRUE(e.message().key.starts_with("signals.database_")) << e.message().key;
            }
        }
    }
}
