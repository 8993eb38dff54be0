#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "oillib/OilLibrary.h"
#include "platform/Clock.h"
#include "platform/Files.h"
#include "test_oillib_helpers.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/TimeZone.h"

using namespace oillib;
using model::ELibTempUnit;
using oillib_test::ReadBytes;
using oillib_test::TempDir;
using oillib_test::WriteBytes;

namespace {

const std::string kFixtures = std::string(TAVRO_TEST_DATA_DIR) + "/oillib/";

// Noon UTC on 06/15/2025. The library header is written with the local
// date, which is already 06/16 at UTC+12 and beyond: the fixture runs in UTC.
constexpr std::time_t kToday = 1749988800;
const std::string kTodayText = "06/15/2025";

std::string ColumnLine(const char* end = "\r\n") {
    std::string s;
    for (int i = 0; i < kOilLibColumnCount; ++i) s += std::string(i ? "\t" : "") + OilLibColumnNames[i];
    return s + end;
}

std::string Header(const std::string& date = "01/02/2020", const char* end = "\r\n") {
    return "1.0\t" + date + "\ttavro" + end;
}

// A record in table order: cells by column number, the other cells empty.
std::string Record(const std::map<int, std::string>& cells, const char* end = "\r\n") {
    std::string s;
    for (int c = 1; c <= kOilLibColumnCount; ++c) {
        if (c > 1) s += "\t";
        auto it = cells.find(c);
        if (it != cells.end()) s += it->second;
    }
    return s + end;
}

std::string Oil(const std::string& name, const std::string& id, const char* end = "\r\n") {
    return Record({{COL_OIL_NAME, name}, {COL_OIL_ID, id}, {COL_API, "30"}, {3, "Place " + id}}, end);
}

COilLibrary MakeLibrary(const std::filesystem::path& path) {
    return COilLibrary(path, OilLibColumnNames, kOilLibColumnCount);
}

const SOilLibCell* FindOil(const COilLibrary& lib, const std::string& id) {
    const auto* index = lib.GetIndex();
    if (!index) return nullptr;
    for (const auto& c : *index)
        if (c.oilId == id) return &c;
    return nullptr;
}

std::vector<std::string> Ids(const COilLibrary& lib) {
    std::vector<std::string> out;
    if (const auto* index = lib.GetIndex())
        for (const auto& c : *index) out.push_back(c.oilId);
    return out;
}

// Every cell's offset must read back the oil it names.
void ExpectOffsetsReadBack(COilLibrary& lib) {
    ASSERT_NE(lib.GetIndex(), nullptr);
    const std::vector<SOilLibCell> cells = *lib.GetIndex();
    for (const auto& cell : cells) {
        ASSERT_EQ(lib.ReadRecordAt(cell.offset), kResultOk);
        EXPECT_EQ(lib.GetField(lib.ColumnToField(COL_OIL_ID)).substr(0, 19), cell.oilId);
    }
}

class OilLibLibrary : public ::testing::Test {
protected:
    void SetUp() override { platform::SetDefaultClock(&clock_); }
    void TearDown() override { platform::SetDefaultClock(nullptr); }

    // A CR LF library of three oils A, B, C.
    std::string ThreeOils() const { return Header() + ColumnLine() + Oil("Alpha, Lab", "A") + Oil("Beta", "B") + Oil("Gamma", "C"); }
    // ThreeOils written to path, and a library on it (not yet loaded).
    COilLibrary ThreeOilsAt(const std::filesystem::path& path) const {
        WriteBytes(path, ThreeOils());
        return MakeLibrary(path);
    }

    tavro_test::ZoneScope utc_{"UTC"};
    platform::FixedClock clock_{kToday};
    TempDir dir_;
};

}  // namespace

TEST_F(OilLibLibrary, ColumnTable) {
    EXPECT_STREQ(OilLibColumnNames[0], "Oil Name");
    EXPECT_STREQ(OilLibColumnNames[143], "Benezene");
    EXPECT_STREQ(OilLibColumnNames[154], "Conrandson Residuum");
    EXPECT_STREQ(OilLibColumnNames[158], "K0Y");
    std::set<std::string> distinct(OilLibColumnNames, OilLibColumnNames + kOilLibColumnCount);
    EXPECT_EQ(distinct.size(), 159u);
    EXPECT_EQ(ColumnLine("\n").size(), 2771u);
}

TEST_F(OilLibLibrary, LoadIndexCodes) {
    struct Case {
        std::string name;
        std::string bytes;  // empty name of a fixture: write these bytes
        int code;
    };
    const std::vector<Case> cases = {
        {"good", ThreeOils(), kResultOk},
        {"tag_capitals.lib", "", kResultNotLibrary},
        {"tag_blank.lib", "", kResultNotLibrary},
        {"empty", std::string(), kResultFailed},
        {"header only", Header(), kResultFailed},
        {"long line", Header() + ColumnLine() + Oil("A", "A") + std::string(5000, 'x') + "\r\n" + Oil("B", "B"),
         kResultTooLong},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::path path;
        if (c.name.find(".lib") != std::string::npos) {
            path = kFixtures + c.name;
        } else {
            path = dir_ / "lib";
            WriteBytes(path, c.bytes);
        }
        COilLibrary lib = MakeLibrary(path);
        EXPECT_EQ(lib.LoadIndex(), c.code);
        if (c.code == kResultOk) {
            ASSERT_NE(lib.GetIndex(), nullptr);
            EXPECT_EQ(lib.GetIndex()->size(), 3u);
            EXPECT_EQ(lib.GetVersion(), "1.0");
            EXPECT_EQ(lib.GetDate(), "01/02/2020");
        } else {
            EXPECT_EQ(lib.GetIndex(), nullptr);
            EXPECT_FALSE(lib.GetErrorText().empty());
        }
    }
    COilLibrary missing = MakeLibrary(dir_ / "nothing");
    EXPECT_EQ(missing.LoadIndex(), kResultMissing);
    EXPECT_EQ(missing.GetIndex(), nullptr);
    COilLibrary noBuffers = MakeLibrary(std::filesystem::path());
    EXPECT_EQ(noBuffers.LoadIndex(), kResultNoBuffers);

    // A library whose last oil was removed has an index with no oils.
    WriteBytes(dir_ / "lib", Header() + ColumnLine());
    COilLibrary none = MakeLibrary(dir_ / "lib");
    EXPECT_EQ(none.LoadIndex(), kResultOk);
    ASSERT_NE(none.GetIndex(), nullptr);
    EXPECT_TRUE(none.GetIndex()->empty());
}

