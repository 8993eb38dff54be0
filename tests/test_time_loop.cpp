// The weathering time loop: statistics, storage and smoothing rules, and
// whole runs of Solve on hand-built prepared models (mass balance, bounds,
// uncertainty passes, files, failures).
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "model/WeatheringCore.h"
#include "platform/Files.h"
#include "platform/Messages.h"
#include "platform/ParallelFor.h"
#include "tests/support/ModelChecks.h"
#include "tests/support/ScenarioBuilder.h"

using model::CWeatheringCore;
using model::MISSING_VALUE_D;
using namespace model;
using namespace tavro_test;

namespace {
void ExpectMassBalance(const CWeatheringCore& c, double tol) { EXPECT_EQ(MassBalanceError(c, tol), ""); }
void ExpectBandsOrdered(const CWeatheringCore& c) { EXPECT_EQ(BandsError(c), ""); }
void ExpectFinite(const CWeatheringCore& c) { EXPECT_EQ(FiniteError(c), ""); }
}  // namespace

// ---- Statistics, storage and smoothing --------------------------------------

TEST(TimeLoopStatistics, ClampsInOrder) {
    std::vector<std::string> notes;
    struct Case {
        double weight, sum, sum2, min, max;
        double high, low, mean;
    };
    // mean 2, sd 1 unless said otherwise.
    const Case cases[] = {
        {1, 2, 5, 0, 10, 3, 1, 2},          // inside the extremes
        {1, 2, 5, 0, 2.5, 2.5, 1, 2},        // high above max
        {1, 2, 5, 1.5, 10, 3, 1.5, 2},       // low below min
        {2, 4, 10, 0, 10, 3, 1, 2},          // weights divide
        {1, 2, 4, 0, 10, 2, 2, 2},           // zero spread
        {1, 2, 3, 0, 10, 2, 2, 2},           // negative variance from rounding: sd 0
        {1, 2, 5, 2.5, 10, 3, 2.5, 2.5},     // mean below low
        {1, 2, 5, 0, 1.5, 1.5, 1, 1.5},      // mean above high
        {1, 2, 5, 4, 10, 4, 4, 4},           // low raised above high
    };
    for (const Case& c : cases) {
        const auto s = CWeatheringCore::ComputeStatistics(c.weight, c.sum, c.sum2, c.min, c.max, notes);
        EXPECT_DOUBLE_EQ(s.high, c.high) << c.min << " " << c.max;
        EXPECT_DOUBLE_EQ(s.low, c.low) << c.min << " " << c.max;
        EXPECT_DOUBLE_EQ(s.mean, c.mean) << c.min << " " << c.max;
    }
    EXPECT_TRUE(notes.empty());
    // Maximum below minimum: the message, once, and the clamps still apply.
    const auto s = CWeatheringCore::ComputeStatistics(1, 2, 5, 3, 1, notes);
    CWeatheringCore::ComputeStatistics(1, 2, 5, 3, 1, notes);
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_EQ(notes[0], "limit problem in intrinsic variables");
    EXPECT_EQ(s.low, 3.0);
    EXPECT_EQ(s.high, 3.0);
}

namespace {
std::unique_ptr<CWeatheringCore> CoreWithRemaining(const std::vector<double>& remaining) {
    auto c = std::make_unique<CWeatheringCore>();
    for (size_t i = 0; i < remaining.size(); ++i) c->out[i][OUT_REMAINING + SLOT_BEST] = remaining[i];
    return c;
}
void SetQuad(CWeatheringCore& c, int at, const std::vector<double>& v) {
    for (size_t i = 0; i < v.size(); ++i)
        for (int s = 0; s < 4; ++s) c.out[i][at + s] = v[i];
}
}  // namespace

TEST(TimeLoopSmoother, ThreePointHalvesAndWeights) {
    auto c = CoreWithRemaining({1, 1, 1, 0, 1, 1});
    const std::vector<double> v = {10, 20, 30, 40, 50, 60};
    for (int at : {OUT_DENSITY, OUT_VISCOSITY, OUT_WATER, OUT_BENZENE}) SetQuad(*c, at, v);
    c->smoother(6, 1, 1, 1);
    for (int at : {OUT_DENSITY, OUT_VISCOSITY, OUT_WATER, OUT_BENZENE}) {
        for (int slot : {SLOT_HIGH, SLOT_LOW, SLOT_BEST}) {
            EXPECT_DOUBLE_EQ(c->out[0][at + slot], 0.5 * (10 + 20));
            EXPECT_DOUBLE_EQ(c->out[1][at + slot], 0.333 * (10 + 20 + 30));
            EXPECT_DOUBLE_EQ(c->out[2][at + slot], 0.5 * (20 + 30));   // next weight 0
            EXPECT_DOUBLE_EQ(c->out[3][at + slot], 40);                // own weight 0
            EXPECT_DOUBLE_EQ(c->out[4][at + slot], 0.5 * (50 + 60));   // previous weight 0
            EXPECT_DOUBLE_EQ(c->out[5][at + slot], 0.5 * (60 + 50));
        }
        // Without uncertainty the second best slot stays as it was.
        for (int i = 0; i < 6; ++i) EXPECT_EQ(c->out[i][at + SLOT_BEST2], v[i]);
    }
    // With uncertainty both best slots take the smoothed best.
    auto u = CoreWithRemaining({1, 1, 1});
    SetQuad(*u, OUT_DENSITY, {10, 20, 30});
    u->smoother(3, 2, 1, 1);
    EXPECT_DOUBLE_EQ(u->out[1][OUT_DENSITY + SLOT_BEST2], 0.333 * 60);
    EXPECT_DOUBLE_EQ(u->out[1][OUT_DENSITY + SLOT_BEST], 0.333 * 60);
}

