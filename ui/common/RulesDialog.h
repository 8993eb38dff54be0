// The base of a modal dialog driven by toolkit-free rules: it shows a
// check's boxes through the document's messages, opens its help (Help
// button and F1) and closes on Escape with Cancel. Derived dialogs build
// their controls with sizers, move their form in TransferDataToWindow /
// TransferDataFromWindow and forward their events to their rules.
#pragma once

#include <functional>
#include <optional>

#include <wx/dialog.h>

#include "platform/Messages.h"
#include "ui/common/rules/CheckResult.h"
#include "ui/common/rules/HelpTable.h"

class wxButton;
class wxSizer;

namespace ui {

// F1 and the window's help event call show (the accelerator table is
// replaced by one holding F1).
void BindHelpKeys(wxWindow& window, std::function<void()> show);

// Tab and Shift+Tab move through the dialog's shown and enabled controls in
// the order of its children (the order they were made, or as changed by
// MoveBeforeInTabOrder), into groups and panels, around the ends; a book
// control is one stop, then the controls of its page in view. A radio group
// is one stop at its chosen button. A text control made with
// wxTE_PROCESS_TAB keeps its Tab.
void BindTabOrder(wxWindow& dialog);

// The row of buttons under a dialog: extra (buttons of the dialog's own, may
// be null) on the left, then Help (wxID_HELP, when help), Cancel (wxID_CANCEL,
// when cancel) and OK (wxID_OK, labelled okLabel, the default button) in the
// platform's standard places. The dialog binds the buttons' clicks.
wxSizer* MakeStandardButtonRow(wxWindow* dialog, const wxString& okLabel, bool help, bool cancel,
                               wxSizer* extra);

class RulesDialog : public wxDialog {
public:
    // help: the help the Help button and F1 open; none for a dialog without.
    RulesDialog(wxWindow* parent, const wxString& title, platform::IMessages& messages,
                std::optional<HelpDialog> help);

    platform::IMessages& Messages() const { return messages_; }
    // Shows the check's warnings and refusal; true when it passed.
    bool ShowResult(const CheckResult& result) {
        if (ShowCheck(result, messages_)) return true;
        Refused();
        return false;
    }
    void ShowHelp();

protected:
    // After a refusal was shown: a dialog puts the focus in the field the
    // refusal is about (FocusField), when its rules tell one.
    virtual void Refused() {}

    // The row of buttons under the dialog: the extra buttons on the left
    // (may be null), then Help when the dialog has help, Cancel and the OK
    // button (labelled okLabel, the default button) in the platform's
    // standard places. OK's clicks are the derived dialog's: bind
    // wxEVT_BUTTON on wxID_OK.
    wxSizer* MakeButtonRow(const wxString& okLabel, wxSizer* extra = nullptr);

private:
    platform::IMessages& messages_;
    std::optional<HelpDialog> help_;
};

}  // namespace ui
