// The printouts on the recorder at 600 ppi: the page header and footer, the
// scenario summary with its page breaks, the two table printouts, the
// whole-scenario page list, and pages played back from a recording.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "document/OutputWindows.h"
#include "output/core/PrintSpillInformation.h"
#include "output/core/Printouts.h"
#include "platform/NumText.h"
#include "platform/PrintJob.h"
#include "test_document_helpers.h"

using namespace document;
using namespace document_test;
using namespace platform;
using output::CPrintSpillInformation;
using output::ScenarioPage;

namespace {

constexpr Time k5March1999 = 920635200;  // 1999-03-05 12:00 UTC
constexpr Time kStart = 1707141600;      // 2024-02-05 14:00 UTC
constexpr Time kHour = 3600;

const DeviceInfo kLetter600{600, 600, {5100, 6600}, true};
// A page too short for either table: 8.5 x 5.5 inches.
const DeviceInfo kShortPage600{600, 600, {5100, 3300}, true};

// "A83" for Arial 83 px, "A91b" bold, "M83" the fixed-pitch face.
std::string FontText(const Font& f) {
    const char* face = f.face == Face::Arial ? "A" : f.face == Face::Mono ? "M" : "U";
    return face + std::to_string(f.heightPx) + (f.weight >= 700 ? "b" : "");
}

// Every text of a recording, one per line: page, point, font, alignment
// and the text.
std::string Texts(const RecordingCanvas& rc) {
    std::string out;
    for (std::size_t p = 0; p < rc.Pages().size(); ++p) {
        for (const Op& op : rc.Pages()[p]) {
            if (op.kind != OpKind::Text) continue;
            const char* align = op.halign == HAlign::Left ? "L" : op.halign == HAlign::Right ? "R" : "C";
            out += "p" + std::to_string(p + 1) + " " + std::to_string(op.points[0].x) + "," +
                   std::to_string(op.points[0].y) + " " + FontText(op.state.font) + " " + align +
                   (op.valign == VAlign::Baseline ? "" : "t") + " " + op.text + "\n";
        }
    }
    return out;
}

// The texts of a recording as one string per text, pages run together.
std::vector<std::string> TextList(const RecordingCanvas& rc) {
    std::vector<std::string> out;
    for (const Op* op : rc.Find(OpKind::Text)) out.push_back(op->text);
    return out;
}

bool Contains(const std::vector<std::string>& texts, const std::string& text) {
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

bool SameOp(const Op& a, const Op& b) {
    return a.kind == b.kind && a.state.pen == b.state.pen && a.state.brush == b.state.brush &&
           a.state.font == b.state.font && a.state.textColour == b.state.textColour &&
           a.state.textBackground == b.state.textBackground && a.state.opaqueText == b.state.opaqueText &&
           a.state.clipped == b.state.clipped && (!a.state.clipped || a.state.clip == b.state.clip) &&
           a.points == b.points && a.rect == b.rect && a.brush == b.brush && a.pixels == b.pixels &&
           a.text == b.text && a.halign == b.halign && a.valign == b.valign && a.vcentre == b.vcentre;
}

bool IsStateOp(OpKind k) {
    return k == OpKind::SetPen || k == OpKind::SetBrush || k == OpKind::SetFont || k == OpKind::SetTextColour ||
           k == OpKind::SetTextBackground || k == OpKind::SetClip || k == OpKind::ResetClip;
}

// A scenario without libraries whose clock reads 5 March 1999.
struct PrintFixture : FakePorts {
    PrintFixture() : FakePorts(k5March1999) {
        doc = std::make_unique<SpillDocCore>(OilLibraries{}, Ports());
        doc->OnNewDocument();
    }
    Scenario& S() { return doc->scenario; }
    // PrintInformation alone on a recorder.
    RecordingCanvas Summary(const DeviceInfo& device = kLetter600) {
        RecordingCanvas rc(device);
        CPrintSpillInformation(doc->Clock()).PrintInformation(rc, *doc);
        return rc;
    }

    ZoneScope utc{"UTC"};
    std::unique_ptr<SpillDocCore> doc;
};

// The test crude with an adhesion (printed with its unit "g/m2") and
// no aromatics.
void EnterOil(Scenario& s) {
    EnterTestCrude(s);
    s.Adhesion = "20";
    s.Aromatics = "unknown";
}

// Every section of the summary, each with something in it.
void EnterEverything(Scenario& s) {
    EnterOil(s);
    s.m_bEmulsDefault = 0;
    s.m_bEmulsBullwinkleDefined = 1;
    s.m_dEmulsValue = 40;
    s.m_dWindSpeed = 12;
    s.m_iWindSpeedUnit = 1;
    s.m_dWindDirection = 270;
    s.m_iWaveHeightChooser = 1;
    s.m_dFetch = 20;
    s.m_iFetchUnit = 1;
    s.uncertainty.windFlag = 1;
    s.uncertainty.wind = 3;
    s.uncertainty.windUnits = model::SPEED_CODE_KNOTS;
    s.water.temperature = 50;
    s.water.tempUnits = model::WTEMP_F;
    s.water.salinity = 30;
    s.water.sediment = 50;
    s.water.speed = 0.5;
    s.water.speedUnits = model::SPEED_CODE_KNOTS;
    s.water.direction = 90;
    s.instant = {1, 1, 1000, model::RVOL_BBL};
    s.InstantaneousTime = kStart;
    s.continuous.flag = 1;
    s.ContinuousTime = kStart + 2 * kHour;
    s.cont.spilledType = 1;
    s.cont.rate = 50;
    s.cont.rateUnits1 = 0;
    s.cont.duration = 2;
    s.cont.durationUnits = 1;
    s.uncertainty.volFlag = 1;
    s.uncertainty.vol = 20;
    s.mDispersantPageUse[1] = 1;
    s.DispersantTime[1] = kStart + 5 * kHour;
    s.m_nDispersantDuration[1] = 3;
    s.m_dDispersantDispersed[1] = 60;
    s.m_dDispersantSprayed[1] = 25;
    s.mInSituBurnPageUse[0] = 1;
    s.InSituBurnTime[0] = kStart + 6 * kHour;
    s.m_dBurnArea[0] = 5000;
    s.m_iAreaUnits[0] = 2;
    s.m_dBurnThickness[0] = 3;
    s.m_iThicknessUnits[0] = 0;
    s.mMechanicalPageUse[2] = 1;
    s.SkimmerTime[2] = kStart + 8 * kHour;
    s.m_bMechanicalRateUse[2] = 0;
    s.m_dMechanicalAmount[2] = 120;
    s.m_iAmountUnits[2] = 2;
    s.m_iBeachingUnits = 0;
    s.m_dBeachingAmount[0] = 10;
    s.m_dBeachingAmount[2] = 35;
}

}  // namespace

TEST(PrintLayout, HeaderAndFooterOnALetterPageAt600Ppi) {
    FixedClock clock(k5March1999);
    ZoneScope utc("UTC");
    RecordingCanvas rc(kLetter600);
    const CanvasState before = rc.State();
    const CPrintSpillInformation layout(clock);
    layout.PrintHeader(rc, "Spill Scenario - ICS 209-OS Box 3");
    layout.PrintFooter(rc);
    EXPECT_EQ(Texts(rc),
              "p1 600,300 A100b L Spill Scenario - ICS 209-OS Box 3\n"
              "p1 4260,300 A75 R TAVRO\xC2\xAE  2.0\n"
              "p1 2550,6300 A75 C March 05, 1999\n");
    const auto images = rc.Find(OpKind::Image);
    ASSERT_EQ(images.size(), 1u);
    EXPECT_EQ(images[0]->text, "logo");
    EXPECT_EQ(images[0]->rect, (Rect{4308, 60, 4548, 300}));
    // Header and footer leave the state as they found it.
    EXPECT_EQ(rc.State().font, before.font);
    EXPECT_EQ(rc.Find(OpKind::Save).size(), rc.Find(OpKind::Restore).size());
}

TEST(PrintLayout, SummaryOfEverySection) {
    PrintFixture f;
    EnterEverything(f.S());
    EXPECT_EQ(Texts(f.Summary()),
              "p1 600,600 A91b L \xE2\x80\xA2 \n"
              "p1 710,600 A91b L Oil Type\n"
              "p1 800,750 A83 L TEST CRUDE\n"
              "p1 800,900 A83 L Location = NOWHERE\n"
              "p1 800,1050 A83 L Synonyms = \n"
              "p1 800,1200 A83 L Product Type = Crude\n"
              "p1 800,1350 A83 L API = 31.0\n"
              "p1 800,1500 A83 L Pour Point = -12 deg C\n"
              "p1 800,1650 A83 L Flash Point = unknown\n"
              "p1 800,1800 A83 L Density = 0.871 g/cc at 15 deg C\n"
              "p1 800,1950 A83 L Viscosity = 15.0 cSt at 38 deg C\n"
              "p1 800,2100 A83 L Adhesion = 20 g/m2\n"
              "p1 800,2250 A83 L Aromatics = unknown\n"
              "p1 800,2400 A91b L \xC2\xB7 \n"
              "p1 910,2400 A91b L Emulsification\n"
              "p1 1000,2550 A83 L Mousse begins to form when 40% of the oil has evaporated.\n"
              "p1 600,2700 A91b L \xE2\x80\xA2 \n"
              "p1 710,2700 A91b L Wind and Wave Conditions\n"
              "p1 800,2850 A83 L Wind Speed = 12 knots from 270 degrees\n"
              "p1 800,3000 A83 L Wave Height = computed from wind speed and fetch\n"
              "p1 800,3150 A83 L Fetch = 20 km\n"
              "p1 800,3300 A91b L \xC2\xB7 \n"
              "p1 910,3300 A91b L Wind Uncertainty\n"
              "p1 1000,3450 A83 L Wind speed = (+/-) 3 knots\n"
              "p1 600,3600 A91b L \xE2\x80\xA2 \n"
              "p1 710,3600 A91b L Water Properties\n"
              "p1 800,3750 A83 L Temperature = 50 deg F\n"
              "p1 800,3900 A83 L Salinity = 30 ppt\n"
              "p1 800,4050 A83 L Sediment Load = 50 g/m3 (avg. river/estuary)\n"
              "p1 800,4200 A83 L Current = 0.5 knots towards 90 degrees\n"
              "p1 600,4350 A91b L \xE2\x80\xA2 \n"
              "p1 710,4350 A91b L Release Information\n"
              "p1 800,4500 A91b L \xC2\xB7 \n"
              "p1 910,4500 A91b L Instantaneous Release\n"
              "p1 1000,4650 A83 L Time of Release = February 05, 1400 hours\n"
              "p1 1000,4800 A83 L Amount Spilled = 1000 bbl\n"
              "p1 800,4950 A91b L \xC2\xB7 \n"
              "p1 910,4950 A91b L Continuous Release\n"
              "p1 1000,5100 A83 L Time of Release = February 05, 1600 hours\n"
              "p1 1000,5250 A83 L Spill Rate = 50 bbl/hr\n"
              "p1 1000,5400 A83 L Duration of Release = 2 days\n"
              "p1 800,5550 A91b L \xC2\xB7 \n"
              "p1 910,5550 A91b L Release Uncertainty\n"
              "p1 1000,5700 A83 L Amount Spilled = (+/-) 20% of the total oil spilled\n"
              "p1 600,5850 A91b L \xE2\x80\xA2 \n"
              "p1 710,5850 A91b L Dispersant Operations\n"
              "p1 800,6000 A91b L \xC2\xB7 \n"
              "p1 910,6000 A91b L Dispersant Operation = 2\n"
              "p1 2550,6300 A75 C March 05, 1999\n"
              "p2 600,300 A100b L Spill Scenario\n"
              "p2 4260,300 A75 R TAVRO\xC2\xAE  2.0\n"
              "p2 1000,600 A83 L Time of Application = February 05, 1900 hours\n"
              "p2 1000,750 A83 L Duration of Spray = 3 hours\n"
              "p2 1000,900 A83 L Percent of Slick Sprayed = 60 %\n"
              "p2 1000,1050 A83 L Dispersant Effectiveness = 25 %\n"
              "p2 600,1200 A91b L \xE2\x80\xA2 \n"
              "p2 710,1200 A91b L In-Situ Burn Operations\n"
              "p2 800,1350 A91b L \xC2\xB7 \n"
              "p2 910,1350 A91b L In-Situ Burn Operation = 1\n"
              "p2 1000,1500 A83 L Time of Burn = February 05, 2000 hours\n"
              "p2 1000,1650 A83 L Area of Burn = 5000 sq. meters\n"
              "p2 1000,1800 A83 L Oil Thickness = 3 mm\n"
              "p2 600,1950 A91b L \xE2\x80\xA2 \n"
              "p2 710,1950 A91b L Mechanical Cleanup Operations\n"
              "p2 800,2100 A91b L \xC2\xB7 \n"
              "p2 910,2100 A91b L Mechanical Cleanup Operation = 3\n"
              "p2 1000,2250 A83 L Time of Application = February 05, 2200 hours\n"
              "p2 1000,2400 A83 L AmountRecovered = 120 cu m\n"
              "p2 600,2550 A91b L \xE2\x80\xA2 \n"
              "p2 710,2550 A91b L Beached Oil\n"
              "p2 800,2700 A83 L Day 1 = 10 bbl\n"
              "p2 800,2850 A83 L Day 3 = 35 bbl\n");
    // The break: the footer ends page 1, page 2 opens with its header.
    const RecordingCanvas rc = f.Summary();
    ASSERT_EQ(rc.Pages().size(), 2u);
    EXPECT_EQ(rc.Pages()[0].back().kind, OpKind::EndPage);
    EXPECT_EQ(rc.Pages()[1].front().kind, OpKind::StartPage);
}

TEST(PrintLayout, SummaryOfAWaterTemperatureAlone) {
    PrintFixture f;
    f.S().water.temperature = 10;
    f.S().water.tempUnits = model::WTEMP_C;
    f.S().water.speed = 0;
    f.S().water.speedUnits = model::SPEED_CODE_MS;
    EXPECT_EQ(Texts(f.Summary()),
              "p1 600,600 A91b L \xE2\x80\xA2 \n"
              "p1 710,600 A91b L Water Properties\n"
              "p1 800,750 A83 L Temperature = 10 deg C\n"
              "p1 800,900 A83 L Salinity = 32 ppt\n"
              "p1 800,1050 A83 L Sediment Load = 5 g/m3 (ocean)\n"
              "p1 800,1200 A83 L Current = 0 m/s\n");
}

TEST(PrintLayout, ConditionsOfTheSummaryLines) {
    struct Case {
        const char* name;
        std::function<void(Scenario&)> set;
        std::vector<std::string> printed;
        std::vector<std::string> absent;
    };
    auto water = [](double sediment, double speed) {
        return [sediment, speed](Scenario& s) {
            s.water.temperature = 12;
            s.water.tempUnits = model::WTEMP_C;
            s.water.sediment = sediment;
            s.water.speed = speed;
            s.water.speedUnits = model::SPEED_CODE_KNOTS;
            s.water.direction = 180;
        };
    };
    const Case cases[] = {
        {"sediment 5", water(5, 1), {"Sediment Load = 5 g/m3 (ocean)"}, {}},
        {"sediment 50", water(50, 1), {"Sediment Load = 50 g/m3 (avg. river/estuary)"}, {}},
        {"sediment 500", water(500, 1), {"Sediment Load = 500 g/m3 (muddy river)"}, {}},
        {"sediment 49", water(49, 1), {"Sediment Load = 49 g/m3", "Current = 1.0 knots towards 180 degrees"}, {}},
        {"current 0: the unit only", water(5, 0), {"Current = 0 knots"}, {"Current = 0.0 knots towards 180 degrees"}},
        {"variable winds: start and stop, no speed",
         [](Scenario& s) {
             s.m_bVarWind = 1;
             s.m_dWindSpeed = 7;
             s.m_iVarWindNumber = 3;
             s.m_tVarWindTime[0] = kStart;
             s.m_tVarWindTime[1] = kStart + kHour;
             s.m_tVarWindTime[2] = kStart + 5 * kHour;
         },
         {"Variable Wind", "Winds Start = February 05, 14:00 hours", "Winds Stop = February 05, 19:00 hours"},
         {"Wind Speed = 7 mph from 0 degrees"}},
        {"variable winds without records: the heading alone",
         [](Scenario& s) {
             s.m_bVarWind = 1;
             s.m_dWindSpeed = 7;
         },
         {"Wind and Wave Conditions"},
         {"Variable Wind"}},
        {"operation pages 2 and 4",
         [](Scenario& s) {
             for (int p : {1, 3}) {
                 s.mDispersantPageUse[p] = 1;
                 s.DispersantTime[p] = kStart;
                 s.m_nDispersantDuration[p] = 1;
                 s.m_dDispersantDispersed[p] = 10;
                 s.m_dDispersantSprayed[p] = 20;
             }
         },
         {"Dispersant Operations", "Dispersant Operation = 2", "Dispersant Operation = 4",
          "Percent of Slick Sprayed = 10 %", "Dispersant Effectiveness = 20 %"},
         {"Dispersant Operation = 1", "Dispersant Operation = 3"}},
        {"uncertainties",
         [](Scenario& s) {
             s.m_dWindSpeed = 5;
             s.uncertainty.windFlag = 1;
             s.uncertainty.wind = 2;
             s.uncertainty.windUnits = model::SPEED_CODE_MS;
             s.uncertainty.volFlag = 1;
             s.uncertainty.vol = 15;
             s.uncertainty.emulFlag = 1;
             EnterOil(s);
             s.m_bEmulsDefault = 0;
         },
         {"Wind Uncertainty", "Wind speed = (+/-) 2 m/s", "Release Uncertainty",
          "Amount Spilled = (+/-) 15% of the total oil spilled", "Emulsification onset varies"},
         {"Release Information"}},
        {"oil with a dynamic viscosity",
         [](Scenario& s) {
             EnterOil(s);
             s.oil.viscRef_value[0] = -999;
             s.oil.dyViscRef_value[0] = 0.0125;
             s.oil.dyViscRef_temp[0] = 293.15;
         },
         {"Density = 0.871 g/cc at 15 deg C", "Viscosity = 12.5 cP at 20 deg C"},
         {"Emulsification"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PrintFixture f;
        c.set(f.S());
        const std::vector<std::string> texts = TextList(f.Summary());
        for (const std::string& t : c.printed) EXPECT_TRUE(Contains(texts, t)) << t;
        for (const std::string& t : c.absent) EXPECT_FALSE(Contains(texts, t)) << t;
        const auto operations = std::count(texts.begin(), texts.end(), std::string("Dispersant Operations"));
        EXPECT_LE(operations, 1);
    }
}

// The oil's density and viscosity: the run's values at the water's
// temperature after Solve, the reference points before it and again once
// an input has changed.
TEST(PrintLayout, OilBeforeAndAfterSolve) {
    Solvable f;  // water at 15 deg C
    auto oilLines = [&] {
        RecordingCanvas rc(kLetter600);
        CPrintSpillInformation(f.doc->Clock()).PrintInformation(rc, *f.doc);
        std::vector<std::string> out;
        for (const std::string& t : TextList(rc))
            if (t.rfind("Density = ", 0) == 0 || t.rfind("Viscosity = ", 0) == 0) out.push_back(t);
        return out;
    };
    const std::vector<std::string> reference = oilLines();
    ASSERT_EQ(reference.size(), 2u);
    EXPECT_NE(reference[0].find(" deg C"), std::string::npos) << reference[0];
    ASSERT_TRUE(f.doc->Solve());
    const model::CWeatheringCore& core = f.doc->Model();
    const std::string density = platform::Format("Density = %.3f g/cc at 15 deg C", core.rho / 1000.0);
    const std::string viscosity = platform::Format("Viscosity = %.1f cSt at 15 deg C", core.visc * 1e6);
    EXPECT_EQ(oilLines(), (std::vector<std::string>{density, viscosity}));
    // In deg F when the water was entered in deg F: 15 deg C is 59 deg F.
    f.doc->scenario.water.tempUnits = model::WTEMP_F;
    EXPECT_EQ(oilLines()[0], platform::Format("Density = %.3f g/cc at 59 deg F", core.rho / 1000.0));
    f.doc->scenario.water.tempUnits = model::WTEMP_C;
    // A new input after the solve: the run's values no longer belong to it.
    f.doc->EditWater();
    f.doc->Outputs().RefreshAfterInputChange();
    ASSERT_EQ(f.doc->session.m_bChanged[SolvedPrint], 1);
    EXPECT_EQ(oilLines(), reference);
}

TEST(PrintLayout, UnknownUnitCodesPrintNoUnit) {
    PrintFixture f;
    Scenario& s = f.S();
    s.water.temperature = 10;
    s.water.tempUnits = 7;
    s.water.speed = 0;
    s.water.speedUnits = 0;
    s.m_dWindSpeed = 4;
    s.m_dWindDirection = 0;
    s.m_iWindSpeedUnit = -1;
    s.m_iWaveHeightChooser = 2;
    s.m_dWaveHeight = 1;
    s.m_iWaveHeightUnit = 12;
    s.mMechanicalPageUse[0] = 1;
    s.SkimmerTime[0] = kStart;
    s.m_bMechanicalRateUse[0] = 1;
    s.m_dMechanicalRate[0] = 9;
    s.m_iRecoveryUnits[0] = 99;
    s.m_iBeachingUnits = -5;
    s.m_dBeachingAmount[1] = 4;
    const std::vector<std::string> texts = TextList(f.Summary());
    for (const char* t : {"Temperature = 10 deg ", "Current = 0 ", "Wind Speed = 4  from 0 degrees",
                          "Wave Height = 1.0 ", "Recovery Rate = 9 ", "Day 2 = 4 "})
        EXPECT_TRUE(Contains(texts, t)) << t;
}

TEST(PrintLayout, ScenarioPageList) {
    struct Case {
        const char* name;
        std::vector<int> open;  // in the order opened
        std::vector<ScenarioPage> want;
    };
    using K = OutputKind;
    const ScenarioPage summary{};
    const Case cases[] = {
        {"none: the summary alone", {}, {summary}},
        {"density, then budget", {GraphDensity, GraphBudget}, {summary, {K::Density}, {K::Budget}}},
        {"budget, then density", {GraphBudget, GraphDensity}, {summary, {K::Density}, {K::Budget}}},
        {"all eleven", {10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0},
         {summary, {K::Density}, {K::Viscosity}, {K::Water}, {K::Benzene}, {K::Budget}, {K::Evaporation},
          {K::Disperse}, {K::Remain}, {K::Burn}, {K::Skim}, {K::Beach}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PrintFixture f;
        f.doc->session.m_bNotSolved = 0;
        f.doc->session.m_bMultipleGraphs = 1;
        for (int g : c.open) f.doc->Outputs().ToggleGraph(g);
        EXPECT_EQ(output::ScenarioPages(f.doc->session), c.want);
    }
}

// The whole scenario: a summary page, then each open graph under the same
// header and footer; played back page by page, each page gives the same
// calls.
TEST(PrintLayout, ScenarioPrintoutAndItsPlayback) {
    Solvable f;
    ASSERT_TRUE(f.doc->Solve());  // opens the budget graph
    f.doc->session.m_bMultipleGraphs = 1;
    f.doc->Outputs().ToggleGraph(GraphDensity);
    f.clock.Set(k5March1999);
    RecordingCanvas rc(kLetter600);
    output::PrintScenario(rc, *f.doc);
    ASSERT_EQ(rc.Pages().size(), 3u);
    for (std::size_t p = 0; p < 3; ++p) {
        SCOPED_TRACE(p);
        std::vector<std::string> texts;
        for (const Op& op : rc.Pages()[p])
            if (op.kind == OpKind::Text) texts.push_back(op.text);
        EXPECT_TRUE(Contains(texts, "Spill Scenario"));
        EXPECT_TRUE(Contains(texts, "March 05, 1999"));
    }
    // Page 1 is the summary; pages 2 and 3 the graphs, Density first.
    const std::vector<std::string> all = TextList(rc);
    EXPECT_TRUE(Contains(all, "Oil Type"));
    auto hasTitle = [&](std::size_t page, const char* start) {
        for (const Op& op : rc.Pages()[page])
            if ((op.kind == OpKind::TextInRect || op.kind == OpKind::Text) && op.text.rfind(start, 0) == 0)
                return true;
        return false;
    };
    EXPECT_TRUE(hasTitle(1, "Oil Density"));
    EXPECT_TRUE(hasTitle(2, "Oil Budget"));

    for (int p = 0; p < 3; ++p) {
        SCOPED_TRACE(p);
        RecordingCanvas replay(kLetter600);
        ASSERT_TRUE(ReplayPage(rc, p, replay));
        ASSERT_EQ(replay.Pages().size(), 1u);
        const std::vector<Op>& want = rc.Pages()[static_cast<std::size_t>(p)];
        const std::vector<Op>& got = replay.Pages()[0];
        ASSERT_GE(got.size(), want.size());
        const std::size_t preamble = got.size() - want.size();
        if (p == 0) {
            EXPECT_EQ(preamble, 0u);
        }
        for (std::size_t i = 0; i < preamble; ++i) EXPECT_TRUE(IsStateOp(got[i].kind)) << i;
        for (std::size_t i = 0; i < want.size(); ++i)
            EXPECT_TRUE(SameOp(got[preamble + i], want[i])) << "op " << i << " kind " << static_cast<int>(want[i].kind);
    }
    RecordingCanvas none(kLetter600);
    EXPECT_FALSE(ReplayPage(rc, 3, none));
    EXPECT_FALSE(ReplayPage(rc, -1, none));
    EXPECT_TRUE(none.Pages()[0].empty());
}

// A page that begins inside a save made on the page before: its restore
// brings back the state saved there.
TEST(PrintLayout, PlaybackOfARestoreAcrossAPage) {
    RecordingCanvas rc(kLetter600);
    const Font big{Face::Arial, 200, 700, false};
    rc.setClip({10, 10, 100, 100});
    rc.save();
    rc.setFont(big);
    rc.resetClip();
    rc.text({1, 1}, "saved", HAlign::Left, VAlign::Top);
    rc.endPage();
    rc.startPage();
    rc.text({2, 2}, "inside", HAlign::Left, VAlign::Top);
    rc.restore();
    rc.text({3, 3}, "after", HAlign::Left, VAlign::Top);
    RecordingCanvas replay(kLetter600);
    ASSERT_TRUE(ReplayPage(rc, 1, replay));
    const auto want = rc.Find(OpKind::Text);
    const auto got = replay.Find(OpKind::Text);
    ASSERT_EQ(got.size(), 2u);
    EXPECT_TRUE(SameOp(*got[0], *want[1]));
    EXPECT_TRUE(SameOp(*got[1], *want[2]));
    EXPECT_TRUE(got[1]->state.clipped);
    EXPECT_EQ(got[1]->state.font, Font{});
}

// The tables' pages: header, the text in the fixed-pitch font from one inch
// plus ten pixels and eight tenths of an inch down, footer; one Letter page
// each, continued with the same header on a page too short for them; "N/A"
// without results.
TEST(PrintLayout, TablePrintouts) {
    Solvable f;
    ASSERT_TRUE(f.doc->Solve());
    f.clock.Set(k5March1999);
    struct Case {
        const char* name;
        const char* title;
        std::function<void(Canvas&)> job;
    };
    const output::BudgetChoices budget = output::InitialBudgetChoices(f.doc->scenario);
    const output::IcsChoices ics = output::InitialIcsChoices(f.doc->scenario.SpillTime, f.doc->Clock());
    const Case cases[] = {
        {"budget", output::kBudgetPrintTitle, [&](Canvas& c) { output::PrintBudgetTable(c, *f.doc, budget); }},
        {"ics", output::kIcsPrintTitle, [&](Canvas& c) { output::PrintIcsTable(c, *f.doc, ics); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingCanvas letter = RecordJob(c.job, kLetter600, nullptr);
        ASSERT_EQ(letter.Pages().size(), 1u);
        const auto texts = letter.Find(OpKind::Text);
        ASSERT_GE(texts.size(), 10u);
        EXPECT_EQ(texts[0]->text, c.title);
        EXPECT_EQ(texts.back()->text, "March 05, 1999");
        // The first table line: "Oil Name = ..." at (610, 480), top-aligned.
        EXPECT_EQ(texts[2]->text.rfind("Oil Name = ", 0), 0u) << texts[2]->text;
        EXPECT_EQ(texts[2]->points[0], (Point{610, 480}));
        EXPECT_EQ(texts[2]->valign, VAlign::Top);
        EXPECT_EQ(FontText(texts[2]->state.font), "M83");
        // After a tab a piece starts on a stop: the screen's 20 pixels at
        // 600 ppi, a multiple of 125 from x = 0.
        const Op* afterTab = nullptr;
        for (const Op* t : texts)
            if (t->text.rfind("Pour Point = ", 0) == 0) afterTab = t;
        ASSERT_NE(afterTab, nullptr);
        EXPECT_EQ(afterTab->points[0].x % 125, 0) << afterTab->points[0].x;

        RecordingCanvas shortPages = RecordJob(c.job, kShortPage600, nullptr);
        ASSERT_GE(shortPages.Pages().size(), 2u);
        const int bottom = kShortPage600.size.cy - 600;
        for (std::size_t p = 0; p < shortPages.Pages().size(); ++p) {
            SCOPED_TRACE(p);
            std::vector<const Op*> pageTexts;
            for (const Op& op : shortPages.Pages()[p])
                if (op.kind == OpKind::Text) pageTexts.push_back(&op);
            ASSERT_GE(pageTexts.size(), 3u);
            EXPECT_EQ(pageTexts.front()->text, c.title);
            EXPECT_EQ(pageTexts.back()->text, "March 05, 1999");
            // Lines (a blank one draws nothing) from eight tenths of an inch down.
            EXPECT_GE(pageTexts[2]->points[0].y, 480);
            EXPECT_EQ((pageTexts[2]->points[0].y - 480) % 100, 0);
            EXPECT_LE(pageTexts[2]->points[0].y, 580);
            for (const Op* t : pageTexts) {
                if (t->valign == VAlign::Top) {
                    EXPECT_LE(t->points[0].y + 100, bottom) << t->text;
                }
            }
        }
        // Every line of the Letter page is printed once on the short pages.
        auto bodyTexts = [](const RecordingCanvas& rc) {
            std::vector<std::string> out;
            for (const Op* t : rc.Find(OpKind::Text))
                if (t->valign == VAlign::Top) out.push_back(t->text);
            return out;
        };
        EXPECT_EQ(bodyTexts(shortPages), bodyTexts(letter));
    }

    // Without results: "N/A" in the middle of the page.
    f.doc->session.resultsStale = true;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingCanvas rc = RecordJob(c.job, kLetter600, nullptr);
        const auto na = rc.Find(OpKind::TextInRect);
        ASSERT_EQ(na.size(), 1u);
        EXPECT_EQ(na[0]->text, "N/A");
        EXPECT_EQ(na[0]->rect, (Rect{0, 0, 5100, 6600}));
        EXPECT_EQ(na[0]->halign, HAlign::Centre);
        EXPECT_TRUE(na[0]->vcentre);
        EXPECT_EQ(rc.Find(OpKind::Text).size(), 3u);  // title, banner, date
    }
}

// A summary longer than a page: the footer ends page 1, page 2 opens with
// the header "Spill Scenario" and the first line back one inch down; no
// line sits lower than one inch above the bottom.
TEST(PrintLayout, LongSummaryBreaksPages) {
    PrintFixture f;
    EnterEverything(f.S());
    Scenario& s = f.S();
    for (int p = 0; p < kPages; ++p) {
        s.mDispersantPageUse[p] = s.mInSituBurnPageUse[p] = s.mMechanicalPageUse[p] = 1;
        s.m_bMechanicalRateUse[p] = 1;
    }
    RecordingCanvas rc(kLetter600);
    f.clock.Set(k5March1999);
    output::PrintScenario(rc, *f.doc);
    ASSERT_GE(rc.Pages().size(), 3u);
    for (std::size_t p = 0; p < rc.Pages().size(); ++p) {
        SCOPED_TRACE(p);
        std::vector<const Op*> texts;
        for (const Op& op : rc.Pages()[p])
            if (op.kind == OpKind::Text) texts.push_back(&op);
        ASSERT_GE(texts.size(), 4u);
        EXPECT_EQ(texts[0]->text, "Spill Scenario");
        EXPECT_EQ(texts[0]->points[0], (Point{600, 300}));
        EXPECT_EQ(texts.back()->text, "March 05, 1999");
        EXPECT_EQ(texts[2]->points[0].y, 600);  // the first summary line
        for (std::size_t i = 2; i + 1 < texts.size(); ++i) EXPECT_LE(texts[i]->points[0].y, 6000) << texts[i]->text;
        if (p > 0) {
            EXPECT_EQ(rc.Pages()[p].front().kind, OpKind::StartPage);
            EXPECT_EQ(rc.Pages()[p - 1].back().kind, OpKind::EndPage);
        }
    }
}

// A printout that was not made says so, then why: the toolkit's reason when
// it gives one, else what is wrong with the file's path.
TEST(PrintFailure, OneBoxSaysWhy) {
    const std::string folder = ::testing::TempDir() + "print-failure-folder";
    std::filesystem::create_directories(folder);
    struct Case {
        const char* name;
        std::string reason, file, expected;
    };
    const Case cases[] = {
        {"a folder for the file", "", folder, "\"" + folder + "\" is a folder, not a file."},
        {"no such folder", "", folder + "/gone/out.pdf", "The folder of \"" + folder + "/gone/out.pdf\" does not exist."},
        {"a file that would not write", "", folder + "/out.pdf",
         "The file \"" + folder + "/out.pdf\" could not be written."},
        {"the toolkit's reason and the file", "Permission denied\n", folder + "/out.pdf",
         "Permission denied\n\nFile: " + folder + "/out.pdf"},
        {"the toolkit's reason for a printer", "Printer offline", "", "Printer offline"},
        {"no reason at all", "", "", "The printer did not take it."},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PrintFailedText(c.reason, c.file), "The printout was not made.\n\n" + c.expected) << c.name;
}
