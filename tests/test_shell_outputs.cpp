// The output windows' logic, the idle refresh and the form's state, over
// fake windows that exist between Open and Close.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "document/FormState.h"
#include "document/IdleRefresh.h"
#include "document/OutputWindows.h"
#include "document/SpillDoc.h"
#include "oillib/OilLibrary.h"
#include "platform/Files.h"
#include "test_document_helpers.h"

using namespace document;
using namespace document_test;

namespace {

constexpr Time kStart = 1707141600;  // Mon 2024-02-05 14:00 UTC
using K = OutputKind;

std::string Join(const std::vector<std::string>& v) {
    std::string s;
    for (const auto& x : v) s += (s.empty() ? "" : ", ") + x;
    return s;
}

// A session and fake windows, with some graphs open and solved.
struct Outputs {
    SessionState s;
    FakeOutputs w;
    OutputWindowsLogic logic{s, w};
    Outputs(bool multiple, std::initializer_list<int> graphs, std::initializer_list<K> tables = {}) {
        s.m_bNotSolved = 0;
        s.m_bMultipleGraphs = multiple;
        for (int g : graphs) {
            s.m_bGraphOpen[g] = 1;
            w.live.insert(GraphKind(g));
        }
        for (K t : tables) w.live.insert(t);
    }
    std::set<int> Flags() const {
        std::set<int> f;
        for (int g = 0; g < kGraphCount; ++g)
            if (s.m_bGraphOpen[g]) f.insert(g);
        return f;
    }
};

TEST(ShellOutputs, CommandsOpenCloseAndArrange) {
    struct Case {
        const char* name;
        bool multiple;
        std::initializer_list<int> open;
        std::initializer_list<K> tables;
        std::set<K> failing;
        std::function<void(OutputWindowsLogic&)> act;
        std::set<int> flags;        // graph flags after
        std::set<K> live;           // windows after
        std::string lastCall;       // last layout call ("" when no check)
        bool multipleAfter;
    };
    const Case cases[] = {
        {"toggling the open graph in single mode closes every window, tables too", false, {GraphBudget},
         {K::BudgetTable, K::IcsTable}, {}, [](auto& l) { l.ToggleGraph(GraphBudget); }, {}, {}, "", false},
        {"toggling a closed graph in single mode closes the others and maximises it", false, {GraphBudget}, {}, {},
         [](auto& l) { l.ToggleGraph(GraphDensity); }, {GraphDensity}, {K::Density}, "max Density", false},
        {"in multiple mode closing one of several re-tiles the rest", true, {GraphDensity, GraphBudget}, {}, {},
         [](auto& l) { l.ToggleGraph(GraphDensity); }, {GraphBudget}, {K::Budget}, "tile", true},
        {"in multiple mode closing the last graph shows the form", true, {GraphBudget}, {}, {},
         [](auto& l) { l.ToggleGraph(GraphBudget); }, {}, {}, "form", true},
        {"in multiple mode opening a graph tiles", true, {GraphBudget}, {}, {},
         [](auto& l) { l.ToggleGraph(GraphSkim); }, {GraphBudget, GraphSkim}, {K::Budget, K::Skim}, "tile", true},
        {"Single Graph keeps the earliest open graph", true, {GraphSkim, GraphBurn}, {}, {},
         [](auto& l) { l.SingleGraph(); }, {GraphBurn}, {K::Burn}, "max Burn", false},
        {"Single Graph with nothing open opens Density", true, {}, {K::IcsTable}, {},
         [](auto& l) { l.SingleGraph(); }, {GraphDensity}, {K::Density}, "max Density", false},
        {"Multiple Graphs rearranges nothing", false, {GraphBudget}, {}, {},
         [](auto& l) { l.MultipleGraphs(); }, {GraphBudget}, {K::Budget}, "", true},
        {"a window that cannot be created keeps its flag", false, {}, {}, {K::Skim},
         [](auto& l) { l.ToggleGraph(GraphSkim); }, {GraphSkim}, {}, "fail Skim", false},
        {"a table opens beside the graphs in multiple mode", true, {GraphBudget}, {}, {},
         [](auto& l) { l.OpenTable(K::IcsTable); }, {GraphBudget}, {K::Budget, K::IcsTable}, "tile", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Outputs o(c.multiple, c.open, c.tables);
        o.w.failing = c.failing;
        c.act(o.logic);
        EXPECT_EQ(o.Flags(), c.flags);
        EXPECT_EQ(o.w.live, c.live) << Join(o.w.log);
        if (!c.lastCall.empty()) {
            ASSERT_FALSE(o.w.log.empty());
            EXPECT_EQ(o.w.log.back(), c.lastCall) << Join(o.w.log);
        }
        EXPECT_EQ(o.s.m_bMultipleGraphs != 0, c.multipleAfter);
        EXPECT_EQ(o.logic.MultipleChecked(), c.multipleAfter);
        EXPECT_EQ(o.logic.SingleChecked(), !c.multipleAfter);
    }
}

TEST(ShellOutputs, ShowAllOpensTheElevenInGraphOrderTiled) {
    Outputs o(false, {GraphBudget});
    o.logic.ShowAllGraphs();
    std::vector<std::string> expected;
    for (int g = 0; g < kGraphCount; ++g) {
        expected.push_back("open " + FakeOutputs::Name(GraphKind(g)));
        expected.push_back("tile");
    }
    EXPECT_EQ(o.w.log, expected);
    EXPECT_EQ(o.Flags().size(), 11u);
    EXPECT_TRUE(o.logic.MultipleChecked());
}

TEST(ShellOutputs, InputChangeClosesEverythingAndMarksSolvedResultsStale) {
    struct Case {
        const char* name;
        int notSolved;
        int changeFlag;  // -1: none
        bool acts, notice, stale;
    };
    const Case cases[] = {
        {"solved, water changed", 0, ChangedWater, true, true, true},
        {"solved, emulsification changed", 0, ChangedEmulsification, true, true, true},
        {"unsolved, release changed", 1, ChangedRelease, true, false, false},
        {"solved, only the solve flags up", 0, SolvedTree, false, false, false},
        {"solved, nothing changed", 0, -1, false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Outputs o(true, {GraphDensity, GraphBudget}, {K::BudgetTable});
        o.s.m_bNotSolved = c.notSolved;
        for (int& f : o.s.m_bChanged) f = 0;
        o.s.m_bChanged[SolvedPrint] = 1;
        if (c.changeFlag >= 0) o.s.m_bChanged[c.changeFlag] = 1;
        EXPECT_EQ(o.logic.RefreshAfterInputChange(), c.acts);
        EXPECT_EQ(o.w.live.empty(), c.acts);
        EXPECT_EQ(o.Flags().empty(), c.acts);
        EXPECT_EQ(o.s.m_bMultipleGraphs == 0, c.acts);
        EXPECT_EQ(o.s.m_bNewGraphsNotice, c.notice ? 1 : 0);
        EXPECT_EQ(o.s.resultsStale, c.stale);
        // Stale or unsolved results cannot be shown again.
        EXPECT_EQ(o.logic.OutputsEnabled(), !c.stale && c.notSolved == 0);
        // The tree clears the change flags, not this.
        if (c.changeFlag >= 0) {
            EXPECT_EQ(o.s.m_bChanged[c.changeFlag], 1);
        }
    }
}

TEST(ShellOutputs, HintShowsWhileAGraphIsOpenAndIsWrittenOnlyOnAChange) {
    Outputs o(false, {});
    FakeStatus status;
    o.logic.UpdateHint(status);
    EXPECT_TRUE(status.shown.empty());
    o.s.m_bGraphOpen[GraphBudget] = 1;
    o.logic.UpdateHint(status);
    o.logic.UpdateHint(status);
    EXPECT_EQ(status.shown, std::vector<std::string>{kGraphUnitsHint});
    o.s.m_bGraphOpen[GraphBudget] = 0;
    o.logic.UpdateHint(status);
    o.logic.UpdateHint(status);
    EXPECT_EQ(status.shown, (std::vector<std::string>{kGraphUnitsHint, kReadyText}));
    EXPECT_STREQ(OutputTitle(K::Budget), "Oil Budget");
    EXPECT_STREQ(OutputTitle(K::IcsTable), "ICS Table");
}

// A real scenario that solves (the stored test scenario).
struct SolvedDoc : FakePorts {
    ZoneScope utc{"UTC"};
    TempDir dir;
    oillib::COilLibrary lib{StandardLibraryPath(), oillib::OilLibColumnNames, oillib::kOilLibColumnCount};
    std::unique_ptr<SpillDocCore> doc;
    SolvedDoc() : FakePorts(kStart) {
        doc = std::make_unique<SpillDocCore>(OilLibraries{&lib, nullptr}, Ports());
        doc->SetOutputFolder(dir.Path().string());
        doc->Model().SetSeed(7);
    }
};

// Records, at its turn, what the refresh before it had done.
struct RecordingTree final : ITreeRefresh {
    const FakeOutputs* outputs = nullptr;
    const FormState* form = nullptr;
    std::vector<std::string> seen;
    void Refresh(SpillDocCore& doc) override {
        seen.push_back(std::string(outputs->live.empty() ? "outputs closed" : "outputs open") +
                       (form->notice ? ", notice shown" : ", no notice"));
        for (int i = ChangedRelease; i <= SolvedTree; ++i) doc.session.m_bChanged[i] = 0;
    }
};

TEST(ShellIdleRefresh, RunsOutputsThenTreeThenForm) {
    SolvedDoc f;
    SpillDocCore& d = *f.doc;
    FormState form;
    RecordingTree tree;
    tree.outputs = &f.outputs;
    tree.form = &form;
    ASSERT_TRUE(d.OnOpenDocument(std::string(TAVRO_TEST_DATA_DIR) + "/document/instant_1000bbl.tvr"));
    RunIdleRefresh(d, form, &tree);  // the opened file's sections were all flagged
    ASSERT_TRUE(d.Solve()) << Join(f.messages.Texts());
    // The idle pass after the solve keeps the budget graph.
    RunIdleRefresh(d, form, &tree);
    EXPECT_TRUE(f.outputs.Exists(K::Budget));
    // An input change: the outputs are closed before the tree runs, and the
    // form takes the notice after it.
    d.session.m_bChanged[ChangedWater] = 1;
    IdleResult r = RunIdleRefresh(d, form, &tree);
    EXPECT_TRUE(r.outputsClosed);
    EXPECT_TRUE(r.formChanged);
    EXPECT_EQ(tree.seen.back(), "outputs closed, no notice");
    EXPECT_TRUE(form.notice);
    EXPECT_EQ(d.session.m_bNewGraphsNotice, 0);
    EXPECT_TRUE(d.session.resultsStale);
    EXPECT_FALSE(d.Outputs().OutputsEnabled());
    // The next solve gives current results again; the notice stays.
    ASSERT_TRUE(d.Solve());
    EXPECT_FALSE(d.session.resultsStale);
    EXPECT_TRUE(d.Outputs().OutputsEnabled());
    RunIdleRefresh(d, form, &tree);
    EXPECT_TRUE(form.notice);
    EXPECT_TRUE(f.outputs.Exists(K::Budget));
}

TEST(ShellIdleRefresh, WithoutATreeTheSolvedBudgetSurvives) {
    SolvedDoc f;
    FormState form;
    ASSERT_TRUE(f.doc->OnOpenDocument(std::string(TAVRO_TEST_DATA_DIR) + "/document/instant_1000bbl.tvr"));
    RunIdleRefresh(*f.doc, form, nullptr);  // the opened file's sections were all flagged
    ASSERT_TRUE(f.doc->Solve());
    for (int pass = 0; pass < 3; ++pass) RunIdleRefresh(*f.doc, form, nullptr);
    EXPECT_TRUE(f.outputs.Exists(K::Budget));
    EXPECT_EQ(f.doc->session.m_bGraphOpen[GraphBudget], 1);
    for (int i = ChangedRelease; i <= SolvedTree; ++i) EXPECT_EQ(f.doc->session.m_bChanged[i], 0) << i;
    EXPECT_EQ(f.doc->session.m_bChanged[SolvedPrint], 1);  // the printout's, not ours to clear
    EXPECT_FALSE(form.notice);
}

TEST(ShellIdleRefresh, NewOpenAndCloseClearStaleResults) {
    const std::function<void(SolvedDoc&)> actions[] = {
        [](SolvedDoc& f) { f.doc->OnNewDocument(); },
        [](SolvedDoc& f) {
            ASSERT_TRUE(f.doc->OnOpenDocument(std::string(TAVRO_TEST_DATA_DIR) + "/document/instant_1000bbl.tvr"));
        },
        [](SolvedDoc& f) { f.doc->OnCloseDocument(); },
    };
    const char* names[] = {"new", "open", "close"};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(names[i]);
        SolvedDoc f;
        f.doc->session.resultsStale = true;
        actions[i](f);
        EXPECT_FALSE(f.doc->session.resultsStale);
    }
}

TEST(ShellForm, TicksAreStickyAndTheNoticeTakesOverForGood) {
    Scenario sc(kStart);
    SessionState s;
    FormState form;
    EXPECT_FALSE(form.Update(sc, s));  // a new scenario: guide, no tick
    for (int i = 0; i < kFormInputs; ++i) EXPECT_FALSE(form.TickShown(static_cast<FormInput>(i)));

    sc.m_bWaterInputPassed = 1;
    sc.m_bWindAndWaveInputPassed = 1;
    EXPECT_TRUE(form.Update(sc, s));
    EXPECT_FALSE(form.Update(sc, s));  // nothing new to show
    EXPECT_TRUE(form.TickShown(FormWater));
    EXPECT_TRUE(form.TickShown(FormWindWave));
    EXPECT_FALSE(form.TickShown(FormOil));

    // Solved: an input entered now gets no tick, the shown ones stay.
    s.m_bNotSolved = 0;
    sc.m_bOilInputPassed = 1;
    sc.m_bWaterInputPassed = 0;
    EXPECT_FALSE(form.Update(sc, s));
    EXPECT_FALSE(form.TickShown(FormOil));
    EXPECT_TRUE(form.TickShown(FormWater));

    // The notice hides the ticks and stays after the next solve.
    s.m_bNewGraphsNotice = 1;
    EXPECT_TRUE(form.Update(sc, s));
    EXPECT_EQ(s.m_bNewGraphsNotice, 0);
    EXPECT_TRUE(form.notice);
    EXPECT_FALSE(form.TickShown(FormWater));
    s.m_bNotSolved = 1;
    form.Update(sc, s);
    s.m_bNotSolved = 0;
    EXPECT_FALSE(form.Update(sc, s));
    EXPECT_TRUE(form.notice);
}

}  // namespace

namespace {

// Solve in either mode after Density and the budget table were opened.
TEST(ShellIdleRefresh, ASecondSolveInSingleModeLeavesOnlyTheBudgetGraph) {
    struct Case {
        const char* name;
        bool multiple;
        std::set<int> flags;
        std::set<K> live;
    };
    const Case cases[] = {
        {"single", false, {GraphBudget}, {K::Budget}},
        {"multiple", true, {GraphDensity, GraphBudget}, {K::Density, K::Budget, K::BudgetTable}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SolvedDoc f;
        SpillDocCore& d = *f.doc;
        ASSERT_TRUE(d.OnOpenDocument(std::string(TAVRO_TEST_DATA_DIR) + "/document/instant_1000bbl.tvr"));
        ASSERT_TRUE(d.Solve()) << Join(f.messages.Texts());
        if (c.multiple) d.Outputs().MultipleGraphs();
        d.Outputs().ToggleGraph(GraphDensity);
        d.Outputs().OpenTable(K::BudgetTable);
        ASSERT_TRUE(d.Solve());
        std::set<int> flags;
        for (int g = 0; g < kGraphCount; ++g)
            if (d.session.m_bGraphOpen[g]) flags.insert(g);
        EXPECT_EQ(flags, c.flags);
        EXPECT_EQ(f.outputs.live, c.live);
    }
}

}  // namespace
