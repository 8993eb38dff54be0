// The wind and waves, fetch, wind uncertainty, water, emulsification and
// beaching dialogs without their windows: the compass, the wind list, every
// check's text and what OK writes, through the document's commands.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "document/Derive.h"
#include "platform/RecordingCanvas.h"
#include "test_document_helpers.h"
#include "ui/inputs/rules/Compass.h"
#include "ui/inputs/rules/EmulsificationRules.h"
#include "ui/inputs/rules/FetchRules.h"
#include "ui/inputs/rules/WaterRules.h"
#include "ui/inputs/rules/WindListModel.h"
#include "ui/inputs/rules/WindWaveRules.h"

namespace {

using document::DialogKind;
using document::Time;
using platform::MsgIcon;
using platform::MsgResult;
using platform::Point;
using tavro_test::UtcTime;

const std::string kProblem = "Problem with the Input.\n\n";
const std::string kMissing = "Missing Important Information.\n\n";

// A document at a spill time (UTC), with fake ports.
struct WeatherDoc : document_test::FakePorts {
    explicit WeatherDoc(Time spill = UtcTime(2024, 12, 20, 8)) : FakePorts(spill) {
        doc = std::make_unique<document::SpillDocCore>(document::OilLibraries{}, Ports());
        doc->scenario = document::Scenario(spill);
    }
    document_test::ZoneScope utc{"UTC"};
    std::unique_ptr<document::SpillDocCore> doc;
};

document::TimePick Pick(int month, int day, int hour) { return {month - 1, day - 1, hour}; }

// The refusal text of a check, "" when it passed.
std::string TextOf(const ui::CheckResult& r) { return r.ok() ? std::string() : r.refusal->text; }

// ---- The compass ----------------------------------------------------------------

TEST(Compass, ParseCompassDirectionReadsWordsAndLeadingWholeNumbers) {
    struct Case {
        const char* text;
        int expected;
    };
    const Case cases[] = {
        {"N", 0},    {"ne", 45},  {" E ", 90}, {"Se", 135}, {"s", 180},   {"\tSW", 225}, {"w ", 270},
        {"nW", 315}, {"", 0},     {"  ", 0},   {"0", 0},    {"00", 361},  {"north", 361}, {"45.9", 45},
        {"45", 45},  {"-90", -90}, {"400", 400}, {"0.5", 361}, {"N E", 361}, {"90abc", 90},
    };
    for (const Case& c : cases) EXPECT_EQ(ui::ParseCompassDirection(c.text), c.expected) << '"' << c.text << '"';
}

TEST(Compass, WindClicksGiveSpeedAndBearingInsideTheCard) {
    struct Case {
        const char* name;
        Point offset;
        bool inside;
        int speed, direction;
    };
    const Case cases[] = {
        {"32 px right", {32, 0}, true, 10, 90},
        {"32 px up", {0, -32}, true, 10, 360},
        {"32 px down", {0, 32}, true, 10, 180},
        {"32 px left", {-32, 0}, true, 10, 270},
        {"on the rim", {80, 0}, true, 25, 90},
        {"81 px right", {81, 0}, false, 0, 0},
    };
    for (const Case& c : cases) {
        const auto click = ui::WindClickAt(c.offset);
        ASSERT_EQ(click.has_value(), c.inside) << c.name;
        if (!click) continue;
        EXPECT_EQ(click->speed, c.speed) << c.name;
        EXPECT_EQ(click->direction, c.direction) << c.name;
        EXPECT_EQ(click->arrow.tip, c.offset) << c.name;
    }
}

TEST(Compass, ArrowOfTenFromTheEastIsDrawnRedOnTheCard) {
    const ui::WindArrow arrow = ui::ArrowFor(10, 90);
    EXPECT_EQ(arrow, (ui::WindArrow{{32, 0}, {0, -4}, {0, 4}}));
    EXPECT_EQ(ui::ArrowFor(40, 0).tip, (Point{0, -80})) << "speeds above 25 are drawn as 25";
    EXPECT_EQ(ui::ArrowFor(0, 90), ui::WindArrow{}) << "no length, no arrow";

    platform::RecordingCanvas canvas;
    ui::DrawCompassCard(canvas, {100, 100}, 1.0);
    ui::DrawWindArrow(canvas, {100, 100}, 1.0, arrow);
    const auto polygons = canvas.Find(platform::OpKind::Polygon);
    ASSERT_EQ(polygons.size(), 2u);  // the disc, the arrow
    EXPECT_EQ(polygons[1]->points, (std::vector<Point>{{132, 100}, {100, 96}, {100, 104}}));
    EXPECT_EQ(polygons[1]->state.brush.colour, (platform::Rgb{255, 0, 0}));
    EXPECT_EQ(polygons[1]->state.pen.colour, (platform::Rgb{255, 0, 0}));
    EXPECT_EQ(canvas.Find(platform::OpKind::Line).size(), 36u + 4u) << "ticks every 10 degrees and at 45";
    EXPECT_EQ(canvas.Find(platform::OpKind::TextInRect).size(), 8u);

    // Twice the pixels per device-independent pixel: the same arrow, twice as long.
    platform::RecordingCanvas hidpi;
    ui::DrawWindArrow(hidpi, {200, 200}, 2.0, arrow);
    EXPECT_EQ(hidpi.Find(platform::OpKind::Polygon)[0]->points, (std::vector<Point>{{264, 200}, {200, 192}, {200, 208}}));
}

TEST(Compass, WaterClickAndTheCurrentLine) {
    const auto up = ui::CurrentClickAt({0, -32});
    ASSERT_TRUE(up);
    EXPECT_EQ(up->speed, "2.0");
    EXPECT_EQ(up->direction, "360");
    EXPECT_FALSE(ui::CurrentClickAt({0, -80})) << "80 px is outside";
    EXPECT_FALSE(ui::CurrentClickAt({48, -64})) << "80 px is outside";

    EXPECT_EQ(ui::CurrentEnd(2, 90), (Point{32, 0}));
    EXPECT_EQ(ui::CurrentEnd(9, 180), (Point{0, 80})) << "at most 5";
    EXPECT_EQ(ui::CurrentEnd(2, 0), (Point{0, -32})) << "north counts";
    EXPECT_FALSE(ui::CurrentEnd(0, 90));
    EXPECT_FALSE(ui::CurrentEnd(2, -1));

    platform::RecordingCanvas canvas;
    ui::DrawCurrentLine(canvas, {100, 100}, 1.0, {32, 0});
    const auto lines = canvas.Find(platform::OpKind::Line);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0]->points, (std::vector<Point>{{100, 100}, {132, 100}}));
    EXPECT_EQ(lines[0]->state.pen, (platform::Pen{platform::PenStyle::Solid, 2, {0, 255, 255}}));
}

