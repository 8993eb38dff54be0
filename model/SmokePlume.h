// The smoke plume of one in-situ burn: a Gaussian plume with ground
// reflection, plume rise from the burn's buoyancy flux, logarithmic wind
// profiles, and a search for the level-of-concern (LOC) contour in the
// vertical plane below the plume axis, for a neutral and a stable
// atmosphere. Every length in m, wind in m/s, concentrations in kg/m3.
#pragma once

#include <cstdint>

#include "model/Constants.h"
#include "platform/Messages.h"

namespace model {

// Series of the plume record.
enum EPlumeSeries : int {
    PLUME_NEUTRAL_DISTANCE = 0,  // m downwind
    PLUME_NEUTRAL_UPPER = 1,     // m, top of the LOC contour
    PLUME_NEUTRAL_LOWER = 2,     // m, bottom of the LOC contour
    PLUME_STABLE_DISTANCE = 3,
    PLUME_STABLE_UPPER = 4,
    PLUME_STABLE_LOWER = 5,
    // 6-8 are not written by the model and stay missing.
};

// One plume calculation: the series-record head with the burn duration in
// the hours slot, then nine series of PLUME_POINTS values.
struct SPlumeGraphData {
    char title[SERIES_LABEL_LENGTH] = {};  // written by the dialog
    char units[SERIES_LABEL_LENGTH] = {};  // written by the dialog
    std::int32_t startMonth = 0;           // written by the dialog
    std::int32_t startDay = 0;
    std::int32_t startHour = 0;
    std::int32_t duration = 0;  // burn duration, whole minutes
    std::int32_t count = 0;     // PLUME_POINTS after a calculation
    double maxValue = kPlumeMaxStart;  // largest height of the four height series
    double minValue = kPlumeMinStart;  // smallest height
    double series[PLUME_SERIES][PLUME_POINTS];
    double loc = 0;  // level of concern as entered

    SPlumeGraphData();
};

enum class EStability : int { Neutral = 0, Stable = 1 };

namespace plume {

// Failure result of the helpers below.
inline constexpr double kFail = -1.0;

// Wind at height z (m) over a sea of roughness z0, from the wind U at 10 m.
// Negative on failure.
double WindAtHeight(platform::OnceMessages& msg, double z, double z0, double wind, EStability cls);

// Rise of the plume axis x m downwind for buoyancy flux N and wind u;
// 0 when u <= 0.
double PlumeRise(double x, double buoyancy, double u, double sourceHeight);

// Height of the plume axis x m downwind, capped at the final height.
double PlumeHeight(double x, double buoyancy, double u, double sourceHeight, double finalHeight,
                   double radius);

// Horizontal and vertical spread at x m downwind for an axis height H.
// Returns 0, or -1 for an unknown class.
int PlumeSigmas(platform::OnceMessages& msg, double x, double height, double radius, EStability cls,
                double wind, double z0, double& sigmaY, double& sigmaZ);

// Vertical shape of the plume with its image below the sea surface, and
// its derivative in z.
double VerticalProfile(double z, double height, double sigmaZ);
double VerticalProfileSlope(double z, double height, double sigmaZ);

// The burn and the air as the contour search sees them.
struct SPlumeSource {
    double emission;      // E, kg/s of smoke
    double buoyancy;      // N
    double radius;        // R, m
    double z0;            // sea roughness, m
    double sourceHeight;  // hs, m
    double finalHeight;   // Hf, m
    double wind;          // U at 10 m, m/s
    double axisWind;      // wind at the source height, drives the rise
};

// Concentration on the plume axis (at height H, ground image included) x m
// downwind. Negative on failure.
double GroundConcentration(platform::OnceMessages& msg, double x, const SPlumeSource& src, EStability cls);

// Heights at which the vertical profile crosses target, above and below
// the axis height H. Returns 0, or -1 when the LOC is never reached or the
// upper bracket cannot be found.
int LocHeights(platform::OnceMessages& msg, double target, double locKg, double height, double sigmaZ,
               double tolerance, double& upper, double& lower);

// The LOC contour of one class into the class's three series of the record.
// points is at most PLUME_POINTS. Returns 0 or -1.
int SmokeCont(platform::OnceMessages& msg, SPlumeGraphData& plume, double emission, double buoyancy,
              double radius, double z0, double sourceHeight, double finalHeight, double wind,
              double locKg, EStability cls, double tolerance = kPlumeTolerance,
              int points = PLUME_POINTS);

// The whole calculation (see CWeatheringCore::SmokePlume).
int SmokePlume(platform::OnceMessages& msg, SPlumeGraphData& plume, double loc, double area,
               double thickness, double regression, double airTemp, double waterTemp, double wind,
               double api, double oilDensity, double densityRefTemp);

}  // namespace plume

}  // namespace model
