// The emulsification and beaching dialogs without their windows.
#pragma once

#include <array>
#include <string>

#include "document/Scenario.h"
#include "document/SpillDoc.h"
#include "ui/common/rules/CheckResult.h"

namespace ui {

inline constexpr const char* kEmulsificationCaption = "Emulsification";
inline constexpr const char* kEmulsDefaultLabel = "Default - computed from oil and weather information";
inline constexpr const char* kEmulsUnits[] = {"%", "hours"};
inline constexpr const char* kEmulsPercentLabel = "of any part of the spill has evaporated";
inline constexpr const char* kEmulsHoursLabel = "have elapsed since start of spill";
inline constexpr const char* kEmulsValueMissingText =
    "Please enter an emulsification value or select the default. You chose to use a non-default value and then "
    "left the field empty.";
inline constexpr const char* kEmulsAbove0Text = "Please use a value greater than 0.";
inline constexpr const char* kEmulsPercentText =
    "You entered a percent value greater that 100. Please use a value between 0 and 100.";

struct EmulsificationForm {
    bool useDefault = true;
    std::string value;
    int unit = 0;  // kEmulsUnits
    std::string uncertainty;  // empty: none

    friend bool operator==(const EmulsificationForm&, const EmulsificationForm&) = default;
};

class EmulsificationRules {
public:
    explicit EmulsificationRules(document::SpillDocCore& doc) : doc_(doc) {}
    EmulsificationForm Load() const;
    // The label after the value for a unit.
    static const char* ValueLabel(int unit) { return unit == 0 ? kEmulsPercentLabel : kEmulsHoursLabel; }
    // A unit chosen in the list: the user's value is chosen too.
    static void ChooseUnit(EmulsificationForm& form, int unit) {
        form.unit = unit;
        form.useDefault = false;
    }
    // The value when the user's value is chosen, and the uncertainty
    // always; every failing field's text after one header.
    CheckResult ValidateInput(const EmulsificationForm& form) const;
    CheckResult Ok(const EmulsificationForm& form);

private:
    document::SpillDocCore& doc_;
};

inline constexpr const char* kBeachingCaption = "Beaching";
inline constexpr const char* kBeachingUnits[] = {"bbl", "gal", "cu m", "tons", "metric tons"};
inline constexpr const char* kBeachedNegativeText =
    "Problem with the Input.\n\nThe amount beached cannot be negative. Please enter a positive value or leave the "
    "field empty.";

struct BeachingForm {
    std::array<std::string, document::kBeachingDays> amounts;  // days 1-6; empty: none
    int unit = 0;                                               // kBeachingUnits

    friend bool operator==(const BeachingForm&, const BeachingForm&) = default;
};

class BeachingRules {
public:
    explicit BeachingRules(document::SpillDocCore& doc) : doc_(doc) {}
    BeachingForm Load() const;
    // Refuses a negative amount; a text without a number reads as 0.
    CheckResult Ok(const BeachingForm& form);

private:
    document::SpillDocCore& doc_;
};

}  // namespace ui
