// The wind and waves, water, fetch, wind uncertainty, emulsification and
// beaching dialogs on a real display.
#include <dlfcn.h>

#include <string>
#include <vector>

#include <wx/button.h>
#include <wx/listctrl.h>
#include <wx/uiaction.h>

#include "app/CommandIds.h"
#include "app/MainFrame.h"
#include "app/SpillDocWx.h"
#include "gui_support.h"
#include "platform/NumText.h"
#include "tests/support/TimeZone.h"
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

std::string Text(wxTextCtrl* field) { return field->GetValue().utf8_string(); }

// Closes a dialog a nested step opened when the step ends early (a failed
// check), so the step that opened it goes on.
struct EndOnExit {
    wxDialog* dialog;
    ~EndOnExit() {
        if (dialog && dialog->IsModal()) dialog->EndModal(wxID_CANCEL);
    }
};

// The field that has the keyboard focus as the toolkit sees it (it tells
// the program late when no window manager runs).
bool HasToolkitFocus(wxTopLevelWindow* window, wxWindow* field) {
    using GetFocus = void* (*)(void*);
    static auto get = reinterpret_cast<GetFocus>(dlsym(RTLD_DEFAULT, "gtk_window_get_focus"));
    if (!get) return false;
    void* widget = get(window->GetHandle());
    return widget && (widget == field->GetHandle() || widget == field->GetConnectWidget());
}

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
    const model::InputWater& w = doc.scenario.water;
    std::string shot, help;
    wxTheApp->CallAfter([&] {
        EndModalsOnExit close;
        ui::CWaterDialog* d = OpenDialog<ui::CWaterDialog>();
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(d->GetTitle(), "Water");
        TypeInto(d->Temperature(), "200");
        ClickCompass(d->Compass(), 0, -32);
        EXPECT_EQ(Text(d->Speed()), "2.0");
        EXPECT_EQ(Text(d->Direction()), "360");
        ClickCompass(d->Compass(), 80, 0);
        EXPECT_EQ(Text(d->Speed()), "2.0") << "outside the card";
        TypeInto(d->Speed(), "1.5");
        TypeInto(d->Direction(), "NE");
        // Leaving the direction field moves the line.
        wxFocusEvent leave(wxEVT_KILL_FOCUS, d->Direction()->GetId());
        leave.SetEventObject(d->Direction());
        d->Direction()->GetEventHandler()->ProcessEvent(leave);
        EXPECT_EQ(d->Rules().LineEnd(), ui::CurrentEnd(1.5, 45).value());
        Click(d, wxID_OK);
        EXPECT_TRUE(Messages().Contains(std::string("Problem with the Input\n\n") + ui::kWaterAbove104FText));
        EXPECT_TRUE(d->IsModal());
        Messages().Clear();
        ChooseItem(d->TemperatureUnit(), 1);
        TypeInto(d->Temperature(), "15");
        // "Other Value..." shows the typed value's field.
        EXPECT_FALSE(d->Salinity()->IsShown());
        ChooseItem(d->SalinityChoice(), ui::kOtherValue);
        EXPECT_TRUE(d->Salinity()->IsShown());
        TypeInto(d->Salinity(), "20.5");
        ChooseItem(d->SedimentChoice(), ui::kOtherValue);
        TypeInto(d->Sediment(), "640");

        // A number field that holds no number is refused, and the user is
        // put back in it with its text selected; the focus is elsewhere
        // (the OK button) when OK is pressed.
        struct NotANumber {
            const char* name;
            wxTextCtrl* field;
            const char* bad;
            const char* good;
        };
        const NotANumber cases[] = {
            {"temperature", d->Temperature(), "12x", "15"},
            {"salinity", d->Salinity(), "abc", "20.5"},
            {"sediment", d->Sediment(), "7 7", "640"},
            {"current", d->Speed(), "1.5kn", "1.5"},
        };
        for (const NotANumber& c : cases) {
            TypeInto(c.field, c.bad);
            d->FindWindow(wxID_OK)->SetFocus();
            Pump(2);
            Click(d, wxID_OK);
            Pump(2);
            EXPECT_EQ(Messages().Texts(), std::vector<std::string>{platform::kEnterNumberText}) << c.name;
            EXPECT_TRUE(d->IsModal()) << c.name;
            EXPECT_TRUE(HasToolkitFocus(d, c.field)) << c.name << ": the focus is in the field";
            long from = -1, to = -1;
            c.field->GetSelection(&from, &to);
            EXPECT_EQ(from, 0) << c.name;
            EXPECT_EQ(to, static_cast<long>(std::string(c.bad).size())) << c.name << ": its whole text selected";
            if (c.field == d->Temperature()) shot = Shot(d, "water-not-a-number");
            Messages().Clear();
            TypeInto(c.field, c.good);
        }
        EXPECT_EQ(w.temperature, model::MISSING_VALUE_D) << "nothing stored";
        help = HelpCaptionOf([&] { Click(d, wxID_HELP); });

        // OK stores every control in its field; the two lists of presets
        // end on different entries, so a list read for the other shows.
        ExpectOkStores(
            {
                {"temperature", [&] { TypeInto(d->Temperature(), "17.5"); }, [&] { return w.temperature; }, 17.5},
                {"temperature unit", [&] { ChooseItem(d->TemperatureUnit(), 1); },
                 [&] { return double(w.tempUnits); }, 2},
                {"salinity", [&] { TypeInto(d->Salinity(), "21.5"); }, [&] { return w.salinity; }, 21.5},
                {"sediment preset", [&] { ChooseItem(d->SedimentChoice(), 2); }, [&] { return w.sediment; }, 500},
                {"current speed", [&] { TypeInto(d->Speed(), "1.25"); }, [&] { return w.speed; }, 1.25},
                {"current unit", [&] { ChooseItem(d->SpeedUnit(), 2); }, [&] { return double(w.speedUnits); }, 3},
                {"current direction", [&] { TypeInto(d->Direction(), "SE"); }, [&] { return w.direction; }, 135},
            },
            [&] { Click(d, wxID_OK); }, [&] { return !d->IsModal(); });
    });
    Command(app::ID_WATER);

    EXPECT_FALSE(shot.empty());
    EXPECT_EQ(help, "Help on Water Properties");
    EXPECT_EQ(doc.scenario.m_bWaterInputPassed, 1);
    for (const auto& e : Messages().Entries()) ADD_FAILURE() << "message: " << e.text;
}

