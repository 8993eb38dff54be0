// The "Standard Oils" dialog: the standard library's oils in a sortable
// four-column list, the information sheet of one, and Select.
#pragma once

#include <functional>

#include <wx/listctrl.h>

#include "document/SpillDoc.h"
#include "ui/common/RulesDialog.h"
#include "ui/oils/rules/StandardOilsRules.h"

namespace ui {

class COilsDialog final : public RulesDialog {
public:
    COilsDialog(wxWindow* parent, document::SpillDocCore& doc,
                StandardOilsRules::Mode mode = StandardOilsRules::Mode::Select);

    bool TransferDataToWindow() override;
    bool TransferDataFromWindow() override;

    wxListCtrl* List() const { return list_; }
    StandardOilsRules& Rules() { return rules_; }

    // The information sheet of the selected oil (also double click and
    // Enter on a row).
    void ShowOilInfo();
    // Select: closes with wxID_OK when the oil was accepted.
    void SelectOil();

    // Runs the information sheet; tests replace it to look at the sheet
    // without a modal loop.
    std::function<void(wxWindow* parent, const OilInfoTexts& texts)> runSheet;

private:
    void FillList();
    void SizeColumns();
    void OnColumnClick(wxListEvent& e);
    void OnActivated(wxListEvent& e);

    StandardOilsRules rules_;
    StandardOilsForm form_;
    wxListCtrl* list_ = nullptr;
};

}  // namespace ui