TEST_F(OilLibLibrary, ReorderedColumnsBlankLinesAndLineEnds) {
    COilLibrary lib = MakeLibrary(kFixtures + "reordered.lib");
    ASSERT_EQ(lib.LoadIndex(), kResultOk);
    EXPECT_EQ(lib.GetDate(), "03/15/2024");
    ASSERT_EQ(Ids(lib), (std::vector<std::string>{"ID-A", "ID-B", "ID-C"}));
    const auto& cells = *lib.GetIndex();
    // Offsets count every byte before the line: the empty and TAB-only
    // lines and the mixed line ends included.
    EXPECT_EQ(cells[0].offset, 109);
    EXPECT_EQ(cells[1].offset, 181);
    EXPECT_EQ(cells[2].offset, 211);

    EXPECT_EQ(cells[0].name, "Alpha Crude");
    EXPECT_EQ(cells[0].source, "Lab A");
    EXPECT_EQ(cells[0].location, "North Sea");
    EXPECT_EQ(cells[0].apiText, "31.3");
    EXPECT_EQ(cells[0].apiKey, 313.0f);
    EXPECT_EQ(cells[0].pourTextC, "-15 to -5");
    EXPECT_EQ(cells[0].pourKeyC, -148.0f);
    EXPECT_EQ(cells[1].location, "Gulf");
    EXPECT_EQ(cells[1].pourTextC, "less than -15");
    EXPECT_EQ(cells[1].pourKeyC, -154.0f);
    EXPECT_EQ(cells[2].name, "Gamma Oil");
    EXPECT_EQ(cells[2].source, "");
    EXPECT_EQ(cells[2].apiText, "");
    EXPECT_EQ(cells[2].apiKey, 9999.0f);
    EXPECT_EQ(cells[2].pourTextC, "");
    EXPECT_EQ(cells[2].pourKeyC, 9999.0f);

    // Columns found by name; a column the file lacks reads empty.
    ASSERT_EQ(lib.ReadRecordAt(cells[0].offset), kResultOk);
    EXPECT_EQ(lib.GetField(lib.ColumnToField(COL_API)), "31.25");
    EXPECT_EQ(lib.GetField(lib.ColumnToField(COL_OIL_ID)), "ID-A");
    EXPECT_EQ(lib.ColumnToField(10), 0);
    EXPECT_EQ(lib.GetField(lib.ColumnToField(10)), "");
    ExpectOffsetsReadBack(lib);
}

TEST_F(OilLibLibrary, CellDerivations) {
    struct Case {
        std::string name, api, pourMin, pourMax;
        std::string wantName, wantSource, apiText;
        float apiKey;
        std::string pourC, pourF;
        float keyC, keyF;
    };
    const std::vector<Case> cases = {
        {"Alpha, \"Lab A\"", "31.25", "258.15", "268.15", "Alpha", "Lab A", "31.3", 313, "-15 to -5", "5 to 23", -148, 52},
        {"\"Big\" Oil,  ECCC ESTS 2021 long", "", "<", "258.15", "Big Oil", "ECCC ESTS 2021 ", "", 9999, "less than -15",
         "less than 5", -154, 46},
        {"No Source", "10", ">", "300", "No Source", "", "10.0", 100, "greater than 27", "greater than 80", 274, 804},
        {"Same", "45.04", "250", "250", "Same", "", "45.0", 450, "-23", "-10", -230, -100},
        {"Max empty", "6.05", "250", "", "Max empty", "", "6.1", 61, "-23", "-10", -230, -100},
        {"Min empty", "1e2", "", "258.15", "Min empty", "", "100.0", 1000, "-15", "5", 9999, 9999},
        // Rounded twice (to whole kelvins, then to whole degrees).
        {"Twice", "0", "273.6", "", "Twice", "", "0.0", 0, "1", "34", 10, 340},
        {std::string(40, 'n'), "abc", "x", "y", std::string(31, 'n'), "", "", 9999, "", "", 9999, 9999},
    };
    std::string bytes = Header() + ColumnLine();
    for (size_t i = 0; i < cases.size(); ++i) {
        const auto& c = cases[i];
        bytes += Record({{COL_OIL_NAME, c.name}, {COL_OIL_ID, "ID" + std::to_string(i)}, {COL_API, c.api},
                         {COL_POUR_POINT_MIN, c.pourMin}, {COL_POUR_POINT_MAX, c.pourMax}});
    }
    auto path = dir_ / "lib";
    WriteBytes(path, bytes);
    COilLibrary lib = MakeLibrary(path);
    ASSERT_EQ(lib.LoadIndex(), kResultOk);
    ASSERT_EQ(lib.GetIndex()->size(), cases.size());
    for (size_t i = 0; i < cases.size(); ++i) {
        const auto& c = cases[i];
        const auto& cell = (*lib.GetIndex())[i];
        SCOPED_TRACE(c.name);
        EXPECT_EQ(cell.name, c.wantName);
        EXPECT_EQ(cell.source, c.wantSource);
        EXPECT_EQ(cell.apiText, c.apiText);
        EXPECT_EQ(cell.apiKey, c.apiKey);
        EXPECT_EQ(cell.pourTextC, c.pourC);
        EXPECT_EQ(cell.pourTextF, c.pourF);
        EXPECT_EQ(cell.pourKeyC, c.keyC);
        EXPECT_EQ(cell.pourKeyF, c.keyF);
    }
}

