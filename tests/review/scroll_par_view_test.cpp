#include <gtest/gtest.h>

#include "core/errors.h"
#include "core/question_set.h"
#include "review/scroll_par_drawing.h"
#include "review/scroll_par_fixture.h"

namespace lumo::review {
namespace {

using test::ParChartRecipe;
using test::ParExam;
using test::ParTableRow;

ParChartRecipe plainChart(int records = 1000) {
    ParChartRecipe recipe;
    recipe.records = records;
    recipe.adc = [](int channel, int point) { return (point + channel) % 20; };
    return recipe;
}

// Charts 1 and 3 of 4000 samples on 400-pixel panels ("at all": ten points a pixel).
class ScrollParViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        exam.writeChart(1, plainChart());
        exam.writeTable(1, rows, 4000);
        exam.writeChart(3, plainChart(500));
        exam.writeTable(3, {{2, "+", 100}}, 2000);
        view = exam.open(1);
    }

    std::vector<ParTableRow> rows = {{1, "-", 1000}, {2, "+", 2000}, {3, "*+", 2100}};
    ParExam exam;
    std::unique_ptr<ParameterScroll> view;
};

TEST_F(ScrollParViewTest, OpensBothPanelsOnTheChartAtAll) {
    EXPECT_EQ(view->caption(), "Examinee : #0000001 / EXAM_01  ( Petrov )");
    EXPECT_EQ(view->scaleEntries(), (std::vector<std::string>{"at all", "x 2", "x 4", "x 8", "standard"}));
    EXPECT_EQ(exam.openingProblems(), "");
    EXPECT_EQ(view->scale(), ParScale::AtAll);
    for (int p : {1, 2}) {
        EXPECT_EQ(view->panel(p).chartDigit(), 1);
        EXPECT_EQ(view->panel(p).rowCount(), 3);
        EXPECT_TRUE(view->panel(p).grid());
    }
    EXPECT_TRUE(view->chartAvailable(1));
    EXPECT_FALSE(view->chartAvailable(2));
    EXPECT_TRUE(view->chartAvailable(3));
    EXPECT_FALSE(view->chartAvailable(0));

    exam.settings->list().setValue("Language", "RUS");
    EXPECT_EQ(view->caption(), "Субъект : #0000001 / EXAM_01  ( Petrov )");
    EXPECT_EQ(view->scaleEntries().front(), "целиком");
}

TEST_F(ScrollParViewTest, SwitchingTheLowerPanelLeavesTheUpperOneAsItWas) {
    view->applyScale(ParScale::X2);
    view->draw(1, exam.measure);
    view->scrollTo(1, 40);
    view->draw(1, exam.measure);

    EXPECT_FALSE(view->chooseChart(2, 2));  // no such chart
    view->setLoading(true);
    EXPECT_FALSE(view->chooseChart(2, 3));
    view->setLoading(false);
    ASSERT_TRUE(view->chooseChart(2, 3));
    EXPECT_EQ(view->panel(2).chartDigit(), 3);
    EXPECT_EQ(view->panel(2).rowCount(), 1);
    EXPECT_EQ(view->panel(2).scale(), ParScale::X2);
    EXPECT_EQ(view->panel(2).lastDrawn(), -1);
    EXPECT_EQ(view->panel(1).chartDigit(), 1);
    EXPECT_EQ(view->panel(1).position(), 40);
    EXPECT_EQ(view->panel(1).lastDrawn(), 40);
    // The chart already shown loads again from its start.
    view->scrollTo(2, 30);
    ASSERT_TRUE(view->chooseChart(2, 3));
    EXPECT_EQ(view->panel(2).position(), 0);
}

