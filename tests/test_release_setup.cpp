// The release set-up dialogs and the release uncertainty without windows:
// their checks with the dialogs' texts, what OK stores, and what they show
// when they open (the test command runs with TZ=UTC).
#include <gtest/gtest.h>

#include <string>

#include "test_document_helpers.h"
#include "ui/inputs/rules/ReleaseSetupRules.h"
#include "ui/inputs/rules/ReleaseUncertaintyRules.h"
#include "ui/inputs/rules/ReleaseUnits.h"

namespace {

using document::Time;
using platform::MsgIcon;
using tavro_test::UtcTime;

// A scenario without windows whose spill time is 2025-06-10 14:35 UTC.
class ReleaseSetup : public ::testing::Test {
protected:
    tavro_test::ZoneScope utc{"UTC"};
    document_test::FakePorts ports{UtcTime(2025, 6, 10, 14, 35)};
    document::SpillDocCore doc{{}, ports.Ports()};
};

// The refusal's text, or "" when the check passed.
std::string TextOf(const ui::CheckResult& r) {
    if (r.ok()) return "";
    EXPECT_EQ(r.refusal->icon, MsgIcon::Stop);
    return r.refusal->text;
}

TEST_F(ReleaseSetup, InstantaneousAmountLimitsOfEveryUnit) {
    const std::string H = "Problem with the Input\n\n";
    const auto small = [&](const char* range) {
        return H + "Sorry, the amount spilled is too small. TAVRO can only model instantaneous releases between " +
               range + ".";
    };
    const auto large = [&](const char* range) {
        return H + "Sorry, the amount spilled is too large. TAVRO can only model instantaneous releases between " +
               range + ".";
    };
    struct Case {
        const char* name;
        const char* amount;
        int unit;
        std::string expected;
    };
    const Case cases[] = {
        {"empty", "", 0, H + "Please enter an amount spilled. TAVRO needs this information."},
        {"blanks only are empty", " \t ", 0, H + "Please enter an amount spilled. TAVRO needs this information."},
        {"bbl below", "1.99", 0, small("2 and 500,000 barrels")},
        {"bbl minimum", "2", 0, ""},
        {"bbl maximum", "500000", 0, ""},
        {"bbl above", "500001", 0, large("2 and 500,000 barrels")},
        {"gal below", "83", 1, small("84 and 21,000,000 gallons")},
        {"gal minimum", "84", 1, ""},
        {"gal maximum", "21000000", 1, ""},
        {"gal above", "21000001", 1, large("84 and 21,000,000 gallons")},
        {"cu m below", "0.31", 2, small("0.32 and 79,494 cubic meters")},
        {"cu m minimum", "0.32", 2, ""},
        {"cu m maximum", "79494", 2, ""},
        {"cu m above", "79494.5", 2, large("0.32 and 79,494 cubic meters")},
        {"tons below", "0.34", 3, small("0.35 and 87,540 tons")},
        {"tons minimum", "0.35", 3, ""},
        {"tons maximum", "87540", 3, ""},
        {"tons above", "87541", 3, large("0.35 and 87,540 tons")},
        {"metric tons below", "0.31", 4, small("0.32 and 79,415 metric tons")},
        {"metric tons minimum", "0.32", 4, ""},
        {"metric tons maximum", "79415", 4, ""},
        {"metric tons above", "79416", 4, large("0.32 and 79,415 metric tons")},
        {"not a number reads 0", "abc", 0, small("2 and 500,000 barrels")},
        {"leading number", "12abc", 0, ""},
    };
    ui::InstantaneousRules rules(doc);
    for (const Case& c : cases) {
        ui::InstantaneousForm form;
        form.amount = c.amount;
        form.unit = c.unit;
        EXPECT_EQ(TextOf(rules.Check(form)), c.expected) << c.name;
    }
}

TEST_F(ReleaseSetup, ContinuousChecksInTheirOrder) {
    const std::string tail = "Please change the input to fit within this limit.";
    const std::string duration =
        "Please enter the duration of the release. TAVRO needs this information to do a continuous release and you "
        "either left the field empty or entered zero.";
    const std::string amount =
        "Please enter information about how much oil was released. TAVRO needs this information to do a continuous "
        "release.";
    enum { Hours = 0, Days = 1 };
    struct Case {
        const char* name;
        const char* duration;
        int durationUnits;
        int option;
        const char* value;
        const char* finalRate;
        int unit;  // of the option's list
        std::string expected;
    };
    const Case cases[] = {
        {"48 bbl over 24 hours", "24", Hours, ui::SpilledAmount, "48", "", 0, ""},
        {"47 bbl over 24 hours", "24", Hours, ui::SpilledAmount, "47", "", 0,
         "The rate of release is below the minimum of 2 bbl/hr.\n" + tail},
        {"1 gal/min over 2 days", "2", Days, ui::ConstantRate, "1", "", 5,
         "The rate of release is below the minimum of 84 gal/hr.\n" + tail},
        {"2 gal/min over 2 days", "2", Days, ui::ConstantRate, "2", "", 5, ""},
        {"ramp 10 to 0 bbl/hr", "10", Hours, ui::ChangingRate, "10", "0", 0,
         "The rate of release is below the minimum of 2 bbl/hr.\n" + tail},
        {"ramp 10 to 2 bbl/hr", "10", Hours, ui::ChangingRate, "10", "2", 0, ""},
        {"ramp in gal/min counts as gal/hr x 60", "10", Hours, ui::ChangingRate, "1.5", "3", 5, ""},
        {"empty duration", "", Hours, ui::SpilledAmount, "48", "", 0, duration},
        {"zero duration", "0", Days, ui::SpilledAmount, "48", "", 0, duration},
        {"negative duration", "-3", Hours, ui::SpilledAmount, "48", "", 0, duration},
        {"blank duration", "  ", Hours, ui::SpilledAmount, "48", "", 0, duration},
        {"duration with decimals", "10.5", Hours, ui::SpilledAmount, "48", "", 0, ui::kWholeDurationText},
        {"duration of letters", "ten", Days, ui::SpilledAmount, "48", "", 0, ui::kWholeDurationText},
        {"empty amount", "24", Hours, ui::SpilledAmount, "", "", 0, amount},
        {"empty rate", "24", Hours, ui::ConstantRate, "", "", 0, amount},
        {"maximum before minimum", "1000000", Hours, ui::SpilledAmount, "600000", "", 0,
         "The amount released exceeds the limit of 500,000 bbl.\n" + tail},
        {"maximum at the limit passes", "24", Hours, ui::SpilledAmount, "500000", "", 0, ""},
        {"constant cu m total", "100", Hours, ui::ConstantRate, "800", "", 2,
         "The amount released exceeds the limit of 79,494 cu m.\n" + tail},
        {"tons rate", "24", Hours, ui::SpilledAmount, "8", "", 3,
         "The rate of release is below the minimum of 0.35 tons/hr.\n" + tail},
        {"metric tons total", "5", Days, ui::ChangingRate, "700", "700", 4,
         "The amount released exceeds the limit of 79,415 metric tons.\n" + tail},
        {"gal/min total counts as gallons", "5", Days, ui::ConstantRate, "3000", "", 5,
         "The amount released exceeds the limit of 21,000,000 gal.\n" + tail},
    };
    ui::ContinuousRules rules(doc);
    for (const Case& c : cases) {
        ui::ContinuousForm form;
        form.duration = c.duration;
        form.durationUnits = c.durationUnits;
        form.option = c.option;
        form.value = c.value;
        form.finalRate = c.finalRate;
        form.amountUnits = form.rateUnits1 = form.rateUnits2 = 0;
        (c.option == ui::SpilledAmount ? form.amountUnits : c.option == ui::ConstantRate ? form.rateUnits1
                                                                                          : form.rateUnits2) = c.unit;
        EXPECT_EQ(TextOf(rules.Check(form)), c.expected) << c.name;
    }
}

TEST_F(ReleaseSetup, ContainedAreaAndThickness) {
    const std::string H = "Problem with the Input.\n\n";
    enum { SqFt = 0, SqYd = 1, SqM = 2 };
    struct Case {
        const char* name;
        const char* amount;
        int volumeUnit;
        const char* area;
        int areaUnit;
        std::string expected;
    };
    const std::string thinner = H + ui::kThinnerText;
    const Case cases[] = {
        {"10 bbl on 10,000 sq m", "10", 0, "10000", SqM, ""},
        {"10 bbl on 100,000 sq ft", "10", 0, "100000", SqFt, ""},
        {"1 bbl on 10,000 sq m is thinner", "1", 0, "10000", SqM, thinner},
        {"5 sq ft", "0.1", 0, "5", SqFt, H + "Sorry, the spill area must be between 10 and 100,000 square feet."},
        {"10 sq ft", "0.1", 0, "10", SqFt, ""},
        {"100,001 sq ft", "10", 0, "100001", SqFt,
         H + "Sorry, the spill area must be between 10 and 100,000 square feet."},
        {"0.5 sq yd", "1", 2, "0.5", SqYd, H + "Sorry, the spill area must be between 1 and 11,960 square yards."},
        {"11,961 sq yd", "100", 2, "11961", SqYd,
         H + "Sorry, the spill area must be between 1 and 11,960 square yards."},
        {"10,001 sq m", "100", 2, "10001", SqM, H + "Sorry, the spill area must be between 1 and 10,000 square meters."},
        {"1000 bbl on 1 sq m is thicker", "1000", 0, "1", SqM,
         H + "Sorry, TAVRO cannot model slicks thicker than 20 cm. Please increase\nthe contained area or reduce the "
             "amount spilled."},
        {"tons of 907.2 kg at 850 kg/m3", "0.18", 3, "1", SqM, ""},         // 19.2 cm
        {"metric tons at 850 kg/m3", "0.0009", 4, "10", SqM, ""},           // 0.106 mm
        {"1 bbl on 1,400 sq yd", "1", 0, "1400", SqYd, ""},                 // 0.136 mm
        {"empty amount", "", 0, "100", SqM, H + "Please enter an amount spilled. TAVRO needs this information."},
        {"empty area", "10", 0, "", SqM, H + "Please enter a spill area. TAVRO needs this information."},
        {"blank amount", "  ", 0, "100", SqM, H + "Please enter an amount spilled. TAVRO needs this information."},
        {"blank area", "10", 0, " ", SqM, H + "Please enter a spill area. TAVRO needs this information."},
    };
    ui::ContainedRules rules(doc);
    for (const Case& c : cases) {
        const ui::ContainedForm form{{}, c.amount, c.volumeUnit, c.area, c.areaUnit};
        EXPECT_EQ(TextOf(rules.Check(form)), c.expected) << c.name;
    }
    EXPECT_DOUBLE_EQ(ui::ConvertVolumeToCubicMeters(10, 0), 1.58987294928);
    EXPECT_DOUBLE_EQ(ui::ConvertVolumeToCubicMeters(1, 1), 0.003785411784);
    EXPECT_DOUBLE_EQ(ui::ConvertVolumeToCubicMeters(850, 3), 907.2);
    EXPECT_DOUBLE_EQ(ui::ConvertVolumeToCubicMeters(850, 4), 1000);
    EXPECT_DOUBLE_EQ(ui::ConvertVolumeToCubicMeters(7, 2), 7);
    EXPECT_DOUBLE_EQ(ui::ConvertAreaToSquareMeters(100000, 0), 9293.35225);
    EXPECT_DOUBLE_EQ(ui::ConvertAreaToSquareMeters(1, 1), 0.8362188025);
    EXPECT_DOUBLE_EQ(ui::ConvertAreaToSquareMeters(5, 2), 5);
}

TEST_F(ReleaseSetup, OkStoresUnitsTheTimeInTheSpillYearAndTheFlag) {
    const document::TimePick feb31{1, 30, 5};  // February 31, 0500 hours
    const Time mar3 = UtcTime(2025, 3, 3, 5);
    document::Scenario& s = doc.scenario;

    ui::InstantaneousRules instant(doc);
    ASSERT_TRUE(instant.Ok({feb31, " 250.5 ", 2}).ok());
    EXPECT_EQ(s.instant.vol, 250.5);
    EXPECT_EQ(s.instant.volUnits, model::RVOL_CUM);
    EXPECT_EQ(s.InstantaneousTime, mar3);
    EXPECT_EQ(s.instant.flag, 1);
    EXPECT_EQ(instant.Load(), (ui::InstantaneousForm{{2, 2, 5}, "250.5", 2}));

    ui::ContinuousRules continuous(doc);
    ui::ContinuousForm c;
    c.time = {11, 24, 23};
    c.duration = "3";
    c.durationUnits = 1;
    c.option = ui::ChangingRate;
    c.value = "40";
    c.finalRate = "20";
    c.amountUnits = 4;
    c.rateUnits1 = 3;
    c.rateUnits2 = 2;
    ASSERT_TRUE(continuous.Ok(c).ok());
    EXPECT_EQ(s.cont.duration, 3);
    EXPECT_EQ(s.cont.durationUnits, 1);
    EXPECT_EQ(s.cont.spilledType, 2);
    EXPECT_EQ(s.cont.startRate, 40);
    EXPECT_EQ(s.cont.endRate, 20);
    EXPECT_EQ(s.cont.amount, model::MISSING_VALUE_D) << "only the option's values are stored";
    EXPECT_EQ(s.cont.amountUnits, 4);  // list indexes, not codes
    EXPECT_EQ(s.cont.rateUnits1, 3);
    EXPECT_EQ(s.cont.rateUnits2, 2);
    EXPECT_EQ(s.ContinuousTime, UtcTime(2025, 12, 25, 23));
    EXPECT_EQ(s.continuous.flag, 1);
    EXPECT_EQ(continuous.Load(), c);

    ui::ContainedRules contained(doc);
    ASSERT_TRUE(contained.Ok({{0, 0, 0}, "10", 0, "100000", 0}).ok());
    EXPECT_EQ(s.boomed.vol, 10);
    EXPECT_EQ(s.boomed.volUnits, model::RVOL_BBL);
    EXPECT_EQ(s.boomed.area, 100000);
    EXPECT_EQ(s.boomed.areaUnits, 1);
    EXPECT_EQ(s.ContainedTime, UtcTime(2025, 1, 1, 0));
    EXPECT_EQ(s.boomed.flag, 1);
    EXPECT_EQ(s.SpillTime, UtcTime(2025, 6, 10, 14, 35)) << "the set-up dialogs leave the spill time";
}

TEST_F(ReleaseSetup, ATextThatIsNotANumberPassesTheCheckButNotOk) {
    const document::Scenario before = doc.scenario;
    ui::InstantaneousRules instant(doc);
    const ui::InstantaneousForm i{{}, "12abc", 0};
    EXPECT_TRUE(instant.Check(i).ok());
    EXPECT_EQ(TextOf(instant.Ok(i)), "Please enter a number.");

    ui::ContinuousRules continuous(doc);
    ui::ContinuousForm c;
    c.duration = "24";
    c.option = ui::ChangingRate;
    c.value = "10";
    c.finalRate = "5x";
    EXPECT_TRUE(continuous.Check(c).ok());
    EXPECT_EQ(TextOf(continuous.Ok(c)), "Please enter a number.");
    c.option = ui::ConstantRate;  // the hidden final rate is not read
    EXPECT_TRUE(continuous.Ok(c).ok());
    EXPECT_EQ(doc.scenario.cont.rate, 10);
    doc.scenario = before;

    ui::ContainedRules contained(doc);
    EXPECT_EQ(TextOf(contained.Ok({{}, "10", 0, "10000 sq m", 2})), "Please enter a number.");
    EXPECT_TRUE(doc.scenario == before) << "a refused OK writes nothing";
}

TEST_F(ReleaseSetup, OpeningShowsStoredValuesAndEmptyFieldsForValuesNotEntered) {
    document::Scenario& s = doc.scenario;
    // A new scenario: every amount not entered.
    EXPECT_EQ(ui::InstantaneousRules(doc).Load().amount, "");
    EXPECT_EQ(ui::ContainedRules(doc).Load(), (ui::ContainedForm{{5, 9, 14}, "", 0, "", 0}));
    EXPECT_EQ(ui::ContinuousRules(doc).Load().duration, "");

    // Values of a file, with unit codes outside the lists.
    s.instant.vol = 0.1;
    s.instant.volUnits = 9;
    s.boomed.vol = -2;
    s.boomed.volUnits = 0;
    s.boomed.area = 1e-7;
    s.boomed.areaUnits = -4;
    s.cont.duration = 0;
    s.cont.durationUnits = 7;
    s.cont.spilledType = 9;
    s.cont.startRate = 12.25;
    s.cont.endRate = -1;
    s.cont.amountUnits = 12;
    s.cont.rateUnits1 = -1;
    s.cont.rateUnits2 = 6;
    EXPECT_EQ(ui::InstantaneousRules(doc).Load(), (ui::InstantaneousForm{{5, 9, 14}, "0.1", 4}));
    EXPECT_EQ(ui::ContainedRules(doc).Load(), (ui::ContainedForm{{5, 9, 14}, "-2", 0, "1e-07", 0}));
    ui::ContinuousForm expected;
    expected.time = {5, 9, 14};
    expected.durationUnits = 1;
    expected.option = ui::ChangingRate;
    expected.value = "12.25";
    expected.finalRate = "";  // not positive
    expected.amountUnits = 4;
    expected.rateUnits1 = 0;
    expected.rateUnits2 = 5;
    EXPECT_EQ(ui::ContinuousRules(doc).Load(), expected);
    s.cont.spilledType = 1;
    s.cont.rate = 0;
    EXPECT_EQ(ui::ContinuousRules(doc).Load().value, "") << "a rate not positive";
}

TEST_F(ReleaseSetup, UncertaintyAtMost100PercentAndOffForNothingOrNotPositive) {
    struct Case {
        const char* name;
        const char* text;
        std::string expected;
        int volFlag;
        double vol;
    };
    const double off = model::MISSING_VALUE_D;
    const std::string tooLarge =
        "Problem with the Input\n\nSorry, but the uncertainty cannot exceed 100% of the total amount spilled.";
    const Case cases[] = {
        {"100", "100", "", 1, 100},
        {"12.5", " 12.5", "", 1, 12.5},
        {"100.5", "100.5", tooLarge, 7, 3},
        {"leading number above 100", "250%", tooLarge, 7, 3},
        {"empty", "", "", 0, off},
        {"0", "0", "", 0, off},
        {"-5", "-5", "", 0, off},
        {"abc", "abc", "Please enter a number.", 7, 3},
        {"50%", "50%", "Please enter a number.", 7, 3},
    };
    ui::ReleaseUncertaintyRules rules(doc);
    for (const Case& c : cases) {
        doc.scenario.uncertainty.volFlag = 7;  // a refusal leaves these
        doc.scenario.uncertainty.vol = 3;
        EXPECT_EQ(TextOf(rules.Ok({c.text})), c.expected) << c.name;
        EXPECT_EQ(doc.scenario.uncertainty.volFlag, c.volFlag) << c.name;
        EXPECT_EQ(doc.scenario.uncertainty.vol, c.vol) << c.name;
        if (c.expected.empty()) {
            EXPECT_EQ(rules.Load().percent, c.volFlag ? platform::FormatG15(c.vol) : "") << c.name << " reopened";
        }
    }
}

}  // namespace
