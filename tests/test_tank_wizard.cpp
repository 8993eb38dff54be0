// The leaking-tank wizard's steps without windows: what each step shows,
// refuses and writes, step 6's computation, Finish and Cancel.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "test_document_helpers.h"
#include "ui/inputs/rules/ReleaseRules.h"
#include "ui/inputs/rules/TankWizardRules.h"

using namespace document;
using namespace document_test;
using namespace ui;

namespace {

constexpr Time kStart = 1675252800;  // 2023-02-01 12:00 UTC, not a leap year

std::string P(const std::string& text) { return std::string(kHeaderProblemDot) + text; }

// A scenario whose steps 1 and 3 were answered: a 10 m cube with a 0.5 m
// circular opening.
void TenMetreTank(Scenario& s) {
    model::InputTank& t = s.tank;
    t.tLength = t.tWidth = t.tHeight = 10;
    t.tUnits = 1;
    t.hDiam = 0.5;
    t.hArea = 0.5 * 0.5 * 3.14 / 4;
    t.hUnits = 1;
}

struct CheckCase {
    const char* name;
    int step;
    std::function<void(TankWizardForms&)> fill;
    std::string refusal;  // empty: passes
    std::function<void(Scenario&)> setup = TenMetreTank;
};

void RunChecks(const std::vector<CheckCase>& cases) {
    for (const CheckCase& c : cases) {
        SCOPED_TRACE(c.name);
        FakePorts ports(kStart);
        SpillDocCore doc({}, ports.Ports());
        c.setup(doc.scenario);
        TankWizardRules rules(doc);
        TankWizardForms forms;
        rules.LoadStep(c.step, forms);
        c.fill(forms);
        const Scenario before = doc.scenario;
        const CheckResult r = rules.Next(c.step, forms);
        EXPECT_EQ(r.ok() ? std::string() : r.refusal->text, c.refusal);
        if (!r.ok()) {
            EXPECT_EQ(r.refusal->icon, platform::MsgIcon::Stop);
            EXPECT_TRUE(doc.scenario == before) << "a refused step stored something";
        }
    }
}

auto Size(const char* l, const char* w, const char* h, int unit) {
    return [=](TankWizardForms& f) { f.size = {l, w, h, unit}; };
}
auto Percent(int step, const char* text) {
    return [=](TankWizardForms& f) {
        if (step == 2) f.amount.amountKnown = false, f.amount.percent = text;
        if (step == 4) f.holeHeight.heightKnown = false, f.holeHeight.percent = text;
        if (step == 5) f.waterLevel.heightKnown = false, f.waterLevel.percent = text;
    };
}
auto Amount(const char* text, int unit) {
    return [=](TankWizardForms& f) { f.amount = {true, text, unit, ""}; };
}
auto Circle(const char* d, int unit) {
    return [=](TankWizardForms& f) { f.opening = {true, d, unit, "", "", 0}; };
}
auto Rectangle(const char* l, const char* h, int unit) {
    return [=](TankWizardForms& f) { f.opening = {false, "", 0, l, h, unit}; };
}
auto Height(int step, const char* text, int unit = 0) {
    return [=](TankWizardForms& f) { (step == 4 ? f.holeHeight : f.waterLevel) = {true, text, unit, ""}; };
}
void OneMetreBottom(Scenario& s) {
    TenMetreTank(s);
    s.tank.tLength = s.tank.tWidth = 1;
}
void TenFootCube(Scenario& s) {
    TenMetreTank(s);
    s.tank.tUnits = 2;
}

TEST(TankWizardChecks, StepOneBoundsInMetresAndFeet) {
    RunChecks({
        {"empty width", 1, Size("5", " ", "5", 0), P(kTankSizeEmptyText)},
        {"metres at the bounds", 1, Size("0.3", "20", "0.6", 0), ""},
        {"metres: short", 1, Size("0.29", "5", "5", 0), P("The length of the tank must be between 0.3 and 20 meters.")},
        {"metres: wide", 1, Size("5", "20.01", "5", 0), P("The width of the tank must be between 0.3 and 20 meters.")},
        {"metres: low", 1, Size("5", "5", "0.59", 0), P("The height of the tank must be between 0.6 and 20 meters.")},
        {"feet at the bounds", 1, Size("1", "66", "2", 1), ""},
        {"feet: short", 1, Size("0.99", "5", "5", 1), P("The length of the tank must be between 1 and 66 feet.")},
        {"feet: wide", 1, Size("5", "66.5", "5", 1), P("The width of the tank must be between 1 and 66 feet.")},
        {"feet: low", 1, Size("5", "5", "1.9", 1), P("The height of the tank must be between 2 and 66 feet.")},
        {"text after the number", 1, Size("5", "5m", "5", 0), platform::kEnterNumberText},
        {"no number reads as 0", 1, Size("abc", "5", "5", 0),
         P("The length of the tank must be between 0.3 and 20 meters.")},
    });
}

TEST(TankWizardChecks, PercentFieldsOnTheStoredDecimal) {
    struct Row {
        const char* text;
        bool step2, step4, step5;  // passes
    };
    // Step 4's 100 % puts the hole's bottom at the top: refused by the
    // height check, not by the percent bounds.
    const Row rows[] = {{"0", false, false, true},       {"0.5", false, false, true}, {"1", true, true, true},
                        {"50.5", true, true, true},      {"100", true, false, true},  {"100.5", false, false, false},
                        {"-5", false, false, false},     {"abc", false, false, false}};
    std::vector<CheckCase> cases;
    std::vector<std::string> names;
    names.reserve(3 * std::size(rows));
    for (const Row& r : rows) {
        const bool number = std::string(r.text) != "abc";
        const std::string not4 = std::string(r.text) == "100" ? P(kHoleAboveTankText) : P(kHolePercentText);
        names.push_back(std::string("step 2, ") + r.text);
        cases.push_back({names.back().c_str(), 2, Percent(2, r.text),
                         r.step2 ? "" : number ? P(kTankPercentText) : platform::kEnterNumberText});
        names.push_back(std::string("step 4, ") + r.text);
        cases.push_back({names.back().c_str(), 4, Percent(4, r.text),
                         r.step4 ? "" : number ? not4 : platform::kEnterNumberText});
        names.push_back(std::string("step 5, ") + r.text);
        cases.push_back({names.back().c_str(), 5, Percent(5, r.text),
                         r.step5 ? "" : number ? P(kWaterPercentText) : platform::kEnterNumberText});
    }
    cases.push_back({"step 5, 101", 5, Percent(5, "101"), P(kWaterPercentText)});
    RunChecks(cases);
}

TEST(TankWizardChecks, AmountAgainstTheTank) {
    RunChecks({
        {"the tank's volume in cu m", 2, Amount("1000", 2), ""},
        {"1 cu m more", 2, Amount("1001", 2), P(kTankFullText)},
        {"empty", 2, Amount("", 2), P(kTankAmountText)},
        {"zero", 2, Amount("0", 2), P(kTankAmountText)},
        {"negative", 2, Amount("-1", 2), P(kTankAmountText)},
        {"bbl under the volume", 2, Amount("6289", 0), ""},
        {"bbl over the volume", 2, Amount("6290", 0), P(kTankFullText)},
        {"gallons over the volume", 2, Amount("264173", 1), P(kTankFullText)},
        {"a 10 ft cube holds 1000 cu feet", 2, Amount("1000", 3), "", TenFootCube},
        {"and not 1001", 2, Amount("1001", 3), P(kTankFullText), TenFootCube},
    });
}

TEST(TankWizardChecks, OpeningSizeAndShare) {
    RunChecks({
        {"30 cm circle in a 1 m x 1 m tank", 3, Circle("30", 1), "", OneMetreBottom},
        {"40 cm circle is over 10 %", 3, Circle("40", 1), P(kHoleCircleAreaText), OneMetreBottom},
        {"no diameter", 3, Circle("", 0), P(kHoleDiameterEmptyText)},
        {"metres minimum", 3, Circle("0.019", 0), P("The hole diameter must be greater than 0.02 meters.")},
        {"cm minimum", 3, Circle("1.9", 1), P("The hole diameter must be greater than 2 centimeters.")},
        {"feet minimum", 3, Circle("0.064", 2), P("The hole diameter must be greater than 0.065 feet.")},
        {"inches minimum", 3, Circle("0.78", 3), P("The hole diameter must be greater than 0.79 inches.")},
        {"inches at the minimum", 3, Circle("0.79", 3), ""},
        {"rectangle without height", 3, Rectangle("5", "", 1), P(kHoleRectEmptyText)},
        {"rectangle in metres", 3, Rectangle("0.05", "0.03", 0), ""},
        {"rectangle metres minimum", 3, Rectangle("0.03", "0.04", 0),
         P("The area of the hole must be greater than 0.00126 square meters.")},
        {"rectangle cm minimum", 3, Rectangle("3", "4", 1),
         P("The area of the hole must be greater than 12.6 square centimeters.")},
        {"rectangle feet minimum", 3, Rectangle("0.1", "0.1", 2),
         P("The area of the hole must be greater than 0.0135 square feet.")},
        {"rectangle inches minimum", 3, Rectangle("1", "1.9", 3),
         P("The area of the hole must be greater than 1.95 square inches.")},
        {"two negative sides", 3, Rectangle("-1", "-1", 0),
         P("The area of the hole must be greater than 0.00126 square meters.")},
        {"rectangle over 10 %: the text alone", 3, Rectangle("40", "30", 1), kHoleRectAreaText, OneMetreBottom},
        {"rectangle under 10 % of a feet tank", 3, Rectangle("0.09", "0.1", 0), "",
         [](Scenario& s) {
             TenMetreTank(s);
             s.tank.tUnits = 2;
             s.tank.tLength = s.tank.tWidth = 1;  // 10 % is 0.0092903 sq m
         }},
        {"and over it", 3, Rectangle("0.1", "0.1", 0), kHoleRectAreaText,
         [](Scenario& s) {
             TenMetreTank(s);
             s.tank.tUnits = 2;
             s.tank.tLength = s.tank.tWidth = 1;
         }},
    });
}

TEST(TankWizardChecks, HeightOfTheOpeningAndTheWater) {
    RunChecks({
        {"opening 9.5 m up a 10 m tank", 4, Height(4, "9.5"), ""},
        {"9.51 m", 4, Height(4, "9.51"), P(kHoleAboveTankText)},
        {"95 %", 4, Percent(4, "95"), ""},
        {"95.1 %", 4, Percent(4, "95.1"), P(kHoleAboveTankText)},
        {"31.16 ft", 4, Height(4, "31.16", 1), ""},
        {"31.2 ft", 4, Height(4, "31.2", 1), P(kHoleAboveTankText)},
        {"no height", 4, Height(4, ""), P(kHoleHeightEmptyText)},
        {"negative height", 4, Height(4, "-0.1"), P(kHoleNegativeText)},
        {"a number then text", 4, Height(4, "2x"), platform::kEnterNumberText},
        {"water at the top", 5, Height(5, "10"), ""},
        {"water over the top", 5, Height(5, "10.01"), P(kWaterAboveTankText)},
        {"water in feet of a metre tank", 5, Height(5, "32.8", 1), ""},
        {"over it in feet", 5, Height(5, "32.81", 1), P(kWaterAboveTankText)},
        {"water in metres of a feet tank", 5, Height(5, "3.04", 0), "", TenFootCube},
        {"over it in metres", 5, Height(5, "3.05", 0), P(kWaterAboveTankText), TenFootCube},
        {"no level", 5, Height(5, ""), P(kWaterEmptyText)},
        {"negative level", 5, Height(5, "-1"), P(kWaterNegativeText)},
        {"level 0", 5, Height(5, "0"), ""},
    });
}

// Next on one step of a ten-metre tank with the form as filled.
// The document is its own (a ten-metre tank) or one given.
struct Stepper {
    FakePorts ports{kStart};
    SpillDocCore ownDoc{{}, ports.Ports()};
    SpillDocCore& doc;
    TankWizardRules rules;
    TankWizardForms forms;
    Stepper() : doc(ownDoc), rules(doc) { TenMetreTank(doc.scenario); }
    explicit Stepper(SpillDocCore& other) : doc(other), rules(doc) {}
    void Next(int step, const std::function<void(TankWizardForms&)>& fill) {
        rules.LoadStep(step, forms);
        fill(forms);
        const CheckResult r = rules.Next(step, forms);
        ASSERT_TRUE(r.ok()) << r.refusal->text;
    }
};

TEST(TankWizardDerivations, WhatEachStepWrites) {
    {
        SCOPED_TRACE("step 1 in feet");
        Stepper s;
        s.Next(1, Size("12", "8", "6.5", 1));
        const model::InputTank& t = s.doc.scenario.tank;
        EXPECT_EQ(t.tLength, 12);
        EXPECT_EQ(t.tWidth, 8);
        EXPECT_EQ(t.tHeight, 6.5);
        EXPECT_EQ(t.tUnits, 2);
    }
    for (int feet = 0; feet <= 1; ++feet) {
        SCOPED_TRACE(feet ? "step 2 percent of a feet tank" : "step 2 percent of a metre tank");
        Stepper s;
        s.doc.scenario.tank.tUnits = feet ? 2 : 1;
        s.Next(2, [](TankWizardForms& f) { f.amount = {false, "", 1, "50"}; });
        const Scenario& sc = s.doc.scenario;
        EXPECT_EQ(sc.tank.oVol, 500);
        EXPECT_EQ(sc.tank.oUnits, feet ? 4 : 3);
        EXPECT_EQ(sc.m_dTankPercentFull, 50);
        EXPECT_EQ(sc.m_iTankVolumeUnit, 2);  // gal, counted from 1
    }
    {
        SCOPED_TRACE("step 2 amount");
        Stepper s;
        s.Next(2, Amount("200", 1));
        const Scenario& sc = s.doc.scenario;
        EXPECT_EQ(sc.tank.oVol, 200);
        EXPECT_EQ(sc.tank.oUnits, 2);
        EXPECT_EQ(sc.m_dTankOilVolume, 200);
        EXPECT_EQ(sc.m_iTankVolumeUnit, 2);
    }
    {
        SCOPED_TRACE("step 3 circle");
        Stepper s;
        s.Next(3, [](TankWizardForms& f) { f.opening = {true, "0.2", 0, "", "", 3}; });
        const Scenario& sc = s.doc.scenario;
        EXPECT_EQ(sc.tank.hDiam, 0.2);
        EXPECT_DOUBLE_EQ(sc.tank.hArea, 0.2 * 0.2 * 3.14 / 4);
        EXPECT_EQ(sc.tank.hUnits, 1);
        EXPECT_EQ(sc.m_iHoleDiameterUnit, 0);
        EXPECT_EQ(sc.m_iHoleRectUnit, 3);
        EXPECT_EQ(sc.m_dHoleDiameter, 0.2);
    }
    {
        SCOPED_TRACE("step 3 rectangle");
        Stepper s;
        s.Next(3, Rectangle("10", "5", 1));
        const Scenario& sc = s.doc.scenario;
        EXPECT_EQ(sc.tank.hArea, 50);
        EXPECT_EQ(sc.tank.hDiam, 5);
        EXPECT_EQ(sc.tank.hUnits, 2);
        EXPECT_EQ(sc.m_dHoleRectWidth, 10);
        EXPECT_EQ(sc.m_dHoleRectHeight, 5);
        EXPECT_EQ(sc.m_iHoleRectUnit, 1);
    }
    {
        SCOPED_TRACE("steps 4 and 5 in percent of a feet tank");
        Stepper s;
        s.doc.scenario.tank.tUnits = 2;
        s.Next(4, [](TankWizardForms& f) { f.holeHeight = {false, "", 1, "20"}; });
        s.Next(5, [](TankWizardForms& f) { f.waterLevel = {false, "", 0, "30"}; });
        const Scenario& sc = s.doc.scenario;
        EXPECT_EQ(sc.tank.zHeight, 2);
        EXPECT_EQ(sc.tank.zUnits, 2);
        EXPECT_EQ(sc.m_dHoleHeightPercent, 20);
        EXPECT_EQ(sc.m_iHoleHeightUnit, 1);
        EXPECT_EQ(sc.tank.wHeight, 3);
        EXPECT_EQ(sc.tank.wUnits, 2);
        EXPECT_EQ(sc.m_dWaterLevelPercent, 30);
        EXPECT_EQ(sc.m_iWaterLevelUnit, 0);
    }
    {
        SCOPED_TRACE("steps 4 and 5 as heights");
        Stepper s;
        s.Next(4, Height(4, "1.5", 1));
        s.Next(5, Height(5, "2", 0));
        const Scenario& sc = s.doc.scenario;
        EXPECT_EQ(sc.tank.zHeight, 1.5);
        EXPECT_EQ(sc.tank.zUnits, 2);
        EXPECT_EQ(sc.m_dHoleHeight, 1.5);
        EXPECT_EQ(sc.tank.wHeight, 2);
        EXPECT_EQ(sc.tank.wUnits, 1);
        EXPECT_EQ(sc.m_dWaterLevel, 2);
    }
}

TEST(TankWizardLoad, NewScenarioStoredAnswersAndUnitsOutOfTheirLists) {
    ZoneScope utc("UTC");  // the spill time's local day and hour
    FakePorts ports(kStart);
    SpillDocCore doc({}, ports.Ports());
    TankWizardRules rules(doc);
    TankWizardForms forms;
    for (int step = 1; step <= 6; ++step) rules.LoadStep(step, forms);
    TankWizardForms empty;
    empty.time.pick = {1, 0, 12};  // the spill time, February 1 at noon
    EXPECT_EQ(forms, empty);

    Scenario& s = doc.scenario;
    s.m_dHoleRectWidth = 0.3;  // a rectangle length without a height
    s.m_bHoleRound = 0;
    s.m_iTankVolumeUnit = 2;  // gal
    s.m_dTankPercentFull = 55.5;
    s.tank.tUnits = 7;
    s.m_iHoleDiameterUnit = -3;
    s.m_iHoleRectUnit = 9;
    s.m_iWaterLevelUnit = 2;
    for (int step = 1; step <= 6; ++step) rules.LoadStep(step, forms);
    EXPECT_FALSE(forms.opening.round);
    EXPECT_EQ(forms.opening.rectLength, "0.3");
    EXPECT_EQ(forms.opening.rectHeight, "");
    EXPECT_EQ(forms.amount.unit, 1);
    EXPECT_EQ(forms.amount.percent, "55.5");
    EXPECT_EQ(forms.size.unit, 1);
    EXPECT_EQ(forms.opening.diameterUnit, 0);
    EXPECT_EQ(forms.opening.rectUnit, 3);
    EXPECT_EQ(forms.waterLevel.unit, 1);
}

TEST(TankWizardFlow, ModeButtonsStoreAtOnceAndALaterShowingReloads) {
    Stepper s;
    s.rules.SetMode(2, false);
    s.rules.SetMode(3, false);
    s.rules.SetMode(4, false);
    s.rules.SetMode(5, false);
    const Scenario& sc = s.doc.scenario;
    EXPECT_EQ(sc.m_bTankVolumeKnown, 0);
    EXPECT_EQ(sc.m_bHoleRound, 0);
    EXPECT_EQ(sc.m_bHoleHeightKnown, 0);
    EXPECT_EQ(sc.m_bWaterLevelKnown, 0);
    s.rules.SetMode(2, true);
    EXPECT_EQ(sc.m_bTankVolumeKnown, 1);

    s.Next(2, Amount("250", 2));
    // Typed over, then left without Next: the next showing has what was stored.
    s.forms.amount.amount = "999";
    s.rules.LoadStep(2, s.forms);
    EXPECT_EQ(s.forms.amount.amount, "250");
    EXPECT_EQ(s.forms.amount.unit, 2);
}

// Steps 1-5 of a vented 2 m cube, half full, with a 5 cm hole 0.2 m up
// and no water outside, unless said otherwise.
void AnswerStepsOneToFive(Stepper& s, const char* holeHeight = "0.2", const char* waterLevel = "0") {
    s.Next(1, Size("2", "2", "2", 0));
    s.Next(2, Percent(2, "50"));
    s.Next(3, Circle("5", 1));
    s.Next(4, Height(4, holeHeight));
    s.Next(5, Height(5, waterLevel));
}

void FixtureOilAndWater(Scenario& s) {
    ASSERT_TRUE(tavro_test::LoadLibraryOil("West Texas Intermediate", s.oil));
    s.water.temperature = 15;
    s.water.tempUnits = 2;
    s.water.salinity = 32;
}

TEST(TankWizardFlow, StepSixComputesTheLeakAndFinishKeepsIt) {
    ZoneScope utc("UTC");
    Stepper s;
    FixtureOilAndWater(s.doc.scenario);
    AnswerStepsOneToFive(s);
    s.Next(6, [](TankWizardForms& f) { f.time.pick = {1, 30, 5}; });  // February 31, 0500
    const Scenario& sc = s.doc.scenario;
    EXPECT_EQ(sc.TankTime, 1677819600);  // 2023-03-03 05:00 UTC
    EXPECT_EQ(sc.tank.vent, 1);
    EXPECT_EQ(sc.tank.aground, 0);
    EXPECT_EQ(sc.tank.Cd, -999);
    EXPECT_EQ(sc.tank.flag, 1);
    EXPECT_GT(sc.m_dTankTotalRelease, 0);
    EXPECT_LE(sc.m_dTankTotalRelease, 4 + 1e-9);  // never more than the tank held
    EXPECT_GT(sc.m_dTankLeakDuration, 0);
    EXPECT_TRUE(s.ports.messages.Entries().empty());

    s.rules.Finish(3);
    EXPECT_EQ(sc.m_iTankReleaseUnit, 3);
    EXPECT_EQ(sc.tank.flag, 1);
    EXPECT_EQ(s.rules.ReleaseUnit(), 3);
}

// The Release dialog's leaking-tank box with the wizard behind it: a
// finished wizard ticks the tank and takes the place of a contained release.
TEST(TankWizardFlow, FinishThroughTheReleaseDialogTicksTheTankAndClearsTheContainedRelease) {
    ZoneScope utc("UTC");
    struct WizardSetup final : IReleaseSetup {
        int runs = 0;
        bool Run(ReleaseKind kind, SpillDocCore& doc) override {
            if (kind != ReleaseKind::Tank) return false;
            ++runs;
            Stepper s(doc);
            FixtureOilAndWater(doc.scenario);
            AnswerStepsOneToFive(s);
            s.Next(6, [](TankWizardForms& f) { f.time.pick = {1, 4, 14}; });
            s.rules.Finish(0);
            return true;
        }
        bool Available(ReleaseKind kind) const override { return kind == ReleaseKind::Tank; }
        bool RunUncertainty(SpillDocCore&) override { return false; }
    } setup;
    FakePorts ports{kStart};
    SpillDocCore doc{{}, ports.Ports()};
    doc.scenario.boomed.flag = 1;  // a contained release entered before
    ReleaseRules release(doc, setup);
    release.Load();
    ASSERT_TRUE(release.Checked(ReleaseKind::Contained));
    release.BoxClicked(ReleaseKind::Tank);
    EXPECT_EQ(setup.runs, 1);
    EXPECT_TRUE(release.Checked(ReleaseKind::Tank));
    EXPECT_FALSE(release.Checked(ReleaseKind::Contained));
    EXPECT_EQ(doc.scenario.tank.flag, 1);
    EXPECT_EQ(doc.scenario.boomed.flag, 0);
    EXPECT_GT(doc.scenario.m_dTankTotalRelease, 0);
}

TEST(TankWizardFlow, NoReleaseKeepsStepSix) {
    {
        SCOPED_TRACE("the opening above the oil");
        Stepper s;
        FixtureOilAndWater(s.doc.scenario);
        AnswerStepsOneToFive(s, "1.5");
        s.forms.time.pick = {5, 0, 0};
        const CheckResult r = s.rules.Next(6, s.forms);
        ASSERT_FALSE(r.ok());
        EXPECT_EQ(r.refusal->text, P(kNoTankReleaseText));
    }
    {
        SCOPED_TRACE("an oil heavier than the water, the opening under the waterline");
        Stepper s;
        Scenario& sc = s.doc.scenario;
        sc.oil.rhoRef_value[0] = 1010;
        sc.oil.rhoRef_temp[0] = 288.15;
        sc.water.temperature = 15;
        sc.water.tempUnits = 2;
        sc.water.salinity = 0;
        AnswerStepsOneToFive(s, "0.2", "1.5");
        const CheckResult r = s.rules.Next(6, s.forms);
        ASSERT_FALSE(r.ok());
        EXPECT_EQ(r.refusal->text, P(kNoTankReleaseText));
        EXPECT_EQ(s.ports.messages.Texts(), std::vector<std::string>{"Leaking Tank: Oil Sinks"});
    }
}

TEST(TankWizardFlow, CancelAfterStepSixPutsTheScenarioBack) {
    Stepper s;
    FixtureOilAndWater(s.doc.scenario);
    TankWizardRules rules(s.doc);  // opened on the scenario as it is now
    const Scenario copy = s.doc.scenario;
    for (int step = 1; step <= 5; ++step) rules.SetMode(step, false);
    AnswerStepsOneToFive(s);
    s.Next(6, [](TankWizardForms&) {});
    ASSERT_FALSE(s.doc.scenario == copy);
    rules.Cancel();
    EXPECT_TRUE(s.doc.scenario == copy);
}

}  // namespace
