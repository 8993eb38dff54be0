// The two tables on a real display: opening on a solved scenario, the
// toolbar choices, the period strips, the clipboard.
#include <dlfcn.h>

#include <string>

#include <wx/choice.h>
#include <wx/clipbrd.h>
#include <wx/dataobj.h>
#include <wx/menu.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>
#include <wx/utils.h>

#include "app/CommandIds.h"
#include "app/MainFrame.h"
#include "app/OutputArea.h"
#include "app/SpillDocWx.h"
#include "app/WorkspaceView.h"
#include "gui_support.h"
#include "output/BudgetTableView.h"
#include "output/IcsTableView.h"
#include "output/TableViews.h"
#include "platform/Files.h"
#include "tests/test_temp_dir.h"

using namespace gui_test;
using document::OutputKind;

namespace {

class TablesGui : public GuiTest {
protected:
    // The stored scenario, solved.
    app::OutputArea* StartSolved() {
        Start(OpeningStoredScenario());
        Command(app::ID_SOLVE);
        app::WorkspaceView* view = Frame()->CurrentWorkspace();
        return view ? view->Area() : nullptr;
    }
    document::SpillDocCore& Doc() { return Frame()->CurrentWorkspace()->Doc()->Core(); }
};

// Screenshots go to tables/ in the folder of the GUI screenshots.
std::string Shot(wxWindow* window, const std::string& name) { return Screenshot(window, "tables/" + name); }

// Picks an item as the user would: the selection, then the list's event.
void Choose(wxChoice* list, const wxString& item) {
    const int index = list->FindString(item);
    ASSERT_NE(index, wxNOT_FOUND) << item;
    list->SetSelection(index);
    wxCommandEvent e(wxEVT_CHOICE, list->GetId());
    e.SetEventObject(list);
    e.SetInt(index);
    list->GetEventHandler()->ProcessEvent(e);
    Pump();
}

// Starts at first and presses Tab steps times; gives the index in controls
// of the control holding the keyboard focus at each stop (-1 for another),
// as the toolkit sees it (it tells the program late with no window manager).
std::vector<int> TabWalk(wxWindow* first, const std::vector<wxWindow*>& controls, int steps) {
    using GetFocus = void* (*)(void*);
    static auto get = reinterpret_cast<GetFocus>(dlsym(RTLD_DEFAULT, "gtk_window_get_focus"));
    auto settle = [] {
        for (int i = 0; i < 20; ++i) {
            Pump(1);
            wxMilliSleep(20);
        }
    };
    // A list's focus sits on a button inside it: climb to the control.
    using GetParent = void* (*)(void*);
    static auto parent = reinterpret_cast<GetParent>(dlsym(RTLD_DEFAULT, "gtk_widget_get_parent"));
    auto focused = [&] {
        for (void* widget = get ? get(wxGetTopLevelParent(first)->GetHandle()) : nullptr; widget && parent;
             widget = parent(widget)) {
            for (std::size_t i = 0; i < controls.size(); ++i) {
                if (controls[i]->GetHandle() == widget || controls[i]->GetConnectWidget() == widget)
                    return static_cast<int>(i);
            }
        }
        return -1;
    };
    std::vector<int> order;
    first->SetFocus();
    settle();
    order.push_back(focused());
    wxUIActionSimulator keys;
    for (int i = 0; i < steps; ++i) {
        keys.Char(WXK_TAB);
        settle();
        order.push_back(focused());
    }
    return order;
}

// Whether a menu item is on after the frame's update handlers ran.
bool MenuOn(int id) {
    wxMenuItem* item = nullptr;
    wxMenu* menu = nullptr;
    item = app::TheApp().MainFrame()->GetMenuBar()->FindItem(id, &menu);
    if (!item || !menu) return false;
    menu->UpdateUI(app::TheApp().MainFrame()->GetEventHandler());
    return item->IsEnabled();
}

// The text the table window shows, with its tabs; the control itself holds
// them expanded to stops four characters apart.
std::string Shown(output::BudgetTableView* view) {
    const std::string shown = view->ShownText().utf8_string();
    EXPECT_EQ(view->TextControl()->GetValue().utf8_string(), output::ExpandTabs(shown, 4).shown);
    return shown;
}

TEST_F(TablesGui, BudgetTableFollowsItsToolbar) {
    app::OutputArea* area = StartSolved();
    ASSERT_NE(area, nullptr);
    Command(app::ID_BUDGET_TABLE);
    auto* view = dynamic_cast<output::BudgetTableView*>(area->OutputWindow(OutputKind::BudgetTable));
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(area->ActiveOutput(), view);
    EXPECT_EQ(view->TimeList()->GetStringSelection(), "Hours");
    EXPECT_EQ(view->ReleasedList()->GetStringSelection(), "bbl");
    EXPECT_EQ(view->OtherList()->GetStringSelection(), "Percent");
    const std::string hours = Shown(view);
    EXPECT_NE(hours.find("Hours Into\t Released \t"), std::string::npos) << hours;
    EXPECT_NE(hours.find("Total amount of Oil Released = 1000 bbl"), std::string::npos);
    EXPECT_NE(view->TextControl()->GetValue().find("constant at 10 knots   Wave Height"), wxNOT_FOUND)
        << "the wind and the waves stay apart on screen";
    EXPECT_NE(hours.find(" percent  \t"), std::string::npos);
    EXPECT_FALSE(Shot(Frame(), "budget-hours-percent").empty());

    Choose(view->TimeList(), "Dates");
    EXPECT_NE(Shown(view).find("Date &\tTime\t Released \t"), std::string::npos);
    Choose(view->ReleasedList(), "gal");
    const std::string gal = Shown(view);
    EXPECT_NE(gal.find("Total amount of Oil Released = 42000 gal"), std::string::npos) << gal;
    EXPECT_NE(gal.find(" percent  \t"), std::string::npos) << "percent columns keep their unit";
    Choose(view->OtherList(), "Fraction");
    EXPECT_NE(Shown(view).find(" fraction \t"), std::string::npos);
    Choose(view->OtherList(), "Same as Released");
    EXPECT_EQ(Shown(view).find(" fraction \t"), std::string::npos);
    EXPECT_NE(Shown(view).find("\t   gal    \t \t   gal    \t"), std::string::npos);
    EXPECT_FALSE(Shot(Frame(), "budget-dates-gal").empty());

    EXPECT_EQ(TabWalk(view->TimeList(),
                      {view->TimeList(), view->ReleasedList(), view->OtherList(), view->TextControl()}, 3),
              (std::vector<int>{0, 1, 2, 3}))
        << "Tab goes through the three lists to the text";

    // Select All, then Copy: the whole text on the clipboard.
    EXPECT_TRUE(MenuOn(wxID_COPY));
    EXPECT_TRUE(MenuOn(wxID_SELECTALL));
    EXPECT_TRUE(MenuOn(wxID_SAVEAS));
    Command(wxID_SELECTALL);
    Command(wxID_COPY);
    wxString copied;
    if (wxTheClipboard->Open()) {
        wxTextDataObject data;
        if (wxTheClipboard->GetData(data)) copied = data.GetText();
        wxTheClipboard->Close();
    }
    EXPECT_EQ(copied, view->ShownText()) << "the clipboard has the table's tabs";
    EXPECT_NE(copied.find("\t"), wxNOT_FOUND);

    // File > Save As with the table active saves the table, not the
    // scenario: under a bare name ".txt" is added, and the file holds the
    // export bytes in the choices shown.
    tavro_test::TempDir dir("tables");
    {
        const FileChooserAnswer answer(dir / "budget");
        Command(wxID_SAVEAS);
        EXPECT_EQ(answer.Answered(), std::vector<std::string>{output::kBudgetSaveTitle});
    }
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"budget.txt"});
    std::string saved;
    ASSERT_TRUE(platform::ReadWholeFile(dir / "budget.txt", saved));
    EXPECT_EQ(saved, view->Text().ExportBytes());
    EXPECT_NE(saved.find("Total amount of Oil Released = 42000 gal\r\n"), std::string::npos) << saved;
    for (const auto& e : Messages().Entries()) ADD_FAILURE() << "message: " << e.text;
}

