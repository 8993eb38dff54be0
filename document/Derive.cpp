#include "document/Derive.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <vector>

#include "model/UnitConversion.h"
#include "platform/NumText.h"

namespace document {

using model::MAX_HOURS;
using model::MISSING_VALUE;
using model::MISSING_VALUE_D;

int StartHourOf(const Scenario& s, Time t) {
    std::int64_t h = HoursBetween(s.SpillTime, t) + 1;
    return static_cast<int>(std::clamp<std::int64_t>(h, INT_MIN / 2, INT_MAX / 2));
}

namespace {
// Release hours of the continuous dialog's duration, within the model's
// five days.
int ContinuousHours(const ContinuousVars& v) {
    return v.durationUnits == 0 ? std::min(v.duration, MAX_HOURS) : std::min(v.duration, 5) * 24;
}

// The last release hour (inclusive, counted from the spill time) of a
// continuous release of `hours` hours from `startHour`.
int ContinuousEndHour(int startHour, int hours) {
    const int start = std::clamp(startHour, 1, MAX_HOURS);
    return std::min(start + hours - 1, MAX_HOURS);
}
}  // namespace

bool DeriveContinuous(Scenario& s) {
    if (!s.continuous.flag) return false;
    ContinuousVars& v = s.cont;
    if (v.duration <= 0) return false;

    double factor = 1.0;
    double step = 1.0;
    int hours;
    if (v.durationUnits == 0) {
        if (v.duration > MAX_HOURS) {
            factor = v.duration / 120.0;
            step = (v.duration - 1) / 119.0;
            v.duration = MAX_HOURS;
        }
        hours = v.duration;
    } else {
        if (v.duration > 5) {
            factor = v.duration / 5.0;
            step = (v.duration - 1) / 4.0;
            v.duration = 5;
        }
        hours = v.duration * 24;
    }
    const bool truncated = factor > 1.0;

    // The model reads endHour as the last release hour counted from the
    // spill time, inclusive.
    s.continuous.endHour = ContinuousEndHour(s.continuous.startHour, hours);

    switch (v.spilledType) {
        case 0:
            if (truncated) v.amount = v.amount / factor;
            s.continuous.startRate = s.continuous.endRate = v.amount / hours;
            s.continuous.rateUnits = v.amountUnits + 1;
            break;
        case 1:
            s.continuous.startRate = s.continuous.endRate = v.rate;
            s.continuous.rateUnits = v.rateUnits1 + 1;
            break;
        case 2:
            if (truncated) v.endRate = v.startRate + (v.endRate - v.startRate) / step;
            s.continuous.startRate = v.startRate;
            s.continuous.endRate = v.endRate;
            s.continuous.rateUnits = v.rateUnits2 + 1;
            break;
        default:
            break;
    }
    return truncated;
}

void FillWaveHeights(double* waveHt, int num) {
    std::vector<int> present;
    for (int i = 0; i < num; ++i)
        if (waveHt[i] > 0) present.push_back(i);
    if (present.empty()) {
        for (int i = 0; i < num; ++i) waveHt[i] = MISSING_VALUE_D;
        return;
    }
    std::size_t next = 0;  // first present index at or after i
    for (int i = 0; i < num; ++i) {
        while (next < present.size() && present[next] < i) ++next;
        if (next < present.size() && present[next] == i) continue;
        if (next == 0) {
            waveHt[i] = waveHt[present[0]];
        } else if (next == present.size()) {
            waveHt[i] = waveHt[present.back()];
        } else {
            const int before = present[next - 1], after = present[next];
            waveHt[i] = waveHt[before] + (waveHt[after] - waveHt[before]) * (i - before) /
                                             static_cast<double>(after - before);
        }
    }
}

WindResult DeriveWind(Scenario& s) {
    model::InputWindAndWave& w = s.wind;
    s.m_bWindAndWaveInputPassed = 0;
    if (!s.m_bVarWind) {
        w.num = MAX_HOURS;
        w.speedUnits = s.m_iWindSpeedUnit + 1;
        w.waveHtUnits = s.m_iWaveHeightUnit + 1;
        w.fetchUnits = s.m_iFetchUnit + 1;
        for (int i = 0; i < MAX_HOURS; ++i) {
            w.speed[i] = s.m_dWindSpeed;
            w.direction[i] = s.m_dWindDirection;
            w.waveHt[i] = s.m_dWaveHeight;
        }
        w.fetchN = w.fetchE = w.fetchS = w.fetchW = s.m_dFetch;
        s.m_bWindAndWaveInputPassed = 1;
        return WindResult::Entered;
    }

    w.speedUnits = s.m_iVarSpeedUnit + 1;
    w.waveHtUnits = s.m_iVarWaveHeightUnit + 1;
    w.fetchUnits = s.m_iVarFetchUnit + 1;
    w.fetchN = s.m_dFetchN;
    w.fetchE = s.m_dFetchE;
    w.fetchS = s.m_dFetchS;
    w.fetchW = s.m_dFetchW;
    for (int i = 0; i < MAX_HOURS; ++i) w.speed[i] = w.direction[i] = w.waveHt[i] = MISSING_VALUE_D;

    const int n = std::min(s.m_iVarWindNumber, MAX_HOURS);
    if (n <= 0) {
        w.num = 0;
        return WindResult::NoRecords;
    }
    // The records in time order (a copy: the dialog's list stays as entered).
    struct WindRecord {
        Time time;
        double speed, dir, wave;
    };
    std::vector<WindRecord> records;
    for (int i = 0; i < n; ++i)
        records.push_back(
            {s.m_tVarWindTime[i], s.m_dVarWindSpeed[i], s.m_dVarWindDirection[i], s.m_dVarWaveHeight[i]});
    std::stable_sort(records.begin(), records.end(),
                     [](const WindRecord& a, const WindRecord& b) { return a.time < b.time; });

    if (!s.m_bReleaseInputPassed) s.SpillTime = records.front().time;
    auto hourOf = [&](int i) { return HoursBetween(s.SpillTime, records[i].time); };
    if (hourOf(n - 1) < 0 || hourOf(0) > 0) {
        w.num = 0;
        return WindResult::NotCovered;
    }

    // Walk the hours with a cursor on the first record at or after the hour.
    int filled = MAX_HOURS;
    int next = 0;
    std::int64_t nextHour = hourOf(0);
    for (int hour = 0; hour < MAX_HOURS; ++hour) {
        while (nextHour < hour && next < n - 1) {
            ++next;
            nextHour = hourOf(next);
        }
        if (nextHour == hour) {
            w.speed[hour] = records[next].speed;
            w.direction[hour] = records[next].dir;
            w.waveHt[hour] = records[next].wave;
        } else if (nextHour < hour || next == 0) {
            filled = hour;  // past the last record
            break;
        } else {
            const WindRecord& before = records[next - 1];
            const WindRecord& after = records[next];
            const double beforeHour = static_cast<double>(hourOf(next - 1));
            const double frac = (hour - beforeHour) / (static_cast<double>(nextHour) - beforeHour);
            w.speed[hour] = before.speed + (after.speed - before.speed) * frac;
            // Directions along the shorter arc.
            double from = before.dir, to = after.dir;
            if (to - from > 180) from += 360;
            else if (from - to > 180) to += 360;
            double dir = from + (to - from) * frac;
            if (dir >= 360) dir -= 360;
            w.direction[hour] = dir;
            // The wave height of an hour between records is filled below.
        }
    }
    w.num = filled;
    FillWaveHeights(w.waveHt, w.num);
    s.m_bWindAndWaveInputPassed = 1;
    return WindResult::Entered;
}

void DeriveEmulsification(Scenario& s) {
    if (s.m_bEmulsDefault) {
        s.oil.bullwinkle = MISSING_VALUE_D;
        s.oil.bulltime = MISSING_VALUE_D;
    } else if (s.m_bEmulsBullwinkleDefined) {
        s.oil.bullwinkle = s.m_dEmulsValue / 100;
        s.oil.bulltime = MISSING_VALUE_D;
    } else {
        s.oil.bullwinkle = MISSING_VALUE_D;
        s.oil.bulltime = s.m_dEmulsValue;
    }
}

void DeriveDispersant(Scenario& s) {
    int n = 0;
    for (int p = 0; p < kPages; ++p) {
        if (!s.mDispersantPageUse[p]) continue;
        s.dispersant.startHour[n] = StartHourOf(s, s.DispersantTime[p]);
        s.dispersant.duration[n] = s.m_nDispersantDuration[p];
        s.dispersant.dispersed[n] = s.m_dDispersantDispersed[p];
        s.dispersant.sprayed[n] = s.m_dDispersantSprayed[p];
        ++n;
    }
    s.dispersant.num = n;
}

void DeriveBurn(Scenario& s) {
    int n = 0;
    for (int p = 0; p < kPages; ++p) {
        if (!s.mInSituBurnPageUse[p]) continue;
        s.burn.startHour[n] = StartHourOf(s, s.InSituBurnTime[p]);
        s.burn.areaUnits[n] = s.m_iAreaUnits[p] + 1;
        s.burn.thickUnits[n] = s.m_iThicknessUnits[p] + 1;
        s.burn.area[n] = s.m_dBurnArea[p];
        s.burn.thick[n] = s.m_dBurnThickness[p];
        ++n;
    }
    s.burn.num = n;
}

void DeriveSkimmer(Scenario& s) {
    int n = 0;
    for (int p = 0; p < kPages; ++p) {
        if (!s.mMechanicalPageUse[p]) continue;
        s.skimmer.startHour[n] = StartHourOf(s, s.SkimmerTime[p]);
        s.skimmer.duration[n] = s.m_nMechanicalDuration[p];
        s.skimmer.rateUnits[n] = s.m_iRecoveryUnits[p] + 1;
        s.skimmer.amountUnits[n] = s.m_iAmountUnits[p] + 1;
        // Only the chosen mode's value: the model takes a rate above 0
        // first, so a rate kept from before a switch to the amount would
        // stay in force.
        const bool rateMode = s.m_bMechanicalRateUse[p] != 0;
        s.skimmer.rate[n] = rateMode ? s.m_dMechanicalRate[p] : MISSING_VALUE_D;
        s.skimmer.amount[n] = rateMode ? MISSING_VALUE_D : s.m_dMechanicalAmount[p];
        ++n;
    }
    s.skimmer.num = n;
}

void SpreadBeaching(Scenario& s, const platform::IClock& clock) {
    std::tm tm = clock.Local(static_cast<std::time_t>(s.SpillTime));
    const int hourOfDay = std::clamp(tm.tm_hour, 0, 23);
    int start = 0;
    for (int day = 0; day < kBeachingDays; ++day) {
        const int length = day == 0 ? 24 - hourOfDay : 24;
        const int end = day == kBeachingDays - 1 ? MAX_HOURS : std::min(start + length, MAX_HOURS);
        const double amount = s.m_dBeachingAmount[day];
        const double perHour = amount > 0 ? amount / length : amount;
        for (int h = start; h < end; ++h) s.beached.vol[h] = perHour;
        start = end;
    }
}

void DeriveBeaching(Scenario& s, const platform::IClock& clock) {
    s.beached.volUnits = s.m_iBeachingUnits + 1;
    SpreadBeaching(s, clock);
}

namespace {
// The start hours of a compacted record again from its pages' times, when
// every entry still holds the values of the page it was made from: then
// only a moved spill time moves them. A record that is not its pages' (a
// file saved after a sheet was cancelled, which left the pages as they
// were typed) keeps its hours, so no entry runs at another page's time.
template <class Record, class SameEntry>
void RederiveStarts(Record& record, const Record& fromPages, SameEntry same) {
    if (record.num != fromPages.num) return;
    for (int k = 0; k < record.num; ++k)
        if (!same(record, fromPages, k)) return;
    std::copy_n(fromPages.startHour, record.num, record.startHour);
}

bool SameSpray(const model::InputDispersant& a, const model::InputDispersant& b, int k) {
    return a.duration[k] == b.duration[k] && a.dispersed[k] == b.dispersed[k] && a.sprayed[k] == b.sprayed[k];
}

bool SameBurn(const model::InputBurn& a, const model::InputBurn& b, int k) {
    return a.areaUnits[k] == b.areaUnits[k] && a.thickUnits[k] == b.thickUnits[k] && a.area[k] == b.area[k] &&
           a.thick[k] == b.thick[k];
}

// fromPages holds only the chosen mode's value; a record of the earlier
// program holds both.
bool SameCleanup(const model::InputSkimmer& record, const model::InputSkimmer& fromPages, int k) {
    const bool rateMode = fromPages.rate[k] != MISSING_VALUE_D;
    return record.duration[k] == fromPages.duration[k] && record.rateUnits[k] == fromPages.rateUnits[k] &&
           record.amountUnits[k] == fromPages.amountUnits[k] &&
           (rateMode ? record.rate[k] == fromPages.rate[k] : record.amount[k] == fromPages.amount[k]);
}
}  // namespace

void RederiveContinuousHours(Scenario& s) {
    if (!s.continuous.flag || s.cont.duration <= 0) return;
    // The spill time is the earliest release: a release time before it
    // (a damaged file) starts at hour 1.
    s.continuous.startHour = std::max(StartHourOf(s, s.ContinuousTime), 1);
    s.continuous.endHour = ContinuousEndHour(s.continuous.startHour, ContinuousHours(s.cont));
}

void RederiveTimedRecords(Scenario& s, const platform::IClock& clock) {
    RederiveContinuousHours(s);
    Scenario fromPages = s;
    DeriveDispersant(fromPages);
    DeriveBurn(fromPages);
    DeriveSkimmer(fromPages);
    RederiveStarts(s.dispersant, fromPages.dispersant, SameSpray);
    RederiveStarts(s.burn, fromPages.burn, SameBurn);
    RederiveStarts(s.skimmer, fromPages.skimmer, SameCleanup);
    // Only once the beaching dialog was confirmed (it sets a unit code).
    if (s.beached.volUnits != 0) SpreadBeaching(s, clock);
}

std::string MissingInputsText(const Scenario& s) {
    std::string lines;
    if (!s.m_bOilInputPassed) lines += "  - select an oil\n";
    if (!s.m_bWindAndWaveInputPassed) lines += "  - enter wind speed,\n";
    if (!s.m_bWaterInputPassed) lines += "  - enter a water temperature\n";
    if (!s.m_bReleaseInputPassed) lines += "  - enter release information\n";
    if (lines.empty()) return {};
    return " ERROR!  Please\n" + lines;
}

namespace {
struct ParsedPourPoint {
    int celsius;     // the pour point the check compares with
    int fahrenheit;  // shown when the water is in deg F
};

// The pour-point texts of the oil dialogs: "<n> deg C", "<a> to <b> deg C",
// "less than <n> deg C", "greater than <n> deg C", "deg F" forms, "unknown".
std::optional<ParsedPourPoint> ParsePourPoint(const std::string& text) {
    std::string_view t = text;
    while (!t.empty() && t.front() == ' ') t.remove_prefix(1);
    // Only known to be below the number: the water cannot be shown colder.
    if (t.starts_with("less than ")) return std::nullopt;
    if (t.starts_with("greater than ")) t.remove_prefix(13);
    int value = 0;
    if (!platform::ScanInt(t, value)) return std::nullopt;
    if (value < -100000 || value > 100000) return std::nullopt;  // no pour point of any oil
    const bool inF = text.find("deg F") != std::string::npos;
    if (inF) {
        int c = static_cast<int>(std::floor((value - 32) * 5.0 / 9.0 + 0.5));
        return ParsedPourPoint{c, value};
    }
    int f = static_cast<int>(std::floor(value * 9.0 / 5.0 + 32 + 0.5));
    return ParsedPourPoint{value, f};
}
}  // namespace

std::optional<std::string> PourPointWarning(const Scenario& s) {
    if (s.PourPoint == "unknown") return std::nullopt;
    std::optional<ParsedPourPoint> pp = ParsePourPoint(s.PourPoint);
    if (!pp) return std::nullopt;
    const double entered = s.water.temperature;
    if (!std::isfinite(entered) || std::fabs(entered) > 1e6) return std::nullopt;
    const bool waterF = s.water.tempUnits == model::WTEMP_F;
    int water = static_cast<int>(entered);  // truncated toward zero
    if (waterF) water = static_cast<int>(std::floor((water - 32) * 5.0 / 9.0 + 0.5));
    if (water >= pp->celsius) return std::nullopt;

    std::string text = "Temperature colder than pour point.\n\n";
    text += "The water temperature that you entered, ";
    text += platform::Format("%.0f deg %s", entered, waterF ? "F" : "C");
    text += ",\nis below the selected oil's minimum pour point\ntemperature, ";
    if (waterF) text += platform::Format("%d deg F (%s)", pp->fahrenheit, s.PourPoint.c_str());
    else text += s.PourPoint;
    text += ".\nTAVRO calculations may be unreliable.";
    return text;
}

int BudgetUnitFor(int volUnits, int current) {
    switch (volUnits) {
        case model::RVOL_BBL: return model::AMOUNT_BBL;
        case model::RVOL_GAL: return model::AMOUNT_GAL;
        case model::RVOL_CUM: return model::AMOUNT_CUM;
        case model::RVOL_TONS: return model::AMOUNT_TONS;
        case model::RVOL_TONNES: return model::AMOUNT_TONNES;
        default: return current;
    }
}

}  // namespace document