TEST_F(OilLibLibrary, TemperatureTexts) {
    using U = ELibTempUnit;
    struct Case {
        U target;
        const char* text;
        U source;
        int decimals;
        const char* want;
    };
    const Case cases[] = {
        {U::Kelvin, "15", U::Celsius, 6, "288.149994"},  // single precision, pinned
        {U::Kelvin, "59", U::Fahrenheit, 6, "288.149994"},
        {U::Kelvin, "-40", U::Fahrenheit, 6, "233.149994"},
        // The kelvins are rounded to the decimals first: 288.15 -> 288.2 -> 15.1.
        {U::Celsius, "288.15", U::Kelvin, 1, "15.1"},
        {U::Fahrenheit, "233.15", U::Kelvin, 0, "-40"},
        {U::Celsius, "", U::Kelvin, 0, ""},
        {U::Celsius, "<", U::Kelvin, 0, ""},
        {static_cast<U>(7), "300", static_cast<U>(0), 1, "300.0"},  // other codes are kelvins
    };
    for (const auto& c : cases)
        EXPECT_EQ(COilLibrary::ConvertTemperatureText(c.target, c.text, c.source, c.decimals), c.want) << c.text;

    COilLibrary lib = MakeLibrary(dir_ / "lib");
    lib.SetTemperatureField("15", 25, U::Celsius);
    EXPECT_EQ(lib.GetField(25), "288.149994");
    EXPECT_EQ(lib.FormatTemperatureField(25, U::Celsius, 0), "15");
    EXPECT_EQ(lib.FormatTemperatureField(25, U::Fahrenheit, 1), "59.1");  // 288.2 K
    lib.SetTemperatureRange("-15", 8, 9, U::Celsius);
    EXPECT_EQ(lib.GetField(8), lib.GetField(9));
    EXPECT_EQ(lib.FormatRange(8, 9, U::Celsius, 0), "-15");
    lib.SetTemperatureField("abc", 25, U::Celsius);
    EXPECT_TRUE(lib.IsFieldEmpty(25));
    EXPECT_EQ(lib.FormatTemperatureField(25, U::Celsius, 0), "");
}

TEST_F(OilLibLibrary, SaveOverAndAppendKeepEveryOtherByte) {
    auto path = dir_ / "CustomLib";
    const std::string before = ThreeOils();
    COilLibrary lib = ThreeOilsAt(path);
    ASSERT_EQ(lib.LoadIndex(), kResultOk);

    // Save over the middle oil.
    const SOilLibCell beta = *FindOil(lib, "B");
    ASSERT_EQ(lib.ReadRecordAt(beta.offset), kResultOk);
    lib.SetFieldText("New\tPlace", lib.ColumnToField(3));
    ASSERT_EQ(lib.SaveRecord(beta.offset), kResultOk);
    const std::string newBeta = Record({{1, "Beta"}, {2, "B"}, {7, "30"}, {3, "New Place"}});
    const std::string afterSave = Header(kTodayText) + ColumnLine() + Oil("Alpha, Lab", "A") + newBeta + Oil("Gamma", "C");
    EXPECT_EQ(ReadBytes(path), afterSave);
    EXPECT_EQ(ReadBytes(lib.GetBackupPath()), before);  // the previous generation
    EXPECT_EQ(lib.GetDate(), kTodayText);
    EXPECT_EQ(FindOil(lib, "B")->location, "New Place");
    ExpectOffsetsReadBack(lib);

    // Append a new oil.
    lib.ClearFields();
    lib.SetFieldText("Delta", lib.ColumnToField(1));
    lib.SetFieldText("D", lib.ColumnToField(2));
    ASSERT_EQ(lib.SaveRecord(kNewRecord), kResultOk);
    EXPECT_EQ(ReadBytes(path), afterSave + "Delta\tD\r\n");
    EXPECT_EQ(Ids(lib), (std::vector<std::string>{"A", "B", "C", "D"}));
    ExpectOffsetsReadBack(lib);
    // The record saved stays the current record.
    EXPECT_EQ(lib.GetField(1), "Delta");
}

