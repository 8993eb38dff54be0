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

// ---- Shared physical values, as the model uses them ------------------------
inline constexpr double kModelPi = 3.14;   // the model's value of pi
inline constexpr double kGravity = 9.8;    // m/s2

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

// ---- Series records for graphs and tables ----
inline constexpr int SERIES_LENGTH = 480;       // points of every series
inline constexpr int SERIES_LABEL_LENGTH = 32;  // title, units and names
inline constexpr double kSeriesMinStartGraph = 1000000.0;  // minimum's start in the graph series
inline constexpr double kSeriesDensityAxisLow = 500.0;     // kg/m3
inline constexpr double kSeriesDensityAxisHigh = 1100.0;   // kg/m3
inline constexpr double kSeriesFeetToMetres = 0.3048;      // tank level in ft

// ---- Smoke plume ----
inline constexpr int PLUME_POINTS = 100;        // points of each plume series
inline constexpr int PLUME_SERIES = 9;          // series slots of the plume record
// Thermal expansion of the burning oil, 0.008 per K (ten times the
// coefficient of the oil-property model, and meant so).
inline constexpr double kPlumeDensityTempCoef = 0.008;
inline constexpr double kPlumeSourceHeightPerRadius = 3.0;
inline constexpr double kPlumeRoughnessCoef = 2e-06;   // z0 = coef x U^2.5
inline constexpr double kPlumeRoughnessExp = 2.5;
inline constexpr double kPlumeBuoyancyA = 4.245;
inline constexpr double kPlumeBuoyancyB = 0.018515;
inline constexpr double kPlumeBuoyancyC = 2.8e-05;
inline constexpr double kPlumeBuoyancyScale = 1e7;
inline constexpr double kPlumeBuoyancyFactor = 7.9479e-06;
inline constexpr double kPlumeEmissionLogCoef = 0.03;  // E = (0.03 log10(100 R) + 0.04) ...
inline constexpr double kPlumeEmissionLogScale = 100.0;
inline constexpr double kPlumeEmissionBase = 0.04;
inline constexpr double kPlumeStabilityParam = 0.09604;  // s = sqrt(0.09604 / Tair)
inline constexpr double kPlumeNeutralRiseCoef = 38.71;
inline constexpr double kPlumeNeutralRiseExp = 0.6;
inline constexpr double kPlumeStableRiseCoef = 2.6;
inline constexpr double kPlumeWindRefHeight = 10.0;      // m, height of the entered wind
inline constexpr double kPlumeMoninCoef = 0.0081;        // L = 1 / (0.0081 z0^-0.3045)
inline constexpr double kPlumeMoninExp = -0.3045;
inline constexpr double kPlumeKarman = 0.4;
inline constexpr double kPlumeStableProfileCoef = 4.7;
inline constexpr double kPlumeStableUpperCoef = 0.8;
inline constexpr double kPlumeUpperLayerFactor = 10.0;   // the profile changes at 10 L
inline constexpr double kPlumeRiseCoef = 1.6;
inline constexpr double kPlumeRiseCoreRadius = 1.6;      // h = 1.6 R
inline constexpr double kPlumeRiseExp = 0.333;           // the model's cube root
inline constexpr double kPlumeSigmaA = 1.3;
inline constexpr double kPlumeSigmaNeutralGrowth = 0.0015;
inline constexpr double kPlumeSigmaStableGrowth = 0.0003;
inline constexpr double kPlumeSigmaHorizCoef = 0.5;
inline constexpr double kPlumeSigmaHorizGrowth = 0.0001;
inline constexpr double kPlumeSigmaHeightDiv = 12.25;
inline constexpr double kPlumeMinDistance = 50.0;        // m
inline constexpr double kPlumeMaxDistance = 20000.0;     // m
inline constexpr double kPlumeLocToKg = 1e-9;            // entered LOC -> kg/m3
inline constexpr double kPlumeTolerance = 0.002;
inline constexpr int kPlumeLowerBisections = 12;
inline constexpr int kPlumeUpperBisections = 8;
inline constexpr int kPlumeNewtonSteps = 5;
inline constexpr int kPlumeMaxDistanceBisections = 200;  // the search fails past this
inline constexpr int kPlumeMaxBracketDoublings = 60;     // the search fails past this
inline constexpr double kPlumeMaxStart = -999.0;
inline constexpr double kPlumeMinStart = 1000000.0;

