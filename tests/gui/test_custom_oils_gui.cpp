// The custom oils dialog, its choice dialogs and the custom-oil editor on a
// real display.
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

// The program's custom library, removed before and after the test.
struct FreshCustomLibrary {
    explicit FreshCustomLibrary(oillib::COilLibrary& lib) : lib(lib) { Remove(); }
    ~FreshCustomLibrary() { Remove(); }
    void Remove() {
        std::error_code ec;
        std::filesystem::remove(lib.GetPath(), ec);
        std::filesystem::remove(lib.GetBackupPath(), ec);
        lib.Reset();
    }
    oillib::COilLibrary& lib;
};

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

    std::string choiceCaption, sheetTitle, saveLabel, typedName, reopenedName, sheetHelp, sheetKeyHelp;
    std::vector<std::string> pages;
    int runs = 0;
    // Three steps, each run inside the modal loop the step before opened.
    std::function<void(ui::CPropSheetCustOil*)> reopened = [&](ui::CPropSheetCustOil* sheet) {
        ++runs;
        reopenedName = sheet->NameEdit()->GetValue().utf8_string();
        Click(sheet, wxID_CANCEL);
    };
    std::function<void(ui::CPropSheetCustOil*)> editor = [&](ui::CPropSheetCustOil* sheet) {
        ++runs;
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
    EXPECT_EQ(reopenedName, typedName);
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

}  // namespace