TEST_F(OilLibLibrary, RemoveFirstMiddleLastAndOnly) {
    const std::string a = Oil("Alpha, Lab", "A"), b = Oil("Beta", "B"), c = Oil("Gamma", "C");
    const std::string head = Header(kTodayText) + ColumnLine();
    struct Case {
        std::string id;
        std::string want;
    };
    const std::vector<Case> cases = {{"A", head + b + c}, {"B", head + a + c}, {"C", head + a + b}};
    for (const auto& k : cases) {
        SCOPED_TRACE(k.id);
        auto path = dir_ / ("CustomLib" + k.id);
        COilLibrary lib = ThreeOilsAt(path);
        ASSERT_EQ(lib.LoadIndex(), kResultOk);
        ASSERT_EQ(lib.DeleteRecord(FindOil(lib, k.id)->offset), kResultOk);
        EXPECT_EQ(ReadBytes(path), k.want);
        EXPECT_EQ(lib.GetIndex()->size(), 2u);
        ExpectOffsetsReadBack(lib);
    }

    // Removing the only oil leaves lines 1 and 2 and an empty index.
    auto path = dir_ / "Only";
    WriteBytes(path, Header() + ColumnLine() + a);
    COilLibrary lib = MakeLibrary(path);
    ASSERT_EQ(lib.LoadIndex(), kResultOk);
    ASSERT_EQ(lib.DeleteRecord(FindOil(lib, "A")->offset), kResultOk);
    EXPECT_EQ(ReadBytes(path), head);
    ASSERT_NE(lib.GetIndex(), nullptr);
    EXPECT_TRUE(lib.GetIndex()->empty());

    // A negative offset removes nothing.
    EXPECT_EQ(lib.DeleteRecord(-1), kResultOk);
    EXPECT_EQ(ReadBytes(path), head);
}

TEST_F(OilLibLibrary, FirstSaveCreatesTheFile) {
    // A missing, an empty and a header-only file all get both header lines.
    const std::vector<std::pair<std::string, std::string>> starts = {
        {"missing", ""}, {"empty", std::string()}, {"header only", Header("01/01/2001", "")}};
    for (const auto& [what, bytes] : starts) {
        SCOPED_TRACE(what);
        auto path = dir_ / ("CustomLib-" + std::to_string(bytes.size()) + what.substr(0, 1));
        if (what != "missing") WriteBytes(path, bytes);
        COilLibrary lib = MakeLibrary(path);
        lib.LoadIndex();
        lib.ClearFields();
        lib.SetFieldText("First Oil, Me", lib.ColumnToField(1));
        lib.SetFieldText("C0000000100000002", lib.ColumnToField(2));
        lib.SetFieldScaled("0.85", lib.ColumnToField(24), 1000);
        ASSERT_EQ(lib.SaveRecord(kNewRecord), kResultOk) << lib.GetErrorText();
        // Fields 1, 2 and 24 set: 24 fields joined.
        const std::string want = Header(kTodayText) + ColumnLine() + "First Oil, Me\tC0000000100000002" +
                                 std::string(22, '\t') + "850\r\n";
        EXPECT_EQ(ColumnLine().size(), 2772u);  // 2771 bytes and CR LF
        EXPECT_EQ(ReadBytes(path), want);
        ASSERT_NE(lib.GetIndex(), nullptr);
        ASSERT_EQ(lib.GetIndex()->size(), 1u);
        EXPECT_EQ((*lib.GetIndex())[0].name, "First Oil");
        EXPECT_EQ((*lib.GetIndex())[0].offset, static_cast<FileOffset>(Header().size() + 2772));
        EXPECT_FALSE(std::filesystem::exists(lib.GetBackupPath()) && what == "missing");
    }
}

TEST_F(OilLibLibrary, RecreatedFileGetsTheRecordInTableOrder) {
    // An oil read from a file with its own column order, saved after that
    // file went away: the new file has the table's order, and so has the oil.
    auto path = dir_ / "CustomLib";
    WriteBytes(path, ReadBytes(kFixtures + "reordered.lib"));
    COilLibrary lib = MakeLibrary(path);
    ASSERT_EQ(lib.LoadIndex(), kResultOk);
    ASSERT_EQ(lib.ReadRecordAt((*lib.GetIndex())[0].offset), kResultOk);
    std::filesystem::remove(path);
    ASSERT_EQ(lib.SaveRecord(kNewRecord), kResultOk) << lib.GetErrorText();
    ASSERT_EQ(lib.GetIndex()->size(), 1u);
    const SOilLibCell cell = (*lib.GetIndex())[0];
    EXPECT_EQ(cell.oilId, "ID-A");
    EXPECT_EQ(cell.apiText, "31.3");
    EXPECT_EQ(cell.pourTextC, "-15 to -5");
    EXPECT_EQ(cell.location, "North Sea");
    EXPECT_EQ(ReadBytes(path).substr(Header().size(), ColumnLine().size()), ColumnLine());
}

TEST_F(OilLibLibrary, LineEndsAndForeignBytesSurvive) {
    // LF lines, a CR-only line, a blank line and a last line without end.
    auto path = dir_ / "CustomLib";
    const std::string a = Oil("Alpha", "A", "\n"), b = Oil("Beta", "B", "\r"), c = Oil("Gamma", "C", "");
    WriteBytes(path, Header("01/02/2020", "\n") + ColumnLine("\n") + a + "\n\r\n" + b + c);
    COilLibrary lib = MakeLibrary(path);
    ASSERT_EQ(lib.LoadIndex(), kResultOk);
    ASSERT_EQ(Ids(lib), (std::vector<std::string>{"A", "B", "C"}));

    // Appending after a last line without a line end adds one first.
    lib.ClearFields();
    lib.SetFieldText("Delta", 1);
    lib.SetFieldText("D", 2);
    ASSERT_EQ(lib.SaveRecord(kNewRecord), kResultOk);
    const std::string rest = ColumnLine("\n") + a + "\n\r\n" + b;
    EXPECT_EQ(ReadBytes(path), Header(kTodayText) + rest + c + "\r\nDelta\tD\r\n");
    ExpectOffsetsReadBack(lib);

    // Saving over the CR-only line keeps the bytes around it.
    ASSERT_EQ(lib.ReadRecordAt(FindOil(lib, "B")->offset), kResultOk);
    lib.SetFieldText("Beta 2", 1);
    ASSERT_EQ(lib.SaveRecord(FindOil(lib, "B")->offset), kResultOk);
    std::string beta2 = Oil("Beta", "B", "\r\n");
    beta2.replace(0, 4, "Beta 2");
    EXPECT_EQ(ReadBytes(path), Header(kTodayText) + ColumnLine("\n") + a + "\n\r\n" + beta2 + c + "\r\nDelta\tD\r\n");
    ExpectOffsetsReadBack(lib);
}

