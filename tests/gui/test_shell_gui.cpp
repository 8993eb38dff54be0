// The program shell on a real display: main window, Solve and tiling, the
// re-solve notice, recent files, the splash and dropped files.
#include <filesystem>
#include <map>
#include <memory>
#include <functional>
#include <fstream>
#include <string>
#include <vector>

#include <wx/aui/framemanager.h>
#include <wx/dnd.h>
#include <wx/menu.h>
#include <wx/statusbr.h>
#include <wx/log.h>
#include <wx/toolbar.h>
#include <wx/uiaction.h>

#include "app/CommandIds.h"
#include "document/AppSettings.h"
#include "app/FormPanel.h"
#include "app/MainFrame.h"
#include "app/OutputArea.h"
#include "app/ScenarioTreePane.h"
#include "app/SpillDocWx.h"
#include "app/WorkspaceView.h"
#include "ui/common/DialogRegistry.h"
#include "gui_support.h"
#include "output/GraphViews.h"
#include "output/TableViews.h"
#include "platform/wx/WxText.h"
#include "ui/oils/OilDialogs.h"

using namespace gui_test;
using document::OutputKind;

namespace {

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
    ui::RegisterOilDialogs();  // as the program starts, whatever tests ran before
    Start();
    app::CMainFrame* f = Frame();
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->GetTitle(), "TAVRO2 - Spill Scenario1");
    // Tests start without the splash: it would eat their first simulated key.
    EXPECT_EQ(App().Splash(), nullptr);

    wxMenuBar* bar = f->GetMenuBar();
    std::vector<std::string> menus;
    for (size_t i = 0; i < bar->GetMenuCount(); ++i) menus.push_back(bar->GetMenuLabelText(i).utf8_string());
    EXPECT_EQ(menus, (std::vector<std::string>{"File", "Edit", "View", "Input", "Removal", "Output", "Help"}));

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
    // A button is on when its dialog exists (the oils dialog does), Solve always.
    std::vector<app::LinkButton*> buttons = Buttons(form->Guide());
    ASSERT_EQ(buttons.size(), 5u);
    EXPECT_TRUE(buttons[1]->IsEnabled());
    EXPECT_EQ(buttons[0]->IsEnabled(), ui::HasDialog(document::DialogKind::Release));
    EXPECT_TRUE(buttons[4]->IsEnabled());
    for (int i = 0; i < document::kFormInputs; ++i) EXPECT_FALSE(form->TickShown(static_cast<document::FormInput>(i)));
    EXPECT_FALSE(form->NoticeShown());
    // Before a solve the graph tools are off; Solve is on.
    EXPECT_FALSE(f->GetToolBar()->GetToolEnabled(app::GraphCommand(document::GraphBudget)));
    EXPECT_TRUE(f->GetToolBar()->GetToolEnabled(app::ID_SOLVE));
    EXPECT_FALSE(Screenshot(f, "main-window").empty());
    EXPECT_TRUE(Messages().Entries().empty()) << Messages().Texts().front();
}

TEST_F(GuiTest, CommandLineScenarioSolvesAndShowsAllGraphsTiled) {
    Start(OpeningStoredScenario());
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

    // Another solve repaints every open graph (they draw the model's new run).
    std::vector<int> before;
    for (int g = 0; g < document::kGraphCount; ++g) {
        auto* panel = dynamic_cast<output::GraphPanel*>(area->OutputWindow(document::GraphKind(g)));
        ASSERT_NE(panel, nullptr) << g;
        before.push_back(panel->PaintCount());
    }
    Command(app::ID_SOLVE);
    const std::string resolved = Screenshot(f, "tiled-solved-again");
    for (int g = 0; g < document::kGraphCount; ++g) {
        auto* panel = dynamic_cast<output::GraphPanel*>(area->OutputWindow(document::GraphKind(g)));
        // Those scrolled out of the area's view paint when they come into it.
        if (!wxRect(area->GetClientSize()).Contains(panel->GetParent()->GetRect().GetTopLeft())) continue;
        EXPECT_GT(panel->PaintCount(), before[g]) << g;
        // What it painted is a graph: axes, labels and curves, not a blank tile.
        const Ink ink = InkOf(resolved, f, panel);
        EXPECT_GT(ink.dark, 200) << "graph " << g << " is blank";
    }

    // In a small window the tiles keep their least size and the area scrolls.
    // A maximised window takes no other size under a window manager.
    f->Maximize(false);
    Pump();
    f->SetSize(640, 480);
    for (int i = 0; i < 20 && f->GetSize() != wxSize(640, 480); ++i) {
        Pump(1);
        wxMilliSleep(20);
    }
    ASSERT_EQ(f->GetSize(), wxSize(640, 480));
    Pump();
    for (int g = 0; g < document::kGraphCount; ++g) {
        const wxSize tile = area->OutputWindow(document::GraphKind(g))->GetParent()->GetSize();
        EXPECT_GE(tile.x, app::kMinTileWidth) << g;
        EXPECT_GE(tile.y, app::kMinTileHeight) << g;
    }
    EXPECT_GT(area->GetVirtualSize().x, area->GetClientSize().x);
    EXPECT_FALSE(Screenshot(f, "tiled-small").empty());
    for (const auto& e : Messages().Entries()) ADD_FAILURE() << "message: " << e.text;
}

