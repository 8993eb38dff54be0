// The standard oils dialog, its information sheet and the checked property
// sheet on a real display.
#include <dlfcn.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <wx/bookctrl.h>
#include <wx/button.h>
#include <wx/listctrl.h>
#include <wx/notebook.h>
#include <wx/panel.h>
#include <wx/radiobut.h>
#include <wx/sizer.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/timer.h>
#include <wx/uiaction.h>

#include "app/CommandIds.h"
#include "app/MainFrame.h"
#include "app/SpillDocWx.h"
#include "gui_support.h"
#include "ui/common/HelpMessageDialog.h"
#include "ui/common/RulesSheetDialog.h"
#include "ui/common/TimePickCtrls.h"
#include "ui/oils/OilDialogs.h"
#include "ui/oils/OilPropertiesSheet.h"
#include "ui/oils/OilsDialog.h"

using namespace gui_test;

namespace {

// Screenshots of this file go in the oils folder of the shots.
std::string Shot(wxWindow* window, const std::string& name) { return Screenshot(window, "oils/" + name); }

ui::COilsDialog* OpenOilsDialog() { return ShownWindow<ui::COilsDialog>(); }

TEST_F(GuiTest, StandardOilsFromTheInputMenuSortsShowsTheSheetAndSelects) {
    DialogTestGuard guard;
    Start();
    document::SpillDocCore& doc = Frame()->CurrentDoc()->Core();
    ASSERT_NE(doc.Libraries().standard, nullptr);

    std::vector<std::string> apiColumn;
    std::vector<std::string> sheetShots;
    wxString sheetTitle, doneLabel;
    std::string dialogHelp, sheetHelp, dialogKeyHelp, sheetKeyHelp;
    int pages = 0;
    std::string dialogShot;
    wxTheApp->CallAfter([&] {
        EndModalsOnExit close;
        ui::COilsDialog* dialog = OpenOilsDialog();
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->GetTitle(), "Standard Oils");
        wxListCtrl* list = dialog->List();
        EXPECT_GT(list->GetItemCount(), 40);
        EXPECT_EQ(list->GetItemText(0, 0), "Access West Blend Winter");  // sorted by name
        EXPECT_EQ(list->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED), 0);
        dialogShot = Shot(dialog, "standard-oils");

        // A click on the API header sorts by the API text; the chosen oil stays selected.
        wxListEvent sort(wxEVT_LIST_COL_CLICK, list->GetId());
        sort.SetEventObject(list);
        sort.m_col = ui::OilListModel::ColApi;
        list->GetEventHandler()->ProcessEvent(sort);
        for (int i = 0; i < list->GetItemCount(); ++i) apiColumn.push_back(list->GetItemText(i, 2).utf8_string());
        const long chosen = list->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED);
        EXPECT_EQ(list->GetItemText(chosen, 0), "Access West Blend Winter");
        Shot(dialog, "standard-oils-by-api");
        dialogHelp = HelpCaptionOf([&] { Click(dialog, wxID_HELP); });
        dialogKeyHelp = HelpCaptionOf([&] { PressF1(dialog); });

