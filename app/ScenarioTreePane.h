// The "Scenario" pane: a tree that mirrors the current scenario's summary
// (document::ScenarioTreeModel). Activating an item (double-click or Enter)
// runs the input command that edits it.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include <wx/treectrl.h>

#include "document/Interfaces.h"
#include "document/ScenarioTree.h"

namespace app {

class SpillDocWx;

class ScenarioTreePane final : public wxTreeCtrl {
public:
    // The scenario the pane shows (null: none).
    using CurrentDoc = std::function<SpillDocWx*()>;
    ScenarioTreePane(wxWindow* parent, CurrentDoc current);
    ~ScenarioTreePane() override;

    // The tree's part of the idle refresh: rebuilds the flagged sections of
    // the scenario's model, then shows them.
    document::ITreeRefresh& TreeRefresh() { return refresh_; }

    // Shows the current scenario's model (or the empty roots): everything
    // when the scenario changed, else the sections rebuilt since.
    void Sync();
    // The model path of an item of the control.
    document::TreeItemPath PathOf(const wxTreeItemId& item) const;
    // Runs the command of an item, as activating it does (there, once the
    // control is done with the event). True when one ran.
    bool Activate(const wxTreeItemId& item);
    // The root item of the control with this text (test and tools).
    wxTreeItemId FindRootItem(const wxString& text) const;
    // The width the widest item shown needs, in pixels.
    int WidestItemWidth() const;
    // An item wider than the control: its text, shown as its tooltip.
    wxString CutItemText(const wxTreeItemId& item) const;

private:
    class Refresher final : public document::ITreeRefresh {
    public:
        explicit Refresher(ScenarioTreePane& pane) : pane_(pane) {}
        void Refresh(document::SpillDocCore& doc) override;

    private:
        ScenarioTreePane& pane_;
    };

    void Show(const document::ScenarioTreeModel& model);
    void Fill(const wxTreeItemId& parent, const document::TreeItem& item);
    void FillRoot(const wxTreeItemId& id, const document::TreeRoot& root);
    // The menu command of an item, or wxID_NONE.
    int CommandOf(const wxTreeItemId& item) const;
    bool RunCommand(int id);
    void OnActivated(wxTreeEvent& e);
    void OnIdle(wxIdleEvent& e);
    // What the user did to a scenario's tree (opened and closed items,
    // scrolling), kept while another scenario is shown.
    struct ViewState {
        std::set<std::string> expanded, collapsed;  // item paths by text
        wxPoint viewStart;
    };
    void SaveViewState();
    void RestoreViewState();
    std::string TextPath(const wxTreeItemId& item) const;

    CurrentDoc current_;
    Refresher refresh_;
    document::ScenarioTreeModel empty_;  // shown without a scenario
    const document::ScenarioTreeModel* shown_ = nullptr;
    std::vector<std::uint64_t> revisions_;  // of the roots shown, in order
    std::vector<std::string> texts_;
    std::vector<wxTreeItemId> roots_;
    std::map<const document::ScenarioTreeModel*, ViewState> states_;
};

}  // namespace app
