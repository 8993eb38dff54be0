#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>

#include "model/SmokePlume.h"
#include "model/WeatheringCore.h"

using namespace model;
using namespace model::plume;

namespace {

constexpr double M = -999.0;
const EStability kBadClass = static_cast<EStability>(7);

// The realistic burn: 1000 m2 of 10 mm oil burning at 4e-5 m/s, air 25 C,
// water 15 C, wind 5 m/s, API 30, 870 kg/m3 at 15 C.
struct Burn {
    double loc = 150, area = 1000, thickness = 0.01, regression = 4e-5;
    double airTemp = 298.15, waterTemp = 288.15, wind = 5, api = 30, density = 870, refTemp = 288.15;
};

int RunBurn(CWeatheringCore& core, SPlumeGraphData& p, const Burn& b) {
    return core.SmokePlume(p, b.loc, b.area, b.thickness, b.regression, b.airTemp, b.waterTemp, b.wind,
                           b.api, b.density, b.refTemp);
}

double Rel(double a, double b) { return std::fabs(a - b) / std::max(std::fabs(b), 1e-300); }

}  // namespace

TEST(SmokePlume, Helpers) {
    platform::RecordingMessages rec;
    platform::OnceMessages msg(&rec);

    // The neutral profile gives back the entered wind at 10 m.
    for (double z0 : {1e-5, 1.1e-4, 1e-3})
        for (double u : {1.0, 5.0, 12.5})
            EXPECT_DOUBLE_EQ(WindAtHeight(msg, 10, z0, u, EStability::Neutral), u) << z0 << " " << u;

    // The stable profile is continuous where its form changes, at L and 10 L.
    for (double z0 : {1.118e-4, 6.3e-4}) {
        const double L = 1 / (0.0081 * std::pow(z0, -0.3045));
        for (double z : {L, 10 * L}) {
            const double below = WindAtHeight(msg, z * (1 - 1e-9), z0, 5, EStability::Stable);
            const double above = WindAtHeight(msg, z * (1 + 1e-9), z0, 5, EStability::Stable);
            EXPECT_LT(Rel(below, above), 1e-6) << "z0 " << z0 << " z " << z;
        }
    }
    // u* comes from the lowest layer's form at 10 m: the entered wind comes
    // back only where L is above 10 m (here wind 10 m/s), not below (5 m/s).
    const double z0At10 = 2e-6 * std::pow(10.0, 2.5), z0At5 = 2e-6 * std::pow(5.0, 2.5);
    EXPECT_NEAR(WindAtHeight(msg, 10, z0At10, 10, EStability::Stable), 10, 1e-12);
    EXPECT_GT(std::fabs(WindAtHeight(msg, 10, z0At5, 5, EStability::Stable) - 5), 1e-3);

    // Plume rise: the source height at the source, nothing without wind.
    EXPECT_DOUBLE_EQ(PlumeRise(0, 5e6, 4, 53.5), 53.5);
    EXPECT_EQ(PlumeRise(100, 5e6, 0, 53.5), 0);
    EXPECT_EQ(PlumeRise(100, 5e6, -1, 53.5), 0);
    EXPECT_DOUBLE_EQ(PlumeRise(1000, 8e6, 4, 50), 1.6 * std::cbrt(8e6 * 1e6) / 4 + 50);
    // The axis height climbs and is capped at the final height far downwind.
    const double near = PlumeHeight(200, 1e4, 4, 53.5, 1500, 17.8);
    EXPECT_GT(near, PlumeHeight(50, 1e4, 4, 53.5, 1500, 17.8));
    EXPECT_LT(near, 1500);
    EXPECT_EQ(PlumeHeight(1e6, 1e4, 4, 53.5, 1500, 17.8), 1500);

    // Vertical profile: 1 on a high axis, 2 on the sea surface for an axis
    // at the surface; the slope is its derivative.
    EXPECT_NEAR(VerticalProfile(1000, 1000, 50), 1, 1e-12);
    EXPECT_DOUBLE_EQ(VerticalProfile(0, 0, 50), 2);
    for (double z : {0.0, 30.0, 120.0, 400.0}) {
        const double h = 1e-4;
        const double numeric = (VerticalProfile(z + h, 100, 60) - VerticalProfile(z - h, 100, 60)) / (2 * h);
        EXPECT_NEAR(VerticalProfileSlope(z, 100, 60), numeric, 1e-8) << z;
    }

    // At the source both spreads are the fire's size and the axis height;
    // far downwind the stable plume is the flatter one, equally wide.
    double syN, szN, syS, szS;
    ASSERT_EQ(PlumeSigmas(msg, 0, 700, 17.8, EStability::Stable, 5, 1.1e-4, syS, szS), 0);
    EXPECT_DOUBLE_EQ(syS, std::sqrt(700 * 700 / 12.25 + 17.8 * 17.8 / 2));
    EXPECT_DOUBLE_EQ(szS, syS);
    ASSERT_EQ(PlumeSigmas(msg, 20000, 800, 17.8, EStability::Neutral, 5, 1.1e-4, syN, szN), 0);
    ASSERT_EQ(PlumeSigmas(msg, 20000, 800, 17.8, EStability::Stable, 5, 1.1e-4, syS, szS), 0);
    EXPECT_DOUBLE_EQ(syN, syS);
    EXPECT_LT(szS, szN);
    EXPECT_TRUE(rec.Entries().empty());
}

