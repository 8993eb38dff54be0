// The oil budget table: its header and rows, the row thinning, the last
// step worth listing, the released unit, the dates and the exported bytes.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <memory>
#include <sstream>

#include "model/Series.h"
#include "model/UnitConversion.h"
#include "output/core/BudgetTable.h"
#include "platform/Clock.h"
#include "tests/support/TimeZone.h"

namespace {

using namespace output;

using tavro_test::ZoneScope;

std::time_t Local(int y, int mo, int d, int h, int mi) { return tavro_test::LocalTime(y, mo, d, h, mi); }

using Record = model::SBudgetData;

// A record of count points over hours, each series from a function of the
// step; a fate is named when it is ever above 0, as the model names them.
std::unique_ptr<Record> MakeRecord(int count, int hours, const std::function<double(int)>& total,
                                   const std::function<double(int)>& evaporated,
                                   const std::function<double(int)>& dispersed,
                                   const std::function<double(int)>& remaining) {
    auto r = std::make_unique<Record>();
    r->count = count;
    r->hours = hours;
    model::CopySeriesLabel(r->units, "bbl");
    for (int i = 0; i < count; ++i) {
        r->series[model::BUDGET_TOTAL][i] = total(i);
        r->series[model::BUDGET_EVAPORATED][i] = evaporated(i);
        r->series[model::BUDGET_DISPERSED][i] = dispersed(i);
        r->series[model::BUDGET_REMAINING][i] = remaining(i);
    }
    const char* names[] = {"Evaporated", "Dispersed", "Burned", "Skimmed", "Beached", "Remaining"};
    for (int f = 0; f < 6; ++f) {
        double top = 0;
        for (int i = 0; i < count; ++i) top = std::max(top, r->series[f][i]);
        if (top > 0) model::CopySeriesLabel(r->names[f], names[f]);
    }
    model::CopySeriesLabel(r->names[model::BUDGET_TOTAL], "Total");
    return r;
}

std::vector<int> Hours(const Record& r, const std::vector<int>& rows) {
    std::vector<int> out;
    for (int l : rows) out.push_back(RowHour(r, l));
    return out;
}

std::vector<int> Seq(std::vector<int> head, int from, int step, int to) {
    for (int h = from; h <= to; h += step) head.push_back(h);
    return head;
}

std::string Join(const std::vector<int>& v) {
    std::ostringstream out;
    for (int x : v) out << x << ' ';
    return out.str();
}

TEST(BudgetRows, WorkedRunsAndCoarserSets) {
    auto constant = [](double v) { return [v](int) { return v; }; };
    auto zero = constant(0);
    struct Case {
        const char* name;
        std::unique_ptr<Record> record;
        int lastStep;
        std::vector<int> hours;
    };
    std::vector<Case> cases;
    cases.push_back({"instantaneous, 120 h at 2 steps per hour, remaining exp(-0.01 i)",
                     MakeRecord(
                         240, 120, constant(1000), [](int i) { return 1000 - 1000 * std::exp(-0.01 * i); }, zero,
                         [](int i) { return 1000 * std::exp(-0.01 * i); }),
                     231, Seq({1, 2, 4, 6, 8, 10, 12}, 18, 6, 114)});
    cases.push_back({"24 h release in a 48 h run at 4 steps per hour",
                     MakeRecord(
                         192, 48, [](int i) { return 10.0 * std::min(i + 1, 96); },
                         [](int i) { return 5.0 * std::min(i + 1, 96); }, zero,
                         [](int i) { return 5.0 * std::min(i + 1, 96); }),
                     192, Seq(Seq({1}, 2, 2, 34), 40, 6, 46)});
    cases.push_back({"12 h run at 8 steps per hour with a 6 h release: every even hour, then hourly",
                     MakeRecord(
                         96, 12, [](int i) { return 1.0 * std::min(i + 1, 48); }, zero, zero,
                         [](int i) { return 0.5 * std::min(i + 1, 48); }),
                     96, Seq({2, 4, 6}, 7, 1, 12)});
    cases.push_back({"24 h instantaneous at 6 steps per hour keeps whole-hour labels",
                     MakeRecord(144, 24, constant(1000), constant(500), zero, constant(500)), 144,
                     {1, 2, 4, 6, 8, 10, 12, 18, 24}});
    cases.push_back({"release growing for 120 h needs rows 6 h apart",
                     MakeRecord(
                         240, 120, [](int i) { return i + 1.0; }, zero, zero, [](int i) { return i + 1.0; }),
                     240, Seq({1}, 6, 6, 120)});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(LastStep(*c.record), c.lastStep);
        const std::vector<int> rows = ChooseRows(*c.record, false);
        EXPECT_LE(rows.size(), 30u);
        EXPECT_EQ(Join(Hours(*c.record, rows)), Join(c.hours));
    }
}