TEST(TimeLoopSmoother, MissingMarksAreNeitherSmoothedNorBlended) {
    auto c = CoreWithRemaining({1, 1, 1, 1});
    SetQuad(*c, OUT_WATER, {MISSING_VALUE_D, 0.2, 0.4, 0.6});
    c->smoother(4, 1, 1, 1);
    EXPECT_EQ(c->out[0][OUT_WATER + SLOT_BEST], MISSING_VALUE_D);
    EXPECT_DOUBLE_EQ(c->out[1][OUT_WATER + SLOT_BEST], 0.5 * (0.2 + 0.4));
    EXPECT_DOUBLE_EQ(c->out[2][OUT_WATER + SLOT_BEST], 0.333 * (0.2 + 0.4 + 0.6));

    auto b = CoreWithRemaining({1, 1, 1});
    SetQuad(*b, OUT_BENZENE, {MISSING_VALUE_D, 4, 8});
    b->SmoothBenzene(3);
    EXPECT_EQ(b->out[0][OUT_BENZENE], MISSING_VALUE_D);
    EXPECT_EQ(b->out[1][OUT_BENZENE], 4);
    EXPECT_EQ(b->out[2][OUT_BENZENE], 6);

    auto r = CoreWithRemaining({1, 1, 1});
    SetQuad(*r, OUT_BENZENE, {2, 4, 8});
    r->SmoothBenzene(3);
    EXPECT_EQ(r->out[1][OUT_BENZENE + SLOT_LOW], 3);
    EXPECT_EQ(r->out[2][OUT_BENZENE + SLOT_LOW], 5.5);  // uses the smoothed previous value
}

TEST(TimeLoopStorage, EmptyStepsPassesAndMarks) {
    auto c = std::make_unique<CWeatheringCore>();
    c->rho = 850;
    c->visc = 2e-5;
    CWeatheringCore::SPropertyStats st[CWeatheringCore::PROP_COUNT] = {
        {900, 860, 880}, {3e-5, 2e-5, 2.5e-5}, {0.4, 0.1, 0.3}, {50, 20, 30}};
    c->StoreEmptyStep(0, 0, 0.011);
    EXPECT_EQ(c->out[0][OUT_DENSITY + SLOT_BEST2], 850);
    EXPECT_EQ(c->out[0][OUT_VISCOSITY + SLOT_LOW], 2e-5);
    EXPECT_EQ(c->out[0][OUT_WATER + SLOT_HIGH], 0);
    EXPECT_EQ(c->out[0][OUT_BENZENE + SLOT_BEST], 0.011);
    c->StorePropertyStats(1, 0, st);
    EXPECT_EQ(c->out[1][OUT_DENSITY + SLOT_HIGH], 900);
    EXPECT_EQ(c->out[1][OUT_DENSITY + SLOT_BEST2], 880);
    // A later pass widens only.
    CWeatheringCore::SPropertyStats wide[CWeatheringCore::PROP_COUNT] = {
        {890, 800, 850}, {4e-5, 2.1e-5, 3e-5}, {0.5, 0.2, 0.3}, {40, 10, 30}};
    c->StorePropertyStats(1, 1, wide);
    EXPECT_EQ(c->out[1][OUT_DENSITY + SLOT_HIGH], 900);
    EXPECT_EQ(c->out[1][OUT_DENSITY + SLOT_LOW], 800);
    EXPECT_EQ(c->out[1][OUT_DENSITY + SLOT_BEST], 880);
    EXPECT_EQ(c->out[1][OUT_VISCOSITY + SLOT_HIGH], 4e-5);
    // An empty step of a later pass leaves what is stored.
    const SStepOutput before = c->out[1];
    c->StoreEmptyStep(1, 1, 0.011);
    EXPECT_EQ(c->out[1], before);
    // An empty step of pass 0 repeats the previous step.
    c->StoreEmptyStep(2, 0, 0.011);
    for (int at : {OUT_DENSITY, OUT_VISCOSITY, OUT_WATER, OUT_BENZENE})
        for (int s = 0; s < 4; ++s) EXPECT_EQ(c->out[2][at + s], c->out[1][at + s]);

    // Budget: pass 0 stores, later passes widen remaining, spilled, evaporated, dispersed.
    CWeatheringCore::SBudgetTotals t{3, 2, 1, 0.5, 0, 0, 10, 20};
    c->StoreBudget(14, t, 0, 0);
    EXPECT_EQ(c->out[0][OUT_REMAINING + SLOT_LOW], 14);
    EXPECT_EQ(c->out[0][OUT_SPILLED + SLOT_HIGH], 20);
    EXPECT_EQ(c->out[0][OUT_BURNED + SLOT_BEST], 0.5);
    EXPECT_EQ(c->out[0][OUT_BURNED + SLOT_HIGH], MISSING_VALUE_D);
    CWeatheringCore::SBudgetTotals t2{4, 1, 1, 0.5, 0, 0, 10, 20};
    c->StoreBudget(15, t2, 0, 1);
    EXPECT_EQ(c->out[0][OUT_REMAINING + SLOT_HIGH], 15);
    EXPECT_EQ(c->out[0][OUT_REMAINING + SLOT_BEST], 14);
    EXPECT_EQ(c->out[0][OUT_EVAPORATED + SLOT_LOW], 1);
    EXPECT_EQ(c->out[0][OUT_DISPERSED + SLOT_HIGH], 4);

    // Marks of fates that stay at zero.
    c->StoreBudget(14, t, 1, 0);
    c->StoreBudget(14, t, 2, 0);
    c->MarkEmptyOutputs(3);
    EXPECT_EQ(c->out[0][OUT_SKIMMED + SLOT_BEST], MISSING_VALUE_D);
    EXPECT_EQ(c->out[0][OUT_BEACHED + SLOT_HIGH], MISSING_VALUE_D);
    EXPECT_EQ(c->out[0][OUT_BURNED + SLOT_BEST], 0.5);
    EXPECT_EQ(c->out[0][OUT_DISPERSED + SLOT_BEST], 3);
    EXPECT_EQ(c->out[0][OUT_WATER + SLOT_BEST], 0.0);  // a later step has water: not marked
    c->MarkEmptyOutputs(0);                             // nothing to mark, no step -1
}

// ---- Whole runs on hand-built models ----------------------------------------

class TimeLoopRun : public ::testing::Test {
protected:
    void SetUp() override { folder_ = std::make_unique<TempOutputFolder>(); }
    void TearDown() override { folder_.reset(); }
    std::string Read(const char* name) { return folder_->Read(name); }
    // A model that writes into the test's folder.
    std::unique_ptr<CWeatheringCore> MakeCore() {
        auto c = std::make_unique<CWeatheringCore>();
        folder_->Use(*c);
        return c;
    }
    std::unique_ptr<TempOutputFolder> folder_;
};