TEST(SmokePlume, UnknownClassMessages) {
    platform::RecordingMessages rec;
    platform::OnceMessages msg(&rec);
    double sy = 0, sz = 0;
    EXPECT_LT(WindAtHeight(msg, 10, 1e-4, 5, kBadClass), 0);
    EXPECT_EQ(PlumeSigmas(msg, 100, 50, 10, kBadClass, 5, 1e-4, sy, sz), -1);
    auto p = std::make_unique<SPlumeGraphData>();
    EXPECT_EQ(SmokeCont(msg, *p, 1, 1e6, 10, 1e-4, 30, 500, 5, 1e-7, kBadClass), -1);
    EXPECT_TRUE(rec.Contains("Something wrong in SmokePlume"));
    EXPECT_TRUE(rec.Contains("SmokePlume: no stability class"));
    EXPECT_TRUE(rec.Contains("SmokePlume: error in SmokeCont"));
}

// With the ground image negligible the profile is a Gaussian, and the
// crossings are H -+ sigma sqrt(2 ln(1/target)).
TEST(SmokePlume, LocHeightsAnalytic) {
    platform::RecordingMessages rec;
    platform::OnceMessages msg(&rec);
    const double locKg = 1.5e-7;
    struct Case {
        double H, sigma, target;
    };
    for (const Case& c : {Case{1000, 50, 0.3}, Case{1000, 50, 0.05}, Case{2000, 120, 0.9}, Case{800, 20, 0.01}}) {
        SCOPED_TRACE("height " + std::to_string(c.H) + ", sigma " + std::to_string(c.sigma) + ", target " +
                     std::to_string(c.target));
        double upper = 0, lower = 0;
        ASSERT_EQ(LocHeights(msg, c.target, locKg, c.H, c.sigma, 0.002, upper, lower), 0);
        const double half = c.sigma * std::sqrt(2 * std::log(1 / c.target));
        EXPECT_NEAR(upper, c.H + half, 1e-6);
        EXPECT_NEAR(lower, c.H - half, 1e-6);
    }
    EXPECT_TRUE(rec.Entries().empty());

    // The contour reaches the sea surface: lower 0; the upper crossing holds.
    double upper = 0, lower = 0;
    ASSERT_EQ(LocHeights(msg, 0.5, locKg, 20, 50, 0.002, upper, lower), 0);
    EXPECT_EQ(lower, 0);
    EXPECT_NEAR(VerticalProfile(upper, 20, 50), 0.5, 1e-9);

    // Above the axis value: the LOC is never reached.
    ASSERT_EQ(LocHeights(msg, 1.5, locKg, 1000, 50, 0.002, upper, lower), -1);
    EXPECT_TRUE(rec.Contains("LOC never reached"));
    EXPECT_EQ(upper, 1000);
    EXPECT_EQ(lower, 1000);

    // An axis at 0 m cannot open an upper bracket: the doubling gives up.
    rec.Clear();
    EXPECT_EQ(LocHeights(msg, 0.5, locKg, 0, 50, 0.002, upper, lower), -1);
    // Nor can a target of 0 ever be crossed.
    EXPECT_EQ(LocHeights(msg, 0, locKg, 100, 50, 0.002, upper, lower), -1);
}

