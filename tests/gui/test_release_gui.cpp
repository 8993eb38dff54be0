// The Release dialog, its three set-up dialogs and the release uncertainty
// on a real display.
#include <functional>
#include <string>

#include <wx/checkbox.h>
#include <wx/radiobut.h>
#include <wx/tooltip.h>
#include <wx/uiaction.h>

#include "app/CommandIds.h"
#include "app/MainFrame.h"
#include "app/SpillDocWx.h"
#include "gui_support.h"
#include "ui/inputs/ReleaseDialog.h"
#include "ui/inputs/ReleaseSetupDialogs.h"
#include "ui/inputs/ReleaseUncertaintyDialog.h"
#include "ui/inputs/TankSetup.h"

using namespace gui_test;
using ui::ReleaseKind;

namespace {

std::string Shot(wxWindow* window, const std::string& name) { return Screenshot(window, "release/" + name); }

// The dialog of a type running modally, or none.
template <class Dialog>
Dialog* Open() {
    for (wxWindow* w : wxTopLevelWindows)
        if (auto* d = dynamic_cast<Dialog*>(w); d && d->IsModal()) return d;
    return nullptr;
}

// Runs step on the next dialog of a type that opens (the caller then opens
// it); that dialog is closed if the step leaves it open (the dialogs under
// it stay).
template <class Dialog>
void WhenOpen(std::function<void(Dialog&)> step) {
    wxTheApp->CallAfter([step] {
        Dialog* dialog = Open<Dialog>();
        if (!dialog) {
            ADD_FAILURE() << "the dialog did not open";
            return EndModalDialogs(wxID_CLOSE);
        }
        step(*dialog);
        if (dialog->IsModal()) dialog->EndModal(wxID_CLOSE);
    });
}

// A click on a check box, as the user's: the toolkit turns it over first.
void Toggle(wxCheckBox* box) {
    box->SetValue(!box->GetValue());
    wxCommandEvent click(wxEVT_CHECKBOX, box->GetId());
    click.SetEventObject(box);
    box->GetEventHandler()->ProcessEvent(click);
}

void Choose(wxRadioButton* option) {
    option->SetValue(true);
    wxCommandEvent click(wxEVT_RADIOBUTTON, option->GetId());
    click.SetEventObject(option);
    option->GetEventHandler()->ProcessEvent(click);
}

// No leaking-tank wizard for the scope, whatever is plugged in; the one
// before comes back after.
struct NoTankWizard {
    NoTankWizard() : previous(ui::TankSetup()) { ui::SetTankSetup({}); }
    ~NoTankWizard() { ui::SetTankSetup(previous); }
    ui::TankSetupFunction previous;
};

document::SpillDocCore& Doc(app::CMainFrame* frame) { return frame->CurrentDoc()->Core(); }

// The local month (0-11), day and hour of a time, for the stored-field checks.
std::function<double()> MonthOf(document::SpillDocCore& doc, const document::Time& t) {
    return [&doc, &t] { return doc.Clock().Local(t).tm_mon; };
}
std::function<double()> DayOf(document::SpillDocCore& doc, const document::Time& t) {
    return [&doc, &t] { return doc.Clock().Local(t).tm_mday; };
}
std::function<double()> HourOf(document::SpillDocCore& doc, const document::Time& t) {
    return [&doc, &t] { return doc.Clock().Local(t).tm_hour; };
}
template <class T>
std::function<double()> Stored(const T& field) {
    return [&field] { return static_cast<double>(field); };
}
// The rows of a release time's three lists.
std::vector<StoredField> TimeFields(ui::TimePickCtrls& time, document::SpillDocCore& doc, const document::Time& t,
                                    int month0, int day0, int hour) {
    return {{"month", [&time, month0] { ChooseItem(time.Month(), month0); }, MonthOf(doc, t), double(month0)},
            {"day", [&time, day0] { ChooseItem(time.Day(), day0); }, DayOf(doc, t), double(day0 + 1)},
            {"hour", [&time, hour] { ChooseItem(time.Hour(), hour); }, HourOf(doc, t), double(hour)}};
}

// Runs a dialog modally: the fields set, OK pressed, each stored value
// compared.
template <class Dialog>
void ExpectDialogStores(Dialog& dialog, const std::function<std::vector<StoredField>()>& fields) {
    dialog.CallAfter([&] {
        EndModalsOnExit close;
        ExpectOkStores(fields(), [&] { Click(&dialog, wxID_OK); }, [&] { return !dialog.IsModal(); });
    });
    dialog.ShowModal();
}

TEST_F(GuiTest, ReleaseDialogRunsItsSetUpsAndOkEntersTheRelease) {
    DialogTestGuard guard;
    NoTankWizard noTank;
    Start();
    document::SpillDocCore& doc = Doc(Frame());
    bool tankEnabled = true;
    wxString tankTip, instantText, containedText;
    std::string shot, instantShot, helpCaption;
    WhenOpen<ui::CReleaseDialog>([&](ui::CReleaseDialog& d) {
        EXPECT_EQ(d.GetTitle(), "Release");
        for (ReleaseKind k : ui::kReleaseKinds) EXPECT_FALSE(d.Box(k)->GetValue()) << static_cast<int>(k);
        EXPECT_EQ(d.Description(ReleaseKind::Instantaneous)->GetLabel(), "Oil is spilled in an hour or less.");
        tankEnabled = d.SetupButton(ReleaseKind::Tank)->IsEnabled();
        if (wxToolTip* tip = d.SetupButton(ReleaseKind::Tank)->GetToolTip()) tankTip = tip->GetTip();
        EXPECT_TRUE(d.SetupButton(ReleaseKind::Continuous)->IsEnabled());
        shot = Shot(&d, "release");
        helpCaption = HelpCaptionOf([&] { Click(&d, wxID_HELP); });

        // Setup... of the instantaneous release, confirmed.
        WhenOpen<ui::CInstantaneousDialog>([&](ui::CInstantaneousDialog& i) {
            EXPECT_EQ(i.GetTitle(), "Instantaneous Release");
            EXPECT_EQ(i.Amount()->GetValue(), "");
            i.Amount()->ChangeValue("1000");
            i.Units()->SetSelection(0);
            i.Time().Day()->SetSelection(2);
            i.Time().Hour()->SetSelection(6);
            instantShot = Shot(&i, "instantaneous");
            Click(&i, wxID_OK);
        });
        Click(&d, 1003);
        EXPECT_TRUE(d.Box(ReleaseKind::Instantaneous)->GetValue());
        instantText = d.Description(ReleaseKind::Instantaneous)->GetLabel();

        // A click on the contained box runs its set-up; cancelled, the box
        // stays clear.
        WhenOpen<ui::CContainedDialog>([](ui::CContainedDialog& c) { Click(&c, wxID_CANCEL); });
        Toggle(d.Box(ReleaseKind::Contained));
        EXPECT_FALSE(d.Box(ReleaseKind::Contained)->GetValue());
        containedText = d.Description(ReleaseKind::Contained)->GetLabel();
        Shot(&d, "release-instantaneous");
        Click(&d, wxID_OK);
    });
    Command(app::ID_RELEASE);

    EXPECT_FALSE(shot.empty());
    EXPECT_FALSE(instantShot.empty());
    EXPECT_EQ(helpCaption, "Help on Release");
    EXPECT_FALSE(tankEnabled);
    EXPECT_EQ(tankTip, "The leaking-tank set-up is not available yet.");
    EXPECT_TRUE(instantText.StartsWith("1000 bbl on ")) << instantText;
    EXPECT_TRUE(instantText.EndsWith(" 03, 0600 hours")) << instantText;
    EXPECT_EQ(containedText, "All the oil is spilled into a contained area at once");
    EXPECT_EQ(doc.scenario.instant.flag, 1);
    EXPECT_EQ(doc.scenario.instant.vol, 1000);
    EXPECT_EQ(doc.scenario.instant.startHour, 1);
    EXPECT_EQ(doc.scenario.SpillTime, doc.scenario.InstantaneousTime);
    EXPECT_EQ(doc.scenario.m_bReleaseInputPassed, 1);
    for (const auto& e : Messages().Entries()) ADD_FAILURE() << "message: " << e.text;
}

TEST_F(GuiTest, ReleaseDialogRefusesWithoutAReleaseAndEscapePutsTheScenarioBack) {
    DialogTestGuard guard;
    NoTankWizard noTank;
    Start();
    document::SpillDocCore& doc = Doc(Frame());
    const document::Scenario before = doc.scenario;
    bool stayedOpen = false, enabledWithWizard = false, ranWizard = false;
    WhenOpen<ui::CReleaseDialog>([&](ui::CReleaseDialog& d) {
        Click(&d, wxID_OK);
        stayedOpen = d.IsModal();
        // A confirmed set-up writes at once ...
        WhenOpen<ui::CReleaseUncertaintyDialog>([](ui::CReleaseUncertaintyDialog& u) {
            EXPECT_EQ(u.Percent()->GetValue(), "");
            u.Percent()->ChangeValue("25");
            Shot(&u, "uncertainty");
            Click(&u, wxID_OK);
        });
        Click(&d, 1134);
        EXPECT_EQ(doc.scenario.uncertainty.volFlag, 1);
        Click(&d, wxID_CANCEL);  // ... and Cancel (Escape, the close box) undoes it
    });
    Command(app::ID_RELEASE);
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(Messages().Texts(), std::vector<std::string>{
                                      "Please select a release type. TAVRO cannot build a scenario without this "
                                      "information."});
    EXPECT_EQ(Messages().Entries().at(0).icon, platform::MsgIcon::Exclamation);
    EXPECT_TRUE(doc.scenario == before);

    // With a wizard plugged in, the leaking-tank Setup runs it.
    ui::SetTankSetup([&](wxWindow*, document::SpillDocCore& d) {
        ranWizard = true;
        d.scenario.tank.flag = 1;
        return true;
    });
    WhenOpen<ui::CReleaseDialog>([&](ui::CReleaseDialog& d) {
        enabledWithWizard = d.SetupButton(ReleaseKind::Tank)->IsEnabled();
        Click(&d, 1005);
        EXPECT_TRUE(d.Box(ReleaseKind::Tank)->GetValue());
        d.EndModal(wxID_CANCEL);
    });
    Command(app::ID_RELEASE);
    EXPECT_TRUE(enabledWithWizard);
    EXPECT_TRUE(ranWizard);
    EXPECT_EQ(doc.scenario.tank.flag, 0);
}

TEST_F(GuiTest, ContinuousDialogShowsTheRowsOfEachOptionAndStaysOpenOnARefusal) {
    DialogTestGuard guard;
    Start();
    document::SpillDocCore& doc = Doc(Frame());
    doc.scenario.cont.spilledType = 1;
    doc.scenario.cont.rate = 12.5;
    doc.scenario.cont.rateUnits1 = 5;
    doc.scenario.cont.duration = 2;
    doc.scenario.cont.durationUnits = 1;
    ui::CContinuousDialog dialog(Frame(), doc);
    struct Shown {
        std::string label, note;
        bool amountUnits, constantUnits, changingUnits, finalRate, changingNote;
    };
    std::vector<Shown> shown;
    ui::ContinuousForm loaded, edited;
    bool stayedOpen = false;
    std::vector<std::string> helpCaptions;
    dialog.CallAfter([&] {
        EndModalsOnExit close;
        dialog.TransferDataFromWindow();
        loaded = dialog.Form();
        for (int option : {ui::SpilledAmount, ui::ConstantRate, ui::ChangingRate}) {
            Choose(dialog.Option(option));
            shown.push_back({dialog.ValueLabel()->GetLabel().utf8_string(),
                             dialog.Note()->IsShown() ? dialog.Note()->GetLabel().utf8_string() : "(hidden)",
                             dialog.AmountUnits()->IsShown(), dialog.ConstantUnits()->IsShown(),
                             dialog.ChangingUnits()->IsShown(), dialog.FinalRate()->IsShown(),
                             dialog.ChangingNote()->IsShown()});
            static const char* names[] = {"continuous-amount", "continuous-constant", "continuous-changing"};
            Shot(&dialog, names[option]);
        }
        helpCaptions.push_back(HelpCaptionOf([&] { PressF1(&dialog); }));
        dialog.Value()->ChangeValue("10");
        dialog.FinalRate()->ChangeValue("0");  // a ramp down to nothing
        Click(&dialog, wxID_OK);
        stayedOpen = dialog.IsModal();
        dialog.FinalRate()->ChangeValue("4");
        dialog.ChangingUnits()->SetSelection(0);
        dialog.TransferDataFromWindow();
        edited = dialog.Form();
        Click(&dialog, wxID_OK);
    });
    EXPECT_EQ(dialog.ShowModal(), wxID_OK);

    ui::ContinuousForm expectedLoad = loaded;
    expectedLoad.duration = "2";
    expectedLoad.durationUnits = 1;
    expectedLoad.option = ui::ConstantRate;
    expectedLoad.value = "12.5";
    expectedLoad.rateUnits1 = 5;
    EXPECT_EQ(loaded, expectedLoad);
    ASSERT_EQ(shown.size(), 3u);
    const std::string amountNote = "A rate is calculated by using the duration specified above.";
    const std::string rateNote = "This rate is used for the duration specified above";
    EXPECT_EQ(shown[0].label, "Amount is");
    EXPECT_EQ(shown[0].note, amountNote);
    EXPECT_TRUE(shown[0].amountUnits && !shown[0].constantUnits && !shown[0].changingUnits && !shown[0].finalRate);
    EXPECT_EQ(shown[1].label, "Rate is");
    EXPECT_EQ(shown[1].note, rateNote);
    EXPECT_TRUE(!shown[1].amountUnits && shown[1].constantUnits && !shown[1].changingUnits && !shown[1].finalRate);
    EXPECT_EQ(shown[2].label, "Start rate");
    EXPECT_EQ(shown[2].note, "(hidden)");
    EXPECT_TRUE(!shown[2].amountUnits && !shown[2].constantUnits && shown[2].changingUnits && shown[2].finalRate &&
                shown[2].changingNote);
    EXPECT_EQ(helpCaptions, std::vector<std::string>{"Help on Continuous Release Dialog"});
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(Messages().Texts(), std::vector<std::string>{"The rate of release is below the minimum of 2 bbl/hr.\n"
                                                           "Please change the input to fit within this limit."});
    EXPECT_EQ(edited.option, ui::ChangingRate);
    EXPECT_EQ(edited.value, "10");
    EXPECT_EQ(edited.finalRate, "4");
    EXPECT_EQ(doc.scenario.cont.spilledType, 2);
    EXPECT_EQ(doc.scenario.cont.startRate, 10);
    EXPECT_EQ(doc.scenario.cont.endRate, 4);
    EXPECT_EQ(doc.scenario.cont.rate, 12.5);
    EXPECT_EQ(doc.scenario.continuous.flag, 1);
}

TEST_F(GuiTest, ContainedAndInstantaneousDialogsShowTheirValuesAndRefuseBadInput) {
    DialogTestGuard guard;
    Start();
    document::SpillDocCore& doc = Doc(Frame());
    doc.scenario.boomed = {0, model::MISSING_VALUE, 10, model::RVOL_GAL, 2500, 2};
    ui::CContainedDialog contained(Frame(), doc);
    ui::ContainedForm loaded;
    bool stayedOpen = false;
    contained.CallAfter([&] {
        EndModalsOnExit close;
        contained.TransferDataFromWindow();
        loaded = contained.Form();
        Shot(&contained, "contained");
        Click(&contained, wxID_OK);  // 10 gal on 2,500 sq yd: too thin
        stayedOpen = contained.IsModal();
        contained.Amount()->ChangeValue("10");
        contained.VolumeUnits()->SetSelection(0);
        contained.Area()->ChangeValue("10000");
        contained.AreaUnits()->SetSelection(2);
        Click(&contained, wxID_OK);
    });
    EXPECT_EQ(contained.ShowModal(), wxID_OK);
    EXPECT_EQ(loaded.amount, "10");
    EXPECT_EQ(loaded.volumeUnit, 1);
    EXPECT_EQ(loaded.area, "2500");
    EXPECT_EQ(loaded.areaUnit, 1);
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(Messages().Texts(), std::vector<std::string>{std::string("Problem with the Input.\n\n") + ui::kThinnerText});
    EXPECT_EQ(doc.scenario.boomed.areaUnits, 3);
    EXPECT_EQ(doc.scenario.boomed.flag, 1);

    Messages().Clear();
    ui::CInstantaneousDialog instant(Frame(), doc);
    instant.CallAfter([&] {
        EndModalsOnExit close;
        instant.Amount()->ChangeValue("12abc");  // passes the limits, then is no number
        Click(&instant, wxID_OK);
        EXPECT_TRUE(instant.IsModal());
        Click(&instant, wxID_CANCEL);
    });
    EXPECT_EQ(instant.ShowModal(), wxID_CANCEL);
    EXPECT_EQ(Messages().Texts(), std::vector<std::string>{"Please enter a number."});
    EXPECT_EQ(doc.scenario.instant.flag, 0);
}

TEST_F(GuiTest, ReleaseSetUpsStoreEachControlInItsOwnField) {
    DialogTestGuard guard;
    Start();
    document::SpillDocCore& doc = Doc(Frame());
    document::Scenario& s = doc.scenario;
    {
        ui::CInstantaneousDialog d(Frame(), doc);
        ExpectDialogStores(d, [&] {
            std::vector<StoredField> f = TimeFields(d.Time(), doc, s.InstantaneousTime, 10, 6, 13);
            f.push_back({"amount", [&] { TypeInto(d.Amount(), "1234.5"); }, Stored(s.instant.vol), 1234.5});
            f.push_back({"unit (tons)", [&] { ChooseItem(d.Units(), 3); }, Stored(s.instant.volUnits), 4});
            f.push_back({"flag", [] {}, Stored(s.instant.flag), 1});
            return f;
        });
    }
    {
        ui::CContinuousDialog d(Frame(), doc);
        ExpectDialogStores(d, [&] {
            std::vector<StoredField> f = TimeFields(d.Time(), doc, s.ContinuousTime, 6, 13, 9);
            f.push_back({"duration", [&] { TypeInto(d.Duration(), "3"); }, Stored(s.cont.duration), 3});
            f.push_back({"duration unit (days)", [&] { ChooseItem(d.DurationUnits(), 1); }, Stored(s.cont.durationUnits), 1});
            f.push_back({"amount unit (tons)", [&] { ChooseItem(d.AmountUnits(), 3); }, Stored(s.cont.amountUnits), 3});
            f.push_back({"constant rate unit (gal/min)", [&] { ChooseItem(d.ConstantUnits(), 5); }, Stored(s.cont.rateUnits1), 5});
            f.push_back({"option (changing rate)", [&] { ChooseOption(d.Option(ui::ChangingRate)); }, Stored(s.cont.spilledType), 2});
            f.push_back({"start rate", [&] { TypeInto(d.Value(), "40"); }, Stored(s.cont.startRate), 40});
            f.push_back({"final rate", [&] { TypeInto(d.FinalRate(), "25"); }, Stored(s.cont.endRate), 25});
            f.push_back({"changing rate unit (metric tons/hr)", [&] { ChooseItem(d.ChangingUnits(), 4); }, Stored(s.cont.rateUnits2), 4});
            f.push_back({"flag", [] {}, Stored(s.continuous.flag), 1});
            return f;
        });
    }
    {
        ui::CContainedDialog d(Frame(), doc);
        ExpectDialogStores(d, [&] {
            std::vector<StoredField> f = TimeFields(d.Time(), doc, s.ContainedTime, 8, 20, 17);
            f.push_back({"amount", [&] { TypeInto(d.Amount(), "50"); }, Stored(s.boomed.vol), 50});
            f.push_back({"volume unit (cu m)", [&] { ChooseItem(d.VolumeUnits(), 2); }, Stored(s.boomed.volUnits), 3});
            f.push_back({"area", [&] { TypeInto(d.Area(), "600"); }, Stored(s.boomed.area), 600});
            f.push_back({"area unit (sq. yards)", [&] { ChooseItem(d.AreaUnits(), 1); }, Stored(s.boomed.areaUnits), 2});
            f.push_back({"flag", [] {}, Stored(s.boomed.flag), 1});
            return f;
        });
    }
    {
        ui::CReleaseUncertaintyDialog d(Frame(), doc);
        ExpectDialogStores(d, [&] {
            return std::vector<StoredField>{
                {"percent", [&] { TypeInto(d.Percent(), "37.5"); }, Stored(s.uncertainty.vol), 37.5},
                {"switch", [] {}, Stored(s.uncertainty.volFlag), 1}};
        });
    }
    for (const auto& e : Messages().Entries()) ADD_FAILURE() << "message: " << e.text;
}

// A click on the blank row beside a box leaves its release alone; the four
// Setup... buttons read alike but each has its own mnemonic and name.
TEST_F(GuiTest, ReleaseDialogRowsAndSetupButtons) {
    DialogTestGuard guard;
    NoTankWizard noTank;
    Start();
    document::SpillDocCore& doc = Doc(Frame());
    doc.scenario.instant = {1, 1, 1000, model::RVOL_BBL};
    bool clickMissed = false, stillTicked = false;
    std::vector<std::string> labels, names;
    std::string shot;
    WhenOpen<ui::CReleaseDialog>([&](ui::CReleaseDialog& d) {
        d.Raise();
        Settle();
        wxCheckBox* box = d.Box(ReleaseKind::Instantaneous);
        const wxRect boxRect = box->GetScreenRect();
        const wxRect setupRect = d.SetupButton(ReleaseKind::Instantaneous)->GetScreenRect();
        // Halfway from the end of the box's label to the button.
        const int labelEnd = boxRect.GetLeft() + box->GetBestSize().x;
        const wxPoint blank((labelEnd + setupRect.GetLeft()) / 2, boxRect.GetTop() + boxRect.height / 2);
        clickMissed = !boxRect.Contains(blank);
        wxUIActionSimulator mouse;
        mouse.MouseMove(blank);
        Settle();
        mouse.MouseClick();
        Settle();
        stillTicked = box->GetValue() && doc.scenario.instant.flag == 1;
        for (ReleaseKind k : ui::kReleaseKinds) {
            labels.push_back(d.SetupButton(k)->GetLabel().utf8_string());
            names.push_back(d.SetupButton(k)->GetName().utf8_string());
            EXPECT_EQ(d.SetupButton(k)->GetLabelText(), "Setup...") << static_cast<int>(k);
        }
        shot = Shot(&d, "release-rows");
        d.EndModal(wxID_CANCEL);
    });
    Command(app::ID_RELEASE);
    EXPECT_TRUE(clickMissed) << "the box reaches over the blank row";
    EXPECT_TRUE(stillTicked) << "a click beside the box changed the release";
    EXPECT_EQ(labels, (std::vector<std::string>{"&Setup...", "S&etup...", "Se&tup...", "Setu&p..."}));
    EXPECT_EQ(names, (std::vector<std::string>{"Set up the instantaneous release", "Set up the continuous release",
                                               "Set up the leaking tank", "Set up the contained release"}));
    EXPECT_FALSE(shot.empty());
}

}  // namespace
