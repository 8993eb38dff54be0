// The response-operation sheets on a real display: a burn page that
// refuses cannot be left, OK hands the used burns to the document, and
// each sheet and the advanced burn options are shown for review.
#include <string>

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/textctrl.h>

#include "app/CommandIds.h"
#include "app/MainFrame.h"
#include "app/SpillDocWx.h"
#include "gui_support.h"
#include "ui/inputs/OperationSheets.h"

using namespace gui_test;

namespace {

template <class T>
T* OpenDialog() {
    for (wxWindow* w : wxTopLevelWindows)
        if (auto* d = dynamic_cast<T*>(w); d && d->IsShown()) return d;
    return nullptr;
}

// The text fields of a page in the order they were made.
std::vector<wxTextCtrl*> Fields(wxWindow* page) {
    std::vector<wxTextCtrl*> out;
    std::function<void(wxWindow*)> walk = [&](wxWindow* w) {
        for (wxWindow* c : w->GetChildren()) {
            if (auto* t = dynamic_cast<wxTextCtrl*>(c)) out.push_back(t);
            walk(c);
        }
    };
    walk(page);
    return out;
}

void Tick(wxCheckBox* box) {
    box->SetValue(!box->GetValue());
    wxCommandEvent e(wxEVT_CHECKBOX, box->GetId());
    e.SetEventObject(box);
    e.SetInt(box->GetValue() ? 1 : 0);
    box->GetEventHandler()->ProcessEvent(e);
}

TEST_F(GuiTest, BurnSheetKeepsARefusedPageAndOkHandsTheBurnToTheScenario) {
    DialogTestGuard guard;
    Start(OpeningStoredScenario());
    document::SpillDocCore& doc = Frame()->CurrentDoc()->Core();
    int stayed = -1, moved = -1;
    std::string refusal;
    bool advancedShown = false;
    wxTheApp->CallAfter([&] {
        EndModalsOnExit close;
        auto* sheet = OpenDialog<ui::CInSituBurnSheet>();
        ASSERT_NE(sheet, nullptr);
        EXPECT_EQ(sheet->GetTitle(), "In-SituBurn");
        EXPECT_EQ(sheet->GetBookCtrl()->GetPageText(4), "Burn 5");
        ui::OperationPage* page = sheet->Page(0);
        EXPECT_FALSE(Fields(page)[0]->IsEnabled()) << "an unused burn's fields are off";
        Tick(page->UseBox());
        EXPECT_TRUE(Fields(page)[0]->IsEnabled());
        Fields(page)[0]->ChangeValue("100");  // sq. feet
        Fields(page)[1]->ChangeValue("");     // no thickness
        Screenshot(sheet, "operations/burn-sheet");
        sheet->GetBookCtrl()->SetSelection(1);
        Pump();
        stayed = sheet->GetBookCtrl()->GetSelection();
        if (!Messages().Entries().empty()) refusal = Messages().Entries().back().text;
        Fields(page)[1]->ChangeValue("5");  // mm
        sheet->GetBookCtrl()->SetSelection(1);
        Pump();
        moved = sheet->GetBookCtrl()->GetSelection();

        // The advanced options: the rate field only for another value.
        sheet->CallAfter([&] {
            // Only this dialog is closed here: the sheet goes on.
            auto* options = OpenDialog<ui::CAdvancedBurnOptionsDialog>();
            ASSERT_NE(options, nullptr);
            EXPECT_FALSE(options->Rate()->IsShown());
            options->Choice()->SetSelection(1);
            wxCommandEvent choose(wxEVT_CHOICE, options->Choice()->GetId());
            choose.SetEventObject(options->Choice());
            options->Choice()->GetEventHandler()->ProcessEvent(choose);
            advancedShown = options->Rate()->IsShown();
            Screenshot(options, "operations/advanced-burn-options");
            Click(options, wxID_CANCEL);
        });
        Click(sheet, ui::CInSituBurnSheet::kAdvancedOptionsId);
        Click(sheet, wxID_OK);
    });
    Command(app::ID_IN_SITU_BURN);
    EXPECT_EQ(stayed, 0);
    EXPECT_EQ(moved, 1);
    EXPECT_EQ(refusal.rfind("Problem with the Input.\n\nMissing Important Information.\nPlease enter the oil thickness.", 0), 0u)
        << refusal;
    EXPECT_TRUE(advancedShown);
    ASSERT_EQ(doc.scenario.burn.num, 1);
    EXPECT_EQ(doc.scenario.burn.area[0], 100);
    EXPECT_EQ(doc.scenario.burn.thick[0], 5);
    EXPECT_TRUE(doc.IsModified());  // the change flags are cleared again once the tree is refreshed
}

TEST_F(GuiTest, DispersantAndCleanupSheetsShowTheirPages) {
    DialogTestGuard guard;
    Start(OpeningStoredScenario());
    bool amountOnly = false;
    wxTheApp->CallAfter([&] {
        EndModalsOnExit close;
        auto* sheet = OpenDialog<ui::CDispersantUseSheet>();
        ASSERT_NE(sheet, nullptr);
        Tick(sheet->Page(0)->UseBox());
        Screenshot(sheet, "operations/dispersant-sheet");
        Click(sheet, wxID_CANCEL);
    });
    Command(app::ID_DISPERSANT);
    wxTheApp->CallAfter([&] {
        EndModalsOnExit close;
        auto* sheet = OpenDialog<ui::CMechCleanupSheet>();
        ASSERT_NE(sheet, nullptr);
        Tick(sheet->Page(0)->UseBox());
        // Rate mode first: the rate field is on, the amount field off.
        const std::vector<wxTextCtrl*> f = Fields(sheet->Page(0));
        ASSERT_EQ(f.size(), 3u);
        amountOnly = f[1]->IsEnabled() && !f[2]->IsEnabled();
        Screenshot(sheet, "operations/cleanup-sheet");
        Click(sheet, wxID_CANCEL);
    });
    Command(app::ID_MECHANICAL);
    EXPECT_TRUE(amountOnly);
}

}  // namespace
