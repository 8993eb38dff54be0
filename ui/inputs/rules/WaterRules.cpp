#include "ui/inputs/rules/WaterRules.h"

#include <algorithm>
#include <optional>

#include "platform/NumText.h"
#include "ui/inputs/rules/Compass.h"
#include "ui/inputs/rules/InputTexts.h"

namespace ui {

namespace {

std::string ShownSet(double v) { return v == model::MISSING_VALUE_D ? std::string() : platform::FormatG15(v); }

// The preset that holds exactly v (unset: fallback), else "Other Value...".
int PresetOf(double v, const double (&presets)[3], int fallback) {
    if (v == model::MISSING_VALUE_D) return fallback;
    for (int i = 0; i < 3; ++i)
        if (v == presets[i]) return i;
    return kOtherValue;
}

// The group's check: a number between low and high when "Other Value..."
// is chosen, judged on the decimal OK stores (-0.5 and 42.1 are out).
const char* RangeCheck(int choice, const std::string& text, double low, double high, const char* missing,
                       const char* range) {
    if (choice != kOtherValue) return nullptr;
    if (IsBlank(text)) return missing;
    const double v = platform::LeadingDecimal(text);
    return v < low || v > high ? range : nullptr;
}

}  // namespace

WaterForm WaterRules::Load() {
    const model::InputWater& w = doc_.scenario.water;
    WaterForm f;
    f.temperature = ShownSet(w.temperature);
    f.temperatureUnit = std::clamp(w.tempUnits - 1, 0, 1);
    f.salinityChoice = PresetOf(w.salinity, kSalinityPresets, 2);
    f.salinity = ShownSet(w.salinity);
    f.sedimentChoice = PresetOf(w.sediment, kSedimentPresets, 0);
    f.sediment = ShownSet(w.sediment);
    f.speed = ShownSet(w.speed);
    f.speedUnit = std::clamp(w.speedUnits - 1, 0, 2);
    f.direction = ShownSet(w.direction);
    end_ = CurrentEnd(w.speed, w.direction).value_or(platform::Point{});
    return f;
}

void WaterRules::FollowTyped(const WaterForm& form) {
    if (const auto end = CurrentEnd(platform::LeadingDecimal(form.speed), ParseCompassDirection(form.direction)))
        end_ = *end;
}

bool WaterRules::Click(WaterForm& form, platform::Point offset) {
    const std::optional<CurrentClick> click = CurrentClickAt(offset);
    if (!click) return false;
    end_ = click->end;
    form.speed = click->speed;
    form.direction = click->direction;
    return true;
}

CheckResult WaterRules::ValidateInput(const WaterForm& form) const {
    std::string text = kHeaderProblem;
    bool failed = false;
    auto add = [&](const char* fragment) {
        if (!fragment) return;
        text += fragment;
        failed = true;
    };

    const char* temperature = nullptr;
    if (IsBlank(form.temperature)) {
        temperature = kWaterTempMissingText;
    } else if (form.temperatureUnit == 0) {
        const int t = platform::LeadingInt(form.temperature, 0);
        if (t <= 31) temperature = kWaterFreezingText;
        else if (t > 104) temperature = kWaterAbove104FText;
    } else {
        // Below 0 deg C freezes as below 32 deg F does.
        if (platform::LeadingDecimal(form.temperature) < 0) temperature = kWaterFreezingText;
        else if (platform::LeadingInt(form.temperature, 0) > 40) temperature = kWaterAbove40CText;
    }
    add(temperature);
    add(RangeCheck(form.salinityChoice, form.salinity, 0, 42, kSalinityMissingText, kSalinityRangeText));
    add(RangeCheck(form.sedimentChoice, form.sediment, 0, 1000, kSedimentMissingText, kSedimentRangeText));

    const int speed = platform::LeadingInt(form.speed, 0);
    const char* current = nullptr;
    if (form.speedUnit == 0 && speed > 5) current = kCurrentMphText;
    else if (form.speedUnit == 1 && speed > 5) current = kCurrentKnotsText;
    else if (form.speedUnit == 2 && speed > 3) current = kCurrentMpsText;
    else if (!IsBlank(form.speed) && ParseCompassDirection(form.direction) > 360) current = kCurrentDirectionText;
    add(current);

    return failed ? CheckResult::Refuse(text) : CheckResult{};
}

CheckResult WaterRules::Ok(const WaterForm& form) {
    refused_.reset();
    CheckResult r = ValidateInput(form);
    if (!r.ok()) return r;
    // A field that passed its check but is no number is refused as such,
    // the first of them named for the view.
    const std::optional<double> temperature = platform::ReadNumber(form.temperature);
    const std::optional<double> salinity = form.salinityChoice == kOtherValue
                                               ? platform::ReadNumber(form.salinity)
                                               : kSalinityPresets[std::clamp(form.salinityChoice, 0, 2)];
    const std::optional<double> sediment = form.sedimentChoice == kOtherValue
                                               ? platform::ReadNumber(form.sediment)
                                               : kSedimentPresets[std::clamp(form.sedimentChoice, 0, 2)];
    const std::optional<double> speed = IsBlank(form.speed) ? 0.0 : platform::ReadNumber(form.speed);
    if (!temperature) refused_ = WaterField::Temperature;
    else if (!salinity) refused_ = WaterField::Salinity;
    else if (!sediment) refused_ = WaterField::Sediment;
    else if (!speed) refused_ = WaterField::Speed;
    if (refused_) return CheckResult::Refuse(platform::kEnterNumberText);

    model::InputWater& w = doc_.scenario.water;
    w.temperature = *temperature;
    w.tempUnits = form.temperatureUnit + 1;
    w.salinity = *salinity;
    w.sediment = *sediment;
    w.speed = *speed;
    w.speedUnits = form.speedUnit + 1;
    w.direction = IsBlank(form.direction) ? 0 : ParseCompassDirection(form.direction);
    return r;
}

}  // namespace ui
