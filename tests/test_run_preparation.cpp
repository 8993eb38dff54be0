#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <numeric>
#include <string>
#include <vector>

#include "model/WeatheringCore.h"
#include "tests/support/ScenarioBuilder.h"

using namespace model;

namespace {

constexpr double kPi = 3.14;  // the model's pi

// A core filled through the setters with a library oil, a constant wind of
// the given hours and 15 C water; no release yet.
std::unique_ptr<CWeatheringCore> MakeCoreWithWeather(int hours, double speed = 5.0, double dirDeg = 45.0) {
    auto c = std::make_unique<CWeatheringCore>();
    c->SetSeed(7);
    InputOil oil;
    EXPECT_TRUE(tavro_test::LoadLibraryOil("Alberta Sweet Mixed Blend #5", oil));
    c->SetOil(oil);
    InputWindAndWave w;
    w.num = hours;
    w.speedUnits = SPEED_CODE_MS;
    for (int h = 0; h < hours; ++h) {
        w.speed[h] = speed;
        w.direction[h] = dirDeg;
    }
    c->SetWindAndWave(w);
    InputWater water;
    water.temperature = 15.0;
    water.tempUnits = WTEMP_C;
    water.speed = 0.0;
    water.speedUnits = SPEED_CODE_MS;
    water.direction = 0.0;
    c->SetWater(water);
    c->SetUncertainty(InputUncertainty{});
    InputBeached b;
    b.volUnits = RVOL_CUM;
    for (double& v : b.vol) v = 0.0;
    c->SetBeached(b);
    return c;
}

void SetInstant(CWeatheringCore& c, int startHour, double m3) {
    InputInstant in;
    in.flag = 1;
    in.startHour = startHour;
    in.vol = m3;
    in.volUnits = RVOL_CUM;
    c.SetInstantRelease(in);
}

void SetContinuous(CWeatheringCore& c, int startHour, int endHour, double m3PerHourStart, double m3PerHourEnd) {
    InputContinuous in;
    in.flag = 1;
    in.startHour = startHour;
    in.endHour = endHour;
    in.startRate = m3PerHourStart;
    in.endRate = m3PerHourEnd;
    in.rateUnits = 3;
    c.SetContinuousRelease(in);
}

// A bare core whose oil and water fields are filled by hand (an oil of
// API 35.7 at its API density, in 15 C sea water), for the routines that do
// not need the oil properties.
std::unique_ptr<CWeatheringCore> MakeHandCore(int hours) {
    auto c = std::make_unique<CWeatheringCore>();
    c->SetSeed(11);
    c->runHours = hours;
    c->waterDensity = CWeatheringCore::SeaWaterDensity(15.0, 32.0);
    c->rho = 141500.0 / (35.7 + 131.5);
    c->visc = 1e-5;
    c->minThickness = 0.0001;
    EXPECT_EQ(c->ComputeSpreadingConstant(), CWeatheringCore::RUN_OK);
    return c;
}

int SumCounts(const CWeatheringCore& c) {
    int n = 0;
    for (int h = 0; h < c.runHours; ++h) n += c.hour[h].count;
    return n;
}

}  // namespace

TEST(RunPreparation, StepsPerHourAndTimeStep) {
    struct Case {
        int hours, steps, dt;
    };
    for (Case k : {Case{12, 8, 450}, Case{13, 6, 600}, Case{24, 6, 600}, Case{25, 4, 900}, Case{48, 4, 900},
                   Case{49, 2, 1800}, Case{120, 2, 1800}}) {
        auto c = MakeCoreWithWeather(k.hours);
        SetInstant(*c, 1, 10.0);
        ASSERT_EQ(c->PrepareRun(), CWeatheringCore::RUN_OK) << k.hours;
        EXPECT_EQ(c->runHours, k.hours);
        EXPECT_EQ(c->stepsPerHour, k.steps) << k.hours;
        EXPECT_EQ(c->dt, k.dt) << k.hours;
        EXPECT_EQ(c->nSteps, k.hours * k.steps) << k.hours;
        EXPECT_EQ(c->weatherDirty + c->oilDirty + c->releaseDirty + c->responseDirty, 0);
    }
}

