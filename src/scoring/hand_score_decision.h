#pragma once

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "scoring/question_positions.h"

namespace lumo::core {
class TQstTest;
}

namespace lumo::scoring {

inline constexpr int kHandScoreEntries = 4;  // respiration, skin conductance, cardio, sum

// One row of a results table as the hand-score view reads it.
struct HandScoreRow {
    int question = 0;
    bool excluded = false;
    std::array<int, kHandScoreEntries> scores{};  // rounded as read (halves to even)
};

// One chart's results table; unavailable when the table does not exist.
struct HandScoreChart {
    bool available = false;
    std::string date;
    std::vector<HandScoreRow> rows;  // rows 1 ... N in table order
};
using HandScoreCharts = std::array<HandScoreChart, 10>;  // charts 1 ... 9

// The question set's questions: sign and type (1 relevant, 2 informative).
struct HandScoreQuestion {
    std::string sign;
    int type = 0;
};

enum class DecisionTableType { Backster, Matte };
enum class HandVerdict { NoDeception, Inconclusion, Deception };

// Limits of one row of the decision table (informative or relevant): a
// total above the NDI limit is no deception, below the DI limit deception.
struct HandLimits {
    int ndi = 0;
    int di = 0;
    std::array<std::string, 8> cells;  // columns 1 ... 8; empty where Matte shows nothing
};

// A listed question with its scores over the involved charts.
struct ListedQuestion {
    int question = 0;
    int type = 0;
    std::array<int, kHandScoreEntries> scores{};
    int total = 0;                           // T(q): its entry-4 scores
    HandVerdict verdict = HandVerdict::Inconclusion;  // informative questions only
};

// Reads the results tables 1 ... 9 of an exam stem ("…/exam_01"); missing
// tables stay unavailable, unreadable ones raise their error.
HandScoreCharts readHandScoreCharts(const std::filesystem::path& examStem, const core::TQstTest& questions);

// The engine partner of the question-table view: decides an exam from the
// examiner's hand scores over the charts chosen to be involved.
class HandScoreDecision {
public:
    HandScoreDecision(std::vector<HandScoreQuestion> questions, HandScoreCharts charts);

    // The first question a chart lists twice among its kept rows; the view
    // then warns and closes.
    const std::optional<DuplicateQuestion>& duplicate() const { return duplicate_; }
    // Backster or Matte can be chosen only with exactly three relevant questions.
    bool tableTypeSelectable() const;

    bool available(int chart) const;
    bool involved(int chart) const;
    // The results table's date, "" for an unavailable chart.
    std::string date(int chart) const;
    // The digit keys: involved <-> not involved; unavailable charts stay.
    void toggle(int chart);
    void setInvolved(int chart, bool on);
    DecisionTableType tableType = DecisionTableType::Backster;

    // RecomputeDecision: order, limits, scores, totals and decisions.
    void recompute();

    int involvedCount() const { return involvedCount_; }
    const std::vector<ListedQuestion>& listed() const { return listed_; }
    const HandLimits& informativeLimits() const { return informative_; }
    const HandLimits& relevantLimits() const { return relevant_; }
    // Per entry, the sum over the listed relevant questions.
    const std::array<int, kHandScoreEntries>& relevantSums() const { return relevantSums_; }
    int relevantTotal() const { return relevantTotal_; }  // V
    HandVerdict verdict() const { return verdict_; }
    // The row of the question in a chart's table, 0 when not presented.
    int position(int question, int chart) const;

    static HandVerdict judge(int total, const HandLimits& limits);
    // Decision table cells carry "+" on positive numbers.
    static std::string signedText(int value);

private:
    HandLimits limits(int m) const;

    std::vector<HandScoreQuestion> questions_;
    HandScoreCharts charts_;
    QuestionPositions positions_;
    std::array<bool, 10> involved_{};
    std::optional<DuplicateQuestion> duplicate_;
    int involvedCount_ = 0;
    std::vector<ListedQuestion> listed_;
    HandLimits informative_;
    HandLimits relevant_;
    std::array<int, kHandScoreEntries> relevantSums_{};
    int relevantTotal_ = 0;
    HandVerdict verdict_ = HandVerdict::Inconclusion;
};

}  // namespace lumo::scoring
