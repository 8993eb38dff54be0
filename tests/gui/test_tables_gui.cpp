// The two tables on a real display: opening on a solved scenario, the
// toolbar choices, the period strips, the clipboard.
#include <cstdlib>
#include <filesystem>
#include <string>

#include <wx/choice.h>
#include <wx/clipbrd.h>
#include <wx/dataobj.h>
#include <wx/menu.h>
#include <wx/textctrl.h>

#include "app/CommandIds.h"
#include "app/MainFrame.h"
#include "app/OutputArea.h"
#include "app/SpillDocWx.h"
#include "app/WorkspaceView.h"
#include "gui_support.h"
#include "output/BudgetTableView.h"
#include "output/IcsTableView.h"
#include "output/TableViews.h"

using namespace gui_test;
using document::OutputKind;

namespace {

const std::string kScenario = std::string(TAVRO_TEST_DATA_DIR) + "/document/instant_1000bbl.tvr";

class TablesGui : public GuiTest {
protected:
    // The stored scenario, solved.
    app::OutputArea* StartSolved() {
        output::RegisterTableViews();
        app::CTAVRO2App::Options o;
        o.splash = false;
        o.file = kScenario;
        Start(o);
        Command(app::ID_SOLVE);
        app::WorkspaceView* view = Frame()->CurrentWorkspace();
        return view ? view->Area() : nullptr;
    }
    document::SpillDocCore& Doc() { return Frame()->CurrentWorkspace()->Doc()->Core(); }
};

// Screenshots go to tables/ in the folder of the GUI screenshots.
std::string Shot(wxWindow* window, const std::string& name) {
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::path folder;
    if (const char* dir = std::getenv("TAVRO_SHOTS_DIR"); dir && *dir) {
        folder = dir;
    } else {
        folder = fs::read_symlink("/proc/self/exe", ec).parent_path() / "gui-smoke";
    }
    fs::create_directories(folder / "tables", ec);
    return Screenshot(window, "tables/" + name);
}

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

// Whether a menu item is on after the frame's update handlers ran.
bool MenuOn(int id) {
    wxMenuItem* item = nullptr;
    wxMenu* menu = nullptr;
    item = app::TheApp().MainFrame()->GetMenuBar()->FindItem(id, &menu);
    if (!item || !menu) return false;
    menu->UpdateUI(app::TheApp().MainFrame()->GetEventHandler());
    return item->IsEnabled();
}

std::string Shown(output::BudgetTableView* view) { return view->TextControl()->GetValue().utf8_string(); }

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
    EXPECT_EQ(copied, view->TextControl()->GetValue());
    for (const auto& e : Messages().Entries()) ADD_FAILURE() << "message: " << e.text;
}

TEST_F(TablesGui, IcsTableStartsAtTheSpillAndRedrawsOnItsStrips) {
    app::OutputArea* area = StartSolved();
    ASSERT_NE(area, nullptr);
    Command(app::ID_ICS_TABLE);
    auto* view = dynamic_cast<output::IcsTableView*>(area->OutputWindow(OutputKind::IcsTable));
    ASSERT_NE(view, nullptr);
    const ui::TimePick spill = ui::PickOf(Doc().scenario.SpillTime, Doc().Clock());
    EXPECT_EQ(view->MonthList()->GetSelection(), spill.month0);
    EXPECT_EQ(view->DayList()->GetSelection(), spill.day0);
    EXPECT_EQ(view->HourList()->GetSelection(), spill.hour);
    EXPECT_EQ(view->DurationEdit()->GetValue(), "  8");
    EXPECT_TRUE(view->Text().HasResults());
    EXPECT_GT(view->Drawing()->GetVirtualSize().x, 300) << "scroll size from the measured text";
    EXPECT_FALSE(MenuOn(wxID_COPY)) << "Copy serves the budget table only";
    EXPECT_TRUE(MenuOn(wxID_SAVEAS));
    EXPECT_FALSE(Shot(Frame(), "ics-first-period").empty());

    // Typing redraws on each change of the value; 30 is cut to 24.
    const int before = view->Paints();
    view->DurationEdit()->SetValue("30");
    Pump();
    EXPECT_EQ(view->Choices().duration, 24);
    EXPECT_EQ(view->DurationEdit()->GetValue(), "24");
    view->DurationEdit()->SetValue("4");
    Pump();
    EXPECT_EQ(view->Choices().duration, 4);
    EXPECT_NE(view->Text().ExportBytes().find("\t02/05 1800\t"), std::string::npos) << view->Text().ExportBytes();
    EXPECT_GT(view->Paints(), before);

    Choose(view->HourList(), ui::HourText(spill.hour + 2));
    EXPECT_EQ(view->Text().StartSlotValue(), 3);
    EXPECT_FALSE(Shot(Frame(), "ics-later-period").empty());
    for (const auto& e : Messages().Entries()) ADD_FAILURE() << "message: " << e.text;
}

}  // namespace
