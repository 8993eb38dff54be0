// Oil leaving a holed tank through one opening: a vented tank draining
// above the outside water, or an opening at or below the waterline where
// oil flows out while water flows in.
#include <algorithm>
#include <climits>
#include <cmath>

#include "model/WeatheringCore.h"

namespace model {

namespace {

bool Positive(double v) { return v > 0 && std::isfinite(v); }

}  // namespace

void CWeatheringCore::BinTankHourly(const double* times, const double* rates, int n, double out[MAX_HOURS]) {
    std::fill(out, out + MAX_HOURS, 0.0);
    const double end = MAX_HOURS * kTankBinSeconds;
    double previous = 0;
    for (int i = 0; i < n; ++i) {
        const double time = times[i];
        const double rate = rates[i];
        if (!std::isfinite(time) || !std::isfinite(rate)) break;
        // Each interval is spread over every hour it crosses, so the oil
        // of a long interval is neither lost nor piled into one hour.
        const double from = std::max(previous, 0.0);
        const double to = std::min(time, end);
        if (to > from && rate > 0) {
            for (int j = int(from / kTankBinSeconds); j < MAX_HOURS; ++j) {
                const double lo = std::max(from, j * kTankBinSeconds);
                const double hi = std::min(to, (j + 1) * kTankBinSeconds);
                if (hi <= lo) break;
                out[j] += rate * (hi - lo);
            }
        }
        if (time > previous) previous = time;
        if (previous >= end) break;
    }
}

int CWeatheringCore::ComputeTankRelease(double hourly[MAX_HOURS], double rhoWater, double rhoOil) {
    tank.tankSteps = 0;
    tank.tankDuration = 0;
    std::fill(tank.tankWater, tank.tankWater + MAX_TANK_STEPS, 0.0);
    std::fill(tank.tankLevel, tank.tankLevel + MAX_TANK_STEPS, 0.0);
    std::fill(tank.tankRate, tank.tankRate + MAX_TANK_STEPS, 0.0);
    std::fill(tank.tankTime, tank.tankTime + MAX_TANK_STEPS, 0.0);
    std::fill(hourly, hourly + MAX_HOURS, 0.0);

    // A density that is missing (or no density at all: zero, not a number)
    // takes the default.
    if (!Positive(rhoWater)) rhoWater = SeaWaterDensity(-1, -1);
    if (!Positive(rhoOil)) rhoOil = OilDensityAtTemperature(-1, -1, -1, -1);

    // Without a usable opening and tank there is no outflow.
    const bool usable = Positive(tank.holeArea) && Positive(tank.Cd) && Positive(tank.bottomArea) &&
                        std::isfinite(tank.oilLevel) && std::isfinite(tank.holeHeight) && std::isfinite(tank.waterHeight);
    if (usable) {
        if (tank.holeHeight <= tank.waterHeight) {
            LeakBelowWaterline(rhoWater, rhoOil);
        } else if (tank.holeHeight < tank.oilLevel) {
            if (tank.vent != 0)
                DrainVentedTank();
            else
                Messages().Show("Leaking Tank: air ingestion not yet supported.");
        }
    }

    const int n = std::clamp(tank.tankSteps, 0, MAX_TANK_STEPS);
    tank.tankSteps = n;
    BinTankHourly(tank.tankTime, tank.tankRate, n, hourly);
    if (n > 0) {
        const double last = std::ceil(tank.tankTime[n - 1]);
        tank.tankDuration = last > 0 ? (last < double(INT_MAX) ? int(last) : INT_MAX) : 0;
    }
    return tank.tankDuration;
}

void CWeatheringCore::DrainVentedTank() {
    tank.tankSteps = 0;
    const double outflowArea = tank.holeArea * tank.Cd;
    const double u0 = std::sqrt(kTankTwoG * (tank.oilLevel - tank.holeHeight));
    const double drainTime = u0 * tank.bottomArea / (outflowArea * kGravity);
    const double step = drainTime / MAX_TANK_STEPS;
    if (!Positive(step)) return;
    double level = tank.oilLevel;
    int i = 0;
    // Level and rate are those at the start of each step, the time that of
    // its end.
    for (; i < MAX_TANK_STEPS && level > tank.holeHeight; ++i) {
        tank.tankLevel[i] = level;
        tank.tankRate[i] = std::sqrt(kTankTwoG * (level - tank.holeHeight)) * outflowArea;
        tank.tankTime[i] = (i + 1) * step;
        level -= step * tank.tankRate[i] / tank.bottomArea;
    }
    tank.tankSteps = i;
}

void CWeatheringCore::LeakBelowWaterline(double rhoWater, double rhoOil) {
    tank.tankSteps = 0;
    if (!Positive(rhoWater) || !Positive(rhoOil)) return;
    if (rhoWater <= rhoOil) {
        Messages().Show("Leaking Tank: Oil Sinks");
        return;
    }
    if (!Positive(tank.holeDiam) || !Positive(tank.holeArea) || !Positive(tank.Cd) || !Positive(tank.bottomArea))
        return;
    const double rw = rhoWater, ro = rhoOil;
    // Buoyancy of the oil against the water, of the water against the oil.
    const double oilBuoyancy = (rw - ro) / ro;
    const double waterBuoyancy = (rw - ro) / rw;
    const double densityRatioRoot = std::cbrt(rw / ro);
    const double bottomArea = tank.bottomArea, holeArea = tank.holeArea, Cd2g = tank.Cd * tank.Cd * kGravity;

    tank.tankTime[0] = 0;
    tank.tankLevel[0] = tank.oilLevel;
    tank.tankWater[0] = 0;
    tank.tankRate[0] = 0;

    // Level at which the oil column balances the outside water.
    const double balanceLevel = (rw * tank.waterHeight - ro * tank.oilLevel) / (rw - ro);
    const double levelStep = (tank.holeHeight - balanceLevel) / kTankPhaseOneSteps;
    const double top = tank.holeHeight + tank.holeDiam;
    double level = balanceLevel + levelStep;
    int i = 1;
    // Phase 1: oil flows out through the whole opening. The head term is
    // Cd^2 g (top - level) oilBuoyancy, without the factor 2 of the vented
    // drain; the time below is the exact integral of this rate.
    if (levelStep > 0) {
        for (; i < MAX_TANK_STEPS && tank.holeHeight >= level; ++i) {
            tank.tankRate[i] = holeArea * std::sqrt(Cd2g * (top - level) * oilBuoyancy);
            tank.tankTime[i] = bottomArea / holeArea * std::sqrt(oilBuoyancy / Cd2g) *
                               (2 * std::sqrt(top - balanceLevel) - 2 * std::sqrt(top - level));
            tank.tankLevel[i] =
                tank.tankLevel[i - 1] - tank.tankRate[i] / bottomArea * (tank.tankTime[i] - tank.tankTime[i - 1]);
            tank.tankWater[i] = 0;
            level += levelStep;
        }
    }
    // Phase 2: oil out through the top of the opening, water in through its
    // bottom, until the water inside reaches the top of the opening.
    if (level < top && i < MAX_TANK_STEPS) {
        // Height inside the opening where the outflow and the inflow meet.
        const double meet = (tank.holeHeight + top * densityRatioRoot) / (densityRatioRoot + 1);
        const double flowFactor = holeArea * std::sqrt(Cd2g) / tank.holeDiam;
        tank.tankRate[i] = std::sqrt(oilBuoyancy * std::pow(top - meet, 3)) * flowFactor;
        const double waterInflow = std::sqrt(waterBuoyancy * std::pow(meet - tank.holeHeight, 3)) * flowFactor;
        tank.tankTime[i] = tank.tankTime[i - 1] + top * bottomArea / waterInflow;
        tank.tankLevel[i] = (ro - rw) / ro * meet + rw * tank.waterHeight / ro;
        tank.tankWater[i] = top;
        ++i;
    }
    tank.tankSteps = i;
}

}  // namespace model
