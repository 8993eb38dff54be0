// The three release set-up dialogs without their windows: an instantaneous
// release, a continuous release (an amount, a constant rate or a changing
// rate over a duration) and a contained release. Each loads its form from
// the scenario, checks it on OK with the dialog's texts, and on a pass
// stores its values, its release time (in the local year of the spill
// time) and sets its record's flag.
#pragma once

#include <string>

#include "document/SpillDoc.h"
#include "ui/common/rules/CheckResult.h"
#include "document/TimePick.h"

namespace ui {

inline constexpr const char* kInstantaneousCaption = "Instantaneous Release";
inline constexpr const char* kContinuousCaption = "Continuous Release";
inline constexpr const char* kContainedCaption = "Contained Release";
inline constexpr const char* kTimeOfReleaseGroup = "Time of Release";

inline constexpr const char* kEnterAmountText = "Please enter an amount spilled. TAVRO needs this information.";
inline constexpr const char* kEnterAreaText = "Please enter a spill area. TAVRO needs this information.";
inline constexpr const char* kEnterDurationText =
    "Please enter the duration of the release. TAVRO needs this information to do a continuous release and you "
    "either left the field empty or entered zero.";
// A duration typed with decimals or letters: the text above would say it
// is empty or zero.
inline constexpr const char* kWholeDurationText = "Please enter the duration as a whole number of hours or days.";
inline constexpr const char* kEnterContinuousAmountText =
    "Please enter information about how much oil was released. TAVRO needs this information to do a continuous "
    "release.";
inline constexpr const char* kChangeToLimitText = "Please change the input to fit within this limit.";
inline constexpr const char* kThinnerText =
    "Sorry, TAVRO cannot model slicks thinner than 0.1 mm. Please reduce\nthe contained area or increase the "
    "amount spilled.";
inline constexpr const char* kThickerText =
    "Sorry, TAVRO cannot model slicks thicker than 20 cm. Please increase\nthe contained area or reduce the "
    "amount spilled.";

// ---- Instantaneous release ----

struct InstantaneousForm {
    document::TimePick time;
    std::string amount;
    int unit = 0;  // kVolumeUnitNames

    friend bool operator==(const InstantaneousForm&, const InstantaneousForm&) = default;
};

class InstantaneousRules {
public:
    explicit InstantaneousRules(document::SpillDocCore& doc) : doc_(doc) {}

    InstantaneousForm Load() const;
    // The amount within the limits of its unit.
    CheckResult Check(const InstantaneousForm& form) const;
    // OK: the check, then the amount read as a number; on a pass the
    // release is stored and the dialog may close.
    CheckResult Ok(const InstantaneousForm& form);

private:
    document::SpillDocCore& doc_;
};

// ---- Continuous release ----

enum ContinuousOption : int { SpilledAmount = 0, ConstantRate = 1, ChangingRate = 2 };

struct ContinuousForm {
    document::TimePick time;
    std::string duration;
    int durationUnits = 0;  // kDurationUnitNames
    int option = SpilledAmount;
    std::string value;      // the amount, the constant rate or the start rate
    std::string finalRate;  // the changing rate's final rate
    int amountUnits = 0;    // kVolumeUnitNames
    int rateUnits1 = 0;     // kRateUnitNames, constant rate
    int rateUnits2 = 0;     // kRateUnitNames, changing rate

    friend bool operator==(const ContinuousForm&, const ContinuousForm&) = default;
};

// What the dialog shows for an option: the value's label, which unit list
// is shown, whether the final-rate row is, and the note under the value
// (none for the changing rate).
struct ContinuousRows {
    const char* valueLabel;
    bool amountUnits;
    bool constantUnits;
    bool changingRows;  // the changing rate's unit list and its final-rate row
    const char* note;   // nullptr: hidden
};
ContinuousRows ContinuousRowsFor(int option);
inline constexpr const char* kFinalRateLabel = "Final Rate";
inline constexpr const char* kChangingRateNote = "Uses the duration specified above";

class ContinuousRules {
public:
    explicit ContinuousRules(document::SpillDocCore& doc) : doc_(doc) {}

    ContinuousForm Load() const;
    // The duration, then the total released and the rate within the limits
    // of the option's unit.
    CheckResult Check(const ContinuousForm& form) const;
    CheckResult Ok(const ContinuousForm& form);

private:
    document::SpillDocCore& doc_;
};

// ---- Contained release ----

struct ContainedForm {
    document::TimePick time;
    std::string amount;
    int volumeUnit = 0;  // kVolumeUnitNames
    std::string area;
    int areaUnit = 0;  // kAreaUnitNames

    friend bool operator==(const ContainedForm&, const ContainedForm&) = default;
};

class ContainedRules {
public:
    explicit ContainedRules(document::SpillDocCore& doc) : doc_(doc) {}

    ContainedForm Load() const;
    // The amount, the area within the limits of its unit, and the slick's
    // thickness between 0.1 mm and 20 cm.
    CheckResult Check(const ContainedForm& form) const;
    CheckResult Ok(const ContainedForm& form);

private:
    document::SpillDocCore& doc_;
};

}  // namespace ui
