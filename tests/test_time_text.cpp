#include "platform/TimeText.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

std::tm MakeTm(int year, int mon, int mday, int hour, int min, int wday) {
    std::tm t{};
    t.tm_year = year - 1900;
    t.tm_mon = mon;
    t.tm_mday = mday;
    t.tm_hour = hour;
    t.tm_min = min;
    t.tm_wday = wday;
    return t;
}

TEST(TimeText, FormatsEveryFieldInEnglish) {
    struct Case {
        const char* name;
        std::tm time;
        const char* format;
        const char* expected;
    };
    const Case cases[] = {
        {"short month and day", MakeTm(2026, 0, 5, 14, 3, 1), "%b %d", "Jan 05"},
        {"long month, hour-minute", MakeTm(2026, 8, 30, 9, 7, 3), "%B %d, %H%M", "September 30, 0907"},
        {"long date", MakeTm(1999, 11, 31, 23, 59, 5), "%B %d, %Y", "December 31, 1999"},
        {"numeric date", MakeTm(2026, 1, 28, 0, 0, 6), "%m/%d %H%M", "02/28 0000"},
        {"weekdays", MakeTm(2026, 4, 1, 0, 0, 0), "%a %A", "Sun Sunday"},
        {"two-digit year", MakeTm(2005, 6, 4, 12, 0, 2), "%y|%Y", "05|2005"},
        {"percent and unknown pair", MakeTm(2026, 6, 4, 12, 0, 2), "100%% %q", "100% %q"},
        {"trailing percent", MakeTm(2026, 6, 4, 12, 0, 2), "x%", "x%"},
        {"empty format", MakeTm(2026, 6, 4, 12, 0, 2), "", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(platform::FormatTime(c.time, c.format), c.expected) << c.name;
    }
}

TEST(TimeText, AbsurdFieldsNeverCrash) {
    std::tm t{};
    t.tm_mon = 57;
    t.tm_wday = -4;
    t.tm_year = INT_MAX;
    t.tm_mday = INT_MIN;
    EXPECT_EQ(platform::FormatTime(t, "%b %B %a %A"), "??? ??? ??? ???");
    const std::string year = platform::FormatTime(t, "%Y %y");
    EXPECT_EQ(year, std::to_string(static_cast<long long>(INT_MAX) + 1900) + " 47");
    EXPECT_FALSE(platform::FormatTime(t, "%d %m").empty());
}

}  // namespace
