#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <memory>
#include <string>

#include "model/WeatheringCore.h"

using namespace model;

namespace {

constexpr double M = MISSING_VALUE_D;

std::unique_ptr<CWeatheringCore> MakeCore() { return std::make_unique<CWeatheringCore>(); }

// An oil of 850 kg/m3 at 15 C: the first density point the tons divide by.
InputOil Oil850() {
    InputOil o;
    std::memcpy(o.productType, "crude", 5);
    o.api = 30;
    o.rhoRef_value[0] = 850;
    o.rhoRef_temp[0] = 288.15;
    return o;
}

void Near(double got, double want, const std::string& what) {
    EXPECT_NEAR(got, want, 1e-9 * std::max(1.0, std::fabs(want))) << what;
}

}  // namespace

// Every unit code of the setters against the value it must store.
TEST(ModelInputs, UnitCodesTable) {
    struct Case {
        const char* name;
        std::function<void(CWeatheringCore&)> set;
        std::function<double(const CWeatheringCore&)> get;
        double want;
    };
    const double bbl = 0.158987294928, gal = 0.003785411784;
    auto instant = [](int units, double v) {
        return [=](CWeatheringCore& c) {
            c.SetOil(Oil850());
            InputInstant in;
            in.flag = 1;
            in.startHour = 1;
            in.vol = v;
            in.volUnits = units;
            c.SetInstantRelease(in);
        };
    };
    auto continuous = [](int units, double v) {
        return [=](CWeatheringCore& c) {
            c.SetOil(Oil850());
            InputContinuous in;
            in.flag = 1;
            in.startHour = 1;
            in.endHour = 4;
            in.startRate = v;
            in.endRate = 2 * v;
            in.rateUnits = units;
            c.SetContinuousRelease(in);
        };
    };
    auto windRec = [](int speedUnits, double speed, double dir, int waveUnits, double wave, int fetchUnits) {
        return [=](CWeatheringCore& c) {
            InputWindAndWave in;
            in.num = 1;
            in.speedUnits = speedUnits;
            in.speed[0] = speed;
            in.direction[0] = dir;
            in.waveHtUnits = waveUnits;
            in.waveHt[0] = wave;
            in.fetchUnits = fetchUnits;
            in.fetchN = 1;
            in.fetchW = 2;
            c.SetWindAndWave(in);
        };
    };
    auto water = [](int tempUnits, double t, int speedUnits, double speed) {
        return [=](CWeatheringCore& c) {
            InputWater in;
            in.temperature = t;
            in.tempUnits = tempUnits;
            in.speed = speed;
            in.speedUnits = speedUnits;
            in.direction = 180;
            c.SetWater(in);
        };
    };
    auto burnRec = [](int thickUnits, double thick, int areaUnits, double area, int regUnits, double reg) {
        return [=](CWeatheringCore& c) {
            InputBurn in;
            in.num = 1;
            in.startHour[0] = 2;
            in.thickUnits[0] = thickUnits;
            in.thick[0] = thick;
            in.areaUnits[0] = areaUnits;
            in.area[0] = area;
            in.regRateUnits = regUnits;
            in.regRate = reg;
            c.SetBurn(in);
        };
    };
    auto skim = [](int rateUnits, double rate, int amountUnits, double amount) {
        return [=](CWeatheringCore& c) {
            c.SetOil(Oil850());
            InputSkimmer in;
            in.num = 1;
            in.startHour[0] = 3;
            in.duration[0] = 4;
            in.rateUnits[0] = rateUnits;
            in.rate[0] = rate;
            in.amountUnits[0] = amountUnits;
            in.amount[0] = amount;
            c.SetSkimmer(in);
        };
    };

    const Case cases[] = {
        {"oil without density: API 30 value",
         [](CWeatheringCore& c) {
             InputOil o;
             o.api = 30;
             c.SetOil(o);
         },
         [](const CWeatheringCore& c) { return c.densityPts[0].value; }, 141500 / 161.5},
        {"oil without density: API 30 temperature",
         [](CWeatheringCore& c) {
             InputOil o;
             o.api = 30;
             c.SetOil(o);
         },
         [](const CWeatheringCore& c) { return c.densityPts[0].tempK; }, 298.7},
        {"instant bbl", instant(1, 10), [](const CWeatheringCore& c) { return c.instant.vol; }, 10 * bbl},
        {"instant gal", instant(2, 10), [](const CWeatheringCore& c) { return c.instant.vol; }, 10 * gal},
        {"instant m3", instant(3, 10), [](const CWeatheringCore& c) { return c.instant.vol; }, 10},
        {"instant short tons / rho1", instant(4, 10), [](const CWeatheringCore& c) { return c.instant.vol; },
         10 * 907.2 / 850},
        {"instant metric tons / rho1", instant(5, 10), [](const CWeatheringCore& c) { return c.instant.vol; },
         10000.0 / 850},
        {"continuous bbl/h", continuous(1, 1), [](const CWeatheringCore& c) { return c.continuous.startRate; },
         bbl / 3600},
        {"continuous gal/h", continuous(2, 1), [](const CWeatheringCore& c) { return c.continuous.startRate; },
         gal / 3600},
        {"continuous m3/h end", continuous(3, 1), [](const CWeatheringCore& c) { return c.continuous.endRate; },
         2.0 / 3600},
        {"continuous tons/h", continuous(4, 1), [](const CWeatheringCore& c) { return c.continuous.startRate; },
         907.2 / 850 / 3600},
        {"continuous metric t/h", continuous(5, 1), [](const CWeatheringCore& c) { return c.continuous.startRate; },
         1000.0 / 850 / 3600},
        {"continuous gal/min is per minute", continuous(6, 1),
         [](const CWeatheringCore& c) { return c.continuous.startRate; }, gal / 60},
        {"wind mph", windRec(1, 1, 90, 1, 2, 1), [](const CWeatheringCore& c) { return c.wind[0].speed; }, 1.609 / 3.6},
        {"wind knots", windRec(2, 1, 90, 1, 2, 1), [](const CWeatheringCore& c) { return c.wind[0].speed; },
         1.852 / 3.6},
        {"wind m/s", windRec(3, 7, 90, 1, 2, 1), [](const CWeatheringCore& c) { return c.wind[0].speed; }, 7},
        {"wind 90 deg uses 3.14", windRec(3, 7, 90, 1, 2, 1), [](const CWeatheringCore& c) { return c.wind[0].dir; },
         1.57},
        {"wave m", windRec(3, 7, 90, 1, 2, 1), [](const CWeatheringCore& c) { return c.wave[0].height; }, 2},
        {"wave ft", windRec(3, 7, 90, 2, 10, 1), [](const CWeatheringCore& c) { return c.wave[0].height; }, 3.048},
        {"wave unknown code leaves it", windRec(3, 7, 90, 5, 10, 1),
         [](const CWeatheringCore& c) { return c.wave[0].height; }, M},
        {"hour after num is missing", windRec(3, 7, 90, 1, 2, 1), [](const CWeatheringCore& c) { return c.wind[1].speed; },
         M},
        {"fetch miles N", windRec(3, 7, 90, 1, 2, 1), [](const CWeatheringCore& c) { return c.fetch[0]; }, 1609.344},
        {"fetch km W", windRec(3, 7, 90, 1, 2, 2), [](const CWeatheringCore& c) { return c.fetch[3]; }, 2000},
        {"fetch code 3 stays 0", windRec(3, 7, 90, 1, 2, 3), [](const CWeatheringCore& c) { return c.fetch[0]; }, 0},
        {"fetch code 3 raises the flag", windRec(3, 7, 90, 1, 2, 3),
         [](const CWeatheringCore& c) { return double(c.weatherDirty); }, 1},
        {"water 32 F", water(1, 32, 3, 1), [](const CWeatheringCore& c) { return c.waterTemp; }, 273.15},
        {"water 32 F density at 0 C", water(1, 32, 3, 1), [](const CWeatheringCore& c) { return c.waterDensity; },
         CWeatheringCore::SeaWaterDensity(0, 32)},
        {"water 10 C", water(2, 10, 3, 1), [](const CWeatheringCore& c) { return c.waterTemp; }, 283.15},
        {"water sediment g/m3 -> kg/m3", water(2, 10, 3, 1), [](const CWeatheringCore& c) { return c.sediment; },
         0.005},
        {"current knots", water(2, 10, 2, 1), [](const CWeatheringCore& c) { return c.currentSpeed; }, 1.852 / 3.6},
        {"current direction", water(2, 10, 2, 1), [](const CWeatheringCore& c) { return c.currentDir; }, 3.14},
        {"burn thickness mm", burnRec(1, 3, 3, 100, 1, 0.05),
         [](const CWeatheringCore& c) { return c.burn.thickness[0]; }, 0.003},
        {"burn thickness cm", burnRec(2, 3, 3, 100, 1, 0.05),
         [](const CWeatheringCore& c) { return c.burn.thickness[0]; }, 0.03},
        {"burn thickness in", burnRec(3, 1, 3, 100, 1, 0.05),
         [](const CWeatheringCore& c) { return c.burn.thickness[0]; }, 0.0254},
        {"burn thickness missing", burnRec(1, M, 3, 100, 1, 0.05),
         [](const CWeatheringCore& c) { return c.burn.thickness[0]; }, M},
        {"burn area sq ft", burnRec(1, 3, 1, 100, 1, 0.05), [](const CWeatheringCore& c) { return c.burn.area[0]; },
         9.29335225},
        {"burn area missing", burnRec(1, 3, 1, 0, 1, 0.05), [](const CWeatheringCore& c) { return c.burn.area[0]; }, M},
        {"burn regression mm/s", burnRec(1, 3, 3, 100, 1, 0.05),
         [](const CWeatheringCore& c) { return c.burn.regression; }, 5e-5},
        {"burn regression in/s", burnRec(1, 3, 3, 100, 2, 1), [](const CWeatheringCore& c) { return c.burn.regression; },
         0.0254},
        {"burn regression -1 is missing", burnRec(1, 3, 3, 100, 1, -1),
         [](const CWeatheringCore& c) { return c.burn.regression; }, M},
        {"skim rate tons/h / rho1", skim(4, 2, 3, 5), [](const CWeatheringCore& c) { return c.skimmer.rate[0]; },
         2 * 907.2 / 850 / 3600},
        {"skim rate gal/min", skim(6, 2, 3, 5), [](const CWeatheringCore& c) { return c.skimmer.rate[0]; }, 2 * gal / 60},
        {"skim amount metric t / rho1", skim(3, 2, 5, 5), [](const CWeatheringCore& c) { return c.skimmer.amount[0]; },
         5000.0 / 850},
        {"skim without rate keeps it missing", skim(3, 0, 5, 5),
         [](const CWeatheringCore& c) { return c.skimmer.rate[0]; }, M},
        {"skim falls back to the API density",
         [](CWeatheringCore& c) {
             c.SetOil(Oil850());
             c.waterDensity = 1025;
             c.densityPts[0].value = -1;  // SetOil always fills it; only a direct write gets here
             InputSkimmer in;
             in.num = 1;
             in.startHour[0] = 1;
             in.amountUnits[0] = 5;
             in.amount[0] = 1;
             c.SetSkimmer(in);
         },
         [](const CWeatheringCore& c) { return c.skimmer.amount[0]; }, 1000 / (1025 * 141.5 / 161.5)},
        {"dispersant fractions",
         [](CWeatheringCore& c) {
             InputDispersant in;
             in.num = 1;
             in.startHour[0] = 2;
             in.duration[0] = 3;
             in.sprayed[0] = 40;
             in.dispersed[0] = 80;
             c.SetDispersant(in);
         },
         [](const CWeatheringCore& c) { return c.disp.fracSprayed[0] * 10 + c.disp.fracDispersed[0]; }, 4.8},
        {"uncertainty wind mph",
         [](CWeatheringCore& c) {
             InputUncertainty in;
             in.windFlag = 1;
             in.wind = 10;
             in.windUnits = 1;
             c.SetUncertainty(in);
         },
         [](const CWeatheringCore& c) { return c.windUnc; }, 16.09 / 3.6},
        {"uncertainty hours are whole",
         [](CWeatheringCore& c) {
             InputUncertainty in;
             in.emulFlag = 1;
             in.emul = 2.7;
             in.emulUnits = 2;
             c.SetUncertainty(in);
         },
         [](const CWeatheringCore& c) { return c.emulUncHours + 1000 * (c.emulUncPct == M); }, 1002},
        {"uncertainty off leaves volume missing",
         [](CWeatheringCore& c) {
             InputUncertainty in;
             in.vol = 20;
             c.SetUncertainty(in);
         },
         [](const CWeatheringCore& c) { return c.volUnc; }, M},
    };
    for (const Case& k : cases) {
        auto core = MakeCore();
        k.set(*core);
        Near(k.get(*core), k.want, k.name);
    }
}

