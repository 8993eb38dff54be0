#include "app/MainFrame.h"

#include <algorithm>

#include <wx/accel.h>
#include <wx/control.h>
#include <wx/display.h>
#include <wx/settings.h>
#include <wx/stattext.h>
#include <wx/menu.h>
#include <wx/panel.h>
#include <wx/sizer.h>
#include <wx/statusbr.h>
#include <wx/textentry.h>
#include <wx/toolbar.h>
#include <wx/utils.h>

#include "app/CommandIds.h"
#include "app/FormPanel.h"
#include "app/OutputArea.h"
#include "app/ScenarioTreePane.h"
#include "app/SpillDocWx.h"
#include "app/TavroApp.h"
#include "app/WorkspaceView.h"
#include "app/WxDialogRunner.h"
#include "ui/common/DialogRegistry.h"
#include "document/IdleRefresh.h"
#include "document/OutputWindows.h"
#include "platform/Help.h"
#include "platform/Messages.h"

namespace app {

using document::OutputKind;

namespace {

// Menu texts of the graph toggles, in graph order.
constexpr const char* kGraphMenuTexts[document::kGraphCount] = {
    "&Density", "&Viscosity", "&Water", "Ben&zene", "Oil &Budget", "&Evaporation",
    "Dis&perse", "&Remain",   "B&urn",  "&Skim",    "Be&ach",
};

constexpr const char* kSaveAsLabel = "Save &As...";
constexpr const char* kSaveTableAsLabel = "Save Table &As...";

bool IsGraphId(int id) { return id >= ID_GRAPH_FIRST && id <= ID_GRAPH_LAST; }

// Before it is maximised: wide enough for the whole toolbar where the
// screen allows.
wxSize InitialSize() {
    const wxSize screen = wxGetDisplaySize();
    return wxSize(std::min(1240, std::max(640, screen.x - 40)), std::min(860, std::max(480, screen.y - 60)));
}

// A remembered place is used only while its title bar is on a screen now.
bool OnAScreen(const document::WindowPlace& w) {
    return w.known && wxDisplay::GetFromPoint(wxPoint(w.x + std::min(w.width / 2, 100), w.y + 10)) != wxNOT_FOUND;
}

int DockDirection(document::PaneSide side) {
    switch (side) {
        case document::PaneSide::Right: return wxAUI_DOCK_RIGHT;
        case document::PaneSide::Top: return wxAUI_DOCK_TOP;
        case document::PaneSide::Bottom: return wxAUI_DOCK_BOTTOM;
        case document::PaneSide::Left: break;
    }
    return wxAUI_DOCK_LEFT;
}

bool Across(int direction) { return direction == wxAUI_DOCK_TOP || direction == wxAUI_DOCK_BOTTOM; }

}  // namespace

// ---- Pane manager ---------------------------------------------------------------

int PaneManager::DockSizeOf(const wxWindow* pane) const {
    for (size_t i = 0; i < m_docks.GetCount(); ++i) {
        const wxAuiDockInfo& dock = m_docks.Item(i);
        for (size_t j = 0; j < dock.panes.GetCount(); ++j)
            if (dock.panes.Item(j)->window == pane) return dock.size;
    }
    return 0;
}

void PaneManager::SetDockSize(const wxWindow* pane, int size) {
    for (size_t i = 0; i < m_docks.GetCount(); ++i) {
        wxAuiDockInfo& dock = m_docks.Item(i);
        for (size_t j = 0; j < dock.panes.GetCount(); ++j)
            if (dock.panes.Item(j)->window == pane) dock.size = size;
    }
    Update();
}

// ---- Main frame -----------------------------------------------------------------

CMainFrame::CMainFrame(wxDocManager* manager, const document::AppSettings& settings)
    : wxDocParentFrame(manager, nullptr, wxID_ANY, platform::kAppTitle, wxDefaultPosition, InitialSize()) {
    if (OnAScreen(settings.window)) {
        normal_ = wxRect(settings.window.x, settings.window.y, settings.window.width, settings.window.height);
        SetSize(normal_);
    }
    aui_.SetManagedWindow(this);
    BuildMenus();
    BuildToolBar();

    CreateStatusBar(kStatusFields);
    const int widths[kStatusFields] = {-1, FromDIP(48), FromDIP(48), FromDIP(48)};
    GetStatusBar()->SetStatusWidths(kStatusFields, widths);
    SetStatusText(document::kReadyText, 0);

    pane_ = new wxPanel(this);
    pane_->SetSizer(new wxBoxSizer(wxVERTICAL));
    // The workspaces' notebook, and the hint in its place while it is empty.
    centre_ = new wxPanel(this);
    book_ = new wxNotebook(centre_, wxID_ANY);
    hintPanel_ = new wxPanel(centre_);
    auto* hint = new wxStaticText(hintPanel_, wxID_ANY, wxString());
    hint->SetLabelText(kEmptyWorkspaceHint);
    hint->SetForegroundColour(wxSystemSettings::GetColour(wxSYS_COLOUR_GRAYTEXT));
    hint_ = hint;
    auto* middle = new wxBoxSizer(wxVERTICAL);
    middle->AddStretchSpacer();
    middle->Add(hint_, 0, wxALIGN_CENTER);
    middle->AddStretchSpacer();
    hintPanel_->SetSizer(middle);
    auto* centre = new wxBoxSizer(wxVERTICAL);
    centre->Add(book_, 1, wxEXPAND);
    centre->Add(hintPanel_, 1, wxEXPAND);
    centre_->SetSizer(centre);
    const int direction = DockDirection(settings.paneSide);
    // Remembered, or a first width that the tree's items then widen (FitPane).
    fitPane_ = settings.paneSize <= 0;
    const int size = fitPane_ ? FromDIP(320) : settings.paneSize;
    aui_.AddPane(pane_, wxAuiPaneInfo()
                            .Name("scenario")
                            .Caption("Scenario")
                            .Direction(direction)
                            .Layer(1)
                            .MinSize(32, 32)
                            .BestSize(Across(direction) ? wxSize(-1, size) : wxSize(size, -1))
                            .CloseButton(false)
                            .Dockable(true)
                            .Floatable(true)
                            .Show(settings.paneShown));
    aui_.AddPane(centre_, wxAuiPaneInfo().Name("workspaces").CenterPane().PaneBorder(false));
    aui_.Update();
    if (!fitPane_) {
        aui_.SetDockSize(pane_, size);
        shownSize_ = size;
    }
    fittedSize_ = aui_.DockSizeOf(pane_);
    // The scenario tree fills the pane and takes its part of the idle refresh.
    treePane_ = new ScenarioTreePane(pane_, [this] { return CurrentDoc(); });
    pane_->GetSizer()->Add(treePane_, 1, wxEXPAND);
    pane_->Layout();
    tree_ = &treePane_->TreeRefresh();
    // A click in the tree gives the File commands back to the scenario.
    pane_->Bind(wxEVT_CHILD_FOCUS, [this](wxChildFocusEvent& e) {
        if (WorkspaceView* view = CurrentWorkspace(); view && view->Area()) view->Area()->ClearActive();
        e.Skip();
    });
    ShowEmptyHint();

    wxAcceleratorEntry keys[] = {
        wxAcceleratorEntry(wxACCEL_NORMAL, WXK_F6, ID_NEXT_PANE),
        wxAcceleratorEntry(wxACCEL_NORMAL, WXK_F5, ID_SOLVE),
        wxAcceleratorEntry(wxACCEL_CTRL, WXK_TAB, ID_NEXT_OUTPUT),
        wxAcceleratorEntry(wxACCEL_CTRL | wxACCEL_SHIFT, WXK_TAB, ID_PREVIOUS_OUTPUT),
    };
    SetAcceleratorTable(wxAcceleratorTable(static_cast<int>(std::size(keys)), keys));
    Bind(wxEVT_MENU, [this](wxCommandEvent& e) {
        if (WorkspaceView* view = CurrentWorkspace(); view && view->Area())
            view->Area()->ActivateNext(e.GetId() == ID_NEXT_OUTPUT ? 1 : -1);
    }, ID_NEXT_OUTPUT, ID_PREVIOUS_OUTPUT);
    Bind(wxEVT_SIZE, [this](wxSizeEvent& e) {
        OnMoveOrSize();
        e.Skip();
    });
    Bind(wxEVT_MOVE, [this](wxMoveEvent& e) {
        OnMoveOrSize();
        e.Skip();
    });

    Bind(wxEVT_IDLE, &CMainFrame::OnIdle, this);
    Bind(wxEVT_CLOSE_WINDOW, &CMainFrame::OnClose, this);
    book_->Bind(wxEVT_NOTEBOOK_PAGE_CHANGED, &CMainFrame::OnPageChanged, this);
    for (const InputCommand& c : kInputCommands) Bind(wxEVT_MENU, &CMainFrame::OnInput, this, c.id);
    Bind(wxEVT_MENU, &CMainFrame::OnInput, this, ID_OIL_BUTTON);
    Bind(wxEVT_MENU, &CMainFrame::OnSolve, this, ID_SOLVE);
    Bind(wxEVT_MENU, &CMainFrame::OnGraph, this, ID_GRAPH_FIRST, ID_GRAPH_LAST);
    Bind(wxEVT_MENU, &CMainFrame::OnOutputCommand, this, ID_SINGLE_GRAPH, ID_ICS_TABLE);
    Bind(wxEVT_MENU, &CMainFrame::OnNextPane, this, ID_NEXT_PANE);
    Bind(wxEVT_MENU, [](wxCommandEvent&) { TheApp().ShowAbout(); }, wxID_ABOUT);
    Bind(wxEVT_MENU, [](wxCommandEvent&) { platform::DefaultHelp().ShowBook(); }, wxID_HELP_CONTENTS);
    Bind(wxEVT_MENU, [this](wxCommandEvent&) {
        wxToolBar* bar = GetToolBar();
        if (bar) {
            bar->Show(!bar->IsShown());
            SendSizeEvent();
        }
    }, ID_VIEW_TOOLBAR);
    Bind(wxEVT_MENU, [this](wxCommandEvent&) {
        GetStatusBar()->Show(!GetStatusBar()->IsShown());
        SendSizeEvent();
    }, ID_VIEW_STATUS_BAR);
    Bind(wxEVT_MENU, [this](wxCommandEvent&) {
        wxAuiPaneInfo& p = aui_.GetPane(pane_);
        // A pane shown again has the size it had.
        if (p.IsShown() && aui_.DockSizeOf(pane_) > 0) shownSize_ = aui_.DockSizeOf(pane_);
        p.Show(!p.IsShown());
        aui_.Update();
        if (p.IsShown() && shownSize_ > 0) {
            aui_.SetDockSize(pane_, shownSize_);
            fittedSize_ = aui_.DockSizeOf(pane_);
        }
    }, ID_VIEW_SCENARIO_TREE);
    Bind(wxEVT_UPDATE_UI, [this](wxUpdateUIEvent& e) { e.Check(GetToolBar() && GetToolBar()->IsShown()); },
         ID_VIEW_TOOLBAR);
    Bind(wxEVT_UPDATE_UI, [this](wxUpdateUIEvent& e) { e.Check(GetStatusBar()->IsShown()); }, ID_VIEW_STATUS_BAR);
    Bind(wxEVT_UPDATE_UI, [this](wxUpdateUIEvent& e) { e.Check(aui_.GetPane(pane_).IsShown()); },
         ID_VIEW_SCENARIO_TREE);
    Bind(wxEVT_UPDATE_UI, &CMainFrame::OnUpdateScenario, this, ID_RELEASE, ID_SOLVE);
    // Without an active budget table the Edit commands are off; should one
    // arrive anyway (a stale accelerator), it goes to the focused text field.
    for (int id : {wxID_COPY, wxID_SELECTALL}) {
        Bind(wxEVT_UPDATE_UI, [](wxUpdateUIEvent& e) { e.Enable(false); }, id);
        Bind(wxEVT_MENU, [](wxCommandEvent& e) {
            auto* entry = dynamic_cast<wxTextEntry*>(wxWindow::FindFocus());
            if (!entry) return;
            if (e.GetId() == wxID_COPY) {
                entry->Copy();
            } else {
                entry->SelectAll();
            }
        }, id);
    }
    Bind(wxEVT_UPDATE_UI, &CMainFrame::OnUpdateOutputs, this, ID_GRAPH_FIRST, ID_ICS_TABLE);
}

void CMainFrame::OnMoveOrSize() {
    if (IsShown() && !IsMaximized() && !IsIconized() && !IsFullScreen()) normal_ = GetRect();
}

int CMainFrame::PaneSize() const { return aui_.DockSizeOf(pane_); }

document::PaneSide CMainFrame::PaneSideNow() const {
    switch (const_cast<PaneManager&>(aui_).GetPane(pane_).dock_direction) {
        case wxAUI_DOCK_RIGHT: return document::PaneSide::Right;
        case wxAUI_DOCK_TOP: return document::PaneSide::Top;
        case wxAUI_DOCK_BOTTOM: return document::PaneSide::Bottom;
        default: return document::PaneSide::Left;
    }
}

void CMainFrame::StoreLayout(document::AppSettings& settings) const {
    wxAuiPaneInfo& pane = const_cast<PaneManager&>(aui_).GetPane(pane_);
    settings.paneShown = pane.IsShown();
    settings.paneSide = PaneSideNow();
    // A width the user gave is kept (one fitted to the items is fitted
    // again next time); a hidden pane keeps the width it had when shown.
    const int size = pane.IsShown() ? PaneSize() : shownSize_;
    const bool userSized = !fitPane_ || (pane.IsShown() && size != fittedSize_);
    if (userSized && size >= document::kMinPaneSize) settings.paneSize = size;
    if (!normal_.IsEmpty()) settings.window = {normal_.x, normal_.y, normal_.width, normal_.height, true};
    settings.maximised = IsMaximized();
}

void CMainFrame::FitPane() {
    if (!fitPane_ || !treePane_) return;
    const int now = aui_.DockSizeOf(pane_);
    if (now == 0) return;  // hidden or floating
    if (now != fittedSize_) {
        fitPane_ = false;  // the user sized it
        return;
    }
    wxAuiPaneInfo& pane = aui_.GetPane(pane_);
    const wxSize client = GetClientSize();
    const bool across = Across(pane.dock_direction);
    const int half = (across ? client.y : client.x) / 2;
    // It widens with its items but does not jump back when they get shorter
    // (another scenario); never past half the window.
    const int want = across ? now : std::min(half, std::max(now, treePane_->WidestItemWidth() + FromDIP(24)));
    if (half > 0 && want >= document::kMinPaneSize && std::abs(want - now) > 2) {
        aui_.SetDockSize(pane_, want);
        fittedSize_ = aui_.DockSizeOf(pane_);
    }
}

void CMainFrame::ShowEmptyHint() {
    const bool empty = book_->GetPageCount() == 0;
    if (book_->IsShown() == !empty && hintPanel_->IsShown() == empty) return;
    book_->Show(!empty);
    hintPanel_->Show(empty);
    centre_->Layout();
}

CMainFrame::~CMainFrame() {
    // The history outlives this frame; it must forget the menu.
    if (recent_ && GetDocumentManager() && GetDocumentManager()->GetFileHistory())
        GetDocumentManager()->GetFileHistory()->RemoveMenu(recent_);
    aui_.UnInit();
}

void CMainFrame::BuildMenus() {
    auto* file = new wxMenu;
    file->Append(wxID_NEW, "&New\tCtrl+N");
    file->Append(wxID_OPEN, "&Open...\tCtrl+O");
    file->Append(wxID_CLOSE, "&Close");
    file->Append(wxID_SAVE, "&Save\tCtrl+S");
    file->Append(wxID_SAVEAS, kSaveAsLabel);
    file->AppendSeparator();
    // The document manager prints the current scenario's printout (the
    // active table's, else the whole scenario) on its one page setup.
    file->Append(wxID_PRINT, "&Print...\tCtrl+P");
    file->Append(wxID_PREVIEW, "Print Pre&view");
    file->Append(wxID_PRINT_SETUP, "P&rint Setup...");
    file->AppendSeparator();
    auto* recent = new wxMenu;
    file->AppendSubMenu(recent, "Recent &Files");
    file->AppendSeparator();
    file->Append(wxID_EXIT, "E&xit");
    if (wxFileHistory* history = GetDocumentManager()->GetFileHistory()) {
        recent_ = recent;
        history->UseMenu(recent);
        history->AddFilesToMenu(recent);
    }

    // Copy and Select All serve the oil budget table, which enables them
    // while it is the active output.
    auto* edit = new wxMenu;
    edit->Append(wxID_COPY, "&Copy\tCtrl+C");
    edit->Append(wxID_SELECTALL, "Select &All\tCtrl+A");

    auto* view = new wxMenu;
    view->AppendCheckItem(ID_VIEW_TOOLBAR, "&Toolbar");
    view->AppendCheckItem(ID_VIEW_STATUS_BAR, "&Status Bar");
    view->AppendCheckItem(ID_VIEW_SCENARIO_TREE, "Sce&nario Tree");

    auto* input = new wxMenu;
    input->Append(ID_RELEASE, "&Release");
    input->Append(ID_STANDARD_OILS, "&Standard Oils");
    input->Append(ID_CUSTOM_OILS, "&Custom Oils");
    input->Append(ID_EMULSIFICATION, "&Emulsification");
    input->Append(ID_WIND_WAVE, "&Wind/Wave");
    input->Append(ID_WATER, "W&ater");

    auto* removal = new wxMenu;
    removal->Append(ID_DISPERSANT, "&Dispersant...");
    removal->Append(ID_IN_SITU_BURN, "&In-Situ Burn...");
    removal->Append(ID_MECHANICAL, "&Mechanical...");
    removal->Append(ID_BEACHING, "&Beaching...");

    auto* output = new wxMenu;
    output->Append(ID_SOLVE, "Sol&ve\tF5");
    auto* graphs = new wxMenu;
    for (int g = 0; g < document::kGraphCount; ++g) graphs->AppendCheckItem(ID_GRAPH_FIRST + g, kGraphMenuTexts[g]);
    output->AppendSubMenu(graphs, "&Graphs");
    output->AppendSeparator();
    output->AppendCheckItem(ID_SINGLE_GRAPH, "&Single Graph");
    output->AppendCheckItem(ID_MULTIPLE_GRAPHS, "&Multiple Graphs");
    output->Append(ID_SHOW_ALL_GRAPHS, "Show &All Graphs");
    output->AppendSeparator();
    output->Append(ID_BUDGET_TABLE, "Oil &Budget Table");
    output->Append(ID_ICS_TABLE, "&ICS Table");

    auto* help = new wxMenu;
    help->Append(wxID_HELP_CONTENTS, "&Help Topics\tF1");
    help->AppendSeparator();
    help->Append(wxID_ABOUT, "&About TAVRO2...");

    auto* bar = new wxMenuBar;
    bar->Append(file, "&File");
    bar->Append(edit, "&Edit");
    bar->Append(view, "&View");
    bar->Append(input, "&Input");
    bar->Append(removal, "&Removal");
    bar->Append(output, "&Output");
    bar->Append(help, "&Help");
    SetMenuBar(bar);
}

void CMainFrame::BuildToolBar() {
    wxToolBar* bar = CreateToolBar(wxTB_HORIZONTAL | wxTB_TEXT | wxTB_NOICONS | wxTB_FLAT);
    const wxBitmap none(1, 1);
    bar->AddTool(ID_SOLVE, "Solve", none, "Solve the scenario", wxITEM_NORMAL);
    bar->AddSeparator();
    for (int g = 0; g < document::kGraphCount; ++g) {
        const char* title = document::OutputTitle(static_cast<OutputKind>(g));
        bar->AddTool(ID_GRAPH_FIRST + g, title, none, wxString("Show or hide the ") + title + " graph",
                     wxITEM_CHECK);
    }
    bar->Realize();
}

// ---- Workspaces ---------------------------------------------------------------

void CMainFrame::AddWorkspace(WorkspaceView* view) {
    // A file name is shown as it is (the tab would read "&" as a mnemonic).
    book_->AddPage(view->Page(), view->TabText(), true);
    ShowEmptyHint();
    if (view->Form() && view->Doc()) {
        view->Form()->Apply(view->Doc()->Form());
        view->Form()->SetFocus();  // the keyboard starts on the form's buttons
    }
}

void CMainFrame::RemoveWorkspace(WorkspaceView* view) {
    const int i = book_->FindPage(view->Page());
    if (i == wxNOT_FOUND) return;
    book_->DeletePage(i);
    if (WorkspaceView* next = CurrentWorkspace()) next->Activate(true);
    SetTitle(ExpectedTitle());
    ShowEmptyHint();
}

void CMainFrame::WorkspaceRenamed(WorkspaceView* view) {
    const int i = book_->FindPage(view->Page());
    if (i != wxNOT_FOUND) book_->SetPageText(i, view->TabText());
    SetTitle(ExpectedTitle());
}

WorkspaceView* CMainFrame::CurrentWorkspace() const {
    const int sel = book_->GetSelection();
    if (sel == wxNOT_FOUND) return nullptr;
    wxWindow* page = book_->GetPage(sel);
    for (wxDocument* doc : GetDocumentManager()->GetDocumentsVector()) {
        for (wxView* v : doc->GetViewsVector()) {
            auto* w = wxDynamicCast(v, WorkspaceView);
            if (w && w->Page() == page) return w;
        }
    }
    return nullptr;
}

SpillDocWx* CMainFrame::CurrentDoc() const {
    WorkspaceView* view = CurrentWorkspace();
    return view ? view->Doc() : nullptr;
}

wxString CMainFrame::ExpectedTitle() const {
    SpillDocWx* doc = CurrentDoc();
    wxString title = platform::kAppTitle;
    if (doc) title += " - " + doc->GetUserReadableName() + (doc->IsModified() ? " *" : "");
    return title;
}

void CMainFrame::OnPageChanged(wxBookCtrlEvent& e) {
    if (WorkspaceView* view = CurrentWorkspace()) view->Activate(true);
    SetTitle(ExpectedTitle());
    e.Skip();
}

// ---- Idle refresh ---------------------------------------------------------------

void CMainFrame::RefreshNow() {
    WorkspaceView* view = CurrentWorkspace();
    SpillDocWx* doc = view ? view->Doc() : nullptr;
    if (doc) {
        const document::IdleResult r = document::RunIdleRefresh(doc->Core(), doc->Form(), tree_);
        if (r.formChanged && view->Form()) view->Form()->Apply(doc->Form());
        doc->Core().Outputs().UpdateHint(TheApp().Status());
    } else if (TheApp().Status().Get() != document::kReadyText) {
        TheApp().Status().Set(document::kReadyText);  // no scenario, nothing to hint at
    }
    const wxString title = ExpectedTitle();
    if (GetTitle() != title) SetTitle(title);
    // Save As saves the active table while one is the active output: the
    // item says so.
    if (wxMenuItem* saveAs = GetMenuBar() ? GetMenuBar()->FindItem(wxID_SAVEAS) : nullptr) {
        const bool table = view && view->Area() && view->Area()->ActiveTable();
        const wxString label = table ? kSaveTableAsLabel : kSaveAsLabel;
        if (saveAs->GetItemLabel() != label) saveAs->SetItemLabel(label);
    }
    // Each tab says whether its scenario has unsaved changes.
    for (size_t i = 0; i < book_->GetPageCount(); ++i) {
        for (wxDocument* d : GetDocumentManager()->GetDocumentsVector()) {
            for (wxView* v : d->GetViewsVector()) {
                auto* w = wxDynamicCast(v, WorkspaceView);
                if (w && w->Page() == book_->GetPage(i) && book_->GetPageText(i) != w->TabText())
                    book_->SetPageText(i, w->TabText());
            }
        }
    }
    FitPane();
}

void CMainFrame::UpdateIndicators() {
    // Only the X11 backend can tell a lock key's state.
    if (wxGetDisplayInfo().type != wxDisplayX11) return;
    const struct {
        wxKeyCode key;
        const char* text;
    } locks[] = {{WXK_CAPITAL, "CAP"}, {WXK_NUMLOCK, "NUM"}, {WXK_SCROLL, "SCRL"}};
    for (int i = 0; i < 3; ++i) {
        wxString text = wxGetKeyState(locks[i].key) ? locks[i].text : "";
        if (text != indicators_[i + 1]) {
            indicators_[i + 1] = text;
            SetStatusText(text, i + 1);
        }
    }
}

void CMainFrame::OnIdle(wxIdleEvent& e) {
    RefreshNow();
    UpdateIndicators();
    e.Skip();
}

void CMainFrame::OnClose(wxCloseEvent& e) {
    // Every scenario may ask to be saved first; Cancel keeps the program.
    if (!GetDocumentManager()->Clear(!e.CanVeto())) {
        e.Veto();
        return;
    }
    TheApp().FrameClosing();
    Destroy();
}

// ---- Commands ---------------------------------------------------------------

void CMainFrame::RefreshAfterCommand() {
    // The idle pass would do it too; doing it now keeps the windows in step
    // before the next paint.
    RefreshNow();
}

void CMainFrame::OnInput(wxCommandEvent& e) {
    SpillDocWx* doc = CurrentDoc();
    if (!doc) return;
    document::SpillDocCore& core = doc->Core();
    switch (e.GetId()) {
        case ID_RELEASE: core.EditRelease(); break;
        case ID_STANDARD_OILS: core.SelectStandardOil(); break;
        case ID_CUSTOM_OILS: core.SelectCustomOil(); break;
        case ID_EMULSIFICATION: core.EditEmulsification(); break;
        case ID_WIND_WAVE: core.EditWindWave(); break;
        case ID_WATER: core.EditWater(); break;
        case ID_DISPERSANT: core.EditDispersant(); break;
        case ID_IN_SITU_BURN: core.EditInSituBurn(); break;
        case ID_MECHANICAL: core.EditMechanical(); break;
        case ID_BEACHING: core.EditBeaching(); break;
        case ID_OIL_BUTTON: document::RunOilButton(core); break;
        default: return;
    }
    RefreshAfterCommand();
}

void CMainFrame::OnSolve(wxCommandEvent&) {
    WorkspaceView* view = CurrentWorkspace();
    SpillDocWx* doc = view ? view->Doc() : nullptr;
    if (!doc) return;
    doc->Core().Solve();
    // The open outputs draw from the model: show the new run.
    if (view->Area()) view->Area()->RefreshOutputs();
    RefreshAfterCommand();
}

void CMainFrame::OnGraph(wxCommandEvent& e) {
    SpillDocWx* doc = CurrentDoc();
    if (!doc || !doc->Core().Outputs().OutputsEnabled()) return;
    doc->Core().Outputs().ToggleGraph(e.GetId() - ID_GRAPH_FIRST);
}

void CMainFrame::OnOutputCommand(wxCommandEvent& e) {
    SpillDocWx* doc = CurrentDoc();
    if (!doc || !doc->Core().Outputs().OutputsEnabled()) return;
    document::OutputWindowsLogic& out = doc->Core().Outputs();
    switch (e.GetId()) {
        // The mode chosen is the one the next scenarios start in.
        case ID_SINGLE_GRAPH: out.SingleGraph(); break;
        case ID_MULTIPLE_GRAPHS: out.MultipleGraphs(); break;
        case ID_SHOW_ALL_GRAPHS: out.ShowAllGraphs(); break;
        case ID_BUDGET_TABLE: out.OpenTable(OutputKind::BudgetTable); break;
        case ID_ICS_TABLE: out.OpenTable(OutputKind::IcsTable); break;
        default: break;
    }
    // The mode chosen is the one this scenario returns to after an input
    // change, and the one the next scenarios start in.
    const int id = e.GetId();
    if (id == ID_SINGLE_GRAPH || id == ID_MULTIPLE_GRAPHS || id == ID_SHOW_ALL_GRAPHS) {
        doc->Core().session.startMultipleGraphs = out.MultipleChecked();
        TheApp().Settings().multipleGraphs = out.MultipleChecked();
    }
}

void CMainFrame::OnUpdateScenario(wxUpdateUIEvent& e) {
    SpillDocWx* doc = CurrentDoc();
    if (!doc) {
        e.Enable(false);
        return;
    }
    const int id = e.GetId();
    if (id == ID_SOLVE) {
        e.Enable(true);
        return;
    }
    if (id == ID_OIL_BUTTON) {
        e.Enable(ui::HasDialog(document::OilButtonDialog(doc->Core().session)));
        return;
    }
    for (const InputCommand& c : kInputCommands) {
        if (c.id == id) {
            e.Enable(ui::HasDialog(c.dialog));
            return;
        }
    }
    e.Enable(false);
}

void CMainFrame::OnUpdateOutputs(wxUpdateUIEvent& e) {
    SpillDocWx* doc = CurrentDoc();
    const int id = e.GetId();
    const document::OutputWindowsLogic* out = doc ? &doc->Core().Outputs() : nullptr;
    e.Enable(out && out->OutputsEnabled());
    if (IsGraphId(id)) {
        e.Check(out && out->GraphChecked(id - ID_GRAPH_FIRST));
    } else if (id == ID_SINGLE_GRAPH) {
        e.Check(out && out->SingleChecked());
    } else if (id == ID_MULTIPLE_GRAPHS) {
        e.Check(out && out->MultipleChecked());
    }
}

void CMainFrame::OnNextPane(wxCommandEvent&) {
    wxWindow* focus = wxWindow::FindFocus();
    const bool inPane = focus && (focus == pane_ || pane_->IsDescendant(focus));
    if (inPane) {
        if (WorkspaceView* view = CurrentWorkspace()) {
            if (view->Area() && view->Area()->ActiveOutput())
                view->Area()->ActiveOutput()->SetFocus();
            else if (view->Area() && view->Area()->CurrentMode() != OutputArea::Mode::Form)
                view->Area()->ActivateNext(0);  // the output shown (the first of the tiles)
            else if (view->Form())
                view->Form()->SetFocus();
        } else {
            book_->SetFocus();
        }
    } else if (aui_.GetPane(pane_).IsShown()) {
        wxWindowList& children = pane_->GetChildren();
        if (!children.empty())
            children.front()->SetFocus();
        else
            pane_->SetFocus();
    }
}

}  // namespace app
