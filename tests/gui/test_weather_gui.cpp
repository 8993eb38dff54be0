// The wind and waves, water, fetch, wind uncertainty, emulsification and
// beaching dialogs on a real display.
#include <string>
#include <vector>

#include <wx/listctrl.h>
#include <wx/uiaction.h>

#include "app/CommandIds.h"
#include "app/MainFrame.h"
#include "app/SpillDocWx.h"
#include "gui_support.h"
#include "ui/inputs/WeatherDialogs.h"
#include "ui/inputs/WindWaveDialog.h"

using namespace gui_test;

namespace {

std::string Shot(wxWindow* window, const std::string& name) { return Screenshot(window, "weather/" + name); }

template <typename Dialog>
Dialog* OpenDialog() {
    for (wxWindow* w : wxTopLevelWindows)
        if (auto* d = dynamic_cast<Dialog*>(w); d && d->IsModal()) return d;
    return nullptr;
}

// A left click on the compass at an offset (device-independent pixels) from
// its centre.
void ClickCompass(ui::CompassPanel* panel, int dx, int dy) {
    const wxSize size = panel->GetClientSize();
    wxMouseEvent e(wxEVT_LEFT_DOWN);
    e.SetPosition(wxPoint(size.x / 2 + panel->FromDIP(dx), size.y / 2 + panel->FromDIP(dy)));
    e.SetEventObject(panel);
    panel->GetEventHandler()->ProcessEvent(e);
    Pump(2);
}

// The form read back from the controls after the form was shown in them.
template <typename Dialog>
bool RoundTrips(Dialog* d) {
    d->TransferDataFromWindow();
    const auto before = d->Form();
    d->TransferDataToWindow();
    d->TransferDataFromWindow();
    return d->Form() == before;
}

std::string Text(wxTextCtrl* field) { return field->GetValue().utf8_string(); }

TEST_F(GuiTest, WindDialogInBothModesFromTheInputMenu) {
    DialogTestGuard guard;
    Start();
    document::SpillDocCore& doc = Frame()->CurrentDoc()->Core();
    std::vector<std::string> shots;
    std::string help;
    wxTheApp->CallAfter([&] {
        EndModalsOnExit close;
        ui::CWindWaveDialog* d = OpenDialog<ui::CWindWaveDialog>();
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(d->GetTitle(), "Wind and Waves");
        EXPECT_FALSE(d->Form().variable);
        EXPECT_TRUE(d->Compass(false)->IsShownOnScreen());
        EXPECT_FALSE(d->List()->IsShownOnScreen());

        // A click 32 px right of the centre: 10 from the east.
        ClickCompass(d->Compass(false), 32, 0);
        EXPECT_EQ(Text(d->Speed(false)), "10");
        EXPECT_EQ(Text(d->Direction(false)), "90");
        EXPECT_EQ(d->Rules().Arrow(false), ui::ArrowFor(10, 90));
        d->WaveChoice()->SetSelection(2);
        wxCommandEvent choice(wxEVT_CHOICE, d->WaveChoice()->GetId());
        choice.SetEventObject(d->WaveChoice());
        choice.SetInt(2);
        d->WaveChoice()->GetEventHandler()->ProcessEvent(choice);
        EXPECT_TRUE(RoundTrips(d));
        // Known wave height chosen and left empty: refused, the dialog stays.
        d->Ok();
        EXPECT_TRUE(Messages().Contains(std::string("Missing Important Information.\n\n") + ui::kWaveHeightMissingText));
        EXPECT_TRUE(d->IsModal());
        Messages().Clear();
        shots.push_back(Shot(d, "wind-constant"));

        d->SetMode(true);
        EXPECT_TRUE(d->List()->IsShownOnScreen());
        EXPECT_TRUE(d->Compass(true)->IsShownOnScreen());
        EXPECT_FALSE(d->Compass(false)->IsShownOnScreen());
        d->Pick().Set({11, 30, 22});
        const char* records[][3] = {{"12", "NW", "1.5"}, {"15", "300", ""}, {"18", "W", "2"}};
        for (const auto& r : records) {
            d->Speed(true)->SetValue(r[0]);
            d->Direction(true)->SetValue(r[1]);
            d->VarWave()->SetValue(r[2]);
            d->AddRecord();
        }
        EXPECT_EQ(d->List()->GetItemCount(), 3);
        EXPECT_EQ(d->List()->GetItemText(2, 0), "01/01");
        EXPECT_EQ(d->List()->GetItemText(0, 2), "12 mph");
        EXPECT_EQ(d->Rules().Arrow(true), ui::ArrowFor(18, 270)) << "the arrow follows typing";
        // Selecting a row copies it into the entry fields.
        d->List()->SetItemState(0, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
        Pump(2);
        EXPECT_EQ(Text(d->Speed(true)), "12");
        EXPECT_EQ(Text(d->Direction(true)), "NW");
        EXPECT_EQ(Text(d->VarWave()), "1.5");
        // A mouse click on the row already selected copies it again.
        d->Speed(true)->ChangeValue("99");
        wxRect row;
        ASSERT_TRUE(d->List()->GetItemRect(0, row));
        wxUIActionSimulator mouse;
        mouse.MouseMove(d->List()->ClientToScreen(row.GetPosition() + wxPoint(20, row.height / 2)));
        Pump(2);
        mouse.MouseClick();
        Pump(4);
        EXPECT_EQ(Text(d->Speed(true)), "12");
        EXPECT_TRUE(RoundTrips(d));
        shots.push_back(Shot(d, "wind-variable"));
        help = HelpCaptionOf([&] { Click(d, wxID_HELP); });
        EXPECT_TRUE(Messages().Entries().empty());
        d->Ok();
    });
    Command(app::ID_WIND_WAVE);

    for (const std::string& s : shots) EXPECT_FALSE(s.empty());
    EXPECT_EQ(help, "Help on Wind and Waves");
    EXPECT_EQ(doc.scenario.m_bVarWind, 1);
    EXPECT_EQ(doc.scenario.m_iVarWindNumber, 3);
    EXPECT_EQ(doc.scenario.m_dVarWaveHeight[0], 1.5);
    for (const auto& e : Messages().Entries()) ADD_FAILURE() << "message: " << e.text;
}

TEST_F(GuiTest, WaterDialogWithACurrentFromTheInputMenu) {
    DialogTestGuard guard;
    Start();
    document::SpillDocCore& doc = Frame()->CurrentDoc()->Core();
    std::string shot, help;
    wxTheApp->CallAfter([&] {
        EndModalsOnExit close;
        ui::CWaterDialog* d = OpenDialog<ui::CWaterDialog>();
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(d->GetTitle(), "Water");
        d->Temperature()->SetValue("200");
        ClickCompass(d->Compass(), 0, -32);
        EXPECT_EQ(Text(d->Speed()), "2.0");
        EXPECT_EQ(Text(d->Direction()), "360");
        ClickCompass(d->Compass(), 80, 0);
        EXPECT_EQ(Text(d->Speed()), "2.0") << "outside the card";
        d->Speed()->SetValue("1.5");
        d->Direction()->SetValue("NE");
        // Leaving the direction field moves the line.
        wxFocusEvent leave(wxEVT_KILL_FOCUS, d->Direction()->GetId());
        leave.SetEventObject(d->Direction());
        d->Direction()->GetEventHandler()->ProcessEvent(leave);
        EXPECT_EQ(d->Rules().LineEnd(), ui::CurrentEnd(1.5, 45).value());
        EXPECT_TRUE(RoundTrips(d));
        Click(d, wxID_OK);
        EXPECT_TRUE(Messages().Contains(std::string("Problem with the Input\n\n") + ui::kWaterAbove104FText));
        EXPECT_TRUE(d->IsModal());
        Messages().Clear();
        d->Temperature()->SetValue("59");
        // "Other Value..." shows the salinity field.
        EXPECT_FALSE(d->Salinity()->IsShown());
        d->SalinityChoice()->SetSelection(ui::kOtherValue);
        wxCommandEvent choice(wxEVT_CHOICE, d->SalinityChoice()->GetId());
        choice.SetEventObject(d->SalinityChoice());
        d->SalinityChoice()->GetEventHandler()->ProcessEvent(choice);
        EXPECT_TRUE(d->Salinity()->IsShown());
        d->Salinity()->SetValue("20.5");
        shot = Shot(d, "water-current");
        help = HelpCaptionOf([&] { Click(d, wxID_HELP); });
        Click(d, wxID_OK);
    });
    Command(app::ID_WATER);

    EXPECT_FALSE(shot.empty());
    EXPECT_EQ(help, "Help on Water Properties");
    EXPECT_EQ(doc.scenario.water.temperature, 59);
    EXPECT_EQ(doc.scenario.water.speed, 1.5);
    EXPECT_EQ(doc.scenario.water.direction, 45);
    EXPECT_EQ(doc.scenario.water.salinity, 20.5);
    EXPECT_EQ(doc.scenario.m_bWaterInputPassed, 1);
    for (const auto& e : Messages().Entries()) ADD_FAILURE() << "message: " << e.text;
}

// A small dialog shown modelessly: its form survives the controls, a bad
// entry is refused and keeps it open, and its help opens.
template <typename Dialog>
void CheckSmallDialog(Dialog& d, const std::string& name, const std::function<void()>& badEntry,
                      const std::string& refusal, const std::string& helpCaption) {
    d.Show();
    Pump(2);
    EXPECT_TRUE(RoundTrips(&d)) << name;
    badEntry();
    Click(&d, wxID_OK);
    EXPECT_TRUE(Messages().Contains(refusal)) << name;
    EXPECT_TRUE(d.IsShown()) << name;
    Messages().Clear();
    EXPECT_FALSE(Shot(&d, name).empty()) << name;
    EXPECT_EQ(HelpCaptionOf([&] { Click(&d, wxID_HELP); }), helpCaption) << name;
}

TEST_F(GuiTest, FetchUncertaintyEmulsificationAndBeachingDialogs) {
    DialogTestGuard guard;
    Start();
    document::SpillDocCore& doc = Frame()->CurrentDoc()->Core();
    doc.scenario.m_dFetchE = 12;
    {
        ui::CVarWindFetchDialog d(Frame(), doc);
        EXPECT_EQ(Text(d.Field(1)), "12");
        CheckSmallDialog(d, "fetch", [&] { d.Field(0)->SetValue("0"); }, ui::kFetchRefusalText, "Help on Fetch");
    }
    {
        ui::CWindUncertaintyDialog d(Frame(), doc);
        CheckSmallDialog(d, "wind-uncertainty", [&] { d.Value()->SetValue("38.5"); },
                         "Problem with the Input.\n\nSorry, but the uncertainty cannot exceed 38 mph.",
                         "Help on Wind Uncertainty");
    }
    {
        ui::CEmulsificationDialog d(Frame(), doc);
        CheckSmallDialog(
            d, "emulsification",
            [&] {
                d.Unit()->SetSelection(1);
                wxCommandEvent choice(wxEVT_CHOICE, d.Unit()->GetId());
                choice.SetEventObject(d.Unit());
                d.Unit()->GetEventHandler()->ProcessEvent(choice);
            },
            std::string("Problem with the Input\n\n") + ui::kEmulsValueMissingText, "Help on Emulsification");
        EXPECT_FALSE(d.Form().useDefault) << "choosing hours chose the user value";
    }
    {
        ui::COilBeachedDialog d(Frame(), doc);
        CheckSmallDialog(d, "beaching", [&] { d.Day(2)->SetValue("-5"); }, ui::kBeachedNegativeText,
                         "Help on Beaching");
    }
    EXPECT_EQ(doc.scenario.m_dFetchN, 0) << "refused: nothing written";
    for (const auto& e : Messages().Entries()) ADD_FAILURE() << "message: " << e.text;
}

}  // namespace
