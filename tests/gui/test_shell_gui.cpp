// The program shell on a real display: main window, Solve and tiling, the
// re-solve notice, recent files, the splash and dropped files.
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <wx/aui/framemanager.h>
#include <wx/dnd.h>
#include <wx/menu.h>
#include <wx/statusbr.h>
#include <wx/toolbar.h>

#include "app/CommandIds.h"
#include "app/FormPanel.h"
#include "app/MainFrame.h"
#include "app/OutputArea.h"
#include "app/SpillDocWx.h"
#include "app/WorkspaceView.h"
#include "app/WxDialogRunner.h"
#include "gui_support.h"

using namespace gui_test;
using document::OutputKind;

namespace {

const std::string kScenario = std::string(TAVRO_TEST_DATA_DIR) + "/document/instant_1000bbl.tvr";

int RealTools(wxToolBar* bar) {
    int n = 0;
    for (size_t i = 0; i < bar->GetToolsCount(); ++i)
        if (!bar->GetToolByPos(static_cast<int>(i))->IsSeparator()) ++n;
    return n;
}

std::vector<app::LinkButton*> Buttons(wxWindow* parent) {
    std::vector<app::LinkButton*> out;
    for (wxWindow* w : parent->GetChildren())
        if (auto* b = dynamic_cast<app::LinkButton*>(w)) out.push_back(b);
    return out;
}

TEST_F(GuiTest, MainWindowHasItsMenusToolsFieldsPaneAndForm) {
    Start();
    app::CMainFrame* f = Frame();
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->GetTitle(), "TAVRO2 - Spill Scenario1");

    wxMenuBar* bar = f->GetMenuBar();
    std::vector<std::string> menus;
    for (size_t i = 0; i < bar->GetMenuCount(); ++i) menus.push_back(bar->GetMenuLabelText(i).utf8_string());
    EXPECT_EQ(menus, (std::vector<std::string>{"File", "View", "Input", "Removal", "Output", "Help"}));

    EXPECT_EQ(RealTools(f->GetToolBar()), 12);
    EXPECT_EQ(f->GetToolBar()->GetToolByPos(0)->GetLabel(), "Solve");
    EXPECT_EQ(f->GetStatusBar()->GetFieldsCount(), 4);

    wxAuiPaneInfo& pane = f->Aui().GetPane("scenario");
    ASSERT_TRUE(pane.IsOk());
    EXPECT_EQ(pane.caption, "Scenario");
    EXPECT_EQ(pane.dock_direction, wxAUI_DOCK_LEFT);
    EXPECT_EQ(pane.min_size, wxSize(32, 32));
    EXPECT_TRUE(pane.IsShown());

    app::WorkspaceView* view = f->CurrentWorkspace();
    ASSERT_NE(view, nullptr);
    app::FormPanel* form = view->Form();
    ASSERT_NE(form, nullptr);
    EXPECT_TRUE(form->IsShownOnScreen());
    std::vector<std::string> labels;
    for (app::LinkButton* b : Buttons(form->Guide())) labels.push_back(b->GetLabel().utf8_string());
    EXPECT_EQ(labels, (std::vector<std::string>{"Release", "Oil", "Wind/Wave", "Water", "Solve"}));
    for (int i = 0; i < document::kFormInputs; ++i) EXPECT_FALSE(form->TickShown(static_cast<document::FormInput>(i)));
    EXPECT_FALSE(form->NoticeShown());
    // Before a solve the graph tools are off; Solve is on.
    EXPECT_FALSE(f->GetToolBar()->GetToolEnabled(app::GraphCommand(document::GraphBudget)));
    EXPECT_TRUE(f->GetToolBar()->GetToolEnabled(app::ID_SOLVE));
    EXPECT_FALSE(Screenshot(f, "main-window").empty());
    EXPECT_TRUE(Messages().Entries().empty()) << Messages().Texts().front();
}

TEST_F(GuiTest, CommandLineScenarioSolvesAndShowsAllGraphsTiled) {
    app::CTAVRO2App::Options o;
    o.splash = false;
    o.file = kScenario;
    Start(o);
    app::CMainFrame* f = Frame();
    EXPECT_EQ(f->GetTitle(), "TAVRO2 - instant_1000bbl.tvr");
    EXPECT_EQ(f->Workspaces()->GetPageCount(), 1u);

    Command(app::ID_SOLVE);
    app::WorkspaceView* view = f->CurrentWorkspace();
    ASSERT_NE(view, nullptr);
    app::OutputArea* area = view->Area();
    EXPECT_TRUE(area->Exists(OutputKind::Budget));
    EXPECT_EQ(area->CurrentMode(), app::OutputArea::Mode::Maximised);
    EXPECT_EQ(area->Shown(), std::vector<OutputKind>{OutputKind::Budget});
    EXPECT_TRUE(f->GetToolBar()->GetToolState(app::GraphCommand(document::GraphBudget)));
    EXPECT_TRUE(f->GetToolBar()->GetToolEnabled(app::GraphCommand(document::GraphDensity)));
    EXPECT_EQ(f->GetStatusBar()->GetStatusText(0), document::kGraphUnitsHint);
    EXPECT_FALSE(Screenshot(f, "solved").empty());

    Command(app::ID_SHOW_ALL_GRAPHS);
    EXPECT_EQ(area->CurrentMode(), app::OutputArea::Mode::Tiled);
    EXPECT_EQ(area->Shown().size(), 11u);
    for (int g = 0; g < document::kGraphCount; ++g)
        EXPECT_TRUE(f->GetToolBar()->GetToolState(app::GraphCommand(g))) << g;
    EXPECT_FALSE(Screenshot(f, "tiled").empty());
    for (const auto& e : Messages().Entries()) ADD_FAILURE() << "message: " << e.text;
}

