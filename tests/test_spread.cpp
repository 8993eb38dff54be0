#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "model/WeatheringCore.h"
#include "tests/support/ScenarioBuilder.h"

using namespace model;

namespace {

struct SpreadCase {
    int hours = 12;
    double wind = 6.0, dirDeg = 30.0;
    bool continuous = true;  // else instantaneous
    double volume = 200.0;   // m3 (instantaneous), or m3/h
    int endHour = 12;
    double containedArea = 0;  // m2
    double current = 0.1;      // m/s towards the east
};

// A prepared core: a library oil, constant wind, 15 C water, one release.
std::unique_ptr<CWeatheringCore> MakePreparedCore(const SpreadCase& s, std::uint32_t seed) {
    tavro_test::SolveScenario run;
    run.name = "spread";
    run.hours = s.hours;
    run.wind = s.wind;
    run.windDir = s.dirDeg;
    run.current = s.current;
    run.release = s.containedArea > 0 ? tavro_test::ERelease::Contained
                  : s.continuous      ? tavro_test::ERelease::Continuous
                                      : tavro_test::ERelease::Instant;
    run.volume = run.rate = s.volume;
    run.endHour = s.endHour;
    run.containedArea = s.containedArea;
    auto c = std::make_unique<CWeatheringCore>();
    EXPECT_TRUE(tavro_test::LoadSolveScenario(*c, run, seed));
    EXPECT_EQ(c->PrepareRun(), CWeatheringCore::RUN_OK);
    return c;
}

std::vector<double> Areas(const CWeatheringCore& c) {
    std::vector<double> a;
    for (int e = 0; e < c.leCount; ++e)
        for (int h = 0; h < c.runHours; ++h) a.push_back(c.le[e].area[h]);
    return a;
}

double TotalArea(const CWeatheringCore& c, int h) {
    double t = 0;
    for (int e = 0; e < c.hour[h].cumCount; ++e) t += c.le[e].area[h];
    return t;
}

}  // namespace

TEST(Spread, DeterministicForAFixedSeed) {
    SpreadCase s;
    auto a = MakePreparedCore(s, 21), b = MakePreparedCore(s, 21), other = MakePreparedCore(s, 22);
    ASSERT_EQ(a->Spread(), CWeatheringCore::RUN_OK);
    ASSERT_EQ(b->Spread(), CWeatheringCore::RUN_OK);
    ASSERT_EQ(other->Spread(), CWeatheringCore::RUN_OK);
    EXPECT_EQ(Areas(*a), Areas(*b));
    for (int e = 0; e < a->leCount; ++e)
        for (int h = 0; h < a->runHours; ++h) EXPECT_EQ(a->le[e].thick[h], b->le[e].thick[h]);
    EXPECT_NE(Areas(*a), Areas(*other));
    // The work buffers kept between calls (on this thread and the workers)
    // carry nothing over: after a larger spread the same input gives the
    // same result again.
    SpreadCase big;
    big.hours = 48;
    big.endHour = 48;
    ASSERT_EQ(MakePreparedCore(big, 3)->Spread(), CWeatheringCore::RUN_OK);
    auto c = MakePreparedCore(s, 21);
    ASSERT_EQ(c->Spread(), CWeatheringCore::RUN_OK);
    EXPECT_EQ(Areas(*c), Areas(*a));
}

TEST(Spread, MissingWindSpeedInsideTheRunDriftsNothing) {
    // A speed left missing inside the run (a damaged file) spreads as a calm
    // hour, not as a wind of -999 m/s.
    SpreadCase s;
    auto gap = MakePreparedCore(s, 8), calm = MakePreparedCore(s, 8);
    gap->wind[4].speed = MISSING_VALUE_D;
    calm->wind[4].speed = 0.0;
    ASSERT_EQ(gap->Spread(), CWeatheringCore::RUN_OK);
    ASSERT_EQ(calm->Spread(), CWeatheringCore::RUN_OK);
    EXPECT_EQ(Areas(*gap), Areas(*calm));
}

