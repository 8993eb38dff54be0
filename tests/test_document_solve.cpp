#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <sstream>

#include "document/Derive.h"
#include "document/InputDump.h"
#include "document/ScenarioFile.h"
#include "document/SolveTool.h"
#include "document/SpillDoc.h"
#include "model/UnitConversion.h"
#include "oillib/OilLibrary.h"
#include "platform/Files.h"
#include "platform/NumText.h"
#include "test_document_helpers.h"
#include "tests/support/FileSizeLimit.h"

using namespace document;
using namespace document_test;
using platform::MsgIcon;

namespace {

constexpr Time kStart = kSolvableStart;


}  // namespace

TEST(DocumentSolve, FixtureScenarioIsComplete) {
    Solvable f;
    EXPECT_TRUE(f.messages.Entries().empty());
    EXPECT_EQ(MissingInputsText(f.doc->scenario), "");
    EXPECT_GT(f.doc->scenario.oil.rhoRef_value[0], 0);
    EXPECT_TRUE(f.doc->IsModified());
}

TEST(DocumentSolve, OilIsLoadedBeforeTheReleases) {
    // A release in tons is divided by the oil's first density point, which
    // only the oil setter provides: it must run first.
    Solvable f;
    SpillDocCore& d = *f.doc;
    const double rho1 = d.scenario.oil.rhoRef_value[0];
    d.scenario.instant.volUnits = model::RVOL_TONS;
    d.scenario.instant.vol = 10;
    d.LoadModel();
    const double tonsAsM3 = d.Model().instant.vol;
    d.scenario.instant.volUnits = model::RVOL_CUM;
    d.scenario.instant.vol = model::ConvertToSI(model::QUANTITY_MASS, model::MASS_TON, 10) / rho1;
    d.LoadModel();
    EXPECT_NEAR(tonsAsM3, d.Model().instant.vol, 1e-9);
    EXPECT_GT(tonsAsM3, 0);
}

TEST(DocumentSolve, DispersantPercentagesReachTheModelExchanged) {
    Solvable f;
    SpillDocCore& d = *f.doc;
    d.scenario.mDispersantPageUse[0] = 1;
    d.scenario.m_dDispersantDispersed[0] = 60;  // first percentage: of the area, sprayed
    d.scenario.m_dDispersantSprayed[0] = 40;    // second: of the sprayed oil, dispersed
    d.scenario.m_nDispersantDuration[0] = 2;
    f.dialogs.dialogs[DialogKind::Dispersant] = [](SpillDocCore&) { return true; };
    d.EditDispersant();
    // The document keeps the sheet's layout ...
    EXPECT_EQ(d.scenario.dispersant.dispersed[0], 60);
    EXPECT_EQ(d.scenario.dispersant.sprayed[0], 40);
    d.LoadModel();
    // ... and the model gets the sprayed fraction where it reads it.
    EXPECT_DOUBLE_EQ(d.Model().disp.fracSprayed[0], 0.6);
    EXPECT_DOUBLE_EQ(d.Model().disp.fracDispersed[0], 0.4);
}

TEST(DocumentSolve, BudgetUnitFollowsTheRelease) {
    Solvable f;
    SpillDocCore& d = *f.doc;
    d.scenario.instant.volUnits = model::RVOL_GAL;
    d.LoadModel();
    EXPECT_EQ(d.session.m_iGraphUnits[GraphBudget], 4);
    // A contained release after the instantaneous one decides.
    d.scenario.boomed.flag = 1;
    d.scenario.boomed.vol = 5;
    d.scenario.boomed.volUnits = model::RVOL_TONNES;
    d.scenario.boomed.area = 1000;
    d.scenario.boomed.areaUnits = 3;
    d.LoadModel();
    EXPECT_EQ(d.session.m_iGraphUnits[GraphBudget], 6);
    // A continuous release alone leaves the unit as it was.
    d.scenario.instant.flag = d.scenario.boomed.flag = 0;
    d.scenario.continuous.flag = 1;
    d.session.m_iGraphUnits[GraphBudget] = 2;
    d.LoadModel();
    EXPECT_EQ(d.session.m_iGraphUnits[GraphBudget], 2);
}

