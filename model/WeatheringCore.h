// The weathering model: one plain object of numbers and fixed-size arrays,
// in SI units throughout (m, m2, m3, s, K, kg/m3, m2/s, Pa). It is about
// 2.9 MB: always create it on the heap.
#pragma once

#include <cstdint>

#include "model/Constants.h"
#include "model/Inputs.h"
#include "platform/Messages.h"
#include "platform/Random.h"

namespace model {

// One oil element (a Lagrangian parcel of the slick).
struct SLERecord {
    double releaseTime;         // h: placement hour (1-based), then model time, 0 when contained
    double x, y;                // m from the sub-slick centre
    double area[MAX_HOURS];     // m2 in each hour (Spread)
    double baseArea[MAX_HOURS]; // copy of area taken when Solve starts
    double vol0;                // m3 at release
    double Vol;                 // m3 now
    double thick[MAX_HOURS];    // m in each hour (Spread)
    double Y;                   // water content of the emulsion
    double S;                   // water uptake state
    int onsetTime;              // s; MISSING_VALUE until emulsification begins
    double f_evap;              // fraction evaporated
    double visc;                // m2/s of the emulsion
    double rho;                 // kg/m3 of the emulsion
    double vp;                  // evaporation-table columns of the current row
    double benz;
    double mv;
    double vol_disp;            // kept for the dump
    double spreadCoef;          // spreading term of the release hour
    double alpha;               // random fraction read by Spread
    double evex;                // evaporative exposure
    double minArea;             // m2 given at placement
    int releaseHour;            // 0-based hour of placement
    bool operator==(const SLERecord&) const = default;
};

// One model hour of the release schedule.
struct SReleaseHour {
    double vol;        // m3 released in the hour
    double cumVol;     // m3 up to and including the hour
    double area;       // m2 of the hour's sub-slick
    double radius;     // m
    double spreadTerm;
    int count;         // elements of the hour
    int cumCount;      // elements up to and including the hour
    double volPerLE;   // m3
    bool operator==(const SReleaseHour&) const = default;
};

struct SEvapTableRow {
    double evex;
    double rateFactor;
    double f_evap;
    double vp;
    double benz;
    double mv;
    bool operator==(const SEvapTableRow&) const = default;
};

struct SWindHour {
    double speed;   // m/s
    double dir;     // rad, the direction the wind comes from, as entered
    double sinDir;
    double cosDir;
    double fetch;   // m, effective fetch of the hour
    bool operator==(const SWindHour&) const = default;
};

// Index 0 best wind, 1 raised wind, 2 lowered wind.
struct SWaveHour {
    double height;  // m, as entered
    double Hrms[3];
    double f_bw[3];
    double De[3];
    bool operator==(const SWaveHour&) const = default;
};

// Positions inside SStepOutput. Triples are (high, low, best); quadruples
// (high, low, best, best).
enum EStepOutputIndex : int {
    OUT_REMAINING = 0,
    OUT_SPILLED = 3,
    OUT_EMULSIFIED = 6,
    OUT_EVAPORATED = 9,
    OUT_DISPERSED = 12,
    OUT_CHEM_DISPERSED = 15,
    OUT_BURNED = 18,
    OUT_SKIMMED = 21,
    OUT_BEACHED = 24,
    OUT_BENZENE = 27,
    OUT_DENSITY = 31,
    OUT_VISCOSITY = 35,
    OUT_WATER = 39,
    OUT_SPARE = 43,
    OUT_AREA = 45,
};
inline constexpr int SLOT_HIGH = 0;
inline constexpr int SLOT_LOW = 1;
inline constexpr int SLOT_BEST = 2;
inline constexpr int SLOT_BEST2 = 3;

// The model's result for one step.
struct SStepOutput {
    double v[STEP_OUTPUT_VALUES];
    double& operator[](int i) { return v[i]; }
    double operator[](int i) const { return v[i]; }
    bool operator==(const SStepOutput&) const = default;
};
static_assert(sizeof(SStepOutput) == STEP_OUTPUT_VALUES * sizeof(double));

// Hourly response rates, all per second.
struct SResponseHour {
    double burn;      // m3/s of emulsion
    double skim;      // m3/s of emulsion
    double chemDisp;  // fraction of the treated volume per second
    double sprayed;   // fraction of the slick sprayed
    double beach;     // m3/s
    bool operator==(const SResponseHour&) const = default;
};

// A density, viscosity or dynamic-viscosity reference point.
struct SOilPoint {
    double value;  // kg/m3, m2/s or Pa s
    double tempK;  // K
    double fEvap;  // fraction evaporated
    bool operator==(const SOilPoint&) const = default;
};

struct SInstantRelease {
    int flag;
    int startHour;  // 1-based
    double vol;     // m3
    bool operator==(const SInstantRelease&) const = default;
};

struct SContinuousRelease {
    int flag;
    int startHour;  // 1-based
    int endHour;    // 1-based, inclusive
    double startRate, endRate;  // m3/s
    bool operator==(const SContinuousRelease&) const = default;
};

struct STankRelease {
    int flag;
    int startHour;
    int endHour;      // last hour with outflow (set by the release schedule)
    int vent;
    int aground;
    double holeDiam;     // m
    double holeArea;     // m2
    double Cd;           // discharge coefficient
    double waterHeight;  // exterior water level above the tank bottom, m
    double bottomArea;   // m2
    double tankHeight;   // m
    double oilLevel;     // initial oil height, m
    double tankVol;      // m3
    double oilVol;       // m3
    double holeHeight;   // m
    // Results of the leaking-tank computation.
    int tankSteps;
    int tankDuration;                    // s
    double tankWater[MAX_TANK_STEPS];    // water level inside the tank, m
    double tankLevel[MAX_TANK_STEPS];    // oil level, m
    double tankRate[MAX_TANK_STEPS];     // outflow, m3/s
    double tankTime[MAX_TANK_STEPS];     // s
    bool operator==(const STankRelease&) const = default;
};

struct SDispersantOps {
    int startHour[MAX_OPERATIONS];
    int duration[MAX_OPERATIONS];          // hours
    double fracDispersed[MAX_OPERATIONS];  // 0-1
    double fracSprayed[MAX_OPERATIONS];    // 0-1
    bool operator==(const SDispersantOps&) const = default;
};

struct SSkimmerOps {
    int startHour[MAX_OPERATIONS];
    int duration[MAX_OPERATIONS];  // hours
    double rate[MAX_OPERATIONS];   // m3/s
    double amount[MAX_OPERATIONS]; // m3
    bool operator==(const SSkimmerOps&) const = default;
};

struct SBurnOps {
    int startHour[MAX_OPERATIONS];
    int duration[MAX_OPERATIONS];     // seconds, derived
    double thickness[MAX_OPERATIONS]; // m
    double area[MAX_OPERATIONS];      // m2
    double burnRate[MAX_OPERATIONS];  // m3/s, derived when negative
    double defaultRegression;         // m/s
    double regression;                // m/s; missing means the default
    bool operator==(const SBurnOps&) const = default;
};

// All the numbers of the model, in block order.
struct SCoreState {
    // 1. Hourly release volume (index 0 = hour 1).
    double releaseVol[MAX_HOURS];
    // 2. Release inputs and the leaking-tank results.
    SInstantRelease instant;
    SContinuousRelease continuous;
    STankRelease tank;
    // 3. Hourly weather.
    SWindHour wind[MAX_HOURS];
    SWaveHour wave[MAX_HOURS];
    // 4. Water and environment.
    double waterTemp;     // K
    double waterDensity;  // kg/m3
    double waterVisc;     // m2/s
    double sediment;      // kg/m3
    double currentSpeed;  // m/s
    double currentDir;    // rad, the direction the current flows towards
    double driftX, driftY;  // m per model step
    double airPressure;   // Pa
    double fetch[4];      // towards north, east, south, west, m
    double k1, k2;        // spreading constants of the initial slick
    double delta;         // (rho_w - rho_o) / rho_w
    double spreadConst;
    // 5. Elements.
    SLERecord le[MAX_ELEMENTS];
    // 6. Response operations.
    SDispersantOps disp;
    SSkimmerOps skimmer;
    SBurnOps burn;
    // 7. Release schedule per hour.
    SReleaseHour hour[MAX_HOURS];
    // 8. Oil.
    char productType[8];  // "default", "crude" or "refined"
    double api;
    SOilPoint densityPts[OIL_POINTS];
    SOilPoint viscPts[OIL_POINTS];
    SOilPoint dynViscPts[OIL_POINTS];
    double rho;    // density at the water temperature
    double visc;   // kinematic viscosity at the water temperature
    double oilSpare1;
    double Ymax;   // maximum water content
    double Smax;   // maximum water uptake
    double uptakeRate;
    double dispCoef;
    double dropletRadius;     // m
    double minDropletRadius;  // m
    double viscMultiplier;
    double sedimentCoef;
    double bullwinkle[2];  // onset as fraction evaporated: [0] best or high, [1] low
    double bulltime[2];    // onset in hours: [0] best or high, [1] low
    double asphalt;
    double nickel;
    double vanadium;
    double C4;             // evaporation exponent of viscosity
    double oilSpare2;
    int cutKind;           // 1 no cuts, 2 volume fractions, 3 weight fractions
    int cutCount;
    double dist_temp[MAX_CUTS];  // K
    double dist_frac[MAX_CUTS];  // cumulative fraction
    // 9. Pseudo-components.
    int compCount;
    double compMolVol[MAX_COMPONENTS];  // m3/mol
    double compMW[MAX_COMPONENTS];      // kg/mol
    double compVP[MAX_COMPONENTS];      // Pa at the water temperature
    double compFrac0[MAX_COMPONENTS];   // initial volume fraction
    double T0, TG;        // default distillation curve, K
    double benzene;       // fraction
    double compSpare;
    double minThickness;  // m
    // 10. Step results.
    SStepOutput out[MAX_STEPS];
    // 11. Response rates per hour.
    SResponseHour resp[MAX_HOURS];
    // 12. Run control.
    int leCount;
    int leBudget;
    int runHours;
    double containedArea;  // m2; positive only for a contained release
    double maxWind;        // m/s
    double minWind;        // m/s
    int releaseHours;
    int dt;                // s per step
    int nSteps;
    int stepsPerHour;
    int pointsPerLE;
    double minBenzene;
    int oilPoints;
    int windFlag;
    double windUnc;        // m/s
    int volFlag;
    double volUnc;         // percent
    int emulFlag;
    double emulUncPct;     // percent of fraction evaporated
    int emulUncHours;      // hours
    double Rgas;
    double Rcal;
    double evapCoef;
    int evapRows;
    SEvapTableRow evapTable[EVAP_TABLE_ROWS];
    double compRemain[MAX_COMPONENTS][EVAP_TABLE_ROWS];
    // 13. Dirty flags.
    int weatherDirty;
    int oilDirty;
    int releaseDirty;
    int responseDirty;

