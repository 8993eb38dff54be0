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
    // Answers with an explanation stand in rows under the text; the others
    // join Cancel in the row of buttons at the bottom.
    auto* grid = new wxFlexGridSizer(2, wxSize(12, 10));
    grid->AddGrowableCol(1, 1);
    auto* bottom = new wxBoxSizer(wxHORIZONTAL);
    bottom->AddStretchSpacer();
    wxButton* first = nullptr;
    for (const ChoiceButton& b : buttons) {
        auto* button = new wxButton(this, b.result, b.label);
        const int result = b.result;
        button->Bind(wxEVT_BUTTON, [this, result](wxCommandEvent&) { EndModal(result); });
        if (!first) first = button;
        if (b.explanation.empty()) {
            bottom->Add(button, 0, wxRIGHT, 8);
            continue;
        }
        grid->Add(button, 0, wxEXPAND | wxALIGN_CENTER_VERTICAL);
        auto* line = new wxStaticText(this, wxID_ANY, b.explanation);
        line->Wrap(wrap - button->GetBestSize().x);
        grid->Add(line, 0, wxALIGN_CENTER_VERTICAL);
    }
    if (grid->IsEmpty())
        delete grid;
    else
        top->Add(grid, 0, wxEXPAND | wxLEFT | wxRIGHT, 12);
    bottom->Add(new wxButton(this, wxID_CANCEL, "Cancel"));
    top->Add(bottom, 0, wxEXPAND | wxALL, 12);
    SetSizerAndFit(top);
    SetEscapeId(wxID_CANCEL);
    if (first) {
        first->SetDefault();
        first->SetFocus();
    }
    CentreOnParent();
}

}  // namespace ui