TEST(BudgetRows, LastStepStopsAtLastGrowthOrTenPercent) {
    auto zero = [](int) { return 0.0; };
    struct Case {
        const char* name;
        std::unique_ptr<Record> record;
        int want;
    };
    std::vector<Case> cases;
    cases.push_back({"total grows to step 30, little left after",
                     MakeRecord(
                         60, 30, [](int i) { return 10.0 * std::min(i + 1, 31); }, zero, zero,
                         [](int i) { return 0.05 * 10.0 * std::min(i + 1, 31); }),
                     31});
    cases.push_back({"remaining falls to a tenth at step 40",
                     MakeRecord(
                         60, 30, [](int) { return 100.0; }, zero, zero, [](int i) { return i < 40 ? 50.0 : 10.0; }),
                     40});
    cases.push_back({"exactly a tenth is not more than a tenth",
                     MakeRecord(
                         60, 30, [](int) { return 100.0; }, zero, zero, [](int i) { return i < 20 ? 10.5 : 10.0; }),
                     20});
    cases.push_back({"nothing qualifies: the whole run", MakeRecord(60, 30, [](int) { return 100.0; }, zero, zero, zero),
                     60});
    cases.push_back({"zero totals count as not remaining",
                     MakeRecord(
                         60, 30, [](int i) { return i < 10 ? 100.0 : 0.0; }, zero, zero,
                         [](int i) { return i < 10 ? 50.0 : 0.0; }),
                     10});
    cases.push_back({"missing totals count as not remaining",
                     MakeRecord(
                         60, 30, [](int i) { return i < 10 ? 100.0 : -999.0; }, zero, zero,
                         [](int i) { return i < 10 ? 50.0 : -999.0; }),
                     10});
    for (const Case& c : cases) EXPECT_EQ(LastStep(*c.record), c.want) << c.name;
}

TEST(BudgetRows, RowLimitCountsTheSeededRow) {
    auto r = MakeRecord(
        240, 120, [](int i) { return i + 1.0; }, [](int) { return 0.0; }, [](int) { return 0.0; },
        [](int i) { return i + 1.0; });
    std::vector<int> rows;
    EXPECT_EQ(SelectRows(rows, 30, *r, 240, {4, 4, 12, 10}), 0) << "29 rows 4 h apart and the seeded row hit 30";
    EXPECT_EQ(SelectRows(rows, 31, *r, 240, {4, 4, 12, 10}), 31);
    EXPECT_EQ(rows.front(), 1) << "the seeded row ends hour 1";
}