namespace {
const char* const kDumpFiles[] = {"TavroInput.dmp", "TavroCore.dmp", "VolFrac.txt", "SlickArea.txt"};
}  // namespace

TEST(DocumentSolve, SolveRunsTheModelAndOpensTheBudget) {
    TempDir dir;
    Solvable f;
    SpillDocCore& d = *f.doc;
    d.SetOutputFolder(dir.Path().string());
    ASSERT_TRUE(d.Solve()) << (f.messages.Entries().empty() ? "" : f.messages.Entries()[0].text);
    EXPECT_TRUE(f.messages.Entries().empty());
    EXPECT_EQ(d.session.m_bNotSolved, 0);
    EXPECT_EQ(d.session.m_bChanged[SolvedTree], 1);
    EXPECT_EQ(d.session.m_bChanged[SolvedPrint], 1);
    EXPECT_EQ(d.session.m_bGraphOpen[GraphBudget], 1);
    EXPECT_EQ(f.outputs.opened, std::vector<OutputKind>{OutputKind::Budget});
    EXPECT_EQ(d.session.m_iGraphUnits[GraphBudget], 3);  // bbl
    // "Running" while the model ran, then the old text back and no busy cursor.
    EXPECT_EQ(f.status.shown, (std::vector<std::string>{"Running", "Ready"}));
    EXPECT_EQ(f.status.busy, 0);
    EXPECT_EQ(f.status.busyCalls, 2);

    for (const char* name : kDumpFiles) EXPECT_TRUE(platform::FileExists(dir / name)) << name;
    const model::CWeatheringCore& m = d.Model();
    ASSERT_GT(m.nSteps, 0);
    EXPECT_GT(m.out[m.nSteps - 1][model::OUT_SPILLED + model::SLOT_BEST], 0);
    for (int k = 0; k < m.nSteps; ++k) {
        for (int base : {model::OUT_BURNED, model::OUT_SKIMMED, model::OUT_BEACHED}) {
            const double best = m.out[k][base + model::SLOT_BEST];
            ASSERT_EQ(m.out[k][base + model::SLOT_LOW], best) << k;
            ASSERT_EQ(m.out[k][base + model::SLOT_HIGH], best) << k;
        }
    }
    std::string dump;
    ASSERT_TRUE(platform::ReadWholeFile(dir / "TavroInput.dmp", dump));
    EXPECT_NE(dump.find("  InitialOil.rho0=" + platform::Format("%g", m.rho) + "\r\n"), std::string::npos);

    // A second solve replaces the files instead of adding to them.
    ASSERT_TRUE(d.Solve());
    std::string again;
    ASSERT_TRUE(platform::ReadWholeFile(dir / "TavroInput.dmp", again));
    EXPECT_EQ(again, dump);
    EXPECT_EQ(f.outputs.opened.size(), 2u);
}