// ---- The wind checks -----------------------------------------------------------------

TEST(WindWaveChecks, ConstantWindFirstFailureWinsWithItsText) {
    const std::string speedMissing = kMissing + ui::kWindSpeedMissingText;
    const std::string fetch = kProblem + ui::kMinimumFetchText;
    struct Case {
        const char* name;
        const char* speed;
        int unit;
        const char* direction;
        int waveChoice;
        const char* fetch;
        const char* height;
        int heightUnit;
        std::string expected;
    };
    const Case cases[] = {
        {"passes", "10", 0, "NE", 0, "", "", 0, ""},
        {"1 mph", "1", 0, "90", 0, "", "", 0,
         kProblem + "Sorry, TAVRO does not support wind speeds less than 2 mph.\nPlease enter a larger value."},
        {"78 mph", "78", 0, "90", 0, "", "", 0,
         kProblem + "Sorry, TAVRO does not support wind speeds greater than 77 mph.\nPlease enter a smaller value."},
        {"1 knot", "1", 1, "90", 0, "", "", 0,
         kProblem + "Sorry, TAVRO does not support wind speeds less than 2 knots.\nPlease enter a larger value."},
        {"69 knots", "69", 1, "90", 0, "", "", 0,
         kProblem + "Sorry, TAVRO does not support wind speeds greater than 68 knots.\nPlease enter a smaller value."},
        {"1 m/s passes", "1", 2, "90", 0, "", "", 0, ""},
        {"36 m/s", "36", 2, "90", 0, "", "", 0,
         kProblem + "Sorry, TAVRO does not support wind speeds greater than 35 m/s.\nPlease enter a smaller value."},
        {"speed 0", "0", 0, "90", 0, "", "", 0, speedMissing},
        {"speed empty", "", 0, "90", 0, "", "", 0, speedMissing},
        {"12.5 is no whole number", "12.5", 0, "90", 0, "", "", 0, speedMissing},
        {"direction blank", "10", 0, "  ", 0, "", "", 0, kMissing + ui::kWindDirectionMissingText},
        {"direction -1", "10", 0, "-1", 0, "", "", 0, kMissing + ui::kWindDirectionMissingText},
        {"direction north", "10", 0, "north", 0, "", "", 0, kProblem + ui::kWindDirectionUnreadableText},
        {"direction 00", "10", 0, "00", 0, "", "", 0, kProblem + ui::kWindDirectionUnreadableText},
        {"direction 400", "10", 0, "400", 0, "", "", 0, kProblem + ui::kWindDirectionUnreadableText},
        {"fetch empty before the speed", "", 0, "90", 1, "", "", 0, fetch},
        {"fetch 0", "10", 0, "90", 1, "0", "", 0, fetch},
        {"fetch -3", "10", 0, "90", 1, "-3", "", 0, fetch},
        {"fetch 5", "10", 0, "90", 1, "5", "", 0, ""},
        {"height empty", "10", 0, "90", 2, "", "", 0, kMissing + ui::kWaveHeightMissingText},
        {"15.5 m passes", "10", 0, "90", 2, "", "15.5", 0, ""},
        {"15.6 m", "10", 0, "90", 2, "", "15.6", 0, kProblem + ui::kWaveHeightMetersText},
        {"-0.1 m", "10", 0, "90", 2, "", "-0.1", 0, kProblem + ui::kWaveHeightUnreadableText},
        {"50 ft passes", "10", 0, "90", 2, "", "50", 1, ""},
        {"51 ft", "10", 0, "90", 2, "", "51", 1, kProblem + ui::kWaveHeightFeetText},
        {"height ignored for the default", "10", 0, "90", 0, "", "99", 0, ""},
    };
    WeatherDoc d;
    ui::WindWaveRules rules(*d.doc);
    rules.Load();
    for (const Case& c : cases) {
        ui::WindWaveForm f;
        f.speed = c.speed;
        f.speedUnit = c.unit;
        f.direction = c.direction;
        f.waveChoice = c.waveChoice;
        f.fetch = c.fetch;
        f.waveHeight = c.height;
        f.waveHeightUnit = c.heightUnit;
        const ui::CheckResult r = rules.ValidateInput(f);
        EXPECT_EQ(TextOf(r), c.expected) << c.name;
        if (!r.ok()) {
            EXPECT_EQ(r.refusal->icon, MsgIcon::Stop) << c.name;
        }
    }
    EXPECT_NE(std::string(ui::kWaveHeightMissingText).find("default value.You chose"), std::string::npos);

    ui::WindWaveForm variable;
    variable.variable = true;
    EXPECT_EQ(TextOf(rules.ValidateInput(variable)), kMissing + ui::kNoWindDataText);
}

// ---- The wind list ---------------------------------------------------------------------

// Adds a record with the entry fields given; the list's answer to a
// replace question is queued first.
ui::CheckResult AddRecord(ui::WindWaveRules& rules, ui::WindWaveForm& f, document::TimePick pick, const char* speed,
                          const char* direction, const char* wave = "") {
    f.pick = pick;
    f.varSpeed = speed;
    f.varDirection = direction;
    f.varWave = wave;
    return rules.Add(f);
}

std::vector<std::string> RowTexts(const ui::WindListModel& list, std::size_t row) {
    std::vector<std::string> t;
    for (int c = 0; c < ui::WindListModel::kColumnCount; ++c) t.push_back(list.Text(row, c));
    return t;
}

