#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <limits>
#include <memory>
#include <string>

#include "model/Series.h"
#include "model/UnitConversion.h"
#include "model/WeatheringCore.h"
#include "platform/Messages.h"
#include "tests/support/ModelChecks.h"
#include "tests/support/ScenarioBuilder.h"

using namespace model;

namespace {

constexpr double M = -999.0;
constexpr int kSteps = 4;

// The name of an output kind in the failure messages of the tables.
std::string KindName(int kind) {
    static const char* const names[] = {"benzene",   "density",  "viscosity", "water content", "remaining",
                                        "emulsified", "evaporated", "dispersed", "burned",        "skimmed",
                                        "beached",   "chemically dispersed", "spilled"};
    if (kind >= 0 && kind < static_cast<int>(std::size(names))) return names[kind];
    return "kind " + std::to_string(kind);
}

// A model with four hand-filled step records: value j of step i is
// 1000 (i + 1) + j, so every slot of every group of every step differs.
std::unique_ptr<CWeatheringCore> MakeFixture() {
    auto core = std::make_unique<CWeatheringCore>();
    core->nSteps = kSteps;
    core->stepsPerHour = 2;
    core->rho = 850;
    core->waterTemp = 288.15;
    core->densityPts[0].value = 900;
    for (int i = 0; i < kSteps; ++i)
        for (int j = 0; j < STEP_OUTPUT_VALUES; ++j) core->out[i][j] = 1000.0 * (i + 1) + j;
    return core;
}

}  // namespace

// Each kind reads its own group in the order (low, best, second best, high);
// the offsets below are the step-record layout, written out independently.
TEST(Series, GraphSeriesEveryKind) {
    auto core = MakeFixture();
    enum Axis { None, Density, Water, Amount };
    struct Case {
        int kind;
        int offset;
        bool quadruple;
        int unit;
        double scale;  // the unit's factor on a raw value
        const char* title;
        Axis axis;
    };
    const Case cases[] = {
        {0, 27, true, 0, 1, "Airborne Benzene Concentration", None},
        {1, 31, true, DENSITY_KGM3, 1, "Oil Density", Density},
        {2, 35, true, VISC_CST, 1e6, "Oil Viscosity", None},
        {3, 39, true, WATER_FRACTION, 1, "Water Content in Oil", Water},
        {4, 0, false, AMOUNT_CUM, 1, "Oil Remaining", Amount},
        {5, 6, false, AMOUNT_CUM, 1, "Oil Emulsified", Amount},
        {6, 9, false, AMOUNT_CUM, 1, "Oil Evaporated", Amount},
        {7, 12, false, AMOUNT_CUM, 1, "Oil Dispersed", Amount},
        {8, 18, false, AMOUNT_CUM, 1, "Oil Burned", Amount},
        {9, 21, false, AMOUNT_CUM, 1, "Oil Skimmed", Amount},
        {10, 24, false, AMOUNT_CUM, 1, "Oil Beached", Amount},
        {11, 15, false, AMOUNT_CUM, 1, "Unknown Output", None},
        {12, 3, false, AMOUNT_CUM, 1, "Unknown Output", None},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(KindName(c.kind));
        auto g = std::make_unique<SGraphData>();
        CopySeriesLabel(g->units, "caller's");
        g->startMonth = 7;
        g->startDay = 8;
        g->startHour = 9;
        core->GetGraphSeries(*g, c.kind, c.unit);
        EXPECT_STREQ(g->title, c.title);
        EXPECT_STREQ(g->units, "caller's");
        EXPECT_EQ(g->startMonth, 7);
        EXPECT_EQ(g->startDay, 8);
        EXPECT_EQ(g->startHour, 9);
        EXPECT_EQ(g->count, kSteps);
        EXPECT_EQ(g->hours, 2);
        double hi = -1e300, lo = 1e300;
        for (int i = 0; i < kSteps; ++i) {
            const SStepOutput& s = core->out[i];
            const double want[4] = {s[c.offset + 1] * c.scale, s[c.offset + 2] * c.scale,
                                    c.quadruple ? s[c.offset + 3] * c.scale : M, s[c.offset + 0] * c.scale};
            for (int k = 0; k < 4; ++k) {
                EXPECT_DOUBLE_EQ(g->series[k][i], want[k]) << "series " << k << " step " << i;
                if (want[k] != M) {
                    hi = std::max(hi, want[k]);
                    lo = std::min(lo, want[k]);
                }
            }
        }
        switch (c.axis) {
            // The minimum starts at 1,000,000 (the viscosities in cSt lie above it).
            case None: EXPECT_DOUBLE_EQ(g->maxValue, hi); EXPECT_DOUBLE_EQ(g->minValue, std::min(lo, 1e6)); break;
            case Density: EXPECT_EQ(g->maxValue, 1100); EXPECT_EQ(g->minValue, 500); break;
            case Water: EXPECT_EQ(g->maxValue, 1); EXPECT_EQ(g->minValue, 0); break;
            case Amount: EXPECT_DOUBLE_EQ(g->maxValue, hi); EXPECT_EQ(g->minValue, 0); break;
        }
    }
}

