// The Release dialog without its window, its set-up dialogs scripted by a
// fake: box clicks, descriptions, the year turn of a December/January mix,
// the spill time and start hours, the checks against the winds and the 120
// hours, Cancel, and a whole release through the command and Solve (the
// test command runs with TZ=UTC).
#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "document/Derive.h"
#include "test_document_helpers.h"
#include "ui/inputs/rules/ReleaseRules.h"
#include "ui/inputs/rules/ReleaseSetupRules.h"

namespace {

using document::Time;
using platform::MsgIcon;
using tavro_test::UtcTime;
using ui::ReleaseKind;
using enum ui::ReleaseKind;

// Set-up dialogs that are functions: each returns OK or Cancel after
// writing the scenario as the dialog would. A kind without a function is
// cancelled; the leaking-tank set-up is missing unless a test adds it.
class FakeSetup final : public ui::IReleaseSetup {
public:
    std::map<ReleaseKind, std::function<bool(document::SpillDocCore&)>> dialogs;
    std::set<ReleaseKind> missing{Tank};
    std::vector<ReleaseKind> ran;
    int uncertaintyRuns = 0;

    bool Run(ReleaseKind kind, document::SpillDocCore& doc) override {
        ran.push_back(kind);
        auto it = dialogs.find(kind);
        return it != dialogs.end() && it->second(doc);
    }
    bool Available(ReleaseKind kind) const override { return missing.count(kind) == 0; }
    bool RunUncertainty(document::SpillDocCore&) override {
        ++uncertaintyRuns;
        return true;
    }
};

constexpr Time kHour = 3600;

class ReleaseDialogRules : public ::testing::Test {
protected:
    // The scenario's times all start at base, as for a new scenario.
    void Reset(Time base) {
        doc.scenario = document::Scenario(base);
        doc.session = document::SessionState();
        doc.session.m_bChanged[document::ChangedRelease] = 0;  // as after the tree's refresh
    }
    // A release of a kind at time t, as its set-up dialog leaves it (a
    // continuous release of `hours` hours).
    void Put(ReleaseKind kind, Time t, int hours = 1) {
        document::Scenario& s = doc.scenario;
        switch (kind) {
            case Instantaneous: s.instant.flag = 1, s.InstantaneousTime = t; break;
            case Continuous:
                s.continuous.flag = 1, s.ContinuousTime = t;
                s.cont.duration = hours;
                s.cont.durationUnits = 0;
                break;
            case Tank: s.tank.flag = 1, s.TankTime = t; break;
            case Contained: s.boomed.flag = 1, s.ContainedTime = t; break;
        }
    }
    // Winds at the given hours from t0, in this order.
    void Winds(Time t0, const std::vector<int>& hours, int number = -1) {
        document::Scenario& s = doc.scenario;
        s.m_bVarWind = 1;
        s.m_iVarWindNumber = number < 0 ? static_cast<int>(hours.size()) : number;
        for (std::size_t i = 0; i < hours.size(); ++i) s.m_tVarWindTime[i] = t0 + hours[i] * kHour;
    }
    // OK on a freshly opened dialog: the refusal's text, or "".
    std::string OpenAndOk() {
        rules.Load();
        const ui::CheckResult r = rules.Ok();
        if (r.ok()) return "";
        EXPECT_EQ(r.refusal->icon, MsgIcon::Exclamation);
        return r.refusal->text;
    }

