// Water-uptake rate, natural dispersion, emulsification and the emulsion's
// density, viscosity and airborne-benzene factor, on a hand-built model.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "model/WeatheringCore.h"
#include "platform/Messages.h"

using model::CWeatheringCore;
using model::SLERecord;

namespace {

constexpr double kRhoW = 1025.0;

std::unique_ptr<CWeatheringCore> MakeCore() {
    auto c = std::make_unique<CWeatheringCore>();
    c->runHours = 12;
    c->waterDensity = kRhoW;
    c->sediment = 0.0;
    c->containedArea = model::MISSING_VALUE_D;
    for (int h = 0; h < model::MAX_HOURS; ++h) {
        for (int k = 0; k < 3; ++k) {
            c->wave[h].Hrms[k] = 0.5 + 0.1 * k;
            c->wave[h].f_bw[k] = 0.02 + 0.01 * k;
            c->wave[h].De[k] = kRhoW * 0.0034 * 9.8 * c->wave[h].Hrms[k] * c->wave[h].Hrms[k];
        }
    }
    c->Ymax = 0.75;
    c->Smax = 6.0 / c->minDropletRadius * c->Ymax / (1.0 - c->Ymax);
    c->bullwinkle[0] = 0.2;
    c->C4 = 4.0;
    return c;
}

SLERecord Element(double vol, double visc, double rho) {
    SLERecord e{};
    e.Vol = vol;
    e.visc = visc;
    e.rho = rho;
    e.Y = 0.0;
    e.S = 0.0;
    e.onsetTime = model::MISSING_VALUE;
    return e;
}

// The surface term of natural dispersion for the best-wind column of hour h
// with no blending.
double SurfaceTerm(const CWeatheringCore& c, int h, const SLERecord& e, int sub, double area, double fbwFactor = 1.0) {
    const auto& w = c.wave[h];
    const double I = 2400.0 * std::exp(-73.682 * std::sqrt(e.visc)) * std::pow(w.De[0], 0.57) * w.f_bw[0] * fbwFactor;
    return sub * area * c.dispCoef * I * (1.0 - e.Y) / e.rho;
}

}  // namespace

TEST(EmulsificationRate, FromWavesOrWind) {
    auto c = MakeCore();
    const double rate = 2e-6;
    auto k = [&](double U) { return U * (rate * 6.0 * U) / c->dropletRadius; };
    // Contained slicks take up no water.
    EXPECT_EQ(c->EmulsificationRate(1.0, 5.0, rate, 2000.0), 0.0);
    // A 1 m wave is worth 6.35 m/s of wind.
    const double uw1 = 2.0286 * std::sqrt(9.8);
    EXPECT_NEAR(uw1, 6.35, 0.01);
    EXPECT_DOUBLE_EQ(c->EmulsificationRate(1.0, 5.0, rate, -999.0), k(uw1));
    EXPECT_DOUBLE_EQ(c->EmulsificationRate(1.0, 9.0, rate, -999.0), k(9.0));
    // A small wave goes through the low-wind relation.
    const double uw01 = std::pow(2.0286 * std::sqrt(0.98) / 0.71, 0.813);
    EXPECT_DOUBLE_EQ(c->EmulsificationRate(0.1, 1.0, rate, -999.0), k(uw01));
    // Computed waves (no height entered): the wind alone.
    EXPECT_DOUBLE_EQ(c->EmulsificationRate(-999.0, 5.0, rate, -999.0), k(5.0));
    EXPECT_EQ(c->EmulsificationRate(-999.0, 0.0, rate, -999.0), 0.0);
}