        // A double click on a row opens the information sheet.
        const long green = list->FindItem(-1, "Green Canyon Block 200");
        ASSERT_NE(green, -1);
        list->SetItemState(green, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED,
                           wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
        dialog->runSheet = [&](wxWindow* parent, const ui::OilInfoTexts& texts) {
            ui::COilPropertiesSheet sheet(parent, texts);
            sheet.Show();
            sheetTitle = sheet.GetTitle();
            doneLabel = sheet.FindWindow(wxID_OK)->GetLabel();
            pages = static_cast<int>(sheet.GetBookCtrl()->GetPageCount());
            for (int p = 0; p < pages; ++p) {
                sheet.GetBookCtrl()->SetSelection(static_cast<std::size_t>(p));
                sheetShots.push_back(Shot(&sheet, "oil-info-" + std::to_string(p + 1)));
            }
            sheetHelp = HelpCaptionOf([&] { Click(&sheet, wxID_HELP); });
            // The keys go to the window running modally, as the program
            // runs the sheet.
            sheet.Hide();
            sheet.CallAfter([&] {
                sheetKeyHelp = HelpCaptionOf([&] { PressF1(&sheet); });
                sheet.EndModal(wxID_OK);
            });
            sheet.ShowModal();
        };
        wxListEvent activate(wxEVT_LIST_ITEM_ACTIVATED, list->GetId());
        activate.SetEventObject(list);
        activate.m_itemIndex = green;
        list->GetEventHandler()->ProcessEvent(activate);

        Click(dialog, wxID_OK);  // Select
    });
    Command(app::ID_STANDARD_OILS);

    EXPECT_FALSE(dialogShot.empty());
    ASSERT_FALSE(apiColumn.empty());
    EXPECT_EQ(apiColumn.front(), "");  // oils without an API sort first, as text
    EXPECT_TRUE(std::is_sorted(apiColumn.begin(), apiColumn.end()));
    EXPECT_EQ(sheetTitle, "Oil/Product Properties");
    EXPECT_EQ(doneLabel, "&Done");
    EXPECT_EQ(pages, 4);
    EXPECT_EQ(sheetShots.size(), 4u);
    EXPECT_EQ(dialogHelp, "Help on Standard Oils");
    EXPECT_EQ(sheetHelp, "Help on Standard Oil Info Dialog");
    EXPECT_EQ(dialogKeyHelp, "Help on Standard Oils") << "F1";
    EXPECT_EQ(sheetKeyHelp, "Help on Standard Oil Info Dialog") << "F1";
    EXPECT_EQ(doc.scenario.OilName, "Green Canyon Block 200, ECCC ESTS 2021");
    EXPECT_EQ(doc.scenario.m_bOilInputPassed, 1);
    for (const auto& e : Messages().Entries()) ADD_FAILURE() << "message: " << e.text;
}

// Switches a notebook's page as a click on its tab does: through the
// toolkit's own page switch, which the sheet may veto. (The toolkit's
// SetSelection does not honour a veto.)
bool ClickTab(wxBookCtrlBase* book, int page) {
    using SetCurrentPage = void (*)(void*, int);
    static auto set = reinterpret_cast<SetCurrentPage>(dlsym(RTLD_DEFAULT, "gtk_notebook_set_current_page"));
    if (!set) return false;
    set(book->GetHandle(), page);
    Pump();
    return true;
}

// The page the toolkit shows.
int ShownTab(wxBookCtrlBase* book) {
    using GetCurrentPage = int (*)(void*);
    static auto get = reinterpret_cast<GetCurrentPage>(dlsym(RTLD_DEFAULT, "gtk_notebook_get_current_page"));
    return get ? get(book->GetHandle()) : -1;
}

// A page of the test sheet whose check refuses while told to.
struct TestPage final : ui::ISheetPage {
    TestPage(std::string n, std::vector<std::string>* l) : name(std::move(n)), log(l) {}
    std::string name;
    std::vector<std::string>* log;
    bool refuse = false;
    void Load() override { log->push_back("load " + name); }
    ui::CheckResult Leave() override {
        log->push_back("leave " + name);
        return refuse ? ui::CheckResult::Refuse("Problem with the Input.\n\n" + name) : ui::CheckResult{};
    }
    void Apply() override { log->push_back("apply " + name); }
};

