// The weathering model: one plain object of numbers and fixed-size arrays,
// in SI units throughout (m, m2, m3, s, K, kg/m3, m2/s, Pa). It is about
// 2.9 MB: always create it on the heap.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

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
    double spreadCoef;          // m2/s^0.5, spreading term of the release hour
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
    double spreadTerm; // m2/s^0.5: spreadConst x vol^(2/3), the sub-slick's spreading
    int count;         // elements of the hour
    int cumCount;      // elements up to and including the hour
    double volPerLE;   // m3
    bool operator==(const SReleaseHour&) const = default;
};

// One row of the evaporation table: the state of the oil left after a
// given evaporative exposure.
struct SEvapTableRow {
    double evex;        // evaporative exposure (dimensionless), increasing row by row
    double rateFactor;  // vapour over liquid molar concentration of the oil left (dimensionless)
    double f_evap;      // fraction of the volume evaporated
    double vp;          // Pa, mean vapour pressure of the oil left
    double benz;        // kg/m3, benzene vapour in equilibrium with the oil left
    double mv;          // m3/mol, molar volume of the oil left
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
    double k1, k2;        // spreading constants of the initial slick (dimensionless)
    double delta;         // (rho_w - rho_o) / rho_w
    double spreadConst;   // m2/s^0.5 per m3^(2/3) of the sub-slick's volume
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
    double dispCoef;          // natural dispersion: kg/(m2 s) per unit of the breaking-wave energy term
    double dropletRadius;     // m
    double minDropletRadius;  // m
    double viscMultiplier;
    double sedimentCoef;      // share of the dispersed oil taken down by suspended sediment (empirical)
    double bullwinkle[2];  // onset as fraction evaporated: [0] best or high, [1] low
    double bulltime[2];    // onset in hours: [0] best or high, [1] low
    // The onset of the best estimate (pass 0), kept apart from the bounds
    // above, which serve the uncertainty turns only.
    double bestBullwinkle;  // fraction evaporated
    double bestBulltime;    // hours
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

    // Status codes of the run's stages PrepareRun, Spread and Solve. Each
    // stage returns its status; a caller runs the next stage only after
    // RUN_OK. The messages of a solve are shown once each between two
    // Messages().Begin(), which the caller of the stages calls once per solve.
    enum ERunStatus : int {
        RUN_OK = 0,
        RUN_FILE_ERROR = -1,
        RUN_MEMORY_ERROR = -2,
        RUN_FATAL_INPUT = -3,
    };
    // Set when an input made the run impossible (the message was shown);
    // every later stage then returns RUN_FATAL_INPUT at once and the
    // outputs stay missing. Kept until the inputs are judged again.
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
    // returns RUN_OK, RUN_FATAL_INPUT (message shown, fatalInput set) or
    // RUN_MEMORY_ERROR.
    int InitOilProperties();
    // The steps of InitOilProperties. A routine that meets an input the run
    // cannot use shows its message and sets fatalInput.
    // Oil density at the temperature T (K) from the density points or the API.
    double OilDensityAtWaterTemp(double T);
    // Kinematic viscosity (m2/s) and its evaporation exponent C4 at T.
    void OilViscosityAtWaterTemp(double T, double B, double rhoOil, double& viscOut, double& c4Out);
    double ApiFromDensity(double T) const;
    // Ymax (clamped to 0..0.99; 0 means the oil takes up no water) and Smax.
    void MaxWaterContent(double viscOil, double rhoOil);
    void EmulsificationOnset();
    void CheckDistillationCuts();
    void ComputePseudoComponents();
    // Builds evapTable and compRemain; RUN_OK, RUN_MEMORY_ERROR, or
    // RUN_FATAL_INPUT when there is no component.
    int EvapExpA();
    // Vapour pressure (Pa) at T of a component boiling at Tb under P; 0 for
    // a component too heavy to evaporate at T.
    static double ComponentVaporPressure(double Tb, double P, double T, double rcal = kRcal);
    // Oil density (kg/m3) at T from a reference point; missing inputs take
    // the defaults (T 289 K; 910 kg/m3 at 283 K, or the API density at 289 K).
    static double OilDensityAtTemperature(double T, double rhoRef, double Tref, double api,
                                          double* TrefUsed = nullptr);
    // One-atmosphere density of sea water (kg/m3); 1024 for a negative or
    // non-finite argument.
    static double SeaWaterDensity(double tempC, double salinity);

    // ==== Leaking-tank release ==============================================
    // Fills hourly[MAX_HOURS] with m3 per hour of the leak (index 0 = first
    // hour) and the tank series; returns the leak's duration in seconds.
    // Negative densities take the defaults (1024 and 905.632 kg/m3).
    int ComputeTankRelease(double hourly[MAX_HOURS], double rhoWater, double rhoOil);
    void DrainVentedTank();
    void LeakBelowWaterline(double rhoWater, double rhoOil);
    // Oil released in each hour by n points (time s, rate m3/s over the
    // interval ending at that time); an interval is spread over every hour it
    // crosses; out has MAX_HOURS bins.
    static void BinTankHourly(const double* times, const double* rates, int n, double out[MAX_HOURS]);