TEST(SmokePlume, RealisticBurn) {
    auto core = std::make_unique<CWeatheringCore>();
    platform::RecordingMessages rec;
    core->SetMessages(&rec);
    auto p = std::make_unique<SPlumeGraphData>();
    ASSERT_EQ(RunBurn(*core, *p, Burn{}), 0);
    EXPECT_TRUE(rec.Entries().empty());
    EXPECT_EQ(p->count, 100);
    EXPECT_EQ(p->duration, 4);  // floor(0.01 / 4e-5 / 60)
    EXPECT_EQ(p->loc, 150);

    double hi = -1e300, lo = 1e300;
    for (int d : {PLUME_NEUTRAL_DISTANCE, PLUME_STABLE_DISTANCE}) {
        SCOPED_TRACE(d);
        const double* x = p->series[d];
        const double* up = p->series[d + 1];
        const double* low = p->series[d + 2];
        EXPECT_EQ(x[0], 0);
        EXPECT_EQ(up[0], 0);
        EXPECT_EQ(low[0], 0);
        for (int i = 1; i < 100; ++i) EXPECT_GT(x[i], x[i - 1]) << i;
        for (int i = 0; i < 100; ++i) {
            EXPECT_LE(low[i], up[i]) << i;
            EXPECT_GE(low[i], 0) << i;
            hi = std::max({hi, up[i], low[i]});
            lo = std::min({lo, up[i], low[i]});
        }
        // 150 is still exceeded at 20 km: the last point repeats the one before.
        EXPECT_EQ(x[99], 20000);
        EXPECT_EQ(up[99], up[98]);
        EXPECT_EQ(low[99], low[98]);
    }
    EXPECT_EQ(p->maxValue, hi);
    EXPECT_EQ(p->minValue, lo);
    for (int s = 6; s < 9; ++s)
        for (int i = 0; i < 100; ++i) EXPECT_EQ(p->series[s][i], M);

    // Regression pins: the contour heights the program gave for this burn
    // when the contour search was last checked (printed with %.17g). They
    // are not worked out independently; the pieces they are made of are, in
    // RealisticBurnWorkedOutByHand.
    EXPECT_LT(Rel(p->maxValue, 2466.8376220842911), 1e-9);
    EXPECT_LT(Rel(p->series[PLUME_NEUTRAL_UPPER][1], 452.52415292548329), 1e-9);
    EXPECT_LT(Rel(p->series[PLUME_NEUTRAL_UPPER][50], 2345.8144977325719), 1e-9);
    EXPECT_LT(Rel(p->series[PLUME_NEUTRAL_LOWER][50], 1207.2728893941155), 1e-9);
    EXPECT_LT(Rel(p->series[PLUME_STABLE_UPPER][50], 819.54150621299266), 1e-9);
    EXPECT_LT(Rel(p->series[PLUME_STABLE_LOWER][50], 246.41449254620139), 1e-9);
    EXPECT_LT(Rel(p->series[PLUME_STABLE_LOWER][1], 24.486748638303045), 1e-9);
    EXPECT_EQ(p->series[PLUME_NEUTRAL_LOWER][1], 0);  // the contour touches the sea near the fire
}

