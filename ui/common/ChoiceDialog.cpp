#include "ui/common/ChoiceDialog.h"

#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

namespace ui {

ChoiceDialog::ChoiceDialog(wxWindow* parent, const wxString& caption, const wxString& text,
                           const std::vector<ChoiceButton>& buttons)
    : wxDialog(parent, wxID_ANY, caption) {
    const int wrap = FromDIP(420);
    auto* top = new wxBoxSizer(wxVERTICAL);
    if (!text.empty()) {
        auto* intro = new wxStaticText(this, wxID_ANY, text);
        intro->Wrap(wrap);
        top->Add(intro, 0, wxALL, 12);
    }
    auto* grid = new wxFlexGridSizer(2, wxSize(12, 10));
    grid->AddGrowableCol(1, 1);
    wxButton* first = nullptr;
    for (const ChoiceButton& b : buttons) {
        auto* button = new wxButton(this, b.result, b.label);
        const int result = b.result;
        button->Bind(wxEVT_BUTTON, [this, result](wxCommandEvent&) { EndModal(result); });
        if (!first) first = button;
        grid->Add(button, 0, wxEXPAND | wxALIGN_CENTER_VERTICAL);
        auto* line = new wxStaticText(this, wxID_ANY, b.explanation);
        line->Wrap(wrap - button->GetBestSize().x);
        grid->Add(line, 0, wxALIGN_CENTER_VERTICAL);
    }
    top->Add(grid, 0, wxEXPAND | wxLEFT | wxRIGHT, 12);
    auto* row = new wxStdDialogButtonSizer;
    row->AddButton(new wxButton(this, wxID_CANCEL, "Cancel"));
    row->Realize();
    top->Add(row, 0, wxEXPAND | wxALL, 12);
    SetSizerAndFit(top);
    SetEscapeId(wxID_CANCEL);
    if (first) {
        first->SetDefault();
        first->SetFocus();
    }
    CentreOnParent();
}

}  // namespace ui
