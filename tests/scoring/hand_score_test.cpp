#include <gtest/gtest.h>

#include "core/question_set.h"
#include "core/settings.h"
#include "core/test_home.h"
#include "scoring/chart_fixture.h"
#include "scoring/hand_score_decision.h"

namespace lumo::scoring {
namespace {

// Relevant R1 ... R3 (questions 1, 3, 5), informative I1 (2), control C1 (4).
std::vector<HandScoreQuestion> questions() {
    return {{" R1", 1}, {" I1", 2}, {" R2", 1}, {" C1", 3}, {" R3", 1}};
}

// A chart presenting questions 1 ... 5 with the given entry-4 scores (the
// other entries 1).
HandScoreChart chart(std::array<int, 5> totals) {
    HandScoreChart result;
    result.available = true;
    for (int q = 1; q <= 5; ++q) result.rows.push_back({q, false, {1, 1, 1, totals[static_cast<std::size_t>(q - 1)]}});
    return result;
}

TEST(HandScoreDecision, BacksterWithTwoChartsAndThreeRelevantQuestions) {
    HandScoreCharts charts;
    charts[1] = chart({2, 3, 2, 9, 2});
    charts[2] = chart({0, 0, 0, 9, 0});
    HandScoreDecision decision(questions(), charts);
    EXPECT_TRUE(decision.tableTypeSelectable());
    decision.recompute();
    EXPECT_EQ(decision.relevantLimits().ndi, 6);
    EXPECT_EQ(decision.relevantLimits().di, -12);
    EXPECT_EQ(decision.relevantLimits().cells,
              (std::array<std::string, 8>{"+54", "+36", "+7", "+6", "-12", "-13", "-36", "-54"}));
    EXPECT_EQ(decision.relevantTotal(), 6);
    EXPECT_EQ(decision.verdict(), HandVerdict::Inconclusion);
    // The informative question: +3 over two charts passes the limit 2.
    ASSERT_EQ(decision.listed().size(), 4u);  // the control question is not listed
    EXPECT_EQ(decision.listed()[1].question, 2);
    EXPECT_EQ(decision.listed()[1].total, 3);
    EXPECT_EQ(decision.listed()[1].verdict, HandVerdict::NoDeception);
    EXPECT_EQ(decision.relevantSums(), (std::array<int, 4>{6, 6, 6, 6}));

    HandScoreCharts more = charts;
    more[2] = chart({1, 0, 0, 0, 0});
    HandScoreDecision seven(questions(), more);
    seven.recompute();
    EXPECT_EQ(seven.verdict(), HandVerdict::NoDeception);
    more[1] = chart({-5, 0, -4, 0, -4});
    HandScoreDecision deceptive(questions(), more);
    deceptive.recompute();
    EXPECT_EQ(deceptive.relevantTotal(), -12);
    EXPECT_EQ(deceptive.verdict(), HandVerdict::Inconclusion);
    more[2] = chart({0, 0, 0, 0, 0});
    HandScoreDecision thirteen(questions(), more);
    thirteen.recompute();
    EXPECT_EQ(thirteen.verdict(), HandVerdict::Deception);
}

TEST(HandScoreDecision, MatteWithOneChartFollowsItsPresentationOrder) {
    HandScoreCharts charts;
    charts[3] = chart({1, 0, 1, 0, 1});
    std::swap(charts[3].rows[0], charts[3].rows[4]);  // question 5 presented first
    charts[3].rows[2].excluded = true;                // question 3 not kept
    HandScoreDecision decision(questions(), charts);
    decision.tableType = DecisionTableType::Matte;
    decision.recompute();
    EXPECT_EQ(decision.involvedCount(), 1);
    EXPECT_EQ(decision.relevantLimits().ndi, 2);
    EXPECT_EQ(decision.relevantLimits().di, -4);
    EXPECT_EQ(decision.relevantLimits().cells,
              (std::array<std::string, 8>{"", "", "+3", "+2", "-4", "-5", "", ""}));
    ASSERT_EQ(decision.listed().size(), 3u);
    EXPECT_EQ(decision.listed()[0].question, 5);
    EXPECT_EQ(decision.listed()[1].question, 2);
    EXPECT_EQ(decision.listed()[2].question, 1);
    EXPECT_EQ(decision.relevantTotal(), 2);
    EXPECT_EQ(decision.verdict(), HandVerdict::Inconclusion);
    charts[3].rows[1].scores[3] = 1;  // question 2: informative, not in V
    charts[3].rows[4].scores[3] = 2;  // question 1
    HandScoreDecision three(questions(), charts);
    three.tableType = DecisionTableType::Matte;
    three.recompute();
    EXPECT_EQ(three.relevantTotal(), 3);
    EXPECT_EQ(three.verdict(), HandVerdict::NoDeception);
}

TEST(HandScoreDecision, NoInvolvedChartGivesZeroLimits) {
    HandScoreCharts charts;
    charts[1] = chart({5, 5, 5, 5, 5});
    for (const auto type : {DecisionTableType::Backster, DecisionTableType::Matte}) {
        HandScoreDecision decision(questions(), charts);
        decision.toggle(1);
        decision.toggle(4);  // unavailable: stays out
        decision.tableType = type;
        decision.recompute();
        EXPECT_EQ(decision.involvedCount(), 0);
        EXPECT_FALSE(decision.involved(4));
        EXPECT_EQ(decision.relevantLimits().ndi, 0);
        EXPECT_EQ(decision.relevantLimits().di, 0);
        EXPECT_EQ(decision.informativeLimits().ndi, 0);
        EXPECT_EQ(decision.relevantTotal(), 0);
        EXPECT_EQ(decision.verdict(), HandVerdict::Inconclusion);
        EXPECT_EQ(decision.listed().size(), 4u);  // set order
    }
}

TEST(HandScoreDecision, AQuestionTwiceAmongKeptRowsIsADuplicate) {
    HandScoreCharts charts;
    charts[1] = chart({0, 0, 0, 0, 0});
    charts[2] = chart({0, 0, 0, 0, 0});
    charts[2].rows.push_back({3, true, {}});  // excluded: no duplicate
    EXPECT_FALSE(HandScoreDecision(questions(), charts).duplicate());
    charts[2].rows.push_back({3, false, {}});
    const auto duplicate = HandScoreDecision(questions(), charts).duplicate();
    ASSERT_TRUE(duplicate);
    EXPECT_EQ(duplicate->chart, 2);
    EXPECT_EQ(duplicate->question, 3);
    EXPECT_EQ(duplicate->sign, " R2");
}

TEST(HandScoreDecision, HandScoresAreRoundedHalvesToEvenAsRead) {
    test::TempHome home;
    test::ExamRecipe recipe;
    recipe.charts.push_back(test::regularChart(recipe.signs, 3, 1));
    recipe.charts[0].rows[0].handScores = {2.5f, 3.5f, -2.5f, 0.5f};
    recipe.charts[0].writeChart = false;
    test::writeExam(home.path(), recipe);
    core::Settings settings(home.path());
    settings.load();
    const std::filesystem::path folder = test::examineeFolder(home.path(), recipe);
    const core::TQstTest questions(folder / "exam_01.qs_", 7, core::QuestionTypes(settings));
    const HandScoreCharts charts = readHandScoreCharts(folder / "EXAM_01", questions);
    ASSERT_TRUE(charts[1].available);
    EXPECT_FALSE(charts[2].available);
    EXPECT_EQ(charts[1].date, "07-03-2001");
    EXPECT_EQ(charts[1].rows[0].scores, (std::array<int, 4>{2, 4, -2, 0}));
}

}  // namespace
}  // namespace lumo::scoring
