// The leaking-tank wizard's pictures of steps 1-5 as the recorder keeps
// them: the marks of each step, the tank's proportions and the levels
// following what is typed, and the defaults for text that does not read.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "platform/RecordingCanvas.h"
#include "ui/inputs/rules/TankPicture.h"
#include "ui/inputs/rules/TankResultPage.h"

using platform::Op;
using platform::OpKind;
using platform::Rect;
using platform::RecordingCanvas;
using platform::Rgb;
using namespace ui;

namespace {

const Rect kArea{10, 20, 610, 420};

RecordingCanvas Draw(int step, const TankWizardForms& typed, const document::Scenario& s, Rect area = kArea) {
    RecordingCanvas rc;
    DrawTankPicture(rc, area, step, typed, s);
    return rc;
}

std::vector<std::string> Texts(const RecordingCanvas& rc) {
    std::vector<std::string> texts;
    for (const Op* op : rc.Find(OpKind::Text)) texts.push_back(op->text);
    std::sort(texts.begin(), texts.end());
    return texts;
}

// The first op of a kind drawn with a brush of that colour (FillRect: its
// own brush).
const Op* Filled(const RecordingCanvas& rc, OpKind kind, Rgb colour) {
    for (const Op* op : rc.Find(kind))
        if ((kind == OpKind::FillRect ? op->brush.colour : op->state.brush.colour) == colour) return op;
    return nullptr;
}

Rect Bounds(const Op& op) {
    if (op.points.empty()) return op.rect;
    Rect r{op.points[0].x, op.points[0].y, op.points[0].x, op.points[0].y};
    for (const platform::Point& p : op.points) {
        r.left = std::min(r.left, p.x), r.right = std::max(r.right, p.x);
        r.top = std::min(r.top, p.y), r.bottom = std::max(r.bottom, p.y);
    }
    return r;
}

// Steps 1 and 3-5 answered: a 4 m x 2 m x 2 m tank a quarter full (4 cu m)
// with a 10 cm circular opening 0.3 m up.
document::Scenario StoredTank() {
    document::Scenario s;
    model::InputTank& t = s.tank;
    t.tLength = 4, t.tWidth = 2, t.tHeight = 2, t.tUnits = 1;
    t.oVol = 4, t.oUnits = 3;
    t.hDiam = 0.1, t.hArea = 0.1 * 0.1 * 3.14 / 4, t.hUnits = 1;
    t.zHeight = 0.3, t.zUnits = 1;
    s.m_bHoleRound = 1;
    return s;
}

TankWizardForms Typed(const std::function<void(TankWizardForms&)>& fill) {
    TankWizardForms f;
    fill(f);
    return f;
}

TEST(TankPicture, EachStepMarksWhatItAsksAndStaysInItsArea) {
    struct Case {
        const char* name;
        int step;
        TankWizardForms typed;
        std::vector<std::string> marks;  // sorted
    };
    const Case cases[] = {
        {"step 1", 1, Typed([](TankWizardForms& f) { f.size = {"3", "2", "1", 0}; }), {"Height", "Length", "Width"}},
        {"step 2", 2, Typed([](TankWizardForms& f) { f.amount = {false, "", 0, "40"}; }), {"Liquid level"}},
        {"step 3 circle", 3, Typed([](TankWizardForms& f) { f.opening = {true, "20", 1, "", "", 0}; }), {"Diameter"}},
        {"step 3 rectangle", 3, Typed([](TankWizardForms& f) { f.opening = {false, "", 0, "30", "10", 1}; }),
         {"Height", "Length"}},
        {"step 4", 4, Typed([](TankWizardForms& f) { f.holeHeight = {true, "0.5", 0, ""}; }), {"Hole height"}},
        {"step 5", 5, Typed([](TankWizardForms& f) { f.waterLevel = {false, "", 0, "30"}; }), {"Water level"}},
        {"step 6 has none", 6, {}, {}},
    };
    const Rect areas[] = {kArea, {0, 0, 220, 180}, {5, 5, 700, 160}, {0, 0, 160, 400}};
    for (const Case& c : cases) {
        for (const Rect& area : areas) {
            const std::string name = std::string(c.name) + " in " + std::to_string(area.width()) + "x" +
                                     std::to_string(area.height());
            const RecordingCanvas rc = Draw(c.step, c.typed, StoredTank(), area);
            EXPECT_EQ(Texts(rc), c.marks) << name;
            EXPECT_EQ(Filled(rc, OpKind::Rectangle, kPictureFrontColour) != nullptr, c.step <= 5) << name;
            for (const Op* op : rc.All()) {
                if (op->kind == OpKind::Text) {
                    const platform::Size size = platform::FixedTextExtent(op->state.font, op->text);
                    const int left = op->halign == platform::HAlign::Left     ? op->points[0].x
                                     : op->halign == platform::HAlign::Right  ? op->points[0].x - size.cx
                                                                              : op->points[0].x - size.cx / 2;
                    EXPECT_GE(left, area.left) << name << ": " << op->text;
                    EXPECT_LE(left + size.cx, area.right) << name << ": " << op->text;
                    EXPECT_GE(op->points[0].y, area.top) << name << ": " << op->text;
                    EXPECT_LE(op->points[0].y + size.cy, area.bottom) << name << ": " << op->text;
                } else if (!op->points.empty() || op->kind == OpKind::Rectangle || op->kind == OpKind::FillRect) {
                    const Rect r = Bounds(*op);
                    EXPECT_TRUE(r.left >= area.left && r.right <= area.right && r.top >= area.top &&
                                r.bottom <= area.bottom)
                        << name << ": op " << static_cast<int>(op->kind) << " at " << r.left << "," << r.top << "-"
                        << r.right << "," << r.bottom;
                }
            }
        }
    }
}

// Step 1 draws the tank typed; text that does not read as a size gives
// the default tank (3 x 2 x 2).
TEST(TankPicture, TheTankFollowsTheSizeTyped) {
    struct Case {
        const char* name;
        TankSizeForm size;
        double frontRatio;  // length / height
        double depthRatio;  // receding width / height: 0.35 x width / height
    };
    const Case cases[] = {
        {"6 x 1.5 x 2 m", {"6", "1.5", "2", 0}, 3, 0.2625},
        {"2 x 4 x 4 feet", {"2", "4", "4", 1}, 0.5, 0.35},
        {"blanks around a number", {" 5 ", "2", "2.5", 0}, 2, 0.28},
        {"blank width: the default", {"6", "", "2", 0}, 1.5, 0.35},
        {"letters: the default", {"6", "abc", "2", 0}, 1.5, 0.35},
        {"a number then letters: the default", {"6", "2", "2m", 0}, 1.5, 0.35},
        {"zero: the default", {"0", "2", "2", 0}, 1.5, 0.35},
        {"negative: the default", {"-6", "2", "2", 0}, 1.5, 0.35},
        {"25 to 1 is drawn 6 to 1", {"25", "2", "1", 0}, 6, 0.35},
    };
    for (const Case& c : cases) {
        TankWizardForms typed;
        typed.size = c.size;
        const RecordingCanvas rc = Draw(1, typed, StoredTank());
        const Op* front = Filled(rc, OpKind::Rectangle, kPictureFrontColour);
        const Op* top = Filled(rc, OpKind::Polygon, kPictureTopColour);
        ASSERT_TRUE(front && top) << c.name;
        const double height = front->rect.height();
        EXPECT_NEAR(front->rect.width() / height, c.frontRatio, 0.02 * c.frontRatio) << c.name;
        EXPECT_NEAR((top->points[1].x - top->points[0].x) / height, c.depthRatio, 0.02) << c.name;
    }
    // Steps 2-5 draw the tank step 1 stored.
    for (int step = 2; step <= 5; ++step) {
        const RecordingCanvas drawn = Draw(step, {}, StoredTank());
        const Op* front = Filled(drawn, OpKind::Rectangle, kPictureFrontColour);
        ASSERT_TRUE(front);
        EXPECT_NEAR(front->rect.width() / double(front->rect.height()), 2, 0.04) << "step " << step;
    }
}

// The liquid (step 2), the opening's bottom (step 4) and the water outside
// (step 5) at the height typed, in parts of the tank's 2 m; a default
// where the text does not read or does not fit in the tank.
TEST(TankPicture, LevelsFollowWhatIsTyped) {
    enum Measure { Liquid, HoleBottom, Water };
    struct Case {
        const char* name;
        int step;
        std::function<void(TankWizardForms&)> fill;
        Measure measure;
        double part;
    };
    const Case cases[] = {
        {"25 % full", 2, [](TankWizardForms& f) { f.amount = {false, "", 0, "25"}; }, Liquid, 0.25},
        {"6 cu m in 16", 2, [](TankWizardForms& f) { f.amount = {true, "6", 2, ""}; }, Liquid, 0.375},
        {"50 bbl (7.95 cu m)", 2, [](TankWizardForms& f) { f.amount = {true, "50", 0, ""}; }, Liquid, 0.4968},
        {"200 cu feet (5.66 cu m)", 2, [](TankWizardForms& f) { f.amount = {true, "200", 3, ""}; }, Liquid, 0.3539},
        {"more than the tank holds", 2, [](TankWizardForms& f) { f.amount = {true, "20", 2, ""}; }, Liquid, 0.6},
        {"0 %", 2, [](TankWizardForms& f) { f.amount = {false, "", 0, "0"}; }, Liquid, 0.6},
        {"101 %", 2, [](TankWizardForms& f) { f.amount = {false, "", 0, "101"}; }, Liquid, 0.6},
        {"hole 0.8 m up", 4, [](TankWizardForms& f) { f.holeHeight = {true, "0.8", 0, ""}; }, HoleBottom, 0.4},
        {"hole 2.4 feet up", 4, [](TankWizardForms& f) { f.holeHeight = {true, "2.4", 1, ""}; }, HoleBottom, 0.36576},
        {"hole at 70 %", 4, [](TankWizardForms& f) { f.holeHeight = {false, "", 0, "70"}; }, HoleBottom, 0.7},
        {"hole at the bottom", 4, [](TankWizardForms& f) { f.holeHeight = {true, "0", 0, ""}; }, HoleBottom, 0},
        {"hole reaching over the top", 4, [](TankWizardForms& f) { f.holeHeight = {true, "1.95", 0, ""}; }, HoleBottom, 0.25},
        {"hole height of letters", 4, [](TankWizardForms& f) { f.holeHeight = {true, "x", 0, ""}; }, HoleBottom, 0.25},
        {"water 1.5 m", 5, [](TankWizardForms& f) { f.waterLevel = {true, "1.5", 0, ""}; }, Water, 0.75},
        {"water 3.2808 feet", 5, [](TankWizardForms& f) { f.waterLevel = {true, "3.2808", 1, ""}; }, Water, 0.5},
        {"water at 40 %", 5, [](TankWizardForms& f) { f.waterLevel = {false, "", 0, "40"}; }, Water, 0.4},
        {"water over the tank", 5, [](TankWizardForms& f) { f.waterLevel = {true, "2.5", 0, ""}; }, Water, 0.35},
        {"water level empty", 5, [](TankWizardForms& f) { f.waterLevel = {true, "", 0, ""}; }, Water, 0.35},
    };
    for (const Case& c : cases) {
        const RecordingCanvas rc = Draw(c.step, Typed(c.fill), StoredTank());
        const Op* front = Filled(rc, OpKind::Rectangle, kPictureFrontColour);
        ASSERT_TRUE(front) << c.name;
        int y = 0;
        if (c.measure == HoleBottom) {
            const Op* hole = Filled(rc, OpKind::Polygon, kTankHoleColour);
            ASSERT_TRUE(hole) << c.name;
            y = Bounds(*hole).bottom;
        } else {
            const Op* fill = Filled(rc, OpKind::FillRect, c.measure == Liquid ? kPictureLiquidColour : kPictureWaterColour);
            ASSERT_TRUE(fill) << c.name;
            y = fill->rect.top;
        }
        EXPECT_NEAR((front->rect.bottom - y) / double(front->rect.height()), c.part, 0.015) << c.name;
    }
    // The quarter-full tank stored shows on the later steps, with the
    // opening 0.3 m up.
    for (int step = 3; step <= 5; ++step) {
        const RecordingCanvas rc = Draw(step, {}, StoredTank());
        const Op* front = Filled(rc, OpKind::Rectangle, kPictureFrontColour);
        const Op* liquid = Filled(rc, OpKind::FillRect, kPictureLiquidColour);
        ASSERT_TRUE(front && liquid) << "step " << step;
        EXPECT_NEAR((front->rect.bottom - liquid->rect.top) / double(front->rect.height()), 0.25, 0.015) << step;
        if (step == 5) {
            const Op* hole = Filled(rc, OpKind::Polygon, kTankHoleColour);
            ASSERT_TRUE(hole);
            EXPECT_NEAR((front->rect.bottom - Bounds(*hole).bottom) / double(front->rect.height()), 0.15, 0.015);
        }
    }
    // Nothing stored: a default tank without liquid, water or opening on
    // step 5.
    const RecordingCanvas bare = Draw(5, {}, document::Scenario());
    EXPECT_FALSE(Filled(bare, OpKind::FillRect, kPictureLiquidColour));
    EXPECT_FALSE(Filled(bare, OpKind::Polygon, kTankHoleColour));
    EXPECT_TRUE(Filled(bare, OpKind::FillRect, kPictureWaterColour));
}

// Step 3: the opening as typed, circle or rectangle, in its proportions
// (to the tank's scale when large enough to be seen).
TEST(TankPicture, TheOpeningShowsItsShape) {
    struct Case {
        const char* name;
        TankOpeningForm opening;
        bool round;
        double aspect;        // across / high
        double partOfHeight;  // high / the front's height; 0: not checked (enlarged to be seen)
    };
    const Case cases[] = {
        {"a 70 cm circle", {true, "70", 1, "", "", 0}, true, 1, 0.35},
        {"a 5 cm circle, enlarged", {true, "5", 1, "", "", 0}, true, 1, 0},
        {"1.5 m x 0.5 m", {false, "", 0, "1.5", "0.5", 0}, false, 3, 0.25},
        {"30 x 10 inches", {false, "", 0, "30", "10", 3}, false, 3, 0.127},
        {"12 to 1 is drawn 6 to 1", {false, "", 0, "60", "5", 1}, false, 6, 0},
        {"a rectangle without height: the default", {false, "", 0, "60", "", 1}, false, 2, 0},
        {"a circle of letters: the default", {true, "abc", 1, "", "", 0}, true, 1, 0},
    };
    for (const Case& c : cases) {
        TankWizardForms typed;
        typed.opening = c.opening;
        const RecordingCanvas rc = Draw(3, typed, StoredTank());
        const Op* front = Filled(rc, OpKind::Rectangle, kPictureFrontColour);
        const Op* hole = Filled(rc, c.round ? OpKind::Polygon : OpKind::Rectangle, kTankHoleColour);
        ASSERT_TRUE(front && hole) << c.name;
        EXPECT_FALSE(Filled(rc, c.round ? OpKind::Rectangle : OpKind::Polygon, kTankHoleColour)) << c.name;
        if (c.round) {
            EXPECT_GE(hole->points.size(), 24u) << c.name;
        }
        const Rect r = Bounds(*hole);
        EXPECT_NEAR(r.width() / double(r.height()), c.aspect, 0.06 * c.aspect) << c.name;
        if (c.partOfHeight > 0) {
            EXPECT_NEAR(r.height() / double(front->rect.height()), c.partOfHeight, 0.015) << c.name;
        } else {
            EXPECT_GE(std::max(r.width(), r.height()), 12 * platform::mmPixels(96) - 2) << c.name;
        }
        // The opening's bottom stays where step 4 stored it: 0.3 m of 2 m.
        EXPECT_NEAR((front->rect.bottom - r.bottom) / double(front->rect.height()), 0.15, 0.015) << c.name;
    }
}

}  // namespace