// ---- Weathering time loop, evaporation, dispersion, emulsification -------
// Evaporation of an element.
inline constexpr double kEvapWindExponent = 0.7777777777777778;   // 7/9
inline constexpr double kEvapAreaExponent = 0.1111111111111111;   // 1/9
inline constexpr double kEvapRateFast = 0.0001;      // sub-steps of dt/20 above
inline constexpr double kEvapRateMedium = 0.00005;   // dt/10 above
inline constexpr double kEvapRateSlow = 2.222e-05;   // dt/6 above, else dt/4
inline constexpr int kMiniSteps = 8;
inline constexpr double kMiniStepFactor = 0.125;
// Water uptake.
// Natural dispersion.
inline constexpr double kDispLargeHourVol = 100.0;   // m3
inline constexpr double kDispViscousLimit = 3.9999999999999996e-05;  // m2/s
inline constexpr double kDispLargeHourExponent = 0.2;
inline constexpr double kDispEnergyFactor = 2400.0;
inline constexpr double kDispViscFactor = 73.682;     // s^0.5/m: exp(-f sqrt(visc in m2/s))
inline constexpr double kDispEnergyExponent = 0.57;   // of the wave energy dissipation De
inline constexpr double kSedMinThickness = 0.0001;   // m
inline constexpr double kSedThickExponent = 1.7;
inline constexpr double kSedThickOffset = 5e-08;
inline constexpr double kSedPFactor = 0.588;
inline constexpr double kSedQFactor = 0.613;
inline constexpr double kSedCoefFactor = 1.6;
inline constexpr double kSedStokes = 18.0;
inline constexpr double kSedHrmsFactor = 1.5;
// Emulsion properties.
inline constexpr double kEmulsionDensityEvap = 0.18;
inline constexpr double kMooneyFactor = 2.5;
inline constexpr double kMooneyDefault = 0.65;
inline constexpr double kMooneyMin = 0.45;
inline constexpr double kMooneyMax = 0.85;
// Airborne benzene.
inline constexpr double kBenzAreaScale = 29.98;
inline constexpr double kBenzMinConcentration = 1e-200;
// Time loop.
inline constexpr double kEmptyStepFraction = 0.00001;  // of the oil spilled
inline constexpr double kVolUncAreaExponent = 0.833;
inline constexpr double kHourVolLimit = 10.0;           // m3, area correction above
inline constexpr double kSmoothThird = 0.333;
inline constexpr double kSmoothHalf = 0.5;
inline constexpr double kStatsViscosityStart = 1000000.0;  // m2/s, the step minimum's start

// ---- Oil properties, model inputs, leaking tank ----
// Setters.
inline constexpr double kModelDegToRad = kModelPi / 180;      // the model's degrees to radians
inline constexpr double kApiDensityFallback = 141500.0;   // kg/m3 x (api + 131.5)
inline constexpr double kApiOffset = 131.5;
inline constexpr double kApiNumerator = 141.5;
// Temperature given to a density derived from the API by SetOil. The
// density routines use 289 K for the same kind of point.
inline constexpr double kApiFallbackTempK = 298.7;
inline constexpr double kSedimentPerGram = 0.001;         // g/m3 -> kg/m3
inline constexpr double kPerHour = 3600.0;
inline constexpr double kPerMinute = 60.0;
inline constexpr double kPercent = 100.0;
// Oil density and viscosity.
inline constexpr double kOilDensityTempCoef = 0.0008;     // per K
inline constexpr double kApiTempCoef = 0.008;             // per K, in ApiFromDensity only
inline constexpr double kOilApiRefTempK = 289.0;
inline constexpr double kWeatheredDensityCoef = 0.18;     // rho / (1 + 0.18 f)
inline constexpr double kDefaultRefDensity = 910.0;       // kg/m3
inline constexpr double kDefaultRefDensityTempK = 283.0;
inline constexpr double kViscosityB = 5000.0;             // K
inline constexpr double kC4PerRootCst = 1.5;
inline constexpr double kC4Min = 2.0;
inline constexpr double kC4Max = 12.0;
inline constexpr double kRefinedThinViscosity = 0.0001;   // m2/s
inline constexpr double kMinThicknessRefined = 0.001 * 0.05;  // m
inline constexpr double kMinThicknessDefault = 0.001 * 0.1;   // m
// Water uptake.
inline constexpr double kYmaxDefault = 0.9;
inline constexpr double kYmaxLogCoef = 0.0952;
inline constexpr double kYmaxViscRef = 0.05;              // Pa s
inline constexpr double kYmaxLimit = 0.99;                // Smax stays finite below 1
inline constexpr double kUptakeMin = 1e-6;
// Emulsification onset.
inline constexpr double kOnsetMaxM = 0.4;
inline constexpr double kOnsetMaxR = 0.303;
inline constexpr double kOnsetHeavyR = 0.08;
inline constexpr double kOnsetHeavyApi = 26.0;
inline constexpr double kOnsetLightApi = 50.0;
inline constexpr double kOnsetMetalsLimit = 15.0;         // ppm of nickel and vanadium
// Distillation cuts and pseudo-components.
inline constexpr double kCutMinTempK = 273.0;
inline constexpr int kCutCheckMax = 30;
inline constexpr int kCutTempMessageLimit = 5;
inline constexpr int kDefaultComponents = 5;
inline constexpr double kMaxBoilingPoint = 1500.0;        // K
// Evaporation table and benzene.
inline constexpr double kEvapCoefBase = 0.006564;
inline constexpr double kWaterMolarMass = 0.018;          // kg/mol
inline constexpr double kEvapCoefExp = 0.333;
inline constexpr double kExposureScale = 4320000000.0;
inline constexpr double kExposureWindExp = 7.0 / 9.0;
inline constexpr double kBenzeneDensity = 877.0;          // kg/m3
inline constexpr double kBenzeneMolarMass = 0.07811;      // kg/mol
inline constexpr double kBenzeneRefined = 0.001;
inline constexpr double kBenzeneApiSlope = 0.014;
inline constexpr double kBenzeneApiBase = 10.0;
inline constexpr double kBenzeneVpA = 7.9622;
inline constexpr double kBenzeneVpB = 1785.0;
inline constexpr double kMmHgPa = 133.0;
inline constexpr double kEvapEmptyOil = 1e-300;           // mol left: the table saturates
// Sea water.
inline constexpr double kDefaultSeaWaterDensity = 1024.0; // kg/m3
// Leaking tank.
inline constexpr double kTankTwoG = 2 * kGravity;
inline constexpr int kTankPhaseOneSteps = 198;
inline constexpr double kTankBinSeconds = 3600.0;

