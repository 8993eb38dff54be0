// The pages of the dispersant, in-situ burn and mechanical clean-up sheets
// and the advanced burn options: their checks, what they write, and whole
// sheets through the document's commands.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "document/Derive.h"
#include "test_document_helpers.h"
#include "ui/common/rules/SheetFlow.h"
#include "ui/inputs/rules/OperationPages.h"
#include "ui/inputs/rules/SmokePlumeRules.h"

namespace {

using document::SpillDocCore;
using platform::MsgIcon;

const std::string H = "Problem with the Input.\n\n";

// A scenario spilled on Monday 2024-02-05 14:00, in UTC whatever zone the
// tests run in (the pages pick and store local times).
struct Fixture : document_test::FakePorts {
    Fixture() : FakePorts(document_test::kSolvableStart), doc(document::OilLibraries{}, Ports()) {
        doc.scenario.SpillTime = document_test::kSolvableStart;
    }
    tavro_test::ZoneScope utc{"UTC"};
    SpillDocCore doc;
};

// A pick of the spill's month at a day and hour.
document::TimePick Feb(int day, int hour) { return {1, day - 1, hour}; }

std::string TextOf(const ui::CheckResult& r) { return r.refusal ? r.refusal->text : std::string(); }

TEST(DispersantPage, ChecksInOrderWithTheirTexts) {
    const std::string duration =
        H + "Dispersant applications are limited to a duration of between 1 hour\nand 120 hours. Please enter a "
            "duration within these limits.";
    const std::string sprayedMax = H + "The percentage of the spill area which was sprayed\nwith dispersant cannot exceed 100%.";
    const std::string sprayedMin =
        H + "Please enter the percent of the spill area which was\nsprayed with dispersant. The minimum is 1%.";
    const std::string dispersedMax = H + "The percent dispersed cannot exceed 100%.";
    const std::string dispersedMin = H + "Please enter the percent dispersed. The minimum is 1%.";
    struct Case {
        const char* name;
        const char* duration;
        const char* sprayed;
        const char* dispersed;
        std::string text;  // empty: passes
    };
    const std::vector<Case> cases = {
        {"all good", "120", "50", "50", ""},
        {"empty duration", "", "50", "50", duration},
        {"zero duration", "0", "50", "50", duration},
        {"121 hours", "121", "50", "50", duration},
        {"negative duration counts as too large", "-5", "0", "0", duration},
        {"decimal duration is not whole", "12.5", "50", "50", duration},
        {"sprayed 0", "10", "0", "50", sprayedMin},
        {"sprayed 0.5", "10", "0.5", "50", sprayedMin},
        {"sprayed empty", "10", "", "50", sprayedMin},
        {"sprayed 50.5 passes", "10", "50.5", "50", ""},
        {"sprayed 101", "10", "101", "50", sprayedMax},
        {"sprayed -1 exceeds", "10", "-1", "50", sprayedMax},
        {"dispersed 0", "10", "50", "0", dispersedMin},
        {"dispersed 101", "10", "50", "101", dispersedMax},
        {"a number with trailing text", "10", "50abc", "50", platform::kEnterNumberText},
    };
    for (const Case& c : cases) {
        Fixture f;
        f.doc.scenario.mDispersantPageUse[2] = 1;
        ui::DispersantPageRules rules(f.doc, 2);
        const document::Scenario before = f.doc.scenario;
        ui::DispersantPageForm form = rules.Load();
        form.start = Feb(6, 10);
        form.duration = c.duration;
        form.areaSprayed = c.sprayed;
        form.dispersed = c.dispersed;
        const ui::CheckResult r = rules.Leave(form);
        EXPECT_EQ(TextOf(r), c.text) << c.name;
        if (!c.text.empty()) {
            EXPECT_TRUE(f.doc.scenario == before) << c.name << ": a refused leave writes nothing";
        }
    }
}

TEST(DispersantPage, StoresValuesTimeAndWarnsOutsideTheRun) {
    Fixture f;
    ui::DispersantPageRules rules(f.doc, 1);
    // An unused spray is left with anything and nothing is written.
    ui::DispersantPageForm junk{Feb(1, 0), "abc", "-7", "900"};
    const document::Scenario before = f.doc.scenario;
    EXPECT_TRUE(rules.Leave(junk).ok());
    EXPECT_TRUE(f.doc.scenario == before);

    rules.ToggleUse();
    EXPECT_EQ(f.doc.scenario.mDispersantPageUse[1], 1);
    ui::DispersantPageForm form{Feb(6, 10), "6", "40.5", "60"};
    ui::CheckResult r = rules.Leave(form);
    ASSERT_TRUE(r.ok());
    EXPECT_TRUE(r.warnings.empty());
    const document::Scenario& s = f.doc.scenario;
    EXPECT_EQ(s.m_nDispersantDuration[1], 6);
    EXPECT_EQ(s.m_dDispersantDispersed[1], 40.5);  // the area sprayed
    EXPECT_EQ(s.m_dDispersantSprayed[1], 60);      // the share dispersed
    EXPECT_EQ(s.DispersantTime[1], document_test::kSolvableStart + 20 * 3600);
    EXPECT_EQ(rules.Load(), form);

    struct Case {
        const char* name;
        document::TimePick start;
        const char* warning;  // the part after "Spray 2 "
    };
    const std::vector<Case> cases = {
        {"hour 0: an hour before the spill", Feb(5, 13), "is scheduled to occur before the first release"},
        {"hour 121", Feb(10, 14), "is scheduled to occur greater than 120 hours"},
        {"hour 120 is in", Feb(10, 13), nullptr},
    };
    for (const Case& c : cases) {
        form.start = c.start;
        r = rules.Leave(form);
        EXPECT_TRUE(r.ok()) << c.name << ": a warning does not keep the page";
        if (!c.warning) {
            EXPECT_TRUE(r.warnings.empty()) << c.name;
            continue;
        }
        ASSERT_EQ(r.warnings.size(), 1u) << c.name;
        EXPECT_EQ(r.warnings[0].icon, MsgIcon::Exclamation) << c.name;
        EXPECT_EQ(r.warnings[0].text.rfind("Dispersant operation will be ignored\n\nSpray 2 " + std::string(c.warning), 0), 0u)
            << c.name << ": " << r.warnings[0].text;
        EXPECT_EQ(f.doc.scenario.DispersantTime[1], document::OperationTime(c.start, s.SpillTime, f.clock)) << c.name;
    }
    EXPECT_EQ(r.warnings.size(), 0u);
    form.start = Feb(10, 14);
    EXPECT_EQ(rules.Leave(form).warnings[0].text,
              "Dispersant operation will be ignored\n\nSpray 2 is scheduled to occur greater than 120 hours after the "
              "first release of oil, exceeding TAVRO's 5 day limit. Any removal operation planned 120 hours or more "
              "after the first release will not be included in the calculations.");
}

TEST(DispersantPage, AJanuarySprayOfADecemberSpillIsInTheNextYear) {
    Fixture f;
    f.doc.scenario.SpillTime = 1703944800;  // 2023-12-30 14:00 UTC
    f.doc.scenario.mDispersantPageUse[0] = 1;
    ui::DispersantPageRules rules(f.doc, 0);
    ASSERT_TRUE(rules.Leave({{0, 0, 2}, "4", "50", "50"}).ok());
    EXPECT_EQ(f.doc.scenario.DispersantTime[0], 1704074400);  // 2024-01-01 02:00
}

TEST(BurnPage, ChecksOnTheParsedValues) {
    const std::string area = H + "Missing Important Information.\nPlease enter the burn area. TAVRO needs this "
                                 "information and you left the field empty.\n";
    const std::string thick = H + "Missing Important Information.\nPlease enter the oil thickness. TAVRO needs this "
                                  "information and you left the field empty.";
    const std::string sqft = H + "The burn area is limited to between 10 and 100,000 square feet.\nPlease enter a value within these limits.";
    const std::string sqm = H + "The burn area is limited to between 1 and 10,000 square meters.\nPlease enter a value within these limits.";
    const std::string sqyd = H + "The burn area is limited to between 1 and 11,960 square yards.\nPlease enter a value within these limits.";
    const std::string mm = H + "The oil thickness is limited to between 2 and 200 milimeters.\nPlease enter a value within these limits.";
    const std::string cm = H + "The oil thickness is limited to between 0.2 and 20 centimeters.\nPlease enter a value within these limits.";
    const std::string in = H + "The oil thickness is limited to between 0.078 and 7.8 inches.\nPlease enter a value within these limits.";
    struct Case {
        const char* name;
        const char* area;
        int areaUnit;
        const char* thickness;
        int thicknessUnit;
        std::string text;
    };
    const std::vector<Case> cases = {
        {"10 sq ft, 2 mm", "10", 0, "2", 0, ""},
        {"100000 sq ft", "100000", 0, "5", 0, ""},
        {"9.9 sq ft", "9.9", 0, "5", 0, sqft},
        {"empty area is missing", "", 0, "5", 0, area},
        {"thickness 0 is missing, not out of range", "100", 0, "0", 0, thick},
        {"empty thickness", "100", 0, "", 0, thick},
        {"0.5 sq m", "0.5", 2, "5", 0, sqm},
        {"10000 sq m", "10000", 2, "5", 0, ""},
        {"11961 sq yd", "11961", 1, "5", 0, sqyd},
        {"201 mm", "100", 0, "201", 0, mm},
        {"0.19 cm", "100", 0, "0.19", 1, cm},
        {"7.8 in", "100", 0, "7.8", 2, ""},
        {"7.81 in", "100", 0, "7.81", 2, in},
        {"not a number", "ten", 0, "5", 0, platform::kEnterNumberText},
    };
    for (const Case& c : cases) {
        Fixture f;
        f.doc.scenario.mInSituBurnPageUse[0] = 1;
        ui::BurnPageRules rules(f.doc, 0);
        ui::BurnPageForm form{Feb(5, 20), c.area, c.areaUnit, c.thickness, c.thicknessUnit};
        const ui::CheckResult r = rules.Leave(form);
        EXPECT_EQ(TextOf(r), c.text) << c.name;
        if (r.ok()) {
            EXPECT_EQ(f.doc.scenario.m_dBurnArea[0], std::stod(c.area)) << c.name;
            EXPECT_EQ(f.doc.scenario.m_dBurnThickness[0], std::stod(c.thickness)) << c.name;
        }
    }
}

TEST(BurnPage, UnitsAndTimeOnApplyAndThePlumeButtonCarriesTheYear) {
    Fixture f;
    f.doc.scenario.m_iAreaUnits[3] = 7;  // out of range in a file: clamped, so the range check runs
    f.doc.scenario.mInSituBurnPageUse[3] = 1;
    ui::BurnPageRules rules(f.doc, 3);
    ui::BurnPageForm form = rules.Load();
    EXPECT_EQ(form.areaUnit, 2);
    form.area = "20000";
    form.thickness = "5";
    EXPECT_FALSE(rules.Leave(form).ok());
    form.area = "200";
    form.thicknessUnit = 1;
    form.thickness = "0.5";
    form.start = Feb(6, 1);
    ASSERT_TRUE(rules.Leave(form).ok());
    EXPECT_EQ(f.doc.scenario.InSituBurnTime[3], f.doc.scenario.InSituBurnTime[0]) << "the time waits for OK";
    rules.Apply(form);
    EXPECT_EQ(f.doc.scenario.InSituBurnTime[3], document_test::kSolvableStart + 11 * 3600);
    EXPECT_EQ(f.doc.scenario.m_iAreaUnits[3], 2);
    EXPECT_EQ(f.doc.scenario.m_iThicknessUnits[3], 1);

    f.doc.scenario.SpillTime = 1703944800;  // 2023-12-30 14:00
    form.start = {0, 1, 6};                 // January 2
    ASSERT_TRUE(rules.PrepareSmokePlume(form).ok());
    EXPECT_EQ(f.doc.scenario.InSituBurnTime[3], 1704175200);  // 2024-01-02 06:00
    form.thickness = "0";
    const document::Scenario before = f.doc.scenario;
    EXPECT_FALSE(rules.PrepareSmokePlume(form).ok());
    EXPECT_TRUE(f.doc.scenario == before);
}

TEST(AdvancedBurn, RateChecksAndWhatOkWrites) {
    const std::string empty = H + "Please enter a burn regression rate or choose the default value. You chose to use a "
                                  "non-default value and then left the field empty.";
    const std::string mm = H + "The burn regression rate is limited to between 0.01 and 0.1\nmillimeters/second. Please "
                               "enter a rate within these limits.";
    const std::string in = H + "The burn regression rate is limited to between 0.0004 and 0.004\ninches/second. "
                               "Please enter a rate within these limits.";
    struct Case {
        const char* name;
        int choice;
        const char* rate;
        int unit;
        std::string text;
        double regRate;
        int regRateUnits;
    };
    const std::vector<Case> cases = {
        {"other, empty", 1, "", 0, empty, 0, 0},
        {"other, -1", 1, "-1", 0, empty, 0, 0},
        {"other, 0.2 mm/s", 1, "0.2", 0, mm, 0, 0},
        {"other, 0.05 mm/s", 1, "0.05", 0, "", 0.05, 1},
        {"other, 0.005 in/s", 1, "0.005", 1, in, 0, 0},
        {"other, 0.002 in/s", 1, "0.002", 1, "", 0.002, 2},
        {"default whatever the hidden unit and text", 0, "0.003", 1, "", 0.04, 1},
    };
    for (const Case& c : cases) {
        Fixture f;
        f.doc.scenario.burn.regRate = 0.003;
        f.doc.scenario.burn.regRateUnits = 2;
        const document::Scenario before = f.doc.scenario;
        ui::AdvancedBurnRules rules(f.doc);
        const ui::CheckResult r = rules.Ok({c.choice, c.rate, c.unit});
        EXPECT_EQ(TextOf(r), c.text) << c.name;
        if (!r.ok()) {
            EXPECT_TRUE(f.doc.scenario == before) << c.name;
            EXPECT_EQ(f.doc.session.m_bChanged[document::ChangedBurn], 0) << c.name;
            continue;
        }
        EXPECT_EQ(f.doc.scenario.burn.regRate, c.regRate) << c.name;
        EXPECT_EQ(f.doc.scenario.burn.regRateUnits, c.regRateUnits) << c.name;
        EXPECT_EQ(f.doc.scenario.m_iBurnRegRateCombo, c.choice) << c.name;
        EXPECT_EQ(f.doc.session.m_bChanged[document::ChangedBurn], 0) << c.name << ": the sheet's OK raises it";
        EXPECT_TRUE(f.doc.IsModified()) << c.name;
        EXPECT_EQ(rules.Load().RateShown(), c.choice == 1) << c.name;
    }
}

TEST(CleanupPage, DurationAndTheChosenValue) {
    const std::string duration = H + "Cleanup operations are limited to a duration of between 1 hour\nand 120 hours. "
                                     "Please enter a duration within these limits.";
    const std::string rate = H + "Missing Important Information.\nPlease enter the recovery rate. TAVRO needs a value greater than 0.";
    const std::string amount = H + "Missing Important Information.\nPlease enter the amount recovered. TAVRO needs a value greater than 0.";
    struct Case {
        const char* name;
        bool rateMode;
        const char* duration;
        const char* value;
        std::string text;
    };
    const std::vector<Case> cases = {
        {"120 hours", true, "120", "50", ""},
        {"121 hours", true, "121", "50", duration},
        {"0 hours", true, "0", "50", duration},
        {"-1 hours", true, "-1", "50", duration},
        {"empty duration", true, "", "50", duration},
        {"empty rate", true, "12", "", rate},
        {"zero rate", true, "12", "0", rate},
        {"negative amount", false, "12", "-3", amount},
        {"an amount", false, "12", "300", ""},
    };
    for (const Case& c : cases) {
        Fixture f;
        f.doc.scenario.mMechanicalPageUse[0] = 1;
        ui::CleanupPageRules rules(f.doc, 0);
        rules.SetRateMode(c.rateMode);
        ui::CleanupPageForm form = rules.Load();
        form.duration = c.duration;
        (c.rateMode ? form.rate : form.amount) = c.value;
        EXPECT_EQ(TextOf(rules.Leave(form)), c.text) << c.name;
    }
}

// A whole sheet as the dialog runs it: pages left in turn, then OK, then
// the document's command compacts the used operations.

// The user clicks another page's tab: vetoed when the page in view refuses.
bool GoTo(ui::SheetFlow& flow, std::size_t to) {
    if (!flow.RequestChange(to)) return false;
    flow.Changed(to);
    return true;
}
class RulesPage final : public ui::ISheetPage {
public:
    explicit RulesPage(std::function<ui::CheckResult()> leave, std::function<void()> apply = {})
        : leave_(std::move(leave)), apply_(std::move(apply)) {}
    void Load() override {}
    ui::CheckResult Leave() override { return leave_(); }
    void Apply() override {
        if (apply_) apply_();
    }

private:
    std::function<ui::CheckResult()> leave_;
    std::function<void()> apply_;
};

// The five pages of a sheet as the view binds them: each form is what its
// page's controls show, leaving a page and OK go through its rules.
template <class Rules, class Form>
struct Sheet {
    explicit Sheet(SpillDocCore& doc) {
        for (int p = 0; p < 5; ++p) rules.emplace_back(doc, p);
        std::vector<ui::ISheetPage*> raw;
        for (int p = 0; p < 5; ++p) {
            forms.push_back(rules[p].Load());
            pages.push_back(std::make_unique<RulesPage>([this, p] { return rules[p].Leave(forms[p]); },
                                                        [this, p] {
                                                            if constexpr (requires { rules[p].Apply(forms[p]); })
                                                                rules[p].Apply(forms[p]);
                                                        }));
            raw.push_back(pages.back().get());
        }
        flow = std::make_unique<ui::SheetFlow>(raw, doc.Messages());
        flow->Start(0);
    }
    // The tab of page p clicked; the page left must pass.
    void Visit(std::size_t p) { ASSERT_TRUE(GoTo(*flow, p)) << "page " << p + 1 << " refused to be left"; }
    std::vector<Rules> rules;
    std::vector<Form> forms;
    std::vector<std::unique_ptr<RulesPage>> pages;
    std::unique_ptr<ui::SheetFlow> flow;
};
using DispersantPages = Sheet<ui::DispersantPageRules, ui::DispersantPageForm>;
using BurnPages = Sheet<ui::BurnPageRules, ui::BurnPageForm>;
using CleanupPages = Sheet<ui::CleanupPageRules, ui::CleanupPageForm>;

// A solvable scenario whose three sheets were confirmed once: sprays 1-3,
// burns 1-2 and clean-ups 1-2, each with values of its own.
struct Planned : document_test::Solvable {
    Planned() {
        SpillDocCore& d = *doc;
        dialogs.dialogs[document::DialogKind::Dispersant] = [](SpillDocCore& d) {
            DispersantPages sheet(d);
            const ui::DispersantPageForm sprays[] = {{Feb(5, 18), "4", "50.5", "60"},
                                                     {Feb(6, 10), "6", "30", "20"},
                                                     {Feb(9, 14), "3", "10", "15"}};
            for (std::size_t p = 0; p < 3; ++p) {
                sheet.Visit(p);
                sheet.rules[p].ToggleUse();
                sheet.forms[p] = sprays[p];
            }
            return sheet.flow->Ok();
        };
        dialogs.dialogs[document::DialogKind::InSituBurn] = [](SpillDocCore& d) {
            BurnPages sheet(d);
            const ui::BurnPageForm burns[] = {{Feb(5, 18), "1000", 2, "10", 0}, {Feb(6, 14), "2000", 0, "0.5", 2}};
            for (std::size_t p = 0; p < 2; ++p) {
                sheet.Visit(p);
                sheet.rules[p].ToggleUse();
                sheet.forms[p] = burns[p];
            }
            return sheet.flow->Ok();
        };
        dialogs.dialogs[document::DialogKind::Mechanical] = [](SpillDocCore& d) {
            CleanupPages sheet(d);
            sheet.rules[0].ToggleUse();
            sheet.forms[0] = {Feb(6, 15), "10", "25", 1, "", 0};
            sheet.Visit(1);
            sheet.rules[1].ToggleUse();
            sheet.rules[1].SetRateMode(false);
            sheet.forms[1] = {Feb(7, 16), "5", "", 0, "120", 2};
            return sheet.flow->Ok();
        };
        d.EditDispersant();
        d.EditInSituBurn();
        d.EditMechanical();
        d.session = document::SessionState{};  // as after a save: nothing changed since
    }
};

// What Solve hands the model: the start hours again from the stored times,
// then the setters.
struct Loaded {
    model::SDispersantOps disp;
    model::SBurnOps burn;
    model::SSkimmerOps skimmer;
};
Loaded LoadStep(Planned& f) {
    document::RederiveTimedRecords(f.doc->scenario, f.clock);
    f.doc->LoadModel();
    const model::CWeatheringCore& m = f.doc->Model();
    return {m.disp, m.burn, m.skimmer};
}

TEST(OperationSheets, ACancelledSheetLeavesTheScenarioAndTheNextSolveAsTheLastOk) {
    struct Case {
        const char* name;
        document::DialogKind sheet;
        std::function<void(SpillDocCore&)> edits;  // what the user did before Cancel
        int flag;                                  // the section's change flag
        bool marked;                               // the scenario marked changed
    };
    const std::vector<Case> cases = {
        {"spray 1 unticked, spray 4 filled, another tab", document::DialogKind::Dispersant,
         [](SpillDocCore& d) {
             DispersantPages sheet(d);
             sheet.rules[0].ToggleUse();
             sheet.Visit(3);
             sheet.rules[3].ToggleUse();
             sheet.forms[3] = {Feb(5, 15), "6", "40", "40"};
             sheet.Visit(4);
         },
         document::ChangedDispersant, false},
        {"a spray's time moved and its page left", document::DialogKind::Dispersant,
         [](SpillDocCore& d) {
             DispersantPages sheet(d);
             sheet.Visit(1);
             sheet.forms[1].start = Feb(7, 9);
             sheet.Visit(2);
         },
         document::ChangedDispersant, false},
        {"burn 1 unticked, burn 3 filled, another tab", document::DialogKind::InSituBurn,
         [](SpillDocCore& d) {
             BurnPages sheet(d);
             sheet.rules[0].ToggleUse();
             sheet.Visit(2);
             sheet.rules[2].ToggleUse();
             sheet.forms[2] = {Feb(8, 3), "300", 1, "2", 1};
             sheet.Visit(3);
         },
         document::ChangedBurn, false},
        {"the plume of burn 1 after a time change", document::DialogKind::InSituBurn,
         [](SpillDocCore& d) {
             BurnPages sheet(d);
             sheet.forms[0].start = Feb(5, 20);
             sheet.forms[0].areaUnit = 0;
             sheet.forms[0].area = "5000";
             ASSERT_TRUE(sheet.rules[0].PrepareSmokePlume(sheet.forms[0]).ok());
             ui::SmokePlumeRules plume(d, 0);
             ASSERT_TRUE(plume.Store({"300", "55", 0, "9", 2}).ok());  // Finished
         },
         document::ChangedBurn, false},
        // The options' own OK marks the scenario changed (kept), but what it
        // wrote goes with the sheet.
        {"another regression rate, then the sheet cancelled", document::DialogKind::InSituBurn,
         [](SpillDocCore& d) { ASSERT_TRUE(ui::AdvancedBurnRules(d).Ok({1, "0.002", 1}).ok()); },
         document::ChangedBurn, true},
        {"clean-up 1 unticked, clean-up 3 filled, another tab", document::DialogKind::Mechanical,
         [](SpillDocCore& d) {
             CleanupPages sheet(d);
             sheet.rules[0].ToggleUse();
             sheet.Visit(2);
             sheet.rules[2].ToggleUse();
             sheet.forms[2] = {Feb(8, 1), "7", "33", 3, "", 0};
             sheet.Visit(3);
         },
         document::ChangedMechanical, false},
        {"clean-up 1 moved and switched to an amount", document::DialogKind::Mechanical,
         [](SpillDocCore& d) {
             CleanupPages sheet(d);
             sheet.forms[0].start = Feb(5, 16);
             sheet.rules[0].SetRateMode(false);
             sheet.forms[0].amount = "90";
             sheet.forms[0].amountUnit = 4;
             sheet.Visit(1);
         },
         document::ChangedMechanical, false},
    };
    for (const Case& c : cases) {
        Planned f;
        const document::Scenario lastOk = f.doc->scenario;
        const Loaded okLoad = LoadStep(f);
        f.doc->scenario = lastOk;
        f.dialogs.dialogs[c.sheet] = [&c](SpillDocCore& d) {
            c.edits(d);
            return false;  // Cancel, Escape or the close box
        };
        switch (c.sheet) {
            case document::DialogKind::Dispersant: f.doc->EditDispersant(); break;
            case document::DialogKind::InSituBurn: f.doc->EditInSituBurn(); break;
            default: f.doc->EditMechanical(); break;
        }
        EXPECT_TRUE(f.doc->scenario == lastOk) << c.name << ": the pages, times and records of the last OK";
        EXPECT_EQ(f.doc->session.m_bChanged[c.flag], 0) << c.name << ": the tree keeps the last OK";
        EXPECT_EQ(f.doc->IsModified(), c.marked) << c.name;
        const Loaded load = LoadStep(f);
        EXPECT_TRUE(load.disp == okLoad.disp) << c.name;
        EXPECT_TRUE(load.burn == okLoad.burn) << c.name;
        EXPECT_TRUE(load.skimmer == okLoad.skimmer) << c.name;
        EXPECT_TRUE(f.messages.Entries().empty()) << c.name;
    }
}

// The last OK itself, for the table above: each sheet's used pages in order.
TEST(OperationSheets, TheFirstOkOfThePlannedScenario) {
    Planned f;
    const document::Scenario& s = f.doc->scenario;
    ASSERT_EQ(s.dispersant.num, 3);
    EXPECT_EQ(s.dispersant.startHour[0], 5);   // Feb 5 18:00
    EXPECT_EQ(s.dispersant.startHour[2], 97);  // Feb 9 14:00
    EXPECT_EQ(s.dispersant.dispersed[0], 50.5);
    ASSERT_EQ(s.burn.num, 2);
    EXPECT_EQ(s.burn.startHour[1], 25);
    EXPECT_EQ(s.burn.thick[1], 0.5);
    EXPECT_EQ(s.burn.thickUnits[1], 3);
    ASSERT_EQ(s.skimmer.num, 2);
    EXPECT_EQ(s.skimmer.startHour[1], 51);  // Feb 7 16:00
    EXPECT_EQ(s.skimmer.amount[1], 120);
    EXPECT_EQ(s.skimmer.amountUnits[1], 3);
    EXPECT_EQ(s.skimmer.rate[1], model::MISSING_VALUE_D);
}

TEST(CleanupSheet, ASwitchFromRateToAmountKeepsTheRateButTheModelGetsTheAmount) {
    Fixture f;
    f.dialogs.dialogs[document::DialogKind::Mechanical] = [](SpillDocCore& doc) {
        std::vector<ui::CleanupPageRules> rules;
        for (int p = 0; p < 2; ++p) rules.emplace_back(doc, p);
        std::vector<ui::CleanupPageForm> forms(2);
        rules[0].ToggleUse();
        rules[0].SetRateMode(true);
        forms[0] = rules[0].Load();
        forms[0].duration = "10";
        forms[0].rate = "25";
        forms[0].rateUnit = 1;    // gal/hr
        forms[0].amountUnit = 2;  // cu m
        forms[0].start = {1, 4, 16};
        RulesPage first([&] { return rules[0].Leave(forms[0]); }, [&] { rules[0].Apply(forms[0]); });
        RulesPage second([&] { return rules[1].Leave(forms[1]); }, [&] { rules[1].Apply(forms[1]); });
        ui::SheetFlow flow({&first, &second}, doc.Messages());
        flow.Start(0);
        if (!GoTo(flow, 1)) return false;
        // Back on the first page: the user switches to an amount.
        if (!GoTo(flow, 0)) return false;
        rules[0].SetRateMode(false);
        forms[0].amount = "300";
        return flow.Ok();
    };
    f.doc.EditMechanical();
    const document::Scenario& s = f.doc.scenario;
    EXPECT_EQ(s.m_dMechanicalRate[0], 25) << "the document keeps both values";
    EXPECT_EQ(s.m_dMechanicalAmount[0], 300);
    ASSERT_EQ(s.skimmer.num, 1);
    EXPECT_EQ(s.skimmer.rate[0], model::MISSING_VALUE_D) << "the model would take a rate first";
    EXPECT_EQ(s.skimmer.amount[0], 300);
    EXPECT_EQ(s.skimmer.startHour[0], 3);
    EXPECT_EQ(s.skimmer.duration[0], 10);
    EXPECT_EQ(s.skimmer.rateUnits[0], 2) << "gal/hr";
    EXPECT_EQ(s.skimmer.amountUnits[0], 3) << "cu m";
    EXPECT_EQ(f.doc.session.m_bChanged[document::ChangedMechanical], 1);
    EXPECT_TRUE(f.messages.Entries().empty());
}

TEST(DispersantSheet, OkCompactsTheUsedSpraysAndARefusedPageStops) {
    Fixture f;
    f.dialogs.dialogs[document::DialogKind::Dispersant] = [](SpillDocCore& doc) {
        std::vector<ui::DispersantPageRules> rules;
        for (int p = 0; p < 5; ++p) rules.emplace_back(doc, p);
        std::vector<ui::DispersantPageForm> forms;
        for (auto& r : rules) forms.push_back(r.Load());
        std::vector<std::unique_ptr<RulesPage>> pages;
        std::vector<ui::ISheetPage*> raw;
        for (int p = 0; p < 5; ++p) {
            pages.push_back(std::make_unique<RulesPage>([&, p] { return rules[p].Leave(forms[p]); }));
            raw.push_back(pages.back().get());
        }
        ui::SheetFlow flow(raw, doc.Messages());
        flow.Start(0);
        // Sprays 2 and 4 used; spray 4 first with an empty duration.
        if (!GoTo(flow, 1)) return false;
        rules[1].ToggleUse();
        forms[1] = {{1, 5, 8}, "3", "40", "60"};
        if (!GoTo(flow, 3)) return false;
        rules[3].ToggleUse();
        forms[3] = {{1, 6, 9}, "", "40", "60"};
        if (GoTo(flow, 4)) return false;  // refused: stays
        forms[3].duration = "2";
        return flow.Ok();
    };
    f.doc.EditDispersant();
    ASSERT_EQ(f.messages.Entries().size(), 1u);
    EXPECT_EQ(f.messages.Entries()[0].text.rfind(H + "Dispersant applications", 0), 0u);
    const document::Scenario& s = f.doc.scenario;
    ASSERT_EQ(s.dispersant.num, 2);
    EXPECT_EQ(s.dispersant.startHour[0], 19);  // Feb 6 08:00
    EXPECT_EQ(s.dispersant.startHour[1], 44);  // Feb 7 09:00
    EXPECT_EQ(s.dispersant.duration[1], 2);
    EXPECT_EQ(f.doc.session.m_bChanged[document::ChangedDispersant], 1);
}

}  // namespace
