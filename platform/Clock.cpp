#include "platform/Clock.h"

namespace platform {

std::tm IClock::Local(std::time_t t) const {
    std::tm out{};
    localtime_r(&t, &out);
    return out;
}

namespace {
SystemClock g_system;
IClock* g_clock = &g_system;
}  // namespace

IClock& DefaultClock() { return *g_clock; }
void SetDefaultClock(IClock* clock) { g_clock = clock ? clock : &g_system; }

}  // namespace platform
