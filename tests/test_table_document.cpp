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

using SolvedDoc = Solvable;

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
