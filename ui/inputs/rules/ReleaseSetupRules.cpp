#include "ui/inputs/rules/ReleaseSetupRules.h"

#include <algorithm>
#include <array>
#include <optional>

#include "platform/NumText.h"
#include "ui/inputs/rules/InputTexts.h"
#include "ui/inputs/rules/ReleaseUnits.h"

namespace ui {

using model::MISSING_VALUE_D;
using platform::FormatG15;
using platform::LeadingDecimal;

namespace {

// An amount field: empty for a value not entered.
std::string AmountText(double value) { return value == MISSING_VALUE_D ? std::string() : FormatG15(value); }
// A field of the continuous release: empty unless positive.
std::string PositiveText(double value) { return value > 0 ? FormatG15(value) : std::string(); }

// The release time a set-up dialog stores: the pick in the spill time's
// local year.
document::Time ReleaseTime(const document::TimePick& pick, const document::SpillDocCore& doc) {
    return document::PickTime(pick, document::LocalYear(doc.scenario.SpillTime, doc.Clock()), doc.Clock());
}

CheckResult NotANumber() { return CheckResult::Refuse(platform::kEnterNumberText); }

// ---- Instantaneous ----

struct InstantLimit {
    double min, max;
    const char* range;  // as the texts name it
};
constexpr std::array<InstantLimit, 5> kInstantLimits{{
    {2, 500000, "2 and 500,000 barrels"},
    {84, 21000000, "84 and 21,000,000 gallons"},
    {0.32, 79494, "0.32 and 79,494 cubic meters"},
    {0.35, 87540, "0.35 and 87,540 tons"},
    {0.32, 79415, "0.32 and 79,415 metric tons"},
}};

CheckResult InstantRefusal(const char* size, const InstantLimit& limit) {
    return CheckResult::Refuse(std::string(kHeaderProblem) + "Sorry, the amount spilled is too " + size +
                               ". TAVRO can only model instantaneous releases between " + limit.range + ".");
}

// ---- Continuous ----

struct ContinuousLimit {
    double maxTotal;
    const char* totalText;
    double minRate;
    const char* rateText;
};
constexpr std::array<ContinuousLimit, 5> kContinuousLimits{{
    {500000, "The amount released exceeds the limit of 500,000 bbl.\n", 2,
     "The rate of release is below the minimum of 2 bbl/hr.\n"},
    {21000000, "The amount released exceeds the limit of 21,000,000 gal.\n", 84,
     "The rate of release is below the minimum of 84 gal/hr.\n"},
    {79494, "The amount released exceeds the limit of 79,494 cu m.\n", 0.32,
     "The rate of release is below the minimum of 0.32 cu m/hr.\n"},
    {87540, "The amount released exceeds the limit of 87,540 tons.\n", 0.35,
     "The rate of release is below the minimum of 0.35 tons/hr.\n"},
    {79415, "The amount released exceeds the limit of 79,415 metric tons.\n", 0.32,
     "The rate of release is below the minimum of 0.32 metric tons/hr.\n"},
}};

CheckResult LimitRefusal(const char* text) { return CheckResult::Refuse(std::string(text) + kChangeToLimitText); }

// ---- Contained ----

struct AreaLimit {
    double min, max;
    const char* text;
};
constexpr std::array<AreaLimit, 3> kAreaLimits{{
    {10, 100000, "Sorry, the spill area must be between 10 and 100,000 square feet."},
    {1, 11960, "Sorry, the spill area must be between 1 and 11,960 square yards."},
    {1, 10000, "Sorry, the spill area must be between 1 and 10,000 square meters."},
}};

CheckResult ContainedRefusal(const char* text) { return CheckResult::Refuse(std::string(kHeaderProblemDot) + text); }

}  // namespace

// ---- Instantaneous release ----

InstantaneousForm InstantaneousRules::Load() const {
    const document::Scenario& s = doc_.scenario;
    InstantaneousForm f;
    f.time = document::PickOf(s.InstantaneousTime, doc_.Clock());
    f.amount = AmountText(s.instant.vol);
    f.unit = CodeIndex(s.instant.volUnits, kVolumeUnitNames.size());
    return f;
}

CheckResult InstantaneousRules::Check(const InstantaneousForm& form) const {
    if (IsBlank(form.amount)) return CheckResult::Refuse(std::string(kHeaderProblem) + kEnterAmountText);
    const double amount = LeadingDecimal(form.amount);
    const InstantLimit& limit = kInstantLimits[static_cast<std::size_t>(ClampIndex(form.unit, kInstantLimits.size()))];
    if (amount < limit.min) return InstantRefusal("small", limit);
    if (amount > limit.max) return InstantRefusal("large", limit);
    return {};
}

CheckResult InstantaneousRules::Ok(const InstantaneousForm& form) {
    if (CheckResult r = Check(form); !r.ok()) return r;
    const std::optional<double> amount = platform::ReadNumber(form.amount);
    if (!amount) return NotANumber();
    document::Scenario& s = doc_.scenario;
    s.instant.vol = *amount;
    s.instant.volUnits = ClampIndex(form.unit, kVolumeUnitNames.size()) + 1;
    s.InstantaneousTime = ReleaseTime(form.time, doc_);
    s.instant.flag = 1;
    return {};
}

// ---- Continuous release ----

ContinuousRows ContinuousRowsFor(int option) {
    switch (option) {
        case ConstantRate: return {"Rate is", false, true, false, "This rate is used for the duration specified above"};
        case ChangingRate: return {"Start rate", false, false, true, nullptr};
        default:
            return {"Amount is", true, false, false, "A rate is calculated by using the duration specified above."};
    }
}

ContinuousForm ContinuousRules::Load() const {
    const document::Scenario& s = doc_.scenario;
    const document::ContinuousVars& v = s.cont;
    ContinuousForm f;
    f.time = document::PickOf(s.ContinuousTime, doc_.Clock());
    f.duration = v.duration > 0 ? std::to_string(v.duration) : std::string();
    f.durationUnits = v.durationUnits != 0 ? 1 : 0;  // the derivation reads any other code as days
    f.option = std::clamp(v.spilledType, 0, 2);
    f.amountUnits = ClampIndex(v.amountUnits, kVolumeUnitNames.size());
    f.rateUnits1 = ClampIndex(v.rateUnits1, kRateUnitNames.size());
    f.rateUnits2 = ClampIndex(v.rateUnits2, kRateUnitNames.size());
    switch (f.option) {
        case SpilledAmount: f.value = PositiveText(v.amount); break;
        case ConstantRate: f.value = PositiveText(v.rate); break;
        default:
            f.value = PositiveText(v.startRate);
            f.finalRate = PositiveText(v.endRate);
            break;
    }
    return f;
}

CheckResult ContinuousRules::Check(const ContinuousForm& form) const {
    // The duration in hours; a field that is not a whole number counts as
    // none.
    const std::optional<int> whole = platform::WholeInt(form.duration);
    long long hours = whole.value_or(0);
    if (hours == 0) hours = -1;
    if (form.durationUnits != 0) hours *= 24;
    const double d = static_cast<double>(hours);

    int unit = 0;
    double total = 0, rate = 0;
    switch (form.option) {
        case ConstantRate: {
            unit = ClampIndex(form.rateUnits1, kRateUnitNames.size());
            rate = LeadingDecimal(form.value) * (unit == kRateGalPerMin ? 60 : 1);
            total = d * rate;
            break;
        }
        case ChangingRate: {
            unit = ClampIndex(form.rateUnits2, kRateUnitNames.size());
            const double perHour = unit == kRateGalPerMin ? 60 : 1;
            const double start = LeadingDecimal(form.value) * perHour;
            const double final = LeadingDecimal(form.finalRate) * perHour;
            rate = std::min(start, final);
            total = d * (start + final) / 2;  // the hourly amounts at mid-hour, summed
            break;
        }
        default:
            unit = ClampIndex(form.amountUnits, kVolumeUnitNames.size());
            total = LeadingDecimal(form.value);
            rate = total / d;
            break;
    }
    if (hours <= 0)
        return CheckResult::Refuse(!whole && !IsBlank(form.duration) ? kWholeDurationText : kEnterDurationText);
    if (total <= 0) return CheckResult::Refuse(kEnterContinuousAmountText);
    const ContinuousLimit& limit = kContinuousLimits[static_cast<std::size_t>(unit == kRateGalPerMin ? 1 : unit)];
    if (total > limit.maxTotal) return LimitRefusal(limit.totalText);
    if (rate < limit.minRate) return LimitRefusal(limit.rateText);
    return {};
}

CheckResult ContinuousRules::Ok(const ContinuousForm& form) {
    if (CheckResult r = Check(form); !r.ok()) return r;
    const std::optional<int> duration = platform::ReadInteger(form.duration);
    const std::optional<double> value = platform::ReadNumber(form.value);
    const std::optional<double> finalRate =
        form.option == ChangingRate ? platform::ReadNumber(form.finalRate) : std::optional<double>(0.0);
    if (!duration || !value || !finalRate) return NotANumber();

    document::Scenario& s = doc_.scenario;
    document::ContinuousVars& v = s.cont;
    v.duration = *duration;
    v.durationUnits = form.durationUnits != 0 ? 1 : 0;
    v.spilledType = std::clamp(form.option, 0, 2);
    switch (v.spilledType) {
        case SpilledAmount: v.amount = *value; break;
        case ConstantRate: v.rate = *value; break;
        default:
            v.startRate = *value;
            v.endRate = *finalRate;
            break;
    }
    v.amountUnits = ClampIndex(form.amountUnits, kVolumeUnitNames.size());
    v.rateUnits1 = ClampIndex(form.rateUnits1, kRateUnitNames.size());
    v.rateUnits2 = ClampIndex(form.rateUnits2, kRateUnitNames.size());
    s.ContinuousTime = ReleaseTime(form.time, doc_);
    s.continuous.flag = 1;
    return {};
}

// ---- Contained release ----

ContainedForm ContainedRules::Load() const {
    const document::Scenario& s = doc_.scenario;
    ContainedForm f;
    f.time = document::PickOf(s.ContainedTime, doc_.Clock());
    f.amount = AmountText(s.boomed.vol);
    f.volumeUnit = CodeIndex(s.boomed.volUnits, kVolumeUnitNames.size());
    f.area = AmountText(s.boomed.area);
    f.areaUnit = CodeIndex(s.boomed.areaUnits, kAreaUnitNames.size());
    return f;
}

CheckResult ContainedRules::Check(const ContainedForm& form) const {
    const int volumeUnit = ClampIndex(form.volumeUnit, kVolumeUnitNames.size());
    const int areaUnit = ClampIndex(form.areaUnit, kAreaUnitNames.size());
    const double area = LeadingDecimal(form.area);
    if (IsBlank(form.amount)) return ContainedRefusal(kEnterAmountText);
    if (IsBlank(form.area)) return ContainedRefusal(kEnterAreaText);
    const AreaLimit& limit = kAreaLimits[static_cast<std::size_t>(areaUnit)];
    if (area < limit.min || area > limit.max) return ContainedRefusal(limit.text);
    const double thickness = ConvertVolumeToCubicMeters(LeadingDecimal(form.amount), volumeUnit) /
                             ConvertAreaToSquareMeters(area, areaUnit);  // m
    if (thickness < 0.0001) return ContainedRefusal(kThinnerText);
    if (thickness > 0.2) return ContainedRefusal(kThickerText);
    return {};
}

CheckResult ContainedRules::Ok(const ContainedForm& form) {
    if (CheckResult r = Check(form); !r.ok()) return r;
    const std::optional<double> amount = platform::ReadNumber(form.amount);
    const std::optional<double> area = platform::ReadNumber(form.area);
    if (!amount || !area) return NotANumber();
    document::Scenario& s = doc_.scenario;
    s.boomed.vol = *amount;
    s.boomed.volUnits = ClampIndex(form.volumeUnit, kVolumeUnitNames.size()) + 1;
    s.boomed.area = *area;
    s.boomed.areaUnits = ClampIndex(form.areaUnit, kAreaUnitNames.size()) + 1;
    s.ContainedTime = ReleaseTime(form.time, doc_);
    s.boomed.flag = 1;
    return {};
}

}  // namespace ui