TEST_F(OilLibLibrary, RefusedPlacesLeaveTheFileAlone) {
    auto path = dir_ / "CustomLib";
    COilLibrary lib = ThreeOilsAt(path);
    ASSERT_EQ(lib.LoadIndex(), kResultOk);
    const FileOffset beta = FindOil(lib, "B")->offset;
    ASSERT_EQ(lib.ReadRecordAt(beta), kResultOk);
    // Offset 0 is the header; beta + 1 is inside a line; -5 is no place;
    // a place past the end is no oil.
    for (FileOffset bad : {FileOffset(0), beta + 1, FileOffset(-5), FileOffset(1) << 40}) {
        SCOPED_TRACE(bad);
        EXPECT_EQ(lib.SaveRecord(bad), kResultFailed);
        if (bad >= 0) {
            EXPECT_EQ(lib.DeleteRecord(bad), kResultFailed);
        }
        EXPECT_EQ(ReadBytes(path), ThreeOils());
        EXPECT_FALSE(lib.GetErrorText().empty());
    }
    // An empty record is not saved over an oil (it would remove it).
    lib.ClearFields();
    EXPECT_EQ(lib.SaveRecord(beta), kResultFailed);
    // Nor is a record whose fields are all empty (it would be a blank line).
    lib.SetFieldText("", 5);
    EXPECT_EQ(lib.GetFieldCount(), 5);
    EXPECT_EQ(lib.SaveRecord(kNewRecord), kResultFailed);
    // A record too long for one line is refused, not cut.
    lib.SetFieldText(std::string(5000, 'z'), 11);
    EXPECT_EQ(lib.SaveRecord(beta), kResultTooLong);
    EXPECT_EQ(lib.SaveRecord(kNewRecord), kResultTooLong);
    EXPECT_EQ(ReadBytes(path), ThreeOils());
    EXPECT_EQ(Ids(lib), (std::vector<std::string>{"A", "B", "C"}));
    EXPECT_EQ(std::vector<std::string>({"CustomLib"}), dir_.Names());

    // A file that is not a library is never rewritten.
    auto foreign = dir_ / "Foreign";
    WriteBytes(foreign, "some\tother\ttable\r\nrow\r\n");
    COilLibrary other = MakeLibrary(foreign);
    other.SetFieldText("x", 1);
    EXPECT_EQ(other.SaveRecord(kNewRecord), kResultNotLibrary);
    EXPECT_EQ(ReadBytes(foreign), "some\tother\ttable\r\nrow\r\n");
}

TEST_F(OilLibLibrary, RecordAtTheLineLimit) {
    auto path = dir_ / "CustomLib";
    COilLibrary lib = ThreeOilsAt(path);
    ASSERT_EQ(lib.LoadIndex(), kResultOk);
    // "Long" TAB "L" and nine more TABs up to field 11, its comment, CR LF:
    // 4095 bytes, the most a line holds.
    lib.ClearFields();
    lib.SetFieldText("Long", 1);
    lib.SetFieldText("L", 2);
    lib.SetFieldText(std::string(4078, 'c'), 11);
    ASSERT_EQ(lib.SaveRecord(kNewRecord), kResultOk) << lib.GetErrorText();
    const std::string saved = ReadBytes(path);
    ASSERT_EQ(saved.size(), ThreeOils().size() + 4095);  // the new date is as long as the old

    // Another object reads it back whole.
    COilLibrary fresh = MakeLibrary(path);
    ASSERT_EQ(fresh.LoadIndex(), kResultOk);
    ASSERT_EQ(Ids(fresh), (std::vector<std::string>{"A", "B", "C", "L"}));
    ASSERT_EQ(fresh.ReadRecordAt(FindOil(fresh, "L")->offset), kResultOk);
    EXPECT_EQ(fresh.GetLineLength(), 4095);
    EXPECT_EQ(fresh.GetField(11).size(), 4078u);

    // One byte more is refused, for a new oil and over the oil.
    fresh.SetFieldText(std::string(4079, 'c'), 11);
    EXPECT_EQ(fresh.SaveRecord(kNewRecord), kResultTooLong);
    EXPECT_EQ(fresh.SaveRecord(FindOil(fresh, "L")->offset), kResultTooLong);
    EXPECT_EQ(ReadBytes(path), saved);
    // Removing it and saving over its neighbour keep the others intact.
    ASSERT_EQ(fresh.DeleteRecord(FindOil(fresh, "L")->offset), kResultOk);
    EXPECT_EQ(ReadBytes(path), Header(kTodayText) + ColumnLine() + Oil("Alpha, Lab", "A") + Oil("Beta", "B") +
                                   Oil("Gamma", "C"));
}