TEST(Spread, HourlyInvariantsOverSeeds) {
    SpreadCase s;  // 12 hours of continuous release
    for (std::uint32_t seed : {1u, 2u, 3u, 4u}) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        auto c = MakePreparedCore(s, seed);
        ASSERT_EQ(c->Spread(), CWeatheringCore::RUN_OK);
        for (int h = 0; h < c->runHours; ++h) {
            const int released = c->hour[h].cumCount;
            ASSERT_GT(released, 0);
            // The thickness holds the areas before the smoothing in time.
            double before = 0;
            for (int e = 0; e < released; ++e) {
                const SLERecord& le = c->le[e];
                EXPECT_TRUE(std::isfinite(le.area[h]) && le.area[h] > 0) << e << " " << h;
                EXPECT_TRUE(std::isfinite(le.thick[h]) && le.thick[h] > 0) << e << " " << h;
                before += le.Vol / le.thick[h];
            }
            const double maxArea = c->hour[h].cumVol / c->minThickness;
            EXPECT_LE(before, maxArea * (1 + 1e-9)) << h;
            for (int e = released; e < c->leCount; ++e) EXPECT_EQ(c->le[e].area[h], MISSING_VALUE_D);
        }
    }
}

TEST(Spread, FreeSlickGrowsAndTheSmoothingUsesOnlyPositiveAreas) {
    SpreadCase s;
    s.hours = 48;
    s.continuous = false;
    s.volume = 500.0;
    auto c = MakePreparedCore(s, 5);
    ASSERT_EQ(c->Spread(), CWeatheringCore::RUN_OK);
    int decreases = 0;
    for (int h = 1; h < c->runHours; ++h)
        if (TotalArea(*c, h) < TotalArea(*c, h - 1)) ++decreases;
    EXPECT_LE(decreases, 2);
    EXPECT_GT(TotalArea(*c, 47), 3 * TotalArea(*c, 1));
    // Smoothing: area[h] = (area[h-1] + area before smoothing) / 2, where the
    // area before smoothing is Vol / thick.
    const SLERecord& e = c->le[3];
    for (int h = 1; h < c->runHours; ++h)
        EXPECT_NEAR(e.area[h], (e.area[h - 1] + e.Vol / e.thick[h]) / 2, 1e-9 * e.area[h]) << h;
}

TEST(Spread, ContainedReleaseKeepsItsArea) {
    SpreadCase s;
    s.hours = 24;
    s.volume = 300.0;
    s.containedArea = 20000.0;
    auto c = MakePreparedCore(s, 3);
    ASSERT_EQ(c->leCount, 2);
    ASSERT_EQ(c->Spread(), CWeatheringCore::RUN_OK);
    const double V0 = c->hour[0].vol;
    const double A = std::min(20000.0, V0 / c->minThickness);
    for (int e = 0; e < 2; ++e)
        for (int h = 0; h < 24; ++h) {
            EXPECT_DOUBLE_EQ(c->le[e].area[h], A / 2);
            EXPECT_DOUBLE_EQ(c->le[e].thick[h], V0 / A);
        }
    // A boom larger than the oil can cover is covered only down to the
    // terminal thickness.
    s.containedArea = 1e9;
    auto wide = MakePreparedCore(s, 3);
    ASSERT_EQ(wide->Spread(), CWeatheringCore::RUN_OK);
    EXPECT_DOUBLE_EQ(wide->le[0].area[5], V0 / wide->minThickness / 2);

    // A one-hour run compares with its only hour.
    s.hours = 1;
    s.containedArea = 20000.0;
    platform::RecordingMessages rec;
    auto one = MakePreparedCore(s, 3);
    one->SetMessages(&rec);
    EXPECT_EQ(one->Spread(), CWeatheringCore::RUN_OK);
    EXPECT_TRUE(rec.Entries().empty());
    EXPECT_DOUBLE_EQ(one->le[1].area[0], A / 2);

    // Not all in the first hour: the message, and nothing is spread.
    s.hours = 24;
    auto bad = MakePreparedCore(s, 3);
    bad->SetMessages(&rec);
    bad->hour[1].cumVol += 1.0;
    EXPECT_EQ(bad->Spread(), CWeatheringCore::RUN_FATAL_INPUT);
    EXPECT_EQ(rec.Texts(), std::vector<std::string>{"Spread: contained release error"});
    EXPECT_EQ(bad->le[0].area[3], MISSING_VALUE_D);
}

