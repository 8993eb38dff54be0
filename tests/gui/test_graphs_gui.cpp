// The graph windows on a real display: a solved scenario's graph paints,
// a unit command changes the document's unit and repaints, and the graph
// help dialog opens with its caption and closes.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <wx/button.h>
#include <wx/dcmemory.h>
#include <wx/menu.h>
#include <wx/timer.h>
#include <wx/toolbar.h>
#include <wx/uiaction.h>
#include <wx/utils.h>

#include "app/CommandIds.h"
#include "app/MainFrame.h"
#include "app/OutputArea.h"
#include "app/SpillDocWx.h"
#include "app/WorkspaceView.h"
#include "gui_support.h"
#include "output/GraphViews.h"
#include "output/core/GraphViewModel.h"
#include "ui/common/DialogRegistry.h"
#include "platform/Help.h"

using namespace gui_test;
using document::OutputKind;

namespace {

// Pumps until the panel has painted more than `than` times (or gives up).
bool PaintedMoreThan(output::GraphPanel* panel, int than) {
    for (int i = 0; i < 50 && panel->PaintCount() <= than; ++i) {
        panel->Update();
        Pump(1);
        wxMilliSleep(10);
    }
    return panel->PaintCount() > than;
}

TEST_F(GuiTest, GraphPanelPaintsTakesAUnitAndShowsItsHelp) {
    Start(OpeningStoredScenario());
    app::CMainFrame* f = Frame();
    ASSERT_NE(f, nullptr);
    Command(app::ID_SOLVE);
    app::WorkspaceView* view = f->CurrentWorkspace();
    ASSERT_NE(view, nullptr);
    app::OutputArea* area = view->Area();
    Command(app::GraphCommand(document::GraphDensity));
    ASSERT_TRUE(area->Exists(OutputKind::Density));
    auto* panel = dynamic_cast<output::GraphPanel*>(area->OutputWindow(OutputKind::Density));
    ASSERT_NE(panel, nullptr);
    EXPECT_TRUE(PaintedMoreThan(panel, 0));
    EXPECT_EQ(panel->View().Title(), "Oil Density (kg/cu m)");

    // What the panel paints is not blank: the axes and their labels in
    // black, the best-estimate curve in its grey.
    const wxSize size = panel->GetClientSize();
    ASSERT_GT(size.x, 100);
    ASSERT_GT(size.y, 100);
    const Ink kgm3 = InkOf(Screenshot(f, "graph-density-kgm3"), f, panel, 128, 128, 128);
    EXPECT_GT(kgm3.dark, 1000) << "the axes and labels";
    EXPECT_GT(kgm3.ofColour, 100) << "the curve";

    // A unit command: the document's entry changes and the panel repaints.
    document::SpillDocCore& doc = view->Doc()->Core();
    const int before = panel->PaintCount();
    panel->RunCommand(32810);
    EXPECT_EQ(doc.session.m_iGraphUnits[document::GraphDensity], 2);
    EXPECT_TRUE(PaintedMoreThan(panel, before));
    EXPECT_EQ(panel->View().Title(), "Oil Density (g/cc)");
    const Ink gcc = InkOf(Screenshot(f, "graph-density-gcc"), f, panel, 128, 128, 128);
    EXPECT_GT(gcc.dark, 1000) << "the axes and labels";
    EXPECT_GT(gcc.ofColour, 100) << "the curve";

    // The help dialog: its caption, the book's output page, then OK.
    platform::RecordingHelp help;
    const ScopedDefaultHelp helpHere(help);
    std::string caption;
    bool found = false, okIsDefault = false;
    wxTheApp->CallAfter([&] {
        for (wxWindow* w : wxTopLevelWindows) {
            auto* dialog = dynamic_cast<output::CContextMenuHelp*>(w);
            if (!dialog || !dialog->IsModal()) continue;
            found = true;
            caption = dialog->GetTitle().utf8_string();
            // Enter closes it: OK is the default button.
            auto* def = dynamic_cast<wxButton*>(dialog->GetDefaultItem());
            okIsDefault = def != nullptr && def->GetId() == wxID_OK;
            Screenshot(dialog, "graph-help-density");
            if (auto* more = dynamic_cast<wxButton*>(dialog->FindWindow(output::CContextMenuHelp::kReadMoreId))) {
                wxCommandEvent click(wxEVT_BUTTON, more->GetId());
                click.SetEventObject(more);
                more->GetEventHandler()->ProcessEvent(click);
            }
            dialog->EndModal(wxID_OK);
        }
    });
    panel->RunCommand(32809);
    EXPECT_TRUE(found);
    EXPECT_EQ(caption, "Oil Density Graph");
    EXPECT_TRUE(okIsDefault);
    ASSERT_EQ(help.Calls().size(), 1u);
    EXPECT_EQ(help.Calls()[0].page, "output");
    EXPECT_EQ(help.Calls()[0].anchor, "");
    for (const auto& e : Messages().Entries()) ADD_FAILURE() << "message: " << e.text;
}

// A toolkit assertion fails the test that meets it (a user would see it as
// a dialog), for as long as this lives.
class AssertionsFail {
public:
    AssertionsFail() : previous_(wxSetAssertHandler(&Fail)) {}
    ~AssertionsFail() { wxSetAssertHandler(previous_); }

private:
    static void Fail(const wxString& file, int line, const wxString& func, const wxString& cond,
                     const wxString& msg) {
        ADD_FAILURE() << "assertion in " << file.utf8_string() << ":" << line << " " << func.utf8_string() << ": "
                      << cond.utf8_string() << " " << msg.utf8_string();
    }
    wxAssertHandler_t previous_;
};

// Runs action after ms (once, or every ms), in whatever loop is running
// then (a popup menu's own loop included), until it goes out of scope.
class Timer {
public:
    Timer(int ms, bool repeat, std::function<void()> action) {
        timer_.Bind(wxEVT_TIMER, [action](wxTimerEvent&) { action(); });
        timer_.Start(ms, repeat ? wxTIMER_CONTINUOUS : wxTIMER_ONE_SHOT);
    }
    ~Timer() { timer_.Stop(); }

private:
    wxTimer timer_;
};

// Saves the whole screen as the X server shows it, a popup menu included
// (the screenshot helper raises its window, which would cover the menu).
void ScreenWithMenu(const std::string& name) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const char* dir = std::getenv("TAVRO_SHOTS_DIR");
    const fs::path folder =
        dir && *dir ? fs::path(dir) : fs::read_symlink("/proc/self/exe", ec).parent_path() / "gui-smoke";
    const fs::path shot = folder / (name + ".png");
    fs::create_directories(shot.parent_path(), ec);
    const std::string grab = "import -window root '" + shot.string() + "' 2>/dev/null";
    if (std::system(grab.c_str()) != 0) ADD_FAILURE() << "no screen grab";
    std::printf("screenshot: %s\n", shot.c_str());
}