TEST_F(TablesGui, IcsTableStartsAtTheSpillAndRedrawsOnItsStrips) {
    app::OutputArea* area = StartSolved();
    ASSERT_NE(area, nullptr);
    Command(app::ID_ICS_TABLE);
    auto* view = dynamic_cast<output::IcsTableView*>(area->OutputWindow(OutputKind::IcsTable));
    ASSERT_NE(view, nullptr);
    const document::TimePick spill = document::PickOf(Doc().scenario.SpillTime, Doc().Clock());
    EXPECT_EQ(view->MonthList()->GetSelection(), spill.month0);
    EXPECT_EQ(view->DayList()->GetSelection(), spill.day0);
    EXPECT_EQ(view->HourList()->GetSelection(), spill.hour);
    EXPECT_EQ(view->DurationEdit()->GetValue(), "  8");
    EXPECT_TRUE(view->Text().HasResults());
    EXPECT_GT(view->Drawing()->GetVirtualSize().x, 300) << "scroll size from the measured text";
    EXPECT_FALSE(MenuOn(wxID_COPY)) << "Copy serves the budget table only";
    EXPECT_TRUE(MenuOn(wxID_SAVEAS));
    // The strips draw the table's text.
    EXPECT_GT(InkOf(Shot(Frame(), "ics-first-period"), Frame(), view->Drawing()).dark, 1000) << "no text drawn";

    EXPECT_EQ(TabWalk(view->MonthList(),
                      {view->MonthList(), view->DayList(), view->HourList(), view->DurationEdit()}, 3),
              (std::vector<int>{0, 1, 2, 3}))
        << "Tab goes through the period's lists to the duration";

    // Typing redraws on each change of the value; 30 is cut to 24.
    const int before = view->Paints();
    view->DurationEdit()->SetValue("30");
    Pump();
    EXPECT_EQ(view->Choices().duration, 24);
    EXPECT_EQ(view->DurationEdit()->GetValue(), "24");
    EXPECT_EQ(view->DurationEdit()->GetInsertionPoint(), view->DurationEdit()->GetLastPosition())
        << "the caret after the digits, where the next key goes";
    view->DurationEdit()->SetValue("4");
    Pump();
    EXPECT_EQ(view->Choices().duration, 4);
    EXPECT_NE(view->Text().ExportBytes().find("\t02/05 1800\t"), std::string::npos) << view->Text().ExportBytes();
    EXPECT_GT(view->Paints(), before);

    Choose(view->HourList(), document::HourText(spill.hour + 2));
    EXPECT_EQ(view->Text().StartSlotValue(), 3);

    tavro_test::TempDir dir("tables");
    {
        const FileChooserAnswer answer(dir / "period");
        Command(wxID_SAVEAS);
        EXPECT_EQ(answer.Answered(), std::vector<std::string>{output::kIcsSaveTitle});
    }
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"period.ics"});
    std::string saved;
    ASSERT_TRUE(platform::ReadWholeFile(dir / "period.ics", saved));
    EXPECT_EQ(saved, view->Text().ExportBytes());
    EXPECT_NE(saved.find("\r02/05 1600\t02/05 2000\t"), std::string::npos) << saved;
    EXPECT_GT(InkOf(Shot(Frame(), "ics-later-period"), Frame(), view->Drawing()).dark, 1000) << "no text drawn";
    for (const auto& e : Messages().Entries()) ADD_FAILURE() << "message: " << e.text;
}

}  // namespace