TEST_F(ScrollParViewTest, APressNamesTheQuestionUpTo250PointsAfterItsOnset) {
    // Column x is point 10 x.
    const ParInfo first{" 1. R1.-.Question 1?", {255, 0, 0}};
    EXPECT_EQ(view->press(1, 120), first);  // 200 points after
    EXPECT_TRUE(view->infoShown(1));
    EXPECT_EQ(view->infoRow(), 1);
    view->release(1);
    EXPECT_FALSE(view->infoShown(1));
    EXPECT_EQ(view->press(1, 125), std::nullopt);  // 250 points after
    EXPECT_FALSE(view->infoShown(1));
    EXPECT_EQ(view->press(1, 99), std::nullopt);
    // Rows 2 and 3 both cover point 2150: the later row wins, excluded and grey.
    EXPECT_EQ(view->press(2, 215), (ParInfo{" 3.* R2.+.Question 3?", {128, 128, 128}}));
    EXPECT_TRUE(view->infoShown(2));
    EXPECT_FALSE(view->infoShown(1));
}

TEST_F(ScrollParViewTest, QStepsThroughTheRowsAndHidesAfterTheLast) {
    std::vector<int> steps;
    for (int i = 0; i < 4; ++i) {
        const auto info = view->stepInfo(1);
        steps.push_back(view->infoRow());
        EXPECT_EQ(info.has_value(), i < 3);
        EXPECT_EQ(view->infoShown(1), i < 3);
    }
    EXPECT_EQ(steps, (std::vector<int>{1, 2, 3, 0}));
    EXPECT_EQ(view->stepInfo(1)->text, " 1. R1.-.Question 1?");
    // The focus on a panel's controls starts again from the first row.
    view->focusEntered(1);
    EXPECT_EQ(view->infoRow(), 0);
}

TEST_F(ScrollParViewTest, EscHidesTheUpperInfoFirstThenTheLowerThenCloses) {
    view->stepInfo(2);
    view->stepInfo(1);
    EXPECT_EQ(view->escape(), ParEscape::HideUpper);
    EXPECT_EQ(view->infoRow(), 0);
    EXPECT_TRUE(view->infoShown(2));
    EXPECT_EQ(view->escape(), ParEscape::HideLower);
    EXPECT_EQ(view->escape(), ParEscape::Close);
}

TEST_F(ScrollParViewTest, FocusLightsTheHeaderAndDeactivationRedrawsEverything) {
    EXPECT_EQ(view->headerColour(1), (core::Rgb{128, 128, 128}));
    view->focusEntered(1);
    EXPECT_EQ(view->headerColour(1), (core::Rgb{192, 192, 192}));
    EXPECT_EQ(view->headerColour(2), (core::Rgb{128, 128, 128}));
    view->focusLeft(1);
    EXPECT_EQ(view->headerColour(1), (core::Rgb{128, 128, 128}));

    view->draw(1, exam.measure);
    view->draw(2, exam.measure);
    view->deactivate();
    EXPECT_EQ(view->panel(1).lastDrawn(), -1);
    EXPECT_EQ(view->panel(2).lastDrawn(), -1);
}

TEST_F(ScrollParViewTest, EachPanelTakesTheDisplayGainsOfItsOwnChart) {
    std::array<std::uint8_t, 8> gains;
    gains.fill(11);
    gains[2] = 0;
    exam.writeScreen(3, gains);
    ASSERT_TRUE(view->chooseChart(2, 3));
    EXPECT_FALSE(test::traceOf(view->draw(2, exam.measure), 2));
    EXPECT_TRUE(test::traceOf(view->draw(1, exam.measure), 2));
}

TEST_F(ScrollParViewTest, LargeStepsAreSixteenPixelsWithinTheRange) {
    view->applyScale(ParScale::X8);
    EXPECT_EQ(view->largeStep(1, -1), 0);
    EXPECT_EQ(view->largeStep(1, +1), 16);
    // 3200 pixels of chart, 400 of them in view.
    view->scrollTo(1, 5000);
    EXPECT_EQ(view->panel(1).position(), 2800);
    EXPECT_EQ(view->largeStep(1, +1), 2800);
    EXPECT_EQ(view->largeStep(1, -1), 2784);
}

TEST_F(ScrollParViewTest, StandardIsTenSecondsAnInch) {
    view->setResolution(128);
    view->applyScale(ParScale::Standard);
    EXPECT_FLOAT_EQ(view->panel(1).samplesPerPixel(), 2.5);
    EXPECT_EQ(view->panel(1).scrollMaximum(), 1600 - 400);
}