TEST(ModelInputs, TankInFeetHoleInInches) {
    auto core = MakeCore();
    InputTank in;
    in.flag = 1;
    in.vent = 1;
    in.startHour = 2;
    in.tHeight = 10;
    in.tWidth = 20;
    in.tLength = 30;
    in.tUnits = 2;
    in.oVol = 100;
    in.oUnits = 3;
    in.hDiam = 4;
    in.hArea = 12.56;
    in.hUnits = 4;
    in.zHeight = 1;
    in.zUnits = 2;
    in.wHeight = 2;
    in.wUnits = 1;
    core->SetTankRelease(in);
    const STankRelease& t = core->tank;
    const double ft = 0.3048;
    Near(t.tankHeight, 10 * ft, "height");
    Near(t.bottomArea, 20 * ft * 30 * ft, "bottom");
    Near(t.tankVol, 10 * ft * 20 * ft * 30 * ft, "volume");
    Near(t.oilLevel, 100 / (600 * ft * ft), "oil level");
    Near(t.holeDiam, 4 * 0.0254, "hole diameter");
    Near(t.holeArea, 12.56 * 0.00064516, "hole area");
    Near(t.holeHeight, ft, "hole height");
    Near(t.waterHeight, 2, "water height");
    Near(t.Cd, 0.65, "Cd missing keeps 0.65");
    EXPECT_EQ(t.vent, 1);
    EXPECT_EQ(t.aground, 0);  // -999 in the record is not "aground"
    EXPECT_EQ(core->releaseDirty, 1);

    // Oil volume in cubic feet and a given Cd.
    in.oUnits = 4;
    in.Cd = 0.6;
    in.vent = MISSING_VALUE;  // never set: not vented
    core->SetTankRelease(in);
    Near(core->tank.oilVol, 100 * 0.028316846592, "cu ft");
    Near(core->tank.Cd, 0.6, "Cd given");
    EXPECT_EQ(core->tank.vent, 0);

    // The other opening and volume codes.
    struct Hole {
        int units;
        double diam, area;
    };
    for (Hole h : {Hole{1, 2, 3}, Hole{2, 0.02, 0.0003}, Hole{3, 2 * 0.3048, 3 * 0.0929335225}}) {
        in.hDiam = 2;
        in.hArea = 3;
        in.hUnits = h.units;
        core->SetTankRelease(in);
        Near(core->tank.holeDiam, h.diam, "hole diameter code " + std::to_string(h.units));
        Near(core->tank.holeArea, h.area, "hole area code " + std::to_string(h.units));
    }
    for (auto [units, vol] : {std::pair{1, 0.158987294928}, {2, 0.003785411784}, {3, 1.0}}) {
        in.oVol = 1;
        in.oUnits = units;
        core->SetTankRelease(in);
        Near(core->tank.oilVol, vol, "oil volume code " + std::to_string(units));
    }

    // Width and length both missing: -999 x -999 is no bottom, and the tank
    // then releases nothing.
    in.tWidth = in.tLength = M;
    core->SetTankRelease(in);
    EXPECT_EQ(core->tank.bottomArea, M);
    EXPECT_EQ(core->tank.tankVol, M);
    EXPECT_EQ(core->tank.oilLevel, M);
    double hourly[MAX_HOURS];
    EXPECT_EQ(core->ComputeTankRelease(hourly, 1025, 850), 0);
    for (double v : hourly) ASSERT_EQ(v, 0);
}

