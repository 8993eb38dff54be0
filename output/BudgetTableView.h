// The oil budget table window: a strip of three lists (time column,
// released unit, other columns) over a read-only fixed-pitch text. The text
// comes from output::BudgetTableText; this window only shows it, keeps the
// three choices, saves it and copies from it.
#pragma once

#include <string>
#include <vector>

#include <wx/panel.h>
#include <wx/string.h>

#include "output/OutputRegistry.h"
#include "output/core/BudgetTable.h"
#include "output/core/TableExport.h"

class wxChoice;
class wxTextCtrl;

namespace document {
class SpillDocCore;
}

namespace output {

class BudgetTableView final : public wxPanel, public IPrintableOutput {
public:
    BudgetTableView(wxWindow* parent, document::SpillDocCore& doc);

    // The table in its current choices, with the page header and footer.
    wxPrintout* CreatePrintout() override;

    // Rebuilds the text from the document's results in the current choices.
    void Rebuild();
    // Sets the choices, shows them in the lists and rebuilds.
    void SetChoices(const BudgetChoices& choices);
    const BudgetChoices& Choices() const { return choices_; }
    const BudgetTableText& Text() const { return text_; }
    // Writes the export to path (the extension is completed as Save As
    // does); failures are shown through the document's messages.
    SaveOutcome SaveTo(const std::string& path);

    wxTextCtrl* TextControl() const { return textCtrl_; }
    // The text the control shows, with its tabs (the control holds them
    // expanded to spaces).
    const wxString& ShownText() const { return source_; }
    // Puts the selected part of the shown text on the clipboard, tabs
    // and all, as the table's own text has them.
    void CopySelection();
    wxChoice* TimeList() const { return lists_[0]; }
    wxChoice* ReleasedList() const { return lists_[1]; }
    wxChoice* OtherList() const { return lists_[2]; }

    // The output area refreshes its windows after a solve: the table is
    // rebuilt from the new results then.
    void Refresh(bool eraseBackground = true, const wxRect* rect = nullptr) override;

private:
    void PushChoices();
    void ShowText();
    void ListChosen(int which);
    void OnSaveAs(wxCommandEvent& e);

    document::SpillDocCore& doc_;
    BudgetChoices choices_;
    BudgetTableText text_;
    wxChoice* lists_[3] = {};
    wxTextCtrl* textCtrl_ = nullptr;
    std::string shown_;  // the text in the control, as built
    wxString source_;    // the same for the screen, tabs kept
    std::vector<std::size_t> sourceAt_;  // control position -> position in source_
};

}  // namespace output
