#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "document/Derive.h"
#include "test_document_helpers.h"

using namespace document;
using document_test::ZoneScope;
using model::MISSING_VALUE_D;

namespace {

constexpr Time kMidnight = 1700006400;  // 2023-11-15 00:00:00 UTC, a Wednesday

Scenario WithContinuous(int start, int duration, int units, int type) {
    Scenario s(kMidnight);
    s.continuous.flag = 1;
    s.continuous.startHour = start;
    s.cont.duration = duration;
    s.cont.durationUnits = units;
    s.cont.spilledType = type;
    return s;
}

}  // namespace

TEST(DocumentDerive, ContinuousRelease) {
    struct Case {
        const char* what;
        int start, duration, durationUnits, type;
        double amount, rate, startRate, endRate;
        bool truncated;
        int wantDuration, wantEndHour;
        double wantAmount, wantStartRate, wantEndRate;
    };
    const double M = MISSING_VALUE_D;
    const Case cases[] = {
        {"200 h total 200", 1, 200, 0, 0, 200, M, M, M, true, 120, 120, 120, 1, 1},
        {"200 h rising 10 to 209", 1, 200, 0, 2, M, M, 10, 209, true, 120, 120, M, 10, 129},
        {"6 days constant", 1, 6, 1, 1, M, 4, M, M, true, 5, 120, M, 4, 4},
        {"2 days total 48", 1, 2, 1, 0, 48, M, M, M, false, 2, 48, 48, 1, 1},
        // A release that starts at hour 3 ends 10 hours later, not at hour 10.
        {"from hour 3 for 10 h", 3, 10, 0, 0, 50, M, M, M, false, 10, 12, 50, 5, 5},
        {"150 h from hour 1, rate", 1, 150, 0, 1, M, 2.5, M, M, true, 120, 120, M, 2.5, 2.5},
    };
    for (const Case& c : cases) {
        Scenario s = WithContinuous(c.start, c.duration, c.durationUnits, c.type);
        s.cont.amount = c.amount;
        s.cont.amountUnits = 2;
        s.cont.rate = c.rate;
        s.cont.rateUnits1 = 3;
        s.cont.startRate = c.startRate;
        s.cont.endRate = c.endRate;
        s.cont.rateUnits2 = 4;
        EXPECT_EQ(DeriveContinuous(s), c.truncated) << c.what;
        EXPECT_EQ(s.cont.duration, c.wantDuration) << c.what;
        EXPECT_EQ(s.continuous.endHour, c.wantEndHour) << c.what;
        EXPECT_DOUBLE_EQ(s.cont.amount, c.wantAmount) << c.what;
        EXPECT_DOUBLE_EQ(s.continuous.startRate, c.wantStartRate) << c.what;
        EXPECT_DOUBLE_EQ(s.continuous.endRate, c.wantEndRate) << c.what;
        EXPECT_EQ(s.continuous.rateUnits, c.type == 0 ? 3 : c.type == 1 ? 4 : 5) << c.what;
    }
    // A start hour beyond the model's hours from a damaged file stays in range.
    Scenario late = WithContinuous(2147483647, 10, 0, 1);
    late.cont.rate = 1;
    DeriveContinuous(late);
    EXPECT_EQ(late.continuous.endHour, 120);
    // No duration: nothing is derived.
    Scenario s = WithContinuous(1, 0, 0, 0);
    EXPECT_FALSE(DeriveContinuous(s));
    EXPECT_EQ(s.continuous.endHour, model::MISSING_VALUE);
    EXPECT_EQ(s.continuous.startRate, MISSING_VALUE_D);
}

