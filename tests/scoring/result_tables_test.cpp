#include <gtest/gtest.h>

#include <memory>

#include "core/settings.h"
#include "core/string_table.h"
#include "core/test_home.h"
#include "scoring/chart_fixture.h"
#include "scoring/result_print.h"
#include "scoring/result_tables.h"
#include "scoring/workspace.h"

namespace lumo::scoring {
namespace {

using core::Language;
using test::prepareChart;
using test::testWorkspace;

// Every character one point wide, lines 10 points apart.
struct CharMeasure : core::TextMeasure {
    double width(const std::string& text, const core::TextStyle& style) const override {
        return static_cast<double>(text.size()) * style.size / 12;
    }
    double lineHeight(const core::TextStyle&) const override { return 10; }
};

class ResultTablesTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::writeMinimalIni(home_.path(), test::scoringSettings());
        settings_ = std::make_unique<core::Settings>(home_.path());
        settings_->load();
        ScoringWorkspace& ws = testWorkspace();
        prepareChart(ws, 1, 4000, {100, 200, 300});
        prepareChart(ws, 2, 4000, {100, 200});
        ws.exam() = ExamInfo{};
        ws.exam().examinee = "Petrov";
        ws.exam().method = 1;
        ws.exam().questionCount = 3;
        const std::vector<std::string> signs = {" R1", " C1", " N1"};
        for (int q = 1; q <= 3; ++q) ws.exam().questions[static_cast<std::size_t>(q)] = {signs[q - 1], "-", "Text " + std::to_string(q), " "};
        for (int c = 1; c <= 2; ++c) {
            for (int q = 0; q <= core::kMaxQuestions; ++q) ws.setArtefact(c, q, false);
            for (int r = 1; r <= 3; ++r) {
                for (int f = 1; f <= kTotalSlot; ++f) ws.stressMarks()(c, r, f) = ws.lieMarks()(c, r, f) = 0;
            }
        }
    }
    DecisionView view() { return DecisionView(testWorkspace(), *settings_, strings_); }

    test::TempHome home_;
    std::unique_ptr<core::Settings> settings_;
    core::StringTable strings_;
};

TEST_F(ResultTablesTest, ParameterTableShowsChartsRowsCodesAndUnits) {
    ScoringWorkspace& ws = testWorkspace();
    ws.features()(1, 1, 1) = 12.6f;
    ws.features()(1, 1, 2) = 15.25f;
    ws.features()(1, 1, 3) = kCodeNoPower;
    ws.features()(1, 1, 4) = 0;
    ws.row(1, 1).meanReading = 123.4;
    ws.row(2, 2).question = 1;
    ws.setArtefact(2, 1, true);
    DecisionView decision = view();
    const ResultGrid grid = featureTable(decision, ws, *settings_, strings_, FeatureTableMode::Parameters, Language::English);
    EXPECT_EQ(grid.title, "Absolute ordered primary parameters table");
    ASSERT_EQ(grid.cells.size(), 3u + 1 + 3 + 1 + 2u);
    EXPECT_EQ(grid.cells[0][0], "Qst");
    EXPECT_EQ(grid.cells[0][2], settings_->parameterName(1));
    EXPECT_EQ(grid.cells[1][3], "/min");
    EXPECT_EQ(grid.cells[1][9], "/min");
    EXPECT_EQ(grid.cells[1][14], "kOm");
    EXPECT_EQ(grid.cells[2][14], "13");
    EXPECT_EQ(grid.cells[3][0], "Chart");
    EXPECT_EQ(grid.cells[3][1], "1");
    const auto& row = grid.cells[4];
    EXPECT_EQ(row[0], "1-1");
    EXPECT_EQ(row[1], " R1(A)");  // chart 2 flags question 1 and is selected
    EXPECT_EQ(row[2], "13");
    EXPECT_EQ(row[3], "15.2");
    EXPECT_EQ(row[4], settings_->errorMessage(4));
    EXPECT_EQ(row[5], "");
    EXPECT_EQ(row[14], "123");
    EXPECT_EQ(row[15], "Text 1");
    EXPECT_EQ(grid.cells[7][0], "Chart");
    EXPECT_EQ(grid.cells[9][0], "5-1");  // the running number goes on across charts
    EXPECT_TRUE(grid.bars.empty());

    decision.selectChart(2, false);
    EXPECT_EQ(featureTable(decision, ws, *settings_, strings_, FeatureTableMode::Parameters, Language::English).cells[4][1], " R1");
}

