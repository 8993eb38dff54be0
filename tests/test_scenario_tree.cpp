#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <functional>
#include <memory>
#include <string>

#include "document/ScenarioSummary.h"
#include "document/ScenarioTree.h"
#include "document/SpillDoc.h"
#include "test_document_helpers.h"

using namespace document;
using namespace document_test;

namespace {

constexpr Time kStart = 1707141600;  // Mon 2024-02-05 14:00 UTC
constexpr Time kHour = 3600;

// Items as text: one per line, two blanks per level, "+" before bold ones,
// "[-]" after open ones.
void DumpItem(const TreeItem& item, int depth, std::string& out) {
    out += std::string(static_cast<std::size_t>(depth) * 2, ' ') + (item.bold ? "+" : "") + item.text +
           (item.expanded ? " [-]" : "") + "\n";
    for (const TreeItem& c : item.children) DumpItem(c, depth + 1, out);
}

std::string Dump(const ScenarioTreeModel& model) {
    std::string out;
    for (const TreeRoot& r : model.Roots()) DumpItem(r.item, 0, out);
    return out;
}

std::string DumpRoot(const ScenarioTreeModel& model, const char* name) {
    const TreeRoot* r = model.FindRoot(name);
    if (!r) return "(none)";
    std::string out;
    DumpItem(r->item, 0, out);
    return out;
}

std::string RootNames(const ScenarioTreeModel& model) {
    std::string out;
    for (const TreeRoot& r : model.Roots()) out += r.item.text + "|";
    return out;
}

// Summary lines as "depth style text", one per line.
std::string DumpLines(const SummaryLines& lines) {
    std::string out;
    for (const SummaryLine& l : lines) {
        const char* style = l.style == SummaryStyle::Heading ? "H" : l.style == SummaryStyle::Bold ? "B" : "-";
        out += std::to_string(l.depth) + style + " " + l.text + "\n";
    }
    return out;
}

// A scenario without windows or libraries at a fixed time, and its tree.
struct TreeFixture : FakePorts {
    TreeFixture() : FakePorts(kStart) {
        doc = std::make_unique<SpillDocCore>(OilLibraries{}, Ports());
        doc->OnNewDocument();
    }
    Scenario& S() { return doc->scenario; }
    int* Flags() { return doc->session.m_bChanged; }
    void Raise(EChangeFlag f) { Flags()[f] = 1; }
    void Refresh() { tree.Refresh(*doc); }

    // A crude oil with reference points, as the oil dialog leaves it.
    void EnterOil() {
        EnterTestCrude(S());
        Raise(ChangedOil);
    }

    ZoneScope utc{"UTC"};
    std::unique_ptr<SpillDocCore> doc;
    ScenarioTreeModel tree;
};

const char* const kOilLinesBeforeSolve =
    "+Oil Type [-]\n"
    "  TEST CRUDE\n"
    "  Location = NOWHERE\n"
    "  Synonyms = \n"
    "  Product Type = Crude\n"
    "  API = 31.0\n"
    "  Pour Point = -12 deg C\n"
    "  Flash Point = unknown\n"
    "  Density = 0.871 g/cc at 15 deg C\n"
    "  Viscosity = 15.0 cSt at 38 deg C\n"
    "  Adhesion = unknown\n"
    "  Aromatics = 12.5 weight %\n";

}  // namespace

TEST(ScenarioTree, NewScenarioShowsTheFourEmptyRoots) {
    TreeFixture f;
    // Before any refresh: the roots, Release Information with its empty item.
    EXPECT_EQ(Dump(f.tree),
              "+Oil Type\n+Wind and Wave Conditions\n+Water Properties\n+Release Information\n  \n");
    f.Refresh();
    EXPECT_EQ(Dump(f.tree),
              "+Oil Type\n  \n+Wind and Wave Conditions\n  \n+Water Properties\n  \n+Release Information\n  \n");
    for (int i = ChangedRelease; i <= SolvedTree; ++i) EXPECT_EQ(f.Flags()[i], 0) << i;
}