TEST_F(GuiTest, InputChangeAfterSolveClosesOutputsAndShowsTheNotice) {
    const ui::ScopedDialog fakeWater(document::DialogKind::Water, [](wxWindow*, document::SpillDocCore& doc) {
        doc.scenario.water.temperature = 12;
        return true;
    });
    Start(OpeningStoredScenario());
    app::CMainFrame* f = Frame();
    Command(app::ID_SOLVE);
    app::WorkspaceView* view = f->CurrentWorkspace();
    ASSERT_TRUE(view->Area()->Exists(OutputKind::Budget));

    // The refresh does not depend on the toolbar being shown.
    Command(app::ID_VIEW_TOOLBAR);
    ASSERT_FALSE(f->GetToolBar()->IsShown());
    Command(app::ID_WATER);
    Command(app::ID_VIEW_TOOLBAR);
    EXPECT_FALSE(view->Area()->Exists(OutputKind::Budget));
    EXPECT_TRUE(view->Form()->NoticeShown());
    EXPECT_TRUE(view->Form()->IsShownOnScreen());
    // The old results cannot come back.
    EXPECT_FALSE(f->GetToolBar()->GetToolEnabled(app::GraphCommand(document::GraphBudget)));
    EXPECT_FALSE(Screenshot(f, "notice").empty());

    // The notice's own Solve button solves again; the notice stays.
    std::vector<app::LinkButton*> noticeButtons = Buttons(view->Form()->Notice());
    ASSERT_EQ(noticeButtons.size(), 1u);
    EXPECT_TRUE(noticeButtons[0]->IsEnabled());
    wxCommandEvent click(wxEVT_BUTTON, noticeButtons[0]->GetId());
    click.SetEventObject(noticeButtons[0]);
    noticeButtons[0]->GetEventHandler()->ProcessEvent(click);
    Pump();
    EXPECT_TRUE(view->Area()->Exists(OutputKind::Budget));
    Command(app::GraphCommand(document::GraphBudget));  // closes the last graph: the form
    EXPECT_TRUE(view->Form()->NoticeShown());
    EXPECT_TRUE(view->Form()->IsShownOnScreen());
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
    // File > Recent Files offers them, newest first.
    wxMenu* recent = nullptr;
    ASSERT_NE(Frame()->GetMenuBar()->FindItem(wxID_FILE1, &recent), nullptr) << "no recent file in the menus";
    ASSERT_NE(recent, nullptr);
    wxMenu* fileMenu = nullptr;
    ASSERT_NE(Frame()->GetMenuBar()->FindItem(wxID_OPEN, &fileMenu), nullptr);
    wxMenuItem* inFileMenu = nullptr;
    for (wxMenuItem* item : fileMenu->GetMenuItems())
        if (item->GetSubMenu() == recent) inFileMenu = item;
    EXPECT_NE(inFileMenu, nullptr) << "the recent files are not a submenu of the File menu";
    ASSERT_EQ(recent->GetMenuItemCount(), 4u);
    for (int i = 0; i < 4; ++i)
        EXPECT_NE(recent->FindItemByPosition(static_cast<std::size_t>(i))->GetItemLabelText().Find(
                      wxString::Format("s%d.tvr", 5 - i)),
                  wxNOT_FOUND)
            << i;
    // A change of the list is written at once, not only at the end.
    App().DocManager()->AddFileToHistory(wxString::FromUTF8(folder + "/s6.tvr"));
    const std::vector<std::string> written = document::LoadSettings(o.configPath.utf8_string()).recentFiles;
    ASSERT_FALSE(written.empty());
    EXPECT_EQ(written.front(), folder + "/s6.tvr");
    // The files do not exist: choosing one says so and drops it.
    Command(recent->FindItemByPosition(0)->GetId());
    ASSERT_EQ(Messages().Entries().size(), 1u);
    EXPECT_NE(Messages().Entries()[0].text.find("s6.tvr"), std::string::npos) << Messages().Entries()[0].text;
    EXPECT_EQ(history->GetCount(), 3u);
    EXPECT_EQ(document::LoadSettings(o.configPath.utf8_string()).recentFiles.size(), 3u);
    EXPECT_EQ(Frame()->Workspaces()->GetPageCount(), 1u);

    // A list that cannot be written is reported when the program ends.
    App().Stop();
    std::ofstream(folder + "/blocker") << "a file, not a folder";
    o.configPath = folder + "/blocker/tavro2.conf";
    Start(o);
    App().Stop();
    ASSERT_EQ(Messages().Entries().size(), 1u);
    EXPECT_NE(Messages().Entries()[0].text.find("blocker/tavro2.conf"), std::string::npos);
}

