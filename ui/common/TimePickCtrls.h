// The three lists a time is chosen with: month, day and hour, followed by
// "at" and "hours" as the dialogs show them.
#pragma once

#include <wx/choice.h>
#include <wx/sizer.h>

#include "ui/common/rules/TimePick.h"

namespace ui {

class TimePickCtrls {
public:
    // Creates the lists as children of parent (in Tab order month, day,
    // hour) and lays them out in a horizontal sizer.
    explicit TimePickCtrls(wxWindow* parent);

    wxSizer* Sizer() const { return sizer_; }
    wxChoice* Month() const { return month_; }
    wxChoice* Day() const { return day_; }
    wxChoice* Hour() const { return hour_; }

    void Set(const TimePick& pick);
    // A list without a selection reads as its first entry.
    TimePick Get() const;

private:
    wxChoice* month_;
    wxChoice* day_;
    wxChoice* hour_;
    wxBoxSizer* sizer_;
};

}  // namespace ui
