#include "recording/score_board.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "core/errors.h"
#include "core/settings.h"
#include "core/string_table.h"

namespace lumo::recording {
namespace {

constexpr core::Rgb kCyan{0, 255, 255};
constexpr core::Rgb kYellow{255, 255, 0};
constexpr core::Rgb kRed{255, 0, 0};
constexpr core::Rgb kMagenta{255, 0, 255};
constexpr core::Rgb kWhite{255, 255, 255};
constexpr core::Rgb kGrey{128, 128, 128};
constexpr core::Rgb kLightGrey{192, 192, 192};

// The board of the window: 145 x 281 pixels. Values 8 ... -5 map to x, rows 1 ... 14 to y.
constexpr int kW = 145;
constexpr int kH = 281;
constexpr int kZeroX = 89;       // value 0
constexpr int kTitleX = 11;      // value 7
constexpr int kPlusBarX = 80;    // value 0.8
constexpr int kPlusTextX = 56;   // value 3
constexpr int kMinusBarX = 98;   // value -0.8
constexpr int kMinusTextX = 112; // value -2
// Rows 1 ... 14.
constexpr int kRowY[] = {0, 0, 22, 43, 65, 86, 108, 130, 151, 173, 195, 216, 238, 259, 281};

class ScoreBoardTest : public ::testing::Test {
protected:
    ScoreBoardTest() : settings_("/nonexistent"), texts_(strings_, settings_) {
        input.selection = "3*2";
        for (int u = 0; u < kBoardFeatures; ++u) input.titles[u] = "F" + std::to_string(u + 1);
        for (int k = 0; k < core::kErrorMessageCount; ++k) input.errorMessages[k] = "Err" + std::to_string(k);
    }

    void russian() { settings_.list().setValue("Language", "RUS"); }
    BoardPicture picture() const { return ScoreBoard(input, texts_).picture(kW, kH); }

    template <class Item>
    static std::vector<Item> all(const BoardPicture& board) {
        std::vector<Item> found;
        for (const BoardItem& item : board.items) {
            if (const auto* typed = std::get_if<Item>(&item)) found.push_back(*typed);
        }
        return found;
    }
    static std::vector<BoardText> textsAtRow(const BoardPicture& board, int row) {
        std::vector<BoardText> found;
        for (const BoardText& text : all<BoardText>(board)) {
            if (text.at.y == kRowY[row]) found.push_back(text);
        }
        return found;
    }
    static std::vector<BoardLine> outlines(const BoardPicture& board) {
        std::vector<BoardLine> found;
        for (const BoardLine& line : all<BoardLine>(board)) {
            if (!line.dotted) found.push_back(line);
        }
        return found;
    }
    static BoardLine outline(int first, int last, int sumX, core::Rgb color) {
        return {{{kZeroX, kRowY[first]}, {kZeroX, kRowY[last]}, {sumX, kRowY[last]}, {sumX, kRowY[first]},
                 {kZeroX, kRowY[first]}},
                color,
                false};
    }

