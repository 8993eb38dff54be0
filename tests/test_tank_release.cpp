#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <memory>
#include <numeric>
#include <string>
#include <vector>

#include "model/WeatheringCore.h"

using namespace model;

namespace {

std::unique_ptr<CWeatheringCore> MakeCore(platform::RecordingMessages& rec) {
    auto c = std::make_unique<CWeatheringCore>();
    c->SetMessages(&rec);
    return c;
}

struct Tank {
    double oilLevel, holeHeight, holeDiam, holeArea, bottomArea, waterHeight;
    int vent;
    double Cd = 0.65;
};

void Apply(CWeatheringCore& c, const Tank& t) {
    c.tank.flag = 1;
    c.tank.oilLevel = t.oilLevel;
    c.tank.holeHeight = t.holeHeight;
    c.tank.holeDiam = t.holeDiam;
    c.tank.holeArea = t.holeArea;
    c.tank.bottomArea = t.bottomArea;
    c.tank.waterHeight = t.waterHeight;
    c.tank.vent = t.vent;
    c.tank.Cd = t.Cd;
}

double Sum(const double* a, int n) { return std::accumulate(a, a + n, 0.0); }

}  // namespace

TEST(TankRelease, HourlyBinning) {
    struct Case {
        const char* name;
        std::vector<double> times, rates;
        std::vector<double> want;  // the first bins; the rest are 0
    };
    std::vector<double> t200, r200;
    for (int i = 0; i < 200; ++i) t200.push_back((i + 1) * 27.0), r200.push_back(0.01);
    const Case cases[] = {
        {"5400 s at 0.01 m3/s in 200 steps", t200, r200, {36, 18, 0}},
        {"5400 s at 0.01 m3/s in one interval", {5400}, {0.01}, {36, 18, 0}},
        {"an interval across three hours", {1800, 9000}, {0.01, 0.02}, {54, 72, 36, 0}},
        {"a point exactly at 3600 s", {3600, 7200}, {1, 2}, {3600, 7200, 0}},
        {"no point", {}, {}, {0}},
        {"a point at time 0 carries nothing", {0, 3600}, {5, 1}, {3600, 0}},
    };
    for (const Case& k : cases) {
        double out[MAX_HOURS];
        std::fill(out, out + MAX_HOURS, -1.0);
        CWeatheringCore::BinTankHourly(k.times.data(), k.rates.data(), int(k.times.size()), out);
        for (int j = 0; j < MAX_HOURS; ++j) {
            const double want = j < int(k.want.size()) ? k.want[j] : 0;
            EXPECT_NEAR(out[j], want, 1e-9) << k.name << " bin " << j;
        }
    }
    // A leak of 130 hours fills all 120 bins; the rest is cut off.
    double out[MAX_HOURS];
    const double t = 130 * 3600.0, r = 0.001;
    CWeatheringCore::BinTankHourly(&t, &r, 1, out);
    for (int j = 0; j < MAX_HOURS; ++j) ASSERT_NEAR(out[j], 3.6, 1e-9) << j;
    EXPECT_LT(Sum(out, MAX_HOURS), t * r);
}

// A vented tank against the closed form of the Torricelli drain.
TEST(TankRelease, VentedDrainMatchesTheAnalyticSolution) {
    platform::RecordingMessages rec;
    auto c = MakeCore(rec);
    const Tank t{10, 1, 0.113, 0.01, 100, 0.5, 1};
    Apply(*c, t);
    double hourly[MAX_HOURS];
    const int duration = c->ComputeTankRelease(hourly, 1025, 850);
    const STankRelease& r = c->tank;
    EXPECT_TRUE(rec.Entries().empty());
    ASSERT_GT(r.tankSteps, 100);
    ASSERT_LE(r.tankSteps, MAX_TANK_STEPS);
    const double head = t.oilLevel - t.holeHeight;
    const double D = t.bottomArea / (t.holeArea * t.Cd) * std::sqrt(2 * head / 9.8);
    EXPECT_NEAR(r.tankTime[r.tankSteps - 1], D, 0.02 * D);
    EXPECT_EQ(duration, int(std::ceil(r.tankTime[r.tankSteps - 1])));
    EXPECT_EQ(r.tankDuration, duration);
    EXPECT_NEAR(Sum(hourly, MAX_HOURS), t.bottomArea * head, 0.01 * t.bottomArea * head);
    for (int i = 1; i < r.tankSteps; ++i) {
        ASSERT_LT(r.tankRate[i], r.tankRate[i - 1]);
        // Every step lasts the same time.
        ASSERT_NEAR(r.tankTime[i] - r.tankTime[i - 1], r.tankTime[0], 1e-9 * D);
    }
    EXPECT_NEAR(r.tankRate[0], std::sqrt(19.6 * head) * t.Cd * t.holeArea, 1e-12);
}