TEST(DocumentSolve, PourPointWarningDoesNotStopTheRun) {
    TempDir dir;
    Solvable f;
    f.doc->SetOutputFolder(dir.Path().string());
    f.doc->scenario.PourPoint = "20 deg C";
    ASSERT_TRUE(f.doc->Solve());
    ASSERT_EQ(f.messages.Entries().size(), 1u);
    EXPECT_EQ(f.messages.Entries()[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(f.messages.Entries()[0].text.rfind("Temperature colder than pour point.", 0), 0u);
}

TEST(DocumentSolve, AFailedRunLeavesTheScenarioUnsolved) {
    TempDir dir;
    Solvable f;
    SpillDocCore& d = *f.doc;
    d.SetOutputFolder(dir / "no such folder");
    EXPECT_FALSE(d.Solve());
    EXPECT_EQ(d.session.m_bNotSolved, 1);
    EXPECT_EQ(d.session.m_bChanged[SolvedTree], 0);
    EXPECT_EQ(d.session.m_bChanged[SolvedPrint], 0);
    EXPECT_EQ(d.session.m_bGraphOpen[GraphBudget], 0);
    EXPECT_TRUE(f.outputs.opened.empty());
    EXPECT_EQ(f.status.text, "Ready");
    EXPECT_EQ(f.status.busy, 0);
    // The model said why, and so did the input dump.
    EXPECT_TRUE(f.messages.Contains("Core: Cannot create dump file"));
    EXPECT_GE(f.messages.Entries().size(), 2u);

    // A solved scenario whose next run fails is unsolved again: the model
    // was reset and holds no results.
    d.SetOutputFolder(dir.Path().string());
    ASSERT_TRUE(d.Solve());
    EXPECT_EQ(d.session.m_bNotSolved, 0);
    d.SetOutputFolder(dir / "no such folder");
    d.session.m_bGraphOpen[GraphEvaporation] = 1;  // a second graph of that solve
    f.outputs.closed.clear();
    EXPECT_FALSE(d.Solve());
    EXPECT_EQ(d.session.m_bNotSolved, 1);
    // Its windows would draw from the reset model: they close.
    for (int g : d.session.m_bGraphOpen) EXPECT_EQ(g, 0);
    for (OutputKind k : {OutputKind::Budget, OutputKind::Evaporation, OutputKind::BudgetTable, OutputKind::IcsTable})
        EXPECT_NE(std::find(f.outputs.closed.begin(), f.outputs.closed.end(), k), f.outputs.closed.end())
            << static_cast<int>(k);
}

// A dump file that was created but could not be finished: one message naming
// the file and the reason, and the scenario stays unsolved.
TEST(DocumentSolve, AFileThatCannotBeWrittenIsNamedAndLeavesTheScenarioUnsolved) {
    struct Case {
        const char* name;
        const char* file;
        const char* reason;
        bool (*block)(const std::string& path);
    };
    const Case cases[] = {
        {"model file on a full disk", "TavroCore.dmp", "No space left on device",
         [](const std::string& path) { return ::symlink("/dev/full", path.c_str()) == 0; }},
        {"input dump cannot replace what is there", "TavroInput.dmp", "Is a directory",
         [](const std::string& path) {
             return ::mkdir(path.c_str(), 0755) == 0 && platform::WriteWholeFile(path + "/keep", "x");
         }},
    };
    if (!platform::FileExists("/dev/full")) GTEST_SKIP() << "no /dev/full here";
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        TempDir dir;
        ASSERT_TRUE(k.block(dir / k.file));
        Solvable f;
        SpillDocCore& d = *f.doc;
        d.SetOutputFolder(dir.Path().string());
        EXPECT_FALSE(d.Solve());
        EXPECT_EQ(f.messages.Texts(), std::vector<std::string>{"Core: Cannot write the file " + (dir / k.file) +
                                                               ": " + k.reason});
        EXPECT_EQ(d.session.m_bNotSolved, 1);
        EXPECT_EQ(d.session.m_bChanged[SolvedTree], 0);
        EXPECT_EQ(d.session.m_bGraphOpen[GraphBudget], 0);
        EXPECT_TRUE(f.outputs.opened.empty());
    }
}

// Under a file-size limit the model's dump outgrows, the write fails and is
// reported like any other: the program is not ended by the limit's signal,
// and no cut-off dump is left.
TEST(DocumentSolve, AFileSizeLimitIsAReportedWriteError) {
    TempDir dir;
    Solvable f;
    SpillDocCore& d = *f.doc;
    d.SetOutputFolder(dir.Path().string());
    bool solved = true;
    {
        // Above the other files, below the model's dump.
        tavro_test::FileSizeLimit limit(128 * 1024);
        if (!limit.Applied()) GTEST_SKIP() << "cannot set a file-size limit";
        solved = d.Solve();
    }
    EXPECT_FALSE(solved);
    EXPECT_EQ(f.messages.Texts(),
              std::vector<std::string>{"Core: Cannot write the file " + (dir / "TavroCore.dmp") + ": File too large"});
    EXPECT_EQ(d.session.m_bNotSolved, 1);
    EXPECT_FALSE(platform::FileExists(dir / "TavroCore.dmp"));
}

// A note the model raises several times in one solve shows once; the next
// solve may show it again.
TEST(DocumentSolve, AModelNoteShowsOncePerSolve) {
    TempDir dir;
    Solvable f;
    SpillDocCore& d = *f.doc;
    d.SetOutputFolder(dir.Path().string());
    // Two clean-up operations with neither a rate nor an amount.
    d.scenario.skimmer.num = 2;
    for (int i = 0; i < 2; ++i) {
        d.scenario.skimmer.startHour[i] = 2 + i;
        d.scenario.skimmer.duration[i] = 3;
        d.scenario.skimmer.rate[i] = -999;
        d.scenario.skimmer.amount[i] = -999;
    }
    const std::string note = "No skim rate or amount";
    ASSERT_TRUE(d.Solve());
    EXPECT_EQ(f.messages.Texts(), std::vector<std::string>{note});
    ASSERT_TRUE(d.Solve());
    EXPECT_EQ(f.messages.Texts(), (std::vector<std::string>{note, note}));
}

TEST(DocumentSolve, SolveToolSolvesASavedScenario) {
    TempDir dir;
    Solvable f;
    std::string error;
    ASSERT_TRUE(SaveScenarioFile(dir / "spill.tvr", f.doc->scenario, &error)) << error;

    std::ostringstream out, err;
    const int rc = RunSolveTool({"--seed", "7", "--out", dir.Path().string(), dir / "spill.tvr"}, out, err);
    ASSERT_EQ(rc, 0) << err.str();
    for (const char* name : kDumpFiles) EXPECT_TRUE(platform::FileExists(dir / name)) << name;
    std::vector<std::string> lines = platform::SplitLines(out.str());
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[0],
              "hour\tspilled\tremaining\tevaporated\tdispersed\tchemdispersed\tburned\tskimmed\tbeached\t"
              "remaining_low\tremaining_high\tevaporated_low\tevaporated_high\tdispersed_low\tdispersed_high\t"
              "density\tviscosity\twater");
    // The same scenario solved in the program gives the same steps.
    f.doc->SetOutputFolder(dir.Path().string());
    ASSERT_TRUE(f.doc->Solve());
    const model::CWeatheringCore& m = f.doc->Model();
    ASSERT_EQ(static_cast<int>(lines.size()) - 1, m.nSteps);
    const std::string last = lines.back();
    std::vector<std::string> cols;
    for (std::size_t s = 0, e; s <= last.size(); s = e + 1) {
        e = last.find('\t', s);
        if (e == std::string::npos) e = last.size();
        cols.push_back(last.substr(s, e - s));
    }
    ASSERT_EQ(cols.size(), 18u);
    double spilled = 0, remaining = 0;
    ASSERT_TRUE(platform::ScanDouble(cols[1], spilled));
    ASSERT_TRUE(platform::ScanDouble(cols[2], remaining));
    const model::SStepOutput& o = m.out[m.nSteps - 1];
    EXPECT_NEAR(spilled, o[model::OUT_SPILLED + model::SLOT_BEST], 1e-6 * spilled);
    EXPECT_NEAR(remaining, o[model::OUT_REMAINING + model::SLOT_BEST], 1e-6 * std::abs(remaining) + 1e-12);
    // 1000 bbl in cubic metres.
    EXPECT_NEAR(spilled, 158.987, 0.01);

    // A seed that is not a whole number of 32 bits is refused before anything runs.
    for (const char* seed : {"nan", "7abc", "-1", "4294967296", ""}) {
        std::ostringstream o, e;
        EXPECT_EQ(RunSolveTool({"--seed", seed, "--out", dir.Path().string(), dir / "spill.tvr"}, o, e), 2) << seed;
        EXPECT_NE(e.str().find("bad seed"), std::string::npos) << seed;
        EXPECT_TRUE(o.str().empty()) << seed;
    }

    // A damaged file: non-zero, with the reason on standard error.
    WriteBytes(dir / "bad.tvr", "not a scenario");
    std::ostringstream out2, err2;
    EXPECT_NE(RunSolveTool({dir / "bad.tvr"}, out2, err2), 0);
    EXPECT_NE(err2.str().find("it is damaged or not a scenario file"), std::string::npos);
    EXPECT_TRUE(out2.str().empty());
    // A scenario with inputs missing cannot be solved.
    ASSERT_TRUE(SaveScenarioFile(dir / "empty.tvr", Scenario(kStart), &error));
    std::ostringstream out3, err3;
    EXPECT_NE(RunSolveTool({"--out", dir.Path().string(), dir / "empty.tvr"}, out3, err3), 0);
    EXPECT_NE(err3.str().find(" ERROR!  Please"), std::string::npos);
}

