// The small graph and the leaking tank's result page on the recorder: the
// grid step, "N/A" for data that cannot be drawn, what a graph draws and in
// which order, the page's texts and areas, and the two printed pages.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "output/core/SmallGraph.h"
#include "platform/RecordingCanvas.h"
#include "test_document_helpers.h"
#include "test_tank_fixture.h"
#include "ui/inputs/rules/TankResultPage.h"

using namespace output;
using platform::Op;
using platform::OpKind;
using platform::RecordingCanvas;

namespace {

TEST(SmallGraphGrid, NiceGridStep) {
    struct Case {
        const char* name;
        double range;
        int n;
        double step;
        int intervals;
    };
    const double nan = std::nan("");
    const Case cases[] = {
        {"37 over 6", 37, 6, 10, 4},
        {"0.8 over 6", 0.8, 6, 0.2, 4},
        {"0.7 over 7", 0.7, 7, 0.1, 7},
        {"0.07 over 7: no interval for float noise", 0.07, 7, 0.01, 7},
        {"range 0 counts as 1", 0, 6, 0.2, 5},
        {"negative range counts as 1", -3, 6, 0.2, 5},
        {"NaN range counts as 1", nan, 6, 0.2, 5},
        {"infinite range counts as 1", INFINITY, 6, 0.2, 5},
        {"no interval asked: one", 37, 0, 50, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const GridStep g = NiceGridStep(c.range, c.n);
        EXPECT_NEAR(g.step, c.step, 1e-12);
        EXPECT_EQ(g.intervals, c.intervals);
    }
}

// A level record of five points: oil from 2 m down to 1 m over 40 minutes,
// no water inside, the opening from 0.2 m to 0.25 m.
model::STankLevelData LevelRecord() {
    model::STankLevelData r;
    model::CopySeriesLabel(r.title, "Levels Inside Tank");
    model::CopySeriesLabel(r.units, "m");
    r.count = 5;
    r.hours = 2400;
    r.minValue = 0;
    r.maxValue = 2;
    r.holeBottom = 0.2;
    r.holeTop = 0.25;
    const double oil[] = {2, 1.7, 1.45, 1.2, 1};
    for (int i = 0; i < 5; ++i) {
        r.series[model::TANK_MINUTES][i] = 10.0 * i;
        r.series[model::TANK_OIL_LEVEL][i] = oil[i];
    }
    return r;
}

model::SGraphData ReleaseRecord() {
    model::SGraphData r;
    model::CopySeriesLabel(r.title, "Oil Released");
    model::CopySeriesLabel(r.units, "bbl");
    r.count = 4;
    r.hours = 1800;
    r.minValue = 0;
    r.maxValue = 37;
    const double released[] = {0, 20, 31, 37};
    for (int i = 0; i < 4; ++i) {
        r.series[model::TANK_MINUTES][i] = 10.0 * i;
        r.series[model::TANK_RELEASED][i] = released[i];
    }
    return r;
}

const platform::Rect kArea{0, 0, 400, 300};

std::vector<std::string> Texts(const RecordingCanvas& rc, int page = -1) {
    std::vector<std::string> out;
    for (std::size_t p = 0; p < rc.Pages().size(); ++p) {
        if (page >= 0 && static_cast<int>(p) != page) continue;
        for (const Op& op : rc.Pages()[p])
            if (op.kind == OpKind::Text || op.kind == OpKind::TextInRect) out.push_back(op.text);
    }
    return out;
}

bool Has(const std::vector<std::string>& texts, const std::string& t) {
    return std::find(texts.begin(), texts.end(), t) != texts.end();
}

TEST(SmallGraphDraw, DataThatCannotBeDrawnShowsNA) {
    struct Case {
        const char* name;
        void (*spoil)(model::STankLevelData&);
    };
    const Case cases[] = {
        {"negative first time", [](model::STankLevelData& r) { r.series[model::TANK_MINUTES][0] = -1; }},
        {"no point", [](model::STankLevelData& r) { r.count = 0; }},
        {"negative hours", [](model::STankLevelData& r) { r.hours = -1; }},
        {"range upside down", [](model::STankLevelData& r) { r.maxValue = -999; }},
        {"missing first level", [](model::STankLevelData& r) { r.series[model::TANK_OIL_LEVEL][0] = -999; }},
        {"missing first water level", [](model::STankLevelData& r) { r.series[model::TANK_WATER_LEVEL][0] = -999; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        model::STankLevelData r = LevelRecord();
        c.spoil(r);
        RecordingCanvas rc;
        ui::DrawTankLevelGraph(rc, kArea, r, ui::TankMedium::Screen);
        std::vector<OpKind> drawn;
        for (const Op* op : rc.All())
            if (op->kind == OpKind::Text || op->kind == OpKind::TextInRect || op->kind == OpKind::FillRect ||
                op->kind == OpKind::Line || op->kind == OpKind::Polyline || op->kind == OpKind::Rectangle)
                drawn.push_back(op->kind);
        EXPECT_EQ(drawn, (std::vector<OpKind>{OpKind::Text, OpKind::FillRect, OpKind::TextInRect}));
        EXPECT_EQ(Texts(rc), (std::vector<std::string>{"Levels Inside Tank (m)", "N/A"}));
    }
}

TEST(SmallGraphDraw, GridBandCurvesAndLabels) {
    RecordingCanvas rc;
    model::STankLevelData level = LevelRecord();
    SmallGraph g;
    g.title = "Levels Inside Tank (m)";
    g.maxValue = 2;
    g.xRange = 40;
    const std::span<const double> minutes(level.series[model::TANK_MINUTES], 5);
    g.curves = {{minutes, {level.series[model::TANK_OIL_LEVEL], 5}, {platform::PenStyle::Solid, 3, {0, 0, 255}}},
                {minutes, {level.series[model::TANK_WATER_LEVEL], 5}, {platform::PenStyle::Solid, 3, {0, 255, 0}}}};
    g.band = SmallBand{0.2, 0.25, {platform::BrushStyle::Solid, {255, 0, 0}, platform::Hatch::Horizontal}};
    SmallGraphStyle style;
    style.gridPen = {platform::PenStyle::Solid, 1, {200, 200, 255}};
    style.valueFormat = "%.1f";
    const SmallGraphLayout layout = DrawSmallGraph(rc, kArea, g, style);
    ASSERT_TRUE(layout.drawn);

    int horizontal = 0, vertical = 0, firstCurve = -1, band = -1;
    std::vector<platform::Pen> curvePens;
    const std::vector<const Op*> ops = rc.All();
    for (std::size_t i = 0; i < ops.size(); ++i) {
        const Op& op = *ops[i];
        if (op.kind == OpKind::Line && op.state.pen == style.gridPen) {
            const bool across = op.points[0].y == op.points[1].y;
            (across ? horizontal : vertical) += 1;
            EXPECT_EQ(across ? op.points[0].x : op.points[0].y, across ? layout.box.left : layout.box.top);
            EXPECT_EQ(across ? op.points[1].x : op.points[1].y, across ? layout.box.right : layout.box.bottom);
        }
        if (op.kind == OpKind::Polyline && !(op.state.pen == platform::kBlackPen)) {
            if (firstCurve < 0) firstCurve = static_cast<int>(i);
            curvePens.push_back(op.state.pen);
        }
        if (op.kind == OpKind::FillRect && op.brush == g.band->brush) band = static_cast<int>(i);
    }
    EXPECT_EQ(horizontal, layout.y.intervals);
    EXPECT_EQ(vertical, layout.x.intervals);
    EXPECT_EQ(curvePens, (std::vector<platform::Pen>{g.curves[0].pen, g.curves[1].pen}));
    ASSERT_GE(band, 0);
    EXPECT_LT(band, firstCurve);

    // At 96 dpi a 12 mm grid: the 2 m range in 0.5 m steps, 40 minutes in 10s.
    EXPECT_EQ(layout.y.intervals, 4);
    EXPECT_DOUBLE_EQ(layout.y.step, 0.5);
    EXPECT_EQ(layout.x.intervals, 4);
    EXPECT_DOUBLE_EQ(layout.x.step, 10);
    const std::vector<std::string> texts = Texts(rc);
    for (const char* t : {"0.0", "0.5", "2.0", "0", "10", "40"}) EXPECT_TRUE(Has(texts, t)) << t;
    // The last oil point is 1 m up at 40 minutes: on the grid line there.
    const Op* oil = nullptr;
    for (const Op* op : ops)
        if (op->kind == OpKind::Polyline && op->state.pen == g.curves[0].pen) oil = op;
    ASSERT_NE(oil, nullptr);
    EXPECT_EQ(oil->points.back(), (platform::Point{layout.box.right, layout.box.bottom - 2 * layout.ySpacing}));
    EXPECT_EQ(oil->points.front(), (platform::Point{layout.box.left, layout.box.top}));
}

TEST(SmallGraphDraw, ReleaseLabelsAreWholeNumbers) {
    RecordingCanvas rc;
    ui::DrawTankReleaseGraph(rc, kArea, ReleaseRecord(), ui::TankMedium::Screen);
    const std::vector<std::string> texts = Texts(rc);
    EXPECT_EQ(texts.front(), "Oil Released (bbl)");
    for (const char* t : {"0", "10", "40"}) EXPECT_TRUE(Has(texts, t)) << t;
    EXPECT_FALSE(Has(texts, "10.0"));
    EXPECT_EQ(rc.Find(OpKind::Polyline).size(), 2u);  // the curve and the frame

    // A release under 3 units: a step of 0.2 gets its decimal, so no two
    // labels read the same.
    model::SGraphData small = ReleaseRecord();
    for (double& v : small.series[model::TANK_RELEASED]) v /= 15;
    small.maxValue = 37.0 / 15;
    RecordingCanvas rc2;
    ui::DrawTankReleaseGraph(rc2, kArea, small, ui::TankMedium::Screen);
    const std::vector<std::string> texts2 = Texts(rc2);
    for (const char* t : {"0.0", "0.5", "2.5"}) EXPECT_TRUE(Has(texts2, t)) << t;
    EXPECT_FALSE(Has(texts2, "1"));
}

// Titles and labels lie over the graph without a box of their own, on the
// screen as on paper.
TEST(SmallGraphDraw, TextsAreTransparentOnScreenAndPaper) {
    struct Case {
        const char* name;
        void (*draw)(RecordingCanvas&, ui::TankMedium);
        ui::TankMedium medium;
        const char* title;
    };
    auto level = [](RecordingCanvas& rc, ui::TankMedium m) { ui::DrawTankLevelGraph(rc, kArea, LevelRecord(), m); };
    auto release = [](RecordingCanvas& rc, ui::TankMedium m) {
        ui::DrawTankReleaseGraph(rc, kArea, ReleaseRecord(), m);
    };
    const Case cases[] = {
        {"levels on screen", level, ui::TankMedium::Screen, "Levels Inside Tank (m)"},
        {"levels on paper", level, ui::TankMedium::Paper, "Levels Inside Tank (m)"},
        {"release on screen", release, ui::TankMedium::Screen, "Oil Released (bbl)"},
        {"release on paper", release, ui::TankMedium::Paper, "Oil Released (bbl)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingCanvas rc;
        c.draw(rc, c.medium);
        ASSERT_EQ(Texts(rc).front(), c.title);
        int texts = 0;
        for (const Op* op : rc.All())
            if (op->kind == OpKind::Text || op->kind == OpKind::TextInRect) {
                ++texts;
                EXPECT_FALSE(op->state.opaqueText) << c.name << ": \"" << op->text << "\" has a box";
            }
        EXPECT_GT(texts, 5) << c.name << ": title and axis labels";
    }
}

// A missing value inside a curve ends it there: no line runs to the
// marker or past it.
TEST(SmallGraphDraw, AMissingValueInsideACurveEndsIt) {
    struct Case {
        const char* name;
        int series;  // the spoilt series of the level record
        double value;
    };
    const Case cases[] = {
        {"-999 level", model::TANK_OIL_LEVEL, -999},
        {"-999 time", model::TANK_MINUTES, -999},
        {"level not a number", model::TANK_OIL_LEVEL, std::nan("")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        model::STankLevelData r = LevelRecord();  // oil 2, 1.7, 1.45, 1.2, 1 at 0..40 minutes
        r.series[c.series][2] = c.value;
        RecordingCanvas rc;
        ui::DrawTankLevelGraph(rc, kArea, r, ui::TankMedium::Screen);
        const Op* oil = nullptr;
        for (const Op* op : rc.Find(OpKind::Polyline))
            if (op->state.pen.colour == ui::kTankOilColour) oil = op;
        ASSERT_NE(oil, nullptr) << c.name;
        EXPECT_EQ(oil->points.size(), 2u) << c.name;
    }
}

TEST(TankResultTexts, DurationAndTotal) {
    struct Case {
        const char* name;
        double seconds;
        const char* text;
    };
    const Case cases[] = {
        {"119 s", 119, "Duration of release = 119 seconds (approx.)"},
        {"120 s", 120, "Duration of release = 2 minutes (approx.)"},
        {"7199 s", 7199, "Duration of release = 120 minutes (approx.)"},
        {"7200 s", 7200, "Duration of release = 2 hours (approx.)"},
        {"a long leak", 5 * 3600 + 1800, "Duration of release = 6 hours (approx.)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ui::TankDurationText(c.seconds), c.text);
    }
    EXPECT_EQ(ui::TankTotalText(12.4), "Total release from tank = 12 m3");
}

TEST(TankResultLayout, ScreenAreasFromThePageControls) {
    ui::TankPageControls p;
    p.textFrame = {10, 10, 590, 60};
    p.caption = {40, 400, 140, 420};
    p.swatch = {290, 100, 300, 110};
    p.pageLeft = 0;
    p.pageRight = 600;
    const ui::TankAreas a = ui::TankScreenAreas(p, 4, 4);
    EXPECT_EQ(a.level, (platform::Rect{0, 80, 286, 396}));
    EXPECT_EQ(a.release, (platform::Rect{294, 80, 580, 396}));
}

// A document whose tank was computed: 2 m cube, half full, a 5 cm hole.
struct ComputedTank {
    document_test::FakePorts ports{1675252800};
    document::SpillDocCore doc{{}, ports.Ports()};
    ComputedTank() {
        tavro_test::SetComputableTank(doc.scenario.tank);
        EXPECT_TRUE(doc.ComputeTankLeak());
    }
};

TEST(TankResultPrint, TwoPagesUnderTheHeader) {
    tavro_test::ZoneScope utc{"UTC"};  // the footer's date is the local day
    ComputedTank tank;
    const ui::TankResultPage page(tank.doc);
    platform::DeviceInfo paper{300, 300, {2550, 3300}, true};
    RecordingCanvas rc(paper);
    page.Print(rc, 1);

    ASSERT_EQ(rc.Pages().size(), 2u);
    const std::vector<std::string> one = Texts(rc, 0), two = Texts(rc, 1);
    for (const auto* texts : {&one, &two}) {
        EXPECT_EQ(texts->front(), "Leaking Tank");
        EXPECT_TRUE(Has(*texts, "February 01, 2023"));  // the footer's date
        EXPECT_TRUE(Has(*texts, "Time in minutes"));
    }
    auto at = [](const std::vector<std::string>& texts, const std::string& t) {
        return std::find(texts.begin(), texts.end(), t) - texts.begin();
    };
    EXPECT_EQ(at(one, page.DurationText()), at(one, page.TotalText()) + 1);
    EXPECT_TRUE(Has(one, "Oil Released (gallons)"));
    EXPECT_FALSE(Has(one, " Oil"));
    EXPECT_FALSE(Has(one, "Levels Inside Tank (m)"));
    // The legend, then the graph.
    EXPECT_EQ(at(two, " Water"), at(two, " Oil") + 1);
    EXPECT_EQ(at(two, " Hole"), at(two, " Oil") + 2);
    EXPECT_LT(at(two, " Hole"), at(two, "Levels Inside Tank (m)"));
    EXPECT_TRUE(Has(two, "Levels Inside Tank (m)"));
    EXPECT_FALSE(Has(two, "Oil Released (gallons)"));

    // Paper pens: the release 5 px, the oil 5 px, the water dashed.
    auto curves = [&](int p) {
        std::vector<platform::Pen> pens;
        for (const Op& op : rc.Pages()[p])
            if (op.kind == OpKind::Polyline && op.points.size() != 5) pens.push_back(op.state.pen);
        return pens;
    };
    EXPECT_EQ(curves(0), (std::vector<platform::Pen>{{platform::PenStyle::Solid, 5, {0, 0, 0}}}));
    EXPECT_EQ(curves(1), (std::vector<platform::Pen>{{platform::PenStyle::Solid, 5, {0, 0, 0}},
                                                     {platform::PenStyle::Dash, 1, {0, 0, 0}}}));
}

TEST(TankResultPrint, NoLegendOnTheScreen) {
    ComputedTank tank;
    const ui::TankResultPage page(tank.doc);
    RecordingCanvas rc;
    page.DrawLevel(rc, kArea, ui::TankMedium::Screen);
    const std::vector<std::string> texts = Texts(rc);
    EXPECT_EQ(texts.front(), "Levels Inside Tank (m)");
    EXPECT_FALSE(Has(texts, " Oil"));
    EXPECT_FALSE(Has(texts, "N/A"));
    std::vector<platform::Pen> pens;
    for (const Op* op : rc.Find(OpKind::Polyline)) pens.push_back(op->state.pen);
    EXPECT_EQ(pens, (std::vector<platform::Pen>{{platform::PenStyle::Solid, 3, ui::kTankOilColour},
                                                {platform::PenStyle::Solid, 3, ui::kTankWaterColour},
                                                platform::kBlackPen}));
}

}  // namespace
