#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "core/clock.h"
#include "core/errors.h"
#include "core/question_set.h"
#include "core/settings.h"
#include "core/string_table.h"
#include "core/test_home.h"
#include "core/workstation.h"
#include "formats/results_table.h"
#include "scoring/chart_fixture.h"
#include "scoring/features.h"
#include "scoring/scoring_run.h"
#include "scoring/workspace.h"

namespace lumo::scoring {
namespace {

namespace fs = std::filesystem;
using test::testWorkspace;

class RecordingView : public ScoringView {
public:
    void showWarning(const std::string& text) override { warnings.push_back(text); }
    void showError(const std::string& text) override { errors.push_back(text); }
    std::vector<std::string> warnings;
    std::vector<std::string> errors;
};

class ScoringRun : public ::testing::Test {
protected:
    ScoringRun() {
        for (int k = 1; k <= 3; ++k) recipe_.charts.push_back(test::regularChart(recipe_.signs, 6, static_cast<std::uint32_t>(k)));
    }

    ScoreResult score(int charts = -1) {
        test::writeExam(home_.path(), recipe_);
        settings_ = std::make_unique<core::Settings>(home_.path());
        settings_->load();
        texts_ = std::make_unique<core::Texts>(strings_, *settings_);
        const int count = charts < 0 ? static_cast<int>(recipe_.charts.size()) : charts;
        files_ = examFiles(test::examineeFolder(home_.path(), recipe_), recipe_.exam, count);
        return ScoreExam(testWorkspace(), *settings_, *texts_, files_, view_);
    }

    core::TQstTest questions() const { return core::TQstTest(files_.questionSet, 7, core::QuestionTypes(*settings_)); }