TEST(RunPreparation, SpreadingConstantAndSubSlickGeometry) {
    auto c = MakeHandCore(6);
    const double delta = (c->waterDensity - c->rho) / c->waterDensity;
    EXPECT_DOUBLE_EQ(c->delta, delta);
    EXPECT_DOUBLE_EQ(c->spreadConst, std::pow(9.8 * delta / std::sqrt(1e-6), 0.33) * 1.21 * 1.21 / 16);
    // Hours of 5, 20, 30 and 40 m3: the large hours are damped by the
    // volumes of the two hours before them.
    const double vols[6] = {5, 20, 30, 40, 0, 0};
    for (int h = 0; h < 6; ++h) c->releaseVol[h] = vols[h];
    c->SetupSubSlicks();
    for (int h = 0; h < 4; ++h) {
        const double V = vols[h];
        const double V1 = h >= 1 ? vols[h - 1] : 0, V2 = h >= 2 ? vols[h - 2] : 0;
        const double u = V > 10 ? std::pow(10 / (V + 0.5 * V1 + 0.25 * V2), 1.0 / 3) : 1.0;
        const double area = std::pow(std::pow(V, 5) * 9.8 * delta / 1e-12, 1.0 / 6) * u * kPi *
                            std::pow(1.21, 4) / (1.53 * 1.53);
        EXPECT_NEAR(c->hour[h].area, area, 1e-12 * area) << h;
        EXPECT_DOUBLE_EQ(c->hour[h].radius, std::sqrt(c->hour[h].area / kPi));
        EXPECT_DOUBLE_EQ(c->hour[h].spreadTerm, c->spreadConst * std::pow(V, 2.0 / 3));
    }
    EXPECT_EQ(c->hour[4].area, 0.0);
    EXPECT_EQ(c->hour[5].count, 0);
    EXPECT_DOUBLE_EQ(c->hour[5].cumVol, 95.0);
    EXPECT_EQ(c->releaseHours, 4);
}

TEST(RunPreparation, ElementBudgets) {
    struct Case {
        std::string name;
        std::vector<double> vols;  // m3 per hour from hour 0
        int runHours;
        int firstHour, laterHours;  // elements of hour 0 and of each later hour
        int total;
    };
    std::vector<double> tank(120, 0.01);
    tank[0] = 1000.0;
    // Budgets: 120 for 5 m3, 180 for 500 m3, 240 from 1000 m3 or 120 hours;
    // an hour gets its share of the budget, cut to a whole number, at least 2.
    const std::vector<Case> cases = {
        {"5 m3 in one hour", {5.0}, 12, 120, 0, 120},
        {"500 m3 over 3 hours: 60 each", {500.0 / 3, 500.0 / 3, 500.0 / 3}, 12, 60, 60, 180},
        {"1000 m3 in one hour: 239.99.. is cut to 239", {1000.0}, 12, 239, 0, 239},
        {"120 hours of 1 m3: 2 each", std::vector<double>(120, 1.0), 120, 2, 2, 240},
        {"front-loaded leak: 1000 / (1001.19 / 240) = 239.7, then 2 each", tank, 120, 239, 2, 477},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        auto c = MakeHandCore(k.runHours);
        for (size_t h = 0; h < k.vols.size(); ++h) c->releaseVol[h] = k.vols[h];
        c->SetupSubSlicks();
        int cum = 0;
        for (size_t h = 0; h < k.vols.size(); ++h) {
            const int n = h == 0 ? k.firstHour : k.laterHours;
            EXPECT_EQ(c->hour[h].count, n) << h;
            EXPECT_DOUBLE_EQ(c->hour[h].volPerLE * n, k.vols[h]);
            cum += n;
            EXPECT_EQ(c->hour[h].cumCount, cum);
        }
        EXPECT_EQ(c->leCount, k.total);
        EXPECT_EQ(SumCounts(*c), k.total);
    }

    // Contained: two elements in the first hour, none later.
    auto c = MakeHandCore(24);
    c->releaseVol[0] = 300.0;
    c->containedArea = 5000.0;
    c->SetupSubSlicks();
    EXPECT_EQ(c->leCount, 2);
    EXPECT_EQ(c->releaseHours, 1);
    EXPECT_EQ(c->hour[0].count, 2);
    EXPECT_DOUBLE_EQ(c->hour[0].volPerLE, 150.0);
    EXPECT_DOUBLE_EQ(c->hour[0].area, 5000.0);
    EXPECT_DOUBLE_EQ(c->hour[0].spreadTerm, std::pow(300.0, 2.0 / 3) * c->spreadConst);
    for (int h = 1; h < 24; ++h) {
        EXPECT_EQ(c->hour[h].count, 0);
        EXPECT_EQ(c->hour[h].cumCount, 2);
        EXPECT_DOUBLE_EQ(c->hour[h].cumVol, 300.0);
        EXPECT_EQ(c->hour[h].area, 0.0);
    }
}