// A drain far longer than 120 hours: each step of D/200 spans several
// hours, and every hour gets its share.
TEST(TankRelease, LongDrainFillsEveryHour) {
    platform::RecordingMessages rec;
    auto c = MakeCore(rec);
    const double holeArea = 3.14 * 0.01 * 0.01;  // 2 cm opening
    Apply(*c, Tank{20, 0, 0.02, holeArea, 400, -1, 1});
    double hourly[MAX_HOURS];
    const int duration = c->ComputeTankRelease(hourly, 1025, 850);
    const STankRelease& r = c->tank;
    ASSERT_GT(r.tankTime[0], 3 * 3600.0);
    EXPECT_GT(duration, 1000 * 3600);
    for (int j = 0; j < MAX_HOURS; ++j) ASSERT_GT(hourly[j], 0) << j;
    // Each hour of the first step gets the first rate for the whole hour.
    EXPECT_NEAR(hourly[0], r.tankRate[0] * 3600, 1e-9);
    EXPECT_NEAR(hourly[1], r.tankRate[0] * 3600, 1e-9);
    double released = 0;
    for (int i = 0; i < r.tankSteps; ++i) released += r.tankRate[i] * r.tankTime[0];
    EXPECT_LT(Sum(hourly, MAX_HOURS), released);
}

TEST(TankRelease, RegimesWithoutRelease) {
    struct Case {
        const char* name;
        Tank tank;
        double rhoW, rhoO;
        const char* message;  // nullptr: none
    };
    const double nan = std::nan("");
    const Case cases[] = {
        {"opening above the oil", {4, 5, 0.1, 0.00785, 100, 0, 1}, 1025, 850, nullptr},
        {"not vented above the water", {10, 5, 0.1, 0.00785, 100, 2, 0}, 1025, 850,
         "Leaking Tank: air ingestion not yet supported."},
        {"oil not lighter than the water", {10, 1, 0.1, 0.00785, 100, 3, 1}, 1025, 1030, "Leaking Tank: Oil Sinks"},
        {"oil as dense as the water", {10, 1, 0.1, 0.00785, 100, 3, 1}, 1025, 1025, "Leaking Tank: Oil Sinks"},
        {"balance level above the opening", {2, 1, 0.1, 0.00785, 100, 8, 1}, 1025, 850, nullptr},
        {"no opening area", {10, 5, 0.1, 0, 100, 2, 1}, 1025, 850, nullptr},
        {"negative discharge coefficient", {10, 5, 0.1, 0.00785, 100, 2, 1, -0.65}, 1025, 850, nullptr},
        {"no tank bottom", {10, 1, 0.1, 0.00785, nan, 3, 1}, 1025, 850, nullptr},
        {"no opening height below the water", {10, 1, 0, 0.00785, 100, 3, 1}, 1025, 850, nullptr},
        {"missing oil level", {-999, 1, 0.1, 0.00785, 100, 3, 1}, 1025, 850, nullptr},
    };
    for (const Case& k : cases) {
        platform::RecordingMessages rec;
        auto c = MakeCore(rec);
        Apply(*c, k.tank);
        double hourly[MAX_HOURS];
        std::fill(hourly, hourly + MAX_HOURS, 7.0);
        EXPECT_EQ(c->ComputeTankRelease(hourly, k.rhoW, k.rhoO), 0) << k.name;
        EXPECT_EQ(c->tank.tankDuration, 0) << k.name;
        EXPECT_LE(c->tank.tankSteps, 1) << k.name;
        for (int j = 0; j < MAX_HOURS; ++j) ASSERT_EQ(hourly[j], 0) << k.name << " " << j;
        if (k.message) {
            EXPECT_EQ(rec.Texts(), std::vector<std::string>{k.message}) << k.name;
        } else {
            EXPECT_TRUE(rec.Entries().empty()) << k.name;
        }
    }
}