TEST(NaturalDispersion, SurfaceTermLargeHoursContainedAndBlend) {
    auto c = MakeCore();
    const SLERecord e = Element(5.0, 2e-5, 900.0);
    const int sub = 45;
    const double area = 200.0;
    // Sediment 0: the surface term alone; the last run hour is not blended.
    EXPECT_DOUBLE_EQ(c->NaturalDispersion(11, sub, e, 0, 1, 1800.0, area, 50.0), SurfaceTerm(*c, 11, e, sub, area));
    // At the start of an hour the hour's own waves count.
    EXPECT_DOUBLE_EQ(c->NaturalDispersion(3, sub, e, 0, 1, 0.0, area, 50.0), SurfaceTerm(*c, 3, e, sub, area));
    // Blend towards the next hour: halfway and at the end.
    c->wave[4].f_bw[0] = 0.06;
    const double own = SurfaceTerm(*c, 3, e, sub, area);
    const double next = SurfaceTerm(*c, 4, e, sub, area);
    EXPECT_NEAR(c->NaturalDispersion(3, sub, e, 0, 1, 3600.0, area, 50.0), next, 1e-15 * next);
    EXPECT_NEAR(c->NaturalDispersion(3, sub, e, 0, 1, 1800.0, area, 50.0), 0.5 * (own + next), 1e-12 * own);

    // Viscous oil of a large release hour disperses less; the threshold
    // literal is the double just below 4e-5.
    const SLERecord atLimit = Element(5.0, 4e-5, 900.0);
    const SLERecord below = Element(5.0, 3.9999999999999996e-05, 900.0);
    const double f = std::pow(100.0 / 400.0, 0.2);
    EXPECT_DOUBLE_EQ(c->NaturalDispersion(11, sub, atLimit, 0, 1, 0, area, 400.0), SurfaceTerm(*c, 11, atLimit, sub, area, f));
    EXPECT_DOUBLE_EQ(c->NaturalDispersion(11, sub, below, 0, 1, 0, area, 400.0), SurfaceTerm(*c, 11, below, sub, area));
    EXPECT_DOUBLE_EQ(c->NaturalDispersion(11, sub, atLimit, 0, 1, 0, area, 100.0), SurfaceTerm(*c, 11, atLimit, sub, area));

    // Wind-uncertainty columns: raised for IW 0, lowered for IW 1.
    const double raised = c->NaturalDispersion(11, sub, e, 0, 2, 0, area, 50.0);
    const double lowered = c->NaturalDispersion(11, sub, e, 1, 2, 0, area, 50.0);
    EXPECT_NE(raised, lowered);
    EXPECT_NE(raised, SurfaceTerm(*c, 11, e, sub, area));

    // Contained: none.
    c->containedArea = 500.0;
    EXPECT_EQ(c->NaturalDispersion(3, sub, e, 0, 1, 0.0, area, 50.0), 0.0);
}

TEST(NaturalDispersion, SedimentTermAndLimits) {
    auto c = MakeCore();
    c->sediment = 0.005;
    const SLERecord e = Element(5.0, 2e-5, 900.0);
    const double withSed = c->NaturalDispersion(11, 45, e, 0, 1, 0, 200.0, 50.0);
    EXPECT_GT(withSed, SurfaceTerm(*c, 11, e, 45, 200.0));
    // A thin film (under 0.1 mm) does not settle with sediment.
    EXPECT_DOUBLE_EQ(c->NaturalDispersion(11, 45, e, 0, 1, 0, 1e6, 50.0), SurfaceTerm(*c, 11, e, 45, 1e6));
    // No waves and an emulsion at the water's density: nothing, no NaN.
    for (auto& w : c->wave)
        for (int k = 0; k < 3; ++k) w.Hrms[k] = w.De[k] = w.f_bw[k] = 0.0;
    const SLERecord dense = Element(5.0, 2e-5, kRhoW);
    const double none = c->NaturalDispersion(11, 45, dense, 0, 1, 0, 200.0, 50.0);
    EXPECT_EQ(none, 0.0);
    // Never more than the element holds.
    c = MakeCore();
    for (auto& w : c->wave) w.f_bw[0] = 1.0;
    const SLERecord tiny = Element(1e-9, 1e-6, 800.0);
    EXPECT_EQ(c->NaturalDispersion(11, 900, tiny, 0, 1, 0, 1e5, 1.0), 1e-9);
}

TEST(Emulsify, OnsetUptakeAndWaterContent) {
    auto c = MakeCore();
    std::vector<std::string> notes;
    const double k = 0.01;
    const int sub = 45;
    const double r0 = c->dropletRadius;
    const double m = c->Ymax / (1.0 - c->Ymax);

    // Before the fraction onset: no uptake.
    SLERecord e = Element(1, 1e-5, 900);
    e.S = 123.0;
    EXPECT_EQ(c->Emulsify(4000, sub, k, 0.1, e, 0, 0, 0, notes), r0);
    EXPECT_EQ(e.S, 0.0);
    EXPECT_EQ(e.Y, 0.0);

    // Reached by fraction: the onset time is this age, S grows by k sub.
    e = Element(1, 1e-5, 900);
    double r = c->Emulsify(4000, sub, k, 0.25, e, 0, 0, 0, notes);
    EXPECT_EQ(e.onsetTime, 4000);
    EXPECT_DOUBLE_EQ(e.S, k * sub);
    EXPECT_DOUBLE_EQ(e.Y, r0 * e.S / (r0 * e.S + 6.0));
    EXPECT_EQ(r, r0);
    // A later sub-step: growth decays with the time since the onset.
    const double s1 = e.S;
    c->Emulsify(4900, sub, k, 0.25, e, 0, 0, 0, notes);
    EXPECT_DOUBLE_EQ(e.S, s1 + k * sub * std::exp(-k / c->Smax * 900.0));

    // Time onset: whole hours of the onset time, age compared with it.
    c->bullwinkle[0] = model::MISSING_VALUE_D;
    c->bulltime[0] = 2.5;
    e = Element(1, 1e-5, 900);
    c->Emulsify(7199, sub, k, 0.9, e, 0, 0, 0, notes);
    EXPECT_EQ(e.S, 0.0);
    c->Emulsify(7200, sub, k, 0.9, e, 0, 0, 0, notes);
    EXPECT_DOUBLE_EQ(e.S, k * sub);
    EXPECT_EQ(e.onsetTime, model::MISSING_VALUE);

    // S at its cap: full water content and the smallest droplets.
    c->bulltime[0] = model::MISSING_VALUE_D;
    c->bullwinkle[0] = 0.0;
    e = Element(1, 1e-5, 900);
    e.S = c->Smax;
    r = c->Emulsify(4000, sub, 1.0, 0.0, e, 0, 0, 0, notes);
    EXPECT_EQ(e.S, c->Smax);
    EXPECT_EQ(e.Y, c->Ymax);
    EXPECT_DOUBLE_EQ(r, c->minDropletRadius);
    // Continuity where the two water-content rules meet (S = 6 m / r).
    const double sJoin = 6.0 * m / r0;
    EXPECT_NEAR(r0 * sJoin / (r0 * sJoin + 6.0), c->Ymax, 1e-12);
    EXPECT_TRUE(notes.empty());
}