TEST(RunPreparation, ReleaseSchedule) {
    {
        // A continuous ramp: hour k gets the rate at its middle; the hours sum
        // to the trapezoid.
        auto c = MakeCoreWithWeather(24);
        SetContinuous(*c, 3, 12, 36.0, 180.0);
        ASSERT_EQ(c->PrepareRun(), CWeatheringCore::RUN_OK);
        const double start = 36.0 / 3600, end = 180.0 / 3600;
        const int n = 10;
        const double slope = (end - start) / n;
        double sum = 0;
        for (int h = 0; h < 24; ++h) {
            const int k = h - 2;
            const double want = (k >= 0 && k < n) ? ((k + 0.5) * slope + start) * 3600 : 0.0;
            EXPECT_NEAR(c->releaseVol[h], want, 1e-12) << h;
            sum += c->releaseVol[h];
        }
        EXPECT_NEAR(sum, n * (start + end) / 2 * 3600, 1e-9);
        for (int h = 24; h < MAX_HOURS; ++h) EXPECT_EQ(c->releaseVol[h], 0.0);
    }
    {
        // Instantaneous and continuous releases in the same hour add up.
        auto c = MakeCoreWithWeather(24);
        SetInstant(*c, 5, 50.0);
        SetContinuous(*c, 5, 5, 20.0, 20.0);
        ASSERT_EQ(c->PrepareRun(), CWeatheringCore::RUN_OK);
        EXPECT_NEAR(c->releaseVol[4], 70.0, 1e-12);
        EXPECT_NEAR(c->hour[4].vol, 70.0, 1e-12);
    }
    {
        // Release hours outside the run are ignored; nothing is written past it.
        auto c = MakeCoreWithWeather(10);
        SetInstant(*c, 30, 50.0);
        SetContinuous(*c, 8, 200, 10.0, 10.0);
        ASSERT_EQ(c->PrepareRun(), CWeatheringCore::RUN_OK);
        for (int h = 0; h < MAX_HOURS; ++h) EXPECT_EQ(c->releaseVol[h], (h >= 7 && h < 10) ? 10.0 : 0.0) << h;
        EXPECT_EQ(c->leCount, c->hour[9].cumCount);
    }
    {
        // A leaking tank: its hourly volumes from its start hour, and the last
        // hour with outflow.
        auto c = MakeCoreWithWeather(48);
        InputTank in;
        in.flag = 1;
        in.vent = 1;
        in.aground = 0;
        in.startHour = 4;
        in.tHeight = 15.0;
        in.tWidth = 20.0;
        in.tLength = 20.0;
        in.oVol = 5000.0;
        in.oUnits = 3;
        in.hDiam = 0.3;
        in.hArea = 0.0707;
        in.zHeight = 2.0;
        in.wHeight = 1.0;
        c->SetTankRelease(in);
        ASSERT_EQ(c->PrepareRun(), CWeatheringCore::RUN_OK);
        auto ref = std::make_unique<CWeatheringCore>();
        ref->SetTankRelease(in);
        double hourly[MAX_HOURS] = {};
        ref->ComputeTankRelease(hourly, c->waterDensity, c->rho);
        int last = 0;
        for (int k = 0; k + 3 < 48; ++k) {
            EXPECT_DOUBLE_EQ(c->releaseVol[3 + k], hourly[k]) << k;
            if (hourly[k] > 0) last = 4 + k;
        }
        EXPECT_GT(last, 4);
        EXPECT_EQ(c->tank.endHour, last);
        EXPECT_EQ(c->releaseVol[2], 0.0);
    }
}