// A known wave height is the whole text read as one number, in the
// constant wind's OK and in a variable record's Add alike: text that holds
// no number, or more than one, is refused and stores nothing; 0 is a calm
// sea.
TEST(WindWaveChecks, AKnownWaveHeightIsTheWholeTextInBothModes) {
    const std::string unreadable = kProblem + ui::kWaveHeightUnreadableText;
    struct Case {
        const char* name;
        const char* text;
        bool refused;
        double stored;  // when passed
    };
    const Case cases[] = {
        {"letters", "abc", true, 0},          {"letter first", "x1", true, 0},
        {"a point alone", ".", true, 0},      {"trailing letter", "2x", true, 0},
        {"calm sea", "0", false, 0},          {"blanks around", " 2.5 ", false, 2.5},
        {"two numbers", "1 2", true, 0},
    };
    for (const Case& c : cases) {
        WeatherDoc d;
        document::Scenario& s = d.doc->scenario;
        s.m_dWaveHeight = 3.25;
        ui::WindWaveRules rules(*d.doc);
        ui::WindWaveForm f = rules.Load();
        f.speed = "10";
        f.direction = "90";
        f.waveChoice = 2;
        f.waveHeight = c.text;
        const ui::CheckResult constant = rules.Ok(f);
        EXPECT_EQ(TextOf(constant), c.refused ? unreadable : "") << "constant, " << c.name;
        EXPECT_EQ(s.m_dWaveHeight, c.refused ? 3.25 : c.stored) << "constant, " << c.name;

        rules.SetMode(f, true);
        const ui::CheckResult add = AddRecord(rules, f, Pick(12, 20, 9), "12", "45", c.text);
        EXPECT_EQ(TextOf(add), c.refused ? unreadable : "") << "variable, " << c.name;
        ASSERT_EQ(rules.List().Size(), c.refused ? 0u : 1u) << "variable, " << c.name;
        if (!c.refused) {
            EXPECT_EQ(rules.List().Row(0).wave, c.stored) << "variable, " << c.name;
        }
    }
}

TEST(WindList, AddChecksTheRecordAndAsksBeforeReplacingATime) {
    WeatherDoc d;
    ui::WindWaveRules rules(*d.doc);
    ui::WindWaveForm f = rules.Load();
    f.variable = true;
    f.autoIncrement = false;

    EXPECT_EQ(TextOf(AddRecord(rules, f, Pick(12, 20, 8), "1", "90")),
              kProblem + "Sorry, TAVRO does not support wind speeds less than 2 mph.\nPlease enter a larger value.");
    EXPECT_EQ(TextOf(AddRecord(rules, f, Pick(12, 20, 8), "10", "")), kMissing + ui::kWindDirectionMissingText);
    EXPECT_EQ(TextOf(AddRecord(rules, f, Pick(12, 20, 8), "10", "90", "16")), kProblem + ui::kWaveHeightMetersText);
    EXPECT_EQ(rules.List().Size(), 0u);

    // Add reads the leading whole number: "12.5" is 12, and the row shows it.
    ASSERT_TRUE(AddRecord(rules, f, Pick(12, 20, 8), "12.5", " ne ", "1.5").ok());
    ASSERT_EQ(rules.List().Size(), 1u);
    EXPECT_EQ(RowTexts(rules.List(), 0), (std::vector<std::string>{"12/20", "08:00", "12 mph", "ne", "1.5 m"}));
    EXPECT_TRUE(d.messages.Entries().empty());

    d.messages.QueueAnswer(MsgResult::No);
    ASSERT_TRUE(AddRecord(rules, f, Pick(12, 20, 8), "20", "180").ok());
    ASSERT_EQ(d.messages.Entries().size(), 1u);
    EXPECT_EQ(d.messages.Entries()[0].text,
              "Wind record already exists for December 20, 08:00 hours\nDo you want to replace it with this new "
              "information?");
    EXPECT_EQ(d.messages.Entries()[0].icon, MsgIcon::Question);
    EXPECT_EQ(d.messages.Entries()[0].buttons, platform::MsgButtons::YesNo);
    ASSERT_EQ(rules.List().Size(), 1u);
    EXPECT_EQ(rules.List().Row(0).speed, 12) << "No keeps the list";

    d.messages.QueueAnswer(MsgResult::Yes);
    ASSERT_TRUE(AddRecord(rules, f, Pick(12, 20, 8), "20", "180").ok());
    ASSERT_EQ(rules.List().Size(), 1u) << "Yes leaves one row";
    EXPECT_EQ(RowTexts(rules.List(), 0), (std::vector<std::string>{"12/20", "08:00", "20 mph", "180", ""}));

    // Remove without a selection does nothing; Remove All empties the list.
    rules.Remove(-1);
    EXPECT_EQ(rules.List().Size(), 1u);
    rules.RemoveAll();
    EXPECT_EQ(rules.List().Size(), 0u);
}

TEST(WindList, AutoIncrementCrossesMidnightIntoTheNextYear) {
    WeatherDoc d(UtcTime(2024, 12, 31, 20));
    ui::WindWaveRules rules(*d.doc);
    ui::WindWaveForm f = rules.Load();
    f.variable = true;
    ASSERT_TRUE(f.autoIncrement);
    f.pick = Pick(12, 31, 22);
    for (int i = 0; i < 3; ++i) {
        f.varSpeed = "10";
        f.varDirection = "270";
        ASSERT_TRUE(rules.Add(f).ok());
    }
    EXPECT_EQ(f.pick, Pick(1, 1, 1));
    ASSERT_EQ(rules.List().Size(), 3u);
    EXPECT_EQ(rules.List().Text(0, 1), "22:00");
    EXPECT_EQ(rules.List().Text(1, 1), "23:00");
    EXPECT_EQ(rules.List().Text(2, 0), "01/01");
    EXPECT_EQ(rules.List().Text(2, 1), "00:00");

    // A record added earlier in the day sorts first.
    f.pick = Pick(12, 31, 21);
    ASSERT_TRUE(rules.Add(f).ok());
    EXPECT_EQ(rules.List().Text(0, 1), "21:00");

    ASSERT_TRUE(rules.Ok(f).ok());
    const document::Scenario& s = d.doc->scenario;
    ASSERT_EQ(s.m_iVarWindNumber, 4);
    EXPECT_EQ(s.m_tVarWindTime[0], UtcTime(2024, 12, 31, 21));
    EXPECT_EQ(s.m_tVarWindTime[3], UtcTime(2025, 1, 1, 0)) << "January after a December spill is next year";
}

TEST(WindList, EachRecordTakesTheYearNearestTheSpill) {
    struct Case {
        const char* name;
        Time spill;
        document::TimePick pick;
        Time expected;
    };
    const Case cases[] = {
        {"December spill, January row", UtcTime(2024, 12, 31, 20), Pick(1, 1, 0), UtcTime(2025, 1, 1, 0)},
        {"December spill, December row", UtcTime(2024, 12, 31, 20), Pick(12, 30, 0), UtcTime(2024, 12, 30, 0)},
        {"January spill, December row", UtcTime(2025, 1, 1, 2), Pick(12, 31, 22), UtcTime(2024, 12, 31, 22)},
        {"January spill, January row", UtcTime(2025, 1, 1, 2), Pick(1, 3, 0), UtcTime(2025, 1, 3, 0)},
        {"June spill, June row", UtcTime(2025, 6, 15, 0), Pick(6, 16, 0), UtcTime(2025, 6, 16, 0)},
        {"June spill, early December row", UtcTime(2025, 6, 15, 0), Pick(12, 1, 0), UtcTime(2025, 12, 1, 0)},
        {"June spill, late December row", UtcTime(2025, 6, 15, 0), Pick(12, 31, 0), UtcTime(2024, 12, 31, 0)},
    };
    document_test::ZoneScope utc("UTC");
    platform::SystemClock clock;
    for (const Case& c : cases) EXPECT_EQ(ui::RecordTime(c.pick, c.spill, clock), c.expected) << c.name;
}

