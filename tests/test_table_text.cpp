// The pieces both tables write alike: cells, amounts, decimals, header lines,
// times after the spill, and saving a table file.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>

#include "output/core/TableExport.h"
#include "output/core/TableText.h"
#include "platform/Clock.h"
#include "platform/Files.h"
#include "platform/Messages.h"
#include "platform/RecordingCanvas.h"
#include "test_temp_dir.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/TimeZone.h"

namespace {

using namespace output;

TEST(TableText, CellsPadCutAndEndInATab) {
    struct Case {
        const char* name;
        std::string got, want;
    } cases[] = {
        {"right pads on the left", RightCell("Spill", 10), "     Spill\t"},
        {"right cuts to the width", RightCell("abcdefghijkl", 10), "abcdefghij\t"},
        {"left pads on the right", LeftCell("Onshore", 10), "Onshore   \t"},
        {"left of an empty text", LeftCell("", 4), "    \t"},
        {"centre odd space goes right", CentreCell("bbl", 10), "   bbl    \t"},
        {"centre exact width", CentreCell("Evaporated", 10), "Evaporated\t"},
        {"centre one short", CentreCell("Dispersed", 10), "Dispersed \t"},
        {"centre of a too long text is cut", CentreCell("Chemical Disp", 10), "Chemical D\t"},
        {"centre of a blank", CentreCell(" ", 6), "      \t"},
    };
    for (const Case& c : cases) EXPECT_EQ(c.got, c.want) << c.name;
}

TEST(TableText, NumbersAndDecimalsRule) {
    struct Amount {
        const char* name;
        double value;
        int decimals;
        const char* want;
    } amounts[] = {
        {"millions", 1234567, 0, "1,234,567"},
        {"negative thousand, no comma after the sign", -1000, 0, "-1,000"},
        {"three digits", 999, 0, "999"},
        {"six digits", 100000, 0, "100,000"},
        {"rounded up into a new group", 999.7, 0, "1,000"},
        {"zero", 0, 0, "0"},
        {"small negative", -5, 0, "-5"},
        {"one decimal has no commas", 12345.67, 1, "12345.7"},
        {"two decimals", 9.994, 2, "9.99"},
    };
    for (const Amount& a : amounts) EXPECT_EQ(NumberText(a.value, a.decimals), a.want) << a.name;

    struct Total {
        const char* name;
        double total;
        int want;
    } totals[] = {
        {"9.99", 9.99, 2},   {"10", 10, 1},         {"99.9", 99.9, 1},  {"100", 100, 0},
        {"1234", 1234, 0},   {"zero", 0, 2},        {"missing", -999, 2}, {"negative", -1, 2},
        {"below one", 0.5, 2}, {"not a number", std::nan(""), 2},
    };
    for (const Total& t : totals) EXPECT_EQ(DecimalsFor(t.total), t.want) << t.name;
}

class UtcZone : public tavro_test::UtcZone {
protected:
    static std::time_t Utc(int y, int mo, int d, int h, int mi) { return tavro_test::UtcTime(y, mo, d, h, mi); }
};

using TableHeaderTest = UtcZone;

TEST_F(TableHeaderTest, WindAndWaveVariants) {
    struct Case {
        const char* name;
        bool variable;
        double speed;
        int speedUnit, chooser;
        double wave;
        int waveUnit;
        const char* want;
    } cases[] = {
        {"variable winds run straight into the waves", true, -999, 0, 0, -999, 0,
         "Wind Speed = variable windsWave Height = computed from winds"},
        {"constant speed ends in a tab", false, 12.4, 0, 1, -999, 0,
         "Wind Speed = constant at 12 mph\tWave Height = computed from wind speed and fetch"},
        {"constant zero knots", false, 0, 1, 2, 3.2, 1,
         "Wind Speed = constant at 0 knots\tWave Height = 3 feet"},
        {"metres per second and metres", false, 7.6, 2, 2, 1.4, 0,
         "Wind Speed = constant at 8 m/s\tWave Height = 1 meters"},
        {"no speed writes nothing", false, -999, 0, 0, -999, 0, "Wind Speed = Wave Height = computed from winds"},
    };
    for (const Case& c : cases) {
        TableHeader h;
        h.variableWinds = c.variable;
        h.windSpeed = c.speed;
        h.windSpeedUnit = c.speedUnit;
        h.waveChooser = c.chooser;
        h.waveHeight = c.wave;
        h.waveHeightUnit = c.waveUnit;
        EXPECT_EQ(WindWaveText(h), c.want) << c.name;
    }
}

TEST_F(TableHeaderTest, OpeningLinesFromTheScenario) {
    platform::FixedClock clock(0);
    document::Scenario s(Utc(2026, 3, 5, 14, 7));
    s.OilName = "Hibernia [2018], ECCC ESTS 2021";
    s.API = "32.6";
    s.PourPoint = "12 deg C";
    s.m_dWindSpeed = 10;
    s.m_iWindSpeedUnit = 1;
    s.m_iWaveHeightChooser = 1;
    s.water.temperature = 15.2;
    s.water.tempUnits = 2;
    EXPECT_EQ(HeaderOpening(ReadTableHeader(s, clock)),
              "Oil Name = Hibernia [2018], ECCC ESTS 2021\n"
              "API = 32.6\t\t\t\t\t\t\t\tPour Point = 12 deg C\n"
              "Wind Speed = constant at 10 knots\tWave Height = computed from wind speed and fetch\n"
              "Water temperature = 15 deg C\n"
              "Time of Initial Release = March 05, 1407 hours\n");
}

using SpillHoursTest = UtcZone;

TEST_F(SpillHoursTest, CountsWholeHoursFromTheSpillHour) {
    platform::FixedClock clock(0);
    const SpillHours hours(Utc(2028, 2, 28, 23, 45), clock);
    const std::tm first = hours.After(0);
    EXPECT_EQ(first.tm_hour, 23);
    EXPECT_EQ(first.tm_min, 0);
    const std::tm next = hours.After(1);
    EXPECT_EQ(next.tm_mon, 1);
    EXPECT_EQ(next.tm_mday, 29) << "2028 is a leap year";
    EXPECT_EQ(next.tm_hour, 0);
    EXPECT_EQ(hours.SpillLocal().tm_min, 45);
}

TEST(TableText, LineEndsAndDrawing) {
    EXPECT_EQ(WithLineEnds("a\nb\n", "\r\n"), "a\r\nb\r\n");
    EXPECT_EQ(WithLineEnds("a\tb", "\r\n"), "a\tb");

    platform::RecordingCanvas canvas;
    const platform::Size extent = DrawTableText(canvas, "H\n", "a\tb\n\nc\n", {10, 0});
    const int lineHeight = canvas.textMetrics().height;
    ASSERT_GT(lineHeight, 0);
    EXPECT_EQ(extent.cy, 4 * lineHeight) << "a blank line takes one font height, no line after the last end";
    const auto texts = canvas.Find(platform::OpKind::Text);
    ASSERT_EQ(texts.size(), 4u);
    struct Placed {
        const char* text;
        platform::Point at;
    } want[] = {{"H", {10, 0}}, {"a", {10, lineHeight}}, {"b", {20, lineHeight}}, {"c", {10, 3 * lineHeight}}};
    for (std::size_t i = 0; i < texts.size(); ++i) {
        SCOPED_TRACE(want[i].text);
        EXPECT_EQ(texts[i]->text, want[i].text);
        EXPECT_EQ(texts[i]->points.at(0), want[i].at) << "tab stops every 20 pixels from x = 0";
    }
    EXPECT_EQ(extent.cx, 20 + canvas.textExtent("b").cx - 10);
}

TEST(TableText, TabsExpandToStopsFourColumnsApartAndMapBack) {
    struct Case {
        const char* name;
        std::string text, shown;
        std::vector<std::size_t> sourceAt;
    } cases[] = {
        {"text before a tab keeps a gap to the next cell", "knots\tWave", "knots   Wave",
         {0, 1, 2, 3, 4, 5, 5, 5, 6, 7, 8, 9, 10}},
        {"a tab on a stop takes a whole stop", "abcd\tx", "abcd    x", {0, 1, 2, 3, 4, 4, 4, 4, 5, 6}},
        {"two tabs in a row", "a\t\tb", "a       b", {0, 1, 1, 1, 2, 2, 2, 2, 3, 4}},
        {"a new line starts the columns again", "ab\nc\td", "ab\nc   d", {0, 1, 2, 3, 4, 4, 4, 5, 6}},
        {"a two-byte character is one column", "\xc3\xa9\tx", "\xc3\xa9   x", {0, 1, 1, 1, 2, 3}},
        {"no tabs", "N/A", "N/A", {0, 1, 2, 3}},
        {"empty", "", "", {0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ExpandedText e = ExpandTabs(c.text, 4);
        EXPECT_EQ(e.shown, c.shown);
        EXPECT_EQ(e.sourceAt, c.sourceAt);
    }
    // The table's columns line up as on paper: every cell starts on a stop.
    const ExpandedText row = ExpandTabs("Hours Into\t Released \t \tEvaporated\t\n         1\t  1,000   \t-\t    11    \t", 4);
    EXPECT_EQ(row.shown, "Hours Into   Released       Evaporated  \n         1    1,000     -       11      ");
}

TEST(TableExport, DefaultExtensionOnlyForBareNames) {
    struct Case {
        const char* name;
        const char* path;
        const char* ext;
        const char* want;
    } cases[] = {
        {"bare name", "/tmp/out", "txt", "/tmp/out.txt"},
        {"own extension kept", "/tmp/out.dat", "ics", "/tmp/out.dat"},
        {"dot in the folder only", "/tmp/a.b/out", "ics", "/tmp/a.b/out.ics"},
        {"relative bare name", "ICS209", "ics", "ICS209.ics"},
    };
    for (const Case& c : cases) EXPECT_EQ(WithDefaultExtension(c.path, c.ext), c.want) << c.name;
}

TEST(TableExport, WritesBytesExactly) {
    tavro_test::TempDir dir("tables");
    platform::RecordingMessages messages;
    const std::string path = dir / "BudgetTable.txt";
    const std::string bytes = "a\tb\r\nc\r";
    ASSERT_TRUE(SaveTableFile(path, bytes, "failed", messages));
    std::string back;
    ASSERT_TRUE(platform::ReadWholeFile(path, back));
    EXPECT_EQ(back, bytes);
    EXPECT_TRUE(messages.Entries().empty());
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"BudgetTable.txt"});
}

TEST(TableExport, FailureShowsTheTextAndLeavesNothingBehind) {
    tavro_test::TempDir dir("tables");
    // A regular file where the folder should be: no one can create a file
    // inside it, whatever the user's rights.
    const std::string blocker = dir / "notafolder";
    ASSERT_TRUE(platform::WriteWholeFile(blocker, "x"));
    platform::RecordingMessages messages;
    EXPECT_FALSE(SaveTableFile(blocker + "/ICS209.txt", "data", "Cannot create file for ICS table.", messages));
    ASSERT_EQ(messages.Entries().size(), 1u);
    EXPECT_EQ(messages.Entries()[0].text, "Cannot create file for ICS table.");
    EXPECT_EQ(messages.Entries()[0].icon, platform::MsgIcon::Stop);
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"notafolder"});
}