TEST(RunPreparation, ResponseSchedules) {
    struct Case {
        std::string name;
        void (*setUp)(CWeatheringCore&);
        std::vector<std::pair<int, double>> burn;  // (0-based hour, m3/s); others 0
    };
    const std::vector<Case> cases = {
        {"5400 s from hour 3",
         [](CWeatheringCore& c) {
             c.burn.startHour[0] = 3;
             c.burn.burnRate[0] = 0.01;
             c.burn.duration[0] = 5400;
         },
         {{2, 0.01}, {3, 0.005}}},
        {"1800 s at hour 2",
         [](CWeatheringCore& c) {
             c.burn.startHour[0] = 2;
             c.burn.burnRate[0] = 0.01;
             c.burn.duration[0] = 1800;
         },
         {{1, 0.005}}},
        {"two short burns in one hour add",
         [](CWeatheringCore& c) {
             for (int i : {0, 1}) {
                 c.burn.startHour[i] = 2;
                 c.burn.burnRate[i] = 0.01;
                 c.burn.duration[i] = 1800;
             }
         },
         {{1, 0.01}}},
        {"start hour 0 is not scheduled",
         [](CWeatheringCore& c) {
             c.burn.startHour[0] = 0;
             c.burn.burnRate[0] = 0.01;
             c.burn.duration[0] = 1800;
         },
         {}},
        {"a gap in the list is skipped",
         [](CWeatheringCore& c) {
             c.burn.startHour[2] = 4;
             c.burn.burnRate[2] = 0.02;
             c.burn.duration[2] = 7200;
         },
         {{3, 0.02}, {4, 0.02}}},
        {"rate and duration from thickness and area",
         [](CWeatheringCore& c) {
             c.burn.startHour[0] = 5;
             c.burn.thickness[0] = 0.005;
             c.burn.area[0] = 5000.0;
         },
         {{4, int(0.005 / 4.0e-5) * (4.0e-5 * 5000.0) / 3600}}},
        {"missing area burns nothing",
         [](CWeatheringCore& c) {
             c.burn.startHour[0] = 5;
             c.burn.thickness[0] = 0.005;
         },
         {}},
        {"a burn past the run ends with it",
         [](CWeatheringCore& c) {
             c.burn.startHour[0] = 23;
             c.burn.burnRate[0] = 0.01;
             c.burn.duration[0] = 4 * 3600;
         },
         {{22, 0.01}}},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        auto c = MakeHandCore(24);
        k.setUp(*c);
        c->BuildResponseSchedules();
        for (int h = 0; h < MAX_HOURS; ++h) {
            double want = 0;
            for (auto [hh, v] : k.burn)
                if (hh == h) want = v;
            EXPECT_NEAR(c->resp[h].burn, want, 1e-15) << h;
        }
    }

    // Skimming: by rate, by amount over the duration, and neither (rate 0,
    // one message for two such operations).
    {
        platform::RecordingMessages rec;
        auto c = MakeHandCore(24);
        c->SetMessages(&rec);
        c->skimmer.startHour[0] = 2;
        c->skimmer.duration[0] = 3;
        c->skimmer.rate[0] = 0.004;
        c->skimmer.startHour[1] = 3;
        c->skimmer.duration[1] = 2;
        c->skimmer.amount[1] = 72.0;
        c->skimmer.startHour[2] = 10;
        c->skimmer.duration[2] = 2;
        c->skimmer.startHour[3] = 12;
        c->skimmer.duration[3] = 2;
        c->skimmer.startHour[4] = 23;
        c->skimmer.duration[4] = 10;
        c->skimmer.rate[4] = 0.001;
        c->BuildResponseSchedules();
        const double want[24] = {0, 0.004, 0.014, 0.014, 0, 0, 0, 0, 0, 0, 0, 0,
                                 0, 0,     0,     0,     0, 0, 0, 0, 0, 0, 0.001, 0.001};
        for (int h = 0; h < 24; ++h) EXPECT_NEAR(c->resp[h].skim, want[h], 1e-15) << h;
        EXPECT_EQ(c->resp[24].skim, 0.0);
        EXPECT_EQ(rec.Texts(), std::vector<std::string>{"No skim rate or amount"});
    }
    // Durations too large for the hour arithmetic (a damaged file) end with
    // the run.
    {
        auto c = MakeHandCore(24);
        c->skimmer.startHour[0] = 20;
        c->skimmer.duration[0] = std::numeric_limits<int>::max();
        c->skimmer.rate[0] = 0.002;
        c->disp.startHour[0] = 22;
        c->disp.duration[0] = std::numeric_limits<int>::max();
        c->disp.fracDispersed[0] = 0.5;
        c->disp.fracSprayed[0] = 0.6;
        c->BuildResponseSchedules();
        for (int h = 0; h < MAX_HOURS; ++h) {
            EXPECT_EQ(c->resp[h].skim, h >= 19 && h < 24 ? 0.002 : 0.0) << h;
            EXPECT_NEAR(c->resp[h].chemDisp, h >= 21 && h < 24 ? 0.3 / (3 * 3600) : 0.0, 1e-15) << h;
        }
    }
    // Dispersant: a spray cut by the end of the run keeps its total
    // fraction; overlapping sprays treat at most the whole slick.
    {
        auto c = MakeHandCore(24);
        c->disp.startHour[0] = 22;
        c->disp.duration[0] = 5;
        c->disp.fracDispersed[0] = 0.6;
        c->disp.fracSprayed[0] = 0.8;
        c->disp.startHour[1] = 23;
        c->disp.duration[1] = 1;
        c->disp.fracDispersed[1] = 0.5;
        c->disp.fracSprayed[1] = 0.7;
        c->disp.startHour[2] = 30;  // after the run
        c->disp.duration[2] = 2;
        c->disp.fracDispersed[2] = 0.5;
        c->disp.fracSprayed[2] = 0.5;
        c->BuildResponseSchedules();
        double total = 0;
        for (int h = 0; h < MAX_HOURS; ++h) total += c->resp[h].chemDisp * 3600;
        EXPECT_NEAR(total, 0.6 * 0.8 + 0.5 * 0.7, 1e-12);
        EXPECT_NEAR(c->resp[21].chemDisp, 0.48 / (3 * 3600), 1e-15);
        EXPECT_EQ(c->resp[21].sprayed, 0.8);
        EXPECT_EQ(c->resp[22].sprayed, 1.0);
        EXPECT_EQ(c->resp[24].sprayed, 0.0);
    }
}

