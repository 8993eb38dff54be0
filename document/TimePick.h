// The month, day and hour lists every time of a dialog is chosen with, and
// the year an operation time falls in.
#pragma once

#include <array>

#include "document/Scenario.h"
#include "platform/Clock.h"
#include "platform/TimeText.h"

namespace document {

// Selection indices of the three lists: month0 0-11 ("January" ...), day0
// 0-30 ("1" ... "31"), hour 0-23 ("0000" ... "2300").
struct TimePick {
    int month0 = 0;
    int day0 = 0;
    int hour = 0;

    friend bool operator==(const TimePick&, const TimePick&) = default;
};

// The texts of the month list.
using platform::kMonthNames;

// The texts of the hour list: "0000", "0100", ... "2300".
const char* HourText(int hour);

// The pick that shows local time t. Fields out of the lists' ranges (a time
// the clock could not break down) are clamped into them.
TimePick PickOf(Time t, const platform::IClock& clock);

// The local time of the pick in a given year, minute and second 0. Days past
// the month's end roll into the next month (February 31 is March 3 or 2).
Time PickTime(const TimePick& pick, int year, const platform::IClock& clock);

// The local calendar year of t.
int LocalYear(Time t, const platform::IClock& clock);

// The year of an operation chosen as pick: the spill time's year, plus 1
// when the pick is in January and the spill time in December.
int OperationYear(const TimePick& pick, Time spill, const platform::IClock& clock);

// The operation's time: the pick in its operation year.
Time OperationTime(const TimePick& pick, Time spill, const platform::IClock& clock);

}  // namespace document