TEST(Emulsify, UncertainOnsetsAndMissingWaterContent) {
    auto c = MakeCore();
    std::vector<std::string> notes;
    // The early-onset turn of a percent uncertainty starts at fraction 0.
    c->bullwinkle[0] = 0.3;
    c->bullwinkle[1] = 0.0;
    SLERecord e = Element(1, 1e-5, 900);
    c->Emulsify(4000, 45, 0.01, 0.0, e, 1, 1, 1, notes);
    EXPECT_GT(e.S, 0.0);

    // Pass 0 with the switch on uses the best onset, not the bounds (whose
    // midpoint 0.15 would start the uptake earlier).
    c->bestBullwinkle = 0.2;
    e = Element(1, 1e-5, 900);
    c->Emulsify(4000, 45, 0.01, 0.19, e, 0, 1, 0, notes);
    EXPECT_EQ(e.S, 0.0);
    c->Emulsify(4000, 45, 0.01, 0.2, e, 0, 1, 0, notes);
    EXPECT_GT(e.S, 0.0);
    // Pass 1 uses its bound: the late turn starts at 0.3.
    e = Element(1, 1e-5, 900);
    c->Emulsify(4000, 45, 0.01, 0.29, e, 0, 1, 1, notes);
    EXPECT_EQ(e.S, 0.0);
    c->Emulsify(4000, 45, 0.01, 0.3, e, 0, 1, 1, notes);
    EXPECT_GT(e.S, 0.0);

    // A time onset of 2 hours widened by 1 hour: pass 0 starts at 2 hours,
    // the turns at 3 and 1.
    c->bullwinkle[0] = c->bullwinkle[1] = c->bestBullwinkle = model::MISSING_VALUE_D;
    c->bulltime[0] = 3.0;
    c->bulltime[1] = 1.0;
    c->bestBulltime = 2.0;
    struct TimeCase {
        const char* name;
        int onsetTurn, pass, onsetAge;
    };
    for (const TimeCase& t : {TimeCase{"best", 0, 0, 7200}, TimeCase{"late turn", 0, 1, 10800},
                              TimeCase{"early turn", 1, 1, 3600}}) {
        e = Element(1, 1e-5, 900);
        c->Emulsify(t.onsetAge - 1, 45, 0.01, 0.9, e, t.onsetTurn, 1, t.pass, notes);
        EXPECT_EQ(e.S, 0.0) << t.name;
        c->Emulsify(t.onsetAge, 45, 0.01, 0.9, e, t.onsetTurn, 1, t.pass, notes);
        EXPECT_GT(e.S, 0.0) << t.name;
    }

    // A negative uptake rate drives the water content below 0: the message,
    // the element keeps its state and the droplet radius is 0.
    c->Ymax = 0.75;
    c->Smax = 6.0 / c->minDropletRadius * 3.0;
    c->bullwinkle[0] = 0.0;
    e = Element(1, 1e-5, 900);
    e.S = 1.0;
    e.Y = 0.1;
    notes.clear();
    EXPECT_EQ(c->Emulsify(4000, 45, -1.0, 0.5, e, 0, 0, 0, notes), 0.0);
    EXPECT_EQ(e.S, 1.0);
    EXPECT_EQ(e.Y, 0.1);
    c->Emulsify(4000, 45, -1.0, 0.5, e, 0, 0, 0, notes);
    EXPECT_EQ(notes, std::vector<std::string>{"water content is negative"});
    {
        platform::RecordingMessages rec;
        c->SetMessages(&rec);
        c->Messages().Begin();
        c->Emulsify(4000, 45, -1.0, 0.5, e, 0, 0, 0);
        EXPECT_EQ(rec.Texts(), std::vector<std::string>{"water content is negative"});
        c->SetMessages(nullptr);
    }

    // No water content: no uptake and no NaN downstream.
    for (double ymax : {0.0, -999.0}) {
        c->Ymax = ymax;
        c->Smax = ymax > 0 ? 1.0 : 0.0;
        c->bullwinkle[0] = 0.0;
        c->viscMultiplier = 100.0;
        e = Element(1, 1e-5, 900);
        const double r = c->Emulsify(4000, 45, 0.01, 0.5, e, 0, 0, 0, notes);
        EXPECT_EQ(e.Y, 0.0);
        EXPECT_EQ(e.S, 0.0);
        EXPECT_EQ(r, c->dropletRadius);
        EXPECT_TRUE(std::isfinite(c->EmulsionViscosity(1e-5, e.Y, 0.5, r)));
    }
}

