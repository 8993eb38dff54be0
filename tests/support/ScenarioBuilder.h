// The one scenario builder of the tests and benchmarks: a library oil as the
// model's oil record, named whole runs through the setters (Reset, the
// setters, PrepareRun, Spread and Solve with a fixed seed), and prepared
// models built by hand (no oil data: synthetic tables) for the time loop.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <ostream>
#include <string>
#include <vector>

#include "model/WeatheringCore.h"
#include "oillib/OilLibrary.h"
#include "platform/NumText.h"
#include "ui/oils/rules/LibraryReaders.h"

namespace tavro_test {

// The standard oil library the build ships.
inline std::string StandardLibraryPath() { return std::string(TAVRO_BUILD_DATA_DIR) + "/OilLib"; }

// How the numbers of a library oil reach its record: as the file holds them,
// or rounded to the decimals the oil dialog's Select copies.
enum class EOilNumbers { AsInTheFile, AsTheDialogCopiesThem };

// The oil record of the library's current record (after ReadRecordAt).
inline void OilFromRecord(const oillib::COilLibrary& lib, EOilNumbers numbers, model::InputOil& oil) {
    auto field = [&](int column) { return lib.ColumnToField(column); };
    auto num = [&](int column, int decimals) {
        if (numbers == EOilNumbers::AsTheDialogCopiesThem) return lib.GetFieldNumber(field(column), decimals, 1.0f);
        double v = model::MISSING_VALUE_D;
        const std::string& text = lib.GetField(field(column));
        if (!text.empty()) platform::ScanDouble(text, v);
        return v;
    };
    oil = model::InputOil{};
    const std::string name = lib.GetFieldText(field(1)).substr(0, sizeof oil.name - 1);
    std::copy(name.begin(), name.end(), oil.name);
    const std::string type = lib.GetFieldTextLower(field(10)).substr(0, 7);
    std::copy(type.begin(), type.end(), oil.productType);
    ui::ReadOilNumbers(lib, num, oil);
}

// The standard library's first oil (in file order) whose name starts with
// `name`, its numbers as the file holds them; false when there is none.
inline bool LoadLibraryOil(const std::string& name, model::InputOil& oil) {
    oillib::COilLibrary lib(StandardLibraryPath(), oillib::OilLibColumnNames, oillib::kOilLibColumnCount);
    if (lib.LoadIndex() != oillib::kResultOk || !lib.GetIndex()) return false;
    const oillib::SOilLibCell* found = nullptr;
    for (const oillib::SOilLibCell& cell : *lib.GetIndex())
        if (cell.name.starts_with(name) && (!found || cell.offset < found->offset)) found = &cell;
    if (!found || lib.ReadRecordAt(found->offset) != oillib::kResultOk) return false;
    OilFromRecord(lib, EOilNumbers::AsInTheFile, oil);
    return true;
}

enum class ERelease { Instant, Continuous, Tank, Contained };

struct SolveScenario {
    std::string name;
    std::string oil = "West Texas Intermediate";
    int hours = 120;
    double wind = 5.0;        // m/s, constant
    double windDir = 45.0;    // degrees, from
    // Winds that change from hour to hour (m/s, degrees from), in place of
    // the constant wind when given for every hour.
    std::vector<double> hourlyWind, hourlyWindDir;
    double waveHeight = -999; // m; computed from the wind when missing
    double fetchKm[4] = {0, 0, 0, 0};  // north, east, south, west
    double waterC = 15.0;
    double sediment = 5.0;    // g/m3
    double current = 0.2;     // m/s
    double currentDir = 90.0; // degrees, towards
    ERelease release = ERelease::Instant;
    double volume = 1000.0;   // m3 (instantaneous and contained)
    int startHour = 1;
    double rate = 100.0;      // m3/h (continuous)
    int endHour = 6;
    double containedArea = 20000.0;  // m2
    // Responses (start hours 1-based; none when 0).
    int burnStart = 0;
    double burnThickMm = 5.0, burnArea = 5000.0;
    int skimStart = 0, skimHours = 6;
    double skimRate = 20.0;   // m3/h
    int dispStart = 0, dispHours = 3;
    double dispSprayed = 50.0, dispDispersed = 60.0;  // percent
    double beachPerHour = 0.0;  // m3 in each of hours 10..20
    double tailRate = 0.0;      // m3/h of a continuous release over the whole run, besides the main one
    // Uncertainty (off when not positive).
    double windUnc = 0.0, volUnc = 0.0, emulUnc = 0.0;  // m/s, percent, percent
};

// Reset and every setter, ready for PrepareRun; false when the oil is not
// in the standard library.
inline bool LoadSolveScenario(model::CWeatheringCore& c, const SolveScenario& s, std::uint32_t seed) {
    using namespace model;
    c.Reset();
    c.SetSeed(seed);
    InputOil oil;
    if (!LoadLibraryOil(s.oil, oil)) return false;
    c.SetOil(oil);

    InputWindAndWave w;
    w.num = s.hours;
    w.speedUnits = SPEED_CODE_MS;
    w.waveHtUnits = 1;
    const bool hourly = static_cast<int>(std::min(s.hourlyWind.size(), s.hourlyWindDir.size())) >= s.hours;
    for (int h = 0; h < s.hours && h < MAX_HOURS; ++h) {
        w.speed[h] = hourly ? s.hourlyWind[h] : s.wind;
        w.direction[h] = hourly ? s.hourlyWindDir[h] : s.windDir;
        w.waveHt[h] = s.waveHeight;
    }
    w.fetchUnits = 2;  // km
    w.fetchN = s.fetchKm[0];
    w.fetchE = s.fetchKm[1];
    w.fetchS = s.fetchKm[2];
    w.fetchW = s.fetchKm[3];
    c.SetWindAndWave(w);

    InputWater water;
    water.temperature = s.waterC;
    water.tempUnits = WTEMP_C;
    water.sediment = s.sediment;
    water.speed = s.current;
    water.speedUnits = SPEED_CODE_MS;
    water.direction = s.currentDir;
    c.SetWater(water);

    switch (s.release) {
        case ERelease::Instant: {
            InputInstant in;
            in.flag = 1;
            in.startHour = s.startHour;
            in.vol = s.volume;
            in.volUnits = RVOL_CUM;
            c.SetInstantRelease(in);
            if (s.tailRate > 0) {
                InputContinuous tail;
                tail.flag = 1;
                tail.startHour = 1;
                tail.endHour = s.hours;
                tail.startRate = tail.endRate = s.tailRate;
                tail.rateUnits = 3;  // cu m/hr
                c.SetContinuousRelease(tail);
            }
            break;
        }
        case ERelease::Continuous: {
            InputContinuous in;
            in.flag = 1;
            in.startHour = s.startHour;
            in.endHour = s.endHour;
            in.startRate = in.endRate = s.rate;
            in.rateUnits = 3;  // cu m/hr
            c.SetContinuousRelease(in);
            break;
        }
        case ERelease::Tank: {
            InputTank in;
            in.flag = 1;
            in.vent = 1;
            in.aground = 0;
            in.startHour = s.startHour;
            in.tHeight = 15.0;
            in.tWidth = 20.0;
            in.tLength = 20.0;
            in.tUnits = 1;
            in.oVol = 5000.0;
            in.oUnits = 3;
            in.hDiam = 0.3;
            in.hArea = 0.0707;
            in.hUnits = 1;
            in.zHeight = 2.0;
            in.zUnits = 1;
            in.wHeight = 8.0;
            in.wUnits = 1;
            c.SetTankRelease(in);
            break;
        }
        case ERelease::Contained: {
            InputBoomed in;
            in.flag = 1;
            in.startHour = s.startHour;
            in.vol = s.volume;
            in.volUnits = RVOL_CUM;
            in.area = s.containedArea;
            in.areaUnits = 3;  // sq m
            c.SetBoomedRelease(in);
            break;
        }
    }

    InputUncertainty u;
    u.windFlag = s.windUnc > 0;
    u.wind = s.windUnc > 0 ? s.windUnc : MISSING_VALUE_D;
    u.windUnits = SPEED_CODE_MS;
    u.volFlag = s.volUnc > 0;
    u.vol = s.volUnc > 0 ? s.volUnc : MISSING_VALUE_D;
    u.emulFlag = s.emulUnc > 0;
    u.emul = s.emulUnc > 0 ? s.emulUnc : MISSING_VALUE_D;
    u.emulUnits = 1;  // percent
    c.SetUncertainty(u);

    if (s.dispStart > 0) {
        InputDispersant d;
        d.num = 1;
        d.startHour[0] = s.dispStart;
        d.duration[0] = s.dispHours;
        d.sprayed[0] = s.dispSprayed;
        d.dispersed[0] = s.dispDispersed;
        c.SetDispersant(d);
    }
    if (s.burnStart > 0) {
        InputBurn b;
        b.num = 1;
        b.startHour[0] = s.burnStart;
        b.thick[0] = s.burnThickMm;
        b.thickUnits[0] = 1;  // mm
        b.area[0] = s.burnArea;
        b.areaUnits[0] = 3;  // sq m
        c.SetBurn(b);
    }
    if (s.skimStart > 0) {
        InputSkimmer k;
        k.num = 1;
        k.startHour[0] = s.skimStart;
        k.duration[0] = s.skimHours;
        k.rate[0] = s.skimRate;
        k.rateUnits[0] = 3;  // cu m/hr
        c.SetSkimmer(k);
    }
    InputBeached beach;
    beach.volUnits = RVOL_CUM;
    for (int h = 0; h < MAX_HOURS; ++h) beach.vol[h] = (s.beachPerHour > 0 && h >= 9 && h < 20) ? s.beachPerHour : 0.0;
    c.SetBeached(beach);
    return true;
}

// The status a failed oil look-up gives RunSolveScenario.
inline constexpr int kOilNotFound = -100;

// LoadSolveScenario, then PrepareRun, Spread and Solve. Returns the first
// failing status (kOilNotFound, PrepareRun, Spread or Solve).
inline int RunSolveScenario(model::CWeatheringCore& c, const SolveScenario& s, std::uint32_t seed, bool writeDumps) {
    c.Messages().Begin();  // one solve: each note once
    if (!LoadSolveScenario(c, s, seed)) return kOilNotFound;
    int status = c.PrepareRun();
    if (status != 0) return status;
    status = c.Spread();
    if (status != 0) return status;
    return c.Solve(writeDumps);
}

// The scenario library of the invariant tests.
inline std::vector<SolveScenario> SolveScenarioLibrary() {
    std::vector<SolveScenario> lib;
    SolveScenario base;
    base.name = "medium crude, instantaneous";
    base.hours = 48;
    lib.push_back(base);

    SolveScenario light = base;
    light.name = "light refined, instantaneous";
    light.oil = "Diesel [2002]";
    lib.push_back(light);

    SolveScenario heavy = base;
    heavy.name = "heavy crude, continuous";
    heavy.oil = "Western Canadian Select [2015]";
    heavy.release = ERelease::Continuous;
    lib.push_back(heavy);

    SolveScenario nocuts = base;
    nocuts.name = "crude without cuts, contained, burn";
    nocuts.oil = "Cook Inlet [2003]";
    nocuts.release = ERelease::Contained;
    nocuts.burnStart = 3;
    lib.push_back(nocuts);

    SolveScenario tank = base;
    tank.name = "medium crude, leaking tank, skimming";
    tank.release = ERelease::Tank;
    tank.skimStart = 4;
    tank.hours = 24;
    lib.push_back(tank);

    SolveScenario resp = base;
    resp.name = "medium crude, all responses";
    resp.burnStart = 4;
    resp.skimStart = 6;
    resp.dispStart = 2;
    resp.beachPerHour = 5.0;
    resp.hours = 12;
    lib.push_back(resp);

    SolveScenario zeroBenz = base;
    zeroBenz.name = "fuel oil 5 (benzene 0), strong wind, entered waves";
    zeroBenz.oil = "Fuel Oil # 5";
    zeroBenz.wind = 35.0;
    zeroBenz.waveHeight = 2.0;
    lib.push_back(zeroBenz);

    SolveScenario calm = base;
    calm.name = "medium crude, no wind, cold water";
    calm.wind = 0.0;
    calm.waterC = 2.0;
    lib.push_back(calm);

    SolveScenario tail = base;
    tail.name = "medium crude, instantaneous with a continuous tail";
    tail.hours = 20;
    tail.tailRate = 1.0;
    lib.push_back(tail);
    return lib;
}

// The heaviest run the program allows: 120 hours, a large first hour and a
// small release in every later hour (about 480 elements), winds that change
// speed and direction from hour to hour, a fetch in every direction.
inline SolveScenario HeaviestScenario() {
    SolveScenario s;
    s.name = "heaviest";
    s.hours = model::MAX_HOURS;
    for (int h = 0; h < model::MAX_HOURS; ++h) {
        s.hourlyWind.push_back(4.0 + 3.0 * std::sin(h * 0.3));
        s.hourlyWindDir.push_back(std::fmod(20.0 + 25.0 * h, 360.0));
    }
    s.fetchKm[0] = 40;
    s.fetchKm[1] = 15;
    s.fetchKm[2] = 60;
    s.fetchKm[3] = 25;
    s.waterC = 12.0;
    s.current = 0.3;
    s.currentDir = 120.0;
    s.tailRate = 0.05;
    return s;
}

// Test output names the scenario instead of dumping its bytes.
inline void PrintTo(const SolveScenario& s, std::ostream* os) { *os << s.name; }

// ---- Prepared models built by hand ------------------------------------------

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
    c.bullwinkle[0] = c.bestBullwinkle = 0.05;
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

}  // namespace tavro_test