// The pieces of the realistic burn's plume worked out by hand from the plume
// formulas (the figures below were computed separately, in double
// precision, from the formulas alone).
TEST(SmokePlume, RealisticBurnWorkedOutByHand) {
    platform::RecordingMessages rec;
    platform::OnceMessages msg(&rec);
    const Burn b;
    // Burn radius sqrt(1000 / 3.14) = 17.8458 m, source height 3 R, sea
    // roughness 2e-6 x 5^2.5; oil at 870 kg/m3 (water at the reference
    // temperature).
    const double R = 17.845765256206242, hs = 53.537295768618726, z0 = 0.00011180339887498948;
    // Buoyancy flux (4.245 - 0.018515 x 30 + 2.8e-5 x 30^2) x 1e7 x 870 x
    // 4e-5 x 1000 x 7.9479e-6.
    const double N = 10274.512610700001;
    // Neutral wind at the source height: 5 ln(hs / z0) / ln(10 / z0).
    const double un = 5.735786942903852;
    EXPECT_NEAR(WindAtHeight(msg, hs, z0, b.wind, EStability::Neutral), un, 1e-12);
    // Rise 1 km downwind: 1.6 (N x 1000^2)^(1/3) / un + hs.
    EXPECT_NEAR(PlumeRise(1000, N, un, hs), 659.9673477138901, 1e-9);
    // At 20 km the rise (4521.75 m) is past the final height
    // 38.71 N^0.6 / un + hs = 1776.54 m, which caps the axis.
    const double Hf = 1776.543725248073;
    EXPECT_NEAR(PlumeRise(20000, N, un, hs), 4521.75212194563, 1e-9);
    EXPECT_NEAR(PlumeHeight(20000, N, un, hs, Hf, R), Hf, 1e-9);
    // Spread at 20 km, neutral: a = 1.3 x 20000 x 0.4 / ln(10 / z0),
    // l = a / sqrt(31), t = 0.5 x 20000 / 5 / sqrt(3);
    // sigma y = sqrt(t^2 + Hf^2 / 12.25 + R^2 / 2), sigma z = sqrt(R^2 / 2 + Hf^2 / 12.25 + l^2).
    double sigmaY = 0, sigmaZ = 0;
    ASSERT_EQ(PlumeSigmas(msg, 20000, Hf, R, EStability::Neutral, b.wind, z0, sigmaY, sigmaZ), 0);
    EXPECT_NEAR(sigmaY, 1261.401603917992, 1e-9);
    EXPECT_NEAR(sigmaZ, 533.5178240537734, 1e-9);
    EXPECT_TRUE(rec.Entries().empty());
}

// A LOC reached before 20 km closes the contour on the plume axis.
TEST(SmokePlume, ContourClosesBeforeTwentyKilometres) {
    auto core = std::make_unique<CWeatheringCore>();
    platform::RecordingMessages rec;
    core->SetMessages(&rec);
    auto p = std::make_unique<SPlumeGraphData>();
    Burn b;
    b.loc = 1000;
    ASSERT_EQ(RunBurn(*core, *p, b), 0);
    for (int d : {PLUME_NEUTRAL_DISTANCE, PLUME_STABLE_DISTANCE}) {
        SCOPED_TRACE(d);
        const double* x = p->series[d];
        const double* up = p->series[d + 1];
        const double* low = p->series[d + 2];
        EXPECT_GT(x[99], 50);
        EXPECT_LT(x[99], 20000);
        EXPECT_NEAR(x[98], x[99] * 98 / 99, 1e-9 * x[99]);
        EXPECT_EQ(up[99], low[99]);
        EXPECT_GE(up[99], low[98]);
        EXPECT_LE(up[99], up[98]);
    }
}

// The inputs as the dialog passes them: a missing density comes from the
// API (at 289 K), a missing API from the density.
TEST(SmokePlume, OilFromApiOrDensity) {
    auto core = std::make_unique<CWeatheringCore>();
    auto a = std::make_unique<SPlumeGraphData>();
    auto b = std::make_unique<SPlumeGraphData>();
    Burn given, derived;
    given.api = 141500 / 870.0 - 131.5;
    derived.api = -1;
    ASSERT_EQ(RunBurn(*core, *a, given), 0);
    ASSERT_EQ(RunBurn(*core, *b, derived), 0);
    EXPECT_EQ(a->maxValue, b->maxValue);
    EXPECT_EQ(a->series[PLUME_STABLE_UPPER][40], b->series[PLUME_STABLE_UPPER][40]);

    given = Burn{};
    given.density = 141.5 / (30 + 131.5) * 1000;
    given.refTemp = 289;
    derived = Burn{};
    derived.density = -1;
    derived.refTemp = 100;  // replaced by 289 K with the density
    ASSERT_EQ(RunBurn(*core, *a, given), 0);
    ASSERT_EQ(RunBurn(*core, *b, derived), 0);
    EXPECT_EQ(a->maxValue, b->maxValue);
    EXPECT_EQ(a->series[PLUME_NEUTRAL_LOWER][60], b->series[PLUME_NEUTRAL_LOWER][60]);
}

