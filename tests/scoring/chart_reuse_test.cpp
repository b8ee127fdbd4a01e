// The scoring run reads every chart through one chart reader kept in the
// workspace: a chart must score the same whatever was read before it, and
// in a workspace made lazily for the tools as in the maximal one.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/settings.h"
#include "core/string_table.h"
#include "core/test_home.h"
#include "scoring/chart_fixture.h"
#include "scoring/scoring_run.h"
#include "scoring/workspace.h"

namespace lumo::scoring {
namespace {

class SilentView : public ScoringView {
public:
    void showWarning(const std::string& text) override { messages.push_back(text); }
    void showError(const std::string& text) override { messages.push_back(text); }
    std::vector<std::string> messages;
};

// Everything the run leaves for one chart: its samples, normalised copies,
// gains, features and marks.
struct ChartResult {
    std::vector<float> values;
    bool operator==(const ChartResult&) const = default;
};

ChartResult resultOf(const ScoringWorkspace& workspace, int chart) {
    ChartResult result;
    const ChartHeader& header = workspace.chart(chart);
    const int n = header.sampleCount;
    for (int slot = 1; slot <= kMarkSlot; ++slot) {
        result.values.insert(result.values.end(), workspace.samples(chart, slot), workspace.samples(chart, slot) + n + 1);
    }
    for (int slot = 1; slot <= kSignalSlots; ++slot) {
        result.values.insert(result.values.end(), workspace.normalised(chart, slot) + 1,
                             workspace.normalised(chart, slot) + n + 1);
        result.values.push_back(header.gain[static_cast<std::size_t>(slot)]);
    }
    for (int row = 1; row <= header.rowCount; ++row) {
        for (int f = 1; f <= kTotalSlot; ++f) {
            result.values.insert(result.values.end(), {workspace.features()(chart, row, f),
                                                       workspace.stressMarks()(chart, row, f),
                                                       workspace.lieMarks()(chart, row, f)});
        }
    }
    return result;
}

class ChartReuse : public ::testing::Test {
protected:
    // Scores the exam of `charts` in a home of its own.
    void score(const std::vector<test::ChartFiles>& charts, ScoringWorkspace& workspace) {
        homes_.push_back(std::make_unique<test::TempHome>());
        test::ExamRecipe recipe;
        recipe.charts = charts;
        const auto& home = homes_.back()->path();
        test::writeExam(home, recipe);
        core::Settings settings(home);
        settings.load();
        const core::StringTable strings;
        const core::Texts texts(strings, settings);
        SilentView view;
        const ExamFiles files =
            examFiles(test::examineeFolder(home, recipe), recipe.exam, static_cast<int>(charts.size()));
        ASSERT_TRUE(ScoreExam(workspace, settings, texts, files, view).success);
        EXPECT_EQ(view.messages, std::vector<std::string>{});
    }

    std::vector<std::unique_ptr<test::TempHome>> homes_;
    const std::vector<std::string> signs_ = test::ExamRecipe{}.signs;
};

TEST_F(ChartReuse, AChartScoresAsIfReadAlone) {
    // A ten-minute chart of eight channels, then a shorter one of six, then
    // one of eight again that is shorter still.
    std::vector<test::ChartFiles> charts = {test::regularChart(signs_, 6, 1), test::regularChart(signs_, 4, 2),
                                            test::regularChart(signs_, 3, 3)};
    charts[0].recipe.seconds = 600;
    charts[1].recipe.channels = 6;
    ScoringWorkspace together;
    together.allocate();
    score(charts, together);
    ASSERT_EQ(together.chartCount, 3);
    // The reader is part of the workspace, counted with it, and a ten-minute
    // chart keeps the whole within its bound.
    EXPECT_LE(together.memoryBytes(), 30u * 1024 * 1024);

    // Alone, shortest first: every chart meets a reader with arrays of
    // another size.
    ScoringWorkspace alone;
    alone.allocate();
    for (int k = 3; k >= 1; --k) {
        score({charts[static_cast<std::size_t>(k - 1)]}, alone);
        EXPECT_EQ(resultOf(together, k), resultOf(alone, 1)) << "chart " << k;
    }
    // Later runs with shorter charts, after different histories.
    score({charts[2], charts[1]}, together);
    score({charts[2], charts[1]}, alone);
    EXPECT_EQ(resultOf(together, 1), resultOf(alone, 1));
    EXPECT_EQ(resultOf(together, 2), resultOf(alone, 2));
}

TEST_F(ChartReuse, ALazyWorkspaceScoresAsTheMaximalOne) {
    std::vector<test::ChartFiles> charts = {test::regularChart(signs_, 3, 1), test::regularChart(signs_, 6, 2)};
    charts[1].recipe.seconds = 300;
    charts[1].recipe.channels = 6;
    charts[1].rows[2].flags = {0, 1, 0, 0, 0, 1};
    ScoringWorkspace maximal;
    maximal.allocate();
    score(charts, maximal);
    ScoringWorkspace lazy;
    lazy.allocateLazily();
    ASSERT_TRUE(lazy.allocated());
    const std::size_t tablesOnly = lazy.memoryBytes();
    score(charts, lazy);
    for (int k = 1; k <= 2; ++k) EXPECT_EQ(resultOf(maximal, k), resultOf(lazy, k)) << "chart " << k;
    // Only the charts at hand are held, sized to them.
    EXPECT_LT(lazy.memoryBytes() - tablesOnly, maximal.memoryBytes() / 4);

    // A longer chart where a shorter one was, and a shorter one after it.
    score({charts[1], charts[0]}, maximal);
    score({charts[1], charts[0]}, lazy);
    for (int k = 1; k <= 2; ++k) EXPECT_EQ(resultOf(maximal, k), resultOf(lazy, k)) << "chart " << k;
}

}  // namespace
}  // namespace lumo::scoring