TEST_F(TimeLoopRun, MassBalanceBoundsAndNoNaNOverTheHandBuiltLibrary) {
    for (const HandScenario& s : HandScenarioLibrary()) {
        for (int unc = 0; unc < 4; ++unc) {
            auto c = MakeCore();
            platform::RecordingMessages rec;
            c->SetMessages(&rec);
            BuildHandRun(*c, s);
            c->windFlag = unc == 1 || unc == 3;
            c->windUnc = 2.0;
            c->volFlag = unc == 2 || unc == 3;
            c->volUnc = 20.0;
            c->emulFlag = unc == 3;
            c->bullwinkle[1] = c->bullwinkle[0] * 0.5;
            ASSERT_EQ(c->Solve(true), CWeatheringCore::RUN_OK) << s.name;
            SCOPED_TRACE(s.name + " uncertainty " + std::to_string(unc));
            ExpectMassBalance(*c, 1e-9);
            ExpectBandsOrdered(*c);
            ExpectFinite(*c);
            EXPECT_TRUE(rec.Entries().empty()) << (rec.Entries().empty() ? "" : rec.Entries()[0].text);
        }
    }
}

TEST_F(TimeLoopRun, WindSwitchLeavesTheBestValuesAndTheSameSeedRepeats) {
    const HandScenario s = HandScenarioLibrary()[0];
    auto plain = MakeCore();
    BuildHandRun(*plain, s);
    ASSERT_EQ(plain->Solve(true), 0);
    const std::string slick1 = Read("SlickArea.txt");

    auto again = MakeCore();
    BuildHandRun(*again, s);
    ASSERT_EQ(again->Solve(true), 0);
    for (int v = 0; v < plain->nSteps; ++v) EXPECT_EQ(plain->out[v], again->out[v]) << v;
    EXPECT_EQ(Read("SlickArea.txt"), slick1);
    // Solving the same prepared object again gives the same result.
    ASSERT_EQ(again->Solve(true), 0);
    for (int v = 0; v < plain->nSteps; ++v) EXPECT_EQ(plain->out[v], again->out[v]) << v;

    auto wind = MakeCore();
    BuildHandRun(*wind, s);
    wind->windFlag = 1;
    wind->windUnc = 3.0;
    ASSERT_EQ(wind->Solve(true), 0);
    bool widened = false;
    for (int v = 0; v < plain->nSteps; ++v) {
        for (int at : {OUT_REMAINING, OUT_EVAPORATED, OUT_SPILLED}) EXPECT_EQ(wind->out[v][at + SLOT_BEST], plain->out[v][at + SLOT_BEST]);
        for (int at : {OUT_DENSITY, OUT_VISCOSITY, OUT_WATER, OUT_BENZENE}) {
            if (plain->out[v][at + SLOT_BEST] == MISSING_VALUE_D || wind->out[v][at + SLOT_BEST] == MISSING_VALUE_D) continue;
            EXPECT_EQ(wind->out[v][at + SLOT_BEST], plain->out[v][at + SLOT_BEST]) << v << " " << at;
        }
        if (v > 0) {
            EXPECT_EQ(wind->out[v][OUT_DISPERSED + SLOT_BEST], plain->out[v][OUT_DISPERSED + SLOT_BEST]);
        }
        if (wind->out[v][OUT_EVAPORATED + SLOT_HIGH] > plain->out[v][OUT_EVAPORATED + SLOT_HIGH]) widened = true;
    }
    EXPECT_TRUE(widened);
}

TEST_F(TimeLoopRun, ParallelTurnsEqualSequentialBitForBit) {
    HandScenario s = HandScenarioLibrary()[1];
    std::string files[2][3];
    std::unique_ptr<CWeatheringCore> cores[2];
    // The threads each solve's turns ran on.
    std::mutex threadsMutex;
    std::set<std::thread::id> threads[2];
    for (int k = 0; k < 2; ++k) {
        cores[k] = MakeCore();
        BuildHandRun(*cores[k], s);
        cores[k]->windFlag = cores[k]->volFlag = cores[k]->emulFlag = 1;
        cores[k]->windUnc = 2;
        cores[k]->volUnc = 30;
        cores[k]->bullwinkle[1] = 0.0;
        cores[k]->parallelTurns = k == 0;
        cores[k]->testTurnStarted = [&, k](int) {
            std::lock_guard lock(threadsMutex);
            threads[k].insert(std::this_thread::get_id());
        };
        ASSERT_EQ(cores[k]->Solve(true), 0);
        files[k][0] = Read("TavroCore.dmp");
        files[k][1] = Read("VolFrac.txt");
        files[k][2] = Read("SlickArea.txt");
    }
    for (int v = 0; v < model::MAX_STEPS; ++v) EXPECT_EQ(cores[0]->out[v], cores[1]->out[v]) << v;
    for (int f = 0; f < 3; ++f) EXPECT_EQ(files[0][f], files[1][f]) << f;
    for (int i = 0; i < cores[0]->leCount; ++i) EXPECT_EQ(cores[0]->le[i], cores[1]->le[i]);
    // The comparison is of threaded turns with sequential ones only where
    // the machine runs more than one thread.
    EXPECT_EQ(threads[1].size(), 1u);
    if (platform::HardwareThreads() > 1) {
        EXPECT_GT(threads[0].size(), 1u) << "the turns all ran on one thread";
    }
}

TEST_F(TimeLoopRun, SolvingTwiceWithEveryTurnRepeats) {
    // The last turn (raised volume, early onset) leaves its state in the
    // elements; the next solve must not start from it.
    auto c = MakeCore();
    BuildHandRun(*c, HandScenarioLibrary()[4]);
    c->windFlag = c->volFlag = c->emulFlag = 1;
    c->windUnc = 2;
    c->volUnc = 30;
    c->bullwinkle[0] = 0.08;
    c->bullwinkle[1] = 0.0;
    ASSERT_EQ(c->Solve(false), 0);
    std::vector<SStepOutput> first(c->out, c->out + c->nSteps);
    ASSERT_EQ(c->Solve(false), 0);
    for (int v = 0; v < c->nSteps; ++v) EXPECT_EQ(c->out[v], first[v]) << v;
}