TEST(ScenarioTree, ReleaseSection) {
    struct Case {
        const char* name;
        std::function<void(Scenario&)> set;
        const char* want;
    };
    const Case cases[] = {
        {"instantaneous",
         [](Scenario& s) {
             s.instant = {1, 1, 1000, model::RVOL_BBL};
             s.InstantaneousTime = kStart + 30 * 60;
         },
         "+Release Information [-]\n  +Instantaneous Release [-]\n    Time of Release = February 05, 1430 hours\n"
         "    Amount Spilled = 1000 bbl\n  \n"},
        {"continuous amount in hours",
         [](Scenario& s) {
             s.continuous.flag = 1;
             s.ContinuousTime = kStart + 26 * kHour;
             s.cont.spilledType = 0;
             s.cont.amount = 250.4;
             s.cont.amountUnits = 2;
             s.cont.duration = 12;
             s.cont.durationUnits = 0;
         },
         "+Release Information [-]\n  +Continuous Release [-]\n    Time of Release = February 06, 1600 hours\n"
         "    Amount Spilled = 250 cu m\n    Duration of Release = 12 hours\n  \n"},
        {"continuous rate in days",
         [](Scenario& s) {
             s.continuous.flag = 1;
             s.cont.spilledType = 1;
             s.cont.rate = 20;
             s.cont.rateUnits1 = 5;
             s.cont.duration = 2;
             s.cont.durationUnits = 1;
         },
         "+Release Information [-]\n  +Continuous Release [-]\n    Time of Release = February 05, 1400 hours\n"
         "    Spill Rate = 20 gal/min\n    Duration of Release = 2 days\n  \n"},
        {"continuous changing rate, odd duration unit means days",
         [](Scenario& s) {
             s.continuous.flag = 1;
             s.cont.spilledType = 2;
             s.cont.startRate = 100;
             s.cont.endRate = 10;
             s.cont.rateUnits2 = 0;
             s.cont.duration = 3;
             s.cont.durationUnits = 7;
         },
         "+Release Information [-]\n  +Continuous Release [-]\n    Time of Release = February 05, 1400 hours\n"
         "    Starting Spill Rate = 100 bbl/hr\n    Final Spill Rate = 10 bbl/hr\n    Duration of Release = 3 days\n  \n"},
        {"continuous spilledType 3 has no amount line",
         [](Scenario& s) {
             s.continuous.flag = 1;
             s.cont.spilledType = 3;
             s.cont.amount = 5;
             s.cont.duration = 4;
         },
         "+Release Information [-]\n  +Continuous Release [-]\n    Time of Release = February 05, 1400 hours\n"
         "    Duration of Release = 4 hours\n  \n"},
        {"leaking tank and contained",
         [](Scenario& s) {
             s.tank.flag = 1;
             s.TankTime = kStart + 5;
             s.boomed = {1, 1, 30, model::RVOL_TONNES, 2000, 3};
             s.ContainedTime = kStart + kHour;
         },
         "+Release Information [-]\n  +Leaking Tank Release [-]\n    Time of Release = February 05, 1400 hours\n"
         "  +Contained Release [-]\n    Time of Release = February 05, 1500 hours\n"
         "    Amount Spilled = 30 metric tons\n    Area of Contained Oil = 2000 sq. meters\n  \n"},
        {"uncertainty alone leaves the section closed",
         [](Scenario& s) {
             s.uncertainty.volFlag = 1;
             s.uncertainty.vol = 25;
         },
         "+Release Information\n  +Release Uncertainty [-]\n    Amount Spilled = (+/-) 25% of the total oil spilled\n  \n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TreeFixture f;
        f.Refresh();
        c.set(f.S());
        f.Raise(ChangedRelease);
        f.Refresh();
        EXPECT_EQ(DumpRoot(f.tree, kReleaseSection), c.want);
        EXPECT_EQ(f.Flags()[ChangedRelease], 0);
    }
}

TEST(ScenarioTree, WindSection) {
    struct Case {
        const char* name;
        std::function<void(Scenario&)> set;
        const char* want;
    };
    auto constant = [](Scenario& s, int chooser) {
        s.m_dWindSpeed = 12.4;
        s.m_dWindDirection = 270;
        s.m_iWindSpeedUnit = 1;
        s.m_iWaveHeightChooser = chooser;
        s.m_dFetch = 35;
        s.m_iFetchUnit = 1;
        s.m_dWaveHeight = 1.25;
        s.m_iWaveHeightUnit = 1;
    };
    auto records = [](Scenario& s, int n) {
        s.m_bVarWind = 1;
        s.m_iVarWindNumber = n;
        for (int i = 0; i < model::MAX_HOURS; ++i) s.m_tVarWindTime[i] = kStart + i * 3 * kHour + 17 * 60;
    };
    const Case cases[] = {
        {"unlimited fetch", [&](Scenario& s) { constant(s, 0); },
         "+Wind and Wave Conditions [-]\n  Wind Speed = 12 knots from 270 degrees\n"
         "  Wave Height = computed from wind speed, unlimited fetch (default)\n"},
        {"fetch", [&](Scenario& s) { constant(s, 1); },
         "+Wind and Wave Conditions [-]\n  Wind Speed = 12 knots from 270 degrees\n"
         "  Wave Height = computed from wind speed and fetch\n  Fetch = 35 km\n"},
        {"wave height", [&](Scenario& s) { constant(s, 2); },
         "+Wind and Wave Conditions [-]\n  Wind Speed = 12 knots from 270 degrees\n  Wave Height = 1.2 feet\n"},
        {"negative speed", [](Scenario& s) { s.m_dWindSpeed = -999; }, "+Wind and Wave Conditions\n  \n"},
        {"variable, no record", [&](Scenario& s) { records(s, 0); }, "+Wind and Wave Conditions\n  \n"},
        {"variable records", [&](Scenario& s) { records(s, 3); },
         "+Wind and Wave Conditions [-]\n  Variable Wind\n  Winds Start = February 05, 14:00 hours\n"
         "  Winds Stop = February 05, 20:00 hours\n"},
        {"variable count past the table reads the last record", [&](Scenario& s) { records(s, 5000); },
         "+Wind and Wave Conditions [-]\n  Variable Wind\n  Winds Start = February 05, 14:00 hours\n"
         "  Winds Stop = February 20, 11:00 hours\n"},
        {"uncertainty",
         [&](Scenario& s) {
             constant(s, 0);
             s.uncertainty.windFlag = 1;
             s.uncertainty.wind = 5;
             s.uncertainty.windUnits = model::SPEED_CODE_MS;
         },
         "+Wind and Wave Conditions [-]\n  Wind Speed = 12 knots from 270 degrees\n"
         "  Wave Height = computed from wind speed, unlimited fetch (default)\n"
         "  +Wind Uncertainty [-]\n    Wind speed = (+/-) 5 m/s\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TreeFixture f;
        f.Refresh();
        c.set(f.S());
        f.Raise(ChangedWindWave);
        f.Refresh();
        EXPECT_EQ(DumpRoot(f.tree, kWindSection), c.want);
    }
}

TEST(ScenarioTree, WaterSection) {
    struct Case {
        const char* name;
        double sediment, speed;
        const char* sedimentLine;
        const char* currentLine;
    };
    const Case cases[] = {
        {"ocean, still", 5, 0, "Sediment Load = 5 g/m3 (ocean)", "Current = 0 knots"},
        {"river", 50, 1.25, "Sediment Load = 50 g/m3 (avg. river/estuary)", "Current = 1.2 knots towards 90 degrees"},
        {"muddy river", 500, -0.5, "Sediment Load = 500 g/m3 (muddy river)", "Current = -0.5 knots towards 90 degrees"},
        {"other load", 49, 2, "Sediment Load = 49 g/m3", "Current = 2.0 knots towards 90 degrees"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TreeFixture f;
        model::InputWater& w = f.S().water;
        w.temperature = 59;
        w.tempUnits = model::WTEMP_F;
        w.salinity = 31.6;
        w.sediment = c.sediment;
        w.speed = c.speed;
        w.speedUnits = model::SPEED_CODE_KNOTS;
        w.direction = 90;
        f.Refresh();
        EXPECT_EQ(DumpRoot(f.tree, kWaterSection), std::string("+Water Properties [-]\n  Temperature = 59 deg F\n"
                                                               "  Salinity = 32 ppt\n  ") +
                                                       c.sedimentLine + "\n  " + c.currentLine + "\n");
    }
    TreeFixture none;
    none.S().water.temperature = -900;
    none.Refresh();
    EXPECT_EQ(DumpRoot(none.tree, kWaterSection), "+Water Properties\n  \n");
}

TEST(ScenarioTree, OilBeforeAndAfterSolve) {
    TreeFixture f;
    f.EnterOil();
    f.Refresh();
    EXPECT_EQ(DumpRoot(f.tree, kOilSection), kOilLinesBeforeSolve);
    // The default onset shows no emulsification before a run.
    EXPECT_EQ(RootNames(f.tree), "Oil Type|Wind and Wave Conditions|Water Properties|Release Information|");

    // A run: the model's values at the water temperature, in the water's unit.
    model::CWeatheringCore& m = f.doc->Model();
    m.rho = 880.04;
    m.visc = 2.345e-5;
    m.waterTemp = 289.0;  // 15.85 deg C: 16 deg C, 60.8 deg F
    m.bullwinkle[0] = 0.314;
    struct Case {
        const char* name;
        int tempUnits;
        const char* at;
    };
    for (const Case& c : {Case{"deg C", model::WTEMP_C, "16 deg C"}, Case{"deg F", model::WTEMP_F, "61 deg F"}}) {
        SCOPED_TRACE(c.name);
        f.S().water.tempUnits = c.tempUnits;
        f.Raise(SolvedTree);
        f.Raise(SolvedPrint);
        f.Refresh();
        const std::string oil = DumpRoot(f.tree, kOilSection);
        EXPECT_NE(oil.find(std::string("  Density = 0.880 g/cc at ") + c.at + "\n  Viscosity = 23.4 cSt at " + c.at +
                           "\n  Adhesion"),
                  std::string::npos)
            << oil;
        EXPECT_EQ(DumpRoot(f.tree, kEmulsificationSection),
                  "+Emulsification [-]\n  Mousse begins to form when 31% of the oil has evaporated.\n");
        EXPECT_EQ(f.Flags()[SolvedTree], 0);
        EXPECT_EQ(f.Flags()[SolvedPrint], 1);
    }
    // Run values stay until the oil changes; then the reference values come
    // back and the default onset is gone again.
    f.Raise(ChangedWater);
    f.Refresh();
    EXPECT_NE(DumpRoot(f.tree, kOilSection).find("Density = 0.880"), std::string::npos);
    f.Raise(ChangedOil);
    f.Refresh();
    EXPECT_EQ(DumpRoot(f.tree, kOilSection), kOilLinesBeforeSolve);
    EXPECT_EQ(f.tree.FindRoot(kEmulsificationSection), nullptr);
}

TEST(ScenarioTree, OilLinesThatDependOnTheData) {
    struct Case {
        const char* name;
        std::function<void(TreeFixture&)> set;
        const char* present;  // a text that must be there, or null
        const char* absent;   // a text that must not be there, or null
    };
    const Case cases[] = {
        {"dynamic viscosity when no kinematic",
         [](TreeFixture& f) {
             f.S().oil.viscRef_value[0] = -999;
             f.S().oil.dyViscRef_value[0] = 0.0125;
             f.S().oil.dyViscRef_temp[0] = 298.15;
         },
         "  Viscosity = 12.5 cP at 25 deg C\n", "cSt"},
        {"no viscosity at all gives no line", [](TreeFixture& f) { f.S().oil.viscRef_value[0] = -999; }, nullptr,
         "Viscosity"},
        {"no density gives no line", [](TreeFixture& f) { f.S().oil.rhoRef_value[0] = 0; }, "API = 31.0", "Density"},
        {"run without values gives no lines",
         [](TreeFixture& f) {
             f.doc->Model().rho = -999;
             f.doc->Model().visc = 0;
             f.doc->Model().waterTemp = 288.15;
             f.Raise(SolvedTree);
         },
         "Flash Point", "cSt at"},
        {"adhesion with unit", [](TreeFixture& f) { f.S().Adhesion = "12"; }, "  Adhesion = 12 g/m2\n", nullptr},
        {"empty adhesion and aromatics read unknown",
         [](TreeFixture& f) {
             f.S().Adhesion = "";
             f.S().Aromatics = "";
         },
         "  Adhesion = unknown\n  Aromatics = unknown\n", "g/m2"},
        {"refined product with much benzene",
         [](TreeFixture& f) {
             std::memcpy(f.S().oil.productType, "refined", 7);
             f.S().oil.benzene = 0.05;
         },
         "  Aromatics = 12.5 weight %\n  WARNING! Benzene graph for this product may be unreliable.\n", nullptr},
        {"refined product with unknown benzene",
         [](TreeFixture& f) {
             std::memcpy(f.S().oil.productType, "refined", 7);
             f.S().oil.benzene = -999;
         },
         "WARNING!", nullptr},
        {"refined product with little benzene",
         [](TreeFixture& f) {
             std::memcpy(f.S().oil.productType, "refined", 7);
             f.S().oil.benzene = 0.049;
         },
         nullptr, "WARNING!"},
        {"crude with much benzene", [](TreeFixture& f) { f.S().oil.benzene = 0.5; }, nullptr, "WARNING!"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TreeFixture f;
        f.EnterOil();
        c.set(f);
        f.Refresh();
        const std::string oil = DumpRoot(f.tree, kOilSection);
        if (c.present) {
            EXPECT_NE(oil.find(c.present), std::string::npos) << oil;
        }
        if (c.absent) {
            EXPECT_EQ(oil.find(c.absent), std::string::npos) << oil;
        }
    }
    TreeFixture none;
    none.S().oil.api = -900;
    none.S().oil.rhoRef_value[0] = -900;
    none.Refresh();
    EXPECT_EQ(DumpRoot(none.tree, kOilSection), "+Oil Type\n  \n");
}

TEST(ScenarioTree, EmulsificationTexts) {
    struct Case {
        const char* name;
        int isDefault, bullDefined, uncertain;
        const char* want;  // null: no section
    };
    const Case cases[] = {
        {"percent evaporated", 0, 1, 0, "Mousse begins to form when 25% of the oil has evaporated."},
        {"hours", 0, 0, 0, "Mousse begins to form when 25 hours after the start of the spill."},
        {"uncertain", 0, 1, 1, "Emulsification onset varies"},
        {"uncertain default", 1, 1, 1, nullptr},
        {"default before a run", 1, 1, 0, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TreeFixture f;
        f.EnterOil();
        Scenario& s = f.S();
        s.m_bEmulsDefault = c.isDefault;
        s.m_bEmulsBullwinkleDefined = c.bullDefined;
        s.m_dEmulsValue = 25.4;
        s.uncertainty.emulFlag = c.uncertain;
        f.Refresh();
        if (c.want) {
            EXPECT_EQ(DumpRoot(f.tree, kEmulsificationSection), std::string("+Emulsification [-]\n  ") + c.want + "\n");
            EXPECT_EQ(RootNames(f.tree),
                      "Oil Type|Emulsification|Wind and Wave Conditions|Water Properties|Release Information|");
        } else {
            EXPECT_EQ(f.tree.FindRoot(kEmulsificationSection), nullptr);
        }
    }
}

TEST(ScenarioTree, OperationsAreInsertedInOrderAndRemovedWhenEmpty) {
    TreeFixture f;
    f.Refresh();
    Scenario& s = f.S();
    // Beached oil first: it goes straight after the release.
    s.m_dBeachingAmount[1] = 40.4;
    s.m_dBeachingAmount[4] = 3;
    s.m_iBeachingUnits = 2;
    f.Raise(ChangedBeaching);
    f.Refresh();
    EXPECT_EQ(DumpRoot(f.tree, kBeachedSection), "+Beached Oil [-]\n  Day 2 = 40 cu m\n  Day 5 = 3 cu m\n");
    // Pages 2 and 4 used: operations 2 and 4.
    for (int n : {1, 3}) {
        s.mMechanicalPageUse[n] = 1;
        s.SkimmerTime[n] = kStart + n * kHour;
    }
    s.m_bMechanicalRateUse[1] = 1;
    s.m_dMechanicalRate[1] = 55;
    s.m_iRecoveryUnits[1] = 2;
    s.m_bMechanicalRateUse[3] = 0;
    s.m_dMechanicalAmount[3] = 120;
    s.m_iAmountUnits[3] = 0;
    f.Raise(ChangedMechanical);
    f.Refresh();
    s.mDispersantPageUse[0] = 1;
    s.DispersantTime[0] = kStart + 90 * 60;
    s.m_nDispersantDuration[0] = 2;
    s.m_dDispersantDispersed[0] = 60;
    s.m_dDispersantSprayed[0] = 40;
    s.mInSituBurnPageUse[2] = 1;
    s.InSituBurnTime[2] = kStart + 48 * kHour;
    s.m_dBurnArea[2] = 5000;
    s.m_iAreaUnits[2] = 1;
    s.m_dBurnThickness[2] = 3;
    s.m_iThicknessUnits[2] = 0;
    f.Raise(ChangedBurn);
    f.Raise(ChangedDispersant);
    f.Refresh();
    EXPECT_EQ(RootNames(f.tree), "Oil Type|Wind and Wave Conditions|Water Properties|Release Information|"
                                 "Dispersant Operations|In-Situ Burn Operations|Mechanical Cleanup Operations|"
                                 "Beached Oil|");
    EXPECT_EQ(DumpRoot(f.tree, kDispersantSection),
              "+Dispersant Operations [-]\n  +Dispersant Operation = 1 [-]\n"
              "    Time of Application = February 05, 1530 hours\n    Duration of Spray = 2 hours\n"
              "    Percent of Slick Sprayed = 60 %\n    Dispersant Effectiveness = 40 %\n");
    EXPECT_EQ(DumpRoot(f.tree, kBurnSection),
              "+In-Situ Burn Operations [-]\n  +In-Situ Burn Operation = 3 [-]\n"
              "    Time of Burn = February 07, 1400 hours\n    Area of Burn = 5000 sq. yards\n"
              "    Oil Thickness = 3 mm\n");
    EXPECT_EQ(DumpRoot(f.tree, kMechanicalSection),
              "+Mechanical Cleanup Operations [-]\n  +Mechanical Cleanup Operation = 2 [-]\n"
              "    Time of Application = February 05, 1500 hours\n    Recovery Rate = 55 cu m/hr\n"
              "  +Mechanical Cleanup Operation = 4 [-]\n    Time of Application = February 05, 1700 hours\n"
              "    AmountRecovered = 120 bbl\n");

    // Rebuilding a present section keeps its place.
    s.m_dBurnArea[2] = 6000;
    f.Raise(ChangedBurn);
    f.Refresh();
    EXPECT_EQ(RootNames(f.tree), "Oil Type|Wind and Wave Conditions|Water Properties|Release Information|"
                                 "Dispersant Operations|In-Situ Burn Operations|Mechanical Cleanup Operations|"
                                 "Beached Oil|");
    // Sheets saved with nothing used remove their sections.
    s.mDispersantPageUse[0] = 0;
    s.mInSituBurnPageUse[2] = 0;
    s.m_dBeachingAmount[1] = s.m_dBeachingAmount[4] = 0;
    f.Raise(ChangedDispersant);
    f.Raise(ChangedBurn);
    f.Raise(ChangedBeaching);
    f.Refresh();
    EXPECT_EQ(RootNames(f.tree), "Oil Type|Wind and Wave Conditions|Water Properties|Release Information|"
                                 "Mechanical Cleanup Operations|");
}

// The entered operation values read back as entered, in the tree and the
// printout alike: a whole value as before, a fraction with up to two decimals.
TEST(ScenarioSummary, OperationValuesKeepTheirDecimals) {
    struct Case {
        const char* name;
        double value;
        const char* shown;
    };
    const Case cases[] = {
        {"whole", 3, "3"},
        {"large whole", 5000, "5000"},
        {"tenths", 0.2, "0.2"},
        {"half a percent", 50.5, "50.5"},
        {"hundredths", 0.25, "0.25"},
        {"trailing zero dropped", 1.10, "1.1"},
        {"third decimal rounds", 0.078, "0.08"},
        {"rounds up to whole", 2.999, "3"},
        {"below a hundredth", 0.004, "0"},
        {"unset", -999, "-999"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TreeFixture f;
        Scenario& s = f.S();
        s.mDispersantPageUse[0] = 1;
        s.m_dDispersantDispersed[0] = s.m_dDispersantSprayed[0] = c.value;
        s.mInSituBurnPageUse[0] = 1;
        s.m_dBurnArea[0] = s.m_dBurnThickness[0] = c.value;
        s.m_iAreaUnits[0] = 2;
        s.m_iThicknessUnits[0] = 2;
        s.mMechanicalPageUse[0] = s.mMechanicalPageUse[1] = 1;
        s.m_bMechanicalRateUse[0] = 1;
        s.m_dMechanicalRate[0] = c.value;
        s.m_iRecoveryUnits[0] = 0;
        s.m_bMechanicalRateUse[1] = 0;
        s.m_dMechanicalAmount[1] = c.value;
        s.m_iAmountUnits[1] = 0;
        f.Raise(ChangedDispersant);
        f.Raise(ChangedBurn);
        f.Raise(ChangedMechanical);
        f.Refresh();
        const std::string tree = Dump(f.tree);
        const std::string print = DumpLines(PrintSummary(*f.doc));
        const std::string v = c.shown;
        for (const std::string& line :
             {"Percent of Slick Sprayed = " + v + " %\n", "Dispersant Effectiveness = " + v + " %\n",
              "Area of Burn = " + v + " sq. meters\n", "Oil Thickness = " + v + " inches\n",
              "Recovery Rate = " + v + " bbl/hr\n", "AmountRecovered = " + v + " bbl\n"}) {
            EXPECT_NE(tree.find("    " + line), std::string::npos) << c.name << ": " << line << tree;
            EXPECT_NE(print.find("2- " + line), std::string::npos) << c.name << ": " << line << print;
        }
    }
}

TEST(ScenarioTree, FlagsAreClearedInOrderAndSolvedPrintIsLeft) {
    TreeFixture f;
    f.EnterOil();
    f.S().m_bEmulsDefault = 0;
    f.S().m_dEmulsValue = 10;
    for (int i = 0; i < kChangeFlagCount; ++i) f.Flags()[i] = 1;
    f.Refresh();
    for (int i = ChangedRelease; i <= SolvedTree; ++i) EXPECT_EQ(f.Flags()[i], 0) << i;
    EXPECT_EQ(f.Flags()[SolvedPrint], 1);

    // Only flagged sections are rebuilt: the revision tells.
    auto revision = [&](const char* name) { return f.tree.FindRoot(name)->revision; };
    const auto water = revision(kWaterSection), oil = revision(kOilSection), emul = revision(kEmulsificationSection);
    f.Raise(ChangedOil);  // raises the emulsification in turn
    f.Refresh();
    EXPECT_EQ(revision(kWaterSection), water);
    EXPECT_NE(revision(kOilSection), oil);
    EXPECT_NE(revision(kEmulsificationSection), emul);
    EXPECT_EQ(f.Flags()[ChangedEmulsification], 0);
    f.Refresh();  // nothing raised: nothing rebuilt
    EXPECT_EQ(revision(kWaterSection), water);
}

TEST(ScenarioTree, UnitCodesOutOfRangeGiveNoName) {
    for (int bad : {-1, 6, 99, INT_MIN, INT_MAX}) {
        SCOPED_TRACE(bad);
        TreeFixture f;
        Scenario& s = f.S();
        s.instant = {1, 1, 10, bad};
        s.boomed = {1, 1, 10, bad, 20, bad};
        s.continuous.flag = 1;
        s.cont.spilledType = 2;
        s.cont.rateUnits2 = bad;
        s.cont.duration = 1;
        s.cont.durationUnits = bad;
        s.uncertainty.windFlag = 1;
        s.uncertainty.windUnits = bad;
        s.m_dWindSpeed = 1;
        s.m_iWindSpeedUnit = bad;
        s.m_iWaveHeightChooser = 2;
        s.m_iWaveHeightUnit = bad;
        s.water.temperature = 10;
        s.water.tempUnits = bad;
        s.water.speedUnits = bad;
        s.mMechanicalPageUse[0] = 1;
        s.m_bMechanicalRateUse[0] = 0;
        s.m_iAmountUnits[0] = bad;
        s.mInSituBurnPageUse[0] = 1;
        s.m_iAreaUnits[0] = s.m_iThicknessUnits[0] = bad;
        s.m_dBeachingAmount[0] = 1;
        s.m_iBeachingUnits = bad;
        f.Refresh();
        const std::string all = Dump(f.tree);
        for (const char* line : {"Amount Spilled = 10 \n", "Area of Contained Oil = 20 \n", "Final Spill Rate = -999 \n",
                                 "Wind speed = (+/-) -999 \n", "Wind Speed = 1  from -999 degrees",
                                 "Wave Height = -999.0 \n", "Temperature = 10 deg \n", "Current = -999.0  towards",
                                 "AmountRecovered = -999 \n", "Area of Burn = -999 \n", "Oil Thickness = -999 \n",
                                 "Day 1 = 1 \n"})
            EXPECT_NE(all.find(line), std::string::npos) << line << "\n" << all;
        // A duration unit other than 0 reads as days.
        EXPECT_NE(all.find("Duration of Release = 1 days"), std::string::npos);
    }
    EXPECT_STREQ(UnitName(UnitList::Volume, 4), "metric tons");
    EXPECT_STREQ(UnitNameFromCode(UnitList::Volume, 5), "metric tons");
    EXPECT_STREQ(UnitName(UnitList::Rate, 6), "");
    EXPECT_STREQ(UnitNameFromCode(UnitList::Speed, 0), "");  // an unset code
}

TEST(ScenarioTree, ActivatedItemsChooseTheirDialog) {
    TreeFixture f;
    f.EnterOil();
    f.S().OilName = "Emulsification";  // an oil named like a section
    f.S().m_bEmulsDefault = 0;
    f.S().m_dEmulsValue = 10;
    f.S().instant = {1, 1, 1000, 1};
    f.S().mDispersantPageUse[1] = 1;
    f.S().m_dBeachingAmount[0] = 5;
    f.Refresh();
    // The oil's name line is still the oil's, and the section is apart.
    ASSERT_EQ(RootNames(f.tree), "Oil Type|Emulsification|Wind and Wave Conditions|Water Properties|"
                                 "Release Information|Dispersant Operations|Beached Oil|");
    EXPECT_EQ(f.tree.Roots()[0].item.children[0].text, "Emulsification");
    f.Raise(ChangedEmulsification);
    f.Refresh();
    EXPECT_EQ(f.tree.Roots()[0].item.children.size(), 11u);

    struct Case {
        const char* name;
        TreeItemPath path;
        int standardOil;
        std::optional<DialogKind> want;
    };
    const Case cases[] = {
        {"oil root, standard", {0}, 1, DialogKind::StandardOils},
        {"oil root, custom", {0}, 0, DialogKind::CustomOils},
        {"oil named Emulsification", {0, 0}, 1, DialogKind::StandardOils},
        {"emulsification line", {1, 0}, 1, DialogKind::Emulsification},
        {"wind placeholder", {2, 0}, 1, DialogKind::WindWave},
        {"water root", {3}, 1, DialogKind::Water},
        {"release kind", {4, 0}, 1, DialogKind::Release},
        {"release time line", {4, 0, 0}, 1, DialogKind::Release},
        {"release empty item", {4, 1}, 1, DialogKind::Release},
        {"dispersant section", {5}, 1, DialogKind::Dispersant},
        {"dispersant time line", {5, 0, 0}, 1, DialogKind::Dispersant},
        {"beached day line", {6, 0}, 1, DialogKind::Beaching},
        {"blank space", {}, 1, std::nullopt},
        {"past the last root", {7}, 1, std::nullopt},
        {"past the children", {4, 9}, 1, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        f.doc->session.m_bStandardOil = c.standardOil;
        EXPECT_EQ(f.tree.CommandForItem(c.path, *f.doc), c.want);
    }
    EXPECT_EQ(ScenarioTreeModel::CommandForText("Wind Uncertainty", true), DialogKind::WindWave);
    EXPECT_EQ(ScenarioTreeModel::CommandForText("Mechanical Cleanup Operation = 3", true), DialogKind::Mechanical);
    EXPECT_EQ(ScenarioTreeModel::CommandForText("In-Situ Burn Operations", true), DialogKind::InSituBurn);
    EXPECT_EQ(ScenarioTreeModel::CommandForText("Variable Wind", true), std::nullopt);
}

TEST(ScenarioTree, TwoDocumentsKeepTheirOwnTrees) {
    TreeFixture a, b;
    a.EnterOil();
    a.Refresh();
    b.S().water.temperature = 10;
    b.S().water.tempUnits = model::WTEMP_C;
    b.Refresh();
    EXPECT_EQ(DumpRoot(a.tree, kOilSection), kOilLinesBeforeSolve);
    EXPECT_EQ(DumpRoot(a.tree, kWaterSection), "+Water Properties\n  \n");
    EXPECT_EQ(DumpRoot(b.tree, kOilSection), "+Oil Type\n  \n");
    EXPECT_EQ(DumpRoot(b.tree, kWaterSection).rfind("+Water Properties [-]\n  Temperature = 10 deg C\n", 0), 0u);
}

TEST(ScenarioSummary, PrintFlavourDiffers) {
    TreeFixture f;
    Scenario& s = f.S();
    f.EnterOil();
    std::memcpy(s.oil.productType, "refined", 7);
    s.oil.benzene = 0.5;  // the tree warns; the printout does not
    s.uncertainty.volFlag = 1;  // printed without a release
    s.uncertainty.vol = 10;
    s.m_bEmulsDefault = 0;
    s.m_bEmulsBullwinkleDefined = 0;
    s.m_dEmulsValue = 6;
    s.water.temperature = 10;
    s.water.tempUnits = model::WTEMP_C;
    s.water.speed = 0;
    s.water.speedUnits = model::SPEED_CODE_MS;
    s.m_dBeachingAmount[5] = 2;
    EXPECT_EQ(DumpLines(PrintSummary(*f.doc)),
              "0H Oil Type\n1- TEST CRUDE\n1- Location = NOWHERE\n1- Synonyms = \n1- Product Type = Crude\n"
              "1- API = 31.0\n1- Pour Point = -12 deg C\n1- Flash Point = unknown\n"
              "1- Density = 0.871 g/cc at 15 deg C\n1- Viscosity = 15.0 cSt at 38 deg C\n1- Adhesion = unknown\n"
              "1- Aromatics = 12.5 weight %\n1B Emulsification\n"
              "2- Mousse begins to form when 6 hours after the start of the spill.\n"
              "0H Water Properties\n1- Temperature = 10 deg C\n1- Salinity = 32 ppt\n"
              "1- Sediment Load = 5 g/m3 (ocean)\n1- Current = 0 m/s\n"
              "1B Release Uncertainty\n2- Amount Spilled = (+/-) 10% of the total oil spilled\n"
              "0H Beached Oil\n1- Day 6 = 2 bbl\n");

    // Run values follow SolvedPrint, not SolvedTree; the default onset
    // shows once solved.
    s.m_bEmulsDefault = 1;
    f.doc->Model().rho = 900;
    f.doc->Model().visc = 1e-4;
    f.doc->Model().waterTemp = 283.15;
    f.doc->Model().bullwinkle[0] = 0.5;
    f.Flags()[SolvedTree] = 1;
    f.Flags()[SolvedPrint] = 0;
    std::string text = DumpLines(OilSummary(*f.doc, SummaryFlavour::Print));
    EXPECT_NE(text.find("Density = 0.871 g/cc at 15 deg C"), std::string::npos) << text;
    EXPECT_EQ(text.find("Emulsification"), std::string::npos) << text;
    f.Flags()[SolvedTree] = 0;
    f.Flags()[SolvedPrint] = 1;
    text = DumpLines(OilSummary(*f.doc, SummaryFlavour::Print));
    EXPECT_NE(text.find("1- Density = 0.900 g/cc at 10 deg C\n1- Viscosity = 100.0 cSt at 10 deg C\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("1B Emulsification\n2- Mousse begins to form when 50% of the oil has evaporated.\n"),
              std::string::npos)
        << text;

    // Wind: no heading without a speed or a record; an uncertainty alone
    // prints nothing; variable records print their times.
    s.uncertainty.windFlag = 1;
    EXPECT_EQ(DumpLines(WindSummary(*f.doc, SummaryFlavour::Print)), "");
    s.m_bVarWind = 1;
    s.m_iVarWindNumber = 2;
    s.m_tVarWindTime[0] = kStart;
    s.m_tVarWindTime[1] = kStart + kHour;
    s.uncertainty.wind = 3;
    s.uncertainty.windUnits = 1;
    EXPECT_EQ(DumpLines(WindSummary(*f.doc, SummaryFlavour::Print)),
              "0H Wind and Wave Conditions\n1- Variable Wind\n1- Winds Start = February 05, 14:00 hours\n"
              "1- Winds Stop = February 05, 15:00 hours\n1B Wind Uncertainty\n2- Wind speed = (+/-) 3 mph\n");
}
