// The scenario form: the guide with one button per required input, their
// ticks and Solve; after an input change following a solve, the notice
// that new graphs are needed, with its own Solve button. Its buttons send
// the menu commands of the same ids.
#pragma once

#include <wx/bmpbuttn.h>
#include <wx/button.h>
#include <wx/panel.h>
#include <wx/statbmp.h>

#include "document/FormState.h"

namespace app {

// A flat text button, blue with the hand cursor while enabled, grey
// without it while disabled.
class LinkButton final : public wxButton {
public:
    LinkButton(wxWindow* parent, int id, const wxString& label);
    bool Enable(bool enable = true) override;

private:
    void ShowState(bool enabled);
};

class FormPanel final : public wxPanel {
public:
    explicit FormPanel(wxWindow* parent);
    // Shows what the state says (ticks, guide or notice).
    void Apply(const document::FormState& state);
    bool NoticeShown() const { return notice_->IsShown(); }
    wxPanel* Guide() const { return guide_; }
    wxPanel* Notice() const { return notice_; }
    bool TickShown(document::FormInput input) const { return tickOn_[input]; }

private:
    wxPanel* guide_;
    wxPanel* notice_;
    wxStaticBitmap* ticks_[document::kFormInputs] = {};
    bool tickOn_[document::kFormInputs] = {};
};

}  // namespace app
