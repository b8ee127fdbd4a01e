#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "review/scroll_par_drawing.h"
#include "review/scroll_par_fixture.h"

namespace lumo::review {
namespace {

using test::ParChartRecipe;
using test::ParExam;

constexpr core::Rgb kCyan{0, 255, 255};

// 1000 records (3997 points) whose table counts 4000 samples: "at all" on a
// 400-pixel panel puts ten points in a column. Second ticks every eight records.
ParChartRecipe tickingChart() {
    ParChartRecipe recipe;
    recipe.records = 1000;
    recipe.adc = [](int channel, int point) { return channel == 0 ? point % 10 : (point / 4) % 50; };
    for (int s = 1; s < 125; ++s) recipe.marks[8 * s] = static_cast<std::uint16_t>(s);
    return recipe;
}

class ScrollParDrawingTest : public ::testing::Test {
protected:
    std::unique_ptr<ParameterScroll> openTicking(const std::vector<test::ParTableRow>& rows = {}) {
        exam.writeChart(1, tickingChart());
        exam.writeTable(1, rows, 4000);
        return exam.open(1);
    }

    ParExam exam;
};

TEST_F(ScrollParDrawingTest, AtAllFitsTheChartWithTheEndLineAndEveryTenthTick) {
    auto view = openTicking();
    const ParPanel& panel = view->panel(1);
    EXPECT_FLOAT_EQ(panel.samplesPerPixel(), 10);
    EXPECT_EQ(panel.totalWidth(), 395);
    EXPECT_FALSE(panel.scrollBarShown());
    EXPECT_EQ(panel.area(), (ParRect{0, 1, 400, 298}));

    const ParStrip strip = view->draw(1, exam.measure);
    EXPECT_FALSE(strip.shift);
    EXPECT_EQ(strip.items.front(), ParItem(ParFill{0, 400, {255, 255, 255}}));
    const auto lines = test::itemsOf<ParLine>(strip);
    EXPECT_EQ(lines.front(), (ParLine{{0, 0}, {0, 297}, kCyan, 3}));
    EXPECT_EQ(lines.back(), (ParLine{{399, 0}, {399, 297}, kCyan, 3}));
    const auto texts = test::itemsOf<ParText>(strip);
    EXPECT_EQ(texts.front(), (ParText{{1, 281}, "X", {255, 255, 255}}));
    EXPECT_EQ(texts.back(), (ParText{{382, 281}, "XX", {255, 255, 255}}));
    // Seconds 10, 20, ... 120 at points 320, 640, ... in columns 32, 64, ...
    std::vector<int> expected;
    for (int s = 10; s <= 120; s += 10) expected.push_back(32 * s / 10);
    EXPECT_EQ(test::gridLines(strip), expected);
    EXPECT_EQ(panel.lastDrawn(), 0);

    view->toggleGrid(1);
    EXPECT_EQ(view->panel(1).lastDrawn(), -1);
    EXPECT_TRUE(test::gridLines(view->draw(1, exam.measure)).empty());
}

TEST_F(ScrollParDrawingTest, XFourScrollsThreePanelWidthsWithEveryFifthTick) {
    auto view = openTicking();
    view->applyScale(ParScale::X4);
    const ParPanel& panel = view->panel(1);
    EXPECT_FLOAT_EQ(panel.samplesPerPixel(), 2.5);
    EXPECT_EQ(panel.scrollMaximum(), 1200);
    EXPECT_TRUE(panel.scrollBarShown());
    EXPECT_EQ(panel.scrollBar(), (ParRect{2, 280, 396, 16}));
    EXPECT_EQ(panel.area(), (ParRect{0, 1, 400, 276}));
    const ParStrip strip = view->draw(1, exam.measure);
    EXPECT_EQ(test::gridLines(strip), (std::vector<int>{64, 128, 192, 256, 320, 384}));
    // Not at the end: the start line is the only line.
    EXPECT_EQ(test::itemsOf<ParLine>(strip).size(), 1u);
}

TEST_F(ScrollParDrawingTest, EachColumnIsOneStrokeFromItsMinimumToItsMaximum) {
    auto view = openTicking();
    const auto trace = test::traceOf(view->draw(1, exam.measure), 0);
    ASSERT_TRUE(trace);
    // Channel 0 runs 0 ... 9 in every column of ten points: its whole band, 37 pixels (298 - 2) / 8.
    ASSERT_EQ(trace->points.size(), 1u + 2 * 400);
    EXPECT_EQ(trace->points[0], (ParPoint{0, 37}));
    for (int r : {0, 1, 200, 398}) {
        EXPECT_EQ(trace->points[1 + 2 * r], (ParPoint{r + 1, 37})) << r;
        EXPECT_EQ(trace->points[2 + 2 * r], (ParPoint{r + 1, 0})) << r;
    }
}

TEST_F(ScrollParDrawingTest, BelowOnePointPerPixelEveryPointIsASegment) {
    ParChartRecipe recipe;
    recipe.records = 50;  // 197 points, "at all" 0.5 points per pixel
    recipe.adc = [](int, int point) { return point; };
    exam.writeChart(1, recipe);
    exam.writeTable(1, {}, 200);
    auto view = exam.open(1);
    const auto trace = test::traceOf(view->draw(1, exam.measure), 0);
    ASSERT_TRUE(trace);
    ASSERT_EQ(trace->points.size(), 197u);
    // Channel 0 from 0 (y 37) to 196 (y 0): 196 / 37 value units per pixel.
    const auto y = [](int v) { return 37 - static_cast<int>(std::lround(v * 37.0 / 196)); };
    EXPECT_EQ(trace->points[0], (ParPoint{0, y(0)}));
    EXPECT_EQ(trace->points[1], (ParPoint{2, y(0)}));
    EXPECT_EQ(trace->points[100], (ParPoint{200, y(99)}));
    EXPECT_EQ(trace->points[196], (ParPoint{392, y(195)}));
}

TEST_F(ScrollParDrawingTest, ScrollingMovesThePictureAndDrawsOnlyTheExposedStrip) {
    auto view = openTicking();
    view->applyScale(ParScale::X2);
    view->draw(1, exam.measure);

    EXPECT_FALSE(view->scrollTo(1, 0));
    ASSERT_TRUE(view->scrollTo(1, view->largeStep(1, +1)));
    ParStrip strip = view->draw(1, exam.measure);
    EXPECT_EQ(strip.shift, (ParShift{16, 400, -16}));
    EXPECT_EQ(strip.first, 384);
    EXPECT_EQ(strip.items.front(), ParItem(ParFill{384, 400, {255, 255, 255}}));
    const auto trace = test::traceOf(strip, 1);
    ASSERT_TRUE(trace);
    // The strip and a margin of "QQQ" on either side, no more.
    EXPECT_EQ(trace->points.front().x, 384 - 24);
    EXPECT_EQ(trace->points.size(), 1u + 2 * (24 + 16 + 24));

    ASSERT_TRUE(view->scrollTo(1, 4));
    strip = view->draw(1, exam.measure);
    EXPECT_EQ(strip.shift, (ParShift{0, 388, 12}));
    EXPECT_EQ(strip.items.front(), ParItem(ParFill{0, 12, {255, 255, 255}}));
    // Not before the chart's first column.
    EXPECT_EQ(test::traceOf(strip, 1)->points.front().x, -4);
    EXPECT_EQ(test::traceOf(strip, 1)->points.size(), 1u + 2 * (4 + 12 + 24));

    ASSERT_TRUE(view->scrollTo(1, 0));
    view->draw(1, exam.measure);
    // A move by the whole width redraws everything; at the end of the range
    // the end line stands at the right edge.
    ASSERT_TRUE(view->scrollTo(1, 100000));
    EXPECT_EQ(view->panel(1).position(), 400);
    strip = view->draw(1, exam.measure);
    EXPECT_FALSE(strip.shift);
    EXPECT_EQ(strip.items.front(), ParItem(ParFill{0, 400, {255, 255, 255}}));
    EXPECT_EQ(test::itemsOf<ParLine>(strip).back(), (ParLine{{399, 0}, {399, 275}, kCyan, 3}));
}

TEST_F(ScrollParDrawingTest, MarksDrawByTheirEventAndSpeedChangesDrawNothing) {
    ParChartRecipe recipe = tickingChart();
    recipe.marks = {{100, 1000}, {150, 3000}, {175, 5000}, {200, 4000}, {250, 6000}, {400, 1000}, {450, 2000},
                  {460, 3000}, {470, 5000}, {500, 32000}, {550, 20000}};
    exam.writeChart(1, recipe);
    exam.writeTable(1, {}, 4000);
    auto view = exam.open(1);
    const ParStrip strip = view->draw(1, exam.measure);
    // Record m is point 4m, in column 4m / 10. The ready mark of record 470
    // follows three question events and is not lonely; none of 32000 or 20000.
    EXPECT_EQ(test::markLines(strip), (std::vector<int>{40, 60, 70, 80, 100, 160, 180, 184}));
    const auto texts = test::itemsOf<ParText>(strip);
    const auto has = [&](const ParText& text) { return std::find(texts.begin(), texts.end(), text) != texts.end(); };
    EXPECT_TRUE(has({{61, 281}, "(+)", {255, 255, 255}}));
    EXPECT_TRUE(has({{80 - 1 - 24, 281}, "(-)", {255, 255, 255}}));
    EXPECT_TRUE(has({{185, 281}, "(+)", {255, 255, 255}}));
    EXPECT_TRUE(has({{100 - 1 - 32, 281}, "Move", {255, 255, 255}}));
    const auto lines = test::itemsOf<ParLine>(strip);
    const auto count = [&](const ParLine& line) { return std::count(lines.begin(), lines.end(), line); };
    EXPECT_EQ(count({{96, -4}, {104, 4}, {128, 128, 128}, 1}), 1);   // the artefact's first hatch
    EXPECT_EQ(count({{67, 8}, {73, 8}, {128, 128, 128}, 1}), 1);     // the lonely ready mark's ticks
    EXPECT_EQ(count({{185, 8}, {191, 8}, {128, 128, 128}, 1}), 0);

    for (ParScale scale : {ParScale::AtAll, ParScale::X2, ParScale::X4, ParScale::X8, ParScale::Standard}) {
        ParChartRecipe speed = tickingChart();
        speed.marks = {{20, 32000}, {21, 31000}};
        exam.writeChart(2, speed);
        exam.writeTable(2, {}, 4000);
        auto other = exam.open(2);
        other->applyScale(scale);
        EXPECT_TRUE(test::markLines(other->draw(1, exam.measure)).empty());
    }
}

TEST_F(ScrollParDrawingTest, QuestionLabelsNameAnswerSignAndExclusion) {
    auto view = openTicking({{1, "*-", 1000}, {3, "+", 2000}});
    const auto texts = test::itemsOf<ParText>(view->draw(1, exam.measure));
    // x = onset x 395 div 4000 + 3.
    EXPECT_NE(std::find(texts.begin(), texts.end(), ParText{{101, 266}, "(-* R1)  ", {128, 128, 128}}), texts.end());
    EXPECT_NE(std::find(texts.begin(), texts.end(), ParText{{101, 1}, "1", {128, 128, 128}}), texts.end());
    EXPECT_NE(std::find(texts.begin(), texts.end(), ParText{{200, 266}, "(+ R2)  ", {255, 0, 0}}), texts.end());
    EXPECT_NE(std::find(texts.begin(), texts.end(), ParText{{200, 1}, "2", {255, 0, 0}}), texts.end());
}

TEST_F(ScrollParDrawingTest, SwitchedOffChannelsLeaveTheirBandsEmpty) {
    ParExam own({"ChVisible3=0"});
    own.writeChart(1, tickingChart());
    own.writeTable(1, {}, 4000);
    std::array<std::uint8_t, 8> gains;
    gains.fill(11);
    gains[2] = 0;
    own.writeScreen(1, gains);
    auto view = own.open(1);
    const ParStrip strip = view->draw(1, own.measure);
    EXPECT_FALSE(test::traceOf(strip, 2));
    EXPECT_FALSE(test::traceOf(strip, 3));
    // The others keep their own bands: channel 4 is the fifth of eight.
    const auto four = test::traceOf(strip, 4);
    ASSERT_TRUE(four);
    const auto [low, high] = std::minmax_element(four->points.begin(), four->points.end(),
                                                 [](const ParPoint& a, const ParPoint& b) { return a.y < b.y; });
    EXPECT_EQ(low->y, 4 * 37);
    EXPECT_EQ(high->y, 5 * 37);
}

TEST_F(ScrollParDrawingTest, AZeroWeightFailsInItsStepAndKeepsTheLastPosition) {
    ParExam own({"ScrlParW2=0"});
    own.writeChart(1, tickingChart());
    own.writeTable(1, {}, 4000);
    auto view = own.open(1);
    try {
        view->draw(1, own.measure);
        FAIL() << "drew with a zero weight";
    } catch (const ParDrawingFailure& failure) {
        EXPECT_EQ(failure.step(), "ChZ ParPerPix");
        EXPECT_EQ(view->failureText(failure),
                  "Exception: The band weight ScrlParW2 is 0: every band needs a weight above 0\n"
                  "Condition: ChZ ParPerPix");
    }
    EXPECT_EQ(view->panel(1).lastDrawn(), -1);
}

}  // namespace
}  // namespace lumo::review
