// The ICS table: period sums, the start slot, the duration edit, the screen
// text and the exported ICS209.txt bytes.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <memory>

#include "model/Series.h"
#include "output/core/IcsTable.h"
#include "platform/Clock.h"
#include "tests/support/TimeZone.h"

namespace {

using namespace output;

using tavro_test::ZoneScope;

std::time_t Local(int y, int mo, int d, int h, int mi) { return tavro_test::LocalTime(y, mo, d, h, mi); }

// 8 hours at 2 points per hour: 1000 bbl spilled at once; per point 20
// evaporate, 5 disperse naturally, and 1 is skimmed, 2 dispersed by
// chemicals, 3 burned and 4 beached, so each row of the table has numbers
// of its own.
std::unique_ptr<model::SIcsBudgetData> Fixture(double scale = 1) {
    auto r = std::make_unique<model::SIcsBudgetData>();
    r->count = 16;
    r->hours = 8;
    model::CopySeriesLabel(r->units, "bbl");
    struct Named {
        int series;
        const char* name;
        double perPoint;
    };
    const Named named[] = {{model::ICS_EVAPORATED, "Evaporated", 20}, {model::ICS_NATURAL_DISP, "Natural Disp", 5},
                           {model::ICS_SKIMMED, "Skimmed", 1},        {model::ICS_CHEMICAL_DISP, "Chemical Disp", 2},
                           {model::ICS_BURNED, "Burned", 3},          {model::ICS_BEACHED, "Beached", 4}};
    for (int i = 0; i < 16; ++i) {
        r->series[model::ICS_TOTAL][i] = 1000 * scale;
        r->series[model::ICS_REMAINING][i] = (1000 - 35.0 * (i + 1)) * scale;
        for (const Named& n : named) r->series[n.series][i] = n.perPoint * (i + 1) * scale;
    }
    model::CopySeriesLabel(r->names[model::ICS_TOTAL], "Total");
    model::CopySeriesLabel(r->names[model::ICS_REMAINING], "Remaining");
    for (const Named& n : named) model::CopySeriesLabel(r->names[n.series], n.name);
    return r;
}

TEST(IcsPeriodSums, Table) {
    const auto r = Fixture();
    // Rows: 0 spilled, 1 recovered, 2 evaporation, 3 natural, 4 chemical,
    // 5 burned, 6 floating, 7 onshore, 8 sum of 1-7.
    struct Case {
        const char* name;
        int slot, duration;
        double period[9], total[9];
    } cases[] = {
        {"slot 1 for 8 h: both columns equal", 1, 8,
         {1000, 16, 320, 80, 32, 48, 440, 64, 1000}, {1000, 16, 320, 80, 32, 48, 440, 64, 1000}},
        {"slot 3 for 2 h: differences, floating whole", 3, 2,
         {0, 4, 80, 20, 8, 12, 720, 16, 860}, {1000, 8, 160, 40, 16, 24, 720, 32, 1000}},
        {"slot 7 for 4 h is cut at the last point", 7, 4,
         {0, 4, 80, 20, 8, 12, 440, 16, 580}, {1000, 16, 320, 80, 32, 48, 440, 64, 1000}},
        {"slot 0 lies before the spill", 0, 8, {}, {}},
        {"duration 0", 1, 0, {}, {}},
        {"slot past the end of the run", 9, 8, {}, {}},
        {"slot far before the spill", -500, 24, {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const IcsPeriodSums sums = ComputePeriodSums(*r, c.slot, c.duration);
        for (int row = 0; row < kIcsRows; ++row) {
            EXPECT_DOUBLE_EQ(sums.period[row], c.period[row]) << "period of row " << row;
            EXPECT_DOUBLE_EQ(sums.total[row], c.total[row]) << "total of row " << row;
        }
    }
    // A series the model did not name reads as nothing.
    r->names[model::ICS_CHEMICAL_DISP][0] = '\0';
    const IcsPeriodSums unnamed = ComputePeriodSums(*r, 1, 8);
    EXPECT_EQ(unnamed.period[4], 0);
    EXPECT_EQ(unnamed.total[4], 0);
    EXPECT_DOUBLE_EQ(unnamed.total[8], 1000 - 32);
}

TEST(IcsPeriodSums, PrecisionFromTheLastTotal) {
    struct Case {
        const char* name;
        double scale;
        int want;
    } cases[] = {{"1000 bbl", 1, 0}, {"50 bbl", 0.05, 1}, {"5 bbl", 0.005, 2}, {"nothing", 0, 2}};
    for (const Case& c : cases) EXPECT_EQ(GetPrecision(*Fixture(c.scale)), c.want) << c.name;
    model::SIcsBudgetData none;
    EXPECT_EQ(GetPrecision(none), 2) << "no points";
}

TEST(IcsStartSlot, Table) {
    struct Case {
        const char* name;
        const char* tz;
        int y, mo, d, h, mi;      // spill, local
        int month0, day0, hour;  // beginning as the lists show it
        int want;
    } cases[] = {
        {"same hour", "UTC", 2026, 3, 5, 14, 0, 2, 4, 14, 1},
        {"five hours on", "UTC", 2026, 3, 5, 14, 0, 2, 4, 19, 6},
        {"14:30 spill, 14:00 beginning", "UTC", 2026, 3, 5, 14, 30, 2, 4, 14, 1},
        {"14:30 spill, 13:00 beginning", "UTC", 2026, 3, 5, 14, 30, 2, 4, 13, 0},
        {"31 February is 3 March in a common year", "UTC", 2026, 3, 1, 0, 0, 1, 30, 0, 49},
        {"31 February is 2 March in a leap year", "UTC", 2028, 3, 1, 0, 0, 1, 30, 0, 25},
        {"January beginning of a December spill is next year", "UTC", 2026, 12, 31, 20, 0, 0, 0, 2, 7},
        {"summer under a daylight-saving rule", "EST5EDT,M3.2.0,M11.1.0", 2026, 7, 1, 14, 0, 6, 0, 16, 3},
        {"winter under the same rule", "EST5EDT,M3.2.0,M11.1.0", 2026, 1, 15, 14, 0, 0, 14, 16, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ZoneScope zone(c.tz);
        platform::FixedClock clock(0);
        const std::time_t spill = Local(c.y, c.mo, c.d, c.h, c.mi);
        EXPECT_EQ(StartSlot(spill, {c.month0, c.day0, c.hour}, clock), c.want);
    }
}

TEST(IcsDuration, EditRule) {
    struct Case {
        const char* name;
        const char* text;
        int hours;
        bool rewrite;
        const char* shown;
    } cases[] = {
        {"above 24", "30", 24, true, "24"},    {"negative", "-3", 0, true, "0"},
        {"no digits", "abc", 0, false, ""},    {"first text", "  8", 8, false, ""},
        {"empty", "", 0, false, ""},           {"digits then letters", "12h", 12, false, ""},
        {"24 itself", "24", 24, false, ""},    {"huge", "99999999999999999999", 24, true, "24"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const DurationReading d = ReadDuration(c.text);
        EXPECT_EQ(d.hours, c.hours);
        EXPECT_EQ(d.rewrite, c.rewrite);
        EXPECT_EQ(d.text, c.shown);
    }
}

TableHeader Header(const platform::IClock& clock, std::time_t spill, bool variable) {
    document::Scenario s(spill);
    s.OilName = "Hibernia [2018], ECCC ESTS 2021";
    s.API = "32.6";
    s.PourPoint = "12 deg C";
    s.m_bVarWind = variable ? 1 : 0;
    s.m_dWindSpeed = variable ? -999 : 15;
    s.m_iWindSpeedUnit = 0;
    s.m_iWaveHeightChooser = 0;
    s.water.temperature = 50;
    s.water.tempUnits = 1;
    return ReadTableHeader(s, clock);
}

std::string Sp(int n) { return std::string(static_cast<std::size_t>(n), ' '); }

TEST(IcsTable, GoldenScreenText) {
    ZoneScope zone("UTC");
    platform::FixedClock clock(0);
    const std::time_t spill = Local(2026, 3, 5, 14, 0);
    const IcsTableText text(*Fixture(), InitialIcsChoices(spill, clock), spill, Header(clock, spill, false), clock);
    ASSERT_TRUE(text.HasResults());
    EXPECT_EQ(text.StartSlotValue(), 1);
    EXPECT_EQ(text.Header(),
              "Oil Name = Hibernia [2018], ECCC ESTS 2021\n"
              "API = 32.6\t\t\t\t\t\t\t\tPour Point = 12 deg C\n"
              "Wind Speed = constant at 15 mph\tWave Height = computed from winds\n"
              "Water temperature = 50 deg F\n"
              "Time of Initial Release = March 05, 1400 hours\n"
              "-------------------------------------------------------------------\n");
    const std::string want =
        "3. Spill Status (Estimated, in Barrels)" + Sp(21) + "\t\n\n" +
        Sp(16) + "\tThis Operational Period\t" + Sp(7) + "Total" + Sp(8) + "\t\n" +
        Sp(16) + "\t  (Since Last Report)  \t\n\n" +
        "Volume Spilled" + Sp(8) + "\t" + Sp(9) + "1,000\t" + Sp(9) + "1,000\t\n\n" +
        Sp(5) + "Mass Balance / Oil Budget" + Sp(6) + "\t\n\n" +
        "Recovered Oil" + Sp(9) + "\t" + Sp(12) + "16\t" + Sp(12) + "16\t\n\n" +
        "Evaporation" + Sp(11) + "\t" + Sp(11) + "320\t" + Sp(11) + "320\t\n\n" +
        "Natural Dispersion" + Sp(4) + "\t" + Sp(12) + "80\t" + Sp(12) + "80\t\n\n" +
        "Chemical Dispersion" + Sp(3) + "\t" + Sp(12) + "32\t" + Sp(12) + "32\t\n\n" +
        "Burned" + Sp(16) + "\t" + Sp(12) + "48\t" + Sp(12) + "48\t\n\n" +
        "Floating, Contained" + Sp(3) + "\t not estimated\t not estimated\t\n\n" +
        "Floating, Uncontained \t" + Sp(11) + "440\t" + Sp(11) + "440\t\n\n" +
        "Onshore" + Sp(15) + "\t" + Sp(12) + "64\t" + Sp(12) + "64\t\n\n" +
        "Total spilled product accounted for:\t\t" + Sp(9) + "1,000\t\n";
    EXPECT_EQ(text.Table(), want);
}

TEST(IcsTable, HeaderWindTextSharedWithTheBudgetTable) {
    ZoneScope zone("UTC");
    platform::FixedClock clock(0);
    const std::time_t spill = Local(2026, 3, 5, 14, 0);
    const IcsTableText text(*Fixture(), InitialIcsChoices(spill, clock), spill, Header(clock, spill, true), clock);
    EXPECT_NE(text.Header().find("\nWind Speed = variable windsWave Height = computed from winds\n"),
              std::string::npos)
        << text.Header();
}

const char* const kExportHead =
    "op_from\top_to\tvol_op\trecov_op\tevap_op\tdispNat_op\tdispChem_op\tburn_op\tfloatUnc_op\tbeach_op\t"
    "vol_tot\trecov_tot\tevap_tot\tdispNat_tot\tdispChem_tot\tburn_tot\tfloatUnc_tot\tbeach_tot\ttotal\r";

TEST(IcsTable, GoldenExportBytes) {
    ZoneScope zone("UTC");
    platform::FixedClock clock(0);
    const std::time_t spill = Local(2026, 3, 5, 14, 0);
    struct Case {
        const char* name;
        double scale;
        std::string row;
    } cases[] = {
        {"precision 0, no commas", 1,
         "03/05 1400\t03/05 2200\t1000\t16\t320\t80\t32\t48\t440\t64\t1000\t16\t320\t80\t32\t48\t440\t64\t1000\r"},
        {"precision 1", 0.05,
         "03/05 1400\t03/05 2200\t50.0\t0.8\t16.0\t4.0\t1.6\t2.4\t22.0\t3.2\t50.0\t0.8\t16.0\t4.0\t1.6\t2.4\t22.0\t3.2\t50.0\r"},
        {"precision 2", 0.005,
         "03/05 1400\t03/05 2200\t5.00\t0.08\t1.60\t0.40\t0.16\t0.24\t2.20\t0.32\t5.00\t0.08\t1.60\t0.40\t0.16\t0.24\t2.20\t0.32\t5.00\r"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const IcsTableText text(*Fixture(c.scale), InitialIcsChoices(spill, clock), spill,
                                Header(clock, spill, false), clock);
        EXPECT_EQ(text.ExportBytes(), kExportHead + c.row);
        EXPECT_EQ(text.ExportBytes().find('\n'), std::string::npos);
    }
}

TEST(IcsTable, ExportTimesFollowTheChosenPeriod) {
    struct Case {
        const char* name;
        const char* tz;
        int y, mo, d, h, mi;
        IcsChoices choices;
        const char* times;
    } cases[] = {
        {"a 14:30 spill begins its first period at 14:00", "UTC", 2026, 3, 5, 14, 30, {{2, 4, 14}, 8},
         "03/05 1400\t03/05 2200\t"},
        {"a later period over midnight", "UTC", 2026, 3, 5, 14, 0, {{2, 4, 20}, 6}, "03/05 2000\t03/06 0200\t"},
        {"summer is not an hour late", "EST5EDT,M3.2.0,M11.1.0", 2026, 7, 1, 14, 0, {{6, 0, 14}, 8},
         "07/01 1400\t07/01 2200\t"},
        {"29 February is kept", "UTC", 2028, 2, 28, 22, 0, {{1, 28, 2}, 4}, "02/29 0200\t02/29 0600\t"},
        {"a December spill with a January period", "UTC", 2026, 12, 31, 20, 0, {{0, 0, 1}, 2},
         "01/01 0100\t01/01 0300\t"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ZoneScope zone(c.tz);
        platform::FixedClock clock(0);
        const std::time_t spill = Local(c.y, c.mo, c.d, c.h, c.mi);
        const IcsTableText text(*Fixture(), c.choices, spill, Header(clock, spill, false), clock);
        const std::string& bytes = text.ExportBytes();
        const std::size_t row = bytes.find('\r') + 1;
        EXPECT_EQ(bytes.substr(row, 22), c.times);
    }
}

TEST(IcsTable, AbsurdSpillTimesGiveATableAnyway) {
    ZoneScope zone("UTC");
    platform::FixedClock clock(0);
    for (const std::int64_t spill : {INT64_MAX, INT64_MIN, std::int64_t{-1}}) {
        SCOPED_TRACE(spill);
        const IcsTableText text(*Fixture(), InitialIcsChoices(spill, clock), spill, Header(clock, spill, false),
                                clock);
        EXPECT_TRUE(text.HasResults());
        EXPECT_EQ(text.ExportBytes().rfind(kExportHead, 0), 0u);
    }
}

TEST(IcsTable, NoResultsNoText) {
    model::SIcsBudgetData none;
    platform::FixedClock clock(0);
    const IcsTableText text(none, {}, 0, TableHeader{}, clock);
    EXPECT_FALSE(text.HasResults());
    EXPECT_EQ(text.ExportBytes(), "");
    EXPECT_EQ(text.Table(), "");
}

}  // namespace