// Fraction, percent and mass units: each band is taken against the spilled
// amount of the same band, mass through the density at the water temperature.
TEST(Series, GraphAmountUnits) {
    auto core = MakeFixture();
    const int kind = OUTPUT_EVAPORATED;
    struct Case {
        int unit;
        double axisTop;  // < 0: the largest value
    };
    for (const Case& c : {Case{AMOUNT_FRACTION, 1}, Case{AMOUNT_PERCENT, 100}, Case{AMOUNT_TONS, -1},
                          Case{AMOUNT_TONNES, -1}, Case{AMOUNT_BBL, -1}}) {
        SCOPED_TRACE(AmountUnitLabel(c.unit));
        auto g = std::make_unique<SGraphData>();
        core->GetGraphSeries(*g, kind, c.unit);
        double hi = -1e300;
        for (int i = 0; i < kSteps; ++i) {
            const SStepOutput& s = core->out[i];
            const int band[4] = {SLOT_LOW, SLOT_BEST, -1, SLOT_HIGH};
            for (int k = 0; k < 4; ++k) {
                if (band[k] < 0) {
                    EXPECT_EQ(g->series[k][i], M);
                    continue;
                }
                const double v = s[OUT_EVAPORATED + band[k]];
                const double spilled = s[OUT_SPILLED + band[k]];
                double want = 0;
                switch (c.unit) {
                    case AMOUNT_FRACTION: want = v / spilled; break;
                    case AMOUNT_PERCENT: want = v * 100 / spilled; break;
                    case AMOUNT_TONS: want = v * 850 / 907.2; break;
                    case AMOUNT_TONNES: want = v * 850 / 1000; break;
                    case AMOUNT_BBL: want = v / 0.158987294928; break;
                }
                EXPECT_DOUBLE_EQ(g->series[k][i], want) << "series " << k << " step " << i;
                hi = std::max(hi, want);
            }
        }
        EXPECT_DOUBLE_EQ(g->maxValue, c.axisTop > 0 ? c.axisTop : hi);
        EXPECT_EQ(g->minValue, 0);
    }
}

TEST(Series, GraphMissingValuesAndAxisRules) {
    auto core = MakeFixture();
    // The largest benzene value goes missing: it stays out of the axis.
    core->out[3][OUT_BENZENE + SLOT_HIGH] = M;
    auto g = std::make_unique<SGraphData>();
    core->GetGraphSeries(*g, OUTPUT_BENZENE, 0);
    EXPECT_EQ(g->series[3][3], M);
    EXPECT_EQ(g->maxValue, core->out[3][OUT_BENZENE + SLOT_BEST2]);
    EXPECT_EQ(g->minValue, core->out[0][OUT_BENZENE + SLOT_HIGH]);

    // Density in g/cc: the axis is 0.5 to 1.1 whatever the data.
    core->GetGraphSeries(*g, OUTPUT_DENSITY, DENSITY_GCC);
    EXPECT_DOUBLE_EQ(g->minValue, 0.5);
    EXPECT_DOUBLE_EQ(g->maxValue, 1.1);
    // Water content in percent: 0 to 100.
    core->GetGraphSeries(*g, OUTPUT_WATER_CONTENT, WATER_PERCENT);
    EXPECT_EQ(g->minValue, 0);
    EXPECT_EQ(g->maxValue, 100);

    // Everything missing: no top; the density keeps its 500 kg/m3 bottom,
    // water content and amounts their 0, the other kinds their start values.
    for (int i = 0; i < kSteps; ++i)
        for (int j = 0; j < STEP_OUTPUT_VALUES; ++j) core->out[i][j] = M;
    struct Case {
        int kind, unit;
        double max, min;
    };
    for (const Case& c : {Case{OUTPUT_DENSITY, DENSITY_GCC, M, 0.5}, Case{OUTPUT_DENSITY, DENSITY_KGM3, M, 500},
                          Case{OUTPUT_WATER_CONTENT, WATER_PERCENT, M, 0}, Case{OUTPUT_BENZENE, 0, M, 1e6},
                          Case{OUTPUT_VISCOSITY, VISC_CP, M, 1e6}, Case{OUTPUT_REMAINING, AMOUNT_PERCENT, M, 0}}) {
        SCOPED_TRACE(KindName(c.kind) + " in " + std::to_string(c.unit));
        core->GetGraphSeries(*g, c.kind, c.unit);
        EXPECT_DOUBLE_EQ(g->maxValue, c.max);
        EXPECT_DOUBLE_EQ(g->minValue, c.min);
        for (int k = 0; k < 4; ++k) EXPECT_EQ(g->series[k][0], M);
    }
}

