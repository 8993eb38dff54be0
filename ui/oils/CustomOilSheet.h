// The custom-oil editor "Oil/Product Properties": a header band with the
// library's date and the "Name, Source" edit above four pages of edits and
// lists, "Save Changes", Cancel and Help. It edits a CustomOilEditorForm in
// place; the form keeps what was typed for the next run.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include <wx/panel.h>

#include "ui/common/RulesSheetDialog.h"
#include "ui/oils/rules/CustomOilEditorForm.h"

class wxChoice;
class wxStaticText;
class wxTextCtrl;

namespace ui {

// A page whose edits and lists are bound to texts and choices of the form:
// loaded when first shown, read back when the sheet's OK is accepted.
class CustOilPage : public wxPanel, public ISheetPage {
public:
    explicit CustOilPage(wxWindow* book) : wxPanel(book) {}
    void Load() override;
    CheckResult Leave() override { return {}; }
    void Apply() override;
    // The edit bound to a text of the form, null when none of this page is.
    wxTextCtrl* EditOf(const std::string* text) const;

protected:
    wxTextCtrl* Edit(wxWindow* parent, std::string& text, int width = 80, long style = 0);
    wxChoice* Choice(wxWindow* parent, int& index, const char* const* items, std::size_t count);

private:
    std::vector<std::pair<wxTextCtrl*, std::string*>> texts_;
    std::vector<std::pair<wxChoice*, int*>> choices_;
};

class CPropPageCustOilGeneralInfo final : public CustOilPage {
public:
    CPropPageCustOilGeneralInfo(wxWindow* book, CustomOilEditorForm& form);
};

class CPropPageCustOilProperties final : public CustOilPage {
public:
    CPropPageCustOilProperties(wxWindow* book, CustomOilEditorForm& form);
    void Load() override;
    wxChoice* KindList() const { return kind_; }
    wxStaticText* UnitLabel() const { return unit_; }

private:
    void ShowUnit();

    wxChoice* kind_ = nullptr;
    wxStaticText* unit_ = nullptr;
};

class CPropPageCustOilDistillation final : public CustOilPage {
public:
    CPropPageCustOilDistillation(wxWindow* book, CustomOilEditorForm& form);
};

class CPropPageCustOilMoreProperties final : public CustOilPage {
public:
    CPropPageCustOilMoreProperties(wxWindow* book, CustomOilEditorForm& form);
};

class CPropSheetCustOil final : public RulesSheetDialog {
public:
    CPropSheetCustOil(wxWindow* parent, CustomOilEditorForm& form);

    static constexpr const char* kPageTitles[4] = {"General Info", "Properties", "Distillation", "More Properties"};

    wxTextCtrl* NameEdit() const { return name_; }
    CPropPageCustOilProperties* PropertiesPage() const { return properties_; }
    wxStaticText* DateLabel() const { return modified_; }
    const CustomOilEditorForm& EditedForm() const { return form_; }
    CustOilPage* Page(std::size_t page) const { return page < pages_.size() ? pages_[page] : nullptr; }

    // Shows the page of the place with the focus in the edit of its text
    // (that text selected, ready to be typed over).
    void OpenAt(const CustomOilEditorForm::Place& place);

private:
    CustomOilEditorForm& form_;
    wxTextCtrl* name_ = nullptr;
    wxStaticText* modified_ = nullptr;
    CPropPageCustOilProperties* properties_ = nullptr;
    std::vector<CustOilPage*> pages_;
};

}  // namespace ui
