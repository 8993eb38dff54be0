#include "ui/common/TimePickCtrls.h"

#include <algorithm>

#include <wx/stattext.h>

namespace ui {

namespace {

int Selected(const wxChoice* c) { return std::max(c->GetSelection(), 0); }

void Select(wxChoice* c, int n) { c->SetSelection(std::clamp(n, 0, static_cast<int>(c->GetCount()) - 1)); }

}  // namespace

TimePickCtrls::TimePickCtrls(wxWindow* parent, bool hoursLabel) {
    month_ = new wxChoice(parent, wxID_ANY);
    for (const char* name : document::kMonthNames) month_->Append(name);
    day_ = new wxChoice(parent, wxID_ANY);
    for (int d = 1; d <= 31; ++d) day_->Append(wxString::Format("%d", d));
    hour_ = new wxChoice(parent, wxID_ANY);
    for (int h = 0; h < 24; ++h) hour_->Append(document::HourText(h));
    Set({});

    sizer_ = new wxBoxSizer(wxHORIZONTAL);
    sizer_->Add(month_, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 6);
    sizer_->Add(day_, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 6);
    sizer_->Add(new wxStaticText(parent, wxID_ANY, "at"), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 6);
    sizer_->Add(hour_, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 6);
    if (hoursLabel) sizer_->Add(new wxStaticText(parent, wxID_ANY, "hours"), 0, wxALIGN_CENTER_VERTICAL);
}

void TimePickCtrls::Set(const document::TimePick& pick) {
    Select(month_, pick.month0);
    Select(day_, pick.day0);
    Select(hour_, pick.hour);
}

document::TimePick TimePickCtrls::Get() const { return {Selected(month_), Selected(day_), Selected(hour_)}; }

}  // namespace ui