TEST(RunPreparation, WaveEnergyBranches) {
    constexpr double g = 9.8;
    auto developed = [](double u) { return u > 20.65 ? u * std::sqrt(1e6 / 9.8) * 0.0016 : u * u * 0.243 / 9.8; };
    auto stress = [](double u) { return 0.71 * std::pow(u, 1.23); };
    auto breaking = [](double u) {
        double f = u < 3 ? 0 : u < 4 ? (u - 3) * 0.025 : (0.01 * u + 0.01) * 0.5;
        return std::min(1.0, f) / 3.85;
    };
    struct Case {
        std::string name;
        double speed, dir, height;  // hour 0
        double fetch[4];
        double wantH, wantU;
    };
    const double fd = std::sqrt(std::pow(1000 * std::sin(0.5), 2) + std::pow(1000 * std::cos(0.5), 2));
    const double light = (2.0286 * std::sqrt(g * 0.1) / 0.71);
    const std::vector<Case> cases = {
        {"entered height, light wind equivalent", 0, 0, 0.1, {0, 0, 0, 0}, 0.1, std::pow(light, 0.813)},
        {"entered height", 0, 0, 1.0, {0, 0, 0, 0}, 1.0, 2.0286 * std::sqrt(g * 1.0)},
        {"developed, light wind", 3.0, 1.0, -999, {0, 0, 0, 0}, stress(3) * stress(3) * 0.243 / g, 3.0},
        {"developed", 10.0, 1.0, -999, {0, 0, 0, 0}, developed(10), 10.0},
        {"developed, strong wind", 25.0, 1.0, -999, {0, 0, 0, 0}, developed(25), 25.0},
        {"fetch-limited", 10.0, 0.5, -999, {1000, 1000, 1000, 1000}, 10 * std::sqrt(fd / g) * 0.0016, 10.0},
        {"fetch-limited, light wind", 3.0, 0.5, -999, {1000, 1000, 1000, 1000},
         stress(3) * std::sqrt(fd / g) * 0.0016, 3.0},
        {"breaking 2.9", 2.9, 1.0, -999, {0, 0, 0, 0}, stress(2.9) * stress(2.9) * 0.243 / g, 2.9},
        {"breaking 3.5", 3.5, 1.0, -999, {0, 0, 0, 0}, stress(3.5) * stress(3.5) * 0.243 / g, 3.5},
        {"breaking 4.0", 4.0, 1.0, -999, {0, 0, 0, 0}, stress(4.0) * stress(4.0) * 0.243 / g, 4.0},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        auto c = MakeHandCore(1);
        c->wind[0].speed = k.speed;
        c->wind[0].dir = k.dir;
        c->wave[0].height = k.height;
        for (int i = 0; i < 4; ++i) c->fetch[i] = k.fetch[i];
        c->Wave_Energy();
        const double hrms = 0.707 * k.wantH;
        for (int col = 0; col < 3; ++col) {  // no uncertainty: all columns equal
            EXPECT_NEAR(c->wave[0].Hrms[col], hrms, 1e-12 * hrms + 1e-15);
            EXPECT_NEAR(c->wave[0].f_bw[col], breaking(k.wantU), 1e-15);
            EXPECT_NEAR(c->wave[0].De[col], c->waterDensity * 0.0034 * 9.8 * hrms * hrms, 1e-9);
        }
    }
    // The two pieces of the breaking fraction meet at 4 m/s: 0.025 of the
    // waves break on either side.
    {
        auto fraction = [](double speed) {
            auto c = MakeHandCore(1);
            c->wind[0] = {speed, 1.0, 0, 0, 0};
            c->wave[0].height = -999;
            for (double& f : c->fetch) f = 0;
            c->Wave_Energy();
            return c->wave[0].f_bw[0];
        };
        const double below = fraction(3.999), above = fraction(4.001);
        EXPECT_NEAR(below, 0.999 * 0.025 / 3.85, 1e-15);
        EXPECT_NEAR(above, (0.04001 + 0.01) * 0.5 / 3.85, 1e-15);
        EXPECT_LT(std::fabs(above - below), 1e-4 / 3.85);
    }
    {
        auto c = MakeHandCore(1);
        c->wind[0] = {10.0, 0, 0, 0, 0};
        c->Wave_Energy();
        EXPECT_NEAR(c->wave[0].f_bw[0], 0.055 / 3.85, 1e-15);
    }

    // The quadrant of the direction picks the fetches.
    struct Quadrant {
        double dir, want;
    };
    const double f[4] = {1000, 2000, 3000, 4000};
    auto F = [](double fs, double fc, double a) { return std::sqrt(std::pow(fs * std::sin(a), 2) + std::pow(fc * std::cos(a), 2)); };
    for (Quadrant q : {Quadrant{0.5, F(f[1], f[0], 0.5)}, Quadrant{2.0, F(f[1], f[2], kPi - 2.0)},
                       Quadrant{3.5, F(f[3], f[2], 3.5 - kPi)}, Quadrant{5.5, F(f[3], f[0], 2 * kPi - 5.5)}}) {
        auto c = MakeHandCore(1);
        c->wind[0].speed = 8.0;
        c->wind[0].dir = q.dir;
        for (int i = 0; i < 4; ++i) c->fetch[i] = f[i];
        c->Wave_Energy();
        EXPECT_DOUBLE_EQ(c->wind[0].fetch, q.want) << q.dir;
    }

    // The trailing mean of the winds: hour 0 alone, then the mean of two,
    // then 0.333 x the sum of three.
    {
        auto c = MakeHandCore(3);
        const double s[3] = {2.0, 4.0, 9.0};
        for (int h = 0; h < 3; ++h) c->wind[h] = {s[h], 1.0, 0, 0, 0};
        c->Wave_Energy();
        const double u[3] = {2.0, 3.0, 0.333 * 15.0};
        for (int h = 0; h < 3; ++h) {
            const double H = u[h] < 4.429 ? stress(u[h]) * stress(u[h]) * 0.243 / g : developed(u[h]);
            EXPECT_NEAR(c->wave[h].Hrms[0], 0.707 * H, 1e-12) << h;
        }
    }

    // Wind uncertainty: the raised wind stops at 30 m/s, the lowered at 1.
    {
        auto c = MakeHandCore(2);
        c->windFlag = 1;
        c->windUnc = 5.0;
        c->wind[0] = {28.0, 1.0, 0, 0, 0};
        c->Wave_Energy();
        EXPECT_NEAR(c->wave[0].Hrms[1], 0.707 * developed(30.0), 1e-12);
        EXPECT_NEAR(c->wave[0].Hrms[2], 0.707 * developed(23.0), 1e-12);
        c->wind[0] = {3.0, 1.0, 0, 0, 0};
        c->Wave_Energy();
        EXPECT_NEAR(c->wave[0].Hrms[2], 0.707 * stress(1.0) * stress(1.0) * 0.243 / g, 1e-12);
        EXPECT_NEAR(c->wave[0].f_bw[1], breaking(8.0), 1e-15);
    }

    // A direction outside the accepted range: the message once, and the hours
    // are still filled as for the direction brought into one turn.
    {
        platform::RecordingMessages rec;
        auto c = MakeHandCore(3);
        c->SetMessages(&rec);
        for (int h = 0; h < 3; ++h) c->wind[h] = {6.0, -0.5, 0, 0, 0};
        for (int i = 0; i < 4; ++i) c->fetch[i] = f[i];
        c->Wave_Energy();
        EXPECT_EQ(rec.Texts(), std::vector<std::string>{"Wave_Energy: angle must be between 0 and pi"});
        auto ref = MakeHandCore(3);
        for (int h = 0; h < 3; ++h) ref->wind[h] = {6.0, 2 * kPi - 0.5, 0, 0, 0};
        for (int i = 0; i < 4; ++i) ref->fetch[i] = f[i];
        ref->Wave_Energy();
        for (int h = 0; h < 3; ++h) {
            EXPECT_EQ(c->wave[h], ref->wave[h]) << h;
            EXPECT_GT(c->wave[h].Hrms[0], 0.0);
        }
    }
}

