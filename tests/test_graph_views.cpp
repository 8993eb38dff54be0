// The graph windows without a toolkit: unit commands, labels, titles, the
// help texts and the eleven graphs of a solved scenario on the recorder.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "document/SpillDoc.h"
#include "output/core/GraphViewModel.h"
#include "platform/Files.h"
#include "platform/Messages.h"
#include "platform/RecordingCanvas.h"
#include "test_temp_dir.h"

namespace {

using document::OutputKind;
using output::GraphViewModel;
using Result = GraphViewModel::CommandResult;

struct DocFixture {
    platform::RecordingMessages messages;
    std::unique_ptr<document::SpillDocCore> doc;
    DocFixture() {
        document::DocPorts ports;
        ports.messages = &messages;
        doc = std::make_unique<document::SpillDocCore>(document::OilLibraries{}, ports);
    }
};

const OutputKind kAmountViews[] = {OutputKind::Budget, OutputKind::Evaporation, OutputKind::Disperse,
                                   OutputKind::Remain, OutputKind::Burn,        OutputKind::Skim,
                                   OutputKind::Beach};

TEST(GraphViews, UnitCommandsSetIndexLabelAndDocumentEntry) {
    struct Case {
        const char* name;
        int command;
        int index;
        const char* label;
        std::vector<OutputKind> views;
    };
    const std::vector<OutputKind> amounts(std::begin(kAmountViews), std::end(kAmountViews));
    const Case cases[] = {
        {"kg/cu m", 32808, 1, "kg/cu m", {OutputKind::Density}},
        {"g/cc", 32810, 2, "g/cc", {OutputKind::Density}},
        {"fraction", 32812, 0, "fraction", {OutputKind::Water}},
        {"percent", 32811, 1, "percent", {OutputKind::Water}},
        {"cSt", 32814, 0, "cSt", {OutputKind::Viscosity}},
        {"cP", 32815, 1, "cP", {OutputKind::Viscosity}},
        {"SUS", 32816, 2, "SUS", {OutputKind::Viscosity}},
        {"cu m", 32824, 0, "cu m", amounts},
        {"amount fraction", 32821, 1, "fraction", amounts},
        {"amount percent", 32820, 2, "percent", amounts},
        {"bbl", 32822, 3, "bbl", amounts},
        {"gal", 32823, 4, "gal", amounts},
        {"tons", 32825, 5, "tons", amounts},
        {"metric tons in the menu, tonnes on the graph", 32826, 6, "metric tonnes", amounts},
    };
    EXPECT_EQ(output::UnitOfCommand(32818), 0);  // benzene's ppm: see below
    for (const Case& c : cases) {
        EXPECT_EQ(output::UnitOfCommand(c.command), c.index) << c.name;
        for (OutputKind kind : c.views) {
            DocFixture f;
            GraphViewModel view(kind, *f.doc);
            SCOPED_TRACE(std::string(c.name) + " in " + view.Row().className);
            const int entry = view.Row().window;
            f.doc->session.m_iGraphUnits[entry] = c.index == 1 ? 2 : 1;  // another unit first
            EXPECT_EQ(view.OnCommand(c.command), Result::Repaint);
            EXPECT_EQ(f.doc->session.m_iGraphUnits[entry], c.index);
            EXPECT_EQ(view.UnitIndex(), c.index);
            EXPECT_EQ(view.UnitLabel(), c.label);
            // The command is in the view's menu, under its own text.
            const auto& menu = view.Menu();
            EXPECT_TRUE(std::any_of(menu.begin(), menu.end(), [&](auto& i) { return i.command == c.command; }));
            // The same unit again: nothing written, nothing repainted.
            f.doc->session.modified = false;
            EXPECT_EQ(view.OnCommand(c.command), Result::None);
            EXPECT_EQ(f.doc->session.m_iGraphUnits[entry], c.index);
            EXPECT_FALSE(f.doc->IsModified());
        }
    }
}

TEST(GraphViews, ForeignCommandsAndBenzene) {
    DocFixture f;
    GraphViewModel density(OutputKind::Density, *f.doc);
    // A command of another graph's menu does nothing here.
    EXPECT_EQ(density.OnCommand(32822), Result::None);
    EXPECT_EQ(density.OnCommand(32814), Result::None);
    EXPECT_EQ(f.doc->session.m_iGraphUnits[document::GraphDensity], 1);
    EXPECT_EQ(density.OnCommand(32809), Result::Help);
    EXPECT_EQ(density.OnCommand(32827), Result::None);

    // Benzene: always ppm and unit 0, whatever the document holds.
    GraphViewModel benzene(OutputKind::Benzene, *f.doc);
    f.doc->session.m_iGraphUnits[document::GraphBenzene] = 5;
    EXPECT_EQ(benzene.UnitIndex(), 0);
    EXPECT_EQ(benzene.UnitLabel(), "ppm");
    EXPECT_EQ(benzene.Title(), "Airborne Benzene Concentration (ppm)");
    EXPECT_EQ(benzene.OnCommand(32818), Result::None);
    EXPECT_EQ(benzene.OnCommand(32819), Result::Help);
    EXPECT_EQ(benzene.Row().seriesKind, 0);
}

TEST(GraphViews, TitlesLabelsAndTwoViewsOnOneGraph) {
    DocFixture f;
    GraphViewModel a(OutputKind::Density, *f.doc), b(OutputKind::Density, *f.doc);
    EXPECT_EQ(a.Title(), "Oil Density (kg/cu m)");
    EXPECT_EQ(a.OnCommand(32810), Result::Repaint);
    EXPECT_EQ(b.Title(), "Oil Density (g/cc)");  // the other window follows the document
    // An index outside the list has an empty label.
    f.doc->session.m_iGraphUnits[document::GraphDensity] = 0;
    EXPECT_EQ(a.UnitLabel(), "");
    EXPECT_EQ(a.Title(), "Oil Density ()");
    f.doc->session.m_iGraphUnits[document::GraphBudget] = 42;
    EXPECT_EQ(GraphViewModel(OutputKind::Budget, *f.doc).UnitLabel(), "");

    struct Case {
        OutputKind kind;
        int unit;
        const char* title;
    };
    const Case cases[] = {
        {OutputKind::Viscosity, 2, "Oil Viscosity (SUS)"},     {OutputKind::Water, 1, "Water Content in Oil (percent)"},
        {OutputKind::Budget, 3, "Oil Budget (bbl)"},           {OutputKind::Evaporation, 2, "Oil Evaporated (percent)"},
        {OutputKind::Disperse, 0, "Oil Dispersed (cu m)"},     {OutputKind::Remain, 6, "Oil Remaining (metric tonnes)"},
        {OutputKind::Burn, 4, "Oil Burned (gal)"},             {OutputKind::Skim, 5, "Oil Skimmed (tons)"},
        {OutputKind::Beach, 1, "Oil Beached (fraction)"},
    };
    for (const Case& c : cases) {
        GraphViewModel v(c.kind, *f.doc);
        SCOPED_TRACE(v.Row().className);
        f.doc->session.m_iGraphUnits[v.Row().window] = c.unit;
        EXPECT_EQ(v.Title(), c.title);
    }
    EXPECT_EQ(output::FindGraphView(OutputKind::BudgetTable), nullptr);
}

TEST(GraphViews, MenuOpensInsideOrFromTheKeyboard) {
    const platform::Rect client{100, 50, 500, 350};
    struct Case {
        const char* name;
        std::optional<platform::Point> pointer;
        std::optional<platform::Point> at;
    };
    const Case cases[] = {
        {"inside", platform::Point{120, 60}, platform::Point{120, 60}},
        {"outside", platform::Point{90, 60}, std::nullopt},
        {"right edge is outside", platform::Point{500, 60}, std::nullopt},
        {"keyboard: the centre", std::nullopt, platform::Point{300, 200}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(GraphViewModel::MenuPoint(c.pointer, client), c.at);
    }
}

TEST(GraphViews, HelpPagesOfEveryGraph) {
    DocFixture f;
    const char* captions[] = {"Oil Density Graph",   "Oil Viscosity Graph",  "Water Graph Content",
                              "Airborne Benzene Concentration Graph", "Oil Budget Graph", "Oil Evaporated Graph",
                              "Oil Dispersed Graph", "Oil Remaining Graph", "Oil Burned Graph",
                              "Oil Skimmed Graph",   "Oil Beached Graph"};
    const auto& views = output::GraphViews();
    ASSERT_EQ(views.size(), 11u);
    for (std::size_t i = 0; i < views.size(); ++i) {
        SCOPED_TRACE(views[i].className);
        EXPECT_EQ(views[i].window, static_cast<int>(i));
        GraphViewModel v(views[i].kind, *f.doc);
        EXPECT_EQ(v.Help().caption, std::string(captions[i]));
        EXPECT_FALSE(v.Help().texts.empty());
        EXPECT_EQ(v.OnCommand(views[i].helpCommand), Result::Help);
    }
    const std::string benzene = output::FindGraphHelp(205)->texts[0];
    EXPECT_NE(benzene.find("at one meter elevation  above the downwind edge"), std::string::npos);
    EXPECT_EQ(std::string(output::FindGraphHelp(279)->texts[1]), output::FindGraphHelp(278)->texts[1]);
}

TEST(GraphViews, ElevenGraphsOfASolvedScenario) {
    tavro_test::TempDir dir;
    DocFixture f;
    f.doc->SetOutputFolder(dir.Path().string());
    ASSERT_TRUE(f.doc->OnOpenDocument(std::string(TAVRO_TEST_DATA_DIR) + "/document/instant_1000bbl.tvr"));
    f.doc->Model().SetSeed(7);
    ASSERT_TRUE(f.doc->Solve()) << (f.messages.Entries().empty() ? "" : f.messages.Entries().back().text);

    for (const auto& row : output::GraphViews()) {
        SCOPED_TRACE(row.className);
        for (bool printing : {false, true}) {
            platform::RecordingCanvas rc(printing ? platform::DeviceInfo{600, 600, {5100, 6600}, true}
                                                  : platform::DeviceInfo{96, 96, {800, 600}, false});
            output::DrawGraphOutput(row.kind, *f.doc, rc, {0, 0, 800, 600});
            const auto titles = rc.Find(platform::OpKind::TextInRect);
            ASSERT_FALSE(titles.empty());
            EXPECT_EQ(titles[0]->text, GraphViewModel(row.kind, *f.doc).Title());
            const bool na = titles.size() > 1 && titles[1]->text == "N/A";
            // No burning, skimming or beaching in this scenario.
            const bool expectNa = row.kind == OutputKind::Burn || row.kind == OutputKind::Skim ||
                                  row.kind == OutputKind::Beach;
            EXPECT_EQ(na, expectNa);
            if (!na) {
                EXPECT_FALSE(rc.Find(row.engine == output::GraphEngine::Budget ? platform::OpKind::Polygon
                                                                               : platform::OpKind::Polyline)
                                 .empty());
            }
        }
    }
}

}  // namespace