// The graph panels of a solved scenario with every graph shown.
std::vector<output::GraphPanel*> ShowAllGraphs(GuiTest&, app::CMainFrame* f) {
    Command(app::ID_SOLVE);
    Command(app::ID_SHOW_ALL_GRAPHS);
    std::vector<output::GraphPanel*> panels;
    app::OutputArea* area = f->CurrentWorkspace()->Area();
    for (const output::GraphViewRow& row : output::GraphViews())
        panels.push_back(dynamic_cast<output::GraphPanel*>(area->OutputWindow(row.kind)));
    return panels;
}

TEST_F(GuiTest, EveryGraphsRightClickMenuOpensWithoutAssertionAndItsItemsRunTheirCommands) {
    DialogTestGuard guard;
    AssertionsFail assertions;
    Start(OpeningStoredScenario());
    const std::vector<output::GraphPanel*> panels = ShowAllGraphs(*this, Frame());
    for (output::GraphPanel* panel : panels) {
        ASSERT_NE(panel, nullptr);
        const output::GraphViewRow& row = panel->View().Row();
        SCOPED_TRACE(row.templateString);
        // The item a user picks: the first unit not in force, else Help. Its
        // place among the items is how many Down presses reach it.
        std::unique_ptr<wxMenu> menu(panel->MakeMenu());
        int downs = 0, target = 0, place = 0;
        for (wxMenuItem* item : menu->GetMenuItems()) {
            if (item->IsSeparator()) continue;
            ++place;
            const int command = output::GraphCommandOfItem(item->GetId());
            EXPECT_LE(item->GetId(), 0x7FFF) << item->GetItemLabelText().utf8_string();
            const auto unit = output::UnitOfCommand(command);
            const bool pick = command == row.helpCommand || (unit && *unit != panel->View().UnitIndex());
            if (pick && target == 0) {
                target = command;
                downs = place;
            }
        }
        ASSERT_NE(target, 0);
        const int unitBefore = panel->View().UnitIndex();
        bool menuUp = false, helpShown = false;
        // While the menu is up: a screenshot of the first, then the keys.
        Timer keys(300, false, [&] {
            menuUp = true;
            if (panel == panels.front()) ScreenWithMenu("outputs/graph-unit-menu");
            wxUIActionSimulator simulated;
            for (int i = 0; i < downs; ++i) simulated.Char(WXK_DOWN);
            simulated.Char(WXK_RETURN);
        });
        // A help dialog the item opens is closed.
        Timer closeHelp(200, true, [&] {
            for (wxWindow* w : wxTopLevelWindows)
                if (auto* help = dynamic_cast<output::CContextMenuHelp*>(w); help && help->IsModal()) {
                    helpShown = true;
                    help->EndModal(wxID_OK);
                }
        });
        // A menu the keys did not reach is closed.
        Timer escape(6000, false, [] { wxUIActionSimulator().Char(WXK_ESCAPE); });
        panel->SetFocus();
        const wxPoint centre = panel->ClientToScreen(wxPoint(panel->GetClientSize().x / 2, panel->GetClientSize().y / 2));
        wxContextMenuEvent rightClick(wxEVT_CONTEXT_MENU, panel->GetId(), centre);
        rightClick.SetEventObject(panel);
        panel->GetEventHandler()->ProcessEvent(rightClick);
        for (int i = 0; i < 40 && !helpShown && panel->View().UnitIndex() == unitBefore; ++i) {
            Pump(1);
            wxMilliSleep(50);
        }
        EXPECT_TRUE(menuUp);
        if (target == row.helpCommand)
            EXPECT_TRUE(helpShown) << "Help from the menu";
        else
            EXPECT_EQ(panel->View().UnitIndex(), *output::UnitOfCommand(target)) << "the unit picked in the menu";
    }
    for (const auto& e : Messages().Entries()) ADD_FAILURE() << "message: " << e.text;
}