TEST(Series, GraphUnknownKindAndCounts) {
    auto core = MakeFixture();
    auto g = std::make_unique<SGraphData>();
    for (int kind : {-1, 13, 99}) {
        core->GetGraphSeries(*g, kind, 0);
        EXPECT_STREQ(g->title, "Unknown Output");
        EXPECT_EQ(g->count, kSteps);
        for (int i = 0; i < kSteps; ++i)
            for (int k = 0; k < 4; ++k) EXPECT_EQ(g->series[k][i], M);
        EXPECT_EQ(g->maxValue, M);
        EXPECT_EQ(g->minValue, 1e6);
    }

    // Before any run nSteps and stepsPerHour are missing: nothing to draw.
    auto fresh = std::make_unique<CWeatheringCore>();
    auto b = std::make_unique<SBudgetData>();
    auto ics = std::make_unique<SIcsBudgetData>();
    fresh->GetGraphSeries(*g, OUTPUT_REMAINING, AMOUNT_CUM);
    fresh->GetBudgetSeries(*b, AMOUNT_CUM);
    fresh->GetIcsBudgetSeries(*ics, AMOUNT_BBL);
    for (const SSeriesHead* h : {static_cast<SSeriesHead*>(g.get()), static_cast<SSeriesHead*>(b.get()),
                                 static_cast<SSeriesHead*>(ics.get())}) {
        EXPECT_EQ(h->count, 0);
        EXPECT_EQ(h->hours, 0);
    }
    EXPECT_STREQ(b->names[BUDGET_TOTAL], "Total");
    EXPECT_EQ(b->names[BUDGET_EVAPORATED][0], '\0');

    // A run longer than the series: the first 480 steps.
    core->nSteps = 600;
    core->GetGraphSeries(*g, OUTPUT_REMAINING, AMOUNT_CUM);
    EXPECT_EQ(g->count, SERIES_LENGTH);
    EXPECT_EQ(g->hours, 300);
}

namespace {

// Budget fixture: best values of a plausible run, with different high and
// low values so that a getter reading the wrong slot shows.
std::unique_ptr<CWeatheringCore> MakeBudgetFixture() {
    auto core = std::make_unique<CWeatheringCore>();
    core->nSteps = 3;
    core->stepsPerHour = 1;
    core->rho = 850;
    core->densityPts[0].value = 900;
    auto set = [&](int i, int offset, double best) {
        core->out[i][offset + SLOT_HIGH] = best * 2 + 1;
        core->out[i][offset + SLOT_LOW] = best / 2 + 0.5;
        core->out[i][offset + SLOT_BEST] = best;
    };
    for (int i = 0; i < 3; ++i) {
        set(i, OUT_SPILLED, 100);
        set(i, OUT_EVAPORATED, 10.0 * (i + 1));
        set(i, OUT_DISPERSED, 6.0 + i);
        set(i, OUT_CHEM_DISPERSED, 2.0 + i);
        set(i, OUT_BURNED, 0);
        set(i, OUT_SKIMMED, i == 2 ? 5 : 0);
        set(i, OUT_BEACHED, 0);
        set(i, OUT_REMAINING, 100 - 10.0 * (i + 1) - (6.0 + i) - (i == 2 ? 5 : 0));
    }
    core->out[1][OUT_BEACHED + SLOT_BEST] = M;  // missing in one step
    return core;
}

}  // namespace

