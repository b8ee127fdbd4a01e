#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "core/settings.h"
#include "core/string_table.h"
#include "core/test_home.h"
#include "scoring/chart_fixture.h"
#include "scoring/decision_view.h"
#include "scoring/workspace.h"

namespace lumo::scoring {
namespace {

using core::Language;
using test::prepareChart;
using test::testWorkspace;

class DecisionTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::writeMinimalIni(home_.path(), test::scoringSettings());
        settings_ = std::make_unique<core::Settings>(home_.path());
        settings_->load();
    }

    // One chart whose rows present questions 1 ... signs in order, all
    // marks 0.
    ScoringWorkspace& exam(const std::vector<std::string>& signs, int method = 1) {
        ScoringWorkspace& ws = testWorkspace();
        std::vector<std::int64_t> onsets;
        for (std::size_t i = 0; i < signs.size(); ++i) onsets.push_back(100 * static_cast<std::int64_t>(i + 1));
        prepareChart(ws, 1, 4000, onsets);
        ws.exam() = ExamInfo{};
        ws.exam().method = method;
        ws.exam().questionCount = static_cast<int>(signs.size());
        for (std::size_t i = 0; i < signs.size(); ++i) ws.exam().questions[i + 1] = {signs[i], "-", "Text", " "};
        for (int q = 0; q <= core::kMaxQuestions; ++q) ws.setArtefact(1, q, false);
        for (int r = 1; r <= static_cast<int>(signs.size()); ++r) {
            for (int f = 1; f <= kTotalSlot; ++f) ws.stressMarks()(1, r, f) = ws.lieMarks()(1, r, f) = 0;
        }
        return ws;
    }

    std::unique_ptr<DecisionView> view() {
        return std::make_unique<DecisionView>(testWorkspace(), *settings_, strings_);
    }

    test::TempHome home_;
    std::unique_ptr<core::Settings> settings_;
    core::StringTable strings_;
};

TEST_F(DecisionTest, BoundsFollowTheThreeProbabilities) {
    exam({" R1"});
    auto decision = view();
    decision->showDecision();
    EXPECT_EQ(decision->bounds().lower, -2.1f);
    EXPECT_EQ(decision->bounds().upper, 1.8f);
    EXPECT_EQ(decision->bounds().lowerSeries, (std::array<float, 3>{-1.4f, -2.1f, -3.6f}));
    EXPECT_EQ(decision->bounds().upperSeries, (std::array<float, 3>{1.2f, 1.8f, 3.0f}));

    decision->prior = 0.7f;
    decision->fp = 0.05f;
    decision->fm = 0.25f;
    decision->showDecision();
    EXPECT_EQ(decision->bounds().upper, 2.2f);
    EXPECT_EQ(decision->bounds().lower, -1.9f);
}

TEST_F(DecisionTest, WithoutASelectedChartTheBoundsAreTheFeatureCount) {
    exam({" R1", " C1"});
    testWorkspace().stressMarks()(1, 1, 1) = -1;
    auto decision = view();
    decision->selectChart(1, false);
    decision->computeQuestionScores();
    decision->showDecision();
    EXPECT_EQ(decision->bounds().lower, -12.0f);
    EXPECT_EQ(decision->bounds().upperSeries, (std::array<float, 3>{8.0f, 12.0f, 20.0f}));
    EXPECT_EQ(decision->score(1).stress, 0.0f);
    EXPECT_EQ(decision->decisionText(decision->score(1).stress, Language::English).text, "00/ INDEFINITY ");
}

TEST_F(DecisionTest, ProbabilityOfLie) {
    EXPECT_EQ(fixed2(DecisionView::probability(0)), "0.50");
    EXPECT_EQ(fixed2(DecisionView::probability(-2)), "0.73");
    EXPECT_EQ(fixed2(DecisionView::probability(2)), "0.27");
}

TEST_F(DecisionTest, DecisionTextsAtTheBoundaries) {
    exam({" R1"});
    auto decision = view();
    decision->showDecision();
    auto text = [&](float x) { return decision->decisionText(x, Language::English); };
    EXPECT_EQ(text(1.19f).text, "00/ INDEFINITY ");
    EXPECT_EQ(text(-1.39f).grade, 8);
    EXPECT_EQ(text(1.2f).text, "+1/WEAK  signs OF TRUTH");
    EXPECT_EQ(text(1.2f).grade, 7);
    EXPECT_EQ(text(-1.4f).text, "-1/WEAK  signs  OF   L I E");
    EXPECT_EQ(text(1.8f).text, "+2/OBVIOUS  signs OF TRUTH");
    EXPECT_EQ(text(1.8f).grade, 10);
    EXPECT_EQ(text(-2.1f).text, "-2/OBVIOUS  signs  OF   L I E");
    EXPECT_EQ(text(-2.1f).grade, 12);
    EXPECT_EQ(text(3.0f).text, "+3/STRONG  signs OF TRUTH");
    EXPECT_EQ(text(-3.6f).grade, 12);
    EXPECT_EQ(decision->decisionText(-3.6f, Language::Russian).text, "-3/СТРОГИЕ признаки  Л Ж И");
}