TEST_F(GuiTest, CheckedSheetVetoesARefusedPageAndAppliesVisitedPagesOnOk) {
    DialogTestGuard guard;
    Start();
    std::vector<std::string> log;
    TestPage one("one", &log), two("two", &log);
    platform::RecordingMessages messages;
    ui::RulesSheetDialog sheet(Frame(), "Test Sheet", messages);
    sheet.AddRulesPage(new wxPanel(sheet.GetBookCtrl()), one, "One");
    sheet.AddRulesPage(new wxPanel(sheet.GetBookCtrl()), two, "Two");
    sheet.FinishSheet();

    int stayed = -1;
    int moved = -1;
    sheet.CallAfter([&] {
        EndModalsOnExit close;
        one.refuse = true;
        if (!ClickTab(sheet.GetBookCtrl(), 1)) return sheet.EndModal(wxID_ABORT);
        stayed = ShownTab(sheet.GetBookCtrl());
        EXPECT_EQ(sheet.GetBookCtrl()->GetSelection(), 0);
        one.refuse = false;
        ClickTab(sheet.GetBookCtrl(), 1);
        moved = ShownTab(sheet.GetBookCtrl());
        EXPECT_EQ(sheet.GetBookCtrl()->GetSelection(), 1);
        Click(&sheet, wxID_OK);
    });
    const int result = sheet.ShowModal();
    if (result == wxID_ABORT) GTEST_SKIP() << "not the GTK toolkit";
    EXPECT_EQ(result, wxID_OK);
    EXPECT_EQ(stayed, 0);
    EXPECT_EQ(moved, 1);
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"Problem with the Input.\n\none"});
    EXPECT_EQ(log, (std::vector<std::string>{"load one", "leave one", "leave one", "load two", "leave two",
                                             "apply one", "apply two"}));
}

TEST_F(GuiTest, TimeListsShowAndReadAPick) {
    Start();
    wxDialog dialog(Frame(), wxID_ANY, "Time");
    ui::TimePickCtrls lists(&dialog);
    EXPECT_EQ(lists.Month()->GetCount(), 12u);
    EXPECT_EQ(lists.Day()->GetString(30), "31");
    EXPECT_EQ(lists.Hour()->GetString(23), "2300");
    const document::TimePick pick{11, 30, 23};
    lists.Set(pick);
    EXPECT_EQ(lists.Month()->GetStringSelection(), "December");
    EXPECT_EQ(lists.Get(), pick);
    lists.Set({-4, 99, 24});  // out of the lists: the nearest entries
    EXPECT_EQ(lists.Get(), (document::TimePick{0, 30, 23}));
}

