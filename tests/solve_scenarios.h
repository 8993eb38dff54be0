// Named whole-run scenarios for the tests and benchmarks of Solve: a real
// oil of the standard library through the setters, then PrepareRun, Spread
// and Solve with a fixed seed.
#pragma once

#include <ostream>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "model/WeatheringCore.h"
#include "platform/Files.h"
#include "platform/NumText.h"


namespace tavro_test {

// The library line of the oil whose name starts with `name`, as the oil
// dialog's Select turns it into the model's oil record (numbers unrounded).
inline bool LoadLibraryOil(const std::string& name, model::InputOil& oil) {
    std::string text;
    if (!platform::ReadWholeFile(std::string(TAVRO_BUILD_DATA_DIR) + "/OilLib", text)) return false;
    const auto lines = platform::SplitLines(text);
    for (size_t li = 2; li < lines.size(); ++li) {
        if (lines[li].rfind(name, 0) != 0) continue;
        std::vector<std::string> cells;
        size_t start = 0;
        const std::string& l = lines[li];
        for (size_t p = 0; p <= l.size(); ++p)
            if (p == l.size() || l[p] == '\t') {
                cells.push_back(l.substr(start, p - start));
                start = p + 1;
            }
        auto num = [&](int col) {  // 1-based column
            double v = model::MISSING_VALUE_D;
            if (col - 1 < static_cast<int>(cells.size()) && !cells[col - 1].empty()) platform::ScanDouble(cells[col - 1], v);
            return v;
        };
        oil = model::InputOil{};
        std::strncpy(oil.name, cells[0].c_str(), sizeof oil.name - 1);
        std::string type = cells.size() > 9 ? cells[9] : "";
        for (char& ch : type) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
        std::memcpy(oil.productType, type.c_str(), std::min<size_t>(type.size(), 7));
        oil.api = num(7);
        oil.asphalt = num(12);
        oil.benzene = num(144);
        oil.nickel = num(153);
        oil.vanadium = num(154);
        oil.viscMultiplier = num(152);
        oil.waterContent = num(15);
        oil.waterUptakeRate = num(159);
        oil.bullwinkle = num(17);
        oil.bulltime = model::MISSING_VALUE_D;
        for (int i = 0; i < 4; ++i) {
            oil.rhoRef_value[i] = num(24 + 3 * i);
            oil.rhoRef_temp[i] = num(25 + 3 * i);
            oil.rhoRef_fevap[i] = num(26 + 3 * i);
        }
        for (int i = 0; i < 6; ++i) {
            oil.viscRef_value[i] = num(36 + 3 * i);
            oil.viscRef_temp[i] = num(37 + 3 * i);
            oil.viscRef_fevap[i] = num(38 + 3 * i);
            oil.dyViscRef_value[i] = num(54 + 3 * i);
            oil.dyViscRef_temp[i] = num(55 + 3 * i);
            oil.dyViscRef_fevap[i] = num(56 + 3 * i);
        }
        const std::string units = cells.size() > 116 ? cells[116] : "";
        oil.dist_volumeFrac = !units.empty() && units[0] == 'w' ? 0 : 1;
        for (int i = 0; i < model::MAX_CUTS; ++i) {
            oil.dist_temp[i] = num(72 + 3 * i);
            oil.dist_frac[i] = num(74 + 3 * i);
        }
        return true;
    }
    return false;
}

enum class ERelease { Instant, Continuous, Tank, Contained };

struct SolveScenario {
    std::string name;
    std::string oil = "West Texas Intermediate";
    int hours = 120;
    double wind = 5.0;        // m/s, constant
    double windDir = 45.0;    // degrees, from
    double waveHeight = -999; // m; computed from the wind when missing
    double waterC = 15.0;
    double sediment = 5.0;    // g/m3
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

// Reset, setters, PrepareRun, Spread and Solve. Returns the first failing
// status (PrepareRun, Spread or Solve).
inline int RunSolveScenario(model::CWeatheringCore& c, const SolveScenario& s, std::uint32_t seed, int writeDump) {
    using namespace model;
    c.Reset();
    c.SetSeed(seed);
    InputOil oil;
    if (!LoadLibraryOil(s.oil, oil)) return -100;
    c.SetOil(oil);

    InputWindAndWave w;
    w.num = s.hours;
    w.speedUnits = 3;
    w.waveHtUnits = 1;
    for (int h = 0; h < s.hours; ++h) {
        w.speed[h] = s.wind;
        w.direction[h] = s.windDir;
        w.waveHt[h] = s.waveHeight;
    }
    c.SetWindAndWave(w);

    InputWater water;
    water.temperature = s.waterC;
    water.tempUnits = 2;
    water.sediment = s.sediment;
    water.speed = 0.2;
    water.speedUnits = 3;
    water.direction = 90.0;
    c.SetWater(water);

    switch (s.release) {
        case ERelease::Instant: {
            InputInstant in;
            in.flag = 1;
            in.startHour = s.startHour;
            in.vol = s.volume;
            in.volUnits = 3;
            c.SetInstantRelease(in);
            if (s.tailRate > 0) {
                InputContinuous tail;
                tail.flag = 1;
                tail.startHour = 1;
                tail.endHour = s.hours;
                tail.startRate = tail.endRate = s.tailRate;
                tail.rateUnits = 3;
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
            in.rateUnits = 3;
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
            in.volUnits = 3;
            in.area = s.containedArea;
            in.areaUnits = 3;
            c.SetBoomedRelease(in);
            break;
        }
    }

    InputUncertainty u;
    u.windFlag = s.windUnc > 0;
    u.wind = s.windUnc > 0 ? s.windUnc : MISSING_VALUE_D;
    u.windUnits = 3;
    u.volFlag = s.volUnc > 0;
    u.vol = s.volUnc > 0 ? s.volUnc : MISSING_VALUE_D;
    u.emulFlag = s.emulUnc > 0;
    u.emul = s.emulUnc > 0 ? s.emulUnc : MISSING_VALUE_D;
    u.emulUnits = 1;
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
        b.thickUnits[0] = 1;
        b.area[0] = s.burnArea;
        b.areaUnits[0] = 3;
        c.SetBurn(b);
    }
    if (s.skimStart > 0) {
        InputSkimmer k;
        k.num = 1;
        k.startHour[0] = s.skimStart;
        k.duration[0] = s.skimHours;
        k.rate[0] = s.skimRate;
        k.rateUnits[0] = 3;
        c.SetSkimmer(k);
    }
    InputBeached beach;
    beach.volUnits = 3;
    for (int h = 0; h < MAX_HOURS; ++h) beach.vol[h] = (s.beachPerHour > 0 && h >= 9 && h < 20) ? s.beachPerHour : 0.0;
    c.SetBeached(beach);

    int r = c.PrepareRun();
    if (r != 0) return r;
    r = c.Spread();
    if (r != 0) return r;
    return c.Solve(writeDump);
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

// Test output names the scenario instead of dumping its bytes.
inline void PrintTo(const SolveScenario& s, std::ostream* os) { *os << s.name; }

}  // namespace tavro_test