TEST_F(DecisionTest, ScoresAverageEachFeatureOverTheChartsWhereBothMarksAreValid) {
    ScoringWorkspace& ws = exam({" R1", " C1", " R2"});
    prepareChart(ws, 2, 4000, {100, 200});
    ws.row(2, 1).question = 3;
    ws.row(2, 2).question = 1;
    FeatureTable& stress = ws.stressMarks();
    FeatureTable& lie = ws.lieMarks();
    for (int f = 1; f <= kTotalSlot; ++f) {
        for (int r = 1; r <= 2; ++r) stress(2, r, f) = lie(2, r, f) = 0;
    }
    // Question 1: chart 1 row 1 and chart 2 row 2.
    for (int f = 2; f <= kFeatureCount; ++f) stress(1, 1, f) = lie(1, 1, f) = kCodeExcluded;
    for (int f = 3; f <= 11; ++f) stress(2, 2, f) = lie(2, 2, f) = kCodeTooFew;
    stress(1, 1, 1) = 1;
    lie(1, 1, 1) = -1;
    stress(2, 2, 1) = 0;
    lie(2, 2, 1) = -1;
    stress(1, 1, 2) = 1;  // its lie mark is missing: the chart does not count
    stress(2, 2, 2) = 1;
    lie(2, 2, 2) = 1;
    stress(2, 2, 12) = -1;

    auto decision = view();
    decision->computeQuestionScores();
    const QuestionScore& q1 = decision->score(1);
    EXPECT_EQ(q1.stress, 0.5f);  // 0.5 + 1 - 1 over features 1, 2 and 12
    EXPECT_EQ(q1.lie, 0.0f);
    EXPECT_EQ(q1.charts, 2);
    EXPECT_FLOAT_EQ(q1.stressSpread, static_cast<float>(1.2 * std::sqrt(2.25 - 0.25 / 3)));
    EXPECT_FLOAT_EQ(q1.lieSpread, static_cast<float>(1.2 * std::sqrt(2.0)));
    EXPECT_EQ(q1.stressComponents, (std::array<float, 4>{1.5f, 0, 0, -1}));
    EXPECT_EQ(q1.lieComponents, (std::array<float, 4>{0, 0, 0, 0}));
    EXPECT_EQ(decision->score(2).charts, 1);
    EXPECT_EQ(decision->score(2).stressSpread, 0.0f);  // twelve equal means

    decision->selectChart(2, false);
    decision->computeQuestionScores();
    EXPECT_EQ(decision->score(1).stress, 1.0f);
    EXPECT_EQ(decision->score(1).lie, -1.0f);
    EXPECT_EQ(decision->score(1).charts, 1);
    EXPECT_EQ(decision->score(1).stressSpread, 0.0f);
    EXPECT_EQ(decision->score(3).charts, 1);
}

TEST_F(DecisionTest, TheLieViewTakesRelevantAndComparisonLetters) {
    exam({" R1", " C1", " N1", " I1", " И2", " з3"});
    auto decision = view();
    const std::vector<bool> filter = {false, true, true, false, false, true, true};
    const std::vector<bool> relevant = {false, true, false, false, false, false, true};
    for (int q = 1; q <= 6; ++q) {
        EXPECT_EQ(decision->inLieFilter(q), filter[static_cast<std::size_t>(q)]) << q;
        EXPECT_EQ(decision->relevant(q), relevant[static_cast<std::size_t>(q)]) << q;
    }
}

