// A property sheet whose pages are checked by toolkit-free rules: leaving a
// page that refuses is vetoed, OK checks the page in view and then applies
// every page that was shown, Cancel writes nothing further. Extra bands and
// buttons go in the sheet's sizers.
#pragma once

#include <memory>
#include <vector>

#include <wx/bookctrl.h>
#include <wx/propdlg.h>

#include "platform/Messages.h"
#include "ui/common/rules/SheetFlow.h"

namespace ui {

// A page that checks nothing and writes nothing (read-only pages).
class ReadOnlyPage final : public ISheetPage {
public:
    void Load() override {}
    CheckResult Leave() override { return {}; }
    void Apply() override {}
};

class RulesSheetDialog : public wxPropertySheetDialog {
public:
    RulesSheetDialog(wxWindow* parent, const wxString& title, platform::IMessages& messages);

    // Adds a page: its window (a child of GetBookCtrl()) and its rules (not
    // owned; must live as long as the sheet).
    void AddRulesPage(wxWindow* page, ISheetPage& rules, const wxString& title);

    // After the pages are added: the buttons (wxOK, wxCANCEL, wxHELP ...),
    // the layout, and the first page loaded.
    void FinishSheet(int buttonFlags);

protected:
    // OK pressed: the rules' Ok(); closes with wxID_OK when it passed.
    void OnOk(wxCommandEvent& e);

private:
    void OnPageChanging(wxBookCtrlEvent& e);
    void OnPageChanged(wxBookCtrlEvent& e);

    platform::IMessages& messages_;
    std::vector<ISheetPage*> pages_;
    std::unique_ptr<SheetFlow> flow_;
};

}  // namespace ui
