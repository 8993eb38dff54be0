#include "model/Series.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <limits>

#include "model/UnitConversion.h"
#include "model/WeatheringCore.h"

namespace model {

namespace {

constexpr double M = MISSING_VALUE_D;

enum class EConvert { Concentration, Density, Viscosity, WaterContent, Amount };
enum class EAxisRule { None, Density, WaterContent, Amount };

// Step-output slot read into graph series 0-3 (low, best, second best,
// high); -1 where the group has no such value.
using SlotOrder = std::array<int, GRAPH_SERIES>;
// Property groups are stored (high, low, best, best).
constexpr SlotOrder kQuadruple = {SLOT_LOW, SLOT_BEST, SLOT_BEST2, SLOT_HIGH};
// Amount groups are stored (high, low, best).
constexpr SlotOrder kTriple = {SLOT_LOW, SLOT_BEST, -1, SLOT_HIGH};

struct SKindInfo {
    EOutputKind kind;
    int offset;  // first value of the group in SStepOutput
    SlotOrder slots;
    EConvert convert;
    EAxisRule axis;
    const char* title;
};

// Where every output kind lives in a step record, and how it is drawn.
// Every getter reads the step records through this table.
constexpr SKindInfo kKinds[OUTPUT_KIND_COUNT] = {
    {OUTPUT_BENZENE, OUT_BENZENE, kQuadruple, EConvert::Concentration, EAxisRule::None,
     "Airborne Benzene Concentration"},
    {OUTPUT_DENSITY, OUT_DENSITY, kQuadruple, EConvert::Density, EAxisRule::Density, "Oil Density"},
    {OUTPUT_VISCOSITY, OUT_VISCOSITY, kQuadruple, EConvert::Viscosity, EAxisRule::None, "Oil Viscosity"},
    {OUTPUT_WATER_CONTENT, OUT_WATER, kQuadruple, EConvert::WaterContent, EAxisRule::WaterContent,
     "Water Content in Oil"},
    {OUTPUT_REMAINING, OUT_REMAINING, kTriple, EConvert::Amount, EAxisRule::Amount, "Oil Remaining"},
    {OUTPUT_EMULSIFIED, OUT_EMULSIFIED, kTriple, EConvert::Amount, EAxisRule::Amount, "Oil Emulsified"},
    {OUTPUT_EVAPORATED, OUT_EVAPORATED, kTriple, EConvert::Amount, EAxisRule::Amount, "Oil Evaporated"},
    {OUTPUT_DISPERSED, OUT_DISPERSED, kTriple, EConvert::Amount, EAxisRule::Amount, "Oil Dispersed"},
    {OUTPUT_BURNED, OUT_BURNED, kTriple, EConvert::Amount, EAxisRule::Amount, "Oil Burned"},
    {OUTPUT_SKIMMED, OUT_SKIMMED, kTriple, EConvert::Amount, EAxisRule::Amount, "Oil Skimmed"},
    {OUTPUT_BEACHED, OUT_BEACHED, kTriple, EConvert::Amount, EAxisRule::Amount, "Oil Beached"},
    {OUTPUT_CHEM_DISPERSED, OUT_CHEM_DISPERSED, kTriple, EConvert::Amount, EAxisRule::None,
     "Unknown Output"},
    {OUTPUT_SPILLED, OUT_SPILLED, kTriple, EConvert::Amount, EAxisRule::None, "Unknown Output"},
};

constexpr bool TableInKindOrder() {
    for (int k = 0; k < OUTPUT_KIND_COUNT; ++k)
        if (kKinds[k].kind != k) return false;
    return true;
}
static_assert(TableInKindOrder(), "the kind table must be indexed by EOutputKind");

constexpr const char* kUnknownTitle = "Unknown Output";
constexpr const char* kBudgetTitle = "Oil Budget";
constexpr const char* kTankReleaseTitle = "Oil Released";
constexpr const char* kTankLevelTitle = "Levels Inside Tank";

constexpr const char* kBudgetNames[BUDGET_SERIES] = {"Evaporated", "Dispersed", "Burned", "Skimmed",
                                                     "Beached", "Remaining", "Total"};
constexpr const char* kIcsNames[ICS_SERIES] = {"Evaporated", "Natural Disp", "Burned", "Skimmed",
                                               "Beached", "Remaining", "Chemical Disp", "Total"};

// The fates of the budget record, in series order (Total is the spilled amount).
constexpr EOutputKind kBudgetKinds[BUDGET_SERIES] = {
    OUTPUT_EVAPORATED, OUTPUT_DISPERSED, OUTPUT_BURNED, OUTPUT_SKIMMED,
    OUTPUT_BEACHED, OUTPUT_REMAINING, OUTPUT_SPILLED};
// The same for the ICS record; natural dispersion is read as the total
// dispersed, from which the chemical part is taken.
constexpr EOutputKind kIcsKinds[ICS_SERIES] = {
    OUTPUT_EVAPORATED, OUTPUT_DISPERSED, OUTPUT_BURNED, OUTPUT_SKIMMED,
    OUTPUT_BEACHED, OUTPUT_REMAINING, OUTPUT_CHEM_DISPERSED, OUTPUT_SPILLED};

// A value of a step through the kind table.
double StepValue(const SStepOutput& step, EOutputKind kind, int slot) {
    return step[kKinds[kind].offset + slot];
}

// Valid points of the model series: the steps run, 0 before any run.
int ModelCount(int nSteps) { return std::clamp(nSteps, 0, std::min(SERIES_LENGTH, MAX_STEPS)); }

int ModelHours(int nSteps, int stepsPerHour) {
    if (stepsPerHour <= 0 || nSteps <= 0) return 0;
    return nSteps / stepsPerHour;
}

// Valid points of the tank series: never past the tank arrays.
int TankCount(int tankSteps) { return std::clamp(tankSteps, 0, std::min(SERIES_LENGTH, MAX_TANK_STEPS)); }

// Whole seconds of the last tank time point; 0 with no point.
std::int32_t TankSeconds(const double* tankTime, int count) {
    if (count <= 0) return 0;
    double last = tankTime[count - 1];
    if (!(last > 0)) return 0;
    // A tiny opening can drain for longer than an int holds: cap it.
    const double seconds = std::ceil(last);
    constexpr auto kMax = std::numeric_limits<std::int32_t>::max();
    return seconds < static_cast<double>(kMax) ? static_cast<std::int32_t>(seconds) : kMax;
}

void Track(double v, double& maxValue, double& minValue) {
    if (v == M) return;
    if (v > maxValue) maxValue = v;
    if (v < minValue) minValue = v;
}

}  // namespace

void CopySeriesLabel(char (&dst)[SERIES_LABEL_LENGTH], const char* text) {
    std::memset(dst, 0, sizeof dst);
    if (!text) return;
    std::strncpy(dst, text, SERIES_LABEL_LENGTH - 1);
}

void CWeatheringCore::GetGraphSeries(SGraphData& data, int kind, int unit) const {
    data.maxValue = M;
    data.minValue = kSeriesMinStartGraph;
    data.hours = ModelHours(nSteps, stepsPerHour);
    data.count = ModelCount(nSteps);

    const bool known = kind >= 0 && kind < OUTPUT_KIND_COUNT;
    for (int i = 0; i < data.count; ++i) {
        const SStepOutput& step = out[i];
        double v[GRAPH_SERIES] = {M, M, M, M};
        if (known) {
            const SKindInfo& info = kKinds[kind];
            for (int s = 0; s < GRAPH_SERIES; ++s) {
                const int slot = info.slots[s];
                if (slot < 0) continue;
                const double value = step[info.offset + slot];
                switch (info.convert) {
                    case EConvert::Concentration: v[s] = ConvertConcentrationOut(unit, value); break;
                    case EConvert::Density: v[s] = ConvertDensityOut(unit, value); break;
                    case EConvert::Viscosity: v[s] = ConvertViscosityOut(unit, value, rho, waterTemp); break;
                    case EConvert::WaterContent: v[s] = ConvertWaterContentOut(unit, value); break;
                    case EConvert::Amount:
                        // Each band against the spilled amount of the same band.
                        v[s] = ConvertAmountOut(unit, value, StepValue(step, OUTPUT_SPILLED, slot), rho);
                        break;
                }
            }
        }
        for (int s = 0; s < GRAPH_SERIES; ++s) {
            data.series[s][i] = v[s];
            Track(v[s], data.maxValue, data.minValue);
        }
    }

    CopySeriesLabel(data.title, known ? kKinds[kind].title : kUnknownTitle);
    switch (known ? kKinds[kind].axis : EAxisRule::None) {
        case EAxisRule::None: break;
        case EAxisRule::Density:
            if (data.minValue > 0) data.minValue = ConvertDensityOut(unit, kSeriesDensityAxisLow);
            if (data.maxValue > 0) data.maxValue = ConvertDensityOut(unit, kSeriesDensityAxisHigh);
            break;
        case EAxisRule::WaterContent:
            if (data.minValue > 0) data.minValue = 0;
            if (data.maxValue > 0) data.maxValue = ConvertWaterContentOut(unit, 1.0);
            break;
        case EAxisRule::Amount:
            if (data.minValue > 0) data.minValue = 0;
            if (data.maxValue > 0 && unit == AMOUNT_FRACTION) data.maxValue = 1;
            else if (data.maxValue > 0 && unit == AMOUNT_PERCENT) data.maxValue = 100;
            break;
    }
}

void CWeatheringCore::GetBudgetSeries(SBudgetData& data, int unit) const {
    data.maxValue = M;
    data.minValue = 0;
    data.hours = ModelHours(nSteps, stepsPerHour);
    data.count = ModelCount(nSteps);
    // Tons through the oil's first density point, not the density at the
    // water temperature.
    const double density = densityPts[0].value;

    double largest[BUDGET_SERIES] = {};
    for (int i = 0; i < data.count; ++i) {
        const SStepOutput& step = out[i];
        const double spilled = StepValue(step, OUTPUT_SPILLED, SLOT_BEST);
        for (int s = 0; s < BUDGET_SERIES; ++s) {
            const double amount = StepValue(step, kBudgetKinds[s], SLOT_BEST);
            const double v = ConvertAmountOut(unit, amount, spilled, density);
            data.series[s][i] = v;
            // A fate is named by the steps where it holds oil.
            if (amount > 0 && v > largest[s]) largest[s] = v;
        }
        if (data.series[BUDGET_TOTAL][i] > data.maxValue) data.maxValue = data.series[BUDGET_TOTAL][i];
    }

    CopySeriesLabel(data.title, kBudgetTitle);
    for (int s = 0; s < BUDGET_SERIES; ++s)
        CopySeriesLabel(data.names[s], (s == BUDGET_TOTAL || largest[s] > 0) ? kBudgetNames[s] : "");
}

void CWeatheringCore::GetIcsBudgetSeries(SIcsBudgetData& data, int unit) const {
    data.maxValue = M;
    data.minValue = 0;
    data.hours = ModelHours(nSteps, stepsPerHour);
    data.count = ModelCount(nSteps);
    const double density = densityPts[0].value;

    double largest[ICS_SERIES] = {};
    for (int i = 0; i < data.count; ++i) {
        const SStepOutput& step = out[i];
        const double spilled = StepValue(step, OUTPUT_SPILLED, SLOT_BEST);
        // The amount behind each series, to judge its name as the budget does.
        double amount[ICS_SERIES];
        double v[ICS_SERIES];
        for (int s = 0; s < ICS_SERIES; ++s) {
            amount[s] = StepValue(step, kIcsKinds[s], SLOT_BEST);
            v[s] = ConvertAmountOut(unit, amount[s], spilled, density);
        }
        // Natural dispersion is what the chemical part leaves of the total
        // dispersed; missing when either is missing.
        const double dispersed = v[ICS_NATURAL_DISP];
        v[ICS_NATURAL_DISP] = (dispersed == M || v[ICS_CHEMICAL_DISP] == M) ? M : dispersed - v[ICS_CHEMICAL_DISP];
        for (int s = 0; s < ICS_SERIES; ++s) {
            data.series[s][i] = v[s];
            if (amount[s] > 0 && v[s] > largest[s]) largest[s] = v[s];
        }
        if (v[ICS_TOTAL] > data.maxValue) data.maxValue = v[ICS_TOTAL];
    }

    CopySeriesLabel(data.title, kBudgetTitle);
    for (int s = 0; s < ICS_SERIES; ++s)
        CopySeriesLabel(data.names[s], (s == ICS_TOTAL || largest[s] > 0) ? kIcsNames[s] : "");
}

SGraphData& CWeatheringCore::GetTankReleaseSeries(SGraphData& data, int unitChoice, double oilDensity) const {
    int unit = AMOUNT_CUM;
    const char* label = "m3";
    switch (unitChoice) {
        case TANK_UNIT_BBL: unit = AMOUNT_BBL; label = "bbl"; break;
        case TANK_UNIT_GAL: unit = AMOUNT_GAL; label = "gallons"; break;
        case TANK_UNIT_TONS: unit = AMOUNT_TONS; label = "tons"; break;
        case TANK_UNIT_TONNES: unit = AMOUNT_TONNES; label = "tonnes"; break;
        default: break;
    }
    CopySeriesLabel(data.units, label);
    data.maxValue = M;
    data.minValue = 0;
    data.count = TankCount(tank.tankSteps);

    double sum = 0;
    double previous = 0;
    for (int i = 0; i < data.count; ++i) {
        const double t = tank.tankTime[i];
        data.series[TANK_MINUTES][i] = t / kPerMinute;
        const double rate = ConvertAmountOut(unit, tank.tankRate[i], 1, oilDensity);
        // A refused rate (missing, or tons without a density) leaves the
        // cumulative amount unknown from here on.
        if (sum == M || rate == M) sum = M;
        else sum += (t - previous) * rate;
        previous = t;
        data.series[TANK_RELEASED][i] = sum;
        if (sum != M && sum > data.maxValue) data.maxValue = sum;
    }

    data.hours = TankSeconds(tank.tankTime, data.count);
    CopySeriesLabel(data.title, kTankReleaseTitle);
    data.startMonth = data.startDay = data.startHour = -1;
    return data;
}

STankLevelData& CWeatheringCore::GetTankLevelSeries(STankLevelData& data, int unitChoice) const {
    const bool metres = unitChoice == TANK_LEVEL_M;
    const double divisor = metres ? 1.0 : kSeriesFeetToMetres;
    CopySeriesLabel(data.units, metres ? "m" : "ft");
    // Missing heights stay missing instead of becoming -999 / 0.3048.
    auto scaled = [divisor](double v) { return v == M ? M : v / divisor; };

    const STankRelease& t = tank;
    data.maxValue = scaled(t.tankHeight);
    data.minValue = 0;
    data.holeBottom = scaled(t.holeHeight);
    data.holeTop = (t.holeHeight == M || t.holeDiam == M) ? M : (t.holeHeight + t.holeDiam) / divisor;
    data.count = TankCount(t.tankSteps);
    for (int i = 0; i < data.count; ++i) {
        data.series[TANK_MINUTES][i] = t.tankTime[i] / kPerMinute;
        data.series[TANK_OIL_LEVEL][i] = scaled(t.tankLevel[i]);
        data.series[TANK_WATER_LEVEL][i] = scaled(t.tankWater[i]);
    }

    data.hours = TankSeconds(t.tankTime, data.count);
    CopySeriesLabel(data.title, kTankLevelTitle);
    data.startMonth = data.startDay = data.startHour = -1;
    return data;
}

}  // namespace model
