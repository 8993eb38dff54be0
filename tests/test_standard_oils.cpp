// The standard oils dialog without its window: the list, the checks of
// Select and what Select writes into the scenario, on fixture libraries made
// from the shipped library's own records, and on the shipped library whole.
#include "ui/oils/rules/OilInfoTexts.h"
#include "ui/oils/rules/OilListModel.h"
#include "ui/oils/rules/StandardOilsRules.h"

#include <gtest/gtest.h>

#include <array>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "document/Derive.h"
#include "document/SpillDoc.h"
#include "model/UnitConversion.h"
#include "oillib/OilLibrary.h"
#include "platform/Files.h"
#include "platform/TextCut.h"
#include "test_document_helpers.h"
#include "test_shipped_library.h"

namespace {

using document::SpillDocCore;
using platform::MsgIcon;

constexpr document::Time kStart = 1707141600;  // 2024-02-05 14:00 UTC

using oil_test::ShippedLibrary;

// A document on one library file, its Standard Oils command running the
// dialog's rules: Select on the row named `pick` (or the first row).
struct OilFixture : document_test::FakePorts {
    explicit OilFixture(const std::string& path)
        : FakePorts(kStart), lib(path, oillib::OilLibColumnNames, oillib::kOilLibColumnCount) {
        doc = std::make_unique<SpillDocCore>(document::OilLibraries{&lib, nullptr}, Ports());
        EXPECT_EQ(lib.LoadIndex(), 0);
    }
    // Selects the oil whose list name is name; the result of the check.
    std::optional<ui::CheckResult> Select(const std::string& name) {
        ui::StandardOilsRules rules(*doc);
        rules.Load();
        for (std::size_t r = 0; r < rules.List().Size(); ++r)
            if (rules.List().Rows()[r].name == name) return rules.Select({static_cast<int>(r)});
        ADD_FAILURE() << "no row " << name;
        return std::nullopt;
    }
    document_test::ZoneScope utc{"UTC"};
    oillib::COilLibrary lib;
    std::unique_ptr<SpillDocCore> doc;
};

TEST(StandardOils, SelectWritesTheOilTextsAndRecordOfARealOil) {
    ShippedLibrary shipped;
    tavro_test::TempDir dir;
    OilFixture f(shipped.Write(dir, {shipped.Record("Green Canyon Block 200")}));
    const auto result = f.Select("Green Canyon Block 200");
    ASSERT_TRUE(result && result->ok());
    const document::Scenario& s = f.doc->scenario;

    struct Text {
        const char* name;
        std::string actual;
        const char* expected;
    };
    const Text texts[] = {
        {"OilLibDate", s.OilLibDate, "12/10/2026"},
        {"OilTavroID", s.OilTavroID, "ST0013"},
        {"OilName", s.OilName, "Green Canyon Block 200, ECCC ESTS 2021"},
        {"Location", s.Location, "Gulf of Mexico, USA"},
        {"Synonyms", s.Synonyms, "none listed"},
        {"ProductType", s.ProductType, "crude"},
        {"API", s.API, "33.9"},
        {"Adhesion", s.Adhesion, "11.00"},
        {"Aromatics", s.Aromatics, "10"},
        {"PourPoint", s.PourPoint, "-11 deg C"},
        {"FlashPoint", s.FlashPoint, "less than 0 deg C"},
        {"InputOil.name (31 bytes)", s.oil.name, "Green Canyon Block 200, ECCC ES"},
        {"InputOil.productType", s.oil.productType, "crude"},
    };
    for (const Text& t : texts) EXPECT_EQ(t.actual, t.expected) << t.name;

    // Library numbers are single precision: 850.1 reaches the model as the
    // float nearest to it.
    struct Number {
        const char* name;
        double actual;
        double expected;
    };
    const model::InputOil& o = s.oil;
    const Number numbers[] = {
        {"api", o.api, 33.900001525878906},
        {"asphalt", o.asphalt, 0.0080000003799796104},
        {"benzene", o.benzene, 0.0009899999713525176},
        {"waterContent", o.waterContent, 0.77999997138977051},
        {"nickel (empty)", o.nickel, -999},
        {"vanadium (empty)", o.vanadium, -999},
        {"viscMultiplier (empty)", o.viscMultiplier, -999},
        {"waterUptakeRate (empty)", o.waterUptakeRate, -999},
        {"bullwinkle (empty)", o.bullwinkle, -999},
        {"bulltime", o.bulltime, -999},
        {"rhoRef_value[0]", o.rhoRef_value[0], 850.0999755859375},
        {"rhoRef_temp[0]", o.rhoRef_temp[0], 288.14999389648438},
        {"rhoRef_fevap[3]", o.rhoRef_fevap[3], 0.30700001120567322},
        {"viscRef_value[0] (empty)", o.viscRef_value[0], -999},
        {"dyViscRef_value[0]", o.dyViscRef_value[0], 0.010999999940395355},
        {"dyViscRef_value[1]", o.dyViscRef_value[1], 0.024599999189376831},
        {"dyViscRef_fevap[3]", o.dyViscRef_fevap[3], 0.19099999964237213},
        {"dist_temp[0]", o.dist_temp[0], 313.14999389648438},
        {"dist_frac[0]", o.dist_frac[0], 0.019999999552965164},
        {"dist_volumeFrac (weight)", static_cast<double>(o.dist_volumeFrac), 0},
    };
    for (const Number& n : numbers) EXPECT_EQ(n.actual, n.expected) << n.name;

    EXPECT_EQ(s.OilIndex, static_cast<int>((*f.lib.GetIndex())[0].offset));
    EXPECT_EQ(f.doc->session.m_bStandardOil, 1);
    EXPECT_EQ(f.doc->session.m_bChanged[document::ChangedOil], 1);
    EXPECT_TRUE(f.messages.Entries().empty());
}

TEST(StandardOils, SelectTakesEveryFieldFromItsColumn) {
    // A probe record: every cell holds its own column number, so each field
    // of the model's oil record shows which column it was read from.
    ShippedLibrary shipped;
    std::vector<std::string> probe = shipped.Empty();
    for (int c = 1; c <= oillib::kOilLibColumnCount; ++c) shipped.Set(probe, c, std::to_string(c));
    tavro_test::TempDir dir;
    OilFixture f(shipped.Write(dir, {probe}));
    const auto result = f.Select("1");
    ASSERT_TRUE(result && result->ok());
    const model::InputOil& o = f.doc->scenario.oil;
    struct Field {
        std::string name;
        double value;
        int column;
    };
    std::vector<Field> fields = {{"api", o.api, 7},
                                 {"asphalt", o.asphalt, 12},
                                 {"benzene", o.benzene, 144},
                                 {"nickel", o.nickel, 153},
                                 {"vanadium", o.vanadium, 154},
                                 {"viscMultiplier", o.viscMultiplier, 152},
                                 {"waterContent", o.waterContent, 15},
                                 {"waterUptakeRate", o.waterUptakeRate, 159},
                                 {"bullwinkle", o.bullwinkle, 17}};
    for (int i = 0; i < 4; ++i) {
        const std::string n = "[" + std::to_string(i) + "]";
        fields.push_back({"rhoRef_value" + n, o.rhoRef_value[i], 24 + 3 * i});
        fields.push_back({"rhoRef_temp" + n, o.rhoRef_temp[i], 25 + 3 * i});
        fields.push_back({"rhoRef_fevap" + n, o.rhoRef_fevap[i], 26 + 3 * i});
    }
    for (int i = 0; i < 6; ++i) {
        const std::string n = "[" + std::to_string(i) + "]";
        fields.push_back({"viscRef_value" + n, o.viscRef_value[i], 36 + 3 * i});
        fields.push_back({"viscRef_temp" + n, o.viscRef_temp[i], 37 + 3 * i});
        fields.push_back({"viscRef_fevap" + n, o.viscRef_fevap[i], 38 + 3 * i});
        fields.push_back({"dyViscRef_value" + n, o.dyViscRef_value[i], 54 + 3 * i});
        fields.push_back({"dyViscRef_temp" + n, o.dyViscRef_temp[i], 55 + 3 * i});
        fields.push_back({"dyViscRef_fevap" + n, o.dyViscRef_fevap[i], 56 + 3 * i});
    }
    for (int i = 0; i < 15; ++i) {
        const std::string n = "[" + std::to_string(i) + "]";
        fields.push_back({"dist_temp" + n, o.dist_temp[i], 72 + 3 * i});
        fields.push_back({"dist_frac" + n, o.dist_frac[i], 74 + 3 * i});
    }
    for (const Field& field : fields) EXPECT_NEAR(field.value, field.column, 1e-3) << field.name;
    EXPECT_EQ(o.bulltime, -999);
    EXPECT_EQ(o.dist_volumeFrac, 1) << "cut units \"117\" are not weight";

    const document::Scenario& s = f.doc->scenario;
    EXPECT_EQ(s.OilTavroID, "2");
    EXPECT_EQ(s.Location, "3");
    EXPECT_EQ(s.Synonyms, "5");
    EXPECT_EQ(s.ProductType, "10");
    EXPECT_EQ(s.API, "7.0");
    EXPECT_EQ(s.Adhesion, "143.00");
    EXPECT_EQ(s.Aromatics, "1400");
}

TEST(StandardOils, AccentedTextsAreCutBetweenCharacters) {
    // Limits (name and location 31 bytes, source 15, id 19, the
    // scenario's oil name 31) that fall inside a 2-, 3- or 4-byte UTF-8
    // character cut before it; a character that fits stays whole.
    const std::string e2 = "\xC3\xA9";            // é
    const std::string o2 = "\xC3\x96";            // Ö
    const std::string euro = "\xE2\x82\xAC";      // €
    const std::string drum = "\xF0\x9F\x9B\xA2";  // a 4-byte sign
    auto n = [](int count, char c) { return std::string(static_cast<std::size_t>(count), c); };
    struct Case {
        const char* name;
        std::string column1, location;
        std::string listName, source, listLocation, oilName;  // expected
        std::string id = "ID-1", listId = "ID-1";
    };
    const std::vector<Case> cases = {
        {"name: 2-byte letter across 31", "P" + e2 + "trole " + n(21, 'a') + e2 + "x, Labo", "Bergen",
         "P" + e2 + "trole " + n(21, 'a'), "Labo", "Bergen", "P" + e2 + "trole " + n(21, 'a')},
        {"source: 3-byte sign across 15", "Diesel, " + n(13, 'b') + euro + "x", "Oslo", "Diesel", n(13, 'b'), "Oslo",
         "Diesel, " + n(13, 'b') + euro + "x"},
        {"location: 4-byte sign across 31", "Tank oil, Lab", n(28, 'c') + drum + "x", "Tank oil", "Lab", n(28, 'c'),
         "Tank oil, Lab"},
        {"scenario name: 3-byte sign across 31", n(20, 'd') + ", " + n(7, 'b') + euro + "x", "Rome", n(20, 'd'),
         n(7, 'b') + euro + "x", "Rome", n(20, 'd') + ", " + n(7, 'b')},
        {"both: 4-byte sign across 31", o2 + "l " + n(24, 'e') + drum + ", Lab", "Kiel", o2 + "l " + n(24, 'e'), "Lab",
         "Kiel", o2 + "l " + n(24, 'e')},
        {"a letter that fits exactly", n(29, 'f') + e2 + ", Lab", "Paris", n(29, 'f') + e2, "Lab", "Paris",
         n(29, 'f') + e2},
        {"id: 2-byte letter across 19", "Id oil, Lab", "Lima", "Id oil", "Lab", "Lima", "Id oil, Lab",
         "ID-" + n(15, 'g') + e2, "ID-" + n(15, 'g')},
    };
    ShippedLibrary shipped;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::string> record = shipped.Record("Green Canyon Block 200");
        shipped.Set(record, 1, c.column1);
        shipped.Set(record, 3, c.location);
        shipped.Set(record, 2, c.id);
        tavro_test::TempDir dir;
        OilFixture f(shipped.Write(dir, {record}));
        ASSERT_NE(f.lib.GetIndex(), nullptr);
        const oillib::SOilLibCell& cell = f.lib.GetIndex()->at(0);
        EXPECT_EQ(cell.name, c.listName);
        EXPECT_EQ(cell.source, c.source);
        EXPECT_EQ(cell.location, c.listLocation);
        EXPECT_EQ(cell.oilId, c.listId);
        for (const std::string* text : {&cell.name, &cell.source, &cell.location, &cell.oilId})
            EXPECT_TRUE(platform::IsUtf8(*text)) << *text;

        const auto result = f.Select(c.listName);
        ASSERT_TRUE(result && result->ok());
        const document::Scenario& s = f.doc->scenario;
        EXPECT_EQ(s.OilName, c.column1) << "the scenario's text keeps it whole";
        EXPECT_EQ(std::string(s.oil.name), c.oilName);
        EXPECT_TRUE(platform::IsUtf8(s.oil.name));
    }
}