    // ==== Run preparation ===================================================
    // Prepares the run by the dirty flags; returns an ERunStatus.
    int PrepareRun();
    // delta and spreadConst; RUN_FATAL_INPUT (message shown) for an oil that
    // does not float.
    int ComputeSpreadingConstant();
    // releaseVol for every hour; release hours outside the run are ignored.
    void BuildReleaseSchedule();
    // The hourly sub-slicks, the element counts, the time step.
    void SetupSubSlicks();
    void SetupContainedSlick(double total, double area, int hours, double spreadConstant);
    // The hourly burn, skim and dispersant rates.
    void BuildResponseSchedules();
    void ScheduleBurning();
    void ScheduleSkimming();
    void ScheduleDispersant();
    // Places every element of every hour in its sub-slick's disc.
    void PlaceInitialElements();
    // A point uniformly over the disc of the given area and radius, by
    // rejection (at most a fixed number of draws, then the centre); the
    // centre when the disc is not a proper one.
    void DrawInDisc(double area, double radius, double& x, double& y);
    // n random drift fractions in 0..1.
    void Alpha3(int n, double* out);
    // The drift fraction of one draw r in 0..32767.
    static double Alpha3Fraction(int r);
    // The wind that raises waves of the given height (m/s); 0 for no wave.
    static double WaveWindFromHeight(double height);
    // Hourly wave height, breaking fraction and energy for the best, raised
    // and lowered winds.
    void Wave_Energy();

    // ==== Spreading =========================================================
    // Fills every element's hourly area and thickness; returns an ERunStatus.
    int Spread();
    // One spreading point; each element is carried by pointsPerLE of them.
    struct SSpreadPoint {
        int hourSlot;       // 1-based release hour
        double x, y;        // m east and north of the spill origin
        double vol;         // m3
        double alpha;       // drift fraction
        double spreadCoef;  // m2/s^0.5
    };
    // Moves the first count points by one step of dtS seconds ending at timeS:
    // random walk, wind drift (windSin/windCos of the direction the wind
    // comes from) and the current's displacement per step.
    void MoveElements(int count, int timeS, int dtS, double windSpeed, double windSin, double windCos,
                      double currentEast, double currentNorth, SSpreadPoint* points);

    // ==== Weathering time loop, evaporation, dispersion, emulsification =====
    // Runs the weathering over the prepared run; writes "VolFrac.txt" and
    // "SlickArea.txt", and "TavroCore.dmp" when writeDump is set, into
    // outputFolder. Returns an ERunStatus: RUN_FILE_ERROR (message shown)
    // when a file could not be created or fully written.
    int Solve(bool writeDump);
    // The burned, skimmed and beached amounts carry no uncertainty band:
    // their high and low become the best value at every step of the run.
    void SetRemovalBandsToBest();
    // The folder of the model files; empty means the current directory.
    std::string outputFolder;
    std::string OutputFilePath(const char* name) const;
    // The turns of the uncertainty pass, and the elements of a step, are
    // independent; Solve shares them out over threads when set. The
    // results are identical either way.
    bool parallelTurns = true;
    // Tests only: 1 fails the time loop's working memory, 2 the smoother's,
    // 3 the memory of the last element's step (on whichever thread runs it).
    int testAllocFailure = 0;
    // Tests only: called with each turn's number as it starts, on the
    // thread that runs it.
    std::function<void(int turn)> testTurnStarted;

    // Oil totals of one uncertainty turn, m3.
    struct SBudgetTotals {
        double disp, evap, chemDispersed, burned, skimmed, beached;
        double vol;    // admitted oil at the start of the step
        double spill;  // sum of the admitted elements' vol0
    };
    // High, low and mean of one property in one step.
    struct SPropertyStats {
        double high, low, mean;
    };
    // Property order of the statistics: density, viscosity, water, benzene.
    enum { PROP_DENSITY = 0, PROP_VISCOSITY, PROP_WATER, PROP_BENZENE, PROP_COUNT };

    // Evaporation of an element. The table has `rows` rows in increasing evex.
    static double EvaporationMassTransfer(double wind, double coef, double slickArea);
    // First row whose evex is not below evex; the last row when none is.
    static int EvapRow(const SEvapTableRow* table, int rows, double evex);
    // Sub-step length in whole seconds for a step of dt seconds.
    static int EvapSubStep(const SEvapTableRow& row, double K, double Y, double thick, int dt);
    // The loss factor of the last row used, valid while K, Y, thick and
    // miniDt stay the same (one element's step); row -1 when empty.
    struct SEvapCache {
        int row = -1;
        double loss = 0.0;
    };
    // One mini-step of miniDt seconds: moves `row` (when advanceRow), sets
    // the element's f_evap, adds to its evex; returns the volume evaporated
    // from the element's stored Vol.
    static double Evaporate(double K, double Y, double thick, const SEvapTableRow* table, int rows,
                            int& row, double miniDt, SLERecord& e, bool advanceRow = true,
                            SEvapCache* cache = nullptr);
    // The eight mini-steps of one sub-step; the sum of their volumes.
    static double EvaporateMiniSteps(double K, double Y, double thick, const SEvapTableRow* table, int rows,
                                     int& row, double miniDt, SLERecord& e, bool advanceRow, SEvapCache* cache);