TEST_F(TimeLoopRun, ElementAreaUsesItsOwnReleaseHourVolume) {
    // Ten elements over eight steps: elements 8 and 9 are admitted at the
    // last step of hour 1, whose release (100 m3) damps their area by
    // (10/100)^(1/3); the next hour releases nothing.
    auto c = MakeCore();
    HandScenario s = HandScenarioLibrary()[0];
    s.perHourCount = {10};
    BuildHandRun(*c, s);
    for (int i = 0; i < c->leCount; ++i) c->le[i].minArea = 1.0;
    ASSERT_EQ(c->Solve(true), 0);
    const std::string dump = Read("TavroCore.dmp");
    const size_t at = dump.find("LE_area\t= ");
    ASSERT_NE(at, std::string::npos);
    double area = 0;
    ASSERT_TRUE(platform::ScanDouble(dump.substr(at + 10, 20), area));
    EXPECT_NEAR(area, 50.0 * std::cbrt(10.0 / 100.0), 1e-4);
    EXPECT_LT(dump.find("LE_area"), dump.find("\t step = 8\r\n"));
}

TEST_F(TimeLoopRun, VolFracRowStaysInTheTableAndZeroRowsPrintZero) {
    // Fractions below every row (bad data): the nearest row is the last
    // one, never a row past the table.
    auto c = MakeCore();
    BuildHandRun(*c, HandScenarioLibrary()[0]);
    for (int i = 0; i < c->evapRows; ++i) {
        c->evapTable[i].f_evap = -0.1;
        for (int k = 0; k < 3; ++k) c->compRemain[k][i] = 0.05;
    }
    const double last[3] = {0.1, 0.2, 0.7};
    for (int k = 0; k < 3; ++k) c->compRemain[k][c->evapRows - 1] = last[k];
    ASSERT_EQ(c->Solve(false), 0);
    auto lines = platform::SplitLines(Read("VolFrac.txt"));
    ASSERT_GT(lines.size(), 4u);
    EXPECT_EQ(lines[3].rfind("0.1\t0.1000\t0.2000\t0.7000\t", 0), 0u) << lines[3];

    // A row whose components are all gone prints zeros, not NaN.
    BuildHandRun(*c, HandScenarioLibrary()[0]);
    for (int k = 0; k < 3; ++k)
        for (int i = 0; i < c->evapRows; ++i) c->compRemain[k][i] = 0.0;
    ASSERT_EQ(c->Solve(false), 0);
    lines = platform::SplitLines(Read("VolFrac.txt"));
    EXPECT_EQ(lines[3].rfind("0.1\t0.0000\t0.0000\t0.0000\t", 0), 0u) << lines[3];
}

TEST_F(TimeLoopRun, FilesHaveTheirStructure) {
    for (int switches = 0; switches <= 3; ++switches) {
        auto c = MakeCore();
        BuildHandRun(*c, HandScenarioLibrary()[0]);
        c->windFlag = switches >= 1;
        c->windUnc = 1;
        c->volFlag = switches >= 2;
        c->volUnc = 10;
        c->emulFlag = switches >= 3;
        c->bullwinkle[1] = 0.01;
        ASSERT_EQ(c->Solve(true), 0);
        const int turns = 1 + (switches ? 1 << switches : 0);
        SCOPED_TRACE(switches);

        const std::string slick = Read("SlickArea.txt");
        EXPECT_EQ(slick.find("\n"), slick.find("\r\n") + 1);  // CR LF line ends
        const auto lines = platform::SplitLines(slick);
        ASSERT_EQ(lines.size(), 2u + turns * (c->runHours + 1));
        EXPECT_EQ(lines[0], " Hour\tSlick Area (sq.m)");
        EXPECT_EQ(lines[1], std::string(39, '='));
        for (int t = 0; t < turns; ++t) {
            const size_t base = 2 + t * (c->runHours + 1);
            EXPECT_EQ(lines[base].substr(0, 6), "    1\t");
            EXPECT_EQ(lines[base].size(), 6u + 12u);
            EXPECT_EQ(lines[base + c->runHours], std::string(28, '-'));
        }

        const std::string dump = Read("TavroCore.dmp");
        EXPECT_EQ(dump.rfind("                 CORE DUMP FILE\r\n                 ==============\r\n", 0), 0u);
        EXPECT_EQ(CountOf(dump, "\r\n IV = "), turns);
        EXPECT_EQ(CountOf(dump, "\r\n  IW = "), turns);
        EXPECT_EQ(CountOf(dump, "\r\n   IB = "), turns);
        EXPECT_EQ(CountOf(dump, "\t step = "), turns * c->nSteps);
        EXPECT_EQ(CountOf(dump, "end of step"), turns * c->nSteps);
        // Element 9 of 20 released over the first 8 steps is admitted at step 3.
        EXPECT_EQ(CountOf(dump, "LE[9].evex"), turns * (c->nSteps - 3));
        EXPECT_NE(dump.find("\r\n*************** end of dump file ***************\r\n\r\n"), std::string::npos);
        // No sub-step has run before the first step's elements.
        EXPECT_EQ(dump.substr(dump.find("deltat = "), 11), "deltat = 0\r");

        const auto vf = platform::SplitLines(Read("VolFrac.txt"));
        ASSERT_EQ(vf.size(), 3u + turns * c->nSteps);
        EXPECT_EQ(vf[3].substr(0, 4), "0.1\t");
    }
}

TEST_F(TimeLoopRun, VolFracHeaderIsByteExact) {
    auto c = MakeCore();
    BuildHandRun(*c, HandScenarioLibrary()[0]);
    c->compCount = 5;
    const double mw[5] = {0.1, 0.12, 0.15, 0.2, 0.3};
    const double mv[5] = {1.3e-4, 1.5e-4, 1.8e-4, 2.3e-4, 3.2e-4};
    for (int k = 0; k < 5; ++k) {
        c->compMW[k] = mw[k];
        c->compMolVol[k] = mv[k];
        c->compFrac0[k] = 0.2;
        for (int i = 0; i < c->evapRows; ++i) c->compRemain[k][i] = 0.2;
    }
    ASSERT_EQ(c->Solve(false), 0);
    const std::string vf = Read("VolFrac.txt");
    const std::string head =
        "Hours\tCut #1 \tCut #2 \tCut #3 \tCut #4 \tCut #5 \tVolume Remaining\r\n"
        "Density\t769.2308\t800.0000\t833.3333\t869.5652\t937.5000\r\n"
        "0.0\t0.2000\t0.2000\t0.2000\t0.2000\t0.2000\r\n";
    EXPECT_EQ(vf.substr(0, head.size()), head);
    const auto lines = platform::SplitLines(vf);
    EXPECT_EQ(lines[3].rfind("0.1\t0.2000\t0.2000\t0.2000\t0.2000\t0.2000\t", 0), 0u);
    // Without a dump asked for, none is written.
    EXPECT_FALSE(platform::FileExists(folder_->File("TavroCore.dmp")));
}