TEST_F(GuiTest, SplashTakesTheFirstClickOnly) {
    app::CTAVRO2App::Options o;
    o.splash = true;
    Start(o);
    ASSERT_NE(App().Splash(), nullptr);
    EXPECT_FALSE(Screenshot(App().Splash(), "splash").empty());
    wxMouseEvent move(wxEVT_MOTION);
    wxKeyEvent keyUp(wxEVT_KEY_UP);
    EXPECT_EQ(App().FilterEvent(move), wxApp::Event_Skip);
    EXPECT_EQ(App().FilterEvent(keyUp), wxApp::Event_Skip);
    EXPECT_NE(App().Splash(), nullptr);
    wxMouseEvent click(wxEVT_LEFT_DOWN);
    EXPECT_EQ(App().FilterEvent(click), wxApp::Event_Processed);
    EXPECT_EQ(App().Splash(), nullptr);
    EXPECT_EQ(App().FilterEvent(click), wxApp::Event_Skip);  // the next click is the user's

    // The menu bar and the toolbar give no mouse press: a menu opened or a
    // command closes the splash and goes no further. A dialog or message
    // box shown closes it and is shown.
    wxDialog dialog(Frame(), wxID_ANY, "a dialog");
    struct Case {
        const char* name;
        std::function<int()> happen;
        int result;
    };
    const Case cases[] = {
        {"menu opened", [this] { wxMenuEvent e(wxEVT_MENU_OPEN); return App().FilterEvent(e); }, wxApp::Event_Processed},
        {"tool or menu command",
         [this] { wxCommandEvent e(wxEVT_MENU, app::ID_SOLVE); return App().FilterEvent(e); }, wxApp::Event_Processed},
        {"dialog shown",
         [&] {
             wxShowEvent e(dialog.GetId(), true);
             e.SetEventObject(&dialog);
             return App().FilterEvent(e);
         },
         wxApp::Event_Skip},
        {"message box", [this] { App().Messages().Show("a message"); return int(wxApp::Event_Skip); }, wxApp::Event_Skip},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(App().ShowSplash());
        EXPECT_EQ(c.happen(), c.result);
        EXPECT_EQ(App().Splash(), nullptr);
    }
    // The splash itself being shown is no reason to close it.
    ASSERT_TRUE(App().ShowSplash());
    wxShowEvent own(App().Splash()->GetId(), true);
    own.SetEventObject(App().Splash());
    EXPECT_EQ(App().FilterEvent(own), wxApp::Event_Skip);
    EXPECT_NE(App().Splash(), nullptr);
    App().CloseSplash();
    Messages().Clear();
}

TEST_F(GuiTest, ACommandLineFileThatFailsSaysWhyAndStartsANewScenario) {
    const std::string bad = RunFolder() + "/broken.tvr";
    std::ofstream(bad) << "not a scenario";
    app::CTAVRO2App::Options o;
    o.splash = false;
    o.files = {wxString::FromUTF8(bad)};
    // Opened once the main loop runs, with the main window on the screen
    // (a box shown before would sit at the screen's corner).
    Messages().Clear();
    App().SetMessages(&Messages());
    ASSERT_TRUE(App().Start(o));
    EXPECT_TRUE(Messages().Entries().empty());
    EXPECT_TRUE(Frame()->IsShown());
    Pump();
    ASSERT_EQ(Messages().Entries().size(), 1u);
    EXPECT_NE(Messages().Entries()[0].text.find("broken.tvr"), std::string::npos) << Messages().Entries()[0].text;
    EXPECT_EQ(Frame()->Workspaces()->GetPageCount(), 1u);
    EXPECT_EQ(Frame()->GetTitle(), "TAVRO2 - Spill Scenario1");
}

