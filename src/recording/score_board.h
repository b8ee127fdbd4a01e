#pragma once

#include <array>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "core/colors.h"
#include "core/settings.h"

namespace lumo::recording {

inline constexpr int kBoardFeatures = core::kParameterCount;

// What the score board shows of one question row of one chart, as plain
// numbers: whoever opens it takes them from its own analysis.
struct ScoreBoardInput {
    // "row*chart" as the opener gives it; the board shows the row.
    std::string selection;
    // Stress marks of features 1 ... 12 (index 0 is feature 1): -1, 0, +1,
    // or a missing-value code below -500.
    std::array<float, kBoardFeatures> marks{};
    // Feature titles (ParamName 1 ... 12 of the chosen language).
    std::array<std::string, kBoardFeatures> titles;
    // Texts of the missing-value codes -1000 - k, k = 0 ... 9 (ErrorMessage k).
    std::array<std::string, core::kErrorMessageCount> errorMessages;
    float breathRate = 0;      // feature 2 of the row, per minute
    float pulseRate = 0;       // feature 8 of the row, per minute
    double meanResistance = 0; // the row's mean skin resistance reading, kOhm
};

// The row and chart a selection text names.
struct ScoreBoardSelection {
    int row = 0;
    int chart = 1;
    bool operator==(const ScoreBoardSelection&) const = default;
};

// The row is the number its leading digits form, the chart the number after
// "*" (1 without one). A text without leading digits or with a malformed
// chart raises EConvertError.
ScoreBoardSelection parseScoreBoardSelection(std::string_view selection);

// Drawing primitives in the board's pixels, (0, 0) its top-left corner.
struct BoardPoint {
    int x = 0;
    int y = 0;
    bool operator==(const BoardPoint&) const = default;
};

// A filled rectangle without border between two opposite corners (in any
// order); the right and bottom edges are not filled.
struct BoardRect {
    BoardPoint from;
    BoardPoint to;
    core::Rgb fill;
    bool operator==(const BoardRect&) const = default;
};

// Connected one-pixel segments; a closed outline repeats its first point.
struct BoardLine {
    std::vector<BoardPoint> points;
    core::Rgb color;
    bool dotted = false;
    bool operator==(const BoardLine&) const = default;
};

// Bold text on a transparent background, its top-left corner at `at`.
struct BoardText {
    BoardPoint at;
    std::string text;
    core::Rgb color;
    bool operator==(const BoardText&) const = default;
};

using BoardItem = std::variant<BoardRect, BoardLine, BoardText>;

// The whole picture, drawn in order over a black background.
struct BoardPicture {
    int width = 0;
    int height = 0;
    std::vector<BoardItem> items;
    bool operator==(const BoardPicture&) const = default;
};

// The score board's texts and picture. The board spans the values +8 (left
// edge) to -5 (right edge) and the rows 1 (top edge) to 14 (bottom edge):
// one row per feature, the total's row and a closing row.
class ScoreBoard {
public:
    // Raises EConvertError for a malformed selection text.
    ScoreBoard(ScoreBoardInput input, const core::Texts& texts);

    const ScoreBoardSelection& selection() const { return selection_; }
    // The row shown, "Qst < 3 >".
    std::string rowCaption() const;
    std::string breathText() const;
    std::string resistanceText() const;
    std::string pulseText() const;
    // The sum of the rounded valid marks.
    int total() const;

    // The picture for a board of width x height pixels.
    BoardPicture picture(int width, int height) const;

    // The pixel of (row, value) on a board of width x height.
    static BoardPoint point(double row, double value, int width, int height);

    // The board width, at least `minimum`, at which a title `titleWidth`
    // pixels wide ends before the "+1" of its row and a missing text
    // `missingWidth` wide ends before the right edge.
    static int fittingWidth(int minimum, int titleWidth, int missingWidth);
    // The titles and the missing texts this board shows.
    std::vector<std::string> titles() const;
    std::vector<std::string> missingTexts() const;

private:
    std::string missingText(float mark) const;

    ScoreBoardInput input_;
    ScoreBoardSelection selection_;
    std::string question_;
    std::string totalCaption_;
};

// The total as the board writes it: "+3", "0", "-2".
std::string totalText(int total);

}  // namespace lumo::recording