TEST(StandardOils, AnOilWithOnlyADensityTakesEveryDefault) {
    ShippedLibrary shipped;
    std::vector<std::string> sparse = shipped.Empty();
    shipped.Set(sparse, 24, shipped.Record("Green Canyon Block 200").at(shipped.fieldOf.at(24)));
    tavro_test::TempDir dir;
    OilFixture f(shipped.Write(dir, {sparse}, "1.0\t\ttavro"));
    ui::StandardOilsRules rules(*f.doc);
    ASSERT_EQ(rules.Load().row, 0);
    const auto result = rules.Select({0});
    ASSERT_TRUE(result && result->ok()) << "a first density stands in for the API";
    const document::Scenario& s = f.doc->scenario;
    EXPECT_EQ(s.OilLibDate, "");
    EXPECT_EQ(s.OilTavroID, "unknown");
    EXPECT_EQ(s.OilName, "none");
    EXPECT_EQ(s.Location, "none listed");
    EXPECT_EQ(s.Synonyms, "none listed");
    EXPECT_EQ(s.ProductType, "unknown");
    EXPECT_EQ(s.API, "--");
    EXPECT_EQ(s.Adhesion, "unknown");
    EXPECT_EQ(s.Aromatics, "unknown");
    EXPECT_EQ(s.PourPoint, "unknown");
    EXPECT_EQ(s.FlashPoint, "unknown");
    EXPECT_STREQ(s.oil.name, "none");
    EXPECT_STREQ(s.oil.productType, "unknown");
    model::InputOil expected;  // every number missing but the density
    std::copy_n("none", 5, expected.name);
    std::copy_n("unknown", 8, expected.productType);
    expected.rhoRef_value[0] = 850.0999755859375;
    expected.rhoRef_fevap[0] = expected.rhoRef_fevap[1] = expected.rhoRef_fevap[2] = expected.rhoRef_fevap[3] = -999;
    for (int i = 0; i < 6; ++i) expected.viscRef_fevap[i] = expected.dyViscRef_fevap[i] = -999;
    EXPECT_TRUE(s.oil == expected);
}

