// The leaking-tank wizard on a real display: typed values through the
// seven steps, a refused Next, Back and the reload of a step, the result
// page and its printout.
#include <string>
#include <vector>

#include <wx/button.h>
#include <wx/choice.h>
#include <wx/dcmemory.h>
#include <wx/radiobut.h>
#include <wx/textctrl.h>

#include "app/MainFrame.h"
#include "app/SpillDocWx.h"
#include "gui_support.h"
#include "platform/RecordingCanvas.h"
#include "platform/SvgWriter.h"
#include "platform/wx/PrintPager.h"
#include "ui/inputs/LeakingTankSheet.h"

using namespace gui_test;

namespace {

ui::CLeakingTankPropertySheet* OpenWizard() {
    for (wxWindow* w : wxTopLevelWindows)
        if (auto* d = dynamic_cast<ui::CLeakingTankPropertySheet*>(w); d && d->IsShown()) return d;
    return nullptr;
}

template <class T>
T* Find(ui::CLeakingTankPropertySheet* sheet, int step, const char* name) {
    return dynamic_cast<T*>(wxWindow::FindWindowByName(name, sheet->Page(step)));
}

void Type(ui::CLeakingTankPropertySheet* sheet, int step, const char* name, const char* text) {
    auto* edit = Find<wxTextCtrl>(sheet, step, name);
    ASSERT_NE(edit, nullptr) << name;
    edit->SetValue(text);
}

void Choose(ui::CLeakingTankPropertySheet* sheet, int step, const char* name, int index) {
    auto* choice = Find<wxChoice>(sheet, step, name);
    ASSERT_NE(choice, nullptr) << name;
    choice->SetSelection(index);
}

// A click on a mode button, as the user's.
void ClickMode(ui::CLeakingTankPropertySheet* sheet, int step, const char* name) {
    auto* radio = Find<wxRadioButton>(sheet, step, name);
    ASSERT_NE(radio, nullptr) << name;
    radio->SetValue(true);
    wxCommandEvent click(wxEVT_RADIOBUTTON, radio->GetId());
    click.SetEventObject(radio);
    click.SetInt(1);
    radio->GetEventHandler()->ProcessEvent(click);
}

bool PrintShown(ui::CLeakingTankPropertySheet* sheet) {
    return static_cast<ui::CLeakingTankPropertyPage7*>(sheet->Page(7))->PrintButton()->IsShownOnScreen();
}

std::string Shot(wxWindow* w, const std::string& name) { return Screenshot(w, "tank/" + name); }

TEST_F(GuiTest, LeakingTankWizardThroughSevenSteps) {
    DialogTestGuard guard;
    Start();
    document::SpillDocCore& doc = Frame()->CurrentDoc()->Core();
    Messages().Clear();

    std::vector<int> steps;  // the step shown after each action
    std::vector<bool> printShown;
    std::string lastShot, levelAfterBack;
    wxTheApp->CallAfter([&] {
        EndModalsOnExit close;
        ui::CLeakingTankPropertySheet* sheet = OpenWizard();
        ASSERT_NE(sheet, nullptr);
        EXPECT_EQ(sheet->GetTitle(), "Leaking Tank Setup");
        auto next = [&] {
            printShown.push_back(PrintShown(sheet));
            Click(sheet, wxID_FORWARD);
            Pump();
            steps.push_back(sheet->CurrentStep());
        };
        auto back = [&] {
            Click(sheet, wxID_BACKWARD);
            Pump();
            steps.push_back(sheet->CurrentStep());
        };

        Type(sheet, 1, "length", "25");  // over 20 m: refused
        Type(sheet, 1, "width", "2");
        Type(sheet, 1, "height", "2");
        next();
        Shot(sheet, "step-1");
        Type(sheet, 1, "length", "2");
        next();
        ClickMode(sheet, 2, "second mode");
        Type(sheet, 2, "percent", "50");
        Shot(sheet, "step-2");
        next();
        Type(sheet, 3, "diameter", "5");
        Choose(sheet, 3, "diameter unit", 1);  // cm
        Shot(sheet, "step-3");
        next();
        Type(sheet, 4, "value", "0.2");
        Shot(sheet, "step-4");
        next();
        Type(sheet, 5, "value", "0");
        Shot(sheet, "step-5");
        next();
        Shot(sheet, "step-6");
        next();
        printShown.push_back(PrintShown(sheet));
        lastShot = Shot(sheet, "step-7");

        // Back twice, a level typed on step 5 and left by Back, then Next
        // from step 4: step 5 shows the stored level again.
        back();
        back();
        Type(sheet, 5, "value", "1.9");
        back();
        next();
        levelAfterBack = Find<wxTextCtrl>(sheet, 5, "value")->GetValue().utf8_string();
        next();
        next();
        Choose(sheet, 7, "release unit", 3);  // tons

        // The printout as the pager records it, measured with the toolkit's
        // fonts at 300 dpi; written as SVG for review.
        wxBitmap bitmap(8, 8);
        wxMemoryDC dc(bitmap);
        const platform::DeviceInfo a4{300, 300, {2480, 3508}, true};
        auto* result = static_cast<ui::CLeakingTankPropertyPage7*>(sheet->Page(7));
        const int unit = result->ReleaseUnit();
        const platform::RecordingCanvas paper = platform::PrintPager::Record(
            [&](platform::Canvas& c) { result->Result().Print(c, unit); }, dc, a4);
        EXPECT_EQ(paper.Pages().size(), 2u);
        EXPECT_TRUE(result->PrintButton()->IsEnabled());
        std::string error;
        EXPECT_TRUE(platform::WriteSvgFiles(paper, lastShot.substr(0, lastShot.rfind('/')) + "/printout.svg", &error))
            << error;
        Click(sheet, wxID_FORWARD);  // Finish
    });
    EXPECT_TRUE(ui::RunTankWizard(Frame(), doc));

    EXPECT_EQ(steps, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 6, 5, 4, 5, 6, 7}));
    EXPECT_EQ(printShown, (std::vector<bool>{false, false, false, false, false, false, false, true, false, false, false}));
    EXPECT_EQ(Messages().Texts(),
              std::vector<std::string>{"Problem with the Input.\n\nThe length of the tank must be between 0.3 and 20 "
                                       "meters."});
    EXPECT_EQ(levelAfterBack, "0");
    EXPECT_FALSE(lastShot.empty());
    EXPECT_EQ(doc.scenario.tank.flag, 1);
    EXPECT_EQ(doc.scenario.m_iTankReleaseUnit, 3);
    EXPECT_EQ(doc.scenario.m_bTankVolumeKnown, 0);
    EXPECT_EQ(doc.scenario.m_iHoleDiameterUnit, 1);
    EXPECT_GT(doc.scenario.m_dTankTotalRelease, 0);
}

TEST_F(GuiTest, LeakingTankWizardCancelPutsTheScenarioBack) {
    DialogTestGuard guard;
    Start();
    document::SpillDocCore& doc = Frame()->CurrentDoc()->Core();
    const document::Scenario before = doc.scenario;
    std::string help;
    wxTheApp->CallAfter([&] {
        EndModalsOnExit close;
        ui::CLeakingTankPropertySheet* sheet = OpenWizard();
        ASSERT_NE(sheet, nullptr);
        Type(sheet, 1, "length", "3");
        Type(sheet, 1, "width", "3");
        Type(sheet, 1, "height", "3");
        Click(sheet, wxID_FORWARD);
        ClickMode(sheet, 2, "second mode");
        help = HelpCaptionOf([&] { PressF1(sheet); });
        Click(sheet, wxID_CANCEL);
    });
    EXPECT_FALSE(ui::RunTankWizard(Frame(), doc));
    EXPECT_EQ(help, "Help on Leaking Tank");
    EXPECT_TRUE(doc.scenario == before);
}

}  // namespace
