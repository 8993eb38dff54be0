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
    double prev = 0;
    for (int i = 0; i < n; ++i) {
        const double t = times[i];
        const double r = rates[i];
        if (!std::isfinite(t) || !std::isfinite(r)) break;
        // Each interval is spread over every hour it crosses, so the oil
        // of a long interval is neither lost nor piled into one hour.
        const double a = std::max(prev, 0.0);
        const double b = std::min(t, end);
        if (b > a && r > 0) {
            for (int j = int(a / kTankBinSeconds); j < MAX_HOURS; ++j) {
                const double lo = std::max(a, j * kTankBinSeconds);
                const double hi = std::min(b, (j + 1) * kTankBinSeconds);
                if (hi <= lo) break;
                out[j] += r * (hi - lo);
            }
        }
        if (t > prev) prev = t;
        if (prev >= end) break;
    }
}

int CWeatheringCore::ComputeTankRelease(double hourly[MAX_HOURS], double rhoWater, double rhoOil) {
    STankRelease& t = tank;
    t.tankSteps = 0;
    t.tankDuration = 0;
    std::fill(t.tankWater, t.tankWater + MAX_TANK_STEPS, 0.0);
    std::fill(t.tankLevel, t.tankLevel + MAX_TANK_STEPS, 0.0);
    std::fill(t.tankRate, t.tankRate + MAX_TANK_STEPS, 0.0);
    std::fill(t.tankTime, t.tankTime + MAX_TANK_STEPS, 0.0);
    std::fill(hourly, hourly + MAX_HOURS, 0.0);

    // A density that is missing (or no density at all: zero, not a number)
    // takes the default.
    if (!Positive(rhoWater)) rhoWater = SeaWaterDensity(-1, -1);
    if (!Positive(rhoOil)) rhoOil = OilDensityAtTemperature(-1, -1, -1, -1);

    // Without a usable opening and tank there is no outflow.
    const bool usable = Positive(t.holeArea) && Positive(t.Cd) && Positive(t.bottomArea) &&
                        std::isfinite(t.oilLevel) && std::isfinite(t.holeHeight) && std::isfinite(t.waterHeight);
    if (usable) {
        if (t.holeHeight <= t.waterHeight) {
            LeakBelowWaterline(rhoWater, rhoOil);
        } else if (t.holeHeight < t.oilLevel) {
            if (t.vent != 0)
                DrainVentedTank();
            else
                Messages().Show("Leaking Tank: air ingestion not yet supported.");
        }
    }

    const int n = std::clamp(t.tankSteps, 0, MAX_TANK_STEPS);
    t.tankSteps = n;
    BinTankHourly(t.tankTime, t.tankRate, n, hourly);
    if (n > 0) {
        const double last = std::ceil(t.tankTime[n - 1]);
        t.tankDuration = last > 0 ? (last < double(INT_MAX) ? int(last) : INT_MAX) : 0;
    }
    return t.tankDuration;
}

void CWeatheringCore::DrainVentedTank() {
    STankRelease& t = tank;
    t.tankSteps = 0;
    const double a = t.holeArea * t.Cd;
    const double u0 = std::sqrt(kTankTwoG * (t.oilLevel - t.holeHeight));
    const double D = u0 * t.bottomArea / (a * kGravity);
    const double h = D / MAX_TANK_STEPS;
    if (!Positive(h)) return;
    double level = t.oilLevel;
    int i = 0;
    // Level and rate are those at the start of each step, the time that of
    // its end.
    for (; i < MAX_TANK_STEPS && level > t.holeHeight; ++i) {
        t.tankLevel[i] = level;
        t.tankRate[i] = std::sqrt(kTankTwoG * (level - t.holeHeight)) * a;
        t.tankTime[i] = (i + 1) * h;
        level -= h * t.tankRate[i] / t.bottomArea;
    }
    t.tankSteps = i;
}

void CWeatheringCore::LeakBelowWaterline(double rhoWater, double rhoOil) {
    STankRelease& t = tank;
    t.tankSteps = 0;
    if (!Positive(rhoWater) || !Positive(rhoOil)) return;
    if (rhoWater <= rhoOil) {
        Messages().Show("Leaking Tank: Oil Sinks");
        return;
    }
    if (!Positive(t.holeDiam) || !Positive(t.holeArea) || !Positive(t.Cd) || !Positive(t.bottomArea)) return;
    const double rw = rhoWater, ro = rhoOil;
    const double s = (rw - ro) / ro;
    const double s2 = (rw - ro) / rw;
    const double k = std::cbrt(rw / ro);
    const double A = t.bottomArea, a = t.holeArea, Cd2g = t.Cd * t.Cd * kGravity;

    t.tankTime[0] = 0;
    t.tankLevel[0] = t.oilLevel;
    t.tankWater[0] = 0;
    t.tankRate[0] = 0;

    // Level at which the oil column balances the outside water.
    const double g = (rw * t.waterHeight - ro * t.oilLevel) / (rw - ro);
    const double h = (t.holeHeight - g) / kTankPhaseOneSteps;
    const double top = t.holeHeight + t.holeDiam;
    double z = g + h;
    int i = 1;
    // Phase 1: oil flows out through the whole opening. The head term is
    // Cd^2 g (top - z) s, without the factor 2 of the vented drain; the time
    // below is the exact integral of this rate.
    if (h > 0) {
        for (; i < MAX_TANK_STEPS && t.holeHeight >= z; ++i) {
            t.tankRate[i] = a * std::sqrt(Cd2g * (top - z) * s);
            t.tankTime[i] = A / a * std::sqrt(s / Cd2g) * (2 * std::sqrt(top - g) - 2 * std::sqrt(top - z));
            t.tankLevel[i] = t.tankLevel[i - 1] - t.tankRate[i] / A * (t.tankTime[i] - t.tankTime[i - 1]);
            t.tankWater[i] = 0;
            z += h;
        }
    }
    // Phase 2: oil out through the top of the opening, water in through its
    // bottom, until the water inside reaches the top of the opening.
    if (z < top && i < MAX_TANK_STEPS) {
        const double m = (t.holeHeight + top * k) / (k + 1);
        const double c = a * std::sqrt(Cd2g) / t.holeDiam;
        t.tankRate[i] = std::sqrt(s * std::pow(top - m, 3)) * c;
        const double q = std::sqrt(s2 * std::pow(m - t.holeHeight, 3)) * c;
        t.tankTime[i] = t.tankTime[i - 1] + top * A / q;
        t.tankLevel[i] = (ro - rw) / ro * m + rw * t.waterHeight / ro;
        t.tankWater[i] = top;
        ++i;
    }
    t.tankSteps = i;
}

}  // namespace model
