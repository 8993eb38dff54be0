#include "ui/common/RulesSheetDialog.h"

#include <wx/button.h>
#include <wx/sizer.h>

namespace ui {

RulesSheetDialog::RulesSheetDialog(wxWindow* parent, const wxString& title, platform::IMessages& messages)
    : wxPropertySheetDialog(parent, wxID_ANY, title, wxDefaultPosition, wxDefaultSize,
                            wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER),
      messages_(messages) {}

void RulesSheetDialog::AddRulesPage(wxWindow* page, ISheetPage& rules, const wxString& title) {
    GetBookCtrl()->AddPage(page, title, pages_.empty());
    pages_.push_back(&rules);
}

void RulesSheetDialog::FinishSheet(int buttonFlags) {
    CreateButtons(buttonFlags);
    LayoutDialog();
    flow_ = std::make_unique<SheetFlow>(pages_, messages_);
    const int first = GetBookCtrl()->GetSelection();
    flow_->Start(first < 0 ? 0 : static_cast<std::size_t>(first));
    GetBookCtrl()->Bind(wxEVT_BOOKCTRL_PAGE_CHANGING, &RulesSheetDialog::OnPageChanging, this);
    GetBookCtrl()->Bind(wxEVT_BOOKCTRL_PAGE_CHANGED, &RulesSheetDialog::OnPageChanged, this);
    Bind(wxEVT_BUTTON, &RulesSheetDialog::OnOk, this, wxID_OK);
}

void RulesSheetDialog::OnPageChanging(wxBookCtrlEvent& e) {
    // Only the user's changes of this sheet's own book.
    if (e.GetEventObject() != GetBookCtrl() || !flow_) {
        e.Skip();
        return;
    }
    const int to = e.GetSelection();
    if (to < 0 || flow_->RequestChange(static_cast<std::size_t>(to))) return;
    e.Veto();
    // Some toolkits switch the page in spite of the veto: put the page that
    // refused back in view.
    const int from = static_cast<int>(flow_->Current());
    CallAfter([this, from] { GetBookCtrl()->ChangeSelection(static_cast<std::size_t>(from)); });
}

void RulesSheetDialog::OnPageChanged(wxBookCtrlEvent& e) {
    if (e.GetEventObject() == GetBookCtrl() && flow_ && e.GetSelection() >= 0)
        flow_->Changed(static_cast<std::size_t>(e.GetSelection()));
    e.Skip();
}

void RulesSheetDialog::OnOk(wxCommandEvent&) {
    if (!flow_ || flow_->Ok()) EndModal(wxID_OK);
}

}  // namespace ui