    // Dispersion, emulsification and the emulsion's properties.
    double EmulsificationRate(double waveHeight, double wind, double uptakeRate,
                              double containedArea) const;
    double NaturalDispersion(int hour, int sub, const SLERecord& e, int windTurn, int windTurns,
                             double secsInHour, double area, double hourVol) const;
    // The wave values natural dispersion uses at a moment of an hour, in
    // the wind column of the turn, with De^0.57.
    struct SDispersionWaves {
        double hrms, de, fbw, dePow;
    };
    SDispersionWaves DispersionWaves(int hour, int windTurn, int windTurns, double secsInHour) const;
    double NaturalDispersion(const SDispersionWaves& w, int sub, const SLERecord& e, double area,
                             double hourVol) const;
    // Updates the element's S, Y and onsetTime; returns the droplet radius.
    // Messages go to `notes` (shown once by the caller).
    double Emulsify(int age, int sub, double k, double fEvap, SLERecord& e, int onsetTurn, int emulFlag,
                    int pass, std::vector<std::string>& notes) const;
    double Emulsify(int age, int sub, double k, double fEvap, SLERecord& e, int onsetTurn, int emulFlag,
                    int pass);
    static double EmulsionDensity(double rho0, double rhoW, double fEvap, double Y);
    double EmulsionViscosity(double visc0, double Y, double fEvap, double r) const;
    static double BenzeneAirFactor(double slickArea, double Rgas, double waterTemp, double airPressure);

    // Statistics and storage of one step.
    static SPropertyStats ComputeStatistics(double weight, double sum, double sum2, double min,
                                            double max, std::vector<std::string>& notes);
    void StorePropertyStats(int step, int pass, const SPropertyStats (&stats)[PROP_COUNT]);
    // An empty step of a later pass changes nothing.
    void StoreEmptyStep(int step, int pass, double benz0);
    void StoreBudget(double oilSum, const SBudgetTotals& totals, int step, int pass);
    // After all passes.
    void MarkEmptyOutputs(int nSteps);
    void smoother(int nSteps, int windTurns, int volumeTurns, int onsetTurns);
    void SmoothBenzene(int nSteps);

    // One turn of a pass, computed from the prepared state. Each turn index
    // is 0 or 1: the lowered and raised volume, the raised (0) and lowered
    // (1) wind, the first and second emulsification onset.
    struct STurnPlan {
        int pass;
        int volumeTurn, windTurn, onsetTurn;
        int windTurns;       // wind turns of the pass
        double volFraction;  // volUnc / 100, 0 when off
        double windOffset;   // m/s, 0 when off
        bool writeDump;
        int elementThreads;  // threads sharing out each step's elements
    };
    struct STurnResult;
    // Runs one turn on its own copy of the elements, step by step: admit the
    // elements, remove the response, step the elements, gather the
    // statistics, write the step's texts. Reads the prepared model only.
    void RunTurn(const STurnPlan& plan, STurnResult& result) const;

    // ==== Series records for graphs and tables ==============================
    // The records are in model/Series.h. The getters only read the model;
    // before a run (or with no tank points) count and hours are 0.
    // kind is an EOutputKind; unit the index of that output's converter.
    void GetGraphSeries(struct SGraphData& data, int kind, int unit) const;
    // unit: an amount unit index (EAmountUnit).
    void GetBudgetSeries(struct SBudgetData& data, int unit) const;
    void GetIcsBudgetSeries(struct SIcsBudgetData& data, int unit) const;
    // unitChoice: ETankReleaseUnit; writes series 0 and 1 only; hours in s.
    struct SGraphData& GetTankReleaseSeries(struct SGraphData& data, int unitChoice,
                                            double oilDensity) const;
    // unitChoice: ETankLevelUnit; hours in s.
    struct STankLevelData& GetTankLevelSeries(struct STankLevelData& data, int unitChoice) const;

    // ==== Smoke plume =======================================================
    // The plume of one in-situ burn (model/SmokePlume.h). Inputs in SI:
    // loc as entered (x 1e-9 gives kg/m3), area m2, thickness m, regression
    // m/s, temperatures K, wind m/s at 10 m, oil density kg/m3 at
    // densityRefTemp K. Returns 0, or -1 on failure (the record is then
    // not to be shown).
    int SmokePlume(struct SPlumeGraphData& plume, double loc, double area, double thickness,
                   double regression, double airTemp, double waterTemp, double wind, double api,
                   double oilDensity, double densityRefTemp);

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