TEST(Series, BudgetSeriesAndNames) {
    auto core = MakeBudgetFixture();
    auto b = std::make_unique<SBudgetData>();
    core->GetBudgetSeries(*b, AMOUNT_PERCENT);
    EXPECT_STREQ(b->title, "Oil Budget");
    EXPECT_EQ(b->count, 3);
    EXPECT_EQ(b->hours, 3);
    const int offsets[BUDGET_SERIES] = {OUT_EVAPORATED, OUT_DISPERSED, OUT_BURNED, OUT_SKIMMED,
                                        OUT_BEACHED, OUT_REMAINING, OUT_SPILLED};
    for (int s = 0; s < BUDGET_SERIES; ++s)
        for (int i = 0; i < 3; ++i) {
            const double v = core->out[i][offsets[s] + SLOT_BEST];
            EXPECT_DOUBLE_EQ(b->series[s][i], v == M ? M : v * 100 / 100) << s << " " << i;
        }
    const char* names[BUDGET_SERIES] = {"Evaporated", "Dispersed", "", "Skimmed", "", "Remaining", "Total"};
    for (int s = 0; s < BUDGET_SERIES; ++s) EXPECT_STREQ(b->names[s], names[s]) << s;
    EXPECT_EQ(b->maxValue, 100);
    EXPECT_EQ(b->minValue, 0);

    // Tons through the first density point (900), not rho (850).
    core->GetBudgetSeries(*b, AMOUNT_TONS);
    EXPECT_DOUBLE_EQ(b->series[BUDGET_EVAPORATED][2], 30 * 900 / 907.2);
    EXPECT_DOUBLE_EQ(b->series[BUDGET_TOTAL][0], 100 * 900 / 907.2);
    EXPECT_DOUBLE_EQ(b->maxValue, 100 * 900 / 907.2);

    // Nothing spilled yet and nothing evaporated: 0 percent of nothing.
    core->out[0][OUT_SPILLED + SLOT_BEST] = 0;
    core->out[0][OUT_EVAPORATED + SLOT_BEST] = 0;
    core->out[0][OUT_DISPERSED + SLOT_BEST] = 3;
    core->GetBudgetSeries(*b, AMOUNT_PERCENT);
    EXPECT_EQ(b->series[BUDGET_EVAPORATED][0], 0);
    EXPECT_EQ(b->series[BUDGET_TOTAL][0], 0);
    EXPECT_EQ(b->series[BUDGET_DISPERSED][0], M);
    // Nothing is burned or beached in this run: no name.
    EXPECT_EQ(b->series[BUDGET_BURNED][0], 0);
    EXPECT_EQ(b->names[BUDGET_BURNED][0], '\0');
    EXPECT_EQ(b->names[BUDGET_BEACHED][0], '\0');
    EXPECT_STREQ(b->names[BUDGET_EVAPORATED], "Evaporated");
    auto ics = std::make_unique<SIcsBudgetData>();
    core->GetIcsBudgetSeries(*ics, AMOUNT_PERCENT);
    EXPECT_EQ(ics->series[ICS_BURNED][0], 0);
    EXPECT_EQ(ics->names[ICS_BURNED][0], '\0');
    EXPECT_STREQ(ics->names[ICS_SKIMMED], "Skimmed");

    // A run that spilled nothing at all: only "Total" is named.
    auto none = std::make_unique<CWeatheringCore>();
    none->nSteps = 2;
    none->stepsPerHour = 2;
    none->densityPts[0].value = 900;
    for (int i = 0; i < 2; ++i)
        for (int j = 0; j < OUT_BENZENE; ++j) none->out[i][j] = 0;
    none->GetBudgetSeries(*b, AMOUNT_CUM);
    for (int s = 0; s < BUDGET_TOTAL; ++s) EXPECT_EQ(b->names[s][0], '\0') << s;
    EXPECT_STREQ(b->names[BUDGET_TOTAL], "Total");
    EXPECT_EQ(b->maxValue, 0);
}