// At Solve the continuous release's hours come again from its release time
// and the dialog's duration, whatever endHour the file held: the earlier
// program stored the duration there, this one the last release hour.
TEST(DocumentDerive, ContinuousHoursAgainAtSolve) {
    struct Case {
        const char* name;
        int hoursAfterSpill, duration, durationUnits, storedStart, storedEnd;
        int wantStart, wantEnd;
    };
    const Case cases[] = {
        {"earlier program, from hour 3 for 24 h", 2, 24, 0, 3, 24, 3, 26},
        {"this program, from hour 3 for 24 h", 2, 24, 0, 3, 26, 3, 26},
        {"earlier program, from hour 1 for 2 days", 0, 2, 1, 1, 48, 1, 48},
        {"from hour 100 for 3 days: cut at 120", 99, 3, 1, 100, 72, 100, 120},
        {"spill time moved 4 hours earlier", 6, 10, 0, 3, 12, 7, 16},
        {"no duration: kept as stored", 2, 0, 0, 3, 24, 3, 24},
        {"release time before the spill time: hour 1", -5, 10, 0, 3, 12, 1, 10},
    };
    for (const Case& c : cases) {
        Scenario s = WithContinuous(c.storedStart, c.duration, c.durationUnits, 1);
        s.ContinuousTime = kMidnight + c.hoursAfterSpill * 3600;
        s.continuous.endHour = c.storedEnd;
        ZoneScope utc("UTC");
        platform::FixedClock clock(0);
        RederiveTimedRecords(s, clock);
        EXPECT_EQ(s.continuous.startHour, c.wantStart) << c.name;
        EXPECT_EQ(s.continuous.endHour, c.wantEnd) << c.name;
    }
    // A release that is not selected keeps its record.
    Scenario off = WithContinuous(3, 24, 0, 1);
    off.continuous.flag = 0;
    off.continuous.endHour = 24;
    RederiveContinuousHours(off);
    EXPECT_EQ(off.continuous.startHour, 3);
    EXPECT_EQ(off.continuous.endHour, 24);
}

TEST(DocumentDerive, ConstantWindFillsEveryHour) {
    Scenario s(kMidnight);
    s.m_dWindSpeed = 12;
    s.m_dWindDirection = 270;
    s.m_dWaveHeight = -999;
    s.m_dFetch = 40;
    s.m_iWindSpeedUnit = 1;
    s.m_iWaveHeightUnit = 1;
    s.m_iFetchUnit = 0;
    EXPECT_EQ(DeriveWind(s), WindResult::Entered);
    EXPECT_EQ(s.m_bWindAndWaveInputPassed, 1);
    EXPECT_EQ(s.wind.num, 120);
    EXPECT_EQ(s.wind.speedUnits, 2);
    EXPECT_EQ(s.wind.waveHtUnits, 2);
    EXPECT_EQ(s.wind.fetchUnits, 1);
    EXPECT_EQ(s.wind.speed[119], 12);
    EXPECT_EQ(s.wind.direction[0], 270);
    EXPECT_EQ(s.wind.fetchW, 40);
}

namespace {
struct WindRec {
    int minutes;  // from the spill time
    double speed, dir, wave;
};
Scenario WithVariableWinds(std::initializer_list<WindRec> recs, int released = 1) {
    Scenario s(kMidnight);
    s.m_bVarWind = 1;
    s.m_bReleaseInputPassed = released;
    int i = 0;
    for (const WindRec& r : recs) {
        s.m_tVarWindTime[i] = kMidnight + r.minutes * 60;
        s.m_dVarWindSpeed[i] = r.speed;
        s.m_dVarWindDirection[i] = r.dir;
        s.m_dVarWaveHeight[i] = r.wave;
        ++i;
    }
    s.m_iVarWindNumber = i;
    return s;
}
}  // namespace

