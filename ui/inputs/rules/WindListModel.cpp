#include "ui/inputs/rules/WindListModel.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "platform/NumText.h"
#include "ui/inputs/rules/Compass.h"

namespace ui {

namespace {

constexpr const char* kSpeedSuffixes[] = {" mph", " kts", " m/s"};
constexpr const char* kWaveSuffixes[] = {" m", " ft"};

bool IsLeap(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysIn(int month0, int year) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month0 == 1 && IsLeap(year) ? 29 : kDays[month0];
}

const char* Suffix(const char* const* suffixes, int count, int unit) { return suffixes[std::clamp(unit, 0, count - 1)]; }

}  // namespace

int RecordYear(const document::TimePick& pick, document::Time spill, const platform::IClock& clock) {
    const int year = clock.Local(static_cast<std::time_t>(spill)).tm_year + 1900;
    int best = year;
    long long bestDistance = -1;
    for (const int y : {year, year - 1, year + 1}) {
        const long long distance = std::llabs(static_cast<long long>(document::PickTime(pick, y, clock)) - spill);
        if (bestDistance < 0 || distance < bestDistance) {
            best = y;
            bestDistance = distance;
        }
    }
    return best;
}

document::Time RecordTime(const document::TimePick& pick, document::Time spill, const platform::IClock& clock) {
    return document::PickTime(pick, RecordYear(pick, spill, clock), clock);
}

document::TimePick NextHour(const document::TimePick& pick, int year) {
    document::TimePick next = pick;
    if (++next.hour < 24) return next;
    next.hour = 0;
    if (++next.day0 < DaysIn(std::clamp(next.month0, 0, 11), year)) return next;
    next.day0 = 0;
    next.month0 = (next.month0 + 1) % 12;
    return next;
}

void WindListModel::Load(const document::Scenario& s) {
    rows_.clear();
    const int n = std::clamp(s.m_iVarWindNumber, 0, kMaxWindRecords);
    for (int i = 0; i < n; ++i) {
        WindRow row;
        row.pick = document::PickOf(s.m_tVarWindTime[i], *clock_);
        row.speed = static_cast<int>(std::lround(std::clamp(s.m_dVarWindSpeed[i], -1e9, 1e9)));
        row.direction = platform::Format("%.0f", s.m_dVarWindDirection[i]);
        row.wave = s.m_dVarWaveHeight[i];
        Insert(std::move(row));
    }
}

std::string WindListModel::Text(std::size_t row, int column) const {
    const WindRow& r = rows_[row];
    switch (column) {
        case 0: return platform::Format("%02d/%02d", r.pick.month0 + 1, r.pick.day0 + 1);
        case 1: return platform::Format("%02d:00", r.pick.hour);
        case 2: return platform::Format("%d", r.speed) + Suffix(kSpeedSuffixes, 3, speedUnit_);
        case 3: return r.direction;
        case 4: return r.wave >= 0 ? platform::FormatG15(r.wave) + Suffix(kWaveSuffixes, 2, waveUnit_) : std::string();
        default: return {};
    }
}

int WindListModel::Find(const document::TimePick& pick) const {
    for (std::size_t i = 0; i < rows_.size(); ++i)
        if (rows_[i].pick == pick) return static_cast<int>(i);
    return -1;
}

void WindListModel::Insert(WindRow row) {
    const document::Time t = TimeOf(row);
    const auto at = std::find_if(rows_.begin(), rows_.end(), [&](const WindRow& r) { return TimeOf(r) > t; });
    rows_.insert(at, std::move(row));
}

void WindListModel::Remove(std::size_t row) {
    if (row < rows_.size()) rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(row));
}

void WindListModel::Export(document::Scenario& s) const {
    s.m_iVarWindNumber = static_cast<int>(rows_.size());
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        const WindRow& r = rows_[i];
        s.m_tVarWindTime[i] = TimeOf(r);
        s.m_dVarWindSpeed[i] = r.speed;
        s.m_dVarWindDirection[i] = ParseCompassDirection(r.direction);
        s.m_dVarWaveHeight[i] = r.wave >= 0 ? r.wave : model::MISSING_VALUE_D;
    }
}

}  // namespace ui