// Steps before any oil is on the water (a late or slow first release) read
// 0 in fraction and percent for every fate and for the total; the steps
// with oil read their shares as usual, and the bands stay apart.
TEST(Series, StepsBeforeAnySpillReadZeroShares) {
    auto core = std::make_unique<CWeatheringCore>();
    core->nSteps = 4;
    core->stepsPerHour = 2;
    core->rho = 850;
    core->densityPts[0].value = 900;
    constexpr int kEmpty = 2;  // steps 0 and 1 have nothing spilled
    constexpr int kAmounts[] = {OUT_REMAINING, OUT_SPILLED, OUT_EVAPORATED, OUT_DISPERSED,
                                OUT_CHEM_DISPERSED, OUT_BURNED, OUT_SKIMMED, OUT_BEACHED, OUT_EMULSIFIED};
    for (int i = 0; i < 4; ++i)
        for (int at : kAmounts)
            for (int slot : {SLOT_HIGH, SLOT_LOW, SLOT_BEST}) core->out[i][at + slot] = 0;
    for (int i = kEmpty; i < 4; ++i) {
        const double grow = i - 1;  // 1 and 2
        core->out[i][OUT_SPILLED + SLOT_LOW] = 40;
        core->out[i][OUT_SPILLED + SLOT_BEST] = 50;
        core->out[i][OUT_SPILLED + SLOT_HIGH] = 60;
        core->out[i][OUT_EVAPORATED + SLOT_LOW] = 4 * grow;
        core->out[i][OUT_EVAPORATED + SLOT_BEST] = 5 * grow;
        core->out[i][OUT_EVAPORATED + SLOT_HIGH] = 6 * grow;
        core->out[i][OUT_DISPERSED + SLOT_BEST] = 2 * grow;
        core->out[i][OUT_CHEM_DISPERSED + SLOT_BEST] = grow;
        core->out[i][OUT_REMAINING + SLOT_BEST] = 50 - 7 * grow;
    }

    struct Case {
        const char* name;
        int unit;
        double whole;
    };
    for (const Case& c : {Case{"fraction", AMOUNT_FRACTION, 1}, Case{"percent", AMOUNT_PERCENT, 100}}) {
        SCOPED_TRACE(c.name);
        auto g = std::make_unique<SGraphData>();
        core->GetGraphSeries(*g, OUTPUT_EVAPORATED, c.unit);
        auto b = std::make_unique<SBudgetData>();
        core->GetBudgetSeries(*b, c.unit);
        auto ics = std::make_unique<SIcsBudgetData>();
        core->GetIcsBudgetSeries(*ics, c.unit);
        for (int i = 0; i < kEmpty; ++i) {
            SCOPED_TRACE("empty step " + std::to_string(i));
            for (int k : {GRAPH_LOW, GRAPH_BEST, GRAPH_HIGH}) EXPECT_EQ(g->series[k][i], 0) << "graph series " << k;
            for (int s = 0; s < BUDGET_SERIES; ++s) EXPECT_EQ(b->series[s][i], 0) << "budget " << b->names[s];
            for (int s = 0; s < ICS_SERIES; ++s) EXPECT_EQ(ics->series[s][i], 0) << "ICS series " << s;
        }
        for (int i = kEmpty; i < 4; ++i) {
            SCOPED_TRACE("step with oil " + std::to_string(i));
            const double grow = i - 1;
            EXPECT_DOUBLE_EQ(g->series[GRAPH_LOW][i], c.whole * 4 * grow / 40);
            EXPECT_DOUBLE_EQ(g->series[GRAPH_BEST][i], c.whole * 5 * grow / 50);
            EXPECT_DOUBLE_EQ(g->series[GRAPH_HIGH][i], c.whole * 6 * grow / 60);
            EXPECT_EQ(b->series[BUDGET_TOTAL][i], c.whole);
            EXPECT_DOUBLE_EQ(b->series[BUDGET_REMAINING][i], c.whole * (50 - 7 * grow) / 50);
            EXPECT_DOUBLE_EQ(b->series[BUDGET_DISPERSED][i], c.whole * 2 * grow / 50);
            EXPECT_EQ(ics->series[ICS_TOTAL][i], c.whole);
            EXPECT_DOUBLE_EQ(ics->series[ICS_NATURAL_DISP][i], c.whole * 2 * grow / 50 - c.whole * grow / 50);
        }
        // The stacked budget of an empty step adds up to nothing, not to
        // several wholes.
        double stacked = 0;
        for (int s = 0; s < BUDGET_TOTAL; ++s) stacked += b->series[s][0];
        EXPECT_EQ(stacked, 0);
        EXPECT_EQ(b->maxValue, c.whole);
        EXPECT_EQ(g->maxValue, c.whole);
        // Names are judged on the steps with oil only.
        const char* names[BUDGET_SERIES] = {"Evaporated", "Dispersed", "", "", "", "Remaining", "Total"};
        for (int s = 0; s < BUDGET_SERIES; ++s) EXPECT_STREQ(b->names[s], names[s]) << s;
        const char* icsNames[ICS_SERIES] = {"Evaporated", "Natural Disp", "", "", "", "Remaining", "Chemical Disp",
                                            "Total"};
        for (int s = 0; s < ICS_SERIES; ++s) EXPECT_STREQ(ics->names[s], icsNames[s]) << s;
    }
}

TEST(Series, IcsBudgetSeries) {
    auto core = MakeBudgetFixture();
    // Step 1: the chemical part is missing; step 2: the dispersed total.
    core->out[1][OUT_CHEM_DISPERSED + SLOT_BEST] = M;
    core->out[2][OUT_DISPERSED + SLOT_BEST] = M;
    auto d = std::make_unique<SIcsBudgetData>();
    core->GetIcsBudgetSeries(*d, AMOUNT_BBL);
    const double bbl = 0.158987294928;
    EXPECT_STREQ(d->title, "Oil Budget");
    EXPECT_EQ(d->count, 3);
    EXPECT_DOUBLE_EQ(d->series[ICS_EVAPORATED][1], 20 / bbl);
    EXPECT_DOUBLE_EQ(d->series[ICS_CHEMICAL_DISP][0], 2 / bbl);
    EXPECT_DOUBLE_EQ(d->series[ICS_NATURAL_DISP][0], 6 / bbl - 2 / bbl);
    EXPECT_EQ(d->series[ICS_NATURAL_DISP][1], M);
    EXPECT_EQ(d->series[ICS_NATURAL_DISP][2], M);
    EXPECT_DOUBLE_EQ(d->series[ICS_SKIMMED][2], 5 / bbl);
    EXPECT_DOUBLE_EQ(d->series[ICS_REMAINING][0], 84 / bbl);
    EXPECT_DOUBLE_EQ(d->series[ICS_TOTAL][2], 100 / bbl);
    EXPECT_DOUBLE_EQ(d->maxValue, 100 / bbl);
    EXPECT_EQ(d->minValue, 0);
    const char* names[ICS_SERIES] = {"Evaporated", "Natural Disp", "", "Skimmed",
                                     "", "Remaining", "Chemical Disp", "Total"};
    for (int s = 0; s < ICS_SERIES; ++s) EXPECT_STREQ(d->names[s], names[s]) << s;

    // Natural dispersion named on the difference: all chemical, no name.
    for (int i = 0; i < 3; ++i) {
        core->out[i][OUT_DISPERSED + SLOT_BEST] = 4;
        core->out[i][OUT_CHEM_DISPERSED + SLOT_BEST] = 4;
    }
    core->GetIcsBudgetSeries(*d, AMOUNT_BBL);
    EXPECT_EQ(d->names[ICS_NATURAL_DISP][0], '\0');
    EXPECT_STREQ(d->names[ICS_CHEMICAL_DISP], "Chemical Disp");
}