TEST(WindList, AtMost120RecordsButATimeCanStillBeReplaced) {
    WeatherDoc d(UtcTime(2024, 12, 20, 0));
    ui::WindWaveRules rules(*d.doc);
    ui::WindWaveForm f = rules.Load();
    f.variable = true;
    f.pick = Pick(12, 20, 0);
    for (int i = 0; i < ui::kMaxWindRecords; ++i) ASSERT_TRUE(AddRecord(rules, f, f.pick, "10", "90").ok()) << i;
    ASSERT_EQ(rules.List().Size(), 120u);

    const ui::CheckResult refused = AddRecord(rules, f, f.pick, "10", "90");
    EXPECT_EQ(TextOf(refused), ui::kTooManyWindRecordsText);
    EXPECT_EQ(refused.refusal->icon, MsgIcon::Stop);
    EXPECT_EQ(rules.List().Size(), 120u);

    d.messages.QueueAnswer(MsgResult::Yes);
    ASSERT_TRUE(AddRecord(rules, f, Pick(12, 21, 5), "30", "180").ok());
    EXPECT_EQ(rules.List().Size(), 120u);
    EXPECT_EQ(rules.List().Text(29, 2), "30 mph");

    // Stored, the full list reopens with empty entry fields at the spill time.
    ASSERT_TRUE(rules.Ok(f).ok());
    ui::WindWaveRules again(*d.doc);
    const ui::WindWaveForm reopened = again.Load();
    EXPECT_EQ(again.List().Size(), 120u);
    EXPECT_EQ(reopened.pick, Pick(12, 20, 0));
    EXPECT_EQ(reopened.varSpeed, "");
    EXPECT_EQ(reopened.varDirection, "");
}

TEST(WindList, UnitChangesRelabelSuffixesOnlyAndARowFillsTheEntryFields) {
    WeatherDoc d;
    ui::WindWaveRules rules(*d.doc);
    ui::WindWaveForm f = rules.Load();
    f.variable = true;
    ASSERT_TRUE(AddRecord(rules, f, Pick(12, 20, 9), "12", "SW", "2.25").ok());
    f.varSpeedUnit = 1;
    f.varWaveUnit = 1;
    rules.Relabel(f);
    EXPECT_EQ(RowTexts(rules.List(), 0), (std::vector<std::string>{"12/20", "09:00", "12 kts", "SW", "2.25 ft"}));
    f.varSpeedUnit = 2;
    rules.Relabel(f);
    EXPECT_EQ(rules.List().Text(0, 2), "12 m/s");

    ui::WindWaveForm copy = f;
    copy.pick = Pick(3, 3, 3);
    rules.CopyRow(0, copy);
    EXPECT_EQ(copy.pick, Pick(12, 20, 9));
    EXPECT_EQ(copy.varSpeed, "12");
    EXPECT_EQ(copy.varDirection, "SW");
    EXPECT_EQ(copy.varWave, "2.25");
    EXPECT_EQ(rules.Arrow(true), ui::ArrowFor(12, 225)) << "the arrow follows the row";
}

// ---- The wind dialog through the document's command ------------------------------------

// The wind dialog as a fake: its rules loaded, the steps applied, then OK or
// Cancel.
void RunWindDialog(WeatherDoc& d, std::function<bool(ui::WindWaveRules&, ui::WindWaveForm&)> steps) {
    d.dialogs.dialogs[DialogKind::WindWave] = [steps](document::SpillDocCore& doc) {
        ui::WindWaveRules rules(doc);
        ui::WindWaveForm f = rules.Load();
        return steps(rules, f);
    };
    d.doc->EditWindWave();
}

TEST(WindWaveCommand, ConstantAndVariableOkFillTheHourlyWinds) {
    WeatherDoc d;
    RunWindDialog(d, [](ui::WindWaveRules& rules, ui::WindWaveForm& f) {
        f.speed = "15";
        f.direction = "w";
        f.speedUnit = 1;
        f.waveChoice = 2;
        f.waveHeight = "1.5";
        f.waveHeightUnit = 1;
        return rules.Ok(f).ok();
    });
    const document::Scenario& s = d.doc->scenario;
    EXPECT_EQ(s.m_bVarWind, 0);
    EXPECT_EQ(s.m_dWindSpeed, 15);
    EXPECT_EQ(s.m_dWindDirection, 270);
    EXPECT_EQ(s.m_dWaveHeight, 1.5);
    EXPECT_EQ(s.m_dFetch, 0);
    EXPECT_EQ(s.wind.num, model::MAX_HOURS);
    EXPECT_EQ(s.wind.speed[119], 15);
    EXPECT_EQ(s.wind.speedUnits, 2);
    EXPECT_EQ(s.wind.waveHtUnits, 2);
    EXPECT_EQ(s.m_bWindAndWaveInputPassed, 1);
    EXPECT_EQ(d.doc->session.m_bChanged[document::ChangedWindWave], 1);
    EXPECT_TRUE(d.doc->IsModified());

    d.doc->session.m_bChanged[document::ChangedWindWave] = 0;
    RunWindDialog(d, [](ui::WindWaveRules& rules, ui::WindWaveForm& f) {
        rules.SetMode(f, true);
        f.varSpeedUnit = 2;
        f.varWaveUnit = 0;
        EXPECT_TRUE(AddRecord(rules, f, Pick(12, 20, 10), "6", "N", "0.5").ok());
        EXPECT_TRUE(AddRecord(rules, f, Pick(12, 20, 6), "4", "S").ok());
        return rules.Ok(f).ok();
    });
    EXPECT_EQ(s.m_bVarWind, 1);
    ASSERT_EQ(s.m_iVarWindNumber, 2);
    EXPECT_EQ(s.m_tVarWindTime[0], UtcTime(2024, 12, 20, 6)) << "in time order";
    EXPECT_EQ(s.m_dVarWindSpeed[0], 4);
    EXPECT_EQ(s.m_dVarWindDirection[0], 180);
    EXPECT_EQ(s.m_dVarWaveHeight[0], model::MISSING_VALUE_D);
    EXPECT_EQ(s.m_dVarWaveHeight[1], 0.5) << "wave heights keep their decimals";
    EXPECT_EQ(s.m_iVarSpeedUnit, 2);
    EXPECT_EQ(s.m_dWindSpeed, 15) << "the constant wind is left as it was";
    // Spill at 08:00: hours 0 and 1 lie between the records.
    EXPECT_EQ(s.wind.speedUnits, 3);
    EXPECT_EQ(s.m_bWindAndWaveInputPassed, 1);
    EXPECT_EQ(d.doc->session.m_bChanged[document::ChangedWindWave], 1);
    EXPECT_TRUE(d.messages.Entries().empty());
}

