// The smoke plume of one in-situ burn: the inputs (level of concern, air
// temperature, average wind speed), their checks and store step, the
// burn's values in SI for the model, the model run, and the summary of the
// result. Toolkit-free: the plume dialog moves its controls to the form.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "document/SpillDoc.h"
#include "model/SmokePlume.h"
#include "ui/common/rules/CheckResult.h"

namespace ui {

inline constexpr const char* kPlumeTempUnits[] = {"F", "C"};
inline constexpr const char* kPlumeWindUnits[] = {"mph", "knots", "m/s"};
inline constexpr const char* kPlumeDefaultOil = "PRUDHOE BAY";
inline constexpr const char* kPlumeErrorText =
    "An error occured while calculating the smoke plume. Calculation aborted.";

struct SmokePlumeForm {
    std::string loc;      // ugm/m3
    std::string airTemp;  // in airUnit
    int airUnit = 0;      // 0 F, 1 C
    std::string wind;     // in windUnit
    int windUnit = 0;     // 0 mph, 1 knots, 2 m/s

    friend bool operator==(const SmokePlumeForm&, const SmokePlumeForm&) = default;
};

// What the model is asked, in SI units.
struct SmokePlumeRequest {
    double loc = 0;             // ugm/m3
    double area = 0;            // m2
    double thickness = 0;       // m
    double regression = 0;      // m/s
    double airTemp = 0;         // K
    double waterTemp = 0;       // K
    double wind = 0;            // m/s
    double api = 0;
    double density = 0;         // kg/m3
    double densityRefTemp = 0;  // K

    friend bool operator==(const SmokePlumeRequest&, const SmokePlumeRequest&) = default;
};

// The seven lines that head the graph and the printed page.
struct PlumeSummary {
    std::string time, duration, loc, area, airTemp, wind, oil;
};

class SmokePlumeRules {
public:
    // The water temperature, the oil and the scenario's mean wind are read
    // here; nothing is written before the store step.
    SmokePlumeRules(document::SpillDocCore& doc, int burn);

    // The oil shown (the scenario's 8-bit text, or the default oil).
    const std::string& OilName() const { return oilName_; }
    // The water temperature and its unit (0 F, 1 C): the scenario's, else 65 F.
    double WaterTemp() const { return waterTemp_; }
    int WaterTempUnit() const { return waterUnit_; }
    // The oil's API, density (kg/m3) and its reference temperature (K).
    double Api() const { return api_; }
    double Density() const { return density_; }
    double DensityRefTemp() const { return densityRefTemp_; }

    // The inputs as shown: the burn's stored plume values, with the wind
    // (and its unit) of the scenario's wind input when there is one.
    SmokePlumeForm Load() const;
    // "Next >" and "Finished": the checks, then the inputs stored. A
    // refusal writes nothing.
    CheckResult Store(const SmokePlumeForm& form);
    // The burn as stored, in SI; none when a unit index is outside its list.
    std::optional<SmokePlumeRequest> Request() const;
    // "Next >": the store step, then the model run. On success plume holds
    // the result, its title, label and the burn's start; on a failed run
    // the refusal is the error text and plume is empty.
    CheckResult Next(const SmokePlumeForm& form, std::unique_ptr<model::SPlumeGraphData>& plume);
    // The summary of a result, from the burn as stored.
    PlumeSummary Summary(const model::SPlumeGraphData& plume) const;

private:
    document::SpillDocCore& doc_;
    int burn_;
    std::string oilName_;
    double waterTemp_ = 65;
    int waterUnit_ = 0;
    double api_ = 24.8, density_ = 915, densityRefTemp_ = 273.15;
    std::optional<double> meanWind_;  // the scenario's, when wind was entered
    int meanWindUnit_ = 0;
};

}  // namespace ui
