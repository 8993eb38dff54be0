#include "model/WeatheringCore.h"

#include <algorithm>
#include <cstring>

#include "platform/Clock.h"

namespace model {

namespace {

constexpr double M = MISSING_VALUE_D;
constexpr int MI = MISSING_VALUE;

template <typename T, size_t N>
void Fill(T (&a)[N], T v) {
    std::fill(a, a + N, v);
}

void ResetElement(SLERecord& e) {
    e.releaseTime = M;
    e.x = e.y = M;
    Fill(e.area, M);
    Fill(e.baseArea, M);
    e.vol0 = e.Vol = M;
    Fill(e.thick, M);
    e.Y = e.S = M;
    e.onsetTime = MI;
    e.f_evap = e.visc = e.rho = e.vp = e.benz = e.mv = e.vol_disp = M;
    e.spreadCoef = e.alpha = e.evex = e.minArea = M;
    e.releaseHour = MI;
}

void ResetTank(STankRelease& t) {
    t.flag = 0;
    t.startHour = t.endHour = MI;
    t.vent = 0;
    t.aground = 0;
    t.holeDiam = t.holeArea = M;
    t.Cd = kDefaultTankCd;
    t.waterHeight = t.bottomArea = t.tankHeight = t.oilLevel = M;
    t.tankVol = t.oilVol = t.holeHeight = M;
    t.tankSteps = MI;
    t.tankDuration = MI;
    Fill(t.tankWater, M);
    Fill(t.tankLevel, M);
    Fill(t.tankRate, M);
    Fill(t.tankTime, M);
}

}  // namespace

CWeatheringCore::CWeatheringCore() { Reset(); }

CWeatheringCore& CWeatheringCore::Reset() {
    // Hourly release volume.
    Fill(releaseVol, M);
    // Release inputs and the leaking tank.
    instant = {0, MI, M};
    continuous = {0, MI, MI, M, M};
    ResetTank(tank);
    // Hourly weather.
    for (auto& w : wind) w = {M, M, M, M, M};
    for (auto& w : wave) {
        w.height = M;
        Fill(w.Hrms, M);
        Fill(w.f_bw, M);
        Fill(w.De, M);
    }
    // Water and environment.
    waterTemp = waterDensity = M;
    waterVisc = kDefaultWaterVisc;
    sediment = currentSpeed = currentDir = driftX = driftY = M;
    airPressure = kDefaultAirPressure;
    Fill(fetch, 0.0);
    k1 = kDefaultK1;
    k2 = kDefaultK2;
    delta = spreadConst = M;
    // Elements.
    for (auto& e : le) ResetElement(e);
    // Response operations.
    Fill(disp.startHour, MI);
    Fill(disp.duration, MI);
    Fill(disp.fracDispersed, M);
    Fill(disp.fracSprayed, M);
    Fill(skimmer.startHour, MI);
    Fill(skimmer.duration, MI);
    Fill(skimmer.rate, M);
    Fill(skimmer.amount, M);
    Fill(burn.startHour, MI);
    Fill(burn.duration, MI);
    Fill(burn.thickness, M);
    Fill(burn.area, M);
    Fill(burn.burnRate, kDefaultBurnRate);
    burn.defaultRegression = kDefaultRegression;
    burn.regression = M;
    // Release schedule.
    for (auto& h : hour) h = {M, M, M, M, M, 0, 0, M};
    // Oil.
    std::memset(productType, 0, sizeof productType);
    std::memcpy(productType, kDefaultProductType, std::strlen(kDefaultProductType));
    api = M;
    for (auto* pts : {densityPts, viscPts, dynViscPts})
        for (int i = 0; i < OIL_POINTS; ++i) pts[i] = {M, M, M};
    rho = visc = oilSpare1 = Ymax = Smax = uptakeRate = M;
    dispCoef = kDefaultDispCoef;
    dropletRadius = kDefaultDropletRadius;
    minDropletRadius = kDefaultMinDropletRadius;
    viscMultiplier = M;
    sedimentCoef = kDefaultSedimentCoef;
    Fill(bullwinkle, M);
    Fill(bulltime, M);
    bestBullwinkle = bestBulltime = M;
    asphalt = nickel = vanadium = M;
    C4 = kDefaultC4;
    oilSpare2 = M;
    cutKind = MI;
    cutCount = MI;
    Fill(dist_temp, M);
    Fill(dist_frac, M);
    // Pseudo-components.
    compCount = MI;
    Fill(compMolVol, M);
    Fill(compMW, M);
    Fill(compVP, M);
    Fill(compFrac0, M);
    T0 = TG = benzene = compSpare = minThickness = M;
    // Step results.
    for (auto& step : out) Fill(step.v, M);
    // Response rates: zero, so that an operation never entered removes nothing.
    for (auto& r : resp) r = {0.0, 0.0, 0.0, 0.0, 0.0};
    // Run control.
    leCount = MI;
    leBudget = DEFAULT_ELEMENT_BUDGET;
    runHours = MI;
    containedArea = M;
    maxWind = kDefaultMaxWind;
    minWind = kDefaultMinWind;
    releaseHours = MI;
    dt = MI;
    nSteps = MI;
    stepsPerHour = MI;
    pointsPerLE = kDefaultPointsPerLE;
    minBenzene = kDefaultMinBenzene;
    oilPoints = OIL_POINTS;
    windFlag = 0;
    windUnc = M;
    volFlag = 0;
    volUnc = M;
    emulFlag = 0;
    emulUncPct = M;
    emulUncHours = MI;
    Rgas = kRgas;
    Rcal = kRcal;
    evapCoef = M;
    evapRows = EVAP_TABLE_ROWS;
    for (auto& r : evapTable) r = {M, M, M, M, M, M};
    for (auto& c : compRemain) Fill(c, M);
    fatalInput = 0;
    // Dirty flags.
    weatherDirty = oilDirty = releaseDirty = responseDirty = 1;
    return *this;
}

void CWeatheringCore::SeedRandomOnce() {
    if (randomSeeded_) return;
    random_.Seed(fixedSeed_ ? seed_ : static_cast<std::uint32_t>(platform::DefaultClock().Now()));
    randomSeeded_ = true;
}

}  // namespace model
