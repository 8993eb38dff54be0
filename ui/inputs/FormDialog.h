// The base of an input dialog whose rules load a form and check and write
// it on OK: the rules and the form, the button row, and OK, which reads the
// controls, shows the check and closes when it passed.
#pragma once

#include <functional>
#include <initializer_list>
#include <vector>

#include <wx/sizer.h>
#include <wx/textctrl.h>

#include "document/SpillDoc.h"
#include "ui/common/RulesDialog.h"

namespace ui {

template <typename RulesT, typename FormT>
class FormDialog : public RulesDialog {
public:
    FormDialog(wxWindow* parent, const char* caption, document::SpillDocCore& doc, HelpDialog help)
        : RulesDialog(parent, wxString::FromUTF8(caption), doc.Messages(), help), rules_(doc) {
        Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { Ok(); }, wxID_OK);
    }

    const FormT& Form() const { return form_; }
    RulesT& Rules() { return rules_; }

    // OK pressed.
    void Ok() {
        TransferDataFromWindow();
        if (ShowResult(rules_.Ok(form_))) EndModal(wxID_OK);
    }

protected:
    // At the end of the derived dialog's constructor: the button row (extra
    // buttons on the left) under the controls, the rules' form shown, the
    // dialog sized and centred.
    void Finish(wxBoxSizer* top, wxSizer* extra = nullptr) {
        top->Add(MakeButtonRow("OK", extra), 0, wxEXPAND | wxALL, 10);
        SetSizer(top);
        form_ = rules_.Load();
        TransferDataToWindow();
        GetSizer()->SetSizeHints(this);
        CentreOnParent();
    }

    RulesT rules_;
    FormT form_;
};

// Calls a function when one of the fields loses the focus, for as long as
// it lives: a dialog's last member, so nothing is called once the dialog
// is going.
class FocusLeaveHandler {
public:
    FocusLeaveHandler() = default;
    FocusLeaveHandler(const FocusLeaveHandler&) = delete;
    FocusLeaveHandler& operator=(const FocusLeaveHandler&) = delete;
    ~FocusLeaveHandler() {
        for (wxTextCtrl* f : fields_) f->Unbind(wxEVT_KILL_FOCUS, &FocusLeaveHandler::OnLeave, this);
    }

    void Watch(std::initializer_list<wxTextCtrl*> fields, std::function<void()> left) {
        left_ = std::move(left);
        for (wxTextCtrl* f : fields) {
            f->Bind(wxEVT_KILL_FOCUS, &FocusLeaveHandler::OnLeave, this);
            fields_.push_back(f);
        }
    }

private:
    void OnLeave(wxFocusEvent& e) {
        e.Skip();
        if (left_) left_();
    }

    std::vector<wxTextCtrl*> fields_;
    std::function<void()> left_;
};

}  // namespace ui