TEST(DocumentDerive, VariableWinds) {
    // Directions follow the shorter arc: 350 to 10 passes through north.
    Scenario s = WithVariableWinds({{0, 10, 350, 1}, {240, 20, 10, 1}});
    ASSERT_EQ(DeriveWind(s), WindResult::Entered);
    EXPECT_EQ(s.wind.num, 5);
    const double dirs[] = {350, 355, 0, 5, 10};
    for (int h = 0; h < 5; ++h) EXPECT_DOUBLE_EQ(s.wind.direction[h], dirs[h]) << h;
    EXPECT_DOUBLE_EQ(s.wind.speed[2], 15);
    EXPECT_EQ(s.wind.speed[5], MISSING_VALUE_D);

    // Wave heights: hours without a height take the neighbours or the line between.
    s = WithVariableWinds({{0, 5, 0, 0}, {60, 5, 0, 0}, {120, 5, 0, 2}, {180, 5, 0, 0}, {240, 5, 0, 4}});
    ASSERT_EQ(DeriveWind(s), WindResult::Entered);
    const double waves[] = {2, 2, 2, 3, 4};
    for (int h = 0; h < 5; ++h) EXPECT_DOUBLE_EQ(s.wind.waveHt[h], waves[h]) << h;

    // Records out of time order give the same hours as sorted ones.
    Scenario sorted = WithVariableWinds({{0, 10, 90, 1}, {180, 40, 120, 2}});
    Scenario unsorted = WithVariableWinds({{180, 40, 120, 2}, {0, 10, 90, 1}});
    DeriveWind(sorted);
    DeriveWind(unsorted);
    EXPECT_TRUE(sorted.wind == unsorted.wind);

    // Two records in one hour: the earlier one takes the hour, the later one
    // starts the line to the next record. A record 30 minutes before the
    // spill still counts as hour 0.
    s = WithVariableWinds({{-30, 4, 0, 1}, {120, 8, 0, 1}, {150, 12, 0, 1}, {240, 20, 0, 1}});
    ASSERT_EQ(DeriveWind(s), WindResult::Entered);
    EXPECT_DOUBLE_EQ(s.wind.speed[0], 4);
    EXPECT_DOUBLE_EQ(s.wind.speed[1], 6);
    EXPECT_DOUBLE_EQ(s.wind.speed[2], 8);
    EXPECT_DOUBLE_EQ(s.wind.speed[3], 16);
    EXPECT_DOUBLE_EQ(s.wind.speed[4], 20);
    EXPECT_EQ(s.wind.num, 5);

    // Before any release, the spill time moves to the first record.
    s = WithVariableWinds({{90, 3, 0, 1}, {30, 2, 0, 1}}, 0);
    ASSERT_EQ(DeriveWind(s), WindResult::Entered);
    EXPECT_EQ(s.SpillTime, kMidnight + 30 * 60);
    EXPECT_EQ(s.wind.num, 2);
}

TEST(DocumentDerive, WindsThatDoNotReachTheSpillAreNotEntered) {
    struct Case {
        const char* what;
        Scenario s;
        WindResult want;
    };
    Case cases[] = {
        {"all later", WithVariableWinds({{60, 5, 0, 1}, {120, 5, 0, 1}}), WindResult::NotCovered},
        {"all earlier", WithVariableWinds({{-180, 5, 0, 1}, {-60, 5, 0, 1}}), WindResult::NotCovered},
        {"no records", WithVariableWinds({}), WindResult::NoRecords},
    };
    for (Case& c : cases) {
        c.s.m_bWindAndWaveInputPassed = 1;
        EXPECT_EQ(DeriveWind(c.s), c.want) << c.what;
        EXPECT_EQ(c.s.m_bWindAndWaveInputPassed, 0) << c.what;
        EXPECT_EQ(c.s.wind.num, 0) << c.what;
    }
}

TEST(DocumentDerive, BeachingSpreadsDaysOverHours) {
    ZoneScope utc("UTC");
    platform::FixedClock clock(0);
    Scenario s(kMidnight + 18 * 3600);  // 18:00
    s.m_iBeachingUnits = 2;
    const double days[6] = {12, 48, -999, 0, 24, 24};
    std::copy(days, days + 6, s.m_dBeachingAmount);
    DeriveBeaching(s, clock);
    EXPECT_EQ(s.beached.volUnits, 3);
    for (int h = 0; h < 6; ++h) EXPECT_DOUBLE_EQ(s.beached.vol[h], 2) << h;
    EXPECT_DOUBLE_EQ(s.beached.vol[6], 2);      // day 2: 48 / 24
    EXPECT_DOUBLE_EQ(s.beached.vol[30], -999);  // day 3 kept as missing
    EXPECT_DOUBLE_EQ(s.beached.vol[54], 0);     // day 4
    EXPECT_DOUBLE_EQ(s.beached.vol[78], 1);     // day 5
    EXPECT_DOUBLE_EQ(s.beached.vol[102], 1);    // day 6 from hour 102 to the end
    EXPECT_DOUBLE_EQ(s.beached.vol[119], 1);

    // A spill at midnight: day 1 is a whole day and day 6 has no hours.
    Scenario m(kMidnight);
    std::copy(days, days + 6, m.m_dBeachingAmount);
    DeriveBeaching(m, clock);
    EXPECT_DOUBLE_EQ(m.beached.vol[23], 0.5);
    EXPECT_DOUBLE_EQ(m.beached.vol[24], 2);
    EXPECT_DOUBLE_EQ(m.beached.vol[119], 1);  // still day 5
}

