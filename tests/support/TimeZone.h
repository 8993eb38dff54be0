// Time zones and calendar times for the tests: TZ set for a scope, and the
// seconds of a calendar time read in the local zone or in UTC.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <string>

namespace tavro_test {

// Sets TZ for the scope and puts the old value (or none) back.
class ZoneScope {
public:
    explicit ZoneScope(const char* tz) {
        if (const char* old = std::getenv("TZ")) {
            old_ = old;
            had_ = true;
        }
        setenv("TZ", tz, 1);
        tzset();
    }
    ~ZoneScope() {
        if (had_)
            setenv("TZ", old_.c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
    }
    ZoneScope(const ZoneScope&) = delete;
    ZoneScope& operator=(const ZoneScope&) = delete;

private:
    std::string old_;
    bool had_ = false;
};

// A test whose every case runs in UTC.
class UtcZone : public ::testing::Test {
private:
    ZoneScope zone_{"UTC"};
};

// The calendar time in the local zone (daylight saving as the zone says).
inline std::time_t LocalTime(int year, int month, int day, int hour, int minute = 0) {
    std::tm tm{};
    tm.tm_year = year - 1900;
    tm.tm_mon = month - 1;
    tm.tm_mday = day;
    tm.tm_hour = hour;
    tm.tm_min = minute;
    tm.tm_isdst = -1;
    return std::mktime(&tm);
}

// The calendar time in UTC.
inline std::time_t UtcTime(int year, int month, int day, int hour, int minute = 0) {
    std::tm tm{};
    tm.tm_year = year - 1900;
    tm.tm_mon = month - 1;
    tm.tm_mday = day;
    tm.tm_hour = hour;
    tm.tm_min = minute;
    return timegm(&tm);
}

}  // namespace tavro_test
