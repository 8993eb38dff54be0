#include "ui/inputs/rules/WindWaveRules.h"

#include <algorithm>
#include <optional>
#include <string>

#include "platform/NumText.h"
#include "platform/TimeText.h"
#include "ui/inputs/rules/InputTexts.h"

namespace ui {

namespace {

CheckResult Problem(const char* text) { return CheckResult::Refuse(std::string(kHeaderProblemDot) + text); }
CheckResult Missing(const char* text) { return CheckResult::Refuse(std::string(kHeaderMissing) + text); }

CheckResult SpeedRange(int s, int low, int high, const char* unit) {
    if (s < low)
        return Problem(("Sorry, TAVRO does not support wind speeds less than " + std::to_string(low) + " " + unit +
                        ".\nPlease enter a larger value.")
                           .c_str());
    if (s > high)
        return Problem(("Sorry, TAVRO does not support wind speeds greater than " + std::to_string(high) + " " +
                        unit + ".\nPlease enter a smaller value.")
                           .c_str());
    return {};
}

// A wave height that passed its check; none for an empty field.
double WaveHeightOf(std::string_view text) {
    return IsBlank(text) ? model::MISSING_VALUE_D : platform::ReadNumber(text).value_or(model::MISSING_VALUE_D);
}

}  // namespace

CheckResult ValidateWindSpeed(int s, int unit) {
    if (s <= 0) return Missing(kWindSpeedMissingText);
    switch (unit) {
        case 0: return SpeedRange(s, 2, 77, "mph");
        case 1: return SpeedRange(s, 2, 68, "knots");
        default: return SpeedRange(s, 1, 35, "m/s");
    }
}

CheckResult ValidateWindDirection(int v) {
    if (v >= 0 && v <= 360) return {};
    if (v == -1) return Missing(kWindDirectionMissingText);
    return Problem(kWindDirectionUnreadableText);
}

CheckResult ValidateWaveHeight(std::string_view text, int unit, bool optional) {
    const bool empty = IsBlank(text);
    if (empty) return optional ? CheckResult{} : Missing(kWaveHeightMissingText);
    // The whole text is the number: "abc" is no calm sea and "2x" no 2 m.
    const std::optional<double> v = platform::ReadNumber(text);
    if (!v || *v < 0) return Problem(kWaveHeightUnreadableText);
    if (unit == 1 && *v > 50) return Problem(kWaveHeightFeetText);
    if (unit != 1 && *v > 15.5) return Problem(kWaveHeightMetersText);
    return {};
}

CheckResult ValidateWindRecord(int speed, int speedUnit, int direction, std::string_view wave, int waveUnit) {
    CheckResult r = ValidateWindSpeed(speed, speedUnit);
    if (r.ok()) r = ValidateWindDirection(direction);
    if (r.ok()) r = ValidateWaveHeight(wave, waveUnit, true);
    return r;
}

int WindDirectionValue(std::string_view text) { return IsBlank(text) ? -1 : ParseCompassDirection(text); }

WindWaveRules::WindWaveRules(document::SpillDocCore& doc) : doc_(doc), list_(doc.scenario.SpillTime, doc.Clock()) {}

WindWaveForm WindWaveRules::Load() {
    const document::Scenario& s = doc_.scenario;
    WindWaveForm f;
    f.variable = s.m_bVarWind != 0;
    f.speed = ShownAbove0(s.m_dWindSpeed);
    f.direction = ShownFrom0(s.m_dWindDirection);
    f.speedUnit = std::clamp(s.m_iWindSpeedUnit, 0, 2);
    f.waveChoice = std::clamp(s.m_iWaveHeightChooser, 0, 2);
    f.fetch = ShownAbove0(s.m_dFetch);
    f.fetchUnit = std::clamp(s.m_iFetchUnit, 0, 1);
    f.waveHeight = ShownAbove0(s.m_dWaveHeight);
    f.waveHeightUnit = std::clamp(s.m_iWaveHeightUnit, 0, 1);
    f.varSpeedUnit = std::clamp(s.m_iVarSpeedUnit, 0, 2);
    f.varWaveUnit = std::clamp(s.m_iVarWaveHeightUnit, 0, 1);

    // The entry fields start from the slot after the last record, a full
    // list from nothing at the spill time.
    const int next = s.m_iVarWindNumber;
    if (next >= 0 && next < kMaxWindRecords) {
        f.pick = document::PickOf(s.m_tVarWindTime[next], doc_.Clock());
        f.varSpeed = ShownAbove0(s.m_dVarWindSpeed[next]);
        f.varDirection = ShownFrom0(s.m_dVarWindDirection[next]);
        f.varWave = ShownFrom0(s.m_dVarWaveHeight[next]);
    } else {
        f.pick = document::PickOf(s.SpillTime, doc_.Clock());
    }

    list_.Load(s);
    Relabel(f);
    SetMode(f, f.variable);
    return f;
}

CheckResult WindWaveRules::Add(WindWaveForm& form) {
    const platform::IClock& clock = doc_.Clock();
    const int year = RecordYear(form.pick, doc_.scenario.SpillTime, clock);
    const document::Time t = document::PickTime(form.pick, year, clock);
    const document::TimePick pick = document::PickOf(t, clock);  // February 30 is a day of March

    const int speed = platform::LeadingInt(form.varSpeed, 0);
    CheckResult r =
        ValidateWindRecord(speed, form.varSpeedUnit, WindDirectionValue(form.varDirection), form.varWave, form.varWaveUnit);
    if (!r.ok()) return r;

    if (const int same = list_.Find(pick); same >= 0) {
        const std::string question = platform::FormatTime(clock.Local(static_cast<std::time_t>(t)), kReplaceWindQuestion);
        if (doc_.Messages().Show(question, platform::MsgIcon::Question, platform::MsgButtons::YesNo) !=
            platform::MsgResult::Yes)
            return {};
        list_.Remove(static_cast<std::size_t>(same));
    } else if (list_.Size() >= static_cast<std::size_t>(kMaxWindRecords)) {
        return CheckResult::Refuse(kTooManyWindRecordsText);
    }

    WindRow row;
    row.pick = pick;
    row.speed = speed;
    row.direction = std::string(platform::TrimBlanks(form.varDirection));
    row.wave = WaveHeightOf(form.varWave);
    list_.Insert(std::move(row));
    if (form.autoIncrement) form.pick = NextHour(pick, year);
    return {};
}

void WindWaveRules::Remove(int row) {
    if (row >= 0) list_.Remove(static_cast<std::size_t>(row));
}

void WindWaveRules::CopyRow(int row, WindWaveForm& form) {
    if (row < 0 || static_cast<std::size_t>(row) >= list_.Size()) return;
    const WindRow& r = list_.Row(static_cast<std::size_t>(row));
    form.pick = r.pick;
    form.varSpeed = std::to_string(r.speed);
    form.varDirection = r.direction;
    form.varWave = ShownFrom0(r.wave);
    FollowTyped(form);
}

int WindWaveRules::ModeSpeed(const WindWaveForm& form) const {
    return form.variable ? platform::LeadingInt(form.varSpeed, 0) : platform::WholeInt(form.speed).value_or(0);
}

void WindWaveRules::Follow(const WindWaveForm& form, bool always) {
    const int speed = ModeSpeed(form);
    const int direction = ParseCompassDirection(form.variable ? form.varDirection : form.direction);
    WindArrow& arrow = arrows_[form.variable ? 1 : 0];
    if (speed >= 0 && direction >= 0 && speed <= kArrowFollowLimit)
        arrow = ArrowFor(speed, direction);
    else if (always)
        arrow = ArrowFor(0, 0);
}

void WindWaveRules::SetMode(WindWaveForm& form, bool variable) {
    form.variable = variable;
    Follow(form, true);
}

void WindWaveRules::FollowTyped(const WindWaveForm& form) { Follow(form, false); }

bool WindWaveRules::Click(WindWaveForm& form, platform::Point offset) {
    const std::optional<WindClick> click = WindClickAt(offset);
    if (!click) return false;
    arrows_[form.variable ? 1 : 0] = click->arrow;
    (form.variable ? form.varSpeed : form.speed) = std::to_string(click->speed);
    (form.variable ? form.varDirection : form.direction) = std::to_string(click->direction);
    return true;
}

CheckResult WindWaveRules::ValidateInput(const WindWaveForm& form) const {
    if (form.variable) return list_.Size() < 1 ? Missing(kNoWindDataText) : CheckResult{};
    if (form.waveChoice == 1 && platform::WholeInt(form.fetch).value_or(0) < 1) return Problem(kMinimumFetchText);
    CheckResult r = ValidateWindSpeed(platform::WholeInt(form.speed).value_or(0), form.speedUnit);
    if (r.ok()) r = ValidateWindDirection(WindDirectionValue(form.direction));
    if (r.ok() && form.waveChoice == 2) r = ValidateWaveHeight(form.waveHeight, form.waveHeightUnit, false);
    return r;
}

CheckResult WindWaveRules::Ok(const WindWaveForm& form) {
    CheckResult r = ValidateInput(form);
    if (!r.ok()) return r;
    document::Scenario& s = doc_.scenario;
    s.m_bVarWind = form.variable ? 1 : 0;
    list_.Export(s);
    s.m_iWindSpeedUnit = form.speedUnit;
    s.m_iFetchUnit = form.fetchUnit;
    s.m_iWaveHeightUnit = form.waveHeightUnit;
    s.m_iVarSpeedUnit = form.varSpeedUnit;
    s.m_iVarWaveHeightUnit = form.varWaveUnit;
    s.m_iWaveHeightChooser = form.waveChoice;
    if (!form.variable) {
        s.m_dWindSpeed = platform::WholeInt(form.speed).value_or(0);
        s.m_dWindDirection = ParseCompassDirection(form.direction);
        s.m_dFetch = form.waveChoice == 1 ? platform::WholeInt(form.fetch).value_or(0) : 0;
        s.m_dWaveHeight = form.waveChoice == 2 ? WaveHeightOf(form.waveHeight) : model::MISSING_VALUE_D;
    }
    doc_.session.m_bChanged[document::ChangedWindWave] = 1;
    return r;
}

}  // namespace ui
