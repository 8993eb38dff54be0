// Evaporation of one element along the evaporation table: the step's
// mass-transfer coefficient, the sub-step length chosen from the current
// rate, and the mini-steps that advance the element's exposure.
#include <algorithm>
#include <cmath>

#include "model/WeatheringCore.h"

namespace model {

double CWeatheringCore::EvaporationMassTransfer(double wind, double coef, double slickArea) {
    return coef * std::pow(wind, kEvapWindExponent) / std::pow(std::sqrt(slickArea), kEvapAreaExponent);
}

int CWeatheringCore::EvapRow(const SEvapTableRow* table, int rows, double evex) {
    if (rows <= 1) return 0;
    // The rows increase in evex, so the first row at or above evex is a
    // lower bound; an exposure beyond the table stays on the last row.
    const SEvapTableRow* last = table + (rows - 1);
    const SEvapTableRow* it = std::lower_bound(
        table, last, evex, [](const SEvapTableRow& r, double x) { return x > r.evex; });
    return static_cast<int>(it - table);
}

int CWeatheringCore::EvapSubStep(const SEvapTableRow& row, double K, double Y, double thick, int dt) {
    const double x = row.rateFactor * (1.0 - Y) * K / thick;
    if (x > kEvapRateFast) return dt / 20;
    if (x > kEvapRateMedium) return dt / 10;
    if (x > kEvapRateSlow) return dt / 6;
    return dt / 4;
}

double CWeatheringCore::Evaporate(double K, double Y, double thick, const SEvapTableRow* table, int rows,
                                  int& row, double miniDt, SLERecord& e, bool advanceRow, SEvapCache* cache) {
    if (advanceRow && row < rows - 1 && e.evex > table[row].evex) {
        // Usually a few rows; a long way by bisection (the rows increase,
        // so the row found is the one a row-by-row scan would reach).
        int steps = 0;
        do {
            ++row;
        } while (++steps < 4 && row < rows - 1 && e.evex > table[row].evex);
        if (row < rows - 1 && e.evex > table[row].evex) row += EvapRow(table + row, rows - row, e.evex);
    }
    e.f_evap = std::clamp(table[row].f_evap, 0.0, 1.0);
    const double l = (1.0 - Y) * K / thick;
    e.evex += l * miniDt;
    // Within one element's step l and miniDt are fixed: the loss factor
    // changes only with the row.
    if (cache && cache->row == row) return e.Vol * cache->loss;
    const double loss = 1.0 - std::exp(-miniDt * l * table[row].rateFactor);
    if (cache) {
        cache->row = row;
        cache->loss = loss;
    }
    return e.Vol * loss;
}

double CWeatheringCore::EvaporateMiniSteps(double K, double Y, double thick, const SEvapTableRow* table, int rows,
                                           int& row, double miniDt, SLERecord& e, bool advanceRow, SEvapCache* cache) {
    double evaporated = 0.0;
    for (int m = 0; m < kMiniSteps; ++m)
        evaporated += Evaporate(K, Y, thick, table, rows, row, miniDt, e, advanceRow, cache);
    return evaporated;
}

}  // namespace model
