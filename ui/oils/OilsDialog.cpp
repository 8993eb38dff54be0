#include "ui/oils/OilsDialog.h"

#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

#include "platform/wx/WxText.h"
#include "ui/oils/OilPropertiesSheet.h"

namespace ui {

namespace {
constexpr int ID_OIL_INFO = 1072;
constexpr int ID_OIL_LIST = 1075;
}  // namespace

COilsDialog::COilsDialog(wxWindow* parent, document::SpillDocCore& doc, StandardOilsRules::Mode mode)
    : RulesDialog(parent, kStandardOilsCaption, doc.Messages(), HelpDialog::StandardOils), rules_(doc, mode) {
    auto* top = new wxBoxSizer(wxVERTICAL);
    top->Add(new wxStaticText(this, wxID_ANY, kStandardOilsPrompt), 0, wxLEFT | wxRIGHT | wxTOP, 10);

    list_ = new wxListCtrl(this, ID_OIL_LIST, wxDefaultPosition, FromDIP(wxSize(720, 360)),
                           wxLC_REPORT | wxLC_SINGLE_SEL | wxLC_HRULES | wxLC_VRULES);
    for (int c = 0; c < OilListModel::kColumnCount; ++c)
        list_->AppendColumn(OilListModel::kColumnTitles[static_cast<std::size_t>(c)], wxLIST_FORMAT_LEFT);
    top->Add(list_, 1, wxEXPAND | wxALL, 10);

    auto* extra = new wxBoxSizer(wxHORIZONTAL);
    auto* info = new wxButton(this, ID_OIL_INFO, "Oil &Info...");
    extra->Add(info);
    top->Add(MakeButtonRow("&Select", extra), 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, 10);
    SetSizerAndFit(top);
    CentreOnParent();

    info->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) {
        ShowOilInfo();
        list_->SetFocus();
    });
    Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { SelectOil(); }, wxID_OK);
    list_->Bind(wxEVT_LIST_COL_CLICK, &COilsDialog::OnColumnClick, this);
    list_->Bind(wxEVT_LIST_ITEM_ACTIVATED, &COilsDialog::OnActivated, this);
    list_->Bind(wxEVT_SIZE, [this](wxSizeEvent& e) {
        e.Skip();
        CallAfter([this] { SizeColumns(); });
    });

    runSheet = [](wxWindow* owner, const OilInfoTexts& texts) {
        COilPropertiesSheet sheet(owner, texts);
        sheet.ShowModal();
    };

    form_ = rules_.Load();
    FillList();
    TransferDataToWindow();
    SizeColumns();
    list_->SetFocus();
}

void COilsDialog::SizeColumns() {
    const int width = list_->GetClientSize().GetWidth();
    if (width <= 0) return;
    for (int c = 0; c < OilListModel::kColumnCount; ++c)
        list_->SetColumnWidth(c, static_cast<int>(OilListModel::kColumnWidths[static_cast<std::size_t>(c)] * width));
}

void COilsDialog::FillList() {
    list_->Freeze();
    list_->DeleteAllItems();
    const OilListModel& model = rules_.List();
    for (std::size_t r = 0; r < model.Size(); ++r) {
        const long item = list_->InsertItem(static_cast<long>(r), platform::ToWx(model.Text(r, 0)));
        for (int c = 1; c < OilListModel::kColumnCount; ++c) list_->SetItem(item, c, platform::ToWx(model.Text(r, c)));
    }
    list_->Thaw();
}

bool COilsDialog::TransferDataToWindow() {
    for (long i = list_->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED); i != -1;
         i = list_->GetNextItem(i, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED))
        list_->SetItemState(i, 0, wxLIST_STATE_SELECTED);
    if (form_.row >= 0 && form_.row < list_->GetItemCount()) {
        list_->SetItemState(form_.row, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED,
                            wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
        list_->EnsureVisible(form_.row);
    }
    return true;
}

bool COilsDialog::TransferDataFromWindow() {
    form_.row = static_cast<int>(list_->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED));
    return true;
}

void COilsDialog::OnColumnClick(wxListEvent& e) {
    TransferDataFromWindow();
    form_ = rules_.SortBy(e.GetColumn(), form_);
    FillList();
    TransferDataToWindow();
}

void COilsDialog::OnActivated(wxListEvent&) { ShowOilInfo(); }

void COilsDialog::ShowOilInfo() {
    TransferDataFromWindow();
    const StandardOilsRules::Info info = rules_.OilInfo(form_);
    if (!ShowResult(info.check) || !info.texts) return;
    runSheet(this, *info.texts);
}

void COilsDialog::SelectOil() {
    TransferDataFromWindow();
    const std::optional<CheckResult> result = rules_.Select(form_);
    if (!result) return;
    if (ShowResult(*result)) EndModal(wxID_OK);
}

}  // namespace ui
