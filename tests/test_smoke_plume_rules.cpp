// The smoke-plume dialog's rules: what it shows without inputs, its
// checks, the request in SI units, a real model run and the summary.
#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "model/UnitConversion.h"
#include "test_document_helpers.h"
#include "ui/inputs/rules/OperationPages.h"
#include "ui/inputs/rules/SmokePlumeRules.h"

namespace {

using document::SpillDocCore;
using model::ConvertToSI;

struct Fixture : document_test::FakePorts {
    Fixture() : FakePorts(document_test::kSolvableStart), doc(document::OilLibraries{}, Ports()) {
        doc.scenario.SpillTime = document_test::kSolvableStart;
        // Burn 2: 2000 sq ft of 10 mm, on February 6 at 09:00.
        document::Scenario& s = doc.scenario;
        s.mInSituBurnPageUse[1] = 1;
        s.m_dBurnArea[1] = 2000;
        s.m_iAreaUnits[1] = 0;
        s.m_dBurnThickness[1] = 10;
        s.m_iThicknessUnits[1] = 0;
        s.InSituBurnTime[1] = document_test::kSolvableStart + 19 * 3600;
    }
    tavro_test::ZoneScope utc{"UTC"};  // the burn's time is shown in local time
    SpillDocCore doc;
};

std::string TextOf(const ui::CheckResult& r) { return r.refusal ? r.refusal->text : std::string(); }

double F(double f) { return ConvertToSI(model::QUANTITY_TEMPERATURE, static_cast<int>(model::ESITempUnit::Fahrenheit), f); }

TEST(SmokePlumeRules, DefaultsWithoutInputsAndTheScenarioMeanWind) {
    Fixture f;
    {
        ui::SmokePlumeRules rules(f.doc, 1);
        EXPECT_EQ(rules.WaterTemp(), 65);
        EXPECT_EQ(rules.WaterTempUnit(), 0);
        EXPECT_EQ(rules.OilName(), "PRUDHOE BAY");
        EXPECT_EQ(rules.Api(), 24.8);
        EXPECT_EQ(rules.Density(), 915);
        EXPECT_EQ(rules.DensityRefTemp(), 273.15);
        const ui::SmokePlumeForm form = rules.Load();
        EXPECT_EQ(form, (ui::SmokePlumeForm{"150", "70", 0, "5", 2}));
        const auto r = rules.Request();
        ASSERT_TRUE(r);
        EXPECT_DOUBLE_EQ(r->waterTemp, F(65));
        EXPECT_EQ(r->api, 24.8);
    }
    // 120 hourly speeds in knots: their mean, in knots, shown but not stored.
    document::Scenario& s = f.doc.scenario;
    s.m_bWindAndWaveInputPassed = 1;
    s.m_bVarWind = 1;
    s.m_iVarSpeedUnit = 1;
    s.wind.num = 120;
    s.wind.speedUnits = 2;
    double sum = 0;
    for (int i = 0; i < 120; ++i) sum += s.wind.speed[i] = 4 + i % 7;
    s.m_iWindSpeedUnit = 2;  // the constant wind's list: not this one's
    const document::Scenario withWind = s;
    {
        ui::SmokePlumeRules rules(f.doc, 1);
        const ui::SmokePlumeForm form = rules.Load();
        EXPECT_EQ(form.wind, platform::FormatG15(sum / 120));
        EXPECT_EQ(form.windUnit, 1);
        EXPECT_TRUE(f.doc.scenario == withWind) << "the mean waits for the store step";
    }
    // A constant wind (every hour alike) in m/s, the variable list on knots.
    s.m_bVarWind = 0;
    for (int i = 0; i < 120; ++i) s.wind.speed[i] = 7.5;
    ui::SmokePlumeRules constant(f.doc, 1);
    EXPECT_EQ(constant.Load().wind, "7.5");
    EXPECT_EQ(constant.Load().windUnit, 2) << "the constant wind's unit";
}

// The scenario's water and oil, when entered, reach the model in SI.
TEST(SmokePlumeRules, TheScenariosWaterAndOilInTheRequest) {
    struct Case {
        const char* name;
        int tempUnits;  // the water record's code: 1 deg F, 2 deg C
        double temperature;
        double kelvin;
    };
    const std::vector<Case> cases = {
        {"10 deg C", model::WTEMP_C, 10, 283.15},
        {"41 deg F", model::WTEMP_F, 41, 278.15},
    };
    for (const Case& c : cases) {
        Fixture f;
        document::Scenario& s = f.doc.scenario;
        s.m_bWaterInputPassed = 1;
        s.water.temperature = c.temperature;
        s.water.tempUnits = c.tempUnits;
        s.m_bOilInputPassed = 1;
        s.OilName = "TEST CRUDE";
        s.oil.api = 31.5;
        s.oil.rhoRef_value[0] = 870.5;
        s.oil.rhoRef_temp[0] = 288.15;
        ui::SmokePlumeRules rules(f.doc, 1);
        EXPECT_EQ(rules.WaterTemp(), c.temperature) << c.name;
        EXPECT_EQ(rules.WaterTempUnit(), c.tempUnits - 1) << c.name;
        EXPECT_EQ(rules.OilName(), "TEST CRUDE") << c.name;
        const auto r = rules.Request();
        ASSERT_TRUE(r) << c.name;
        EXPECT_NEAR(r->waterTemp, c.kelvin, 1e-9) << c.name;
        EXPECT_EQ(r->api, 31.5) << c.name;
        EXPECT_EQ(r->density, 870.5) << c.name;
        EXPECT_EQ(r->densityRefTemp, 288.15) << c.name;
    }
}

TEST(SmokePlumeRules, ChecksInOrderAndARefusalWritesNothing) {
    const char* above38 = "Sorry, TAVRO does not support air temperatures above 38 degrees C. Please enter a cooler air temperature.";
    const char* belowM18 = "Sorry, TAVRO does not support air temperatures below -18 degrees C. Please enter a warmer air temperature.";
    const char* above100 = "Sorry, TAVRO does not support air temperatures above 100 degrees F. Please enter a cooler air temperature.";
    const char* below0 = "Sorry, TAVRO does not support air temperatures below 0 degrees F. Please enter a warmer air temperature.";
    const char* loc = "Please enter a level of concern greater than 0.";
    const char* wind = "Please enter an average wind speed greater than 0.";
    struct Case {
        const char* name;
        const char* loc;
        const char* air;
        int airUnit;
        const char* wind;
        std::string text;
    };
    const std::vector<Case> cases = {
        {"38 C", "150", "38", 1, "5", ""},
        {"-18 C", "150", "-18", 1, "5", ""},
        {"39 C", "150", "39", 1, "5", above38},
        {"-19 C", "150", "-19", 1, "5", belowM18},
        {"100 F", "150", "100", 0, "5", ""},
        {"-1 F", "150", "-1", 0, "5", below0},
        {"100.5 F is over, not read as 100", "150", "100.5", 0, "5", above100},
        {"-0.5 F", "150", "-0.5", 0, "5", below0},
        {"the air first, then LOC", "0", "120", 0, "0", above100},
        {"LOC 0", "0", "70", 0, "5", loc},
        {"LOC empty", "", "70", 0, "5", loc},
        {"LOC negative", "-5", "70", 0, "5", loc},
        {"wind 0", "150", "70", 0, "0", wind},
        {"wind empty", "150", "70", 0, "", wind},
        {"not a number", "150", "70x", 0, "5", platform::kEnterNumberText},
    };
    for (const Case& c : cases) {
        Fixture f;
        ui::SmokePlumeRules rules(f.doc, 1);
        const document::Scenario before = f.doc.scenario;
        std::unique_ptr<model::SPlumeGraphData> plume;
        const ui::CheckResult r = rules.Next({c.loc, c.air, c.airUnit, c.wind, 2}, plume);
        EXPECT_EQ(TextOf(r), c.text) << c.name;
        if (c.text.empty()) {
            EXPECT_NE(plume, nullptr) << c.name;
            EXPECT_EQ(f.doc.scenario.m_dPlumeAirTemp[1], std::stod(c.air)) << c.name;
            continue;
        }
        EXPECT_EQ(plume, nullptr) << c.name;
        EXPECT_EQ(r.refusal->icon, c.text == platform::kEnterNumberText ? platform::MsgIcon::Exclamation
                                                                         : platform::MsgIcon::Stop)
            << c.name;
        EXPECT_TRUE(f.doc.scenario == before) << c.name << ": a refusal writes nothing";
    }
}

TEST(SmokePlumeRules, TheRequestInSIForEveryUnit) {
    using model::QUANTITY_AREA, model::QUANTITY_LENGTH, model::QUANTITY_SPEED;
    struct Case {
        const char* name;
        int areaUnit, thickUnit, rateCombo, rateUnit, airUnit, windUnit;
        double area, thickness, regression, air, wind;  // expected SI
    };
    const double C20 = ConvertToSI(4, static_cast<int>(model::ESITempUnit::Celsius), 20);
    const std::vector<Case> cases = {
        {"sq ft, mm, mm/s, F, mph", 0, 0, 1, 0, 0, 0, ConvertToSI(QUANTITY_AREA, model::AREA_FT2, 2000),
         ConvertToSI(QUANTITY_LENGTH, model::LEN_MM, 10), 0.05e-3, F(20), ConvertToSI(QUANTITY_SPEED, model::SPEED_MPH, 8)},
        {"sq yd, cm, in/s, C, knots", 1, 1, 1, 1, 1, 1, ConvertToSI(QUANTITY_AREA, model::AREA_YD2, 2000),
         ConvertToSI(QUANTITY_LENGTH, model::LEN_CM, 10), ConvertToSI(QUANTITY_SPEED, model::SPEED_INS, 0.05), C20,
         ConvertToSI(QUANTITY_SPEED, model::SPEED_KNOT, 8)},
        {"sq m, inches, m/s", 2, 2, 1, 0, 0, 2, 2000, ConvertToSI(QUANTITY_LENGTH, model::LEN_IN, 10), 0.05e-3, F(20), 8},
        {"the default rate after inches/second", 0, 0, 0, 1, 0, 2, ConvertToSI(QUANTITY_AREA, model::AREA_FT2, 2000),
         ConvertToSI(QUANTITY_LENGTH, model::LEN_MM, 10), 0.04e-3, F(20), 8},
    };
    for (const Case& c : cases) {
        Fixture f;
        document::Scenario& s = f.doc.scenario;
        s.m_iAreaUnits[1] = c.areaUnit;
        s.m_iThicknessUnits[1] = c.thickUnit;
        s.m_iBurnRegRateCombo = c.rateCombo;
        s.m_iBurnRegRateUnit = c.rateUnit;
        s.m_dBurnRegRate = 0.05;
        ui::SmokePlumeRules rules(f.doc, 1);
        ASSERT_TRUE(rules.Store({"150", "20", c.airUnit, "8", c.windUnit}).ok()) << c.name;
        const auto r = rules.Request();
        ASSERT_TRUE(r) << c.name;
        EXPECT_DOUBLE_EQ(r->area, c.area) << c.name;
        EXPECT_DOUBLE_EQ(r->thickness, c.thickness) << c.name;
        EXPECT_DOUBLE_EQ(r->regression, c.regression) << c.name;
        EXPECT_DOUBLE_EQ(r->airTemp, c.air) << c.name;
        EXPECT_DOUBLE_EQ(r->wind, c.wind) << c.name;
        EXPECT_EQ(r->loc, 150) << c.name;
        EXPECT_DOUBLE_EQ(r->waterTemp, F(65)) << c.name;
    }
    // A unit index outside its list (a file's) is an error, not a guess.
    Fixture f;
    f.doc.scenario.m_iThicknessUnits[1] = 3;
    ui::SmokePlumeRules rules(f.doc, 1);
    EXPECT_FALSE(rules.Request());
    std::unique_ptr<model::SPlumeGraphData> plume;
    EXPECT_EQ(TextOf(rules.Next(rules.Load(), plume)),
              "An error occured while calculating the smoke plume. Calculation aborted.");
    EXPECT_EQ(plume, nullptr);
}

TEST(SmokePlumeRules, AdvancedDefaultGivesThePlume004MmPerSecond) {
    Fixture f;
    f.doc.scenario.m_iBurnRegRateCombo = 1;
    f.doc.scenario.m_iBurnRegRateUnit = 1;
    f.doc.scenario.m_dBurnRegRate = 0.002;  // in/s
    ui::AdvancedBurnRules advanced(f.doc);
    ASSERT_TRUE(advanced.Ok({0, "0.002", 1}).ok());
    EXPECT_EQ(f.doc.scenario.burn.regRate, 0.04);
    EXPECT_EQ(f.doc.scenario.burn.regRateUnits, 1);
    ui::SmokePlumeRules rules(f.doc, 1);
    ASSERT_TRUE(rules.Request());
    EXPECT_DOUBLE_EQ(rules.Request()->regression, 0.04e-3);
}

TEST(SmokePlumeRules, ARealRunAndItsSummary) {
    tavro_test::ZoneScope utc("UTC");
    const char* previous = std::setlocale(LC_ALL, nullptr);
    const std::string saved = previous ? previous : "C";
    std::setlocale(LC_ALL, "de_DE.UTF-8");  // the month stays English where the locale exists
    Fixture f;
    ui::SmokePlumeRules rules(f.doc, 1);
    std::unique_ptr<model::SPlumeGraphData> plume;
    const ui::CheckResult r = rules.Next({"150", "20", 1, "12", 1}, plume);
    ASSERT_TRUE(r.ok()) << TextOf(r);
    ASSERT_NE(plume, nullptr);
    EXPECT_STREQ(plume->title, "Smoke plume");
    EXPECT_STREQ(plume->units, "assumes long duration burn");
    EXPECT_GE(plume->series[model::PLUME_NEUTRAL_DISTANCE][0], 0) << "the model's series start at index 0";
    EXPECT_GE(plume->series[model::PLUME_STABLE_DISTANCE][0], 0);
    EXPECT_GT(plume->duration, 0);
    const ui::PlumeSummary m = rules.Summary(*plume);
    EXPECT_EQ(m.time, "Time of Burn = February 06, 09:00 hours");
    EXPECT_EQ(m.duration, platform::Format("Burn Duration = %d minutes", plume->duration));
    EXPECT_EQ(m.loc, "LOC = 150 ugm/m3");
    EXPECT_EQ(m.area, "Burn Area = 2000 sq. feet");
    EXPECT_EQ(m.airTemp, "Air Temperature = 20 C");
    EXPECT_EQ(m.wind, "Wind Speed = 12 knots");
    EXPECT_EQ(m.oil, "Oil Name = PRUDHOE BAY ");
    std::setlocale(LC_ALL, saved.c_str());
}

}  // namespace