TEST(EmulsionProperties, DensityAndViscosityRules) {
    auto c = MakeCore();
    // Density: fresh oil; evaporation and water raise it; capped at the water's.
    EXPECT_EQ(CWeatheringCore::EmulsionDensity(850.0, kRhoW, 0.0, 0.0), 850.0);
    EXPECT_DOUBLE_EQ(CWeatheringCore::EmulsionDensity(850.0, kRhoW, 0.3, 0.0), 1.054 * 850.0);
    EXPECT_DOUBLE_EQ(CWeatheringCore::EmulsionDensity(850.0, kRhoW, 0.0, 0.5), 0.5 * kRhoW + 0.5 * 850.0);
    EXPECT_EQ(CWeatheringCore::EmulsionDensity(1000.0, kRhoW, 0.4, 0.1), kRhoW);

    // Viscosity: fresh oil without water or evaporation.
    c->viscMultiplier = model::MISSING_VALUE_D;
    EXPECT_EQ(c->EmulsionViscosity(2e-5, 0.0, 0.0, 1e-5), 2e-5);
    EXPECT_DOUBLE_EQ(c->EmulsionViscosity(2e-5, 0.0, 0.25, 1e-5), 2e-5 * std::exp(4.0 * 0.25));
    // No multiplier: the Mooney constant 0.65.
    EXPECT_DOUBLE_EQ(c->EmulsionViscosity(2e-5, 0.5, 0.0, 1e-5), 2e-5 * std::exp(2.5 * 0.5 / (1 - 0.65 * 0.5)));
    // The constant is clamped at both ends.
    c->viscMultiplier = 1e6;  // large droplets: small constant
    EXPECT_DOUBLE_EQ(c->EmulsionViscosity(2e-5, 0.5, 0.0, 1e-3), 2e-5 * std::exp(2.5 * 0.5 / (1 - 0.45 * 0.5)));
    c->viscMultiplier = 1e6;  // the smallest droplets: large constant
    EXPECT_DOUBLE_EQ(c->EmulsionViscosity(2e-5, 0.5, 0.0, 1e-7), 2e-5 * std::exp(2.5 * 0.5 / (1 - 0.85 * 0.5)));
    // A multiplier of 1 and a zero radius stay finite.
    c->viscMultiplier = 1.0;
    EXPECT_TRUE(std::isfinite(c->EmulsionViscosity(2e-5, 0.5, 0.0, 1e-5)));
    c->viscMultiplier = 50.0;
    EXPECT_DOUBLE_EQ(c->EmulsionViscosity(2e-5, 0.5, 0.0, 0.0), 2e-5 * std::exp(2.5 * 0.5 / (1 - 0.65 * 0.5)));
}

TEST(BenzeneAirFactor, PositiveForEveryRealSlickArea) {
    for (double a = 1e-2; a <= 1e10; a *= 3.7) {
        const double f = CWeatheringCore::BenzeneAirFactor(a, 8.3144, 283.15, 101300.0);
        EXPECT_TRUE(std::isfinite(f)) << a;
        EXPECT_GT(f, 30.0) << a;
    }
    const double x = 29.98 / std::sqrt(355.0);
    const double expect = 1e6 *
                          (1 + 0.117 * (0.9 * std::pow(x, 1.111) - 0.2368 * std::pow(x, 2.111) - 9 * std::pow(x, 0.111) +
                                        0.05357 * std::pow(x, 3.111))) *
                          0.078 * 8.3144 * 283.15 / 101300.0;
    EXPECT_DOUBLE_EQ(CWeatheringCore::BenzeneAirFactor(355.0, 8.3144, 283.15, 101300.0), expect);
}
