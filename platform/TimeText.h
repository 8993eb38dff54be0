// Dates and times as English text, whatever locale the program runs in.
#pragma once

#include <array>
#include <ctime>
#include <string>
#include <string_view>

namespace platform {

// The English month names, January first.
inline constexpr std::array<const char*, 12> kMonthNames{"January", "February", "March",     "April",
                                                         "May",     "June",     "July",      "August",
                                                         "September", "October", "November", "December"};

// Formats a broken-down local time with fixed English month and weekday
// names. Understands %a %A %b %B %d %H %M %m %y %Y and %%; any other
// "%x" pair is copied as it stands. Fields out of their range (a time the
// clock could not break down) never crash: a name out of range reads "???"
// and numbers are printed as they are.
std::string FormatTime(const std::tm& local, std::string_view format);

}  // namespace platform
