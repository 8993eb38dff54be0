// A property sheet whose pages are checked by toolkit-free rules: leaving a
// page that refuses is vetoed, OK checks the page in view and then applies
// every page that was shown, Cancel (and Escape) writes nothing further.
//
// Use: make the sheet, add each page (a window made as a child of
// GetBookCtrl(), its rules, its tab title and optionally its help), put any
// band above the tabs into GetInnerSizer(), then call FinishSheet once.
// Tab moves through the controls in the order they were made (the book's
// tabs, then the page in view); a control made after the book but shown
// above it takes its place with MoveBeforeInTabOrder(GetBookCtrl()). Help
// and F1 open the help of the page in view, else the sheet's.
#pragma once

#include <memory>
#include <optional>
#include <vector>

#include <wx/bookctrl.h>
#include <wx/propdlg.h>

#include "platform/Messages.h"
#include "ui/common/rules/HelpTable.h"
#include "ui/common/rules/SheetFlow.h"

class wxSizer;

namespace ui {

// A page that checks nothing and writes nothing (read-only pages).
class ReadOnlyPage final : public ISheetPage {
public:
    void Load() override {}
    CheckResult Leave() override { return {}; }
    void Apply() override {}
};

// The row of buttons under the tabs.
struct SheetButtons {
    wxString okLabel = "OK";  // e.g. "&Done", "Save Changes"
    // Without Cancel, Escape closes as OK does (a sheet that only shows).
    bool cancel = true;
    // Buttons of the sheet's own (children of the sheet; their clicks are
    // the sheet's to bind), on the left of the row. May be null.
    wxSizer* extra = nullptr;
};

class RulesSheetDialog : public wxPropertySheetDialog {
public:
    // help: the help of every page that has none of its own.
    RulesSheetDialog(wxWindow* parent, const wxString& title, platform::IMessages& messages,
                     std::optional<HelpDialog> help = std::nullopt);

    // Adds a page: its window (a child of GetBookCtrl()), its rules (not
    // owned; must live as long as the sheet), its tab title and its help.
    void AddRulesPage(wxWindow* page, ISheetPage& rules, const wxString& title,
                      std::optional<HelpDialog> help = std::nullopt);

    // After the pages are added: the button row (Help when any page or the
    // sheet has help), the layout, and the first page loaded.
    void FinishSheet(const SheetButtons& buttons = {});

    // The help of the page in view, else the sheet's; none if neither.
    std::optional<HelpDialog> HelpInView() const;
    void ShowHelp();

private:
    void OnOk(wxCommandEvent& e);
    void OnPageChanging(wxBookCtrlEvent& e);
    void OnPageChanged(wxBookCtrlEvent& e);

    platform::IMessages& messages_;
    std::optional<HelpDialog> help_;
    std::vector<ISheetPage*> pages_;
    std::vector<std::optional<HelpDialog>> pageHelp_;
    std::unique_ptr<SheetFlow> flow_;
};

}  // namespace ui
