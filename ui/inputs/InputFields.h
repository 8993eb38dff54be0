// Small pieces the input dialogs build their forms with: a text field, a
// drop-down list of fixed texts, a label, and moving a form's texts and
// selections in and out of them.
#pragma once

#include <span>
#include <string>

#include <wx/choice.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

namespace ui {

// A field widthDip device-independent pixels wide.
wxTextCtrl* NewField(wxWindow* parent, int widthDip = 70, long style = 0);
wxChoice* NewChoice(wxWindow* parent, std::span<const char* const> items);
// A label of a fixed UTF-8 text.
wxStaticText* NewLabel(wxWindow* parent, const char* text);

std::string TextOf(const wxTextCtrl* field);
// Shows a form's text without raising the field's text event.
void ShowText(wxTextCtrl* field, const std::string& text);
// Gives the field the keyboard focus with its whole text selected, so what
// the user types next replaces a refused entry.
void FocusField(wxTextCtrl* field);
// The list's selection, its first entry when there is none.
int SelectionOf(const wxChoice* list);
// Selects entry index, or the nearest entry when it is out of the list.
void ShowSelection(wxChoice* list, int index);

}  // namespace ui
