#include "app/FormPanel.h"

#include <wx/artprov.h>
#include <wx/settings.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

#include "app/CommandIds.h"

namespace app {

namespace {

const wxSize kTickSize(16, 16);

wxStaticText* Text(wxWindow* parent, const char* text) { return new wxStaticText(parent, wxID_ANY, text); }

}  // namespace

LinkButton::LinkButton(wxWindow* parent, int id, const wxString& label)
    : wxButton(parent, id, label, wxDefaultPosition, wxDefaultSize, wxBORDER_NONE | wxBU_EXACTFIT) {
    ShowState(true);
#ifdef __WXGTK3__
    // A link, not a button: no theme background or frame, hovered or not;
    // only the cursor changes.
    GTKApplyCssStyle("*, *:hover, *:active, *:focus { background: none; background-color: transparent; "
                     "box-shadow: none; border-color: transparent; }");
#endif
    // A click is the menu command of the button's id.
    Bind(wxEVT_BUTTON, [this](wxCommandEvent& e) { SendMenuCommand(this, e.GetId()); });
}

bool LinkButton::Enable(bool enable) {
    const bool changed = wxButton::Enable(enable);
    if (changed) ShowState(enable);
    return changed;
}

void LinkButton::ShowState(bool enabled) {
    SetForegroundColour(enabled ? wxColour(0, 0, 255) : wxSystemSettings::GetColour(wxSYS_COLOUR_GRAYTEXT));
    SetCursor(enabled ? wxCursor(wxCURSOR_HAND) : wxNullCursor);
    Refresh();
}

FormPanel::FormPanel(wxWindow* parent) : wxPanel(parent, wxID_ANY) {
    SetBackgroundColour(wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOW));
    const int gap = FromDIP(8);

    guide_ = new wxPanel(this);
    auto* g = new wxBoxSizer(wxVERTICAL);
    g->Add(Text(guide_, "To build a spill scenario:"), 0, wxBOTTOM, gap);
    g->Add(Text(guide_, "1) In any order, click the following links in the toolbar."), 0, wxBOTTOM, gap / 2);
    struct Row {
        document::FormInput input;
        int id;
        const char* button;
        const char* text;
    };
    const Row rows[] = {
        {document::FormRelease, ID_RELEASE, "Release", "- how much oil was spilled"},
        {document::FormOil, ID_OIL_BUTTON, "Oil", "- type of oil or product spilled"},
        {document::FormWindWave, ID_WIND_WAVE, "Wind/Wave", "- weather conditions"},
        {document::FormWater, ID_WATER, "Water", "- water properties"},
    };
    auto* grid = new wxFlexGridSizer(3, wxSize(gap, gap / 2));
    for (const Row& r : rows) {
        ticks_[r.input] = new wxStaticBitmap(guide_, wxID_ANY, wxNullBitmap, wxDefaultPosition, kTickSize);
        ticks_[r.input]->SetMinSize(kTickSize);
        grid->Add(ticks_[r.input], 0, wxALIGN_CENTER_VERTICAL);
        grid->Add(new LinkButton(guide_, r.id, r.button), 0, wxALIGN_CENTER_VERTICAL | wxEXPAND);
        grid->Add(Text(guide_, r.text), 0, wxALIGN_CENTER_VERTICAL);
    }
    g->Add(grid, 0, wxLEFT | wxBOTTOM, gap * 2);
    g->Add(Text(guide_, "2) If oil is being removed during the scenario, use the Removal menu to include this "
                        "information."),
           0, wxBOTTOM, gap);
    auto* solveRow = new wxBoxSizer(wxHORIZONTAL);
    solveRow->Add(Text(guide_, "3) Once you have finished, click"), 0, wxALIGN_CENTER_VERTICAL);
    solveRow->Add(new LinkButton(guide_, ID_SOLVE, "Solve"), 0, wxALIGN_CENTER_VERTICAL | wxLEFT, gap / 2);
    g->Add(solveRow);
    guide_->SetSizer(g);

    notice_ = new wxPanel(this);
    auto* n = new wxBoxSizer(wxHORIZONTAL);
    n->Add(new wxStaticBitmap(notice_, wxID_ANY, wxArtProvider::GetBitmap(wxART_WARNING, wxART_MESSAGE_BOX)), 0,
           wxRIGHT, gap * 2);
    auto* lines = new wxBoxSizer(wxVERTICAL);
    lines->Add(Text(notice_, "TAVRO needs to make new graphs because the input has been changed."), 0, wxBOTTOM,
               gap);
    auto* again = new wxBoxSizer(wxHORIZONTAL);
    again->Add(Text(notice_, "When ready, click the"), 0, wxALIGN_CENTER_VERTICAL);
    again->Add(new LinkButton(notice_, ID_SOLVE, "Solve"), 0, wxALIGN_CENTER_VERTICAL | wxLEFT | wxRIGHT, gap / 2);
    again->Add(Text(notice_, "button to re-calculate."), 0, wxALIGN_CENTER_VERTICAL);
    lines->Add(again);
    n->Add(lines, 0, wxALIGN_CENTER_VERTICAL);
    notice_->SetSizer(n);
    notice_->Hide();

    auto* top = new wxBoxSizer(wxVERTICAL);
    top->Add(guide_, 0, wxALL, gap * 3);
    top->Add(notice_, 0, wxALL, gap * 3);
    SetSizer(top);
}

void FormPanel::Apply(const document::FormState& state) {
    bool relayout = false;
    if (state.notice && !notice_->IsShown()) {
        // Keyboard focus must not stay on a hidden button.
        const bool hadFocus = guide_->IsDescendant(wxWindow::FindFocus());
        guide_->Hide();
        notice_->Show();
        relayout = true;
        if (hadFocus) notice_->SetFocus();
    }
    for (int i = 0; i < document::kFormInputs; ++i) {
        const bool on = state.TickShown(static_cast<document::FormInput>(i));
        if (on == tickOn_[i]) continue;
        tickOn_[i] = on;
        ticks_[i]->SetBitmap(on ? wxArtProvider::GetBitmap(wxART_TICK_MARK, wxART_OTHER, kTickSize) : wxNullBitmap);
        ticks_[i]->Refresh();
    }
    if (relayout) {
        Layout();
        Refresh();
    }
}

}  // namespace app
