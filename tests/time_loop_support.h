// Shared by the time-loop tests and benchmarks: a temporary output folder,
// a library of hand-built prepared models (no oil data: synthetic tables),
// and checks of the invariants of a solved model.
#pragma once

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "model/WeatheringCore.h"
#include "platform/Files.h"
#include "platform/NumText.h"
#include "tests/test_temp_dir.h"

namespace tavro_test {

// A fresh folder as the model's output folder for the life of the object.
class TempOutputFolder {
public:
    TempOutputFolder() : previous_(platform::OutputFolder()) { platform::SetOutputFolder(dir_.Path().string()); }
    ~TempOutputFolder() { platform::SetOutputFolder(previous_); }
    TempOutputFolder(const TempOutputFolder&) = delete;
    TempOutputFolder& operator=(const TempOutputFolder&) = delete;

    std::string Read(const char* name) const {
        std::string s;
        platform::ReadWholeFile(platform::OutputPath(name), s);
        return s;
    }

private:
    std::string previous_;
    TempDir dir_{"tavro_timeloop"};
};

inline int CountOf(const std::string& text, const std::string& what) {
    int n = 0;
    for (size_t p = text.find(what); p != std::string::npos; p = text.find(what, p + what.size())) ++n;
    return n;
}

// A prepared and spread model built by hand.
struct HandScenario {
    std::string name;
    std::vector<double> hourVols = {100.0};  // m3 released in each hour from hour 0
    std::vector<int> perHourCount = {20};    // elements of each release hour
    bool contained = false;
    int hours = 12;
    double windSpeed = 6.0;
    int burnHour = -1;  // 0-based first hour of the response rates below
    double burnRate = 0, skimRate = 0, beachRate = 0, chemDisp = 0, sprayed = 0;
    int responseHours = 200;
    double Ymax = 0.7;
    double sediment = 0.005;
    double benzScale = 1.0;
};

inline std::vector<HandScenario> HandScenarioLibrary() {
    std::vector<HandScenario> lib;
    HandScenario base;
    base.name = "instant";
    lib.push_back(base);

    HandScenario cont = base;
    cont.name = "continuous";
    cont.hourVols = {30, 30, 40};
    cont.perHourCount = {10, 10, 12};
    lib.push_back(cont);

    HandScenario boom = base;
    boom.name = "contained";
    boom.contained = true;
    boom.perHourCount = {2};
    lib.push_back(boom);

    HandScenario resp = base;
    resp.name = "instant with responses";
    resp.burnHour = 2;
    resp.responseHours = 3;
    resp.burnRate = 0.002;
    resp.skimRate = 0.001;
    resp.beachRate = 0.0005;
    resp.chemDisp = 2e-5;
    resp.sprayed = 0.5;
    lib.push_back(resp);

    HandScenario contResp = cont;
    contResp.name = "continuous with responses";
    contResp.burnHour = 1;
    contResp.responseHours = 6;
    contResp.skimRate = 0.003;
    contResp.chemDisp = 5e-5;
    contResp.sprayed = 0.3;
    lib.push_back(contResp);

    HandScenario boomResp = boom;
    boomResp.name = "contained burn";
    boomResp.burnHour = 1;
    boomResp.burnRate = 0.01;
    lib.push_back(boomResp);

    HandScenario longRun = cont;
    longRun.name = "50 hours";
    longRun.hours = 50;
    lib.push_back(longRun);

    HandScenario dry = base;
    dry.name = "no water uptake, no benzene, no sediment";
    dry.Ymax = 0.0;
    dry.benzScale = 0.0;
    dry.sediment = 0.0;
    lib.push_back(dry);

    HandScenario calm = base;
    calm.name = "calm";
    calm.windSpeed = 0.0;
    lib.push_back(calm);
    return lib;
}

inline void BuildHandRun(model::CWeatheringCore& c, const HandScenario& s) {
    using namespace model;
    c.Reset();
    c.SetSeed(7);
    c.runHours = s.hours;
    c.stepsPerHour = s.hours <= 12 ? 8 : s.hours <= 24 ? 6 : s.hours <= 48 ? 4 : 2;
    c.dt = 3600 / c.stepsPerHour;
    c.nSteps = c.runHours * c.stepsPerHour;
    c.waterTemp = 288.15;
    c.waterDensity = 1025.0;
    c.sediment = s.sediment;
    c.rho = 870.0;
    c.visc = 2e-5;
    c.minThickness = 1e-4;
    c.Ymax = s.Ymax;
    c.Smax = s.Ymax > 0 ? 6.0 / c.minDropletRadius * s.Ymax / (1.0 - s.Ymax) : 0.0;
    c.uptakeRate = 2e-6;
    c.bullwinkle[0] = 0.05;
    c.C4 = 5.0;
    c.evapCoef = 0.0025;
    if (s.contained) c.containedArea = 2000.0;
    for (int h = 0; h < c.runHours; ++h) {
        c.wind[h].speed = s.windSpeed;
        c.wind[h].dir = 0.0;
        const double u[3] = {s.windSpeed, s.windSpeed + 2.0, std::max(1.0, s.windSpeed - 2.0)};
        for (int k = 0; k < 3; ++k) {
            const double H = 0.243 * u[k] * u[k] / 9.8;
            c.wave[h].Hrms[k] = 0.707 * H;
            c.wave[h].f_bw[k] = std::clamp((0.01 * u[k] + 0.01) * 0.5, 0.0, 1.0) / 3.85;
            c.wave[h].De[k] = c.waterDensity * 0.0034 * 9.8 * c.wave[h].Hrms[k] * c.wave[h].Hrms[k];
        }
    }
    // A synthetic three-component oil.
    c.compCount = 3;
    const double mw[3] = {0.1, 0.2, 0.4}, mv[3] = {1.3e-4, 2.4e-4, 4.5e-4}, f0[3] = {0.3, 0.3, 0.4};
    for (int k = 0; k < 3; ++k) {
        c.compMW[k] = mw[k];
        c.compMolVol[k] = mv[k];
        c.compFrac0[k] = f0[k];
    }
    const int N = EVAP_TABLE_ROWS;
    c.evapRows = N;
    for (int i = 0; i < N; ++i) {
        const double e = 4e7 * i * (i + 1.0) / ((N - 1.0) * N);
        const double c0 = 0.3 * std::exp(-e / 2000.0), c1 = 0.3 * std::exp(-e / 2e5), c2 = 0.4;
        const double V = c0 + c1 + c2;
        c.evapTable[i] = {e, 1e-3 * (c0 + 0.02 * c1) / V, 1.0 - V, 1000.0 * c0 / V,
                          s.benzScale * 2e-4 * std::exp(-e / 500.0), 2e-4};
        c.compRemain[0][i] = c0;
        c.compRemain[1][i] = c1;
        c.compRemain[2][i] = c2;
    }
    // Release hours and elements.
    double cum = 0;
    int cumCount = 0, slot = 0;
    for (int h = 0; h < c.runHours; ++h) {
        const double v = h < static_cast<int>(s.hourVols.size()) ? s.hourVols[h] : 0.0;
        const int n = h < static_cast<int>(s.perHourCount.size()) ? s.perHourCount[h] : 0;
        cum += v;
        cumCount += n;
        c.hour[h] = {v, cum, n * 50.0, std::sqrt(n * 50.0 / 3.14), 0.0, n, cumCount, n ? v / n : 0.0};
        for (int k = 0; k < n; ++k, ++slot) {
            SLERecord& e = c.le[slot];
            e.releaseTime = h + 1;
            e.releaseHour = h;
            e.x = e.y = 0;
            e.vol0 = e.Vol = v / n;
            e.minArea = 50.0;
            e.Y = e.S = e.f_evap = e.evex = 0.0;
            e.visc = c.visc;
            e.rho = c.rho;
            e.alpha = 0.5;
            for (int t = h; t < c.runHours; ++t) {
                e.area[t] = s.contained ? c.containedArea / n : 50.0 * std::pow(1.0 + t - h, 0.6);
                e.thick[t] = e.Vol / e.area[t];
            }
        }
    }
    c.leCount = cumCount;
    c.releaseHours = static_cast<int>(s.hourVols.size());
    if (s.burnHour >= 0)
        for (int h = s.burnHour; h < std::min(c.runHours, s.burnHour + s.responseHours); ++h)
            c.resp[h] = {s.burnRate, s.skimRate, s.chemDisp, s.sprayed, s.beachRate};
    c.weatherDirty = c.oilDirty = c.releaseDirty = c.responseDirty = 0;
}

// ---- Invariants of a solved model; each returns "" when it holds ----------

inline double Best(const model::CWeatheringCore& c, int v, int at) {
    const double x = c.out[v][at + model::SLOT_BEST];
    return x == model::MISSING_VALUE_D ? 0.0 : x;
}

// remaining + evaporated + dispersed + burned + skimmed + beached = spilled
// at every step (best values), and every fate non-decreasing.
inline std::string MassBalanceError(const model::CWeatheringCore& c, double tol) {
    using namespace model;
    const int fates[] = {OUT_EVAPORATED, OUT_DISPERSED, OUT_BURNED, OUT_SKIMMED, OUT_BEACHED, OUT_SPILLED};
    for (int v = 0; v < c.nSteps; ++v) {
        const double spilled = Best(c, v, OUT_SPILLED);
        const double sum = Best(c, v, OUT_REMAINING) + Best(c, v, OUT_EVAPORATED) + Best(c, v, OUT_DISPERSED) +
                           Best(c, v, OUT_BURNED) + Best(c, v, OUT_SKIMMED) + Best(c, v, OUT_BEACHED);
        if (std::fabs(sum - spilled) > tol * std::max(spilled, 1e-300))
            return platform::Format("step %d: fates %.17g, spilled %.17g", v, sum, spilled);
        if (Best(c, v, OUT_REMAINING) < 0) return platform::Format("step %d: negative remaining", v);
        if (Best(c, v, OUT_CHEM_DISPERSED) > Best(c, v, OUT_DISPERSED) * (1 + 1e-12))
            return platform::Format("step %d: chemically dispersed above dispersed", v);
        if (v > 0)
            for (int at : fates)
                if (Best(c, v, at) < Best(c, v - 1, at))
                    return platform::Format("step %d: fate %d decreases", v, at);
    }
    return "";
}

// low <= best <= high for every property band and for remaining,
// evaporated, dispersed and spilled; physical limits of the properties.
inline std::string BandsError(const model::CWeatheringCore& c) {
    using namespace model;
    for (int v = 0; v < c.nSteps; ++v) {
        for (int at : {OUT_DENSITY, OUT_VISCOSITY, OUT_WATER, OUT_BENZENE, OUT_REMAINING, OUT_EVAPORATED,
                       OUT_DISPERSED, OUT_SPILLED}) {
            const double hi = c.out[v][at + SLOT_HIGH], lo = c.out[v][at + SLOT_LOW], best = c.out[v][at + SLOT_BEST];
            if (best == MISSING_VALUE_D) continue;
            if (!(lo <= best && best <= hi))
                return platform::Format("step %d at %d: low %.17g best %.17g high %.17g", v, at, lo, best, hi);
        }
        const double y = c.out[v][OUT_WATER + SLOT_HIGH];
        if (y != MISSING_VALUE_D && (y < 0 || y > c.Ymax * 1.000001 + 1e-15 + (c.Ymax < 0 ? 1 : 0)))
            return platform::Format("step %d: water content %.17g", v, y);
        if (c.out[v][OUT_DENSITY + SLOT_HIGH] > c.waterDensity * (1 + 1e-12))
            return platform::Format("step %d: density above the water's", v);
        if (c.out[v][OUT_VISCOSITY + SLOT_LOW] < c.visc * 0.999)
            return platform::Format("step %d: viscosity below the fresh oil's", v);
        if (c.out[v][OUT_BENZENE + SLOT_LOW] < c.minBenzene * 0.998)
            return platform::Format("step %d: benzene below its floor", v);
    }
    return "";
}

// Every value of the used steps is finite or exactly the missing mark.
inline std::string FiniteError(const model::CWeatheringCore& c) {
    for (int v = 0; v < c.nSteps; ++v)
        for (int i = 0; i < model::STEP_OUTPUT_VALUES; ++i) {
            const double x = c.out[v][i];
            if (i >= model::OUT_EMULSIFIED && i < model::OUT_EMULSIFIED + 3) continue;
            if (i == model::OUT_SPARE || i == model::OUT_SPARE + 1) continue;
            if (!std::isfinite(x)) return platform::Format("step %d value %d is %g", v, i, x);
        }
    return "";
}

}  // namespace tavro_test