TEST(TableExport, ExistingFileUntouchedWhenTheWriteFails) {
    tavro_test::TempDir dir("tables");
    // The target is a folder holding a file: the rename over it fails after
    // the temporary was written, which must then be removed.
    const std::string target = dir / "BudgetTable.txt";
    std::filesystem::create_directory(target);
    const std::string inside = target + "/keep";
    ASSERT_TRUE(platform::WriteWholeFile(inside, "old bytes\r\n"));
    platform::RecordingMessages messages;
    EXPECT_FALSE(SaveTableFile(target, "new", "Cannot create file for Budget Table table", messages));
    ASSERT_EQ(messages.Texts(), std::vector<std::string>{"Cannot create file for Budget Table table"});
    std::string back;
    ASSERT_TRUE(platform::ReadWholeFile(inside, back));
    EXPECT_EQ(back, "old bytes\r\n");
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"BudgetTable.txt"});
}

// The new text cannot all be written (it outgrows the file-size limit): the
// old file keeps its bytes and the cut-off temporary is gone.
TEST(TableExport, ExistingFileByteIdenticalWhenTheNewTextCannotBeWritten) {
    tavro_test::TempDir dir("tables");
    const std::string path = dir / "BudgetTable.txt";
    ASSERT_TRUE(platform::WriteWholeFile(path, "old bytes\r\n"));
    platform::RecordingMessages messages;
    bool saved = true;
    {
        tavro_test::FileSizeLimit limit(4096);
        if (!limit.Applied()) GTEST_SKIP() << "cannot set a file-size limit";
        saved = SaveTableFile(path, std::string(64 * 1024, 'x'), "Cannot create file for Budget Table table",
                              messages);
    }
    EXPECT_FALSE(saved);
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"Cannot create file for Budget Table table"});
    std::string back;
    ASSERT_TRUE(platform::ReadWholeFile(path, back));
    EXPECT_EQ(back, "old bytes\r\n");
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"BudgetTable.txt"});
}