TEST(SmokePlume, Failures) {
    constexpr double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        const char* name;
        void (*change)(Burn&);
        const char* message;  // nullptr: none
    };
    const Case cases[] = {
        {"huge LOC", [](Burn& b) { b.loc = 1e6; }, "Plume less 50 meters"},
        {"negative area", [](Burn& b) { b.area = -1; }, nullptr},
        {"negative thickness", [](Burn& b) { b.thickness = -0.01; }, nullptr},
        {"negative wind", [](Burn& b) { b.wind = -5; }, nullptr},
        {"negative air temperature", [](Burn& b) { b.airTemp = -1; }, nullptr},
        {"negative LOC", [](Burn& b) { b.loc = -150; }, nullptr},
        {"no API and no density", [](Burn& b) { b.api = -1; b.density = -1; }, nullptr},
        {"zero wind", [](Burn& b) { b.wind = 0; }, nullptr},
        {"zero area", [](Burn& b) { b.area = 0; }, nullptr},
        {"zero regression", [](Burn& b) { b.regression = 0; }, nullptr},
        {"zero density", [](Burn& b) { b.density = 0; }, nullptr},
        {"zero LOC", [](Burn& b) { b.loc = 0; }, nullptr},
        {"zero air temperature", [](Burn& b) { b.airTemp = 0; }, nullptr},
        {"not a number", [](Burn& b) { b.wind = nan; }, nullptr},
        {"infinite area", [](Burn& b) { b.area = std::numeric_limits<double>::infinity(); }, nullptr},
        // Water so much warmer than the reference that the burning oil
        // would have no density left.
        {"density gone", [](Burn& b) { b.waterTemp = 420; }, nullptr},
        // A burn so small that the emission formula goes negative.
        {"tiny area", [](Burn& b) { b.area = 1e-8; }, nullptr},
    };
    auto core = std::make_unique<CWeatheringCore>();
    platform::RecordingMessages rec;
    core->SetMessages(&rec);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        rec.Clear();
        Burn b;
        c.change(b);
        auto p = std::make_unique<SPlumeGraphData>();
        EXPECT_EQ(RunBurn(*core, *p, b), -1);
        if (c.message) {
            ASSERT_EQ(rec.Entries().size(), 1u);
            EXPECT_EQ(rec.Texts()[0], c.message);
        } else {
            EXPECT_TRUE(rec.Entries().empty()) << rec.Texts()[0];
        }
    }
}

// A tolerance that can never be met ends the distance search at its cap.
TEST(SmokePlume, DistanceSearchIsBounded) {
    platform::RecordingMessages rec;
    platform::OnceMessages msg(&rec);
    const double E = 1, N = 1e6, R = 10, z0 = 1e-4, hs = 30, Hf = 500, U = 5;
    const double um = WindAtHeight(msg, hs, z0, U, EStability::Neutral);
    const SPlumeSource src{E, N, R, z0, hs, Hf, U, um};
    const double c50 = GroundConcentration(msg, 50, src, EStability::Neutral);
    const double c20k = GroundConcentration(msg, 20000, src, EStability::Neutral);
    ASSERT_GT(c50, c20k);
    const double locKg = std::sqrt(c50 * c20k);

    auto p = std::make_unique<SPlumeGraphData>();
    ASSERT_EQ(SmokeCont(msg, *p, E, N, R, z0, hs, Hf, U, locKg, EStability::Neutral), 0);
    const double xmax = p->series[PLUME_NEUTRAL_DISTANCE][99];
    EXPECT_GT(xmax, 50);
    EXPECT_LT(xmax, 20000);
    EXPECT_LT(std::fabs(GroundConcentration(msg, xmax, src, EStability::Neutral) - locKg) / locKg, 0.002);

    EXPECT_EQ(SmokeCont(msg, *p, E, N, R, z0, hs, Hf, U, locKg, EStability::Neutral, 1e-300), -1);
    EXPECT_TRUE(rec.Entries().empty());
}
