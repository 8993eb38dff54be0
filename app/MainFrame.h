// The main window: menus, one toolbar (Solve and the eleven graph toggles),
// the status bar, the "Scenario" pane on the left and a notebook with one
// workspace page per open scenario. Commands act on the current scenario.
#pragma once

#include <string>

#include <wx/aui/framemanager.h>
#include <wx/docview.h>
#include <wx/notebook.h>

#include "document/Interfaces.h"

namespace app {

class SpillDocWx;
class WorkspaceView;

inline constexpr int kStatusFields = 4;  // message, CAP, NUM, SCRL

class CMainFrame final : public wxDocParentFrame {
public:
    CMainFrame(wxDocManager* manager);
    ~CMainFrame() override;

    // The left pane; the scenario tree fills it.
    wxWindow* ScenarioPane() const { return pane_; }
    wxAuiManager& Aui() { return aui_; }

    wxNotebook* Workspaces() const { return book_; }
    void AddWorkspace(WorkspaceView* view);
    void RemoveWorkspace(WorkspaceView* view);
    void WorkspaceRenamed(WorkspaceView* view);
    WorkspaceView* CurrentWorkspace() const;
    SpillDocWx* CurrentDoc() const;

    // "TAVRO2 - <name>", or "TAVRO2" with no scenario open.
    wxString ExpectedTitle() const;
    // One idle pass on the current scenario (tests call it directly).
    void RefreshNow();

private:
    void BuildMenus();
    void BuildToolBar();
    void OnIdle(wxIdleEvent& e);
    void OnClose(wxCloseEvent& e);
    void OnPageChanged(wxBookCtrlEvent& e);
    void OnInput(wxCommandEvent& e);
    void OnSolve(wxCommandEvent& e);
    void OnGraph(wxCommandEvent& e);
    void OnOutputCommand(wxCommandEvent& e);
    void OnUpdateScenario(wxUpdateUIEvent& e);
    void OnUpdateOutputs(wxUpdateUIEvent& e);
    void OnNextPane(wxCommandEvent& e);
    void UpdateIndicators();
    void RefreshAfterCommand();

    wxAuiManager aui_;
    wxNotebook* book_ = nullptr;
    wxPanel* pane_ = nullptr;
    wxMenu* recent_ = nullptr;
    document::ITreeRefresh* tree_ = nullptr;  // the tree's part of the idle refresh
    wxString indicators_[kStatusFields];
};

}  // namespace app
