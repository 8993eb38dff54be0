// The "Standard Oils" dialog: the standard library's oils in a sortable
// four-column list, the information sheet of one, and Select.
#pragma once

#include <functional>

#include <wx/listctrl.h>

#include "document/SpillDoc.h"
#include "ui/common/RulesDialog.h"
#include "ui/oils/rules/StandardOilsRules.h"

namespace ui {

// The report list of an oil dialog: the four columns of OilListModel, their
// widths kept as shares of the list's width.
wxListCtrl* MakeOilList(wxWindow* parent, int id);
// The model's rows, in its order.
void FillOilList(wxListCtrl& list, const OilListModel& model);
// Only row selected (and focused, in view); -1 selects nothing.
void ShowOilListRow(wxListCtrl& list, int row);
// The selected row, -1 for none.
int SelectedOilListRow(const wxListCtrl& list);
// Enter on a row of the list runs action (the dialog's default button)
// instead of activating the row; a double click still activates it.
void BindEnterAsDefault(wxListCtrl& list, std::function<void()> action);

class COilsDialog final : public RulesDialog {
public:
    COilsDialog(wxWindow* parent, document::SpillDocCore& doc,
                StandardOilsRules::Mode mode = StandardOilsRules::Mode::Select);

    bool TransferDataToWindow() override;
    bool TransferDataFromWindow() override;

    wxListCtrl* List() const { return list_; }
    StandardOilsRules& Rules() { return rules_; }

    // The information sheet of the selected oil (also a double click on a
    // row).
    void ShowOilInfo();
    // Select: closes with wxID_OK when the oil was accepted.
    void SelectOil();

    // Runs the information sheet; tests replace it to look at the sheet
    // without a modal loop.
    std::function<void(wxWindow* parent, const OilInfoTexts& texts)> runSheet;

private:
    void OnColumnClick(wxListEvent& e);
    void OnActivated(wxListEvent& e);

    StandardOilsRules rules_;
    StandardOilsForm form_;
    wxListCtrl* list_ = nullptr;
};

}  // namespace ui
