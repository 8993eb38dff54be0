// Evaporation of one element: sub-step choice, table row search and one
// mini-step against its formula.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "model/WeatheringCore.h"

using model::CWeatheringCore;
using model::SEvapTableRow;
using model::SLERecord;

namespace {

SEvapTableRow Row(double evex, double rateFactor, double fEvap) { return {evex, rateFactor, fEvap, 1.0, 2.0, 3.0}; }

SLERecord Element(double vol, double evex) {
    SLERecord e{};
    e.Vol = vol;
    e.evex = evex;
    e.f_evap = 0.0;
    return e;
}

}  // namespace

TEST(EvaporationSubStep, LengthAndCountFollowTheRate) {
    // x = rateFactor (1 - Y) K / thick; here rateFactor = 1, Y = 0, thick = 1,
    // so x = K.
    struct Case {
        int dt;
        double x;
        int sub;
        int count;
    };
    const Case cases[] = {
        {450, 0.00010001, 22, 20}, {450, 0.0001, 45, 10},    {450, 0.00005001, 45, 10},
        {450, 0.00005, 75, 6},     {450, 2.2221e-05, 75, 6}, {450, 2.222e-05, 112, 4},
        {450, 0.0, 112, 4},        {600, 0.001, 30, 20},     {900, 6e-5, 90, 10},
        {900, 3e-5, 150, 6},       {1800, 0.5, 90, 20},      {1800, 7e-5, 180, 10},
        {1800, 3e-5, 300, 6},      {1800, 1e-9, 450, 4},
    };
    for (const Case& c : cases) {
        const int sub = CWeatheringCore::EvapSubStep(Row(0, 1.0, 0), c.x, 0.0, 1.0, c.dt);
        EXPECT_EQ(sub, c.sub) << "dt " << c.dt << " x " << c.x;
        EXPECT_EQ(c.dt / sub, c.count) << "dt " << c.dt << " x " << c.x;
    }
    // Water content and thickness enter the rate: half the oil share halves x.
    EXPECT_EQ(CWeatheringCore::EvapSubStep(Row(0, 1.0, 0), 0.00015, 0.5, 1.0, 450), 45);
    EXPECT_EQ(CWeatheringCore::EvapSubStep(Row(0, 1.0, 0), 0.00015, 0.0, 2.0, 450), 45);
}

TEST(EvaporationRow, FirstRowAtOrAboveTheExposureAndNeverPastTheLast) {
    std::vector<SEvapTableRow> t;
    for (int i = 0; i < 10; ++i) t.push_back(Row(i * 1.0, 1.0, i * 0.05));
    EXPECT_EQ(CWeatheringCore::EvapRow(t.data(), 10, 5.0), 5);
    EXPECT_EQ(CWeatheringCore::EvapRow(t.data(), 10, 5.0000001), 6);
    EXPECT_EQ(CWeatheringCore::EvapRow(t.data(), 10, 0.0), 0);
    EXPECT_EQ(CWeatheringCore::EvapRow(t.data(), 10, -3.0), 0);
    EXPECT_EQ(CWeatheringCore::EvapRow(t.data(), 10, 9.0), 9);
    EXPECT_EQ(CWeatheringCore::EvapRow(t.data(), 10, 1e9), 9);
    EXPECT_EQ(CWeatheringCore::EvapRow(t.data(), 1, 1e9), 0);

    // Same as scanning from row 0, on a grid like the model's (quadratic,
    // with a flat start).
    std::vector<SEvapTableRow> g(4000);
    for (int i = 0; i < 4000; ++i) g[i] = Row(i < 3 ? 0.0 : 1e3 * i * (i + 1.0) / (3999.0 * 4000.0), 1, 0);
    for (double x : {0.0, 1e-9, 1e-4, 0.0625, 1.0, 12.5, 499.9, 999.99, 1000.0, 2000.0}) {
        int linear = 0;
        while (x > g[linear].evex && linear < 3999) ++linear;
        EXPECT_EQ(CWeatheringCore::EvapRow(g.data(), 4000, x), linear) << x;
    }
}

TEST(EvaporationMiniStep, MatchesItsFormula) {
    std::vector<SEvapTableRow> t = {Row(0.0, 2e-4, 0.0), Row(1.0, 1.5e-4, 0.1), Row(2.0, 1e-4, 1.2)};
    const double K = 0.004, Y = 0.3, thick = 0.002, h = 22 * 0.125;
    SLERecord e = Element(7.0, 0.5);
    int row = 0;
    const double evap = CWeatheringCore::Evaporate(K, Y, thick, t.data(), 3, row, h, e);
    // The row moves to the first one at or above evex before evaporating.
    EXPECT_EQ(row, 1);
    EXPECT_DOUBLE_EQ(e.f_evap, 0.1);
    const double l = (1.0 - Y) * K / thick;
    EXPECT_DOUBLE_EQ(e.evex, 0.5 + l * h);
    EXPECT_DOUBLE_EQ(evap, 7.0 * (1.0 - std::exp(-h * l * 1.5e-4)));
    // The stored volume is not reduced here: the caller limits the sub-step.
    EXPECT_EQ(e.Vol, 7.0);

    // Beyond the last row the element stays there; the fraction is clipped.
    e.evex = 50.0;
    const double evap2 = CWeatheringCore::Evaporate(K, Y, thick, t.data(), 3, row, h, e);
    EXPECT_EQ(row, 2);
    EXPECT_EQ(e.f_evap, 1.0);
    EXPECT_DOUBLE_EQ(evap2, 7.0 * (1.0 - std::exp(-h * l * 1e-4)));

    // Without the row advance the row stays where it was.
    e.evex = 0.0;
    row = 1;
    CWeatheringCore::Evaporate(K, Y, thick, t.data(), 3, row, h, e, false);
    EXPECT_EQ(row, 1);
}

TEST(EvaporationMassTransfer, FollowsWindAndSlickArea) {
    const double K = CWeatheringCore::EvaporationMassTransfer(5.0, 0.003, 10000.0);
    EXPECT_DOUBLE_EQ(K, 0.003 * std::pow(5.0, 7.0 / 9.0) / std::pow(100.0, 1.0 / 9.0));
    EXPECT_EQ(CWeatheringCore::EvaporationMassTransfer(0.0, 0.003, 10000.0), 0.0);
    EXPECT_GT(CWeatheringCore::EvaporationMassTransfer(10.0, 0.003, 10000.0), K);
    EXPECT_LT(CWeatheringCore::EvaporationMassTransfer(5.0, 0.003, 1e6), K);
}
