#pragma once

#include <array>
#include <string>

namespace lumo::scoring {

// A question presented twice among one chart's kept rows.
struct DuplicateQuestion {
    int chart = 0;
    int question = 0;
    std::string sign;
};

// Where each question stands in each chart's results table: the row number
// (1 ... 60) for question 1 ... 20 and chart 1 ... 9, 0 when not presented.
class QuestionPositions {
public:
    // Records the row; false when the chart already holds the question.
    // Question numbers outside 1 ... 20 have no place and are passed over.
    bool enter(int question, int chart, int row) {
        if (question < 1 || question > 20 || chart < 1 || chart > 9) return true;
        int& cell = cells_[static_cast<std::size_t>(question)][static_cast<std::size_t>(chart)];
        if (cell != 0) return false;
        cell = row;
        return true;
    }
    int at(int question, int chart) const {
        if (question < 1 || question > 20 || chart < 1 || chart > 9) return 0;
        return cells_[static_cast<std::size_t>(question)][static_cast<std::size_t>(chart)];
    }

private:
    std::array<std::array<int, 10>, 21> cells_{};
};

}  // namespace lumo::scoring
