// The graph axes as pure functions: linear, logarithmic, budget and time.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include "output/core/GraphAxes.h"
#include "platform/NumText.h"
#include "tests/support/TimeZone.h"

namespace {

using namespace output;

TEST(GraphLinearAxis, StepsAndBottom) {
    struct Case {
        const char* name;
        double min, max;
        int height;
        int bands, bandPx;
        double step, bottom;
    };
    const Case cases[] = {
        {"0 to 37.3", 0, 37.3, 300, 5, 60, 10, 0},
        {"850 to 870: bottom on the finer unit", 850, 870, 300, 5, 60, 5, 846},
        {"bottom clipped at 0", 1, 40, 300, 5, 60, 10, 0},
        {"band grows by a millimetre", 0, 37.3, 330, 5, 64, 10, 0},
        {"short plot: one band, no higher than the plot", 0, 37.3, 40, 1, 40, 50, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const LinearAxis ax = ComputeLinearAxis(c.min, c.max, c.height, 4);
        ASSERT_TRUE(ax.ok);
        EXPECT_EQ(ax.bands, c.bands);
        EXPECT_EQ(ax.bandPx, c.bandPx);
        EXPECT_DOUBLE_EQ(ax.step, c.step);
        EXPECT_DOUBLE_EQ(ax.bottom, c.bottom);
    }
}

TEST(GraphLinearAxis, EveryRangeFitsOnTheAxis) {
    struct Case {
        const char* name;
        double min, max;
        int height = 300;
    };
    const Case cases[] = {
        {"tiny range", 5, 5.0001}, {"large", 0, 1.3e9},   {"small values", 1e-7, 3e-7},
        {"percent", 0, 100},       {"density", 850, 990}, {"plot lower than a band", 0, 93, 55},
        {"plot of 2 px", 0.05, 1.08, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const LinearAxis ax = ComputeLinearAxis(c.min, c.max, c.height, 4);
        ASSERT_TRUE(ax.ok);
        EXPECT_LE(ax.bands * ax.bandPx, c.height);  // the top grid line is on the plot
        const double lo = c.min, hi = c.max;
        EXPECT_GE(ax.bottom, 0);
        EXPECT_LE(ax.bottom, lo + 1e-12 * hi);
        EXPECT_GE(ax.bottom + ax.bands * ax.step, hi - 1e-12 * hi);
        // The step is 1, 2 or 5 times a power of ten.
        const double mant = ax.step / std::pow(10.0, std::floor(std::log10(ax.step) + 1e-9));
        EXPECT_TRUE(std::fabs(mant - 1) < 1e-6 || std::fabs(mant - 2) < 1e-6 || std::fabs(mant - 5) < 1e-6) << mant;
    }
}

TEST(GraphLinearAxis, FlatOrBrokenRangeHasNoStep) {
    EXPECT_FALSE(ComputeLinearAxis(7, 7, 300, 4).ok);
    EXPECT_FALSE(ComputeLinearAxis(0, 0, 300, 4).ok);
    EXPECT_FALSE(ComputeLinearAxis(0, INFINITY, 300, 4).ok);
    EXPECT_FALSE(ComputeLinearAxis(NAN, 3, 300, 4).ok);
}

TEST(GraphLogAxis, DecadesBandsAndLabels) {
    struct Case {
        const char* name;
        double min, max;
        int height;
        bool benzene;
        std::vector<std::string> labels;
        int perBand;
    };
    const Case cases[] = {
        {"50 to 20000", 50, 20000, 300, false, {"10", "100", "1000", "10000", "100000"}, 1},
        {"benzene topped at 1", 0.02, 0.3, 300, true, {"0.01", "0.1", "1"}, 1},
        {"same range without the flag", 0.02, 0.3, 300, false, {"0.01", "0.1", "1"}, 1},
        {"benzene above 1 keeps its top", 0.02, 30, 300, true, {"0.01", "0.1", "1", "10", "100"}, 1},
        {"12 decades in 200 px: halved twice", 1e-6, 1e6, 200, false, {"1e-06", "0.01", "100", "1e+06"}, 4},
        {"odd count halved: top raised", 1, 1e5, 100, false, {"1", "10000", "1e+08"}, 4},
        {"within one decade", 20, 30, 300, false, {"10", "100"}, 1},
        {"one exact power", 10, 10, 300, false, {"10", "100"}, 1},
        {"bottom no lower than 12 decades under the top", 1e-200, 10, 1000, false,
         {"1e-11", "1e-10", "1e-09", "1e-08", "1e-07", "1e-06", "1e-05", "0.0001", "0.001", "0.01", "0.1", "1", "10"},
         1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const LogAxis ax = ComputeLogAxis(c.min, c.max, c.height, c.benzene);
        ASSERT_TRUE(ax.ok);
        std::vector<std::string> labels;
        for (int k = 0; k <= ax.bands; ++k) labels.push_back(platform::Format("%.6g", ax.Label(k)));
        EXPECT_EQ(labels, c.labels);
        EXPECT_EQ(ax.decadesPerBand, c.perBand);
        EXPECT_GE(ax.gridPx, 1);
        // The labels sit on the scale: the top grid line is the top decade.
        EXPECT_DOUBLE_EQ(ax.pxPerDecade * (ax.hiExp - ax.loExp), double(ax.gridPx) * ax.bands);
        EXPECT_GE(ax.Hi(), c.max);
    }
}

TEST(GraphLogAxis, NoPositiveRangeIsRefused) {
    EXPECT_FALSE(ComputeLogAxis(0, 10, 300, false).ok);
    EXPECT_FALSE(ComputeLogAxis(-999, -999, 300, true).ok);
    EXPECT_FALSE(ComputeLogAxis(1, INFINITY, 300, false).ok);
}

TEST(GraphBudgetAxis, StepTopAndTicks) {
    struct Case {
        const char* name;
        double max;
        int height;
        int intervals;
        double step, top;
        int tickPx;
    };
    const Case cases[] = {
        {"percent, 300", 100, 300, 4, 25, 100, 75},
        {"fraction, 300", 1, 300, 4, 0.25, 1, 75},
        {"1234.5, 300", 1234.5, 300, 5, 250, 1250, 60},
        {"0.3 raised to 1, labels on the scale", 0.3, 300, 4, 0.25, 1, 75},
        {"0: one interval of 1", 0, 300, 1, 1, 1, 300},
        {"below the sixth decimal counts as 0", 4e-7, 300, 1, 1, 1, 300},
        {"percent, 150", 100, 150, 1, 100, 100, 150},
        {"fraction, 150", 1, 150, 1, 1, 1, 150},
        {"1234.5, 150", 1234.5, 150, 2, 1000, 2000, 75},
        {"0.3, 150", 0.3, 150, 1, 1, 1, 150},
        {"0, 150", 0, 150, 1, 1, 1, 150},
        {"missing maximum", -999, 300, 1, 1, 1, 300},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const BudgetAxis ax = ComputeBudgetAxis(c.max, 0, c.height, 4);
        EXPECT_EQ(ax.intervals, c.intervals);
        EXPECT_DOUBLE_EQ(ax.step, c.step);
        EXPECT_DOUBLE_EQ(ax.top, c.top);
        EXPECT_EQ(ax.tickPx, c.tickPx);
        EXPECT_EQ(ax.plotHeight, ax.intervals * ax.tickPx);
        // The top label is the top of the scale.
        EXPECT_DOUBLE_EQ(ax.intervals * ax.step, ax.top);
        EXPECT_DOUBLE_EQ(ax.pxPerUnit * ax.top, ax.plotHeight);
    }
}

TEST(GraphTimeAxis, TickRowOffsetAndNarrowing) {
    struct Case {
        const char* name;
        int hours, spillHour, width;
        int offset, major, minor, narrowed;
        std::vector<int> labelled;
    };
    const Case cases[] = {
        {"120 h, 14:00, 800", 120, 14, 800, 10, 12, 4, 800, {10, 22, 34, 46, 58, 70, 82, 94, 106, 118}},
        {"120 h, 00:00, 800: hour 0 is on the grid", 120, 0, 800, 12, 12, 4, 800,
         {0, 12, 24, 36, 48, 60, 72, 84, 96, 108}},
        {"120 h, 12:00, 400: first label 12 h after", 120, 12, 400, 12, 24, 4, 400, {12, 36, 60, 84, 108}},
        {"120 h, 14:00, 400", 120, 14, 400, 10, 24, 4, 400, {10, 34, 58, 82, 106}},
        {"24 h, 14:00, 800: narrowed", 24, 14, 800, 10, 2, 4, 792, {0, 2, 4, 6, 8, 10, 12, 14, 16, 18, 20, 22}},
        {"8 h: labels from the spill", 8, 14, 800, 0, 1, 4, 800, {0, 1, 2, 3, 4, 5, 6}},
        {"no row fits: the last", 120, 14, 50, 10, 120, 5, 50, {10}},
        {"hours 0 counts as 1", 0, 14, 800, 0, 1, 4, 800, {}},
        {"late evening spill", 120, 23, 800, 1, 12, 4, 800, {1, 13, 25, 37, 49, 61, 73, 85, 97, 109}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const TimeTicks t = ChooseTimeTicks(c.hours, c.spillHour, c.width, 4);
        EXPECT_EQ(t.offset, c.offset);
        EXPECT_EQ(t.major, c.major);
        EXPECT_EQ(t.minor, c.minor);
        EXPECT_EQ(t.width, c.narrowed);
        EXPECT_EQ(t.labelled, c.labelled);
    }
}

TEST(GraphTimeAxis, RunHoursGuardsShortRuns) {
    EXPECT_EQ(RunHours(240, 2), 120);
    EXPECT_EQ(RunHours(1, 2), 1);  // fewer steps than one hour
    EXPECT_EQ(RunHours(120, 0), 120);
    EXPECT_EQ(RunHours(0, 1), 1);
}

using tavro_test::UtcZone;

using GraphTimeLabels = UtcZone;

TEST_F(GraphTimeLabels, HoursAndDatesAcrossMidnightMonthAndYear) {
    platform::FixedClock clock(0);
    struct Case {
        const char* name;
        document::Time spill;
        int h;
        const char* hour;
        const char* date;
    };
    // 2026-01-31 14:00 and 2026-12-31 23:00 UTC.
    const document::Time jan31 = 1769868000;
    const document::Time dec31 = 1798758000;
    const Case cases[] = {
        {"spill hour itself", jan31, 0, "1400", "Jan 31"},
        {"first midnight: next month", jan31, 10, "0000", "Feb 01"},
        {"a day later", jan31, 34, "0000", "Feb 02"},
        {"noon", jan31, 22, "1200", "Feb 01"},
        {"new year", dec31, 1, "0000", "Jan 01"},
        {"before new year", dec31, 0, "2300", "Dec 31"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const GraphContext ctx{240, 2, c.spill, &clock};
        EXPECT_EQ(HourLabel(ctx, c.h), c.hour);
        EXPECT_EQ(DateLabel(ctx, c.h), c.date);
    }
}

}  // namespace
