// Civil times of the dialogs' month/day/hour lists (the test command runs
// with TZ=UTC).
#include "platform/Clock.h"
#include "platform/TimeText.h"
#include "tests/support/TimeZone.h"
#include "document/TimePick.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <string>

namespace {

using document::Time;

// Seconds since 1970 of a UTC date and hour (days from civil).
Time Utc(int y, unsigned m, unsigned d, int h) {
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return (era * 146097 + static_cast<long long>(doe) - 719468) * 86400 + h * 3600LL;
}

using tavro_test::ZoneScope;

TEST(TimePick, MakeLocalRollsOverAndFollowsDaylightSaving) {
    ZoneScope utc("UTC");
    platform::SystemClock clock;
    struct Case {
        const char* name;
        int y, mon, d, h;
        Time expected;
    };
    const Case cases[] = {
        {"plain", 2026, 7, 4, 13, Utc(2026, 7, 4, 13)},
        {"February 31 of a common year", 2026, 2, 31, 0, Utc(2026, 3, 3, 0)},
        {"February 31 of a leap year", 2024, 2, 31, 5, Utc(2024, 3, 2, 5)},
        {"hour 24 is next day", 2026, 12, 31, 24, Utc(2027, 1, 1, 0)},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(clock.MakeLocal(c.y, c.mon, c.d, c.h), c.expected) << c.name;
    }

    // A zone with daylight saving, given by rule so no zone files are needed.
    ZoneScope eastern("EST5EDT,M3.2.0,M11.1.0");
    EXPECT_EQ(clock.MakeLocal(2026, 1, 15, 12), Utc(2026, 1, 15, 17)) << "winter";
    EXPECT_EQ(clock.MakeLocal(2026, 7, 15, 12), Utc(2026, 7, 15, 16)) << "summer";
}

TEST(TimePick, OperationYearMovesJanuaryAfterDecemberOnly) {
    ZoneScope utc("UTC");
    platform::SystemClock clock;
    struct Case {
        const char* name;
        Time spill;
        document::TimePick pick;
        Time expected;
    };
    const Case cases[] = {
        {"January after a December spill", Utc(2025, 12, 30, 22), {0, 0, 3}, Utc(2026, 1, 1, 3)},
        {"December after a December spill", Utc(2025, 12, 30, 22), {11, 30, 0}, Utc(2025, 12, 31, 0)},
        {"January after a January spill", Utc(2026, 1, 2, 0), {0, 9, 12}, Utc(2026, 1, 10, 12)},
        {"January after a November spill", Utc(2025, 11, 30, 0), {0, 0, 0}, Utc(2025, 1, 1, 0)},
        {"February after a December spill", Utc(2025, 12, 1, 0), {1, 0, 0}, Utc(2025, 2, 1, 0)},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(document::OperationTime(c.pick, c.spill, clock), c.expected) << c.name;
    }
}

TEST(TimePick, PickOfShowsTheLocalTimeAndListTexts) {
    ZoneScope utc("UTC");
    platform::SystemClock clock;
    const document::TimePick pick = document::PickOf(Utc(2026, 3, 9, 23), clock);
    EXPECT_EQ(pick, (document::TimePick{2, 8, 23}));
    EXPECT_EQ(document::PickTime(pick, 2026, clock), Utc(2026, 3, 9, 23));
    EXPECT_STREQ(document::HourText(0), "0000");
    EXPECT_STREQ(document::HourText(23), "2300");
    EXPECT_STREQ(document::kMonthNames[8], "September");

    // A clock that cannot break the time down gives a pick inside the lists.
    struct BrokenClock final : platform::IClock {
        std::time_t Now() const override { return 0; }
        std::tm Local(std::time_t) const override {
            std::tm t{};
            t.tm_mon = 40;
            t.tm_mday = -7;
            t.tm_hour = 99;
            t.tm_year = 2147483000;
            return t;
        }
    } broken;
    EXPECT_EQ(document::PickOf(0, broken), (document::TimePick{11, 0, 23}));
    (void)document::OperationYear({0, 0, 0}, 0, broken);  // no overflow
}

TEST(TimePick, DialogTimePatternsStayEnglishUnderAGermanLocale) {
    ZoneScope utc("UTC");
    const char* old = std::setlocale(LC_ALL, nullptr);
    const std::string saved = old ? old : "C";
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8")) GTEST_SKIP() << "no de_DE.UTF-8 locale on this machine";
    platform::SystemClock clock;
    const std::tm march = clock.Local(document::PickTime({2, 30, 7}, 2026, clock));  // March 31
    const std::tm may = clock.Local(document::PickTime({4, 4, 14}, 2026, clock));
    EXPECT_EQ(platform::FormatTime(march, "on %B %d, %H%M hours"), "on March 31, 0700 hours");
    EXPECT_EQ(platform::FormatTime(may, "%B %d, %H:00"), "May 05, 14:00");
    std::setlocale(LC_ALL, saved.c_str());
}

}  // namespace