    test::TempHome home_;
    test::ExamRecipe recipe_;
    core::StringTable strings_;
    std::unique_ptr<core::Settings> settings_;
    std::unique_ptr<core::Texts> texts_;
    ExamFiles files_;
    RecordingView view_;
};

TEST_F(ScoringRun, ScoresEveryChartOfTheExam) {
    ASSERT_TRUE(score().success);
    const ScoringWorkspace& ws = testWorkspace();
    EXPECT_TRUE(view_.errors.empty());
    EXPECT_EQ(ws.chartCount, 3);
    EXPECT_EQ(ws.exam().method, 1);
    EXPECT_EQ(ws.exam().questions[3].sign, " R1");
    for (int chart = 1; chart <= 3; ++chart) {
        ASSERT_EQ(ws.chart(chart).rowCount, 6);
        EXPECT_EQ(ws.chart(chart).date, "07-03-2001");
        EXPECT_EQ(ws.chart(chart).questionTime, 15);
        for (int row = 1; row <= 6; ++row) {
            EXPECT_EQ(ws.row(chart, row).question, row);
            EXPECT_EQ(ws.row(chart, row).sign, recipe_.signs[static_cast<std::size_t>(row - 1)]);
            EXPECT_DOUBLE_EQ(ws.row(chart, row).meanReading, 99.0 + row);
            for (int f = 1; f <= kFeatureCount; ++f) {
                EXPECT_FALSE(isMissing(ws.features()(chart, row, f))) << chart << " " << row << " " << f;
                const float mark = ws.stressMarks()(chart, row, f);
                EXPECT_TRUE(mark == -1 || mark == 0 || mark == 1);
            }
        }
        EXPECT_GT(ws.chart(chart).gain[6], 0.0f);
    }
    // Strong skin responses to the non-relevant questions in this generated exam.
    EXPECT_GT(ws.features()(1, 2, 5), ws.features()(1, 3, 5));
}

TEST_F(ScoringRun, RunningTheAnalysisAgainGivesTheSameResult) {
    ASSERT_TRUE(score().success);
    ScoringWorkspace& ws = testWorkspace();
    std::vector<float> first;
    for (int row = 1; row <= 6; ++row) {
        for (int f = 1; f <= kTotalSlot; ++f) first.push_back(ws.lieMarks()(2, row, f));
    }
    ProcessExam(ws, {});
    std::vector<float> again;
    for (int row = 1; row <= 6; ++row) {
        for (int f = 1; f <= kTotalSlot; ++f) again.push_back(ws.lieMarks()(2, row, f));
    }
    EXPECT_EQ(first, again);
}

TEST_F(ScoringRun, ExcludedRowsTakeNoKeptIndex) {
    recipe_.charts[0].rows[2].mark = "*+";
    recipe_.charts[0].rows[3].flags = {0, 0, 0, 0, 0, 1};
    recipe_.charts[0].rows[3].mark = "-";
    ASSERT_TRUE(score().success);
    const ScoringWorkspace& ws = testWorkspace();
    EXPECT_EQ(ws.chart(1).rowCount, 5);
    EXPECT_EQ(ws.row(1, 3).question, 4);
    EXPECT_EQ(ws.row(1, 3).mark, "-");
    EXPECT_EQ(ws.flag(1, 3, 6), 1);
    EXPECT_EQ(ws.features()(1, 3, 4), kCodeExcluded);
    EXPECT_EQ(ws.stressMarks()(1, 3, 4), kCodeExcluded);
}

TEST_F(ScoringRun, AQuestionTwiceInOneChartStopsTheRunBeforeTheWorkspaceChanges) {
    recipe_.charts[1].rows[4].question = 3;
    testWorkspace().chartCount = 7;
    const ScoreResult result = score();
    EXPECT_FALSE(result.success);
    ASSERT_TRUE(result.duplicate);
    EXPECT_EQ(result.duplicate->chart, 2);
    EXPECT_EQ(result.duplicate->question, 3);
    EXPECT_EQ(view_.warnings, std::vector<std::string>{"Chart 2 has duplicated question 3 (  R1 )"});
    EXPECT_EQ(testWorkspace().chartCount, 7);
}

TEST_F(ScoringRun, AnExcludedRepeatIsNoDuplicate) {
    recipe_.charts[1].rows[4].question = 3;
    recipe_.charts[1].rows[4].mark = "+*";
    EXPECT_TRUE(score().success);
    EXPECT_TRUE(view_.warnings.empty());
    EXPECT_EQ(testWorkspace().chart(2).rowCount, 5);
}

TEST_F(ScoringRun, AnUnreadableResultsTableIsReportedAndItsChartLeftWithoutRows) {
    recipe_.charts[1].writeTable = false;
    ASSERT_TRUE(score().success);
    ASSERT_EQ(view_.errors.size(), 1u);
    EXPECT_EQ(view_.errors[0].rfind(files_.tables[1].string() + "\n", 0), 0u);
    EXPECT_EQ(testWorkspace().chart(2).rowCount, 0);
    EXPECT_EQ(testWorkspace().chart(3).rowCount, 6);
}

TEST_F(ScoringRun, ATableOfMoreThanSixtyRowsIsRefused) {
    score();
    std::string bytes = test::readFile(files_.tables[0]);
    std::size_t line12 = 0;
    for (int line = 1; line < 12; ++line) line12 = bytes.find("\r\n", line12) + 2;
    bytes.replace(line12, bytes.find("\r\n", line12) - line12, "61");
    test::writeFile(files_.tables[0], bytes);
    ASSERT_TRUE(ScoreExam(testWorkspace(), *settings_, *texts_, files_, view_).success);
    ASSERT_EQ(view_.errors.size(), 1u);
    EXPECT_NE(view_.errors[0].find("61"), std::string::npos);
    EXPECT_EQ(testWorkspace().chart(1).rowCount, 0);
    EXPECT_EQ(testWorkspace().chart(2).rowCount, 6);
}

TEST_F(ScoringRun, AQuestionNumberOutsideTheSetRangeIsRefused) {
    recipe_.charts[2].rows[1].question = 25;
    ASSERT_TRUE(score().success);
    ASSERT_EQ(view_.errors.size(), 1u);
    EXPECT_NE(view_.errors[0].find("row 2 names question 25"), std::string::npos);
    EXPECT_EQ(testWorkspace().chart(3).rowCount, 0);
}

TEST_F(ScoringRun, AMissingOrEmptyChartFileEndsTheRunWithItsError) {
    recipe_.charts[0].writeChart = false;
    EXPECT_THROW(score(), EInOutError);
    recipe_.charts[0].writeChart = true;
    recipe_.charts[0].recipe.seconds = 0;
    try {
        score();
        FAIL();
    } catch (const EInOutError& error) {
        EXPECT_NE(std::string(error.what()).find(files_.charts[0].string()), std::string::npos);
    }
}

TEST_F(ScoringRun, ATableWithoutRowsStillGivesItsReadingsRow) {
    recipe_.charts.resize(1);
    recipe_.charts[0].rows.clear();
    score();
    formats::TQtFile table(questions());
    table.LoadFromFile(files_.tables[0]);
    for (int e = 1; e <= 10; ++e) table.SetReading(1, e, static_cast<float>(e));
    table.SaveToFile(files_.tables[0]);
    ASSERT_TRUE(ScoreExam(testWorkspace(), *settings_, *texts_, files_, view_).success);
    EXPECT_EQ(testWorkspace().chart(1).rowCount, 0);
    EXPECT_DOUBLE_EQ(testWorkspace().row(1, 1).meanReading, 5.5);
}

TEST_F(ScoringRun, SavingWritesFeaturesAndFlagsOfKeptRows) {
    recipe_.charts[0].rows[1].mark = "*";
    ASSERT_TRUE(score().success);
    ScoringWorkspace& ws = testWorkspace();
    ws.flag(1, 2, 7) = 1;  // kept row 2 is table row 3
    ProcessExam(ws, {});
    SaveResultsTable(ws, files_.tables[0], 1, questions());
    formats::TQtFile table(questions());
    table.LoadFromFile(files_.tables[0]);
    EXPECT_EQ(table.Flag(3, 7), 1);
    EXPECT_EQ(table.SavedFeature(3, 11), kCodeExcluded);
    EXPECT_EQ(table.SavedFeature(3, 4), ws.features()(1, 2, 4));
    EXPECT_EQ(table.SavedFeature(2, 4), 0.0f);  // the excluded row
    EXPECT_EQ(table.FeatureInput(3, 4), 0.0f);
    EXPECT_TRUE(table.IsExcluded(2));
}

TEST_F(ScoringRun, TheExamResultsCommandScoresTheCurrentExam) {
    test::writeExam(home_.path(), recipe_);
    core::Workstation workstation(home_.path(), std::make_unique<core::ManualClock>());
    workstation.initialise();
    core::TSubj subject;
    subject.fileCode = recipe_.code;
    workstation.records().makeCurrent(subject);
    workstation.records().current().examNumber = 2;
    EXPECT_THROW(ScoreExam(testWorkspace(), workstation, view_), LumoError);
    workstation.records().current().examNumber = 1;
    ASSERT_TRUE(ScoreExam(testWorkspace(), workstation, view_).success);
    EXPECT_EQ(testWorkspace().chartCount, 3);
}

}  // namespace
}  // namespace lumo::scoring