// A file of the earlier program holds a continuous release's duration in
// endHour. Starting at hour 3 for 24 hours at 100 bbl/h, it releases all
// 2400 bbl, not the 2200 bbl of hours 3 to 24.
TEST(DocumentSolve, EarlierProgramsContinuousReleaseReleasesAllItsOil) {
    TempDir dir;
    Solvable f;
    Scenario& s = f.doc->scenario;
    s.ContinuousTime = kStart + 2 * 3600;
    s.continuous.flag = 1;
    s.continuous.startHour = 3;
    s.continuous.endHour = 24;  // the duration, as the earlier program stored it
    s.continuous.startRate = s.continuous.endRate = 100;
    s.continuous.rateUnits = model::RVOL_BBL;
    s.cont.duration = 24;
    s.cont.durationUnits = 0;
    s.cont.spilledType = 1;
    s.cont.rate = 100;
    s.cont.rateUnits1 = 0;
    std::string error;
    ASSERT_TRUE(SaveScenarioFile(dir / "earlier.tvr", s, &error)) << error;

    std::ostringstream out, err;
    ASSERT_EQ(RunSolveTool({"--seed", "7", "--out", dir.Path().string(), dir / "earlier.tvr"}, out, err), 0)
        << err.str();
    const std::vector<std::string> lines = platform::SplitLines(out.str());
    ASSERT_GT(lines.size(), 2u);
    const std::string& last = lines.back();
    double spilled = 0;
    ASSERT_TRUE(platform::ScanDouble(last.substr(last.find('\t') + 1), spilled));
    const double bbl = 0.158987294928;
    EXPECT_NEAR(spilled / bbl, 1000 + 2400, 1e-6);  // the instantaneous 1000 bbl and the continuous 2400
}