TEST(RunPreparation, PlacementInsideEachSubSlick) {
    auto c = MakeCoreWithWeather(24);
    SetContinuous(*c, 1, 6, 100.0, 40.0);
    SetInstant(*c, 3, 400.0);
    ASSERT_EQ(c->PrepareRun(), CWeatheringCore::RUN_OK);
    int slot = 0;
    for (int h = 0; h < c->runHours; ++h) {
        const SReleaseHour& r = c->hour[h];
        for (int k = 0; k < r.count; ++k, ++slot) {
            const SLERecord& e = c->le[slot];
            EXPECT_LE(e.x * e.x + e.y * e.y, r.area / kPi) << slot;
            EXPECT_EQ(e.releaseTime, h + 1);
            EXPECT_EQ(e.releaseHour, h);
            EXPECT_DOUBLE_EQ(e.area[h], r.area / r.count);
            EXPECT_EQ(e.minArea, e.area[h]);
            EXPECT_EQ(e.vol0, r.volPerLE);
            EXPECT_EQ(e.Vol, r.volPerLE);
            EXPECT_EQ(e.spreadCoef, r.spreadTerm);
            EXPECT_GE(e.alpha, 0.0);
            EXPECT_LE(e.alpha, 1.0);
            EXPECT_EQ(e.Y, 0.0);
            EXPECT_EQ(e.rho, c->rho);
        }
    }
    EXPECT_EQ(slot, c->leCount);
    EXPECT_EQ(c->le[slot].Vol, MISSING_VALUE_D);

    // The same seed places the same; another seed does not.
    auto again = MakeCoreWithWeather(24);
    SetContinuous(*again, 1, 6, 100.0, 40.0);
    SetInstant(*again, 3, 400.0);
    ASSERT_EQ(again->PrepareRun(), CWeatheringCore::RUN_OK);
    EXPECT_EQ(c->le[0], again->le[0]);
    EXPECT_EQ(c->le[slot - 1], again->le[slot - 1]);
    auto other = MakeCoreWithWeather(24);
    other->SetSeed(8);
    SetContinuous(*other, 1, 6, 100.0, 40.0);
    SetInstant(*other, 3, 400.0);
    ASSERT_EQ(other->PrepareRun(), CWeatheringCore::RUN_OK);
    EXPECT_NE(c->le[0].x, other->le[0].x);
}

