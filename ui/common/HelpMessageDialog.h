// The small modal help of an input dialog: a short explanation, a button
// that opens the matching page of the help book (the dialog stays open)
// and "Done".
#pragma once

#include <string>

#include <wx/dialog.h>

#include "platform/Help.h"
#include "ui/common/rules/HelpTable.h"

class wxHtmlWindow;

namespace ui {

inline constexpr int ID_HELP_READ_MORE = 1162;

// The folder of the help book (its brief/ fragments); found like the
// program's data unless set.
const std::string& HelpFolder();
void SetHelpFolder(const std::string& folder);

class HelpMessageDialog final : public wxDialog {
public:
    HelpMessageDialog(wxWindow* parent, HelpDialog which, platform::IHelp& help = platform::DefaultHelp());

    wxHtmlWindow* Text() const { return text_; }

private:
    void OnReadMore(wxCommandEvent& e);

    HelpDialog which_;
    platform::IHelp& help_;
    wxHtmlWindow* text_ = nullptr;
};

// Runs the help of a dialog modally over parent.
void ShowHelpDialog(wxWindow* parent, HelpDialog which);

}  // namespace ui
