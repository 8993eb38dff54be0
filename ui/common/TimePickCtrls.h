// The three lists a time is chosen with: month, day, "at", hour and, in most
// dialogs, "hours" after it.
#pragma once

#include <wx/choice.h>
#include <wx/sizer.h>

#include "document/TimePick.h"

namespace ui {

class TimePickCtrls {
public:
    // Creates the lists as children of parent (in Tab order month, day,
    // hour) and lays them out in a horizontal sizer; hoursLabel: "hours"
    // after the hour list (the operation sheets show only "at").
    explicit TimePickCtrls(wxWindow* parent, bool hoursLabel = true);

    wxSizer* Sizer() const { return sizer_; }
    wxChoice* Month() const { return month_; }
    wxChoice* Day() const { return day_; }
    wxChoice* Hour() const { return hour_; }

    void Set(const document::TimePick& pick);
    // A list without a selection reads as its first entry.
    document::TimePick Get() const;

private:
    wxChoice* month_;
    wxChoice* day_;
    wxChoice* hour_;
    wxBoxSizer* sizer_;
};

}  // namespace ui