TEST(TankRelease, LeakBelowTheWaterline) {
    platform::RecordingMessages rec;
    auto c = MakeCore(rec);
    const Tank t{10, 1, 0.2, 0.0314, 100, 5, 1};
    Apply(*c, t);
    double hourly[MAX_HOURS];
    const double rw = 1025, ro = 850;
    const int duration = c->ComputeTankRelease(hourly, rw, ro);
    const STankRelease& r = c->tank;
    EXPECT_TRUE(rec.Entries().empty());
    ASSERT_EQ(r.tankSteps, 200);  // 199 points of outflow, then the exchange
    const int n = r.tankSteps;
    EXPECT_EQ(r.tankTime[0], 0);
    EXPECT_EQ(r.tankLevel[0], t.oilLevel);
    for (int i = 1; i < n; ++i) ASSERT_GT(r.tankTime[i], r.tankTime[i - 1]) << i;
    for (int i = 0; i < n - 1; ++i) ASSERT_EQ(r.tankWater[i], 0) << i;
    const double top = t.holeHeight + t.holeDiam;
    EXPECT_DOUBLE_EQ(r.tankWater[n - 1], top);
    const double k = std::cbrt(rw / ro);
    const double m = (t.holeHeight + top * k) / (k + 1);
    EXPECT_NEAR(r.tankLevel[n - 1], (ro - rw) / ro * m + rw * t.waterHeight / ro, 1e-12);
    // The first outflow: the head above the balance level, without the
    // factor 2 of the vented drain.
    const double g = (rw * t.waterHeight - ro * t.oilLevel) / (rw - ro);
    const double z1 = g + (t.holeHeight - g) / 198;
    EXPECT_NEAR(r.tankRate[1], t.holeArea * std::sqrt(t.Cd * t.Cd * 9.8 * (top - z1) * (rw - ro) / ro), 1e-12);
    EXPECT_EQ(duration, int(std::ceil(r.tankTime[n - 1])));
    EXPECT_GT(Sum(hourly, MAX_HOURS), 0);

    // Negative densities take 1024 and 905.632 kg/m3.
    double byDefault[MAX_HOURS], given[MAX_HOURS], other[MAX_HOURS];
    const int d1 = c->ComputeTankRelease(byDefault, -1, -1);
    const int d2 = c->ComputeTankRelease(given, 1024, 905.632);
    c->ComputeTankRelease(other, rw, ro);
    EXPECT_EQ(d1, d2);
    for (int j = 0; j < MAX_HOURS; ++j) ASSERT_DOUBLE_EQ(byDefault[j], given[j]) << j;
    EXPECT_NE(byDefault[0], other[0]);
    // No density at all (zero, not a number) is missing too, never a NaN.
    for (auto [w, o] : {std::pair{0.0, 0.0}, {std::nan(""), std::nan("")}}) {
        double none[MAX_HOURS];
        EXPECT_EQ(c->ComputeTankRelease(none, w, o), d1) << w;
        for (int j = 0; j < MAX_HOURS; ++j) ASSERT_DOUBLE_EQ(none[j], given[j]) << w << " " << j;
    }
}

// The balance level exactly at the opening's lower edge: straight to the
// exchange through the opening, not 199 points at time 0.
TEST(TankRelease, BalanceAtTheOpeningEdge) {
    platform::RecordingMessages rec;
    auto c = MakeCore(rec);
    // The opening at the waterline and at the oil level:
    // g = (1000 x 5 - 800 x 5) / 200 = 5, its lower edge.
    Apply(*c, Tank{5, 5, 0.2, 0.0314, 100, 5, 1});
    double hourly[MAX_HOURS];
    c->ComputeTankRelease(hourly, 1000, 800);
    EXPECT_EQ(c->tank.tankSteps, 2);
    EXPECT_GT(c->tank.tankTime[1], 0);
    EXPECT_GT(Sum(hourly, MAX_HOURS), 0);
}

// A pinhole in a huge tank leaks for longer than an int of seconds holds.
TEST(TankRelease, DurationBeyondTheIntRange) {
    platform::RecordingMessages rec;
    auto c = MakeCore(rec);
    Apply(*c, Tank{10, 0, 1e-5, 1e-10, 1e4, -1, 1});
    double hourly[MAX_HOURS];
    EXPECT_EQ(c->ComputeTankRelease(hourly, 1025, 850), INT_MAX);
    for (int j = 0; j < MAX_HOURS; ++j) ASSERT_TRUE(std::isfinite(hourly[j]) && hourly[j] > 0);
}

// The setter feeds the tank model: a wizard-style record in feet and inches.
TEST(TankRelease, FromTheSetter) {
    platform::RecordingMessages rec;
    auto c = MakeCore(rec);
    InputTank in;
    in.flag = 1;
    in.vent = 1;
    in.aground = 0;
    in.startHour = 1;
    in.tHeight = 30;
    in.tWidth = 20;
    in.tLength = 40;
    in.tUnits = 2;
    in.oVol = 20000;
    in.oUnits = 4;  // cu ft: 25 ft of oil
    in.hDiam = 2;
    in.hArea = 3.14;
    in.hUnits = 4;
    in.zHeight = 5;
    in.zUnits = 2;
    in.wHeight = 2;
    in.wUnits = 2;
    c->SetTankRelease(in);
    double hourly[MAX_HOURS];
    const int duration = c->ComputeTankRelease(hourly, 1025, 850);
    EXPECT_GT(duration, 0);
    const double above = c->tank.bottomArea * (c->tank.oilLevel - c->tank.holeHeight);
    EXPECT_NEAR(Sum(hourly, MAX_HOURS), above, 0.01 * above);
}
