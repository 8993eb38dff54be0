// The setters: the scenario's input records, converted to SI, into the
// model. An unknown unit code stops a setter where it stands, before its
// dirty flag is raised.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "model/UnitConversion.h"
#include "model/WeatheringCore.h"

namespace model {

namespace {

constexpr double M = MISSING_VALUE_D;
constexpr int MI = MISSING_VALUE;

int Bounded(int n, int max) { return n < 0 ? 0 : (n > max ? max : n); }

// Speed codes 1 mph, 2 knots, 3 m/s.
bool SpeedToSI(int code, double v, double& out) {
    switch (code) {
        case 1: out = ConvertToSI(QUANTITY_SPEED, SPEED_MPH, v); return true;
        case 2: out = ConvertToSI(QUANTITY_SPEED, SPEED_KNOT, v); return true;
        case 3: out = v; return true;
        default: return false;
    }
}

// Amount codes 1 bbl, 2 gal, 3 m3, 4 short tons, 5 metric tons; the tons
// need the oil density d (kg/m3) and stay missing without one.
bool AmountToSI(int code, double v, double d, double& out) {
    switch (code) {
        case 1: out = ConvertToSI(QUANTITY_VOLUME, VOL_BBL, v); return true;
        case 2: out = ConvertToSI(QUANTITY_VOLUME, VOL_GAL, v); return true;
        case 3: out = v; return true;
        case 4: out = d > 0 ? ConvertToSI(QUANTITY_MASS, MASS_TON, v) / d : M; return true;
        case 5: out = d > 0 ? ConvertToSI(QUANTITY_MASS, MASS_TONNE, v) / d : M; return true;
        default: return false;
    }
}

// Rate codes per hour (1-5 as the amounts) and 6 gal/min, to m3/s.
bool RateToSI(int code, double v, double d, double& out) {
    if (code == 6) {
        out = ConvertToSI(QUANTITY_VOLUME, VOL_GAL, v) / kPerMinute;
        return true;
    }
    if (!AmountToSI(code, v, d, out)) return false;
    if (out != M) out /= kPerHour;
    return true;
}

// Length codes 1 m, 2 ft.
bool MetresOrFeet(int code, double v, double& out) {
    switch (code) {
        case 1: out = v; return true;
        case 2: out = ConvertToSI(QUANTITY_LENGTH, LEN_FT, v); return true;
        default: return false;
    }
}

// Area codes 1 sq ft, 2 sq yd, 3 sq m.
bool AreaToSI(int code, double v, double& out) {
    switch (code) {
        case 1: out = ConvertToSI(QUANTITY_AREA, AREA_FT2, v); return true;
        case 2: out = ConvertToSI(QUANTITY_AREA, AREA_YD2, v); return true;
        case 3: out = v; return true;
        default: return false;
    }
}

}  // namespace

int CWeatheringCore::SetOil(const InputOil& in) {
    // The product type is 8 raw bytes that need not end in NUL.
    std::memset(productType, 0, sizeof productType);
    std::memcpy(productType, in.productType, strnlen(in.productType, sizeof productType - 1));
    api = in.api;

    for (int i = 0; i < 4; ++i) densityPts[i] = {in.rhoRef_value[i], in.rhoRef_temp[i], in.rhoRef_fevap[i]};
    if (densityPts[0].value < 0 && api + kApiOffset > 0 && std::isfinite(api))
        densityPts[0] = {kApiDensityFallback / (api + kApiOffset), kApiFallbackTempK, 0};
    for (int i = 0; i < OIL_POINTS; ++i) {
        viscPts[i] = {in.viscRef_value[i], in.viscRef_temp[i], in.viscRef_fevap[i]};
        dynViscPts[i] = {in.dyViscRef_value[i], in.dyViscRef_temp[i], in.dyViscRef_fevap[i]};
    }

    Ymax = in.waterContent;
    uptakeRate = in.waterUptakeRate;
    viscMultiplier = in.viscMultiplier;
    bullwinkle[0] = in.bullwinkle;
    bullwinkle[1] = M;
    bulltime[0] = in.bulltime;
    bulltime[1] = M;
    asphalt = in.asphalt;
    benzene = in.benzene;
    nickel = in.nickel;
    vanadium = in.vanadium;
    // Derived from the oil: computed again for this one.
    T0 = TG = M;

    int n = 0;
    while (n < MAX_CUTS && in.dist_frac[n] >= 0) {
        dist_temp[n] = in.dist_temp[n];
        dist_frac[n] = in.dist_frac[n];
        ++n;
    }
    for (int i = n; i < MAX_CUTS; ++i) dist_temp[i] = dist_frac[i] = M;
    cutCount = n;
    cutKind = n == 0 ? 1 : (in.dist_volumeFrac == 1 ? 2 : 3);

    oilDirty = 1;
    return 0;
}

int CWeatheringCore::SetWindAndWave(const InputWindAndWave& in) {
    const int num = Bounded(in.num, MAX_HOURS);
    for (int i = 0; i < num; ++i) {
        if (!SpeedToSI(in.speedUnits, in.speed[i], wind[i].speed)) return 0;
        wind[i].dir = in.direction[i] * kModelDegToRad;
        if (in.waveHtUnits == 1 || in.waveHtUnits == 2) MetresOrFeet(in.waveHtUnits, in.waveHt[i], wave[i].height);
    }
    for (int i = num; i < MAX_HOURS; ++i) wind[i].speed = wind[i].dir = wave[i].height = M;

    const double given[4] = {in.fetchN, in.fetchE, in.fetchS, in.fetchW};
    const int unit = in.fetchUnits == 1 ? LEN_MILE : (in.fetchUnits == 2 ? LEN_KM : -1);
    if (unit >= 0)
        for (int k = 0; k < 4; ++k) fetch[k] = ConvertToSI(QUANTITY_LENGTH, unit, given[k]);

    weatherDirty = 1;
    return 0;
}

int CWeatheringCore::SetWater(const InputWater& in) {
    double tempC;
    switch (in.tempUnits) {
        case 1:
            waterTemp = ConvertToSI(QUANTITY_TEMPERATURE, int(ESITempUnit::Fahrenheit), in.temperature);
            tempC = (in.temperature - 32) * 5 / 9;
            break;
        case 2:
            waterTemp = ConvertToSI(QUANTITY_TEMPERATURE, int(ESITempUnit::Celsius), in.temperature);
            tempC = in.temperature;
            break;
        default: return 0;
    }
    waterDensity = SeaWaterDensity(tempC, in.salinity);
    sediment = in.sediment * kSedimentPerGram;
    if (!SpeedToSI(in.speedUnits, in.speed, currentSpeed)) return 0;
    currentDir = in.direction * kModelDegToRad;
    weatherDirty = 1;
    return 0;
}

namespace {
// The instantaneous block, written alike by an instantaneous and a contained
// release; false on an unknown volume unit.
template <typename Record>
bool StoreInstantBlock(CWeatheringCore& core, const Record& in) {
    core.instant.flag = in.flag;
    core.instant.startHour = MI;
    core.instant.vol = M;
    core.containedArea = M;
    if (!in.flag) return true;
    core.instant.startHour = in.startHour;
    return AmountToSI(in.volUnits, in.vol, core.densityPts[0].value, core.instant.vol);
}

// The density that turns skimmed and beached tons into volume: the oil's
// first density point, else the API's specific gravity over the sea water.
double ResponseDensity(const CWeatheringCore& core) {
    const double rhoApi = core.waterDensity * kApiNumerator / (core.api + kApiOffset);
    return core.densityPts[0].value > 0 ? core.densityPts[0].value : rhoApi;
}
}  // namespace

int CWeatheringCore::SetInstantRelease(const InputInstant& in) {
    if (!StoreInstantBlock(*this, in)) return 0;
    releaseDirty = 1;
    return 0;
}

int CWeatheringCore::SetBoomedRelease(const InputBoomed& in) {
    if (!StoreInstantBlock(*this, in)) return 0;
    if (in.flag && !AreaToSI(in.areaUnits, in.area, containedArea)) return 0;
    releaseDirty = 1;
    return 0;
}

int CWeatheringCore::SetContinuousRelease(const InputContinuous& in) {
    continuous.flag = in.flag;
    if (in.flag) {
        continuous.startHour = in.startHour;
        continuous.endHour = in.endHour;
        const double density = densityPts[0].value;
        if (!RateToSI(in.rateUnits, in.startRate, density, continuous.startRate)) return 0;
        if (!RateToSI(in.rateUnits, in.endRate, density, continuous.endRate)) return 0;
    }
    releaseDirty = 1;
    return 0;
}

int CWeatheringCore::SetTankRelease(const InputTank& in) {
    tank.startHour = tank.endHour = MI;
    tank.vent = tank.aground = 0;
    tank.holeDiam = tank.holeArea = tank.waterHeight = tank.bottomArea = tank.tankHeight = M;
    tank.oilLevel = tank.tankVol = tank.oilVol = tank.holeHeight = M;
    tank.Cd = kDefaultTankCd;
    tank.flag = in.flag;
    if (in.flag) {
        tank.startHour = in.startHour;
        // The flags start at -999 in the record: only 1 means yes.
        tank.vent = in.vent == 1 ? 1 : 0;
        tank.aground = in.aground == 1 ? 1 : 0;

        double height = 0, width = 0, length = 0;
        if (!MetresOrFeet(in.tUnits, in.tHeight, height)) return 0;
        MetresOrFeet(in.tUnits, in.tWidth, width);
        MetresOrFeet(in.tUnits, in.tLength, length);
        tank.tankHeight = height;
        // Two missing sides must not multiply into a real-looking bottom.
        tank.bottomArea = width > 0 && length > 0 ? width * length : M;
        tank.tankVol = width > 0 && length > 0 && height > 0 ? length * width * height : M;

        switch (in.oUnits) {
            case 1: tank.oilVol = ConvertToSI(QUANTITY_VOLUME, VOL_BBL, in.oVol); break;
            case 2: tank.oilVol = ConvertToSI(QUANTITY_VOLUME, VOL_GAL, in.oVol); break;
            case 3: tank.oilVol = in.oVol; break;
            case 4: tank.oilVol = ConvertToSI(QUANTITY_VOLUME, VOL_FT3, in.oVol); break;
            default: return 0;
        }
        tank.oilLevel = tank.bottomArea > 0 ? tank.oilVol / tank.bottomArea : M;

        switch (in.hUnits) {
            case 1: tank.holeDiam = in.hDiam; tank.holeArea = in.hArea; break;
            case 2:
                tank.holeDiam = ConvertToSI(QUANTITY_LENGTH, LEN_CM, in.hDiam);
                tank.holeArea = ConvertToSI(QUANTITY_AREA, AREA_CM2, in.hArea);
                break;
            case 3:
                tank.holeDiam = ConvertToSI(QUANTITY_LENGTH, LEN_FT, in.hDiam);
                tank.holeArea = ConvertToSI(QUANTITY_AREA, AREA_FT2, in.hArea);
                break;
            case 4:
                tank.holeDiam = ConvertToSI(QUANTITY_LENGTH, LEN_IN, in.hDiam);
                tank.holeArea = ConvertToSI(QUANTITY_AREA, AREA_IN2, in.hArea);
                break;
            default: return 0;
        }
        if (!MetresOrFeet(in.zUnits, in.zHeight, tank.holeHeight)) return 0;
        if (!MetresOrFeet(in.wUnits, in.wHeight, tank.waterHeight)) return 0;
        if (in.Cd != M) tank.Cd = in.Cd;
    }
    releaseDirty = 1;
    return 0;
}

int CWeatheringCore::SetUncertainty(const InputUncertainty& in) {
    windFlag = in.windFlag;
    windUnc = M;
    if (windFlag && !SpeedToSI(in.windUnits, in.wind, windUnc)) return 0;
    emulFlag = in.emulFlag;
    emulUncPct = M;
    emulUncHours = MI;
    if (emulFlag) {
        switch (in.emulUnits) {
            case 1: emulUncPct = in.emul; break;
            case 2:
                // Whole hours; a value no int can hold stays missing.
                if (std::fabs(in.emul) < 1e9) emulUncHours = static_cast<int>(in.emul);
                break;
            default: return 0;
        }
    }
    volFlag = in.volFlag;
    volUnc = volFlag ? in.vol : M;
    return 0;
}

int CWeatheringCore::SetDispersant(const InputDispersant& in) {
    const int num = Bounded(in.num, MAX_OPERATIONS);
    for (int i = 0; i < num; ++i) {
        disp.startHour[i] = in.startHour[i];
        disp.duration[i] = in.duration[i];
        disp.fracDispersed[i] = in.dispersed[i] / kPercent;
        disp.fracSprayed[i] = in.sprayed[i] / kPercent;
    }
    responseDirty = 1;
    return 0;
}

int CWeatheringCore::SetBurn(const InputBurn& in) {
    const int num = Bounded(in.num, MAX_OPERATIONS);
    for (int i = 0; i < num; ++i) {
        burn.startHour[i] = in.startHour[i];
        // Derived again from this burn's area and thickness.
        burn.burnRate[i] = kDefaultBurnRate;
        burn.thickness[i] = M;
        if (in.thick[i] > 0) {
            switch (in.thickUnits[i]) {
                case 1: burn.thickness[i] = ConvertToSI(QUANTITY_LENGTH, LEN_MM, in.thick[i]); break;
                case 2: burn.thickness[i] = ConvertToSI(QUANTITY_LENGTH, LEN_CM, in.thick[i]); break;
                case 3: burn.thickness[i] = ConvertToSI(QUANTITY_LENGTH, LEN_IN, in.thick[i]); break;
                default: return 0;
            }
        }
        burn.area[i] = M;
        if (in.area[i] > 0 && !AreaToSI(in.areaUnits[i], in.area[i], burn.area[i])) return 0;
    }
    burn.regression = M;
    if (in.regRate >= 0) {
        switch (in.regRateUnits) {
            case 1: burn.regression = in.regRate * 0.001; break;
            case 2: burn.regression = ConvertToSI(QUANTITY_SPEED, SPEED_INS, in.regRate); break;
            default: return 0;
        }
    }
    responseDirty = 1;
    return 0;
}

int CWeatheringCore::SetSkimmer(const InputSkimmer& in) {
    const double density = ResponseDensity(*this);
    const int num = Bounded(in.num, MAX_OPERATIONS);
    for (int i = 0; i < num; ++i) {
        skimmer.startHour[i] = in.startHour[i];
        skimmer.duration[i] = in.duration[i];
        skimmer.rate[i] = M;
        if (in.rate[i] > 0 && !RateToSI(in.rateUnits[i], in.rate[i], density, skimmer.rate[i])) return 0;
        skimmer.amount[i] = M;
        if (in.amount[i] > 0 && !AmountToSI(in.amountUnits[i], in.amount[i], density, skimmer.amount[i])) return 0;
    }
    responseDirty = 1;
    return 0;
}

int CWeatheringCore::SetBeached(const InputBeached& in) {
    const double density = ResponseDensity(*this);
    // An hour without an amount (0 or missing) and beaching never entered
    // (no unit) beach nothing.
    for (int h = 0; h < MAX_HOURS; ++h) {
        double volume = 0;
        if (!(in.vol[h] > 0) || !AmountToSI(in.volUnits, in.vol[h], density, volume) || !(volume > 0)) volume = 0;
        resp[h].beach = volume / kPerHour;
    }
    responseDirty = 1;
    return 0;
}

}  // namespace model