TEST(Spread, DegenerateCases) {
    {
        // One element: two points, no triangle; the element covers the whole
        // release at the terminal thickness.
        auto c = std::make_unique<CWeatheringCore>();
        c->SetSeed(1);
        c->runHours = 3;
        c->stepsPerHour = 8;
        c->dt = 450;
        c->leCount = 1;
        c->minThickness = 1e-4;
        c->driftX = c->driftY = 0;
        for (int h = 0; h < 3; ++h) {
            c->wind[h] = {5.0, 0.0, 0.0, 1.0, 0.0};
            c->hour[h] = {h == 0 ? 2.0 : 0.0, 2.0, h == 0 ? 50.0 : 0.0, h == 0 ? std::sqrt(50.0 / 3.14) : 0.0,
                          0.1, h == 0 ? 1 : 0, 1, h == 0 ? 2.0 : 0.0};
        }
        SLERecord& e = c->le[0];
        e.releaseTime = 1;
        e.releaseHour = 0;
        e.Vol = e.vol0 = 2.0;
        e.area[0] = 50.0;
        e.alpha = 0.5;
        e.spreadCoef = 0.1;
        ASSERT_EQ(c->Spread(), CWeatheringCore::RUN_OK);
        for (int h = 0; h < 3; ++h) {
            EXPECT_DOUBLE_EQ(e.area[h], 2.0 / 1e-4) << h;
            EXPECT_DOUBLE_EQ(e.thick[h], 1e-4) << h;
        }
    }
    {
        // A sub-slick without a proper radius (an oil that would sink) and
        // elements that were never placed: the spreading ends, with finite
        // areas for the placed elements and the others untouched.
        SpreadCase s;
        s.hours = 6;
        auto c = MakePreparedCore(s, 9);
        for (int h = 0; h < 6; ++h) c->hour[h].radius = std::nan("");
        const int placed = c->leCount - 4;
        const double before = c->le[placed].area[5];
        for (int k = placed; k < c->leCount; ++k) {
            c->le[k].Vol = MISSING_VALUE_D;
            c->le[k].releaseTime = MISSING_VALUE_D;
            c->le[k].releaseHour = MISSING_VALUE;
        }
        ASSERT_EQ(c->Spread(), CWeatheringCore::RUN_OK);
        for (int k = 0; k < placed; ++k)
            for (int h = c->le[k].releaseHour; h < 6; ++h) {
                EXPECT_TRUE(std::isfinite(c->le[k].area[h]) && c->le[k].area[h] > 0) << k << " " << h;
                EXPECT_TRUE(std::isfinite(c->le[k].thick[h])) << k;
            }
        for (int k = placed; k < c->leCount; ++k) EXPECT_EQ(c->le[k].area[5], before);
    }
    {
        // Nothing prepared: nothing to do, nothing touched.
        auto c = std::make_unique<CWeatheringCore>();
        EXPECT_EQ(c->Spread(), CWeatheringCore::RUN_OK);
        EXPECT_EQ(c->le[0].area[0], MISSING_VALUE_D);
    }
}