TEST(RunPreparation, PlacementGuards) {
    {
        // A disc the generator can practically never hit: the retries stop
        // and the element sits at the centre.
        auto c = MakeHandCore(2);
        c->hour[0] = {1.0, 1.0, 1e-300, 1.0, 1.0, 2, 2, 0.5};
        c->hour[1] = {0.0, 1.0, 0.0, 0.0, 0.0, 0, 2, 0.0};
        c->leCount = 2;
        c->PlaceInitialElements();
        EXPECT_EQ(c->le[0].x, 0.0);
        EXPECT_EQ(c->le[0].y, 0.0);
        EXPECT_EQ(c->le[1].Vol, 0.5);
    }
    {
        // A sub-slick without area stops the placement with the message.
        platform::RecordingMessages rec;
        auto c = MakeHandCore(2);
        c->SetMessages(&rec);
        c->hour[0] = {1.0, 1.0, 0.0, 0.0, 1.0, 2, 2, 0.5};
        c->leCount = 2;
        c->PlaceInitialElements();
        EXPECT_EQ(rec.Texts(), std::vector<std::string>{"Initial LE area not properly set"});
        EXPECT_EQ(c->le[0].Vol, MISSING_VALUE_D);
        EXPECT_EQ(c->le[1].Vol, MISSING_VALUE_D);
    }
}

TEST(RunPreparation, Alpha3Mapping) {
    EXPECT_EQ(CWeatheringCore::Alpha3Fraction(0), 0.0);
    EXPECT_EQ(CWeatheringCore::Alpha3Fraction(32767), 1.0);
    EXPECT_NEAR(CWeatheringCore::Alpha3Fraction(16384), 0.556, 1e-12);
    EXPECT_NEAR(CWeatheringCore::Alpha3Fraction(8192), 0.25 * 1.254 - 0.071, 1e-12);
    // Alpha3 draws one number per element from the model's generator.
    auto c = MakeHandCore(1);
    c->SetSeed(99);
    c->EndRandomSolve();
    double out[5];
    c->Alpha3(5, out);
    platform::CModelRandom ref(99);
    for (double v : out) EXPECT_EQ(v, CWeatheringCore::Alpha3Fraction(ref.Next()));
}

