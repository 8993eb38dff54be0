#include "ui/common/RulesSheetDialog.h"

#include <algorithm>

#include <wx/button.h>
#include <wx/sizer.h>

#include "ui/common/HelpMessageDialog.h"
#include "ui/common/RulesDialog.h"

namespace ui {

RulesSheetDialog::RulesSheetDialog(wxWindow* parent, const wxString& title, platform::IMessages& messages,
                                   std::optional<HelpDialog> help)
    : wxPropertySheetDialog(parent, wxID_ANY, title, wxDefaultPosition, wxDefaultSize,
                            wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER),
      messages_(messages),
      help_(help) {
    BindTabOrder(*this);
}

void RulesSheetDialog::AddRulesPage(wxWindow* page, ISheetPage& rules, const wxString& title,
                                    std::optional<HelpDialog> help) {
    GetBookCtrl()->AddPage(page, title, pages_.empty());
    pages_.push_back(&rules);
    pageHelp_.push_back(help);
}

void RulesSheetDialog::FinishSheet(const SheetButtons& buttons) {
    const bool help = help_ || std::any_of(pageHelp_.begin(), pageHelp_.end(), [](const auto& h) { return h; });
    GetInnerSizer()->Add(MakeStandardButtonRow(this, buttons.okLabel, help, buttons.cancel, buttons.extra), 0,
                         wxEXPAND | wxALL, 2);
    GetInnerSizer()->AddSpacer(2);
    SetEscapeId(buttons.cancel ? wxID_CANCEL : wxID_OK);
    if (help) {
        Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { ShowHelp(); }, wxID_HELP);
        BindHelpKeys(*this, [this] { ShowHelp(); });
    }
    LayoutDialog();
    flow_ = std::make_unique<SheetFlow>(pages_, messages_);
    const int first = GetBookCtrl()->GetSelection();
    flow_->Start(first < 0 ? 0 : static_cast<std::size_t>(first));
    GetBookCtrl()->Bind(wxEVT_BOOKCTRL_PAGE_CHANGING, &RulesSheetDialog::OnPageChanging, this);
    GetBookCtrl()->Bind(wxEVT_BOOKCTRL_PAGE_CHANGED, &RulesSheetDialog::OnPageChanged, this);
    Bind(wxEVT_BUTTON, &RulesSheetDialog::OnOk, this, wxID_OK);
}

std::optional<HelpDialog> RulesSheetDialog::HelpInView() const {
    const int page = GetBookCtrl()->GetSelection();
    if (page >= 0 && static_cast<std::size_t>(page) < pageHelp_.size() && pageHelp_[static_cast<std::size_t>(page)])
        return pageHelp_[static_cast<std::size_t>(page)];
    return help_;
}

void RulesSheetDialog::ShowHelp() {
    if (const auto help = HelpInView()) ShowHelpDialog(this, *help);
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