TEST(Spread, MoveElementsDriftAndRandomWalk) {
    auto c = std::make_unique<CWeatheringCore>();
    c->SetSeed(123);
    c->EndRandomSolve();
    const int n = 4000;
    const int dtS = 900;
    const double wind = 10.0, alpha = 0.5, spreadCoef = 0.3;
    const double east = 0.25, north = -0.1;  // current per step
    std::vector<CWeatheringCore::SSpreadPoint> pts(n);
    for (auto& p : pts) p = {1, 0.0, 0.0, 1.0, alpha, spreadCoef};
    // A wind from the north (direction 0) pushes the points south.
    const double drift = dtS * (0.018 * wind * alpha + 0.012 * wind);
    const int steps = 16;
    double varPredicted = 0;
    for (int k = 0; k < steps; ++k) {
        const int timeS = (k + 1) * dtS;
        c->MoveElements(n, timeS, dtS, wind, 0.0, 1.0, east, north, pts.data());
        const double age = timeS;
        const double s1 = std::sqrt(24 * std::pow(age, 0.16) * 0.033 * dtS);
        const double s2 = std::sqrt(24 * spreadCoef / std::sqrt(age) * dtS);
        varPredicted += (s1 * s1 + s2 * s2) / 12;
        if (k == 0) {
            double mx = 0, my = 0;
            for (int i = 0; i < n; ++i) {
                mx += pts[i].x;
                my += pts[i].y;
            }
            mx /= n;
            my /= n;
            const double sd = std::sqrt((s1 * s1 + s2 * s2) / 12 / n);
            EXPECT_NEAR(mx, east, 5 * sd);
            EXPECT_NEAR(my, north - drift, 5 * sd);
            EXPECT_LT(my, 0.0);
        }
    }
    double mx = 0, my = 0;
    for (const auto& p : pts) {
        mx += p.x;
        my += p.y;
    }
    mx /= n;
    my /= n;
    double vx = 0, vy = 0;
    for (const auto& p : pts) {
        vx += (p.x - mx) * (p.x - mx);
        vy += (p.y - my) * (p.y - my);
    }
    vx /= n - 1;
    vy /= n - 1;
    // Independent steps: the variance adds up step by step (a walk that
    // replayed its numbers would give about steps times more).
    EXPECT_NEAR(vx / varPredicted, 1.0, 0.12);
    EXPECT_NEAR(vy / varPredicted, 1.0, 0.12);
    EXPECT_NEAR(mx, steps * east, 0.05 * steps * drift);
    EXPECT_NEAR(my, steps * (north - drift), 0.05 * steps * drift);
}

TEST(Spread, PointsOfOneHourShareTheirDiffusionLengths) {
    // Only the first point of a later release hour recomputes the lengths:
    // with two hours of points and a fixed seed, the steps equal those
    // computed from each hour's first point.
    auto c = std::make_unique<CWeatheringCore>();
    c->SetSeed(4);
    c->EndRandomSolve();
    std::vector<CWeatheringCore::SSpreadPoint> pts = {
        {1, 0, 0, 1, 0, 0.2}, {1, 0, 0, 1, 0, 9.0}, {2, 0, 0, 1, 0, 0.5}, {2, 0, 0, 1, 0, 7.0}};
    const int timeS = 7200, dtS = 600;
    c->MoveElements(4, timeS, dtS, 0.0, 0.0, 1.0, 0.0, 0.0, pts.data());
    platform::CModelRandom r(4);
    for (int i = 0; i < 4; ++i) {
        const double age = timeS - (pts[i].hourSlot - 1) * 3600.0;
        const double coef = i < 2 ? 0.2 : 0.5;  // the hour's first point
        const double s1 = std::sqrt(24 * std::pow(age, 0.16) * 0.033 * dtS);
        const double s2 = std::sqrt(24 * coef / std::sqrt(age) * dtS);
        const double u1 = r.Uniform(), u2 = r.Uniform(), u3 = r.Uniform(), u4 = r.Uniform();
        EXPECT_DOUBLE_EQ(pts[i].x, (u2 - 0.5) * s1 + (u1 - 0.5) * s2) << i;
        EXPECT_DOUBLE_EQ(pts[i].y, (u4 - 0.5) * s1 + (u3 - 0.5) * s2) << i;
    }
}
