// The model input records of a scenario: what the input dialogs derive and
// the setters of CWeatheringCore convert to SI. Unit codes are 1-based
// (the dialog's list index + 1). Shared by the model and the document.
#pragma once

#include "model/Constants.h"

namespace model {

// Volume codes of the instantaneous, contained and beached records.
enum EReleaseVolUnit : int { RVOL_BBL = 1, RVOL_GAL = 2, RVOL_CUM = 3, RVOL_TONS = 4, RVOL_TONNES = 5 };
// Water temperature codes.
enum EWaterTempUnit : int { WTEMP_F = 1, WTEMP_C = 2 };
// Speed codes of the wind, current and wind-uncertainty records.
enum ESpeedUnitCode : int { SPEED_CODE_MPH = 1, SPEED_CODE_KNOTS = 2, SPEED_CODE_MS = 3 };

struct InputInstant {
    int flag = 0;
    int startHour = MISSING_VALUE;
    double vol = MISSING_VALUE_D;
    int volUnits = 0;  // EReleaseVolUnit
    bool operator==(const InputInstant&) const = default;
};

struct InputBoomed {
    int flag = 0;
    int startHour = MISSING_VALUE;
    double vol = MISSING_VALUE_D;
    int volUnits = 0;  // EReleaseVolUnit
    double area = MISSING_VALUE_D;
    int areaUnits = 0;  // 1 sq ft, 2 sq yd, 3 sq m
    bool operator==(const InputBoomed&) const = default;
};

struct InputContinuous {
    int flag = 0;
    int startHour = MISSING_VALUE;
    int endHour = MISSING_VALUE;
    double startRate = MISSING_VALUE_D;  // per hour
    double endRate = MISSING_VALUE_D;
    int rateUnits = 0;  // 1 bbl/hr, 2 gal/hr, 3 cu m/hr, 4 tons/hr, 5 metric tons/hr, 6 gal/min
    bool operator==(const InputContinuous&) const = default;
};

struct InputTank {
    int flag = 0;
    int vent = MISSING_VALUE;
    int aground = MISSING_VALUE;
    int startHour = MISSING_VALUE;
    double tHeight = MISSING_VALUE_D, tWidth = MISSING_VALUE_D, tLength = MISSING_VALUE_D;
    int tUnits = 1;  // 1 m, 2 ft
    double oVol = MISSING_VALUE_D;
    int oUnits = 1;  // 1 bbl, 2 gal, 3 cu m, 4 cu ft
    double hDiam = MISSING_VALUE_D;
    double hArea = MISSING_VALUE_D;
    int hUnits = 1;  // 1 m, 2 cm, 3 ft, 4 in
    double zHeight = MISSING_VALUE_D;
    int zUnits = 1;
    double wHeight = MISSING_VALUE_D;
    int wUnits = 1;  // 1 m, 2 ft
    double Cd = MISSING_VALUE_D;
    bool operator==(const InputTank&) const = default;
};

struct InputOil {
    char name[32] = {};
    char productType[8] = {};  // raw bytes copied by the oil dialogs
    double api = MISSING_VALUE_D;
    double asphalt = MISSING_VALUE_D;
    double benzene = MISSING_VALUE_D;
    double nickel = MISSING_VALUE_D;
    double vanadium = MISSING_VALUE_D;
    double viscMultiplier = MISSING_VALUE_D;
    double waterContent = MISSING_VALUE_D;
    double waterUptakeRate = MISSING_VALUE_D;
    double bullwinkle = MISSING_VALUE_D;  // onset as a fraction evaporated
    double bulltime = MISSING_VALUE_D;    // onset as a time in hours
    double rhoRef_value[4] = {MISSING_VALUE_D, MISSING_VALUE_D, MISSING_VALUE_D, MISSING_VALUE_D};
    double rhoRef_temp[4] = {MISSING_VALUE_D, MISSING_VALUE_D, MISSING_VALUE_D, MISSING_VALUE_D};
    double rhoRef_fevap[4] = {0, 0, 0, 0};
    double viscRef_value[6] = {MISSING_VALUE_D, MISSING_VALUE_D, MISSING_VALUE_D,
                               MISSING_VALUE_D, MISSING_VALUE_D, MISSING_VALUE_D};
    double viscRef_temp[6] = {MISSING_VALUE_D, MISSING_VALUE_D, MISSING_VALUE_D,
                              MISSING_VALUE_D, MISSING_VALUE_D, MISSING_VALUE_D};
    double viscRef_fevap[6] = {0, 0, 0, 0, 0, 0};
    double dyViscRef_value[6] = {MISSING_VALUE_D, MISSING_VALUE_D, MISSING_VALUE_D,
                                 MISSING_VALUE_D, MISSING_VALUE_D, MISSING_VALUE_D};
    double dyViscRef_temp[6] = {MISSING_VALUE_D, MISSING_VALUE_D, MISSING_VALUE_D,
                                MISSING_VALUE_D, MISSING_VALUE_D, MISSING_VALUE_D};
    double dyViscRef_fevap[6] = {0, 0, 0, 0, 0, 0};
    double dist_temp[MAX_CUTS] = {MISSING_VALUE_D, MISSING_VALUE_D, MISSING_VALUE_D, MISSING_VALUE_D, MISSING_VALUE_D,
                                  MISSING_VALUE_D, MISSING_VALUE_D, MISSING_VALUE_D, MISSING_VALUE_D, MISSING_VALUE_D,
                                  MISSING_VALUE_D, MISSING_VALUE_D, MISSING_VALUE_D, MISSING_VALUE_D, MISSING_VALUE_D};
    double dist_frac[MAX_CUTS] = {MISSING_VALUE_D, MISSING_VALUE_D, MISSING_VALUE_D, MISSING_VALUE_D, MISSING_VALUE_D,
                                  MISSING_VALUE_D, MISSING_VALUE_D, MISSING_VALUE_D, MISSING_VALUE_D, MISSING_VALUE_D,
                                  MISSING_VALUE_D, MISSING_VALUE_D, MISSING_VALUE_D, MISSING_VALUE_D, MISSING_VALUE_D};
    int dist_volumeFrac = 1;
    bool operator==(const InputOil&) const = default;
};

struct InputWater {
    double temperature = MISSING_VALUE_D;
    int tempUnits = 0;  // EWaterTempUnit
    double salinity = 32;  // ppt
    double sediment = 5;   // g/m3
    double speed = MISSING_VALUE_D;  // current
    int speedUnits = 0;              // ESpeedUnitCode
    double direction = MISSING_VALUE_D;  // degrees, towards
    bool operator==(const InputWater&) const = default;
};

struct InputWindAndWave {
    int num = 0;  // hours filled
    int speedUnits = 1;   // ESpeedUnitCode
    int waveHtUnits = 1;  // 1 m, 2 ft
    int fetchUnits = 1;   // 1 miles, 2 km
    double speed[MAX_HOURS];
    double direction[MAX_HOURS];  // degrees, from
    double waveHt[MAX_HOURS];
    double fetchN = 0, fetchE = 0, fetchS = 0, fetchW = 0;
    InputWindAndWave() {
        for (int i = 0; i < MAX_HOURS; ++i) speed[i] = direction[i] = waveHt[i] = MISSING_VALUE_D;
    }
    bool operator==(const InputWindAndWave&) const = default;
};

struct InputBeached {
    int volUnits = 0;  // EReleaseVolUnit
    double vol[MAX_HOURS];
    InputBeached() {
        for (double& v : vol) v = MISSING_VALUE_D;
    }
    bool operator==(const InputBeached&) const = default;
};

struct InputSkimmer {
    int num = 0;
    int startHour[MAX_OPERATIONS] = {MISSING_VALUE, MISSING_VALUE, MISSING_VALUE, MISSING_VALUE, MISSING_VALUE};
    int duration[MAX_OPERATIONS] = {MISSING_VALUE, MISSING_VALUE, MISSING_VALUE, MISSING_VALUE, MISSING_VALUE};
    int rateUnits[MAX_OPERATIONS] = {0, 0, 0, 0, 0};
    int amountUnits[MAX_OPERATIONS] = {0, 0, 0, 0, 0};
    double rate[MAX_OPERATIONS] = {MISSING_VALUE_D, MISSING_VALUE_D, MISSING_VALUE_D, MISSING_VALUE_D, MISSING_VALUE_D};
    double amount[MAX_OPERATIONS] = {MISSING_VALUE_D, MISSING_VALUE_D, MISSING_VALUE_D, MISSING_VALUE_D, MISSING_VALUE_D};
    bool operator==(const InputSkimmer&) const = default;
};

struct InputDispersant {
    int num = 0;
    int startHour[MAX_OPERATIONS] = {MISSING_VALUE, MISSING_VALUE, MISSING_VALUE, MISSING_VALUE, MISSING_VALUE};
    int duration[MAX_OPERATIONS] = {MISSING_VALUE, MISSING_VALUE, MISSING_VALUE, MISSING_VALUE, MISSING_VALUE};
    double sprayed[MAX_OPERATIONS] = {MISSING_VALUE_D, MISSING_VALUE_D, MISSING_VALUE_D, MISSING_VALUE_D, MISSING_VALUE_D};
    double dispersed[MAX_OPERATIONS] = {MISSING_VALUE_D, MISSING_VALUE_D, MISSING_VALUE_D, MISSING_VALUE_D,
                                        MISSING_VALUE_D};
    bool operator==(const InputDispersant&) const = default;
};

struct InputBurn {
    int num = 0;
    int startHour[MAX_OPERATIONS] = {MISSING_VALUE, MISSING_VALUE, MISSING_VALUE, MISSING_VALUE, MISSING_VALUE};
    int thickUnits[MAX_OPERATIONS] = {0, 0, 0, 0, 0};
    int areaUnits[MAX_OPERATIONS] = {0, 0, 0, 0, 0};
    double thick[MAX_OPERATIONS] = {MISSING_VALUE_D, MISSING_VALUE_D, MISSING_VALUE_D, MISSING_VALUE_D, MISSING_VALUE_D};
    double area[MAX_OPERATIONS] = {MISSING_VALUE_D, MISSING_VALUE_D, MISSING_VALUE_D, MISSING_VALUE_D, MISSING_VALUE_D};
    double regRate = 0.04;  // burn regression rate of the advanced options
    int regRateUnits = 1;   // 1 mm/s, 2 in/s
    bool operator==(const InputBurn&) const = default;
};

struct InputUncertainty {
    int windFlag = 0;
    double wind = MISSING_VALUE_D;
    int windUnits = 1;  // ESpeedUnitCode
    int emulFlag = 0;
    double emul = MISSING_VALUE_D;
    int emulUnits = 1;  // 1 percent, 2 hours
    int volFlag = 0;
    double vol = MISSING_VALUE_D;  // percent of the amount spilled
    bool operator==(const InputUncertainty&) const = default;
};

}  // namespace model