    tavro_test::ZoneScope utc{"UTC"};
    const Time T = UtcTime(2025, 6, 1, 0);
    document_test::FakePorts ports{T};
    document::SpillDocCore doc{{}, ports.Ports()};
    FakeSetup setup;
    ui::ReleaseRules rules{doc, setup};
};

TEST_F(ReleaseDialogRules, JanuaryReleasesOfADecemberJanuaryMixMoveOneYearOnce) {
    enum Month { None = 0, Jan = 1, Mar = 3, Dec = 12 };
    struct Case {
        const char* name;
        Month instant, continuous, tank;
        std::set<ReleaseKind> moved;
    };
    const Case cases[] = {
        {"25: -, Jan, Dec", None, Jan, Dec, {Continuous}},
        {"157: -, Dec, Jan", None, Dec, Jan, {Tank}},
        {"181: Jan, -, Dec", Jan, None, Dec, {Instantaneous}},
        {"194: Jan, Jan, Dec", Jan, Jan, Dec, {Instantaneous, Continuous}},
        {"325: Jan, Dec, -", Jan, Dec, None, {Instantaneous}},
        {"326: Jan, Dec, Jan", Jan, Dec, Jan, {Instantaneous, Tank}},
        {"337: Jan, Dec, Dec", Jan, Dec, Dec, {Instantaneous}},
        {"2029: Dec, -, Jan", Dec, None, Jan, {Tank}},
        {"2041: Dec, Jan, -", Dec, Jan, None, {Continuous}},
        {"2042: Dec, Jan, Jan", Dec, Jan, Jan, {Continuous, Tank}},
        {"2053: Dec, Jan, Dec", Dec, Jan, Dec, {Continuous}},
        {"2185: Dec, Dec, Jan", Dec, Dec, Jan, {Tank}},
        {"220: Jan, Mar, Dec", Jan, Mar, Dec, {}},
        {"14: -, Jan, Jan", None, Jan, Jan, {}},
    };
    for (int year : {2025, 2024, 2100}) {  // a common year, a leap year, a century not leap
        for (const Case& c : cases) {
            const std::string name = std::string(c.name) + " in " + std::to_string(year);
            Reset(UtcTime(year, 6, 1, 0));
            const auto at = [&](Month m) {
                return m == Jan ? UtcTime(year, 1, 2, 10) : m == Dec ? UtcTime(year, 12, 30, 8) : UtcTime(year, 3, 1, 0);
            };
            if (c.instant) Put(Instantaneous, at(c.instant));
            if (c.continuous) Put(Continuous, at(c.continuous));
            if (c.tank) Put(Tank, at(c.tank));
            const std::string first = OpenAndOk();
            if (!c.moved.empty()) {
                EXPECT_EQ(first, "") << name;
            }
            for (ReleaseKind kind : {Instantaneous, Continuous, Tank}) {
                const Month m = kind == Instantaneous ? c.instant : kind == Continuous ? c.continuous : c.tank;
                if (!m) continue;
                const Time t = kind == Instantaneous ? doc.scenario.InstantaneousTime
                               : kind == Continuous  ? doc.scenario.ContinuousTime
                                                     : doc.scenario.TankTime;
                EXPECT_EQ(t, c.moved.count(kind) ? UtcTime(year + 1, 1, 2, 10) : at(m))
                    << name << ", kind " << static_cast<int>(kind);
            }
            const document::Scenario afterFirst = doc.scenario;
            rules.Ok();  // again, and on a later opening: nothing moves further
            EXPECT_EQ(OpenAndOk(), first) << name;
            EXPECT_EQ(doc.scenario.InstantaneousTime, afterFirst.InstantaneousTime) << name;
            EXPECT_EQ(doc.scenario.ContinuousTime, afterFirst.ContinuousTime) << name;
            EXPECT_EQ(doc.scenario.TankTime, afterFirst.TankTime) << name;
        }
    }
}

// A December/January mix that was OK'd, then one release changed through
// its set-up (which builds it in the spill time's year): the next OK judges
// the mix the descriptions show, and gives the civil start hours.
TEST_F(ReleaseDialogRules, AChangedMixIsJudgedFromItsDatesAndHoursAlone) {
    using document::TimePick;
    const auto instantTo = [](TimePick pick) {
        return [pick](document::SpillDocCore& d) { return ui::InstantaneousRules(d).Ok({pick, "1000", 0}).ok(); };
    };
    const auto continuousTo = [](TimePick pick) {
        return [pick](document::SpillDocCore& d) {
            ui::ContinuousRules continuous(d);
            ui::ContinuousForm f = continuous.Load();
            f.time = pick;
            return continuous.Ok(f).ok();
        };
    };
    // The tank's step 6 builds its time the same way.
    const auto tankTo = [](TimePick pick) {
        return [pick](document::SpillDocCore& d) {
            d.scenario.TankTime = document::PickTime(pick, document::LocalYear(d.scenario.SpillTime, d.Clock()), d.Clock());
            return true;
        };
    };
    const TimePick jan1at0{0, 0, 0}, jan1at5{0, 0, 5}, jan2at3{0, 1, 3}, dec30at12{11, 29, 12}, dec31at22{11, 30, 22},
        dec31at23{11, 30, 23};
    struct Case {
        const char* name;
        std::vector<std::pair<ReleaseKind, TimePick>> mix;  // set up in this order, then OK
        ReleaseKind changed;
        std::function<bool(document::SpillDocCore&)> change;
        std::map<ReleaseKind, int> startHours;
        TimePick spill;
    };
    const Case cases[] = {
        {"Dec+Jan, the December release moved to January: all January",
         {{Instantaneous, dec31at23}, {Continuous, {0, 0, 1}}}, Instantaneous, instantTo(jan1at0),
         {{Instantaneous, 1}, {Continuous, 2}}, jan1at0},
        {"Dec+Jan, the January release moved to December: all December",
         {{Instantaneous, dec31at23}, {Continuous, {0, 0, 1}}}, Continuous, continuousTo(dec31at22),
         {{Continuous, 1}, {Instantaneous, 2}}, dec31at22},
        {"Dec+Jan+Jan, the tank moved to another January hour",
         {{Instantaneous, dec31at23}, {Continuous, {0, 0, 1}}, {Tank, jan2at3}}, Tank, tankTo(jan1at5),
         {{Instantaneous, 1}, {Continuous, 3}, {Tank, 7}}, dec31at23},
        {"Dec+Jan, a new mix with an earlier December day",
         {{Instantaneous, dec31at23}, {Continuous, {0, 0, 1}}}, Instantaneous, instantTo(dec30at12),
         {{Instantaneous, 1}, {Continuous, 38}}, dec30at12},
        {"all January, one release moved to December: a new mix",
         {{Instantaneous, jan1at0}, {Continuous, jan2at3}}, Instantaneous, instantTo(dec31at23),
         {{Instantaneous, 1}, {Continuous, 29}}, dec31at23},
    };
    for (const Case& c : cases) {
        Reset(T);
        setup.missing.clear();
        for (const auto& [kind, pick] : c.mix) {
            using Dialog = std::function<bool(document::SpillDocCore&)>;
            setup.dialogs[kind] = kind == Instantaneous ? Dialog(instantTo(pick))
                                  : kind == Continuous  ? Dialog(continuousTo(pick))
                                                        : Dialog(tankTo(pick));
            if (kind == Continuous) doc.scenario.cont = {10, 0, ui::SpilledAmount, 1000, 0, -999, 0, -999, -999, 0};
            if (kind == Tank) doc.scenario.tank.flag = 0;
        }
        rules.Load();
        for (const auto& [kind, pick] : c.mix) rules.Setup(kind);
        ASSERT_TRUE(rules.Ok().ok()) << c.name << ": the first mix";
        setup.dialogs[c.changed] = c.change;
        rules.Load();
        rules.Setup(c.changed);
        for (int ok = 1; ok <= 2; ++ok) {  // and once more: nothing moves further
            const ui::CheckResult r = rules.Ok();
            EXPECT_TRUE(r.ok()) << c.name << ", OK " << ok << ": " << (r.ok() ? "" : r.refusal->text);
            const document::Scenario& s = doc.scenario;
            EXPECT_EQ(document::PickOf(s.SpillTime, doc.Clock()), c.spill) << c.name;
            for (const auto& [kind, hour] : c.startHours) {
                const int got = kind == Instantaneous ? s.instant.startHour
                                : kind == Continuous  ? s.continuous.startHour
                                                      : s.tank.startHour;
                EXPECT_EQ(got, hour) << c.name << ", OK " << ok << ", kind " << static_cast<int>(kind);
            }
        }
    }
}

TEST_F(ReleaseDialogRules, TheEarliestReleaseIsTheSpillTimeAndHourOne) {
    Put(Instantaneous, UtcTime(2025, 12, 31, 23));
    Put(Continuous, UtcTime(2025, 1, 1, 1), 10);  // built in the spill time's year
    Put(Contained, UtcTime(2025, 1, 1, 0));      // not selected: the box is cleared
    rules.Load();
    rules.BoxClicked(Contained);
    ASSERT_TRUE(rules.Ok().ok());
    const document::Scenario& s = doc.scenario;
    EXPECT_EQ(s.ContinuousTime, UtcTime(2026, 1, 1, 1));
    EXPECT_EQ(s.SpillTime, UtcTime(2025, 12, 31, 23));
    EXPECT_EQ(s.instant.startHour, 1);
    EXPECT_EQ(s.continuous.startHour, 3);
    EXPECT_EQ(s.continuous.endHour, 12);  // the last release hour
    EXPECT_EQ(s.boomed.flag, 0);
    EXPECT_EQ(s.boomed.startHour, model::MISSING_VALUE);
    EXPECT_EQ(s.tank.startHour, model::MISSING_VALUE);
    EXPECT_EQ(doc.session.m_bChanged[document::ChangedRelease], 1);
}

TEST_F(ReleaseDialogRules, ReleasesWithinTheModelsHundredAndTwentyHours) {
    const std::string limit =
        " greater than 120 hours after the first release of oil, exceeding TAVRO's 5 day limit. Any oil spilled 120 "
        "hours or more after the first release will not be included in the calculations.";
    const std::string instant = "Instantaneous release will be ignored\n\nThe instantaneous release is scheduled to occur" + limit;
    const std::string tank = "Leaking Tank release will be ignored\n\nThe leaking tank release is scheduled to occur" + limit;
    const std::string continuous = "Continuous release will be ignored\n\nThe continuous release is scheduled to occur" + limit;
    const std::string truncated =
        "Continuous release will be truncated\n\nThe continuous release has a scheduled duration exceeding TAVRO's 5 "
        "day limit. Any oil spilled 120 hours or more after the first release will not be included in the "
        "calculations.";
    struct Case {
        const char* name;
        std::function<void()> put;
        std::string expected;
    };
    const Case cases[] = {
        {"instantaneous at start hour 120", [&] { Put(Continuous, T), Put(Instantaneous, T + 119 * kHour); }, ""},
        {"instantaneous at start hour 121", [&] { Put(Continuous, T), Put(Instantaneous, T + 120 * kHour); }, instant},
        {"continuous of 120 hours from hour 1", [&] { Put(Continuous, T, 120); }, ""},
        {"continuous of 121 hours", [&] { Put(Continuous, T, 121); }, truncated},
        {"continuous of 5 days", [&] { Put(Continuous, T, 5), doc.scenario.cont.durationUnits = 1; }, ""},
        {"continuous of 6 days", [&] { Put(Continuous, T, 6), doc.scenario.cont.durationUnits = 1; }, truncated},
        {"continuous ending at hour 120", [&] { Put(Instantaneous, T), Put(Continuous, T + 100 * kHour, 20); }, ""},
        {"continuous starting at hour 121", [&] { Put(Instantaneous, T), Put(Continuous, T + 120 * kHour); }, continuous},
        {"tank at start hour 121", [&] { Put(Instantaneous, T), Put(Tank, T + 120 * kHour); }, tank},
        {"instantaneous before tank", [&] { Put(Continuous, T), Put(Instantaneous, T + 130 * kHour), Put(Tank, T + 130 * kHour); }, instant},
        {"tank before continuous", [&] { Put(Instantaneous, T), Put(Tank, T + 130 * kHour), Put(Continuous, T + 125 * kHour); }, tank},
        {"contained alone", [&] { Put(Contained, T + 500 * kHour); }, ""},
        {"a file's endless continuous release", [&] { Put(Continuous, T, INT_MAX), doc.scenario.cont.durationUnits = 1; }, truncated},
    };
    for (const Case& c : cases) {
        Reset(T);
        c.put();
        EXPECT_EQ(OpenAndOk(), c.expected) << c.name;
        EXPECT_EQ(doc.session.m_bChanged[document::ChangedRelease], c.expected.empty() ? 1 : 0) << c.name;
    }
}

TEST_F(ReleaseDialogRules, VariableWindsMustCoverTheReleases) {
    const std::string notCovered = "Winds do not cover release time\n\n";
    const std::string before = notCovered +
                               "The first release of oil is scheduled to occur before the first inputed wind. TAVRO "
                               "needs to know the winds at the time of the first release.";
    const std::string after = notCovered +
                              "The first release of oil is scheduled to occur after the last inputed wind. TAVRO needs "
                              "to know the winds at the time of the release.";
    const std::string ends = " It will not be included in the calculations.";
    const std::string instant = "Instantaneous release will be ignored\n\nThe instantaneous release is scheduled to "
                                "occur after the wind data ends." + ends;
    const std::string tank = "Leaking Tank release will be ignored\n\nThe leaking tank release is scheduled to occur "
                             "after the wind data ends." + ends;
    const std::string continuous = "Continuous release will be ignored\n\nThe continuous release is scheduled to occur "
                                   "after the wind data ends." + ends;
    const std::string truncated = "Continuous release will be truncated\n\nThe continuous release has a scheduled "
                                  "duration after the time that the wind data ends.";
    std::vector<int> hourly(11), reversed(11), everyTwo(100), full(120);
    for (int i = 0; i < 11; ++i) hourly[static_cast<std::size_t>(i)] = i, reversed[static_cast<std::size_t>(i)] = 10 - i;
    for (int i = 0; i < 100; ++i) everyTwo[static_cast<std::size_t>(i)] = 2 * i;
    for (int i = 0; i < 120; ++i) full[static_cast<std::size_t>(i)] = i;
    struct Case {
        const char* name;
        std::function<void()> put;
        std::string expected;
    };
    const Case cases[] = {
        {"covered to the last wind hour", [&] { Winds(T, hourly), Put(Continuous, T, 11), Put(Instantaneous, T + 10 * kHour); }, ""},
        {"winds start after the first release", [&] { Winds(T + 2 * kHour, hourly), Put(Instantaneous, T); }, before},
        {"winds end before the first release", [&] { Winds(T - 20 * kHour, hourly), Put(Instantaneous, T); }, after},
        {"instantaneous after the winds", [&] { Winds(T, hourly), Put(Continuous, T), Put(Instantaneous, T + 11 * kHour); }, instant},
        {"instantaneous first of the ignored", [&] { Winds(T, hourly), Put(Continuous, T), Put(Tank, T + 20 * kHour), Put(Instantaneous, T + 20 * kHour); }, instant},
        {"tank before continuous", [&] { Winds(T, hourly), Put(Instantaneous, T), Put(Tank, T + 20 * kHour), Put(Continuous, T + 20 * kHour); }, tank},
        {"continuous starts after the winds", [&] { Winds(T, hourly), Put(Instantaneous, T), Put(Continuous, T + 20 * kHour); }, continuous},
        {"continuous ends after the winds", [&] { Winds(T, hourly), Put(Continuous, T, 12); }, truncated},
        {"tank at the last wind hour", [&] { Winds(T, hourly), Put(Instantaneous, T), Put(Tank, T + 10 * kHour); }, ""},
        {"tank an hour after the last wind", [&] { Winds(T, hourly), Put(Instantaneous, T), Put(Tank, T + 11 * kHour); }, tank},
        {"continuous starting at the last wind hour", [&] { Winds(T, hourly), Put(Instantaneous, T), Put(Continuous, T + 10 * kHour); }, ""},
        {"continuous starting an hour after the last wind", [&] { Winds(T, hourly), Put(Instantaneous, T), Put(Continuous, T + 11 * kHour); }, continuous},
        {"unsorted winds", [&] { Winds(T, reversed), Put(Continuous, T, 11); }, ""},
        {"horizon after covering winds", [&] { Winds(T, everyTwo), Put(Instantaneous, T), Put(Continuous, T + 150 * kHour); },
         "Continuous release will be ignored\n\nThe continuous release is scheduled to occur greater than 120 hours "
         "after the first release of oil, exceeding TAVRO's 5 day limit. Any oil spilled 120 hours or more after the "
         "first release will not be included in the calculations."},
        {"more winds than the model's hours", [&] { Winds(T, full, 500), Put(Continuous, T, 120); }, ""},
        {"constant winds", [&] { Winds(T + 50 * kHour, hourly), doc.scenario.m_bVarWind = 0, Put(Instantaneous, T); }, ""},
        {"variable winds without a record", [&] { Winds(T + 50 * kHour, hourly, 0), Put(Instantaneous, T); }, ""},
    };
    for (const Case& c : cases) {
        Reset(T);
        c.put();
        EXPECT_EQ(OpenAndOk(), c.expected) << c.name;
    }
}

TEST_F(ReleaseDialogRules, NoReleaseIsRefusedWhateverTheWinds) {
    Reset(T);
    const Time spill = doc.scenario.SpillTime;
    EXPECT_EQ(OpenAndOk(), "Please select a release type. TAVRO cannot build a scenario without this information.");
    Winds(T + 50 * kHour, {0, 1});  // they would not cover the spill time
    EXPECT_EQ(OpenAndOk(), "Please select a release type. TAVRO cannot build a scenario without this information.");
    EXPECT_EQ(doc.scenario.SpillTime, spill);
    EXPECT_EQ(doc.session.m_bChanged[document::ChangedRelease], 0);
}

TEST_F(ReleaseDialogRules, BoxClicksClearOrRunTheSetUpAndContainedExcludesTheOthers) {
    setup.dialogs[Instantaneous] = [&](document::SpillDocCore& d) { return Put(Instantaneous, T), d.scenario.instant.flag == 1; };
    setup.dialogs[Contained] = [&](document::SpillDocCore&) { return Put(Contained, T), true; };
    setup.dialogs[Continuous] = [](document::SpillDocCore&) { return false; };  // cancelled
    Put(Instantaneous, T);
    Put(Tank, T);  // from a file: the leaking-tank set-up is not there yet
    rules.Load();
    EXPECT_TRUE(rules.Checked(Instantaneous));
    EXPECT_TRUE(rules.Checked(Tank));
    EXPECT_FALSE(rules.SetupEnabled(Tank));
    EXPECT_TRUE(rules.SetupEnabled(Contained));

    rules.BoxClicked(Instantaneous);  // checked: cleared, no set-up
    EXPECT_FALSE(rules.Checked(Instantaneous));
    EXPECT_EQ(doc.scenario.instant.flag, 0);
    EXPECT_TRUE(setup.ran.empty());

    rules.BoxClicked(Continuous);  // unchecked: the set-up runs, and is cancelled
    EXPECT_FALSE(rules.Checked(Continuous));
    EXPECT_EQ(setup.ran, std::vector<ReleaseKind>{Continuous});

    rules.Setup(Contained);  // OK: the other three are cleared
    EXPECT_TRUE(rules.Checked(Contained));
    for (ReleaseKind k : {Instantaneous, Continuous, Tank}) EXPECT_FALSE(rules.Checked(k)) << static_cast<int>(k);
    EXPECT_EQ(doc.scenario.tank.flag, 0);
    EXPECT_EQ(doc.scenario.boomed.flag, 1);

    rules.BoxClicked(Instantaneous);  // OK: the contained release is cleared
    EXPECT_TRUE(rules.Checked(Instantaneous));
    EXPECT_FALSE(rules.Checked(Contained));
    EXPECT_EQ(doc.scenario.boomed.flag, 0);

    rules.BoxClicked(Tank);  // unchecked and no set-up: nothing happens
    rules.Setup(Tank);
    EXPECT_FALSE(rules.Checked(Tank));
    EXPECT_EQ(setup.ran, (std::vector<ReleaseKind>{Continuous, Contained, Instantaneous}));

    setup.missing.clear();  // a wizard is plugged in
    setup.dialogs[Tank] = [&](document::SpillDocCore&) { return Put(Tank, T), true; };
    rules.BoxClicked(Tank);
    EXPECT_TRUE(rules.Checked(Tank));
    EXPECT_TRUE(rules.Checked(Instantaneous));
    rules.Uncertainty();
    EXPECT_EQ(setup.uncertaintyRuns, 1);
    ASSERT_TRUE(rules.Ok().ok());
    EXPECT_EQ(doc.scenario.instant.flag + doc.scenario.tank.flag + doc.scenario.continuous.flag, 2);
}

TEST_F(ReleaseDialogRules, Descriptions) {
    document::Scenario& s = doc.scenario;
    EXPECT_EQ(rules.Description(Instantaneous), "Oil is spilled in an hour or less.");
    EXPECT_EQ(rules.Description(Continuous), "Oil is spilled into the water over a given duration");
    EXPECT_EQ(rules.Description(Tank), "Oil is spilled into the water based on tank parameters.");
    EXPECT_EQ(rules.Description(Contained), "All the oil is spilled into a contained area at once");

    const Time jan5 = UtcTime(2025, 1, 5, 14, 30);
    s.instant = {1, 1, 0.32, model::RVOL_CUM};
    s.InstantaneousTime = jan5;
    EXPECT_EQ(rules.Description(Instantaneous), "0 cu m on January 05, 1430 hours");
    s.instant.vol = 1500.5;
    s.instant.volUnits = 9;  // out of the list: its last entry
    EXPECT_EQ(rules.Description(Instantaneous), "1500 metric tons on January 05, 1430 hours");

    s.continuous.flag = 1;
    s.ContinuousTime = UtcTime(2025, 11, 20, 6);
    s.cont.amount = 480;
    s.cont.amountUnits = 1;
    s.cont.rate = 12.6;
    s.cont.rateUnits1 = 5;
    s.cont.startRate = 20;
    s.cont.endRate = 4.4;
    s.cont.rateUnits2 = 2;
    const std::string starting = "starting November 20, 0600 hours";
    s.cont.spilledType = 0;
    EXPECT_EQ(rules.Description(Continuous), "480 gal " + starting);
    s.cont.spilledType = 1;
    EXPECT_EQ(rules.Description(Continuous), "13 gal/min " + starting);
    s.cont.spilledType = 2;
    EXPECT_EQ(rules.Description(Continuous), "20 to 4 cu m/hr " + starting);

    s.tank.flag = 1;
    s.TankTime = UtcTime(2025, 7, 9, 0);
    EXPECT_EQ(rules.Description(Tank), "Tank starts leaking on July 09, 0000 hours");

    s.boomed = {1, 1, 25.25, model::RVOL_BBL, 10000, 3};
    s.ContainedTime = UtcTime(2025, 3, 1, 23);
    EXPECT_EQ(rules.Description(Contained), "25.2 bbl into 10000 sq. meters on March 01, 2300 hours");
    s.boomed.areaUnits = 1;
    s.boomed.volUnits = 2;
    EXPECT_EQ(rules.Description(Contained), "25.2 gal into 10000 sq. feet on March 01, 2300 hours");
}

TEST_F(ReleaseDialogRules, CancelPutsBackTheScenarioOfTheOpening) {
    setup.dialogs[Continuous] = [](document::SpillDocCore& d) {
        ui::ContinuousRules continuous(d);
        ui::ContinuousForm f = continuous.Load();
        f.duration = "24";
        f.value = "480";
        return continuous.Ok(f).ok();
    };
    Put(Instantaneous, T);
    doc.scenario.m_bVarWind = 0;
    const document::Scenario opened = doc.scenario;

    rules.Load();
    rules.Setup(Continuous);  // a confirmed set-up
    EXPECT_EQ(doc.scenario.continuous.flag, 1);
    rules.Cancel();
    EXPECT_TRUE(doc.scenario == opened);

    doc.scenario.InstantaneousTime = T + 300 * kHour;
    doc.scenario.ContinuousTime = T;
    doc.scenario.continuous.flag = 1;
    const document::Scenario opened2 = doc.scenario;
    rules.Load();
    EXPECT_FALSE(rules.Ok().ok());  // a refused OK writes the flags, start hours and spill time
    EXPECT_NE(doc.scenario.instant.startHour, opened2.instant.startHour);
    rules.BoxClicked(Instantaneous);  // the next OK recomputes everything
    ASSERT_TRUE(rules.Ok().ok());
    EXPECT_EQ(doc.scenario.instant.startHour, model::MISSING_VALUE);
    EXPECT_EQ(doc.scenario.SpillTime, T);
    rules.Cancel();
    EXPECT_TRUE(doc.scenario == opened2);
}

TEST(ReleaseThroughTheCommand, OkDerivesTheContinuousReleaseAndTheScenarioSolves) {
    document_test::Solvable f;
    document::SpillDocCore& d = *f.doc;
    const Time start = document_test::kSolvableStart;  // 2024-02-05 14:00
    d.session.m_bChanged[document::ChangedRelease] = 0;
    d.scenario.m_bReleaseInputPassed = 0;

    FakeSetup setup;
    setup.dialogs[Instantaneous] = [](document::SpillDocCore& doc) {
        ui::InstantaneousRules instant(doc);
        return instant.Ok({{1, 4, 14}, "500", 0}).ok();  // February 5, 1400 hours
    };
    setup.dialogs[Continuous] = [](document::SpillDocCore& doc) {
        ui::ContinuousRules continuous(doc);
        ui::ContinuousForm form = continuous.Load();
        form.time = {1, 4, 16};
        form.duration = "10";
        form.option = ui::SpilledAmount;
        form.value = "200";
        form.amountUnits = 0;
        return continuous.Ok(form).ok();
    };
    f.dialogs.dialogs[document::DialogKind::Release] = [&](document::SpillDocCore& doc) {
        ui::ReleaseRules rules(doc, setup);
        rules.Load();
        rules.Setup(Instantaneous);
        rules.BoxClicked(Continuous);
        return rules.Ok().ok();
    };
    d.EditRelease();

    const document::Scenario& s = d.scenario;
    EXPECT_EQ(setup.ran, (std::vector<ReleaseKind>{Instantaneous, Continuous}));
    EXPECT_EQ(s.instant.flag, 1);
    EXPECT_EQ(s.continuous.flag, 1);
    EXPECT_EQ(s.SpillTime, start);
    EXPECT_EQ(s.instant.startHour, 1);
    EXPECT_EQ(s.continuous.startHour, 3);
    EXPECT_EQ(s.continuous.endHour, 12);
    EXPECT_DOUBLE_EQ(s.continuous.startRate, 20);
    EXPECT_DOUBLE_EQ(s.continuous.endRate, 20);
    EXPECT_EQ(s.continuous.rateUnits, 1);
    EXPECT_EQ(d.session.m_bChanged[document::ChangedRelease], 1);
    EXPECT_EQ(s.m_bReleaseInputPassed, 1);
    EXPECT_TRUE(f.messages.Entries().empty());
    ASSERT_TRUE(d.Solve());
    EXPECT_EQ(d.Model().continuous.startHour, 3);
    EXPECT_EQ(d.Model().continuous.endHour, 12);
}

}  // namespace
