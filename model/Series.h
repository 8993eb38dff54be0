// The ready-to-draw series records that every graph, table and tank page
// asks the model for at each redraw. Fixed arrays only: the records are
// meant to live on the caller's stack or as a member.
#pragma once

#include <cstdint>

#include "model/Constants.h"

namespace model {

// Series selector of CWeatheringCore::GetGraphSeries. The graph views use
// 0-4 and 6-10; 11 and 12 fill real series under "Unknown Output".
enum EOutputKind : int {
    OUTPUT_BENZENE = 0,
    OUTPUT_DENSITY = 1,
    OUTPUT_VISCOSITY = 2,
    OUTPUT_WATER_CONTENT = 3,
    OUTPUT_REMAINING = 4,
    OUTPUT_EMULSIFIED = 5,
    OUTPUT_EVAPORATED = 6,
    OUTPUT_DISPERSED = 7,
    OUTPUT_BURNED = 8,
    OUTPUT_SKIMMED = 9,
    OUTPUT_BEACHED = 10,
    OUTPUT_CHEM_DISPERSED = 11,
    OUTPUT_SPILLED = 12,
    OUTPUT_KIND_COUNT = 13,
};

// Series of an SGraphData filled by GetGraphSeries.
enum EGraphSeries : int { GRAPH_LOW = 0, GRAPH_BEST = 1, GRAPH_BEST2 = 2, GRAPH_HIGH = 3, GRAPH_SERIES = 4 };

// Series of the oil budget record.
enum EBudgetSeries : int {
    BUDGET_EVAPORATED = 0,
    BUDGET_DISPERSED = 1,
    BUDGET_BURNED = 2,
    BUDGET_SKIMMED = 3,
    BUDGET_BEACHED = 4,
    BUDGET_REMAINING = 5,
    BUDGET_TOTAL = 6,
    BUDGET_SERIES = 7,
};

// Series of the ICS record.
enum EIcsSeries : int {
    ICS_EVAPORATED = 0,
    ICS_NATURAL_DISP = 1,
    ICS_BURNED = 2,
    ICS_SKIMMED = 3,
    ICS_BEACHED = 4,
    ICS_REMAINING = 5,
    ICS_CHEMICAL_DISP = 6,
    ICS_TOTAL = 7,
    ICS_SERIES = 8,
};

// Series of the leaking-tank records: 0 is the time in minutes.
enum ETankSeries : int {
    TANK_MINUTES = 0,
    TANK_RELEASED = 1,     // release record: cumulative amount released
    TANK_OIL_LEVEL = 1,    // level record: oil level inside the tank
    TANK_WATER_LEVEL = 2,  // level record: water level inside the tank
    TANK_LEVEL_SERIES = 3,
};

// Unit choices of GetTankReleaseSeries (the leaking-tank page's list index + 1).
enum ETankReleaseUnit : int {
    TANK_UNIT_BBL = 1, TANK_UNIT_GAL = 2, TANK_UNIT_CUM = 3, TANK_UNIT_TONS = 4, TANK_UNIT_TONNES = 5,
};
// Unit choices of GetTankLevelSeries (the tank input's height unit).
enum ETankLevelUnit : int { TANK_LEVEL_M = 1, TANK_LEVEL_FT = 2 };

// The head shared by every series record.
struct SSeriesHead {
    char title[SERIES_LABEL_LENGTH] = {};
    char units[SERIES_LABEL_LENGTH] = {};
    std::int32_t startMonth = 0;  // 1-12; -1 in the tank records
    std::int32_t startDay = 0;    // -1 in the tank records
    std::int32_t startHour = 0;   // 0-23; -1 in the tank records
    // Model series: whole hours simulated. Tank series: the release
    // duration in whole SECONDS.
    std::int32_t hours = 0;
    std::int32_t count = 0;       // valid points, 0..SERIES_LENGTH
    double maxValue = 0;          // axis top
    double minValue = 0;          // axis bottom
};

// One graph: series 0 low, 1 best, 2 second best, 3 high. With no valid
// value maxValue can stay below minValue; drawing code must check.
struct SGraphData : SSeriesHead {
    double series[GRAPH_SERIES][SERIES_LENGTH] = {};
};

// Oil budget graph and table. A name whose first byte is 0 marks a fate
// that stayed at 0 for the whole run; "Total" is always named.
struct SBudgetData : SSeriesHead {
    double series[BUDGET_SERIES][SERIES_LENGTH] = {};
    char names[BUDGET_SERIES][SERIES_LABEL_LENGTH] = {};
};

// ICS table: natural and chemical dispersion apart.
struct SIcsBudgetData : SSeriesHead {
    double series[ICS_SERIES][SERIES_LENGTH] = {};
    char names[ICS_SERIES][SERIES_LABEL_LENGTH] = {};
};

// Levels inside the leaking tank.
struct STankLevelData : SSeriesHead {
    double holeBottom = 0;
    double holeTop = 0;
    double series[TANK_LEVEL_SERIES][SERIES_LENGTH] = {};
};

// Copies text into a label, cut to fit and always NUL-terminated.
void CopySeriesLabel(char (&dst)[SERIES_LABEL_LENGTH], const char* text);

}  // namespace model