TEST(DocumentDerive, Emulsification) {
    Scenario s(kMidnight);
    s.m_dEmulsValue = 25;
    s.m_bEmulsDefault = 1;
    DeriveEmulsification(s);
    EXPECT_EQ(s.oil.bullwinkle, MISSING_VALUE_D);
    EXPECT_EQ(s.oil.bulltime, MISSING_VALUE_D);
    s.m_bEmulsDefault = 0;
    s.m_bEmulsBullwinkleDefined = 1;
    DeriveEmulsification(s);
    EXPECT_DOUBLE_EQ(s.oil.bullwinkle, 0.25);
    EXPECT_EQ(s.oil.bulltime, MISSING_VALUE_D);
    s.m_bEmulsBullwinkleDefined = 0;
    DeriveEmulsification(s);
    EXPECT_EQ(s.oil.bullwinkle, MISSING_VALUE_D);
    EXPECT_DOUBLE_EQ(s.oil.bulltime, 25);
}

TEST(DocumentDerive, RemovalsTakeTheUsedPagesInOrder) {
    Scenario s(kMidnight);
    s.dispersant.startHour[2] = 77;  // beyond the used entries: untouched
    s.mDispersantPageUse[1] = s.mDispersantPageUse[3] = 1;
    s.DispersantTime[1] = kMidnight + 5 * 3600 + 1800;
    s.DispersantTime[3] = kMidnight - 90 * 60;  // before the spill: hour 0
    s.m_nDispersantDuration[1] = 3;
    s.m_dDispersantDispersed[1] = 60;
    s.m_dDispersantSprayed[1] = 40;
    DeriveDispersant(s);
    EXPECT_EQ(s.dispersant.num, 2);
    EXPECT_EQ(s.dispersant.startHour[0], 6);
    EXPECT_EQ(s.dispersant.startHour[1], 0);
    EXPECT_EQ(s.dispersant.startHour[2], 77);
    EXPECT_EQ(s.dispersant.duration[0], 3);
    EXPECT_EQ(s.dispersant.dispersed[0], 60);
    EXPECT_EQ(s.dispersant.sprayed[0], 40);

    s.mInSituBurnPageUse[4] = 1;
    s.InSituBurnTime[4] = kMidnight + 10 * 3600;
    s.m_iAreaUnits[4] = 2;
    s.m_iThicknessUnits[4] = 0;
    s.m_dBurnArea[4] = 500;
    s.m_dBurnThickness[4] = 3;
    DeriveBurn(s);
    EXPECT_EQ(s.burn.num, 1);
    EXPECT_EQ(s.burn.startHour[0], 11);
    EXPECT_EQ(s.burn.areaUnits[0], 3);
    EXPECT_EQ(s.burn.thickUnits[0], 1);
    EXPECT_EQ(s.burn.area[0], 500);

    s.mMechanicalPageUse[0] = 1;
    s.SkimmerTime[0] = kMidnight + 3600;
    s.m_iRecoveryUnits[0] = 5;
    s.m_iAmountUnits[0] = 1;
    s.m_dMechanicalRate[0] = 10;
    s.m_nMechanicalDuration[0] = 4;
    DeriveSkimmer(s);
    EXPECT_EQ(s.skimmer.num, 1);
    EXPECT_EQ(s.skimmer.startHour[0], 2);
    EXPECT_EQ(s.skimmer.rateUnits[0], 6);
    EXPECT_EQ(s.skimmer.amountUnits[0], 2);
    EXPECT_EQ(s.skimmer.duration[0], 4);

    // The spill time moves two hours earlier after the sheets were confirmed:
    // the start hours move with it at the next solve.
    s.SpillTime -= 2 * 3600;
    ZoneScope utc("UTC");
    platform::FixedClock clock(0);
    RederiveTimedRecords(s, clock);
    EXPECT_EQ(s.dispersant.startHour[0], 8);
    EXPECT_EQ(s.dispersant.startHour[1], 1);
    EXPECT_EQ(s.burn.startHour[0], 13);
    EXPECT_EQ(s.skimmer.startHour[0], 4);
}

