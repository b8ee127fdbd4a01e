#pragma once

#include <string>
#include <vector>

namespace lumo::bench {

// The settings lines a scoring benchmark needs: `questionTypes` question types
// with the sign letters R, I, C, N, O, V, X, all eight channels switched on in
// their own order, everything drawn red.
inline std::vector<std::string> scoringSettingsLines(int questionTypes) {
    std::vector<std::string> lines = {"Language=ENG", "NQType=" + std::to_string(questionTypes), "QuestionTime=15",
                                      "ChBackColor=BLACK", "IgnoreDisabledChannels=FALSE"};
    const char* letters[] = {"R", "I", "C", "N", "O", "V", "X"};
    for (int n = 1; n <= questionTypes; ++n) {
        lines.push_back("Eng_QSign" + std::to_string(n) + "=" + letters[n - 1]);
        lines.push_back("Rus_QSign" + std::to_string(n) + "=" + letters[n - 1]);
        lines.push_back("QColor" + std::to_string(n) + "=RED");
    }
    for (int n = 1; n <= 8; ++n) lines.push_back("ScoreQColor" + std::to_string(n) + "=RED");
    for (int i = 0; i < 8; ++i) {
        const std::string index = std::to_string(i);
        lines.insert(lines.end(), {"ChSeq" + index + "=" + index, "ChColor" + index + "=RED",
                                   "ChPolar" + index + "=+", "ChSwitch" + index + "=1"});
    }
    return lines;
}

}  // namespace lumo::bench
