#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "model/WeatheringCore.h"

using namespace model;

TEST(WeatheringCore, DefaultsAfterConstruction) {
    auto core = std::make_unique<CWeatheringCore>();
    const CWeatheringCore& c = *core;
    struct Case {
        const char* name;
        double got;
        double want;
    };
    const Case cases[] = {
        {"leBudget", double(c.leBudget), 240},
        {"maxWind", c.maxWind, 30.0},
        {"minWind", c.minWind, 1.0},
        {"airPressure", c.airPressure, 101300.0},
        {"waterVisc", c.waterVisc, 1.0e-6},
        {"fetch[3]", c.fetch[3], 0.0},
        {"k1", c.k1, 1.53},
        {"k2", c.k2, 1.21},
        {"tank.Cd", c.tank.Cd, 0.65},
        {"tank.vent", double(c.tank.vent), 0},
        {"burnRate[4]", c.burn.burnRate[4], -1.0},
        {"defaultRegression", c.burn.defaultRegression, 4.0e-5},
        {"regression", c.burn.regression, -999.0},
        {"dispCoef", c.dispCoef, 3.9e-8},
        {"dropletRadius", c.dropletRadius, 1.0e-5},
        {"minDropletRadius", c.minDropletRadius, 1.0e-6},
        {"sedimentCoef", c.sedimentCoef, 1.0e-4},
        {"C4", c.C4, 0.18},
        {"pointsPerLE", double(c.pointsPerLE), 2},
        {"minBenzene", c.minBenzene, 0.011},
        {"oilPoints", double(c.oilPoints), 6},
        {"evapRows", double(c.evapRows), 4000},
        {"Rgas", c.Rgas, 8.3144},
        {"Rcal", c.Rcal, 1.987},
        {"windFlag", double(c.windFlag), 0},
        {"volFlag", double(c.volFlag), 0},
        {"emulFlag", double(c.emulFlag), 0},
        {"instant.flag", double(c.instant.flag), 0},
        {"continuous.flag", double(c.continuous.flag), 0},
        {"tank.flag", double(c.tank.flag), 0},
        {"weatherDirty", double(c.weatherDirty), 1},
        {"oilDirty", double(c.oilDirty), 1},
        {"releaseDirty", double(c.releaseDirty), 1},
        {"responseDirty", double(c.responseDirty), 1},
        // Hourly response rates start at zero: nothing is removed by an
        // operation that was never entered.
        {"resp[0].beach", c.resp[0].beach, 0.0},
        {"resp[119].burn", c.resp[119].burn, 0.0},
        // A sample of missing fields.
        {"out[479][45]", c.out[479][45], -999.0},
        {"out[0][6]", c.out[0][OUT_EMULSIFIED], -999.0},
        {"le[499].area[119]", c.le[499].area[119], -999.0},
        {"le[0].onsetTime", double(c.le[0].onsetTime), -999},
        {"le[0].releaseHour", double(c.le[0].releaseHour), -999},
        {"hour[119].vol", c.hour[119].vol, -999.0},
        {"hour[119].count", double(c.hour[119].count), 0},
        {"hour[0].cumCount", double(c.hour[0].cumCount), 0},
        {"waterTemp", c.waterTemp, -999.0},
        {"rho", c.rho, -999.0},
        {"releaseVol[0]", c.releaseVol[0], -999.0},
        {"evapTable[3999].mv", c.evapTable[3999].mv, -999.0},
        {"compRemain[29][3999]", c.compRemain[29][3999], -999.0},
        {"tank.tankTime[199]", c.tank.tankTime[199], -999.0},
        {"wave[0].De[2]", c.wave[0].De[2], -999.0},
    };
    for (const auto& k : cases) EXPECT_EQ(k.got, k.want) << k.name;
    EXPECT_STREQ(c.productType, "default");
    EXPECT_NE(std::strcmp(c.productType, "crude"), 0);
    EXPECT_NE(std::strcmp(c.productType, "refined"), 0);
}

TEST(WeatheringCore, ResetRestoresEveryBlock) {
    auto fresh = std::make_unique<CWeatheringCore>();
    auto used = std::make_unique<CWeatheringCore>();
    CWeatheringCore& c = *used;
    // Touch every block.
    c.releaseVol[7] = 1;
    c.instant.vol = 2;
    c.continuous.endHour = 3;
    c.tank.tankRate[10] = 4;
    c.tank.Cd = 0.7;
    c.wind[5].speed = 5;
    c.wave[5].Hrms[1] = 6;
    c.waterTemp = 288;
    c.fetch[1] = 1000;
    c.k1 = 0;
    c.le[42].area[17] = 7;
    c.le[42].onsetTime = 3600;
    c.le[42].releaseHour = 2;
    c.disp.fracSprayed[2] = 0.5;
    c.skimmer.rate[1] = 0.1;
    c.burn.burnRate[0] = 0.2;
    c.burn.regression = 1e-5;
    c.hour[3].count = 12;
    std::strcpy(c.productType, "crude");
    c.viscPts[2] = {1e-5, 288, 0};
    c.bullwinkle[1] = 0.1;
    c.C4 = 10;
    c.cutCount = 4;
    c.compCount = 9;
    c.compVP[8] = 100;
    c.out[100][OUT_AREA] = 1e6;
    c.resp[10].beach = 1e-3;
    c.leCount = 300;
    c.leBudget = 480;
    c.evapTable[10].f_evap = 0.2;
    c.compRemain[3][10] = 0.4;
    c.weatherDirty = c.oilDirty = c.releaseDirty = c.responseDirty = 0;
    ASSERT_FALSE(static_cast<const SCoreState&>(c) == static_cast<const SCoreState&>(*fresh));

    EXPECT_EQ(&c.Reset(), &c);
    EXPECT_TRUE(static_cast<const SCoreState&>(c) == static_cast<const SCoreState&>(*fresh));
}

TEST(WeatheringCore, RandomSeededOncePerSolve) {
    auto a = std::make_unique<CWeatheringCore>();
    auto b = std::make_unique<CWeatheringCore>();
    a->SetSeed(42);
    b->SetSeed(42);
    a->SeedRandomOnce();
    b->SeedRandomOnce();
    // The draws of a generator seeded once by hand.
    platform::CModelRandom ref(42);
    const int first = ref.Next(), second = ref.Next();
    ASSERT_NE(first, second);
    EXPECT_EQ(a->Random().Next(), first);
    EXPECT_EQ(b->Random().Next(), first);
    // A second seeding point inside the same solve goes on with the sequence.
    a->SeedRandomOnce();
    b->SeedRandomOnce();
    EXPECT_EQ(a->Random().Next(), second);
    EXPECT_EQ(b->Random().Next(), second);
    // The next solve starts it again.
    a->EndRandomSolve();
    a->SeedRandomOnce();
    EXPECT_EQ(a->Random().Next(), first);
}
