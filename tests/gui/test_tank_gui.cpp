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
#include "ui/inputs/rules/TankPicture.h"

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
        const platform::DeviceInfo a4{300, 300, {2480, 3508}, true};
        auto* result = static_cast<ui::CLeakingTankPropertyPage7*>(sheet->Page(7));
        const int unit = result->ReleaseUnit();
        const platform::RecordingCanvas paper = platform::PrintPager::Record(
            [&](platform::Canvas& c) { result->Result().Print(c, unit); }, a4);
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

template <class T>
std::function<double()> Stored(const T& field) {
    return [&field] { return static_cast<double>(field); };
}

// Every control of steps 1-6 set to a value of its own, then Next: each
// lands in its own field of the scenario. On step 2 the picture's liquid
// follows the percent as it is typed.
TEST_F(GuiTest, LeakingTankStepsStoreEachControlInItsOwnField) {
    DialogTestGuard guard;
    Start();
    document::SpillDocCore& doc = Frame()->CurrentDoc()->Core();
    document::Scenario& s = doc.scenario;
    constexpr double kNone = -999;
    int thinLiquid = 0, deepLiquid = 0;
    wxTheApp->CallAfter([&] {
        EndModalsOnExit close;
        ui::CLeakingTankPropertySheet* sheet = OpenWizard();
        ASSERT_NE(sheet, nullptr);
        const auto edit = [sheet](int step, const char* name) { return Find<wxTextCtrl>(sheet, step, name); };
        const auto list = [sheet](int step, const char* name) { return Find<wxChoice>(sheet, step, name); };
        const auto next = [sheet] { Click(sheet, wxID_FORWARD); };
        const auto on = [sheet](int step) { return [sheet, step] { return sheet->CurrentStep() == step; }; };

        ExpectOkStores({{"length", [&] { TypeInto(edit(1, "length"), "2"); }, Stored(s.tank.tLength), 2},
                        {"width", [&] { TypeInto(edit(1, "width"), "3"); }, Stored(s.tank.tWidth), 3},
                        {"height", [&] { TypeInto(edit(1, "height"), "4"); }, Stored(s.tank.tHeight), 4},
                        {"unit (feet)", [&] { ChooseItem(list(1, "unit"), 1); }, Stored(s.tank.tUnits), 2}},
                       next, on(2));
        if (HasFatalFailure()) return;

        ChooseOption(Find<wxRadioButton>(sheet, 2, "second mode"));
        wxWindow* picture = Find<wxWindow>(sheet, 2, "tank picture");
        ASSERT_NE(picture, nullptr);
        int paints = 0;
        picture->Bind(wxEVT_PAINT, [&paints](wxPaintEvent& e) {
            ++paints;
            e.Skip();
        });
        const auto liquid = [&](const char* percent) {
            const int before = paints;
            TypeInto(edit(2, "percent"), percent);
            Settle();
            EXPECT_GT(paints, before) << "no new picture for " << percent << " %";
            const std::string shot = Shot(sheet, std::string("picture-") + percent + "-percent");
            const platform::Rgb c = ui::kPictureLiquidColour;
            return InkOf(shot, sheet, picture, c.r, c.g, c.b).ofColour;
        };
        thinLiquid = liquid("10");
        deepLiquid = liquid("90");
        ExpectOkStores({{"amount (another mode)", [&] { TypeInto(edit(2, "value"), "9"); }, Stored(s.m_dTankOilVolume), kNone},
                        {"unit (gal)", [&] { ChooseItem(list(2, "unit"), 1); }, Stored(s.m_iTankVolumeUnit), 2},
                        {"percent", [&] { TypeInto(edit(2, "percent"), "60"); }, Stored(s.m_dTankPercentFull), 60},
                        {"mode", [] {}, Stored(s.m_bTankVolumeKnown), 0},
                        {"oil volume (cu feet)", [] {}, Stored(s.tank.oVol), 14.4},
                        {"oil unit", [] {}, Stored(s.tank.oUnits), 4}},
                       next, on(3));
        if (HasFatalFailure()) return;

        ChooseOption(Find<wxRadioButton>(sheet, 3, "second mode"));
        TypeInto(edit(3, "rectangle length"), "5");
        TypeInto(edit(3, "rectangle height"), "2");
        Pump();
        Shot(sheet, "step-3-rectangle");
        ExpectOkStores({{"diameter (another shape)", [&] { TypeInto(edit(3, "diameter"), "7"); }, Stored(s.m_dHoleDiameter), kNone},
                        {"diameter unit (cm)", [&] { ChooseItem(list(3, "diameter unit"), 1); }, Stored(s.m_iHoleDiameterUnit), 1},
                        {"rectangle length", [&] { TypeInto(edit(3, "rectangle length"), "5"); }, Stored(s.m_dHoleRectWidth), 5},
                        {"rectangle height", [&] { TypeInto(edit(3, "rectangle height"), "2"); }, Stored(s.m_dHoleRectHeight), 2},
                        {"rectangle unit (inches)", [&] { ChooseItem(list(3, "rectangle unit"), 3); }, Stored(s.m_iHoleRectUnit), 3},
                        {"shape", [] {}, Stored(s.m_bHoleRound), 0},
                        {"area", [] {}, Stored(s.tank.hArea), 10},
                        {"opening height", [] {}, Stored(s.tank.hDiam), 2},
                        {"opening unit", [] {}, Stored(s.tank.hUnits), 4}},
                       next, on(4));
        if (HasFatalFailure()) return;

        ExpectOkStores({{"height", [&] { TypeInto(edit(4, "value"), "1.5"); }, Stored(s.m_dHoleHeight), 1.5},
                        {"unit (feet)", [&] { ChooseItem(list(4, "unit"), 1); }, Stored(s.m_iHoleHeightUnit), 1},
                        {"percent (another mode)", [&] { TypeInto(edit(4, "percent"), "30"); }, Stored(s.m_dHoleHeightPercent), kNone},
                        {"mode", [] {}, Stored(s.m_bHoleHeightKnown), 1},
                        {"opening's bottom", [] {}, Stored(s.tank.zHeight), 1.5},
                        {"its unit", [] {}, Stored(s.tank.zUnits), 2}},
                       next, on(5));
        if (HasFatalFailure()) return;

        ChooseOption(Find<wxRadioButton>(sheet, 5, "second mode"));
        TypeInto(edit(5, "percent"), "45");
        Shot(sheet, "step-5-water");
        ExpectOkStores({{"level (another mode)", [&] { TypeInto(edit(5, "value"), "0.7"); }, Stored(s.m_dWaterLevel), kNone},
                        {"unit (feet)", [&] { ChooseItem(list(5, "unit"), 1); }, Stored(s.m_iWaterLevelUnit), 1},
                        {"percent", [&] { TypeInto(edit(5, "percent"), "45"); }, Stored(s.m_dWaterLevelPercent), 45},
                        {"mode", [] {}, Stored(s.m_bWaterLevelKnown), 0},
                        {"water level", [] {}, Stored(s.tank.wHeight), 1.8},
                        {"its unit", [] {}, Stored(s.tank.wUnits), 2}},
                       next, on(6));
        if (HasFatalFailure()) return;

        std::vector<wxChoice*> time;
        for (wxWindow* w : sheet->Page(6)->GetChildren())
            if (auto* c = dynamic_cast<wxChoice*>(w)) time.push_back(c);
        ASSERT_EQ(time.size(), 3u);  // month, day, hour
        ExpectOkStores({{"month", [&] { ChooseItem(time[0], 3); }, [&] { return doc.Clock().Local(s.TankTime).tm_mon; }, 3},
                        {"day", [&] { ChooseItem(time[1], 8); }, [&] { return doc.Clock().Local(s.TankTime).tm_mday; }, 9},
                        {"hour", [&] { ChooseItem(time[2], 11); }, [&] { return doc.Clock().Local(s.TankTime).tm_hour; }, 11}},
                       next, on(7));
        if (HasFatalFailure()) return;
        ChooseItem(Find<wxChoice>(sheet, 7, "release unit"), 2);  // cu m
        Click(sheet, wxID_FORWARD);  // Finish
    });
    EXPECT_TRUE(ui::RunTankWizard(Frame(), doc));
    EXPECT_EQ(s.m_iTankReleaseUnit, 2);
    EXPECT_EQ(s.tank.flag, 1);
    EXPECT_GT(thinLiquid, 0);
    EXPECT_GT(deepLiquid, 4 * thinLiquid) << "the picture did not follow the percent typed";
}

}  // namespace
