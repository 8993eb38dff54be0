#include "document/TimePick.h"

#include <algorithm>
#include <climits>

namespace document {

namespace {

constexpr std::array<const char*, 24> kHourTexts = {
    "0000", "0100", "0200", "0300", "0400", "0500", "0600", "0700", "0800", "0900", "1000", "1100",
    "1200", "1300", "1400", "1500", "1600", "1700", "1800", "1900", "2000", "2100", "2200", "2300"};

std::tm LocalOf(Time t, const platform::IClock& clock) {
    return clock.Local(static_cast<std::time_t>(t));
}

}  // namespace

const char* HourText(int hour) {
    return kHourTexts[static_cast<std::size_t>(std::clamp(hour, 0, 23))];
}

TimePick PickOf(Time t, const platform::IClock& clock) {
    const std::tm local = LocalOf(t, clock);
    TimePick p;
    p.month0 = std::clamp(local.tm_mon, 0, 11);
    p.day0 = std::clamp(local.tm_mday - 1, 0, 30);
    p.hour = std::clamp(local.tm_hour, 0, 23);
    return p;
}

Time PickTime(const TimePick& pick, int year, const platform::IClock& clock) {
    return static_cast<Time>(clock.MakeLocal(year, pick.month0 + 1, pick.day0 + 1, pick.hour));
}

namespace {
int ClampedYear(long long year) { return static_cast<int>(std::clamp<long long>(year, INT_MIN / 2, INT_MAX / 2)); }
}  // namespace

int LocalYear(Time t, const platform::IClock& clock) {
    return ClampedYear(static_cast<long long>(LocalOf(t, clock).tm_year) + 1900);
}

int OperationYear(const TimePick& pick, Time spill, const platform::IClock& clock) {
    const std::tm local = LocalOf(spill, clock);
    long long year = static_cast<long long>(local.tm_year) + 1900;
    if (pick.month0 == 0 && local.tm_mon == 11) ++year;
    return ClampedYear(year);
}

Time OperationTime(const TimePick& pick, Time spill, const platform::IClock& clock) {
    return PickTime(pick, OperationYear(pick, spill, clock), clock);
}

}  // namespace document
