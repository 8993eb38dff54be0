#include "ui/inputs/ReleaseUncertaintyDialog.h"

#include <wx/sizer.h>
#include <wx/statbox.h>
#include <wx/stattext.h>

#include "ui/inputs/InputFields.h"

namespace ui {

namespace {
constexpr int kTextWidth = 380;  // DIP, where the explanations wrap
}  // namespace

CReleaseUncertaintyDialog::CReleaseUncertaintyDialog(wxWindow* parent, document::SpillDocCore& doc)
    : FormDialog(parent, kReleaseUncertaintyCaption, doc, HelpDialog::ReleaseUncertainty) {
    auto* top = new wxBoxSizer(wxVERTICAL);
    auto* group = new wxStaticBoxSizer(wxVERTICAL, this, kReleaseUncertaintyGroup);
    wxWindow* box = group->GetStaticBox();
    auto* prompt = new wxStaticText(box, wxID_ANY, kReleaseUncertaintyPrompt);
    prompt->Wrap(FromDIP(kTextWidth));
    group->Add(prompt, 0, wxALL, 6);
    auto* row = new wxBoxSizer(wxHORIZONTAL);
    row->Add(NewLabel(box, kReleaseUncertaintyLabel), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 6);
    percent_ = NewField(box, 80);
    row->Add(percent_, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 6);
    row->Add(NewLabel(box, kReleaseUncertaintyUnit), 0, wxALIGN_CENTER_VERTICAL);
    group->Add(row, 0, wxALL, 6);
    top->Add(group, 0, wxEXPAND | wxALL, 10);
    auto* note = new wxStaticText(this, wxID_ANY, kReleaseUncertaintyNote);
    note->Wrap(FromDIP(kTextWidth));
    top->Add(note, 0, wxLEFT | wxRIGHT, 16);
    Finish(top);
    percent_->SetFocus();
}

bool CReleaseUncertaintyDialog::TransferDataToWindow() {
    ShowText(percent_, form_.percent);
    return true;
}

bool CReleaseUncertaintyDialog::TransferDataFromWindow() {
    form_.percent = TextOf(percent_);
    return true;
}

}  // namespace ui
