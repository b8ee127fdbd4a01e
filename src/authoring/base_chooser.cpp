#include "authoring/base_chooser.h"

#include "core/cp1251.h"
#include "core/errors.h"
#include "core/settings.h"
#include "core/texts/authoring.h"

namespace lumo::authoring {

namespace {

int clampRow(int row, std::size_t count) { return row < 0 || row >= static_cast<int>(count) ? -1 : row; }

}  // namespace

std::string templateLineSign(const std::string& line) {
    const std::size_t first = line.find('.');
    if (first == std::string::npos) return {};
    const std::size_t second = line.find('.', first + 1);
    return line.substr(first + 1, second == std::string::npos ? std::string::npos : second - first - 1);
}

BaseChooser::BaseChooser(std::filesystem::path folder, const core::Texts& texts, core::QuestionTypes types,
                         std::vector<std::string> templateLines)
    : folder_(std::move(folder)), texts_(texts), types_(std::move(types)), lines_(std::move(templateLines)) {}

void BaseChooser::open() {
    std::error_code error;
    topics_.clear();
    if (std::filesystem::is_directory(folder_, error)) topics_ = readBankFolder(folder_, texts_);
    selectedTopic_ = -1;
    selectTopic(0);
    selectLine(0);
}

std::string BaseChooser::caption(int row) const {
    return entryCaption(topics_.at(static_cast<std::size_t>(row)), texts_);
}

void BaseChooser::selectTopic(int row) {
    selectedTopic_ = clampRow(row, topics_.size());
    questions_.clear();
    if (selectedTopic_ >= 0) {
        questions_ = readTopicQuestions(folder_, topics_[static_cast<std::size_t>(selectedTopic_)], texts_);
    }
    selectedQuestion_ = questions_.empty() ? -1 : 0;
}

std::string BaseChooser::title() const {
    std::string title = texts_(txt::AddBaseTopicTitle);
    if (selectedTopic_ >= 0) title += upperTitle(topics_[static_cast<std::size_t>(selectedTopic_)]);
    return title;
}

std::string BaseChooser::selectedError() const {
    return selectedTopic_ < 0 ? std::string() : topics_[static_cast<std::size_t>(selectedTopic_)].error;
}

void BaseChooser::selectQuestion(int row) { selectedQuestion_ = clampRow(row, questions_.size()); }

void BaseChooser::selectLine(int row) { selectedLine_ = clampRow(row, lines_.size()); }

core::Rgb BaseChooser::lineColour(int row) const {
    try {
        return types_.signToColour(templateLineSign(lines_.at(static_cast<std::size_t>(row))));
    } catch (const LumoError&) {
        // A colour setting that names no colour draws the line as unknown types are drawn.
        return {};
    }
}

bool BaseChooser::paste() {
    if (selectedQuestion_ < 0 || selectedLine_ < 0) return false;
    std::string& line = lines_[static_cast<std::size_t>(selectedLine_)];
    line = core::leftChars(line, kTemplateLineHead) + questions_[static_cast<std::size_t>(selectedQuestion_)];
    return true;
}

}  // namespace lumo::authoring
