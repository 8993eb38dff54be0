#include "ui/inputs/rules/ReleaseRules.h"

#include <algorithm>
#include <climits>
#include <cstdint>

#include "document/Derive.h"
#include "platform/NumText.h"
#include "platform/TimeText.h"
#include "document/TimePick.h"
#include "ui/inputs/rules/ReleaseUnits.h"

namespace ui {

using document::Time;
using model::MAX_HOURS;
using model::MISSING_VALUE;
using platform::Format;
using platform::MsgIcon;

namespace {

// The kinds in the order OK visits them.
constexpr std::array<ReleaseKind, 4> kOkOrder{ReleaseKind::Contained, ReleaseKind::Instantaneous,
                                              ReleaseKind::Continuous, ReleaseKind::Tank};
// The kinds a December/January mix is made of.
constexpr std::array<ReleaseKind, 3> kCombinable{ReleaseKind::Instantaneous, ReleaseKind::Continuous,
                                                 ReleaseKind::Tank};

template <std::size_t N>
const char* NameAt(const std::array<const char*, N>& names, int index) {
    return names[static_cast<std::size_t>(ClampIndex(index, N))];
}

int ClampedHour(std::int64_t hour) { return static_cast<int>(std::clamp<std::int64_t>(hour, INT_MIN / 2, INT_MAX / 2)); }

// The last release hour of the continuous release (inclusive), as the
// derivation reads it.
int ContinuousEndHour(const document::Scenario& s) {
    const std::int64_t hours = static_cast<std::int64_t>(s.cont.duration) * (s.cont.durationUnits != 0 ? 24 : 1);
    return ClampedHour(s.continuous.startHour + hours - 1);
}

std::string Titled(const char* title, const char* text) { return std::string(title) + "\n\n" + text; }

constexpr const char* kWindsNotCovering = "Winds do not cover release time";
constexpr const char* kInstantIgnored = "Instantaneous release will be ignored";
constexpr const char* kTankIgnored = "Leaking Tank release will be ignored";
constexpr const char* kContinuousIgnored = "Continuous release will be ignored";
constexpr const char* kContinuousTruncated = "Continuous release will be truncated";

}  // namespace

ReleaseRules::ReleaseRules(document::SpillDocCore& doc, IReleaseSetup& setup) : doc_(doc), setup_(setup) {}

ReleaseRules::Record ReleaseRules::RecordOf(ReleaseKind kind) {
    document::Scenario& s = doc_.scenario;
    switch (kind) {
        case ReleaseKind::Instantaneous: return {s.instant.flag, s.instant.startHour, s.InstantaneousTime};
        case ReleaseKind::Continuous: return {s.continuous.flag, s.continuous.startHour, s.ContinuousTime};
        case ReleaseKind::Tank: return {s.tank.flag, s.tank.startHour, s.TankTime};
        case ReleaseKind::Contained: break;
    }
    return {s.boomed.flag, s.boomed.startHour, s.ContainedTime};
}

void ReleaseRules::Load() {
    opened_ = doc_.scenario;
    for (ReleaseKind kind : kReleaseKinds) checked_[Index(kind)] = RecordOf(kind).flag != 0;
}

std::string ReleaseRules::Description(ReleaseKind kind) const {
    const document::Scenario& s = doc_.scenario;
    const auto when = [&](Time t, const char* format) { return platform::FormatTime(doc_.Clock().Local(t), format); };
    switch (kind) {
        case ReleaseKind::Instantaneous:
            if (!s.instant.flag) return "Oil is spilled in an hour or less.";
            return Format("%.0f %s ", s.instant.vol, NameAt(kVolumeUnitNames, s.instant.volUnits - 1)) +
                   when(s.InstantaneousTime, "on %B %d, %H%M hours");
        case ReleaseKind::Continuous: {
            if (!s.continuous.flag) return "Oil is spilled into the water over a given duration";
            const document::ContinuousVars& v = s.cont;
            std::string amount;
            switch (v.spilledType) {
                case 1: amount = Format("%.0f %s ", v.rate, NameAt(kRateUnitNames, v.rateUnits1)); break;
                case 2: amount = Format("%.0f to %.0f %s ", v.startRate, v.endRate, NameAt(kRateUnitNames, v.rateUnits2)); break;
                default:
                    amount = Format("%.0f %s ", v.amount, NameAt(kVolumeUnitNames, v.amountUnits));
                    break;
            }
            return amount + when(s.ContinuousTime, "starting %B %d, %H%M hours");
        }
        case ReleaseKind::Tank:
            if (!s.tank.flag) return "Oil is spilled into the water based on tank parameters.";
            return when(s.TankTime, "Tank starts leaking on %B %d, %H%M hours");
        case ReleaseKind::Contained:
            break;
    }
    if (!s.boomed.flag) return "All the oil is spilled into a contained area at once";
    return Format("%.1f %s into %.0f %s ", s.boomed.vol, NameAt(kVolumeUnitNames, s.boomed.volUnits - 1), s.boomed.area,
                  NameAt(kAreaUnitNames, s.boomed.areaUnits - 1)) +
           when(s.ContainedTime, "on %B %d, %H%M hours");
}

void ReleaseRules::BoxClicked(ReleaseKind kind) {
    checked_[Index(kind)] = false;
    if (int& flag = RecordOf(kind).flag) {
        flag = 0;
        return;
    }
    Setup(kind);
}

void ReleaseRules::Setup(ReleaseKind kind) {
    if (!setup_.Available(kind) || !setup_.Run(kind, doc_)) return;
    checked_[Index(kind)] = true;
    if (kind == ReleaseKind::Contained) {
        for (ReleaseKind other : kCombinable) {
            RecordOf(other).flag = 0;
            checked_[Index(other)] = false;
        }
    } else {
        RecordOf(ReleaseKind::Contained).flag = 0;
        checked_[Index(ReleaseKind::Contained)] = false;
    }
}

// Every combinable release is first put back in the spill time's local
// year, as its set-up dialog builds it, keeping its civil date and hour (and
// any minutes a file gave it). Then, when they are all in December or
// January, with at least one of each, the January ones belong to the next
// year. So the move is made once whatever the releases were before (a
// second OK or a later opening moves nothing further), and it is undone
// when the mix is gone.
void ReleaseRules::MoveJanuaryReleases() {
    const platform::IClock& clock = doc_.Clock();
    const int year = document::LocalYear(doc_.scenario.SpillTime, clock);
    const auto inYear = [&](Time t, int y) {
        const std::tm local = clock.Local(t);
        return document::PickTime(document::PickOf(t, clock), y, clock) + local.tm_min * 60 + local.tm_sec;
    };
    bool january = false, december = false, other = false;
    for (ReleaseKind kind : kCombinable) {
        const Record r = RecordOf(kind);
        if (!r.flag) continue;
        if (document::LocalYear(r.time, clock) != year) r.time = inYear(r.time, year);
        const int month = clock.Local(r.time).tm_mon + 1;
        january |= month == 1;
        december |= month == 12;
        other |= month != 1 && month != 12;
    }
    if (!january || !december || other) return;
    for (ReleaseKind kind : kCombinable)
        if (const Record r = RecordOf(kind); r.flag && clock.Local(r.time).tm_mon == 0) r.time = inYear(r.time, year + 1);
}

std::optional<std::string> ReleaseRules::WindProblem() const {
    const document::Scenario& s = doc_.scenario;
    if (!s.m_bVarWind || s.m_iVarWindNumber <= 0) return std::nullopt;
    const int n = std::min(s.m_iVarWindNumber, MAX_HOURS);
    const auto [first, last] = std::minmax_element(s.m_tVarWindTime, s.m_tVarWindTime + n);
    std::optional<std::string> text;
    if (document::HoursBetween(*first, s.SpillTime) < 0)
        text = Titled(kWindsNotCovering,
                      "The first release of oil is scheduled to occur before the first inputed wind. TAVRO needs "
                      "to know the winds at the time of the first release.");
    if (document::HoursBetween(s.SpillTime, *last) < 0)
        text = Titled(kWindsNotCovering,
                      "The first release of oil is scheduled to occur after the last inputed wind. TAVRO needs to "
                      "know the winds at the time of the release.");
    if (text) return text;

    const std::int64_t windHours = document::HoursBetween(s.SpillTime, *last) + 1;
    if (s.instant.startHour > windHours)
        return Titled(kInstantIgnored,
                      "The instantaneous release is scheduled to occur after the wind data ends. It will not be "
                      "included in the calculations.");
    if (s.tank.startHour > windHours)
        return Titled(kTankIgnored,
                      "The leaking tank release is scheduled to occur after the wind data ends. It will not be "
                      "included in the calculations.");
    if (s.continuous.startHour > windHours)
        return Titled(kContinuousIgnored,
                      "The continuous release is scheduled to occur after the wind data ends. It will not be "
                      "included in the calculations.");
    if (s.continuous.flag && s.continuous.endHour > windHours)
        return Titled(kContinuousTruncated,
                      "The continuous release has a scheduled duration after the time that the wind data ends.");
    return std::nullopt;
}

std::optional<std::string> ReleaseRules::HorizonProblem() const {
    const document::Scenario& s = doc_.scenario;
    constexpr const char* kLimit =
        " greater than 120 hours after the first release of oil, exceeding TAVRO's 5 day limit. Any oil spilled 120 "
        "hours or more after the first release will not be included in the calculations.";
    if (s.instant.startHour > MAX_HOURS)
        return Titled(kInstantIgnored, "The instantaneous release is scheduled to occur") + kLimit;
    if (s.tank.startHour > MAX_HOURS)
        return Titled(kTankIgnored, "The leaking tank release is scheduled to occur") + kLimit;
    if (s.continuous.startHour > MAX_HOURS)
        return Titled(kContinuousIgnored, "The continuous release is scheduled to occur") + kLimit;
    if (s.continuous.flag && s.continuous.endHour > MAX_HOURS)
        return std::string(document::kTruncationWarning);
    return std::nullopt;
}

CheckResult ReleaseRules::Ok() {
    document::Scenario& s = doc_.scenario;
    for (ReleaseKind kind : kReleaseKinds) {
        const Record r = RecordOf(kind);
        r.flag = 0;
        r.startHour = MISSING_VALUE;
    }
    if (Checked(ReleaseKind::Contained)) {
        RecordOf(ReleaseKind::Contained).flag = 1;
    } else {
        for (ReleaseKind kind : kCombinable)
            if (Checked(kind)) RecordOf(kind).flag = 1;
    }
    MoveJanuaryReleases();

    std::optional<Time> first;
    for (ReleaseKind kind : kOkOrder)
        if (const Record r = RecordOf(kind); r.flag && (!first || r.time < *first)) first = r.time;
    if (!first) return CheckResult::Refuse(kSelectReleaseText, MsgIcon::Exclamation);
    s.SpillTime = *first;
    for (ReleaseKind kind : kOkOrder)
        if (const Record r = RecordOf(kind); r.flag) r.startHour = document::StartHourOf(s, r.time);
    if (s.continuous.flag) s.continuous.endHour = ContinuousEndHour(s);

    std::optional<std::string> problem = WindProblem();
    if (!problem) problem = HorizonProblem();
    if (problem) return CheckResult::Refuse(*problem, MsgIcon::Exclamation);
    doc_.session.m_bChanged[document::ChangedRelease] = 1;
    return {};
}

void ReleaseRules::Cancel() {
    if (opened_) doc_.scenario = *opened_;
}

}  // namespace ui
