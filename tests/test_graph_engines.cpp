// The three graph engines drawn on the recorder: screen against printer,
// the band, missing data, and the budget stacks and legend.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <cmath>
#include <cstring>
#include <future>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <type_traits>
#include <vector>

#include "model/Series.h"
#include "output/core/DrawGraph.h"
#include "output/core/DrawGraphBudget.h"
#include "model/UnitConversion.h"
#include "platform/RecordingCanvas.h"
#include "tests/support/ScenarioBuilder.h"

namespace {

using namespace output;
using platform::BrushStyle;
using platform::DeviceInfo;
using platform::Hatch;
using platform::Op;
using platform::OpKind;
using platform::PenStyle;
using platform::Rect;
using platform::RecordingCanvas;
using platform::Rgb;

const DeviceInfo kScreen{96, 96, {800, 600}, false};
const DeviceInfo kPrinter{600, 600, {5100, 6600}, true};

platform::FixedClock& Clock() {
    static platform::FixedClock clock(1769868000);  // 2026-01-31 14:00 UTC
    return clock;
}

GraphContext Context(int steps, int stepsPerHour = 1) { return {steps, stepsPerHour, 1769868000, &Clock()}; }

// The result of work run on a thread of its own, or nothing when it has not
// ended within 20 s. The thread owns what it uses and is left running then,
// so a drawing that never ends fails its test at once, with its message.
template <class Work>
std::optional<std::invoke_result_t<Work>> EndsWithinTwentySeconds(Work work) {
    using Result = std::invoke_result_t<Work>;
    auto promise = std::make_shared<std::promise<Result>>();
    std::future<Result> result = promise->get_future();
    std::thread([promise, work = std::move(work)]() mutable { promise->set_value(work()); }).detach();
    if (result.wait_for(std::chrono::seconds(20)) != std::future_status::ready) return std::nullopt;
    return result.get();
}

// A rising curve with a band 2 below and 3 above.
std::unique_ptr<model::SGraphData> Ramp(int steps) {
    auto rec = std::make_unique<model::SGraphData>();
    model::CopySeriesLabel(rec->title, "Oil Evaporated");
    model::CopySeriesLabel(rec->units, "bbl");
    rec->count = steps;
    rec->hours = steps;
    for (int i = 0; i < steps; ++i) {
        rec->series[model::GRAPH_BEST][i] = 10 + i;
        rec->series[model::GRAPH_LOW][i] = 8 + i;
        rec->series[model::GRAPH_HIGH][i] = 13 + i;
        rec->series[model::GRAPH_BEST2][i] = -999;
    }
    rec->minValue = 0;
    rec->maxValue = 13 + steps;
    return rec;
}

// Polylines that are not the black 1-px frame.
std::vector<const Op*> Curves(const RecordingCanvas& rc) {
    std::vector<const Op*> out;
    for (const Op* op : rc.Find(OpKind::Polyline))
        if (!(op->state.pen == platform::kBlackPen)) out.push_back(op);
    return out;
}

// The frame: the last polyline.
Rect Frame(const RecordingCanvas& rc) {
    const auto lines = rc.Find(OpKind::Polyline);
    if (lines.empty()) return {};
    const auto& p = lines.back()->points;
    return {p[0].x, p[0].y, p[2].x, p[2].y};
}

std::vector<std::string> Texts(const RecordingCanvas& rc) {
    std::vector<std::string> out;
    for (const Op* op : rc.All())
        if (op->kind == OpKind::Text || op->kind == OpKind::TextInRect) out.push_back(op->text);
    return out;
}

int CountDrawing(const RecordingCanvas& rc) {
    int n = 0;
    for (const Op* op : rc.All())
        if (op->kind == OpKind::Line || op->kind == OpKind::Polyline || op->kind == OpKind::Polygon ||
            op->kind == OpKind::SetPixels || op->kind == OpKind::Text)
            ++n;
    return n;
}

TEST(GraphLineEngine, ScreenHasBandAndOneGreyLine) {
    auto rec = Ramp(24);
    RecordingCanvas rc(kScreen);
    CDrawGraph g(rc, *rec, Context(24), {0, 0, 800, 600});
    EXPECT_EQ(g.Title(), "Oil Evaporated (bbl)");
    g.Draw();

    const auto all = rc.All();
    const auto firstFill = std::find_if(all.begin(), all.end(), [](const Op* op) { return op->kind == OpKind::FillRect; });
    ASSERT_NE(firstFill, all.end());
    EXPECT_EQ((*firstFill)->rect, (Rect{0, 0, 800, 600}));
    EXPECT_EQ((*firstFill)->brush, platform::kWhiteBrush);
    const auto firstDraw = std::find_if(all.begin(), all.end(), [](const Op* op) {
        return op->kind != OpKind::Save && op->kind != OpKind::FillRect;
    });
    EXPECT_LT(firstFill, firstDraw);

    const auto curves = Curves(rc);
    ASSERT_EQ(curves.size(), 1u);
    EXPECT_EQ(curves[0]->state.pen, (platform::Pen{PenStyle::Solid, 2, {128, 128, 128}}));
    EXPECT_EQ(curves[0]->points.size(), 24u);

    const auto pixels = rc.Find(OpKind::SetPixels);
    ASSERT_EQ(pixels.size(), 1u);
    EXPECT_GT(pixels[0]->pixels.size(), 100u);
    const Rect frame = Frame(rc);
    for (const auto& p : pixels[0]->pixels) {
        ASSERT_GE(p.colour.g, 128);
        ASSERT_TRUE(p.x >= frame.left && p.x <= frame.right && p.y >= frame.top && p.y <= frame.bottom);
    }
    bool screenGrid = false;
    for (const Op* op : rc.Find(OpKind::Line))
        if (op->state.pen.colour == Rgb{200, 200, 255}) screenGrid = true;
    EXPECT_TRUE(screenGrid);
}

TEST(GraphLineEngine, PrinterHasMarginsDashedBoundsAndNoPixels) {
    for (bool log : {false, true}) {
        SCOPED_TRACE(log ? "log" : "linear");
        auto rec = Ramp(24);
        RecordingCanvas rc(kPrinter);
        if (log) {
            CDrawGraphLog(rc, *rec, Context(24), {0, 0, 800, 600}).Draw();
        } else {
            CDrawGraph(rc, *rec, Context(24), {0, 0, 800, 600}).Draw();
        }

        EXPECT_TRUE(rc.Find(OpKind::SetPixels).empty());
        EXPECT_TRUE(rc.Find(OpKind::FillRect).empty());
        const auto title = rc.Find(OpKind::TextInRect);
        ASSERT_EQ(title.size(), 1u);
        EXPECT_EQ(title[0]->rect, (Rect{600, 600, 4500, 6000}));

        const auto curves = Curves(rc);
        ASSERT_EQ(curves.size(), 3u);
        EXPECT_EQ(curves[0]->state.pen, (platform::Pen{PenStyle::Dash, 1, {0, 0, 0}}));  // high
        EXPECT_EQ(curves[1]->state.pen, (platform::Pen{PenStyle::Dash, 1, {0, 0, 0}}));  // low
        EXPECT_EQ(curves[2]->state.pen, (platform::Pen{PenStyle::Solid, 3, {0, 0, 0}}));
        EXPECT_LT(curves[0]->points.back().y, curves[2]->points.back().y);  // high above best
        EXPECT_GT(curves[1]->points.back().y, curves[2]->points.back().y);  // low below best
        bool printerGrid = false;
        for (const Op* op : rc.Find(OpKind::Line))
            if (op->state.pen.colour == Rgb{0, 159, 255}) printerGrid = true;
        EXPECT_TRUE(printerGrid);
        const Rect frame = Frame(rc);
        EXPECT_GE(frame.left, 600);
        EXPECT_LE(frame.bottom, 6000);
    }
}

TEST(GraphLineEngine, ShadeBandColumn) {
    struct Case {
        const char* name;
        bool log;
        int yEdge;
        std::vector<std::pair<int, int>> rowGrey;
    };
    const Case cases[] = {
        {"linear, down", false, 14, {{11, 160}, {12, 192}, {13, 223}}},
        {"linear, up", false, 6, {{9, 160}, {8, 192}, {7, 223}}},
        {"log sets the curve pixel", true, 14, {{10, 128}, {11, 160}, {12, 192}, {13, 223}}},
        {"no band", false, 10, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<platform::Pixel> px;
        if (c.log)
            CDrawGraphLog::ShadeBand(px, 5, 10, c.yEdge);
        else
            CDrawGraph::ShadeBand(px, 5, 10, c.yEdge);
        ASSERT_EQ(px.size(), c.rowGrey.size());
        for (std::size_t i = 0; i < px.size(); ++i) {
            EXPECT_EQ(px[i].x, 5);
            EXPECT_EQ(px[i].y, c.rowGrey[i].first);
            const auto g = static_cast<std::uint8_t>(c.rowGrey[i].second);
            EXPECT_EQ(px[i].colour, (Rgb{g, g, g}));
        }
    }
}

TEST(GraphLineEngine, NotAvailableShowsTitleOnly) {
    struct Case {
        const char* name;
        bool log;
        int series;  // the series whose first value is missing
        double first;
        bool na;
    };
    const Case cases[] = {
        {"linear, best missing", false, model::GRAPH_BEST, -999, true},
        {"linear, low missing", false, model::GRAPH_LOW, -999, true},
        {"linear, high missing", false, model::GRAPH_HIGH, -999, true},
        {"log, best missing", true, model::GRAPH_BEST, -999, true},
        {"log, low missing: still drawn", true, model::GRAPH_LOW, -999, false},
        {"linear, best not a number", false, model::GRAPH_BEST, NAN, true},
        {"log, best infinite", true, model::GRAPH_BEST, INFINITY, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto rec = Ramp(24);
        rec->series[c.series][0] = c.first;
        RecordingCanvas rc(kScreen);
        if (c.log)
            CDrawGraphLog(rc, *rec, Context(24), {0, 0, 800, 600}).Draw();
        else
            CDrawGraph(rc, *rec, Context(24), {0, 0, 800, 600}).Draw();
        if (c.na) {
            EXPECT_EQ(Texts(rc), (std::vector<std::string>{"Oil Evaporated (bbl)", "N/A"}));
            EXPECT_EQ(CountDrawing(rc), 0);
            EXPECT_TRUE(rc.Find(OpKind::TextInRect).back()->vcentre);
        } else {
            EXPECT_EQ(Curves(rc).size(), 1u);
        }
    }
    // A log graph without one positive value has no axis.
    auto zeros = Ramp(24);
    for (int s = 0; s < model::GRAPH_SERIES; ++s)
        for (int i = 0; i < 24; ++i) zeros->series[s][i] = i % 2 ? 0 : -999;
    zeros->series[model::GRAPH_BEST][0] = 0;
    RecordingCanvas rc(kScreen);
    CDrawGraphLog(rc, *zeros, Context(24), {0, 0, 800, 600}).Draw();
    EXPECT_EQ(Texts(rc).back(), "N/A");
}

TEST(GraphLineEngine, MissingPointsBreakTheCurveAndStayOnThePlot) {
    struct Case {
        const char* name;
        double mark;
    };
    const Case cases[] = {{"missing mark", -999}, {"not a number", NAN}, {"infinity", INFINITY}};
    for (const Case& c : cases) {
        for (bool log : {false, true}) {
            SCOPED_TRACE(std::string(c.name) + (log ? ", log" : ", linear"));
            auto rec = Ramp(24);
            for (int s : {model::GRAPH_LOW, model::GRAPH_BEST, model::GRAPH_HIGH}) rec->series[s][12] = c.mark;
            RecordingCanvas rc(kScreen);
            if (log) {
                CDrawGraphLog(rc, *rec, Context(24), {0, 0, 800, 600}).Draw();
            } else {
                CDrawGraph(rc, *rec, Context(24), {0, 0, 800, 600}).Draw();
            }
            const auto curves = Curves(rc);
            ASSERT_EQ(curves.size(), 2u);  // broken at step 12
            EXPECT_EQ(curves[0]->points.size() + curves[1]->points.size(), 23u);
            const Rect frame = Frame(rc);
            for (const Op* op : curves)
                for (const auto& p : op->points) EXPECT_TRUE(p.y >= frame.top && p.y <= frame.bottom) << p.y;
            // The value labels ignore the mark: the axis starts at 0 or above.
            int valueLabels = 0;
            for (const Op* op : rc.Find(OpKind::Text)) {
                if (op->halign != platform::HAlign::Right) continue;
                ++valueLabels;
                EXPECT_GE(std::stod(op->text), 0) << op->text;
                EXPECT_LT(std::stod(op->text), 1e6) << op->text;
            }
            EXPECT_GE(valueLabels, 2);
        }
    }
}

TEST(GraphLineEngine, FlatSeriesIsDrawnOnAFallbackRange) {
    struct Case {
        const char* name;
        double value;
        double recMin, recMax;
        double low, high;  // the range the axis must cover
    };
    const Case cases[] = {
        {"record limits back the axis", 0.9, 0.5, 1.1, 0.5, 1.1},
        {"one either side", 7, 7, 7, 6, 8},
        {"zero: 0 to 1", 0, 0, 0, 0, 1},
        {"no valid record limits", 3, 1e6, -999, 2, 4},
        {"record limits that miss the value", 1150, 500, 1100, 1149, 1151},
        {"record minimum missing", 0.9, -999, 1.1, 0, 1.9},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto rec = Ramp(24);
        for (int s = 0; s < model::GRAPH_SERIES; ++s)
            for (int i = 0; i < 24; ++i) rec->series[s][i] = c.value;
        rec->minValue = c.recMin;
        rec->maxValue = c.recMax;
        RecordingCanvas rc(kScreen);
        CDrawGraph(rc, *rec, Context(24), {0, 0, 800, 600}).Draw();
        std::vector<double> labels;
        for (const Op* op : rc.Find(OpKind::Text))
            if (op->halign == platform::HAlign::Right) labels.push_back(std::stod(op->text));
        ASSERT_GE(labels.size(), 2u);
        EXPECT_LE(labels.front(), c.low);
        EXPECT_GE(labels.back(), c.high);
        EXPECT_LT(labels.back() - labels.front(), 4 * (c.high - c.low));
        const auto curves = Curves(rc);
        ASSERT_EQ(curves.size(), 1u);
        // The line is on the plot, not off it.
        const Rect frame = Frame(rc);
        for (const auto& p : curves[0]->points) EXPECT_TRUE(p.y >= frame.top && p.y <= frame.bottom) << p.y;
    }
}

TEST(GraphLineEngine, FarOffPointsCostNoMoreThanThePlot) {
    // A value the scale cannot place is drawn past the plot edge: its band
    // column is cut at the plot, not built pixel by pixel out to it.
    struct Case {
        const char* name;
        int series;
        double value;
    };
    const Case cases[] = {
        {"largest high", model::GRAPH_HIGH, 1.7e308},
        {"largest best", model::GRAPH_BEST, 1.7e308},
        {"huge next to small", model::GRAPH_HIGH, 1e307},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::shared_ptr<model::SGraphData> rec = Ramp(24);
        rec->series[c.series][12] = c.value;
        const std::optional<RecordingCanvas> drawn = EndsWithinTwentySeconds([rec] {
            RecordingCanvas rc(kScreen);
            CDrawGraph(rc, *rec, Context(24), {0, 0, 800, 600}).Draw();
            return rc;
        });
        ASSERT_TRUE(drawn) << "the drawing does not end";
        const RecordingCanvas& rc = *drawn;
        const Rect frame = Frame(rc);
        std::size_t pixels = 0;
        for (const Op* op : rc.Find(OpKind::SetPixels)) pixels += op->pixels.size();
        EXPECT_LE(pixels, 2u * static_cast<std::size_t>(frame.right - frame.left + 1) * (frame.bottom - frame.top + 1));
        EXPECT_EQ(Curves(rc).size(), 1u);
    }
}

TEST(GraphLineEngine, LogAxisWithZerosAndMarksEndsWithoutWildPoints) {
    auto rec = Ramp(240);
    for (int i = 0; i < 240; ++i) {
        rec->series[model::GRAPH_BEST][i] = i % 7 == 0 ? 0.0 : 1e-200 * (i + 1);
        rec->series[model::GRAPH_LOW][i] = i % 5 == 0 ? -999.0 : 0.0;
        rec->series[model::GRAPH_HIGH][i] = i % 3 == 0 ? 5e3 : 1e-300;
    }
    rec->series[model::GRAPH_BEST][0] = 1e-100;
    const std::shared_ptr<const model::SGraphData> shared = std::move(rec);
    const std::optional<Rect> drawn = EndsWithinTwentySeconds([shared] {
        RecordingCanvas rc(kScreen);
        CDrawGraphLog(rc, *shared, Context(240, 2), {0, 0, 800, 600}, true).Draw();
        return rc.All().size() > 0 ? Frame(rc) : Rect{};
    });
    ASSERT_TRUE(drawn) << "the log axis does not end";
    const Rect frame = *drawn;
    EXPECT_GT(frame.bottom, frame.top);
    RecordingCanvas rc(kScreen);
    CDrawGraphLog(rc, *shared, Context(240, 2), {0, 0, 800, 600}, true).Draw();
    for (const Op* op : rc.All()) {
        for (const auto& p : op->points) {
            ASSERT_GT(p.x, INT_MIN / 2);
            ASSERT_LT(p.y, INT_MAX / 2);
            if (op->kind == OpKind::Polyline) {
                EXPECT_GE(p.y, frame.top);
                EXPECT_LE(p.y, frame.bottom);
            }
        }
    }
    const auto texts = Texts(rc);
    EXPECT_NE(std::find(texts.begin(), texts.end(), "1e-08"), texts.end());
}

TEST(GraphLineEngine, OneOrTwoStepsSpanTheWholePlot) {
    for (int steps : {1, 2}) {
        SCOPED_TRACE(steps);
        auto rec = Ramp(steps);
        RecordingCanvas rc(kScreen);
        CDrawGraph(rc, *rec, Context(steps), {0, 0, 800, 600}).Draw();
        const Rect frame = Frame(rc);
        const auto curves = Curves(rc);
        if (steps == 2) {
            ASSERT_EQ(curves.size(), 1u);
            EXPECT_EQ(curves[0]->points[1].x, frame.right);
        }
        EXPECT_GT(frame.right, frame.left);
    }
}

// ---- Budget ----

// Two steps: fractions (remaining, burned, skimmed, beached, dispersed,
// evaporated) of a total of 100 bbl.
std::unique_ptr<model::SBudgetData> TwoSteps(const double (&f0)[6], const double (&f1)[6], double total1 = 100) {
    auto rec = std::make_unique<model::SBudgetData>();
    model::CopySeriesLabel(rec->title, "Oil Budget");
    model::CopySeriesLabel(rec->units, "bbl");
    rec->count = 2;
    rec->hours = 2;
    rec->maxValue = 100;
    rec->minValue = 0;
    const int series[6] = {model::BUDGET_REMAINING, model::BUDGET_BURNED,    model::BUDGET_SKIMMED,
                           model::BUDGET_BEACHED,   model::BUDGET_DISPERSED, model::BUDGET_EVAPORATED};
    const char* names[6] = {"Remaining", "Burned", "Skimmed", "Beached", "Dispersed", "Evaporated"};
    for (int k = 0; k < 6; ++k) {
        rec->series[series[k]][0] = 100 * f0[k];
        rec->series[series[k]][1] = total1 * f1[k];
        if (f0[k] > 0 || f1[k] > 0) model::CopySeriesLabel(rec->names[series[k]], names[k]);
    }
    rec->series[model::BUDGET_TOTAL][0] = 100;
    rec->series[model::BUDGET_TOTAL][1] = total1;
    model::CopySeriesLabel(rec->names[model::BUDGET_TOTAL], "Total");
    return rec;
}

TEST(GraphBudgetEngine, StacksBetweenTopLineAndTimeAxis) {
    const double f0[6] = {0.5, 0.1, 0, 0, 0.1, 0.3};
    const double f1[6] = {0.25, 0.25, 0, 0, 0.25, 0.25};
    auto rec = TwoSteps(f0, f1);
    RecordingCanvas rc(kScreen);
    CDrawGraphBudget(rc, *rec, Context(2), {0, 0, 800, 600}).Draw();
    const auto polys = rc.Find(OpKind::Polygon);
    ASSERT_EQ(polys.size(), 6u);
    const Rect plot = Frame(rc);
    const int h = plot.bottom - plot.top;  // percent of the largest total: the whole plot
    const auto& rem = polys[0]->points;
    ASSERT_EQ(rem.size(), 4u);
    EXPECT_EQ(rem[0].y, plot.top + Rnd(h * 0.5));
    EXPECT_EQ(rem[2].y, plot.top);
    EXPECT_EQ(rem[3], (platform::Point{plot.left, plot.top}));
    EXPECT_EQ(rem[1].x, plot.right);
    const int b1 = plot.top + Rnd(h * 0.5), b2 = b1 + Rnd(h * 0.1), b5 = b2 + Rnd(h * 0.1);
    EXPECT_EQ(polys[1]->points.front().y, b2);  // burned from b2 back to b1
    EXPECT_EQ(polys[1]->points.back().y, b1);
    EXPECT_EQ(polys[2]->points.front().y, b2);  // skimmed: no height
    EXPECT_EQ(polys[4]->points.front().y, b5);
    const auto& evap = polys[5]->points;
    ASSERT_EQ(evap.size(), 4u);
    EXPECT_EQ(evap[0].y, b5);
    EXPECT_EQ(evap[2].y, plot.bottom);
    EXPECT_EQ(evap[3], (platform::Point{plot.left, plot.bottom}));
    // Screen: solid colours and the clip box erased first.
    EXPECT_EQ(polys[0]->state.brush, (platform::Brush{BrushStyle::Solid, {127, 127, 127}, Hatch::Horizontal}));
    EXPECT_EQ(polys[5]->state.brush, (platform::Brush{BrushStyle::Solid, {0, 0, 127}, Hatch::Horizontal}));
    const auto fills = rc.Find(OpKind::FillRect);
    ASSERT_FALSE(fills.empty());
    EXPECT_EQ(fills[0]->rect, (Rect{0, 0, 800, 600}));
    // Labels 0..100, the legend with the present fates only.
    const auto texts = Texts(rc);
    for (const char* label : {"0", "100", "Remaining", "Burned", "Dispersed", "Evaporated"})
        EXPECT_NE(std::find(texts.begin(), texts.end(), label), texts.end()) << label;
    for (const char* absent : {"Skimmed", "Beached"})
        EXPECT_EQ(std::find(texts.begin(), texts.end(), absent), texts.end()) << absent;
}

TEST(GraphBudgetEngine, BadTotalsGiveEmptyColumns) {
    struct Case {
        const char* name;
        double total1;
        double f1[6];
    };
    const Case cases[] = {
        {"total 0", 0, {0, 0, 0, 0, 0, 0}},
        {"fractions above 1", 100, {0.9, 0.5, 0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const double f0[6] = {0.5, 0.1, 0, 0, 0.1, 0.3};
        auto rec = TwoSteps(f0, c.f1, c.total1);
        RecordingCanvas rc(kScreen);
        CDrawGraphBudget g(rc, *rec, Context(2), {0, 0, 800, 600});
        const auto f = g.Fractions(1);
        for (double x : f) EXPECT_EQ(x, 0);
        g.Draw();
        const Rect plot = Frame(rc);
        const auto polys = rc.Find(OpKind::Polygon);
        ASSERT_EQ(polys.size(), 6u);
        EXPECT_EQ(polys[0]->points.size(), 4u);  // remaining along its own top line
        for (const Op* p : polys) {
            // Every boundary of the empty column sits on the time axis.
            const auto& pts = p->points;
            for (const auto& pt : pts) {
                EXPECT_GE(pt.y, plot.top);
                EXPECT_LE(pt.y, plot.bottom);
                if (pt.x == plot.right && p != polys[5]) {
                    EXPECT_EQ(pt.y, plot.bottom);
                }
            }
        }
    }
    // A missing fate counts 0 and is clamped.
    const double f0[6] = {0.5, 0.1, 0, 0, 0.1, 0.3};
    auto rec = TwoSteps(f0, f0);
    rec->series[model::BUDGET_BURNED][1] = -999;
    RecordingCanvas rc(kScreen);
    CDrawGraphBudget g(rc, *rec, Context(2), {0, 0, 800, 600});
    EXPECT_EQ(g.Fractions(1)[FateBurned], 0);
    EXPECT_DOUBLE_EQ(g.Fractions(1)[FateRemaining], 0.5);
}

TEST(GraphBudgetEngine, LegendOnlyAbove150Pixels) {
    const double f[6] = {0.5, 0.1, 0, 0, 0.1, 0.3};
    auto rec = TwoSteps(f, f);
    const DeviceInfo small{48, 48, {400, 400}, false};
    struct Case {
        const char* name;
        int size;
        bool legend;
        int clearRight;  // the plot clearing before narrowing: the right margin
    };
    // At 48 ppi: 2-px millimetres, 6-px font, "Evaporated" 40 x 8.
    const Case cases[] = {
        {"149: no room, no legend", 149, false, 149 - 10},
        {"150: room, no legend", 150, false, 150 - 10 - 48},
        {"151: legend", 151, true, 151 - 10 - 48},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingCanvas rc(small);
        CDrawGraphBudget(rc, *rec, Context(2), {0, 0, c.size, c.size}).Draw();
        const auto rects = rc.Find(OpKind::Rectangle);
        ASSERT_FALSE(rects.empty());
        EXPECT_EQ(rects[0]->rect.right, c.clearRight);
        EXPECT_EQ(rects.size(), c.legend ? 5u : 1u);  // plot clear + four legend boxes
        const auto texts = Texts(rc);
        EXPECT_EQ(std::find(texts.begin(), texts.end(), "Remaining") != texts.end(), c.legend);
    }
}

TEST(GraphBudgetEngine, PrinterHatchesInBlack) {
    const double f[6] = {0.5, 0.1, 0.05, 0.05, 0.1, 0.2};
    auto rec = TwoSteps(f, f);
    RecordingCanvas rc(kPrinter);
    CDrawGraphBudget(rc, *rec, Context(2), {0, 0, 800, 600}).Draw();
    EXPECT_TRUE(rc.Find(OpKind::FillRect).empty());
    EXPECT_EQ(rc.Find(OpKind::TextInRect)[0]->rect, (Rect{600, 600, 4500, 6000}));
    const auto polys = rc.Find(OpKind::Polygon);
    ASSERT_EQ(polys.size(), 6u);
    const Hatch hatches[6] = {Hatch::DiagCross, Hatch::Vertical,  Hatch::Horizontal,
                              Hatch::Cross,     Hatch::FDiagonal, Hatch::BDiagonal};
    for (int k = 0; k < 6; ++k) {
        EXPECT_EQ(polys[k]->state.brush, (platform::Brush{BrushStyle::Hatched, {0, 0, 0}, hatches[k]})) << k;
        EXPECT_EQ(polys[k]->state.pen, platform::kBlackPen);
    }
}

TEST(GraphBudgetEngine, NoRemainingNameIsNotAvailable) {
    const double f[6] = {0.5, 0.1, 0, 0, 0.1, 0.3};
    auto rec = TwoSteps(f, f);
    rec->names[model::BUDGET_REMAINING][0] = '\0';
    RecordingCanvas rc(kScreen);
    CDrawGraphBudget(rc, *rec, Context(2), {0, 0, 800, 600}).Draw();
    EXPECT_EQ(Texts(rc), (std::vector<std::string>{"Oil Budget (bbl)", "N/A"}));
    EXPECT_EQ(CountDrawing(rc), 0);
}

// A 10-hour continuous release drawn in each unit: in an amount unit each
// step's stack is as high as the oil released by then, so the fates read
// true on the scale; in percent and fraction every stack is whole.
TEST(GraphBudgetEngine, AmountStacksFollowAContinuousReleaseRelativeOnesStayWhole) {
    tavro_test::SolveScenario s;
    s.name = "10-hour continuous release";
    s.release = tavro_test::ERelease::Continuous;
    s.rate = 15.9;  // m3/h, 100 bbl/h
    s.endHour = 10;
    s.hours = 48;
    auto core = std::make_unique<model::CWeatheringCore>();
    ASSERT_EQ(tavro_test::RunSolveScenario(*core, s, 7, false), 0);
    struct Case {
        const char* name;
        int unit;
        bool amount;
    };
    const Case cases[] = {
        {"bbl", model::AMOUNT_BBL, true},          {"gal", model::AMOUNT_GAL, true},
        {"cu m", model::AMOUNT_CUM, true},         {"tons", model::AMOUNT_TONS, true},
        {"metric tons", model::AMOUNT_TONNES, true}, {"percent", model::AMOUNT_PERCENT, false},
        {"fraction", model::AMOUNT_FRACTION, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto rec = std::make_unique<model::SBudgetData>();
        model::CopySeriesLabel(rec->units, model::AmountUnitLabel(c.unit));
        core->GetBudgetSeries(*rec, c.unit);
        RecordingCanvas rc(kScreen);
        CDrawGraphBudget(rc, *rec, Context(core->nSteps, core->stepsPerHour), {0, 0, 800, 600}).Draw();
        const Rect plot = Frame(rc);
        const auto polys = rc.Find(OpKind::Polygon);
        ASSERT_EQ(polys.size(), 6u);
        const auto& evaporated = polys[FateEvaporated]->points;
        const std::size_t cols = evaporated.size() - 2;
        ASSERT_EQ(cols, static_cast<std::size_t>(rec->count));
        const auto& remaining = polys[FateRemaining]->points;
        // The top of column i: traced back along the columns, or one line.
        auto topOf = [&](std::size_t i) {
            return remaining.size() == 2 * cols ? remaining[2 * cols - 1 - i].y : remaining[cols].y;
        };
        const std::size_t last = cols - 1;
        const double total0 = rec->series[model::BUDGET_TOTAL][0];
        const double totalLast = rec->series[model::BUDGET_TOTAL][last];
        ASSERT_GT(total0, 0);
        if (!c.amount) {
            for (std::size_t i = 0; i < cols; ++i) ASSERT_EQ(topOf(i), plot.top) << "column " << i;
            continue;
        }
        ASSERT_LT(total0, totalLast / 10) << "half an hour of a 10-hour release";
        // The scale: the whole release at the last step.
        const double pxPerUnit = (plot.bottom - topOf(last)) / totalLast;
        EXPECT_NEAR((plot.bottom - topOf(0)) / pxPerUnit, total0, 3 / pxPerUnit) << "released at hour 0.5";
        const double evaporated0 = rec->series[model::BUDGET_EVAPORATED][0];
        EXPECT_NEAR((plot.bottom - evaporated[0].y) / pxPerUnit, evaporated0, 3 / pxPerUnit)
            << "evaporated at hour 0.5";
    }
}

// A title wider than its drawing rectangle ends in an ellipsis inside it
// (a narrow tile); one that fits is drawn whole.
TEST(GraphEngines, TitlesWiderThanTheirRectangleEndInAnEllipsis) {
    const double f[6] = {0.5, 0.1, 0, 0, 0.1, 0.3};
    const auto budget = TwoSteps(f, f);
    const auto line = Ramp(24);
    struct Case {
        const char* name;
        int width;
        bool whole;
    };
    const Case cases[] = {{"wide", 800, true}, {"narrow tile", 90, false}, {"tiny", 8, false}};
    for (const Case& c : cases) {
        for (int engine = 0; engine < 3; ++engine) {
            SCOPED_TRACE(std::string(c.name) + (engine == 0 ? " line" : engine == 1 ? " log" : " budget"));
            RecordingCanvas rc(kScreen);
            const Rect rect{0, 0, c.width, 300};
            std::string title;
            if (engine == 0) {
                CDrawGraph g(rc, *line, Context(24), rect);
                title = g.Title();
                g.Draw();
            } else if (engine == 1) {
                CDrawGraphLog g(rc, *line, Context(24), rect, false);
                title = g.Title();
                g.Draw();
            } else {
                CDrawGraphBudget g(rc, *budget, Context(2), rect);
                title = GraphTitle(*budget);
                g.Draw();
            }
            const auto texts = rc.Find(OpKind::TextInRect);
            ASSERT_FALSE(texts.empty());
            const std::string shown = texts[0]->text;
            if (c.whole) {
                EXPECT_EQ(shown, title);
                continue;
            }
            const std::string ellipsis = "\xE2\x80\xA6";
            ASSERT_TRUE(shown.ends_with(ellipsis)) << shown;
            EXPECT_TRUE(title.starts_with(shown.substr(0, shown.size() - ellipsis.size()))) << shown;
            rc.setFont(GraphFont(kScreen.ppiY));
            EXPECT_LE(rc.textExtent(shown).cx, c.width) << shown;
        }
    }
}

}  // namespace
