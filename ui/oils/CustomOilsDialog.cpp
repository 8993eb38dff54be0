#include "ui/oils/CustomOilsDialog.h"

#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

#include "ui/common/ChoiceDialog.h"
#include "ui/oils/CustomOilSheet.h"
#include "ui/oils/OilDialogs.h"
#include "ui/oils/OilsDialog.h"

namespace ui {

namespace {
constexpr int ID_CUSTOM_LIST = 1263;

constexpr const char* kBlankText = "Create and edit a new oil with empty property fields.";
}  // namespace

FirstOilChoice RunFirstOilChoice(wxWindow* parent) {
    ChoiceDialog dialog(parent, "Create Custom Library",
                        "There are no custom oils to choose from, but you can create a new oil. You have two "
                        "options for creating a new custom oil: ",
                        {{"&Select", "Select one of the standard TAVRO oils and edit a copy of it.", ID_CHOICE_SELECT},
                         {"&Blank", kBlankText, ID_CHOICE_BLANK}});
    switch (dialog.ShowModal()) {
        case ID_CHOICE_SELECT: return FirstOilChoice::Select;
        case ID_CHOICE_BLANK: return FirstOilChoice::Blank;
        default: return FirstOilChoice::Cancel;
    }
}

AddChoice RunAddChoice(wxWindow* parent) {
    ChoiceDialog dialog(parent, "Modifiy Custom Library", "You have three options for creation a new custom oil:",
                        {{"&Select",
                          "Select one of the standard TAVRO oils and add it to the custom oil library where it may "
                          "be edited.",
                          ID_CHOICE_SELECT},
                         {"&Blank", kBlankText, ID_CHOICE_BLANK},
                         {"C&opy", "Make a copy of the currently selected custom oil and edit the copy.",
                          ID_CHOICE_COPY}});
    switch (dialog.ShowModal()) {
        case ID_CHOICE_SELECT: return AddChoice::Select;
        case ID_CHOICE_BLANK: return AddChoice::Blank;
        case ID_CHOICE_COPY: return AddChoice::Copy;
        default: return AddChoice::Cancel;
    }
}

bool RunRemoveChoice(wxWindow* parent) {
    ChoiceDialog dialog(parent, "Modify Custom Library",
                        "Are you sure you want to delete the selected oil from your Custom Oil Library? The change "
                        "will be saved immediately.",
                        {{"&Remove Oil", "", ID_CHOICE_REMOVE}});
    return dialog.ShowModal() == ID_CHOICE_REMOVE;
}

CCustomOilsDialog::CCustomOilsDialog(wxWindow* parent, document::SpillDocCore& doc)
    : RulesDialog(parent, kCustomOilsCaption, doc.Messages(), HelpDialog::CustomOils),
      doc_(doc),
      controller_(doc, *this) {
    auto* top = new wxBoxSizer(wxVERTICAL);
    top->Add(new wxStaticText(this, wxID_ANY, kCustomOilsPrompt), 0, wxLEFT | wxRIGHT | wxTOP, 10);
    list_ = MakeOilList(this, ID_CUSTOM_LIST);
    top->Add(list_, 1, wxEXPAND | wxALL, 10);

    auto* extra = new wxBoxSizer(wxHORIZONTAL);
    auto* edit = new wxButton(this, ID_CUSTOM_EDIT, "&Edit Oil...");
    auto* add = new wxButton(this, ID_CUSTOM_ADD, "&Add...");
    auto* remove = new wxButton(this, ID_CUSTOM_REMOVE, "&Remove");
    extra->Add(edit);
    extra->Add(add, 0, wxLEFT, 6);
    extra->Add(remove, 0, wxLEFT, 6);
    top->Add(MakeButtonRow("&Select", extra), 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, 10);
    SetSizerAndFit(top);
    CentreOnParent();

    edit->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { EditOil(); });
    add->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { Add(); });
    remove->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { Remove(); });
    Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { SelectOil(); }, wxID_OK);
    list_->Bind(wxEVT_LIST_COL_CLICK, &CCustomOilsDialog::OnColumnClick, this);
    // A double click edits the oil; Enter on a row is Select, the
    // dialog's default button.
    list_->Bind(wxEVT_LIST_ITEM_ACTIVATED, [this](wxListEvent&) {
        ReadRow();
        controller_.Activate();
        ShowList();
    });
    BindEnterAsDefault(*list_, [this] { SelectOil(); });
}

bool CCustomOilsDialog::Open() {
    if (!controller_.Open()) return false;
    ShowList();
    return true;
}

wxWindow* CCustomOilsDialog::Owner() { return IsShown() ? static_cast<wxWindow*>(this) : GetParent(); }

void CCustomOilsDialog::ReadRow() { controller_.SetSelectedRow(SelectedOilListRow(*list_)); }

void CCustomOilsDialog::ShowList() {
    FillOilList(*list_, controller_.List());
    ShowOilListRow(*list_, controller_.SelectedRow());
    list_->SetFocus();
}

void CCustomOilsDialog::OnColumnClick(wxListEvent& e) {
    ReadRow();
    controller_.SortBy(e.GetColumn());
    ShowList();
}

void CCustomOilsDialog::Add() {
    ReadRow();
    controller_.Add();
    ShowList();
}

void CCustomOilsDialog::EditOil() {
    ReadRow();
    controller_.Edit();
    ShowList();
}

void CCustomOilsDialog::Remove() {
    ReadRow();
    controller_.Remove();
    ShowList();
}

void CCustomOilsDialog::SelectOil() {
    ReadRow();
    if (controller_.Select()) EndModal(wxID_OK);
}

FirstOilChoice CCustomOilsDialog::ChooseFirstOil() { return RunFirstOilChoice(Owner()); }
AddChoice CCustomOilsDialog::ChooseAdd() { return RunAddChoice(Owner()); }
bool CCustomOilsDialog::ConfirmRemove() { return RunRemoveChoice(Owner()); }

std::optional<oillib::FileOffset> CCustomOilsDialog::PickStandardOil() { return ui::PickStandardOil(Owner(), doc_); }

bool CCustomOilsDialog::RunEditor(CustomOilEditorForm& form, const CustomOilEditorForm::Place& place) {
    CPropSheetCustOil sheet(Owner(), form);
    sheet.OpenAt(place);
    return sheet.ShowModal() == wxID_OK;
}

}  // namespace ui