TEST_F(GuiTest, StandardOilsByKeyboard) {
    DialogTestGuard guard;
    Start();
    document::SpillDocCore& doc = Frame()->CurrentDoc()->Core();
    const document::Scenario before = doc.scenario;
    std::vector<wxString> focusOrder;
    int sheets = 0;
    std::string chosen;
    // The control that has the keyboard focus as the toolkit sees it (the
    // toolkit tells the program late when no window manager runs).
    auto focused = [] {
        using GetFocus = void* (*)(void*);
        static auto get = reinterpret_cast<GetFocus>(dlsym(RTLD_DEFAULT, "gtk_window_get_focus"));
        ui::COilsDialog* dialog = OpenOilsDialog();
        if (!get || !dialog) return wxString("none");
        void* widget = get(dialog->GetHandle());
        for (wxWindow* w : dialog->GetChildren()) {
            bool inside = w->GetHandle() == widget;
            for (wxWindow* c : w->GetChildren()) inside = inside || c->GetHandle() == widget;
            if (inside) return w->GetLabel().empty() ? wxString(w->GetClassInfo()->GetClassName()) : w->GetLabel();
        }
        return wxString("other");
    };
    // First run: Tab through the controls, Escape cancels.
    wxTheApp->CallAfter([&] {
        EndModalsOnExit close;
        ui::COilsDialog* dialog = OpenOilsDialog();
        ASSERT_NE(dialog, nullptr);
        wxUIActionSimulator keys;
        Settle();
        focusOrder.push_back(focused());
        for (int i = 0; i < 5; ++i) {
            keys.Char(WXK_TAB);
            Settle();
            focusOrder.push_back(focused());
        }
        keys.Char(WXK_ESCAPE);
        Settle();
    });
    Command(app::ID_STANDARD_OILS);
    EXPECT_EQ(focusOrder, (std::vector<wxString>{"wxListCtrl", "Oil &Info...", "&Help", "Cancel", "&Select",
                                                 "wxListCtrl"}));
    EXPECT_TRUE(doc.scenario == before) << "Escape cancels";
    EXPECT_EQ(doc.scenario.m_bOilInputPassed, 0);

    // Down and Enter select the second oil (Select is the default button),
    // without its information sheet.
    wxTheApp->CallAfter([&] {
        EndModalsOnExit close;
        ui::COilsDialog* dialog = OpenOilsDialog();
        ASSERT_NE(dialog, nullptr);
        dialog->runSheet = [&](wxWindow*, const ui::OilInfoTexts& texts) {
            ++sheets;
            chosen = texts.name;
        };
        wxUIActionSimulator keys;
        dialog->List()->SetFocus();
        Settle();
        keys.Char(WXK_DOWN);
        Settle();
        keys.Char(WXK_RETURN);
        Settle();
    });
    Command(app::ID_STANDARD_OILS);
    EXPECT_EQ(sheets, 0) << chosen;
    EXPECT_EQ(doc.scenario.OilName, "Alaminos Canyon Block 25, ECCC ESTS 2021");
    EXPECT_EQ(doc.scenario.m_bOilInputPassed, 1);

    // Third run: Alt+S selects the oil in view (the scenario's oil is
    // preselected).
    wxTheApp->CallAfter([&] {
        EndModalsOnExit close;
        ui::COilsDialog* dialog = OpenOilsDialog();
        ASSERT_NE(dialog, nullptr);
        wxUIActionSimulator keys;
        dialog->List()->SetFocus();
        Settle();
        keys.Char(WXK_DOWN);  // from the scenario's oil, the second row
        Settle();
        keys.Char('s', wxMOD_ALT);
        Settle();
    });
    Command(app::ID_STANDARD_OILS);
    EXPECT_EQ(doc.scenario.OilName, "Alaska North Slope [2015], ECCC ESTS 2021");
    EXPECT_EQ(doc.scenario.m_bOilInputPassed, 1);
    for (const auto& e : Messages().Entries()) ADD_FAILURE() << "message: " << e.text;
}

}  // namespace

namespace {

// A dialog of the foundation with its controls in a framed group, as most
// input dialogs have them.
class GroupedDialog final : public ui::RulesDialog {
public:
    GroupedDialog(wxWindow* parent, platform::IMessages& messages)
        : RulesDialog(parent, "Grouped", messages, std::nullopt) {
        auto* top = new wxBoxSizer(wxVERTICAL);
        first = new wxTextCtrl(this, wxID_ANY, "first");
        top->Add(first, 0, wxALL, 8);
        auto* box = new wxStaticBoxSizer(wxVERTICAL, this, "Group");
        inner1 = new wxTextCtrl(box->GetStaticBox(), wxID_ANY, "inner one");
        inner2 = new wxTextCtrl(box->GetStaticBox(), wxID_ANY, "inner two");
        box->Add(inner1, 0, wxALL, 4);
        box->Add(inner2, 0, wxALL, 4);
        auto* metres = new wxRadioButton(box->GetStaticBox(), wxID_ANY, "Metres", wxDefaultPosition,
                                         wxDefaultSize, wxRB_GROUP);
        auto* feet = new wxRadioButton(box->GetStaticBox(), wxID_ANY, "Feet");
        feet->SetValue(true);
        box->Add(metres, 0, wxALL, 4);
        box->Add(feet, 0, wxALL, 4);
        top->Add(box, 0, wxALL, 8);
        top->Add(MakeButtonRow("OK"), 0, wxEXPAND | wxALL, 8);
        SetSizerAndFit(top);
    }
    wxTextCtrl* first;
    wxTextCtrl* inner1;
    wxTextCtrl* inner2;
};

}  // namespace

