#include "recording/score_board.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <utility>

#include "core/numbers.h"
#include "core/texts/recording.h"

namespace lumo::recording {

namespace {

constexpr double kLeftValue = 8.0;
constexpr double kRightValue = -5.0;
constexpr double kFirstRow = 1.0;
constexpr double kLastRow = kBoardFeatures + 2;
constexpr double kTotalRow = kBoardFeatures + 1;
constexpr double kTitleValue = 7.0;
constexpr double kTotalValue = -2.0;
// Where the label of a +1 mark starts (two beyond the mark).
constexpr double kMarkTextValue = 3.0;
constexpr double kBarShare = 0.8;
constexpr int kGroupSize = 3;

constexpr core::Rgb kWhite{255, 255, 255};
constexpr core::Rgb kGrey{128, 128, 128};
constexpr core::Rgb kLightGrey{192, 192, 192};
constexpr std::array<core::Rgb, 4> kGroupColors = {
    core::Rgb{0, 255, 255}, core::Rgb{255, 255, 0}, core::Rgb{255, 0, 0}, core::Rgb{255, 0, 255}};

// A mark is a measurement above -500; below it is a missing-value code. A
// damaged table may bring in a NaN or an infinity: neither is drawn as a bar.
bool valid(float mark) {
    return std::isfinite(mark) && mark > -500.0F;
}

// Marks are -1, 0 or +1; anything far beyond is kept inside the board's
// reach so that no pixel arithmetic overflows.
double bounded(double value) {
    return std::clamp(value, -1.0e6, 1.0e6);
}

std::string twoDecimals(float value) {
    if (!std::isfinite(value)) return {};
    char text[64];
    std::snprintf(text, sizeof text, "%.2f", static_cast<double>(value));
    return text;
}

}  // namespace

ScoreBoardSelection parseScoreBoardSelection(std::string_view selection) {
    ScoreBoardSelection parsed;
    const std::size_t digits = std::min(selection.find_first_not_of("0123456789"), selection.size());
    parsed.row = core::strToInt(selection.substr(0, digits));
    const std::size_t star = selection.find('*');
    if (star != std::string_view::npos) parsed.chart = core::strToInt(selection.substr(star + 1));
    return parsed;
}

std::string totalText(int total) {
    return total >= 1 ? "+" + std::to_string(total) : std::to_string(total);
}

ScoreBoard::ScoreBoard(ScoreBoardInput input, const core::Texts& texts)
    : input_(std::move(input)),
      selection_(parseScoreBoardSelection(input_.selection)),
      question_(texts(txt::BoardQuestion)),
      totalCaption_(texts(txt::BoardTotal)) {}

std::string ScoreBoard::rowCaption() const {
    return question_ + " < " + std::to_string(selection_.row) + " >";
}

std::string ScoreBoard::breathText() const {
    return twoDecimals(input_.breathRate);
}

std::string ScoreBoard::pulseText() const {
    return twoDecimals(input_.pulseRate);
}

std::string ScoreBoard::resistanceText() const {
    if (!std::isfinite(input_.meanResistance)) return {};
    return std::to_string(core::rnd(bounded(input_.meanResistance)));
}

int ScoreBoard::total() const {
    int sum = 0;
    for (const float mark : input_.marks) {
        if (valid(mark)) sum += static_cast<int>(core::rnd(bounded(mark)));
    }
    return sum;
}

BoardPoint ScoreBoard::point(double row, double value, int width, int height) {
    const double x = (bounded(value) - kLeftValue) / (kRightValue - kLeftValue) * width;
    const double y = (bounded(row) - kFirstRow) / (kLastRow - kFirstRow) * height;
    return {static_cast<int>(core::rnd(x)), static_cast<int>(core::rnd(y))};
}

int ScoreBoard::fittingWidth(int minimum, int titleWidth, int missingWidth) {
    // A pixel of room between a text and what follows it.
    constexpr int kGap = 2;
    const double span = kLeftValue - kRightValue;
    const double forTitle = (titleWidth + kGap) * span / (kTitleValue - kMarkTextValue);
    const double forMissing = (missingWidth + kGap) * span / (0 - kRightValue);
    return std::max({minimum, static_cast<int>(std::ceil(forTitle)), static_cast<int>(std::ceil(forMissing))});
}

std::vector<std::string> ScoreBoard::titles() const {
    return {input_.titles.begin(), input_.titles.end()};
}

std::vector<std::string> ScoreBoard::missingTexts() const {
    std::vector<std::string> shown;
    for (const float mark : input_.marks) {
        if (!valid(mark)) shown.push_back(missingText(mark));
    }
    return shown;
}

// Code -1000 - k shows ErrorMessage k; a code outside the table has no text.
std::string ScoreBoard::missingText(float mark) const {
    const double k = -1000.0 - static_cast<double>(mark);
    if (!std::isfinite(k)) return {};
    const auto index = core::rnd(bounded(k));
    if (index < 0 || index >= core::kErrorMessageCount) return {};
    return input_.errorMessages[static_cast<std::size_t>(index)];
}

BoardPicture ScoreBoard::picture(int width, int height) const {
    BoardPicture board{width, height, {}};
    auto& items = board.items;
    const auto at = [width, height](double row, double value) { return point(row, value, width, height); };
    const auto text = [&items, &at](double row, double value, std::string shown, core::Rgb color) {
        items.emplace_back(BoardText{at(row, value), std::move(shown), color});
    };

    items.emplace_back(BoardLine{{at(kFirstRow, 0), at(kLastRow, 0)}, kGrey, true});
    items.emplace_back(BoardLine{{at(kTotalRow, kLeftValue), at(kTotalRow, kRightValue)}, kGrey, true});

    int total = 0;
    int groupSum = 0;
    for (int feature = 1; feature <= kBoardFeatures; ++feature) {
        const int group = (feature - 1) / kGroupSize;
        const core::Rgb color = kGroupColors[static_cast<std::size_t>(group)];
        const float mark = input_.marks[static_cast<std::size_t>(feature - 1)];
        const double row = feature;

        text(row, kTitleValue, input_.titles[static_cast<std::size_t>(feature - 1)], color);
        if (valid(mark)) {
            const double value = bounded(mark);
            groupSum += static_cast<int>(core::rnd(value));
            if (value > 0) {
                items.emplace_back(BoardRect{at(row, 0), at(row + 1, kBarShare * value), kLightGrey});
                text(row, value + 2, "+1", color);
            } else if (value < 0) {
                items.emplace_back(BoardRect{at(row, 0), at(row + 1, kBarShare * value), kGrey});
                text(row, value - 1, "-1", color);
            }
        } else {
            text(row, 0, missingText(mark), color);
        }

        if (feature % kGroupSize == 0) {
            const double first = feature - kGroupSize + 1;
            const double last = feature + 1;
            items.emplace_back(BoardLine{
                {at(first, 0), at(last, 0), at(last, groupSum), at(first, groupSum), at(first, 0)}, color, false});
            total += groupSum;
            groupSum = 0;
        }
    }

    text(kTotalRow, kTitleValue, totalCaption_, kWhite);
    text(kTotalRow, kTotalValue, totalText(total), kWhite);
    return board;
}

}  // namespace lumo::recording