// An unknown unit code stops the setter: fields written before stay, later
// ones keep their values and the dirty flag stays down.
TEST(ModelInputs, UnknownUnitStopsTheSetter) {
    auto core = MakeCore();
    core->weatherDirty = 0;
    InputWater w;
    w.temperature = 10;
    w.tempUnits = 2;
    w.speed = 3;
    w.speedUnits = 0;  // no current entered
    w.direction = 90;
    core->SetWater(w);
    EXPECT_DOUBLE_EQ(core->waterTemp, 283.15);
    EXPECT_EQ(core->currentSpeed, M);
    EXPECT_EQ(core->currentDir, M);
    EXPECT_EQ(core->weatherDirty, 0);

    InputWindAndWave ww;
    ww.num = 2;
    ww.speedUnits = 9;
    ww.speed[0] = ww.speed[1] = 5;
    core->SetWindAndWave(ww);
    EXPECT_EQ(core->wind[0].speed, M);
    EXPECT_EQ(core->weatherDirty, 0);

    core->releaseDirty = 0;
    InputInstant in;
    in.flag = 1;
    in.startHour = 4;
    in.vol = 10;
    in.volUnits = 0;
    core->SetInstantRelease(in);
    EXPECT_EQ(core->instant.flag, 1);
    EXPECT_EQ(core->instant.startHour, 4);
    EXPECT_EQ(core->instant.vol, M);
    EXPECT_EQ(core->releaseDirty, 0);

    // Tank with an unknown hole unit: dimensions written, hole and heights not.
    InputTank t;
    t.flag = 1;
    t.tHeight = t.tWidth = t.tLength = 10;
    t.oVol = 500;
    t.oUnits = 3;
    t.hDiam = 0.1;
    t.hArea = 0.00785;
    t.hUnits = 7;
    t.zHeight = 1;
    core->SetTankRelease(t);
    EXPECT_DOUBLE_EQ(core->tank.oilLevel, 5);
    EXPECT_EQ(core->tank.holeDiam, M);
    EXPECT_EQ(core->tank.holeHeight, M);
    EXPECT_EQ(core->releaseDirty, 0);
}

