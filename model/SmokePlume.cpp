#include "model/SmokePlume.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "model/WeatheringCore.h"

namespace model {

SPlumeGraphData::SPlumeGraphData() {
    for (auto& s : series) std::fill(s, s + PLUME_POINTS, MISSING_VALUE_D);
}

namespace plume {

namespace {

constexpr const char* kMsgWrongClass = "Something wrong in SmokePlume";
constexpr const char* kMsgNoClass = "SmokePlume: no stability class";
constexpr const char* kMsgContClass = "SmokePlume: error in SmokeCont";
constexpr const char* kMsgTooShort = "Plume less 50 meters";
constexpr const char* kMsgNeverReached = "LOC never reached";

bool Finite(double v) { return std::isfinite(v); }

// Bisection, then Newton steps, for the crossing of f = G - target inside
// [lo, hi]. rising tells on which side of the crossing G is above target.
double Crossing(double lo, double hi, int bisections, bool rising, double height, double sigmaZ,
                double target, double within) {
    double found = MISSING_VALUE_D;
    double mid = (lo + hi) / 2;
    for (int k = 0; k < bisections; ++k) {
        mid = (lo + hi) / 2;
        const double f = VerticalProfile(mid, height, sigmaZ) - target;
        if (std::fabs(f) < within) {
            found = mid;
            break;
        }
        if ((f > 0) == rising) hi = mid;
        else lo = mid;
    }
    if (found >= 0) return found;

    double z = mid;
    for (int k = 0; k < kPlumeNewtonSteps; ++k) {
        const double f = VerticalProfile(z, height, sigmaZ) - target;
        if (std::fabs(f) < within) {
            found = z;
            break;
        }
        const double next = z - f / VerticalProfileSlope(z, height, sigmaZ);
        if (!(next >= lo && next <= hi)) {  // left the bracket (or no slope)
            found = (lo + hi) / 2;
            break;
        }
        z = next;
    }
    return found >= 0 ? found : z;
}

}  // namespace

double WindAtHeight(platform::OnceMessages& msg, double z, double z0, double wind, EStability cls) {
    if (cls != EStability::Neutral && cls != EStability::Stable) {
        msg.ShowOnce(kMsgWrongClass);
        return kFail;
    }
    if (!(z > 0) || !(z0 > 0)) return kFail;
    const double logRef = std::log(kPlumeWindRefHeight / z0);
    double u;
    if (cls == EStability::Neutral) {
        u = wind * std::log(z / z0) / logRef;
    } else {
        // Stable surface layer: log-linear up to L, logarithmic up to 10 L,
        // linear above. u* is taken from the log-linear form at 10 m.
        const double L = 1 / (kPlumeMoninCoef * std::pow(z0, kPlumeMoninExp));
        const double uStar =
            kPlumeKarman * wind / (logRef + kPlumeStableProfileCoef * kPlumeWindRefHeight / L);
        const double top = kPlumeUpperLayerFactor * L;
        double shape;
        if (z <= L) shape = std::log(z / z0) + kPlumeStableProfileCoef * z / L;
        else if (z <= top) shape = std::log(L / z0) + kPlumeStableProfileCoef + std::log(z / L);
        else
            shape = std::log(kPlumeUpperLayerFactor) + std::log(L / z0) + kPlumeStableProfileCoef +
                    kPlumeStableUpperCoef / L * (z - top);
        u = uStar / kPlumeKarman * shape;
    }
    return Finite(u) ? u : kFail;
}

double PlumeRise(double x, double buoyancy, double u, double sourceHeight) {
    if (!(u > 0)) return 0;
    return kPlumeRiseCoef * std::cbrt(buoyancy * x * x) / u + sourceHeight;
}

double PlumeHeight(double x, double buoyancy, double u, double sourceHeight, double finalHeight,
                   double radius) {
    const double h = kPlumeRiseCoreRadius * radius;
    const double rise = PlumeRise(x, buoyancy, u, sourceHeight);
    const double height = std::pow(h * h * h + rise * rise * rise, kPlumeRiseExp) - h;
    return std::min(finalHeight, height);
}

int PlumeSigmas(platform::OnceMessages& msg, double x, double height, double radius, EStability cls,
                double wind, double z0, double& sigmaY, double& sigmaZ) {
    const double a = kPlumeSigmaA * x * kPlumeKarman / std::log(kPlumeWindRefHeight / z0);
    double l;
    switch (cls) {
        case EStability::Neutral: l = a / std::sqrt(1 + kPlumeSigmaNeutralGrowth * x); break;
        case EStability::Stable: l = a / (1 + kPlumeSigmaStableGrowth * x); break;
        default: msg.ShowOnce(kMsgNoClass); return -1;
    }
    const double t = kPlumeSigmaHorizCoef * x / wind / std::sqrt(1 + kPlumeSigmaHorizGrowth * x);
    const double hTerm = height * height / kPlumeSigmaHeightDiv;
    const double rTerm = radius * radius / 2;
    sigmaY = std::sqrt(t * t + hTerm + rTerm);
    sigmaZ = std::sqrt(rTerm + hTerm + l * l);
    if (!Finite(sigmaY) || !Finite(sigmaZ) || !(sigmaY > 0) || !(sigmaZ > 0)) return -1;
    return 0;
}

double VerticalProfile(double z, double height, double sigmaZ) {
    const double s2 = 2 * sigmaZ * sigmaZ;
    const double below = z - height, image = z + height;
    return std::exp(-below * below / s2) + std::exp(-image * image / s2);
}

double VerticalProfileSlope(double z, double height, double sigmaZ) {
    const double var = sigmaZ * sigmaZ;
    const double below = z - height, image = z + height;
    return -below / var * std::exp(-below * below / (2 * var)) -
           image / var * std::exp(-image * image / (2 * var));
}

// This is the concentration on the plume axis, ground image included, not
// at sea level: the LOC contour is searched in the vertical plane.
double GroundConcentration(platform::OnceMessages& msg, double x, const SPlumeSource& src, EStability cls) {
    const double H = PlumeHeight(x, src.buoyancy, src.axisWind, src.sourceHeight, src.finalHeight, src.radius);
    const double uH = WindAtHeight(msg, H, src.z0, src.wind, cls);
    if (uH < 0) return kFail;
    const double uMean = (src.wind + uH) / 2;
    double sy = 0, sz = 0;
    if (PlumeSigmas(msg, x, H, src.radius, cls, src.wind, src.z0, sy, sz) != 0) return kFail;
    const double c = src.emission / (2 * kModelPi * uMean * sy * sz) * (1 + std::exp(-2 * (H / sz) * (H / sz)));
    return Finite(c) ? c : kFail;
}

int LocHeights(platform::OnceMessages& msg, double target, double locKg, double height, double sigmaZ,
               double tolerance, double& upper, double& lower) {
    if (!(locKg > 0) || !(sigmaZ > 0)) return -1;
    const double within = tolerance * locKg;
    const double atAxis = VerticalProfile(height, height, sigmaZ);
    const double d = atAxis - target;
    if (std::fabs(d) / locKg < tolerance) {
        upper = lower = height;
        return 0;
    }
    if (d / locKg <= -tolerance) {
        msg.ShowOnce(kMsgNeverReached);
        upper = lower = height;
        return -1;
    }
    if (!Finite(d)) return -1;

    // Below the axis: the sea surface, or the crossing on [0, H].
    if ((VerticalProfile(0, height, sigmaZ) - target) * d >= 0)
        lower = 0;
    else
        lower = Crossing(0, height, kPlumeLowerBisections, true, height, sigmaZ, target, within);

    // Above the axis: widen [H, 2H] until the profile has fallen below target.
    double end = 2 * height;
    int doublings = 0;
    while (d * (VerticalProfile(end, height, sigmaZ) - target) >= 0) {
        if (++doublings > kPlumeMaxBracketDoublings) return -1;
        end *= 2;
    }
    upper = Crossing(height, end, kPlumeUpperBisections, false, height, sigmaZ, target, within);
    return 0;
}

int SmokeCont(platform::OnceMessages& msg, SPlumeGraphData& plume, double emission, double buoyancy,
              double radius, double z0, double sourceHeight, double finalHeight, double wind,
              double locKg, EStability cls, double tolerance, int points) {
    int base;
    switch (cls) {
        case EStability::Neutral: base = PLUME_NEUTRAL_DISTANCE; break;
        case EStability::Stable: base = PLUME_STABLE_DISTANCE; break;
        default: msg.ShowOnce(kMsgContClass); return -1;
    }
    if (points < 3 || points > PLUME_POINTS || !(locKg > 0) || !(tolerance > 0)) return -1;
    double* dist = plume.series[base];
    double* up = plume.series[base + 1];
    double* low = plume.series[base + 2];

    const double um = WindAtHeight(msg, sourceHeight, z0, wind, cls);
    if (!(um > 0)) return -1;
    dist[0] = up[0] = low[0] = 0;
    const SPlumeSource src{emission, buoyancy, radius, z0, sourceHeight, finalHeight, wind, um};

    const double c50 = GroundConcentration(msg, kPlumeMinDistance, src, cls);
    if (c50 < 0) return -1;
    if (c50 < locKg) {
        msg.ShowOnce(kMsgTooShort);
        return -1;
    }

    // Where the axis concentration falls to the LOC: bisection from 20 km.
    double x = kPlumeMaxDistance;
    double c = GroundConcentration(msg, x, src, cls);
    if (c < 0) return -1;
    if (c < locKg) {
        double lo = 0, hi = kPlumeMaxDistance;
        int steps = 0;
        while (std::fabs(c - locKg) / locKg > tolerance) {
            if (++steps > kPlumeMaxDistanceBisections) return -1;
            if (locKg > c) hi = x;
            else lo = x;
            x = (lo + hi) / 2;
            c = GroundConcentration(msg, x, src, cls);
            if (c < 0) return -1;
        }
    }
    const double xmax = x;

    const int last = points - 1;
    double lastH = 0;
    for (int i = 1; i < last; ++i) {
        const double xi = i * xmax / last;
        const double H = PlumeHeight(xi, buoyancy, um, sourceHeight, finalHeight, radius);
        const double uH = WindAtHeight(msg, H, z0, wind, cls);
        if (uH < 0) return -1;
        const double uMean = (wind + uH) / 2;
        double sy = 0, sz = 0;
        if (PlumeSigmas(msg, xi, H, radius, cls, wind, z0, sy, sz) != 0) return -1;
        const double target = locKg / emission * 2 * kModelPi * uMean * sy * sz;
        double hiZ = 0, loZ = 0;
        if (LocHeights(msg, target, locKg, H, sz, tolerance, hiZ, loZ) != 0) return -1;
        dist[i] = xi;
        up[i] = hiZ;
        low[i] = loZ;
        lastH = H;
    }
    dist[last] = xmax;
    if (xmax == kPlumeMaxDistance) {
        // Still above the LOC at 20 km: the contour is left open.
        up[last] = up[last - 1];
        low[last] = low[last - 1];
    } else {
        up[last] = low[last] = lastH;
    }
    return 0;
}

int SmokePlume(platform::OnceMessages& msg, SPlumeGraphData& plume, double loc, double area,
               double thickness, double regression, double airTemp, double waterTemp, double wind,
               double api, double oilDensity, double densityRefTemp) {
    if (oilDensity < 0 && api > 0) {
        oilDensity = kApiNumerator / (api + kApiOffset) * 1000;
        densityRefTemp = kOilApiRefTempK;
    }
    if (api < 0 && oilDensity > 0) api = kApiNumerator * 1000 / oilDensity - kApiOffset;

    const double inputs[] = {loc, area, thickness, regression, airTemp, waterTemp,
                             wind, api, oilDensity, densityRefTemp};
    for (double v : inputs)
        if (!Finite(v) || v < 0) return -1;
    // A zero LOC, area, regression rate, wind, density or air temperature
    // has no plume (and would divide by zero).
    if (!(loc > 0 && area > 0 && regression > 0 && wind > 0 && oilDensity > 0 && airTemp > 0)) return -1;

    plume.count = PLUME_POINTS;
    plume.loc = loc;
    const double minutes = std::floor(thickness / regression / 60);
    plume.duration = minutes < std::numeric_limits<std::int32_t>::max()
                         ? static_cast<std::int32_t>(minutes)
                         : std::numeric_limits<std::int32_t>::max();
    for (auto& s : plume.series) std::fill(s, s + PLUME_POINTS, MISSING_VALUE_D);

    const double rho = (1 - (waterTemp - densityRefTemp) * kPlumeDensityTempCoef) * oilDensity;
    if (!(rho > 0)) return -1;

    const double radius = std::sqrt(area / kModelPi);  // of the burn
    const double hs = kPlumeSourceHeightPerRadius * radius;
    const double z0 = kPlumeRoughnessCoef * std::pow(wind, kPlumeRoughnessExp);
    const double burnMass = rho * regression * area;  // kg/s of oil burned
    const double buoyancyFlux = (kPlumeBuoyancyA - kPlumeBuoyancyB * api + kPlumeBuoyancyC * api * api) *
                                kPlumeBuoyancyScale * burnMass * kPlumeBuoyancyFactor;
    const double emission =
        (kPlumeEmissionLogCoef * std::log10(kPlumeEmissionLogScale * radius) + kPlumeEmissionBase) * burnMass;

    const double stability = std::sqrt(kPlumeStabilityParam / airTemp);
    const double un = WindAtHeight(msg, hs, z0, wind, EStability::Neutral);
    const double us = WindAtHeight(msg, hs, z0, wind, EStability::Stable);
    if (!(un > 0) || !(us > 0)) return -1;

    const double hfNeutral = kPlumeNeutralRiseCoef * std::pow(buoyancyFlux, kPlumeNeutralRiseExp) / un + hs;
    const double hfStable = kPlumeStableRiseCoef * std::cbrt(buoyancyFlux / (us * stability * stability)) + hs;
    if (!Finite(hfNeutral) || !Finite(hfStable)) return -1;

    const double locKg = loc * kPlumeLocToKg;
    if (SmokeCont(msg, plume, emission, buoyancyFlux, radius, z0, hs, hfNeutral, wind, locKg,
                  EStability::Neutral) != 0)
        return -1;
    if (SmokeCont(msg, plume, emission, buoyancyFlux, radius, z0, hs, hfStable, wind, locKg,
                  EStability::Stable) != 0)
        return -1;

    plume.maxValue = kPlumeMaxStart;
    plume.minValue = kPlumeMinStart;
    for (int k : {PLUME_NEUTRAL_UPPER, PLUME_NEUTRAL_LOWER, PLUME_STABLE_UPPER, PLUME_STABLE_LOWER}) {
        for (int i = 0; i < PLUME_POINTS; ++i) {
            plume.maxValue = std::max(plume.maxValue, plume.series[k][i]);
            plume.minValue = std::min(plume.minValue, plume.series[k][i]);
        }
    }
    return 0;
}

}  // namespace plume

int CWeatheringCore::SmokePlume(SPlumeGraphData& plume, double loc, double area, double thickness,
                                double regression, double airTemp, double waterTemp, double wind,
                                double api, double oilDensity, double densityRefTemp) {
    Messages().Begin();
    return plume::SmokePlume(Messages(), plume, loc, area, thickness, regression, airTemp, waterTemp,
                             wind, api, oilDensity, densityRefTemp);
}

}  // namespace model