TEST_F(TimeLoopRun, EachFileThatCannotBeCreatedStopsTheRun) {
    struct Case {
        const char* blocked;
        const char* message;
    };
    const Case cases[] = {
        {"TavroCore.dmp", "Core: Cannot create the dump file"},
        {"VolFrac.txt", "Core: Cannot create the mass frac output file"},
        {"SlickArea.txt", "Core: Cannot create the slick area output file"},
    };
    for (const Case& k : cases) {
        TempOutputFolder folder;
        ASSERT_EQ(::mkdir(folder.File(k.blocked).c_str(), 0755), 0);
        auto c = MakeCore();
        folder.Use(*c);
        platform::RecordingMessages rec;
        c->SetMessages(&rec);
        BuildHandRun(*c, HandScenarioLibrary()[0]);
        EXPECT_EQ(c->Solve(true), CWeatheringCore::RUN_FILE_ERROR) << k.blocked;
        EXPECT_EQ(rec.Texts(), std::vector<std::string>{k.message});
        for (int v = 0; v < model::MAX_STEPS; ++v)
            for (int i = 0; i < model::STEP_OUTPUT_VALUES; ++i) ASSERT_EQ(c->out[v][i], MISSING_VALUE_D);
    }
    // Without the dump, a blocked dump name does not matter.
    TempOutputFolder folder;
    ASSERT_EQ(::mkdir(folder.File("TavroCore.dmp").c_str(), 0755), 0);
    auto c = MakeCore();
    folder.Use(*c);
    BuildHandRun(*c, HandScenarioLibrary()[0]);
    EXPECT_EQ(c->Solve(false), CWeatheringCore::RUN_OK);
}

// A disk that fills up under one file (the file points at /dev/full): the
// run fails with one message naming that file and the reason, and the
// unfinished file is not left behind; the other files are complete.
TEST_F(TimeLoopRun, AFileThatCannotBeWrittenIsNamedOnceAndRemoved) {
    if (!platform::FileExists("/dev/full")) GTEST_SKIP() << "no /dev/full here";
    const char* const names[] = {"TavroCore.dmp", "VolFrac.txt", "SlickArea.txt"};
    for (const char* full : names) {
        SCOPED_TRACE(full);
        TempOutputFolder folder;
        ASSERT_EQ(::symlink("/dev/full", folder.File(full).c_str()), 0);
        auto c = MakeCore();
        folder.Use(*c);
        platform::RecordingMessages rec;
        c->SetMessages(&rec);
        BuildHandRun(*c, HandScenarioLibrary()[0]);
        EXPECT_EQ(c->Solve(true), CWeatheringCore::RUN_FILE_ERROR);
        EXPECT_EQ(rec.Texts(),
                  std::vector<std::string>{"Core: Cannot write the file " + folder.File(full) + ": No space left on device"});
        struct stat st {};
        EXPECT_NE(::lstat(folder.File(full).c_str(), &st), 0);
        for (const char* other : names) {
            if (other != full) {
                EXPECT_FALSE(folder.Read(other).empty()) << other;
            }
        }
    }
}

TEST_F(TimeLoopRun, MemoryFailuresAndFatalInputs) {
    {
        auto c = MakeCore();
        platform::RecordingMessages rec;
        c->SetMessages(&rec);
        BuildHandRun(*c, HandScenarioLibrary()[0]);
        c->testAllocFailure = 1;
        EXPECT_EQ(c->Solve(true), CWeatheringCore::RUN_MEMORY_ERROR);
        EXPECT_EQ(rec.Texts(), std::vector<std::string>{"Error: Out of Memory (Core)"});
        EXPECT_EQ(c->out[0][OUT_REMAINING + SLOT_BEST], MISSING_VALUE_D);
    }
    {
        auto c = MakeCore();
        platform::RecordingMessages rec;
        c->SetMessages(&rec);
        BuildHandRun(*c, HandScenarioLibrary()[0]);
        c->testAllocFailure = 2;
        EXPECT_EQ(c->Solve(true), CWeatheringCore::RUN_OK);
        EXPECT_EQ(rec.Texts(), std::vector<std::string>{"Error: Out of Memory (smoother)"});
        EXPECT_GT(c->out[5][OUT_REMAINING + SLOT_BEST], 0.0);
    }
    // Memory running out inside the element work, on the step threads, on
    // the turn threads or on one thread: the message once, a failure status,
    // no hang and no crash.
    for (int mode = 0; mode < 3; ++mode) {
        HandScenario s = HandScenarioLibrary()[0];
        s.perHourCount = {240};
        auto c = MakeCore();
        platform::RecordingMessages rec;
        c->SetMessages(&rec);
        BuildHandRun(*c, s);
        c->windFlag = mode == 1;
        c->windUnc = 2.0;
        c->parallelTurns = mode != 2;
        c->testAllocFailure = 3;
        EXPECT_EQ(c->Solve(true), CWeatheringCore::RUN_MEMORY_ERROR) << mode;
        EXPECT_EQ(rec.Texts(), std::vector<std::string>{"Error: Out of Memory (Core)"}) << mode;
    }
    {
        // An input the oil routines found fatal: nothing runs, nothing is written.
        TempOutputFolder folder;
        auto c = MakeCore();
        folder.Use(*c);
        BuildHandRun(*c, HandScenarioLibrary()[0]);
        c->fatalInput = 1;
        EXPECT_EQ(c->Solve(true), CWeatheringCore::RUN_FATAL_INPUT);
        EXPECT_EQ(c->out[0][OUT_REMAINING + SLOT_BEST], MISSING_VALUE_D);
        EXPECT_FALSE(platform::FileExists(folder.File("SlickArea.txt")));
    }
    {
        // Elements without areas (spreading did not run): refused, not NaN.
        auto c = MakeCore();
        BuildHandRun(*c, HandScenarioLibrary()[0]);
        c->le[3].area[4] = MISSING_VALUE_D;
        EXPECT_EQ(c->Solve(true), CWeatheringCore::RUN_FATAL_INPUT);
        EXPECT_EQ(c->out[0][OUT_REMAINING + SLOT_BEST], MISSING_VALUE_D);
    }
    {
        // Not prepared at all.
        auto c = MakeCore();
        EXPECT_EQ(c->Solve(true), CWeatheringCore::RUN_FATAL_INPUT);
    }
}

