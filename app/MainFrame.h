// The main window: menus, one toolbar (Solve and the eleven graph toggles),
// the status bar, the "Scenario" pane on the left and a notebook with one
// workspace page per open scenario. Commands act on the current scenario.
#pragma once

#include <string>

#include <wx/aui/framemanager.h>
#include <wx/docview.h>
#include <wx/notebook.h>

#include "document/AppSettings.h"
#include "document/Interfaces.h"

namespace app {

class ScenarioTreePane;
class SpillDocWx;
class WorkspaceView;

// The frame's pane layout, with the size of the dock a pane sits in (the
// toolkit keeps it apart from the pane's own sizes once laid out).
class PaneManager final : public wxAuiManager {
public:
    // 0 when the pane is in no dock (hidden or floating).
    int DockSizeOf(const wxWindow* pane) const;
    void SetDockSize(const wxWindow* pane, int size);
};

// The hint shown while no scenario is open.
inline constexpr const char* kEmptyWorkspaceHint = "File > New or File > Open to start";

inline constexpr int kStatusFields = 4;  // message, CAP, NUM, SCRL

class CMainFrame final : public wxDocParentFrame {
public:
    // The pane and the window are laid out as the settings say.
    CMainFrame(wxDocManager* manager, const document::AppSettings& settings = {});
    ~CMainFrame() override;

    // The left pane; the scenario tree fills it.
    wxWindow* ScenarioPane() const { return pane_; }
    PaneManager& Aui() { return aui_; }
    ScenarioTreePane* Tree() const { return treePane_; }
    // The pane's thickness across its side, and the side.
    int PaneSize() const;
    document::PaneSide PaneSideNow() const;
    // Puts the layout to keep into the settings.
    void StoreLayout(document::AppSettings& settings) const;
    // The empty workspace's hint (shown while no scenario is open).
    wxWindow* EmptyHint() const { return hint_; }

    wxNotebook* Workspaces() const { return book_; }
    void AddWorkspace(WorkspaceView* view);
    void RemoveWorkspace(WorkspaceView* view);
    void WorkspaceRenamed(WorkspaceView* view);
    WorkspaceView* CurrentWorkspace() const;
    SpillDocWx* CurrentDoc() const;

    // "TAVRO2 - <name>", with " *" while it has unsaved changes, or "TAVRO2"
    // with no scenario open.
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
    // The pane widens to the widest item, up to half the window, until the
    // user sizes it (or a size was remembered).
    void FitPane();
    void ShowEmptyHint();
    void OnMoveOrSize();

    PaneManager aui_;
    wxPanel* centre_ = nullptr;  // the notebook, or the hint when it is empty
    wxPanel* hintPanel_ = nullptr;
    wxWindow* hint_ = nullptr;
    wxNotebook* book_ = nullptr;
    wxPanel* pane_ = nullptr;
    ScenarioTreePane* treePane_ = nullptr;
    bool fitPane_ = true;
    int fittedSize_ = 0;
    int shownSize_ = 0;  // the pane's size while shown, kept while it is hidden
    wxRect normal_;  // the window's last place when not maximised
    wxMenu* recent_ = nullptr;
    document::ITreeRefresh* tree_ = nullptr;  // the tree's part of the idle refresh
    wxString indicators_[kStatusFields];
};

}  // namespace app