TEST_F(DecisionTest, TheConclusionAveragesTheRelevantQuestions) {
    ScoringWorkspace& ws = exam({" R1", " C1", " R2", " N1"});
    ws.lieMarks()(1, 1, 1) = -1;
    ws.lieMarks()(1, 3, 1) = -1;
    ws.lieMarks()(1, 3, 2) = -1;
    ws.setArtefact(1, 2, true);
    auto decision = view();
    decision->computeQuestionScores();
    decision->showDecision();
    const Conclusion conclusion = decision->conclusion(Language::English);
    EXPECT_EQ(conclusion.relevant, 2);
    EXPECT_DOUBLE_EQ(conclusion.mean, -1.5);
    EXPECT_DOUBLE_EQ(conclusion.spread, 1.35);
    EXPECT_EQ(conclusion.text, "WEAK  signs  OF   L I E");
    EXPECT_DOUBLE_EQ(conclusion.components[0], -1.5);

    decision->mode = DecisionMode::Lie;
    const SummaryTable table = decision->summary(Language::English);
    EXPECT_EQ(table.columns, 10);
    EXPECT_EQ(table.header[0][1], "L I E");
    EXPECT_EQ(table.rows[1].type, " C1(A)");
    EXPECT_EQ(table.rows[2].score, "-2.00");
    EXPECT_EQ(table.rows[2].scoreShade, Shade::Neutral);
    EXPECT_EQ(table.rows[2].decision, "WEAK  signs  OF   L I E");
    EXPECT_TRUE(table.rows[3].blank);
    ASSERT_TRUE(table.conclusion.has_value());
    EXPECT_EQ(table.conclusion->type, "(R)");
    EXPECT_EQ(table.conclusion->ergo, "ERGO");
    EXPECT_EQ(table.conclusion->score, "-3.00");
    EXPECT_EQ(table.conclusion->probability, "0.68");
    EXPECT_EQ(table.conclusion->components[0], "-1.50");
    EXPECT_EQ(table.conclusion->componentShades[0], Shade::Negative);
}

TEST_F(DecisionTest, NoConclusionForMethodThreeOrWithoutRelevantQuestions) {
    exam({" R1", " C1"}, 3);
    auto decision = view();
    decision->computeQuestionScores();
    decision->showDecision();
    EXPECT_FALSE(decision->conclusion(Language::English).hasScore);
    EXPECT_FALSE(decision->conclusion(Language::English).hasComponents);
    decision->mode = DecisionMode::Lie;
    EXPECT_TRUE(decision->summary(Language::English).conclusion->blank);

    exam({" C1", " N1"}, 1);
    auto without = view();
    without->computeQuestionScores();
    without->showDecision();
    const Conclusion none = without->conclusion(Language::English);
    EXPECT_EQ(none.relevant, 0);
    EXPECT_FALSE(none.hasScore);
}

TEST_F(DecisionTest, TheScaleShowsBandsBoxesAndTheConclusion) {
    ScoringWorkspace& ws = exam({" R1", " N1", " R2"});
    for (int f = 1; f <= kFeatureCount; ++f) ws.stressMarks()(1, 1, f) = 1;  // 12 +1 marks: past the end
    ws.lieMarks()(1, 3, 1) = -1;
    auto decision = view();
    decision->computeQuestionScores();
    decision->showDecision();
    const ScalePicture stress = decision->scale(Language::English);
    ASSERT_EQ(stress.bands.size(), 6u);
    EXPECT_EQ(stress.bands[0].colour, BandColour::Maroon);
    EXPECT_FLOAT_EQ(static_cast<float>(stress.bands[0].to), -3.6f);
    EXPECT_FLOAT_EQ(static_cast<float>(stress.bands[3].from), -1.4f);  // grey over silver
    EXPECT_EQ(stress.leftLabel, "RELAX");
    ASSERT_EQ(stress.boxes.size(), 3u);
    EXPECT_EQ(stress.boxes[0]->to, 9.2);
    EXPECT_EQ(stress.boxes[0]->mark, 12.0);
    EXPECT_FALSE(stress.boxes[0]->withinBounds);
    EXPECT_TRUE(stress.boxes[1]->withinBounds);
    EXPECT_FALSE(stress.ergo);
    EXPECT_EQ(stress.lieCaption, " < -1.4 < -2.1 < -3.6");
    EXPECT_EQ(stress.truthCaption, "3.0 > 1.8 > 1.2 > ");

    decision->mode = DecisionMode::Lie;
    const ScalePicture lie = decision->scale(Language::English);
    EXPECT_EQ(lie.rightLabel, "L I E");
    EXPECT_FALSE(lie.boxes[1]);  // N1 is outside the lie view
    ASSERT_TRUE(lie.ergo);
    EXPECT_DOUBLE_EQ(lie.ergo->mark, -0.5);
}

TEST_F(DecisionTest, AChangedProbabilityRedrawsOnlyAfterADrawing) {
    exam({" R1"}, 5);
    auto decision = view();
    EXPECT_FALSE(decision->lieViewAvailable());
    EXPECT_FALSE(decision->probabilityChanged());
    decision->showDecision();
    EXPECT_TRUE(decision->probabilityChanged());
    decision->activated();
    EXPECT_FALSE(decision->probabilityChanged());
}

}  // namespace
}  // namespace lumo::scoring
