// Both tables on a scenario solved by the document: the record comes in the
// chosen unit, the header from the scenario, and nothing is shown from
// results the document no longer stands by.
#include <gtest/gtest.h>

#include <memory>

#include "document/SpillDoc.h"
#include "oillib/OilLibColumns.h"
#include "oillib/OilLibrary.h"
#include "output/core/BudgetTable.h"
#include "output/core/IcsTable.h"
#include "test_document_helpers.h"

namespace {

using namespace document;
using namespace document_test;

constexpr Time kStart = 1707141600;  // 2024-02-05 14:00 UTC

struct SolvedDoc : FakePorts {
    SolvedDoc() : FakePorts(kStart), lib(StandardLibraryPath(), oillib::OilLibColumnNames, oillib::kOilLibColumnCount) {
        UseUtc();
        doc = std::make_unique<SpillDocCore>(OilLibraries{&lib, nullptr}, Ports());
        doc->Model().SetSeed(7);
        doc->SetOutputFolder(dir.Path().string());
        dialogs.dialogs[DialogKind::StandardOils] = [this](SpillDocCore& d) { return TakeOil(lib, 0, d.scenario); };
        dialogs.dialogs[DialogKind::WindWave] = [](SpillDocCore& d) {
            d.scenario.m_dWindSpeed = 10;
            d.scenario.m_dWindDirection = 270;
            d.scenario.m_iWindSpeedUnit = 1;
            return true;
        };
        dialogs.dialogs[DialogKind::Water] = [](SpillDocCore& d) {
            d.scenario.water.temperature = 15;
            d.scenario.water.tempUnits = model::WTEMP_C;
            d.scenario.water.speed = 0;
            d.scenario.water.speedUnits = model::SPEED_CODE_KNOTS;
            d.scenario.water.direction = 0;
            return true;
        };
        dialogs.dialogs[DialogKind::Release] = [](SpillDocCore& d) {
            d.scenario.instant.flag = 1;
            d.scenario.instant.startHour = 1;
            d.scenario.instant.vol = 1000;
            d.scenario.instant.volUnits = model::RVOL_BBL;
            return true;
        };
        doc->SelectStandardOil();
        doc->EditWindWave();
        doc->EditWater();
        doc->EditRelease();
    }
    TempDir dir;
    oillib::COilLibrary lib;
    std::unique_ptr<SpillDocCore> doc;
};

TEST(TablesOnADocument, SolvedScenarioFillsBothTables) {
    SolvedDoc f;
    SpillDocCore& d = *f.doc;
    const output::BudgetChoices choices = output::InitialBudgetChoices(d.scenario);
    EXPECT_FALSE(output::BudgetTableText::FromDocument(d, choices).HasResults()) << "nothing before a solve";
    EXPECT_FALSE(output::IcsTableText::FromDocument(d, output::InitialIcsChoices(d.scenario.SpillTime, d.Clock()))
                     .HasResults());

    ASSERT_TRUE(d.Solve());
    const output::BudgetTableText bbl = output::BudgetTableText::FromDocument(d, choices);
    ASSERT_TRUE(bbl.HasResults());
    EXPECT_EQ(bbl.Header().rfind("Oil Name = " + d.scenario.OilName + "\n", 0), 0u);
    EXPECT_NE(bbl.Header().find("Wind Speed = constant at 10 knots\t"), std::string::npos);
    EXPECT_NE(bbl.Header().find("Time of Initial Release = February 05, 1400 hours\n"), std::string::npos);
    EXPECT_NE(bbl.Header().find("Total amount of Oil Released = 1000 bbl\n"), std::string::npos) << bbl.Header();
    int rows = 0;
    for (char c : bbl.Table()) rows += c == '\n';
    EXPECT_GT(rows - 2, 5);
    EXPECT_LE(rows - 2, 30);

    output::BudgetChoices gal = choices;
    gal.releasedUnit = 1;
    const output::BudgetTableText inGal = output::BudgetTableText::FromDocument(d, gal);
    EXPECT_NE(inGal.Header().find("Total amount of Oil Released = 42000 gal\n"), std::string::npos)
        << inGal.Header();

    const output::IcsTableText ics =
        output::IcsTableText::FromDocument(d, output::InitialIcsChoices(d.scenario.SpillTime, d.Clock()));
    ASSERT_TRUE(ics.HasResults());
    EXPECT_NE(ics.Table().find("Volume Spilled        \t         1,000\t         1,000\t\n"), std::string::npos)
        << ics.Table();
    EXPECT_EQ(ics.ExportBytes().substr(ics.ExportBytes().find('\r') + 1, 22), "02/05 1400\t02/05 2200\t");

    // An input changed after the solve: the old results are not shown again.
    d.session.resultsStale = true;
    EXPECT_FALSE(output::BudgetTableText::FromDocument(d, choices).HasResults());
    EXPECT_FALSE(output::IcsTableText::FromDocument(d, {}).HasResults());
}

}  // namespace