TEST_F(GuiTest, InputChangeAfterSolveClosesOutputsAndShowsTheNotice) {
    app::RegisterDialog(document::DialogKind::Water, [](wxWindow*, document::SpillDocCore& doc) {
        doc.scenario.water.temperature = 12;
        return true;
    });
    app::CTAVRO2App::Options o;
    o.splash = false;
    o.file = kScenario;
    Start(o);
    app::CMainFrame* f = Frame();
    Command(app::ID_SOLVE);
    app::WorkspaceView* view = f->CurrentWorkspace();
    ASSERT_TRUE(view->Area()->Exists(OutputKind::Budget));

    Command(app::ID_WATER);
    EXPECT_FALSE(view->Area()->Exists(OutputKind::Budget));
    EXPECT_TRUE(view->Form()->NoticeShown());
    EXPECT_TRUE(view->Form()->IsShownOnScreen());
    // The old results cannot come back.
    EXPECT_FALSE(f->GetToolBar()->GetToolEnabled(app::GraphCommand(document::GraphBudget)));
    EXPECT_FALSE(Screenshot(f, "notice").empty());

    // Solving again gives graphs again; the notice stays.
    Command(app::ID_SOLVE);
    EXPECT_TRUE(view->Area()->Exists(OutputKind::Budget));
    Command(app::GraphCommand(document::GraphBudget));  // closes the last graph: the form
    EXPECT_TRUE(view->Form()->NoticeShown());
    EXPECT_TRUE(view->Form()->IsShownOnScreen());
    app::RegisterDialog(document::DialogKind::Water, {});
}

TEST_F(GuiTest, FourRecentFilesSurviveARestart) {
    const std::string folder = RunFolder() + "/recent";
    std::filesystem::create_directories(folder);
    app::CTAVRO2App::Options o;
    o.splash = false;
    o.configPath = folder + "/tavro2.conf";
    Start(o);
    wxFileHistory* history = App().DocManager()->GetFileHistory();
    ASSERT_NE(history, nullptr);
    for (int i = 1; i <= 5; ++i) history->AddFileToHistory(wxString::Format("%s/s%d.tvr", folder, i));
    App().Stop();
    Start(o);
    history = App().DocManager()->GetFileHistory();
    ASSERT_EQ(history->GetCount(), 4u);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(history->GetHistoryFile(i), wxString::Format("%s/s%d.tvr", folder, 5 - i));
}

TEST_F(GuiTest, SplashTakesTheFirstClickOnly) {
    app::CTAVRO2App::Options o;
    o.splash = true;
    Start(o);
    ASSERT_NE(App().Splash(), nullptr);
    wxMouseEvent move(wxEVT_MOTION);
    wxKeyEvent keyUp(wxEVT_KEY_UP);
    EXPECT_EQ(App().FilterEvent(move), wxApp::Event_Skip);
    EXPECT_EQ(App().FilterEvent(keyUp), wxApp::Event_Skip);
    EXPECT_NE(App().Splash(), nullptr);
    wxMouseEvent click(wxEVT_LEFT_DOWN);
    EXPECT_EQ(App().FilterEvent(click), wxApp::Event_Processed);
    EXPECT_EQ(App().Splash(), nullptr);
    EXPECT_EQ(App().FilterEvent(click), wxApp::Event_Skip);  // the next click is the user's
}

TEST_F(GuiTest, DroppedFilesOpenWorkspacesAndBadOnesSayWhy) {
    Start();
    app::CMainFrame* f = Frame();
    auto* drop = dynamic_cast<wxFileDropTarget*>(f->GetDropTarget());
    ASSERT_NE(drop, nullptr);
    const std::string bad = RunFolder() + "/notes.txt";
    std::ofstream(bad) << "not a scenario";
    wxArrayString names;
    names.Add(wxString::FromUTF8(kScenario));
    names.Add(wxString::FromUTF8(bad));
    drop->OnDropFiles(10, 10, names);
    Pump();
    EXPECT_EQ(f->Workspaces()->GetPageCount(), 2u);
    EXPECT_EQ(f->Workspaces()->GetPageText(1), "instant_1000bbl.tvr");
    ASSERT_EQ(Messages().Entries().size(), 1u);
    EXPECT_NE(Messages().Entries()[0].text.find("notes.txt"), std::string::npos) << Messages().Entries()[0].text;
    EXPECT_EQ(Messages().Entries()[0].icon, platform::MsgIcon::Stop);
}

}  // namespace