TEST_F(OilLibLibrary, StaleOffsetsNeverSpliceTheFile) {
    auto path = dir_ / "CustomLib";
    WriteBytes(path, ThreeOils());
    // Two windows, each with its own library object on the same file.
    COilLibrary first = MakeLibrary(path), second = MakeLibrary(path);
    ASSERT_EQ(first.LoadIndex(), kResultOk);
    ASSERT_EQ(second.LoadIndex(), kResultOk);
    const FileOffset betaSeen = FindOil(second, "B")->offset;
    ASSERT_EQ(second.ReadRecordAt(betaSeen), kResultOk);

    // The first removes A: B and C move up.
    ASSERT_EQ(first.DeleteRecord(FindOil(first, "A")->offset), kResultOk);
    const std::string afterRemove = ReadBytes(path);

    // The second's offset of B now falls inside another line: refused.
    second.SetFieldText("Beta edited", 1);
    EXPECT_EQ(second.SaveRecord(betaSeen), kResultFailed);
    EXPECT_EQ(second.DeleteRecord(betaSeen), kResultFailed);
    EXPECT_EQ(ReadBytes(path), afterRemove);
    // Its index was brought up to date meanwhile.
    EXPECT_EQ(Ids(second), (std::vector<std::string>{"B", "C"}));

    // With fresh offsets the save goes through and keeps the first's change.
    ASSERT_EQ(second.ReadRecordAt(FindOil(second, "B")->offset), kResultOk);
    second.SetFieldText("Beta edited", 1);
    ASSERT_EQ(second.SaveRecord(FindOil(second, "B")->offset), kResultOk);
    EXPECT_EQ(Ids(second), (std::vector<std::string>{"B", "C"}));
    EXPECT_EQ(FindOil(second, "B")->name, "Beta edited");

    // The first sees the change at its next LoadIndex; an offset that is
    // still the same oil is accepted and the other window's oil is kept.
    ASSERT_EQ(first.LoadIndex(), kResultOk);
    EXPECT_EQ(FindOil(first, "B")->name, "Beta edited");
    ASSERT_EQ(second.ReadRecordAt(FindOil(second, "C")->offset), kResultOk);
    ASSERT_EQ(second.SaveRecord(kNewRecord), kResultOk);  // a copy of C appended
    ASSERT_EQ(first.ReadRecordAt(FindOil(first, "C")->offset), kResultOk);
    first.SetFieldText("Gamma edited", 1);
    const FileOffset gammaSeen = FindOil(first, "C")->offset;
    ASSERT_EQ(first.SaveRecord(gammaSeen), kResultOk);
    EXPECT_EQ(Ids(first), (std::vector<std::string>{"B", "C", "C"}));

    // A hand edit that moves the lines is caught the same way.
    COilLibrary third = MakeLibrary(path);
    ASSERT_EQ(third.LoadIndex(), kResultOk);
    const FileOffset cSeen = FindOil(third, "C")->offset;
    std::string edited = ReadBytes(path);
    edited.insert(static_cast<size_t>(FindOil(third, "B")->offset), "X\r\n");
    WriteBytes(path, edited);
    EXPECT_EQ(third.DeleteRecord(cSeen), kResultFailed);
    EXPECT_EQ(ReadBytes(path), edited);
}

TEST_F(OilLibLibrary, FailedWriteLeavesTheOldFileByteIdentical) {
    auto path = dir_ / "CustomLib";
    const std::string before = ThreeOils();
    COilLibrary lib = ThreeOilsAt(path);
    ASSERT_EQ(lib.LoadIndex(), kResultOk);
    const std::vector<std::string> idsBefore = Ids(lib);
    const FileOffset beta = FindOil(lib, "B")->offset;

    // A disk that fills up: the process may write no file past this size.
    int appended = kResultOk;
    {
        tavro_test::FileSizeLimit full(before.size() + 100);
        ASSERT_TRUE(full.Applied());
        lib.ClearFields();
        lib.SetFieldText("Big", 1);
        lib.SetFieldText("E", 2);
        lib.SetFieldText(std::string(500, 'c'), 11);
        appended = lib.SaveRecord(kNewRecord);
    }

    EXPECT_EQ(appended, kResultFailed);
    EXPECT_FALSE(lib.GetErrorText().empty());
    EXPECT_EQ(ReadBytes(path), before);
    EXPECT_EQ(Ids(lib), idsBefore);  // the index held before is kept
    EXPECT_EQ(FindOil(lib, "B")->offset, beta);
    for (const auto& name : dir_.Names()) EXPECT_TRUE(name == "CustomLib" || name == "CustomLib.bak") << name;

    // A failure of the final step (the rename), through the seam.
    int calls = 0;
    lib.SetReplaceFileFunction([&](const std::string& p, std::string_view contents, std::string* error) {
        ++calls;
        if (p == path) {
            if (error) *error = "injected rename failure";
            return false;
        }
        return platform::SafeReplaceFile(p, contents, error);
    });
    ASSERT_EQ(lib.ReadRecordAt(beta), kResultOk);
    lib.SetFieldText("Beta edited", 1);
    EXPECT_EQ(lib.SaveRecord(beta), kResultFailed);
    EXPECT_EQ(lib.DeleteRecord(beta), kResultFailed);
    EXPECT_GE(calls, 2);
    EXPECT_NE(lib.GetErrorText().find("injected"), std::string::npos);
    EXPECT_EQ(ReadBytes(path), before);
    EXPECT_EQ(Ids(lib), idsBefore);

    // Once writing works again the same save succeeds.
    lib.SetReplaceFileFunction(nullptr);
    EXPECT_EQ(lib.SaveRecord(beta), kResultOk);
    EXPECT_EQ(FindOil(lib, "B")->name, "Beta edited");
}