TEST(DocumentSolve, StoredScenarioFileOpensAndSolves) {
    // A scenario saved by this program: the first oil of the standard
    // library, a constant 10-knot wind, water at 15 deg C, 1000 bbl at once.
    const std::string path = std::string(TAVRO_TEST_DATA_DIR) + "/document/instant_1000bbl.tvr";
    std::string bytes;
    ASSERT_TRUE(platform::ReadWholeFile(path, bytes));
    LoadResult r = LoadScenarioFile(path);
    ASSERT_TRUE(r.scenario) << r.error;
    const std::vector<std::uint8_t> again = SaveScenario(*r.scenario);
    EXPECT_EQ(std::string(again.begin(), again.end()), bytes);

    TempDir dir;
    std::ostringstream out, err;
    ASSERT_EQ(RunSolveTool({"--seed", "3", "--out", dir.Path().string(), path}, out, err), 0) << err.str();
    std::vector<std::string> lines = platform::SplitLines(out.str());
    ASSERT_GT(lines.size(), 100u);
    double hour = 0, spilled = 0;
    ASSERT_TRUE(platform::ScanDouble(lines.back(), hour));
    ASSERT_TRUE(platform::ScanDouble(lines.back().substr(lines.back().find('\t') + 1), spilled));
    EXPECT_NEAR(spilled, 158.987, 0.01);
    EXPECT_LE(hour, 120.0);
    EXPECT_GT(hour, 100.0);
}
