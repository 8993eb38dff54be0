// The wind and waves dialog without its window: one constant wind with its
// wave choice, or the list of variable winds; the arrow on the compass; the
// checks with their texts; and OK, which writes the mode, the records and
// the unit choices together.
#pragma once

#include <string>
#include <string_view>

#include "document/SpillDoc.h"
#include "ui/common/rules/CheckResult.h"
#include "document/TimePick.h"
#include "ui/inputs/rules/Compass.h"
#include "ui/inputs/rules/WindListModel.h"

namespace ui {

inline constexpr const char* kWindWaveCaption = "Wind and Waves";

inline constexpr const char* kNoWindDataText = "No wind data. Please provide either a constant or variable winds.";
inline constexpr const char* kMinimumFetchText =
    "Sorry, TAVRO requires a minimum fetch of 1 mile (or 1 km). Please enter a larger value.";
inline constexpr const char* kWindSpeedMissingText =
    "Please enter the wind speed. TAVRO needs this\ninformation and you left the field empty.";
inline constexpr const char* kWindDirectionMissingText =
    "Please enter the wind direction. TAVRO needs this information and you left the field empty.";
inline constexpr const char* kWindDirectionUnreadableText =
    "TAVRO does not understand the value you entered for the wind direction.\nPlease review the value.";
inline constexpr const char* kWaveHeightMissingText =
    "Please enter a wave height or select the default value.You chose\nnot to use the default value and then left "
    "the field empty.";
inline constexpr const char* kWaveHeightUnreadableText =
    "Sorry, TAVRO does not understand the number entered for wave height.\nPlease check your entry.";
inline constexpr const char* kWaveHeightFeetText =
    "Sorry, TAVRO does not support a wave height of greater than 50 feet.\nPlease enter a smaller value.";
inline constexpr const char* kWaveHeightMetersText =
    "Sorry, TAVRO does not support a wave height of greater than 15.5 meters.\nPlease enter a smaller value.";
inline constexpr const char* kReplaceWindQuestion =
    "Wind record already exists for %B %d, %H:00 hours\nDo you want to replace it with this new information?";
inline constexpr const char* kTooManyWindRecordsText =
    "Problem with the Input.\n\nTAVRO accepts at most 120 wind records. Please remove a record before adding "
    "another.";

// The texts of the dialog's lists.
inline constexpr const char* kWindSpeedUnits[] = {"mph", "knots", "m/sec"};
inline constexpr const char* kFetchUnits[] = {"miles", "km"};
inline constexpr const char* kWaveHeightUnits[] = {"meters", "feet"};
inline constexpr const char* kWaveChoices[] = {"Default - Compute from Wind", "Compute from Wind and Fetch...",
                                               "Known Wave Height..."};

// The checks, each a refusal with its text or a pass. Speed s is a whole
// number in unit 0 mph, 1 knots, 2 m/s.
CheckResult ValidateWindSpeed(int s, int unit);
// v from WindDirectionValue.
CheckResult ValidateWindDirection(int v);
// The height as typed, unit 0 meters or 1 feet: the whole text one number
// from 0 to the unit's limit; optional: an empty text passes.
CheckResult ValidateWaveHeight(std::string_view text, int unit, bool optional);
// One variable-wind record: its speed, direction and optional wave height.
CheckResult ValidateWindRecord(int speed, int speedUnit, int direction, std::string_view wave, int waveUnit);

// The direction of a wind field: -1 (missing) for an empty field, else
// ParseCompassDirection.
int WindDirectionValue(std::string_view text);

struct WindWaveForm {
    bool variable = false;
    // The constant wind.
    std::string speed, direction;
    int speedUnit = 0;   // kWindSpeedUnits
    int waveChoice = 0;  // kWaveChoices
    std::string fetch;
    int fetchUnit = 0;  // kFetchUnits
    std::string waveHeight;
    int waveHeightUnit = 0;  // kWaveHeightUnits
    // The variable winds' entry fields and the list's units.
    document::TimePick pick;
    std::string varSpeed, varDirection, varWave;
    int varSpeedUnit = 0;
    int varWaveUnit = 0;
    bool autoIncrement = true;

    friend bool operator==(const WindWaveForm&, const WindWaveForm&) = default;
};

class WindWaveRules {
public:
    explicit WindWaveRules(document::SpillDocCore& doc);

    // The form and the list from the scenario.
    WindWaveForm Load();
    const WindListModel& List() const { return list_; }

    // The list's suffixes follow the form's unit choices.
    void Relabel(const WindWaveForm& form) { list_.SetUnits(form.varSpeedUnit, form.varWaveUnit); }
    // Add: checks the entry fields and puts them in the list; an existing
    // time is replaced when the user says so. With auto-increment the date
    // lists move on an hour.
    CheckResult Add(WindWaveForm& form);
    // Remove (nothing without a row) and Remove All.
    void Remove(int row);
    void RemoveAll() { list_.RemoveAll(); }
    // A row chosen in the list goes into the entry fields.
    void CopyRow(int row, WindWaveForm& form);

    // The arrow of a mode's compass.
    const WindArrow& Arrow(bool variable) const { return arrows_[variable ? 1 : 0]; }
    // A mode button: the mode and its arrow from its fields.
    void SetMode(WindWaveForm& form, bool variable);
    // The mode's speed or direction was typed: the arrow follows values
    // from 0 to kArrowFollowLimit.
    void FollowTyped(const WindWaveForm& form);
    // A click at an offset from the mode's compass centre; false outside
    // the card.
    bool Click(WindWaveForm& form, platform::Point offset);

    // OK's checks, first failure first.
    CheckResult ValidateInput(const WindWaveForm& form) const;
    // OK: the checks, then the mode, the records, the unit choices and the
    // mode's wind written, and the wind's change flag raised.
    CheckResult Ok(const WindWaveForm& form);

private:
    // The speed field of the form's mode as a whole number.
    int ModeSpeed(const WindWaveForm& form) const;
    void Follow(const WindWaveForm& form, bool always);

    document::SpillDocCore& doc_;
    WindListModel list_;
    WindArrow arrows_[2];
};

}  // namespace ui