// A small dialog shown modelessly: a bad entry is refused and keeps it
// open, and its help opens.
template <typename Dialog>
void CheckSmallDialog(Dialog& d, const std::string& name, const std::function<void()>& badEntry,
                      const std::string& refusal, const std::string& helpCaption) {
    d.Show();
    Pump(2);
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

// Every control of the wind dialog, and of the fetch and wind uncertainty
// dialogs its buttons open, given a value of its own for an OK, in three
// openings: a constant wind with a fetch, variable winds, a constant wind
// with a known wave height. The two-entry unit lists cannot all differ in
// one OK; over the openings each pair of them differs once.
TEST_F(GuiTest, WindDialogOkStoresEveryControlInBothModes) {
    DialogTestGuard guard;
    tavro_test::ZoneScope utc{"UTC"};
    Start();
    document::SpillDocCore& doc = Frame()->CurrentDoc()->Core();
    document::Scenario& s = doc.scenario;
    s.SpillTime = tavro_test::UtcTime(2024, 12, 20, 8);
    // The dialog opens in variable mode on the second entry of two of the
    // unit lists, so the first opening moves them off what they show.
    s.m_bVarWind = 1;
    s.m_iWaveHeightUnit = 1;
    s.m_iVarWaveHeightUnit = 1;
    auto dialogOk = [](ui::CWindWaveDialog* d) { return [d] { Click(d, wxID_OK); }; };
    auto closed = [](wxDialog* d) { return [d] { return !d->IsModal(); }; };
    auto stored = [](const auto& field) { return [&field] { return double(field); }; };

    // A constant wind with a fetch: F 1, H 0, V 0.
    wxTheApp->CallAfter([&] {
        EndModalsOnExit close;
        ui::CWindWaveDialog* d = OpenDialog<ui::CWindWaveDialog>();
        ASSERT_NE(d, nullptr);
        ExpectOkStores(
            {
                {"mode", [&] { ChooseOption(d->ModeButton(false)); }, stored(s.m_bVarWind), 0},
                {"speed", [&] { TypeInto(d->Speed(false), "23"); }, stored(s.m_dWindSpeed), 23},
                {"speed unit", [&] { ChooseItem(d->SpeedUnit(false), 1); }, stored(s.m_iWindSpeedUnit), 1},
                {"direction", [&] { TypeInto(d->Direction(false), "SW"); }, stored(s.m_dWindDirection), 225},
                {"wave choice", [&] { ChooseItem(d->WaveChoice(), 1); }, stored(s.m_iWaveHeightChooser), 1},
                {"fetch", [&] { TypeInto(d->Fetch(), "17"); }, stored(s.m_dFetch), 17},
                {"fetch unit", [&] { ChooseItem(d->FetchUnit(), 1); }, stored(s.m_iFetchUnit), 1},
                {"wave height unit", [&] { ChooseItem(d->WaveHeightUnit(false), 0); }, stored(s.m_iWaveHeightUnit),
                 0},
                {"variable speed unit", [&] { ChooseItem(d->SpeedUnit(true), 2); }, stored(s.m_iVarSpeedUnit), 2},
                {"variable wave unit", [&] { ChooseItem(d->WaveHeightUnit(true), 0); },
                 stored(s.m_iVarWaveHeightUnit), 0},
                {"no known height", [] {}, stored(s.m_dWaveHeight), model::MISSING_VALUE_D},
            },
            dialogOk(d), closed(d));
    });
    Command(app::ID_WIND_WAVE);

    // Variable winds, with the fetch and the uncertainty set on the way:
    // F 0, H 0, V 1.
    bool fetchDone = false, uncertaintyDone = false;
    wxTheApp->CallAfter([&] {
        EndModalsOnExit close;
        ui::CWindWaveDialog* d = OpenDialog<ui::CWindWaveDialog>();
        ASSERT_NE(d, nullptr);
        ChooseOption(d->ModeButton(true));
        d->CallAfter([&] {
            auto* f = OpenDialog<ui::CVarWindFetchDialog>();
            ASSERT_NE(f, nullptr);
            EndOnExit end{f};
            ExpectOkStores(
                {
                    {"fetch north", [&] { TypeInto(f->Field(0), "3"); }, stored(s.m_dFetchN), 3},
                    {"fetch east", [&] { TypeInto(f->Field(1), "5.5"); }, stored(s.m_dFetchE), 5.5},
                    {"fetch south", [&] { TypeInto(f->Field(2), "7"); }, stored(s.m_dFetchS), 7},
                    {"fetch west", [&] { TypeInto(f->Field(3), "9"); }, stored(s.m_dFetchW), 9},
                    {"fetch unit", [&] { ChooseItem(f->Unit(), 1); }, stored(s.m_iVarFetchUnit), 1},
                },
                [&] { Click(f, wxID_OK); }, closed(f));
            fetchDone = true;
        });
        Click(d, d->FetchButton()->GetId());
        d->CallAfter([&] {
            auto* u = OpenDialog<ui::CWindUncertaintyDialog>();
            ASSERT_NE(u, nullptr);
            EndOnExit end{u};
            const model::InputUncertainty& unc = s.uncertainty;
            ExpectOkStores(
                {
                    {"uncertainty", [&] { TypeInto(u->Value(), "6"); }, stored(unc.wind), 6},
                    {"uncertainty on", [] {}, stored(unc.windFlag), 1},
                    {"uncertainty unit", [&] { ChooseItem(u->Unit(), 1); }, stored(unc.windUnits), 2},
                },
                [&] { Click(u, wxID_OK); }, closed(u));
            uncertaintyDone = true;
        });
        Click(d, d->UncertaintyButton()->GetId());
        ASSERT_TRUE(fetchDone && uncertaintyDone);

        // A record from its date lists and fields, added with the button.
        auto record = [d](int day, int hour, const char* speed, const char* direction, const char* wave) {
            ChooseItem(d->Pick().Month(), 11);
            ChooseItem(d->Pick().Day(), day - 1);
            ChooseItem(d->Pick().Hour(), hour);
            TypeInto(d->Speed(true), speed);
            TypeInto(d->Direction(true), direction);
            TypeInto(d->VarWave(), wave);
            Click(d, d->AddButton()->GetId());
        };
        ExpectOkStores(
            {
                {"record 2", [&] { record(21, 13, "9", "100", ""); }, stored(s.m_tVarWindTime[1]),
                 double(tavro_test::UtcTime(2024, 12, 21, 13))},
                {"record 1", [&] { record(20, 10, "14", "NW", "2.5"); }, stored(s.m_tVarWindTime[0]),
                 double(tavro_test::UtcTime(2024, 12, 20, 10))},
                {"records", [] {}, stored(s.m_iVarWindNumber), 2},
                {"record 1 speed", [] {}, stored(s.m_dVarWindSpeed[0]), 14},
                {"record 1 direction", [] {}, stored(s.m_dVarWindDirection[0]), 315},
                {"record 1 wave", [] {}, stored(s.m_dVarWaveHeight[0]), 2.5},
                {"record 2 speed", [] {}, stored(s.m_dVarWindSpeed[1]), 9},
                {"record 2 direction", [] {}, stored(s.m_dVarWindDirection[1]), 100},
                {"record 2 no wave", [] {}, stored(s.m_dVarWaveHeight[1]), model::MISSING_VALUE_D},
                {"variable speed unit", [&] { ChooseItem(d->SpeedUnit(true), 1); }, stored(s.m_iVarSpeedUnit), 1},
                {"variable wave unit", [&] { ChooseItem(d->WaveHeightUnit(true), 1); },
                 stored(s.m_iVarWaveHeightUnit), 1},
                {"fetch unit", [&] { ChooseItem(d->FetchUnit(), 0); }, stored(s.m_iFetchUnit), 0},
                {"speed unit", [&] { ChooseItem(d->SpeedUnit(false), 2); }, stored(s.m_iWindSpeedUnit), 2},
                {"mode", [] {}, stored(s.m_bVarWind), 1},
                {"constant wind kept", [] {}, stored(s.m_dWindSpeed), 23},
                {"fetch kept", [] {}, stored(s.m_dFetchE), 5.5},
            },
            dialogOk(d), closed(d));
    });
    Command(app::ID_WIND_WAVE);

    // A constant wind with a known wave height: F 0, H 1, V 1.
    wxTheApp->CallAfter([&] {
        EndModalsOnExit close;
        ui::CWindWaveDialog* d = OpenDialog<ui::CWindWaveDialog>();
        ASSERT_NE(d, nullptr);
        ExpectOkStores(
            {
                {"mode", [&] { ChooseOption(d->ModeButton(false)); }, stored(s.m_bVarWind), 0},
                {"speed", [&] { TypeInto(d->Speed(false), "31"); }, stored(s.m_dWindSpeed), 31},
                {"direction", [&] { TypeInto(d->Direction(false), "E"); }, stored(s.m_dWindDirection), 90},
                {"wave choice", [&] { ChooseItem(d->WaveChoice(), 2); }, stored(s.m_iWaveHeightChooser), 2},
                {"wave height", [&] { TypeInto(d->WaveHeight(), "4.5"); }, stored(s.m_dWaveHeight), 4.5},
                {"wave height unit", [&] { ChooseItem(d->WaveHeightUnit(false), 1); }, stored(s.m_iWaveHeightUnit),
                 1},
                {"no fetch", [] {}, stored(s.m_dFetch), 0},
                {"fetch unit kept", [] {}, stored(s.m_iFetchUnit), 0},
            },
            dialogOk(d), closed(d));
    });
    Command(app::ID_WIND_WAVE);
    for (const auto& e : Messages().Entries()) ADD_FAILURE() << "message: " << e.text;
}

// The emulsification and beaching dialogs from the Input menu: each control
// a value of its own, OK, every stored field compared.
TEST_F(GuiTest, EmulsificationAndBeachingOkStoreEveryControl) {
    DialogTestGuard guard;
    Start();
    document::SpillDocCore& doc = Frame()->CurrentDoc()->Core();
    document::Scenario& s = doc.scenario;
    auto stored = [](const auto& field) { return [&field] { return double(field); }; };
    wxTheApp->CallAfter([&] {
        EndModalsOnExit close;
        auto* d = OpenDialog<ui::CEmulsificationDialog>();
        ASSERT_NE(d, nullptr);
        ExpectOkStores(
            {
                {"user value chosen", [&] { ChooseOption(d->ValueOption()); }, stored(s.m_bEmulsDefault), 0},
                {"hours", [&] { ChooseItem(d->Unit(), 1); }, stored(s.m_bEmulsBullwinkleDefined), 0},
                {"onset", [&] { TypeInto(d->Value(), "12"); }, stored(s.m_dEmulsValue), 12},
                {"uncertainty", [&] { TypeInto(d->Uncertainty(), "3"); }, stored(s.uncertainty.emul), 3},
                {"uncertainty on", [] {}, stored(s.uncertainty.emulFlag), 1},
                {"uncertainty unit", [] {}, stored(s.uncertainty.emulUnits), 2},
            },
            [&] { Click(d, wxID_OK); }, [&] { return !d->IsModal(); });
    });
    Command(app::ID_EMULSIFICATION);

    wxTheApp->CallAfter([&] {
        EndModalsOnExit close;
        auto* d = OpenDialog<ui::COilBeachedDialog>();
        ASSERT_NE(d, nullptr);
        const char* typed[] = {"11", "22.5", "33", "44", "55", "66.25"};
        std::vector<StoredField> fields;
        for (int day = 0; day < document::kBeachingDays; ++day)
            fields.push_back({"day " + std::to_string(day + 1), [d, day, &typed] { TypeInto(d->Day(day), typed[day]); },
                              stored(s.m_dBeachingAmount[day]), std::stod(typed[day])});
        fields.push_back({"unit", [d] { ChooseItem(d->Unit(), 3); }, stored(s.m_iBeachingUnits), 3});
        ExpectOkStores(fields, [&] { Click(d, wxID_OK); }, [&] { return !d->IsModal(); });
    });
    Command(app::ID_BEACHING);
    for (const auto& e : Messages().Entries()) ADD_FAILURE() << "message: " << e.text;
}

}  // namespace
