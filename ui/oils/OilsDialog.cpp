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

void SizeColumns(wxListCtrl& list) {
    const int width = list.GetClientSize().GetWidth();
    if (width <= 0) return;
    for (int c = 0; c < OilListModel::kColumnCount; ++c)
        list.SetColumnWidth(c, static_cast<int>(OilListModel::kColumnWidths[static_cast<std::size_t>(c)] * width));
}

}  // namespace

wxListCtrl* MakeOilList(wxWindow* parent, int id) {
    auto* list = new wxListCtrl(parent, id, wxDefaultPosition, parent->FromDIP(wxSize(720, 360)),
                                wxLC_REPORT | wxLC_SINGLE_SEL | wxLC_HRULES | wxLC_VRULES);
    for (int c = 0; c < OilListModel::kColumnCount; ++c)
        list->AppendColumn(OilListModel::kColumnTitles[static_cast<std::size_t>(c)], wxLIST_FORMAT_LEFT);
    list->Bind(wxEVT_SIZE, [list](wxSizeEvent& e) {
        e.Skip();
        list->CallAfter([list] { SizeColumns(*list); });
    });
    SizeColumns(*list);
    return list;
}

void FillOilList(wxListCtrl& list, const OilListModel& model) {
    list.Freeze();
    list.DeleteAllItems();
    for (std::size_t r = 0; r < model.Size(); ++r) {
        const long item = list.InsertItem(static_cast<long>(r), platform::ToWx(model.Text(r, 0)));
        for (int c = 1; c < OilListModel::kColumnCount; ++c) list.SetItem(item, c, platform::ToWx(model.Text(r, c)));
    }
    list.Thaw();
}

void ShowOilListRow(wxListCtrl& list, int row) {
    for (long i = list.GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED); i != -1;
         i = list.GetNextItem(i, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED))
        list.SetItemState(i, 0, wxLIST_STATE_SELECTED);
    if (row >= 0 && row < list.GetItemCount()) {
        list.SetItemState(row, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED,
                          wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
        list.EnsureVisible(row);
    }
}

int SelectedOilListRow(const wxListCtrl& list) {
    return static_cast<int>(list.GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED));
}

void BindEnterAsDefault(wxListCtrl& list, std::function<void()> action) {
    list.Bind(wxEVT_LIST_KEY_DOWN, [action = std::move(action)](wxListEvent& e) {
        const int key = e.GetKeyCode();
        if (key == WXK_RETURN || key == WXK_NUMPAD_ENTER) action();
        else e.Skip();
    });
}

COilsDialog::COilsDialog(wxWindow* parent, document::SpillDocCore& doc, StandardOilsRules::Mode mode)
    : RulesDialog(parent, kStandardOilsCaption, doc.Messages(), HelpDialog::StandardOils), rules_(doc, mode) {
    auto* top = new wxBoxSizer(wxVERTICAL);
    top->Add(new wxStaticText(this, wxID_ANY, kStandardOilsPrompt), 0, wxLEFT | wxRIGHT | wxTOP, 10);

    list_ = MakeOilList(this, ID_OIL_LIST);
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
    // A double click shows the oil's sheet; Enter on a row is Select.
    list_->Bind(wxEVT_LIST_ITEM_ACTIVATED, &COilsDialog::OnActivated, this);
    BindEnterAsDefault(*list_, [this] { SelectOil(); });

    runSheet = [](wxWindow* owner, const OilInfoTexts& texts) {
        COilPropertiesSheet sheet(owner, texts);
        sheet.ShowModal();
    };

    form_ = rules_.Load();
    FillOilList(*list_, rules_.List());
    TransferDataToWindow();
    list_->SetFocus();
}

bool COilsDialog::TransferDataToWindow() {
    ShowOilListRow(*list_, form_.row);
    return true;
}

bool COilsDialog::TransferDataFromWindow() {
    form_.row = SelectedOilListRow(*list_);
    return true;
}

void COilsDialog::OnColumnClick(wxListEvent& e) {
    TransferDataFromWindow();
    form_ = rules_.SortBy(e.GetColumn(), form_);
    FillOilList(*list_, rules_.List());
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
