#include "platform/Clock.h"

namespace platform {

std::tm IClock::Local(std::time_t t) const {
    std::tm out{};
    localtime_r(&t, &out);
    return out;
}

std::time_t IClock::MakeLocal(int year, int month, int day, int hour) const {
    std::tm in{};
    in.tm_year = year - 1900;
    in.tm_mon = month - 1;
    in.tm_mday = day;
    in.tm_hour = hour;
    in.tm_isdst = -1;
    return std::mktime(&in);
}

namespace {
SystemClock g_system;
IClock* g_clock = &g_system;
}  // namespace

IClock& DefaultClock() { return *g_clock; }
void SetDefaultClock(IClock* clock) { g_clock = clock ? clock : &g_system; }

}  // namespace platform
