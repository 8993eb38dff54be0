#include "ui/inputs/ReleaseUncertaintyDialog.h"

#include <wx/sizer.h>
#include <wx/statbox.h>
#include <wx/stattext.h>

namespace ui {

namespace {
constexpr int ID_PERCENT = 1181;
constexpr int kTextWidth = 380;  // DIP, where the explanations wrap
}  // namespace

CReleaseUncertaintyDialog::CReleaseUncertaintyDialog(wxWindow* parent, document::SpillDocCore& doc)
    : RulesDialog(parent, kReleaseUncertaintyCaption, doc.Messages(), HelpDialog::ReleaseUncertainty), rules_(doc) {
    auto* top = new wxBoxSizer(wxVERTICAL);
    auto* group = new wxStaticBoxSizer(wxVERTICAL, this, kReleaseUncertaintyGroup);
    wxWindow* box = group->GetStaticBox();
    auto* prompt = new wxStaticText(box, wxID_ANY, kReleaseUncertaintyPrompt);
    prompt->Wrap(FromDIP(kTextWidth));
    group->Add(prompt, 0, wxALL, 6);
    auto* row = new wxBoxSizer(wxHORIZONTAL);
    row->Add(new wxStaticText(box, wxID_ANY, wxString::FromUTF8(kReleaseUncertaintyLabel)), 0,
             wxALIGN_CENTER_VERTICAL | wxRIGHT, 6);
    percent_ = new wxTextCtrl(box, ID_PERCENT, wxEmptyString, wxDefaultPosition, FromDIP(wxSize(80, -1)));
    row->Add(percent_, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 6);
    row->Add(new wxStaticText(box, wxID_ANY, kReleaseUncertaintyUnit), 0, wxALIGN_CENTER_VERTICAL);
    group->Add(row, 0, wxALL, 6);
    top->Add(group, 0, wxEXPAND | wxALL, 10);
    auto* note = new wxStaticText(this, wxID_ANY, kReleaseUncertaintyNote);
    note->Wrap(FromDIP(kTextWidth));
    top->Add(note, 0, wxLEFT | wxRIGHT, 16);
    FinishLayout(top);
    BindOkCheck([this] { return rules_.Ok(form_); });

    form_ = rules_.Load();
    TransferDataToWindow();
    percent_->SetFocus();
}

bool CReleaseUncertaintyDialog::TransferDataToWindow() {
    percent_->ChangeValue(wxString::FromUTF8(form_.percent));
    return true;
}

bool CReleaseUncertaintyDialog::TransferDataFromWindow() {
    form_.percent = percent_->GetValue().utf8_string();
    return true;
}

}  // namespace ui
