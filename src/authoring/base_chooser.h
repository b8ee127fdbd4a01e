#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "authoring/bank_folder.h"
#include "core/colors.h"
#include "core/question_set.h"

namespace lumo::core {
class Texts;
}

namespace lumo::authoring {

// The first characters of a template line ("number.sign.answer.") that a bank
// question never replaces.
inline constexpr std::size_t kTemplateLineHead = 9;

// The base chooser's rules: the bank topics, the questions of the selected
// one and the template lines the question editor handed over, whose texts
// are replaced by bank questions.
class BaseChooser {
public:
    BaseChooser(std::filesystem::path folder, const core::Texts& texts, core::QuestionTypes types,
                std::vector<std::string> templateLines);

    // Reads the topics (a missing folder lists none), selects the first one,
    // its first question and the first template line.
    void open();

    const std::vector<TopicEntry>& topics() const { return topics_; }
    std::string caption(int row) const;
    int selectedTopic() const { return selectedTopic_; }
    // Lists the topic's questions; a missing or unreadable file lists none.
    void selectTopic(int row);
    // "TOPIC : " with the name and the file name in brackets, in capitals.
    std::string title() const;
    // The error of an unreadable selected topic; "" otherwise.
    std::string selectedError() const;

    const std::vector<std::string>& questions() const { return questions_; }
    int selectedQuestion() const { return selectedQuestion_; }
    void selectQuestion(int row);

    const std::vector<std::string>& templateLines() const { return lines_; }
    int selectedLine() const { return selectedLine_; }
    void selectLine(int row);
    // The colour of the line's sign type; black when it names none.
    core::Rgb lineColour(int row) const;

    // The selected template line keeps its first nine characters and takes the
    // selected question as its text. False when either is not selected.
    bool paste();

private:
    std::filesystem::path folder_;
    const core::Texts& texts_;
    core::QuestionTypes types_;
    std::vector<TopicEntry> topics_;
    int selectedTopic_ = -1;
    std::vector<std::string> questions_;
    int selectedQuestion_ = -1;
    std::vector<std::string> lines_;
    int selectedLine_ = -1;
};

// The sign of a template line: the text between its first and second full stops.
std::string templateLineSign(const std::string& line);

}  // namespace lumo::authoring
