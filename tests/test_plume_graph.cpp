// The smoke plume's graph and printed page on the recorder canvas.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "platform/RecordingCanvas.h"
#include "test_document_helpers.h"
#include "ui/inputs/rules/PlumeGraph.h"
#include "ui/inputs/rules/SmokePlumeRules.h"

namespace {

using platform::OpKind;
using platform::RecordingCanvas;

// A realistic burn: 2000 sq ft of 10 mm crude, 150 ugm/m3, 12 knots, 20 C.
struct RealBurn : document_test::FakePorts {
    RealBurn() : FakePorts(document_test::kSolvableStart), doc(document::OilLibraries{}, Ports()) {
        document::Scenario& s = doc.scenario;
        s.SpillTime = document_test::kSolvableStart;
        s.mInSituBurnPageUse[0] = 1;
        s.m_dBurnArea[0] = 2000;
        s.m_dBurnThickness[0] = 10;
        s.InSituBurnTime[0] = document_test::kSolvableStart + 19 * 3600;
        ui::SmokePlumeRules rules(doc, 0);
        const ui::CheckResult r = rules.Next({"150", "20", 1, "12", 1}, plume);
        EXPECT_TRUE(r.ok());
        if (plume) summary = rules.Summary(*plume);
    }
    document::SpillDocCore doc;
    std::unique_ptr<model::SPlumeGraphData> plume;
    ui::PlumeSummary summary;
};

// The contours: the polylines drawn with a pen wider than the frame's.
std::vector<const platform::Op*> Curves(const RecordingCanvas& c) {
    std::vector<const platform::Op*> out;
    for (const platform::Op* op : c.Find(OpKind::Polyline))
        if (op->state.pen.width > 1) out.push_back(op);
    return out;
}

std::vector<std::string> Texts(const RecordingCanvas& c) {
    std::vector<std::string> out;
    for (const platform::Op* op : c.All())
        if (op->kind == OpKind::Text || op->kind == OpKind::TextInRect) out.push_back(op->text);
    return out;
}

bool Has(const std::vector<std::string>& texts, const std::string& t) {
    return std::find(texts.begin(), texts.end(), t) != texts.end();
}

TEST(PlumeGraph, ARealRunDrawsTwoContourPairsWithAxes) {
    RealBurn burn;
    ASSERT_NE(burn.plume, nullptr);
    RecordingCanvas c({96, 96, {600, 360}, false});
    const output::SmallGraphLayout layout = ui::DrawPlumeGraph(c, {0, 0, 600, 360}, *burn.plume, ui::PlumeMedium::Screen);
    EXPECT_TRUE(layout.drawn);
    const auto curves = Curves(c);
    ASSERT_EQ(curves.size(), 4u);
    for (int i = 0; i < 4; ++i) {
        EXPECT_GT(curves[i]->points.size(), 10u) << i;
        EXPECT_EQ(curves[i]->state.pen.width, 3) << i;
        EXPECT_EQ(curves[i]->state.pen.colour, i < 2 ? ui::kPlumeNeutralColour : ui::kPlumeStableColour) << i;
        for (const platform::Point& p : curves[i]->points)
            EXPECT_TRUE(p.x >= layout.box.left && p.x <= layout.box.right && p.y >= layout.box.top &&
                        p.y <= layout.box.bottom)
                << "curve " << i << " leaves the box at " << p.x << "," << p.y;
    }
    const auto texts = Texts(c);
    EXPECT_TRUE(Has(texts, "Smoke plume (assumes long duration burn)"));
    EXPECT_TRUE(Has(texts, "Downwind distance (m)"));
    EXPECT_FALSE(Has(texts, "N/A"));
    EXPECT_GE(texts.size(), 6u) << "axis labels";
}

TEST(PlumeGraph, TextsAreTransparentOnScreenAndPaper) {
    RealBurn burn;
    ASSERT_NE(burn.plume, nullptr);
    for (ui::PlumeMedium medium : {ui::PlumeMedium::Screen, ui::PlumeMedium::Paper}) {
        const char* name = medium == ui::PlumeMedium::Screen ? "screen" : "paper";
        RecordingCanvas c({96, 96, {600, 360}, medium == ui::PlumeMedium::Paper});
        ui::DrawPlumeGraph(c, {0, 0, 600, 360}, *burn.plume, medium);
        const auto texts = Texts(c);
        EXPECT_TRUE(Has(texts, "Smoke plume (assumes long duration burn)")) << name;
        EXPECT_TRUE(Has(texts, "Downwind distance (m)")) << name;
        for (const platform::Op* op : c.All()) {
            if (op->kind == OpKind::Text || op->kind == OpKind::TextInRect) {
                EXPECT_FALSE(op->state.opaqueText) << name << ": \"" << op->text << "\" has a box";
            }
        }
    }
}

TEST(PlumeGraph, AMissingFirstPointDrawsOnlyTheTitleAndNA) {
    RealBurn burn;
    ASSERT_NE(burn.plume, nullptr);
    for (int series = 0; series < 6; ++series) {
        model::SPlumeGraphData plume = *burn.plume;
        plume.series[series][0] = -1;
        RecordingCanvas c({96, 96, {600, 360}, false});
        ui::DrawPlumeGraph(c, {0, 0, 600, 360}, plume, ui::PlumeMedium::Screen);
        EXPECT_EQ(Texts(c), (std::vector<std::string>{"Smoke plume (assumes long duration burn)", "N/A"}))
            << "series " << series;
        EXPECT_TRUE(Curves(c).empty()) << "series " << series;
    }
}

TEST(PlumeGraph, ThePrintedPage) {
    RealBurn burn;
    ASSERT_NE(burn.plume, nullptr);
    const int ppi = 300;
    const platform::Size page{2550, 3300};  // letter
    RecordingCanvas c({ppi, ppi, page, true});
    std::string headerTitle;
    int footers = 0;
    ui::PlumePageFrame frame;
    frame.header = [&](platform::Canvas&, std::string_view title) { headerTitle = title; };
    frame.footer = [&](platform::Canvas&) { ++footers; };
    ui::PrintPlumePage(c, burn.summary, *burn.plume, frame);
    EXPECT_EQ(headerTitle, "Smoke Plume");
    EXPECT_EQ(footers, 1);
    EXPECT_EQ(c.Pages().size(), 1u);
    const auto texts = Texts(c);
    for (const std::string* line : {&burn.summary.time, &burn.summary.duration, &burn.summary.loc, &burn.summary.area,
                                    &burn.summary.airTemp, &burn.summary.wind, &burn.summary.oil})
        EXPECT_TRUE(Has(texts, *line)) << *line;
    EXPECT_TRUE(Has(texts, "Height Above Water Surface"));
    EXPECT_TRUE(Has(texts, "Neutral Stability"));
    EXPECT_TRUE(Has(texts, "Stable Stability"));
    // The legend: a dashed line for neutral, a solid one for stable, width 5.
    std::vector<platform::PenStyle> legend;
    for (const platform::Op* op : c.Find(OpKind::Line))
        if (op->state.pen.width == 5) legend.push_back(op->state.pen.style);
    EXPECT_EQ(legend, (std::vector<platform::PenStyle>{platform::PenStyle::Dash, platform::PenStyle::Solid}));
    // The curves, dashed then solid, inside the one-inch margins and under the summary.
    const auto curves = Curves(c);
    ASSERT_EQ(curves.size(), 4u);
    const platform::Rect area = ui::PlumePaperArea(c);
    EXPECT_EQ(area.left, ppi);
    EXPECT_EQ(area.right, page.cx - ppi);
    EXPECT_EQ(area.bottom, page.cy - ppi);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(curves[i]->state.pen.style, i < 2 ? platform::PenStyle::Dash : platform::PenStyle::Solid) << i;
        for (const platform::Point& p : curves[i]->points)
            EXPECT_TRUE(area.contains(p)) << "curve " << i << " at " << p.x << "," << p.y;
    }
    for (const platform::Op* op : c.All())
        if (op->kind == OpKind::Text) {
            EXPECT_GE(op->points[0].x, ppi / 2) << op->text;
            EXPECT_LE(op->points[0].y, page.cy - ppi) << op->text;
        }
}

}  // namespace
