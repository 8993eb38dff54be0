#include "ui/common/RulesDialog.h"

#include <algorithm>
#include <vector>

#include <wx/accel.h>
#include <wx/bookctrl.h>
#include <wx/button.h>
#include <wx/listctrl.h>
#include <wx/radiobut.h>
#include <wx/textctrl.h>
#include <wx/sizer.h>

#include "ui/common/HelpMessageDialog.h"

namespace ui {

namespace {

// A radio button Tab passes over: one not chosen in a group that has one
// chosen (Tab enters a group at its chosen button, the arrows move in it).
bool PassedOverRadio(wxWindow* w) {
    auto* radio = dynamic_cast<wxRadioButton*>(w);
    if (!radio || radio->GetValue()) return false;
    for (wxRadioButton* r = radio->GetFirstInGroup(); r; r = r->GetNextInGroup())
        if (r->GetValue()) return true;
    return false;
}

// The controls Tab stops at, in the order they were made, groups and panels
// entered: shown and enabled controls that take the keyboard focus. A report
// list is one stop (its inner windows are its own); a book is a stop (its
// tabs), then the page in view.
void CollectTabStops(wxWindow* parent, std::vector<wxWindow*>& out) {
    for (wxWindow* w : parent->GetChildren()) {
        if (w->IsTopLevel() || !w->IsShown() || !w->IsEnabled()) continue;
        if (auto* book = dynamic_cast<wxBookCtrlBase*>(w)) {
            if (book->AcceptsFocusFromKeyboard()) out.push_back(book);
            if (wxWindow* page = book->GetCurrentPage()) CollectTabStops(page, out);
        } else if (dynamic_cast<wxListCtrl*>(w) || w->GetChildren().empty()) {
            if (w->AcceptsFocusFromKeyboard() && !PassedOverRadio(w)) out.push_back(w);
        } else {
            CollectTabStops(w, out);
        }
    }
}

// Gives the focus to the Tab stop after (or before) the one holding the
// focus, around the ends.
void MoveFocus(wxWindow* dialog, wxWindow* focus, bool forward) {
    std::vector<wxWindow*> stops;
    CollectTabStops(dialog, stops);
    if (stops.empty()) return;
    auto at = stops.end();
    for (wxWindow* w = focus; w && w != dialog && at == stops.end(); w = w->GetParent())
        at = std::find(stops.begin(), stops.end(), w);
    const std::size_t n = stops.size();
    std::size_t next = 0;
    if (at != stops.end()) {
        const auto i = static_cast<std::size_t>(at - stops.begin());
        next = forward ? (i + 1) % n : (i + n - 1) % n;
    } else if (!forward) {
        next = n - 1;
    }
    stops[next]->SetFocusFromKbd();
}

}  // namespace

RulesDialog::RulesDialog(wxWindow* parent, const wxString& title, platform::IMessages& messages,
                         std::optional<HelpDialog> help)
    : wxDialog(parent, wxID_ANY, title, wxDefaultPosition, wxDefaultSize, wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER),
      messages_(messages),
      help_(help) {
    SetEscapeId(wxID_CANCEL);
    BindTabOrder(*this);
    if (help_) BindHelpKeys(*this, [this] { ShowHelp(); });
}

void BindTabOrder(wxWindow& dialog) {
    // Done here because the toolkit's report list keeps Tab for itself, a
    // notebook's tabs do not lead into the page, and the toolkit can drop
    // the first Tab after the program moved the focus.
    dialog.Bind(wxEVT_CHAR_HOOK, [&dialog](wxKeyEvent& e) {
        if (e.GetKeyCode() == WXK_TAB && !e.ControlDown() && !e.AltDown()) {
            wxWindow* focus = wxWindow::FindFocus();
            auto* text = dynamic_cast<wxTextCtrl*>(focus);
            if (!(text && text->HasFlag(wxTE_PROCESS_TAB))) {
                MoveFocus(&dialog, focus, !e.ShiftDown());
                return;
            }
        }
        e.Skip();
    });
}

void BindHelpKeys(wxWindow& window, std::function<void()> show) {
    window.Bind(wxEVT_MENU, [show](wxCommandEvent&) { show(); }, wxID_HELP);
    window.Bind(wxEVT_HELP, [show](wxHelpEvent&) { show(); });
    wxAcceleratorEntry f1(wxACCEL_NORMAL, WXK_F1, wxID_HELP);
    window.SetAcceleratorTable(wxAcceleratorTable(1, &f1));
}

void RulesDialog::ShowHelp() {
    if (help_) ShowHelpDialog(this, *help_);
}

wxSizer* MakeStandardButtonRow(wxWindow* dialog, const wxString& okLabel, bool help, bool cancel,
                               wxSizer* extra) {
    auto* row = new wxBoxSizer(wxHORIZONTAL);
    if (extra) row->Add(extra, 0, wxALIGN_CENTER_VERTICAL);
    // Help, Cancel and OK where the platform puts them.
    auto* standard = new wxStdDialogButtonSizer;
    if (help) standard->AddButton(new wxButton(dialog, wxID_HELP, "&Help"));
    if (cancel) standard->AddButton(new wxButton(dialog, wxID_CANCEL, "Cancel"));
    auto* ok = new wxButton(dialog, wxID_OK, okLabel);
    ok->SetDefault();
    standard->AddButton(ok);
    standard->Realize();
    row->Add(standard, 1, wxEXPAND);
    return row;
}

wxSizer* RulesDialog::MakeButtonRow(const wxString& okLabel, wxSizer* extra) {
    wxSizer* row = MakeStandardButtonRow(this, okLabel, help_.has_value(), true, extra);
    if (help_) Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { ShowHelp(); }, wxID_HELP);
    return row;
}

}  // namespace ui