TEST_F(TimeLoopRun, SpecificCases) {
    // A wind above 30 m/s runs as 30 m/s.
    {
        auto a = MakeCore();
        auto b = MakeCore();
        BuildHandRun(*a, HandScenarioLibrary()[0]);
        BuildHandRun(*b, HandScenarioLibrary()[0]);
        for (int h = 0; h < a->runHours; ++h) {
            a->wind[h].speed = 35.0;
            b->wind[h].speed = 30.0;
        }
        ASSERT_EQ(a->Solve(false), 0);
        ASSERT_EQ(b->Solve(false), 0);
        for (int v = 0; v < a->nSteps; ++v) EXPECT_EQ(a->out[v], b->out[v]);
    }
    // Above the cap the lowered-wind turn runs at the capped best wind, not
    // above it: with equal wave columns every turn is the best one.
    {
        auto c = MakeCore();
        BuildHandRun(*c, HandScenarioLibrary()[0]);
        for (int h = 0; h < c->runHours; ++h) {
            c->wind[h].speed = 40.0;
            for (int k = 1; k < 3; ++k) {
                c->wave[h].Hrms[k] = c->wave[h].Hrms[0];
                c->wave[h].f_bw[k] = c->wave[h].f_bw[0];
                c->wave[h].De[k] = c->wave[h].De[0];
            }
        }
        c->windFlag = 1;
        c->windUnc = 2.0;
        ASSERT_EQ(c->Solve(false), 0);
        for (int v = 0; v < c->nSteps; ++v)
            for (int at : {OUT_EVAPORATED, OUT_REMAINING}) {
                EXPECT_EQ(c->out[v][at + SLOT_HIGH], c->out[v][at + SLOT_BEST]) << v;
                EXPECT_EQ(c->out[v][at + SLOT_LOW], c->out[v][at + SLOT_BEST]) << v;
            }
    }
    // The lowered-volume turn runs out of oil first: its empty steps leave
    // the best values of pass 0 alone.
    {
        HandScenario s = HandScenarioLibrary()[0];
        s.burnRate = 0.01;
        s.burnHour = 1;
        auto plain = MakeCore();
        auto vol = MakeCore();
        BuildHandRun(*plain, s);
        BuildHandRun(*vol, s);
        vol->volFlag = 1;
        vol->volUnc = 40.0;
        ASSERT_EQ(plain->Solve(false), 0);
        ASSERT_EQ(vol->Solve(false), 0);
        int emptyInPlain = -1;
        for (int v = 0; v < plain->nSteps && emptyInPlain < 0; ++v)
            if (plain->out[v][OUT_REMAINING + SLOT_BEST] == 0.0) emptyInPlain = v;
        ASSERT_GT(emptyInPlain, 0);
        EXPECT_LT(vol->out[emptyInPlain - 5][OUT_REMAINING + SLOT_LOW], 1e-12);  // the low turn ran dry earlier
        for (int v = 0; v < plain->nSteps; ++v)
            for (int at : {OUT_DENSITY, OUT_VISCOSITY, OUT_WATER, OUT_BENZENE})
                EXPECT_EQ(vol->out[v][at + SLOT_BEST], plain->out[v][at + SLOT_BEST]) << v << " " << at;
    }
    // Contained: two elements, no natural dispersion, no water uptake.
    {
        auto c = MakeCore();
        HandScenario s = HandScenarioLibrary()[0];
        s.contained = true;
        BuildHandRun(*c, s);
        ASSERT_EQ(c->Solve(false), 0);
        EXPECT_EQ(c->out[0][OUT_DISPERSED + SLOT_BEST], MISSING_VALUE_D);
        EXPECT_EQ(c->out[0][OUT_WATER + SLOT_BEST], MISSING_VALUE_D);
        EXPECT_EQ(c->out[c->nSteps - 1][OUT_DISPERSED + SLOT_BEST], 0.0);
        EXPECT_EQ(c->out[c->nSteps - 1][OUT_WATER + SLOT_BEST], 0.0);
        EXPECT_EQ(c->out[3][OUT_AREA], c->containedArea);
        EXPECT_EQ(c->le[0].releaseTime, 0.0);
        EXPECT_GT(c->out[c->nSteps - 1][OUT_EVAPORATED + SLOT_BEST], 0.0);
        ExpectMassBalance(*c, 1e-9);
    }
    // No response: the response fates are marked at step 0 and stay 0.
    {
        auto c = MakeCore();
        BuildHandRun(*c, HandScenarioLibrary()[0]);
        ASSERT_EQ(c->Solve(false), 0);
        for (int at : {OUT_SKIMMED, OUT_BURNED, OUT_BEACHED}) {
            EXPECT_EQ(c->out[0][at + SLOT_BEST], MISSING_VALUE_D);
            EXPECT_EQ(c->out[5][at + SLOT_BEST], 0.0);
        }
    }
    // A burn that takes everything: later properties repeat the last ones.
    {
        auto c = MakeCore();
        HandScenario s = HandScenarioLibrary()[0];
        s.burnRate = 1.0;  // m3/s from hour 2
        s.burnHour = 2;
        BuildHandRun(*c, s);
        ASSERT_EQ(c->Solve(false), 0);
        const int last = c->nSteps - 1;
        EXPECT_EQ(c->out[last][OUT_REMAINING + SLOT_BEST], 0.0);
        EXPECT_EQ(c->out[last][OUT_DENSITY + SLOT_BEST], c->out[last - 3][OUT_DENSITY + SLOT_BEST]);
        EXPECT_EQ(c->out[last][OUT_WATER + SLOT_HIGH], c->out[last - 3][OUT_WATER + SLOT_HIGH]);
        ExpectMassBalance(*c, 1e-9);
    }
    // A first hour with fewer elements than steps: the first steps are empty
    // and carry no NaN.
    {
        auto c = MakeCore();
        HandScenario s = HandScenarioLibrary()[0];
        s.hourVols = {2.0, 50.0, 50.0};
        s.perHourCount = {2, 20, 20};
        BuildHandRun(*c, s);
        ASSERT_EQ(c->Solve(true), 0);
        ExpectFinite(*c);
        EXPECT_EQ(c->out[0][OUT_REMAINING + SLOT_BEST], 0.0);
        EXPECT_EQ(c->out[0][OUT_SPILLED + SLOT_BEST], 0.0);
        EXPECT_EQ(c->out[3][OUT_SPILLED + SLOT_BEST], 1.0);
        ExpectMassBalance(*c, 1e-9);
    }
}

