// The water dialog without its window: temperature, salinity and sediment
// from preset lists or typed, and the optional current with its line on
// the compass. OK writes the scenario's water record; the water command
// marks it entered.
#pragma once

#include <optional>
#include <string>

#include "document/SpillDoc.h"
#include "platform/Canvas.h"
#include "ui/common/rules/CheckResult.h"

namespace ui {

inline constexpr const char* kWaterCaption = "Water";

inline constexpr const char* kTemperatureUnits[] = {"\u00B0F", "\u00B0C"};
inline constexpr const char* kCurrentUnits[] = {"mph", "knots", "m/sec"};
// The preset lists; the last entry of each is the typed value.
inline constexpr const char* kSalinityChoices[] = {"0 (fresh water)", "15 (avg. estuary)", "32 (avg. oceanic)",
                                                   "Other Value..."};
inline constexpr const char* kSedimentChoices[] = {"5 (ocean)", "50 (avg. river/estuary)", "500 (muddy river)",
                                                   "Other Value..."};
inline constexpr double kSalinityPresets[] = {0, 15, 32};
inline constexpr double kSedimentPresets[] = {5, 50, 500};
inline constexpr int kOtherValue = 3;

inline constexpr const char* kWaterTempMissingText =
    "Please enter the water temperature. TAVRO needs this information and you left the field empty.";
inline constexpr const char* kWaterFreezingText =
    "Sorry, TAVRO does not support freezing water conditions. Please enter a warmer water temperature.";
inline constexpr const char* kWaterAbove104FText =
    "Sorry, TAVRO does not support water temperatures above 104 degrees F. Please enter a cooler water temperature.";
inline constexpr const char* kWaterAbove40CText =
    "Sorry, TAVRO does not support water temperatures above 40 degrees C. Please enter a cooler water temperature.";
inline constexpr const char* kSalinityMissingText =
    "Please enter the water salinity or choose one of the default values. You chose to use a non-default value and "
    "then left the field empty.";
inline constexpr const char* kSalinityRangeText = "Sorry, water salinity values must be between 0 and 42 ppt.";
inline constexpr const char* kSedimentMissingText =
    "Please enter the water sediment load or choose one of the default values. You chose to use a non-default "
    "value and then left the field empty.";
inline constexpr const char* kSedimentRangeText =
    "Sorry, water sediment load values must be between 0 and 1,000 gm/cu m.";
inline constexpr const char* kCurrentMphText =
    "Sorry, TAVRO does not support water currents greater than 5 mph. Please enter a smaller value.";
inline constexpr const char* kCurrentKnotsText =
    "Sorry, TAVRO does not support water currents greater than 5 knots. Please enter a smaller value.";
inline constexpr const char* kCurrentMpsText =
    "Sorry, TAVRO does not support water currents greater than 3 m/s. Please enter a smaller value.";
inline constexpr const char* kCurrentDirectionText =
    "TAVRO does not understand the value you entered for the direction of the current. Please review the value.";

// The fields OK reads as numbers.
enum class WaterField { Temperature, Salinity, Sediment, Speed };

struct WaterForm {
    std::string temperature;
    int temperatureUnit = 0;  // kTemperatureUnits
    int salinityChoice = 2;   // kSalinityChoices
    std::string salinity;     // the typed value ("Other Value...")
    int sedimentChoice = 0;   // kSedimentChoices
    std::string sediment;
    std::string speed;        // the current; empty for none
    int speedUnit = 0;        // kCurrentUnits
    std::string direction;    // towards: degrees or a compass word

    friend bool operator==(const WaterForm&, const WaterForm&) = default;
};

class WaterRules {
public:
    explicit WaterRules(document::SpillDocCore& doc) : doc_(doc) {}

    // The form and the current's line from the water record.
    WaterForm Load();
    // The end of the current line, as an offset from the compass centre
    // (the centre itself: no line).
    platform::Point LineEnd() const { return end_; }
    // The speed or direction field was left: the line follows them.
    void FollowTyped(const WaterForm& form);
    // A click at an offset from the compass centre; false outside the card.
    bool Click(WaterForm& form, platform::Point offset);

    // Every failing group's text after one header, run together.
    CheckResult ValidateInput(const WaterForm& form) const;
    // The checks, then each field read as a number, then the record written.
    CheckResult Ok(const WaterForm& form);
    // The field the last OK refused as no number ("Please enter a number."),
    // for the view to put the focus in; none after any other outcome.
    std::optional<WaterField> RefusedField() const { return refused_; }

private:
    document::SpillDocCore& doc_;
    platform::Point end_;
    std::optional<WaterField> refused_;
};

}  // namespace ui
