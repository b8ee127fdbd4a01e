#pragma once

#include <filesystem>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace lumo::scoring {

// The arguments of lumo-score.
struct ScoreOptions {
    std::optional<std::string> home;  // --home DIR
    std::string examinee;             // CODE, "#0000001"
    int exam = 0;                     // NN
    std::vector<int> charts;          // --charts; empty: every chart
    float prior = 0.5f;
    float fp = 0.10f;
    float fm = 0.15f;
    bool json = false;
    bool hand = false;        // --hand: the decision from the hand scores
    bool matte = false;       // --table matte (with --hand)
    bool help = false;
    std::string error;  // the argument that makes no sense
};

ScoreOptions parseScoreOptions(const std::vector<std::string>& arguments);

// The exam named by the positional words CODE NN: a file code ("#0000001",
// or a number that becomes one) and an exam number 1 ... 99. Gives the word
// that makes no sense, empty when both are good.
std::string parseExamArguments(const std::vector<std::string>& positional, std::string& examinee, int& exam);

// Exit codes of lumo-score.
inline constexpr int kScoreOk = 0;
inline constexpr int kScoreUsage = 1;
inline constexpr int kScoreUnreadable = 2;
inline constexpr int kScoreDuplicate = 3;

// Scores the exam in the data home and prints the summary table or the
// JSON object on `out`; messages go to `err`. Gives the exit code.
int runScoreCommand(const ScoreOptions& options, const std::filesystem::path& home, std::ostream& out,
                    std::ostream& err);

// The usage text in English (before any settings are read).
std::string scoreUsage();

}  // namespace lumo::scoring
