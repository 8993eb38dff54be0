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
#include <wx/log.h>
#include <wx/toolbar.h>

#include "app/CommandIds.h"
#include "app/FormPanel.h"
#include "app/MainFrame.h"
#include "app/OutputArea.h"
#include "app/SpillDocWx.h"
#include "app/WorkspaceView.h"
#include "ui/common/DialogRegistry.h"
#include "gui_support.h"
#include "output/GraphViews.h"
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
        EXPECT_GT(panel->PaintCount(), before[g]) << g;
        // What it painted is a graph: axes, labels and curves, not a blank tile.
        const Ink ink = InkOf(resolved, f, panel);
        EXPECT_GT(ink.dark, 200) << "graph " << g << " is blank";
    }

    // In a small window the tiles keep their least size and the area scrolls.
    f->SetSize(640, 480);
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
    // The files do not exist: choosing one says so and drops it.
    Command(recent->FindItemByPosition(0)->GetId());
    ASSERT_EQ(Messages().Entries().size(), 1u);
    EXPECT_NE(Messages().Entries()[0].text.find("s5.tvr"), std::string::npos) << Messages().Entries()[0].text;
    EXPECT_EQ(history->GetCount(), 3u);
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
}

TEST_F(GuiTest, ACommandLineFileThatFailsSaysWhyAndStartsANewScenario) {
    const std::string bad = RunFolder() + "/broken.tvr";
    std::ofstream(bad) << "not a scenario";
    app::CTAVRO2App::Options o;
    o.splash = false;
    o.file = wxString::FromUTF8(bad);
    Start(o);
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

TEST(CommandLine, FileMadeAbsoluteAndSplashSwitch) {
    struct Case {
        const char* name;
        std::vector<std::wstring> args;
        bool ok;
        bool splash;
        std::string file;  // relative to the current folder when not absolute
    };
    const std::string cwd = document::CurrentDirectory();
    const Case cases[] = {
        {"nothing", {L"tavro2"}, true, true, ""},
        {"relative file", {L"tavro2", L"sub/../spill.tvr"}, true, true, cwd + "/spill.tvr"},
        {"no splash and absolute file", {L"tavro2", L"--nosplash", L"/data/a b.tvr"}, true, false, "/data/a b.tvr"},
        {"unknown switch", {L"tavro2", L"--print"}, false, true, ""},
        {"two files", {L"tavro2", L"a.tvr", L"b.tvr"}, false, true, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<wxChar*> argv;
        std::vector<std::wstring> args = c.args;
        for (std::wstring& a : args) argv.push_back(a.data());
        argv.push_back(nullptr);
        app::CTAVRO2App::Options o;
        wxLogNull quiet;  // the usage text of a bad line
        EXPECT_EQ(app::CTAVRO2App::ParseCommandLine(static_cast<int>(args.size()), argv.data(), o), c.ok);
        if (!c.ok) continue;
        EXPECT_EQ(o.splash, c.splash);
        EXPECT_EQ(o.file.utf8_string(), c.file);
    }
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