// The value or label of the control of window that has the keyboard focus
// as the toolkit sees it (it tells the program late when no window manager
// runs).
wxString FocusedText(wxWindow* window) {
    using GetFocus = void* (*)(void*);
    static auto get = reinterpret_cast<GetFocus>(dlsym(RTLD_DEFAULT, "gtk_window_get_focus"));
    if (!get) return "none";
    void* widget = get(window->GetHandle());
    std::function<wxString(wxWindow*)> find = [&](wxWindow* w) -> wxString {
        for (wxWindow* c : w->GetChildren()) {
            if (c->GetHandle() == widget || c->GetConnectWidget() == widget) {
                if (auto* text = dynamic_cast<wxTextCtrl*>(c)) return text->GetValue();
                return c->GetLabel();
            }
            if (wxString found = find(c); !found.empty()) return found;
        }
        return {};
    };
    const wxString found = find(window);
    return found.empty() ? wxString("other") : found;
}

TEST_F(GuiTest, TabReachesEveryControlOfAGroupedRulesDialog) {
    DialogTestGuard guard;
    Start();
    platform::RecordingMessages messages;
    GroupedDialog dialog(Frame(), messages);
    std::vector<std::string> order;
    dialog.CallAfter([&] {
        EndModalsOnExit close;
        wxUIActionSimulator keys;
        dialog.first->SetFocus();
        Settle();
        for (int i = 0; i < 6; ++i) {
            order.push_back(FocusedText(&dialog).utf8_string());
            keys.Char(WXK_TAB);
            Settle();
        }
        order.push_back(FocusedText(&dialog).utf8_string());
        keys.Char(WXK_TAB, wxMOD_SHIFT);
        keys.Char(WXK_TAB, wxMOD_SHIFT);
        Settle();
        order.push_back(FocusedText(&dialog).utf8_string());
    });
    dialog.ShowModal();
    // Tab enters the group, stops at its chosen radio button only, wraps
    // around the end; Shift+Tab goes back.
    EXPECT_EQ(order, (std::vector<std::string>{"first", "inner one", "inner two", "Feet", "Cancel", "OK", "first",
                                               "Cancel"}));
}

namespace {

// A sheet of the foundation laid out as the input sheets are: an edit in a
// band above the tabs, a page with a framed group, a page with help of its
// own, a button of the sheet's own and a relabelled OK.
class BandedSheet final : public ui::RulesSheetDialog {
public:
    BandedSheet(wxWindow* parent, platform::IMessages& messages, ui::ISheetPage& one, ui::ISheetPage& two)
        : RulesSheetDialog(parent, "Banded", messages, ui::HelpDialog::Dispersant) {
        name = new wxTextCtrl(this, wxID_ANY, "name");
        GetInnerSizer()->Insert(0, name, 0, wxEXPAND | wxALL, 8);
        name->MoveBeforeInTabOrder(GetBookCtrl());

        auto* first = new wxPanel(GetBookCtrl());
        auto* firstSizer = new wxBoxSizer(wxVERTICAL);
        firstSizer->Add(new wxTextCtrl(first, wxID_ANY, "page one"), 0, wxALL, 4);
        auto* box = new wxStaticBoxSizer(wxVERTICAL, first, "Group");
        box->Add(new wxTextCtrl(box->GetStaticBox(), wxID_ANY, "inner one"), 0, wxALL, 4);
        box->Add(new wxTextCtrl(box->GetStaticBox(), wxID_ANY, "inner two"), 0, wxALL, 4);
        firstSizer->Add(box, 0, wxALL, 4);
        // A report list keeps Tab for itself unless the sheet moves on.
        auto* list = new wxListCtrl(first, wxID_ANY, wxDefaultPosition, wxSize(200, 80), wxLC_REPORT);
        list->AppendColumn("Rows");
        list->InsertItem(0, "row");
        firstSizer->Add(list, 0, wxALL, 4);
        first->SetSizer(firstSizer);
        auto* second = new wxPanel(GetBookCtrl());
        auto* secondSizer = new wxBoxSizer(wxVERTICAL);
        secondSizer->Add(new wxTextCtrl(second, wxID_ANY, "page two"), 0, wxALL, 4);
        second->SetSizer(secondSizer);
        AddRulesPage(first, one, "One");
        AddRulesPage(second, two, "Two", ui::HelpDialog::InSituBurn);

        advanced = new wxButton(this, wxID_ANY, "Advanced Options");
        auto* extra = new wxBoxSizer(wxHORIZONTAL);
        extra->Add(advanced);
        ui::SheetButtons buttons;
        buttons.okLabel = "Save Changes";
        buttons.extra = extra;
        FinishSheet(buttons);
    }
    wxTextCtrl* name;
    wxButton* advanced;
};

}  // namespace