TEST(ModelInputs, ContainedReleaseWritesTheInstantBlock) {
    auto core = MakeCore();
    core->SetOil(Oil850());
    InputBoomed b;
    b.flag = 1;
    b.startHour = 1;
    b.vol = 100;
    b.volUnits = 1;
    b.area = 10;
    b.areaUnits = 2;
    core->SetBoomedRelease(b);
    EXPECT_EQ(core->instant.flag, 1);
    Near(core->instant.vol, 15.8987294928, "vol");
    Near(core->containedArea, 8.362188025, "area sq yd");

    // An instantaneous release after it clears the contained area.
    InputInstant in;
    in.flag = 1;
    in.startHour = 1;
    in.vol = 5;
    in.volUnits = 3;
    core->SetInstantRelease(in);
    EXPECT_EQ(core->containedArea, M);

    // A contained record without its flag makes no contained slick.
    b.flag = 0;
    core->SetBoomedRelease(b);
    EXPECT_EQ(core->containedArea, M);
}

// Beached amounts: hours without an amount (0 or -999) and beaching never
// entered give no beaching at all, never a negative rate.
TEST(ModelInputs, BeachedRates) {
    auto core = MakeCore();
    core->SetOil(Oil850());
    InputBeached in;
    in.volUnits = 3;
    in.vol[0] = 3600;
    in.vol[1] = 0;
    in.vol[5] = 7200;
    core->SetBeached(in);  // the other hours stay -999
    EXPECT_DOUBLE_EQ(core->resp[0].beach, 1);
    EXPECT_DOUBLE_EQ(core->resp[1].beach, 0);
    EXPECT_DOUBLE_EQ(core->resp[2].beach, 0);
    EXPECT_DOUBLE_EQ(core->resp[5].beach, 2);
    EXPECT_DOUBLE_EQ(core->resp[119].beach, 0);

    in.volUnits = 5;
    core->SetBeached(in);
    Near(core->resp[0].beach, 3600.0 * 1000 / 850 / 3600, "metric tons");

    core->responseDirty = 0;
    InputBeached never;  // unit 0, all -999
    core->SetBeached(never);
    for (int h = 0; h < MAX_HOURS; ++h) ASSERT_EQ(core->resp[h].beach, 0) << h;
    EXPECT_EQ(core->responseDirty, 1);
}