TEST(BudgetUnits, ReleasedUnitFromTheReleaseInput) {
    struct Case {
        const char* name;
        std::function<void(document::Scenario&)> set;
        int want;
        const char* label;
    } cases[] = {
        {"no release", [](document::Scenario&) {}, 0, "bbl"},
        {"instantaneous gal", [](document::Scenario& s) { s.instant = {1, 1, 10, 2}; }, 1, "gal"},
        {"instantaneous metric tons", [](document::Scenario& s) { s.instant = {1, 1, 10, 5}; }, 4, "metric tons"},
        {"instantaneous bad unit", [](document::Scenario& s) { s.instant = {1, 1, 10, 0}; }, 0, "bbl"},
        {"contained cu m", [](document::Scenario& s) { s.boomed.flag = 1; s.boomed.volUnits = 3; }, 2, "cu m"},
        {"continuous bbl/hr", [](document::Scenario& s) { s.continuous.flag = 1; s.continuous.rateUnits = 1; }, 0,
         "bbl"},
        {"continuous gal/hr", [](document::Scenario& s) { s.continuous.flag = 1; s.continuous.rateUnits = 2; }, 1,
         "gal"},
        {"continuous cu m/hr", [](document::Scenario& s) { s.continuous.flag = 1; s.continuous.rateUnits = 3; }, 2,
         "cu m"},
        {"continuous tons/hr", [](document::Scenario& s) { s.continuous.flag = 1; s.continuous.rateUnits = 4; }, 3,
         "tons"},
        {"continuous metric tons/hr",
         [](document::Scenario& s) { s.continuous.flag = 1; s.continuous.rateUnits = 5; }, 4, "metric tons"},
        {"continuous gal/min", [](document::Scenario& s) { s.continuous.flag = 1; s.continuous.rateUnits = 6; }, 1,
         "gal"},
        {"instantaneous before continuous",
         [](document::Scenario& s) {
             s.instant = {1, 1, 10, 3};
             s.continuous.flag = 1;
             s.continuous.rateUnits = 1;
         },
         2, "cu m"},
        {"tank only", [](document::Scenario& s) { s.tank.flag = 1; }, 0, "bbl"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        document::Scenario s;
        c.set(s);
        EXPECT_EQ(InitialReleasedUnit(s), c.want);
        EXPECT_STREQ(ReleasedUnitOf(c.want).label, c.label);
        const BudgetChoices initial = InitialBudgetChoices(s);
        EXPECT_EQ(initial.timeStyle, 0);
        EXPECT_EQ(initial.otherStyle, 1);
    }
    EXPECT_EQ(ReleasedUnitOf(0).amountUnit, model::AMOUNT_BBL);
    EXPECT_EQ(ReleasedUnitOf(2).amountUnit, model::AMOUNT_CUM);
    EXPECT_EQ(ReleasedUnitOf(4).amountUnit, model::AMOUNT_TONNES);
}

// ---- The golden table: 12 hourly steps, a 5-hour release, three fates ----

struct Step {
    double total, evaporated, dispersed, remaining;
};
constexpr Step kSteps[12] = {
    {250, 10, 5, 235},     {500, 40, 10, 450},    {750, 90, 20, 640},    {1000, 160, 30, 810},
    {1234, 300, 50, 884},  {1234, 500, 100, 634}, {1234, 700, 200, 334}, {1234, 800, 250, 184},
    {1234, 850, 250, 134}, {1234, 860, 250, 124}, {1234, 880, 254, 100}, {1234, 894, 256, 84},
};

std::unique_ptr<Record> GoldenRecord() {
    return MakeRecord(
        12, 12, [](int i) { return kSteps[i].total; }, [](int i) { return kSteps[i].evaporated; },
        [](int i) { return kSteps[i].dispersed; }, [](int i) { return kSteps[i].remaining; });
}

TableHeader GoldenHeader(const platform::IClock& clock, std::time_t spill) {
    document::Scenario s(spill);
    s.OilName = "Hibernia [2018], ECCC ESTS 2021";
    s.API = "32.6";
    s.PourPoint = "12 deg C";
    s.m_dWindSpeed = 10;
    s.m_iWindSpeedUnit = 1;
    s.m_iWaveHeightChooser = 2;
    s.m_dWaveHeight = 1;
    s.m_iWaveHeightUnit = 0;
    s.water.temperature = 15;
    s.water.tempUnits = 2;
    return ReadTableHeader(s, clock);
}

const char* const kGoldenHeader =
    "Oil Name = Hibernia [2018], ECCC ESTS 2021\r\n"
    "API = 32.6\t\t\t\t\t\t\t\tPour Point = 12 deg C\r\n"
    "Wind Speed = constant at 10 knots\tWave Height = 1 meters\r\n"
    "Water temperature = 15 deg C\r\n"
    "Time of Initial Release = March 05, 1920 hours\r\n"
    "Total amount of Oil Released = 1234 bbl\r\n"
    "-------------------------------------------------------------------\r\n";

TEST(BudgetTable, GoldenExportBytes) {
    ZoneScope zone("UTC");
    platform::FixedClock clock(0);
    const std::time_t spill = Local(2026, 3, 5, 19, 20);
    const TableHeader header = GoldenHeader(clock, spill);
    const SpillHours times(spill, clock);
    const auto record = GoldenRecord();
    struct Case {
        const char* name;
        BudgetChoices choices;
        std::string table;
    } cases[] = {
        {"hours and percent",
         {0, 0, 1},
         "Hours Into\t Released \t \tEvaporated\t \tDispersed \t \tRemaining \t\r\n"
         "     Spill\t   bbl    \t \t percent  \t \t percent  \t \t percent  \t\r\n"
         "         2\t   500    \t-\t    8     \t-\t    2     \t-\t    90    \t\r\n"
         "         4\t  1,000   \t \t    16    \t \t    3     \t \t    81    \t\r\n"
         "         6\t  1,234   \t-\t    41    \t-\t    8     \t-\t    51    \t\r\n"
         "         7\t  1,234   \t \t    57    \t \t    16    \t \t    27    \t\r\n"
         "         8\t  1,234   \t-\t    65    \t-\t    20    \t-\t    15    \t\r\n"
         "         9\t  1,234   \t \t    69    \t \t    20    \t \t    11    \t\r\n"
         "        10\t  1,234   \t-\t    70    \t-\t    20    \t-\t    10    \t\r\n"},
        {"dates and fraction",
         {1, 0, 2},
         "Date &\tTime\t Released \t \tEvaporated\t \tDispersed \t \tRemaining \t\r\n"
         "      \t    \t   bbl    \t \t fraction \t \t fraction \t \t fraction \t\r\n"
         "Mar 05\t2100\t   500    \t-\t   0.08   \t-\t   0.02   \t-\t   0.90   \t\r\n"
         "      \t2300\t  1,000   \t \t   0.16   \t \t   0.03   \t \t   0.81   \t\r\n"
         "Mar 06\t0100\t  1,234   \t-\t   0.41   \t-\t   0.08   \t-\t   0.51   \t\r\n"
         "      \t0200\t  1,234   \t \t   0.57   \t \t   0.16   \t \t   0.27   \t\r\n"
         "      \t0300\t  1,234   \t-\t   0.65   \t-\t   0.20   \t-\t   0.15   \t\r\n"
         "      \t0400\t  1,234   \t \t   0.69   \t \t   0.20   \t \t   0.11   \t\r\n"
         "      \t0500\t  1,234   \t-\t   0.70   \t-\t   0.20   \t-\t   0.10   \t\r\n"},
        {"hours and same as released",
         {0, 0, 0},
         "Hours Into\t Released \t \tEvaporated\t \tDispersed \t \tRemaining \t\r\n"
         "     Spill\t   bbl    \t \t   bbl    \t \t   bbl    \t \t   bbl    \t\r\n"
         "         2\t   500    \t-\t    40    \t-\t    10    \t-\t   450    \t\r\n"
         "         4\t  1,000   \t \t   160    \t \t    30    \t \t   810    \t\r\n"
         "         6\t  1,234   \t-\t   500    \t-\t   100    \t-\t   634    \t\r\n"
         "         7\t  1,234   \t \t   700    \t \t   200    \t \t   334    \t\r\n"
         "         8\t  1,234   \t-\t   800    \t-\t   250    \t-\t   184    \t\r\n"
         "         9\t  1,234   \t \t   850    \t \t   250    \t \t   134    \t\r\n"
         "        10\t  1,234   \t-\t   860    \t-\t   250    \t-\t   124    \t\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const BudgetTableText text(*record, c.choices, header, times);
        EXPECT_EQ(text.ExportBytes(), kGoldenHeader + c.table);
        EXPECT_EQ(text.ScreenText().substr(0, 1), "\n") << "the window starts with a blank line";
        EXPECT_EQ(text.ScreenText().find('\r'), std::string::npos) << "the window holds plain line feeds";
    }
}

TEST(BudgetTable, DecimalsFollowTheLastTotal) {
    ZoneScope zone("UTC");
    platform::FixedClock clock(0);
    const std::time_t spill = Local(2026, 3, 5, 19, 20);
    struct Case {
        const char* name;
        double scale;
        const char* firstRow;  // hours, same as released
    } cases[] = {
        {"below 10: two decimals", 0.005, "         2\t   2.50   \t-\t   0.20   \t-\t   0.05   \t-\t   2.25   \t"},
        {"below 100: one decimal", 0.05, "         2\t   25.0   \t-\t   2.0    \t-\t   0.5    \t-\t   22.5   \t"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto r = GoldenRecord();
        for (int s = 0; s < model::BUDGET_SERIES; ++s)
            for (int i = 0; i < r->count; ++i) r->series[s][i] *= c.scale;
        const BudgetTableText text(*r, {0, 0, 0}, GoldenHeader(clock, spill), SpillHours(spill, clock));
        std::istringstream lines(text.Table());
        std::string line;
        for (int i = 0; i < 3; ++i) std::getline(lines, line);
        EXPECT_EQ(line, c.firstRow);
    }
}

TEST(BudgetTable, ZeroAndMissingAmountsReadNA) {
    ZoneScope zone("UTC");
    platform::FixedClock clock(0);
    const std::time_t spill = Local(2026, 3, 5, 19, 20);
    // Nothing released in the first two hours, then a missing step.
    auto r = MakeRecord(
        12, 12, [](int i) { return i < 2 ? 0.0 : i == 3 ? -999.0 : 50.0; }, [](int i) { return i < 2 ? 0.0 : 10.0; },
        [](int) { return 0.0; }, [](int i) { return i < 2 ? 0.0 : i == 3 ? -999.0 : 40.0; });
    struct Case {
        const char* name;
        int otherStyle;
        std::vector<std::string> rows;  // the first four rows
    } cases[] = {
        {"percent",
         1,
         {"         1\t   0.0    \t-\t   N/A    \t-\t   N/A    \t",
          "         2\t   0.0    \t \t   N/A    \t \t   N/A    \t",
          "         4\t   N/A    \t-\t   N/A    \t-\t   N/A    \t",
          "         6\t   50.0   \t \t    20    \t \t    80    \t"}},
        {"same as released",
         0,
         {"         1\t   0.0    \t-\t   0.0    \t-\t   0.0    \t",
          "         2\t   0.0    \t \t   0.0    \t \t   0.0    \t",
          "         4\t   N/A    \t-\t   10.0   \t-\t   N/A    \t",
          "         6\t   50.0   \t \t   10.0   \t \t   40.0   \t"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const BudgetTableText text(*r, {0, 0, c.otherStyle}, GoldenHeader(clock, spill), SpillHours(spill, clock));
        std::istringstream lines(text.Table());
        std::string line;
        std::getline(lines, line);
        std::getline(lines, line);
        for (const std::string& want : c.rows) {
            std::getline(lines, line);
            EXPECT_EQ(line, want);
        }
    }
}

// The date and time cells of every row of the dates style.
std::vector<std::string> DateCells(const std::string& table) {
    std::vector<std::string> out;
    std::istringstream lines(table);
    std::string line;
    std::getline(lines, line);
    std::getline(lines, line);
    while (std::getline(lines, line)) {
        const std::size_t tab1 = line.find('\t');
        const std::size_t tab2 = line.find('\t', tab1 + 1);
        std::string date = line.substr(0, tab1);
        date.erase(0, date.find_first_not_of(' '));
        out.push_back((date.empty() ? std::string("-") : date) + " " + line.substr(tab1 + 1, tab2 - tab1 - 1));
    }
    return out;
}

TEST(BudgetTable, DatesCountWholeHoursInLocalTime) {
    struct Case {
        const char* name;
        const char* tz;
        int y, mo, d, h, mi;
        std::vector<std::string> want;  // rows of hours 2, 4, 6, 7, 8, 9, 10
    } cases[] = {
        {"23:00 spill", "UTC", 2026, 3, 5, 23, 0,
         {"Mar 06 0100", "- 0300", "- 0500", "- 0600", "- 0700", "- 0800", "- 0900"}},
        {"28 February, common year", "UTC", 2026, 2, 28, 20, 30,
         {"Feb 28 2200", "Mar 01 0000", "- 0200", "- 0300", "- 0400", "- 0500", "- 0600"}},
        {"28 February, leap year", "UTC", 2028, 2, 28, 20, 30,
         {"Feb 28 2200", "Feb 29 0000", "- 0200", "- 0300", "- 0400", "- 0500", "- 0600"}},
        {"spill hour 0", "UTC", 2026, 3, 5, 0, 10,
         {"Mar 05 0200", "- 0400", "- 0600", "- 0700", "- 0800", "- 0900", "- 1000"}},
        {"summer under a daylight-saving rule", "EST5EDT,M3.2.0,M11.1.0", 2026, 7, 1, 14, 0,
         {"Jul 01 1600", "- 1800", "- 2000", "- 2100", "- 2200", "- 2300", "Jul 02 0000"}},
        {"winter under the same rule", "EST5EDT,M3.2.0,M11.1.0", 2026, 1, 15, 14, 0,
         {"Jan 15 1600", "- 1800", "- 2000", "- 2100", "- 2200", "- 2300", "Jan 16 0000"}},
        {"across the spring change", "EST5EDT,M3.2.0,M11.1.0", 2026, 3, 7, 23, 0,
         {"Mar 08 0100", "- 0400", "- 0600", "- 0700", "- 0800", "- 0900", "- 1000"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ZoneScope zone(c.tz);
        platform::FixedClock clock(0);
        const std::time_t spill = Local(c.y, c.mo, c.d, c.h, c.mi);
        const BudgetTableText text(*GoldenRecord(), {1, 0, 1}, GoldenHeader(clock, spill), SpillHours(spill, clock));
        EXPECT_EQ(DateCells(text.Table()), c.want);
    }
}

// A row holds the state at the end of its hour: its date and time are the
// spill's hour plus the row's hours, as the hours style counts them.
TEST(BudgetTable, DatesRowIsTheEndOfItsHour) {
    ZoneScope zone("UTC");
    platform::FixedClock clock(0);
    const std::time_t spill = Local(2026, 2, 5, 14, 0);
    const auto instant = MakeRecord(
        240, 120, [](int) { return 1000.0; }, [](int i) { return 2.0 * i; }, [](int) { return 0.0; },
        [](int i) { return 1000 - 2.0 * i; });
    const BudgetTableText dates(*instant, {1, 0, 1}, GoldenHeader(clock, spill), SpillHours(spill, clock));
    const std::vector<std::string> cells = DateCells(dates.Table());
    ASSERT_GE(cells.size(), 3u);
    EXPECT_EQ(cells[0], "Feb 05 1500");
    EXPECT_EQ(cells[1], "- 1600");
    EXPECT_EQ(cells[2], "- 1800");
    const BudgetTableText hours(*instant, {0, 0, 1}, GoldenHeader(clock, spill), SpillHours(spill, clock));
    std::istringstream lines(hours.Table());
    std::string line;
    for (int i = 0; i < 3; ++i) std::getline(lines, line);
    EXPECT_EQ(line.substr(0, 10), "         1");
}

TEST(BudgetTable, AbsurdSpillTimesGiveATableAnyway) {
    ZoneScope zone("UTC");
    platform::FixedClock clock(0);
    for (const std::int64_t spill : {INT64_MAX, INT64_MIN, std::int64_t{-1}}) {
        SCOPED_TRACE(spill);
        const BudgetTableText text(*GoldenRecord(), {1, 0, 1}, GoldenHeader(clock, spill), SpillHours(spill, clock));
        EXPECT_EQ(DateCells(text.Table()).size(), 7u);
    }
}

TEST(BudgetTable, NoResultsNoText) {
    auto r = std::make_unique<Record>();
    platform::FixedClock clock(0);
    const BudgetTableText text(*r, {}, TableHeader{}, SpillHours(0, clock));
    EXPECT_FALSE(text.HasResults());
    EXPECT_EQ(text.ExportBytes(), "");
    EXPECT_EQ(NoResultsText(4, 10), "\n\n     N/A");
}

}  // namespace
