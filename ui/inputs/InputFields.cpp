#include "ui/inputs/InputFields.h"

#include <algorithm>

namespace ui {

wxTextCtrl* NewField(wxWindow* parent, int widthDip, long style) {
    return new wxTextCtrl(parent, wxID_ANY, wxString(), wxDefaultPosition, parent->FromDIP(wxSize(widthDip, -1)),
                          style);
}

wxChoice* NewChoice(wxWindow* parent, std::span<const char* const> items) {
    auto* list = new wxChoice(parent, wxID_ANY);
    for (const char* item : items) list->Append(wxString::FromUTF8(item));
    list->SetSelection(0);
    return list;
}

wxStaticText* NewLabel(wxWindow* parent, const char* text) {
    auto* label = new wxStaticText(parent, wxID_ANY, wxString());
    label->SetLabelText(wxString::FromUTF8(text));
    return label;
}

std::string TextOf(const wxTextCtrl* field) { return field->GetValue().utf8_string(); }

void ShowText(wxTextCtrl* field, const std::string& text) { field->ChangeValue(wxString::FromUTF8(text)); }

void FocusField(wxTextCtrl* field) {
    field->SetFocus();
    field->SelectAll();
}

int SelectionOf(const wxChoice* list) { return std::max(list->GetSelection(), 0); }

void ShowSelection(wxChoice* list, int index) {
    list->SetSelection(std::clamp(index, 0, static_cast<int>(list->GetCount()) - 1));
}

}  // namespace ui