TEST(RunPreparation, SolvesAreSeededOnceEach) {
    // Two solves of one core with the same seed place the same elements; the
    // seeding points inside a solve do not restart the sequence.
    auto run = [](CWeatheringCore& c) {
        c.Reset();
        c.SetSeed(5);
        InputOil oil;
        tavro_test::LoadLibraryOil("Alberta Sweet Mixed Blend #5", oil);
        c.SetOil(oil);
        InputWindAndWave w;
        w.num = 12;
        w.speedUnits = SPEED_CODE_MS;
        for (int h = 0; h < 12; ++h) {
            w.speed[h] = 4.0;
            w.direction[h] = 90.0;
        }
        c.SetWindAndWave(w);
        InputWater water;
        water.temperature = 10.0;
        water.tempUnits = WTEMP_C;
        water.speed = 0.0;
        water.speedUnits = SPEED_CODE_MS;
        water.direction = 0.0;
        c.SetWater(water);
        SetInstant(c, 1, 20.0);
        return c.PrepareRun();
    };
    auto c = std::make_unique<CWeatheringCore>();
    ASSERT_EQ(run(*c), CWeatheringCore::RUN_OK);
    std::vector<double> first;
    for (int e = 0; e < c->leCount; ++e) first.push_back(c->le[e].x);
    ASSERT_EQ(run(*c), CWeatheringCore::RUN_OK);
    for (int e = 0; e < c->leCount; ++e) EXPECT_EQ(c->le[e].x, first[e]);
    // A reference generator seeded once by hand: the drift fractions take
    // its first draws, one per element, and the places in the release disc
    // the draws after them (a pair per try, until one falls in the disc). A
    // seeding point that restarted the sequence would place every element
    // on the fractions' draws again.
    platform::CModelRandom ref(5);
    for (int e = 0; e < c->leCount; ++e)
        ASSERT_EQ(c->le[e].alpha, CWeatheringCore::Alpha3Fraction(ref.Next())) << "fraction of element " << e;
    for (int e = 0; e < c->leCount; ++e) {
        const SReleaseHour& h = c->hour[c->le[e].releaseHour];
        double x = 0, y = 0;
        int tries = 0;
        do {
            x = (2 * ref.Uniform() - 1) * h.radius;
            y = (2 * ref.Uniform() - 1) * h.radius;
        } while (x * x + y * y > h.area / kPi && ++tries < 1000);
        ASSERT_EQ(c->le[e].x, x) << "place of element " << e;
        ASSERT_EQ(c->le[e].y, y) << "place of element " << e;
    }
}

TEST(RunPreparation, CurrentDriftAndSinkingOil) {
    {
        auto c = MakeCoreWithWeather(30);
        InputWater water;
        water.temperature = 15.0;
        water.tempUnits = WTEMP_C;
        water.speed = 0.5;
        water.speedUnits = SPEED_CODE_MS;
        water.direction = 90.0;
        c->SetWater(water);
        SetInstant(*c, 1, 10.0);
        ASSERT_EQ(c->PrepareRun(), CWeatheringCore::RUN_OK);
        EXPECT_NEAR(c->currentDir, 90 * kPi / 180, 1e-12);
        EXPECT_DOUBLE_EQ(c->driftX, std::sin(c->currentDir) * 0.5 * 900);
        EXPECT_DOUBLE_EQ(c->driftY, std::cos(c->currentDir) * 0.5 * 900);
    }
    {
        // An oil that does not float: a fatal input, and nothing is spread.
        platform::RecordingMessages rec;
        auto c = MakeHandCore(12);
        c->SetMessages(&rec);
        c->rho = c->waterDensity + 5;
        EXPECT_EQ(c->ComputeSpreadingConstant(), CWeatheringCore::RUN_FATAL_INPUT);
        EXPECT_EQ(c->fatalInput, 1);
        EXPECT_TRUE(rec.Contains("Oil is denser than surrounding water. Will sink"));
        EXPECT_EQ(c->Spread(), CWeatheringCore::RUN_FATAL_INPUT);
    }
    {
        // Through PrepareRun: fresh water under a heavy oil.
        platform::RecordingMessages rec;
        auto c = MakeCoreWithWeather(12);
        c->SetMessages(&rec);
        SetInstant(*c, 1, 10.0);
        c->PrepareRun();
        c->waterDensity = 800.0;
        c->weatherDirty = 1;
        c->releaseDirty = 1;
        EXPECT_EQ(c->PrepareRun(), CWeatheringCore::RUN_FATAL_INPUT);
        EXPECT_EQ(c->fatalInput, 1);
        // The status alone tells the caller: every later stage, even a
        // preparation with nothing left to redo, says so.
        c->weatherDirty = c->oilDirty = c->releaseDirty = c->responseDirty = 0;
        EXPECT_EQ(c->PrepareRun(), CWeatheringCore::RUN_FATAL_INPUT);
        EXPECT_EQ(c->Spread(), CWeatheringCore::RUN_FATAL_INPUT);
        EXPECT_EQ(c->Solve(false), CWeatheringCore::RUN_FATAL_INPUT);
    }
}