    bool operator==(const SCoreState&) const = default;
};

class CWeatheringCore : public SCoreState {
public:
    CWeatheringCore();
    CWeatheringCore(const CWeatheringCore&) = delete;
    CWeatheringCore& operator=(const CWeatheringCore&) = delete;

    // Stores the defaults; every other field becomes MISSING_VALUE.
    CWeatheringCore& Reset();

    // Status codes of PrepareRun and Solve.
    enum ERunStatus : int {
        RUN_OK = 0,
        RUN_FILE_ERROR = -1,
        RUN_MEMORY_ERROR = -2,
        RUN_FATAL_INPUT = -3,
    };
    // Set when an input made the run impossible (the message was shown);
    // PrepareRun and Solve then skip the run and the outputs stay missing.
    int fatalInput = 0;

    // ==== Model inputs: each setter returns 0 ==============================
    int SetOil(const InputOil& in);
    int SetWindAndWave(const InputWindAndWave& in);
    int SetWater(const InputWater& in);
    int SetInstantRelease(const InputInstant& in);
    int SetContinuousRelease(const InputContinuous& in);
    int SetTankRelease(const InputTank& in);
    int SetBoomedRelease(const InputBoomed& in);
    int SetUncertainty(const InputUncertainty& in);
    int SetDispersant(const InputDispersant& in);
    int SetBurn(const InputBurn& in);
    int SetSkimmer(const InputSkimmer& in);
    int SetBeached(const InputBeached& in);