// Solve moves the operations' start hours with the spill time only while
// each record entry still holds its page's values: a file saved after a
// sheet was cancelled has pages the record was not made from.
TEST(DocumentDerive, RemovalHoursFollowTheSpillTimeOnlyForTheirOwnPages) {
    struct Case {
        const char* name;
        std::function<void(Scenario&)> change;  // after the OK, before the solve
        bool sprayMoves, burnMoves, cleanupMoves;
    };
    const std::vector<Case> cases = {
        {"the pages as their OK left them", [](Scenario&) {}, true, true, true},
        {"spray 1 off and spray 3 on: the count is the same",
         [](Scenario& s) {
             s.mDispersantPageUse[0] = 0;
             s.mDispersantPageUse[2] = 1;
         },
         false, true, true},
        {"a spray's duration retyped", [](Scenario& s) { s.m_nDispersantDuration[1] = 9; }, false, true, true},
        {"a burn's thickness unit", [](Scenario& s) { s.m_iThicknessUnits[0] = 2; }, true, false, true},
        {"a clean-up switched to its amount", [](Scenario& s) { s.m_bMechanicalRateUse[0] = 0; }, true, true, false},
        {"a clean-up record of the earlier program holds the amount too",
         [](Scenario& s) { s.skimmer.amount[0] = s.m_dMechanicalAmount[0]; }, true, true, true},
    };
    ZoneScope utc("UTC");
    platform::FixedClock clock(0);
    for (const Case& c : cases) {
        Scenario s(kMidnight);
        s.mDispersantPageUse[0] = s.mDispersantPageUse[1] = 1;
        s.DispersantTime[0] = kMidnight + 3 * 3600;
        s.DispersantTime[1] = kMidnight + 7 * 3600;
        s.DispersantTime[2] = kMidnight + 30 * 3600;
        const int durations[] = {2, 4, 6};
        for (int p = 0; p < 3; ++p) {
            s.m_nDispersantDuration[p] = durations[p];
            s.m_dDispersantDispersed[p] = 10.0 * (p + 1);
            s.m_dDispersantSprayed[p] = 5.0 * (p + 1);
        }
        s.mInSituBurnPageUse[0] = 1;
        s.InSituBurnTime[0] = kMidnight + 10 * 3600;
        s.m_dBurnArea[0] = 500;
        s.m_dBurnThickness[0] = 3;
        s.mMechanicalPageUse[0] = 1;
        s.SkimmerTime[0] = kMidnight + 20 * 3600;
        s.m_nMechanicalDuration[0] = 5;
        s.m_bMechanicalRateUse[0] = 1;
        s.m_dMechanicalRate[0] = 12;
        s.m_dMechanicalAmount[0] = 70;
        DeriveDispersant(s);
        DeriveBurn(s);
        DeriveSkimmer(s);
        ASSERT_EQ(s.dispersant.startHour[1], 8) << c.name;
        ASSERT_EQ(s.burn.startHour[0], 11) << c.name;
        ASSERT_EQ(s.skimmer.startHour[0], 21) << c.name;
        c.change(s);
        s.SpillTime -= 2 * 3600;  // the release moved two hours earlier
        RederiveTimedRecords(s, clock);
        const int moved = 2;
        EXPECT_EQ(s.dispersant.startHour[0], 4 + (c.sprayMoves ? moved : 0)) << c.name;
        EXPECT_EQ(s.dispersant.startHour[1], 8 + (c.sprayMoves ? moved : 0)) << c.name;
        EXPECT_EQ(s.burn.startHour[0], 11 + (c.burnMoves ? moved : 0)) << c.name;
        EXPECT_EQ(s.skimmer.startHour[0], 21 + (c.cleanupMoves ? moved : 0)) << c.name;
    }
}