TEST_F(GuiTest, UnsavedInputIsAskedAboutAndAFailedSaveKeepsTheScenario) {
    Start();
    app::SpillDocWx* doc = Frame()->CurrentDoc();
    ASSERT_NE(doc, nullptr);
    doc->Core().SetModified(true);
    // Its file lies in a folder that does not exist: the save fails.
    doc->SetFilename(wxString::FromUTF8(RunFolder() + "/no such folder/spill.tvr"), true);
    doc->SetDocumentSaved(true);

    Messages().QueueAnswer(platform::MsgResult::Yes);  // save first: fails
    Command(wxID_CLOSE);
    ASSERT_GE(Messages().Entries().size(), 2u);
    EXPECT_EQ(Messages().Entries()[0].text, "Do you want to save the changes to Spill Scenario1?");
    EXPECT_EQ(Messages().Entries()[1].icon, platform::MsgIcon::Stop);
    EXPECT_EQ(Frame()->Workspaces()->GetPageCount(), 1u);
    EXPECT_TRUE(doc->IsModified());

    // Leaving the program, Cancel keeps it running with the scenario.
    Messages().Clear();
    Messages().QueueAnswer(platform::MsgResult::Cancel);
    EXPECT_FALSE(Frame()->Close());
    Pump();
    ASSERT_NE(Frame(), nullptr);
    EXPECT_EQ(Frame()->Workspaces()->GetPageCount(), 1u);

    // No closes without saving.
    Messages().QueueAnswer(platform::MsgResult::No);
    Command(wxID_CLOSE);
    EXPECT_EQ(Frame()->Workspaces()->GetPageCount(), 0u);
    EXPECT_EQ(Frame()->GetTitle(), "TAVRO2");
}

TEST_F(GuiTest, DroppedFilesOpenWorkspacesAndBadOnesSayWhy) {
    Start();
    app::CMainFrame* f = Frame();
    auto* drop = dynamic_cast<wxFileDropTarget*>(f->GetDropTarget());
    ASSERT_NE(drop, nullptr);
    const std::string bad = RunFolder() + "/notes.txt";
    std::ofstream(bad) << "not a scenario";
    wxArrayString names;
    names.Add(wxString::FromUTF8(kStoredScenario));
    names.Add(wxString::FromUTF8(bad));
    drop->OnDropFiles(10, 10, names);
    Pump();
    EXPECT_EQ(f->Workspaces()->GetPageCount(), 2u);
    EXPECT_EQ(f->Workspaces()->GetPageText(1), "instant_1000bbl.tvr");
    ASSERT_EQ(Messages().Entries().size(), 1u);
    EXPECT_NE(Messages().Entries()[0].text.find("notes.txt"), std::string::npos) << Messages().Entries()[0].text;
    EXPECT_EQ(Messages().Entries()[0].icon, platform::MsgIcon::Stop);
}

