// The oil at the water temperature: density, viscosity, water uptake,
// emulsification onset, distillation cuts, pseudo-components and the
// evaporation table.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>
#include <vector>

#include "model/WeatheringCore.h"

namespace model {

namespace {

constexpr double M = MISSING_VALUE_D;

bool IsType(const char (&type)[8], const char* name) { return std::strncmp(type, name, sizeof type) == 0; }

bool Finite(double v) { return std::isfinite(v); }

// Lower bound for NaN as well.
double ClampTo(double v, double lo, double hi) {
    if (!(v >= lo)) return lo;
    return v > hi ? hi : v;
}

// The leading run of usable points: a positive value at a positive
// temperature. A gap ends the run, so a missing point is never averaged in.
int LeadingPoints(const SOilPoint* pts, int count) {
    int n = 0;
    while (n < count && pts[n].value > 0 && Finite(pts[n].value) && pts[n].tempK > 0 && Finite(pts[n].tempK)) ++n;
    return n;
}

// Andrade shift of a viscosity from its reference temperature to T.
double Andrade(double B, double T, double Tref) { return std::exp(B * (1 / T - 1 / Tref)); }

}  // namespace

int CWeatheringCore::InitOilProperties() {
    // A fatal input found earlier in the same preparation stays recorded.
    const int prior = fatalInput;
    fatalInput = 0;
    const int status = [&]() -> int {
        if (!(waterTemp > 0) || !Finite(waterTemp)) {
            Messages().Show("InitOilProperties: water temperature not set");
            fatalInput = 1;
            return RUN_FATAL_INPUT;
        }
        // Density.
        rho = OilDensityAtWaterTemp(waterTemp);
        if (fatalInput) return RUN_FATAL_INPUT;
        if (!(waterDensity > rho)) {
            // An oil that does not float cannot spread as a slick.
            Messages().Show("Oil is denser than surrounding water. Will sink");
            fatalInput = 1;
            return RUN_FATAL_INPUT;
        }
        // Viscosity and its evaporation exponent.
        double v = M, c4 = C4;
        OilViscosityAtWaterTemp(waterTemp, kViscosityB, rho, v, c4);
        if (fatalInput) return RUN_FATAL_INPUT;
        visc = v;
        C4 = c4;
        // Terminal thickness.
        minThickness = (visc < kRefinedThinViscosity && IsType(productType, "refined")) ? kMinThicknessRefined
                                                                                       : kMinThicknessDefault;
        // API and the default distillation line.
        if (api < 0) api = ApiFromDensity(waterTemp);
        if (T0 < 0) {
            if (!(api > 0) || !Finite(api)) {
                Messages().Show("bad API data");
                fatalInput = 1;
                return RUN_FATAL_INPUT;
            }
            T0 = 457.16 - 3.3447 * api;
            TG = 1356.7 - 247.36 * std::log(api);
        }
        // Water uptake and emulsification.
        MaxWaterContent(visc, rho);
        EmulsificationOnset();
        if (uptakeRate < 0) uptakeRate = std::max(kUptakeMin, (3.11 - 3.63 * rho * visc) * 1e-6);
        // Cuts, components, evaporation table.
        CheckDistillationCuts();
        ComputePseudoComponents();
        if (fatalInput) return RUN_FATAL_INPUT;
        return EvapExpA();
    }();
    if (prior) fatalInput = prior;
    return status;
}

double CWeatheringCore::OilDensityAtWaterTemp(double T) {
    double density;
    if (densityPts[0].value < 0) {
        density = (1 - (T - kOilApiRefTempK) * kOilDensityTempCoef) * kApiNumerator / (api + kApiOffset) * 1000;
    } else {
        int n = LeadingPoints(densityPts, OIL_POINTS);
        if (n == 0 || densityPts[0].fEvap > 0) {
            density = M;
        } else if (n == 1) {
            density = densityPts[0].value * (1 - (T - densityPts[0].tempK) * kOilDensityTempCoef);
        } else {
            // Each point taken back to the fresh oil, then averaged.
            double sum = 0;
            for (int j = 0; j < n; ++j) {
                const SOilPoint& p = densityPts[j];
                double f = p.fEvap > 0 ? p.fEvap : 0;
                sum += p.value * (1 - (T - p.tempK) * kOilDensityTempCoef) / (kWeatheredDensityCoef * f + 1);
            }
            density = sum / n;
        }
    }
    if (!(density > 0) || !Finite(density)) {
        Messages().Show("bad density data");
        fatalInput = 1;
        return M;
    }
    return density;
}

void CWeatheringCore::OilViscosityAtWaterTemp(double T, double B, double rhoOil, double& viscOut, double& c4Out) {
    const bool kinematic = viscPts[0].value > 0;
    if (!kinematic && !(dynViscPts[0].value > 0)) {
        Messages().Show("no viscosity data");
        fatalInput = 1;
        return;
    }
    const SOilPoint* src = kinematic ? viscPts : dynViscPts;
    if (src[0].fEvap > 0) {
        Messages().Show("initial viscosity must be unweathered");
        fatalInput = 1;
        return;
    }
    const int n = LeadingPoints(src, OIL_POINTS);
    if (n == 0 || !(rhoOil > 0)) {
        Messages().Show("no viscosity data");
        fatalInput = 1;
        return;
    }
    // Kinematic values of the points (dynamic ones divided by the density).
    double value[OIL_POINTS];
    for (int j = 0; j < n; ++j) value[j] = kinematic ? src[j].value : src[j].value / rhoOil;

    // The unweathered point nearest in temperature.
    int best = 0;
    double bound = 100 * T;
    for (int j = 0; j < n; ++j) {
        if (src[j].fEvap > 0) continue;
        double dist = std::fabs(src[j].tempK - T);
        if (dist < bound) {
            bound = dist;
            best = j;
        }
    }
    double v = value[best] * Andrade(B, T, src[best].tempK);
    double c4 = kC4PerRootCst * std::sqrt(v * 1e6);
    if (n > 1) {
        double sum = c4;
        int weathered = 0;
        for (int j = 0; j < n; ++j) {
            if (!(src[j].fEvap > 0)) continue;
            sum += std::log(Andrade(B, T, src[j].tempK) * value[j] / v) / src[j].fEvap;
            ++weathered;
        }
        c4 = sum / (weathered + 1);
    }
    if (!Finite(v) || !(v > 0)) {
        Messages().Show("no viscosity data");
        fatalInput = 1;
        return;
    }
    viscOut = v;
    c4Out = ClampTo(c4, kC4Min, kC4Max);
}

double CWeatheringCore::ApiFromDensity(double T) const {
    return kApiDensityFallback / ((1 - (kOilApiRefTempK - T) * kApiTempCoef) * rho) - kApiOffset;
}

void CWeatheringCore::MaxWaterContent(double viscOil, double rhoOil) {
    if (Ymax < 0) {
        double c = viscOil * rhoOil;
        Ymax = c > kYmaxViscRef ? kYmaxDefault - kYmaxLogCoef * std::log(c / kYmaxViscRef) : kYmaxDefault;
    }
    Ymax = ClampTo(Ymax, 0.0, kYmaxLimit);
    Smax = 6 / minDropletRadius * Ymax / (1 - Ymax);
}

void CWeatheringCore::EmulsificationOnset() {
    if (bulltime[0] > 0) {
        const double onset = bulltime[0];
        bestBulltime = onset;
        bestBullwinkle = M;
        if (emulFlag && emulUncHours > 0) {
            bulltime[0] = onset + emulUncHours;
            bulltime[1] = std::max(0.0, onset - emulUncHours);
        }
        bullwinkle[0] = M;
        return;
    }
    double m = ClampTo((483 - (532.98 - 3.1295 * api)) / TG, 0.0, kOnsetMaxM);
    if (bullwinkle[0] < 0 && IsType(productType, "crude")) {
        double r;
        if (nickel > 0 && vanadium > 0 && nickel + vanadium > kOnsetMetalsLimit)
            r = 0;
        else if (asphalt > 0)
            r = ClampTo(0.20219 - 0.168 * std::log10(asphalt), 0.0, kOnsetMaxR);
        else if (api < kOnsetHeavyApi)
            r = kOnsetHeavyR;
        else if (api > kOnsetLightApi)
            r = kOnsetMaxR;
        else
            r = -1.038 - 0.78935 * std::log10(1 / api);
        bullwinkle[0] = (r + m) / 2;
    }
    if (bullwinkle[0] < 0 && IsType(productType, "refined")) bullwinkle[0] = 1;
    // The best estimate keeps this onset; the clamped bounds below would
    // move it (a refined product at +-50 % would emulsify at 75 %).
    bestBullwinkle = bullwinkle[0];
    bestBulltime = bulltime[0];
    if (emulFlag && bullwinkle[0] >= 0) {
        double p = emulUncPct / kPercent;
        if (p > 0) {
            const double onset = bullwinkle[0];
            bullwinkle[0] = std::min(1.0, onset + p);
            bullwinkle[1] = std::max(0.0, onset - p);
        }
    }
}

void CWeatheringCore::CheckDistillationCuts() {
    if (cutKind == 1 || cutCount <= 0 || !(dist_frac[0] >= 0) || cutCount > kCutCheckMax) return;
    const int given = std::min(cutCount, MAX_CUTS);
    int kept = 0;
    if (!(dist_temp[0] > kCutMinTempK)) {
        Messages().Show("bad distillation temperature data");
    } else {
        kept = 1;
        for (int i = 1; i < given; ++i) {
            if (!(dist_frac[i] >= dist_frac[i - 1])) {
                Messages().Show("bad distillation fraction data");
                break;
            }
            if (!(dist_temp[i] > dist_temp[i - 1])) {
                if (i < kCutTempMessageLimit) Messages().Show("bad distillation temperature data");
                break;
            }
            kept = i + 1;
        }
    }
    cutCount = kept;
    for (int i = kept; i < MAX_CUTS; ++i) dist_temp[i] = dist_frac[i] = M;
}

double CWeatheringCore::ComponentVaporPressure(double Tb, double P, double T, double rcal) {
    const double C2 = 0.19 * Tb - 18;
    // At or below C2 the formula has no meaning; such a component does not
    // evaporate at this temperature.
    if (!(Tb > 0) || !(T - C2 > 1)) return 0;
    double vp = P * std::exp((1.987 * std::log(Tb) + 8.75) / 0.97 * (Tb - C2) * (T - Tb) / (rcal * Tb * (T - C2)));
    return Finite(vp) ? vp : 0;
}

void CWeatheringCore::ComputePseudoComponents() {
    double Tb[MAX_COMPONENTS];
    double F[MAX_COMPONENTS];
    int n = 0;
    bool weight = false;
    const bool crude = IsType(productType, "crude");
    const int cuts = cutCount > 0 ? std::min(cutCount, MAX_CUTS) : 0;

    if (cutKind == 1 || ((cutKind == 2 || cutKind == 3) && cuts < 2)) {
        // No usable cuts: a crude follows the default distillation line.
        if (crude) {
            for (int k = 0; k < kDefaultComponents; ++k) {
                Tb[k] = T0 + (k + 0.5) * TG / kDefaultComponents;
                F[k] = (k + 1.0) / kDefaultComponents;
            }
            n = kDefaultComponents;
        } else {
            Messages().Show("Refined oils must have distillation cuts.");
        }
    } else if (cutKind == 2 || cutKind == 3) {
        weight = cutKind == 3;
        auto frac = [&](int i) { return std::min(dist_frac[i], 1.0); };
        const double T1 = dist_temp[0], F1 = frac(0);
        const double T2 = dist_temp[1], F2 = frac(1);
        const double Tn = dist_temp[cuts - 1], Fn = frac(cuts - 1);
        Tb[0] = F2 > F1 ? T1 - 0.5 * F1 * (T2 - T1) / (F2 - F1) : (T1 + kCutMinTempK) / 2;
        if (Tb[0] < kCutMinTempK) Tb[0] = (T1 + kCutMinTempK) / 2;
        F[0] = F1;
        for (int i = 1; i < cuts; ++i) {
            Tb[i] = (dist_temp[i - 1] + dist_temp[i]) / 2;
            F[i] = frac(i);
        }
        // The residue above the last cut; with no slope to follow it takes
        // the cap.
        Tb[cuts] = Fn > F1 ? Tn + (1 - Fn) * 0.5 * (Tn - T1) / (Fn - F1) : kMaxBoilingPoint;
        Tb[cuts] = std::min(Tb[cuts], kMaxBoilingPoint);
        F[cuts] = 1;
        n = cuts + 1;
    } else {
        Messages().Show(" pseudo component calculation error ");
    }

    int count = 0;
    double prevF = 0;
    for (int k = 0; k < n; ++k) {
        double f = F[k] - prevF;
        prevF = std::max(prevF, F[k]);
        if (!(f > 0)) continue;  // an empty cut makes no component
        const double t = Tb[k];
        compMW[count] = 0.04132 - 0.0001985 * t + 9.494e-7 * t * t;
        compMolVol[count] = 7e-05 - 2.102e-7 * t + 1e-9 * t * t;
        compVP[count] = ComponentVaporPressure(t, airPressure, waterTemp, Rcal);
        compFrac0[count] = f;
        ++count;
    }
    if (weight && count > 0) {
        double s = 0;
        for (int k = 0; k < count; ++k) s += compFrac0[k] * compMolVol[k] / compMW[k];
        for (int k = 0; k < count; ++k) compFrac0[k] = compFrac0[k] * compMolVol[k] / (s * compMW[k]);
    }
    for (int k = count; k < MAX_COMPONENTS; ++k) compMW[k] = compMolVol[k] = compVP[k] = compFrac0[k] = M;
    compCount = count;
    if (count == 0) fatalInput = 1;
}

int CWeatheringCore::EvapExpA() {
    const int N = evapRows > 1 && evapRows <= EVAP_TABLE_ROWS ? evapRows : EVAP_TABLE_ROWS;
    const int K = compCount > 0 ? std::min(compCount, MAX_COMPONENTS) : 0;
    if (K == 0) {
        fatalInput = 1;
        return RUN_FATAL_INPUT;
    }
    std::vector<double> e, ck;
    try {
        e.resize(N);
        ck.resize(K);
    } catch (const std::bad_alloc&) {
        Messages().Show("Error: Out of Memory (EvapExpA)");
        return RUN_MEMORY_ERROR;
    }
    const double T = waterTemp;

    // Mass-transfer coefficient from the mean molecular weight.
    double num = 0, den = 0;
    for (int k = 0; k < K; ++k) {
        num += compMW[k] * compFrac0[k] / compMolVol[k];
        den += compFrac0[k] / compMolVol[k];
    }
    const double Mm = num / den;
    evapCoef = kEvapCoefBase * std::pow(kWaterMolarMass / Mm, kEvapCoefExp);

    // Benzene.
    double xb = benzene >= 0 ? benzene * rho / kBenzeneDensity : -1;
    if (xb < 0)
        xb = IsType(productType, "refined") ? kBenzeneRefined : (api - kBenzeneApiBase) * kBenzeneApiSlope + kBenzeneRefined;
    const double vb = kBenzeneMolarMass / kBenzeneDensity;
    const double VPb = std::pow(10.0, kBenzeneVpA - kBenzeneVpB / T) * kMmHgPa;
    const double cb = VPb / (Rgas * T);

    // Exposure grid, finer at the start. The wind never counts below the
    // least wind the time loop uses.
    double Umax = 0;
    const int hours = runHours > 0 ? std::min(runHours, MAX_HOURS) : MAX_HOURS;
    for (int h = 0; h < hours; ++h)
        if (wind[h].speed > Umax && Finite(wind[h].speed)) Umax = wind[h].speed;
    Umax = std::max(Umax, minWind);
    const double Emax = std::pow(Umax, kExposureWindExp) * evapCoef * kExposureScale;
    e[0] = 0;
    for (int i = 1; i < N; ++i) e[i] = e[i - 1] + Emax * 2.0 * i / (double(N - 1) * N);

    // March the components along the grid.
    for (int k = 0; k < K; ++k) {
        compRemain[k][0] = compFrac0[k];
        ck[k] = compVP[k] / (Rgas * T);
    }
    for (int i = 0; i < N; ++i) {
        double V = 0, n = 0, rate = 0, vp = 0;
        for (int k = 0; k < K; ++k) {
            const double r = compRemain[k][i];
            V += r;
            n += r / compMolVol[k];
            rate += ck[k] * r;
            vp += r / compMolVol[k] * compVP[k];
        }
        SEvapTableRow& row = evapTable[i];
        if (n < kEvapEmptyOil && i > 0) {
            // Nothing left to evaporate: the table saturates.
            row = evapTable[i - 1];
            row.evex = e[i];
        } else {
            row.evex = e[i];
            row.rateFactor = rate / n;
            row.f_evap = 1 - V;
            row.vp = vp / n;
            row.mv = V / n;
            // The benzene left decays on its own; exp(-vb cb e) is its share.
            row.benz = xb * row.mv / vb * std::exp(-vb * cb * e[i]) * kBenzeneMolarMass * cb;
        }
        if (i < N - 1) {
            const double d = e[i + 1] - e[i];
            for (int k = 0; k < K; ++k) compRemain[k][i + 1] = compRemain[k][i] * std::exp(-row.mv * ck[k] * d);
        }
    }
    return RUN_OK;
}

double CWeatheringCore::OilDensityAtTemperature(double T, double rhoRef, double Tref, double api, double* TrefUsed) {
    if (T < 0 || !Finite(T)) T = kOilApiRefTempK;
    if (rhoRef < 0 || Tref < 0 || !Finite(rhoRef) || !Finite(Tref)) {
        if (api >= 0 && Finite(api)) {
            rhoRef = kApiNumerator / (api + kApiOffset) * 1000;
            Tref = kOilApiRefTempK;
        } else {
            rhoRef = kDefaultRefDensity;
            Tref = kDefaultRefDensityTempK;
        }
    }
    if (TrefUsed) *TrefUsed = Tref;
    return (1 - (T - Tref) * kOilDensityTempCoef) * rhoRef;
}

double CWeatheringCore::SeaWaterDensity(double tempC, double salinity) {
    if (tempC < 0 || salinity < 0 || !Finite(tempC) || !Finite(salinity)) return kDefaultSeaWaterDensity;
    const double t = tempC, S = salinity;
    // Pure water, then the salinity terms of the one-atmosphere equation.
    const double rw = 999.842594 + t * (6.793952e-2 + t * (-9.095290e-3 + t * (1.001685e-4 + t * (-1.120083e-6 + t * 6.536332e-9))));
    const double B = 8.24493e-1 + t * (-4.0899e-3 + t * (7.6438e-5 + t * (-8.2467e-7 + t * 5.3875e-9)));
    const double C = -5.72466e-3 + t * (1.0227e-4 - t * 1.6546e-6);
    const double D = 4.8314e-4;
    return rw + B * S + C * S * std::sqrt(S) + D * S * S;
}

}  // namespace model