TEST(TableExport, AsksBeforeReplacingANameItCompleted) {
    tavro_test::TempDir dir("tables");
    platform::RecordingMessages messages;
    EXPECT_TRUE(ConfirmReplace(dir / "new.txt", messages));
    EXPECT_TRUE(messages.Entries().empty()) << "nothing to ask about a new file";
    ASSERT_TRUE(platform::WriteWholeFile(dir / "old.txt", "x"));
    messages.QueueAnswer(platform::MsgResult::No);
    EXPECT_FALSE(ConfirmReplace(dir / "old.txt", messages));
    messages.QueueAnswer(platform::MsgResult::Yes);
    EXPECT_TRUE(ConfirmReplace(dir / "old.txt", messages));
    EXPECT_EQ(messages.Entries().size(), 2u);
}

TEST(TableExport, SaveAsCompletesTheNameAndAsksBeforeReplacing) {
    tavro_test::TempDir dir("tables");
    ASSERT_TRUE(platform::WriteWholeFile(dir / "ICS209.ics", "old"));
    struct Case {
        const char* name;
        const char* chosen;
        const char* written;  // the file that must hold "new"
        std::vector<platform::MsgResult> answers;
        SaveOutcome want;
        std::size_t asked;
    } cases[] = {
        {"full name: the dialog already asked", "ICS209.txt", "ICS209.txt", {}, SaveOutcome::Saved, 0},
        {"completed name of a new file", "period", "period.ics", {}, SaveOutcome::Saved, 0},
        {"completed name of an old file, kept", "ICS209", "", {platform::MsgResult::No}, SaveOutcome::Cancelled, 1},
        {"completed name of an old file, replaced", "ICS209", "ICS209.ics", {platform::MsgResult::Yes},
         SaveOutcome::Saved, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        platform::RecordingMessages messages;
        for (platform::MsgResult a : c.answers) messages.QueueAnswer(a);
        EXPECT_EQ(SaveTableAs(dir / c.chosen, "ics", "new", "failed", messages), c.want);
        EXPECT_EQ(messages.Entries().size(), c.asked);
        std::string back;
        if (*c.written) {
            ASSERT_TRUE(platform::ReadWholeFile(dir / c.written, back));
            EXPECT_EQ(back, "new");
        } else {
            ASSERT_TRUE(platform::ReadWholeFile(dir / "ICS209.ics", back));
            EXPECT_EQ(back, "old");
        }
    }
}

}  // namespace