    ScoreBoardInput input;
    core::StringTable strings_;
    core::Settings settings_;
    core::Texts texts_;
};

TEST(ScoreBoardSelectionTest, RowFromLeadingDigitsChartAfterStar) {
    EXPECT_EQ(parseScoreBoardSelection("3*2"), (ScoreBoardSelection{3, 2}));
    EXPECT_EQ(parseScoreBoardSelection("17"), (ScoreBoardSelection{17, 1}));
    EXPECT_EQ(parseScoreBoardSelection("12x*9"), (ScoreBoardSelection{12, 9}));
    for (const char* bad : {"", "*2", "x3*1", "3*", "3*2x", "99999999999*1"}) {
        EXPECT_THROW(parseScoreBoardSelection(bad), EConvertError) << bad;
    }
}

TEST(ScoreBoardPointTest, ScalesRoundHalvesToEven) {
    EXPECT_EQ(ScoreBoard::point(1, 8, kW, kH), (BoardPoint{0, 0}));
    EXPECT_EQ(ScoreBoard::point(14, -5, kW, kH), (BoardPoint{kW, kH}));
    EXPECT_EQ(ScoreBoard::point(13, -2, kW, kH), (BoardPoint{kMinusTextX, kRowY[13]}));
    // Value 4.75 and row 4.25 lie a quarter into the scales: 2.5 -> 2, 3.5 -> 4.
    EXPECT_EQ(ScoreBoard::point(4.25, 4.75, 10, 10), (BoardPoint{2, 2}));
    EXPECT_EQ(ScoreBoard::point(4.25, 4.75, 14, 14), (BoardPoint{4, 4}));
}

TEST(ScoreBoardWidthTest, WideEnoughForTitlesAndMissingTexts) {
    EXPECT_EQ(ScoreBoard::fittingWidth(145, 40, 40), 145);
    // A title has 4/13 of the width up to the "+1"; a missing text 5/13 up to the right edge.
    const int forTitle = ScoreBoard::fittingWidth(145, 62, 0);
    const int titleRoom = ScoreBoard::point(1, 3, forTitle, 281).x - ScoreBoard::point(1, 7, forTitle, 281).x;
    EXPECT_GE(titleRoom, 62 + 1);
    EXPECT_LT(ScoreBoard::point(1, 3, forTitle - 2, 281).x - ScoreBoard::point(1, 7, forTitle - 2, 281).x, 64);
    const int forMissing = ScoreBoard::fittingWidth(145, 0, 70);
    EXPECT_GE(forMissing - ScoreBoard::point(1, 0, forMissing, 281).x, 70 + 1);
}

TEST_F(ScoreBoardTest, SelectionTextNamesRowAndChart) {
    ScoreBoard board(input, texts_);
    EXPECT_EQ(board.selection(), (ScoreBoardSelection{3, 2}));
    EXPECT_EQ(board.rowCaption(), "Qst < 3 >");
    russian();
    EXPECT_EQ(ScoreBoard(input, texts_).rowCaption(), "Вопрос < 3 >");
}

TEST_F(ScoreBoardTest, AllZeroShowsTitlesCollapsedOutlinesAndZeroTotal) {
    const BoardPicture board = picture();
    EXPECT_EQ(board.width, kW);
    EXPECT_EQ(board.height, kH);
    EXPECT_TRUE(all<BoardRect>(board).empty());

    // The dotted zero line and total separator come first, under everything else.
    ASSERT_GE(board.items.size(), 2U);
    EXPECT_EQ(board.items[0], BoardItem(BoardLine{{{kZeroX, 0}, {kZeroX, kH}}, kGrey, true}));
    EXPECT_EQ(board.items[1], BoardItem(BoardLine{{{0, kRowY[13]}, {kW, kRowY[13]}}, kGrey, true}));

    const core::Rgb colors[] = {kCyan, kYellow, kRed, kMagenta};
    for (int u = 1; u <= kBoardFeatures; ++u) {
        const auto row = textsAtRow(board, u);
        ASSERT_EQ(row.size(), 1U) << u;
        EXPECT_EQ(row[0], (BoardText{{kTitleX, kRowY[u]}, "F" + std::to_string(u), colors[(u - 1) / 3]}));
    }
    const std::vector<BoardLine> expected = {outline(1, 4, kZeroX, kCyan), outline(4, 7, kZeroX, kYellow),
                                             outline(7, 10, kZeroX, kRed), outline(10, 13, kZeroX, kMagenta)};
    EXPECT_EQ(outlines(board), expected);
    EXPECT_EQ(textsAtRow(board, 13), (std::vector<BoardText>{{{kTitleX, kRowY[13]}, "TOTAL", kWhite},
                                                             {{kMinusTextX, kRowY[13]}, "0", kWhite}}));
}

TEST_F(ScoreBoardTest, TwoPlusOnesDrawBarsLabelsAndOutlineAtTheirSum) {
    input.marks[0] = 1;
    input.marks[1] = 1;
    const BoardPicture board = picture();
    EXPECT_EQ(all<BoardRect>(board), (std::vector<BoardRect>{{{kZeroX, kRowY[1]}, {kPlusBarX, kRowY[2]}, kLightGrey},
                                                             {{kZeroX, kRowY[2]}, {kPlusBarX, kRowY[3]}, kLightGrey}}));
    for (int u : {1, 2}) {
        const auto row = textsAtRow(board, u);
        ASSERT_EQ(row.size(), 2U);
        EXPECT_EQ(row[1], (BoardText{{kPlusTextX, kRowY[u]}, "+1", kCyan}));
    }
    EXPECT_EQ(textsAtRow(board, 3).size(), 1U);  // the zero mark: its title only
    // The outline reaches value 2 (x 67), the bars only 0.8.
    EXPECT_EQ(outlines(board)[0], outline(1, 4, 67, kCyan));
    EXPECT_EQ(textsAtRow(board, 13)[1].text, "+2");
}

TEST_F(ScoreBoardTest, MinusOneDrawsGreyBarRightOfZero) {
    input.marks[8] = -1;
    const BoardPicture board = picture();
    EXPECT_EQ(all<BoardRect>(board), (std::vector<BoardRect>{{{kZeroX, kRowY[9]}, {kMinusBarX, kRowY[10]}, kGrey}}));
    EXPECT_EQ(textsAtRow(board, 9)[1], (BoardText{{kMinusTextX, kRowY[9]}, "-1", kRed}));
    EXPECT_EQ(outlines(board)[2], outline(7, 10, 100, kRed));  // value -1
}

TEST_F(ScoreBoardTest, MissingCodeShowsItsTextAtZeroAndAddsNothing) {
    input.marks[3] = 1;
    input.marks[4] = -1004;
    input.marks[5] = 1;
    const BoardPicture board = picture();
    EXPECT_EQ(textsAtRow(board, 5), (std::vector<BoardText>{{{kTitleX, kRowY[5]}, "F5", kYellow},
                                                            {{kZeroX, kRowY[5]}, "Err4", kYellow}}));
    EXPECT_EQ(all<BoardRect>(board).size(), 2U);
    EXPECT_EQ(outlines(board)[1], outline(4, 7, 67, kYellow));
    EXPECT_EQ(ScoreBoard(input, texts_).total(), 2);
}

TEST_F(ScoreBoardTest, CodesOutsideTheTableAndBrokenNumbersShowNoText) {
    input.marks[0] = -1012;
    input.marks[1] = std::numeric_limits<float>::quiet_NaN();
    input.marks[2] = std::numeric_limits<float>::infinity();
    input.marks[3] = -std::numeric_limits<float>::infinity();
    const BoardPicture board = picture();
    EXPECT_TRUE(all<BoardRect>(board).empty());
    for (int u = 1; u <= 4; ++u) {
        const auto row = textsAtRow(board, u);
        ASSERT_EQ(row.size(), 2U) << u;
        EXPECT_EQ(row[1], (BoardText{{kZeroX, kRowY[u]}, "", row[0].color})) << u;
    }
    EXPECT_EQ(textsAtRow(board, 13)[1].text, "0");
}

TEST_F(ScoreBoardTest, TotalIsSignedOnlyWhenPositive) {
    input.marks = {1, 1, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(textsAtRow(picture(), 13)[1], (BoardText{{kMinusTextX, kRowY[13]}, "+3", kWhite}));
    input.marks = {0, 0, 0, -1, 0, 0, 0, 0, 0, 0, 0, -1};
    EXPECT_EQ(textsAtRow(picture(), 13)[1].text, "-2");
    EXPECT_EQ(totalText(1), "+1");
    EXPECT_EQ(totalText(0), "0");
    russian();
    EXPECT_EQ(textsAtRow(picture(), 13)[0].text, "ИТОГ");
}

TEST_F(ScoreBoardTest, ValueLabelsTwoDecimalsAndRoundedResistance) {
    input.breathRate = 14.5F;
    input.pulseRate = -1005;
    input.meanResistance = 122.5;
    ScoreBoard board(input, texts_);
    EXPECT_EQ(board.breathText(), "14.50");
    EXPECT_EQ(board.pulseText(), "-1005.00");
    EXPECT_EQ(board.resistanceText(), "122");
    input.meanResistance = 123.5;
    EXPECT_EQ(ScoreBoard(input, texts_).resistanceText(), "124");
}

}  // namespace
}  // namespace lumo::recording