// ---- Run preparation and spreading ----
inline constexpr double kPrepSpreadExponent = 0.33;
inline constexpr double kPrepSpreadDivisor = 16.0;     // k2^2 / 16
inline constexpr double kPrepLargeHourVolume = 10.0;   // m3: above, the sub-slick area is damped
inline constexpr int kPrepFewHours = 2;                // budget halved below this many hours...
inline constexpr double kPrepSmallTotal = 10.0;        // ...and this total (m3)
inline constexpr int kPrepSomeHours = 6;               // budget x 3/4 below this many hours...
inline constexpr double kPrepMediumTotal = 1000.0;     // ...and this total (m3)
inline constexpr int kPrepMinPerHour = 2;              // elements of an hour with a release
inline constexpr int kPrepContainedElements = 2;
inline constexpr int kPrepRetryCap = 10000;            // draws of one rejection loop
inline constexpr double kAlphaScale = 1.254;
inline constexpr double kAlphaOffset = 0.071;
// Wave energy.
inline constexpr double kWaveHeightToWind = 2.0286;
inline constexpr double kWaveLightWind = 4.429;        // m/s
inline constexpr double kWaveStressFactor = 0.71;
inline constexpr double kWaveLightExponent = 0.813;
inline constexpr double kWaveStressExponent = 1.23;
inline constexpr double kWaveTrailingMean = 0.333;
inline constexpr double kWaveDevelopedFetch = 2268.0;
inline constexpr double kWaveDevelopedHeight = 0.243;
inline constexpr double kWaveStrongWind = 20.65;       // m/s
inline constexpr double kWaveFetchHeight = 0.0016;
inline constexpr double kWaveRms = 0.707;
inline constexpr double kWaveBreakingDivisor = 3.85;
// Breaking-wave fraction: none below the first wind, a ramp up to the
// second, then a straight line in the wind (all winds in m/s).
inline constexpr double kBreakingNoneBelow = 3.0;       // m/s
inline constexpr double kBreakingRampEnd = 4.0;         // m/s
inline constexpr double kBreakingRampSlope = 0.025;     // per m/s
inline constexpr double kBreakingLineSlope = 0.01;      // per m/s
inline constexpr double kBreakingLineOffset = 0.01;
inline constexpr double kBreakingLineFactor = 0.5;
inline constexpr double kWaveEnergyFactor = 0.0034;
inline constexpr double kWaveDirectionLimit = 2.01;    // x pi
// Spreading.
inline constexpr double kSpreadWindShift = 0.26;       // rad between hours
inline constexpr double kSpreadAgeExponent = 0.16;     // of the point's age in s
inline constexpr double kSpreadDiffusion = 0.033;      // m2/s of turbulent diffusion at an age of 1 s
inline constexpr double kSpreadStepFactor = 24.0;      // random step = sqrt(factor x diffusion x dt)
inline constexpr double kSpreadDriftAlpha = 0.018;     // wind drift share scaled by the drift fraction
inline constexpr double kSpreadDriftBase = 0.012;      // wind drift share of every point
inline constexpr float kSpreadTolerance = 0.05f;       // percent of the triangulation grid

}  // namespace model