TEST(DocumentDerive, BeachingFollowsTheSpillTimeAtSolve) {
    ZoneScope utc("UTC");
    platform::FixedClock clock(0);
    Scenario s(kMidnight + 18 * 3600);
    s.m_dBeachingAmount[0] = 12;
    RederiveTimedRecords(s, clock);  // never confirmed: nothing spread
    EXPECT_EQ(s.beached.vol[0], MISSING_VALUE_D);
    DeriveBeaching(s, clock);
    s.SpillTime = kMidnight + 20 * 3600;
    RederiveTimedRecords(s, clock);
    for (int h = 0; h < 4; ++h) EXPECT_DOUBLE_EQ(s.beached.vol[h], 3) << h;
    EXPECT_EQ(s.beached.vol[4], MISSING_VALUE_D);
}

TEST(DocumentDerive, MissingInputsInOrder) {
    Scenario s(kMidnight);
    EXPECT_EQ(MissingInputsText(s),
              " ERROR!  Please\n  - select an oil\n  - enter wind speed,\n  - enter a water temperature\n"
              "  - enter release information\n");
    s.m_bOilInputPassed = s.m_bWaterInputPassed = s.m_bReleaseInputPassed = 1;
    EXPECT_EQ(MissingInputsText(s), " ERROR!  Please\n  - enter wind speed,\n");
    s.m_bWindAndWaveInputPassed = 1;
    EXPECT_EQ(MissingInputsText(s), "");
}

TEST(DocumentDerive, PourPointWarning) {
    const std::string head =
        "Temperature colder than pour point.\n\nThe water temperature that you entered, ";
    const std::string mid = ",\nis below the selected oil's minimum pour point\ntemperature, ";
    const std::string tail = ".\nTAVRO calculations may be unreliable.";
    struct Case {
        const char* pour;
        double water;
        int units;
        const char* want;  // nullptr: no warning
    };
    const Case cases[] = {
        {"0 C", 30, model::WTEMP_F, "30 deg F|32 deg F (0 C)"},
        {"0 C", 32, model::WTEMP_F, nullptr},  // equal: no warning
        {"5 deg C", 4.9, model::WTEMP_C, "5 deg C|5 deg C"},  // 4.9 counts as 4, printed rounded
        {"5 deg C", 5.5, model::WTEMP_C, nullptr},
        {"unknown", -40, model::WTEMP_C, nullptr},
        {"", -40, model::WTEMP_C, nullptr},
        {"less than -30 deg C", -1, model::WTEMP_C, nullptr},
        {"greater than 20 deg C", 10, model::WTEMP_C, "10 deg C|greater than 20 deg C"},
        {"greater than 20 deg C", 25, model::WTEMP_C, nullptr},
        {"-10 to 5 deg C", -5, model::WTEMP_C, nullptr},  // a range: its lower end
        {"-10 to 5 deg C", -12, model::WTEMP_C, "-12 deg C|-10 to 5 deg C"},
        {"50 deg F", 5, model::WTEMP_C, "5 deg C|50 deg F"},  // 50 F is 10 C
        {"50 deg F", 12, model::WTEMP_C, nullptr},
        {"50 deg F", 45, model::WTEMP_F, "45 deg F|50 deg F (50 deg F)"},
        {"2000000000 deg C", 10, model::WTEMP_F, nullptr},  // no usable number
    };
    for (const Case& c : cases) {
        Scenario s(kMidnight);
        s.PourPoint = c.pour;
        s.water.temperature = c.water;
        s.water.tempUnits = c.units;
        std::optional<std::string> w = PourPointWarning(s);
        if (!c.want) {
            EXPECT_FALSE(w) << c.pour << " / " << c.water;
            continue;
        }
        ASSERT_TRUE(w) << c.pour << " / " << c.water;
        std::string want = c.want;
        auto bar = want.find('|');
        EXPECT_EQ(*w, head + want.substr(0, bar) + mid + want.substr(bar + 1) + tail);
    }
}

TEST(DocumentDerive, BudgetUnitOfAReleaseVolume) {
    const int want[] = {9, 3, 4, 0, 5, 6, 9};
    for (int code = 0; code <= 6; ++code) EXPECT_EQ(BudgetUnitFor(code, 9), want[code]) << code;
}