// Every id the program gives a menu item or a control, in the main window,
// the outputs and each input dialog, is one the toolkit takes.
void CheckIds(wxWindow* window, const std::string& where) {
    EXPECT_LE(window->GetId(), 0x7FFF) << where << ": " << window->GetClassInfo()->GetClassName();
    for (wxWindow* child : window->GetChildren()) CheckIds(child, where);
}

void CheckMenuIds(wxMenu* menu, const std::string& where) {
    for (wxMenuItem* item : menu->GetMenuItems()) {
        // The toolkit's own rule: its automatic ids, or 0 up to below 0x7FFF.
        const int id = item->GetId();
        EXPECT_TRUE(id == wxID_SEPARATOR || (id >= 0 && id < 0x7FFF) || (id >= wxID_AUTO_LOWEST && id <= wxID_AUTO_HIGHEST))
            << where << ": " << item->GetItemLabelText().utf8_string() << " " << item->GetId();
        if (item->GetSubMenu()) CheckMenuIds(item->GetSubMenu(), where);
    }
}

TEST_F(GuiTest, EveryMenuToolAndControlIdIsInTheToolkitsRange) {
    DialogTestGuard guard;
    AssertionsFail assertions;
    Start(OpeningStoredScenario());
    app::CMainFrame* f = Frame();
    for (output::GraphPanel* panel : ShowAllGraphs(*this, f)) {
        ASSERT_NE(panel, nullptr);
        std::unique_ptr<wxMenu> menu(panel->MakeMenu());
        CheckMenuIds(menu.get(), panel->View().Row().templateString);
    }
    Command(app::ID_MULTIPLE_GRAPHS);
    Command(app::ID_BUDGET_TABLE);
    Command(app::ID_ICS_TABLE);
    wxMenuBar* bar = f->GetMenuBar();
    ASSERT_NE(bar, nullptr);
    for (std::size_t i = 0; i < bar->GetMenuCount(); ++i) CheckMenuIds(bar->GetMenu(i), "menu bar");
    wxToolBar* tools = f->GetToolBar();
    ASSERT_NE(tools, nullptr);
    for (int i = 0; i < static_cast<int>(tools->GetToolsCount()); ++i)
        EXPECT_LE(tools->GetToolByPos(i)->GetId(), 0x7FFF) << "tool " << i;
    CheckIds(f, "main window");

    for (const app::InputCommand& input : app::kInputCommands) {
        if (!ui::HasDialog(input.dialog)) continue;
        int dialogs = 0;
        wxTheApp->CallAfter([&] {
            EndModalsOnExit close;
            for (wxWindow* w : wxTopLevelWindows)
                if (auto* d = dynamic_cast<wxDialog*>(w); d && d->IsModal()) {
                    ++dialogs;
                    CheckIds(d, d->GetTitle().utf8_string());
                }
        });
        Command(input.id);
        EXPECT_EQ(dialogs, 1) << "input command " << input.id;
    }
}

// The budget graph in barrels of a 10-hour continuous release: the stack
// grows with the release (looked at in the screenshot).
TEST_F(GuiTest, BudgetGraphInBarrelsOfAContinuousRelease) {
    DialogTestGuard guard;
    Start(OpeningStoredScenario());
    ui::ScopedDialog release(document::DialogKind::Release, [](wxWindow*, document::SpillDocCore& doc) {
        document::Scenario& s = doc.scenario;
        s.instant.flag = 0;
        s.continuous.flag = 1;
        s.continuous.startHour = 1;
        s.cont.duration = 10;
        s.cont.durationUnits = 0;
        s.cont.spilledType = 0;
        s.cont.amount = 1000;
        s.cont.amountUnits = 0;  // bbl
        return true;
    });
    Command(app::ID_RELEASE);
    Command(app::ID_SOLVE);
    app::OutputArea* area = Frame()->CurrentWorkspace()->Area();
    auto* panel = dynamic_cast<output::GraphPanel*>(area->OutputWindow(OutputKind::Budget));
    ASSERT_NE(panel, nullptr);
    panel->RunCommand(32822);  // bbl
    EXPECT_EQ(panel->View().Title(), "Oil Budget (bbl)");
    EXPECT_TRUE(PaintedMoreThan(panel, panel->PaintCount()));
    EXPECT_FALSE(Screenshot(Frame(), "outputs/budget-bbl-continuous").empty());
    for (const auto& e : Messages().Entries()) ADD_FAILURE() << "message: " << e.text;
}

}  // namespace