// ---- Whole runs through the setters, PrepareRun, Spread and Solve ----------

namespace {

struct SolveCase {
    SolveScenario scenario;
    bool uncertain;
};

void PrintTo(const SolveCase& c, std::ostream* os) { *os << c.scenario.name << (c.uncertain ? " (uncertain)" : ""); }

std::vector<SolveCase> SolveCases() {
    std::vector<SolveCase> cases;
    // Each switch alone on the medium crude.
    for (int k = 0; k < 3; ++k) {
        SolveScenario u = SolveScenarioLibrary()[0];
        u.name += k == 0 ? " wind switch" : k == 1 ? " volume switch" : " onset switch";
        u.hours = 24;
        (k == 0 ? u.windUnc : k == 1 ? u.volUnc : u.emulUnc) = k == 0 ? 2.0 : 20.0;
        cases.push_back({u, true});
    }
    for (const SolveScenario& s : SolveScenarioLibrary()) {
        cases.push_back({s, false});
        SolveScenario u = s;
        u.windUnc = 2.0;
        u.volUnc = 20.0;
        u.emulUnc = 10.0;
        cases.push_back({u, true});
    }
    return cases;
}

std::string CaseName(const ::testing::TestParamInfo<SolveCase>& info) {
    std::string n;
    for (char ch : info.param.scenario.name) n += std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
    return n + (info.param.uncertain ? "_uncertain" : "") + "_" + std::to_string(info.index);
}

// Final best value of a fate.
double Final(const CWeatheringCore& c, int at) { return Best(c, c.nSteps - 1, at); }

}  // namespace

class SolveInvariants : public ::testing::TestWithParam<SolveCase> {
protected:
    std::unique_ptr<CWeatheringCore> MakeCore() {
        auto c = std::make_unique<CWeatheringCore>();
        folder_.Use(*c);
        return c;
    }
    TempOutputFolder folder_;
};

TEST_P(SolveInvariants, MassBalanceBoundsAndFiniteValues) {
    const SolveCase& k = GetParam();
    for (std::uint32_t seed : {1u, 20261210u}) {
        SCOPED_TRACE(seed);
        auto c = MakeCore();
        platform::RecordingMessages rec;
        c->SetMessages(&rec);
        ASSERT_EQ(RunSolveScenario(*c, k.scenario, seed, true), 0);
        ASSERT_GT(c->nSteps, 0);
        ExpectMassBalance(*c, 1e-9);
        ExpectBandsOrdered(*c);
        ExpectFinite(*c);
        EXPECT_GT(Final(*c, OUT_SPILLED), 0.0);
        const int switches = (k.scenario.windUnc > 0) + (k.scenario.volUnc > 0) + (k.scenario.emulUnc > 0);
        EXPECT_EQ(platform::SplitLines(folder_.Read("SlickArea.txt")).size(),
                  2u + (1u + (switches ? 1u << switches : 0u)) * (c->runHours + 1));
        if (k.uncertain) {
            // The switches widen the bounds somewhere.
            bool wider = false;
            for (int v = 0; v < c->nSteps; ++v)
                if (c->out[v][OUT_REMAINING + SLOT_HIGH] > c->out[v][OUT_REMAINING + SLOT_LOW]) wider = true;
            EXPECT_TRUE(wider);
        }
        if (k.uncertain) break;  // one seed is enough for the nine-turn runs
    }
}

INSTANTIATE_TEST_SUITE_P(Library, SolveInvariants, ::testing::ValuesIn(SolveCases()), CaseName);

class SolveRuns : public ::testing::Test {
protected:
    std::unique_ptr<CWeatheringCore> MakeCore() {
        auto c = std::make_unique<CWeatheringCore>();
        folder_.Use(*c);
        return c;
    }
    TempOutputFolder folder_;
};

TEST_F(SolveRuns, WindSwitchKeepsTheBestValuesBitForBit) {
    SolveScenario s = SolveScenarioLibrary()[0];
    s.hours = 24;
    auto plain = MakeCore();
    ASSERT_EQ(RunSolveScenario(*plain, s, 5, true), 0);
    s.windUnc = 3.0;
    auto wind = MakeCore();
    ASSERT_EQ(RunSolveScenario(*wind, s, 5, true), 0);
    ASSERT_EQ(plain->nSteps, wind->nSteps);
    for (int v = 0; v < plain->nSteps; ++v) {
        for (int at : {OUT_REMAINING, OUT_SPILLED, OUT_EVAPORATED, OUT_BURNED, OUT_SKIMMED, OUT_BEACHED})
            EXPECT_EQ(wind->out[v][at + SLOT_BEST], plain->out[v][at + SLOT_BEST]) << v << " " << at;
        for (int at : {OUT_DENSITY, OUT_VISCOSITY, OUT_WATER, OUT_BENZENE}) {
            const double a = plain->out[v][at + SLOT_BEST], b = wind->out[v][at + SLOT_BEST];
            if (a == MISSING_VALUE_D || b == MISSING_VALUE_D) continue;
            EXPECT_EQ(b, a) << v << " " << at;
        }
        if (v > 0) {
            EXPECT_EQ(wind->out[v][OUT_DISPERSED + SLOT_BEST], plain->out[v][OUT_DISPERSED + SLOT_BEST]) << v;
        }
    }
    // The raised wind takes more oil off the surface (mostly by dispersion,
    // which leaves less to evaporate); the lowered one evaporates less.
    const int last = plain->nSteps - 1;
    EXPECT_LT(wind->out[last][OUT_REMAINING + SLOT_LOW], wind->out[last][OUT_REMAINING + SLOT_BEST]);
    EXPECT_LT(wind->out[last][OUT_EVAPORATED + SLOT_LOW], wind->out[last][OUT_EVAPORATED + SLOT_BEST]);
    EXPECT_GT(wind->out[last][OUT_DISPERSED + SLOT_HIGH], wind->out[last][OUT_DISPERSED + SLOT_BEST]);
}