namespace {

std::unique_ptr<CWeatheringCore> MakeTankFixture() {
    auto core = std::make_unique<CWeatheringCore>();
    STankRelease& t = core->tank;
    t.tankSteps = 3;
    const double time[] = {60, 180, 300.4};
    const double rate[] = {0.01, 0.02, 0.005};
    const double level[] = {8, 6, 4};
    const double water[] = {0, 0.5, 1};
    for (int i = 0; i < 3; ++i) {
        t.tankTime[i] = time[i];
        t.tankRate[i] = rate[i];
        t.tankLevel[i] = level[i];
        t.tankWater[i] = water[i];
    }
    t.tankHeight = 10;
    t.holeHeight = 2;
    t.holeDiam = 0.5;
    return core;
}

}  // namespace

TEST(Series, TankReleaseSeries) {
    auto core = MakeTankFixture();
    const double density = 870;
    // Cumulative m3: 60 s x 0.01, then 120 s x 0.02, then 120.4 s x 0.005.
    const double cum[] = {0.6, 0.6 + 2.4, 0.6 + 2.4 + 120.4 * 0.005};
    struct Case {
        int choice;
        const char* label;
        double factor;  // per m3
    };
    const Case cases[] = {
        {1, "bbl", 1 / 0.158987294928}, {2, "gallons", 1 / 0.003785411784}, {3, "m3", 1},
        {4, "tons", density / 907.2},   {5, "tonnes", density / 1000},      {0, "m3", 1},
        {9, "m3", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("choice " + std::to_string(c.choice) + " (" + c.label + ")");
        auto g = std::make_unique<SGraphData>();
        g->series[2][0] = 7;
        g->series[3][0] = 7;
        SGraphData& r = core->GetTankReleaseSeries(*g, c.choice, density);
        EXPECT_EQ(&r, g.get());
        EXPECT_STREQ(g->units, c.label);
        EXPECT_STREQ(g->title, "Oil Released");
        EXPECT_EQ(g->count, 3);
        EXPECT_EQ(g->hours, 301);  // seconds, rounded up
        EXPECT_EQ(g->startMonth, -1);
        EXPECT_EQ(g->startDay, -1);
        EXPECT_EQ(g->startHour, -1);
        EXPECT_DOUBLE_EQ(g->series[0][0], 1);
        EXPECT_DOUBLE_EQ(g->series[0][1], 3);
        EXPECT_DOUBLE_EQ(g->series[0][2], 300.4 / 60);
        for (int i = 0; i < 3; ++i) EXPECT_NEAR(g->series[1][i], cum[i] * c.factor, 1e-12 * c.factor) << i;
        EXPECT_NEAR(g->maxValue, cum[2] * c.factor, 1e-12 * c.factor);
        EXPECT_EQ(g->minValue, 0);
        EXPECT_EQ(g->series[2][0], 7);  // only series 0 and 1 are written
        EXPECT_EQ(g->series[3][0], 7);
    }

    // Tons without a density: the amount is unknown, not -999 x seconds.
    auto g = std::make_unique<SGraphData>();
    core->GetTankReleaseSeries(*g, TANK_UNIT_TONS, M);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(g->series[1][i], M);
    EXPECT_EQ(g->maxValue, M);
}

TEST(Series, TankLevelSeries) {
    auto core = MakeTankFixture();
    struct Case {
        int choice;
        const char* label;
        double div;
    };
    for (const Case& c : {Case{TANK_LEVEL_M, "m", 1}, Case{TANK_LEVEL_FT, "ft", 0.3048}, Case{0, "ft", 0.3048}}) {
        SCOPED_TRACE("choice " + std::to_string(c.choice) + " (" + c.label + ")");
        auto d = std::make_unique<STankLevelData>();
        STankLevelData& r = core->GetTankLevelSeries(*d, c.choice);
        EXPECT_EQ(&r, d.get());
        EXPECT_STREQ(d->units, c.label);
        EXPECT_STREQ(d->title, "Levels Inside Tank");
        EXPECT_EQ(d->count, 3);
        EXPECT_EQ(d->hours, 301);
        EXPECT_EQ(d->startMonth, -1);
        EXPECT_DOUBLE_EQ(d->maxValue, 10 / c.div);
        EXPECT_EQ(d->minValue, 0);
        EXPECT_DOUBLE_EQ(d->holeBottom, 2 / c.div);
        EXPECT_DOUBLE_EQ(d->holeTop, 2.5 / c.div);
        EXPECT_DOUBLE_EQ(d->series[0][1], 3);
        EXPECT_DOUBLE_EQ(d->series[1][2], 4 / c.div);
        EXPECT_DOUBLE_EQ(d->series[2][0], 0);
        EXPECT_DOUBLE_EQ(d->series[2][1], 0.5 / c.div);
    }
}

// No tank computation (tankSteps missing or 0), or more points than the
// tank arrays hold: nothing is read outside the series.
TEST(Series, TankSeriesWithoutPoints) {
    for (int steps : {MISSING_VALUE, 0, -5}) {
        SCOPED_TRACE(steps);
        auto core = std::make_unique<CWeatheringCore>();
        core->tank.tankSteps = steps;
        auto g = std::make_unique<SGraphData>();
        auto d = std::make_unique<STankLevelData>();
        core->GetTankReleaseSeries(*g, TANK_UNIT_BBL, 870);
        core->GetTankLevelSeries(*d, TANK_LEVEL_M);
        EXPECT_EQ(g->count, 0);
        EXPECT_EQ(g->hours, 0);
        EXPECT_EQ(g->maxValue, M);
        EXPECT_EQ(d->count, 0);
        EXPECT_EQ(d->hours, 0);
        // Missing tank dimensions stay missing in feet too.
        core->GetTankLevelSeries(*d, TANK_LEVEL_FT);
        EXPECT_EQ(d->maxValue, M);
        EXPECT_EQ(d->holeBottom, M);
        EXPECT_EQ(d->holeTop, M);
    }
    auto core = MakeTankFixture();
    core->tank.tankSteps = 480;
    for (int i = 3; i < MAX_TANK_STEPS; ++i) {
        core->tank.tankTime[i] = 300.4 + i;
        core->tank.tankRate[i] = 0;
    }
    auto g = std::make_unique<SGraphData>();
    core->GetTankReleaseSeries(*g, TANK_UNIT_CUM, 870);
    EXPECT_EQ(g->count, MAX_TANK_STEPS);
    EXPECT_EQ(g->hours, 300 + MAX_TANK_STEPS);  // ceil(300.4 + 199)

    // A pinhole drains for longer than an int of seconds: the duration is
    // capped instead of wrapping round to a negative number.
    core->tank.tankSteps = 3;
    core->tank.tankTime[2] = 1e12;
    auto d = std::make_unique<STankLevelData>();
    core->GetTankReleaseSeries(*g, TANK_UNIT_CUM, 870);
    core->GetTankLevelSeries(*d, TANK_LEVEL_M);
    EXPECT_EQ(g->hours, std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(d->hours, std::numeric_limits<std::int32_t>::max());
}

TEST(Series, LabelsAreCutAndTerminated) {
    char label[SERIES_LABEL_LENGTH];
    std::memset(label, 'x', sizeof label);
    const std::string longText(50, 'a');
    CopySeriesLabel(label, longText.c_str());
    EXPECT_EQ(std::strlen(label), size_t(SERIES_LABEL_LENGTH - 1));
    CopySeriesLabel(label, "Total");
    EXPECT_STREQ(label, "Total");
    EXPECT_EQ(label[SERIES_LABEL_LENGTH - 1], '\0');
}

// A real solved run with uncertainty (every response on, so every fate has
// oil): the budget's fates add up to the total in percent, the ICS split
// of the dispersed oil adds up, and every graph reads the step records of
// the run in its own slots.
TEST(Series, SolvedRunEndToEnd) {
    tavro_test::TempOutputFolder folder;
    tavro_test::SolveScenario s = tavro_test::SolveScenarioLibrary()[5];  // all responses, 12 hours
    s.windUnc = 2.0;
    s.volUnc = 20.0;
    auto core = std::make_unique<CWeatheringCore>();
    folder.Use(*core);
    platform::RecordingMessages rec;
    core->SetMessages(&rec);
    ASSERT_EQ(tavro_test::RunSolveScenario(*core, s, 11, false), 0);
    const CWeatheringCore& c = *core;
    ASSERT_GT(c.nSteps, 0);
    ASSERT_LE(c.nSteps, SERIES_LENGTH);
    auto known = [](double v) { return v == M ? 0.0 : v; };

    auto b = std::make_unique<SBudgetData>();
    c.GetBudgetSeries(*b, AMOUNT_PERCENT);
    EXPECT_EQ(b->count, c.nSteps);
    EXPECT_EQ(b->hours, s.hours);
    for (int i = 0; i < b->count; ++i) {
        ASSERT_GT(c.out[i][OUT_SPILLED + SLOT_BEST], 0) << i;
        EXPECT_EQ(b->series[BUDGET_TOTAL][i], 100) << i;
        double sum = 0;
        for (int k = 0; k < BUDGET_TOTAL; ++k) sum += known(b->series[k][i]);
        EXPECT_NEAR(sum, 100, 1e-9) << "step " << i;
    }
    EXPECT_EQ(b->maxValue, 100);
    for (int k = 0; k < BUDGET_SERIES; ++k) EXPECT_NE(b->names[k][0], '\0') << k;

    // In cu m the budget is the best values of the run itself.
    c.GetBudgetSeries(*b, AMOUNT_CUM);
    const int last = c.nSteps - 1;
    EXPECT_EQ(b->series[BUDGET_REMAINING][last], c.out[last][OUT_REMAINING + SLOT_BEST]);
    EXPECT_EQ(b->series[BUDGET_BEACHED][last], c.out[last][OUT_BEACHED + SLOT_BEST]);
    EXPECT_EQ(b->maxValue, c.out[last][OUT_SPILLED + SLOT_BEST]);

    // ICS in bbl: natural and chemical dispersion make up the dispersed oil,
    // and the six fates with natural dispersion make up the total.
    auto d = std::make_unique<SIcsBudgetData>();
    c.GetIcsBudgetSeries(*d, AMOUNT_BBL);
    for (int i = 0; i < d->count; ++i) {
        const double total = d->series[ICS_TOTAL][i];
        const double tol = 1e-9 * total;
        if (d->series[ICS_NATURAL_DISP][i] != M) {
            EXPECT_NEAR(d->series[ICS_NATURAL_DISP][i] + d->series[ICS_CHEMICAL_DISP][i],
                        c.out[i][OUT_DISPERSED + SLOT_BEST] / 0.158987294928, tol)
                << i;
        }
        double sum = 0;
        for (int k : {ICS_EVAPORATED, ICS_NATURAL_DISP, ICS_CHEMICAL_DISP, ICS_BURNED, ICS_SKIMMED, ICS_BEACHED,
                      ICS_REMAINING})
            sum += known(d->series[k][i]);
        EXPECT_NEAR(sum, total, tol) << "step " << i;
    }

    // Graphs in the model's own units: series 0 low, 1 best, 3 high of each
    // group; 2 the second best of the property groups.
    struct Case {
        int kind, at, unit;
        double scale;
        bool quadruple;
    };
    const Case cases[] = {
        {OUTPUT_BENZENE, OUT_BENZENE, 0, 1, true},         {OUTPUT_DENSITY, OUT_DENSITY, DENSITY_KGM3, 1, true},
        {OUTPUT_VISCOSITY, OUT_VISCOSITY, VISC_CST, 1e6, true}, {OUTPUT_WATER_CONTENT, OUT_WATER, WATER_FRACTION, 1, true},
        {OUTPUT_REMAINING, OUT_REMAINING, AMOUNT_CUM, 1, false}, {OUTPUT_EVAPORATED, OUT_EVAPORATED, AMOUNT_CUM, 1, false},
        {OUTPUT_DISPERSED, OUT_DISPERSED, AMOUNT_CUM, 1, false}, {OUTPUT_BURNED, OUT_BURNED, AMOUNT_CUM, 1, false},
        {OUTPUT_SKIMMED, OUT_SKIMMED, AMOUNT_CUM, 1, false},     {OUTPUT_BEACHED, OUT_BEACHED, AMOUNT_CUM, 1, false},
    };
    auto g = std::make_unique<SGraphData>();
    bool banded = false;
    for (const Case& k : cases) {
        SCOPED_TRACE(KindName(k.kind));
        c.GetGraphSeries(*g, k.kind, k.unit);
        EXPECT_EQ(g->count, c.nSteps);
        EXPECT_EQ(g->hours, s.hours);
        double top = M;
        for (int i = 0; i < g->count; ++i) {
            const SStepOutput& o = c.out[i];
            const double raw[4] = {o[k.at + SLOT_LOW], o[k.at + SLOT_BEST], k.quadruple ? o[k.at + SLOT_BEST2] : M,
                                   o[k.at + SLOT_HIGH]};
            for (int j = 0; j < 4; ++j) {
                const double want = raw[j] == M ? M : raw[j] * k.scale;
                EXPECT_DOUBLE_EQ(g->series[j][i], want) << "series " << j << " step " << i;
                if (want != M) top = std::max(top, want);
            }
            if (g->series[GRAPH_HIGH][i] > g->series[GRAPH_LOW][i]) banded = true;
        }
        if (k.kind >= OUTPUT_REMAINING) {
            EXPECT_EQ(g->maxValue, top);
            EXPECT_EQ(g->minValue, 0);
        } else if (k.kind == OUTPUT_BENZENE || k.kind == OUTPUT_VISCOSITY) {
            EXPECT_EQ(g->maxValue, top);
        }
    }
    EXPECT_TRUE(banded);  // the uncertainty really widened some band

    // The remaining-oil graph in percent says what the budget says.
    c.GetGraphSeries(*g, OUTPUT_REMAINING, AMOUNT_PERCENT);
    c.GetBudgetSeries(*b, AMOUNT_PERCENT);
    for (int i = 0; i < g->count; ++i) EXPECT_EQ(g->series[GRAPH_BEST][i], b->series[BUDGET_REMAINING][i]) << i;
    EXPECT_EQ(g->maxValue, 100);
}