TEST(CommandLine, FilesMadeAbsoluteSplashSwitchAndHelp) {
    using R = app::CTAVRO2App::CommandLine;
    struct Case {
        const char* name;
        std::vector<std::wstring> args;
        R result;
        bool splash;
        std::vector<std::string> files;
        const char* said;  // in the message (Help, Bad)
    };
    const std::string cwd = document::CurrentDirectory();
    const Case cases[] = {
        {"nothing", {L"tavro2"}, R::Run, true, {}, ""},
        {"relative file", {L"tavro2", L"sub/../spill.tvr"}, R::Run, true, {cwd + "/spill.tvr"}, ""},
        {"no splash and absolute file", {L"tavro2", L"--nosplash", L"/data/a b.tvr"}, R::Run, false,
         {"/data/a b.tvr"}, ""},
        {"two files", {L"tavro2", L"a.tvr", L"/b.tvr"}, R::Run, true, {cwd + "/a.tvr", "/b.tvr"}, ""},
        {"unknown switch", {L"tavro2", L"--print"}, R::Bad, true, {}, "print"},
        {"help", {L"tavro2", L"--help"}, R::Help, true, {}, "--nosplash"},
        {"short help among files", {L"tavro2", L"a.tvr", L"-h"}, R::Help, true, {}, "Usage"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<wxChar*> argv;
        std::vector<std::wstring> args = c.args;
        for (std::wstring& a : args) argv.push_back(a.data());
        argv.push_back(nullptr);
        app::CTAVRO2App::Options o;
        wxString message;
        EXPECT_EQ(app::CTAVRO2App::ParseCommandLine(static_cast<int>(args.size()), argv.data(), o, &message),
                  c.result);
        EXPECT_NE(message.find(c.said), wxString::npos) << message;
        if (c.result != R::Run) continue;
        EXPECT_EQ(o.splash, c.splash);
        std::vector<std::string> files;
        for (const wxString& f : o.files) files.push_back(f.utf8_string());
        EXPECT_EQ(files, c.files);
    }
    char name[] = "tavro2", help[] = "--help", file[] = "a.tvr", end[] = "--";
    char* asks[] = {name, file, help, nullptr};
    char* after[] = {name, end, help, nullptr};
    EXPECT_TRUE(app::AsksForHelp(3, asks));
    EXPECT_FALSE(app::AsksForHelp(3, after));
}

// Library and scenario texts are raw bytes: UTF-8 when valid, else the
// library files' Windows-1252 (a message box of such text was empty).
TEST(WxText, EightBitTextsBecomeReadable) {
    struct Case {
        const char* name;
        std::string bytes;
        wxString expected;
    };
    const Case cases[] = {
        {"ASCII", "Oil Budget", "Oil Budget"},
        {"UTF-8", "caf\xC3\xA9", wxString::FromUTF8("caf\xC3\xA9")},
        {"Windows-1252 e acute", "caf\xE9", wxString::FromUTF8("caf\xC3\xA9")},
        {"Windows-1252 euro and quotes", "\x80 \x93x\x94", wxString::FromUTF8("\xE2\x82\xAC \xE2\x80\x9Cx\xE2\x80\x9D")},
        {"empty", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(platform::ToWx(c.bytes), c.expected);
    }
}

}  // namespace

namespace {

void LeftUp(wxWindow* w) {
    wxMouseEvent up(wxEVT_LEFT_UP);
    up.SetEventObject(w);
    w->GetEventHandler()->ProcessEvent(up);
    Pump();
}

void DoubleClick(wxWindow* w) {
    wxMouseEvent dclick(wxEVT_LEFT_DCLICK);
    dclick.SetEventObject(w);
    w->GetEventHandler()->ProcessEvent(dclick);
    Pump();
}

wxString SaveAsLabel(app::CMainFrame* f) {
    f->RefreshNow();
    return f->GetMenuBar()->FindItem(wxID_SAVEAS)->GetItemLabelText();
}

TEST_F(GuiTest, TilesCloseMaximiseTakeTurnsAndATableIsUsable) {
    Start(OpeningStoredScenario());
    app::CMainFrame* f = Frame();
    Command(app::ID_SOLVE);
    Command(app::ID_SHOW_ALL_GRAPHS);
    app::OutputArea* area = f->CurrentWorkspace()->Area();
    ASSERT_EQ(area->Shown().size(), 11u);

    // A graph's close box clears its flag, as its toggle does.
    ASSERT_NE(area->CloseBoxOf(OutputKind::Density), nullptr);
    EXPECT_TRUE(area->CloseBoxOf(OutputKind::Density)->IsShownOnScreen());
    LeftUp(area->CloseBoxOf(OutputKind::Density));
    EXPECT_FALSE(area->Exists(OutputKind::Density));
    EXPECT_FALSE(f->CurrentDoc()->Core().Outputs().GraphChecked(document::GraphDensity));
    EXPECT_FALSE(f->GetToolBar()->GetToolState(app::GraphCommand(document::GraphDensity)));
    EXPECT_EQ(area->Shown().size(), 10u);

    // A table among the tiles shows its whole strip; it takes Save As.
    Command(app::ID_ICS_TABLE);
    ASSERT_EQ(area->Shown().size(), 11u);
    wxWindow* ics = area->OutputWindow(OutputKind::IcsTable);
    ASSERT_NE(ics, nullptr);
    ASSERT_NE(ics->GetSizer(), nullptr);
    EXPECT_GE(ics->GetSize().x, ics->GetSizer()->GetMinSize().x);
    EXPECT_TRUE(area->ActiveTable());
    // Opened, it is scrolled into view.
    EXPECT_TRUE(wxRect(area->GetClientSize()).Contains(ics->GetParent()->GetRect().GetTopLeft()));
    EXPECT_EQ(SaveAsLabel(f), "Save Table As...");
    EXPECT_FALSE(Screenshot(f, "shell-tiles-with-close-boxes").empty());
    // A click in the tree gives Save As back to the scenario.
    f->Tree()->SetFocus();
    Pump();
    EXPECT_FALSE(area->ActiveTable());
    EXPECT_EQ(SaveAsLabel(f), "Save As...");
    // Its close box closes it; the graphs stay tiled.
    LeftUp(area->CloseBoxOf(OutputKind::IcsTable));
    EXPECT_FALSE(area->Exists(OutputKind::IcsTable));
    EXPECT_EQ(area->Shown().size(), 10u);
    EXPECT_EQ(area->CurrentMode(), app::OutputArea::Mode::Tiled);

    // A double-click on a caption shows the tile alone over the area; again,
    // the tiles come back.
    DoubleClick(area->CaptionOf(OutputKind::Budget));
    EXPECT_TRUE(area->Zoomed());
    EXPECT_EQ(area->Shown(), std::vector<OutputKind>{OutputKind::Budget});
    EXPECT_EQ(area->OutputWindow(OutputKind::Budget)->GetParent()->GetSize(), area->GetClientSize());
    EXPECT_FALSE(Screenshot(f, "shell-maximised-tile").empty());
    DoubleClick(area->CaptionOf(OutputKind::Budget));
    EXPECT_FALSE(area->Zoomed());
    EXPECT_EQ(area->Shown().size(), 10u);

    // Ctrl+Tab and Ctrl+Shift+Tab move between the outputs in output order.
    EXPECT_EQ(area->ActiveOutput(), area->OutputWindow(OutputKind::Budget));
    Command(app::ID_NEXT_OUTPUT);
    EXPECT_EQ(area->ActiveOutput(), area->OutputWindow(OutputKind::Evaporation));
    Command(app::ID_PREVIOUS_OUTPUT);
    Command(app::ID_PREVIOUS_OUTPUT);
    EXPECT_EQ(area->ActiveOutput(), area->OutputWindow(OutputKind::Benzene));
    // In single-graph mode they bring each open output to the front.
    Command(app::ID_SINGLE_GRAPH);
    Command(app::ID_BUDGET_TABLE);
    ASSERT_EQ(area->Shown(), std::vector<OutputKind>{OutputKind::BudgetTable});
    Command(app::ID_NEXT_OUTPUT);
    EXPECT_EQ(area->Shown().size(), 1u);
    EXPECT_NE(area->Shown(), std::vector<OutputKind>{OutputKind::BudgetTable});
    for (const auto& e : Messages().Entries()) ADD_FAILURE() << "message: " << e.text;
}

TEST_F(GuiTest, TitleTabAndStatusTellTheTruth) {
    Start(OpeningStoredScenario());
    app::CMainFrame* f = Frame();
    app::SpillDocWx* doc = f->CurrentDoc();
    ASSERT_NE(doc, nullptr);
    EXPECT_FALSE(f->EmptyHint()->IsShownOnScreen());
    // The workspace fills the frame's middle.
    EXPECT_GE(f->Workspaces()->GetSize().y, f->ScenarioPane()->GetSize().y - f->FromDIP(40));
    doc->Core().SetModified(true);
    f->RefreshNow();
    EXPECT_EQ(f->GetTitle(), "TAVRO2 - instant_1000bbl.tvr *");
    EXPECT_EQ(f->Workspaces()->GetPageText(0), "instant_1000bbl.tvr *");
    doc->Core().SetModified(false);
    f->RefreshNow();
    EXPECT_EQ(f->GetTitle(), "TAVRO2 - instant_1000bbl.tvr");
    EXPECT_EQ(f->Workspaces()->GetPageText(0), "instant_1000bbl.tvr");

    // With the last scenario closed the graph hint goes, and the empty
    // workspace says how to start.
    Command(app::ID_SOLVE);
    ASSERT_EQ(f->GetStatusBar()->GetStatusText(0), document::kGraphUnitsHint);
    Command(wxID_CLOSE);
    ASSERT_EQ(f->Workspaces()->GetPageCount(), 0u);
    EXPECT_EQ(f->GetStatusBar()->GetStatusText(0), document::kReadyText);
    EXPECT_TRUE(f->EmptyHint()->IsShownOnScreen());
    EXPECT_EQ(f->EmptyHint()->GetLabel(), "File > New or File > Open to start");
    EXPECT_FALSE(Screenshot(f, "shell-empty-workspace").empty());
    Command(wxID_NEW);
    EXPECT_FALSE(f->EmptyHint()->IsShownOnScreen());
    EXPECT_TRUE(f->Workspaces()->IsShownOnScreen());
}

// Alt and a letter reaches every item: no letter twice in a menu.
TEST_F(GuiTest, EveryMenuItemHasAMnemonicOfItsOwnAndSolveHasF5) {
    Start();
    wxMenuBar* bar = Frame()->GetMenuBar();
    std::function<void(wxMenu*, const std::string&)> check = [&](wxMenu* menu, const std::string& where) {
        std::map<wxUniChar, std::string> seen;
        for (wxMenuItem* item : menu->GetMenuItems()) {
            if (item->IsSeparator()) continue;
            const wxString label = item->GetItemLabel().BeforeFirst('\t');
            const int at = label.Find('&');
            const std::string text = item->GetItemLabelText().utf8_string();
            if (at == wxNOT_FOUND || at + 1 >= static_cast<int>(label.size())) {
                ADD_FAILURE() << where << ": \"" << text << "\" has no mnemonic";
                continue;
            }
            const wxUniChar key = wxTolower(label[at + 1]);
            if (seen.count(key)) ADD_FAILURE() << where << ": \"" << text << "\" and \"" << seen[key] << "\" share one";
            seen[key] = text;
            if (item->GetSubMenu()) check(item->GetSubMenu(), where + " > " + text);
        }
    };
    wxMenu top;  // the menu titles themselves
    for (size_t i = 0; i < bar->GetMenuCount(); ++i) {
        check(bar->GetMenu(i), bar->GetMenuLabelText(i).utf8_string());
        top.Append(wxID_ANY, bar->GetMenuLabel(i));
    }
    check(&top, "menu bar");
    wxMenuItem* solve = bar->FindItem(app::ID_SOLVE);
    ASSERT_NE(solve, nullptr);
    std::unique_ptr<wxAcceleratorEntry> key(solve->GetAccel());
    ASSERT_TRUE(key);
    EXPECT_EQ(key->GetKeyCode(), WXK_F5);
}

app::ScenarioTreePane* TreeOf(app::CMainFrame* frame) { return frame->Tree(); }

wxTreeItemId LongestLine(app::ScenarioTreePane* tree) {
    wxTreeItemId longest;
    size_t length = 0;
    std::vector<wxTreeItemId> stack{tree->GetRootItem()};
    while (!stack.empty()) {
        const wxTreeItemId id = stack.back();
        stack.pop_back();
        if (id != tree->GetRootItem() && tree->IsVisible(id) && tree->GetItemText(id).size() > length) {
            length = tree->GetItemText(id).size();
            longest = id;
        }
        wxTreeItemIdValue cookie;
        for (wxTreeItemId c = tree->GetFirstChild(id, cookie); c.IsOk(); c = tree->GetNextChild(id, cookie))
            stack.push_back(c);
    }
    return longest;
}

TEST_F(GuiTest, PaneFitsItsItemsTipsCutOnesAndKeepsEachScenariosTree) {
    Start(OpeningStoredScenario());
    app::CMainFrame* f = Frame();
    Command(app::ID_SOLVE);
    Pump();
    app::ScenarioTreePane* tree = TreeOf(f);
    // As wide as the widest item needs, up to half the window.
    const int half = f->GetClientSize().x / 2;
    const int pane = f->PaneSize();
    EXPECT_GT(pane, f->FromDIP(320));
    EXPECT_LE(pane, half);
    EXPECT_TRUE(pane == half || pane >= tree->WidestItemWidth()) << pane << " for " << tree->WidestItemWidth();
    const wxTreeItemId longest = LongestLine(tree);
    ASSERT_TRUE(longest.IsOk());
    EXPECT_EQ(tree->CutItemText(longest), "");
    EXPECT_FALSE(Screenshot(f, "shell-solved-pane").empty());

    // Made narrow by the user, it stays so; a cut item shows its text as its
    // tooltip, a whole one none.
    f->Aui().SetDockSize(f->ScenarioPane(), 160);
    Pump();
    EXPECT_EQ(f->PaneSize(), 160);
    EXPECT_EQ(tree->CutItemText(longest), tree->GetItemText(longest));
    wxTreeEvent tip(wxEVT_TREE_ITEM_GETTOOLTIP, tree, longest);
    tree->GetEventHandler()->ProcessEvent(tip);
    EXPECT_EQ(tip.GetToolTip(), tree->GetItemText(longest));
    const wxTreeItemId oil = tree->FindRootItem("Oil Type");
    ASSERT_TRUE(oil.IsOk());
    EXPECT_EQ(tree->CutItemText(oil), "");

    // A closed section stays closed across a visit to another scenario.
    tree->Collapse(oil);
    Command(wxID_NEW);
    f->Workspaces()->SetSelection(0);
    Pump();
    ASSERT_TRUE(tree->FindRootItem("Oil Type").IsOk());
    EXPECT_FALSE(tree->IsExpanded(tree->FindRootItem("Oil Type")));
    EXPECT_TRUE(tree->IsExpanded(tree->FindRootItem("Release Information")));
}

TEST_F(GuiTest, LayoutComesBackAfterARestartAndAGarbageConfStartsWithDefaults) {
    const std::string folder = RunFolder() + "/layout";
    std::filesystem::create_directories(folder + "/spills");
    app::CTAVRO2App::Options o = OpeningStoredScenario();
    o.configPath = wxString::FromUTF8(folder + "/tavro2.conf");
    // Started not maximised (without a window manager a maximised window
    // would stay so).
    std::ofstream(folder + "/tavro2.conf") << "[Layout]\nMaximised=0\n";
    Start(o);
    app::CMainFrame* f = Frame();
    f->Aui().SetDockSize(f->ScenarioPane(), 420);
    f->SetSize(60, 50, 900, 640);
    for (int i = 0; i < 20 && f->GetSize() != wxSize(900, 640); ++i) {
        Pump(1);
        wxMilliSleep(20);
    }
    ASSERT_EQ(f->GetSize(), wxSize(900, 640));
    const wxRect place = f->GetRect();
    Command(app::ID_SOLVE);
    Command(app::ID_MULTIPLE_GRAPHS);
    App().DocManager()->SetLastDirectory(wxString::FromUTF8(folder + "/spills"));
    App().Stop();

    Start(o);
    f = Frame();
    EXPECT_EQ(f->PaneSize(), 420);
    EXPECT_FALSE(f->IsMaximized());
    EXPECT_EQ(f->GetRect(), place);
    EXPECT_EQ(App().DocManager()->GetLastDirectory(), wxString::FromUTF8(folder + "/spills"));
    // The scenario starts in the mode last chosen: Solve tiles.
    EXPECT_TRUE(f->CurrentDoc()->Core().Outputs().MultipleChecked());
    Command(app::ID_SOLVE);
    EXPECT_EQ(f->CurrentWorkspace()->Area()->CurrentMode(), app::OutputArea::Mode::Tiled);
    // A hidden pane stays hidden, and keeps its width for when it comes back.
    Command(app::ID_VIEW_SCENARIO_TREE);
    App().Stop();
    Start(o);
    EXPECT_FALSE(Frame()->Aui().GetPane("scenario").IsShown());
    Command(app::ID_VIEW_SCENARIO_TREE);
    EXPECT_EQ(Frame()->PaneSize(), 420);
    App().Stop();

    // Whatever the file holds, the program starts with its defaults.
    static constexpr char kGarbage[] =
        "\x00\xFF[Layout]\nPaneSize=-7\nPaneShown=2\nWindowWidth=1e9\nMultipleGraphs=x\n[RecentFiles]\nfile1=\x01\n";
    std::ofstream(folder + "/tavro2.conf", std::ios::binary) << std::string(kGarbage, sizeof kGarbage - 1);
    Start(o);
    f = Frame();
    EXPECT_TRUE(f->Aui().GetPane("scenario").IsShown());
    EXPECT_GE(f->PaneSize(), f->FromDIP(320));
    EXPECT_TRUE(f->CurrentDoc()->Core().Outputs().SingleChecked());
    // Only the scenario just opened.
    ASSERT_EQ(App().DocManager()->GetFileHistory()->GetCount(), 1u);
    EXPECT_EQ(App().DocManager()->GetFileHistory()->GetHistoryFile(0), wxString::FromUTF8(kStoredScenario));
    for (const auto& e : Messages().Entries()) ADD_FAILURE() << "message: " << e.text;
}

}  // namespace

namespace {

// A link is text, not a button: under the pointer it gets no theme
// background, only the hand cursor.
TEST_F(GuiTest, AHoveredLinkShowsNoButtonBackground) {
    Start();
    app::FormPanel* form = Frame()->CurrentWorkspace()->Form();
    std::vector<app::LinkButton*> links = Buttons(form->Guide());
    ASSERT_EQ(links.size(), 5u);
    app::LinkButton* oil = links[1];
    ASSERT_TRUE(oil->IsEnabled());
    const wxRect r = oil->GetScreenRect();
    wxUIActionSimulator pointer;
    ASSERT_TRUE(pointer.MouseMove(r.x + r.width / 2, r.y + r.height - 2));
    for (int i = 0; i < 10; ++i) {
        Pump(1);
        wxMilliSleep(20);
    }
    const std::string shot = Screenshot(oil, "shell-link-hovered");
    ASSERT_FALSE(shot.empty());
    wxImage image(wxString::FromUTF8(shot), wxBITMAP_TYPE_PNG);
    ASSERT_TRUE(image.IsOk());
    const wxColour back = form->GetBackgroundColour();
    // The corners and the edges hold no text: each must be the form's colour.
    const wxPoint spots[] = {{1, 1}, {image.GetWidth() - 2, 1}, {1, image.GetHeight() - 2},
                             {image.GetWidth() - 2, image.GetHeight() - 2}, {image.GetWidth() / 2, 1}};
    for (const wxPoint& p : spots) {
        const wxColour at(image.GetRed(p.x, p.y), image.GetGreen(p.x, p.y), image.GetBlue(p.x, p.y));
        EXPECT_EQ(at.GetRGB(), back.GetRGB()) << p.x << "," << p.y << ": " << at.GetAsString(wxC2S_HTML_SYNTAX)
                                              << " on " << back.GetAsString(wxC2S_HTML_SYNTAX);
    }
    pointer.MouseMove(0, 0);
    Pump();
}

}  // namespace
