#pragma once

#include <filesystem>
#include <string>

#include "core/question_set.h"
#include "scoring/hand_score_decision.h"

namespace lumo::core {
class Records;
class Settings;
}

namespace lumo::scoring {

// The question set and results tables of one exam stem ("…/DAT/#0000001/EXAM_01")
// as the hand-score view reads them; nothing is ever written back.
class HandScoreExam {
public:
    // Reads stem + ".qs_" and the results tables stem + ".qt1" ... ".qt9";
    // a missing or unreadable question set or table raises its error.
    HandScoreExam(const std::filesystem::path& stem, const core::Settings& settings);

    const core::TQstTest& questionSet() const { return questions_; }
    HandScoreDecision& decision() { return decision_; }
    const HandScoreDecision& decision() const { return decision_; }
    // "EXAM_01": the stem's last seven characters.
    std::string stemName() const;
    // Question i's line in the template form (" 3. R1.+.Is it you ?").
    std::string listLine(int question) const;
    // The sign of question i, "" when the set has no such question.
    std::string sign(int question) const;

private:
    std::filesystem::path stem_;
    core::TQstTest questions_;
    HandScoreDecision decision_;
};

// The colours the hand-score view paints with.
// A score or total: yellow above zero, cyan below, grey at zero.
core::Rgb handScoreColour(int value);
// The same on the grey row of the sums, where a grey zero would not show: white.
core::Rgb handSumColour(int value);
// The decision table's columns 1 ... 8: green for candid, black for the
// inconclusive middle, red for cheat.
core::Rgb decisionColumnColour(int column);
// A decision word: lime, grey or red.
core::Rgb verdictColour(HandVerdict verdict);
// The chart a plain key toggles: '1' ... '9' give 1 ... 9, anything else 0.
int chartOfKey(int key);

// The stem DAT/code/EXAM_NN of the current exam; empty when no exam is current.
std::filesystem::path handResultsStem(const core::Records& records);

// The questions' signs and types as the decision needs them.
std::vector<HandScoreQuestion> handScoreQuestions(const core::TQstTest& questions);

}  // namespace lumo::scoring