TEST_F(OilLibLibrary, CopyFieldsBetweenColumnOrders) {
    COilLibrary source = MakeLibrary(kFixtures + "reordered.lib");
    ASSERT_EQ(source.LoadIndex(), kResultOk);
    auto path = dir_ / "CustomLib";
    WriteBytes(path, Header() + ColumnLine());
    COilLibrary custom = MakeLibrary(path);
    ASSERT_EQ(custom.LoadIndex(), kResultOk);

    EXPECT_EQ(custom.CopyFieldsFrom(nullptr, 109), kResultOk);
    EXPECT_EQ(custom.GetFieldCount(), 0);
    EXPECT_EQ(custom.CopyFieldsFrom(&source, 0), kResultOk);
    EXPECT_EQ(custom.GetFieldCount(), 0);

    ASSERT_EQ(custom.CopyFieldsFrom(&source, (*source.GetIndex())[0].offset), kResultOk);
    custom.SetFieldText("C0000000100000002", custom.ColumnToField(COL_OIL_ID));
    ASSERT_EQ(custom.SaveRecord(kNewRecord), kResultOk);
    const SOilLibCell cell = (*custom.GetIndex())[0];
    EXPECT_EQ(cell.name, "Alpha Crude");
    EXPECT_EQ(cell.source, "Lab A");
    ASSERT_EQ(custom.ReadRecordAt(cell.offset), kResultOk);
    EXPECT_EQ(custom.GetField(custom.ColumnToField(COL_API)), "31.25");
    EXPECT_EQ(custom.GetField(custom.ColumnToField(COL_POUR_POINT_MIN)), "258.15");
    EXPECT_EQ(custom.GetField(custom.ColumnToField(COL_POUR_POINT_MAX)), "268.15");
    EXPECT_EQ(custom.GetField(custom.ColumnToField(COL_LOCATION)), "North Sea");
    EXPECT_EQ(custom.GetField(custom.ColumnToField(COL_OIL_NAME)), "Alpha Crude, Lab A");  // quotes removed
    EXPECT_EQ(custom.GetFieldCount(), kOilLibColumnCount);

    // Copying an oil of the same library onto itself (the copy command).
    ASSERT_EQ(custom.CopyFieldsFrom(&custom, cell.offset), kResultOk);
    custom.SetFieldText("C0000000100000003", custom.ColumnToField(COL_OIL_ID));
    ASSERT_EQ(custom.SaveRecord(kNewRecord), kResultOk);
    EXPECT_EQ(Ids(custom), (std::vector<std::string>{"C0000000100000002", "C0000000100000003"}));
}

TEST_F(OilLibLibrary, LoadIndexKeepsTheRecordOfAFileChangedOnDisk) {
    auto path = dir_ / "CustomLib";
    COilLibrary lib = ThreeOilsAt(path);
    ASSERT_EQ(lib.LoadIndex(), kResultOk);
    ASSERT_EQ(lib.ReadRecordAt(FindOil(lib, "B")->offset), kResultOk);
    WriteBytes(path, ThreeOils() + Oil("Delta", "D"));  // changed on disk
    ASSERT_EQ(lib.LoadIndex(), kResultOk);
    EXPECT_EQ(Ids(lib), (std::vector<std::string>{"A", "B", "C", "D"}));
    EXPECT_EQ(lib.GetField(1), "Beta");  // the record read before is still current
}

TEST_F(OilLibLibrary, ABackupComesBackOnlyWhenAsked) {
    auto path = dir_ / "CustomLib";
    const std::string bak = path + ".bak";
    const std::string twoOils = Header("03/04/2024") + ColumnLine() + Oil("Alpha", "A") + Oil("Beta", "B");

    // A missing and an empty file load as such, whatever the backup holds,
    // and stay as they are until RestoreBackup.
    for (const bool empty : {false, true}) {
        SCOPED_TRACE(empty ? "empty" : "missing");
        std::filesystem::remove(path);
        if (empty) WriteBytes(path, "");
        WriteBytes(bak, twoOils);
        COilLibrary lib = MakeLibrary(path);
        EXPECT_EQ(lib.LoadIndex(), empty ? kResultFailed : kResultMissing);
        EXPECT_EQ(lib.IsFileEmpty(), empty);
        EXPECT_EQ(std::filesystem::exists(path), empty);
        if (empty) {
            EXPECT_EQ(ReadBytes(path), "");
        }
        const std::optional<SBackupInfo> info = lib.ReadBackupInfo();
        ASSERT_TRUE(info);
        EXPECT_EQ(info->date, "03/04/2024");
        EXPECT_EQ(info->oils, 2u);

        ASSERT_EQ(lib.RestoreBackup(), kResultOk) << lib.GetErrorText();
        EXPECT_EQ(ReadBytes(path), twoOils);
        EXPECT_EQ(ReadBytes(bak), twoOils) << "the backup stays";
        EXPECT_EQ(Ids(lib), (std::vector<std::string>{"A", "B"}));
        // A file that holds something is never replaced by its backup.
        WriteBytes(bak, Header() + ColumnLine() + Oil("Other", "O"));
        EXPECT_EQ(lib.RestoreBackup(), kResultFailed);
        EXPECT_EQ(ReadBytes(path), twoOils);
    }

    // A backup that is no library, or none at all: nothing to offer.
    struct Case {
        const char* name;
        std::optional<std::string> backup;
    };
    const Case cases[] = {{"no backup", std::nullopt}, {"not a library", "my notes\r\n"}, {"empty", ""}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove(path);
        std::filesystem::remove(bak);
        if (c.backup) WriteBytes(bak, *c.backup);
        COilLibrary lib = MakeLibrary(path);
        EXPECT_EQ(lib.LoadIndex(), kResultMissing);
        EXPECT_FALSE(lib.ReadBackupInfo());
        EXPECT_EQ(lib.RestoreBackup(), kResultFailed);
        EXPECT_FALSE(lib.GetErrorText().empty());
        EXPECT_FALSE(std::filesystem::exists(path));
    }

    // A restore that cannot write leaves the file missing.
    std::filesystem::remove(path);
    WriteBytes(bak, twoOils);
    COilLibrary lib = MakeLibrary(path);
    lib.SetReplaceFileFunction([](const std::string&, std::string_view, std::string* error) {
        if (error) *error = "the disk is full";
        return false;
    });
    EXPECT_EQ(lib.RestoreBackup(), kResultFailed);
    EXPECT_NE(lib.GetErrorText().find("the disk is full"), std::string::npos) << lib.GetErrorText();
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_EQ(ReadBytes(bak), twoOils);
}

