#include "review/scroll_res_view.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "core/question_set.h"
#include "core/settings.h"
#include "formats/results_table.h"
#include "formats/review_display.h"
#include "review/scroll_res_fixture.h"

namespace lumo::review {
namespace {

using test::ReviewTest;
namespace fs = std::filesystem;

// The results table as the next opening will read it.
formats::TQtFile readTable(const fs::path& home, const fs::path& file) {
    static std::unique_ptr<core::TQstTest> questions;
    core::Settings settings(home);
    settings.load();
    questions = std::make_unique<core::TQstTest>(file.parent_path() / "exam_01.qs_", core::kExamTypeCounters,
                                                 core::QuestionTypes(settings));
    formats::TQtFile table(*questions);
    table.LoadFromFile(file);
    return table;
}

TEST_F(ReviewTest, OpeningCreatesTheDisplayFileAndSelectsTheFirstPresentation) {
    ASSERT_FALSE(fs::exists(file("gd1")));
    ScrollResView& v = open();
    EXPECT_EQ(failures, std::vector<std::string>{});
    // Eight channels at gain code 9, offset 0: 24 bytes.
    EXPECT_EQ(lumo::test::readFile(file("gd1")), std::string("\x09\x00\x00", 3) + std::string("\x09\x00\x00", 3) +
                                                     std::string("\x09\x00\x00", 3) + std::string("\x09\x00\x00", 3) +
                                                     std::string("\x09\x00\x00", 3) + std::string("\x09\x00\x00", 3) +
                                                     std::string("\x09\x00\x00", 3) + std::string("\x09\x00\x00", 3));
    EXPECT_EQ(v.caption(), "Examinee : #0000001 / EXAM_01 / CHART_01 ( Petrov )");
    EXPECT_EQ(ws->records().current().chart, 1);
    EXPECT_TRUE(v.chartEnabled(1) && v.chartEnabled(3));
    EXPECT_FALSE(v.chartEnabled(4));
    ASSERT_EQ(v.presentationCount(), 6);
    EXPECT_EQ(v.current(), 1);
    EXPECT_EQ(v.questionLine(), "1.N1.-.Question 1?");
    EXPECT_EQ(v.presentation(3).sign, "R1");
    EXPECT_EQ(v.presentation(3).colour, (core::Rgb{255, 0, 0}));
    // 155 s at 0.1 inch per second and 96 pixels per inch.
    EXPECT_EQ(v.chart().count(), 155u * 32 - 3);
    EXPECT_EQ(v.totalWidth(), 1486);
    EXPECT_TRUE(v.scrollBarShown());
    EXPECT_EQ(v.scrollMaximum(), 1486 - 1000 - 2);
}

TEST_F(ReviewTest, SelectingAPresentationShowsItWithItsNeighboursWhenTheyFit) {
    ScrollResView& v = open();
    v.select(3);
    // The neighbours at 336 and 720 fit into 1000 pixels: from the previous one on.
    EXPECT_EQ(v.scrollPosition(), 336 - 2);
    EXPECT_EQ(v.cursor(), 55u * 32);
    v.select(6);
    EXPECT_EQ(v.scrollPosition(), v.scrollMaximum());
    v.select(1);
    EXPECT_EQ(v.scrollPosition(), 0);
}

TEST_F(ReviewTest, ZoomFiveKeepsTheSelectedPresentationInView) {
    ScrollResView& v = open();
    v.select(3);
    const int total = v.totalWidth();
    v.toggleZoom();
    EXPECT_EQ(v.zoom(), 5);
    EXPECT_NEAR(v.totalWidth(), 5 * (total + 1) - 1, 5);
    // The next onset lies within the picture's width: it ends at the picture's right edge.
    const double x = v.positions().x(55 * 32) - v.scrollPosition();
    EXPECT_GE(x, 0);
    EXPECT_LT(x, v.areaWidth());
    EXPECT_EQ(v.scrollPosition(), static_cast<int>(v.positions().x(75 * 32)) - 1000);
    EXPECT_EQ(v.current(), 3);
    v.toggleZoom();
    EXPECT_EQ(v.totalWidth(), total);
}

TEST_F(ReviewTest, ExcludingAPresentationTwiceRestoresIt) {
    ScrollResView& v = open();
    v.select(2);
    const core::Rgb lime{0, 255, 0};
    const core::Rgb grey{128, 128, 128};
    EXPECT_EQ(v.presentation(2).colour, lime);
    v.toggleExclusion();
    EXPECT_TRUE(v.presentation(2).excluded);
    EXPECT_EQ(v.presentation(2).colour, grey);
    EXPECT_EQ(v.questionLine(), "2.*C1.-.Question 2?");
    EXPECT_EQ(v.questionLineColour(), grey);
    EXPECT_EQ(v.screenSource().presentations[1].label, "(-*C1)  ");
    EXPECT_EQ(v.screenSource().presentations[1].colour, grey);
    EXPECT_EQ(v.lastDrawn(), -1);
    v.close();
    EXPECT_TRUE(readTable(home.path(), file("qt1")).IsExcluded(2));

    v.toggleExclusion();
    EXPECT_FALSE(v.presentation(2).excluded);
    EXPECT_EQ(v.presentation(2).colour, lime);
    EXPECT_EQ(v.questionLine(), "2.C1.-.Question 2?");
    EXPECT_EQ(v.screenSource().presentations[1].label, "(-C1)  ");
    v.close();
    EXPECT_FALSE(readTable(home.path(), file("qt1")).IsExcluded(2));
}

TEST_F(ReviewTest, HandScoresOnlyForRelevantAndInformativeQuestions) {
    ScrollResView& v = open();
    v.select(2);  // C1: a control question
    HandScoreFieldsState state = v.handScores();
    EXPECT_FALSE(state.enabled);
    EXPECT_EQ(state.values, (std::array<int, 3>{0, 0, 0}));
    EXPECT_EQ(state.sum, "0");
    v.setHandScore(0, 2);
    EXPECT_EQ(v.chart().table().HandScore(2, 1), 0);

    v.select(3);  // R1
    ASSERT_TRUE(v.handScores().enabled);
    v.setHandScore(0, 2);
    v.setHandScore(1, -1);
    v.setHandScore(2, 0);
    state = v.handScores();
    EXPECT_EQ(state.values, (std::array<int, 3>{2, -1, 0}));
    EXPECT_EQ(state.sum, "1");
    // Beyond the scale the field stops at its end.
    v.setHandScore(2, 7);
    EXPECT_EQ(v.handScores().values[2], 3);
    v.setHandScore(2, 0);
    v.close();
    const formats::TQtFile table = readTable(home.path(), file("qt1"));
    EXPECT_EQ(table.HandScore(3, 1), 2);
    EXPECT_EQ(table.HandScore(3, 2), -1);
    EXPECT_EQ(table.HandScore(3, 3), 0);
    EXPECT_EQ(table.HandScore(3, 4), 1);
}

TEST_F(ReviewTest, SwitchingChartsWritesTheCurrentChartsFilesFirst) {
    ScrollResView& v = open();
    v.select(3);
    v.setHandScore(0, 3);
    v.setGainNumber(0, 9);
    EXPECT_FALSE(v.switchChart(1));  // the current one
    EXPECT_FALSE(v.switchChart(5));  // no such chart
    // Chart 3 cannot be read: chart 1's files are written all the same, and the view stays on it.
    lumo::test::writeFile(file("qt3"), "damaged");
    EXPECT_ANY_THROW(v.switchChart(3));
    EXPECT_EQ(v.chartDigit(), 1);
    EXPECT_EQ(readTable(home.path(), file("qt1")).HandScore(3, 1), 3);
    EXPECT_EQ(static_cast<unsigned char>(lumo::test::readFile(file("gd1"))[0]), 18);

    writeCharts(3);
    v.setHandScore(0, 1);
    EXPECT_TRUE(v.switchChart(3));
    EXPECT_EQ(v.chartDigit(), 3);
    EXPECT_EQ(ws->records().current().chart, 3);
    EXPECT_EQ(v.current(), 1);
    EXPECT_EQ(readTable(home.path(), file("qt1")).HandScore(3, 1), 1);
    EXPECT_TRUE(fs::exists(file("gd3")));
    EXPECT_EQ(v.caption(), "Examinee : #0000001 / EXAM_01 / CHART_03 ( Petrov )");
}

TEST_F(ReviewTest, GainsAndOffsetsGoBackIntoTheDisplayFile) {
    formats::ReviewDisplay stored = formats::defaultReviewDisplay(8);
    stored.entries[1].offset = 7;  // 4.2 pixels of 600
    stored.entries[4] = {12, -100};
    formats::writeReviewDisplayFile(file("gd1"), stored);
    ScrollResView& v = open();
    EXPECT_EQ(v.offset(1), 7 * 600 / 1000);
    EXPECT_EQ(v.offset(4), -60);
    EXPECT_EQ(v.gainCode(4), 12);
    v.setGainNumber(0, -9);
    v.setGainNumber(2, 12);  // beyond +9
    EXPECT_EQ(v.dragOffset(3, 30, 0), 30);
    const std::vector<EditField> fields = v.editFields();
    ASSERT_EQ(fields.size(), 8u);
    EXPECT_EQ(fields[3].y, static_cast<int>(std::nearbyint(437 * 600 / 1000.0)) + 30);
    EXPECT_EQ(fields[4].number, 3);
    // A drag stops where the field reaches the page's top.
    EXPECT_EQ(v.dragOffset(0, -100, 10), 10 - (37 + 0));
    v.close();
    const std::string bytes = lumo::test::readFile(file("gd1"));
    ASSERT_EQ(bytes.size(), 24u);
    EXPECT_EQ(bytes[0], '\x00');
    EXPECT_EQ(bytes[6], '\x12');
    // Channel 1 keeps its 7 thousandths (4 pixels would come back as 6).
    EXPECT_EQ(bytes.substr(3, 3), std::string("\x09\x07\x00", 3));
    EXPECT_EQ(bytes.substr(9, 3), std::string("\x09\x32\x00", 3));  // 30 pixels: 50 thousandths
    EXPECT_EQ(bytes.substr(12, 3), std::string("\x0c\x9c\xff", 3));
}

TEST_F(ReviewTest, BadDisplayAndScreenFilesAreReportedAndTheViewWorksOn) {
    lumo::test::writeFile(file("gd1"), std::string("\x10\x00\x00\x19\x05\x00\x09", 7));
    fs::remove(file("sc1"));
    ScrollResView& v = open();
    ASSERT_EQ(failures.size(), 2u);
    EXPECT_EQ(failures[0].substr(0, 33), "TfrmScrlRes.FillGains\nreading gd\n");
    EXPECT_NE(failures[0].find("holds 7 bytes instead of 24"), std::string::npos);
    EXPECT_NE(failures[0].find("gain code 25"), std::string::npos);
    EXPECT_EQ(failures[1].substr(0, 33), "TfrmScrlRes.FillGains\nreading sc\n");
    EXPECT_EQ(v.gainCode(0), 16);
    EXPECT_EQ(v.gainCode(1), 9);
    EXPECT_EQ(v.offset(1), 3);
    // Without screen settings every trace lies flat at its offset.
    const ScrollResPicture picture = draw();
    ASSERT_FALSE(picture.traces.empty());
    for (const PicPoint& point : picture.traces[1].points) EXPECT_EQ(point.y, 3);
    v.close();
    EXPECT_EQ(lumo::test::readFile(file("gd1")).size(), 24u);
}

TEST_F(ReviewTest, AResultsTableOfFewerSamplesShowsThemAndSaysSo) {
    core::Settings settings(home.path());
    settings.load();
    const core::TQstTest questions(file("qs_"), core::kExamTypeCounters, core::QuestionTypes(settings));
    formats::TQtFile table(questions);
    table.LoadFromFile(file("qt1"));
    table.sampleCount = 1000;
    table.SaveToFile(file("qt1"));
    ScrollResView& v = open();
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_EQ(failures[0].substr(0, 39), "TfrmScrlRes.FillGains\ncounting samples\n");
    EXPECT_NE(failures[0].find("only the first 1000 are shown"), std::string::npos);
    EXPECT_EQ(v.chart().count(), 1000u);
    EXPECT_EQ(v.positions().count(), 1000u);
    EXPECT_FALSE(draw().traces.empty());
}

TEST_F(ReviewTest, AHiddenChannelStaysHidden) {
    formats::ScreenSettings settings = test::startSettings();
    settings.events[6].gain = 0;  // channel 6 was switched off at the test's start
    writeScreen(1, settings);
    lumo::test::writeMinimalIni(home.path(), [] {
        std::vector<std::string> lines = lumo::test::scoringSettings(test::reviewSettings());
        lines.push_back("ChVisible4=0");
        return lines;
    }());
    ScrollResView& v = open();
    EXPECT_TRUE(v.channelVisible(0));
    EXPECT_FALSE(v.channelVisible(4));
    EXPECT_FALSE(v.channelVisible(6));
    const ScrollResPicture picture = draw();
    std::vector<int> drawn;
    for (const PicPolyline& trace : picture.traces) drawn.push_back(trace.channel);
    EXPECT_EQ(drawn, (std::vector<int>{0, 1, 2, 3, 5, 7}));
    EXPECT_EQ(v.editFields().size(), 6u);
    // The readouts go in ChSeq order (7 - c here), hidden ones kept but not shown.
    const std::vector<Readout> readouts = v.readouts();
    ASSERT_EQ(readouts.size(), 8u);
    EXPECT_EQ(readouts[0].channel, 7);
    EXPECT_FALSE(readouts[1].shown);
    EXPECT_EQ(readouts[7].text.substr(0, 11), "Channel0 : ");
}

TEST_F(ReviewTest, ScrollingDrawsOnlyTheExposedStrip) {
    ScrollResView& v = open();
    ScrollResPicture picture = draw();
    EXPECT_TRUE(picture.full());
    EXPECT_TRUE(draw().unchanged);
    v.scrollTo(16);
    picture = draw();
    EXPECT_EQ(picture.shift, 16);
    EXPECT_EQ(picture.stripFrom, 1000 - 16);
    EXPECT_EQ(picture.stripTo, 1000);
    // Every stroke lies near the strip.
    for (const PicPolyline& trace : picture.traces) {
        for (const PicPoint& point : trace.points) EXPECT_GT(point.x, 1000 - 16 - 60);
    }
    v.scrollTo(10);
    picture = draw();
    EXPECT_EQ(picture.shift, -6);
    EXPECT_EQ(picture.stripFrom, 0);
    EXPECT_EQ(picture.stripTo, 6);
    v.scrollTo(v.scrollMaximum() - 4);
    draw();
    v.scrollTo(v.scrollMaximum());
    picture = draw();
    EXPECT_EQ(picture.shift, 4);
    // At the end: the end line at the right edge, its label not cut by the strip.
    EXPECT_EQ(picture.stripFrom, 1000 - 6 - 12);
    const bool endLine = std::any_of(picture.lines.begin(), picture.lines.end(), [](const PicLine& line) {
        return line.from.x == 998 && line.width == 3 && line.colour == kReviewCyan;
    });
    EXPECT_TRUE(endLine);
    v.scrollTo(100000);
    EXPECT_EQ(v.scrollPosition(), v.scrollMaximum());
}

TEST_F(ReviewTest, TheCursorStaysInsideTheVisiblePartAndReadsOut) {
    ScrollResView& v = open();
    v.clickColumn(300);
    EXPECT_EQ(v.cursor(), v.positions().pointAtColumn(300));
    EXPECT_NEAR(v.cursorColumn(), 300, 1);
    EXPECT_TRUE(v.moveCursor(CursorKey::Right));
    EXPECT_EQ(v.cursor(), v.positions().pointAtColumn(300) + 1);
    EXPECT_TRUE(v.moveCursor(CursorKey::CtrlLeft));
    EXPECT_NEAR(v.cursorColumn(), 300 - 1000 / 16, 2);
    v.clickColumn(-5);
    EXPECT_EQ(v.cursor(), 0u);
    EXPECT_FALSE(v.moveCursor(CursorKey::Left));
    EXPECT_FALSE(v.moveCursor(CursorKey::CtrlLeft));
    v.clickColumn(990);
    const std::size_t last = v.cursor();
    // The next point lies beyond the picture's right edge.
    while (v.moveCursor(CursorKey::Right)) {
    }
    EXPECT_LT(v.cursorColumn(), 1000);
    EXPECT_GE(v.cursor(), last);
    EXPECT_FALSE(v.moveCursor(CursorKey::CtrlRight));

    v.clickColumn(480);  // 50 s
    EXPECT_NEAR(std::stod(v.seconds()), 50.0, 0.15);
    EXPECT_EQ(v.seconds().size(), 4u);
    for (const Readout& readout : v.readouts()) {
        const int value = std::stoi(readout.text.substr(readout.text.find(" : ") + 3));
        EXPECT_GE(value, 0);
        EXPECT_LE(value, 100);
    }
}

TEST_F(ReviewTest, AChartWithOnePointOpens) {
    const std::string bytes = lumo::test::readFile(file("ch1"));
    const std::size_t records = 155 * 8;
    const std::size_t header = bytes.size() - 57 * records;
    lumo::test::writeFile(file("ch1"), bytes.substr(0, header + 57));
    ScrollResView& v = open();
    EXPECT_EQ(v.chart().count(), 1u);
    EXPECT_EQ(v.totalWidth(), -1);
    EXPECT_FALSE(v.scrollBarShown());
    EXPECT_EQ(v.current(), 1);
    EXPECT_TRUE(draw().full());
    EXPECT_FALSE(v.moveCursor(CursorKey::Right));
    EXPECT_FALSE(v.moveCursor(CursorKey::CtrlRight));
    // Every channel's range is its one value and one above it; skin resistance reads mirrored.
    for (const Readout& readout : v.readouts()) {
        EXPECT_EQ(readout.text.substr(readout.text.rfind(' ') + 1), readout.channel == kSkinChannel ? "100" : "0");
    }
    v.toggleZoom();
    EXPECT_TRUE(draw().full());
    v.close();
}

}  // namespace
}  // namespace lumo::review