TEST_F(GuiTest, CheckedSheetTabsIntoPagesOpensEachPagesHelpAndCancelsOnEscape) {
    DialogTestGuard guard;
    Start();
    std::vector<std::string> log;
    TestPage one("one", &log), two("two", &log);
    platform::RecordingMessages messages;
    BandedSheet sheet(Frame(), messages, one, two);
    std::vector<std::string> order, secondPage;
    std::string help1, key1, help2, key2;
    bool extraLeftOfHelp = false;
    sheet.CallAfter([&] {
        EndModalsOnExit close;
        wxWindow* help = sheet.FindWindow(wxID_HELP);
        ASSERT_NE(help, nullptr);
        extraLeftOfHelp = sheet.advanced->GetScreenRect().GetRight() < help->GetScreenRect().GetLeft();
        help1 = HelpCaptionOf([&] { Click(&sheet, wxID_HELP); });
        key1 = HelpCaptionOf([&] { PressF1(&sheet); });
        wxUIActionSimulator keys;
        sheet.name->SetFocus();
        Settle();
        for (int i = 0; i < 10; ++i) {
            order.push_back(FocusedText(&sheet).utf8_string());
            keys.Char(WXK_TAB);
            Settle();
        }
        order.push_back(FocusedText(&sheet).utf8_string());
        if (!ClickTab(sheet.GetBookCtrl(), 1)) return sheet.EndModal(wxID_ABORT);
        help2 = HelpCaptionOf([&] { Click(&sheet, wxID_HELP); });
        key2 = HelpCaptionOf([&] { PressF1(&sheet); });
        sheet.name->SetFocus();
        Settle();
        for (int i = 0; i < 3; ++i) {
            keys.Char(WXK_TAB);
            Settle();
            secondPage.push_back(FocusedText(&sheet).utf8_string());
        }
        keys.Char(WXK_ESCAPE);
        Settle();
    });
    const int result = sheet.ShowModal();
    if (result == wxID_ABORT) GTEST_SKIP() << "not the GTK toolkit";
    EXPECT_EQ(result, wxID_CANCEL) << "Escape";
    EXPECT_EQ(sheet.FindWindow(wxID_OK)->GetLabel(), "Save Changes");
    EXPECT_TRUE(extraLeftOfHelp) << "the sheet's own button on the left of the row";
    // The band's edit, the tabs, into the page and its group, the button
    // row, around the end.
    EXPECT_EQ(order, (std::vector<std::string>{"name", "other", "page one", "inner one", "inner two", "other",
                                               "Advanced Options", "&Help", "Cancel", "Save Changes", "name"}));
    EXPECT_EQ(secondPage, (std::vector<std::string>{"other", "page two", "Advanced Options"}));
    const std::string dispersant = ui::HelpRowFor(ui::HelpDialog::Dispersant).caption;
    const std::string burn = ui::HelpRowFor(ui::HelpDialog::InSituBurn).caption;
    EXPECT_EQ(help1, dispersant) << "the sheet's help on a page without its own";
    EXPECT_EQ(key1, dispersant) << "F1";
    EXPECT_EQ(help2, burn) << "the page's own help";
    EXPECT_EQ(key2, burn) << "F1";
    EXPECT_EQ(std::count(log.begin(), log.end(), "apply one") + std::count(log.begin(), log.end(), "apply two"), 0)
        << "Cancel applies nothing";
}