TEST_F(OilLibLibrary, ASaveIntoAFileGoneWhileListedKeepsItsBackup) {
    // Removed or emptied while a window lists its oils, with the oils in the
    // backup: a save is refused, so that the next save cannot put a file
    // without them in the backup's place. Without a backup the save starts
    // the file anew (RecreatedFileGetsTheRecordInTableOrder).
    auto path = dir_ / "CustomLib";
    const std::string twoOils = Header() + ColumnLine() + Oil("Alpha", "A") + Oil("Beta", "B");
    for (const bool emptied : {false, true}) {
        SCOPED_TRACE(emptied ? "emptied" : "removed");
        WriteBytes(path, twoOils);
        WriteBytes(dir_ / "CustomLib.bak", twoOils);
        COilLibrary lib = MakeLibrary(path);
        ASSERT_EQ(lib.LoadIndex(), kResultOk);
        if (emptied) WriteBytes(path, "");
        else std::filesystem::remove(path);
        lib.ClearFields();
        lib.SetFieldText("Delta", 1);
        lib.SetFieldText("D", 2);
        EXPECT_EQ(lib.SaveRecord(kNewRecord), kResultFailed);
        EXPECT_NE(lib.GetErrorText().find("open the list again"), std::string::npos) << lib.GetErrorText();
        EXPECT_EQ(std::filesystem::exists(path), emptied);
        EXPECT_EQ(ReadBytes(lib.GetBackupPath()), twoOils);
    }
}

TEST_F(OilLibLibrary, StaleOffsetWithAnUnchangedStampIsRefused) {
    // A file changed in place to the same size and time stamp: the index
    // looks current, and the old offset now falls on the LF of a CR LF
    // pair, just after a line end. It is no line start and is refused.
    auto path = dir_ / "CustomLib";
    const std::string head = Header() + ColumnLine();
    const std::string before = head + "Aaaa\tA\r\n" + "Nm\r\n";  // "Nm" has no id
    WriteBytes(path, before);
    COilLibrary lib = MakeLibrary(path);
    ASSERT_EQ(lib.LoadIndex(), kResultOk);
    const FileOffset nm = (*lib.GetIndex())[1].offset;
    ASSERT_EQ(nm, static_cast<FileOffset>(head.size() + 8));
    const auto stamp = std::filesystem::last_write_time(path);
    const std::string after = head + "Aaaaa\tA\r\n" + "Zz\n";
    ASSERT_EQ(after.size(), before.size());
    {
        std::fstream f(path, std::ios::in | std::ios::out | std::ios::binary);  // same file, same inode
        f.write(after.data(), static_cast<std::streamsize>(after.size()));
    }
    std::filesystem::last_write_time(path, stamp);
    EXPECT_EQ(lib.DeleteRecord(nm), kResultFailed);
    lib.ClearFields();
    lib.SetFieldText("New", 1);
    EXPECT_EQ(lib.SaveRecord(nm), kResultFailed);
    EXPECT_EQ(ReadBytes(path), after);
}

TEST(OilLibShipped, StandardLibraryLoadsAndEveryOilReads) {
    const std::filesystem::path path = std::string(TAVRO_BUILD_DATA_DIR) + "/OilLib";
    COilLibrary lib(path, OilLibColumnNames, kOilLibColumnCount);
    ASSERT_EQ(lib.LoadIndex(), kResultOk) << lib.GetErrorText();
    EXPECT_EQ(lib.GetVersion(), "1.0");
    EXPECT_EQ(lib.GetDate().size(), 10u);
    ASSERT_NE(lib.GetIndex(), nullptr);
    const std::vector<SOilLibCell> cells = *lib.GetIndex();
    EXPECT_EQ(cells.size(), 43u);
    std::set<std::string> ids;
    for (int c = 1; c <= kOilLibColumnCount; ++c) EXPECT_EQ(lib.ColumnToField(c), c);  // table order
    for (const auto& cell : cells) {
        SCOPED_TRACE(cell.name);
        ASSERT_EQ(lib.ReadRecordAt(cell.offset), kResultOk);
        EXPECT_EQ(lib.GetField(COL_OIL_ID).substr(0, 19), cell.oilId);
        EXPECT_FALSE(cell.oilId.empty());
        EXPECT_TRUE(ids.insert(cell.oilId).second);
        EXPECT_FALSE(cell.name.empty());
        EXPECT_EQ(cell.source, "ECCC ESTS 2021");
        // API, or else a fresh density, for every oil.
        if (cell.apiText.empty()) {
            EXPECT_EQ(cell.apiKey, 9999.0f);
            EXPECT_GT(lib.GetFieldNumber(24, 1, 1), 500.0);
        } else {
            const double api = lib.GetFieldNumber(COL_API, 1, 1);
            EXPECT_GE(api, 6.0);
            EXPECT_LE(api, 100.0);
        }
        const std::string type = lib.GetFieldTextLower(10);
        EXPECT_TRUE(type == "crude" || type == "refined") << type;
        EXPECT_LE(lib.GetFieldCount(), kOilLibColumnCount);
    }
}
