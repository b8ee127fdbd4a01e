#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "core/numbers.h"
#include "core/test_home.h"
#include "scoring/chart_fixture.h"
#include "scoring/results_csv_check.h"
#include "scoring/decision_view.h"
#include "scoring/home_exam_scoring.h"
#include "scoring/results_csv.h"
#include "scoring/score_command.h"
#include "scoring/score_report.h"

namespace lumo::scoring {
namespace {

using Lines = std::vector<std::vector<std::string>>;

TEST(CsvField, QuotesOnlyWhatASpreadsheetWouldMisread) {
    EXPECT_EQ(csvField("R1"), "R1");
    EXPECT_EQ(csvField(""), "");
    EXPECT_EQ(csvField("-2.0999999"), "-2.0999999");
    EXPECT_EQ(csvField("a,b"), "\"a,b\"");
    EXPECT_EQ(csvField("say \"no\""), "\"say \"\"no\"\"\"");
    EXPECT_EQ(csvField("two\r\nlines"), "\"two\r\nlines\"");
    EXPECT_EQ(csvField(" N1"), "\" N1\"");  // signs start with a blank
    EXPECT_EQ(csvField("Вы лгали?"), "Вы лгали?");
    EXPECT_EQ(csvLine({"a", "b,c", ""}), "a,\"b,c\",\r\n");
    EXPECT_EQ(test::readCsv(csvLine({"x\"y", " N1", "", "a\r\nb"})), (Lines{{"x\"y", " N1", "", "a\r\nb"}}));
}

TEST(NineDigits, WritesWhatTheReportsWrite) {
    EXPECT_EQ(core::nineDigits(-2.1f), "-2.0999999");
    EXPECT_EQ(core::nineDigits(3.0), "3");
    EXPECT_EQ(core::nineDigits(-1007.0f), "-1007");
    EXPECT_EQ(core::nineDigits(0.00001), "1e-05");
    EXPECT_EQ(core::nineDigits(std::nan("")), "");
}

class ResultsCsv : public ::testing::Test {
protected:
    void SetUp() override {
        for (int k = 1; k <= 2; ++k) {
            recipe_.charts.push_back(test::regularChart(recipe_.signs, 6, static_cast<std::uint32_t>(k)));
        }
        recipe_.charts[1].rows[3].flags = {0, 0, 0, 0, 0, 1};  // skin resistance off for the second C2
        recipe_.charts[1].recipe.marks = {{(15 + 20 * 2) * 32 + 64, 7000}};  // an artefact in R1 of chart 2
    }
    void score() {
        test::writeExam(home_.path(), recipe_);
        scoring_ = std::make_unique<HomeExamScoring>(home_.path());
        std::ostringstream err;
        ASSERT_EQ(scoring_->score(recipe_.code, recipe_.exam, err), kScoreOk) << err.str();
        view_ = std::make_unique<DecisionView>(scoring_->workspace(), scoring_->settings(), scoring_->strings());
        view_->computeQuestionScores();
        view_->showDecision();
    }
    Lines questions() const {
        return test::readCsv(questionResultsCsv(scoring_->workspace(), *view_, scoring_->settings()));
    }

    test::TempHome home_;
    test::ExamRecipe recipe_;
    std::unique_ptr<HomeExamScoring> scoring_;
    std::unique_ptr<DecisionView> view_;
};

TEST_F(ResultsCsv, HoldsOneLinePerQuestionAsTheJsonReportScoresIt) {
    score();
    const Lines lines = questions();
    ASSERT_EQ(lines.size(), recipe_.signs.size() + 1);
    EXPECT_EQ(lines[0].front(), "charts");
    EXPECT_EQ(lines[0].back(), "text");
    const std::string json = scoreJson(scoring_->workspace(), *view_, scoring_->settings(), recipe_.code, recipe_.exam);
    for (std::size_t q = 1; q < lines.size(); ++q) {
        const std::vector<std::string>& f = lines[q];
        ASSERT_EQ(f.size(), lines[0].size()) << q;
        EXPECT_EQ(f[0], "1 2");
        EXPECT_EQ(f[2], recipe_.signs[q - 1]);
        for (const std::string& object : test::jsonOfQuestionLine(f)) {
            EXPECT_NE(json.find(object), std::string::npos) << object;
        }
    }
    EXPECT_EQ(lines[1][12], "");  // N1 lies outside the lie view
    EXPECT_NE(lines[3][12], "");
    EXPECT_EQ(lines[3][13], "1");  // R1 has the artefact
    EXPECT_EQ(lines[2][13], "0");
}

TEST_F(ResultsCsv, FollowsTheChartSelection) {
    score();
    view_->selectChart(2, false);
    view_->computeQuestionScores();
    const Lines one = questions();
    EXPECT_EQ(one[1][0], "1");
    EXPECT_EQ(one[3][13], "0");  // the artefact was in chart 2
    EXPECT_EQ(one[3][4], "1");   // n: one chart behind every feature
}

TEST_F(ResultsCsv, FeaturesHoldEveryKeptRowWithItsCodes) {
    recipe_.charts[0].rows[2].mark = "*+";  // excluded: not a kept row
    score();
    const Lines lines = test::readCsv(rowFeaturesCsv(scoring_->workspace()));
    ASSERT_EQ(lines.size(), 1u + 5 + 6);
    ASSERT_EQ(lines[0].size(), 7u + 8 + 12 + 13 + 13);
    EXPECT_EQ(lines[0][7], "flag_1");
    EXPECT_EQ(lines[0][lines[0].size() - 1], "lie_total");
    EXPECT_EQ((std::vector<std::string>(lines[3].begin(), lines[3].begin() + 3)), (std::vector<std::string>{"1", "3", "4"}));
    const std::vector<std::string>& flagged = lines[1 + 5 + 3];  // chart 2, row 4
    EXPECT_EQ(flagged[0], "2");
    EXPECT_EQ(flagged[7 + 5], "1");
    for (int f = 4; f <= 6; ++f) EXPECT_EQ(flagged[static_cast<std::size_t>(7 + 8 + f - 1)], "-1000") << f;
    for (int f = 4; f <= 6; ++f) EXPECT_EQ(flagged[static_cast<std::size_t>(7 + 8 + 12 + f - 1)], "-1000") << f;
}

}  // namespace
}  // namespace lumo::scoring