    // ==== Oil properties and pseudo-components =============================
    // Derives the oil's properties, pseudo-components and evaporation table;
    // returns RUN_OK or RUN_FATAL_INPUT (message shown, fatalInput set).
    int InitOilProperties();
    // (further declarations of the oil-property routines go here)

    // ==== Leaking-tank release ==============================================
    // (declarations of the tank routines go here)

    // ==== Run preparation ===================================================
    // Prepares the run by the dirty flags; returns an ERunStatus.
    int PrepareRun();
    // (further declarations of the run-preparation routines go here)

    // ==== Spreading =========================================================
    // Fills every element's hourly area and thickness; returns an ERunStatus.
    int Spread();
    // (further declarations of the spreading routines go here)

    // ==== Weathering time loop, evaporation, dispersion, emulsification =====
    // Runs the weathering over the prepared run; writes the three model
    // files when writeDump is set. Returns an ERunStatus.
    int Solve(int writeDump);
    // (further declarations of the time-loop routines go here)

    // ==== Series records for graphs and tables ==============================
    // (declarations of the series getters go here)

    // ==== Smoke plume =======================================================
    // (declarations of the smoke-plume routines go here)

    // Where the model's messages go (the process default when null).
    void SetMessages(platform::IMessages* sink) { messages_.SetTarget(sink); }
    platform::OnceMessages& Messages() { return messages_; }

    // Random numbers: seeded once per solve from the clock, unless a fixed
    // seed was given (tests).
    void SetSeed(std::uint32_t seed) { fixedSeed_ = true; seed_ = seed; }
    void ClearSeed() { fixedSeed_ = false; }
    platform::CModelRandom& Random() { return random_; }
    // Seeds the generator for a new solve; later calls in the same solve do
    // nothing.
    void SeedRandomOnce();
    void EndRandomSolve() { randomSeeded_ = false; }

private:
    platform::OnceMessages messages_;
    platform::CModelRandom random_;
    std::uint32_t seed_ = 1;
    bool fixedSeed_ = false;
    bool randomSeeded_ = false;
};

}  // namespace model