// The uncertainty switches widen the bands and never move the best
// estimate: with a fixed seed every best value of every step is the one of
// the run without a switch, also when an onset bound is clamped (a diesel's
// onset of 1 at +-50 % has the bounds 1 and 0.5).
TEST_F(SolveRuns, UncertaintySwitchesKeepEveryBestValueBitForBit) {
    struct Case {
        const char* name;
        const char* oil;
        double windUnc, volUnc, emulUnc;
    };
    const Case cases[] = {
        {"diesel, onset switch +-50 %", "Diesel [2002]", 0, 0, 50},
        {"diesel, amount switch", "Diesel [2002]", 0, 20, 0},
        {"diesel, all three switches", "Diesel [2002]", 2, 20, 50},
        {"medium crude, onset switch +-40 %", "West Texas Intermediate", 0, 0, 40},
        {"medium crude, amount switch", "West Texas Intermediate", 0, 20, 0},
        {"medium crude, all three switches", "West Texas Intermediate", 2, 20, 40},
    };
    const int kValues[] = {OUT_REMAINING, OUT_SPILLED, OUT_EMULSIFIED, OUT_EVAPORATED, OUT_DISPERSED,
                           OUT_CHEM_DISPERSED, OUT_BURNED, OUT_SKIMMED, OUT_BEACHED, OUT_BENZENE,
                           OUT_DENSITY, OUT_VISCOSITY, OUT_WATER};
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        SolveScenario s = SolveScenarioLibrary()[0];
        s.oil = k.oil;
        s.hours = 24;
        s.skimStart = 6;
        auto plain = MakeCore();
        ASSERT_EQ(RunSolveScenario(*plain, s, 5, false), 0);
        s.windUnc = k.windUnc;
        s.volUnc = k.volUnc;
        s.emulUnc = k.emulUnc;
        auto switched = MakeCore();
        ASSERT_EQ(RunSolveScenario(*switched, s, 5, false), 0);
        ASSERT_EQ(plain->nSteps, switched->nSteps);
        std::string firstDifference;
        for (int v = 0; v < plain->nSteps && firstDifference.empty(); ++v)
            for (int at : kValues)
                if (switched->out[v][at + SLOT_BEST] != plain->out[v][at + SLOT_BEST]) {
                    firstDifference = "step " + std::to_string(v) + ", value " + std::to_string(at) + ": " +
                                      std::to_string(switched->out[v][at + SLOT_BEST]) + " instead of " +
                                      std::to_string(plain->out[v][at + SLOT_BEST]);
                    break;
                }
        EXPECT_EQ(firstDifference, "");
        // The switch did something: the bands opened.
        const int last = plain->nSteps - 1;
        EXPECT_LT(switched->out[last][OUT_REMAINING + SLOT_LOW], switched->out[last][OUT_REMAINING + SLOT_HIGH]);
    }
}

TEST_F(SolveRuns, SameSeedGivesIdenticalOutputsAndFiles) {
    // With uncertainty the turns run on threads; without it each step's
    // elements are shared out. Either way the result is the sequential one.
    SolveScenario withUnc = SolveScenarioLibrary()[5];  // all responses, 12 hours
    withUnc.volUnc = 10.0;
    withUnc.emulUnc = 5.0;
    SolveScenario plain = SolveScenarioLibrary()[5];
    for (const SolveScenario& s : {withUnc, plain}) {
    std::string files[2][3];
    std::unique_ptr<CWeatheringCore> c[2];
    for (int k = 0; k < 2; ++k) {
        c[k] = MakeCore();
        c[k]->parallelTurns = k == 0;
        ASSERT_EQ(RunSolveScenario(*c[k], s, 99, true), 0);
        files[k][0] = folder_.Read("TavroCore.dmp");
        files[k][1] = folder_.Read("VolFrac.txt");
        files[k][2] = folder_.Read("SlickArea.txt");
    }
    for (int v = 0; v < model::MAX_STEPS; ++v) EXPECT_EQ(c[0]->out[v], c[1]->out[v]) << v;
    for (int f = 0; f < 3; ++f) EXPECT_EQ(files[0][f], files[1][f]) << f;
    EXPECT_GT(files[0][0].size(), 10000u);
    for (int i = 0; i < c[0]->leCount; ++i) EXPECT_EQ(c[0]->le[i], c[1]->le[i]) << i;
    }
}

TEST_F(SolveRuns, PhysicsGoesTheRightWay) {
    auto finalOf = [&](SolveScenario s, int at) {
        auto c = MakeCore();
        EXPECT_EQ(RunSolveScenario(*c, s, 3, false), 0) << s.name;
        return Final(*c, at);
    };
    SolveScenario base = SolveScenarioLibrary()[0];
    base.hours = 24;
    // A light product evaporates more than a heavy crude in the same weather.
    SolveScenario light = base, heavy = base;
    light.oil = "Diesel [2002]";
    heavy.oil = "Western Canadian Select [2015]";
    EXPECT_GT(finalOf(light, OUT_EVAPORATED), 1.5 * finalOf(heavy, OUT_EVAPORATED));
    // Stronger wind disperses more.
    SolveScenario calm = base, windy = base;
    calm.wind = 4.0;
    windy.wind = 12.0;
    EXPECT_GT(finalOf(windy, OUT_DISPERSED), finalOf(calm, OUT_DISPERSED));
    // Warmer water evaporates more.
    SolveScenario cold = base, warm = base;
    cold.waterC = 2.0;
    warm.waterC = 25.0;
    EXPECT_GT(finalOf(warm, OUT_EVAPORATED), finalOf(cold, OUT_EVAPORATED));
}

TEST_F(SolveRuns, FiveComponentCrudeWritesItsVolFracHeader) {
    SolveScenario s = SolveScenarioLibrary()[0];
    s.oil = "Cook Inlet [2003]";  // no distillation cuts: five components of 20 %
    s.hours = 6;
    auto c = MakeCore();
    ASSERT_EQ(RunSolveScenario(*c, s, 1, false), 0);
    ASSERT_EQ(c->compCount, 5);
    const auto lines = platform::SplitLines(folder_.Read("VolFrac.txt"));
    ASSERT_GE(lines.size(), 4u);
    EXPECT_EQ(lines[0], "Hours\tCut #1 \tCut #2 \tCut #3 \tCut #4 \tCut #5 \tVolume Remaining");
    EXPECT_EQ(lines[1].rfind("Density\t", 0), 0u);
    EXPECT_EQ(CountOf(lines[1], "\t"), 5);
    EXPECT_EQ(lines[2], "0.0\t0.2000\t0.2000\t0.2000\t0.2000\t0.2000");
    EXPECT_EQ(lines.size(), 3u + c->nSteps);
    EXPECT_EQ(lines[3].rfind("0.1\t", 0), 0u);  // 450 s steps
}
