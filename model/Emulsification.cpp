// Natural dispersion, water uptake (emulsification) and the density and
// viscosity of the resulting emulsion; the airborne-benzene factor.
#include <algorithm>
#include <cmath>

#include "model/WeatheringCore.h"

namespace model {

namespace {
constexpr const char* kMsgNegativeWater = "water content is negative";

// A wave value of a column: missing or negative counts as no wave energy.
double WaveValue(double v) { return v > 0.0 ? v : 0.0; }
}  // namespace

double CWeatheringCore::EmulsificationRate(double waveHeight, double wind, double uptake,
                                           double contained) const {
    if (contained > 0.0) return 0.0;
    const double u = std::max(CWeatheringCore::WaveWindFromHeight(waveHeight), wind);
    return u * (uptake * 6.0 * u) / dropletRadius;
}

CWeatheringCore::SDispersionWaves CWeatheringCore::DispersionWaves(int hourIndex, int windTurn, int windTurns,
                                                                 double secsInHour) const {
    const int col = windTurns == 2 ? (windTurn == 0 ? 1 : 2) : 0;
    const SWaveHour& w = wave[hourIndex];
    double hrms = WaveValue(w.Hrms[col]);
    double de = WaveValue(w.De[col]);
    double fbw = WaveValue(w.f_bw[col]);
    if (hourIndex < runHours - 1 && hourIndex + 1 < MAX_HOURS) {
        const SWaveHour& nx = wave[hourIndex + 1];
        const double f = secsInHour / 3600.0;
        hrms = (1.0 - f) * hrms + f * WaveValue(nx.Hrms[col]);
        de = (1.0 - f) * de + f * WaveValue(nx.De[col]);
        fbw = (1.0 - f) * fbw + f * WaveValue(nx.f_bw[col]);
    }
    return {hrms, de, fbw, std::pow(de, kDispEnergyExponent)};
}

double CWeatheringCore::NaturalDispersion(int hourIndex, int sub, const SLERecord& e, int windTurn, int windTurns,
                                          double secsInHour, double area, double hourVol) const {
    return NaturalDispersion(DispersionWaves(hourIndex, windTurn, windTurns, secsInHour), sub, e, area, hourVol);
}

double CWeatheringCore::NaturalDispersion(const SDispersionWaves& w, int sub, const SLERecord& e, double area,
                                          double hourVol) const {
    if (containedArea > 0.0) return 0.0;
    double fbw = w.fbw;
    if (hourVol > kDispLargeHourVol && e.visc > kDispViscousLimit) {
        // The factor of the last release-hour volume is kept (the loop asks
        // for the same few volumes over and over).
        thread_local double lastVol = -1.0, lastFactor = 1.0;
        if (hourVol != lastVol) {
            lastFactor = std::pow(kDispLargeHourVol / hourVol, kDispLargeHourExponent);
            lastVol = hourVol;
        }
        fbw *= lastFactor;
    }

    const double energy = kDispEnergyFactor * std::exp(-kDispViscFactor * std::sqrt(e.visc)) * w.dePow * fbw;
    const double surface = area * dispCoef * energy * (1.0 - e.Y) / e.rho;

    double sed = 0.0;
    if (sediment > 0.0) {
        const double emThick = (e.Vol / (1.0 - e.Y)) / area;
        if (emThick >= kSedMinThickness) {
            const double p = std::max(0.0, (std::pow(emThick, kSedThickExponent) - kSedThickOffset) * kSedPFactor);
            const double q = kSedQFactor * emThick;
            const double waveStirring = std::sqrt(fbw * w.de * w.hrms / (waterDensity * waterVisc));
            // No waves and an emulsion as dense as the water: nothing settles.
            const double denom = sub * q * q * kGravity * (1.0 - e.rho / waterDensity) /
                                     (kSedStokes * waterVisc) +
                                 kSedHrmsFactor * w.hrms;
            if (denom > 0.0)
                sed = sediment * waveStirring * (kSedCoefFactor * sedimentCoef) * (sub * area * energy * p) / denom /
                      e.rho;
        }
    }
    const double dispersed = sub * ((1.0 - e.Y) * sed + surface);
    return std::clamp(dispersed, 0.0, std::max(0.0, e.Vol));
}

double CWeatheringCore::Emulsify(int age, int sub, double k, double fEvap, SLERecord& e, int onsetTurn,
                                 int flag, int pass, std::vector<std::string>& notes) const {
    // Without a water content to take up there is no emulsion.
    if (!(Ymax > 0.0 && Ymax < 1.0) || !(Smax > 0.0)) {
        e.S = 0.0;
        e.Y = 0.0;
        return dropletRadius;
    }
    // Onset as a fraction evaporated and as an age in seconds. With the
    // switch on, the bounds serve the uncertainty turns; the best estimate
    // (pass 0) uses the onset as the oil gives it, as without the switch.
    const bool best = pass == 0 && flag;
    const int bound = onsetTurn == 1 ? 1 : 0;
    const double F = best ? bestBullwinkle : bullwinkle[bound];
    const double onsetHours = best ? bestBulltime : bulltime[bound];
    double T = onsetHours >= 0.0 ? std::floor(onsetHours) * 3600.0 : MISSING_VALUE_D * 3600.0;
    const double s0 = e.S < 0.0 ? 0.0 : e.S;
    double S = 0.0;
    const bool reached = (age >= T && T >= 0.0) || (F >= 0.0 && F <= fEvap);
    if (reached) {
        if (T <= 0.0) {
            if (e.onsetTime < 0) e.onsetTime = age;
            T = e.onsetTime;
        }
        S = s0 + k * sub * std::exp(-k / Smax * (age - T));
        if (S > Smax) S = Smax;
    }
    const double m = Ymax / (1.0 - Ymax);
    double r = dropletRadius;
    double Y;
    if (6.0 / r * m > S) {
        Y = r * S / (r * S + 6.0);
    } else {
        Y = Ymax;
        r = m * 6.0 / S;
    }
    if (Y < 0.0) {
        if (std::find(notes.begin(), notes.end(), kMsgNegativeWater) == notes.end())
            notes.emplace_back(kMsgNegativeWater);
        return 0.0;
    }
    e.Y = Y;
    e.S = S;
    return r;
}

double CWeatheringCore::Emulsify(int age, int sub, double k, double fEvap, SLERecord& e, int onsetTurn, int flag,
                                 int pass) {
    std::vector<std::string> notes;
    const double r = Emulsify(age, sub, k, fEvap, e, onsetTurn, flag, pass, notes);
    for (const auto& n : notes) Messages().ShowOnce(n);
    return r;
}

double CWeatheringCore::EmulsionDensity(double rho0, double rhoW, double fEvap, double Y) {
    const double d = Y * rhoW + (1.0 - Y) * (1.0 + kEmulsionDensityEvap * fEvap) * rho0;
    return std::min(d, rhoW);
}

double CWeatheringCore::EmulsionViscosity(double visc0, double Y, double fEvap, double r) const {
    double C = kMooneyDefault;
    if (viscMultiplier > 0.0) {
        thread_local double lastMult = -1.0, lastLn = 0.0;
        if (viscMultiplier != lastMult) {
            lastLn = std::log(viscMultiplier);
            lastMult = viscMultiplier;
        }
        const double lnMult = lastLn;
        if (lnMult == 0.0) {
            // A multiplier of 1 drives the constant to minus infinity.
            C = kMooneyMin;
        } else if (r > 0.0 && Ymax > 0.0) {
            C = minDropletRadius * (1.0 - kMooneyFactor * Ymax / lnMult) / (Ymax * r);
        }
    }
    C = std::clamp(C, kMooneyMin, kMooneyMax);
    return visc0 * std::exp(kMooneyFactor * Y / (1.0 - C * Y)) * std::exp(C4 * fEvap);
}

double CWeatheringCore::BenzeneAirFactor(double slickArea, double R, double T, double P) {
    const double x = kBenzAreaScale / std::sqrt(slickArea);
    const double poly = 0.9 * std::pow(x, 1.111) - 0.2368 * std::pow(x, 2.111) - 9.0 * std::pow(x, 0.111) +
                        0.05357 * std::pow(x, 3.111);
    return 1000000.0 * (1.0 + 0.117 * poly) * 0.078 * R * T / P;
}

}  // namespace model