TEST_F(ResultTablesTest, LieTableShowsTwoDecimalsAndBars) {
    ScoringWorkspace& ws = testWorkspace();
    ws.lieMarks()(1, 2, 1) = 1;
    ws.lieMarks()(1, 2, kTotalSlot) = -3;
    const ResultGrid grid = featureTable(view(), ws, *settings_, strings_, FeatureTableMode::Lie, Language::English);
    EXPECT_EQ(grid.cells[0][2], "Score");
    EXPECT_EQ(grid.cells[0][14], "TOTAL");
    EXPECT_EQ(grid.cells[1][3], "");
    EXPECT_EQ(grid.cells[5][2], "1.00");
    EXPECT_EQ(grid.cells[5][14], "-3.00");
    EXPECT_EQ(grid.cells[4][14], "0.00");
    ASSERT_EQ(grid.bars.size(), 5u);
    EXPECT_EQ(grid.bars[0].chart, 1);
    EXPECT_EQ(grid.bars[1].label, "-3");
    EXPECT_EQ(grid.bars[1].line, 5);
    EXPECT_EQ(grid.bars[3].chart, 2);
    EXPECT_EQ(grid.leftLabel, "TRUTH");
    EXPECT_EQ(grid.rightLabel, "L I E");
}

TEST_F(ResultTablesTest, SummaryCellsFollowTheView) {
    DecisionView decision = view();
    decision.computeQuestionScores();
    decision.showDecision();
    auto cells = summaryCells(decision.summary(Language::English));
    ASSERT_EQ(cells.size(), 6u);
    EXPECT_EQ(cells[0].size(), 9u);
    EXPECT_EQ(cells[3][0], " R1");
    EXPECT_EQ(cells[3][2], "0.00");
    EXPECT_EQ(cells[3][8], "Text 1");
    decision.mode = DecisionMode::Lie;
    cells = summaryCells(decision.summary(Language::English));
    ASSERT_EQ(cells.size(), 7u);  // the conclusion row
    EXPECT_EQ(cells[0].size(), 10u);
    EXPECT_EQ(cells[5][2], "");   // N1 is outside the lie filter
    EXPECT_EQ(cells[5][0], " N1");
    EXPECT_EQ(cells[6][0].substr(0, 3), "(R)");
    EXPECT_NE(cells[6][0].find("ERGO"), std::string::npos);
}

TEST_F(ResultTablesTest, PrintHoldsTheDemandsZonesTableAndScale) {
    DecisionView decision = view();
    decision.mode = DecisionMode::Lie;
    decision.computeQuestionScores();
    decision.showDecision();
    const ResultPrint print =
        resultPrint(decision, testWorkspace(), *settings_, strings_, ResultView::Summary, Language::English, "09-12-2026");
    auto has = [&](const std::string& text) {
        for (const std::string& line : print.lines) {
            if (line.find(text) != std::string::npos) return true;
        }
        return false;
    };
    EXPECT_EQ(print.lines.front(), "E X P E R T    P O L Y G R A M S    C A L C U L A T I O N");
    EXPECT_TRUE(has("Petrov"));
    EXPECT_TRUE(has("Charts involved : 1, 2"));
    EXPECT_TRUE(has("1. Max. perm. probability to charge innocent = 0.10"));
    EXPECT_TRUE(has("1. STRONG    L I E  signs"));
    EXPECT_TRUE(has("less -3.6"));
    EXPECT_TRUE(has("Lie score is determined"));
    EXPECT_TRUE(has("F I N A L   R E L E V A N T"));
    EXPECT_TRUE(has("LIE probability = 0.50"));
    EXPECT_EQ(print.lines.back(), "Printed : 09-12-2026");
    EXPECT_TRUE(print.withScale);

    const CharMeasure measure;
    const core::PrintedDocument wide = layoutResultPrint(print, {1000, 2000}, measure);
    ASSERT_EQ(wide.pages.size(), 1u);
    const auto& first = std::get<core::PageText>(wide.pages[0].items.front());
    EXPECT_EQ(first.style.size, 12);
    // A narrow, short page: smaller type and more pages, nothing lost.
    const core::PrintedDocument narrow = layoutResultPrint(print, {60, 200}, measure);
    EXPECT_GT(narrow.pages.size(), 1u);
    std::size_t texts = 0;
    for (const auto& page : narrow.pages) {
        for (const auto& item : page.items) {
            if (const auto* text = std::get_if<core::PageText>(&item)) {
                ++texts;
                EXPECT_LT(text->style.size, 12);
                EXPECT_LE(text->at.y + 10, 200 + 1e-9);
            }
        }
    }
    EXPECT_EQ(texts, print.lines.size() + 2);  // the lines and the scale's two captions
}

TEST_F(ResultTablesTest, TablePrintsItsLinesInColumns) {
    const ResultPrint print =
        resultPrint(view(), testWorkspace(), *settings_, strings_, ResultView::Stress, Language::Russian, "09-12-2026");
    EXPECT_FALSE(print.withScale);
    EXPECT_NE(std::find(print.lines.begin(), print.lines.end(), "Таблица параметров в оценках стресса."), print.lines.end());
    const auto lines = columnLines({{"ab", "c"}, {"Ж", "dd"}});
    EXPECT_EQ(lines, (std::vector<std::string>{"ab c", "Ж  dd"}));
    // A band heading runs on over the columns it spans and is printed once.
    EXPECT_EQ(columnLines({{"T", "STRESS", "STRESS", "STRESS"}, {"T", "1", "2", "3"}}, 1),
              (std::vector<std::string>{"T STRESS", "T 1 2 3"}));
}

}  // namespace
}  // namespace lumo::scoring
