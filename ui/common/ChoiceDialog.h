// A small modal question with a few answers: a caption, a text, one button
// per answer with a line that explains it, and Cancel. Each button ends
// the dialog with its result id; Escape and Cancel with wxID_CANCEL.
#pragma once

#include <vector>

#include <wx/dialog.h>

namespace ui {

struct ChoiceButton {
    wxString label;        // with its mnemonic
    wxString explanation;  // beside the button; may be empty
    int result;            // the button's id and the dialog's result; not a stock id
};

class ChoiceDialog final : public wxDialog {
public:
    ChoiceDialog(wxWindow* parent, const wxString& caption, const wxString& text,
                 const std::vector<ChoiceButton>& buttons);
};

}  // namespace ui
