// The two small dialogs of the wind dialog: the fetch of variable winds in
// the four directions, and the wind speed's uncertainty. Each writes the
// scenario on its own OK, raises the wind's change flag and marks the
// scenario modified (the wind dialog may still be cancelled).
#pragma once

#include <array>
#include <string>

#include "document/SpillDoc.h"
#include "ui/common/rules/CheckResult.h"

namespace ui {

inline constexpr const char* kFetchCaption = "Fetch";
inline constexpr const char* kFetchIntroText =
    "TAVRO will estimate wave height from wind speed if you do not provide a wave height. Entering fetch "
    "information, if you know it, will improve the estimation.";
inline constexpr const char* kFetchFrameText = "Fetch - an empty field indicates unlimited fetch";
inline constexpr const char* kFetchRefusalText =
    "Problem with the Input\n\nSorry, TAVRO requires a minimum fetch of 1 mile (or 1 km). Leave the field\n"
    "empty if you want TAVRO to assume unlimited fetch for that direction.";

struct FetchForm {
    // North, East, South, West; empty is unlimited.
    std::array<std::string, 4> fetch;
    int unit = 0;  // miles, km

    friend bool operator==(const FetchForm&, const FetchForm&) = default;
};

class FetchRules {
public:
    explicit FetchRules(document::SpillDocCore& doc) : doc_(doc) {}
    FetchForm Load() const;
    CheckResult Ok(const FetchForm& form);

private:
    document::SpillDocCore& doc_;
};

inline constexpr const char* kWindUncertaintyCaption = "Wind Uncertainty";
inline constexpr const char* kWindUncertaintyIntroText =
    "You may provide an uncertainty for the wind speed. Otherwise, leave this field blank. Uncertainty will "
    "increase calculation time. For variable winds, the uncertainty applies to all wind values.";
inline constexpr const char* kWindUncertaintyLabel = "Wind Speed Uncertainty \u00B1";
inline constexpr const char* kWindUncertaintyNote =
    "Note: The budget table and budget graph may be unreliable when using the uncertainty option.";
inline constexpr const char* kUncertaintyUnits[] = {"mph", "knots", "m/s"};

struct WindUncertaintyForm {
    std::string value;  // empty: no uncertainty
    int unit = 0;       // kUncertaintyUnits

    friend bool operator==(const WindUncertaintyForm&, const WindUncertaintyForm&) = default;
};

class WindUncertaintyRules {
public:
    explicit WindUncertaintyRules(document::SpillDocCore& doc) : doc_(doc) {}
    WindUncertaintyForm Load() const;
    // The limit by unit (38 mph, 34 knots, 17 m/s) on the value stored; a
    // value not above 0 switches the uncertainty off.
    CheckResult Ok(const WindUncertaintyForm& form);

private:
    document::SpillDocCore& doc_;
};

}  // namespace ui