TEST(StandardOils, SelectRefusesABadRecordAndLeavesTheScenarioAlone) {
    ShippedLibrary shipped;
    struct Case {
        const char* name;
        const char* api;
        bool density;
        const char* refusal;  // nullptr: accepted
    };
    const Case cases[] = {
        {"API 6", "6", true, nullptr},
        {"API 100", "100", true, nullptr},
        {"API 5.99", "5.99", true, ui::kApiRangeText},
        {"API 100.5", "100.5", true, ui::kApiRangeText},
        {"API -3", "-3", true, ui::kApiRangeText},
        {"API not a number", "heavy", true, ui::kApiRangeText},
        {"no API, a density", "", true, nullptr},
        {"no API, no density", "", false, ui::kNoApiNorDensityText},
        {"API 100, no density", "100", false, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::string> rec = shipped.Record("Green Canyon Block 200");
        shipped.Set(rec, 7, c.api);
        if (!c.density) shipped.Set(rec, 24, "");
        tavro_test::TempDir dir;
        OilFixture f(shipped.Write(dir, {shipped.Record("Diesel [2002]"), rec}));
        ASSERT_TRUE(f.Select("Diesel [2002]")->ok());
        const document::Scenario before = f.doc->scenario;
        f.doc->session.m_bStandardOil = 0;  // as after a custom oil
        const document::SessionState customSession = f.doc->session;

        const auto result = f.Select("Green Canyon Block 200");
        ASSERT_TRUE(result.has_value());
        if (c.refusal) {
            ASSERT_FALSE(result->ok());
            EXPECT_EQ(result->refusal->text, c.refusal);
            EXPECT_EQ(result->refusal->icon, MsgIcon::Stop);
            EXPECT_TRUE(f.doc->scenario == before);
            EXPECT_TRUE(f.doc->session == customSession);
        } else {
            EXPECT_TRUE(result->ok());
            EXPECT_EQ(f.doc->scenario.API, c.api[0] ? std::string(c.api) + ".0" : "--");
            EXPECT_EQ(f.doc->session.m_bStandardOil, 1);
        }
    }
}

TEST(StandardOils, SelectFormsTextsByUnitCaseAndCutUnits) {
    ShippedLibrary shipped;
    struct Case {
        const char* name;
        const char* oil;
        bool fahrenheit;
        std::map<int, std::string> cells;
        std::string pourPoint, flashPoint, productType;
        int volumeFrac;
    };
    const Case cases[] = {
        {"deg C", "Green Canyon Block 200", false, {}, "-11 deg C", "less than 0 deg C", "crude", 0},
        {"deg F", "Green Canyon Block 200", true, {}, "12 deg F", "less than 32 deg F", "crude", 0},
        {"pour point below", "Access West Blend Winter", false, {}, "less than -25 deg C", "less than -5 deg C",
         "crude", 1},
        {"pour point above", "Green Canyon Block 200", false, {{8, ">"}}, "greater than -11 deg C",
         "less than 0 deg C", "crude", 0},
        {"pour point range", "Green Canyon Block 200", false, {{8, "258.15"}}, "-15 to -11 deg C",
         "less than 0 deg C", "crude", 0},
        {"capitalised type and cut units", "Diesel [2002]", false, {{10, "Refined"}, {117, "Weight"}}, "-50 deg C",
         "54 deg C", "refined", 0},
        {"volume cut units", "Diesel [2002]", false, {{117, "volume"}}, "-50 deg C", "54 deg C", "refined", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::string> rec = shipped.Record(c.oil);
        for (const auto& [column, text] : c.cells) shipped.Set(rec, column, text);
        tavro_test::TempDir dir;
        OilFixture f(shipped.Write(dir, {rec}));
        f.doc->scenario.selF = c.fahrenheit ? 1 : 0;
        ASSERT_TRUE(f.Select(c.oil)->ok());
        const document::Scenario& s = f.doc->scenario;
        EXPECT_EQ(s.PourPoint, c.pourPoint);
        EXPECT_EQ(s.FlashPoint, c.flashPoint);
        EXPECT_EQ(s.ProductType, c.productType);
        EXPECT_EQ(std::string(s.oil.productType), c.productType);
        EXPECT_EQ(s.oil.dist_volumeFrac, c.volumeFrac);
    }
}

TEST(StandardOils, UnreadableRecordIsReportedAndNothingWritten) {
    ShippedLibrary shipped;
    tavro_test::TempDir dir;
    const std::string path = shipped.Write(dir, {shipped.Record("Diesel [2002]"), shipped.Record("Hibernia")});
    OilFixture f(path);
    ui::StandardOilsRules rules(*f.doc);
    rules.Load();
    const document::Scenario before = f.doc->scenario;
    // The file loses its oils after the list was built.
    shipped.Write(dir, {});
    const auto result = rules.Select({0});
    ASSERT_TRUE(result && !result->ok());
    EXPECT_EQ(result->refusal->text.rfind("Unable to read the Oil Library\n\n", 0), 0u) << result->refusal->text;
    EXPECT_TRUE(f.doc->scenario == before);
    EXPECT_FALSE(rules.OilInfo({0}).check.ok());
    EXPECT_FALSE(rules.OilInfo({0}).texts.has_value());
}

TEST(StandardOils, NoSelectionOrNoLibraryDoesNothing) {
    ShippedLibrary shipped;
    tavro_test::TempDir dir;
    OilFixture f(shipped.Write(dir, {shipped.Record("Diesel [2002]")}));
    ui::StandardOilsRules rules(*f.doc);
    rules.Load();
    const document::Scenario before = f.doc->scenario;
    EXPECT_FALSE(rules.Select({-1}).has_value());
    EXPECT_FALSE(rules.Select({5}).has_value());
    EXPECT_FALSE(rules.OilInfo({-1}).texts.has_value());
    EXPECT_TRUE(rules.OilInfo({-1}).check.ok());
    EXPECT_TRUE(f.doc->scenario == before);

    document_test::FakePorts ports(kStart);
    SpillDocCore bare(document::OilLibraries{}, ports.Ports());
    ui::StandardOilsRules none(bare);
    EXPECT_EQ(none.Load().row, -1);
    EXPECT_FALSE(none.Select({0}).has_value());
}

TEST(StandardOils, PickModeChecksWithoutWriting) {
    ShippedLibrary shipped;
    tavro_test::TempDir dir;
    OilFixture f(shipped.Write(dir, {shipped.Record("Diesel [2002]")}));
    ui::StandardOilsRules rules(*f.doc, ui::StandardOilsRules::Mode::Pick);
    const document::Scenario before = f.doc->scenario;
    const auto result = rules.Select(rules.Load());
    ASSERT_TRUE(result && result->ok());
    EXPECT_TRUE(f.doc->scenario == before);
    EXPECT_EQ(rules.Chosen(), (*f.lib.GetIndex())[0].offset);
    EXPECT_EQ(f.lib.GetFieldText(f.lib.ColumnToField(2)), "ST0037") << "the chosen oil is the current record";
}

TEST(StandardOils, ListSortsByAnyColumnAscendingAndPreselects) {
    ShippedLibrary shipped;
    std::vector<std::vector<std::string>> records;
    for (const char* name : {"Hibernia", "Diesel [2002]", "IFO 180", "Fuel Oil # 5", "Troll"})
        records.push_back(shipped.Record(name));
    shipped.Set(records[4], 1, "troll, lower case");  // mixed case sorts without case
    tavro_test::TempDir dir;
    OilFixture f(shipped.Write(dir, records));
    const auto& index = *f.lib.GetIndex();

    ui::OilListModel list(&index);
    auto column = [&](int c) {
        std::vector<std::string> out;
        for (std::size_t r = 0; r < list.Size(); ++r) out.push_back(list.Text(r, c));
        return out;
    };
    struct Case {
        const char* name;
        int column;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {"name on opening", -1, {"Diesel [2002]", "Fuel Oil # 5", "Hibernia [2018]", "IFO 180", "troll"}},
        {"API as text", ui::OilListModel::ColApi, {"11.6", "14.7", "27.6", "32.6", "37.5"}},
        {"API again keeps the order", ui::OilListModel::ColApi, {"11.6", "14.7", "27.6", "32.6", "37.5"}},
        {"name", ui::OilListModel::ColName, {"Diesel [2002]", "Fuel Oil # 5", "Hibernia [2018]", "IFO 180", "troll"}},
        {"location, empty first, equal kept", ui::OilListModel::ColLocation,
         {"", "", "", "Newfoundland & Labrador, Canada", "North Sea, Norway"}},
        {"reference", ui::OilListModel::ColReference,
         {"ECCC ESTS 2021", "ECCC ESTS 2021", "ECCC ESTS 2021", "ECCC ESTS 2021", "lower case"}},
    };
    for (const Case& c : cases) {
        if (c.column >= 0) list.SortBy(c.column);
        EXPECT_EQ(column(c.column < 0 ? 0 : c.column), c.expected) << c.name;
    }
    // Rows with equal texts keep the order they had: after the sorts by
    // name, location and reference the oils without a location lead, in
    // name order.
    EXPECT_EQ(column(ui::OilListModel::ColName),
              (std::vector<std::string>{"Diesel [2002]", "Fuel Oil # 5", "IFO 180", "Hibernia [2018]", "troll"}));

    // Preselection: the scenario's standard oil, else row 0.
    ui::OilListModel byName(&index);
    const oillib::FileOffset ifo = index[2].offset;
    struct Pre {
        const char* name;
        bool standard;
        oillib::FileOffset oilIndex;
        int row;
    };
    const Pre pres[] = {
        {"standard oil in the list", true, ifo, 3},
        {"custom oil", false, ifo, 0},
        {"offset of no oil", true, ifo + 1, 0},
        {"no oil yet", true, 0, 0},
    };
    for (const Pre& p : pres) EXPECT_EQ(byName.InitialRow(p.standard, p.oilIndex), p.row) << p.name;
    EXPECT_EQ(ui::OilListModel(nullptr).InitialRow(true, ifo), -1);

    // The dialog's form follows the selected oil through a sort.
    f.doc->scenario.OilIndex = static_cast<int>(ifo);
    ui::StandardOilsRules again(*f.doc);
    ui::StandardOilsForm form = again.Load();
    EXPECT_EQ(form.row, 3);
    form = again.SortBy(ui::OilListModel::ColApi, form);
    EXPECT_EQ(again.List().Rows()[static_cast<std::size_t>(form.row)].offset, ifo);
    EXPECT_EQ(form.row, 1);
}

TEST(StandardOils, EveryShippedOilSelectsAndSolves) {
    OilFixture f(document_test::StandardLibraryPath());
    SpillDocCore& d = *f.doc;
    ASSERT_TRUE(oil_test::EnterAllButTheOil(d));

    const std::size_t count = f.lib.GetIndex()->size();
    ASSERT_GT(count, 40u);
    for (std::size_t r = 0; r < count; ++r) {
        ui::StandardOilsRules rules(d);
        rules.Load();
        const std::string name = rules.List().Rows()[r].name;
        SCOPED_TRACE(name);
        f.dialogs.dialogs[document::DialogKind::StandardOils] = [&](SpillDocCore&) {
            const auto result = rules.Select({static_cast<int>(r)});
            EXPECT_TRUE(result && result->ok()) << (result && result->refusal ? result->refusal->text : "no row");
            return result && result->ok();
        };
        // Cleared for each oil, so the check below sees this selection.
        d.scenario.m_bOilInputPassed = 0;
        d.SelectStandardOil();
        ASSERT_EQ(d.scenario.m_bOilInputPassed, 1);
        f.messages.Clear();
        EXPECT_TRUE(d.Solve()) << (f.messages.Entries().empty() ? "" : f.messages.Entries()[0].text);
    }
}

// ---- The information sheet's texts ----

// The sheet's texts of the first oil of a library file.
ui::OilInfoTexts InfoOf(const std::string& path) {
    OilFixture f(path);
    ui::StandardOilsRules rules(*f.doc);
    const ui::StandardOilsRules::Info info = rules.OilInfo(rules.Load());
    EXPECT_TRUE(info.check.ok());
    return info.texts.value_or(ui::OilInfoTexts{});
}

TEST(OilInfoTexts, RealOilShowsEveryPage) {
    ShippedLibrary shipped;
    tavro_test::TempDir dir;
    const ui::OilInfoTexts t = InfoOf(shipped.Write(dir, {shipped.Record("Green Canyon Block 200")}));
    using A4 = std::array<std::string, 4>;
    using A6 = std::array<std::string, 6>;
    struct Case {
        const char* name;
        std::string actual;
        std::string expected;
    };
    const Case cases[] = {
        {"name", t.name, "Green Canyon Block 200, ECCC ESTS 2021"},
        {"version", t.version, "library version  1.0      12/10/2026"},
        {"TAVRO ID", t.tavroId, "ST0013"},
        {"oil class", t.oilClass, "unknown"},
        {"product type", t.productType, "crude"},
        {"location", t.location, "Gulf of Mexico, USA"},
        {"field name", t.fieldName, "none listed"},
        {"synonyms", t.synonyms, "none listed"},
        {"reference", t.reference.substr(0, 9), "ECCC ESTS"},
        {"comments", t.comments.substr(0, 34), "ECCC name Green Canyon Block 200; "},
        {"API", t.api, "33.9"},
        {"pour point", t.pourPoint, "-11 deg C"},
        {"viscosity kind", t.viscosityKind, "Dynamic (cP)"},
        {"cut header", t.cutHeader, "Weight %"},
        {"cut 1", t.cutPercent[0] + " " + t.cutTemp[0], "2 40 deg C"},
        {"cut 15", t.cutPercent[14] + " " + t.cutTemp[14], "75 500 deg C"},
        {"adhesion", t.adhesion, "11.00 g/m2"},
        {"nickel", t.nickel, "--"},
        {"vanadium", t.vanadium, "--"},
        {"aromatics", t.aromatics, "10"},
        {"asphaltenes", t.asphaltenes, "1"},
        {"benzene", t.benzene, "0"},
        {"naphthenes", t.naphthenes, "--"},
        {"resins", t.resins, "7"},
        {"saturates", t.saturates, "82"},
        {"sulfur", t.sulfur, "1"},
        {"wax", t.wax, "2"},
        {"water content", t.waterContent, "78.0 %"},
        {"emulsion constant", t.emulsionConstant, "--"},
        {"flash point", t.flashPoint, "less than 0 deg C"},
        {"oil-water tension", t.oilWaterTension, "27.10 at 15 deg C"},
        {"oil-seawater tension", t.oilSeawaterTension, "24.20 at 15 deg C"},
    };
    for (const Case& c : cases) EXPECT_EQ(c.actual, c.expected) << c.name;
    EXPECT_EQ(t.density, (A4{"0.8501", "0.8612", "0.8876", "0.9071"}));
    EXPECT_EQ(t.densityTemp, (A4{"15", "0", "15", "15"}));
    EXPECT_EQ(t.densityEvaporated, (A4{"0", "0", "19", "31"}));
    EXPECT_EQ(t.viscosity, (A6{"11.00", "24.60", "22.00", "39.00", "120.00", "45.40"}));
    EXPECT_EQ(t.viscosityTemp, (A6{"15", "0", "15", "15", "15", "0"}));
    EXPECT_EQ(t.viscosityEvaporated, (A6{"0", "0", "12", "19", "31", "12"}));
}

TEST(OilInfoTexts, EmptyCellsShowTheDefaults) {
    // An oil line with no cell but its first density (an oil line needs one
    // cell), in a library without a date.
    ShippedLibrary shipped;
    std::vector<std::string> sparse = shipped.Empty();
    shipped.Set(sparse, 24, "850.1");
    tavro_test::TempDir dir;
    const ui::OilInfoTexts t = InfoOf(shipped.Write(dir, {sparse}, "1.0\t\ttavro"));
    EXPECT_EQ(t.name, "none");
    EXPECT_EQ(t.version, "library version  1.0      ");
    const std::pair<const char*, std::string> general[] = {
        {"--", t.tavroId},           {"unknown", t.oilClass}, {"unknown", t.productType}, {"none listed", t.location},
        {"none listed", t.fieldName}, {"none listed", t.synonyms}, {"none", t.reference},  {"none", t.comments}};
    for (const auto& [expected, actual] : general) EXPECT_EQ(actual, expected);
    EXPECT_EQ(t.viscosityKind, "Dynamic (cP)");
    EXPECT_EQ(t.cutHeader, "Volume %");
    EXPECT_EQ(t.oilWaterTension, "----");
    EXPECT_EQ(t.oilSeawaterTension, "----");
    EXPECT_EQ(t.density[0], "0.8501");
    std::vector<std::string> numbers = {t.api, t.pourPoint, t.adhesion, t.nickel, t.vanadium, t.aromatics,
                                        t.asphaltenes, t.benzene, t.naphthenes, t.paraffins, t.polars, t.resins,
                                        t.saturates, t.sulfur, t.wax, t.waterContent, t.emulsionConstant,
                                        t.flashPoint, t.densityTemp[0], t.densityEvaporated[0]};
    for (int i = 1; i < 4; ++i) numbers.insert(numbers.end(), {t.density[i], t.densityTemp[i], t.densityEvaporated[i]});
    for (int i = 0; i < 6; ++i) numbers.insert(numbers.end(), {t.viscosity[i], t.viscosityTemp[i], t.viscosityEvaporated[i]});
    for (int i = 0; i < 15; ++i) numbers.insert(numbers.end(), {t.cutPercent[i], t.cutTemp[i]});
    for (std::size_t i = 0; i < numbers.size(); ++i) EXPECT_EQ(numbers[i], "--") << "number field " << i;
}

TEST(OilInfoTexts, HeaderViscosityKindAndTensionForms) {
    ShippedLibrary shipped;
    struct Case {
        const char* name;
        std::map<int, std::string> cells;  // changes to the real record
        std::string cutHeader, viscosityKind, viscosity0, viscosity1, oilWater;
    };
    const Case cases[] = {
        {"a kinematic first value shows the kinematic rows", {{36, "0.0000125"}}, "Weight %", "Kinematic (cSt)",
         "12.50", "--", "27.10 at 15 deg C"},
        {"tension without its value", {{20, ""}}, "Weight %", "Dynamic (cP)", "11.00", "24.60", "-- at 15 deg C"},
        {"tension without its temperature", {{21, ""}}, "Weight %", "Dynamic (cP)", "11.00", "24.60", "27.10 at --"},
        {"capital cut units", {{117, "Weight"}}, "Weight %", "Dynamic (cP)", "11.00", "24.60", "27.10 at 15 deg C"},
        {"volume cut units", {{117, "volume"}}, "Volume %", "Dynamic (cP)", "11.00", "24.60", "27.10 at 15 deg C"},
        {"no cut units", {{117, ""}}, "Volume %", "Dynamic (cP)", "11.00", "24.60", "27.10 at 15 deg C"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::string> rec = shipped.Record("Green Canyon Block 200");
        for (const auto& [column, text] : c.cells) shipped.Set(rec, column, text);
        tavro_test::TempDir dir;
        const ui::OilInfoTexts t = InfoOf(shipped.Write(dir, {rec}));
        EXPECT_EQ(t.cutHeader, c.cutHeader);
        EXPECT_EQ(t.viscosityKind, c.viscosityKind);
        EXPECT_EQ(t.viscosity[0], c.viscosity0);
        EXPECT_EQ(t.viscosity[1], c.viscosity1);
        EXPECT_EQ(t.oilWaterTension, c.oilWater);
    }
    tavro_test::TempDir dir;
    EXPECT_EQ(InfoOf(shipped.Write(dir, {shipped.Record("Hibernia")})).oilWaterTension, "----");
}

}  // namespace
