// Every limit and literal of the weathering model, spelled as the model
// defines it (3.14 where the model uses 3.14, 0.333 where it uses 0.333).
#pragma once

namespace model {

// ---- Limits ----------------------------------------------------------------
inline constexpr int MISSING_VALUE = -999;
inline constexpr double MISSING_VALUE_D = -999.0;
inline constexpr int MAX_HOURS = 120;
inline constexpr int MAX_ELEMENTS = 500;
inline constexpr int DEFAULT_ELEMENT_BUDGET = 240;
inline constexpr int MAX_STEPS = 480;
inline constexpr int MAX_COMPONENTS = 30;
inline constexpr int MAX_CUTS = 15;
inline constexpr int MAX_OPERATIONS = 5;
inline constexpr int MAX_TANK_STEPS = 200;
inline constexpr int EVAP_TABLE_ROWS = 4000;
inline constexpr int OIL_POINTS = 6;
inline constexpr int STEP_OUTPUT_VALUES = 46;

// ---- Reset defaults --------------------------------------------------------
inline constexpr double kDefaultWaterVisc = 1.0e-6;       // m2/s
inline constexpr double kDefaultAirPressure = 101300.0;   // Pa
inline constexpr double kDefaultK1 = 1.53;
inline constexpr double kDefaultK2 = 1.21;
inline constexpr double kDefaultTankCd = 0.65;
inline constexpr double kDefaultBurnRate = -1.0;          // derived when negative
inline constexpr double kDefaultRegression = 4.0e-5;      // m/s
inline constexpr const char* kDefaultProductType = "default";
inline constexpr double kDefaultDispCoef = 3.9e-8;
inline constexpr double kDefaultDropletRadius = 1.0e-5;   // m
inline constexpr double kDefaultMinDropletRadius = 1.0e-6;  // m
inline constexpr double kDefaultSedimentCoef = 1.0e-4;
inline constexpr double kDefaultC4 = 0.18;
inline constexpr double kDefaultMaxWind = 30.0;           // m/s
inline constexpr double kDefaultMinWind = 1.0;            // m/s
inline constexpr int kDefaultPointsPerLE = 2;
inline constexpr double kDefaultMinBenzene = 0.011;
inline constexpr double kRgas = 8.3144;                   // J/(mol K)
inline constexpr double kRcal = 1.987;                    // cal/(mol K)

}  // namespace model
