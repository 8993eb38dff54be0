#include "ui/common/RulesDialog.h"

#include <wx/accel.h>
#include <wx/button.h>
#include <wx/sizer.h>

#include "ui/common/HelpMessageDialog.h"

namespace ui {

RulesDialog::RulesDialog(wxWindow* parent, const wxString& title, platform::IMessages& messages,
                         std::optional<HelpDialog> help)
    : wxDialog(parent, wxID_ANY, title, wxDefaultPosition, wxDefaultSize, wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER),
      messages_(messages),
      help_(help) {
    SetEscapeId(wxID_CANCEL);
    if (help_) {
        Bind(wxEVT_MENU, [this](wxCommandEvent&) { ShowHelp(); }, wxID_HELP);
        Bind(wxEVT_HELP, [this](wxHelpEvent&) { ShowHelp(); });
        wxAcceleratorEntry f1(wxACCEL_NORMAL, WXK_F1, wxID_HELP);
        SetAcceleratorTable(wxAcceleratorTable(1, &f1));
    }
}

void RulesDialog::ShowHelp() {
    if (help_) ShowHelpDialog(this, *help_);
}

wxSizer* RulesDialog::MakeButtonRow(const wxString& okLabel, wxSizer* extra) {
    auto* row = new wxBoxSizer(wxHORIZONTAL);
    if (extra) row->Add(extra, 0, wxALIGN_CENTER_VERTICAL);
    if (help_) {
        auto* help = new wxButton(this, wxID_HELP, "&Help");
        help->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { ShowHelp(); });
        row->Add(help, 0, wxLEFT, extra ? 8 : 0);
    }
    row->AddStretchSpacer();
    row->Add(new wxButton(this, wxID_CANCEL, "Cancel"), 0, wxRIGHT, 8);
    auto* ok = new wxButton(this, wxID_OK, okLabel);
    ok->SetDefault();
    row->Add(ok, 0);
    return row;
}

}  // namespace ui