TEST(WindWaveCommand, RecordsMissingTheSpillTimeGiveOneWarning) {
    WeatherDoc d;
    d.doc->scenario.m_bReleaseInputPassed = 1;
    RunWindDialog(d, [](ui::WindWaveRules& rules, ui::WindWaveForm& f) {
        rules.SetMode(f, true);
        EXPECT_TRUE(AddRecord(rules, f, Pick(12, 21, 10), "6", "N").ok());
        return rules.Ok(f).ok();
    });
    ASSERT_EQ(d.messages.Entries().size(), 1u);
    EXPECT_EQ(d.messages.Entries()[0].text, document::kWindNotCoveredWarning);
    EXPECT_EQ(d.messages.Entries()[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(d.doc->scenario.m_bWindAndWaveInputPassed, 0);
}

TEST(WindWaveCommand, CancelAfterEditsAndARefusedOkLeavesTheScenario) {
    WeatherDoc d;
    // Two stored records in knots.
    RunWindDialog(d, [](ui::WindWaveRules& rules, ui::WindWaveForm& f) {
        rules.SetMode(f, true);
        f.varSpeedUnit = 1;
        EXPECT_TRUE(AddRecord(rules, f, Pick(12, 20, 6), "30", "N").ok());
        EXPECT_TRUE(AddRecord(rules, f, Pick(12, 20, 9), "20", "E").ok());
        return rules.Ok(f).ok();
    });
    const document::Scenario scenario = d.doc->scenario;
    const document::SessionState session = d.doc->session;
    using Step = std::function<void(ui::WindWaveRules&, ui::WindWaveForm&)>;
    const std::pair<const char*, Step> steps[] = {
        {"Add", [](auto& r, auto& f) { EXPECT_TRUE(AddRecord(r, f, Pick(12, 20, 12), "5", "W").ok()); }},
        {"Remove", [](auto& r, auto&) { r.Remove(0); }},
        {"Remove All", [](auto& r, auto&) { r.RemoveAll(); }},
        {"mode switch", [](auto& r, auto& f) { r.SetMode(f, false); }},
        {"units after a refused OK",
         [](auto& r, auto& f) {
             f.varSpeedUnit = 2;
             f.speedUnit = 2;
             f.waveChoice = 1;
             r.Relabel(f);
             r.RemoveAll();
             EXPECT_FALSE(r.Ok(f).ok());
         }},
    };
    for (const auto& [name, step] : steps) {
        RunWindDialog(d, [&step](ui::WindWaveRules& rules, ui::WindWaveForm& f) {
            step(rules, f);
            return false;
        });
        EXPECT_TRUE(d.doc->scenario == scenario) << name;
        EXPECT_TRUE(d.doc->session == session) << name;
    }
}

// ---- Fetch and wind uncertainty -----------------------------------------------------------

TEST(FetchDialog, EmptyIsUnlimitedAndEveryTypedFetchIsAtLeastOne) {
    struct Case {
        const char* name;
        std::array<std::string, 4> fetch;
        bool passes;
        std::array<double, 4> stored;
    };
    const Case cases[] = {
        {"all empty", {"", "", "", ""}, true, {0, 0, 0, 0}},
        {"typed and empty", {"12", " ", "1.5", ""}, true, {12, 0, 1.5, 0}},
        {"0", {"0", "", "", ""}, false, {}},
        {"-3", {"", "-3", "", ""}, false, {}},
        {"abc", {"", "", "abc", ""}, false, {}},
        {"0.5", {"", "", "", "0.5"}, false, {}},
    };
    for (const Case& c : cases) {
        WeatherDoc d;
        d.doc->scenario.m_dFetchN = 7;
        ui::FetchRules rules(*d.doc);
        ui::FetchForm f = rules.Load();
        EXPECT_EQ(f.fetch[0], "7") << c.name;
        EXPECT_EQ(f.fetch[1], "") << c.name;
        f.fetch = c.fetch;
        f.unit = 1;
        const ui::CheckResult r = rules.Ok(f);
        EXPECT_EQ(r.ok(), c.passes) << c.name;
        const document::Scenario& s = d.doc->scenario;
        if (!c.passes) {
            EXPECT_EQ(TextOf(r), ui::kFetchRefusalText) << c.name;
            EXPECT_EQ(s.m_dFetchN, 7) << c.name << ": nothing written";
            EXPECT_EQ(s.m_iVarFetchUnit, 0) << c.name;
            EXPECT_FALSE(d.doc->IsModified()) << c.name;
            continue;
        }
        EXPECT_EQ((std::array<double, 4>{s.m_dFetchN, s.m_dFetchE, s.m_dFetchS, s.m_dFetchW}), c.stored) << c.name;
        EXPECT_EQ(s.m_iVarFetchUnit, 1) << c.name;
        EXPECT_EQ(d.doc->session.m_bChanged[document::ChangedWindWave], 1) << c.name;
        EXPECT_TRUE(d.doc->IsModified()) << c.name;
    }
}

TEST(WindUncertaintyDialog, LimitsByUnitOnTheValueStored) {
    const std::string head = kProblem + "Sorry, but the uncertainty cannot exceed";
    struct Case {
        const char* name;
        const char* value;
        int unit;
        std::string refusal;
        int flag;
        double wind;
    };
    const Case cases[] = {
        {"38 mph", "38", 0, "", 1, 38},
        {"39 mph", "39", 0, head + " 38 mph.", 0, 0},
        {"38.5 mph", "38.5", 0, head + " 38 mph.", 0, 0},
        {"34 knots", "34", 1, "", 1, 34},
        {"35 knots", "35", 1, head + " 34 knots.", 0, 0},
        {"17 m/s", "17", 2, "", 1, 17},
        {"18 m/s", "18", 2, head + " 17 m/s.", 0, 0},
        {"2.5 m/s", "2.5", 2, "", 1, 2.5},
        {"cleared", "", 0, "", 0, model::MISSING_VALUE_D},
        {"0 is off", "0", 0, "", 0, model::MISSING_VALUE_D},
        {"negative is off", "-4", 0, "", 0, model::MISSING_VALUE_D},
    };
    for (const Case& c : cases) {
        WeatherDoc d;
        d.doc->scenario.uncertainty.windFlag = 1;
        d.doc->scenario.uncertainty.wind = 5;
        ui::WindUncertaintyRules rules(*d.doc);
        ui::WindUncertaintyForm f = rules.Load();
        EXPECT_EQ(f.value, "5") << c.name;
        f.value = c.value;
        f.unit = c.unit;
        const ui::CheckResult r = rules.Ok(f);
        EXPECT_EQ(TextOf(r), c.refusal) << c.name;
        const model::InputUncertainty& u = d.doc->scenario.uncertainty;
        if (!r.ok()) {
            EXPECT_EQ(u.wind, 5) << c.name << ": nothing written";
            continue;
        }
        EXPECT_EQ(u.windFlag, c.flag) << c.name;
        EXPECT_EQ(u.wind, c.wind) << c.name;
        EXPECT_EQ(u.windUnits, c.unit + 1) << c.name;
        EXPECT_EQ(d.doc->session.m_bChanged[document::ChangedWindWave], 1) << c.name;
    }

    // A unit code the lists do not have opens as the first entry.
    WeatherDoc d;
    d.doc->scenario.uncertainty.windUnits = 0;
    d.doc->scenario.m_iWindSpeedUnit = 7;
    EXPECT_EQ(ui::WindUncertaintyRules(*d.doc).Load().unit, 0);
    ui::WindWaveRules wind(*d.doc);
    EXPECT_EQ(wind.Load().speedUnit, 2);
}

// ---- Water ---------------------------------------------------------------------------------

ui::WaterForm GoodWater() {
    ui::WaterForm f;
    f.temperature = "15";
    f.temperatureUnit = 1;
    return f;
}

TEST(WaterDialog, EveryFailingGroupAddsItsTextAfterOneHeader) {
    const std::string head = "Problem with the Input\n\n";
    struct Case {
        const char* name;
        std::function<void(ui::WaterForm&)> change;
        std::string expected;  // after the header; "" passes
    };
    const Case cases[] = {
        {"passes", [](ui::WaterForm&) {}, ""},
        {"temperature empty", [](ui::WaterForm& f) { f.temperature = " "; }, ui::kWaterTempMissingText},
        {"31 deg F", [](ui::WaterForm& f) { f.temperatureUnit = 0; f.temperature = "31.9"; },
         ui::kWaterFreezingText},
        {"32 deg F passes", [](ui::WaterForm& f) { f.temperatureUnit = 0; f.temperature = "32"; }, ""},
        {"105 deg F", [](ui::WaterForm& f) { f.temperatureUnit = 0; f.temperature = "105"; }, ui::kWaterAbove104FText},
        {"-1 deg C", [](ui::WaterForm& f) { f.temperature = "-1"; }, ui::kWaterFreezingText},
        {"-0.5 deg C", [](ui::WaterForm& f) { f.temperature = "-0.5"; }, ui::kWaterFreezingText},
        {"0 deg C passes", [](ui::WaterForm& f) { f.temperature = "0"; }, ""},
        {"41 deg C", [](ui::WaterForm& f) { f.temperature = "41"; }, ui::kWaterAbove40CText},
        {"salinity other empty", [](ui::WaterForm& f) { f.salinityChoice = 3; }, ui::kSalinityMissingText},
        {"salinity 43", [](ui::WaterForm& f) { f.salinityChoice = 3; f.salinity = "43"; }, ui::kSalinityRangeText},
        {"salinity -1", [](ui::WaterForm& f) { f.salinityChoice = 3; f.salinity = "-1"; }, ui::kSalinityRangeText},
        {"salinity -0.5", [](ui::WaterForm& f) { f.salinityChoice = 3; f.salinity = "-0.5"; }, ui::kSalinityRangeText},
        {"salinity 42.1", [](ui::WaterForm& f) { f.salinityChoice = 3; f.salinity = "42.1"; }, ui::kSalinityRangeText},
        {"salinity 42 passes", [](ui::WaterForm& f) { f.salinityChoice = 3; f.salinity = "42"; }, ""},
        {"salinity text ignored for a preset", [](ui::WaterForm& f) { f.salinity = "99"; }, ""},
        {"sediment other empty", [](ui::WaterForm& f) { f.sedimentChoice = 3; }, ui::kSedimentMissingText},
        {"sediment 1001", [](ui::WaterForm& f) { f.sedimentChoice = 3; f.sediment = "1001"; }, ui::kSedimentRangeText},
        {"sediment -0.5", [](ui::WaterForm& f) { f.sedimentChoice = 3; f.sediment = "-0.5"; }, ui::kSedimentRangeText},
        {"sediment 1000.5", [](ui::WaterForm& f) { f.sedimentChoice = 3; f.sediment = "1000.5"; },
         ui::kSedimentRangeText},
        {"sediment 1000 passes", [](ui::WaterForm& f) { f.sedimentChoice = 3; f.sediment = "1000"; }, ""},
        {"5.9 mph passes", [](ui::WaterForm& f) { f.speed = "5.9"; f.direction = "90"; }, ""},
        {"6 mph", [](ui::WaterForm& f) { f.speed = "6"; }, ui::kCurrentMphText},
        {"6 knots", [](ui::WaterForm& f) { f.speed = "6"; f.speedUnit = 1; }, ui::kCurrentKnotsText},
        {"4 m/s", [](ui::WaterForm& f) { f.speed = "4"; f.speedUnit = 2; }, ui::kCurrentMpsText},
        {"direction unreadable", [](ui::WaterForm& f) { f.speed = "1"; f.direction = "north"; },
         ui::kCurrentDirectionText},
        {"direction ignored without a speed", [](ui::WaterForm& f) { f.direction = "north"; }, ""},
        {"speed before direction", [](ui::WaterForm& f) { f.speed = "9"; f.direction = "north"; }, ui::kCurrentMphText},
        {"two groups run together", [](ui::WaterForm& f) { f.temperature = ""; f.speed = "7"; },
         std::string(ui::kWaterTempMissingText) + ui::kCurrentMphText},
    };
    WeatherDoc d;
    ui::WaterRules rules(*d.doc);
    for (const Case& c : cases) {
        ui::WaterForm f = GoodWater();
        c.change(f);
        const ui::CheckResult r = rules.ValidateInput(f);
        EXPECT_EQ(TextOf(r), c.expected.empty() ? "" : head + c.expected) << c.name;
    }
}

TEST(WaterDialog, PresetsMatchExactlyAndOkWritesTheRecord) {
    struct Case {
        const char* name;
        double salinity, sediment;
        int salinityChoice, sedimentChoice;
    };
    const Case cases[] = {
        {"fresh, muddy", 0, 500, 0, 2}, {"estuary, river", 15, 50, 1, 1}, {"ocean, ocean", 32, 5, 2, 0},
        {"unset", model::MISSING_VALUE_D, model::MISSING_VALUE_D, 2, 0}, {"15.5 is other", 15.5, 5.5, 3, 3},
    };
    for (const Case& c : cases) {
        WeatherDoc d;
        d.doc->scenario.water.salinity = c.salinity;
        d.doc->scenario.water.sediment = c.sediment;
        d.doc->scenario.water.temperature = 60;
        d.doc->scenario.water.tempUnits = 1;
        ui::WaterRules rules(*d.doc);
        const ui::WaterForm f = rules.Load();
        EXPECT_EQ(f.salinityChoice, c.salinityChoice) << c.name;
        EXPECT_EQ(f.sedimentChoice, c.sedimentChoice) << c.name;
        ASSERT_TRUE(rules.Ok(f).ok()) << c.name;
        const double stored = c.salinity == model::MISSING_VALUE_D ? 32 : c.salinity;
        EXPECT_EQ(d.doc->scenario.water.salinity, stored) << c.name << ": saved as it opened";
    }

    WeatherDoc d;
    d.dialogs.dialogs[DialogKind::Water] = [](document::SpillDocCore& doc) {
        ui::WaterRules rules(doc);
        ui::WaterForm f = rules.Load();
        EXPECT_EQ(f.temperature, "");
        EXPECT_EQ(f.speed, "");
        f.temperature = "12.5";
        f.temperatureUnit = 1;
        f.salinityChoice = 1;
        f.salinity = "40";  // hidden: the preset wins
        f.sedimentChoice = 3;
        f.sediment = "120";
        f.speed = "1.5";
        f.speedUnit = 1;
        f.direction = "SE";
        return rules.Ok(f).ok();
    };
    d.doc->EditWater();
    const model::InputWater& w = d.doc->scenario.water;
    EXPECT_EQ(w.temperature, 12.5);
    EXPECT_EQ(w.tempUnits, 2);
    EXPECT_EQ(w.salinity, 15);
    EXPECT_EQ(w.sediment, 120);
    EXPECT_EQ(w.speed, 1.5);
    EXPECT_EQ(w.speedUnits, 2);
    EXPECT_EQ(w.direction, 135);
    EXPECT_EQ(d.doc->scenario.m_bWaterInputPassed, 1);
    EXPECT_EQ(d.doc->session.m_bChanged[document::ChangedWater], 1);

    // No current: speed 0, direction 0; a temperature that is no number is refused.
    ui::WaterRules rules(*d.doc);
    ui::WaterForm f = rules.Load();
    EXPECT_EQ(f.direction, "135");
    f.speed = "";
    f.direction = "";
    ASSERT_TRUE(rules.Ok(f).ok());
    EXPECT_EQ(w.speed, 0);
    EXPECT_EQ(w.direction, 0);
    f.temperature = "12x";
    EXPECT_EQ(TextOf(rules.Ok(f)), platform::kEnterNumberText);
    EXPECT_EQ(w.temperature, 12.5);
}

// A field that passes its check but is no number is refused with the one
// text, and OK names the first such field so the view can put the user
// back in it; nothing is written.
TEST(WaterDialog, ANumberFieldThatIsNoNumberIsNamedAndNothingStored) {
    using ui::WaterField;
    struct Case {
        const char* name;
        std::function<void(ui::WaterForm&)> change;
        std::optional<WaterField> field;
    };
    const Case cases[] = {
        {"temperature 12x", [](ui::WaterForm& f) { f.temperature = "12x"; }, WaterField::Temperature},
        {"salinity 20abc", [](ui::WaterForm& f) { f.salinityChoice = 3; f.salinity = "20abc"; }, WaterField::Salinity},
        {"salinity abc", [](ui::WaterForm& f) { f.salinityChoice = 3; f.salinity = "abc"; }, WaterField::Salinity},
        {"sediment 7 7", [](ui::WaterForm& f) { f.sedimentChoice = 3; f.sediment = "7 7"; }, WaterField::Sediment},
        {"current 1.5kn", [](ui::WaterForm& f) { f.speed = "1.5kn"; }, WaterField::Speed},
        {"the first of two", [](ui::WaterForm& f) { f.sedimentChoice = 3; f.sediment = "8x"; f.speed = "1x"; },
         WaterField::Sediment},
        {"salinity before sediment",
         [](ui::WaterForm& f) {
             f.salinityChoice = f.sedimentChoice = 3;
             f.salinity = "9y";
             f.sediment = "8x";
         },
         WaterField::Salinity},
        {"a hidden salinity is not read", [](ui::WaterForm& f) { f.salinity = "junk"; }, std::nullopt},
    };
    for (const Case& c : cases) {
        WeatherDoc d;
        d.doc->scenario.water.temperature = 61;
        ui::WaterRules rules(*d.doc);
        ui::WaterForm f = GoodWater();
        c.change(f);
        const ui::CheckResult r = rules.Ok(f);
        EXPECT_EQ(TextOf(r), c.field ? platform::kEnterNumberText : "") << c.name;
        EXPECT_EQ(rules.RefusedField(), c.field) << c.name;
        EXPECT_EQ(d.doc->scenario.water.temperature, c.field ? 61 : 15) << c.name;
    }

    // Another refusal, or a pass, after a field was named names none.
    WeatherDoc d;
    ui::WaterRules rules(*d.doc);
    ui::WaterForm f = GoodWater();
    f.temperature = "12x";
    ASSERT_FALSE(rules.Ok(f).ok());
    f.temperature = "";
    EXPECT_EQ(TextOf(rules.Ok(f)), std::string("Problem with the Input\n\n") + ui::kWaterTempMissingText);
    EXPECT_EQ(rules.RefusedField(), std::nullopt);
}

TEST(WaterDialog, TheLineFollowsTypedValuesAndClicks) {
    WeatherDoc d;
    d.doc->scenario.water.speed = 2;
    d.doc->scenario.water.direction = 0;
    ui::WaterRules rules(*d.doc);
    ui::WaterForm f = rules.Load();
    EXPECT_EQ(rules.LineEnd(), (Point{0, -32})) << "opens with the line, north included";

    f.speed = "1";
    f.direction = "E";
    rules.FollowTyped(f);
    EXPECT_EQ(rules.LineEnd(), (Point{16, 0}));
    f.speed = "";
    rules.FollowTyped(f);
    EXPECT_EQ(rules.LineEnd(), (Point{16, 0})) << "no speed leaves the line";

    ASSERT_TRUE(rules.Click(f, {0, -32}));
    EXPECT_EQ(f.speed, "2.0");
    EXPECT_EQ(f.direction, "360");
    EXPECT_EQ(rules.LineEnd(), (Point{0, -32}));
    EXPECT_FALSE(rules.Click(f, {80, 0}));
    EXPECT_EQ(f.speed, "2.0");
}

// ---- Emulsification and beaching ---------------------------------------------------------------

TEST(EmulsificationDialog, ChecksTheValueAndAlwaysTheUncertainty) {
    const std::string head = "Problem with the Input\n\n";
    struct Case {
        const char* name;
        bool useDefault;
        const char* value;
        int unit;
        const char* uncertainty;
        std::string refusal;  // after the header
    };
    const Case cases[] = {
        {"default", true, "", 0, "", ""},
        {"empty value", false, "", 0, "", ui::kEmulsValueMissingText},
        {"-1", false, "-1", 0, "", ui::kEmulsAbove0Text},
        {"0", false, "0", 1, "", ui::kEmulsAbove0Text},
        {"101 %", false, "101", 0, "", ui::kEmulsPercentText},
        {"150 hours", false, "150", 1, "150", ""},
        {"uncertainty 150 %", false, "50", 0, "150", ui::kEmulsPercentText},
        {"uncertainty -1", false, "50", 0, "-1", ui::kEmulsAbove0Text},
        {"uncertainty with the default", true, "", 0, "150", ui::kEmulsPercentText},
        {"both fields", false, "", 0, "-2", std::string(ui::kEmulsValueMissingText) + ui::kEmulsAbove0Text},
    };
    WeatherDoc d;
    ui::EmulsificationRules rules(*d.doc);
    for (const Case& c : cases) {
        const ui::EmulsificationForm f{c.useDefault, c.value, c.unit, c.uncertainty};
        EXPECT_EQ(TextOf(rules.ValidateInput(f)), c.refusal.empty() ? "" : head + c.refusal) << c.name;
    }
    EXPECT_NE(std::string(ui::kEmulsPercentText).find("greater that 100"), std::string::npos);
}

TEST(EmulsificationDialog, OkWritesTheOnsetAndItsUncertainty) {
    WeatherDoc d;
    d.dialogs.dialogs[DialogKind::Emulsification] = [](document::SpillDocCore& doc) {
        ui::EmulsificationRules rules(doc);
        ui::EmulsificationForm f = rules.Load();
        EXPECT_TRUE(f.useDefault);
        ui::EmulsificationRules::ChooseUnit(f, 1);
        EXPECT_FALSE(f.useDefault) << "choosing hours chooses the user value";
        f.value = "36";
        f.uncertainty = "6";
        return rules.Ok(f).ok();
    };
    d.doc->EditEmulsification();
    const document::Scenario& s = d.doc->scenario;
    EXPECT_EQ(s.m_bEmulsDefault, 0);
    EXPECT_EQ(s.m_bEmulsBullwinkleDefined, 0);
    EXPECT_EQ(s.m_dEmulsValue, 36);
    EXPECT_EQ(s.uncertainty.emulFlag, 1);
    EXPECT_EQ(s.uncertainty.emul, 6);
    EXPECT_EQ(s.uncertainty.emulUnits, 2);
    EXPECT_EQ(d.doc->session.m_bChanged[document::ChangedEmulsification], 1);

    ui::EmulsificationRules rules(*d.doc);
    ui::EmulsificationForm f = rules.Load();
    EXPECT_EQ(f, (ui::EmulsificationForm{false, "36", 1, "6"}));
    f.uncertainty = "";
    ASSERT_TRUE(rules.Ok(f).ok());
    EXPECT_EQ(s.uncertainty.emulFlag, 0);
    EXPECT_EQ(s.uncertainty.emul, model::MISSING_VALUE_D);
    f.uncertainty = "0";
    ASSERT_TRUE(rules.Ok(f).ok());
    EXPECT_EQ(s.uncertainty.emulFlag, 0) << "0 would reopen empty: off";
    EXPECT_EQ(ui::EmulsificationRules::ValueLabel(0), std::string("of any part of the spill has evaporated"));
    EXPECT_EQ(ui::EmulsificationRules::ValueLabel(1), std::string("have elapsed since start of spill"));
}

TEST(BeachingDialog, AmountsAreStoredAsReadAndNegativesRefused) {
    WeatherDoc d;
    document::Scenario& s = d.doc->scenario;
    s.m_dBeachingAmount[0] = 0;
    s.m_dBeachingAmount[1] = 25.5;
    s.m_iBeachingUnits = 9;
    ui::BeachingRules rules(*d.doc);
    ui::BeachingForm f = rules.Load();
    EXPECT_EQ(f.amounts[0], "") << "0 reopens empty";
    EXPECT_EQ(f.amounts[1], "25.5");
    EXPECT_EQ(f.unit, 4);

    f.amounts = {"", "25.5", "abc", " ", "3", ""};
    f.unit = 2;
    ASSERT_TRUE(rules.Ok(f).ok());
    EXPECT_EQ(s.m_dBeachingAmount[0], model::MISSING_VALUE_D) << "saved as -999";
    EXPECT_EQ(s.m_dBeachingAmount[1], 25.5);
    EXPECT_EQ(s.m_dBeachingAmount[2], 0) << "no number reads as 0";
    EXPECT_EQ(s.m_dBeachingAmount[3], model::MISSING_VALUE_D);
    EXPECT_EQ(s.m_dBeachingAmount[4], 3);
    EXPECT_EQ(s.m_iBeachingUnits, 2);

    const document::Scenario before = s;
    f.amounts[5] = "-1";
    f.unit = 0;
    EXPECT_EQ(TextOf(rules.Ok(f)), ui::kBeachedNegativeText);
    EXPECT_TRUE(s == before) << "nothing written";

    // Through the command: Cancel changes nothing, OK spreads the amounts.
    d.dialogs.dialogs[DialogKind::Beaching] = [](document::SpillDocCore& doc) {
        ui::BeachingRules r(doc);
        ui::BeachingForm form = r.Load();
        form.amounts[4] = "99";
        return false;
    };
    d.doc->EditBeaching();
    EXPECT_TRUE(s == before);
}

}  // namespace
