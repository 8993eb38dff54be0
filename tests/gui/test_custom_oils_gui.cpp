// The custom oils dialog, its choice dialogs and the custom-oil editor on a
// real display.
#include <dlfcn.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include <wx/bookctrl.h>
#include <wx/button.h>
#include <wx/choice.h>
#include <wx/listctrl.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/timer.h>
#include <wx/uiaction.h>

#include "app/CommandIds.h"
#include "app/MainFrame.h"
#include "app/SpillDocWx.h"
#include "gui_support.h"
#include "oillib/OilLibrary.h"
#include "ui/common/ChoiceDialog.h"
#include "ui/oils/CustomOilSheet.h"
#include "ui/oils/CustomOilsDialog.h"

using namespace gui_test;

namespace {

std::string Shot(wxWindow* window, const std::string& name) { return Screenshot(window, "customoils/" + name); }

// Runs step on the dialog of type T once it runs modally (a step set up
// before the click that opens it). Polled by a timer: the event loop of
// the dialog before must get to end.
template <class T>
void WhenModal(std::function<void(T*)> step) {
    auto* timer = new wxTimer;
    const wxLongLong start = wxGetLocalTimeMillis();
    timer->Bind(wxEVT_TIMER, [timer, step, start](wxTimerEvent&) {
        T* dialog = ShownWindow<T>();
        const bool timedOut = wxGetLocalTimeMillis() - start > 10000;
        if (!(dialog && dialog->IsModal()) && !timedOut) return;
        timer->Stop();
        // The step may run event loops, in which the timer (and this
        // handler) goes: it runs from a copy.
        const std::function<void(T*)> run = step;
        wxTheApp->CallAfter([timer] { delete timer; });
        if (!dialog || !dialog->IsModal()) return ADD_FAILURE() << "the dialog did not open";
        run(dialog);
    });
    timer->Start(20);
}

// The control that has the keyboard focus in a window, as the toolkit sees
// it (it tells the program late when no window manager runs).
bool HasFocus(wxWindow* top, wxWindow* control) {
    using GetFocus = void* (*)(void*);
    static auto get = reinterpret_cast<GetFocus>(dlsym(RTLD_DEFAULT, "gtk_window_get_focus"));
    return get && control && get(top->GetHandle()) == control->GetHandle();
}

// A library of the standard oils at the given places of the standard index,
// each with a custom id; the names of column 1 given replace theirs.
void WriteCustomOils(oillib::COilLibrary& standard, oillib::COilLibrary& custom, const std::vector<std::size_t>& oils,
                     const std::vector<std::string>& names = {}) {
    ASSERT_EQ(standard.LoadIndex(), 0);
    for (std::size_t i = 0; i < oils.size(); ++i) {
        ASSERT_EQ(custom.CopyFieldsFrom(&standard, standard.GetIndex()->at(oils[i]).offset), 0);
        if (i < names.size()) custom.SetFieldText(names[i], custom.ColumnToField(oillib::COL_OIL_NAME));
        custom.SetFieldText("C000000010000000" + std::to_string(i + 1), custom.ColumnToField(oillib::COL_OIL_ID));
        ASSERT_EQ(custom.SaveRecord(oillib::kNewRecord), 0) << custom.GetErrorText();
    }
}

// Selects a row of the list as a click does: the row's state, then the
// list's selection event.
void ClickRow(wxListCtrl* list, long row) {
    list->SetItemState(row, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
    wxListEvent selected(wxEVT_LIST_ITEM_SELECTED, list->GetId());
    selected.SetEventObject(list);
    selected.m_itemIndex = row;
    list->GetEventHandler()->ProcessEvent(selected);
    Pump();
}

// Shots of every page of the sheet; the page titles.
std::vector<std::string> ShootPages(ui::CPropSheetCustOil* sheet, const std::string& prefix) {
    std::vector<std::string> titles;
    wxBookCtrlBase* book = sheet->GetBookCtrl();
    for (std::size_t p = 0; p < book->GetPageCount(); ++p) {
        book->SetSelection(p);
        Pump();
        Shot(sheet, prefix + std::to_string(p + 1));
        titles.push_back(book->GetPageText(p).utf8_string());
    }
    book->SetSelection(0);
    return titles;
}

TEST_F(GuiTest, FirstCustomOilBlankOpensTheEditorAndARefusedSaveReopensIt) {
    DialogTestGuard guard;
    Start();
    document::SpillDocCore& doc = Frame()->CurrentDoc()->Core();
    ASSERT_NE(doc.Libraries().custom, nullptr);
    FreshCustomLibrary fresh(*doc.Libraries().custom);
    const document::Scenario before = doc.scenario;

    std::string choiceCaption, sheetTitle, saveLabel, typedName, reopenedName, sheetHelp, sheetKeyHelp, band;
    std::vector<std::string> pages;
    int runs = 0, reopenedPage = -1, firstPage = -1;
    bool nameFocused = false, apiFocused = false;
    // Three steps, each run inside the modal loop the step before opened.
    std::function<void(ui::CPropSheetCustOil*)> reopened = [&](ui::CPropSheetCustOil* sheet) {
        ++runs;
        reopenedName = sheet->NameEdit()->GetValue().utf8_string();
        // On the page of the rule that refused, in the field to put right.
        Settle();
        reopenedPage = sheet->GetBookCtrl()->GetSelection();
        apiFocused = HasFocus(sheet, sheet->Page(1)->EditOf(&sheet->EditedForm().api));
        Shot(sheet, "refused-save-reopened");
        Click(sheet, wxID_CANCEL);
    };
    std::function<void(ui::CPropSheetCustOil*)> editor = [&](ui::CPropSheetCustOil* sheet) {
        ++runs;
        Settle();
        firstPage = sheet->GetBookCtrl()->GetSelection();
        nameFocused = HasFocus(sheet, sheet->NameEdit());
        band = sheet->DateLabel()->GetLabel().utf8_string();
        Shot(sheet, "first-use-editor");
        sheetTitle = sheet->GetTitle().utf8_string();
        saveLabel = sheet->FindWindow(wxID_OK)->GetLabel().utf8_string();
        pages = ShootPages(sheet, "blank-oil-");
        sheetHelp = HelpCaptionOf([&] { Click(sheet, wxID_HELP); });
        sheetKeyHelp = HelpCaptionOf([&] { PressF1(sheet); });
        sheet->NameEdit()->ChangeValue("My Test Oil, Lab");
        wxCommandEvent typed(wxEVT_TEXT, sheet->NameEdit()->GetId());
        typed.SetEventObject(sheet->NameEdit());
        sheet->NameEdit()->GetEventHandler()->ProcessEvent(typed);
        typedName = sheet->NameEdit()->GetValue().utf8_string();
        WhenModal(reopened);
        Click(sheet, wxID_OK);  // "Save Changes": no API, no density
    };
    WhenModal<ui::ChoiceDialog>([&](ui::ChoiceDialog* choice) {
        choiceCaption = choice->GetTitle().utf8_string();
        Shot(choice, "create-custom-library");
        WhenModal(editor);
        Click(choice, ui::ID_CHOICE_BLANK);
    });
    Command(app::ID_CUSTOM_OILS);

    EXPECT_EQ(choiceCaption, "Create Custom Library");
    EXPECT_EQ(sheetTitle, "Oil/Product Properties");
    EXPECT_EQ(saveLabel, "&Save Changes");
    EXPECT_EQ(pages, (std::vector<std::string>{"General Info", "Properties", "Distillation", "More Properties"}));
    EXPECT_EQ(sheetHelp, "Help on Edit Oil");
    EXPECT_EQ(sheetKeyHelp, "Help on Edit Oil") << "F1";
    EXPECT_EQ(runs, 2);
    EXPECT_EQ(firstPage, 0);
    EXPECT_TRUE(nameFocused) << "the editor opens on the name";
    EXPECT_EQ(band, "Library not saved yet");
    EXPECT_EQ(reopenedName, typedName);
    EXPECT_EQ(reopenedPage, 1) << "Properties, the page of the API";
    EXPECT_TRUE(apiFocused);
    EXPECT_EQ(Messages().Texts(),
              std::vector<std::string>{"Problem with the Input\n\nPlease enter either (a) the API or (b) the fresh "
                                       "oil density. TAVRO requires, at minimum, one of these properties."});
    EXPECT_FALSE(std::filesystem::exists(fresh.lib.GetPath())) << "the first oil was abandoned";
    EXPECT_TRUE(doc.scenario == before);
}

TEST_F(GuiTest, CustomOilsListAddCopyRemoveAndSelect) {
    DialogTestGuard guard;
    Start();
    document::SpillDocCore& doc = Frame()->CurrentDoc()->Core();
    oillib::COilLibrary& standard = *doc.Libraries().standard;
    FreshCustomLibrary fresh(*doc.Libraries().custom);
    // A library of one custom oil: a standard oil copied in.
    ASSERT_EQ(standard.LoadIndex(), 0);
    const oillib::SOilLibCell oil = standard.GetIndex()->at(5);
    ASSERT_EQ(fresh.lib.CopyFieldsFrom(&standard, oil.offset), 0);
    const std::string oilName = fresh.lib.GetFieldText(fresh.lib.ColumnToField(oillib::COL_OIL_NAME));
    fresh.lib.SetFieldText("C0000000100000001", fresh.lib.ColumnToField(oillib::COL_OIL_ID));
    ASSERT_EQ(fresh.lib.SaveRecord(oillib::kNewRecord), 0);

    std::string caption, addCaption, removeCaption, help, keyHelp, copiedName;
    std::vector<std::string> units;
    int rows = -1;
    std::vector<std::string> pages;
    WhenModal<ui::CCustomOilsDialog>([&](ui::CCustomOilsDialog* dialog) {
        caption = dialog->GetTitle().utf8_string();
        rows = dialog->List()->GetItemCount();
        Shot(dialog, "custom-oils");
        help = HelpCaptionOf([&] { Click(dialog, wxID_HELP); });
        keyHelp = HelpCaptionOf([&] { PressF1(dialog); });

        // Add, Copy: the editor on a copy of the selected oil.
        WhenModal<ui::ChoiceDialog>([&](ui::ChoiceDialog* choice) {
            addCaption = choice->GetTitle().utf8_string();
            Shot(choice, "add-choice");
            WhenModal<ui::CPropSheetCustOil>([&](ui::CPropSheetCustOil* sheet) {
                copiedName = sheet->NameEdit()->GetValue().utf8_string();
                pages = ShootPages(sheet, "copied-oil-");
                // The kind list switches the unit label (numbers stay).
                wxChoice* kind = sheet->PropertiesPage()->KindList();
                sheet->GetBookCtrl()->SetSelection(1);
                for (int choice : {0, 1}) {
                    kind->SetSelection(choice);
                    wxCommandEvent changed(wxEVT_CHOICE, kind->GetId());
                    changed.SetEventObject(kind);
                    changed.SetInt(choice);
                    kind->GetEventHandler()->ProcessEvent(changed);
                    units.push_back(sheet->PropertiesPage()->UnitLabel()->GetLabel().utf8_string());
                    if (choice == 0) Shot(sheet, "copied-oil-kinematic");
                }
                Click(sheet, wxID_CANCEL);
            });
            Click(choice, ui::ID_CHOICE_COPY);
        });
        Click(dialog, ui::ID_CUSTOM_ADD);

        // Remove, then Cancel in the confirmation.
        WhenModal<ui::ChoiceDialog>([&](ui::ChoiceDialog* choice) {
            removeCaption = choice->GetTitle().utf8_string();
            Shot(choice, "remove-choice");
            Click(choice, wxID_CANCEL);
        });
        Click(dialog, ui::ID_CUSTOM_REMOVE);

        Click(dialog, wxID_OK);  // Select
    });
    Command(app::ID_CUSTOM_OILS);

    EXPECT_EQ(caption, "Custom Oils");
    EXPECT_EQ(rows, 1);
    EXPECT_EQ(help, "Help on Custom Oil Dialog");
    EXPECT_EQ(keyHelp, "Help on Custom Oil Dialog") << "F1";
    EXPECT_EQ(addCaption, "Modifiy Custom Library");
    EXPECT_EQ(removeCaption, "Modify Custom Library");
    EXPECT_EQ(copiedName, oilName);
    EXPECT_EQ(pages.size(), 4u);
    EXPECT_EQ(units, (std::vector<std::string>{"cSt", "cP"}));
    EXPECT_EQ(doc.scenario.OilName, copiedName + " (custom oil)");
    EXPECT_EQ(doc.session.m_bStandardOil, 0);
    EXPECT_EQ(doc.scenario.m_bOilInputPassed, 1);
    for (const auto& e : Messages().Entries()) ADD_FAILURE() << "message: " << e.text;
    ASSERT_EQ(fresh.lib.LoadIndex(), 0);
    EXPECT_EQ(fresh.lib.GetIndex()->size(), 1u) << "the cancelled copy and removal wrote nothing";
}

TEST_F(GuiTest, CustomOilsRemoveTakesTheRowClickedAndEnterSelects) {
    DialogTestGuard guard;
    Start();
    document::SpillDocCore& doc = Frame()->CurrentDoc()->Core();
    oillib::COilLibrary& standard = *doc.Libraries().standard;
    FreshCustomLibrary fresh(*doc.Libraries().custom);
    // Three oils, the first with an accented name whose list cell (31
    // bytes) ends inside its "\xC3\xA9" of "L\xC3\xA9man".
    WriteCustomOils(standard, fresh.lib, {5, 6, 7},
                    {"P\xC3\xA9trole brut d'\xC3\xA9t\xC3\xA9 du Lac L\xC3\xA9man, Labo Qu\xC3\xA9"
                     "bec"});
    const oillib::SOilLibCell accented = fresh.lib.GetIndex()->at(0);
    ASSERT_EQ(accented.name, "P\xC3\xA9trole brut d'\xC3\xA9t\xC3\xA9 du Lac L");

    std::vector<std::string> before, after;
    std::string listShot;
    wxString accentedRow;
    WhenModal<ui::CCustomOilsDialog>([&](ui::CCustomOilsDialog* dialog) {
        wxListCtrl* list = dialog->List();
        for (long r = 0; r < list->GetItemCount(); ++r) before.push_back(list->GetItemText(r, 0).utf8_string());
        const long row = list->FindItem(-1, wxString::FromUTF8(accented.name));
        if (row >= 0) accentedRow = list->GetItemText(row, 0);
        listShot = Shot(dialog, "custom-oils-accented");

        // The second row, as a click selects it; Remove, "Remove Oil".
        ClickRow(list, 1);
        WhenModal<ui::ChoiceDialog>([&](ui::ChoiceDialog* choice) { Click(choice, ui::ID_CHOICE_REMOVE); });
        Click(dialog, ui::ID_CUSTOM_REMOVE);
        for (long r = 0; r < list->GetItemCount(); ++r) after.push_back(list->GetItemText(r, 0).utf8_string());

        // Enter on the second row left is Select.
        ClickRow(list, 1);
        list->SetFocus();
        Settle();
        wxUIActionSimulator keys;
        keys.Char(WXK_RETURN);
        Settle();
    });
    Command(app::ID_CUSTOM_OILS);

    EXPECT_FALSE(listShot.empty());
    EXPECT_EQ(accentedRow.utf8_string(), accented.name) << "shown as its own letters";
    EXPECT_EQ(accentedRow.Find(wxString::FromUTF8("\xC3\x83")), wxNOT_FOUND) << accentedRow;
    ASSERT_EQ(before.size(), 3u);
    EXPECT_EQ(after, (std::vector<std::string>{before[0], before[2]})) << "the row clicked is gone";
    ASSERT_EQ(fresh.lib.LoadIndex(), 0);
    std::vector<std::string> stored;
    for (const oillib::SOilLibCell& cell : *fresh.lib.GetIndex()) stored.push_back(cell.name);
    std::sort(stored.begin(), stored.end());
    std::vector<std::string> expected = after;
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(stored, expected) << "the file holds the others";
    ASSERT_EQ(after.size(), 2u);
    EXPECT_EQ(doc.scenario.OilName.rfind(after[1] + ", ", 0), 0u) << doc.scenario.OilName;
    EXPECT_TRUE(doc.scenario.OilName.ends_with(" (custom oil)")) << doc.scenario.OilName;
    EXPECT_EQ(doc.scenario.m_bOilInputPassed, 1);
    for (const auto& e : Messages().Entries()) ADD_FAILURE() << "message: " << e.text;
}

}  // namespace
