// The canvas helpers, the recorder and the SVG writer.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/Canvas.h"
#include "platform/Files.h"
#include "platform/RecordingCanvas.h"
#include "platform/SvgWriter.h"
#include "test_temp_dir.h"

namespace {

using namespace platform;

TEST(Canvas, MillimetresAndPoints) {
    struct Case {
        const char* name;
        int ppi, mm, ninePoints;
    };
    const Case cases[] = {
        {"screen 96", 96, 4, 12}, {"screen 120", 120, 5, 15}, {"printer 300", 300, 12, 37},
        {"printer 600", 600, 24, 75}, {"72", 72, 3, 9},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(mmPixels(c.ppi), c.mm);
        EXPECT_EQ(fontPx(9, c.ppi), c.ninePoints);
    }
}

TEST(Canvas, FixedMetrics) {
    const TextMetrics m = FixedTextMetrics({Face::UiSans, 12, 400, false});
    EXPECT_EQ(m, (TextMetrics{15, 12, 3, 8}));
    EXPECT_EQ(FixedTextExtent({Face::Mono, 10, 400, true}, "abc"), (Size{18, 12}));
    // Characters, not bytes.
    EXPECT_EQ(FixedTextExtent({Face::Arial, 10, 400, false}, "\xC3\xA9t\xC3\xA9"), (Size{18, 12}));
    EXPECT_EQ(FixedTextExtent({Face::Arial, 10, 400, false}, ""), (Size{0, 12}));
}

TEST(Canvas, TabbedLinesAndBlocks) {
    RecordingCanvas rc;
    rc.setFont({Face::Mono, 10, 400, true});  // 6 px a character, 12 high
    struct Case {
        const char* name;
        const char* line;
        int tab, origin;
        Size extent;
        std::vector<std::pair<int, std::string>> pieces;  // x and text of each piece
    };
    const Case cases[] = {
        {"plain", "abc", 40, 0, {18, 12}, {{10, "abc"}}},
        {"tab to the next stop", "ab\tc", 40, 10, {46, 12}, {{10, "ab"}, {50, "c"}}},
        {"tab on a stop moves a whole stop", "abcde\tf", 30, 10, {66, 12}, {{10, "abcde"}, {70, "f"}}},
        {"empty line: one font height", "", 40, 0, {0, 12}, {}},
        {"leading tab", "\tx", 40, 10, {46, 12}, {{50, "x"}}},
        {"no tab width: tabs ignored", "a\tb", 0, 10, {12, 12}, {{10, "a"}, {16, "b"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingCanvas r;
        r.setFont({Face::Mono, 10, 400, true});
        EXPECT_EQ(drawTabbedLine(r, {10, 5}, c.line, c.tab, c.origin), c.extent);
        const auto texts = r.Find(OpKind::Text);
        ASSERT_EQ(texts.size(), c.pieces.size());
        for (std::size_t i = 0; i < texts.size(); ++i) {
            EXPECT_EQ(texts[i]->points[0], (Point{c.pieces[i].first, 5}));
            EXPECT_EQ(texts[i]->text, c.pieces[i].second);
        }
    }
    EXPECT_EQ(drawTextBlock(rc, {0, 0}, "one\n\nthree33", 40), (Size{42, 36}));
    const auto lines = rc.Find(OpKind::Text);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[1]->points[0], (Point{0, 24}));
}

TEST(Canvas, RecorderKeepsStateClipAndPages) {
    RecordingCanvas rc({600, 600, {5100, 6600}, true});
    EXPECT_EQ(rc.clipBox(), (Rect{0, 0, 5100, 6600}));
    rc.save();
    rc.setPen({PenStyle::Dash, 1, {1, 2, 3}});
    rc.setClip({10, 10, 20, 20});
    rc.line({0, 0}, {5, 5});
    EXPECT_EQ(rc.clipBox(), (Rect{10, 10, 20, 20}));
    rc.restore();
    rc.line({1, 1}, {2, 2});
    rc.endPage();
    rc.startPage();
    rc.text({3, 3}, "p2", HAlign::Left, VAlign::Top);
    const auto lines = rc.Find(OpKind::Line);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0]->state.pen.style, PenStyle::Dash);
    EXPECT_TRUE(lines[0]->state.clipped);
    EXPECT_EQ(lines[1]->state.pen, kBlackPen);  // restored
    EXPECT_FALSE(lines[1]->state.clipped);
    ASSERT_EQ(rc.Pages().size(), 2u);
    EXPECT_EQ(rc.Pages()[1].back().text, "p2");
    // A restore without a save changes nothing.
    rc.restore();
    EXPECT_EQ(rc.State().pen, kBlackPen);
}

TEST(Canvas, RecorderMeasuresThroughAnotherCanvas) {
    RecordingCanvas measure;  // stands in for a real device
    RecordingCanvas rc({}, &measure);
    rc.setFont({Face::UiSans, 20, 400, false});
    EXPECT_EQ(rc.textExtent("ab"), (Size{24, 24}));
    EXPECT_EQ(measure.State().font.heightPx, 20);
}

TEST(SvgWriter, ElementsPatternsPixelsAndPages) {
    RecordingCanvas rc({96, 96, {200, 100}, false});
    rc.setPen({PenStyle::Dash, 1, {255, 0, 0}});
    rc.line({0, 0}, {10, 0});
    rc.setBrush({BrushStyle::Hatched, {0, 0, 0}, Hatch::DiagCross});
    rc.polygon(std::vector<Point>{{0, 0}, {10, 0}, {10, 10}});
    rc.setPixels(std::vector<Pixel>{{5, 5, {1, 2, 3}}, {6, 7, {4, 5, 6}}, {-5, 500, {0, 0, 0}}});
    rc.setPixels(std::vector<Pixel>{{8, 8, {9, 9, 9}}});
    rc.text({50, 50}, "a<b & \"c\"", HAlign::Centre, VAlign::Baseline);
    const auto pages = SvgPages(rc);
    ASSERT_EQ(pages.size(), 1u);
    const std::string& svg = pages[0];
    EXPECT_NE(svg.find("<svg xmlns=\"http://www.w3.org/2000/svg\""), std::string::npos);
    EXPECT_NE(svg.find("stroke=\"#ff0000\""), std::string::npos);
    EXPECT_NE(svg.find("stroke-dasharray"), std::string::npos);
    EXPECT_NE(svg.find("<pattern id=\"hatch5_000000\""), std::string::npos);
    EXPECT_NE(svg.find("fill=\"url(#hatch5_000000)\""), std::string::npos);
    EXPECT_NE(svg.find("a&lt;b &amp; &quot;c&quot;"), std::string::npos);
    EXPECT_NE(svg.find("<text x=\"50\" y=\"50\" text-anchor=\"middle\""), std::string::npos);
    // All pixels of the page in one bitmap over their box (4 x 4 at 5,5).
    std::size_t images = 0;
    for (std::size_t at = svg.find("<image"); at != std::string::npos; at = svg.find("<image", at + 1)) ++images;
    EXPECT_EQ(images, 1u);
    EXPECT_NE(svg.find("<image x=\"5\" y=\"5\" width=\"4\" height=\"4\""), std::string::npos);
    EXPECT_NE(svg.find("data:image/bmp;base64,Qk"), std::string::npos);

    tavro_test::TempDir dir;
    rc.endPage();
    rc.startPage();
    rc.line({0, 0}, {1, 1});
    ASSERT_TRUE(WriteSvgFiles(rc, dir / "g.svg"));
    EXPECT_EQ(dir.Names(), (std::vector<std::string>{"g-1.svg", "g-2.svg"}));
    std::string error;
    EXPECT_FALSE(WriteSvgFiles(rc, dir / "missing/g.svg", &error));
    EXPECT_FALSE(error.empty());
}

}  // namespace
