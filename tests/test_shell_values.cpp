// The document's derived values, the save question before closing, and the
// install folder of the program.
#include <gtest/gtest.h>

#include <string>

#include "document/AskToSave.h"
#include "document/Paths.h"
#include "document/SpillDoc.h"
#include "test_document_helpers.h"

using namespace document;
using namespace document_test;
using platform::MsgButtons;
using platform::MsgIcon;
using platform::MsgResult;

namespace {

constexpr Time kStart = 1707141600;

TEST(ShellDerived, WaterTemperatureInKelvinAndSalinity) {
    struct Case {
        const char* name;
        double temperature;
        int units;
        double kelvin, salinity;
    };
    const Case cases[] = {
        {"32 deg F", 32, 1, 273.15, 32},
        {"20 deg C", 20, 2, 293.15, 32},
        {"no water temperature", model::MISSING_VALUE_D, 2, -999, -999},
        {"unknown unit code 3", 20, 3, -999, 32},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakePorts ports(kStart);
        SpillDocCore doc({}, ports.Ports());
        doc.scenario.water.temperature = c.temperature;
        doc.scenario.water.tempUnits = c.units;
        double k = 0, sal = 0;
        doc.GetWaterTempAndSalinity(k, sal);
        EXPECT_NEAR(k, c.kelvin, 1e-9);
        EXPECT_EQ(sal, c.salinity);
    }
}

TEST(ShellDerived, DensitiesFollowTheModelRoutines) {
    FakePorts ports(kStart);
    SpillDocCore doc({}, ports.Ports());
    // Nothing entered: the routines' own defaults.
    double tref = 0;
    EXPECT_EQ(doc.GetOilDensity(&tref),
              model::CWeatheringCore::OilDensityAtTemperature(-999, -999, -999, -999));
    EXPECT_EQ(doc.GetWaterDensity(), 1024.0);
    // Water at 15 deg C and an oil with a density point.
    doc.scenario.water.temperature = 15;
    doc.scenario.water.tempUnits = 2;
    doc.scenario.oil.rhoRef_value[0] = 850;
    doc.scenario.oil.rhoRef_temp[0] = 288.15;
    EXPECT_EQ(doc.GetOilDensity(&tref), model::CWeatheringCore::OilDensityAtTemperature(288.15, 850, 288.15, -999));
    EXPECT_NEAR(doc.GetOilDensity(), 850, 1e-6);
    EXPECT_EQ(doc.GetWaterDensity(), model::CWeatheringCore::SeaWaterDensity(15, 32));
    EXPECT_GT(doc.GetWaterDensity(), 1020);
}

TEST(ShellDerived, TankLeakFillsDurationAndTotal) {
    FakePorts ports(kStart);
    SpillDocCore doc({}, ports.Ports());
    model::InputTank& t = doc.scenario.tank;
    t.flag = 1;
    t.vent = 1;
    t.aground = 0;
    t.startHour = 1;
    t.tHeight = 10, t.tWidth = 10, t.tLength = 10, t.tUnits = 1;
    t.oVol = 500, t.oUnits = 3;
    t.hDiam = 0.2, t.hArea = 0.0314, t.hUnits = 1;
    t.zHeight = 1, t.zUnits = 1;
    t.wHeight = 0, t.wUnits = 1;
    t.Cd = 0.7;
    ASSERT_TRUE(doc.ComputeTankLeak());
    EXPECT_GT(doc.scenario.m_dTankLeakDuration, 0);
    // Some of the oil leaves, never more than the tank held.
    EXPECT_GT(doc.scenario.m_dTankTotalRelease, 0);
    EXPECT_LE(doc.scenario.m_dTankTotalRelease, 500 + 1e-6);
}

TEST(ShellAskToSave, AnswersDecideCloseOrStay) {
    struct Case {
        const char* name;
        bool modified;
        MsgResult answer;
        bool saveWorks;
        CloseChoice expected;
        int saves;
        bool asked;
    };
    const Case cases[] = {
        {"unmodified closes without asking", false, MsgResult::Yes, true, CloseChoice::Close, 0, false},
        {"Yes saves, then closes", true, MsgResult::Yes, true, CloseChoice::Close, 1, true},
        {"Yes with a failed save stays open", true, MsgResult::Yes, false, CloseChoice::Stay, 1, true},
        {"No closes without saving", true, MsgResult::No, true, CloseChoice::Close, 0, true},
        {"Cancel stays", true, MsgResult::Cancel, true, CloseChoice::Stay, 0, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakePorts ports(kStart);
        SpillDocCore doc({}, ports.Ports());
        doc.SetModified(c.modified);
        platform::RecordingMessages box;
        box.QueueAnswer(c.answer);
        int saves = 0;
        auto choice = AskToSave(doc, "Spill Scenario1", box, [&] {
            ++saves;
            return c.saveWorks;
        });
        EXPECT_EQ(choice, c.expected);
        EXPECT_EQ(saves, c.saves);
        ASSERT_EQ(box.Entries().size(), c.asked ? 1u : 0u);
        if (c.asked) {
            EXPECT_EQ(box.Entries()[0].text, "Do you want to save the changes to Spill Scenario1?");
            EXPECT_EQ(box.Entries()[0].buttons, MsgButtons::YesNoCancel);
        }
    }
    // A box nobody answers (the null sink) takes its first button: Yes.
    platform::NullMessages none;
    EXPECT_EQ(none.Show("?", MsgIcon::Question, MsgButtons::YesNoCancel), MsgResult::Yes);
}

TEST(ShellPaths, InstalledDataFolderIsBesideTheProgramsPrefix) {
    EXPECT_EQ(ShareFolderOf("/opt/t/bin/tavro2"), "/opt/t/share/tavro2");
    EXPECT_EQ(ShareFolderOf("/usr/local/bin/../bin/tavro2"), "/usr/local/share/tavro2");
    EXPECT_EQ(ShareFolderOf(""), "");
}

}  // namespace
