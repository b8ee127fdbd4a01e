#include <gtest/gtest.h>

#include "core/clock.h"
#include "core/colors.h"
#include "core/errors.h"
#include "core/records.h"
#include "core/settings.h"
#include "core/test_home.h"
#include "core/workstation.h"
#include "scoring/chart_fixture.h"
#include "scoring/hand_score_exam.h"
#include "scoring/hand_score_report.h"

namespace lumo::scoring {
namespace {

namespace fs = std::filesystem;

// Exam 1 with relevant R1 (question 3) and R2 (5), informative I1 (2): two
// tables, the second with question 5 presented first and question 3 excluded.
class HandScoreExamTest : public ::testing::Test {
protected:
    void SetUp() override {
        recipe.signs = {" N1", " I1", " R1", " C1", " R2"};
        for (int chart = 0; chart < 2; ++chart) {
            test::ChartFiles files = test::regularChart(recipe.signs, 5, 1);
            files.writeChart = false;
            for (std::size_t r = 0; r < files.rows.size(); ++r) files.rows[r].handScores = {1, 0, -1, 2};
            recipe.charts.push_back(files);
        }
        std::swap(recipe.charts[1].rows[0].question, recipe.charts[1].rows[4].question);
        recipe.charts[1].rows[2].mark = "*-";
        recipe.charts[1].rows[1].handScores = {0, 0, 0, 3.5f};  // I1 on chart 2
        test::writeExam(home.path(), recipe);
        settings.load();
    }
    fs::path stem() const { return test::examineeFolder(home.path(), recipe) / "EXAM_01"; }

    test::TempHome home;
    test::ExamRecipe recipe;
    core::Settings settings{home.path()};
};

TEST_F(HandScoreExamTest, ReadsTheSetAndTablesOfTheStem) {
    HandScoreExam exam(stem(), settings);
    EXPECT_EQ(exam.stemName(), "EXAM_01");
    EXPECT_EQ(exam.listLine(2), " 2. I1.-.Question 2?");
    EXPECT_EQ(exam.sign(5), " R2");
    EXPECT_EQ(exam.sign(6), "");
    HandScoreDecision& decision = exam.decision();
    EXPECT_TRUE(decision.available(2) && !decision.available(3));
    EXPECT_FALSE(decision.tableTypeSelectable());  // two relevant questions
    EXPECT_EQ(decision.position(3, 2), 0);         // excluded there
    EXPECT_EQ(decision.position(5, 2), 1);

    decision.recompute();
    EXPECT_EQ(handScoreJson(exam, "#0000001", 1),
              "{\"examinee\":\"#0000001\",\"exam\":\"01\",\"table\":\"backster\",\"charts\":[1,2],"
              "\"limits\":{\"informative\":{\"ndi\":2,\"di\":-4},\"relevant\":{\"ndi\":4,\"di\":-8}},"
              "\"questions\":["
              "{\"number\":2,\"sign\":\" I1\",\"type\":2,\"scores\":[1,0,-1,6],\"total\":6,\"decision\":\"No Deception\"},"
              "{\"number\":3,\"sign\":\" R1\",\"type\":1,\"scores\":[1,0,-1,2],\"total\":2,\"decision\":null},"
              "{\"number\":5,\"sign\":\" R2\",\"type\":1,\"scores\":[2,0,-2,4],\"total\":4,\"decision\":null}],"
              "\"sum\":6,\"decision\":\"No Deception\"}");

    // Chart 2 alone lists in its order what it kept.
    decision.toggle(1);
    decision.recompute();
    const std::string json = handScoreJson(exam, "#0000001", 1);
    EXPECT_NE(json.find("\"charts\":[2],"), std::string::npos) << json;
    EXPECT_NE(json.find("\"questions\":[{\"number\":5,"), std::string::npos) << json;
    EXPECT_EQ(json.find("\"number\":3,"), std::string::npos) << json;

    const std::string text = handScoreText(exam, settings);
    EXPECT_NE(text.find("Chart #1  07-03-2001  not involved"), std::string::npos) << text;
    EXPECT_NE(text.find("No Deception"), std::string::npos) << text;
}

TEST_F(HandScoreExamTest, AMissingSetOrADamagedTableRaises) {
    EXPECT_THROW(HandScoreExam(stem().parent_path() / "EXAM_02", settings), LumoError);
    test::writeLines(stem().parent_path() / "exam_01.qt2", {"cut short"});
    EXPECT_THROW(HandScoreExam(stem(), settings), LumoError);
}

TEST(HandScoreView, ColoursKeysAndTheCurrentExamsStem) {
    EXPECT_EQ(handScoreColour(1), core::colorFromName("YELLOW"));
    EXPECT_EQ(handScoreColour(-1), core::colorFromName("AQUA"));
    EXPECT_EQ(handScoreColour(0), core::colorFromName("GRAY"));
    // The sums' row is grey itself: its zero is white, its other values as above.
    EXPECT_EQ(handSumColour(0), core::colorFromName("WHITE"));
    EXPECT_EQ(handSumColour(-4), core::colorFromName("AQUA"));
    EXPECT_EQ(decisionColumnColour(3), core::colorFromName("GREEN"));
    EXPECT_EQ(decisionColumnColour(4), core::colorFromName("BLACK"));
    EXPECT_EQ(decisionColumnColour(5), core::colorFromName("BLACK"));
    EXPECT_EQ(decisionColumnColour(6), core::colorFromName("RED"));
    EXPECT_EQ(verdictColour(HandVerdict::NoDeception), core::colorFromName("LIME"));
    EXPECT_EQ(verdictColour(HandVerdict::Inconclusion), core::colorFromName("GRAY"));
    EXPECT_EQ(chartOfKey('1'), 1);
    EXPECT_EQ(chartOfKey('9'), 9);
    EXPECT_EQ(chartOfKey('0'), 0);
    EXPECT_EQ(chartOfKey('A'), 0);

    test::TempHome home;
    test::installSettings(home.path());
    core::Workstation ws(home.path(), std::make_unique<core::ManualClock>(core::Date{2026, 12, 9}));
    ws.initialise();
    EXPECT_TRUE(handResultsStem(ws.records()).empty());
    core::TSubj subject;
    subject.fileCode = "#0000004";
    ws.records().current().record = subject;
    EXPECT_TRUE(handResultsStem(ws.records()).empty());  // no exam chosen
    ws.records().current().examNumber = 7;
    EXPECT_EQ(handResultsStem(ws.records()).filename(), "EXAM_07");
    EXPECT_EQ(handResultsStem(ws.records()).parent_path().filename(), "#0000004");
}

}  // namespace
}  // namespace lumo::scoring
