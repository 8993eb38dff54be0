// The pages of the three response-operation sheets (dispersant sprays,
// in-situ burns, mechanical clean-up) and the advanced burn options: what
// each page shows, the checks of leaving it, and what it writes into the
// scenario's operation variables. Toolkit-free: the sheets' views move
// their controls to these forms and back.
//
// Every page edits the variables of one operation in place: the use flag
// (and the clean-up's rate/amount choice) at once on a click, the values
// when the page is left after its checks passed, the start time and units
// on OK. A refused leave writes nothing. A sheet that ends without OK has
// all it wrote put back by the document's command.
#pragma once

#include <string>

#include "document/SpillDoc.h"
#include "ui/common/rules/CheckResult.h"
#include "document/TimePick.h"

namespace ui {

// ---- Dispersant sprays ----

struct DispersantPageForm {
    document::TimePick start;
    std::string duration;     // whole hours
    std::string areaSprayed;  // percent of the spill area sprayed
    std::string dispersed;    // percent of the sprayed oil dispersed

    friend bool operator==(const DispersantPageForm&, const DispersantPageForm&) = default;
};

class DispersantPageRules {
public:
    DispersantPageRules(document::SpillDocCore& doc, int page);

    bool Used() const;
    // The use box: flips the spray's use flag at once.
    void ToggleUse();
    // The page as stored; -999 shows as an empty field.
    DispersantPageForm Load() const;
    // Leaving the page (or OK) of a used spray: the checks, then the
    // values and the start time stored; a spray scheduled before the first
    // release or past 120 hours is stored with a warning. An unused spray
    // is left with anything and nothing is written.
    CheckResult Leave(const DispersantPageForm& form);

private:
    document::SpillDocCore& doc_;
    int page_;
};

// ---- In-situ burns ----

// The area units ("sq. feet", "sq. yards", "sq. meters") and thickness
// units ("mm", "cm", "inches") of the burn page, by list index.
inline constexpr const char* kBurnAreaUnits[] = {"sq. feet", "sq. yards", "sq. meters"};
inline constexpr const char* kBurnThicknessUnits[] = {"mm", "cm", "inches"};

struct BurnPageForm {
    document::TimePick start;
    std::string area;
    int areaUnit = 0;
    std::string thickness;
    int thicknessUnit = 0;

    friend bool operator==(const BurnPageForm&, const BurnPageForm&) = default;
};

class BurnPageRules {
public:
    BurnPageRules(document::SpillDocCore& doc, int page);

    bool Used() const;
    void ToggleUse();
    // The page as stored (-999 empty; unit indices clamped to their lists).
    BurnPageForm Load() const;
    // Leaving a used burn's page: area and thickness read (empty is
    // missing), checked, then stored. Unused: nothing.
    CheckResult Leave(const BurnPageForm& form);
    // OK of the sheet, for a used burn: the start time and the two units.
    void Apply(const BurnPageForm& form);
    // The smoke-plume button: the page's checks and, when they pass, its
    // values, time and units stored (the plume is that of the burn as
    // entered). A refusal keeps the plume dialog closed.
    CheckResult PrepareSmokePlume(const BurnPageForm& form);

private:
    document::SpillDocCore& doc_;
    int page_;
};

// The advanced burn options: the burn regression rate for every burn.
inline constexpr const char* kRegRateChoices[] = {"Default - 0.04 mm/sec", "Other Value..."};
inline constexpr const char* kRegRateUnits[] = {"mm/sec", "inches/second"};
inline constexpr double kDefaultRegRate = 0.04;  // mm/s

struct AdvancedBurnForm {
    int choice = 0;  // 0 default, 1 other value
    std::string rate;
    int unit = 0;  // 0 mm/s, 1 in/s

    // The rate and its unit are shown only for another value.
    bool RateShown() const { return choice == 1; }
    friend bool operator==(const AdvancedBurnForm&, const AdvancedBurnForm&) = default;
};

class AdvancedBurnRules {
public:
    explicit AdvancedBurnRules(document::SpillDocCore& doc) : doc_(doc) {}

    AdvancedBurnForm Load() const;
    // OK: the rate checked (another value only); when it passes, the
    // choice, rate and unit are stored (the default stores 0.04 mm/s), the
    // model's burn input takes the rate at once and the scenario is marked
    // changed. Nothing is written before OK. The burn section's change
    // waits for the sheet's OK: a cancelled sheet takes the rate back with
    // everything else, so the tree must not show it before.
    CheckResult Ok(const AdvancedBurnForm& form);

private:
    document::SpillDocCore& doc_;
};

// ---- Mechanical clean-up ----

inline constexpr const char* kRecoveryRateUnits[] = {"bbl/hr", "gal/hr", "cu m/hr", "tons/hr", "metric tons/hr",
                                                     "gal/min"};
inline constexpr const char* kRecoveredAmountUnits[] = {"bbl", "gal", "cu m", "tons", "metric tons"};

struct CleanupPageForm {
    document::TimePick start;
    std::string duration;
    std::string rate;
    int rateUnit = 0;
    std::string amount;
    int amountUnit = 0;

    friend bool operator==(const CleanupPageForm&, const CleanupPageForm&) = default;
};

class CleanupPageRules {
public:
    CleanupPageRules(document::SpillDocCore& doc, int page);

    bool Used() const;
    void ToggleUse();
    // The two radios: rate (true) or amount, written at once.
    bool RateMode() const;
    void SetRateMode(bool rate);
    CleanupPageForm Load() const;
    // Leaving a used operation's page: the duration and the chosen mode's
    // value checked, then stored; the other mode's value stays as it was.
    CheckResult Leave(const CleanupPageForm& form);
    // OK of the sheet, for a used operation: the start time and both units.
    void Apply(const CleanupPageForm& form);

private:
    document::SpillDocCore& doc_;
    int page_;
};

}  // namespace ui