// The text a label shows on the screen, as the toolkit draws it.
std::string ShownLabel(wxStaticText* label) {
    using GetText = const char* (*)(void*);
    static auto get = reinterpret_cast<GetText>(dlsym(RTLD_DEFAULT, "gtk_label_get_text"));
    if (!get) return label->GetLabelText().utf8_string();
    const char* text = get(label->GetHandle());
    return text ? text : "";
}

void CollectShownLabels(wxWindow* parent, std::vector<std::string>& out) {
    for (wxWindow* w : parent->GetChildren()) {
        if (auto* label = dynamic_cast<wxStaticText*>(w)) out.push_back(ShownLabel(label));
        CollectShownLabels(w, out);
    }
}

TEST_F(GuiTest, OilInfoShowsLibraryTextsWithTheirAmpersands) {
    DialogTestGuard guard;
    Start();
    std::vector<std::string> shown;
    std::string location, name, shot;
    wxTheApp->CallAfter([&] {
        EndModalsOnExit close;
        ui::COilsDialog* dialog = OpenOilsDialog();
        ASSERT_NE(dialog, nullptr);
        wxListCtrl* list = dialog->List();
        const long hibernia = list->FindItem(-1, "Hibernia [2018]");
        ASSERT_NE(hibernia, -1);
        list->SetItemState(hibernia, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED,
                           wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
        dialog->runSheet = [&](wxWindow* parent, const ui::OilInfoTexts& texts) {
            location = texts.location;
            name = texts.name;
            ui::COilPropertiesSheet sheet(parent, texts);
            sheet.Show();
            CollectShownLabels(&sheet, shown);
            shot = Shot(&sheet, "oil-info-ampersand");
        };
        wxListEvent activate(wxEVT_LIST_ITEM_ACTIVATED, list->GetId());
        activate.SetEventObject(list);
        activate.m_itemIndex = hibernia;
        list->GetEventHandler()->ProcessEvent(activate);
        Click(dialog, wxID_CANCEL);
    });
    Command(app::ID_STANDARD_OILS);
    EXPECT_EQ(location, "Newfoundland & Labrador, Canada");
    EXPECT_NE(std::find(shown.begin(), shown.end(), location), shown.end()) << "location as the library has it";
    EXPECT_NE(std::find(shown.begin(), shown.end(), name), shown.end()) << "name as the library has it";
    EXPECT_FALSE(shot.empty());
}

// A scenario file whose name holds "&" keeps it on its workspace's tab.
TEST_F(GuiTest, ScenarioTabShowsAFileNameWithItsAmpersand) {
    const std::string path = RunFolder() + "/Oil & Gas.tvr";
    std::error_code ec;
    std::filesystem::copy_file(kStoredScenario, path, std::filesystem::copy_options::overwrite_existing, ec);
    ASSERT_FALSE(ec) << ec.message();
    app::CTAVRO2App::Options options = NoSplash();
    options.files = {wxString::FromUTF8(path)};
    Start(options);
    wxNotebook* book = Frame()->Workspaces();
    ASSERT_EQ(book->GetPageCount(), 1u);
    using TabText = const char* (*)(void*, void*);
    static auto get = reinterpret_cast<TabText>(dlsym(RTLD_DEFAULT, "gtk_notebook_get_tab_label_text"));
    const char* shown = get ? get(book->GetHandle(), book->GetPage(0)->GetHandle()) : nullptr;
    const std::string tab = shown ? shown : wxControl::RemoveMnemonics(book->GetPageText(0)).utf8_string();
    EXPECT_EQ(tab, "Oil & Gas.tvr");
}