TEST(ModelInputs, OilRecordCopy) {
    auto core = MakeCore();
    InputOil o = Oil850();
    // The product type is 8 raw bytes without a terminating NUL.
    std::memcpy(o.productType, "refinedX", 8);
    o.dist_temp[0] = 350;
    o.dist_frac[0] = 0.1;
    o.dist_temp[1] = 400;
    o.dist_frac[1] = 0.3;
    o.dist_temp[2] = 450;  // its fraction is missing: the copy stops here
    o.dist_temp[3] = 500;
    o.dist_frac[3] = 0.6;
    o.dist_volumeFrac = 1;
    core->SetOil(o);
    EXPECT_STREQ(core->productType, "refined");
    EXPECT_EQ(core->cutCount, 2);
    EXPECT_EQ(core->cutKind, 2);
    EXPECT_EQ(core->dist_temp[2], M);
    EXPECT_EQ(core->oilDirty, 1);

    o.dist_volumeFrac = 0;
    core->SetOil(o);
    EXPECT_EQ(core->cutKind, 3);

    o.dist_frac[0] = M;
    std::memcpy(o.productType, "crude\0\0\0", 8);
    core->SetOil(o);
    EXPECT_EQ(core->cutKind, 1);
    EXPECT_EQ(core->cutCount, 0);
    EXPECT_STREQ(core->productType, "crude");

    // No density point and no API: nothing to derive a density from.
    InputOil none;
    core->SetOil(none);
    EXPECT_LT(core->densityPts[0].value, 0);
}

// Counts beyond the record's arrays are held to them.
TEST(ModelInputs, CountsAreBounded) {
    auto core = MakeCore();
    InputWindAndWave w;
    w.num = 500;
    w.speedUnits = 3;
    for (int i = 0; i < MAX_HOURS; ++i) w.speed[i] = 4, w.direction[i] = 0, w.waveHt[i] = M;
    core->SetWindAndWave(w);
    EXPECT_DOUBLE_EQ(core->wind[119].speed, 4);

    InputDispersant d;
    d.num = 9;
    for (int i = 0; i < MAX_OPERATIONS; ++i) d.startHour[i] = i + 1, d.duration[i] = 1, d.sprayed[i] = d.dispersed[i] = 50;
    core->SetDispersant(d);
    EXPECT_EQ(core->disp.startHour[4], 5);

    InputSkimmer s;
    s.num = -3;
    core->SetSkimmer(s);
    EXPECT_EQ(core->skimmer.startHour[0], MISSING_VALUE);
}