// ---- bad input: the view opens with what it could read and says what was wrong

TEST(ScrollParBadInput, AMissingChartLeavesTheQuestionsAndNamesTheFile) {
    ParExam exam;
    exam.writeTable(1, {{1, "-", 1000}}, 4000);
    auto view = exam.open(1);
    EXPECT_NE(exam.openingProblems().find("Chart 1 is shown with what could be read:\n"), std::string::npos);
    EXPECT_NE(exam.openingProblems().find("EXAM_01.ch1"), std::string::npos);
    EXPECT_EQ(view->panel(1).rowCount(), 1);
    const ParStrip strip = view->draw(1, exam.measure);
    EXPECT_TRUE(test::itemsOf<ParTrace>(strip).empty());
    EXPECT_EQ(test::itemsOf<ParText>(strip).size(), 4u);  // "X", "XX", the label and the row number
}

TEST(ScrollParBadInput, AChartOfOnePointDrawsNoTrace) {
    ParExam exam;
    exam.writeChart(1, plainChart(1));
    exam.writeTable(1, {}, 1);
    auto view = exam.open(1);
    EXPECT_EQ(exam.openingProblems(),
              "Chart 1 is shown with what could be read:\nThe chart holds 1 point(s): there is no line to draw");
    for (ParScale scale : {ParScale::AtAll, ParScale::X8, ParScale::Standard}) {
        view->applyScale(scale);
        EXPECT_TRUE(test::itemsOf<ParTrace>(view->draw(1, exam.measure)).empty());
    }
}

TEST(ScrollParBadInput, AShortResultsTableGivesWayToTheWholeChart) {
    ParExam exam;
    exam.writeChart(1, plainChart());
    exam.writeTable(1, {}, 1000);
    auto view = exam.open(1);
    EXPECT_EQ(exam.openingProblems(),
              "Chart 1 is shown with what could be read:\nThe results table counts 1000 samples, fewer than the 3997 "
              "points of the chart: the whole chart is shown");
    EXPECT_EQ(view->panel(1).samples(), 3997u);
    EXPECT_EQ(test::traceOf(view->draw(1, exam.measure), 0)->points.size(), 1u + 2 * 400);
}

TEST(ScrollParBadInput, AnUnreadableTableOrScreenFileLeavesTheChart) {
    ParExam exam;
    exam.writeChart(1, plainChart());
    test::writeFile(exam.file("qt1"), "C:\\LUMO\\exam_01.ch1\r\nExaminee\r\n");
    test::writeFile(exam.file("sc1"), "short");
    auto view = exam.open(1);
    const std::string& problems = exam.openingProblems();
    EXPECT_NE(problems.find("exam_01.qt1"), std::string::npos);
    EXPECT_NE(problems.find("exam_01.sc1"), std::string::npos);
    EXPECT_EQ(view->panel(1).rowCount(), 0);
    EXPECT_EQ(view->panel(1).samples(), 3997u);
    EXPECT_EQ(test::itemsOf<ParTrace>(view->draw(1, exam.measure)).size(), 8u);
}

TEST(ScrollParBadInput, NothingToCountDrawsAnEmptyPanel) {
    ParExam exam;
    exam.writeTable(1, {{1, "-", 0}}, 0);
    auto view = exam.open(1);
    for (ParScale scale : {ParScale::AtAll, ParScale::X4, ParScale::Standard}) {
        view->applyScale(scale);
        EXPECT_EQ(view->panel(1).scrollMaximum(), 0);
        EXPECT_TRUE(test::itemsOf<ParTrace>(view->draw(1, exam.measure)).empty());
        EXPECT_TRUE(view->press(1, 10));  // the row at point 0 still answers
    }
}

TEST(ScrollParBadInput, AMissingExamIsAnError) {
    ParExam exam;
    exam.writeChart(1, plainChart());
    std::filesystem::remove(exam.file("qs_"));
    EXPECT_THROW(exam.open(1), LumoError);
}

}  // namespace
}  // namespace lumo::review
