#include "ui/inputs/rules/OperationPages.h"

#include <algorithm>
#include <optional>

#include "document/Derive.h"
#include "model/Inputs.h"
#include "platform/NumText.h"

namespace ui {

using document::Scenario;
using model::MISSING_VALUE;
using model::MISSING_VALUE_D;
using platform::MsgIcon;

namespace {

constexpr int kLastHour = 120;

std::string Problem(const char* text) { return std::string(kHeaderProblemDot) + text; }

// A stored value as its field shows it: -999 (unset) empty.
std::string Shown(double value) { return value == MISSING_VALUE_D ? std::string() : platform::FormatG15(value); }
std::string Shown(int value) { return value == MISSING_VALUE ? std::string() : platform::Format("%d", value); }

// A list index read from the scenario, within its list.
int Clamped(int index, int count) { return std::clamp(index, 0, count - 1); }
template <std::size_t N>
int Clamped(int index, const char* const (&)[N]) {
    return Clamped(index, static_cast<int>(N));
}

// A whole number of hours as the operation checks read it: a text that is
// not a whole number reads 0, and the value is compared as unsigned, so a
// negative one counts as too large.
bool DurationOutOfLimits(const std::string& text) {
    const int d = platform::WholeInt(text).value_or(0);
    return d == 0 || static_cast<unsigned>(d) > static_cast<unsigned>(kLastHour);
}

// The number a field holds, for storing: empty is unset (-999); a text
// that is not one number is refused.
struct Parsed {
    double value = MISSING_VALUE_D;
    bool ok = true;
};
Parsed ParseOptional(const std::string& text) {
    if (text.find_first_not_of(" \t\r\n") == std::string::npos) return {};
    const std::optional<double> v = platform::ReadNumber(text);
    if (!v) return {MISSING_VALUE_D, false};
    return {*v, true};
}

// A use box's click.
void Flip(int& flag) { flag = flag ? 0 : 1; }

CheckResult NotANumber() { return CheckResult::Refuse(platform::kEnterNumberText, MsgIcon::Exclamation); }

}  // namespace

// ---- Dispersant ----

DispersantPageRules::DispersantPageRules(document::SpillDocCore& doc, int page) : doc_(doc), page_(page) {}

bool DispersantPageRules::Used() const { return doc_.scenario.mDispersantPageUse[page_] != 0; }

void DispersantPageRules::ToggleUse() {
    Flip(doc_.scenario.mDispersantPageUse[page_]);
}

DispersantPageForm DispersantPageRules::Load() const {
    const Scenario& s = doc_.scenario;
    DispersantPageForm f;
    f.start = document::PickOf(s.DispersantTime[page_], doc_.Clock());
    f.duration = Shown(s.m_nDispersantDuration[page_]);
    f.areaSprayed = Shown(s.m_dDispersantDispersed[page_]);
    f.dispersed = Shown(s.m_dDispersantSprayed[page_]);
    return f;
}

CheckResult DispersantPageRules::Leave(const DispersantPageForm& form) {
    if (!Used()) return {};
    if (DurationOutOfLimits(form.duration))
        return CheckResult::Refuse(Problem("Dispersant applications are limited to a duration of between 1 hour\n"
                                           "and 120 hours. Please enter a duration within these limits."));
    // The percents are checked on the decimal value stored; a negative one
    // gets the "cannot exceed" text.
    const double sprayed = platform::LeadingDecimal(form.areaSprayed);
    if (sprayed < 0 || sprayed > 100)
        return CheckResult::Refuse(Problem("The percentage of the spill area which was sprayed\n"
                                           "with dispersant cannot exceed 100%."));
    if (sprayed < 1)
        return CheckResult::Refuse(Problem("Please enter the percent of the spill area which was\n"
                                           "sprayed with dispersant. The minimum is 1%."));
    const double dispersed = platform::LeadingDecimal(form.dispersed);
    if (dispersed < 0 || dispersed > 100) return CheckResult::Refuse(Problem("The percent dispersed cannot exceed 100%."));
    if (dispersed < 1) return CheckResult::Refuse(Problem("Please enter the percent dispersed. The minimum is 1%."));

    const std::optional<int> duration = platform::WholeInt(form.duration);
    const std::optional<double> sprayedValue = platform::ReadNumber(form.areaSprayed);
    const std::optional<double> dispersedValue = platform::ReadNumber(form.dispersed);
    if (!duration || !sprayedValue || !dispersedValue) return NotANumber();

    Scenario& s = doc_.scenario;
    s.m_nDispersantDuration[page_] = *duration;
    s.m_dDispersantDispersed[page_] = *sprayedValue;  // the first percent: of the area, sprayed
    s.m_dDispersantSprayed[page_] = *dispersedValue;  // the second: of the oil sprayed, dispersed
    s.DispersantTime[page_] = document::OperationTime(form.start, s.SpillTime, doc_.Clock());

    CheckResult result;
    const int hour = document::StartHourOf(s, s.DispersantTime[page_]);
    const std::string spray = platform::Format("Spray %d ", page_ + 1);
    if (hour <= 0)
        result.warnings.push_back({"Dispersant operation will be ignored\n\n" + spray +
                                       "is scheduled to occur before the first release of oil and therefore will "
                                       "not be included in the calculations.",
                                   MsgIcon::Exclamation});
    else if (hour > kLastHour)
        result.warnings.push_back(
            {"Dispersant operation will be ignored\n\n" + spray +
                 "is scheduled to occur greater than 120 hours after the first release of oil, exceeding TAVRO's 5 "
                 "day limit. Any removal operation planned 120 hours or more after the first release will not be "
                 "included in the calculations.",
             MsgIcon::Exclamation});
    return result;
}

// ---- In-situ burn ----

BurnPageRules::BurnPageRules(document::SpillDocCore& doc, int page) : doc_(doc), page_(page) {}

bool BurnPageRules::Used() const { return doc_.scenario.mInSituBurnPageUse[page_] != 0; }

void BurnPageRules::ToggleUse() {
    Flip(doc_.scenario.mInSituBurnPageUse[page_]);
}

BurnPageForm BurnPageRules::Load() const {
    const Scenario& s = doc_.scenario;
    BurnPageForm f;
    f.start = document::PickOf(s.InSituBurnTime[page_], doc_.Clock());
    f.area = Shown(s.m_dBurnArea[page_]);
    f.areaUnit = Clamped(s.m_iAreaUnits[page_], kBurnAreaUnits);
    f.thickness = Shown(s.m_dBurnThickness[page_]);
    f.thicknessUnit = Clamped(s.m_iThicknessUnits[page_], kBurnThicknessUnits);
    return f;
}

CheckResult BurnPageRules::Leave(const BurnPageForm& form) {
    if (!Used()) return {};
    const Parsed area = ParseOptional(form.area);
    const Parsed thickness = ParseOptional(form.thickness);
    if (!area.ok || !thickness.ok) return NotANumber();
    const double a = area.value, t = thickness.value;
    if (a < 0)
        return CheckResult::Refuse(Problem("Missing Important Information.\n"
                                           "Please enter the burn area. TAVRO needs this information and you left "
                                           "the field empty.\n"));
    if (t <= 0)
        return CheckResult::Refuse(Problem("Missing Important Information.\n"
                                           "Please enter the oil thickness. TAVRO needs this information and you "
                                           "left the field empty."));
    const char* areaLimit = nullptr;
    switch (Clamped(form.areaUnit, kBurnAreaUnits)) {
    case 2:
        if (a < 1 || a > 10000) areaLimit = "The burn area is limited to between 1 and 10,000 square meters.\n";
        break;
    case 0:
        if (a < 10 || a > 100000) areaLimit = "The burn area is limited to between 10 and 100,000 square feet.\n";
        break;
    case 1:
        if (a < 1 || a > 11960) areaLimit = "The burn area is limited to between 1 and 11,960 square yards.\n";
        break;
    }
    if (areaLimit) return CheckResult::Refuse(Problem(areaLimit) + "Please enter a value within these limits.");
    const char* thickLimit = nullptr;
    switch (Clamped(form.thicknessUnit, kBurnThicknessUnits)) {
    case 0:
        if (t < 2 || t > 200) thickLimit = "The oil thickness is limited to between 2 and 200 milimeters.\n";
        break;
    case 1:
        if (t < 0.2 || t > 20) thickLimit = "The oil thickness is limited to between 0.2 and 20 centimeters.\n";
        break;
    case 2:
        if (t < 0.078 || t > 7.8) thickLimit = "The oil thickness is limited to between 0.078 and 7.8 inches.\n";
        break;
    }
    if (thickLimit) return CheckResult::Refuse(Problem(thickLimit) + "Please enter a value within these limits.");
    doc_.scenario.m_dBurnArea[page_] = a;
    doc_.scenario.m_dBurnThickness[page_] = t;
    return {};
}

void BurnPageRules::Apply(const BurnPageForm& form) {
    if (!Used()) return;
    Scenario& s = doc_.scenario;
    s.InSituBurnTime[page_] = document::OperationTime(form.start, s.SpillTime, doc_.Clock());
    s.m_iAreaUnits[page_] = Clamped(form.areaUnit, kBurnAreaUnits);
    s.m_iThicknessUnits[page_] = Clamped(form.thicknessUnit, kBurnThicknessUnits);
}

CheckResult BurnPageRules::PrepareSmokePlume(const BurnPageForm& form) {
    CheckResult result = Leave(form);
    if (result.ok()) Apply(form);
    return result;
}

// ---- Advanced burn options ----

AdvancedBurnForm AdvancedBurnRules::Load() const {
    const Scenario& s = doc_.scenario;
    AdvancedBurnForm f;
    f.choice = Clamped(s.m_iBurnRegRateCombo, kRegRateChoices);
    f.rate = s.m_dBurnRegRate > 0 ? platform::FormatG15(s.m_dBurnRegRate) : std::string();
    f.unit = Clamped(s.m_iBurnRegRateUnit, kRegRateUnits);
    return f;
}

CheckResult AdvancedBurnRules::Ok(const AdvancedBurnForm& form) {
    const int choice = Clamped(form.choice, kRegRateChoices);
    const int unit = Clamped(form.unit, kRegRateUnits);
    double rate = kDefaultRegRate;
    if (choice == 1) {
        const double x = platform::LeadingDecimal(form.rate);
        const bool empty = form.rate.find_first_not_of(" \t\r\n") == std::string::npos;
        if (empty || x < 0)
            return CheckResult::Refuse(Problem("Please enter a burn regression rate or choose the default value. You "
                                               "chose to use a non-default value and then left the field empty."));
        if (unit == 0 && (x < 0.01 || x > 0.1))
            return CheckResult::Refuse(Problem("The burn regression rate is limited to between 0.01 and 0.1\n") +
                                       "millimeters/second. Please enter a rate within these limits.");
        if (unit == 1 && (x < 0.0004 || x > 0.004))
            return CheckResult::Refuse(Problem("The burn regression rate is limited to between 0.0004 and 0.004\n") +
                                       "inches/second. Please enter a rate within these limits.");
        const std::optional<double> v = platform::ReadNumber(form.rate);
        if (!v) return NotANumber();
        rate = *v;
    }
    Scenario& s = doc_.scenario;
    s.m_iBurnRegRateCombo = choice;
    // The default is 0.04 mm/s whatever unit the hidden list showed.
    s.m_iBurnRegRateUnit = choice == 1 ? unit : 0;
    s.m_dBurnRegRate = rate;
    s.burn.regRate = rate;
    s.burn.regRateUnits = s.m_iBurnRegRateUnit + 1;
    doc_.SetModified(true);
    return {};
}

// ---- Mechanical clean-up ----

CleanupPageRules::CleanupPageRules(document::SpillDocCore& doc, int page) : doc_(doc), page_(page) {}

bool CleanupPageRules::Used() const { return doc_.scenario.mMechanicalPageUse[page_] != 0; }

void CleanupPageRules::ToggleUse() {
    Flip(doc_.scenario.mMechanicalPageUse[page_]);
}

bool CleanupPageRules::RateMode() const { return doc_.scenario.m_bMechanicalRateUse[page_] != 0; }

void CleanupPageRules::SetRateMode(bool rate) { doc_.scenario.m_bMechanicalRateUse[page_] = rate ? 1 : 0; }

CleanupPageForm CleanupPageRules::Load() const {
    const Scenario& s = doc_.scenario;
    CleanupPageForm f;
    f.start = document::PickOf(s.SkimmerTime[page_], doc_.Clock());
    f.duration = Shown(s.m_nMechanicalDuration[page_]);
    f.rate = Shown(s.m_dMechanicalRate[page_]);
    f.rateUnit = Clamped(s.m_iRecoveryUnits[page_], kRecoveryRateUnits);
    f.amount = Shown(s.m_dMechanicalAmount[page_]);
    f.amountUnit = Clamped(s.m_iAmountUnits[page_], kRecoveredAmountUnits);
    return f;
}

CheckResult CleanupPageRules::Leave(const CleanupPageForm& form) {
    if (!Used()) return {};
    if (DurationOutOfLimits(form.duration))
        return CheckResult::Refuse(Problem("Cleanup operations are limited to a duration of between 1 hour\n"
                                           "and 120 hours. Please enter a duration within these limits."));
    // A clean-up without a positive rate or amount would remove nothing.
    const bool rateMode = RateMode();
    const std::string& text = rateMode ? form.rate : form.amount;
    const Parsed value = ParseOptional(text);
    if (value.ok && !(value.value > 0))
        return CheckResult::Refuse(Problem(rateMode ? "Missing Important Information.\nPlease enter the recovery "
                                                      "rate. TAVRO needs a value greater than 0."
                                                    : "Missing Important Information.\nPlease enter the amount "
                                                      "recovered. TAVRO needs a value greater than 0."));
    const std::optional<int> duration = platform::WholeInt(form.duration);
    if (!duration || !value.ok) return NotANumber();
    Scenario& s = doc_.scenario;
    s.m_nMechanicalDuration[page_] = *duration;
    (rateMode ? s.m_dMechanicalRate : s.m_dMechanicalAmount)[page_] = value.value;
    return {};
}

void CleanupPageRules::Apply(const CleanupPageForm& form) {
    if (!Used()) return;
    Scenario& s = doc_.scenario;
    s.SkimmerTime[page_] = document::OperationTime(form.start, s.SpillTime, doc_.Clock());
    s.m_iRecoveryUnits[page_] = Clamped(form.rateUnit, kRecoveryRateUnits);
    s.m_iAmountUnits[page_] = Clamped(form.amountUnit, kRecoveredAmountUnits);
}

}  // namespace ui
